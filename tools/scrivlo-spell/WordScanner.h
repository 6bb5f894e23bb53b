#pragma once
// Walks a text given piece by piece as UTF-16 code units and hands on every word worth
// checking with its line and column. Words never need to fit in one piece. The words are
// found by the spell check's own word rule, over the code page 1252 view of the text that
// the editor's check scans too.

#include "spell/core/WordScan.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct ScannedWord
{
    std::string_view letters; // code page 1252, as the dictionary takes it
    std::u16string_view text; // the word as it stands in the text
    uint64_t line; // 1-based
    uint64_t column; // 1-based, in characters (code points) of the line
};

class WordSink
{
public:
    virtual ~WordSink() = default;
    // A word of 2 to 49 characters that is not made of digits only.
    virtual void Word(const ScannedWord &word) = 0;
    // A run of 50 or more word characters (a checksum, a hex dump) is no word; the scan
    // goes on after it. run.text holds at most its first MaxRunShown characters, run.letters
    // nothing; length is the whole run's.
    virtual void LongRun(const ScannedWord &run, uint64_t length) = 0;
};

class WordScanner
{
public:
    static constexpr size_t MaxRun = WordScan::MaxRun; // this many in a row are no word
    static constexpr size_t MaxRunShown = 256; // memory stays flat however long a run is

    explicit WordScanner(WordSink &sink);

    // Scans the next piece of the text. Line ends are LF, CR LF and a lone CR, also when
    // CR and LF arrive in two pieces.
    void Feed(std::u16string_view units);
    // The text has ended: hands on the word or run still open.
    void Finish();

private:
    // Hands on a word of the view at index..index+length unless it is too short or digits.
    void Word(size_t index, size_t length);
    // Moves the line and column over view units from..to, none of them word letters.
    void Advance(size_t from, size_t to);
    // Adds the word letters of the view from index on to the open long run; returns the
    // index after them.
    size_t ExtendRun(size_t index);
    // Hands on the long run and moves the column past it.
    void EndRun();

    WordSink &FSink;
    const unsigned char *FWordLetter;
    // Line and column of the view's first unit, and whether the unit before it was a CR.
    uint64_t FLine = 1;
    uint64_t FColumn = 1;
    bool FAfterCR = false;

    // A long run still open at the end of the last piece: where it starts, its first
    // characters and its whole length.
    bool FInRun = false;
    uint64_t FRunLine = 0;
    uint64_t FRunColumn = 0;
    std::u16string FRun;
    uint64_t FRunLength = 0;

    // The view being scanned: the word left open by the last piece, then this piece.
    std::u16string FUnits;
    std::string FLetters; // one code page 1252 byte per unit; ' ' for every non-letter
    size_t FOpen = 0; // length of the open word at the start of the view
};
