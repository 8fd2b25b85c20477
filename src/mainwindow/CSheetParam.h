#pragma once

#include <QDialog>

class CPropPageAllgemein;
class IUserPrompts;
class QPushButton;
class QTabWidget;

// The parameter sheet (caption string 214) with its one page "Allgemein". OK applies the page
// and closes; "Übernehmen" applies it and stays open; "Abbrechen" discards what was not applied.
class CSheetParam : public QDialog {
public:
    explicit CSheetParam(IUserPrompts &prompts, QWidget *parent = nullptr);

    CPropPageAllgemein &PageAllgemein() const { return *m_page; }

    void accept() override;
    void OnApply();

private:
    CPropPageAllgemein *m_page = nullptr;
    QPushButton *m_apply = nullptr;
};
