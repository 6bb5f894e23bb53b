#pragma once
// Walks a text given piece by piece as UTF-16 code units and hands on every word worth
// checking with its line and column. Words never need to fit in one piece. The words are
// found by the spell check's own scanner, over the code page 437 view of the text that
// the editor's check scans too.

#include "spell/core/WordScan.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

struct ScannedWord
{
    std::string_view letters; // code page 437, as the dictionary takes it
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
    // The first 50 characters of a run of word characters; the scan stops after it.
    virtual void TooLong(const ScannedWord &run) = 0;
};

class WordScanner
{
public:
    static constexpr size_t MaxRun = WordScan::MaxRun; // this many in a row are no word

    explicit WordScanner(WordSink &sink);

    // Scans the next piece of the text; false once a too-long run has stopped the scan.
    // Line ends are LF, CR LF and a lone CR, also when CR and LF arrive in two pieces.
    bool Feed(std::u16string_view units);
    // The text has ended: hands on the word still open.
    void Finish();
    bool Stopped() const { return FStopped; }

private:
    // Hands on a word of the view at index..index+length unless it is too short or digits.
    void Word(size_t index, size_t length);
    // Moves the line and column over view units from..to, none of them word letters.
    void Advance(size_t from, size_t to);

    WordSink &FSink;
    const unsigned char *FWordLetter;
    // Line and column of the view's first unit, and whether the unit before it was a CR.
    uint64_t FLine = 1;
    uint64_t FColumn = 1;
    bool FAfterCR = false;
    bool FStopped = false;

    // The view being scanned: the word left open by the last piece, then this piece.
    std::u16string FUnits;
    std::string FLetters; // one code page 437 byte per unit; ' ' for every non-letter
    size_t FOpen = 0; // length of the open word at the start of the view
};
