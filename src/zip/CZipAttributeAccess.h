#pragma once

#include "zip/ZipSystemError.h"

#include <QString>

#include <cstdint>

// The DOS attribute word of a file (0x01 read-only, 0x10 directory, 0x20 archive) as the
// archive's external attributes hold it.
struct ZipAttributeRead {
    ZipSystemStatus Status;
    uint32_t Attributes = 0;
};

// How the ZIP container reads and sets the DOS attributes of files. Read-only is the owner's
// write bit being clear, directory is the file type. The archive attribute is the platform
// layer's business (it is emulated there with an extended attribute); this library does not
// link that layer, so the engine passes in an access built on platform::GetAttributes and
// platform::SetAttributes. The default access reports the archive attribute as set, as on a
// file system without user extended attributes, and leaves it alone when applying.
class CZipAttributeAccess
{
public:
    virtual ~CZipAttributeAccess();

    virtual ZipAttributeRead Read(const QString &path) const;
    // Read-only set clears the owner's write bit, read-only clear sets it; the other bits of
    // the word are left to the platform layer.
    virtual ZipSystemStatus Apply(const QString &path, uint32_t attributes) const;

    // Clears the read-only attribute of an existing regular file (not of a symbolic link).
    ZipSystemStatus ClearReadOnly(const QString &path) const;

    static const CZipAttributeAccess &Default();
};
