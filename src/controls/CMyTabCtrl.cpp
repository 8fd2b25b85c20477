#include "controls/CMyTabCtrl.h"

#include "controls/TabImages.h"

CMyTabCtrl::CMyTabCtrl(QWidget *parent)
    : QTabWidget(parent)
{
    setObjectName(QStringLiteral("CMyTabCtrl"));
    setDocumentMode(false);
    setUsesScrollButtons(true);
}

int CMyTabCtrl::AddPage(QWidget *page)
{
    return addTab(page, TabImages::Get(count()), page->windowTitle());
}

void CMyTabCtrl::ShowPage(int index)
{
    if (index >= 0 && index < count())
        setCurrentIndex(index);
    if (QWidget *page = currentWidget())
        page->setFocus(Qt::OtherFocusReason);
}
