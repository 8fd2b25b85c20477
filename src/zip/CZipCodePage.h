#pragma once

#include <QByteArray>
#include <QString>

// The single-byte code pages of ZIP names and comments: entry names are stored in the OEM
// code page 850, archive and entry comments in the ANSI code page 1252, as the program has
// always written them. Each call converts with buffers of its own, so several threads may
// convert at the same time.
class CZipCodePage
{
public:
    // A character the code page lacks becomes '?'.
    static QByteArray ToOem(const QString &text);
    static QString FromOem(const QByteArray &bytes);
    static QByteArray ToAnsi(const QString &text);
    // A byte the code page leaves undefined becomes the character of the same number.
    static QString FromAnsi(const QByteArray &bytes);
};
