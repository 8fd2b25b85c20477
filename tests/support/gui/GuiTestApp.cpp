#include "support/gui/GuiTestApp.h"

#include <QApplication>

QApplication &GuiTestApp()
{
    static int argc = 1;
    static char name[] = "zelvaron_gui_tests";
    static char *argv[] = {name, nullptr};
    static QApplication *app = new QApplication(argc, argv);
    return *app;
}
