#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

class CDirStruct;
class ChecksumAhead;
class CViewData;
struct DirEntry;
struct JobContext;

// Deciding, while a job's source tree is listed, which directories are entered and which
// files take part, and why the others are left out. Every refusal is written to the job's
// skipped list (when it is open) and counted in its progress record; refusals are never errors.

// The flag word of a selected file.
enum SelectionFlag : quint32 {
    SEL_COMPRESS = 0x1,                // compressed before the copy; the target name gets ".zip"
    SEL_TOO_SMALL = 0x10000,           // not compressed: smaller than CompressMinSize
    SEL_TOO_LARGE = 0x20000,           // not compressed: larger than CompressMaxSize
    SEL_EXCLUDED_BY_PATTERN = 0x40000, // not compressed: name matches CompressExcludeList
    SEL_COMPRESSION_FAILED = 0x80000,  // set by the walk when the compression failed
};

// What the listing hands back to the selection for one job.
struct SelectionContext {
    JobContext &Job;
    QString SourceRoot;
    QString TargetRoot; // empty: the job has no target directory
    ChecksumAhead *Checksums = nullptr; // may be null: checksums are computed when asked for
};

// The listing callback (EnumerationCallback): `userData` is the job's SelectionContext.
// For a subdirectory, nonzero skips it; for every other entry, nonzero ends the listing of
// `directory`. Once the user cancels, every answer is nonzero.
int CollectEntry(const QString &directory, const DirEntry &entry, void *userData, CDirStruct *current);

// True when the subdirectory `entry` of `directory` is entered. A symbolic link to a
// directory that passes the patterns is refused as well: following it could lead back into
// the tree or out of it.
bool SelectDirectory(const QString &directory, const DirEntry &entry, SelectionContext &context);

// What SelectDirectory will answer, without writing or counting anything.
bool WillEnterDirectory(const QString &directory, const DirEntry &entry, const SelectionContext &context);

// True when the file takes part; `flags` and `checksum` then describe it. Entries that are
// not regular files (broken links, FIFOs, sockets, devices) pass the filters like files and
// are refused afterwards with their own reason; they are never opened.
bool SelectFile(const QString &directory, const DirEntry &entry, SelectionContext &context, qint64 size,
                qint64 lastWriteTime, quint32 *flags, QString *checksum);

// The files of a listed directory whose checksum SelectFile will compute, in their order:
// none unless the check file with checksums is on and the job has a target.
QStringList ChecksumCandidates(const QString &directory, const QList<DirEntry> &entries,
                               const SelectionContext &context);

enum class CompressionChoice : int {
    Compress = 0,
    TooSmall = 1,
    TooLarge = 2,
    ExcludedByPattern = 3,
    Off = 4,
};

// Whether a file of `size` bytes named `fileName` is compressed; both size bounds inclusive.
CompressionChoice CompressionDecision(const CViewData &params, const QString &fileName, qint64 size);

// The flag bits that record a compression choice (none for Off).
quint32 CompressionFlags(CompressionChoice choice);

// False when the check file says the file at `sourcePath` is unchanged since its entry `key`
// was written; that refusal is written to the skipped list. With ChecksumEnabled the file's
// MD5 is computed first and handed back in `checksum` (empty when it cannot be read, which
// is reported). True whenever the check file is off.
bool CheckFileTest(SelectionContext &context, const QString &sourcePath, const QString &key, qint64 lastWriteTime,
                   qint64 size, QString *checksum);
