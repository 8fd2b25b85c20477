#include "engine/SettingsAccessor.h"

#include "model/CSettings.h"

QString SettingsFilePath()
{
    return model::AppSettings().Path();
}

QString ReadSettingsText(const QString &section, const QString &key)
{
    return model::AppSettings().File().GetString(section, key);
}
