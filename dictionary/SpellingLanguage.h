#pragma once
// The language a dictionary's words are in, which decides how the children's ranking
// weighs a child's errors and which of its tables it reads.

#include <string_view>

enum class SpellingLanguage {
    English,
    Spanish,
};

// The language of a dictionary file, from its name: ESPANOL.DCT (or SPANISH.DCT, any
// letter case, in any folder) is Spanish, every other name English.
SpellingLanguage LanguageOfDictionary(std::string_view fileName);
