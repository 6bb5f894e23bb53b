#include "app/Settings.h"

namespace Settings {

QSettings Store()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, "Scrivlo", "Scrivlo");
}

bool Flag(const char *key, bool fallback)
{
    return Store().value(key, fallback).toBool();
}

void SetFlag(const char *key, bool value)
{
    Store().setValue(key, value);
}

} // namespace Settings
