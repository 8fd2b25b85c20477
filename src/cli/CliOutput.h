#pragma once

#include <QString>

#include <cstdio>

namespace cli {

// Writes a text of the program to a terminal stream: CR LF line ends become LF, and a line
// feed ends the text.
void PrintText(std::FILE *stream, const QString &text);

} // namespace cli
