#pragma once
// Which words of a text the spell check looks at. F7 and checking while typing both ask
// here, so a word skipped by one is skipped by the other. Words are in code page 1252.

#include <string_view>

namespace WordRule {

struct Options
{
    bool IgnoreAllUpperCase = false; // words without a lower-case letter pass
    bool IgnoreWithNumbers = false; // words with a digit pass
};

// No lower-case ASCII letter (a word of digits and apostrophes counts as upper case).
bool IsAllUpperCase(std::string_view word);
bool HasDigit(std::string_view word);
bool IsAllDigits(std::string_view word);

// Whether the scan hands a word to the check at all.
bool PassesScanFilters(std::string_view word, Options options);
// Whether the check looks a handed word up: two characters or more, not only digits.
bool NeedsLookup(std::string_view word, bool allDigits);
// Both of the above: whether a word of the text is looked up in the word lists.
bool IsChecked(std::string_view word, Options options);

} // namespace WordRule
