#pragma once

#include <QString>

#include <utility>

// Why a compression or decompression failed.
enum class ZipFailure {
    None,
    NoEntryName,        // Compress was given no entry name
    SourceUnreadable,   // the source's status or attributes could not be read
    FileError,          // a system call on the source, the archive or an output failed
    ArchiveError,       // the archive is corrupt or not supported, or zlib failed
    EntryNotOpened,     // an entry could not be opened for unpacking
    Cancelled,          // the callback asked to stop before the work was complete
};

// The outcome of a CCompressZip operation: success, or the failure with its reason.
class ZipResult
{
public:
    static ZipResult Success() { return ZipResult(ZipFailure::None, QString(), 0); }
    // `code` is the errno value of a FileError or SourceUnreadable and the ZipCause number
    // of an ArchiveError; 0 otherwise.
    static ZipResult MakeFailure(ZipFailure failure, QString text, int code = 0)
    {
        return ZipResult(failure, std::move(text), code);
    }

    bool IsSuccess() const { return m_failure == ZipFailure::None; }
    explicit operator bool() const { return IsSuccess(); }
    ZipFailure Failure() const { return m_failure; }
    // The error text the user sees; empty for archive errors and a cancel.
    const QString &Text() const { return m_text; }
    int Code() const { return m_code; }

private:
    ZipResult(ZipFailure failure, QString text, int code)
        : m_failure(failure), m_text(std::move(text)), m_code(code)
    {
    }

    ZipFailure m_failure;
    QString m_text;
    int m_code;
};
