#pragma once
// The user's choices that the program keeps between runs, in the platform's place for
// settings (QSettings, organisation and application "Scrivlo").

#include <QSettings>

namespace Settings {

QSettings Store();
bool Flag(const char *key, bool fallback);
void SetFlag(const char *key, bool value);

} // namespace Settings
