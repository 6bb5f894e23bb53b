#pragma once
// The word scanner of the spell check, shared by the editor's text buffers and the
// command-line checker. It works on code page 1252 text, the text as the editor holds it,
// so that a word reaches the dictionary with its accented capitals. A word is a run of
// word characters: the apostrophe, digits, ASCII letters and the letters whose code page
// 437 form is one of the accented letters 128..165 or an ASCII letter (so Á, which code
// page 437 lacks, belongs to words). Everything else, the hyphen, ¿ ¡ « » included,
// separates words.

#include <cstdint>
#include <string>
#include <string_view>

namespace WordScan {

// 256-bit set lookups, one per byte.
bool IsWordChar(unsigned char ch);
inline bool IsDigit(unsigned char ch)
{
    return ch >= '0' && ch <= '9';
}

// Lower case of a code page 1252 letter; other bytes stay as they are.
unsigned char LowerChar(unsigned char ch);

// A run of this many word characters is taken for garbage, not a word.
constexpr int32_t MaxRun = 50;

enum class Result { Word, End, TooLong };

// Scan positions are 1-based: position p is text[p - 1]; positions below textLen are
// scanned. Pos is where the next scan begins and, afterwards, just past what it read.
struct Cursor
{
    int32_t Pos = 1;
    int32_t WordStart = 1;
    int32_t WordEnd = 1; // just after the word's last character
    int32_t CRCount = 0; // carriage returns passed, when counted
    bool AllDigits = true;
};

struct Options
{
    bool SupportHTML = false; // skip everything between '<' and '>'
    bool SupportRTF2 = false; // count the carriage returns passed
};

// Skips separators (and tags) from Pos, then collects one word. Word: the word is
// WordStart..WordEnd-1. End: nothing left before textLen. TooLong: MaxRun word characters
// were collected without an end; they are WordStart..WordEnd-1.
Result Next(const char *text, int32_t textLen, Cursor &cursor, Options options);

} // namespace WordScan
