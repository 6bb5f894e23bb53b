// The interface texts: exact entries, the code page 1252 letters of the Spanish ones, and
// the word put into a message never read as a template.

#include "spell/core/LanguageTables.h"

#include "platform/core/CodePages.h"

#include <gtest/gtest.h>
#include <string>

namespace {
// The code page 1252 bytes of a UTF-8 text.
std::string Ansi(std::string_view utf8)
{
    std::u16string units;
    EXPECT_TRUE(CodePages::DecodeUtf8(utf8, units));
    return CodePages::Utf16ToAnsi(units).str();
}
} // namespace

TEST(LanguageTables, SpanishTextsUseCodePage1252Letters)
{
    EXPECT_EQ(Ansi(LanguageTables::Label(lgSpanish, 6)),
              "A\xF1"
              "adir");
    EXPECT_EQ(Ansi(LanguageTables::Caption(lgSpanish)),
              "Verificaci\xF3n de Ortograf\xED"
              "a.");
    EXPECT_EQ(static_cast<unsigned char>(Ansi(LanguageTables::AddWordQuestion(lgSpanish))[0]),
              0xBF);
    EXPECT_EQ(LanguageTables::CompletionMessage(lgSpanish, ssUnchanged),
              "Se termin\xC3\xB3 de verificar la ortograf\xC3\xAD"
              "a.\rNo se encontraron errores.");
}

TEST(LanguageTables, EntriesByIndexAndOutcome)
{
    EXPECT_EQ(LanguageTables::Label(lgEnglish, 4), "&Change");
    EXPECT_EQ(LanguageTables::Label(lgEnglish, 14), "Help");
    EXPECT_EQ(LanguageTables::Label(lgSpanish, 7), "Saltar");
    EXPECT_EQ(LanguageTables::Label(lgSpanish, 8), "Ignorar");
    EXPECT_EQ(LanguageTables::Label(lgEnglish, 15), "");
    EXPECT_EQ(LanguageTables::CompletionMessage(lgEnglish, ssChanged), "Spell checking complete.");
    EXPECT_EQ(LanguageTables::CompletionMessage(lgEnglish, ssCancelled), "");
}

TEST(LanguageTables, TheWordIsNeverATemplate)
{
    EXPECT_EQ(LanguageTables::FormatWord(LanguageTables::AddWordQuestion(lgEnglish), "50%s"),
              "Add \"50%s\" to dictionary?");
    EXPECT_EQ(LanguageTables::FormatWord(LanguageTables::AlreadyKnownMessage(lgEnglish), "%d"),
              "\"%d\" already in dictionary.");
}
