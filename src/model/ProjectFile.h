#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

class QIODevice;

namespace model {

struct CProjectData;

// Why a project file could not be read or written.
struct ProjectFileError {
    enum class Kind {
        CannotOpen,      // the file cannot be opened for reading, or is no regular file
        NotAProject,     // the magic line is missing or wrong (message 332)
        EndOfFile,       // the file ends inside a record
        BadStringLength, // a string length that the file cannot satisfy
        CannotWrite,     // the new file could not be written; the old one is unchanged
    };

    Kind ErrorKind = Kind::CannotOpen;
    QString Path;
    QString SystemText; // the system's reason, for CannotOpen and CannotWrite
    qint64 Offset = -1; // where reading broke off, for EndOfFile and BadStringLength

    // The German message for the user.
    QString Message() const;
};

// The header this program writes: document version 2 and the magic line, then view version 3.
inline constexpr quint32 ProjectDocumentVersion = 2;
inline constexpr quint32 ProjectViewVersion = 3;

// The bytes of `project` as a project file in the current record versions.
QByteArray WriteProject(const CProjectData &project);

// Reads a project file from `device` into `project`, which the caller has reset (a closed
// project is a new, empty one). An empty device is an empty project. Fields that an older file
// does not carry keep their values. On an error `project` holds what was read before it; with
// NotAProject nothing was read. The modified flag is cleared on success.
std::optional<ProjectFileError> ReadProject(QIODevice &device, CProjectData &project);

// Opens `path` and reads it with ReadProject.
std::optional<ProjectFileError> LoadProject(const QString &path, CProjectData &project);

// Writes `project` to `path`. The new content goes to a temporary file beside it, which
// replaces the old file only once it was written completely, so a failed save leaves the
// previous project intact.
std::optional<ProjectFileError> SaveProject(const QString &path, const CProjectData &project);

} // namespace model
