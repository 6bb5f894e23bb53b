#pragma once
// The languages Scrivlo speaks. Each brings the translation of the program's own texts
// (and Qt's, for its standard dialogs), a dictionary with a list of learned words of its
// own (LearnedWordFile names it), whether the English auto-correct list applies, and the language
// of the voice.

#include "spell/core/SpellTypes.h"

#include <QLocale>

struct TInterfaceLanguage
{
    TLanguages Id;
    const char *Code; // the remembered setting, and the suffix of the translation files
    const char *NativeName; // how the Language menu names it: in its own language
    const char *Dictionary; // the spell check's DictionaryName
    bool AutoCorrect; // AUTOCORR.TXT holds English misspellings only
    QLocale::Language Voice;
};

namespace InterfaceLanguage {

extern const char *const SettingKey;
constexpr TLanguages All[] = { lgEnglish, lgSpanish };

const TInterfaceLanguage &Of(TLanguages id);
// Spanish for a Spanish locale (es_*), English for any other.
TLanguages ForLocale(const QLocale &locale);
// The language chosen last time; at the first start, the system's (LANG, LC_ALL, LC_MESSAGES).
TLanguages Saved();
void Save(TLanguages id);
// Makes the application speak id: its translators replace the earlier ones, and every
// window has had its LanguageChange by the time this returns.
void Install(TLanguages id);

} // namespace InterfaceLanguage
