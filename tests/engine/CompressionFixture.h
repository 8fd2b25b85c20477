#pragma once

#include "engine/WalkFixture.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

class RunContext;

// End-to-end runs with per-file compression: a walk fixture whose observer lets a test act
// inside a pane event (the worker waits for it), and readers that look into the archives
// with the system's unzip, independently of the program's own ZIP code.
namespace ziptest {

// A recording observer that first hands every pane event to a hook, on the worker's thread.
class HookedObserver : public RecordingObserver {
public:
    void SetPaneHook(std::function<void(const CProgressData &)> hook) { m_paneHook = std::move(hook); }
    void OnPaneEvent(const CProgressData &record) override;

private:
    std::function<void(const CProgressData &)> m_paneHook;
};

// The pane events of the compression steps.
inline constexpr quint64 kCompressStart = UPD_BAR2_RESET | UPD_ACT_COMPRESS | UPD_TARGET | UPD_SOURCE;
inline constexpr quint64 kVerifyStart = UPD_ACT_DECOMPRESS | UPD_BAR2_RESET | UPD_TARGET | UPD_SOURCE;
inline constexpr quint64 kUnpackStart = UPD_ACT_DECOMPRESS | UPD_TARGET | UPD_SOURCE;
inline constexpr quint64 kZipChunk = UPD_TARGET | UPD_PCT2_FILE | UPD_BAR2_FILE;

// `unzip -t` finds the archive sound.
bool UnzipTestPasses(const QString &archive);
// The entry names of the archive, in directory order.
QStringList UnzipEntries(const QString &archive);
QString UnzipComment(const QString &archive);
QByteArray UnzipContent(const QString &archive, const QString &entry);

// An archive of the program's own kind with one entry holding `content`, stamped with the
// modification time `mtimeSeconds` (when not 0).
void MakeOwnArchive(const QString &archive, const QString &entryName, const QByteArray &content,
                    qint64 mtimeSeconds = 0);
// The same archive with a comment of another program.
void MakeForeignArchive(const QString &archive, const QString &entryName, const QByteArray &content);

// Content that deflate cannot shrink, the same for the same seed.
QByteArray NoiseBytes(qsizetype size, unsigned seed);

// A modification time as the two-second DOS time of an archive keeps it (local time; the
// time zone offsets in use are whole minutes, so the parity of the seconds is the same).
qint64 DosRoundedNs(qint64 nanoseconds);

class CompressionTest : public walktest::WalkTest {
protected:
    void SetUp() override;
    void TearDown() override;

    HookedObserver &Hooked() const { return *m_hooked; }
    // A fresh observer and fresh run parameters for a second run.
    void StartNewRun();
    // Runs like Run(), keeping the run reachable for hooks (RequestCancel) while it lasts.
    void RunZip();
    RunContext *ActiveRun() const { return m_activeRun; }

    // The "Keine Komprimierung ..." notices of the run, in order.
    QStringList CompressionNotices() const;
    QStringList ErrorMessages() const { return MessagesOfKind(MessageKind::Error); }
    // The pane events with exactly this mask.
    std::vector<RecordingObserver::Pane> PanesWithMask(quint64 mask) const;
    // Every file below `root` that is a ZIP name, relative to `root`.
    QStringList ZipNamesBelow(const QString &root) const;

private:
    HookedObserver *m_hooked = nullptr;
    RunContext *m_activeRun = nullptr;
};

} // namespace ziptest
