#pragma once

#include <QWidget>

class IUserPrompts;
class QLineEdit;

// The page "Allgemein" of the parameter sheet: the program's temporary directory. It shows the
// directory the program uses now and writes the setting "TempPath" only when the user changed
// it and the sheet applies its pages.
class CPropPageAllgemein : public QWidget {
    Q_OBJECT

public:
    explicit CPropPageAllgemein(IUserPrompts &prompts, QWidget *parent = nullptr);

    bool IsChanged() const { return m_changed; }
    QString TempDirectory() const;
    // Writes the setting when the field was changed since the last apply.
    void Apply();
    void OnBrowse();

signals:
    // The field was changed; the sheet enables its apply button.
    void Changed();

private:
    void markChanged();

    IUserPrompts &m_prompts;
    QLineEdit *m_tempDir = nullptr;
    bool m_changed = false;
};
