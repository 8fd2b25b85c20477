#pragma once

#include <QString>

#include <initializer_list>
#include <variant>

// One argument of FormatText: an integer, a floating-point number or a text.
using FormatArg = std::variant<qint64, double, QString>;

// Fills a printf-style text of the string table with typed arguments. The table keeps the
// formats as the design quotes them ("%d", "%s", "%I64d", "%0.2f", "%02d", "%%"), so this is
// the one place that knows how to read them; a conversion without a matching argument, or an
// argument of the wrong kind, leaves the conversion text in place instead of reading garbage.
QString FormatText(const QString &format, std::initializer_list<FormatArg> args);

// FormatText on the string-table entry `id`.
QString FormatStr(int id, std::initializer_list<FormatArg> args);
