#pragma once

#include <QString>

// A command's string holds its status-bar prompt and its tool tip, separated by the first line
// feed; a lone carriage return inside the tip breaks its line.
namespace CommandText {

QString Prompt(const QString &text);
QString Tip(const QString &text);

} // namespace CommandText
