#pragma once

#include "model/CIniFile.h"
#include "model/WindowPlacement.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace model {

// The windows that keep their placement in the settings, each in a section of its own.
enum class PlacementWindow { MainFrame, Help, StreamViewer };

// The last inputs of the stream viewer.
struct StreamViewerSettings {
    QString Path;
    int SubVerz = 1;
    int OnlyStreams = 1;
};

// The last inputs of the directory-rights copy.
struct DirectoryRightsSettings {
    QString QuellVerz;
    QString ZielVerz;
};

// The per-user settings of the program, by section and key, with their defaults. Reads give
// the default when the file or the key is missing; writes fail silently (they return false).
class CSettings {
public:
    static constexpr int RecentFileCount = 16;

    explicit CSettings(QString path);

    const QString &Path() const { return m_file.Path(); }
    CIniFile &File() { return m_file; }
    const CIniFile &File() const { return m_file; }

    // None when absent or not exactly one record long. A window saved minimised comes back
    // shown normally: its show command 2 is replaced by 5.
    std::optional<WindowPlacement> ReadPlacement(PlacementWindow window) const;
    bool WritePlacement(PlacementWindow window, const WindowPlacement &placement);

    QString TempPath() const;
    bool WriteTempPath(const QString &path);

    StreamViewerSettings ReadStreamViewer() const;
    bool WriteStreamViewer(const StreamViewerSettings &values);

    DirectoryRightsSettings ReadDirectoryRights() const;
    bool WriteDirectoryRights(const DirectoryRightsSettings &values);

    // The title colours, edited by hand only: "BrushBk" ("%d,%d,%d,%d"; none when absent) and
    // "Schrift" (0, black text, when absent).
    std::optional<QString> TitleBrush() const;
    int TitleFont() const;

    // The recently used project files, most recent first, without empty entries.
    QStringList RecentFiles() const;
    // Replaces the list; only the first 16 non-empty entries are kept.
    bool WriteRecentFiles(const QStringList &files);

    int PreviewPages() const;
    // Written only when non-zero.
    bool WritePreviewPages(int pages);

private:
    CIniFile m_file;
};

// Puts `path` at the top of a recently-used list, removing an earlier entry of the same file
// and keeping at most CSettings::RecentFileCount entries.
QStringList WithRecentFile(QStringList files, const QString &path);

// Decides, once per program start and before any setting is read, where the settings file is
// (from the process environment, with the shared program name) and creates its folder.
// Calling it again decides anew.
void InitAppSettings();

// The settings of this program at the location InitAppSettings decided. Before that call the
// location follows the current environment on every call, and no folder is created.
CSettings AppSettings();

} // namespace model
