#include "unattended/StatusAutostartEntry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace StatusAutostartEntry {

namespace {

const QString kEntry = QStringLiteral("autostart/zelvaron-status.desktop");

QString absoluteOr(const QString &folder, const QString &fallback)
{
    return !folder.isEmpty() && QDir::isAbsolutePath(folder) ? folder : fallback;
}

} // namespace

QString UserPath()
{
    const QString config = absoluteOr(qEnvironmentVariable("XDG_CONFIG_HOME"), QDir::homePath() + QStringLiteral("/.config"));
    return config + u'/' + kEntry;
}

QString SystemPath()
{
    const QString first = qEnvironmentVariable("XDG_CONFIG_DIRS").section(u':', 0, 0);
    return absoluteOr(first, QStringLiteral("/etc/xdg")) + u'/' + kEntry;
}

QStringList Remove()
{
    QStringList left;
    for (const QString &path : {UserPath(), SystemPath()}) {
        if (QFileInfo::exists(path) && !QFile::remove(path))
            left.append(path);
    }
    return left;
}

} // namespace StatusAutostartEntry
