#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Names are stored in code page 850. For a name that is not plain ASCII the extra field also
// carries its UTF-8 form (Info-ZIP's Unicode path field), so that tools on systems with UTF-8
// file names, and this program itself, get the name back exactly.
namespace ZipUnicodePath {

// `extra` without any Unicode path field, plus a new one for `name` when the name is not
// plain ASCII and the field still fits.
QByteArray WithUnicodePath(const QByteArray &extra, const QByteArray &storedName, const QString &name);

// The name of a Unicode path field in `extra` that was made for `storedName`; nothing when
// there is no such field, it is malformed, or it belongs to another name.
std::optional<QString> Find(const QByteArray &extra, const QByteArray &storedName);

} // namespace ZipUnicodePath
