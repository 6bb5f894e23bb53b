#pragma once
// The generated tables of code page 437 (OEM) and code page 1252 (ANSI), for the code
// of platform/core only. scripts/gen-codepage-tables.py writes CodePageTables.cpp.

#include <array>

namespace CodePageTables {

// One byte of a code page with its code point; the reverse tables are sorted by code point.
struct ReverseEntry
{
    char16_t codePoint;
    unsigned char byte;
};

extern const std::array<char16_t, 256> OemToUnicode;
extern const std::array<char16_t, 256> AnsiToUnicode;
// Bytes 0x80..0xFF only: bytes below 0x80 are ASCII in both code pages.
extern const std::array<ReverseEntry, 128> OemFromUnicode;
extern const std::array<ReverseEntry, 128> AnsiFromUnicode;

// Best-fit byte conversions between the code pages.
extern const std::array<unsigned char, 256> AnsiToOem;
extern const std::array<unsigned char, 256> OemToAnsi;

// Upper-case counterpart of an ANSI byte (the byte itself when it has none in code page 1252).
extern const std::array<unsigned char, 256> AnsiUpper;
// Primary alphabetical key of an ANSI byte: the upper-case base letter of a letter
// ('é' -> 'E'), the upper-case byte of anything else. A function of AnsiUpper's value.
extern const std::array<unsigned char, 256> AnsiSortKey;

} // namespace CodePageTables
