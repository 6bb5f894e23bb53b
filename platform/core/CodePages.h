#pragma once
// The two single-byte code pages of the program: OEM (code page 437), in which the
// dictionary stores its letters and the spell check scans text, and ANSI (code page
// 1252), in which the editor's text, the user word list and every shown word are held.

#include "platform/core/CodePageText.h"

#include <string>
#include <string_view>

namespace CodePages {

// Unicode code point of every byte. Bytes that code page 1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value.
char16_t OemToUnicode(unsigned char ch);
char16_t AnsiToUnicode(unsigned char ch);

// The byte for a code point, or -1 when the code page has no such character.
int UnicodeToOem(char32_t cp);
int UnicodeToAnsi(char32_t cp);

// One byte converted between the code pages: the exact counterpart where one exists,
// otherwise the base letter without its accent, otherwise '?'. Byte 0 stays 0.
unsigned char AnsiToOemChar(unsigned char ch);
unsigned char OemToAnsiChar(unsigned char ch);

// Letter case of code page 1252: A-Z and the accented letters; every other byte stays as
// it is. Code page 437 lacks most accented capitals (Á, Í, Ó, Ú, È, ...), so words are
// lower-cased here, before they cross to it, and never in code page 437.
unsigned char AnsiLowerChar(unsigned char ch);
unsigned char AnsiUpperChar(unsigned char ch);
AnsiText LowerCase(const AnsiText &text);
AnsiText UpperCase(const AnsiText &text);
// The same for callers that keep a word on the stack: in.size() bytes written to out.
void LowerAnsiBytes(std::string_view in, char *out);
void AnsiToOemBytes(std::string_view in, char *out);

// Whole buffers, converted byte by byte in place.
void AnsiToOemBuff(std::string &text);
void OemToAnsiBuff(std::string &text);

// The ANSI byte that stands for one UTF-16 code unit of an editor's text: the exact
// counterpart, else '?'. One unit always gives one byte, so positions stay aligned.
unsigned char Utf16UnitToAnsi(char16_t unit);
// A whole text so, one byte per code unit.
AnsiText Utf16ToAnsi(std::u16string_view units);

// Length of the well-formed UTF-8 sequence at bytes[i] (i < size), with its code point
// in cp; 0 when the byte there does not begin one.
size_t Utf8SequenceAt(std::string_view bytes, size_t i, char32_t &cp);
// A code point appended as one or two UTF-16 code units.
void AppendUtf16(std::u16string &out, char32_t cp);
// UTF-8 text decoded to UTF-16 code units; false (and nothing useful in out) when the
// bytes are not valid UTF-8. A leading byte-order mark is dropped.
bool DecodeUtf8(std::string_view bytes, std::u16string &out);
// Code page 1252 bytes to UTF-16.
std::u16string DecodeAnsi(std::string_view bytes);
// UTF-8 of a code point sequence given as UTF-16 (unpaired surrogates become U+FFFD).
std::string EncodeUtf8(std::u16string_view text);
// UTF-8 of ANSI or OEM bytes.
std::string AnsiToUtf8(std::string_view ansi);
std::string OemToUtf8(std::string_view oem);

} // namespace CodePages

// The dictionary's word conversions: the word cut to 50 characters, converted, and cut
// to 50 characters again.
AnsiText OemToAnsiWord(const OemText &word);
OemText AnsiToOemWord(const AnsiText &word);
