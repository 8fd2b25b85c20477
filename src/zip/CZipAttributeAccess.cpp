#include "zip/CZipAttributeAccess.h"

#include "zip/ZipConstants.h"

#include <QFile>

#include <sys/stat.h>

CZipAttributeAccess::~CZipAttributeAccess() = default;

ZipAttributeRead CZipAttributeAccess::Read(const QString &path) const
{
    struct stat status {};
    ZipAttributeRead result;
    if (::stat(QFile::encodeName(path).constData(), &status) != 0) {
        result.Status = ZipSystemStatus::LastError();
        result.Attributes = ZipConst::AttributeArchive;
        return result;
    }
    result.Attributes = ZipConst::AttributeArchive;
    if (S_ISDIR(status.st_mode))
        result.Attributes |= ZipConst::AttributeDirectory;
    if ((status.st_mode & S_IWUSR) == 0)
        result.Attributes |= ZipConst::AttributeReadOnly;
    return result;
}

ZipSystemStatus CZipAttributeAccess::Apply(const QString &path, uint32_t attributes) const
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat status {};
    if (::stat(encoded.constData(), &status) != 0)
        return ZipSystemStatus::LastError();
    const mode_t permissions = status.st_mode & 07777;
    const mode_t wanted = (attributes & ZipConst::AttributeReadOnly) != 0 ? permissions & ~mode_t(S_IWUSR)
                                                                          : permissions | S_IWUSR;
    if (wanted != permissions && ::chmod(encoded.constData(), wanted) != 0)
        return ZipSystemStatus::LastError();
    return {};
}

ZipSystemStatus CZipAttributeAccess::ClearReadOnly(const QString &path) const
{
    const QByteArray encoded = QFile::encodeName(path);
    struct stat status {};
    if (::lstat(encoded.constData(), &status) != 0)
        return ZipSystemStatus::LastError();
    if (!S_ISREG(status.st_mode) || (status.st_mode & S_IWUSR) != 0)
        return {};
    if (::chmod(encoded.constData(), (status.st_mode & 07777) | S_IWUSR) != 0)
        return ZipSystemStatus::LastError();
    return {};
}

const CZipAttributeAccess &CZipAttributeAccess::Default()
{
    static const CZipAttributeAccess access;
    return access;
}
