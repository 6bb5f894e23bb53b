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
    std::span<const SoundRule> sounds;
    // The cost of typing typedLetter for wordLetter, and the same for the first 128 letters
    // in a table of twentieths of an edit, worked out at compile time.
    float (*substitution)(unsigned char wordLetter, unsigned char typedLetter);
    using AsciiSubstitutionTable = std::array<std::array<uint8_t, 128>, 128>;
    const AsciiSubstitutionTable *asciiSubstitution;
    // [doubled][letter]: a letter of the word left out; doubled: it repeats the letter
    // before it. A table, for the walk of the letter tree asks for it at every letter.
    using OmittedTable = std::array<std::array<float, 256>, 2>;
    const OmittedTable *omitted;
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

// Whether a and b, either way round, are one of the two-letter pairs.
constexpr bool IsPair(std::span<const std::string_view> pairs, unsigned char a, unsigned char b)
{
    for (std::string_view p : pairs) {
        if ((a == static_cast<unsigned char>(p[0]) && b == static_cast<unsigned char>(p[1]))
            || (a == static_cast<unsigned char>(p[1]) && b == static_cast<unsigned char>(p[0])))
            return true;
    }
    return false;
}

// The table of substitution costs of the first 128 letters, in twentieths.
template<typename Cost>
constexpr EditCostRules::AsciiSubstitutionTable MakeAsciiSubstitutionTable(Cost cost)
{
    EditCostRules::AsciiSubstitutionTable t {};
    for (unsigned a = 0; a < 128; ++a) {
        for (unsigned b = 0; b < 128; ++b)
            t[a][b] = uint8_t(
                cost(static_cast<unsigned char>(a), static_cast<unsigned char>(b)) * 20.0f + 0.5f);
    }
    return t;
}

// The table of omitted(letter, doubled) for every letter.
template<typename Cost> constexpr EditCostRules::OmittedTable MakeOmittedTable(Cost omitted)
{
    EditCostRules::OmittedTable t {};
    for (unsigned letter = 0; letter < 256; ++letter) {
        t[0][letter] = omitted(static_cast<unsigned char>(letter), false);
        t[1][letter] = omitted(static_cast<unsigned char>(letter), true);
    }
    return t;
}

// The rules of one language from its parts. The tables are worked out on first use: at
// compile time they would pass clang's limit of steps. Each language's parts make their
// own instance, and so their own tables.
template<const auto &Sounds, auto Substitution, auto Omitted, auto Extra, auto SameStart>
const EditCostRules &MakeRules()
{
    static const EditCostRules::AsciiSubstitutionTable asciiSubstitutions
        = MakeAsciiSubstitutionTable(Substitution);
    static const EditCostRules::OmittedTable omissions = MakeOmittedTable(Omitted);
    static const EditCostRules rules = {
        Sounds, Substitution, &asciiSubstitutions, &omissions,
        Extra,  SameStart,    LowestCost(Sounds),  LongestWordSide(Sounds),
    };
    return rules;
}

} // namespace EditCostDetail
