#include "model/CProjectData.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::Literals::StringLiterals;

namespace {

CListData job(const QString &source)
{
    CListData data;
    data.SourceDir = source;
    data.TargetDir = source + u"_ziel"_s;
    return data;
}

QStringList sources(const model::CProjectData &project)
{
    QStringList result;
    for (const CListData &data : project.Jobs)
        result.append(data.SourceDir);
    return result;
}

void touch(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write("x");
}

model::CProjectData projectWithThreeJobs()
{
    model::CProjectData project;
    project.AppendJob(job(u"a"_s));
    project.AppendJob(job(u"b"_s));
    project.AppendJob(job(u"c"_s));
    project.Modified = false;
    return project;
}

} // namespace

TEST(CProjectData, ResetDeletesOnlyTheFlaggedListFiles)
{
    struct Row {
        qint32 deleteCopied, deleteRetry, deleteSkipped;
    };
    const Row rows[] = {{1, 0, 1}, {0, 1, 0}, {1, 1, 1}, {0, 0, 0}};
    for (const Row &row : rows) {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        model::CProjectData project;
        project.Dateien.CopiedListFile = dir.filePath(u"kopiert.txt"_s);
        project.Dateien.RetryListFile = dir.filePath(u"kopierdatei.txt"_s);
        project.Dateien.SkippedListFile = dir.filePath(u"uebersprungen.txt"_s);
        project.Dateien.DeleteCopiedListAtEnd = row.deleteCopied;
        project.Dateien.DeleteRetryListAtEnd = row.deleteRetry;
        project.Dateien.DeleteSkippedListAtEnd = row.deleteSkipped;
        touch(project.Dateien.CopiedListFile);
        touch(project.Dateien.RetryListFile);
        touch(project.Dateien.SkippedListFile);

        EXPECT_TRUE(project.Reset().isEmpty());

        EXPECT_EQ(QFile::exists(dir.filePath(u"kopiert.txt"_s)), row.deleteCopied == 0);
        EXPECT_EQ(QFile::exists(dir.filePath(u"kopierdatei.txt"_s)), row.deleteRetry == 0);
        EXPECT_EQ(QFile::exists(dir.filePath(u"uebersprungen.txt"_s)), row.deleteSkipped == 0);
        EXPECT_EQ(project.Dateien, model::CPageDateien());
    }
}

TEST(CProjectData, ResetDeletesAReadOnlyListFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    model::CProjectData project;
    project.Dateien.CopiedListFile = dir.filePath(u"kopiert.txt"_s);
    touch(project.Dateien.CopiedListFile);
    QFile::setPermissions(project.Dateien.CopiedListFile, QFile::ReadOwner);
    EXPECT_TRUE(project.Reset().isEmpty());
    EXPECT_FALSE(QFile::exists(dir.filePath(u"kopiert.txt"_s)));
}

TEST(CProjectData, ResetWithMissingOrEmptyListPathsReportsNothing)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    model::CProjectData project;
    project.Dateien.CopiedListFile = dir.filePath(u"fehlt.txt"_s);
    project.Dateien.RetryListFile.clear();
    project.Dateien.DeleteRetryListAtEnd = 1;
    EXPECT_TRUE(project.Reset().isEmpty());
}

TEST(CProjectData, ResetEmptiesTheProject)
{
    model::CProjectData project = projectWithThreeJobs();
    project.Option.ThreadCount = 3;
    project.Muster.FileIncludeEnabled = 1;
    project.Datum.DateFilterMode = 2;
    project.Zip.CompressFiles = 1;
    project.Unzip.DecompressFiles = 1;
    project.Pruefdatei.CheckFile = u"/tmp/p"_s;
    project.Modified = true;

    project.Reset();

    EXPECT_TRUE(project.Jobs.isEmpty());
    EXPECT_EQ(project.Option, model::CPageOption());
    EXPECT_EQ(project.Muster, model::CPageMuster());
    EXPECT_EQ(project.Datum, model::CPageDatum());
    EXPECT_EQ(project.Zip, model::CPageZip());
    EXPECT_EQ(project.Unzip, model::CPageUnzip());
    EXPECT_EQ(project.Pruefdatei, model::CPagePruefdatei());
    EXPECT_FALSE(project.Modified);
}

TEST(CProjectData, EditsMarkTheProjectModified)
{
    model::CProjectData project;
    project.AppendJob(job(u"a"_s));
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(project.Jobs.size(), 1);
    EXPECT_EQ(project.Jobs[0].Active, 1);

    project.Modified = false;
    EXPECT_TRUE(project.ReplaceJob(0, job(u"z"_s)));
    EXPECT_TRUE(project.Modified);
    EXPECT_EQ(sources(project), QStringList{u"z"_s});

    project.Modified = false;
    EXPECT_FALSE(project.ReplaceJob(1, job(u"y"_s)));
    EXPECT_FALSE(project.ReplaceJob(-1, job(u"y"_s)));
    EXPECT_FALSE(project.Modified);
}

TEST(CProjectData, RemoveJobsTakesEachSelectedRowOnce)
{
    model::CProjectData project = projectWithThreeJobs();
    project.RemoveJobs({2, 0, 2, 7});
    EXPECT_EQ(sources(project), QStringList{u"b"_s});
    EXPECT_TRUE(project.Modified);

    project.Modified = false;
    project.RemoveJobs({5});
    EXPECT_FALSE(project.Modified);
}

TEST(CProjectData, MoveUpAndDownStopAtTheEdge)
{
    struct Row {
        bool up;
        QList<qsizetype> selected;
        QStringList order;
        QList<qsizetype> selection;
        bool modified;
    };
    const Row rows[] = {
        {true, {1}, {u"b"_s, u"a"_s, u"c"_s}, {0}, true},
        {true, {1, 2}, {u"b"_s, u"c"_s, u"a"_s}, {0, 1}, true},
        // The first selected row is at the top: the loop stops at once.
        {true, {0, 2}, {u"a"_s, u"b"_s, u"c"_s}, {0, 2}, false},
        {false, {1, 2}, {u"a"_s, u"b"_s, u"c"_s}, {1, 2}, false},
        {false, {0, 1}, {u"c"_s, u"a"_s, u"b"_s}, {1, 2}, true},
        {false, {0}, {u"b"_s, u"a"_s, u"c"_s}, {1}, true},
        {false, {}, {u"a"_s, u"b"_s, u"c"_s}, {}, false},
    };
    for (const Row &row : rows) {
        model::CProjectData project = projectWithThreeJobs();
        const QList<qsizetype> selection =
            row.up ? project.MoveJobsUp(row.selected) : project.MoveJobsDown(row.selected);
        EXPECT_EQ(sources(project), row.order) << row.up << ' ' << row.selected.size();
        EXPECT_EQ(selection, row.selection) << row.up << ' ' << row.selected.size();
        EXPECT_EQ(project.Modified, row.modified) << row.up << ' ' << row.selected.size();
    }
}
