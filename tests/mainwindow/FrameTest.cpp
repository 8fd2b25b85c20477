#include "MainWindowFixture.h"

#include "controls/CMyListEditControl.h"
#include "controls/CMyTabCtrl.h"
#include "mainwindow/CommandIds.h"
#include "mainwindow/MainCommands.h"
#include "model/CSettings.h"
#include "resources/Strings.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

namespace {

namespace C = CommandId;

class MainFrame : public MainWindowTest {
protected:
    QStringList MenuIds(int index) const
    {
        QStringList names;
        for (QAction *action : Frame().menuBar()->actions()[index]->menu()->actions())
            names.append(action->isSeparator() ? QStringLiteral("-") : action->objectName());
        return names;
    }

    void ShowActive()
    {
        Frame().show();
        Frame().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&Frame()));
    }

    QString Command(int id) const { return QStringLiteral("Command%1").arg(id); }
};

TEST_F(MainFrame, MenusHoldTheCommandsInOrderWithoutTools)
{
    const QList<QAction *> menus = Frame().menuBar()->actions();
    ASSERT_EQ(menus.size(), 5) << "no menu for tools that do not exist yet";
    for (int index = 0; index < menus.size(); ++index)
        EXPECT_EQ(menus[index]->text(), LoadStr(5720 + index));
    EXPECT_EQ(MenuIds(0), (QStringList{Command(C::FileNew), Command(C::FileOpen), Command(C::FileSave), Command(C::FileSaveAs),
                                       QStringLiteral("-"), Command(C::Parameter), QStringLiteral("-"), Command(C::RecentFile),
                                       QStringLiteral("-"), Command(C::AppExit)}));
    EXPECT_EQ(MenuIds(1), (QStringList{Command(C::EditUndo), QStringLiteral("-"), Command(C::EditCut), Command(C::EditCopy),
                                       Command(C::EditPaste)}));
    EXPECT_EQ(MenuIds(2), (QStringList{Command(C::Run), Command(C::RetryRun)}));
    EXPECT_EQ(MenuIds(3), (QStringList{Command(C::PageOption), Command(C::PagePruefdatei), Command(C::PageMuster),
                                       Command(C::PageDatum), Command(C::PageDateien), Command(C::PageZip), Command(C::PageUnzip)}));
    EXPECT_EQ(MenuIds(4), (QStringList{Command(C::ViewToolbar), Command(C::ViewStatusBar)}));
    EXPECT_FALSE(Frame().Action(C::RecentFile) != nullptr) << "the placeholder is no command";
}

TEST_F(MainFrame, CommandsTakeTextsPromptsTipsAndKeysFromTheirTable)
{
    for (const MainCommand &command : MainCommands()) {
        QAction *action = Frame().Action(command.Id);
        ASSERT_NE(action, nullptr) << command.Id;
        EXPECT_EQ(action->text(), LoadStr(command.TextId)) << command.Id;
        EXPECT_EQ(action->shortcuts(), command.Keys) << command.Id;
    }
    QAction *run = Frame().Action(C::Run);
    EXPECT_EQ(run->statusTip(), QStringLiteral("Kopieren wird begonnen. Alle aktiven Einträge werden abgearbeitet"));
    EXPECT_EQ(run->toolTip(), QStringLiteral("Kopieren wird begonnen"));
    EXPECT_EQ(Frame().Action(C::EditCopy)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)}));
    EXPECT_EQ(Frame().Action(C::EditUndo)->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)}));
}

TEST_F(MainFrame, ToolbarFollowsTheCommandOrderWithIcons)
{
    QStringList names;
    for (QAction *action : Frame().ToolBar()->actions()) {
        names.append(action->isSeparator() ? QStringLiteral("-") : action->objectName());
        if (!action->isSeparator()) {
            EXPECT_FALSE(action->icon().isNull()) << action->objectName().toStdString();
        }
    }
    EXPECT_EQ(names, (QStringList{Command(C::FileNew), Command(C::FileOpen), Command(C::FileSave), QStringLiteral("-"),
                                  Command(C::EditCut), Command(C::EditCopy), Command(C::EditPaste), QStringLiteral("-"),
                                  Command(C::Run), Command(C::RetryRun)}));
    Frame().Action(C::ViewToolbar)->trigger();
    EXPECT_TRUE(Frame().ToolBar()->isHidden());
    Frame().Action(C::ViewToolbar)->trigger();
    EXPECT_FALSE(Frame().ToolBar()->isHidden());
}

TEST_F(MainFrame, NavigationCommandsSelectTheirTab)
{
    const int ids[] = {C::PageOption, C::PagePruefdatei, C::PageMuster, C::PageDatum, C::PageDateien, C::PageZip, C::PageUnzip};
    ASSERT_EQ(View().Tabs().count(), 7);
    for (int tab = 6; tab >= 0; --tab) {
        Frame().Action(ids[tab])->trigger();
        EXPECT_EQ(View().Tabs().currentIndex(), tab);
        EXPECT_EQ(View().Tabs().tabText(tab), LoadStr(5810 + tab));
    }
}

TEST_F(MainFrame, EditCommandsActOnlyOnTheFocusedTextField)
{
    OpenJobs({CListData{1, 1, QStringLiteral("/quelle/pfad"), QStringLiteral("/ziel")}});
    ShowActive();
    const auto states = [this] {
        Frame().UpdateCommandStates();
        QString text;
        for (int id : {C::EditUndo, C::EditCut, C::EditCopy, C::EditPaste})
            text += Frame().Action(id)->isEnabled() ? u'1' : u'0';
        return text;
    };
    QApplication::clipboard()->clear();
    List().setFocus();
    EXPECT_EQ(states(), QStringLiteral("0000")) << "no text field has the focus";

    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().CellRect(0, CViewSich::ColSource).center());
    QTest::mouseClick(List().viewport(), Qt::LeftButton, {}, List().CellRect(0, CViewSich::ColSource).center());
    auto *edit = dynamic_cast<CMyListEditControl *>(List().ActiveEditor());
    ASSERT_NE(edit, nullptr);
    ASSERT_EQ(QApplication::focusWidget(), edit);
    edit->deselect();
    EXPECT_EQ(states(), QStringLiteral("0000"));
    edit->setSelection(1, 6);
    EXPECT_EQ(states(), QStringLiteral("0110"));
    Frame().Action(C::EditCopy)->trigger();
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("quelle"));
    EXPECT_EQ(states(), QStringLiteral("0111"));
    Frame().Action(C::EditCut)->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("//pfad"));
    EXPECT_EQ(states().at(0), u'1') << "the cut can be undone";
    Frame().Action(C::EditUndo)->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("/quelle/pfad"));
    edit->setCursorPosition(0);
    Frame().Action(C::EditPaste)->trigger();
    EXPECT_EQ(edit->text(), QStringLiteral("quelle/quelle/pfad"));
}

TEST_F(MainFrame, WindowIsNeverLowerThan560Pixels)
{
    EXPECT_EQ(Frame().minimumHeight(), 560);
    Frame().show();
    Frame().resize(800, 300);
    EXPECT_EQ(Frame().height(), 560);
}

TEST_F(MainFrame, TitleNamesTheProjectAndTheProgram)
{
    EXPECT_EQ(Frame().windowTitle(), LoadStr(5705) + QStringLiteral(" - Zelvaron"));
}

TEST_F(MainFrame, RestoringTheWindowBringsBackTheTitleItHadBeforeMinimising)
{
    Frame().show();
    const QString title = Frame().windowTitle();
    IProgressHost &host = Frame();
    host.MinimizeMainWindow();
    ASSERT_TRUE(host.IsMainWindowMinimized());
    host.SetMinimizedTitle(QStringLiteral("Job 1 / 2 (45%)"));
    EXPECT_EQ(Frame().windowTitle(), QStringLiteral("Job 1 / 2 (45%)"));
    host.RestoreMainWindow();
    EXPECT_FALSE(host.IsMainWindowMinimized());
    EXPECT_EQ(Frame().windowTitle(), title);
}

TEST_F(MainFrame, ParameterCommandRunsTheSheet)
{
    Frame().Action(C::Parameter)->trigger();
    EXPECT_EQ(prompts.dialogs, QStringList{QStringLiteral("CSheetParam")});
}

TEST_F(MainFrame, ClosingAsksToSaveAndCancelKeepsTheWindowOpen)
{
    OpenJobs({CListData{}});
    Frame().show();
    Frame().Doc().SetModified(true);
    prompts.saveChoice = SaveChoice::Cancel;
    EXPECT_FALSE(Frame().close());
    EXPECT_TRUE(Frame().isVisible());
    prompts.saveChoice = SaveChoice::Discard;
    EXPECT_TRUE(Frame().close());
    EXPECT_EQ(prompts.saveQuestions.size(), 2);
    EXPECT_TRUE(Project().Jobs.isEmpty()) << "the project was closed";
}

struct PlacementCase {
    const char *name;
    Qt::WindowState state;
    qint32 savedCommand;
    bool maximisedAfter;
};

class FramePlacementRoundTrip : public MainFrame, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(FramePlacementRoundTrip, KeepsGeometryAndStateInSectionFrame)
{
    CreateFrame();
    const QSize least = Frame().minimumSizeHint().expandedTo(QSize(700, 580));
    const QRect normal(QPoint(40, 30), least + QSize(20, 20));
    Frame().setGeometry(normal);
    Frame().show();
    Frame().setWindowState(GetParam().state);
    CreateFrame();
    const std::optional<QByteArray> bytes
        = model::AppSettings().File().GetBinary(QStringLiteral("Frame"), QStringLiteral("Position"));
    ASSERT_TRUE(bytes.has_value());
    EXPECT_EQ(bytes->size(), 44);
    const std::optional<model::WindowPlacement> raw = model::WindowPlacement::FromBytes(*bytes);
    ASSERT_TRUE(raw.has_value());
    EXPECT_EQ(raw->ShowCommand, GetParam().savedCommand);
    EXPECT_EQ(QRect(raw->Left, raw->Top, raw->Right - raw->Left, raw->Bottom - raw->Top), normal);

    Frame().show();
    EXPECT_EQ(Frame().isMaximized(), GetParam().maximisedAfter);
    EXPECT_FALSE(Frame().isMinimized()) << "a minimised window opens normal";
    EXPECT_EQ(Frame().normalGeometry(), normal);
}

INSTANTIATE_TEST_SUITE_P(
    States, FramePlacementRoundTrip,
    ::testing::Values(PlacementCase{"Normal", Qt::WindowNoState, 1, false},
                      PlacementCase{"Maximised", Qt::WindowMaximized, 3, true},
                      PlacementCase{"Minimised", Qt::WindowMinimized, 2, false}),
    [](const ::testing::TestParamInfo<PlacementCase> &info) { return std::string(info.param.name); });

TEST_F(MainFrame, PlacementOfNoSizeIsIgnored)
{
    model::WindowPlacement broken;
    broken.Left = 10;
    broken.Right = 10;
    model::AppSettings().WritePlacement(model::PlacementWindow::MainFrame, broken);
    CreateFrame();
    EXPECT_GE(Frame().height(), 560);
    EXPECT_GT(Frame().width(), 0);
}

} // namespace
