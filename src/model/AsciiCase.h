#pragma once

#include <QStringView>

namespace model {

// Compares two texts folding only the ASCII letters, the one case-insensitive comparison the
// program's file formats and switches use.
bool EqualsIgnoringAsciiCase(QStringView a, QStringView b);

// True when `text` begins with `prefix`, folding only the ASCII letters.
bool StartsWithIgnoringAsciiCase(QStringView text, QStringView prefix);

} // namespace model
