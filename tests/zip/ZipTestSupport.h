#pragma once

#include "zip/CFileHeader.h"
#include "zip/CZipException.h"

#include <QByteArray>
#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

// Helpers shared by the ZIP tests: files, archives, external tools.
namespace ZipTest {

QByteArray ReadAll(const QString &path);
void WriteAll(const QString &path, const QByteArray &bytes);
// Deterministic data: text-like words mixed with some random bytes, so that it compresses
// but not trivially.
QByteArray SampleData(qsizetype size, unsigned seed = 1);
void SetModificationTime(const QString &path, const QDateTime &moment);
QDateTime ModificationTime(const QString &path);
uint32_t Crc32(const QByteArray &bytes);

struct Entry {
    QString Name;
    QByteArray Data;
};

// Writes an archive with CZipArchive (deflated entries, the given level and comment).
void WriteArchive(const QString &path, const std::vector<Entry> &entries, const QString &comment = QString(),
                  int level = -1);

struct ReadBack {
    QString Comment;
    int64_t BytesBefore = 0;
    std::vector<CFileHeader> Headers;
    std::vector<QByteArray> Data;
};
// Reads every entry of an archive with CZipArchive; throws what the archive throws.
ReadBack ReadArchive(const QString &path);

// The cause `action` throws as CZipException; nothing when it throws none.
std::optional<ZipCause> CauseOf(const std::function<void()> &action);

struct ToolResult {
    bool Started = false;
    int ExitCode = -1;
    QByteArray Out;
    QByteArray Err;
};
bool HaveTool(const QString &program);
// Runs a tool with LC_ALL=C.UTF-8 in `workingDir` (or the current directory).
ToolResult RunTool(const QString &program, const QStringList &arguments, const QString &workingDir = QString(),
                   const QByteArray &input = QByteArray());
// Runs a shell command line with /bin/sh in `workingDir`.
ToolResult RunShell(const QString &command, const QString &workingDir);

// Python's zipfile view of an archive: {"comment": hex, "bad": first bad name or null,
// "entries": [{name, size, csize, crc, flags, method, date_time, data (hex), local_agrees}]}.
QJsonObject PythonView(const QString &archivePath);

// Little-endian field access for tests that look at raw archive bytes.
uint16_t Get16(const QByteArray &bytes, qsizetype offset);
uint32_t Get32(const QByteArray &bytes, qsizetype offset);
void Put32(QByteArray &bytes, qsizetype offset, uint32_t value);
qsizetype EndRecordOffset(const QByteArray &archive);

} // namespace ZipTest

#define ZIP_REQUIRE_TOOL(program)                                                                          \
    do {                                                                                                   \
        if (!ZipTest::HaveTool(QStringLiteral(program)))                                                   \
            GTEST_SKIP() << program << " is not installed (scripts/setup.sh installs it)";                 \
    } while (false)
