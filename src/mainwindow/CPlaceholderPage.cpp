#include "mainwindow/CPlaceholderPage.h"

namespace {

// About the size of the option pages' templates, so that the main window keeps its
// proportions until the pages are there.
constexpr int kPageWidth = 760;
constexpr int kPageHeight = 250;

} // namespace

CPlaceholderPage::CPlaceholderPage(const QString &caption)
{
    setWindowTitle(caption);
}

QSize CPlaceholderPage::sizeHint() const
{
    return {kPageWidth, kPageHeight};
}
