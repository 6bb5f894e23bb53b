#pragma once
// How far a word a child typed is from a dictionary word, in the errors children make: a
// Damerau-Levenshtein distance in which likely slips cost less than one edit. Swapping two
// vowels, c for k, a left-out letter of a double, a missing apostrophe, or writing a sound
// the way it is heard ("fone" for "phone", "nife" for "knife") all cost well under 1.
//
// The cost can be worked out for a whole pair (Between) or one letter of the dictionary word
// at a time (Push/Pop), which lets a walk of the letter tree give up on a branch as soon as
// no word below it can come within a limit.
//
// What each error costs depends on the language (EditCostRules): English by default.
//
// Words are lower case, code page 437, at most 50 letters.

#include "dictionary/DctFormat.h"
#include "dictionary/SpellingLanguage.h"

#include <array>
#include <cstdint>
#include <string_view>

struct EditCostRules;

class EditCost
{
public:
    // typed: what the child wrote.
    explicit EditCost(std::string_view typed,
                      SpellingLanguage language = SpellingLanguage::English);

    // Cost of turning word (the right spelling) into typed.
    float Between(std::string_view word);

    // Extends the word by one letter; the word so far may be at most 49 letters long.
    void Push(unsigned char letter);
    // Removes the last letter pushed.
    void Pop() { --FLength; }
    // Cost of the word pushed so far as a whole word.
    float Cost() const { return FRows[FLength][FTyped.size()]; }
    // A lower bound of the cost of every word that begins with the letters pushed so far.
    float Floor() const;
    // Whether some word that begins with the letters pushed so far may cost at most limit.
    bool CanReach(float limit) const
    {
        return FNearFloor[size_t(FLength)] <= limit || Floor() <= limit;
    }
    int Length() const { return FLength; }

private:
    // The substitution costs of letter against each typed letter, worked out on first use.
    const float *SubstitutionRow(unsigned char letter);
    // Floor of the word pushed so far, from the rows and the sound rules that jump over them.
    float WorkOutFloor() const;

    const EditCostRules &FRules;
    std::string_view FTyped;
    std::array<unsigned char, Dct::WordMax> FWord {};
    int FLength = 0;
    // FRows[j][i]: cost of turning the first j letters of the word into the first i typed.
    std::array<std::array<float, Dct::WordMax + 1>, Dct::WordMax + 1> FRows {};
    std::array<float, Dct::WordMax + 1> FRowLowest {};
    // FNearFloor[j]: the floor of row j from the row itself and a swap that follows. The
    // sound rules' part, dearer to work out and seldom lower, is added only when asked for:
    // FFloor[j] holds the whole floor once bit j of FFloorKnown is set.
    std::array<float, Dct::WordMax + 1> FNearFloor {};
    mutable std::array<float, Dct::WordMax + 1> FFloor {};
    mutable uint64_t FFloorKnown = 1;
    // Per sound rule, bit i set when the first i typed letters end with its typed side.
    std::array<uint64_t, 128> FTypedEnds {};
    // The rules whose typed side occurs in the typed word, by the last and by the first
    // letter of their word side: only these can ever apply.
    // Only the counts are cleared for each typed word; a list is read up to its count.
    struct RuleLists
    {
        std::array<uint8_t, 256> count {};
        std::array<std::array<uint8_t, 32>, 256> rules;
        void Add(unsigned char letter, size_t rule)
        {
            rules[letter][count[letter]++] = uint8_t(rule);
        }
    };
    RuleLists FApplyingByLast;
    RuleLists FApplyingByFirst;
    // The cost of an extra typed letter at each place.
    std::array<float, Dct::WordMax + 1> FExtra {};
    std::array<std::array<float, Dct::WordMax>, 256> FSubstitution;
    std::array<bool, 256> FSubstitutionReady {};
};
