#include "mainwindow/OptionPages.h"

#include "controls/GuiTexts.h"
#include "mainwindow/CPlaceholderPage.h"
#include "resources/Strings.h"

namespace {

constexpr int kPageCount = 7;

} // namespace

QList<IOptionPage *> CreateOptionPages(const OptionPageContext &)
{
    QList<IOptionPage *> pages;
    for (int tab = 0; tab < kPageCount; ++tab) {
        auto *page = new CPlaceholderPage(LoadStr(GuiText::PageOption + tab));
        page->setObjectName(QStringLiteral("Page%1").arg(tab));
        pages.append(page);
    }
    return pages;
}
