#include "dictionary/WordPrior.h"

#include "dictionary/DctFormat.h"
#include "platform/core/CodePages.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <algorithm>
#include <charconv>

namespace {

// The code page 437 form of a UTF-8 word and its lower case (as the dictionary file holds
// it); false when a character has no place in the code page.
bool ToOem(std::string_view utf8, std::string &shown, std::string &key)
{
    // Printable ASCII, nearly every line, is the same in code page 437.
    if (!utf8.empty() && utf8.size() <= Dct::WordMax
        && std::all_of(utf8.begin(), utf8.end(), [](char c) { return c >= ' ' && c <= '~'; })) {
        shown.assign(utf8);
        key.assign(utf8);
        for (char &c : key)
            c = c >= 'A' && c <= 'Z' ? char(c + 32) : c;
        return true;
    }
    std::u16string units;
    if (!CodePages::DecodeUtf8(utf8, units) || units.empty() || units.size() > Dct::WordMax)
        return false;
    shown.clear();
    key.clear();
    for (char16_t unit : units) {
        const char16_t lower
            = (unit >= 'A' && unit <= 'Z') || (unit >= 0xC0 && unit <= 0xDE && unit != 0xD7)
            ? char16_t(unit + 32)
            : unit;
        const int asShown = CodePages::UnicodeToOem(unit);
        const int asKey = CodePages::UnicodeToOem(lower);
        if (asShown < 0 || asKey < 0)
            return false;
        shown.push_back(char(asShown));
        key.push_back(char(asKey));
    }
    return true;
}

} // namespace

size_t WordPrior::Load(std::string_view text)
{
    FText.clear();
    FEntries.clear();
    size_t skipped = 0;
    std::string shown, key;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const size_t tab = line.find('\t');
        const size_t tab2 = tab == std::string_view::npos ? tab : line.find('\t', tab + 1);
        const std::string_view word = line.substr(0, tab);
        const std::string_view costText = tab == std::string_view::npos
            ? std::string_view()
            : line.substr(tab + 1, tab2 - tab - 1);
        const std::string_view flag
            = tab2 == std::string_view::npos ? std::string_view() : line.substr(tab2 + 1);
        unsigned cost = 0;
        const auto [ptr, ec]
            = std::from_chars(costText.data(), costText.data() + costText.size(), cost);
        if (costText.empty() || ec != std::errc() || ptr != costText.data() + costText.size()
            || cost > UnknownCost || (!flag.empty() && flag != "name")
            || !ToOem(word, shown, key)) {
            ++skipped;
            continue;
        }
        Entry e { uint32_t(FText.size()), uint32_t(FText.size()), uint8_t(key.size()),
                  uint8_t(shown.size()),  uint8_t(cost),          flag == "name" };
        FText += key;
        if (shown != key) {
            e.shownOffset = uint32_t(FText.size());
            FText += shown;
        }
        FEntries.push_back(e);
    }
    uint8_t lowestCost = FEntries.empty() ? 0 : UnknownCost;
    for (const Entry &e : FEntries)
        lowestCost = std::min(lowestCost, e.cost);
    FHighest = -float(lowestCost) / CostsPerDecade;
    // The table is written in order; sorting is needed only for a table made by hand.
    const auto byKey = [this](const Entry &a, const Entry &b) { return Key(a) < Key(b); };
    if (!std::is_sorted(FEntries.begin(), FEntries.end(), byKey))
        std::stable_sort(FEntries.begin(), FEntries.end(), byKey);
    return skipped;
}

bool WordPrior::LoadFromFile(const std::string &path)
{
    Load({});
    if (FileUtils::FileSize(path) > int64_t(MaxFileSize))
        throw EFOpenError("File too large: " + path);
    std::string text;
    try {
        text = FileUtils::ReadWholeFile(path);
    } catch (const EFOpenError &) {
        return false;
    }
    if (text.size() > MaxFileSize) // grown while it was read
        throw EFOpenError("File too large: " + path);
    Load(text);
    return true;
}

WordPrior::Facts WordPrior::Lookup(std::string_view lowerWord, size_t &cursor) const
{
    // Words asked for in order are each found a few entries past the one before: a search
    // that starts at the cursor with growing steps finds them in a handful of comparisons.
    const size_t count = FEntries.size();
    if (cursor > count || (cursor > 0 && Key(FEntries[cursor - 1]) >= lowerWord))
        cursor = 0;
    size_t step = 1;
    while (cursor + step <= count && Key(FEntries[cursor + step - 1]) < lowerWord) {
        cursor += step;
        step *= 2;
    }
    const auto end = FEntries.begin() + std::ptrdiff_t(std::min(cursor + step, count));
    const auto it
        = std::lower_bound(FEntries.begin() + std::ptrdiff_t(cursor), end, lowerWord,
                           [this](const Entry &e, std::string_view w) { return Key(e) < w; });
    cursor = size_t(it - FEntries.begin());
    return it != FEntries.end() && Key(*it) == lowerWord
        ? FactsOf(*it)
        : Facts { FloorLogProbability, false, false };
}

WordPrior::Facts WordPrior::FactsOf(const Entry &e)
{
    return { e.cost == UnknownCost ? FloorLogProbability : -float(e.cost) / CostsPerDecade, true,
             e.nameOnly };
}

const WordPrior::Entry *WordPrior::Find(std::string_view lowerWord) const
{
    const auto it
        = std::lower_bound(FEntries.begin(), FEntries.end(), lowerWord,
                           [this](const Entry &e, std::string_view w) { return Key(e) < w; });
    return it != FEntries.end() && Key(*it) == lowerWord ? &*it : nullptr;
}

WordPrior::Facts WordPrior::Lookup(std::string_view lowerWord) const
{
    const Entry *e = Find(lowerWord);
    return e ? FactsOf(*e) : Facts { FloorLogProbability, false, false };
}

float WordPrior::LogProbability(std::string_view lowerWord) const
{
    const Entry *e = Find(lowerWord);
    if (!e || e->cost == UnknownCost)
        return FloorLogProbability;
    return -float(e->cost) / CostsPerDecade;
}

bool WordPrior::IsNameOnly(std::string_view lowerWord) const
{
    const Entry *e = Find(lowerWord);
    return e && e->nameOnly;
}

std::string WordPrior::Shown(std::string_view lowerWord) const
{
    const Entry *e = Find(lowerWord);
    if (!e)
        return std::string(lowerWord);
    return std::string(FText.data() + e->shownOffset, e->shownLength);
}
