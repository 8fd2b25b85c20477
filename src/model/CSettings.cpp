#include "model/CSettings.h"

#include "model/SettingsLocation.h"

#include <mutex>

namespace model {

namespace {

const QString keyPosition = QStringLiteral("Position");
const QString sectionGeneral = QStringLiteral("Allgemein");
const QString sectionStreams = QStringLiteral("Streams");
const QString sectionRights = QStringLiteral("Filerechte");
const QString sectionTitle = QStringLiteral("StaticTitelFarben");
const QString sectionRecent = QStringLiteral("Recent File List");
const QString sectionFramework = QStringLiteral("Settings");

QString placementSection(PlacementWindow window)
{
    switch (window) {
    case PlacementWindow::MainFrame:
        return QStringLiteral("Frame");
    case PlacementWindow::Help:
        return QStringLiteral("Hilfe");
    case PlacementWindow::StreamViewer:
        return sectionStreams;
    }
    return QString();
}

QString recentKey(int number)
{
    return QStringLiteral("File%1").arg(number);
}

std::mutex appSettingsLock;
std::optional<QString> appSettingsPath;

} // namespace

CSettings::CSettings(QString path)
    : m_file(std::move(path))
{
}

std::optional<WindowPlacement> CSettings::ReadPlacement(PlacementWindow window) const
{
    const std::optional<QByteArray> bytes = m_file.GetBinary(placementSection(window), keyPosition);
    if (!bytes)
        return std::nullopt;
    std::optional<WindowPlacement> placement = WindowPlacement::FromBytes(*bytes);
    if (placement && placement->ShowCommand == WindowPlacement::ShowMinimized)
        placement->ShowCommand = WindowPlacement::Show;
    return placement;
}

bool CSettings::WritePlacement(PlacementWindow window, const WindowPlacement &placement)
{
    WindowPlacement record = placement;
    record.Length = WindowPlacement::RecordSize;
    return m_file.WriteBinary(placementSection(window), keyPosition, record.ToBytes());
}

QString CSettings::TempPath() const
{
    return m_file.GetString(sectionGeneral, QStringLiteral("TempPath"));
}

bool CSettings::WriteTempPath(const QString &path)
{
    return m_file.WriteString(sectionGeneral, QStringLiteral("TempPath"), path);
}

StreamViewerSettings CSettings::ReadStreamViewer() const
{
    StreamViewerSettings values;
    values.Path = m_file.GetString(sectionStreams, QStringLiteral("Path"));
    values.SubVerz = m_file.GetInt(sectionStreams, QStringLiteral("SubVerz"), values.SubVerz);
    values.OnlyStreams = m_file.GetInt(sectionStreams, QStringLiteral("OnlyStreams"), values.OnlyStreams);
    return values;
}

bool CSettings::WriteStreamViewer(const StreamViewerSettings &values)
{
    const bool path = m_file.WriteString(sectionStreams, QStringLiteral("Path"), values.Path);
    const bool sub = m_file.WriteInt(sectionStreams, QStringLiteral("SubVerz"), values.SubVerz);
    const bool only = m_file.WriteInt(sectionStreams, QStringLiteral("OnlyStreams"), values.OnlyStreams);
    return path && sub && only;
}

DirectoryRightsSettings CSettings::ReadDirectoryRights() const
{
    return {m_file.GetString(sectionRights, QStringLiteral("QuellVerz")),
            m_file.GetString(sectionRights, QStringLiteral("ZielVerz"))};
}

bool CSettings::WriteDirectoryRights(const DirectoryRightsSettings &values)
{
    const bool source = m_file.WriteString(sectionRights, QStringLiteral("QuellVerz"), values.QuellVerz);
    const bool target = m_file.WriteString(sectionRights, QStringLiteral("ZielVerz"), values.ZielVerz);
    return source && target;
}

std::optional<QString> CSettings::TitleBrush() const
{
    return m_file.ReadString(sectionTitle, QStringLiteral("BrushBk"));
}

int CSettings::TitleFont() const
{
    return m_file.GetInt(sectionTitle, QStringLiteral("Schrift"), 0);
}

QStringList CSettings::RecentFiles() const
{
    QStringList files;
    for (int number = 1; number <= RecentFileCount; ++number) {
        const QString file = m_file.GetString(sectionRecent, recentKey(number));
        if (!file.isEmpty())
            files.append(file);
    }
    return files;
}

bool CSettings::WriteRecentFiles(const QStringList &files)
{
    bool written = m_file.RemoveSection(sectionRecent);
    int number = 0;
    for (const QString &file : files) {
        if (file.isEmpty() || number == RecentFileCount)
            continue;
        written = m_file.WriteString(sectionRecent, recentKey(++number), file) && written;
    }
    return written;
}

int CSettings::PreviewPages() const
{
    return m_file.GetInt(sectionFramework, QStringLiteral("PreviewPages"), 0);
}

bool CSettings::WritePreviewPages(int pages)
{
    return pages == 0 || m_file.WriteInt(sectionFramework, QStringLiteral("PreviewPages"), pages);
}

QStringList WithRecentFile(QStringList files, const QString &path)
{
    files.removeAll(path);
    files.prepend(path);
    while (files.size() > CSettings::RecentFileCount)
        files.removeLast();
    return files;
}

void InitAppSettings()
{
    const QString path = PrepareSettingsFile(SettingsEnvironment::FromProcess(),
                                             QString::fromUtf16(SettingsProgramName));
    std::lock_guard<std::mutex> guard(appSettingsLock);
    appSettingsPath = path;
}

CSettings AppSettings()
{
    std::lock_guard<std::mutex> guard(appSettingsLock);
    if (appSettingsPath)
        return CSettings(*appSettingsPath);
    // Not decided yet: the location follows the environment as it is now, and no folder is
    // created, since creating folders is the start-up's business.
    return CSettings(SettingsFilePath(SettingsEnvironment::FromProcess(), QString::fromUtf16(SettingsProgramName)));
}

} // namespace model
