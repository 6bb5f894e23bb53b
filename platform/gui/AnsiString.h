#pragma once
// The one conversion between the page's text (QString, UTF-16) and the dictionary's code
// page 1252. One byte stands for each UTF-16 unit, so positions in both agree; a unit with
// no byte in code page 1252 becomes '?'. Code beside the spell check works on QString and
// converts here, at the dictionary's door.

#include "platform/core/CodePageText.h"

#include <QString>
#include <string_view>

QString FromAnsi(std::string_view ansi);
AnsiText ToAnsi(QStringView text);
