#pragma once

#include <QString>

// One job of the project: a source directory copied into a target directory.
// Booleans are kept as the 32-bit values the project file stores; any non-zero value is set.
class CListData {
public:
    qint32 Active = 1;
    qint32 WithSubdirs = 1;
    QString SourceDir;
    QString TargetDir;

    friend bool operator==(const CListData &, const CListData &) = default;
};

namespace model {

// Reads the text of a boolean list column: "Ja" in any letter case gives 1, every other text 0.
qint32 ParseYesNo(const QString &text);

// The text a boolean list column shows: "Ja" for a set value, "Nein" otherwise.
QString YesNoText(qint32 value);

} // namespace model
