#pragma once
// The user's settings of the program, kept where the desktop keeps them (QSettings).

#include <QSettings>

namespace Settings {

QSettings Store();
bool Flag(const char *key, bool fallback);
void SetFlag(const char *key, bool value);

} // namespace Settings
