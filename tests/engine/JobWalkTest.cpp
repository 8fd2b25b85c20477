#include "engine/WalkFixture.h"

#include "engine/RunContext.h"
#include "engine/RunController.h"
#include "engine/TextFormat.h"
#include "resources/Strings.h"

#include <QDate>
#include <QDir>

#include <sys/stat.h>

using namespace walktest;

namespace {

QString SkipLine(int id, const QString &path)
{
    return FormatStr(id, {path});
}

QString SkipCountsLine(int files, int directories)
{
    return FormatStr(383, {qint64(files), qint64(directories)});
}

QStringList Prefixed(const QString &root, const QStringList &relatives)
{
    QStringList paths;
    for (const QString &relative : relatives)
        paths << root + u'/' + relative;
    return paths;
}

// The events a job walk sends itself, without the listing's and the copy phase's directory
// display, which depend on the clock.
constexpr quint64 kScanStart = UPD_ACT_SCAN | UPD_BAR1_RESET | UPD_SOURCE | UPD_TARGET;
constexpr quint64 kListed = UPD_COUNT_FILES | UPD_SIZE;
constexpr quint64 kCopyStart = UPD_COUNT_FILE_OF | UPD_SIZE | UPD_BAR1_RESET;
constexpr quint64 kDirsOnlyStart = UPD_PCT2_FILE | UPD_BAR2_FILE | UPD_BAR2_RESET | UPD_COUNT_DIRS | UPD_ACT_MKDIR;
constexpr quint64 kRefresh = UPD_COUNT_FILE_OF | UPD_TIME_BYTES | UPD_PCT1_BYTES | UPD_BAR1_BYTES | UPD_ACT_WORKING;

std::vector<RecordingObserver::Pane> WalkEvents(const RecordingObserver &observer)
{
    std::vector<RecordingObserver::Pane> events;
    for (const auto &event : observer.Panes()) {
        if (event.mask == kScanStart || event.mask == kListed || event.mask == kCopyStart
            || event.mask == kDirsOnlyStart || event.mask == kRefresh || event.mask == UPD_ACT_DONE)
            events.push_back(event);
    }
    return events;
}

} // namespace

class PlainCopy : public WalkTest, public ::testing::WithParamInterface<bool> {};

TEST_P(PlainCopy, CopiesTheTreeAndWritesTheRecords)
{
    const bool withSubdirs = GetParam();
    Put(QStringLiteral("a.txt"), "alpha");
    Put(QStringLiteral("b.bin"), QByteArray(1000, 'b'));
    Put(QStringLiteral("sub/c.txt"), "gamma");
    Put(QStringLiteral("sub/deeper/d.txt"), "delta!");
    MakeDirectory(Source() + QStringLiteral("/empty"));
    SetMtime(Source() + QStringLiteral("/a.txt"), 1600000000, 123456700);
    AddJob(Source(), Target(), withSubdirs);

    Run();

    std::map<QString, QByteArray> expected = Snapshot(Source());
    QStringList copied = Prefixed(Source(), {QStringLiteral("a.txt"), QStringLiteral("b.bin")});
    if (!withSubdirs) {
        for (auto it = expected.begin(); it != expected.end();)
            it = it->first.contains(u'/') ? expected.erase(it) : std::next(it);
    } else {
        copied << Prefixed(Source(), {QStringLiteral("sub/c.txt"), QStringLiteral("sub/deeper/d.txt")});
    }
    EXPECT_EQ(Snapshot(Target()), expected);
    EXPECT_EQ(MtimeNs(Target() + QStringLiteral("/a.txt")), 1600000000123456700LL);
    EXPECT_EQ(Sorted(RecordLines(CopiedPath())), Sorted(copied));
    EXPECT_TRUE(RecordLines(RetryPath()).isEmpty());
    EXPECT_TRUE(RecordLines(SkippedPath()).isEmpty());

    const QStringList header = {FormatStr(341, {Source()}), FormatStr(342, {Target()}),
                                FormatStr(358, {withSubdirs ? QStringLiteral("Ja") : QStringLiteral("Nein")}),
                                QString(), SkipCountsLine(0, 0)};
    EXPECT_EQ(LogBlock().mid(0, header.size()), header);

    const CProgressData record = FinalRecord();
    const int files = withSubdirs ? 4 : 2;
    const qint64 bytes = withSubdirs ? 1016 : 1005;
    EXPECT_EQ(record.SelectedFiles, files);
    EXPECT_EQ(record.FilesDone, files);
    EXPECT_EQ(record.TotalBytes, bytes);
    EXPECT_EQ(record.BytesDone, bytes);
    EXPECT_EQ(record.DirectoryCount, withSubdirs ? 4 : 1);
    EXPECT_EQ(record.DirectoriesDone, record.DirectoryCount);
    EXPECT_EQ(record.ErrorCount, 0);
    EXPECT_EQ(m_runErrors, 0);
    EXPECT_EQ(MessagesOfKind(MessageKind::SkipCounters), QStringList{QString()});
}

INSTANTIATE_TEST_SUITE_P(JobWalk, PlainCopy, ::testing::Values(true, false),
                         [](const auto &info) { return info.param ? "WithSubdirs" : "TopLevelOnly"; });

TEST_F(WalkTest, PaneEventsFollowTheWalk)
{
    Put(QStringLiteral("a.txt"), "12345");
    Put(QStringLiteral("sub/b.txt"), "123");
    AddJob(Source(), Target());

    Run();

    const auto events = WalkEvents(Observer());
    ASSERT_GE(events.size(), 6u);
    EXPECT_EQ(events[0].mask, kScanStart);
    EXPECT_TRUE(events[0].record.SourcePath.isEmpty());
    EXPECT_TRUE(events[0].record.TargetPath.isEmpty());
    EXPECT_EQ(events[1].mask, kListed);
    EXPECT_EQ(events[1].record.SelectedFiles, 2);
    EXPECT_EQ(events[1].record.TotalBytes, 8);
    EXPECT_EQ(events[2].mask, kCopyStart);
    EXPECT_EQ(events[2].record.DirectoryCount, 2);
    EXPECT_EQ(events[2].record.FilesDone, 0);
    EXPECT_EQ(events[3].mask, kRefresh) << "the first file of a job always refreshes";
    EXPECT_EQ(events[3].record.FilesDone, 1);
    const auto &last = events[events.size() - 2];
    EXPECT_EQ(last.mask, kRefresh);
    EXPECT_EQ(last.record.FilesDone, 2);
    EXPECT_EQ(last.record.BytesDone, 8);
    EXPECT_EQ(events.back().mask, UPD_ACT_DONE);
}

TEST_F(WalkTest, ScanOnlyListsWithoutCopying)
{
    Put(QStringLiteral("a.txt"));
    Put(QStringLiteral("x.tmp"));
    Put(QStringLiteral("sub/b.txt"), "bb");
    MakeDirectory(Source() + QStringLiteral("/empty"));
    MakeDirectory(Target() + QStringLiteral("/stale"));
    m_params->ScanOnly = true;
    m_params->DeleteEmptyTargetDirs = true;
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> target{{QStringLiteral("stale/"), QByteArray()}};
    EXPECT_EQ(Snapshot(Target()), target) << "nothing is created, the clean-up does not run";
    EXPECT_EQ(Sorted(RecordLines(CopiedPath())),
              Sorted(Prefixed(Source(), {QStringLiteral("a.txt"), QStringLiteral("sub/b.txt")})));
    EXPECT_EQ(RecordLines(SkippedPath()), QStringList{SkipLine(308, Source() + QStringLiteral("/x.tmp"))});
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.SelectedFiles, 2);
    EXPECT_EQ(record.TotalBytes, 3);
    EXPECT_EQ(record.FilesDone, 0);
    EXPECT_EQ(record.SkippedFiles, 1);
    EXPECT_EQ(m_runErrors, 0);
    for (const QString &text : MessagesOfKind(MessageKind::Information))
        EXPECT_FALSE(text.startsWith(QStringLiteral("Anzahl gelöschter"))) << text.toStdString();
}

TEST_F(WalkTest, DirectoriesOnlyCreatesTheTreeWithoutFiles)
{
    Put(QStringLiteral("a.txt"));
    Put(QStringLiteral("sub/b.txt"));
    Put(QStringLiteral("sub/deeper/c.txt"));
    m_params->DirectoriesOnly = true;
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> target{{QStringLiteral("sub/"), QByteArray()},
                                               {QStringLiteral("sub/deeper/"), QByteArray()}};
    EXPECT_EQ(Snapshot(Target()), target);
    EXPECT_TRUE(RecordLines(CopiedPath()).isEmpty());
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.DirectoryCount, 3);
    EXPECT_EQ(record.DirectoriesDone, 3);
    EXPECT_EQ(record.SelectedFiles, 3);
    EXPECT_EQ(record.FilesDone, 0);
    const auto events = WalkEvents(Observer());
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[2].mask, kDirsOnlyStart);
}

TEST_F(WalkTest, EmptyTargetCopiesOntoOneTemporaryFile)
{
    Put(QStringLiteral("a.txt"), "aaa");
    Put(QStringLiteral("sub/b.txt"), "bbbb");
    Put(QStringLiteral("sub/c.txt"), "c");
    m_params->CompareAfterCopy = true;
    m_params->DeleteEmptyTargetDirs = true;
    m_params->IncludeRootDir = true;
    AddJob(Source(), QString());

    Run();

    QStringList targets;
    for (const auto &event : Observer().Panes()) {
        if (event.mask & UPD_ACT_COPY)
            targets << event.record.TargetPath;
    }
    ASSERT_FALSE(targets.isEmpty());
    targets.removeDuplicates();
    ASSERT_EQ(targets.size(), 1) << "every file goes onto the same temporary file";
    EXPECT_TRUE(targets[0].startsWith(ProgramTemp() + u'/')) << targets[0].toStdString();
    EXPECT_FALSE(Exists(targets[0])) << "deleted at the end of the job";
    EXPECT_TRUE(LeftoverTempFiles().isEmpty()) << LeftoverTempFiles().join(u' ').toStdString();
    const QStringList top = QDir(Root()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    EXPECT_EQ(Sorted(top), Sorted({QStringLiteral("config"), QStringLiteral("lists"), QStringLiteral("src"),
                                   QStringLiteral("tmp")}));
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.FilesDone, 3);
    EXPECT_EQ(record.BytesDone, 8);
    EXPECT_EQ(m_runErrors, 0);
    EXPECT_EQ(LogBlock().value(1), FormatStr(342, {QString()}));
}

TEST_F(WalkTest, DateFolderHoldsTheCopiesAndTheCheckKeysStayWithoutIt)
{
    Put(QStringLiteral("a.txt"), "a");
    Put(QStringLiteral("sub/b.txt"), "bb");
    m_params->AppendDateToTarget = true;
    m_params->DateFolderFormat = QStringLiteral("%Y_%m_%d");
    m_params->CheckFile = CheckPath();
    m_params->CheckFileData.Load(CheckPath());
    AddJob(Source(), Target());

    const QString before = QDate::currentDate().toString(QStringLiteral("yyyy_MM_dd"));
    Run();
    const QString after = QDate::currentDate().toString(QStringLiteral("yyyy_MM_dd"));

    const QStringList folders = QDir(Target()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ASSERT_EQ(folders.size(), 1);
    EXPECT_TRUE(folders[0] == before || folders[0] == after) << folders[0].toStdString();
    const std::map<QString, QByteArray> inFolder{{QStringLiteral("a.txt"), "a"},
                                                 {QStringLiteral("sub/"), QByteArray()},
                                                 {QStringLiteral("sub/b.txt"), "bb"}};
    EXPECT_EQ(Snapshot(Target() + u'/' + folders[0]), inFolder);

    QStringList keys;
    for (const QString &line : RecordLines(CheckPath()))
        keys << line.section(u'|', 0, 0);
    // The check file keeps its keys with the ASCII letters folded.
    EXPECT_EQ(Sorted(keys), Sorted({(Target() + QStringLiteral("/a.txt")).toLower(),
                                    (Target() + QStringLiteral("/sub/b.txt")).toLower()}));
}

struct EmptyTargetRow {
    const char *name;
    bool selectsSomething;
    bool includeRoot;
    bool rootRemains;
    int deleted;
    int searched;
};

class EmptyTargetDirs : public WalkTest, public ::testing::WithParamInterface<EmptyTargetRow> {};

TEST_P(EmptyTargetDirs, RemovesTheDirectoriesLeftEmpty)
{
    const EmptyTargetRow row = GetParam();
    Put(QStringLiteral("only_tmp/x.tmp"));
    MakeDirectory(Source() + QStringLiteral("/empty"));
    if (row.selectsSomething) {
        Put(QStringLiteral("a.txt"));
        Put(QStringLiteral("sub/b.txt"));
    }
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    m_params->DeleteEmptyTargetDirs = true;
    m_params->IncludeRootDir = row.includeRoot;
    AddJob(Source(), Target());

    Run();

    EXPECT_EQ(Exists(Target()), row.rootRemains);
    EXPECT_FALSE(Exists(Target() + QStringLiteral("/empty")));
    EXPECT_FALSE(Exists(Target() + QStringLiteral("/only_tmp")));
    if (row.selectsSomething) {
        EXPECT_EQ(ReadFile(Target() + QStringLiteral("/sub/b.txt")), QByteArray("x"));
    }
    const QString summary = FormatStr(422, {qint64(row.deleted), qint64(row.searched)});
    EXPECT_EQ(MessagesOfKind(MessageKind::Information).count(summary), 1) << summary.toStdString();
    EXPECT_TRUE(LogBlock().contains(summary));
    const CProgressData record = FinalRecord();
    EXPECT_EQ(record.StageDeletedCount, row.deleted);
    EXPECT_EQ(record.StageSearchedCount, row.searched);
}

INSTANTIATE_TEST_SUITE_P(JobWalk, EmptyTargetDirs,
                         ::testing::Values(EmptyTargetRow{"FilesKeepTheRoot", true, false, true, 2, 4},
                                           EmptyTargetRow{"FilesKeepTheRootEvenWhenIncluded", true, true, true, 2, 4},
                                           EmptyTargetRow{"NothingSelectedRootStays", false, false, true, 2, 3},
                                           EmptyTargetRow{"NothingSelectedRootGoes", false, true, false, 3, 3}),
                         [](const auto &info) { return info.param.name; });

TEST_F(WalkTest, CancelledRunKeepsTheEmptyTargetRoot)
{
    MakeDirectory(Target());
    Put(QStringLiteral("a.txt"));
    m_params->DeleteEmptyTargetDirs = true;
    m_params->IncludeRootDir = true;
    AddJob(Source(), Target());
    RunContext *running = nullptr;
    Observer().SetMessageHook([&](const CProgressData &record) {
        if (record.MessageText == LoadStr(323).replace(QStringLiteral("%d"), QStringLiteral("0")))
            running->RequestCancel();
    });

    RunContext run(*m_params, Observer(), Presentation::Headless);
    running = &run;
    RunController(run).Run();

    EXPECT_TRUE(Exists(Target()));
    EXPECT_TRUE(MessagesOfKind(MessageKind::Error).contains(LoadStr(348)));
    EXPECT_TRUE(LogBlock().contains(LoadStr(347)));
    for (const QString &text : MessagesOfKind(MessageKind::Information))
        EXPECT_FALSE(text.startsWith(QStringLiteral("Anzahl gelöschter"))) << text.toStdString();
}

TEST_F(WalkTest, DeleteSourceAfterCopyEmptiesTheSourceButKeepsItsRoot)
{
    Put(QStringLiteral("a.txt"), "a");
    Put(QStringLiteral("sub/b.txt"), "b");
    Put(QStringLiteral("sub/deeper/c.txt"), "c");
    Put(QStringLiteral("keep.tmp"), "k");
    MakeDirectory(Source() + QStringLiteral("/empty"));
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    m_params->DeleteSourceAfterCopy = true;
    AddJob(Source(), Target());

    Run();

    const std::map<QString, QByteArray> source{{QStringLiteral("keep.tmp"), "k"}};
    EXPECT_EQ(Snapshot(Source()), source);
    const std::map<QString, QByteArray> target{{QStringLiteral("a.txt"), "a"},
                                               {QStringLiteral("empty/"), QByteArray()},
                                               {QStringLiteral("sub/"), QByteArray()},
                                               {QStringLiteral("sub/b.txt"), "b"},
                                               {QStringLiteral("sub/deeper/"), QByteArray()},
                                               {QStringLiteral("sub/deeper/c.txt"), "c"}};
    EXPECT_EQ(Snapshot(Target()), target);
    const QString summary = FormatStr(429, {qint64(3), qint64(4)});
    EXPECT_TRUE(MessagesOfKind(MessageKind::Information).contains(summary)) << summary.toStdString();
    EXPECT_TRUE(LogBlock().contains(summary));
}

TEST_F(WalkTest, UncreatableTargetDirectoryIsOneErrorAndItsFilesAreLeftOut)
{
    Put(QStringLiteral("a.txt"), "a");
    Put(QStringLiteral("sub/b.txt"), "b");
    Put(QStringLiteral("sub/c.txt"), "c");
    MakeDirectory(Target());
    WriteFile(Target() + QStringLiteral("/sub"), "in the way");
    AddJob(Source(), Target());

    Run();

    const QStringList errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1) << errors.join(u'|').toStdString();
    const QString expectedStart = QStringLiteral(" Zielverzeichnis: \"%1/sub/\" kann nicht angelegt werden. Fehler: ").arg(Target());
    EXPECT_TRUE(errors[0].contains(expectedStart)) << errors[0].toStdString();
    EXPECT_TRUE(errors[0].startsWith(u'[')) << "begins with the time stamp";
    EXPECT_TRUE(LogBlock().contains(errors[0].chopped(2)));
    EXPECT_EQ(RecordLines(CopiedPath()), QStringList{Source() + QStringLiteral("/a.txt")});
    EXPECT_TRUE(RecordLines(RetryPath()).isEmpty());
    EXPECT_EQ(FinalRecord().ErrorCount, 1);
    EXPECT_EQ(FinalRecord().DirectoriesDone, 1);
}

TEST_F(WalkTest, MissingSourceRootIsReportedAndTheTargetRootStillCreated)
{
    AddJob(Root() + QStringLiteral("/vanished"), Target());

    Run();

    EXPECT_TRUE(Exists(Target()));
    const QStringList errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].contains(Root() + QStringLiteral("/vanished"))) << errors[0].toStdString();
    EXPECT_EQ(FinalRecord().ErrorCount, 1);
}

namespace {

// How often the source of the lines changes between the two jobs: 1 when each job's lines form
// one block.
int Switches(const QStringList &lines, const QString &firstSource)
{
    int switches = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i].contains(firstSource) != lines[i - 1].contains(firstSource))
            ++switches;
    }
    return switches;
}

} // namespace

TEST_F(WalkTest, TwoJobsOnThreeThreadsNeverInterleaveTheirBlocks)
{
    const QString source0 = Root() + QStringLiteral("/src0");
    const QString source1 = Root() + QStringLiteral("/src1");
    for (const QString &source : {source0, source1}) {
        MakeDirectory(source + QStringLiteral("/sub"));
        for (int i = 0; i < 40; ++i)
            WriteFile(source + QStringLiteral("/sub/f%1.txt").arg(i), QByteArray(i * 50, 'f'));
        WriteFile(source + QStringLiteral("/a.tmp"), "t");
        WriteFile(source + QStringLiteral("/sub/b.tmp"), "t");
    }
    m_params->ThreadCount = 3;
    m_params->FileExcludeList = {QStringLiteral("*.tmp")};
    AddJob(source0, Root() + QStringLiteral("/dst0"));
    AddJob(source1, Root() + QStringLiteral("/dst1"));

    Run();

    const QStringList copied = RecordLines(CopiedPath());
    ASSERT_EQ(copied.size(), 80);
    EXPECT_EQ(Switches(copied, source0 + u'/'), 1);
    const QStringList skipped = RecordLines(SkippedPath());
    ASSERT_EQ(skipped.size(), 4);
    EXPECT_EQ(Switches(skipped, source0 + u'/'), 1);
    for (int job = 0; job < 2; ++job) {
        const QStringList block = LogBlock(job);
        const QString source = job == 0 ? source0 : source1;
        ASSERT_GE(block.size(), 5);
        EXPECT_EQ(block[0], FormatStr(341, {source}));
        EXPECT_EQ(block[4], SkipCountsLine(2, 0));
        for (const QString &line : block)
            EXPECT_FALSE(line.contains(job == 0 ? source1 : source0)) << line.toStdString();
    }
    EXPECT_EQ(RecordLines(LogPath()).count(QString(81, u'*')), 2);
    EXPECT_EQ(Snapshot(Root() + QStringLiteral("/dst1")).size(), 41u);
    EXPECT_EQ(m_runErrors, 0);
    EXPECT_EQ(m_runSkippedFiles, 4);
}

TEST_F(WalkTest, DirectoryRightsGoToEveryNewDirectoryButTheRoot)
{
    Put(QStringLiteral("sub/deeper/a.txt"));
    ASSERT_EQ(::chmod(Encoded(Source()).constData(), 0701), 0);
    ASSERT_EQ(::chmod(Encoded(Source() + QStringLiteral("/sub")).constData(), 0750), 0);
    ASSERT_EQ(::chmod(Encoded(Source() + QStringLiteral("/sub/deeper")).constData(), 0711), 0);
    MakeDirectory(Root() + QStringLiteral("/probe"));
    m_params->CopyDirectoryRights = true;
    AddJob(Source(), Target());

    Run();

    auto mode = [](const QString &path) {
        struct stat st{};
        ::stat(Encoded(path).constData(), &st);
        return st.st_mode & 07777;
    };
    EXPECT_EQ(mode(Target()), mode(Root() + QStringLiteral("/probe"))) << "the root keeps the default rights";
    EXPECT_EQ(mode(Target() + QStringLiteral("/sub")), 0750u);
    EXPECT_EQ(mode(Target() + QStringLiteral("/sub/deeper")), 0711u);
    EXPECT_EQ(ReadFile(Target() + QStringLiteral("/sub/deeper/a.txt")), QByteArray("x"));
    EXPECT_EQ(m_runErrors, 0);
}
