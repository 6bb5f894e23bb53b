#include "spell/core/WordRule.h"

#include "spell/core/WordScan.h"

#include <algorithm>

namespace WordRule {

bool IsAllUpperCase(std::string_view word)
{
    return std::none_of(word.begin(), word.end(), [](char ch) { return ch >= 'a' && ch <= 'z'; });
}

bool HasDigit(std::string_view word)
{
    return std::any_of(word.begin(), word.end(),
                       [](char ch) { return WordScan::IsDigit(static_cast<unsigned char>(ch)); });
}

bool IsAllDigits(std::string_view word)
{
    return std::all_of(word.begin(), word.end(),
                       [](char ch) { return WordScan::IsDigit(static_cast<unsigned char>(ch)); });
}

bool PassesScanFilters(std::string_view word, Options options)
{
    return (!options.IgnoreAllUpperCase || !IsAllUpperCase(word))
        && (!options.IgnoreWithNumbers || !HasDigit(word));
}

bool NeedsLookup(std::string_view word, bool allDigits)
{
    return word.size() >= 2 && !allDigits;
}

bool IsChecked(std::string_view word, Options options)
{
    return PassesScanFilters(word, options) && NeedsLookup(word, IsAllDigits(word));
}

} // namespace WordRule
