#include "zip/CZipFileException.h"

#include "zip/ZipSystemError.h"

#include <cerrno>
#include <utility>

CZipFileException::CZipFileException(int errorCode, QString path)
    : m_errorCode(errorCode), m_path(std::move(path)), m_description(ZipSystemErrorText(errorCode))
{
}

const char *CZipFileException::what() const noexcept
{
    return "ZIP file error";
}

void CZipFileException::ThrowLastError(const QString &path)
{
    throw CZipFileException(errno, path);
}
