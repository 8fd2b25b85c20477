#pragma once

#include <QString>
#include <QStringList>

namespace model {

// Splits a comma-separated pattern text into its wildcard patterns. The fields are taken from
// the first on; an empty field (two commas in a row, or nothing after the last comma) ends the
// list, a field of blanks alone is skipped, and every pattern is trimmed of white space.
QStringList ParsePatternList(const QString &text);

} // namespace model
