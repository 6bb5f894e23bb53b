#include "tools/scrivlo-spell/WordScanner.h"

#include "tools/scrivlo-spell/TextMapping.h"

#include <algorithm>

WordScanner::WordScanner(WordSink &sink)
    : FSink(sink)
    , FWordLetter(TextMapping::GetTables().wordLetter.data())
{ }

void WordScanner::Advance(size_t from, size_t to)
{
    uint64_t line = FLine, column = FColumn;
    bool afterCR = FAfterCR;
    for (size_t i = from; i < to; ++i) {
        const char16_t unit = FUnits[i];
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
}

void WordScanner::Word(size_t index, size_t length)
{
    const std::string_view letters(FLetters.data() + index, length);
    if (length >= 2 && !std::all_of(letters.begin(), letters.end(), [](char c) {
            return WordScan::IsDigit(static_cast<unsigned char>(c));
        }))
        FSink.Word({ letters, { FUnits.data() + index, length }, FLine, FColumn });
}

size_t WordScanner::ExtendRun(size_t index)
{
    size_t end = index;
    while (end < FLetters.size() && FLetters[end] != ' ')
        ++end;
    const size_t kept = std::min(end - index, MaxRunShown - std::min(FRun.size(), MaxRunShown));
    FRun.append(FUnits, index, kept);
    FRunLength += end - index;
    return end;
}

void WordScanner::EndRun()
{
    FSink.LongRun({ {}, FRun, FRunLine, FRunColumn }, FRunLength);
    FColumn += FRunLength; // word letters are single units
    FAfterCR = false;
    FInRun = false;
}

void WordScanner::Feed(std::u16string_view units)
{
    // The view: the open word of the last piece, then this piece's units, each with its
    // code page 1252 letter or a blank where it is no word letter.
    FUnits.erase(0, FUnits.size() - FOpen);
    FLetters.erase(0, FLetters.size() - FOpen);
    FUnits.append(units);
    FLetters.resize(FUnits.size());
    for (size_t i = FOpen; i < FUnits.size(); ++i) {
        const unsigned char letter = FWordLetter[FUnits[i]];
        FLetters[i] = letter ? static_cast<char>(letter) : ' ';
    }
    FOpen = 0;

    // Scan positions are 1-based; a word that reaches the end of the view stays open.
    const auto textLen = static_cast<int32_t>(FLetters.size() + 1);
    WordScan::Cursor cursor;
    size_t done = 0; // units of the view the line and column have moved over
    if (FInRun) {
        done = ExtendRun(0);
        if (done == FLetters.size())
            return;
        EndRun();
        cursor.Pos = static_cast<int32_t>(done + 1);
    }
    for (;;) {
        const WordScan::Result result = WordScan::Next(FLetters.data(), textLen, cursor, {});
        if (result == WordScan::Result::End)
            break;
        const size_t start = static_cast<size_t>(cursor.WordStart - 1);
        const size_t length = static_cast<size_t>(cursor.WordEnd - cursor.WordStart);
        Advance(done, start);
        done = start;
        if (result == WordScan::Result::TooLong) {
            FInRun = true;
            FRunLine = FLine;
            FRunColumn = FColumn;
            FRun.clear();
            FRunLength = 0;
            done = ExtendRun(start);
            if (done == FLetters.size())
                return; // may go on in the next piece
            EndRun();
            cursor.Pos = static_cast<int32_t>(done + 1);
            continue;
        }
        if (start + length == FLetters.size()) {
            FOpen = length; // may go on in the next piece
            return;
        }
        Word(start, length);
        FColumn += length; // word letters are single units
        FAfterCR = false;
        done = start + length;
    }
    Advance(done, FLetters.size());
}

void WordScanner::Finish()
{
    if (FInRun)
        EndRun();
    else if (FOpen != 0)
        Word(FUnits.size() - FOpen, FOpen);
    FOpen = 0;
}
