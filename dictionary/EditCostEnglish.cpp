#include "dictionary/EditCostRules.h"

// The English children's errors: spellings of a sound, silent letters, vowels for vowels.

namespace {

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
static_assert(EditCostDetail::FitsEditCost(SoundRules));

constexpr bool IsVowel(unsigned char c)
{
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

// Letters children mix up: they sound alike, or (b and d) are mirror images.
constexpr bool SoundAlike(unsigned char a, unsigned char b)
{
    constexpr std::string_view pairs[]
        = { "ck", "cs", "sz", "kq", "gj", "iy", "ey", "fv", "dt", "xz", "bd" };
    return EditCostDetail::IsPair(pairs, a, b);
}

constexpr float Substitution(unsigned char wordLetter, unsigned char typedLetter)
{
    if (wordLetter == typedLetter)
        return 0.0f;
    if ((IsVowel(wordLetter) && IsVowel(typedLetter)) || SoundAlike(wordLetter, typedLetter))
        return 0.5f;
    return 1.0f;
}

// Cheap when it is one of a double, an apostrophe, a vowel or a letter that is often
// silent.
constexpr float Omitted(unsigned char letter, bool doubled)
{
    if (doubled)
        return 0.4f;
    if (letter == '\'')
        return 0.3f;
    if (IsVowel(letter) || letter == 'h' || letter == 'w' || letter == 'k')
        return 0.7f;
    return 1.0f;
}

// Cheap when it doubles a neighbour or is a vowel.
float Extra(unsigned char letter, bool doubled)
{
    return doubled ? 0.4f : letter == '\'' ? 0.3f : IsVowel(letter) ? 0.7f : 1.0f;
}

// The first letter as it is written.
bool SameStart(std::string_view word, std::string_view typed)
{
    return word[0] == typed[0];
}

} // namespace

const EditCostRules &EnglishEditCostRules()
{
    return EditCostDetail::MakeRules<SoundRules, Substitution, Omitted, Extra, SameStart>();
}
