#include "ZipTestSupport.h"

#include "zip/CZipArchive.h"

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <zlib.h>

namespace ZipTest {

QByteArray ReadAll(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "cannot read " << path.toStdString();
    return file.readAll();
}

void WriteAll(const QString &path, const QByteArray &bytes)
{
    // A new file instead of a truncated one: ext4 flushes a truncated and rewritten file to
    // disk on close, which makes tests that write thousands of variants slow.
    QFile::remove(path);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

QByteArray SampleData(qsizetype size, unsigned seed)
{
    static const char *const words[] = {"Sicherung ", "Datei ", "Verzeichnis ", "kopieren ", "\r\n", "Zelvaron ",
                                        "Pr\xC3\xBC" "fdatei ", "0123456789 "};
    std::mt19937 random(seed);
    QByteArray data;
    data.reserve(size);
    while (data.size() < size) {
        if (random() % 4 == 0)
            data.append(static_cast<char>(random() & 0xFF));
        else
            data.append(words[random() % (sizeof words / sizeof *words)]);
    }
    data.truncate(size);
    return data;
}

void SetModificationTime(const QString &path, const QDateTime &moment)
{
    const qint64 milliseconds = moment.toMSecsSinceEpoch();
    timespec times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(milliseconds / 1000);
    times[0].tv_nsec = times[1].tv_nsec = 0;
    if (::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) != 0)
        ADD_FAILURE() << "cannot set the time of " << path.toStdString();
}

QDateTime ModificationTime(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return QDateTime::fromSecsSinceEpoch(status.st_mtim.tv_sec);
}

uint32_t Crc32(const QByteArray &bytes)
{
    return static_cast<uint32_t>(
        crc32(0, reinterpret_cast<const Bytef *>(bytes.constData()), static_cast<uInt>(bytes.size())));
}

void WriteArchive(const QString &path, const std::vector<Entry> &entries, const QString &comment, int level)
{
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::Create);
    archive.SetArchiveComment(comment);
    for (const Entry &entry : entries) {
        CFileHeader header;
        header.Name = entry.Name;
        if (!archive.BeginEntry(header, level))
            ADD_FAILURE() << "entry not begun: " << entry.Name.toStdString();
        archive.WriteEntryData(entry.Data.constData(), static_cast<size_t>(entry.Data.size()));
        archive.EndEntry();
    }
    archive.CloseArchive();
}

ReadBack ReadArchive(const QString &path)
{
    CZipArchive archive;
    archive.OpenArchive(path, ZipOpenMode::OpenReadOnly);
    ReadBack result;
    result.Comment = archive.GetArchiveComment();
    result.BytesBefore = archive.BytesBeforeZip();
    for (int i = 0; i < archive.GetEntryCount(); ++i) {
        CFileHeader header;
        archive.GetEntryInfo(i, header);
        QByteArray data;
        archive.OpenEntry(i);
        char buffer[7000];   // not a divisor of anything the tests write
        size_t count;
        while ((count = archive.ReadEntryData(buffer, sizeof buffer)) > 0)
            data.append(buffer, static_cast<qsizetype>(count));
        archive.CloseEntry();
        result.Headers.push_back(header);
        result.Data.push_back(data);
    }
    archive.CloseArchive();
    return result;
}

std::optional<ZipCause> CauseOf(const std::function<void()> &action)
{
    try {
        action();
    } catch (const CZipException &error) {
        return error.Cause();
    }
    return std::nullopt;
}

bool HaveTool(const QString &program)
{
    return !QStandardPaths::findExecutable(program).isEmpty();
}

ToolResult RunTool(const QString &program, const QStringList &arguments, const QString &workingDir,
                   const QByteArray &input)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process.setProcessEnvironment(environment);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    ToolResult result;
    result.Started = process.waitForStarted(30000);
    if (!result.Started)
        return result;
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    result.ExitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.Out = process.readAllStandardOutput();
    result.Err = process.readAllStandardError();
    return result;
}

ToolResult RunShell(const QString &command, const QString &workingDir)
{
    return RunTool(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command}, workingDir);
}

namespace {

const char *const kPythonView = R"PY(
import json, struct, sys, zipfile
path = sys.argv[1]
raw = open(path, "rb").read()
with zipfile.ZipFile(path) as archive:
    entries = []
    for info in archive.infolist():
        local = struct.unpack_from("<IHHHHHIIIHH", raw, info.header_offset)
        name_start = info.header_offset + 30
        local_name = raw[name_start:name_start + local[9]]
        central_name = info.orig_filename.encode("utf-8" if info.flag_bits & 0x800 else "cp437")
        agrees = (local[0] == 0x04034b50 and local[3] == info.compress_type and local[6] == info.CRC
                  and local[7] == info.compress_size and local[8] == info.file_size
                  and local_name == central_name)
        entries.append({"name": info.filename, "size": info.file_size, "csize": info.compress_size,
                        "crc": info.CRC, "flags": info.flag_bits, "method": info.compress_type,
                        "date_time": list(info.date_time), "data": archive.read(info).hex(),
                        "local_agrees": agrees})
    print(json.dumps({"comment": archive.comment.hex(), "bad": archive.testzip(), "entries": entries}))
)PY";

} // namespace

QJsonObject PythonView(const QString &archivePath)
{
    const ToolResult run = RunTool(QStringLiteral("python3"),
                                   {QStringLiteral("-c"), QString::fromUtf8(kPythonView), archivePath});
    EXPECT_EQ(run.ExitCode, 0) << run.Err.toStdString();
    return QJsonDocument::fromJson(run.Out).object();
}

uint16_t Get16(const QByteArray &bytes, qsizetype offset)
{
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes.at(offset)) | (static_cast<uint8_t>(bytes.at(offset + 1)) << 8));
}

uint32_t Get32(const QByteArray &bytes, qsizetype offset)
{
    return Get16(bytes, offset) | (static_cast<uint32_t>(Get16(bytes, offset + 2)) << 16);
}

void Put32(QByteArray &bytes, qsizetype offset, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

qsizetype EndRecordOffset(const QByteArray &archive)
{
    return archive.lastIndexOf(QByteArray("PK\x05\x06", 4));
}

} // namespace ZipTest
