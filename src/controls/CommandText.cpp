#include "controls/CommandText.h"

namespace CommandText {

QString Prompt(const QString &text)
{
    return text.section(u'\n', 0, 0);
}

QString Tip(const QString &text)
{
    const qsizetype lineFeed = text.indexOf(u'\n');
    if (lineFeed < 0)
        return QString();
    QString tip = text.mid(lineFeed + 1);
    tip.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    tip.replace(u'\r', u'\n');
    return tip;
}

} // namespace CommandText
