#pragma once
// How the checker turns outside text into the code page 1252 letters the dictionary takes,
// exactly as the editor maps its text: bytes decoded as UTF-8 (as code page 1252 when they
// are not valid UTF-8), and each UTF-16 code unit taken as one code page 1252 byte.

#include "platform/core/CodePageText.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace TextMapping {

struct Tables
{
    // The code page 1252 letter of a code unit that belongs to a word (as the spell
    // check's word scan takes them), 0 for a unit that separates words.
    std::array<unsigned char, 65536> wordLetter;
    // The code unit of each code page 1252 byte.
    std::array<char16_t, 256> ansiUnit;
};

// Built once from the program's code page functions, then shared.
const Tables &GetTables();

constexpr bool IsLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Length of the longest start of bytes that ends on a UTF-8 sequence boundary: at most
// the last three bytes (an unfinished sequence) are left out.
size_t CompleteUtf8Prefix(std::string_view bytes);

// Decodes one piece of a text into out (replacing its content). atStart: the piece opens
// the text, where a byte-order mark is dropped; elsewhere U+FEFF is kept as a character.
// False, with out unusable, when utf8 is asked for and the bytes are not valid UTF-8.
bool DecodePiece(std::string_view bytes, bool utf8, bool atStart, std::u16string &out);

// Text given whole (an argument, a protocol line): UTF-8, else code page 1252.
void DecodeText(std::string_view bytes, bool atStart, std::u16string &out);

// Argument text (UTF-8, else code page 1252) in code page 1252.
AnsiText ArgumentToAnsi(std::string_view bytes);

// Appends the UTF-8 of code units; unpaired surrogates become U+FFFD.
void AppendUtf8(std::string &out, std::u16string_view units);

} // namespace TextMapping
