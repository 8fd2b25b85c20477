#include "engine/WalkFixture.h"

#include "engine/CDirStruct.h"
#include "engine/CUtil.h"
#include "engine/DirectoryEnumeration.h"
#include "engine/JobContext.h"
#include "engine/JobRoots.h"
#include "engine/RunContext.h"
#include "engine/Selection.h"
#include "engine/TextFormat.h"
#include "model/CDateTime.h"
#include "platform/FileTime.h"

#include <QCryptographicHash>
#include <QDir>

#include <algorithm>

#include <sys/inotify.h>
#include <unistd.h>

using namespace walktest;
using namespace Qt::StringLiterals;

namespace {

QString SkipLine(int id, const QString &path)
{
    return FormatStr(id, {path});
}

} // namespace

TEST_F(WalkTest, FileExclusionBeatsInclusion)
{
    Put(QStringLiteral("a.tmp"));
    Put(QStringLiteral("a.txt"));
    Put(QStringLiteral("a.doc"));
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    m_params->FileIncludeList = {QStringLiteral("*.tmp"), QStringLiteral("*.txt")};
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> target{{QStringLiteral("a.txt"), "x"}};
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_EQ(Sorted(RecordLines(SkippedPath())), Sorted({SkipLine(308, Source() + QStringLiteral("/a.tmp")),
                                                          SkipLine(309, Source() + QStringLiteral("/a.doc"))}));
    EXPECT_EQ(FinalRecord().SkippedFiles, 2);
    EXPECT_EQ(m_runSkippedFiles, 2);
    EXPECT_EQ(m_runErrors, 0);
}

TEST_F(WalkTest, DirectoryExclusionSkipsTheSubtreeOnce)
{
    Put(QStringLiteral("a.txt"));
    Put(QStringLiteral("temp/x.txt"));
    Put(QStringLiteral("temp/y.doc"));
    Put(QStringLiteral("temp/inner/z.txt"));
    Put(QStringLiteral("keep/temp2/w.txt"));
    m_params->DirExcludeList = {QStringLiteral("*/temp")};
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> target{{QStringLiteral("a.txt"), "x"},
                                               {QStringLiteral("keep/"), QByteArray()},
                                               {QStringLiteral("keep/temp2/"), QByteArray()},
                                               {QStringLiteral("keep/temp2/w.txt"), "x"}};
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_EQ(RecordLines(SkippedPath()), QStringList{SkipLine(310, Source() + QStringLiteral("/temp"))});
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.SkippedDirectories, 1);
    EXPECT_EQ(record.SkippedFiles, 0) << "nothing below a skipped directory is counted";
    EXPECT_EQ(record.DirectoryCount, 3);
    EXPECT_EQ(m_runSkippedDirectories, 1);
    EXPECT_EQ(LogBlock().value(4), FormatStr(383, {qint64(0), qint64(1)}));
}

TEST_F(WalkTest, DirectoryInclusionSeesTheFullPath)
{
    Put(QStringLiteral("a.txt"));
    Put(QStringLiteral("keep/sub/b.txt"));
    Put(QStringLiteral("other/c.txt"));
    m_params->DirIncludeList = {QStringLiteral("*/k*")};
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> target{{QStringLiteral("a.txt"), "x"},
                                               {QStringLiteral("keep/"), QByteArray()},
                                               {QStringLiteral("keep/sub/"), QByteArray()},
                                               {QStringLiteral("keep/sub/b.txt"), "x"}};
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_EQ(RecordLines(SkippedPath()), QStringList{SkipLine(311, Source() + QStringLiteral("/other"))});
}

TEST_F(WalkTest, ArchiveBitIsTestedBeforeThePatterns)
{
    Put(QStringLiteral("set.txt"), "s");
    Put(QStringLiteral("cleared.txt"), "c");
    bool wasSet = false;
    if (!CUtil::ClearArchiveAttribute(Source() + QStringLiteral("/cleared.txt"), &wasSet))
        GTEST_SKIP() << "the temporary file system keeps no user extended attributes";
    m_params->OnlyArchiveBit = true;
    m_params->FileIncludeList = {QStringLiteral("*.txt")};
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> target{{QStringLiteral("set.txt"), "s"}};
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_EQ(RecordLines(SkippedPath()), QStringList{SkipLine(307, Source() + QStringLiteral("/cleared.txt"))});
}

struct DateRow {
    const char *name;
    int fromOffset; // seconds from the file's time; kNone leaves the bound unset
    int toOffset;
    qint64 fileNanoseconds;
    int refusal; // 0: copied
};

constexpr int kNone = 1000000;

class DateRange : public WalkTest, public ::testing::WithParamInterface<DateRow> {};

TEST_P(DateRange, BoundsIncludeEqualTimes)
{
    const DateRow row = GetParam();
    constexpr qint64 kFileSeconds = 1700000000;
    Put(QStringLiteral("f.txt"));
    SetMtime(Source() + QStringLiteral("/f.txt"), kFileSeconds, row.fileNanoseconds);
    const model::CDateTime fileTime = model::CDateTime::FromFileTime(platform::FileTimeFromUnix(kFileSeconds, 0));
    auto bound = [&](int offset) {
        if (offset == kNone)
            return model::CDateTime();
        return model::CDateTime::FromLocalTicks(fileTime.LocalTicks() + offset * model::CDateTime::TicksPerSecond);
    };
    m_params->DateFrom = bound(row.fromOffset);
    m_params->DateTo = bound(row.toOffset);
    AddJob(Source(), Target());

    Run();

    EXPECT_EQ(Exists(Target() + QStringLiteral("/f.txt")), row.refusal == 0);
    const QStringList skipped = row.refusal == 0 ? QStringList()
                                                 : QStringList{SkipLine(row.refusal, Source() + QStringLiteral("/f.txt"))};
    EXPECT_EQ(RecordLines(SkippedPath()), skipped);
}

INSTANTIATE_TEST_SUITE_P(Selection, DateRange,
                         ::testing::Values(DateRow{"FromEqual", 0, kNone, 0, 0},
                                           DateRow{"FromOneSecondLater", 1, kNone, 0, 318},
                                           DateRow{"ToEqual", kNone, 0, 0, 0},
                                           DateRow{"ToOneSecondEarlier", kNone, -1, 0, 319},
                                           DateRow{"BothEqual", 0, 0, 0, 0},
                                           DateRow{"FractionWithinTheSecond", 0, 0, 500000000, 0},
                                           DateRow{"FromLaterWinsOverTo", 1, -1, 0, 318}),
                         [](const auto &info) { return info.param.name; });

struct PresenceRow {
    const char *name;
    bool onlyMissing;
    bool dateFolder;
    std::map<QString, QByteArray> target;
    QStringList refused; // relative source paths
    int refusal;
};

class TargetPresence : public WalkTest, public ::testing::WithParamInterface<PresenceRow> {};

TEST_P(TargetPresence, ComparesWithTheTargetWithoutDateFolder)
{
    const PresenceRow row = GetParam();
    Put(QStringLiteral("a.txt"), "new");
    Put(QStringLiteral("b.txt"), "new");
    Put(QStringLiteral("sub/c.txt"), "new");
    MakeDirectory(Target() + QStringLiteral("/sub"));
    WriteFile(Target() + QStringLiteral("/a.txt"), "old");
    WriteFile(Target() + QStringLiteral("/sub/c.txt"), "old");
    m_params->OnlyMissingInTarget = row.onlyMissing;
    m_params->OnlyExistingInTarget = !row.onlyMissing;
    m_params->AppendDateToTarget = row.dateFolder;
    m_params->DateFolderFormat = QStringLiteral("day");
    AddJob(Source(), Target());

    Run();

    EXPECT_EQ(Snapshot(Target()), row.target);
    QStringList skipped;
    for (const QString &relative : row.refused)
        skipped << SkipLine(row.refusal, Source() + u'/' + relative);
    EXPECT_EQ(Sorted(RecordLines(SkippedPath())), Sorted(skipped));
}

INSTANTIATE_TEST_SUITE_P(
    Selection, TargetPresence,
    ::testing::Values(
        PresenceRow{"OnlyMissing",
                    true,
                    false,
                    {{QStringLiteral("a.txt"), "old"},
                     {QStringLiteral("b.txt"), "new"},
                     {QStringLiteral("sub/"), QByteArray()},
                     {QStringLiteral("sub/c.txt"), "old"}},
                    {QStringLiteral("a.txt"), QStringLiteral("sub/c.txt")},
                    366},
        PresenceRow{"OnlyExisting",
                    false,
                    false,
                    {{QStringLiteral("a.txt"), "new"},
                     {QStringLiteral("sub/"), QByteArray()},
                     {QStringLiteral("sub/c.txt"), "new"}},
                    {QStringLiteral("b.txt")},
                    367},
        PresenceRow{"OnlyMissingWithDateFolder",
                    true,
                    true,
                    {{QStringLiteral("a.txt"), "old"},
                     {QStringLiteral("day/"), QByteArray()},
                     {QStringLiteral("day/b.txt"), "new"},
                     {QStringLiteral("day/sub/"), QByteArray()},
                     {QStringLiteral("sub/"), QByteArray()},
                     {QStringLiteral("sub/c.txt"), "old"}},
                    {QStringLiteral("a.txt"), QStringLiteral("sub/c.txt")},
                    366}),
    [](const auto &info) { return info.param.name; });

class CheckFileOrder : public WalkTest, public ::testing::WithParamInterface<bool> {};

// The second run finds every file unchanged in the check file and present in the target: which
// of the two refusals it writes shows which rule came first.
TEST_P(CheckFileOrder, ChecksumsAreOnlyComputedAfterThePresenceTest)
{
    const bool checksums = GetParam();
    Put(QStringLiteral("a.txt"), "aaa");
    Put(QStringLiteral("sub/b.txt"), "bb");
    m_params->CheckFile = CheckPath();
    m_params->ChecksumEnabled = checksums;
    m_params->CheckFileData.Load(CheckPath());
    AddJob(Source(), Target());
    Run();
    ASSERT_EQ(FinalRecord().FilesDone, 2);
    ASSERT_EQ(RecordLines(CheckPath()).size(), 2);

    NewObserver();
    m_params->CheckFileData.Load(CheckPath());
    m_params->OnlyMissingInTarget = true;
    Run();

    const int refusal = checksums ? 366 : 362;
    EXPECT_EQ(Sorted(RecordLines(SkippedPath())),
              Sorted({SkipLine(refusal, Source() + QStringLiteral("/a.txt")),
                      SkipLine(refusal, Source() + QStringLiteral("/sub/b.txt"))}));
    EXPECT_EQ(FinalRecord().FilesDone, 0);
    EXPECT_EQ(FinalRecord().SkippedFiles, 2);
}

INSTANTIATE_TEST_SUITE_P(Selection, CheckFileOrder, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "WithChecksums" : "WithoutChecksums"; });

TEST_F(WalkTest, ChangedFileIsCopiedAgainAndItsChecksumStored)
{
    Put(QStringLiteral("a.txt"), "one");
    Put(QStringLiteral("b.txt"), "two");
    m_params->CheckFile = CheckPath();
    m_params->ChecksumEnabled = true;
    m_params->CheckFileData.Load(CheckPath());
    AddJob(Source(), Target());
    Run();

    WriteFile(Source() + QStringLiteral("/b.txt"), "TWO");
    SetMtime(Source() + QStringLiteral("/b.txt"), 1600000000);
    m_params->CheckFileData.Load(CheckPath());
    Run();

    EXPECT_EQ(RecordLines(SkippedPath()), QStringList{SkipLine(362, Source() + QStringLiteral("/a.txt"))});
    EXPECT_EQ(ReadFile(Target() + QStringLiteral("/b.txt")), QByteArray("TWO"));
    QStringList checkLines = RecordLines(CheckPath());
    checkLines.sort();
    ASSERT_EQ(checkLines.size(), 2);
    EXPECT_TRUE(checkLines[1].endsWith(QStringLiteral("|") + QString::fromLatin1(
                                           QCryptographicHash::hash("TWO", QCryptographicHash::Md5).toHex())))
        << checkLines[1].toStdString();
}

TEST_F(WalkTest, EmptyTargetIgnoresTheTargetRules)
{
    Put(QStringLiteral("a.txt"));
    Put(QStringLiteral("b.tmp"));
    m_params->OnlyExistingInTarget = true;
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    AddJob(Source(), QString());

    Run();

    EXPECT_EQ(RecordLines(SkippedPath()), QStringList{SkipLine(308, Source() + QStringLiteral("/b.tmp"))});
    EXPECT_EQ(FinalRecord().FilesDone, 1);
}

TEST_F(WalkTest, CompressionNoticeOnlyForTooLargeFiles)
{
    Put(QStringLiteral("small.bin"), QByteArray(255, 's'));
    Put(QStringLiteral("large.bin"), QByteArray(1048577, 'l'));
    m_params->CompressFiles = true;
    m_params->CompressMinSize = 256;
    m_params->CompressMaxSize = 1048576;
    AddJob(Source(), Target());

    Run();

    const QString notice = FormatStr(402, {Source() + QStringLiteral("/large.bin")});
    EXPECT_EQ(MessagesOfKind(MessageKind::Information).filter(QStringLiteral("Keine Komprimierung")),
              QStringList{notice});
    EXPECT_TRUE(LogBlock().contains(notice)) << "the trailing blank of the text stays";
    EXPECT_EQ(ReadFile(Target() + QStringLiteral("/small.bin")).size(), 255);
    EXPECT_EQ(ReadFile(Target() + QStringLiteral("/large.bin")).size(), 1048577);
}

struct CompressionRow {
    const char *name;
    bool compressFiles;
    QString fileName;
    qint64 size;
    CompressionChoice expected;
    quint32 flags;
};

class Compression : public ::testing::TestWithParam<CompressionRow> {};

TEST_P(Compression, DecisionAndFlags)
{
    const CompressionRow row = GetParam();
    CViewData params;
    params.CompressFiles = row.compressFiles;
    params.CompressMinSize = 256;
    params.CompressMaxSize = 1048576;
    params.CompressExcludeList = {QStringLiteral("*.JPG")};
    const CompressionChoice choice = CompressionDecision(params, row.fileName, row.size);
    EXPECT_EQ(choice, row.expected);
    EXPECT_EQ(CompressionFlags(choice), row.flags);
}

INSTANTIATE_TEST_SUITE_P(
    Selection, Compression,
    ::testing::Values(CompressionRow{"Off", false, QStringLiteral("a.txt"), 1000, CompressionChoice::Off, 0},
                      CompressionRow{"BelowMinimum", true, QStringLiteral("a.txt"), 255, CompressionChoice::TooSmall, SEL_TOO_SMALL},
                      CompressionRow{"AtMinimum", true, QStringLiteral("a.txt"), 256, CompressionChoice::Compress, SEL_COMPRESS},
                      CompressionRow{"AtMaximum", true, QStringLiteral("a.txt"), 1048576, CompressionChoice::Compress, SEL_COMPRESS},
                      CompressionRow{"AboveMaximum", true, QStringLiteral("a.txt"), 1048577, CompressionChoice::TooLarge, SEL_TOO_LARGE},
                      CompressionRow{"SizeBeforePattern", true, QStringLiteral("a.jpg"), 10, CompressionChoice::TooSmall, SEL_TOO_SMALL},
                      CompressionRow{"PatternIgnoresAsciiCase", true, QStringLiteral("a.jpg"), 1000, CompressionChoice::ExcludedByPattern, SEL_EXCLUDED_BY_PATTERN}),
    [](const auto &info) { return info.param.name; });

TEST(Compression, UnboundedSizes)
{
    CViewData params;
    params.CompressFiles = true;
    EXPECT_EQ(CompressionDecision(params, QStringLiteral("a"), 0), CompressionChoice::Compress);
    EXPECT_EQ(CompressionDecision(params, QStringLiteral("a"), qint64(1) << 40), CompressionChoice::Compress);
}

struct MapRow {
    const char *name;
    QString directory, sourceRoot, targetRoot, suffix, expected;
};

class MapToTargetRows : public ::testing::TestWithParam<MapRow> {};

TEST_P(MapToTargetRows, CutsTheSourceRootByLength)
{
    const MapRow row = GetParam();
    EXPECT_EQ(MapToTarget(row.directory, row.sourceRoot, row.targetRoot, row.suffix), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    JobRoots, MapToTargetRows,
    ::testing::Values(
        MapRow{"Root", u"/s/"_s, u"/s"_s, u"/t"_s, QString(), u"/t/"_s},
        MapRow{"Nested", u"/s/a/b/"_s, u"/s"_s, u"/t"_s, QString(), u"/t/a/b/"_s},
        MapRow{"WithSuffix", u"/s/a/"_s, u"/s"_s, u"/t"_s, u"/2024_01_02"_s, u"/t/2024_01_02/a/"_s},
        MapRow{"NotCompared", u"/x/a/"_s, u"/s"_s, u"/t"_s, QString(), u"/t/a/"_s},
        MapRow{"FileSystemRootSource", u"/a/"_s, u"/"_s, u"/t"_s, QString(), u"/t/a/"_s},
        MapRow{"FileSystemRootTarget", u"/s/a/"_s, u"/s"_s, u"/"_s, QString(), u"/a/"_s},
        MapRow{"NoTarget", u"/s/a/"_s, u"/s"_s, QString(), QString(), u"/a/"_s}),
    [](const auto &info) { return info.param.name; });

TEST(JobRoots, PrepareTheDirectoriesOfTheJob)
{
    CViewData params;
    CListData job;
    job.SourceDir = QStringLiteral("/src///");
    job.TargetDir = QStringLiteral("/");
    const JobRoots roots = ComputeJobRoots(job, params);
    EXPECT_EQ(roots.Source, QStringLiteral("/src"));
    EXPECT_EQ(roots.Target, QStringLiteral("/")) << "the file-system root is a target, not an empty one";
    job.TargetDir.clear();
    params.LongFileNames = true;
    EXPECT_TRUE(ComputeJobRoots(job, params).Target.isEmpty());
    EXPECT_EQ(ComputeJobRoots(job, params).Source, QStringLiteral("/src"));
}

struct AnswerRow {
    const char *name;
    EntryKind kind;
    bool excludedByPattern;
    bool cancelled;
    int answer;
    int selected;
    int skippedFiles;
    int skippedDirectories;
};

class CollectEntryAnswers : public ::testing::TestWithParam<AnswerRow> {};

// The answer decides what the listing does next: for a directory, nonzero skips it; for any
// other entry, nonzero ends the listing of the whole parent directory.
TEST_P(CollectEntryAnswers, SkipOnlyWhatWasRefused)
{
    const AnswerRow row = GetParam();
    CViewData params;
    if (row.excludedByPattern) {
        params.DirExcludeList = {QStringLiteral("*/x")};
        params.FileExcludeList = {QStringLiteral("x")};
    }
    RecordingObserver observer;
    RunContext run(params, observer, Presentation::Headless);
    CListData job;
    JobContext context(run, &job, 0, 0);
    SelectionContext selection{context, QStringLiteral("/s"), QString()};
    if (row.cancelled)
        run.RequestCancel();
    DirEntry entry;
    entry.Name = QStringLiteral("x");
    entry.Kind = row.kind;
    entry.Info.size = 7;
    CDirStruct current(QStringLiteral("/s"));

    EXPECT_EQ(CollectEntry(QStringLiteral("/s"), entry, &selection, &current), row.answer);
    EXPECT_EQ(context.Record.SelectedFiles, row.selected);
    EXPECT_EQ(current.FileCount(), row.selected);
    EXPECT_EQ(context.Record.TotalBytes, row.selected * 7);
    EXPECT_EQ(context.Record.SkippedFiles, row.skippedFiles);
    EXPECT_EQ(context.Record.SkippedDirectories, row.skippedDirectories);
}

INSTANTIATE_TEST_SUITE_P(
    Selection, CollectEntryAnswers,
    ::testing::Values(AnswerRow{"DirectoryEntered", EntryKind::Directory, false, false, 0, 0, 0, 0},
                      AnswerRow{"DirectoryRefused", EntryKind::Directory, true, false, 1, 0, 0, 1},
                      AnswerRow{"DirectoryAfterCancel", EntryKind::Directory, false, true, 1, 0, 0, 0},
                      AnswerRow{"LinkedDirectoryKeepsTheListingGoing", EntryKind::LinkedDirectory, false, false, 0, 0, 0, 1},
                      AnswerRow{"LinkedDirectoryRefusedByPattern", EntryKind::LinkedDirectory, true, false, 0, 0, 0, 1},
                      AnswerRow{"FileSelected", EntryKind::File, false, false, 0, 1, 0, 0},
                      AnswerRow{"FileRefused", EntryKind::File, true, false, 0, 0, 1, 0},
                      AnswerRow{"FileAfterCancel", EntryKind::File, false, true, 1, 1, 0, 0},
                      AnswerRow{"SpecialSkipped", EntryKind::Special, false, false, 0, 0, 1, 0},
                      AnswerRow{"BrokenLinkSkipped", EntryKind::BrokenLink, false, false, 0, 0, 1, 0}),
    [](const auto &info) { return info.param.name; });

// The files whose checksum the listing computes ahead must be exactly those SelectFile asks
// for; one more would be read for nothing, one fewer is simply computed by the walk.
TEST(ChecksumCandidates, AreTheFilesThatReachTheChecksum)
{
    QTemporaryDir dir;
    const QString target = dir.path() + QStringLiteral("/dst");
    ASSERT_TRUE(QDir().mkpath(target));
    WriteFile(target + QStringLiteral("/present.txt"), "x");
    WriteFile(target + QStringLiteral("/packed.bin.zip"), "x");
    const auto entry = [](const QString &name, EntryKind kind) {
        DirEntry e;
        e.Name = name;
        e.Kind = kind;
        e.Info.size = 100;
        return e;
    };
    const QList<DirEntry> entries{entry(QStringLiteral("a.txt"), EntryKind::File),
                                  entry(QStringLiteral("b.tmp"), EntryKind::File),
                                  entry(QStringLiteral("present.txt"), EntryKind::File),
                                  entry(QStringLiteral("packed.bin"), EntryKind::File),
                                  entry(QStringLiteral("sub"), EntryKind::Directory),
                                  entry(QStringLiteral("fifo"), EntryKind::Special),
                                  entry(QStringLiteral("dangling"), EntryKind::BrokenLink)};
    const QString s = dir.path() + QStringLiteral("/src");
    const struct {
        const char *what;
        bool checkFile;
        bool checksums;
        bool hasTarget;
        bool onlyMissing;
        bool compress;
        QStringList expected;
    } rows[] = {
        {"check file off", false, true, true, false, false, {}},
        {"checksums off", true, false, true, false, false, {}},
        {"no target", true, true, false, false, false, {}},
        {"every regular file that passes the patterns", true, true, true, false, false,
         {s + u"/a.txt"_s, s + u"/present.txt"_s, s + u"/packed.bin"_s}},
        {"only files missing in the target", true, true, true, true, false, {s + u"/a.txt"_s, s + u"/packed.bin"_s}},
        {"compressed files are looked for with .zip", true, true, true, true, true, {s + u"/a.txt"_s}},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.what);
        CViewData params;
        params.FileExcludeList = {QStringLiteral("*.tmp")};
        params.ChecksumEnabled = row.checksums;
        params.OnlyMissingInTarget = row.onlyMissing;
        params.CompressFiles = row.compress;
        params.CompressExcludeList = {QStringLiteral("*.txt")};
        if (row.checkFile)
            params.CheckFileData.Load(dir.path() + QStringLiteral("/check.txt"));
        RecordingObserver observer;
        RunContext run(params, observer, Presentation::Headless);
        CListData job;
        JobContext context(run, &job, 0, 0);
        SelectionContext selection{context, s, row.hasTarget ? target : QString()};
        EXPECT_EQ(ChecksumCandidates(s, entries, selection), row.expected);
    }
}

// Many files over several levels, so that checksums are computed ahead while others are
// taken: every stored checksum belongs to its own file.
TEST_F(WalkTest, ChecksumsComputedAheadBelongToTheirFiles)
{
    std::map<QString, QByteArray> contents;
    for (int d = 0; d < 4; ++d) {
        for (int f = 0; f < 40; ++f) {
            const QString name = QStringLiteral("d%1/e%2/f%3.dat").arg(d).arg(f % 3).arg(f);
            const QByteArray content = QByteArray::number(d * 1000 + f).repeated(1 + f * 997);
            Put(name, content);
            contents[name] = content;
        }
    }
    Put(QStringLiteral("d0/skip.tmp"), "not read");
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    m_params->CheckFile = CheckPath();
    m_params->ChecksumEnabled = true;
    m_params->CheckFileData.Load(CheckPath());
    AddJob(Source(), Target());

    Run();

    ASSERT_EQ(FinalRecord().FilesDone, qint64(contents.size()));
    const QStringList lines = RecordLines(CheckPath());
    ASSERT_EQ(lines.size(), qsizetype(contents.size()));
    for (const QString &line : lines) {
        const QStringList fields = line.split(u'|');
        ASSERT_EQ(fields.size(), 4) << line.toStdString();
        const QString relative = fields[0].mid((Target() + u'/').size());
        const auto it = std::find_if(contents.begin(), contents.end(),
                                     [&](const auto &file) { return file.first.toLower() == relative; });
        ASSERT_NE(it, contents.end()) << line.toStdString();
        EXPECT_EQ(fields[3], QString::fromLatin1(QCryptographicHash::hash(it->second, QCryptographicHash::Md5).toHex()))
            << relative.toStdString();
    }
}

// An excluded directory may be a mount that hangs or a tree the user keeps away from the
// backup on purpose: it is never opened, not even by the listing ahead of the walk.
TEST_F(WalkTest, ExcludedDirectoriesAreNeverOpened)
{
    // Many of them, so that the listing ahead would get to some before the walk refuses them.
    constexpr int kExcluded = 300;
    Put(QStringLiteral("keep/a.txt"));
    for (int i = 0; i < kExcluded; ++i)
        Put(QStringLiteral("skip%1/b.txt").arg(i));
    const int watcher = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    ASSERT_GE(watcher, 0);
    for (int i = 0; i < kExcluded; ++i)
        ASSERT_GE(inotify_add_watch(watcher, Encoded(Source() + QStringLiteral("/skip%1").arg(i)).constData(), IN_OPEN), 0);
    m_params->DirExcludeList = {QStringLiteral("*/skip*")};
    AddJob(Source(), Target());

    Run();

    EXPECT_EQ(FinalRecord().FilesDone, 1);
    EXPECT_EQ(FinalRecord().SkippedDirectories, kExcluded);
    char events[4096];
    EXPECT_LT(::read(watcher, events, sizeof events), 0) << "an excluded directory was opened";
    ::close(watcher);
}
