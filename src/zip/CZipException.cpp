#include "zip/CZipException.h"

#include <zlib.h>

#include <utility>

CZipException::CZipException(ZipCause cause, QString archivePath)
    : m_cause(cause), m_archivePath(std::move(archivePath))
{
}

const char *CZipException::what() const noexcept
{
    return "ZIP archive error";
}

ZipCause CZipException::CauseFromZlib(int zlibCode)
{
    switch (zlibCode) {
    case Z_ERRNO: return ZipCause::ZlibErrno;
    case Z_STREAM_ERROR: return ZipCause::ZlibStream;
    case Z_DATA_ERROR: return ZipCause::ZlibData;
    case Z_MEM_ERROR: return ZipCause::ZlibMemory;
    case Z_BUF_ERROR: return ZipCause::ZlibBuffer;
    case Z_VERSION_ERROR: return ZipCause::ZlibVersion;
    default: return ZipCause::Generic;
    }
}

void CZipException::ThrowOnZlibError(int zlibCode, const QString &archivePath)
{
    if (zlibCode == Z_OK || zlibCode == Z_STREAM_END || zlibCode == Z_NEED_DICT)
        return;
    throw CZipException(CauseFromZlib(zlibCode), archivePath);
}
