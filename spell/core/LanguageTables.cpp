#include "spell/core/LanguageTables.h"

#include <string>

namespace LanguageTables {
namespace {

struct Texts
{
    std::string_view caption;
    std::string_view labels[LabelCount];
    std::string_view addWord;
    std::string_view alreadyKnown;
    std::string_view noErrors;
    std::string_view complete;
    std::string_view aborted;
};

constexpr Texts English {
    "Spell Checker",
    { "In Dictionary:", "Not in Dictionary:", "Change &To:", "Suggestio&ns:", "&Change",
      "C&hange All", "&Add", "&Ignore", "I&gnore All", "&Suggest", "Cancel", "AutoCorrect",
      "&Options", "&Undo Last", "Help" },
    "Add \"%s\" to dictionary?",
    "\"%s\" already in dictionary.",
    "No errors found. Spell checking complete.",
    "Spell checking complete.",
    "Spell checking aborted.",
};

constexpr Texts Spanish {
    "Verificación de Ortografía.",
    { "Encontrado:", "No Encontrado:", "Reemplazar Con:", "Sugerencias:", "Cambiar", "Cambiarlos",
      "Añadir", "Saltar", "Ignorar", "Sugerir", "Cerrar", "Corregir", "&Opciones", "Deshacer",
      "Ayuda" },
    "¿Quiere añadir \"%s\" al diccionario?",
    "\"%s\" ya está en el diccionario.",
    "Se terminó de verificar la ortografía.\rNo se encontraron errores.",
    "Se terminó de verificar la ortografía.",
    "Se detuvo la verificación de ortografía.",
};

const Texts &Of(TLanguages language)
{
    return language == lgSpanish ? Spanish : English;
}

} // namespace

std::string_view Caption(TLanguages language)
{
    return Of(language).caption;
}

std::string_view Label(TLanguages language, int index)
{
    if (index < 0 || index >= LabelCount)
        return {};
    return Of(language).labels[index];
}

std::string_view QueryLabel(TLanguages language, TQueryKind kind)
{
    const bool spanish = language == lgSpanish;
    switch (kind) {
    case qkWrongWord:
        return spanish ? "Revisa esta palabra:" : "Check this word:";
    case qkCapital:
        return spanish ? "¿Mayúscula?" : "Capital letter?";
    default:
        return Label(language, 1);
    }
}

std::string_view AddWordQuestion(TLanguages language)
{
    return Of(language).addWord;
}

std::string_view AlreadyKnownMessage(TLanguages language)
{
    return Of(language).alreadyKnown;
}

std::string_view CompletionMessage(TLanguages language, TSpellState state)
{
    switch (state) {
    case ssUnchanged:
        return Of(language).noErrors;
    case ssChanged:
        return Of(language).complete;
    default:
        return {};
    }
}

std::string_view AbortedMessage(TLanguages language)
{
    return Of(language).aborted;
}

std::string FormatWord(std::string_view templ, std::string_view word)
{
    std::string out;
    for (size_t i = 0; i < templ.size(); ++i) {
        if (templ[i] == '%' && i + 1 < templ.size() && templ[i + 1] == 's') {
            out += word;
            ++i;
        } else {
            out += templ[i];
        }
    }
    return out;
}

} // namespace LanguageTables
