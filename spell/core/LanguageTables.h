#pragma once
// The texts of the spelling dialog and of the check's messages in each language of the
// interface, as UTF-8. "%s" in the word messages stands for the word concerned; an "&"
// marks the access key of a label.

#include "spell/core/SpellTypes.h"

#include <string_view>

namespace LanguageTables {

constexpr int LabelCount = 15;

std::string_view Caption(TLanguages language);
// Labels 0..14; an index outside that range gives an empty text.
std::string_view Label(TLanguages language, int index);
// The label of the asked word for a kind of question; Label(language, 1) for an unknown word.
std::string_view QueryLabel(TLanguages language, TQueryKind kind);
std::string_view AddWordQuestion(TLanguages language);
std::string_view AlreadyKnownMessage(TLanguages language);
// The message that ends a check with this outcome; empty for ssCancelled.
std::string_view CompletionMessage(TLanguages language, TSpellState state);
// Held for a check that stops early; no operation shows it.
std::string_view AbortedMessage(TLanguages language);

// The template with every "%s" replaced by word; the word is never read as a template.
std::string FormatWord(std::string_view templ, std::string_view word);

} // namespace LanguageTables
