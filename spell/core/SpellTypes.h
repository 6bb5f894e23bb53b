#pragma once
// Small value types shared by the spell check's buffers, controller and dialog.

#include <cstddef>
#include <cstdint>
#include <string_view>

// Where a scan starts and ends.
enum TSpellCheckMode : uint8_t { scmCheckFromStart, scmCheckFromCursor, scmCheckSelectedText };

// Outcome of a check.
enum TSpellState : uint8_t { ssUnchanged, ssChanged, ssCancelled };

// Language of the spelling dialog and of the check's messages.
enum TLanguages : uint8_t { lgEnglish, lgSpanish };

// What the spelling dialog asks about: a word the dictionary does not know, or a known
// word that the check in context flagged (the wrong word for its sentence, or one that
// needs a capital letter).
enum TQueryKind : uint8_t { qkUnknownWord, qkWrongWord, qkCapital };

// The user's decision on one word, as the spelling dialog returns it.
enum : int32_t {
    srNone = 0,
    srCancel = 2,
    srReplace = 20,
    srLearn = 21,
    srIgnore = 22,
    srIgnoreAll = 23,
    srReplaceAll = 24,
};

// Words, replacements and auto-correct lines reach the dictionary and the dialog as short
// strings: a length byte and at most this many characters.
constexpr size_t MaxShortString = 255;

inline std::string_view ShortString(std::string_view text)
{
    return text.substr(0, MaxShortString);
}
