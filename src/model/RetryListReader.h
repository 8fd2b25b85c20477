#pragma once

#include "model/FileError.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace model {

// The source and target pairs of a Kopierdatei, in file order; Targets runs parallel to Sources.
struct RetryList {
    QStringList Sources;
    QStringList Targets;
};

// Splits the text of a Kopierdatei into its pairs. Lines end at LF and are cut at their first
// CR; empty lines and lines without "|" are skipped. The source is the text before the first
// "|", the target the text after it up to the next "|" or the end; either may be empty.
RetryList ParseRetryList(const QString &text);

// Decodes UTF-16LE bytes as they are stored, code unit by code unit, after skipping a leading
// byte-order mark FF FE. An odd last byte is ignored.
QString DecodeUtf16Le(const QByteArray &bytes);

// Reads the Kopierdatei at `path` into `list` (replacing its contents). A file that cannot be
// opened or read, or that is not a regular file, gives the error and leaves `list` unchanged.
std::optional<FileError> ReadRetryList(const QString &path, RetryList &list);

} // namespace model
