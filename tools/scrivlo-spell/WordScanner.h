#pragma once
// Walks a text given piece by piece as UTF-16 code units and hands on every word worth
// checking with its line and column. Words never need to fit in one piece.

#include <cstddef>
#include <cstdint>
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
    static constexpr size_t MaxRun = 50; // this many word characters in a row are no word

    explicit WordScanner(WordSink &sink);

    // Scans the next piece of the text; false once a too-long run has stopped the scan.
    // Line ends are LF, CR LF and a lone CR, also when CR and LF arrive in two pieces.
    bool Feed(std::u16string_view units);
    // The text has ended: hands on the word still open.
    void Finish();
    bool Stopped() const { return FStopped; }

private:
    void EndWord();

    WordSink &FSink;
    const unsigned char *FWordLetter;
    uint64_t FLine = 1;
    uint64_t FColumn = 1; // of the next unit
    bool FAfterCR = false;
    bool FStopped = false;

    size_t FLength = 0; // of the open word
    uint64_t FWordLine = 0;
    uint64_t FWordColumn = 0;
    char FLetters[MaxRun];
    char16_t FUnits[MaxRun];
};
