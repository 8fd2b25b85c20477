#pragma once

#include <QString>

enum class ShutdownKind { PowerOff, Reboot };

// The actions of unattended operation that follow a run when its window closes.
class IRunEndActions {
public:
    virtual ~IRunEndActions() = default;

    // Arranges for the result of this run to be shown at the next log-in.
    virtual void RegisterStatusMessage(int errorCount) = 0;
    // Shuts the computer down (or restarts it) after a grace period in which the user can
    // abort; `message` names what happens.
    virtual void StartShutdown(ShutdownKind kind, const QString &message) = 0;
};
