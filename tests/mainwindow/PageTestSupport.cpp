#include "PageTestSupport.h"

#include "support/gui/GuiTestApp.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

void FakePagePrompts::ShowWarning(QWidget *, const QString &text)
{
    warnings.append(text);
}

ui::Answer FakePagePrompts::AskYesNoDefaultNo(QWidget *, const QString &text)
{
    questions.append(text);
    return answer;
}

std::optional<QString> FakePagePrompts::PickTextFile(QWidget *, const QString &current)
{
    pickStarts.append(current);
    return pickedFile;
}

void FakePagePrompts::ShowFile(QWidget *, const QString &path)
{
    shownFiles.append(path);
}

PageTest::PageTest()
{
    GuiTestApp();
}

ui::PageEnvironment PageTest::Environment()
{
    // The prompts belong to the test, which outlives its pages.
    const std::shared_ptr<ui::IPagePrompts> shared(&prompts, [](ui::IPagePrompts *) {});
    return {project, shared, [this](const QString &kopierdatei) { retryRuns.append(kopierdatei); }};
}

void PageTest::ShowActive(QWidget &page)
{
    page.show();
    page.activateWindow();
    QApplication::setActiveWindow(&page);
    EXPECT_TRUE(QTest::qWaitForWindowActive(&page));
}
