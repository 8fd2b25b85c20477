#include "mainwindow/PageUserPrompts.h"

#include "controls/GuiTexts.h"
#include "resources/Strings.h"
#include "support/gui/GuiTestApp.h"
#include "support/gui/ScriptedPrompts.h"

#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class PageUserPromptsTest : public ::testing::Test {
protected:
    PageUserPromptsTest() { GuiTestApp(); }

    ScriptedPrompts prompts;
    ui::CUserPagePrompts pagePrompts{prompts};
};

TEST_F(PageUserPromptsTest, AWarningIsAMessageWithTheWarningIcon)
{
    pagePrompts.ShowWarning(nullptr, QStringLiteral("Zahl fehlt"));
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, QStringLiteral("Zahl fehlt"));
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
}

TEST_F(PageUserPromptsTest, TheQuestionDefaultsToNo)
{
    QString defaultText;
    QString question;
    prompts.exec = [&](QDialog &dialog) {
        auto &box = static_cast<QMessageBox &>(dialog);
        defaultText = box.defaultButton()->text();
        question = box.text();
        return int(QDialog::Rejected);
    };
    EXPECT_EQ(pagePrompts.AskYesNoDefaultNo(nullptr, QStringLiteral("Wirklich?")), ui::Answer::No);
    EXPECT_EQ(prompts.dialogs, QStringList{QStringLiteral("PageQuestion")});
    EXPECT_EQ(defaultText, LoadStr(GuiText::No));
    EXPECT_EQ(question, QStringLiteral("Wirklich?"));
}

TEST_F(PageUserPromptsTest, ClickingYesAnswersYes)
{
    prompts.exec = [](QDialog &dialog) {
        auto &box = static_cast<QMessageBox &>(dialog);
        for (QAbstractButton *button : box.buttons()) {
            if (box.buttonRole(button) == QMessageBox::YesRole)
                button->click();
        }
        return int(QDialog::Accepted);
    };
    EXPECT_EQ(pagePrompts.AskYesNoDefaultNo(nullptr, QStringLiteral("Wirklich?")), ui::Answer::Yes);
}

TEST_F(PageUserPromptsTest, TheFileDialogAcceptsANameThatDoesNotExistYet)
{
    QTemporaryDir dir;
    const QString wanted = dir.filePath(QStringLiteral("neu"));
    QFileDialog::FileMode mode = QFileDialog::ExistingFile;
    QStringList filters;
    prompts.exec = [&](QDialog &dialog) {
        auto &files = static_cast<QFileDialog &>(dialog);
        mode = files.fileMode();
        filters = files.nameFilters();
        files.selectFile(wanted);
        QMetaObject::invokeMethod(&files, "accept", Qt::DirectConnection);
        return int(files.result());
    };
    const std::optional<QString> picked = pagePrompts.PickTextFile(nullptr, dir.filePath(QStringLiteral("alt.txt")));
    EXPECT_EQ(prompts.dialogs, QStringList{QStringLiteral("TextFileDialog")});
    EXPECT_EQ(mode, QFileDialog::AnyFile);
    EXPECT_EQ(filters, (QStringList{LoadStr(GuiText::TextFileFilter), LoadStr(GuiText::AllFilesFilter)}));
    ASSERT_TRUE(picked.has_value());
    EXPECT_EQ(*picked, wanted);
}

TEST_F(PageUserPromptsTest, CancellingTheFileDialogPicksNothing)
{
    EXPECT_FALSE(pagePrompts.PickTextFile(nullptr, QString()).has_value());
}

TEST_F(PageUserPromptsTest, AFileThatCannotBeShownIsReported)
{
    QTemporaryDir dir;
    pagePrompts.ShowFile(nullptr, dir.path());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Warning);
    EXPECT_TRUE(prompts.messages[0].text.contains(dir.path()));
}

} // namespace
