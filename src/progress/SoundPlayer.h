#pragma once

#include "engine/IRunObserver.h"

#include <QString>
#include <QStringList>

// Plays one sound and returns when it has ended. Called on the run's controller thread.
class ISoundPlayer {
public:
    virtual ~ISoundPlayer() = default;
    virtual void Play(RunSound sound) = 0;
};

// The freedesktop sound-theme name of a run sound.
QString ThemeSoundName(RunSound sound);

// Plays the sounds of the freedesktop sound theme through the first player program found on
// the search path: one that knows the theme itself, else one that plays the theme's file.
// Without a player, a theme file or a sound server it stays silent; a player that does not
// end in time is stopped, so that the end of a run never hangs on its sound.
class ThemeSoundPlayer : public ISoundPlayer {
public:
    // `searchPath` lists the directories searched for player programs; `dataDirs` those
    // searched for "sounds/freedesktop/stereo/<name>.oga".
    ThemeSoundPlayer(QStringList searchPath, QStringList dataDirs);
    // The program's environment: $PATH and $XDG_DATA_DIRS.
    static ThemeSoundPlayer FromEnvironment();

    void Play(RunSound sound) override;

private:
    bool runPlayer(const QString &program, const QStringList &arguments) const;
    QString themeFile(const QString &name) const;

    QStringList m_searchPath;
    QStringList m_dataDirs;
};
