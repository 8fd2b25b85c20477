#include "engine/CompressionFixture.h"

#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "platform/FaultInjection.h"
#include "zip/CCompressZip.h"

#include <QFile>
#include <QProcess>

#include <random>

namespace ziptest {

void HookedObserver::OnPaneEvent(const CProgressData &record)
{
    if (m_paneHook)
        m_paneHook(record);
    RecordingObserver::OnPaneEvent(record);
}

namespace {

// Runs unzip and returns its standard output; `ok` tells whether it ended with status 0.
QByteArray RunUnzip(const QStringList &arguments, bool *ok)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), arguments);
    *ok = unzip.waitForStarted(10000) && unzip.waitForFinished(60000) && unzip.exitStatus() == QProcess::NormalExit
        && unzip.exitCode() == 0;
    return unzip.readAllStandardOutput();
}

} // namespace

bool UnzipTestPasses(const QString &archive)
{
    bool ok = false;
    RunUnzip({QStringLiteral("-tq"), archive}, &ok);
    return ok;
}

QStringList UnzipEntries(const QString &archive)
{
    bool ok = false;
    const QByteArray listing = RunUnzip({QStringLiteral("-Z1"), archive}, &ok);
    EXPECT_TRUE(ok) << archive.toStdString();
    return QString::fromUtf8(listing).split(u'\n', Qt::SkipEmptyParts);
}

QString UnzipComment(const QString &archive)
{
    bool ok = false;
    const QByteArray comment = RunUnzip({QStringLiteral("-zq"), archive}, &ok);
    EXPECT_TRUE(ok) << archive.toStdString();
    return QString::fromUtf8(comment).trimmed();
}

QByteArray UnzipContent(const QString &archive, const QString &entry)
{
    bool ok = false;
    const QByteArray content = RunUnzip({QStringLiteral("-p"), archive, entry}, &ok);
    EXPECT_TRUE(ok) << archive.toStdString() << " " << entry.toStdString();
    return content;
}

void MakeOwnArchive(const QString &archive, const QString &entryName, const QByteArray &content,
                    qint64 mtimeSeconds)
{
    const QString scratch = archive + QStringLiteral(".content");
    walktest::WriteFile(scratch, content);
    if (mtimeSeconds != 0)
        walktest::SetMtime(scratch, mtimeSeconds);
    CompressionRequest request;
    request.FilePath = scratch;
    request.EntryName = entryName;
    request.ArchivePath = archive;
    request.Size = content.size();
    CCompressZip zip;
    const ZipResult result = zip.Compress(request);
    ASSERT_TRUE(result.IsSuccess()) << result.Text().toStdString();
    ASSERT_TRUE(QFile::remove(scratch));
}

void MakeForeignArchive(const QString &archive, const QString &entryName, const QByteArray &content)
{
    MakeOwnArchive(archive, entryName, content);
    QByteArray bytes = walktest::ReadFile(archive);
    const QByteArray own = CCompressZip::OwnArchiveComment().toLatin1();
    ASSERT_TRUE(bytes.endsWith(own));
    bytes.replace(bytes.size() - own.size(), own.size(), QByteArray("Compressed by Somebody"));
    ASSERT_EQ(bytes.size(), walktest::ReadFile(archive).size()) << "the comment keeps its length";
    walktest::WriteFile(archive, bytes);
}

QByteArray NoiseBytes(qsizetype size, unsigned seed)
{
    std::mt19937 generator(seed);
    QByteArray bytes(size, Qt::Uninitialized);
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char(generator() & 0xff);
    return bytes;
}

qint64 DosRoundedNs(qint64 nanoseconds)
{
    const qint64 seconds = nanoseconds / 1000000000;
    return (seconds - seconds % 2) * 1000000000;
}

void CompressionTest::SetUp()
{
    WalkTest::SetUp();
    StartNewRun();
}

void CompressionTest::TearDown()
{
    platform::fault::Disarm();
    WalkTest::TearDown();
}

void CompressionTest::StartNewRun()
{
    auto observer = std::make_unique<HookedObserver>();
    m_hooked = observer.get();
    m_observer = std::move(observer);
    m_params = std::make_unique<CViewData>();
    m_params->ThreadCount = 1;
}

void CompressionTest::RunZip()
{
    RunContext run(*m_params, Observer(), Presentation::Headless);
    m_activeRun = &run;
    RunController(run).Run();
    m_activeRun = nullptr;
    m_runErrors = run.ErrorCount();
    m_runSkippedFiles = run.SkippedFiles();
    m_runSkippedDirectories = run.SkippedDirectories();
}

QStringList CompressionTest::CompressionNotices() const
{
    QStringList notices;
    for (const QString &text : MessagesOfKind(MessageKind::Information)) {
        if (text.startsWith(QStringLiteral("Keine Komprimierung der Datei")))
            notices << text;
    }
    return notices;
}

std::vector<RecordingObserver::Pane> CompressionTest::PanesWithMask(quint64 mask) const
{
    std::vector<RecordingObserver::Pane> panes;
    for (const auto &pane : Observer().Panes()) {
        if (pane.mask == mask)
            panes.push_back(pane);
    }
    return panes;
}

QStringList CompressionTest::ZipNamesBelow(const QString &root) const
{
    QStringList names;
    for (const auto &[relative, content] : walktest::Snapshot(root)) {
        if (relative.endsWith(QStringLiteral(".zip"), Qt::CaseInsensitive))
            names << relative;
    }
    return names;
}

} // namespace ziptest
