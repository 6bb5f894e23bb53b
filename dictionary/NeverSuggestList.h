#pragma once
// Words a child is never offered: slurs, sexual and vulgar words. Suggestions, two-word
// splits and completions of the children's ranking leave them out; a word on the list is
// still accepted when it is typed, so a child is never corrected away from it.
//
// The list comes with the dictionary (NOSUGGEST.TXT beside it) and a parent may add words
// in a file of their own (USERNOSUGGEST.TXT beside the user word list). Both are text in
// code page 1252, one word a line, like the user word list; letter case does not matter.

#include "platform/core/CodePageText.h"

#include <string>
#include <string_view>
#include <vector>

class NeverSuggestList
{
public:
    // Adds the words of a file; false when it cannot be read (nothing is added).
    bool AddFile(const std::string &path);
    // Adds one word, code page 1252.
    void Add(std::string_view ansiWord);

    // Whether a word (any case) or either half of a two-word entry is listed.
    bool Contains(const AnsiText &word) const;
    // The same for a word already in lower case, code page 437; quicker.
    bool ContainsLowerCase(std::string_view lowerWord) const;
    size_t Count() const { return FWords.size(); }

private:
    std::vector<std::string> FWords; // lower case, code page 437, sorted
};
