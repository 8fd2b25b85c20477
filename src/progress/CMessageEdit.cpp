#include "progress/CMessageEdit.h"

#include <QTextCursor>

CMessageEdit::CMessageEdit(QWidget *parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setUndoRedoEnabled(false);
}

void CMessageEdit::SetLimit(qsizetype characters)
{
    m_limit = characters;
}

void CMessageEdit::Clear()
{
    clear();
    m_characters = 0;
    m_full = false;
}

bool CMessageEdit::AppendLine(const QString &line)
{
    if (m_full || m_characters + line.size() > m_limit) {
        m_full = true;
        return false;
    }
    m_characters += line.size();
    // The box shows a line break as one block separator, whether it was CR LF or LF alone.
    QString text = line;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (text.endsWith(u'\n'))
        text.chop(1);
    moveCursor(QTextCursor::End);
    ensureCursorVisible();
    insertPlainText(text + u'\n');
    ensureCursorVisible();
    return true;
}
