#include "CopyFixture.h"

#include "engine/CUtil.h"
#include "engine/CopyOneFile.h"
#include "engine/RecordPathText.h"
#include "engine/TextFormat.h"
#include "platform/Attributes.h"
#include "platform/FaultInjection.h"
#include "resources/Strings.h"

#include <cerrno>
#include <fcntl.h>

namespace {

using testfiles::Bytes;
using testfiles::PathPresent;
using testfiles::ReadFile;
using testfiles::WriteFile;

constexpr qint64 kChunk = 8 * 1024 * 1024;

struct stat StatOf(const QString &path)
{
    struct stat st{};
    ::stat(Bytes(path).constData(), &st);
    return st;
}

void SetTimes(const QString &path, timespec access, timespec modification)
{
    const timespec stamps[2] = {access, modification};
    ASSERT_EQ(::utimensat(AT_FDCWD, Bytes(path).constData(), stamps, 0), 0);
}

bool ArchiveAttributeSet(const QString &path)
{
    quint32 attributes = 0;
    return platform::GetAttributes(path, &attributes) && (attributes & platform::kAttributeArchive) != 0;
}

using CopyOneFileTest = CopyFixture;

TEST_F(CopyOneFileTest, PlainCopyCarriesContentTimesAndModeAndListsTheSource)
{
    const QByteArray content = testfiles::Pattern(300000);
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.bin")), content, 0640));
    SetTimes(Path(QStringLiteral("src.bin")), timespec{1500000000, 123456789}, timespec{1600000000, 987654321});
    OpenLists();
    Describe(QStringLiteral("src.bin"), QStringLiteral("dst.bin"));

    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString()));

    // Both are examined before anything reads them again and moves their access times.
    const struct stat source = StatOf(Path(QStringLiteral("src.bin")));
    const struct stat target = StatOf(Path(QStringLiteral("dst.bin")));
    EXPECT_EQ(target.st_mode & 07777, 0640u);
    EXPECT_EQ(target.st_mtim.tv_sec, 1600000000);
    EXPECT_EQ(target.st_mtim.tv_nsec, 987654321);
    EXPECT_EQ(target.st_atim.tv_sec, source.st_atim.tv_sec);
    EXPECT_EQ(target.st_atim.tv_nsec, source.st_atim.tv_nsec);
    EXPECT_EQ(ReadFile(Path(QStringLiteral("dst.bin"))), content);
    EXPECT_EQ(job.Record.FilesDone, 1);
    EXPECT_EQ(job.Record.BytesDone, 300000);
    EXPECT_EQ(job.Record.UncompressedFiles, 1);
    EXPECT_EQ(job.Record.CompressedBytes, 0);
    EXPECT_EQ(job.Record.ErrorCount, 0);
    EXPECT_TRUE(observer.Messages().empty());
    EXPECT_EQ(Finish(job.CopiedList, QStringLiteral("copied.txt")), Utf16Line(Path(QStringLiteral("src.bin"))));
    EXPECT_TRUE(Finish(job.RetryList, QStringLiteral("retry.txt")).isEmpty());
    EXPECT_TRUE(Finish(job.Log, QStringLiteral("log.txt")).isEmpty());
}

TEST_F(CopyOneFileTest, TwoEmptyFilesCompareEqual)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("empty")), QByteArray()));
    params.CompareAfterCopy = true;
    Describe(QStringLiteral("empty"), QStringLiteral("copy"));

    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString()));
    EXPECT_TRUE(PathPresent(Path(QStringLiteral("copy"))));
    EXPECT_EQ(job.Record.FilesDone, 1);
}

// The source changes between the copy and the comparison (inside the comparison's first pane
// event), which makes the comparison fail at a known place.
enum class SourceChange { OverwriteFirstByte, Append };

struct CompareFailureRow {
    SourceChange change;
    bool deleteTargetOnError;
    int expectedString;
};

class CompareFailure : public CopyFixture, public ::testing::WithParamInterface<CompareFailureRow> {};

TEST_P(CompareFailure, IsAnErrorWithARetryLineAndDeletesTheTargetOnlyWhenAsked)
{
    const CompareFailureRow row = GetParam();
    const QString source = Path(QStringLiteral("src.txt"));
    const QString target = Path(QStringLiteral("dst.txt"));
    ASSERT_TRUE(WriteFile(source, QByteArray("original content")));
    params.CompareAfterCopy = true;
    params.DeleteTargetOnError = row.deleteTargetOnError;
    params.CheckFileData.Load(Path(QStringLiteral("check.txt")));
    params.CheckFileData.SetEntry(target, 1, 2, QString());
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    job.Record.Refresh = 1;
    observer.PaneHook = [&](const CProgressData &record) {
        if (!(record.Mask & UPD_ACT_COMPARE))
            return;
        const QByteArray changed = row.change == SourceChange::Append ? QByteArray("original content, longer now")
                                                                      : QByteArray("Original content");
        ASSERT_TRUE(WriteFile(source, changed));
    };

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    const QString expected = FormatStr(row.expectedString, {kT, source, target});
    const auto errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(WithoutTimeStamp(errors[0].text), expected);
    EXPECT_EQ(job.Record.ErrorCount, 1);
    EXPECT_EQ(run.ErrorCount(), 1);
    EXPECT_EQ(job.Record.FilesDone, 0);
    EXPECT_EQ(PathPresent(target), !row.deleteTargetOnError);
    EXPECT_FALSE(params.CheckFileData.FindEntry(target).has_value());
    EXPECT_EQ(WithoutTimeStamp(Utf16Text(Finish(job.Log, QStringLiteral("log.txt")))), RecordLine(expected));
    EXPECT_EQ(Finish(job.RetryList, QStringLiteral("retry.txt")), Utf16Line(source + QStringLiteral("|") + target));
    EXPECT_TRUE(Finish(job.CopiedList, QStringLiteral("copied.txt")).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rows, CompareFailure,
                         ::testing::Values(CompareFailureRow{SourceChange::OverwriteFirstByte, true, 321},
                                           CompareFailureRow{SourceChange::OverwriteFirstByte, false, 321},
                                           CompareFailureRow{SourceChange::Append, true, 322},
                                           CompareFailureRow{SourceChange::Append, false, 322}),
                         [](const auto &info) {
                             return std::string(info.param.change == SourceChange::Append ? "shorter" : "different")
                                 + (info.param.deleteTargetOnError ? "Deleted" : "Kept");
                         });

struct RejectedTargetRow {
    const char *label;
    mode_t sourceMode; // the copy gives the target the same mode
    bool deletionFails;
    int expectedNotice;
    bool expectTargetKept;
};

class RejectedTarget : public CopyFixture, public ::testing::WithParamInterface<RejectedTargetRow> {};

TEST_P(RejectedTarget, IsDeletedWithInformationLinesThatAreNotLogged)
{
    const RejectedTargetRow row = GetParam();
    const QString source = Path(QStringLiteral("src.txt"));
    const QString target = Path(QStringLiteral("dst.txt"));
    ASSERT_TRUE(WriteFile(source, QByteArray("abc"), row.sourceMode));
    params.CompareAfterCopy = true;
    params.DeleteTargetOnError = true;
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    job.Record.Refresh = 1;
    observer.PaneHook = [&](const CProgressData &record) {
        if (record.Mask & UPD_ACT_COMPARE) {
            ASSERT_TRUE(WriteFile(source, QByteArray("xyz"), row.sourceMode));
            if (row.deletionFails)
                platform::fault::Arm(platform::fault::Operation::RemoveFile, 1, EBUSY);
        }
    };

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_EQ(PathPresent(target), row.expectTargetKept);
    const auto infos = MessagesOfKind(MessageKind::Information);
    ASSERT_EQ(infos.size(), 1u);
    const QString expected = row.expectedNotice == 325 ? FormatStr(325, {kT, target})
                                                       : FormatStr(337, {kT, target, CUtil::GetErrorText(EBUSY)});
    EXPECT_EQ(WithoutTimeStamp(infos[0].text), expected);
    EXPECT_EQ(job.Record.ErrorCount, 1);
    const QString log = Utf16Text(Finish(job.Log, QStringLiteral("log.txt")));
    EXPECT_EQ(log.count(u'\n'), 1) << "only the comparison's error line is logged";
}

INSTANTIATE_TEST_SUITE_P(Rows, RejectedTarget,
                         ::testing::Values(RejectedTargetRow{"readOnly", 0444, false, 325, false},
                                           RejectedTargetRow{"undeletable", 0644, true, 337, true}),
                         [](const auto &info) { return std::string(info.param.label); });

TEST_F(CopyOneFileTest, ReadOnlyExistingTargetIsOverwrittenAfterAnInformationLine)
{
    const QString target = Path(QStringLiteral("dst.txt"));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.txt")), QByteArray("new"), 0644));
    ASSERT_TRUE(WriteFile(target, QByteArray("old and read-only"), 0444));
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));

    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_EQ(ReadFile(target), QByteArray("new"));
    EXPECT_EQ(testfiles::Mode(target), 0644u);
    const auto messages = observer.Messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].kind, MessageKind::Information);
    EXPECT_EQ(WithoutTimeStamp(messages[0].text), FormatStr(325, {kT, target}));
    EXPECT_EQ(job.Record.ErrorCount, 0);
    EXPECT_TRUE(Finish(job.Log, QStringLiteral("log.txt")).isEmpty());
}

TEST_F(CopyOneFileTest, CancelInTheMiddleOfALargeFileFailsItAndLeavesNoPartialTarget)
{
    MakeSparse(QStringLiteral("big"), 60 * 1024 * 1024);
    params.DeleteTargetOnError = true;
    OpenLists();
    Describe(QStringLiteral("big"), QStringLiteral("big.copy"));
    qint64 bytesAtCancel = -1;
    observer.PaneHook = [&](const CProgressData &record) {
        if (record.Mask == (UPD_PCT2_FILE | UPD_BAR2_FILE) && bytesAtCancel < 0) {
            bytesAtCancel = record.FileBytesDone;
            run.RequestCancel();
        }
    };

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_GT(bytesAtCancel, 0);
    EXPECT_LT(bytesAtCancel, job.Record.FileSize);
    const auto errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(WithoutTimeStamp(errors[0].text),
              FormatStr(406, {kT, job.Record.SourcePath, job.Record.TargetPath, CUtil::GetErrorText(ECANCELED)}));
    EXPECT_FALSE(PathPresent(Path(QStringLiteral("big.copy"))));
    EXPECT_EQ(StatOf(Path(QStringLiteral("big"))).st_size, 60 * 1024 * 1024);
    EXPECT_EQ(Finish(job.RetryList, QStringLiteral("retry.txt")),
              Utf16Line(job.Record.ListedSource + QStringLiteral("|") + job.Record.ListedTarget));
    EXPECT_TRUE(Finish(job.CopiedList, QStringLiteral("copied.txt")).isEmpty());
}

class CopyFault : public CopyFixture, public ::testing::WithParamInterface<int> {};

TEST_P(CopyFault, InTheSecondChunkIsAnErrorThatLosesNothingElse)
{
    const int error = GetParam();
    MakeSparse(QStringLiteral("first"), 2 * kChunk + 5);
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("second")), QByteArray("second file")));
    params.CheckFileData.Load(Path(QStringLiteral("check.txt")));
    params.CheckFileData.SetEntry(Path(QStringLiteral("first.copy")), 1, 2, QString());
    OpenLists();
    Describe(QStringLiteral("first"), QStringLiteral("first.copy"));
    platform::fault::Arm(platform::fault::Operation::CopyData, 2, error);

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));
    const QString failedLine
        = FormatStr(406, {kT, Path(QStringLiteral("first")), Path(QStringLiteral("first.copy")), CUtil::GetErrorText(error)});

    Describe(QStringLiteral("second"), QStringLiteral("second.copy"));
    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_FALSE(PathPresent(Path(QStringLiteral("first.copy"))));
    EXPECT_EQ(StatOf(Path(QStringLiteral("first"))).st_size, 2 * kChunk + 5);
    EXPECT_EQ(ReadFile(Path(QStringLiteral("second.copy"))), QByteArray("second file"));
    const auto errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(WithoutTimeStamp(errors[0].text), failedLine);
    EXPECT_EQ(job.Record.ErrorCount, 1);
    EXPECT_EQ(job.Record.FilesDone, 1);
    EXPECT_EQ(job.Record.BytesDone, 11);
    EXPECT_FALSE(params.CheckFileData.FindEntry(Path(QStringLiteral("first.copy"))).has_value());
    EXPECT_EQ(WithoutTimeStamp(Utf16Text(Finish(job.Log, QStringLiteral("log.txt")))), RecordLine(failedLine));
    EXPECT_EQ(Finish(job.RetryList, QStringLiteral("retry.txt")),
              Utf16Line(Path(QStringLiteral("first")) + QStringLiteral("|") + Path(QStringLiteral("first.copy"))));
    EXPECT_EQ(Finish(job.CopiedList, QStringLiteral("copied.txt")), Utf16Line(Path(QStringLiteral("second"))));
}

INSTANTIATE_TEST_SUITE_P(Errors, CopyFault, ::testing::Values(ENOSPC, EIO));

TEST_F(CopyOneFileTest, FailedCopyKeepsThePreviousTargetEvenWithDeleteTargetOnError)
{
    const QString target = Path(QStringLiteral("dst.txt"));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.txt")), QByteArray("new")));
    ASSERT_TRUE(WriteFile(target, QByteArray("previous copy")));
    params.DeleteTargetOnError = true;
    params.CompareAfterCopy = true;
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    platform::fault::Arm(platform::fault::Operation::Open, 1, EIO); // the source cannot be opened

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_EQ(ReadFile(target), QByteArray("previous copy"));
    ASSERT_EQ(MessagesOfKind(MessageKind::Error).size(), 1u);
}

TEST_F(CopyOneFileTest, TargetThatIsTheSourceUnderAnotherNameIsRefusedAndKept)
{
    const QString source = Path(QStringLiteral("src.txt"));
    ASSERT_TRUE(WriteFile(source, QByteArray("only copy")));
    ASSERT_EQ(::link(Bytes(source).constData(), Bytes(Path(QStringLiteral("alias.txt"))).constData()), 0);
    params.DeleteTargetOnError = true;
    params.CompareAfterCopy = true;
    params.DeleteSourceAfterCopy = true;
    Describe(QStringLiteral("src.txt"), QStringLiteral("alias.txt"));

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_EQ(ReadFile(source), QByteArray("only copy"));
    EXPECT_EQ(ReadFile(Path(QStringLiteral("alias.txt"))), QByteArray("only copy"));
}

TEST_F(CopyOneFileTest, JobWithoutTargetRootKeepsItsTemporaryTargetAfterAFailedComparison)
{
    const QString source = Path(QStringLiteral("src.txt"));
    ASSERT_TRUE(WriteFile(source, QByteArray("abc")));
    params.CompareAfterCopy = true;
    params.DeleteTargetOnError = true;
    Describe(QStringLiteral("src.txt"), QStringLiteral("job.tmp"));
    job.Record.Refresh = 1;
    observer.PaneHook = [&](const CProgressData &record) {
        if (record.Mask & UPD_ACT_COMPARE) {
            ASSERT_TRUE(WriteFile(source, QByteArray("xyz")));
        }
    };

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Missing, QString()));

    EXPECT_EQ(ReadFile(Path(QStringLiteral("job.tmp"))), QByteArray("abc"));
}

TEST_F(CopyOneFileTest, CopiedFileGetsItsCheckFileEntryWithTheListingsTimeSizeAndChecksum)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.txt")), QByteArray("12345")));
    params.CheckFileData.Load(Path(QStringLiteral("check.txt")));
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    job.Record.CheckKey = QStringLiteral("/key/dst.txt");
    job.Record.FileTime = 130000000000000000LL;
    const QString checksum = QStringLiteral("827ccb0eea8a706c4c34a16891f84e7b");

    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, checksum));

    const auto entry = params.CheckFileData.FindEntry(QStringLiteral("/key/dst.txt"));
    ASSERT_TRUE(entry.has_value());
    EXPECT_EQ(entry->Time, 130000000000000000LL);
    EXPECT_EQ(entry->Size, 5);
    EXPECT_EQ(entry->Checksum, checksum);
}

struct ArchiveBitRow {
    bool resetArchiveBit;
    bool clearingFails;
    bool expectSetAfterwards;
    bool expectNotice;
};

class ArchiveBit : public CopyFixture, public ::testing::WithParamInterface<ArchiveBitRow> {};

TEST_P(ArchiveBit, OfTheSourceIsClearedAfterACopyWhenAsked)
{
    const ArchiveBitRow row = GetParam();
    const QString source = Path(QStringLiteral("src.txt"));
    ASSERT_TRUE(WriteFile(source, QByteArray("data")));
    ASSERT_TRUE(ArchiveAttributeSet(source));
    params.ResetArchiveBit = row.resetArchiveBit;
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    if (row.clearingFails)
        platform::fault::Arm(platform::fault::Operation::SetAttributes, 1, ENOTSUP);

    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_EQ(ArchiveAttributeSet(source), row.expectSetAfterwards);
    EXPECT_TRUE(ArchiveAttributeSet(Path(QStringLiteral("dst.txt"))));
    const QString notice = FormatStr(375, {source, kT});
    const auto infos = MessagesOfKind(MessageKind::Information);
    const QString log = Utf16Text(Finish(job.Log, QStringLiteral("log.txt")));
    if (row.expectNotice) {
        ASSERT_EQ(infos.size(), 1u);
        EXPECT_EQ(WithoutTimeStamp(infos[0].text), notice);
        EXPECT_EQ(WithoutTimeStamp(log), RecordLine(notice));
    } else {
        EXPECT_TRUE(infos.empty());
        EXPECT_TRUE(log.isEmpty());
    }
    EXPECT_EQ(job.Record.ErrorCount, 0);
    EXPECT_EQ(job.Record.FilesDone, 1);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArchiveBit,
                         ::testing::Values(ArchiveBitRow{false, false, true, false},
                                           ArchiveBitRow{true, false, false, false},
                                           ArchiveBitRow{true, true, true, true}));

struct DeleteSourceRow {
    const char *name;
    TargetRoot targetRoot;
    bool copyFails;
    bool deletionFails;
    bool expectSourceKept;
    bool expectNotice;
};

class DeleteSource : public CopyFixture, public ::testing::WithParamInterface<DeleteSourceRow> {};

TEST_P(DeleteSource, OnlyAfterASuccessfulCopyIntoATargetDirectory)
{
    const DeleteSourceRow row = GetParam();
    const QString source = Path(QStringLiteral("src.txt"));
    ASSERT_TRUE(WriteFile(source, QByteArray("payload")));
    params.DeleteSourceAfterCopy = true;
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    if (row.copyFails)
        platform::fault::Arm(platform::fault::Operation::CopyData, 1, EIO);
    if (row.deletionFails)
        platform::fault::Arm(platform::fault::Operation::RemoveFile, 1, EBUSY);

    EXPECT_EQ(CopyOneFile(job, row.targetRoot, QString()), !row.copyFails);

    EXPECT_EQ(PathPresent(source), row.expectSourceKept);
    const auto infos = MessagesOfKind(MessageKind::Information);
    if (row.expectNotice) {
        ASSERT_EQ(infos.size(), 1u);
        EXPECT_EQ(WithoutTimeStamp(infos[0].text), FormatStr(428, {kT, source, CUtil::GetErrorText(EBUSY)}));
    } else {
        EXPECT_TRUE(infos.empty());
    }
    const QByteArray copied = Finish(job.CopiedList, QStringLiteral("copied.txt"));
    EXPECT_EQ(copied, row.copyFails ? QByteArray() : Utf16Line(source));
    if (row.deletionFails) {
        EXPECT_EQ(job.Record.FilesDone, 1);
        EXPECT_TRUE(Finish(job.Log, QStringLiteral("log.txt")).isEmpty()); // 428 is not logged
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, DeleteSource,
                         ::testing::Values(DeleteSourceRow{"copied", TargetRoot::Present, false, false, false, false},
                                           DeleteSourceRow{"failed", TargetRoot::Present, true, false, true, false},
                                           DeleteSourceRow{"noTargetRoot", TargetRoot::Missing, false, false, true, false},
                                           DeleteSourceRow{"undeletable", TargetRoot::Present, false, true, true, true}),
                         [](const auto &info) { return std::string(info.param.name); });

// Names that a Kopierdatei line cannot hold so that it reads back as the same pair.
struct RetryHazardRow {
    const char *label;
    QString sourceName;
    QString targetName;
    bool expectLine;
};

class RetryLineHazard : public CopyFixture, public ::testing::WithParamInterface<RetryHazardRow> {};

TEST_P(RetryLineHazard, PairThatWouldReadBackDifferentlyIsNamedInAnInformationLineInstead)
{
    const RetryHazardRow row = GetParam();
    if (!row.expectLine) {
        ASSERT_FALSE(LoadStr(5200).isEmpty()) << "string 5200 is missing from the string table";
    }
    ASSERT_TRUE(WriteFile(Path(row.sourceName), QByteArray("content")));
    OpenLists();
    Describe(row.sourceName, row.targetName);
    platform::fault::Arm(platform::fault::Operation::CopyData, 1, EIO);

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    const QString source = Path(row.sourceName);
    const QString target = Path(row.targetName);
    const QByteArray lines = Finish(job.RetryList, QStringLiteral("retry.txt"));
    const QString log = Utf16Text(Finish(job.Log, QStringLiteral("log.txt")));
    const auto infos = MessagesOfKind(MessageKind::Information);
    EXPECT_EQ(MessagesOfKind(MessageKind::Error).size(), 1u);
    EXPECT_EQ(job.Record.ErrorCount, 1);
    if (row.expectLine) {
        EXPECT_EQ(lines, Utf16Line(FormatStr(359, {source, target})));
        EXPECT_TRUE(infos.empty());
        return;
    }
    EXPECT_TRUE(lines.isEmpty());
    const QString notice = FormatStr(5200, {kT, RecordPathText(source), RecordPathText(target)});
    ASSERT_EQ(infos.size(), 1u);
    EXPECT_EQ(WithoutTimeStamp(infos[0].text), notice);
    EXPECT_TRUE(WithoutTimeStamp(log).endsWith(RecordLine(notice)));
    EXPECT_EQ(log.count(u'\n'), 2) << "the error line and the notice, each on one line";
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RetryLineHazard,
    ::testing::Values(RetryHazardRow{"plain", QStringLiteral("ab"), QStringLiteral("ab.copy"), true},
                      RetryHazardRow{"barInSource", QStringLiteral("a|b"), QStringLiteral("ab.copy"), false},
                      RetryHazardRow{"barInTarget", QStringLiteral("ab"), QStringLiteral("a|b.copy"), false},
                      RetryHazardRow{"lineFeedInSource", QStringLiteral("a\nb"), QStringLiteral("ab.copy"), false},
                      RetryHazardRow{"carriageReturnInTarget", QStringLiteral("ab"), QStringLiteral("a\rb.copy"), false},
                      RetryHazardRow{"crLfInSource", QStringLiteral("a\r\nb"), QStringLiteral("ab.copy"), false}),
    [](const auto &info) { return std::string(info.param.label); });

struct CopiedHazardRow {
    const char *label;
    QString name;
    QString listedText;
};

class CopiedLineHazard : public CopyFixture, public ::testing::WithParamInterface<CopiedHazardRow> {};

TEST_P(CopiedLineHazard, NameIsCopiedAndListedOnOneLine)
{
    const CopiedHazardRow row = GetParam();
    ASSERT_TRUE(WriteFile(Path(row.name), QByteArray("content")));
    OpenLists();
    Describe(row.name, row.name + QStringLiteral(".copy"));

    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_EQ(ReadFile(Path(row.name + QStringLiteral(".copy"))), QByteArray("content"));
    EXPECT_EQ(Finish(job.CopiedList, QStringLiteral("copied.txt")), Utf16Line(Path(row.listedText)));
    EXPECT_TRUE(observer.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CopiedLineHazard,
    ::testing::Values(CopiedHazardRow{"bar", QStringLiteral("a|b"), QStringLiteral("a|b")},
                      CopiedHazardRow{"lineFeed", QStringLiteral("a\nb"), QStringLiteral("a\u240Ab")},
                      CopiedHazardRow{"crLf", QStringLiteral("a\r\nb"), QStringLiteral("a\u240D\u240Ab")}),
    [](const auto &info) { return std::string(info.param.label); });

// With a comparison the times are carried over after it, as a step of their own.
TEST_F(CopyOneFileTest, FileTimesThatCannotBeSetFailTheFileButKeepTheTarget)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.txt")), QByteArray("data")));
    params.DeleteTargetOnError = true;
    params.CompareAfterCopy = true;
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    // The first time setting is the copy's own; the second is the transfer of the file times.
    platform::fault::Arm(platform::fault::Operation::SetFileTime, 2, EIO);

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    const QString expected = FormatStr(315, {kT, job.Record.TargetPath, CUtil::GetErrorText(EIO)});
    const auto errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(WithoutTimeStamp(errors[0].text), expected);
    EXPECT_EQ(ReadFile(Path(QStringLiteral("dst.txt"))), QByteArray("data"));
    EXPECT_EQ(WithoutTimeStamp(Utf16Text(Finish(job.Log, QStringLiteral("log.txt")))), RecordLine(expected));
    EXPECT_EQ(Finish(job.RetryList, QStringLiteral("retry.txt")),
              Utf16Line(job.Record.ListedSource + QStringLiteral("|") + job.Record.ListedTarget));
    EXPECT_EQ(job.Record.FilesDone, 0);
}

// Without a comparison the copy sets both times itself; when it cannot, the copy fails.
TEST_F(CopyOneFileTest, WithoutComparisonTimesThatCannotBeSetFailTheCopy)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.txt")), QByteArray("data")));
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("dst.txt"));
    platform::fault::Arm(platform::fault::Operation::SetFileTime, 1, EIO);

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    const auto errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(WithoutTimeStamp(errors[0].text),
              FormatStr(406, {kT, job.Record.SourcePath, job.Record.TargetPath, CUtil::GetErrorText(EIO)}));
    EXPECT_FALSE(PathPresent(Path(QStringLiteral("dst.txt"))));
    EXPECT_EQ(job.Record.FilesDone, 0);
}

// The target ends with the source's access and modification time as the source shows them
// at the end, whichever step carried them over. The source's access time lies in the future,
// where reading does not move it on a file system mounted with relatime.
TEST_F(CopyOneFileTest, TargetEndsWithTheSourcesTimesWithAndWithoutComparison)
{
    for (const bool compare : {false, true}) {
        ::unlink(Bytes(Path(QStringLiteral("dst.bin"))).constData());
        ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.bin")), testfiles::Pattern(70000)));
        SetTimes(Path(QStringLiteral("src.bin")), timespec{::time(nullptr) + 3600, 5}, timespec{1600000000, 7});
        params.CompareAfterCopy = compare;
        Describe(QStringLiteral("src.bin"), QStringLiteral("dst.bin"));

        EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString())) << compare;

        const struct stat source = StatOf(Path(QStringLiteral("src.bin")));
        const struct stat target = StatOf(Path(QStringLiteral("dst.bin")));
        EXPECT_EQ(target.st_atim.tv_sec, source.st_atim.tv_sec) << compare;
        EXPECT_EQ(target.st_atim.tv_nsec, source.st_atim.tv_nsec) << compare;
        EXPECT_EQ(target.st_mtim.tv_sec, 1600000000) << compare;
        EXPECT_EQ(target.st_mtim.tv_nsec, 7) << compare;
    }
}

TEST_F(CopyOneFileTest, RunFromAKopierdateiCreatesTheTargetDirectory)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.txt")), QByteArray("data")));
    params.RetryRun = true;
    Describe(QStringLiteral("src.txt"), QStringLiteral("new/deeper/dst.txt"));

    EXPECT_TRUE(CopyOneFile(job, TargetRoot::Present, QString()));

    EXPECT_EQ(ReadFile(Path(QStringLiteral("new/deeper/dst.txt"))), QByteArray("data"));
}

TEST_F(CopyOneFileTest, RunFromAKopierdateiReportsATargetDirectoryThatCannotBeCreated)
{
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("src.txt")), QByteArray("data")));
    ASSERT_TRUE(WriteFile(Path(QStringLiteral("plain")), QByteArray("a file, not a directory")));
    params.RetryRun = true;
    OpenLists();
    Describe(QStringLiteral("src.txt"), QStringLiteral("plain/sub/dst.txt"));

    EXPECT_FALSE(CopyOneFile(job, TargetRoot::Present, QString()));

    const auto errors = MessagesOfKind(MessageKind::Error);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(WithoutTimeStamp(errors[0].text),
              FormatStr(405, {kT, Path(QStringLiteral("plain/sub/")), CUtil::GetErrorText(ENOTDIR)}));
    EXPECT_EQ(Finish(job.RetryList, QStringLiteral("retry.txt")),
              Utf16Line(job.Record.ListedSource + QStringLiteral("|") + job.Record.ListedTarget));
}

} // namespace
