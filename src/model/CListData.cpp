#include "model/CListData.h"

namespace model {

qint32 ParseYesNo(const QString &text)
{
    return text.compare(u"Ja", Qt::CaseInsensitive) == 0 ? 1 : 0;
}

QString YesNoText(qint32 value)
{
    return value != 0 ? QStringLiteral("Ja") : QStringLiteral("Nein");
}

} // namespace model
