#pragma once

#include <QPlainTextEdit>

// The read-only message box of a run: one line per message, appended at the end and scrolled
// into view. It holds at most a fixed number of characters (each line counted with its CR LF);
// from the first line that no longer fits on, lines are dropped, so that a long run cannot
// exhaust the memory and the box shows no gaps.
class CMessageEdit : public QPlainTextEdit {
public:
    explicit CMessageEdit(QWidget *parent = nullptr);

    void SetLimit(qsizetype characters);
    void Clear();
    // Appends `line`, which ends in CR LF (see MessageBoxLine). Returns false when the line
    // was dropped because the box is full.
    bool AppendLine(const QString &line);

    qsizetype CharacterCount() const { return m_characters; }

private:
    qsizetype m_limit = 0;
    qsizetype m_characters = 0;
    bool m_full = false;
};
