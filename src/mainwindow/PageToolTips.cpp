#include "mainwindow/PageToolTips.h"

#include "controls/CommandText.h"
#include "resources/Strings.h"

#include <QFontMetrics>
#include <QStringList>
#include <QToolTip>
#include <QWidget>

namespace ui {

namespace {

QString wrapLine(const QString &line, const QFontMetrics &metrics, int maxWidth)
{
    QStringList lines;
    QString current;
    for (const QString &word : line.split(u' ', Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + u' ' + word;
        if (current.isEmpty() || metrics.horizontalAdvance(candidate) <= maxWidth) {
            current = candidate;
            continue;
        }
        lines.append(current);
        current = word;
    }
    lines.append(current);
    return lines.join(u'\n');
}

} // namespace

QString WrapToolTip(const QString &text, const QFontMetrics &metrics, int maxWidth)
{
    QStringList lines;
    for (const QString &line : text.split(u'\n'))
        lines.append(wrapLine(line, metrics, maxWidth));
    return lines.join(u'\n');
}

QString ToolTipText(int stringId)
{
    const QString tip = CommandText::Tip(LoadStr(stringId));
    if (tip.isEmpty())
        return tip;
    return WrapToolTip(tip, QFontMetrics(QToolTip::font()), ToolTipMaxWidth - ToolTipPadding);
}

void SetControlToolTip(QWidget &control, int stringId)
{
    control.setToolTip(ToolTipText(stringId));
    control.setToolTipDuration(ToolTipMilliseconds);
}

} // namespace ui
