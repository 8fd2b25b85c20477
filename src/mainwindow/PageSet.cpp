#include "mainwindow/PageSet.h"

#include "mainwindow/PageDateien.h"
#include "mainwindow/PageDatum.h"
#include "mainwindow/PageDesktopPrompts.h"
#include "mainwindow/PageMuster.h"
#include "mainwindow/PageOption.h"
#include "mainwindow/PagePruefdatei.h"
#include "mainwindow/PageUnzip.h"
#include "mainwindow/PageZip.h"

namespace ui {

QList<IOptionPage *> CreatePages(const PageEnvironment &environment)
{
    return {new CPageOption(environment),  new CPagePruefdatei(environment), new CPageMuster(environment),
            new CPageDatum(environment),   new CPageDateien(environment),    new CPageZip(environment),
            new CPageUnzip(environment)};
}

IPagePrompts &DesktopPagePrompts()
{
    static CDesktopPagePrompts prompts;
    return prompts;
}

} // namespace ui
