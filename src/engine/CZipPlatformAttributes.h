#pragma once

#include "zip/CZipAttributeAccess.h"

// The DOS attributes of files as the platform layer sees them, archive attribute included,
// for the archives the engine makes and unpacks. The ZIP library cannot reach the platform
// layer itself, so the engine plugs this access into every CCompressZip it uses.
class CZipPlatformAttributes : public CZipAttributeAccess
{
public:
    ZipAttributeRead Read(const QString &path) const override;
    // Applies the read-only and archive bits; the directory bit is ignored.
    ZipSystemStatus Apply(const QString &path, uint32_t attributes) const override;

    static const CZipPlatformAttributes &Instance();
};
