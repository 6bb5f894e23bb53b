#include "dictionary/SpellingLanguage.h"

#include <cctype>
#include <string>

SpellingLanguage LanguageOfDictionary(std::string_view fileName)
{
    std::string_view base = fileName.substr(fileName.find_last_of('/') + 1);
    base = base.substr(0, base.find('.'));
    std::string upper;
    for (char c : base)
        upper.push_back(char(std::toupper(static_cast<unsigned char>(c))));
    return upper == "ESPANOL" || upper == "SPANISH" ? SpellingLanguage::Spanish
                                                    : SpellingLanguage::English;
}
