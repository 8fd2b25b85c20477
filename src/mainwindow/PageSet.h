#pragma once

#include "mainwindow/IOptionPage.h"
#include "mainwindow/PageBasis.h"

#include <QList>

namespace ui {

// The seven option pages in tab order: "Option", "Prüfdatei", "Muster", "Datum", "Dateien",
// "Komprimieren", "Dekomprimieren". Their widgets have no parent yet; the caller's tab control
// takes them.
QList<IOptionPage *> CreatePages(const PageEnvironment &environment);

} // namespace ui
