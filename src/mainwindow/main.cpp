#include "controls/DesktopPrompts.h"
#include "mainwindow/CZelvaronApp.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// The dialogs Qt itself draws (the file dialogs among them) speak German where Qt's own
// German texts are installed.
void loadQtTexts(QApplication &app, QTranslator &translator)
{
    if (translator.load(QLocale(QLocale::German), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&translator);
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelvaron"));
    QApplication::setDesktopFileName(QStringLiteral("zelvaron"));
    QTranslator qtTexts;
    loadQtTexts(app, qtTexts);

    DesktopPrompts prompts;
    CZelvaronApp zelvaron(prompts);
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    if (zelvaron.InitInstance(arguments) != CZelvaronApp::StartResult::MainWindow)
        return 0;
    const int result = QApplication::exec();
    zelvaron.ExitInstance();
    return result;
}
