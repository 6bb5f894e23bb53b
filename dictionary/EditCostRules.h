#pragma once
// What the children's edit cost (EditCost) charges in one language: letters mixed up, left
// out or added, and sounds written another way. Letters are code page 437 bytes.

#include "dictionary/SpellingLanguage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// A sound written another way: the letters of the dictionary word, what a child writes
// for them, and what that costs.
struct SoundRule
{
    std::string_view word;
    std::string_view typed;
    float cost;
};

struct EditCostRules
{
    // Costs are kept in twentieths of an edit.
    static constexpr float Unit = 1.0f / 20.0f;
    using SubstitutionTable = std::array<std::array<uint8_t, 256>, 256>;

    std::span<const SoundRule> sounds;
    // [word letter][typed letter]: the cost of typing the one for the other.
    const SubstitutionTable *substitution;
    // A letter of the word left out; doubled: it repeats the letter before it.
    float (*omitted)(unsigned char letter, bool doubled);
    // A typed letter the word lacks; doubled: a neighbour in the typed word is the same.
    float (*extra)(unsigned char letter, bool doubled);
    // Whether word begins with the sound typed begins with: the first letter is right as
    // a child hears it. With word a single letter: whether some word beginning with it may.
    bool (*sameStart)(std::string_view word, std::string_view typed);
    // The cheapest sound rule, and the longest word side of one.
    float lowestSoundCost;
    int soundReach;
};

const EditCostRules &EnglishEditCostRules();
const EditCostRules &SpanishEditCostRules();
inline const EditCostRules &EditCostRulesFor(SpellingLanguage language)
{
    return language == SpellingLanguage::Spanish ? SpanishEditCostRules() : EnglishEditCostRules();
}

namespace EditCostDetail {

// EditCost keeps the rules that apply to a typed word in lists of 32 by letter, and
// marks them in masks of 128.
constexpr bool FitsEditCost(std::span<const SoundRule> rules)
{
    if (rules.size() > 128)
        return false;
    std::array<size_t, 256> byFirst {}, byLast {};
    for (const SoundRule &rule : rules) {
        if (rule.word.empty() || ++byFirst[static_cast<unsigned char>(rule.word.front())] > 32
            || ++byLast[static_cast<unsigned char>(rule.word.back())] > 32)
            return false;
    }
    return true;
}

constexpr float LowestCost(std::span<const SoundRule> rules)
{
    float lowest = 1.0f;
    for (const SoundRule &rule : rules)
        lowest = std::min(lowest, rule.cost);
    return lowest;
}

constexpr int LongestWordSide(std::span<const SoundRule> rules)
{
    size_t longest = 0;
    for (const SoundRule &rule : rules)
        longest = std::max(longest, rule.word.size());
    return int(longest);
}

// A table of substitution costs in twentieths, from cost(wordLetter, typedLetter).
template<typename Cost> EditCostRules::SubstitutionTable MakeSubstitutionTable(Cost cost)
{
    EditCostRules::SubstitutionTable t {};
    for (unsigned a = 0; a < 256; ++a) {
        for (unsigned b = 0; b < 256; ++b)
            t[a][b] = uint8_t(
                cost(static_cast<unsigned char>(a), static_cast<unsigned char>(b)) * 20.0f + 0.5f);
    }
    return t;
}

} // namespace EditCostDetail
