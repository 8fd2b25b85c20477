#include "mainwindow/RecentFiles.h"

#include <QStringList>

QString AbbreviatePath(const QString &path, int maxLength)
{
    if (path.size() <= maxLength)
        return path;
    const QStringList parts = path.split(u'/');
    const QString prefix = (path.startsWith(u'/') ? QStringLiteral("/") : QString()) + QStringLiteral(".../");
    QString tail = parts.last();
    if (prefix.size() + tail.size() > maxLength)
        return tail;
    for (qsizetype i = parts.size() - 2; i > 0; --i) {
        const QString longer = parts[i] + u'/' + tail;
        if (prefix.size() + longer.size() > maxLength)
            break;
        tail = longer;
    }
    return prefix + tail;
}

QString RecentFileMenuText(int index, const QString &path)
{
    QString shown = AbbreviatePath(path);
    shown.replace(u'&', QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
