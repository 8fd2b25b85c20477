#pragma once

#include "engine/IRunObserver.h"

#include <QDBusConnection>
#include <QString>
#include <QVariantMap>

// Shows a run's progress on the program's launcher entry.
class ITaskbarProgress {
public:
    virtual ~ITaskbarProgress() = default;
    virtual void Show(const RunProgress &progress) = 0;
};

// The launcher-entry properties for `progress`: with one thread the job's progress and the
// error count; with any number of threads the error state as "urgent"; at the end of the run
// everything cleared.
QVariantMap LauncherEntryProperties(const RunProgress &progress);

// Sends the com.canonical.Unity.LauncherEntry "Update" signal on a D-Bus connection. Without
// a connected bus nothing happens.
class CTaskbarProgress : public ITaskbarProgress {
public:
    CTaskbarProgress(QDBusConnection connection, QString desktopFileName);
    // The session bus and the program's desktop file.
    static CTaskbarProgress ForSession();

    void Show(const RunProgress &progress) override;

    static QString ObjectPath();

private:
    QDBusConnection m_connection;
    QString m_appUri;
};
