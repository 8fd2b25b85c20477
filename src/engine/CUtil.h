#pragma once

#include <QString>
#include <QtGlobal>

class QFile;

// The program's file-system, path, process and error-text primitives. Every operation
// reports failure through its result (false or an empty string) and leaves the reason in
// LastError(); none throws, and all may be called from any thread.
//
// Paths use '/' as the separator; a backslash is an ordinary file-name character. Drive
// letters and the long-path prefix follow their Windows rules as written and leave POSIX
// paths unchanged.
class CUtil {
public:
    // Filled by SplitPath.
    QString drive; // "X:" when the first ':' of the path is its second character
    QString dir;   // after the drive up to and including the last '/'
    QString fname; // after the last '/' up to the last '.' (the whole rest without such a dot)
    QString ext;   // from the last '.' of the whole path to its end, dot included

    void SplitPath(const QString &path);

    // True when the path names anything, checked without following a final symbolic link:
    // a dangling link exists, because its name is taken and DeleteFileForced can remove it.
    static bool PathExists(const QString &path);

    // wasReadOnly := false first; false when the attributes cannot be read. Clears the
    // read-only attribute when it is set.
    static bool ClearReadOnlyAttribute(const QString &path, bool *wasReadOnly, quint32 *oldAttributes = nullptr);

    // The same for the archive attribute.
    static bool ClearArchiveAttribute(const QString &path, bool *wasSet, quint32 *oldAttributes = nullptr);

    // existed := false first. A missing path counts as deleted. Otherwise clears the
    // read-only attribute (ignoring the outcome) and removes the file.
    static bool DeleteFileForced(const QString &path, bool *existed);

    // FILETIME of the last write and size of a file (symbolic links followed). A directory
    // fails with EISDIR; nothing is stored on failure.
    static bool GetFileSizeAndTime(const QString &path, qint64 *lastWriteTime, qint64 *size);

    // Anchored wildcard match: '?' one character, '*' any run; only ASCII letters ignore case.
    static bool MatchesPattern(const QString &name, const QString &pattern);

    // The index-th (1-based; 1 or less means the first) token of text between separators.
    static bool ExtractToken(QString &token, const QString &text, int index, QChar separator);

    static QString GetDirectoryPart(const QString &path);
    static QString GetExtension(const QString &path);

    // "X:..." gets the prefix of string 381 in front; a path beginning with two backslashes
    // loses all its leading backslashes and gets that prefix + "UNC\" instead. Anything else,
    // every POSIX path among it, stays unchanged.
    static void AddLongPathPrefix(QString &path);

    // The stored "TempPath" when it exists, else the system temporary path + "Zelvaron/"
    // (created with its parents), else the system temporary path.
    static QString GetTempDirectory();

    // Creates a new empty "~XXXXXX.tmp" file in GetTempDirectory() and returns its path;
    // empty on failure.
    static QString MakeTempFileName();

    static QString FormatFileSize(qint64 size);

    // The system text for the errno value followed by "  (Fehlercode=%d)\r\n".
    static QString GetErrorText(int errorCode);

    // Starts the command line detached; true when the program was started.
    static bool RunProgram(const QString &commandLine);

    // Opens an existing file in the desktop's viewer for its type (xdg-open); false when the
    // file does not exist or the viewer cannot be started.
    static bool OpenInNotepad(const QString &path);

    // At the start of `file`: true after a UTF-16LE byte-order mark or when fewer than two
    // bytes could be read; otherwise goes back to the start and returns false.
    static bool SkipUnicodeBom(QFile &file);

    // The error of the last failed operation of this thread (errno).
    static int LastError();
};
