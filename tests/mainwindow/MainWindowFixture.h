#pragma once

#include "controls/CMyListCtrl.h"
#include "mainwindow/CMainFrame.h"
#include "mainwindow/CViewSich.h"
#include "mainwindow/CZelvaronDoc.h"
#include "mainwindow/ProjectCommands.h"
#include "model/CListData.h"
#include "progress/CDlgSichProgress.h"
#include "support/gui/QtPrinters.h"
#include "support/gui/ScriptedPrompts.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

// Points the settings and the temporary directory of the program into `root`, so that a test
// never touches the user's files, and decides the settings location anew.
void UseTestEnvironment(const QTemporaryDir &root);

// A main window with scripted prompts, silent run sounds and no taskbar, whose settings live in
// a temporary folder.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the main window; SetUp does it with an empty recently used list.
    void CreateFrame(const QStringList &recentFiles = {});
    // A new directory below the temporary folder.
    QString Dir(const QString &name) const;
    // Writes a project with `jobs` (and Autostart when asked) through the project file code.
    QString WriteProject(const QString &name, const QList<CListData> &jobs, bool autostart = false) const;
    // Opens a project with `jobs` as the user would.
    void OpenJobs(const QList<CListData> &jobs);
    // Selects exactly `rows` of the job list.
    void Select(const QList<int> &rows);
    QStringList Column(int column) const;

    CMainFrame &Frame() const { return *m_frame; }
    CViewSich &View() const { return m_frame->View(); }
    CMyListCtrl &List() const { return m_frame->View().List(); }
    model::CProjectData &Project() const { return m_frame->Doc().Project(); }

    QTemporaryDir temp;
    ScriptedPrompts prompts;

private:
    std::unique_ptr<CMainFrame> m_frame;
};
