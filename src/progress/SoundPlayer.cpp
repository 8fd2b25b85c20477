#include "progress/SoundPlayer.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

constexpr int kStartTimeoutMs = 2000;
constexpr int kPlayTimeoutMs = 15000;

QStringList environmentList(const char *name, const QString &fallback)
{
    QString value = qEnvironmentVariable(name);
    if (value.isEmpty())
        value = fallback;
    return value.split(u':', Qt::SkipEmptyParts);
}

} // namespace

QString ThemeSoundName(RunSound sound)
{
    switch (sound) {
    case RunSound::RunEnded:
        return QStringLiteral("complete");
    case RunSound::EndedWithoutErrors:
        return QStringLiteral("dialog-information");
    case RunSound::EndedWithErrors:
        return QStringLiteral("dialog-error");
    }
    return QString();
}

ThemeSoundPlayer::ThemeSoundPlayer(QStringList searchPath, QStringList dataDirs)
    : m_searchPath(std::move(searchPath))
    , m_dataDirs(std::move(dataDirs))
{
}

ThemeSoundPlayer ThemeSoundPlayer::FromEnvironment()
{
    return ThemeSoundPlayer(environmentList("PATH", QString()),
                            environmentList("XDG_DATA_DIRS", QStringLiteral("/usr/local/share:/usr/share")));
}

void ThemeSoundPlayer::Play(RunSound sound)
{
    const QString name = ThemeSoundName(sound);
    const QString themePlayer = QStandardPaths::findExecutable(QStringLiteral("canberra-gtk-play"), m_searchPath);
    if (!themePlayer.isEmpty() && runPlayer(themePlayer, {QStringLiteral("-i"), name}))
        return;
    const QString file = themeFile(name);
    if (file.isEmpty())
        return;
    for (const QString &player : {QStringLiteral("pw-play"), QStringLiteral("paplay")}) {
        const QString program = QStandardPaths::findExecutable(player, m_searchPath);
        if (!program.isEmpty() && runPlayer(program, {file}))
            return;
    }
}

// True when the player ran to its end successfully.
bool ThemeSoundPlayer::runPlayer(const QString &program, const QStringList &arguments) const
{
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(program, arguments);
    if (!process.waitForStarted(kStartTimeoutMs))
        return false;
    if (!process.waitForFinished(kPlayTimeoutMs)) {
        process.kill();
        process.waitForFinished(kStartTimeoutMs);
        return false;
    }
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString ThemeSoundPlayer::themeFile(const QString &name) const
{
    for (const QString &dir : m_dataDirs) {
        const QString path = dir + QStringLiteral("/sounds/freedesktop/stereo/") + name + QStringLiteral(".oga");
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}
