#pragma once

#include "engine/CProgressData.h"
#include "model/CViewData.h"
#include "support/RecordingObserver.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <optional>

#include <ostream>

#include <sys/types.h>

// Readable failure output for the texts the walk tests compare.
inline void PrintTo(const QString &text, std::ostream *os)
{
    *os << '"' << text.toStdString() << '"';
}

// Small real trees for end-to-end runs of the job walk: a source and a target directory, the
// four record files and a check file, all inside one temporary directory. The program's
// temporary files and settings are kept inside it as well.
namespace walktest {

// Paths as the kernel sees them: the program's lossless decoding, so that names which are not
// valid UTF-8 can be made and compared.
QByteArray Encoded(const QString &path);

void WriteFile(const QString &path, const QByteArray &content, mode_t mode = 0644);
QByteArray ReadFile(const QString &path);
void MakeDirectory(const QString &path);
bool Exists(const QString &path);
// Sets the modification time to whole seconds plus nanoseconds since the Unix epoch.
void SetMtime(const QString &path, qint64 seconds, qint64 nanoseconds = 0);
qint64 MtimeNs(const QString &path);

// Every file below `root` by its path relative to `root`, with its content; directories get
// an entry ending with '/' and no content. Links and special files are listed as "->link"
// and "->special".
std::map<QString, QByteArray> Snapshot(const QString &root);

// The lines of a record file, after checking that the file is UTF-16LE without a byte-order
// mark and every line ends with CR LF (a failure is reported through gtest). An absent file
// has no lines.
QStringList RecordLines(const QString &path);
QStringList Sorted(QStringList lines);

// The UTF-16LE bytes of `lines`, each followed by CR LF.
QByteArray RecordBytes(const QStringList &lines);

class WalkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString Root() const { return m_dir.path(); }
    QString Source() const { return Root() + QStringLiteral("/src"); }
    QString Target() const { return Root() + QStringLiteral("/dst"); }
    QString LogPath() const { return Root() + QStringLiteral("/lists/log.txt"); }
    QString CopiedPath() const { return Root() + QStringLiteral("/lists/copied.txt"); }
    QString RetryPath() const { return Root() + QStringLiteral("/lists/retry.txt"); }
    QString SkippedPath() const { return Root() + QStringLiteral("/lists/skipped.txt"); }
    QString CheckPath() const { return Root() + QStringLiteral("/lists/check.txt"); }
    QString ProgramTemp() const { return Root() + QStringLiteral("/tmp/Zelvaron"); }

    // Writes a source file below Source().
    void Put(const QString &relative, const QByteArray &content = QByteArray("x"));
    // One job from `source` to `target` with all four record files switched on.
    CListData &AddJob(const QString &source, const QString &target, bool withSubdirs = true);
    // Runs the parameters headless through the run controller.
    void Run();

    // The record of the job's last pane event (its "*** Fertig ***"): the job's counters.
    CProgressData FinalRecord(int pane = 0) const;
    QStringList MessagesOfKind(MessageKind kind) const;
    // The job's log lines between its header ("Job %d - ...") and the end of its block.
    QStringList LogBlock(int job = 0) const;
    // The temporary "~*.tmp" files left in the program's temporary directory.
    QStringList LeftoverTempFiles() const;

    QTemporaryDir m_dir;
    std::unique_ptr<CViewData> m_params = std::make_unique<CViewData>();
    // The observer of the next run; NewObserver() starts a fresh one for a second run.
    RecordingObserver &Observer() const { return *m_observer; }
    void NewObserver() { m_observer = std::make_unique<RecordingObserver>(); }
    std::unique_ptr<RecordingObserver> m_observer = std::make_unique<RecordingObserver>();
    int m_runErrors = 0;
    int m_runSkippedFiles = 0;
    int m_runSkippedDirectories = 0;

private:
    std::optional<QByteArray> m_oldTmp;
    std::optional<QByteArray> m_oldConfig;
    std::optional<QByteArray> m_oldU3;
};

} // namespace walktest
