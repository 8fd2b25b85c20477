#include "engine/EmptyDirectories.h"

#include "DirectoryTreeFixture.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cerrno>
#include <climits>

using namespace treefixture;
using platform::fault::Operation;

namespace {

// Collects what the cleanup reports; the clock stands still unless a test moves it.
struct Reports {
    QStringList callbackTexts;
    QStringList removed;
    QStringList entered;
    quint32 now = 0;

    void Attach(EmptyDirCleanup &cleanup)
    {
        cleanup.Callback = [this](const QString &text, EmptyDirCleanup &) { callbackTexts.append(text); };
        cleanup.RemovedList = [this](const QString &path) { removed.append(path); };
        cleanup.StatusText = [this](const QString &path) { entered.append(path); };
        cleanup.Clock = [this] { return now; };
    }
};

class EmptyDirectories : public TreeTest {
protected:
    EmptyDirCleanup CleanupOf(const QString &root, Reports &reports)
    {
        EmptyDirCleanup cleanup;
        cleanup.CurrentPath = root;
        reports.Attach(cleanup);
        return cleanup;
    }

    // A chain of directories below the root whose deepest path, with a '/' appended, is
    // exactly `length` bytes long.
    QString MakeChainOfLength(const QString &top, qsizetype length)
    {
        QByteArray path = PathBytes(top);
        EXPECT_TRUE(MakeDir(path));
        while (path.size() + 1 < length) {
            const qsizetype component = qMin<qsizetype>(200, length - path.size() - 2);
            path += '/' + QByteArray(component, 'd');
            EXPECT_TRUE(MakeDir(path)) << path.size();
        }
        EXPECT_EQ(path.size() + 1, length);
        return platform::DecodeFileName(path);
    }
};

} // namespace

TEST_F(EmptyDirectories, RemovesEmptyBranchesDeepestFirstAndKeepsFiles)
{
    for (const char16_t *dir : {u"e1", u"e1/e2", u"f"})
        ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf16(dir))));
    ASSERT_TRUE(MakeFile(PathBytes(u"f/file.txt"_qs), "x"));

    Reports reports;
    EmptyDirCleanup cleanup = CleanupOf(m_root, reports);
    EXPECT_FALSE(DeleteEmptyDirectories(cleanup));

    EXPECT_EQ(cleanup.SearchedCount, 4);
    EXPECT_EQ(cleanup.DeletedCount, 2);
    const QStringList removed{Path(u"e1/e2"_qs), Path(u"e1"_qs)};
    EXPECT_EQ(reports.removed, removed);
    EXPECT_EQ(reports.callbackTexts, removed);
    EXPECT_TRUE(reports.entered.contains(Path(u"e1/e2"_qs)));
    EXPECT_TRUE(reports.entered.contains(Path(u"f"_qs)));
    EXPECT_EQ(reports.entered.size(), 3);
    EXPECT_FALSE(Exists(PathBytes(u"e1"_qs)));
    EXPECT_TRUE(Exists(PathBytes(u"f/file.txt"_qs)));
    EXPECT_TRUE(IsDir(Bytes(m_root)));
}

TEST_F(EmptyDirectories, AnEmptyTreeLeavesOnlyItsRoot)
{
    for (const QString &root : {u"tree"_qs, u"tree/"_qs}) {
        for (const char16_t *dir : {u"tree", u"tree/a", u"tree/a/b", u"tree/c"})
            ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf16(dir))));
        Reports reports;
        EmptyDirCleanup cleanup = CleanupOf(Path(root), reports);
        EXPECT_TRUE(DeleteEmptyDirectories(cleanup)) << qPrintable(root);
        EXPECT_EQ(cleanup.SearchedCount, 4) << qPrintable(root);
        EXPECT_EQ(cleanup.DeletedCount, 3) << qPrintable(root);
        EXPECT_TRUE(IsDir(PathBytes(u"tree"_qs))) << qPrintable(root);
        EXPECT_FALSE(Exists(PathBytes(u"tree/a"_qs))) << qPrintable(root);
        ASSERT_EQ(rmdir(PathBytes(u"tree"_qs).constData()), 0);
    }
}

TEST_F(EmptyDirectories, AnythingThatIsNotADirectoryIsKeptLikeAFile)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"outside"_qs)));
    ASSERT_TRUE(MakeDir(PathBytes(u"outside/empty"_qs)));
    const struct { const char16_t *name; bool (*make)(const QByteArray &path, const QByteArray &arg); QByteArray arg; } rows[] = {
        {u"fifo", [](const QByteArray &p, const QByteArray &) { return MakeFifo(p); }, {}},
        {u"socket", [](const QByteArray &p, const QByteArray &) { return MakeSocket(p); }, {}},
        {u"dirLink", [](const QByteArray &p, const QByteArray &t) { return MakeLink(t, p); }, PathBytes(u"outside/empty"_qs)},
        {u"dangling", [](const QByteArray &p, const QByteArray &t) { return MakeLink(t, p); }, "nowhere"},
    };
    for (const auto &row : rows) {
        const QString dir = u"tree_"_qs + QString::fromUtf16(row.name);
        ASSERT_TRUE(MakeDir(PathBytes(dir)));
        ASSERT_TRUE(MakeDir(PathBytes(dir + u"/sub"_qs)));
        ASSERT_TRUE(row.make(PathBytes(dir + u"/sub/x"_qs), row.arg)) << qPrintable(dir);

        Reports reports;
        EmptyDirCleanup cleanup = CleanupOf(Path(dir), reports);
        EXPECT_FALSE(DeleteEmptyDirectories(cleanup)) << qPrintable(dir);
        EXPECT_EQ(cleanup.DeletedCount, 0) << qPrintable(dir);
        EXPECT_EQ(cleanup.SearchedCount, 2) << qPrintable(dir);
        EXPECT_TRUE(Exists(PathBytes(dir + u"/sub/x"_qs))) << qPrintable(dir);
    }
    EXPECT_TRUE(IsDir(PathBytes(u"outside/empty"_qs)));
}

TEST_F(EmptyDirectories, DirectoriesTooLongForPathMaxAreKeptWithTheirAncestors)
{
    const struct { const char16_t *top; qsizetype length; bool removed; } rows[] = {
        {u"fits", PATH_MAX - 10, true},
        {u"long", PATH_MAX - 9, false},
    };
    for (const auto &row : rows) {
        const QString top = QString::fromUtf16(row.top);
        const QString deepest = MakeChainOfLength(top, row.length);
        ASSERT_TRUE(MakeDir(PathBytes(top + u"/short"_qs)));

        Reports reports;
        EmptyDirCleanup cleanup = CleanupOf(Path(top), reports);
        EXPECT_EQ(DeleteEmptyDirectories(cleanup), row.removed) << row.length;
        EXPECT_EQ(Exists(Bytes(deepest)), !row.removed) << row.length;
        EXPECT_FALSE(Exists(PathBytes(top + u"/short"_qs))) << row.length;
        EXPECT_TRUE(IsDir(PathBytes(top))) << row.length;
    }
}

TEST_F(EmptyDirectories, HeartbeatComesOnlyAfterMoreThanThreeSeconds)
{
    for (const char16_t *dir : {u"d1", u"d2", u"d3", u"d4", u"d5"}) {
        ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf16(dir))));
        ASSERT_TRUE(MakeFile(PathBytes(QString::fromUtf16(dir) + u"/keep"_qs), "x"));
    }
    Reports reports;
    EmptyDirCleanup cleanup = CleanupOf(m_root, reports);
    EmptyDirCleanup *seen = nullptr;
    cleanup.Callback = [&](const QString &text, EmptyDirCleanup &record) {
        reports.callbackTexts.append(text);
        seen = &record;
    };
    // Each entered directory takes one second: 0, 1000, 2000, 3000 are not more than 3000 ms
    // after the last call at 0; 4000 is.
    cleanup.StatusText = [&](const QString &) { reports.now += 1000; };

    EXPECT_FALSE(DeleteEmptyDirectories(cleanup));
    EXPECT_EQ(reports.callbackTexts, QStringList{QString()});
    EXPECT_EQ(seen, &cleanup);
    EXPECT_EQ(cleanup.LastCallbackTime, 4000u);
}

TEST_F(EmptyDirectories, CancelEndsTheWalkAfterTheCurrentEntry)
{
    for (const char16_t *dir : {u"a", u"b", u"c", u"d"})
        ASSERT_TRUE(MakeDir(PathBytes(QString::fromUtf16(dir))));
    Reports reports;
    EmptyDirCleanup cleanup = CleanupOf(m_root, reports);
    cleanup.Cancelled = [&] { return cleanup.DeletedCount > 0; };

    DeleteEmptyDirectories(cleanup);

    EXPECT_EQ(cleanup.DeletedCount, 1);
    EXPECT_EQ(cleanup.SearchedCount, 2);
    EXPECT_EQ(reports.removed.size(), 1);
}

TEST_F(EmptyDirectories, FailedRemovalChangesNeitherCountsNorResult)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"e"_qs)));
    platform::fault::Arm(Operation::RemoveDirectory, 1, EBUSY);
    Reports reports;
    EmptyDirCleanup cleanup = CleanupOf(m_root, reports);

    EXPECT_TRUE(DeleteEmptyDirectories(cleanup));
    EXPECT_EQ(cleanup.DeletedCount, 0);
    EXPECT_EQ(cleanup.SearchedCount, 2);
    EXPECT_TRUE(reports.removed.isEmpty());
    EXPECT_TRUE(IsDir(PathBytes(u"e"_qs)));
}

TEST_F(EmptyDirectories, AnUnlistableDirectoryCountsAsEmptyButKeepsItsContent)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"sub"_qs)));
    ASSERT_TRUE(MakeFile(PathBytes(u"sub/file"_qs), "x"));
    platform::fault::Arm(Operation::ListDirectory, 2, EACCES);
    Reports reports;
    EmptyDirCleanup cleanup = CleanupOf(m_root, reports);

    EXPECT_TRUE(DeleteEmptyDirectories(cleanup));
    EXPECT_EQ(cleanup.DeletedCount, 0);
    EXPECT_TRUE(Exists(PathBytes(u"sub/file"_qs)));
}

TEST_F(EmptyDirectories, WorksWithoutAnyCallbacks)
{
    ASSERT_TRUE(MakeDir(PathBytes(u"a"_qs)));
    ASSERT_TRUE(MakeDir(PathBytes(u"a/b"_qs)));
    EmptyDirCleanup cleanup;
    cleanup.CurrentPath = m_root;
    EXPECT_TRUE(DeleteEmptyDirectories(cleanup));
    EXPECT_EQ(cleanup.DeletedCount, 2);
    EXPECT_FALSE(Exists(PathBytes(u"a"_qs)));
}
