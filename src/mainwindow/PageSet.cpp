#include "mainwindow/PageSet.h"

#include "mainwindow/PageDateien.h"
#include "mainwindow/PageDatum.h"
#include "mainwindow/PageMuster.h"
#include "mainwindow/PageOption.h"
#include "mainwindow/PagePruefdatei.h"
#include "mainwindow/PageUnzip.h"
#include "mainwindow/PageZip.h"

namespace ui {

QList<IOptionPage *> CreatePages(const PageEnvironment &environment)
{
    const QList<IOptionPage *> pages = {
        new CPageOption(environment), new CPagePruefdatei(environment), new CPageMuster(environment),
        new CPageDatum(environment),  new CPageDateien(environment),    new CPageZip(environment),
        new CPageUnzip(environment)};
    static const char *const names[] = {"CPageOption", "CPagePruefdatei", "CPageMuster", "CPageDatum",
                                        "CPageDateien", "CPageZip",        "CPageUnzip"};
    for (qsizetype tab = 0; tab < pages.size(); ++tab)
        pages[tab]->Widget().setObjectName(QString::fromLatin1(names[tab]));
    return pages;
}

} // namespace ui
