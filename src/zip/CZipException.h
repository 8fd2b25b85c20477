#pragma once

#include <QString>

#include <exception>

// Why the ZIP container gave up. The numbers are those the program has always used; 12 to 15
// belong to multi-volume archives, which are never written or read.
enum class ZipCause : int {
    Generic = 1,
    ZlibErrno = 4,
    ZlibStream = 5,
    ZlibData = 6,
    ZlibMemory = 7,
    ZlibBuffer = 8,
    ZlibVersion = 9,
    BadArchive = 10,
    BadCrc = 11,
    NameTooLong = 16,
    // An entry or the archive would reach 4 GiB, which the 32-bit fields cannot hold.
    TooLarge = 17,
};

// Thrown inside the ZIP module only; CCompressZip turns it into a result. Its description is
// empty on purpose: callers show the system's text for file errors and nothing for format errors.
class CZipException : public std::exception
{
public:
    CZipException(ZipCause cause, QString archivePath);

    ZipCause Cause() const { return m_cause; }
    const QString &ArchivePath() const { return m_archivePath; }
    QString Description() const { return {}; }
    const char *what() const noexcept override;

    // Cause for a zlib return code; Z_OK and Z_NEED_DICT are no error and give Generic.
    static ZipCause CauseFromZlib(int zlibCode);
    // Throws for every zlib code except Z_OK, Z_STREAM_END and Z_NEED_DICT.
    static void ThrowOnZlibError(int zlibCode, const QString &archivePath);

private:
    ZipCause m_cause;
    QString m_archivePath;
};
