#pragma once
// Splits code page 1252 text into sentences of words for the check in context. Words are
// WordScan's, without the quoting apostrophes around them ('hello' is hello). A sentence
// ends at . ! or ? followed by a space, a line end or the end of the text; at every line
// end (the checker is given paragraphs) and at a table's bar '|'. After closing quotes or
// brackets the mark ends the sentence only at a line end or the end of the text ('"Stop!"
// said Tom'). Not an end: an ellipsis, a full stop after a single letter other than "I"
// (an initial, "e.g."), or after a usual abbreviation ("Mr.", "etc."): the word after such
// a stop need not be a sentence start.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace SentenceScan {

struct Word
{
    int32_t Start = 0; // offset in the text
    int32_t Length = 0;
    std::string Lower; // lower case, code page 1252
    bool HasDigit = false;
    bool Capitalised = false; // the first letter is a capital
    bool HasCapital = false;
    bool AllCapitals = false; // more than one letter, every letter a capital
    bool Code = false; // touches a path or code character: "bin" of "/usr/bin", "x.ts"
};

struct Sentence
{
    std::vector<Word> Words;
    bool Finished = false; // ended by . ! or ?
};

std::vector<Sentence> Split(std::string_view text);

} // namespace SentenceScan
