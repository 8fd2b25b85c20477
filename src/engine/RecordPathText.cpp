#include "engine/RecordPathText.h"

QString RecordPathText(const QString &path)
{
    QString text = path;
    text.replace(u'\r', QChar(0x240D));
    text.replace(u'\n', QChar(0x240A));
    return text;
}
