#pragma once

#include <QString>

#include <exception>

// A failed system call on a file the ZIP module works with (the archive, a source or an
// output). Thrown inside the ZIP module only; its description is the system's text.
class CZipFileException : public std::exception
{
public:
    CZipFileException(int errorCode, QString path);

    int ErrorCode() const { return m_errorCode; }
    const QString &Path() const { return m_path; }
    const QString &Description() const { return m_description; }
    const char *what() const noexcept override;

    // Throws with the current errno.
    [[noreturn]] static void ThrowLastError(const QString &path);

private:
    int m_errorCode;
    QString m_path;
    QString m_description;
};
