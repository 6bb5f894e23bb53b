#include "dictionary/EditCostRules.h"

// The Spanish children's errors. Spanish is written much as it sounds, so what children
// get wrong is the few letters that share a sound: a left-out accent (tambien), n for ñ,
// b and v, ll and y, the silent h, c, s and z, g and j, qu, k and c, r for rr.

namespace {

// Code page 437 bytes of the Spanish letters.
constexpr unsigned char AAcute = 0xA0, EAcute = 0x82, IAcute = 0xA1, OAcute = 0xA2, UAcute = 0xA3,
                        UDiaeresis = 0x81, NTilde = 0xA4;

constexpr SoundRule SoundRules[] = {
    // ll and y sound the same for most speakers.
    { "ll", "y", 0.3f },
    { "y", "ll", 0.3f },
    // The sound k: qu before e and i, c before the other vowels, k in a few loan words.
    { "qu", "k", 0.3f },
    { "qu", "c", 0.4f },
    { "qu", "q", 0.4f },
    { "c", "qu", 0.5f },
    { "k", "qu", 0.4f },
    // The silent u of gue, gui, and the w heard in hue.
    { "gu", "g", 0.4f },
    { "hue", "gue", 0.4f },
    { "hue",
      "g\x81"
      "e",
      0.4f },
    { "hue", "we", 0.4f },
    // A strong r between vowels is written rr.
    { "rr", "r", 0.3f },
    // x, cc and sc as they are heard.
    { "x", "ks", 0.4f },
    { "x", "cs", 0.4f },
    { "cc", "x", 0.4f },
    { "cc", "cs", 0.4f },
    { "sc", "s", 0.4f },
    { "sc", "c", 0.4f },
    // m before b and p, n before v.
    { "mb", "nb", 0.3f },
    { "mp", "np", 0.3f },
    { "nv", "mb", 0.4f },
};
static_assert(EditCostDetail::FitsEditCost(SoundRules));

constexpr unsigned char PlainVowel(unsigned char c)
{
    switch (c) {
    case AAcute:
        return 'a';
    case EAcute:
        return 'e';
    case IAcute:
        return 'i';
    case OAcute:
        return 'o';
    case UAcute:
    case UDiaeresis:
        return 'u';
    default:
        return c;
    }
}

constexpr bool IsVowel(unsigned char c)
{
    const unsigned char plain = PlainVowel(c);
    return plain == 'a' || plain == 'e' || plain == 'i' || plain == 'o' || plain == 'u';
}

// Letters that share a sound in Spanish, or (b and d) are mirror images.
constexpr bool SoundAlike(unsigned char a, unsigned char b)
{
    constexpr std::string_view pairs[] = { "cs", "cz", "sz", "ck", "kq", "gj", "iy", "xs", "bd" };
    return EditCostDetail::IsPair(pairs, a, b);
}

constexpr float Substitution(unsigned char wordLetter, unsigned char typedLetter)
{
    if (wordLetter == typedLetter)
        return 0.0f;
    // The accent left out: the commonest error of all, and never a different sound.
    if (PlainVowel(wordLetter) == typedLetter && IsVowel(typedLetter))
        return 0.15f;
    if (wordLetter == NTilde && typedLetter == 'n')
        return 0.2f;
    // An accent where the word has none, or on the wrong vowel.
    if (PlainVowel(typedLetter) == wordLetter && IsVowel(wordLetter))
        return 0.3f;
    if ((wordLetter == 'b' && typedLetter == 'v') || (wordLetter == 'v' && typedLetter == 'b'))
        return 0.3f;
    if (wordLetter == 'n' && typedLetter == NTilde)
        return 0.4f;
    if (SoundAlike(wordLetter, typedLetter))
        return 0.4f;
    if (IsVowel(wordLetter) && IsVowel(typedLetter))
        return PlainVowel(wordLetter) == PlainVowel(typedLetter) ? 0.3f : 0.5f;
    if ((wordLetter == 'm' && typedLetter == 'n') || (wordLetter == 'n' && typedLetter == 'm'))
        return 0.5f;
    return 1.0f;
}

// The silent h is the letter most often left out; then one of a double (rr, ll, cc).
constexpr float Omitted(unsigned char letter, bool doubled)
{
    if (letter == 'h')
        return 0.3f;
    if (doubled)
        return 0.4f;
    if (IsVowel(letter))
        return 0.7f;
    return 1.0f;
}

// An h where none is written ("hera", "hechar") is the usual added letter.
float Extra(unsigned char letter, bool doubled)
{
    if (letter == 'h')
        return 0.4f;
    if (doubled)
        return 0.4f;
    return IsVowel(letter) ? 0.7f : 1.0f;
}

// The first letter as it is heard: b and v, c, k, q, s and z, g and j, ll and y sound
// alike, and a silent h, written or left out, leaves the letter after it first.
bool SameStart(std::string_view word, std::string_view typed)
{
    const auto w = static_cast<unsigned char>(word[0]), t = static_cast<unsigned char>(typed[0]);
    if (w == t)
        return true;
    if (w == 'h')
        return word.size() < 2 || word[1] == typed[0];
    if (t == 'h')
        return typed.size() >= 2 && typed[1] == word[0];
    constexpr std::string_view groups[] = { "bv", "ckqsz", "gj", "ly" };
    for (std::string_view g : groups) {
        if (g.find(char(w)) != std::string_view::npos && g.find(char(t)) != std::string_view::npos)
            return true;
    }
    return false;
}

} // namespace

const EditCostRules &SpanishEditCostRules()
{
    return EditCostDetail::MakeRules<SoundRules, Substitution, Omitted, Extra, SameStart>();
}
