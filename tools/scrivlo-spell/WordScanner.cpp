#include "tools/scrivlo-spell/WordScanner.h"

#include "tools/scrivlo-spell/TextMapping.h"

WordScanner::WordScanner(WordSink &sink)
    : FSink(sink)
    , FWordLetter(TextMapping::GetTables().wordLetter.data())
{ }

bool WordScanner::Feed(std::u16string_view units)
{
    if (FStopped)
        return false;
    // The position lives in locals so that the loop keeps it in registers.
    uint64_t line = FLine, column = FColumn;
    bool afterCR = FAfterCR;
    for (const char16_t unit : units) {
        const unsigned char letter = FWordLetter[unit];
        if (letter != 0) {
            if (FLength == 0) {
                FWordLine = line;
                FWordColumn = column;
            }
            FLetters[FLength] = char(letter);
            FUnits[FLength] = unit;
            ++column;
            afterCR = false;
            if (++FLength == MaxRun) {
                FLine = line;
                FColumn = column;
                FStopped = true;
                FSink.TooLong(
                    { { FLetters, FLength }, { FUnits, FLength }, FWordLine, FWordColumn });
                FLength = 0;
                return false;
            }
            continue;
        }
        if (FLength != 0)
            EndWord();
        if (unit == u'\n') {
            if (!afterCR)
                ++line;
            column = 1;
            afterCR = false;
        } else if (unit == u'\r') {
            ++line;
            column = 1;
            afterCR = true;
        } else {
            afterCR = false;
            // The second half of a surrogate pair belongs to the character already counted.
            if (!TextMapping::IsLowSurrogate(unit))
                ++column;
        }
    }
    FLine = line;
    FColumn = column;
    FAfterCR = afterCR;
    return true;
}

void WordScanner::Finish()
{
    if (!FStopped && FLength != 0)
        EndWord();
}

void WordScanner::EndWord()
{
    const size_t length = FLength;
    FLength = 0;
    if (length < 2)
        return;
    bool allDigits = true;
    for (size_t i = 0; i < length && allDigits; ++i)
        allDigits = FLetters[i] >= '0' && FLetters[i] <= '9';
    if (!allDigits)
        FSink.Word({ { FLetters, length }, { FUnits, length }, FWordLine, FWordColumn });
}
