#include "dictionary/EditCost.h"

#include <algorithm>
#include <cstdint>

namespace {

// A sound written another way: the letters of the dictionary word, what a child writes
// for them, and what that costs.
struct SoundRule
{
    std::string_view word;
    std::string_view typed;
    float cost;
};

constexpr SoundRule SoundRules[] = {
    // Silent and doubled-up letters.
    { "ph", "f", 0.3f },
    { "ph", "ff", 0.4f },
    { "kn", "n", 0.3f },
    { "wr", "r", 0.3f },
    { "wh", "w", 0.3f },
    { "gn", "n", 0.4f },
    { "mb", "m", 0.4f },
    { "ck", "k", 0.3f },
    { "ck", "c", 0.3f },
    { "c", "ck", 0.4f },
    { "k", "ck", 0.4f },
    { "tch", "ch", 0.3f },
    { "dge", "ge", 0.3f },
    { "dge", "j", 0.5f },
    { "gh", "f", 0.5f },
    { "gh", "", 0.5f },
    { "sc", "s", 0.4f },
    { "rh", "r", 0.4f },
    { "bt", "t", 0.5f },
    { "lk", "k", 0.5f },
    { "ps", "s", 0.5f },
    { "st", "s", 0.6f },
    // Long vowels and the spellings of a sound.
    { "igh", "i", 0.4f },
    { "igh", "ie", 0.4f },
    { "igh", "y", 0.5f },
    { "ight", "ite", 0.4f },
    { "ough", "o", 0.5f },
    { "ough", "ow", 0.5f },
    { "ough", "uf", 0.5f },
    { "ough", "u", 0.5f },
    { "ought", "ot", 0.5f },
    { "aught", "ot", 0.5f },
    { "augh", "af", 0.5f },
    { "au", "o", 0.4f },
    { "aw", "or", 0.4f },
    { "ai", "a", 0.4f },
    { "ay", "a", 0.4f },
    { "ea", "e", 0.4f },
    { "ee", "e", 0.4f },
    { "ie", "e", 0.4f },
    { "oa", "o", 0.4f },
    { "oe", "o", 0.4f },
    { "ue", "u", 0.4f },
    { "ew", "oo", 0.4f },
    { "ew", "u", 0.4f },
    { "oo", "u", 0.4f },
    { "u", "oo", 0.4f },
    { "ou", "ow", 0.4f },
    { "ow", "ou", 0.4f },
    { "ey", "y", 0.4f },
    { "y", "ie", 0.4f },
    { "ei", "ee", 0.4f },
    { "our", "or", 0.3f },
    { "our", "er", 0.4f },
    { "er", "a", 0.5f },
    { "ere", "ear", 0.4f },
    { "eer", "ear", 0.4f },
    { "qu", "kw", 0.4f },
    { "qu", "q", 0.4f },
    { "x", "ks", 0.3f },
    { "x", "cks", 0.4f },
    { "ch", "sh", 0.5f },
    { "sh", "ch", 0.5f },
    { "th", "f", 0.6f },
    { "th", "d", 0.6f },
    { "th", "t", 0.4f },
    { "wa", "wo", 0.4f },
    // Endings.
    { "tion", "shun", 0.5f },
    { "tion", "shon", 0.4f },
    { "tion", "sion", 0.3f },
    { "sion", "shun", 0.5f },
    { "sion", "tion", 0.3f },
    { "cian", "shun", 0.5f },
    { "ture", "cher", 0.5f },
    { "ture", "chur", 0.5f },
    { "ed", "t", 0.4f },
    { "ed", "d", 0.3f },
    { "le", "el", 0.3f },
    { "le", "ul", 0.4f },
    { "el", "le", 0.3f },
    { "al", "le", 0.4f },
    { "ous", "us", 0.3f },
    { "ious", "us", 0.5f },
    { "ence", "ance", 0.3f },
    { "ance", "ence", 0.3f },
    { "ible", "able", 0.3f },
    { "able", "ible", 0.3f },
    { "ful", "full", 0.3f },
    { "ly", "ley", 0.4f },
    { "ies", "ys", 0.3f },
    { "y", "ee", 0.4f },
    { "ey", "ee", 0.4f },
    { "ie", "ee", 0.4f },
    { "x", "gs", 0.4f },
};

constexpr size_t RuleCount = std::size(SoundRules);

constexpr int LongestRuleWord()
{
    size_t longest = 0;
    for (const SoundRule &rule : SoundRules)
        longest = std::max(longest, rule.word.size());
    return int(longest);
}
constexpr int RuleReach = LongestRuleWord();

// The most rules that share the first or the last letter of their word side: the size of
// EditCost's per-letter lists.
constexpr size_t MostRulesPerLetter(bool byLast)
{
    std::array<size_t, 128> count {};
    size_t most = 0;
    for (const SoundRule &rule : SoundRules) {
        const auto letter
            = static_cast<unsigned char>(byLast ? rule.word.back() : rule.word.front());
        most = std::max(most, ++count[letter]);
    }
    return most;
}
static_assert(MostRulesPerLetter(true) <= 32 && MostRulesPerLetter(false) <= 32);

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

constexpr bool IsVowel(unsigned char c)
{
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// Letters children mix up: they sound alike, or (b and d) are mirror images.
constexpr bool SoundAlike(unsigned char a, unsigned char b)
{
    constexpr std::string_view pairs[]
        = { "ck", "cs", "sz", "kq", "gj", "iy", "ey", "fv", "dt", "xz", "bd" };
    for (std::string_view p : pairs) {
        if ((a == p[0] && b == p[1]) || (a == p[1] && b == p[0]))
            return true;
    }
    return false;
}

constexpr float Substitution(unsigned char wordLetter, unsigned char typedLetter)
{
    if (wordLetter == typedLetter)
        return 0.0f;
    if ((IsVowel(wordLetter) && IsVowel(typedLetter)) || SoundAlike(wordLetter, typedLetter))
        return 0.5f;
    return 1.0f;
}

// Substitution of the first 128 letters, in halves, worked out at compile time.
constexpr std::array<std::array<uint8_t, 128>, 128> MakeSubstitutionHalves()
{
    std::array<std::array<uint8_t, 128>, 128> t {};
    for (unsigned a = 0; a < 128; ++a) {
        for (unsigned b = 0; b < 128; ++b)
            t[a][b] = uint8_t(
                Substitution(static_cast<unsigned char>(a), static_cast<unsigned char>(b)) * 2.0f);
    }
    return t;
}
constexpr auto SubstitutionHalves = MakeSubstitutionHalves();

} // namespace

EditCost::EditCost(std::string_view typed)
    : FTyped(typed.substr(0, Dct::WordMax))
{
    const size_t n = FTyped.size();
    FRows[0][0] = 0.0f;
    for (size_t i = 1; i <= n; ++i) {
        // An extra typed letter: cheap when it doubles a neighbour or is a vowel.
        const auto c = static_cast<unsigned char>(FTyped[i - 1]);
        const bool doubled
            = (i >= 2 && FTyped[i - 2] == FTyped[i - 1]) || (i < n && FTyped[i] == FTyped[i - 1]);
        FExtra[i] = doubled ? 0.4f : c == '\'' ? 0.3f : IsVowel(c) ? 0.7f : 1.0f;
        FRows[0][i] = FRows[0][i - 1] + FExtra[i];
    }
    FRowLowest[0] = 0.0f;
    // Where each rule's typed side ends in the typed word; the rules that never apply are
    // left out of the lists Push and Floor go through.
    for (size_t r = 0; r < RuleCount; ++r) {
        const std::string_view side = SoundRules[r].typed;
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
        const std::string_view w = SoundRules[r].word;
        RuleList &byLast = FApplyingByLast[static_cast<unsigned char>(w.back())];
        RuleList &byFirst = FApplyingByFirst[static_cast<unsigned char>(w.front())];
        byLast.rules[byLast.count++] = uint8_t(r);
        byFirst.rules[byFirst.count++] = uint8_t(r);
    }
}

const float *EditCost::SubstitutionRow(unsigned char letter)
{
    float *row = FSubstitution[letter].data();
    if (!FSubstitutionReady[letter]) {
        for (size_t i = 0; i < FTyped.size(); ++i) {
            const auto typedLetter = static_cast<unsigned char>(FTyped[i]);
            row[i] = typedLetter < 128 ? 0.5f * SubstitutionHalves[letter][typedLetter]
                                       : Substitution(letter, typedLetter);
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

    // A left-out letter of the word: cheap when it is one of a double, an apostrophe, a
    // vowel or a letter that is often silent.
    float omit = 1.0f;
    if (j >= 2 && FWord[size_t(j - 2)] == letter)
        omit = 0.4f;
    else if (letter == '\'')
        omit = 0.3f;
    else if (IsVowel(letter) || letter == 'h' || letter == 'w' || letter == 'k')
        omit = 0.7f;

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
    float substitution[Dct::WordMax];
    const float *subst = substitution;
    if (letter < 128) {
        const RuleList &applying = FApplyingByLast[letter];
        for (size_t k = 0; k < applying.count; ++k) {
            const size_t r = applying.rules[k];
            const SoundRule &rule = SoundRules[r];
            if (EndsWith(FWord.data(), size_t(j), rule.word)) {
                jumps[jumpCount++]
                    = { rule.word.size(), rule.typed.size(), rule.cost, FTypedEnds[r] };
                jumpEnds |= FTypedEnds[r];
            }
        }
        subst = SubstitutionRow(letter);
    } else {
        for (size_t i = 0; i < n; ++i)
            substitution[i] = Substitution(letter, static_cast<unsigned char>(FTyped[i]));
    }

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
    for (int r = std::max(0, j - RuleReach + 1); r < j; ++r) {
        if (FRowLowest[size_t(r)] + LowestRuleCost >= floor || FWord[size_t(r)] >= 128)
            continue;
        const size_t since = size_t(j - r); // letters of the word since row r
        const RuleList &applying = FApplyingByFirst[FWord[size_t(r)]];
        for (size_t k = 0; k < applying.count; ++k) {
            const SoundRule &rule = SoundRules[applying.rules[k]];
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
