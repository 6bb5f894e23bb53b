#include "dictionary/EditCost.h"

#include "dictionary/EditCostRules.h"

#include <algorithm>
#include <cstdint>

namespace {

constexpr float SwapCost = 0.8f;
// More than any cost the rows can hold.
constexpr float Unreachable = 1e9f;

// Whether the count letters at word end with (or, below, begin) text; rules are short, so
// a plain loop beats a call to memcmp.
bool EndsWith(const unsigned char *word, size_t count, std::string_view text)
{
    if (text.size() > count)
        return false;
    const unsigned char *from = word + count - text.size();
    for (size_t k = 0; k < text.size(); ++k) {
        if (from[k] != static_cast<unsigned char>(text[k]))
            return false;
    }
    return true;
}
bool StartsWith(std::string_view text, const unsigned char *letters, size_t count)
{
    for (size_t k = 0; k < count; ++k) {
        if (static_cast<unsigned char>(text[k]) != letters[k])
            return false;
    }
    return true;
}

} // namespace

EditCost::EditCost(std::string_view typed, SpellingLanguage language)
    : FRules(EditCostRulesFor(language))
    , FTyped(typed.substr(0, Dct::WordMax))
{
    const size_t n = FTyped.size();
    FRows[0][0] = 0.0f;
    for (size_t i = 1; i <= n; ++i) {
        const auto c = static_cast<unsigned char>(FTyped[i - 1]);
        const bool doubled
            = (i >= 2 && FTyped[i - 2] == FTyped[i - 1]) || (i < n && FTyped[i] == FTyped[i - 1]);
        FExtra[i] = FRules.extra(c, doubled);
        FRows[0][i] = FRows[0][i - 1] + FExtra[i];
    }
    FRowLowest[0] = 0.0f;
    // Where each rule's typed side ends in the typed word; the rules that never apply are
    // left out of the lists Push and Floor go through.
    const auto rules = FRules.sounds;
    for (size_t r = 0; r < rules.size(); ++r) {
        const std::string_view side = rules[r].typed;
        uint64_t ends = 0;
        if (side.empty()) {
            ends = n == 0 ? 0 : (~uint64_t(0) >> (63 - n)) & ~uint64_t(1); // bits 1..n
        } else {
            for (size_t at = FTyped.find(side); at != std::string_view::npos;
                 at = FTyped.find(side, at + 1))
                ends |= uint64_t(1) << (at + side.size());
        }
        FTypedEnds[r] = ends;
        if (ends == 0)
            continue;
        const std::string_view w = rules[r].word;
        FApplyingByLast.Add(static_cast<unsigned char>(w.back()), r);
        FApplyingByFirst.Add(static_cast<unsigned char>(w.front()), r);
    }
}

const float *EditCost::SubstitutionRow(unsigned char letter)
{
    float *row = FSubstitution[letter].data();
    if (!FSubstitutionReady[letter]) {
        for (size_t i = 0; i < FTyped.size(); ++i) {
            const auto typedLetter = static_cast<unsigned char>(FTyped[i]);
            row[i] = letter < 128 && typedLetter < 128
                ? float((*FRules.asciiSubstitution)[letter][typedLetter]) / 20.0f
                : FRules.substitution(letter, typedLetter);
        }
        FSubstitutionReady[letter] = true;
    }
    return row;
}

void EditCost::Push(unsigned char letter)
{
    const int j = ++FLength;
    FWord[size_t(j - 1)] = letter;
    const size_t n = FTyped.size();
    auto &row = FRows[size_t(j)];
    const auto &above = FRows[size_t(j - 1)];

    // A left-out letter of the word.
    const float omit = (*FRules.omitted)[j >= 2 && FWord[size_t(j - 2)] == letter][letter];

    // The sound rules whose word side ends with this letter, with the typed positions
    // where each applies.
    struct Jump
    {
        size_t wordLength, typedLength;
        float cost;
        uint64_t ends;
    };
    Jump jumps[32];
    size_t jumpCount = 0;
    uint64_t jumpEnds = 0;
    const uint8_t *applying = FApplyingByLast.rules[letter].data();
    for (size_t k = 0; k < FApplyingByLast.count[letter]; ++k) {
        const size_t r = applying[k];
        const SoundRule &rule = FRules.sounds[r];
        if (EndsWith(FWord.data(), size_t(j), rule.word)) {
            jumps[jumpCount++] = { rule.word.size(), rule.typed.size(), rule.cost, FTypedEnds[r] };
            jumpEnds |= FTypedEnds[r];
        }
    }
    const float *subst = SubstitutionRow(letter);

    // A swap of neighbours needs the word's letter before this one typed right after it.
    const unsigned char before = j >= 2 ? FWord[size_t(j - 2)] : 0;
    row[0] = above[0] + omit;
    float lowest = row[0];
    // A later swap takes this letter as typed one place on, from the row before.
    float swapFrom = Unreachable;
    for (size_t i = 1; i <= n; ++i) {
        const auto typedLetter = static_cast<unsigned char>(FTyped[i - 1]);
        float best = above[i - 1] + subst[i - 1];
        best = std::min(best, above[i] + omit);
        best = std::min(best, row[i - 1] + FExtra[i]);
        if (before == typedLetter && i >= 2 && letter == static_cast<unsigned char>(FTyped[i - 2])
            && letter != typedLetter)
            best = std::min(best, FRows[size_t(j - 2)][i - 2] + SwapCost);
        if (jumpEnds & (uint64_t(1) << i)) {
            for (size_t k = 0; k < jumpCount; ++k) {
                const Jump &jump = jumps[k];
                if (jump.ends & (uint64_t(1) << i))
                    best = std::min(
                        best, FRows[size_t(j) - jump.wordLength][i - jump.typedLength] + jump.cost);
            }
        }
        row[i] = best;
        lowest = std::min(lowest, best);
        if (typedLetter == letter && i >= 2)
            swapFrom = std::min(swapFrom, above[i - 2]);
    }
    FRowLowest[size_t(j)] = lowest;
    FNearFloor[size_t(j)] = std::min(lowest, swapFrom + SwapCost);
    FFloorKnown &= ~(uint64_t(1) << j);
}

float EditCost::Floor() const
{
    const int j = FLength;
    if ((FFloorKnown >> j & 1) == 0) {
        FFloor[size_t(j)] = WorkOutFloor();
        FFloorKnown |= uint64_t(1) << j;
    }
    return FFloor[size_t(j)];
}

float EditCost::WorkOutFloor() const
{
    // Later rows grow from this one, or jump over it: from the row before by a swap, or
    // from an earlier row by a sound rule whose word side starts with the letters since.
    const int j = FLength;
    float floor = FNearFloor[size_t(j)];
    for (int r = std::max(0, j - FRules.soundReach + 1); r < j; ++r) {
        if (FRowLowest[size_t(r)] + FRules.lowestSoundCost >= floor)
            continue;
        const size_t since = size_t(j - r); // letters of the word since row r
        const unsigned char first = FWord[size_t(r)];
        const uint8_t *applying = FApplyingByFirst.rules[first].data();
        for (size_t k = 0; k < FApplyingByFirst.count[first]; ++k) {
            const SoundRule &rule = FRules.sounds[applying[k]];
            if (rule.word.size() > since && StartsWith(rule.word, &FWord[size_t(r)], since))
                floor = std::min(floor, FRowLowest[size_t(r)] + rule.cost);
        }
    }
    return floor;
}

float EditCost::Between(std::string_view word)
{
    FLength = 0;
    for (char c : word.substr(0, Dct::WordMax))
        Push(static_cast<unsigned char>(c));
    return Cost();
}
