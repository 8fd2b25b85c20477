#include "platform/ReadWholeFile.h"

#include "platform/FileHandle.h"

namespace platform {

bool ReadWholeFile(const QString &path, QByteArray *content)
{
    FileHandle file;
    if (!file.Open(path, OpenMode::Read))
        return false;
    QByteArray bytes;
    char buffer[65536];
    for (;;) {
        const qint64 count = file.Read(buffer, sizeof buffer);
        if (count < 0)
            return false;
        if (count == 0)
            break;
        bytes.append(buffer, count);
    }
    *content = std::move(bytes);
    return true;
}

} // namespace platform
