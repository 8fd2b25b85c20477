// Renders the main window with a sample project, its menus and the windows it opens to PNG
// files, for looking at the layout without a display:
//   QT_QPA_PLATFORM=offscreen mainwindow_render OUTPUT_DIRECTORY
#include "RenderPrompts.h"

#include "controls/CMyListCtrl.h"
#include "controls/CMyTabCtrl.h"
#include "mainwindow/CDlgNeuAen.h"
#include "mainwindow/CMainFrame.h"
#include "mainwindow/CSheetParam.h"
#include "mainwindow/CViewSich.h"
#include "mainwindow/CZelvaronDoc.h"
#include "mainwindow/ProjectCommands.h"
#include "model/CSettings.h"
#include "model/ProjectFile.h"
#include "unattended/CDlgBatchFenster.h"
#include "unattended/CDlgMessage.h"

#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>

#include <cstdio>

namespace {

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

bool save(QWidget &widget, const QString &directory, const char *name)
{
    widget.show();
    settle();
    const QString path = QDir(directory).filePath(QString::fromLatin1(name) + QStringLiteral(".png"));
    const bool saved = widget.grab().save(path);
    std::printf("%s %s\n", saved ? "written" : "FAILED ", qPrintable(path));
    return saved;
}

// A project as a user would keep it, opened from its file like any other.
void openSampleProject(CMainFrame &frame, const QString &folder)
{
    model::CProjectData project;
    project.Jobs = {
        {1, 1, QStringLiteral("/home/anna/Dokumente"), QStringLiteral("/media/anna/USB-Platte/Sicherung/Dokumente")},
        {1, 1, QStringLiteral("/home/anna/Bilder/Urlaub 2024"), QStringLiteral("/media/anna/USB-Platte/Sicherung/Bilder")},
        {0, 1, QStringLiteral("/home/anna/Projekte/zelvaron"), QStringLiteral("/srv/sicherung/projekte")},
        {1, 0, QStringLiteral("/etc"), QStringLiteral("/var/tmp")},
    };
    project.Option.LogFile = QStringLiteral("/home/anna/Sicherung/protokoll.txt");
    project.Option.ShutdownAfterCopy = 1;
    project.Dateien.CopiedListFile = QStringLiteral("/home/anna/Sicherung/kopiert.txt");
    project.Dateien.RetryListFile = QStringLiteral("/home/anna/Sicherung/kopierdatei.txt");
    project.Datum.DateFilterMode = model::CPageDatum::RelativeToStart;
    project.Datum.RelativeDays = QStringLiteral("1");
    project.Datum.RelativeHours = QStringLiteral("6");
    project.Zip.CompressFiles = 1;
    project.Pruefdatei.CheckFile = QStringLiteral("/home/anna/Sicherung/pruefdatei.txt");
    const QString path = QDir(folder).filePath(QStringLiteral("Tagessicherung.zelv"));
    model::SaveProject(path, project);
    frame.Files().OpenDocumentFile(path);
    frame.Doc().SetModified(true);
    frame.View().SetJobStatus(0, QStringLiteral("100 %"));
    frame.View().SetJobStatus(1, QStringLiteral("37 %"));
    frame.View().List().selectRow(1);
    frame.View().OnTimer();
}

bool renderMenus(CMainFrame &frame, const QString &directory)
{
    bool ok = true;
    const QList<QAction *> menus = frame.menuBar()->actions();
    for (int index = 0; index < menus.size(); ++index) {
        QMenu *menu = menus[index]->menu();
        menu->popup(frame.mapToGlobal(QPoint(0, 0)));
        settle();
        const QByteArray name = "menu" + QByteArray::number(index + 1);
        ok = save(*menu, directory, name.constData()) && ok;
        menu->hide();
    }
    return ok;
}

bool renderMainWindow(RenderPrompts &prompts, const QString &directory, const QString &folder)
{
    CMainFrame frame(prompts, {QStringLiteral("/home/anna/Sicherungen/Wochenende.zelv"),
                               QStringLiteral("/home/anna/Projekte/ein/sehr/langer/Pfad/Monatsende.zelv")});
    frame.resize(1200, 760);
    frame.show();
    openSampleProject(frame, folder);
    bool ok = save(frame, directory, "mainwindow");
    for (int tab = 0; tab < frame.View().Tabs().count(); ++tab) {
        frame.View().SelectPage(tab);
        const QByteArray name = "page" + QByteArray::number(tab + 1);
        ok = save(frame.View().Tabs(), directory, name.constData()) && ok;
    }
    frame.View().SelectPage(0);
    ok = renderMenus(frame, directory) && ok;
    CViewSich &view = frame.View();
    QMenu *context = view.CreateContextMenu(view.List().CellRect(3, CViewSich::ColSource).center());
    if (context) {
        ok = save(*context, directory, "contextmenu") && ok;
        delete context;
    }
    frame.Doc().SetModified(false);
    return ok;
}

bool renderDialogs(RenderPrompts &prompts, const QString &directory)
{
    bool ok = true;
    CDlgNeuAen entry(CDlgNeuAen::Mode::Change,
                     {1, 0, QStringLiteral("/home/anna/Dokumente"), QStringLiteral("/media/usb/Sicherung/Dokumente")},
                     prompts);
    ok = save(entry, directory, "jobentry") && ok;
    CSheetParam sheet(prompts);
    ok = save(sheet, directory, "parametersheet") && ok;
    CDlgBatchFenster countdown;
    countdown.OnTimer();
    countdown.OnTimer();
    ok = save(countdown, directory, "countdown") && ok;
    CDlgMessage okMessage(CDlgMessage::Mode::Ok, QStringLiteral("Sicherung vom 11.12.2026 22:15:03\r\n\r\nKeine Fehler."));
    ok = save(okMessage, directory, "status-ok") && ok;
    CDlgMessage errorMessage(CDlgMessage::Mode::Error,
                             QStringLiteral("Sicherung vom 11.12.2026 22:15:03\r\n\r\n3 Fehler."));
    ok = save(errorMessage, directory, "status-error") && ok;
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    QTemporaryDir scratch;
    // The renderer keeps its settings and temporary files away from the user's.
    qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("TMPDIR", scratch.filePath(QStringLiteral("tmp")).toLocal8Bit());
    qunsetenv("U3_APP_DATA_PATH");
    QDir().mkpath(scratch.filePath(QStringLiteral("tmp")));
    QApplication app(argc, argv);
    model::InitAppSettings();
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::tempPath();
    QDir().mkpath(directory);
    RenderPrompts prompts;
    bool ok = renderMainWindow(prompts, directory, scratch.path());
    ok = renderDialogs(prompts, directory) && ok;
    return ok ? 0 : 1;
}
