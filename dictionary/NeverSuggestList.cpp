#include "dictionary/NeverSuggestList.h"

#include "dictionary/TDictionary.h"
#include "platform/core/CodePages.h"
#include "platform/core/FileUtils.h"

#include <algorithm>

bool NeverSuggestList::AddFile(const std::string &path)
{
    if (!FileUtils::FileExists(path))
        return false;
    TStringList lines;
    try {
        lines.LoadFromFile(path);
    } catch (const std::exception &) {
        return false;
    }
    for (const std::string &line : lines)
        Add(line);
    return true;
}

void NeverSuggestList::Add(std::string_view ansiWord)
{
    while (!ansiWord.empty() && (ansiWord.back() == ' ' || ansiWord.back() == '\t'))
        ansiWord.remove_suffix(1);
    if (ansiWord.empty())
        return;
    std::string word = TDictionary::LookupKey(AnsiText(ansiWord)).str();
    const auto at = std::lower_bound(FWords.begin(), FWords.end(), word);
    if (at == FWords.end() || *at != word)
        FWords.insert(at, std::move(word));
}

bool NeverSuggestList::Contains(const AnsiText &word) const
{
    return !FWords.empty() && ContainsLowerCase(TDictionary::LookupKey(word).view());
}

bool NeverSuggestList::ContainsLowerCase(std::string_view word) const
{
    auto listed = [this](std::string_view w) {
        const auto at
            = std::lower_bound(FWords.begin(), FWords.end(), w,
                               [](const std::string &a, std::string_view b) { return a < b; });
        return at != FWords.end() && *at == w;
    };
    if (listed(word))
        return true;
    const size_t space = word.find(' ');
    return space != std::string_view::npos
        && (listed(word.substr(0, space)) || listed(word.substr(space + 1)));
}
