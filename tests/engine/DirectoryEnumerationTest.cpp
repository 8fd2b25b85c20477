#include "engine/DirectoryEnumeration.h"

#include "DirectoryTreeFixture.h"
#include "platform/FileName.h"

#include <QSet>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <functional>
#include <unistd.h>

using namespace treefixture;

namespace {

struct Call {
    QString directory;
    QString name;
    EntryKind kind;
    LinkState link;
    qint64 size;
    bool currentMatchesDirectory;
    size_t recordsAtCall;
};

// Records every callback call and answers with `answer`.
struct Recorder {
    CDirStructArray *records = nullptr;
    std::function<int(const Call &)> answer = [](const Call &) { return 0; };
    std::vector<Call> calls;

    EnumerationCallback Callback()
    {
        return [this](const QString &directory, const DirEntry &entry, void *userData, CDirStruct *current) {
            EXPECT_EQ(userData, static_cast<void *>(this));
            calls.push_back({directory, entry.Name, entry.Kind, entry.Link, entry.Info.size,
                             current && current->Dir == directory, records ? records->size() : 0});
            return answer(calls.back());
        };
    }

    const Call *Find(const QString &name) const
    {
        for (const Call &call : calls)
            if (call.name == name)
                return &call;
        return nullptr;
    }
};

QStringList DirsOf(const CDirStructArray &records)
{
    QStringList dirs;
    for (const auto &record : records)
        dirs.append(record->Dir);
    return dirs;
}

// Pre-order: every record's descendants follow it directly, as one block.
::testing::AssertionResult IsPreOrder(const QStringList &dirs)
{
    for (qsizetype i = 0; i < dirs.size(); ++i) {
        const QString prefix = dirs[i] + u'/';
        qsizetype end = i + 1;
        while (end < dirs.size() && dirs[end].startsWith(prefix))
            ++end;
        for (qsizetype j = end; j < dirs.size(); ++j)
            if (dirs[j].startsWith(prefix))
                return ::testing::AssertionFailure() << qPrintable(dirs[j]) << " is cut off from " << qPrintable(dirs[i]);
    }
    return ::testing::AssertionSuccess();
}

const CDirStruct *RecordFor(const CDirStructArray &records, const QString &dir)
{
    for (const auto &record : records)
        if (record->Dir == dir)
            return record.get();
    return nullptr;
}

class DirectoryEnumeration : public TreeTest {
protected:
    CDirStructArray List(Recursion recurse, Recorder *recorder = nullptr, const QString &root = QString())
    {
        CDirStructArray records;
        EnumerationRequest request;
        if (recorder) {
            recorder->records = &records;
            request.Callback = recorder->Callback();
            request.UserData = recorder;
        }
        request.Records = &records;
        request.Recurse = recurse;
        EnumerateDirectory(root.isEmpty() ? m_root : root, request);
        return records;
    }
};

} // namespace

TEST_F(DirectoryEnumeration, SingleChainGivesOneRecordPerLevelInOrder)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"a"_qs)));
    ASSERT_TRUE(MakeDir(PathBytes(u"a/b"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"a/b/data.bin"_qs), "12345"));

    const CDirStructArray records = List(Recursion::WithSubdirectories, nullptr, m_root + u"//"_qs);

    ASSERT_EQ(DirsOf(records), (QStringList{m_root, Path(u"a"_qs), Path(u"a/b"_qs)}));
    EXPECT_EQ(records[0]->FileCount(), 0);
    EXPECT_EQ(records[1]->FileCount(), 0);
    ASSERT_EQ(records[2]->Names, QStringList{u"data.bin"_qs});
    EXPECT_EQ(records[2]->Sizes, QList<qint64>{5});
    EXPECT_EQ(records[2]->Flags, QList<quint32>{0});
    EXPECT_EQ(records[2]->Extra, QStringList{QString()});
    platform::FileInfo info;
    ASSERT_TRUE(platform::GetFileInfo(Path(u"a/b/data.bin"_qs), platform::LinkMode::Follow, &info));
    EXPECT_EQ(records[2]->Times, QList<qint64>{info.lastWriteTime});
    for (const auto &record : records)
        EXPECT_EQ(record->ListError, 0);
}

TEST_F(DirectoryEnumeration, TheRootMayBeALinkToADirectory)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"real"_qs)));
    ASSERT_TRUE(MakeDir(PathBytes(u"real/sub"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"real/sub/f"_qs), "x"));
    ASSERT_TRUE(MakeLink("real", PathBytes(u"root"_qs)));

    const CDirStructArray records = List(Recursion::WithSubdirectories, nullptr, Path(u"root/"_qs));

    ASSERT_EQ(DirsOf(records), (QStringList{Path(u"root"_qs), Path(u"root/sub"_qs)}));
    EXPECT_EQ(records[1]->Names, QStringList{u"f"_qs});
}

TEST_F(DirectoryEnumeration, BranchingTreeIsListedInPreOrder)
{
    for (const char *dir : {"a", "a/a1", "a/a2", "a/a2/x", "b", "c", "c/c1", "c/c1/deep"})
        ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf8(dir))));
    for (const char *file : {"top.txt", "a/a2/x/f1", "c/f2", "c/c1/deep/f3"})
        ASSERT_TRUE(MakeFile(PathBytes(QString::fromUtf8(file)), "x"));

    const CDirStructArray records = List(Recursion::WithSubdirectories);

    const QStringList dirs = DirsOf(records);
    ASSERT_EQ(dirs.size(), 9);
    EXPECT_EQ(dirs.first(), m_root);
    EXPECT_EQ(QSet<QString>(dirs.begin(), dirs.end()).size(), 9);
    EXPECT_TRUE(IsPreOrder(dirs));
    const struct { const char *dir; QStringList names; } rows[] = {
        {"", {u"top.txt"_qs}}, {"/a", {}}, {"/a/a2/x", {u"f1"_qs}}, {"/c", {u"f2"_qs}}, {"/c/c1/deep", {u"f3"_qs}},
    };
    for (const auto &row : rows) {
        const CDirStruct *record = RecordFor(records, m_root + QString::fromUtf8(row.dir));
        ASSERT_NE(record, nullptr) << row.dir;
        EXPECT_EQ(record->Names, row.names) << row.dir;
    }
}

TEST_F(DirectoryEnumeration, TopLevelOnlyListsTheRootAndNeverAsksAboutDirectories)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"sub"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"sub/inner"_qs), "x"));
    ASSERT_TRUE(MakeFile(PathBytes(u"file"_qs), "x"));
    ASSERT_TRUE(MakeLink(PathBytes(u"sub"_qs), PathBytes(u"subLink"_qs)));

    for (bool withCallback : {false, true}) {
        Recorder recorder;
        const CDirStructArray records = List(Recursion::TopLevelOnly, withCallback ? &recorder : nullptr);
        ASSERT_EQ(DirsOf(records), QStringList{m_root});
        if (withCallback) {
            ASSERT_EQ(recorder.calls.size(), 1u);
            EXPECT_EQ(recorder.calls[0].name, u"file"_qs);
            EXPECT_EQ(records[0]->FileCount(), 0); // the callback collects for itself
        } else {
            EXPECT_EQ(records[0]->Names, QStringList{u"file"_qs});
        }
    }
}

TEST_F(DirectoryEnumeration, CallbackIsAskedBeforeEachSubdirectoryIsEntered)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"one"_qs)));
    ASSERT_TRUE(MakeDir(PathBytes(u"one/two"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"one/two/f"_qs), "abc"));
    ASSERT_TRUE(MakeFile(PathBytes(u"g"_qs), "ab"));

    Recorder recorder;
    const CDirStructArray records = List(Recursion::WithSubdirectories, &recorder);

    ASSERT_EQ(records.size(), 3u);
    ASSERT_EQ(recorder.calls.size(), 4u);
    for (const Call &call : recorder.calls)
        EXPECT_TRUE(call.currentMatchesDirectory) << qPrintable(call.name);
    const Call *one = recorder.Find(u"one"_qs);
    const Call *two = recorder.Find(u"two"_qs);
    const Call *f = recorder.Find(u"f"_qs);
    const Call *g = recorder.Find(u"g"_qs);
    ASSERT_TRUE(one && two && f && g);
    EXPECT_EQ(one->kind, EntryKind::Directory);
    EXPECT_EQ(one->directory, m_root);
    EXPECT_EQ(one->recordsAtCall, 1u); // asked before its record exists
    EXPECT_EQ(two->directory, Path(u"one"_qs));
    EXPECT_EQ(two->recordsAtCall, 2u);
    EXPECT_EQ(f->directory, Path(u"one/two"_qs));
    EXPECT_EQ(f->kind, EntryKind::File);
    EXPECT_EQ(f->size, 3);
    EXPECT_EQ(g->size, 2);
    EXPECT_EQ(g->link, LinkState::Direct);
}

TEST_F(DirectoryEnumeration, NonzeroForAFileEndsOnlyTheListingOfItsDirectory)
{
    for (const char *dir : {"d1", "d2", "d3"}) {
        ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf8(dir))));
        ASSERT_TRUE(MakeFile(PathBytes(QString::fromUtf8(dir) + u"/inner"_qs), "x"));
    }
    for (const char *file : {"f1", "f2", "f3", "f4", "f5"})
        ASSERT_TRUE(MakeFile(PathBytes(QString::fromUtf8(file)), "x"));

    Recorder recorder;
    recorder.answer = [this](const Call &call) {
        return call.directory == m_root && call.kind == EntryKind::File ? 1 : 0;
    };
    const CDirStructArray records = List(Recursion::WithSubdirectories, &recorder);

    std::vector<const Call *> rootCalls;
    for (const Call &call : recorder.calls)
        if (call.directory == m_root)
            rootCalls.push_back(&call);
    ASSERT_FALSE(rootCalls.empty());
    EXPECT_EQ(rootCalls.back()->kind, EntryKind::File) << "the listing went on after the stop";
    EXPECT_LE(rootCalls.size(), 4u);
    QStringList entered{m_root};
    for (const Call *call : rootCalls)
        if (call->kind == EntryKind::Directory)
            entered.append(Path(call->name));
    EXPECT_EQ(DirsOf(records), entered);
    for (qsizetype i = 1; i < entered.size(); ++i) {
        const auto inner = std::find_if(recorder.calls.begin(), recorder.calls.end(), [&](const Call &call) {
            return call.directory == entered[i] && call.name == u"inner"_qs;
        });
        EXPECT_NE(inner, recorder.calls.end()) << qPrintable(entered[i]);
    }
}

TEST_F(DirectoryEnumeration, NonzeroForADirectorySkipsItAndEverythingBelow)
{
    for (const char *dir : {"keep", "skip", "skip/below"})
        ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf8(dir))));
    ASSERT_TRUE(MakeFile(PathBytes(u"skip/below/f"_qs), "x"));
    ASSERT_TRUE(MakeFile(PathBytes(u"keep/k"_qs), "x"));

    Recorder recorder;
    recorder.answer = [](const Call &call) { return call.name == u"skip"_qs ? 1 : 0; };
    const CDirStructArray records = List(Recursion::WithSubdirectories, &recorder);

    EXPECT_EQ(DirsOf(records), (QStringList{m_root, Path(u"keep"_qs)}));
    EXPECT_NE(recorder.Find(u"skip"_qs), nullptr);
    EXPECT_NE(recorder.Find(u"k"_qs), nullptr);
    EXPECT_EQ(recorder.Find(u"below"_qs), nullptr);
    EXPECT_EQ(recorder.Find(u"f"_qs), nullptr);
}

TEST_F(DirectoryEnumeration, CancellingInTheCallbackEmptiesTheRestOfTheWalk)
{
    for (const char *top : {"a", "b", "c"}) {
        for (const char *sub : {"", "/x", "/y", "/z"})
            ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf8(top) + QString::fromUtf8(sub))));
        for (const char *file : {"/x/1", "/x/2", "/y/1", "/z/1"})
            ASSERT_TRUE(MakeFile(PathBytes(QString::fromUtf8(top) + QString::fromUtf8(file)), "x"));
    }

    bool cancelled = false;
    size_t recordsAtCancel = 0;
    size_t callsAtCancel = 0;
    Recorder recorder;
    recorder.answer = [&](const Call &call) {
        if (!cancelled && recorder.calls.size() == 6) {
            cancelled = true;
            recordsAtCancel = call.recordsAtCall;
            callsAtCancel = recorder.calls.size();
        }
        return cancelled ? 1 : 0;
    };
    const CDirStructArray records = List(Recursion::WithSubdirectories, &recorder);

    ASSERT_TRUE(cancelled);
    EXPECT_EQ(records.size(), recordsAtCancel);
    // After the cancel each open level sees at most one more entry before it stops.
    EXPECT_LE(recorder.calls.size() - callsAtCancel, 3u + 3u);
    EXPECT_LT(recorder.calls.size(), 3u * 8u);
}

TEST_F(DirectoryEnumeration, UnreadableDirectoryKeepsAnEmptyRecordWithItsError)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"only"_qs)));
    ASSERT_TRUE(MakeDir(PathBytes(u"only/below"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"only/f"_qs), "x"));
    ASSERT_TRUE(MakeFile(PathBytes(u"rootfile"_qs), "x"));
    platform::fault::Arm(platform::fault::Operation::ListDirectory, 2, EACCES);

    const CDirStructArray records = List(Recursion::WithSubdirectories);

    ASSERT_EQ(DirsOf(records), (QStringList{m_root, Path(u"only"_qs)}));
    EXPECT_EQ(records[0]->ListError, 0);
    EXPECT_EQ(records[0]->Names, QStringList{u"rootfile"_qs});
    EXPECT_EQ(records[1]->ListError, EACCES);
    EXPECT_EQ(records[1]->FileCount(), 0);
}

TEST_F(DirectoryEnumeration, MissingRootGivesOneRecordWithItsError)
{
    const CDirStructArray records = List(Recursion::WithSubdirectories, nullptr, Path(u"missing"_qs));
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->Dir, Path(u"missing"_qs));
    EXPECT_EQ(records[0]->ListError, ENOENT);
}

TEST_F(DirectoryEnumeration, WithoutRecordsOnlyTheCallbackIsServed)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"sub"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"sub/f"_qs), "x"));
    int calls = 0;
    EnumerationRequest request;
    request.Callback = [&](const QString &, const DirEntry &, void *, CDirStruct *current) {
        EXPECT_EQ(current, nullptr);
        ++calls;
        return 0;
    };
    EnumerateDirectory(m_root, request);
    EXPECT_EQ(calls, 2);
}

// Linux hazards: links, special files and names that are not UTF-8.

TEST_F(DirectoryEnumeration, LinksToDirectoriesAreReportedButNeverEntered)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"a"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"a/f"_qs), "x"));
    ASSERT_TRUE(MakeLink(Bytes(m_root), PathBytes(u"a/loop"_qs)));
    ASSERT_TRUE(MakeLink("..", PathBytes(u"a/up"_qs)));
    ASSERT_TRUE(MakeLink("a", PathBytes(u"side"_qs)));

    Recorder recorder;
    const CDirStructArray records = List(Recursion::WithSubdirectories, &recorder);

    EXPECT_EQ(DirsOf(records), (QStringList{m_root, Path(u"a"_qs)}));
    for (const QString &name : {u"loop"_qs, u"up"_qs, u"side"_qs}) {
        const Call *call = recorder.Find(name);
        ASSERT_NE(call, nullptr) << qPrintable(name);
        EXPECT_EQ(call->kind, EntryKind::LinkedDirectory) << qPrintable(name);
        EXPECT_EQ(call->link, LinkState::ThroughLink) << qPrintable(name);
    }
    EXPECT_EQ(recorder.calls.size(), 5u);

    const CDirStructArray collected = List(Recursion::WithSubdirectories);
    ASSERT_EQ(collected.size(), 2u);
    EXPECT_EQ(collected[0]->FileCount(), 0);
    EXPECT_EQ(collected[1]->Names, QStringList{u"f"_qs});
}

TEST_F(DirectoryEnumeration, LinkToAFileCountsAsThatFile)
{
    ASSERT_TRUE(MakeFile(PathBytes(u"target.txt"_qs), "0123456789"));
    ASSERT_TRUE(MakeLink("target.txt", PathBytes(u"link"_qs)));

    Recorder recorder;
    List(Recursion::WithSubdirectories, &recorder);
    const Call *call = recorder.Find(u"link"_qs);
    ASSERT_NE(call, nullptr);
    EXPECT_EQ(call->kind, EntryKind::File);
    EXPECT_EQ(call->link, LinkState::ThroughLink);
    EXPECT_EQ(call->size, 10);

    const CDirStructArray collected = List(Recursion::WithSubdirectories);
    ASSERT_EQ(collected.size(), 1u);
    const qsizetype index = collected[0]->Names.indexOf(u"link"_qs);
    ASSERT_GE(index, 0);
    EXPECT_EQ(collected[0]->Sizes[index], 10);
}

TEST_F(DirectoryEnumeration, SpecialFilesAndBrokenLinksAreReportedAndNeverOpened)
{
    ASSERT_TRUE(MakeFifo(PathBytes(u"pipe"_qs)));
    ASSERT_TRUE(MakeSocket(PathBytes(u"sock"_qs)));
    ASSERT_TRUE(MakeLink("pipe", PathBytes(u"pipeLink"_qs)));
    ASSERT_TRUE(MakeLink("/dev/null", PathBytes(u"device"_qs)));
    ASSERT_TRUE(MakeLink("nowhere", PathBytes(u"dangling"_qs)));
    ASSERT_TRUE(MakeLink("self", PathBytes(u"self"_qs)));

    Recorder recorder;
    const CDirStructArray records = List(Recursion::WithSubdirectories, &recorder);

    const struct { const char16_t *name; EntryKind kind; LinkState link; int reason; } rows[] = {
        {u"pipe", EntryKind::Special, LinkState::Direct, 5102},
        {u"sock", EntryKind::Special, LinkState::Direct, 5102},
        {u"pipeLink", EntryKind::Special, LinkState::ThroughLink, 5102},
        {u"device", EntryKind::Special, LinkState::ThroughLink, 5102},
        {u"dangling", EntryKind::BrokenLink, LinkState::ThroughLink, 5101},
        {u"self", EntryKind::BrokenLink, LinkState::ThroughLink, 5101},
    };
    ASSERT_EQ(recorder.calls.size(), std::size(rows));
    for (const auto &row : rows) {
        const Call *call = recorder.Find(QString::fromUtf16(row.name));
        ASSERT_NE(call, nullptr) << qPrintable(QString::fromUtf16(row.name));
        EXPECT_EQ(call->kind, row.kind) << qPrintable(call->name);
        EXPECT_EQ(call->link, row.link) << qPrintable(call->name);
        EXPECT_EQ(SkipReasonId(call->kind), row.reason) << qPrintable(call->name);
    }
    const CDirStructArray collected = List(Recursion::WithSubdirectories);
    ASSERT_EQ(collected.size(), 1u);
    EXPECT_EQ(collected[0]->FileCount(), 0);
    // Nobody holds the FIFO open for reading: a writer that does not wait finds no reader.
    const int fd = open(PathBytes(u"pipe"_qs).constData(), O_WRONLY | O_NONBLOCK);
    EXPECT_EQ(fd, -1);
    EXPECT_EQ(errno, ENXIO);
    if (fd >= 0)
        close(fd);
}

TEST_F(DirectoryEnumeration, SkipReasonsExistOnlyForEntriesThatAreNeverCopied)
{
    EXPECT_EQ(SkipReasonId(EntryKind::File), 0);
    EXPECT_EQ(SkipReasonId(EntryKind::Directory), 0);
    EXPECT_EQ(SkipReasonId(EntryKind::LinkedDirectory), 5100);
}

TEST_F(DirectoryEnumeration, NamesThatAreNotUtf8KeepTheirBytes)
{
    const QByteArray dirName("d\xe9r", 3);
    const QByteArray fileName("caf\xe9\xff.txt", 9);
    const QByteArray rootBytes = Bytes(m_root);
    ASSERT_TRUE(MakeDir(rootBytes + '/' + dirName));
    ASSERT_TRUE(MakeFile(rootBytes + '/' + dirName + '/' + fileName, "1234"));
    ASSERT_TRUE(MakeFile(rootBytes + '/' + fileName, "12"));

    const CDirStructArray records = List(Recursion::WithSubdirectories);

    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(Bytes(records[1]->Dir), rootBytes + '/' + dirName);
    for (const auto &record : records) {
        ASSERT_EQ(record->FileCount(), 1) << qPrintable(record->Dir);
        const QString path = record->Dir + u'/' + record->Names[0];
        EXPECT_EQ(Bytes(path), Bytes(record->Dir) + '/' + fileName);
        platform::FileInfo info;
        ASSERT_TRUE(platform::GetFileInfo(path, platform::LinkMode::DoNotFollow, &info));
        EXPECT_EQ(info.size, record->Sizes[0]);
    }
    EXPECT_NE(records[0]->Names[0], QString::fromUtf8(fileName)) << "the name was decoded lossily";
}
