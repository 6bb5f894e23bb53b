#pragma once
// The program's remembered choices, in the platform's place for settings.

#include <QSettings>

namespace Settings {

QSettings Store();
// The stored value of a yes/no choice, or fallback when none was stored yet.
bool Flag(const char *key, bool fallback);
void SetFlag(const char *key, bool value);

} // namespace Settings
