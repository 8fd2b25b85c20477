#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Reads the whole of the regular file `path` into `content`. A directory fails with EISDIR and a
// FIFO, socket or device with EINVAL without being waited on; the reason is in LastError().
bool ReadWholeFile(const QString &path, QByteArray *content);

} // namespace platform
