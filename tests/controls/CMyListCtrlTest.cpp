#include "controls/CMyListCtrl.h"
#include "controls/CMyListButtonControl.h"
#include "controls/CMyListEditControl.h"
#include "support/gui/GuiTestApp.h"

#include <QApplication>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

// A list with one column of each edit kind (none, text, yes/no) in a window that has the
// focus, with a button beside it to take the focus away.
class ListFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        GuiTestApp();
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        list = new CMyListCtrl(window.get());
        other = new QPushButton(QStringLiteral("anderes"), window.get());
        layout->addWidget(list);
        layout->addWidget(other);
        list->SetReportStyle();
        list->SetColumns({QStringLiteral("Nr"), QStringLiteral("Text"), QStringLiteral("Aktiv")});
        list->SetColumnEditTypes({COL_EDIT_NONE, COL_EDIT_TEXT, COL_EDIT_CHECK});
        for (int row = 0; row < 3; ++row)
            list->AddRow({QString::number(row), QStringLiteral("Zeile %1").arg(row), QStringLiteral("Nein")});
        window->resize(500, 300);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    void click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, modifiers, list->CellRect(row, column).center());
        QApplication::processEvents();
    }

    template <typename Editor>
    Editor *editor() const
    {
        return dynamic_cast<Editor *>(list->ActiveEditor());
    }

    std::unique_ptr<QWidget> window;
    CMyListCtrl *list = nullptr;
    QPushButton *other = nullptr;
};

TEST_F(ListFixture, FirstClickSelectsAndSecondClickOnTheSameRowOpensTheEditBox)
{
    click(1, 1);
    EXPECT_EQ(list->SelectedRows(), QList<int>{1});
    EXPECT_EQ(list->ActiveEditor(), nullptr);

    click(1, 1);
    auto *edit = editor<CMyListEditControl>();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("Zeile 1"));
    EXPECT_EQ(edit->geometry(), list->CellRect(1, 1));
    EXPECT_TRUE(edit->hasFocus());
}

TEST_F(ListFixture, ClickOnAnotherRowOrANonEditableColumnOpensNoEditor)
{
    click(0, 1);
    click(2, 1);
    EXPECT_EQ(list->ActiveEditor(), nullptr) << "the second click changed the selection";
    click(2, 0);
    EXPECT_EQ(list->ActiveEditor(), nullptr) << "column 0 has no edit kind";
}

TEST_F(ListFixture, ClickWhileSeveralRowsAreSelectedOpensNoEditor)
{
    click(0, 1);
    click(2, 1, Qt::ControlModifier);
    ASSERT_EQ(list->SelectedRows(), (QList<int>{0, 2}));
    click(2, 1, Qt::ControlModifier);
    click(2, 1, Qt::ControlModifier);
    EXPECT_EQ(list->ActiveEditor(), nullptr);
}

TEST_F(ListFixture, EscapeClosesTheEditKeepsTheCellAndTellsNobody)
{
    QSignalSpy modified(list, &CMyListCtrl::ModifyMyListCtrl);
    click(1, 1);
    click(1, 1);
    auto *edit = editor<CMyListEditControl>();
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("geändert"));
    QTest::keyClick(edit, Qt::Key_Escape);
    QApplication::processEvents();

    EXPECT_EQ(list->ActiveEditor(), nullptr);
    EXPECT_EQ(list->CellText(1, 1), QStringLiteral("Zeile 1"));
    EXPECT_EQ(modified.count(), 0);
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(modified.count(), 0) << "a cancelled editor must not commit when the focus moves later";
}

TEST_F(ListFixture, FocusLossCommitsTheTextAndTellsTheOwnerBeforeTheCellChanges)
{
    QStringList cellWhenTold;
    QObject::connect(list, &CMyListCtrl::ModifyMyListCtrl, list,
                     [&](int row, int column, const QString &) { cellWhenTold.append(list->CellText(row, column)); });
    QSignalSpy modified(list, &CMyListCtrl::ModifyMyListCtrl);
    click(1, 1);
    click(1, 1);
    auto *edit = editor<CMyListEditControl>();
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("/daten/neu"));
    other->setFocus();
    QApplication::processEvents();

    EXPECT_EQ(list->ActiveEditor(), nullptr);
    EXPECT_EQ(list->CellText(1, 1), QStringLiteral("/daten/neu"));
    ASSERT_EQ(modified.count(), 1);
    EXPECT_EQ(modified.first().at(0).toInt(), 1);
    EXPECT_EQ(modified.first().at(1).toInt(), 1);
    EXPECT_EQ(modified.first().at(2).toString(), QStringLiteral("/daten/neu"));
    EXPECT_EQ(cellWhenTold, QStringList{QStringLiteral("Zeile 1")});
}

TEST_F(ListFixture, UnchangedCommitStillTellsTheOwner)
{
    QSignalSpy modified(list, &CMyListCtrl::ModifyMyListCtrl);
    click(0, 1);
    click(0, 1);
    ASSERT_NE(editor<CMyListEditControl>(), nullptr);
    QTest::keyClick(editor<CMyListEditControl>(), Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(list->CellText(0, 1), QStringLiteral("Zeile 0"));
}

TEST_F(ListFixture, CheckBoxStartsSetForLowerCaseJaAndWritesBackJa)
{
    list->SetCellText(2, 2, QStringLiteral("ja"));
    click(2, 2);
    click(2, 2);
    auto *box = editor<CMyListButtonControl>();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->isChecked());
    other->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(list->CellText(2, 2), QStringLiteral("Ja"));
}

TEST_F(ListFixture, ClearedCheckBoxWritesNein)
{
    list->SetCellText(0, 2, QStringLiteral("Ja"));
    click(0, 2);
    click(0, 2);
    auto *box = editor<CMyListButtonControl>();
    ASSERT_NE(box, nullptr);
    QTest::keyClick(box, Qt::Key_Space);
    EXPECT_FALSE(box->isChecked());
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(list->CellText(0, 2), QStringLiteral("Nein"));
}

TEST_F(ListFixture, ScrollingCommitsTheEditBeforeTheListMoves)
{
    for (int row = 3; row < 60; ++row)
        list->AddRow({QString::number(row), QStringLiteral("Zeile %1").arg(row), QStringLiteral("Nein")});
    QSignalSpy modified(list, &CMyListCtrl::ModifyMyListCtrl);
    click(1, 1);
    click(1, 1);
    auto *edit = editor<CMyListEditControl>();
    ASSERT_NE(edit, nullptr);
    edit->setText(QStringLiteral("vor dem Blättern"));
    list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
    QApplication::processEvents();

    EXPECT_EQ(list->ActiveEditor(), nullptr);
    EXPECT_EQ(modified.count(), 1);
    EXPECT_EQ(list->CellText(1, 1), QStringLiteral("vor dem Blättern"));
}

TEST_F(ListFixture, AddRowWidensOnlyColumnsTheTextDoesNotFit)
{
    const int before = list->columnWidth(1);
    const QString longText(200, u'x');
    list->AddRow({QStringLiteral("3"), longText, QStringLiteral("Ja")});
    EXPECT_EQ(list->columnWidth(1), list->TextWidth(longText));
    EXPECT_GT(list->columnWidth(1), before);
    list->AddRow({QStringLiteral("4"), QStringLiteral("kurz"), QStringLiteral("Ja")});
    EXPECT_EQ(list->columnWidth(1), list->TextWidth(longText));
}

TEST(CMyListCtrl, SetColumnsStartsEveryColumnAtItsTitleWidthAndRemovesTheRows)
{
    GuiTestApp();
    CMyListCtrl list;
    list.SetColumns({QStringLiteral("A")});
    list.AddRow({QStringLiteral("eins")});
    const QStringList titles = {QStringLiteral("Job"), QStringLiteral("Quellverzeichnis")};
    list.SetColumns(titles);
    EXPECT_EQ(list.rowCount(), 0);
    ASSERT_EQ(list.columnCount(), 2);
    for (int column = 0; column < 2; ++column) {
        EXPECT_EQ(list.columnWidth(column), list.fontMetrics().horizontalAdvance(titles[column]) + 18);
        EXPECT_EQ(list.horizontalHeaderItem(column)->text(), titles[column]);
    }
}

TEST_F(ListFixture, WithoutEditKindsNothingOpens)
{
    list->SetColumnEditTypes({});
    click(1, 1);
    click(1, 1);
    EXPECT_EQ(list->ActiveEditor(), nullptr);
}

} // namespace
