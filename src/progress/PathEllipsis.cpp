#include "progress/PathEllipsis.h"

#include <QFontMetrics>

namespace {

const QString kEllipsis = QStringLiteral("...");

bool fits(const QFontMetrics &metrics, const QString &text, int width)
{
    return metrics.horizontalAdvance(text) <= width;
}

// The longest start of `head` that still fits in front of the ellipsis and `tail`.
qsizetype longestFittingPrefix(const QString &head, const QString &tail, const QFontMetrics &metrics,
                               int width)
{
    qsizetype low = 0;
    qsizetype high = head.size();
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (fits(metrics, head.left(middle) + kEllipsis + tail, width))
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

} // namespace

QString ElidePath(const QString &text, const QFontMetrics &metrics, int width)
{
    if (fits(metrics, text, width))
        return text;
    const qsizetype lastSeparator = text.lastIndexOf(u'/');
    if (lastSeparator < 0)
        return metrics.elidedText(text, Qt::ElideMiddle, width);
    const QString head = text.left(lastSeparator);
    const QString tail = text.mid(lastSeparator);
    if (!fits(metrics, kEllipsis + tail, width))
        return metrics.elidedText(kEllipsis + tail, Qt::ElideRight, width);
    return head.left(longestFittingPrefix(head, tail, metrics, width)) + kEllipsis + tail;
}
