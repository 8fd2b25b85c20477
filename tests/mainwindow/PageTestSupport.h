#pragma once

#include "mainwindow/PageBasis.h"
#include "mainwindow/PagePrompts.h"
#include "model/CProjectData.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <optional>

// Answers the option pages' prompts from fields the test sets, and notes what was asked.
class FakePagePrompts : public ui::IPagePrompts {
public:
    void ShowWarning(QWidget *parent, const QString &text) override;
    ui::Answer AskYesNoDefaultNo(QWidget *parent, const QString &text) override;
    std::optional<QString> PickTextFile(QWidget *parent, const QString &current) override;
    void ShowFile(QWidget *parent, const QString &path) override;

    ui::Answer answer = ui::Answer::No;
    std::optional<QString> pickedFile;

    QStringList warnings;
    QStringList questions;
    QStringList pickStarts;
    QStringList shownFiles;
};

// A project, prompts that the test answers, and the retry runs a page asked for.
class PageTest : public ::testing::Test {
protected:
    PageTest();

    ui::PageEnvironment Environment();

    // The control with this number on `page`; the test fails when there is none or it has
    // another type.
    template <class Widget>
    static Widget &Find(const ui::CBasisPage &page, int controlId)
    {
        auto *control = qobject_cast<Widget *>(page.Control(controlId));
        if (!control)
            ADD_FAILURE() << "no control " << controlId;
        return *control;
    }

    // Shows the page in a window of its own and makes that window active, so that focus
    // changes happen as on a desktop.
    static void ShowActive(QWidget &page);

    model::CProjectData project;
    FakePagePrompts prompts;
    QStringList retryRuns;
};
