#include "MainWindowFixture.h"

#include "mainwindow/DirectoryTest.h"
#include "resources/Strings.h"

#include <QAction>
#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace {

class DropAndMenu : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        source = Dir(QStringLiteral("quelle"));
        target = Dir(QStringLiteral("ziel"));
        OpenJobs({CListData{1, 1, source, target}, CListData{1, 1, QStringLiteral("/fehlt/q"), QStringLiteral("/fehlt/z")}});
        Frame().resize(1000, 700);
        Frame().show();
        QApplication::processEvents();
    }

    // The centre of a cell in the view's coordinates.
    QPoint CellPoint(int row, int column) const
    {
        return List().viewport()->mapTo(&View(), List().CellRect(row, column).center());
    }

    // Drags `paths` to `point` and drops them there; returns whether the drop was taken. The
    // events go straight to the view: the application would route them through the drag
    // manager of a real drag.
    bool Drop(const QStringList &paths, const QPoint &point)
    {
        QObject &view = View();
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &path : paths)
            urls.append(QUrl::fromLocalFile(path));
        data.setUrls(urls);
        QDragMoveEvent move(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        view.event(&move);
        QDropEvent drop(QPointF(point), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        view.event(&drop);
        EXPECT_EQ(move.isAccepted(), drop.isAccepted()) << "dragging and dropping decide alike";
        return drop.isAccepted();
    }

    QString source;
    QString target;
};

TEST_F(DropAndMenu, OneFolderOnASourceOrTargetCellReplacesThatDirectory)
{
    const QString folder = Dir(QStringLiteral("neu"));
    EXPECT_TRUE(Drop({folder}, CellPoint(1, CViewSich::ColSource)));
    EXPECT_EQ(Project().Jobs[1].SourceDir, folder);
    EXPECT_EQ(List().CellText(1, CViewSich::ColSource), folder);
    EXPECT_TRUE(Frame().Doc().IsModified());
    EXPECT_TRUE(Drop({folder}, CellPoint(0, CViewSich::ColTarget)));
    EXPECT_EQ(Project().Jobs[0].TargetDir, folder);
    EXPECT_EQ(Project().Jobs[0].SourceDir, source);
}

TEST_F(DropAndMenu, RefusedDropsChangeNothing)
{
    const QString folder = Dir(QStringLiteral("neu"));
    const QString other = Dir(QStringLiteral("anders"));
    const QString file = temp.filePath(QStringLiteral("datei.txt"));
    QFile(file).open(QIODevice::WriteOnly);
    EXPECT_FALSE(Drop({folder, other}, CellPoint(0, CViewSich::ColSource))) << "two folders";
    EXPECT_FALSE(Drop({folder}, CellPoint(0, CViewSich::ColActive))) << "not a directory cell";
    EXPECT_FALSE(Drop({file}, CellPoint(0, CViewSich::ColSource))) << "a file that is no project";
    EXPECT_FALSE(Drop({temp.filePath(QStringLiteral("weg"))}, CellPoint(0, CViewSich::ColSource))) << "nothing there";
    EXPECT_FALSE(Drop({}, CellPoint(0, CViewSich::ColSource)));
    EXPECT_EQ(Project().Jobs[0].SourceDir, source);
    EXPECT_FALSE(Frame().Doc().IsModified());
}

TEST_F(DropAndMenu, ProjectFileDroppedAnywhereOpensAfterTheSaveQuestion)
{
    const QString project = WriteProject(QStringLiteral("GROSS.ZELV"), {CListData{1, 1, QStringLiteral("/x"), QStringLiteral("/y")}});
    Frame().Doc().SetModified(true);
    prompts.saveChoice = SaveChoice::Discard;
    EXPECT_TRUE(Drop({project}, QPoint(3, View().height() - 3)));
    QApplication::processEvents();
    EXPECT_EQ(prompts.saveQuestions.size(), 1);
    EXPECT_EQ(Frame().Doc().PathName(), project);
    EXPECT_EQ(Column(CViewSich::ColSource), QStringList{QStringLiteral("/x")});
}

TEST_F(DropAndMenu, ContextMenuOffersTheDirectoriesThatExist)
{
    std::unique_ptr<QMenu> menu(View().CreateContextMenu(List().CellRect(0, CViewSich::ColActive).center()));
    ASSERT_NE(menu, nullptr);
    const QList<QAction *> actions = menu->actions();
    ASSERT_EQ(actions.size(), 4);
    EXPECT_EQ(actions[0]->text(), QStringLiteral("Quellverzeichnis anzeigen: ") + source);
    EXPECT_EQ(actions[1]->text(), QStringLiteral("Zielverzeichnis anzeigen: ") + target);
    EXPECT_TRUE(actions[2]->isSeparator());
    EXPECT_EQ(actions[3]->text(), QStringLiteral("Abbrechen"));
    actions[1]->trigger();
    EXPECT_EQ(prompts.openedFolders, QStringList{target});

    std::unique_ptr<QMenu> missing(View().CreateContextMenu(List().CellRect(1, CViewSich::ColSource).center()));
    ASSERT_NE(missing, nullptr);
    EXPECT_EQ(missing->actions().size(), 2) << "only the separator and Abbrechen";
    EXPECT_EQ(View().CreateContextMenu(QPoint(5, List().viewport()->height() - 2)), nullptr) << "no row";
}

TEST_F(DropAndMenu, FolderOpensWithoutTheLongPathPrefix)
{
    View().OpenDirectory(QStringLiteral("\\\\?\\/daten/quelle"));
    View().OpenDirectory(QStringLiteral("/daten/ziel"));
    EXPECT_EQ(prompts.openedFolders, (QStringList{QStringLiteral("/daten/quelle"), QStringLiteral("/daten/ziel")}));
}

TEST_F(DropAndMenu, AmpersandInAPathStaysText)
{
    const QString odd = Dir(QStringLiteral("A&B"));
    OpenJobs({CListData{1, 1, odd, QString()}});
    std::unique_ptr<QMenu> menu(View().CreateContextMenu(List().CellRect(0, CViewSich::ColSource).center()));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->actions()[0]->text().endsWith(QStringLiteral("A&&B")));
}

TEST_F(DropAndMenu, TestReportListsMissingDirectoriesOfActiveJobsOnly)
{
    View().OnTest();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, DirectoryTestReport(Project().Jobs));
    const QList<CListData> jobs = {CListData{1, 1, source, QString()}, CListData{0, 1, QStringLiteral("/fehlt/inaktiv"), target},
                                   CListData{1, 0, QStringLiteral("/fehlt/q"), target}};
    EXPECT_EQ(DirectoryTestReport(jobs),
              QStringLiteral("Folgende aktive Quellverzeichnisse sind nicht vorhanden:\r\n/fehlt/q\r\n\r\n") + LoadStr(329)
                  + QStringLiteral("Achtung: Verzeichnis nicht angegeben !!\r\n"));
    EXPECT_EQ(DirectoryTestReport({CListData{1, 1, source, target}}),
              QStringLiteral("Alle aktiven Quellverzeichnisse sind vorhanden.\r\n\r\n\r\n") + LoadStr(327));
}

} // namespace
