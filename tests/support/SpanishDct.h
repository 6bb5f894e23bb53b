#pragma once
// A tiny Spanish dictionary for the tests of accented letters, and the code page 1252 form
// of UTF-8 test text. Code page 437, in which the file holds its letters, has É and Ñ but
// no Á, Í, Ó or Ú.

#include "dictionary/DctBuilder.h"
#include "platform/core/CodePageText.h"
#include "platform/core/CodePages.h"

#include <string>
#include <string_view>

inline std::string SpanishDct()
{
    DctBuilder builder;
    for (const char *word :
         { "árbol", "él", "mañana", "también", "dónde", "pequeño", "niño", "canción" })
        builder.AddUtf8Line(word);
    return builder.Build();
}

inline AnsiText AnsiFromUtf8(std::string_view utf8)
{
    std::u16string units;
    CodePages::DecodeUtf8(utf8, units);
    return CodePages::Utf16ToAnsi(units);
}
