#include "progress/CTaskbarProgress.h"

#include <QDBusMessage>

namespace {

const QString kInterface = QStringLiteral("com.canonical.Unity.LauncherEntry");
const QString kDesktopFile = QStringLiteral("zelvaron.desktop");

} // namespace

QVariantMap LauncherEntryProperties(const RunProgress &progress)
{
    const bool running = progress.state == RunProgress::Running;
    const bool oneThread = running && progress.threadCount == 1;
    const bool errors = running && progress.errorCount > 0;
    QVariantMap properties;
    properties.insert(QStringLiteral("progress-visible"), oneThread);
    properties.insert(QStringLiteral("progress"), oneThread ? progress.percent / 100.0 : 0.0);
    properties.insert(QStringLiteral("count-visible"), oneThread && errors);
    properties.insert(QStringLiteral("count"), qint64(oneThread ? progress.errorCount : 0));
    properties.insert(QStringLiteral("urgent"), errors);
    return properties;
}

CTaskbarProgress::CTaskbarProgress(QDBusConnection connection, QString desktopFileName)
    : m_connection(std::move(connection))
    , m_appUri(QStringLiteral("application://") + desktopFileName)
{
}

CTaskbarProgress CTaskbarProgress::ForSession()
{
    return CTaskbarProgress(QDBusConnection::sessionBus(), kDesktopFile);
}

QString CTaskbarProgress::ObjectPath()
{
    return QStringLiteral("/de/zelvaron/LauncherEntry");
}

void CTaskbarProgress::Show(const RunProgress &progress)
{
    if (!m_connection.isConnected())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(ObjectPath(), kInterface, QStringLiteral("Update"));
    signal << m_appUri << LauncherEntryProperties(progress);
    m_connection.send(signal);
}
