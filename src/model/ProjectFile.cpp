#include "model/ProjectFile.h"

#include "engine/TextFormat.h"
#include "model/ArchiveReader.h"
#include "model/ArchiveWriter.h"
#include "model/AsciiCase.h"
#include "model/CProjectData.h"
#include "model/ProjectRecords.h"
#include "resources/Strings.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace model {

namespace {

const QString magicText = QStringLiteral("Zelvar");
// A line longer than this cannot be the magic line; reading stops there.
constexpr qsizetype maxMagicLineLength = 64;

ProjectFileError readFailure(const ArchiveReader &in)
{
    ProjectFileError error;
    error.ErrorKind = in.GetFailure() == ArchiveReader::Failure::BadStringLength
                          ? ProjectFileError::Kind::BadStringLength
                          : ProjectFileError::Kind::EndOfFile;
    error.Offset = in.FailureOffset();
    return error;
}

bool readMagicLine(ArchiveReader &in)
{
    const std::optional<QString> line = in.ReadLine(maxMagicLineLength);
    return line && EqualsIgnoringAsciiCase(*line, magicText);
}

void readJobs(ArchiveReader &in, CProjectData &project)
{
    const quint32 count = in.ReadDword();
    for (quint32 i = 0; i < count && !in.Failed(); ++i) {
        CListData job;
        ReadRecord(in, job);
        if (!in.Failed())
            project.Jobs.append(job);
    }
}

void readView(ArchiveReader &in, CProjectData &project)
{
    const quint32 viewVersion = in.ReadDword();
    readJobs(in, project);
    LegacyCheckFileFields legacy;
    ReadRecord(in, project.Option, legacy);
    ReadRecord(in, project.Muster);
    ReadRecord(in, project.Dateien);
    ReadRecord(in, project.Datum);
    ReadRecord(in, project.Zip);
    if (in.Failed())
        return;
    if (viewVersion == 1) {
        // The check file had no page of its own yet; its fields lived in the group "Option".
        project.Pruefdatei.CheckFile = legacy.CheckFile;
        project.Pruefdatei.ChecksumEnabled = legacy.ChecksumEnabled;
        return;
    }
    if (viewVersion >= 2)
        ReadRecord(in, project.Pruefdatei);
    if (viewVersion >= 3)
        ReadRecord(in, project.Unzip);
}

ProjectFileError fileError(ProjectFileError::Kind kind, const QString &path, const QString &reason)
{
    ProjectFileError error;
    error.ErrorKind = kind;
    error.Path = path;
    error.SystemText = reason;
    return error;
}

} // namespace

QString ProjectFileError::Message() const
{
    switch (ErrorKind) {
    case Kind::CannotOpen:
        return FormatStr(6102, {Path, SystemText});
    case Kind::NotAProject:
        return LoadStr(332);
    case Kind::EndOfFile:
        return FormatStr(6100, {Path, Offset});
    case Kind::BadStringLength:
        return FormatStr(6101, {Path, Offset});
    case Kind::CannotWrite:
        return FormatStr(6103, {Path, SystemText});
    }
    return QString();
}

QByteArray WriteProject(const CProjectData &project)
{
    ArchiveWriter out;
    out.WriteDword(ProjectDocumentVersion);
    out.WriteRawUtf16(magicText + u'\n');
    out.WriteDword(ProjectViewVersion);
    out.WriteDword(quint32(project.Jobs.size()));
    for (const CListData &job : project.Jobs)
        WriteRecord(out, job);
    WriteRecord(out, project.Option);
    WriteRecord(out, project.Muster);
    WriteRecord(out, project.Dateien);
    WriteRecord(out, project.Datum);
    WriteRecord(out, project.Zip);
    WriteRecord(out, project.Pruefdatei);
    WriteRecord(out, project.Unzip);
    return out.Bytes();
}

std::optional<ProjectFileError> ReadProject(QIODevice &device, CProjectData &project)
{
    if (device.size() == 0) {
        project.Modified = false;
        return std::nullopt;
    }
    ArchiveReader in(device);
    const quint32 documentVersion = in.ReadDword();
    if (in.Failed())
        return readFailure(in);
    if (documentVersion >= 2 && !readMagicLine(in)) {
        ProjectFileError error;
        error.ErrorKind = ProjectFileError::Kind::NotAProject;
        return error;
    }
    readView(in, project);
    if (in.Failed())
        return readFailure(in);
    project.Modified = false;
    return std::nullopt;
}

std::optional<ProjectFileError> LoadProject(const QString &path, CProjectData &project)
{
    // Opening a FIFO or a device would block or read endlessly; only regular files are projects.
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fileError(ProjectFileError::Kind::CannotOpen, path, LoadStr(6104));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fileError(ProjectFileError::Kind::CannotOpen, path, file.errorString());
    std::optional<ProjectFileError> error = ReadProject(file, project);
    if (error)
        error->Path = path;
    return error;
}

std::optional<ProjectFileError> SaveProject(const QString &path, const CProjectData &project)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (a full disk, a file-size limit) shows in the count
    // written; the flush inside commit() would let it pass and replace the project with a
    // truncated file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return fileError(ProjectFileError::Kind::CannotWrite, path, file.errorString());
    const QByteArray bytes = WriteProject(project);
    if (file.write(bytes) != bytes.size() || !file.commit())
        return fileError(ProjectFileError::Kind::CannotWrite, path, file.errorString());
    return std::nullopt;
}

} // namespace model
