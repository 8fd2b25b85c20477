#include "model/PatternList.h"

namespace model {

QStringList ParsePatternList(const QString &text)
{
    QStringList patterns;
    for (const QString &field : text.split(u',')) {
        if (field.isEmpty())
            break;
        const QString pattern = field.trimmed();
        if (!pattern.isEmpty())
            patterns.append(pattern);
    }
    return patterns;
}

} // namespace model
