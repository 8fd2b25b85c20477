#pragma once

#include "mainwindow/IOptionPage.h"

#include <QList>

// The seven option pages in tab order: "Option", "Prüfdatei", "Muster", "Datum", "Dateien",
// "Komprimieren", "Dekomprimieren". Their widgets have no parent yet; the view's tab control
// takes them.
QList<IOptionPage *> CreateOptionPages(const OptionPageContext &context);
