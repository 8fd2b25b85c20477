#pragma once

#include "mainwindow/IOptionPage.h"

#include <QWidget>

// An option page whose controls are not there yet: it shows nothing, and the project keeps
// the group's values as they were read or reset.
class CPlaceholderPage : public QWidget, public IOptionPage {
public:
    explicit CPlaceholderPage(const QString &caption);

    QWidget &Widget() override { return *this; }
    void ShowValues() override {}
    bool TakeValues() override { return true; }
    QSize sizeHint() const override;
};
