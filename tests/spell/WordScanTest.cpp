// The shared word scanner and the buffer over a text in memory.

#include "spell/core/WordScan.h"

#include "platform/core/CodePages.h"
#include "spell/core/TPCharBuffer.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Scan
{
    std::vector<std::string> words;
    std::vector<bool> allDigits;
    std::vector<int> invalid; // lengths of the runs reported as invalid
};

// A buffer that records its invalid-word reports instead of printing them.
class RecordingBuffer : public TPCharBuffer
{
public:
    using TPCharBuffer::TPCharBuffer;
    std::vector<std::string> invalid;

protected:
    void ShowInvalidWord(const std::string &run) override { invalid.push_back(run); }
};

Scan ScanAll(std::string text, bool html = false, TSpellCheckMode mode = scmCheckFromStart)
{
    RecordingBuffer buffer(nullptr);
    buffer.Source = &text;
    buffer.SupportHTML = html;
    Scan scan;
    buffer.OnWord = [&scan](TAbsBuffer &b, const std::string &word, bool &) {
        if (!word.empty()) {
            scan.words.push_back(word);
            scan.allDigits.push_back(b.AllDigits);
        }
    };
    buffer.ScanWords(nullptr, mode);
    for (const std::string &run : buffer.invalid)
        scan.invalid.push_back(static_cast<int>(run.size()));
    return scan;
}

using Words = std::vector<std::string>;

} // namespace

// Which bytes of code page 1252 make words: apostrophe, digits, ASCII letters and the
// letters whose code page 437 form is an ASCII letter or one of 128..165.
TEST(WordScan, WordCharactersAndSeparators)
{
    struct Case
    {
        std::string text;
        Words words;
    } cases[] = {
        { "don't 'tis", { "don't", "'tis" } },
        { "well-known", { "well", "known" } },
        { "abc123 2024", { "abc123", "2024" } },
        { "caf\xe9 \xd1o\xf1o", { "caf\xe9", "\xd1o\xf1o" } }, // é, Ñ, ñ belong to words
        { "\xc1RBOL \xc9L", { "\xc1RBOL", "\xc9L" } }, // Á, which 437 lacks, and É
        { "\xbf"
          "D\xf3nde? \xa1S\xed! \xabno\xbb",
          { "D\xf3nde", "S\xed", "no" } }, // ¿ ¡ « »
        { "a\xdfz", { "a", "z" } }, // ß is 225 in code page 437, above 165: it splits
        { "  end", { "end" } },
        { "last", { "last" } }, // no separator after the last word
        { "", {} },
        { "<b>bold</b> text", { "b", "bold", "b", "text" } },
    };
    for (const Case &c : cases)
        EXPECT_EQ(ScanAll(c.text).words, c.words) << c.text;
}

TEST(WordScan, DigitOnlyWordsAreMarked)
{
    const Scan scan = ScanAll("2024 abc123 12'");
    EXPECT_EQ(scan.allDigits, (std::vector<bool> { true, false, false }));
}

// Markup between < and > is skipped; an unclosed tag runs to the end of the text.
TEST(WordScan, HtmlTagsAreSkipped)
{
    EXPECT_EQ(ScanAll("<b>bold</b> text", true).words, (Words { "bold", "text" }));
    EXPECT_EQ(ScanAll("a<b", true).words, (Words { "a" }));
    EXPECT_EQ(ScanAll("x <a href=\"y\">z", true).words, (Words { "x", "z" }));
}

// 49 word characters are a word; 50 end the scan with a report of the run.
TEST(WordScan, FiftyCharactersEndTheScan)
{
    const Scan ok = ScanAll(std::string(49, 'a') + " b");
    EXPECT_EQ(ok.words.size(), 2u);
    EXPECT_TRUE(ok.invalid.empty());
    const Scan bad = ScanAll("first " + std::string(50, 'a') + " never");
    EXPECT_EQ(bad.words, (Words { "first" }));
    EXPECT_EQ(bad.invalid, (std::vector<int> { 50 }));
}

TEST(WordScan, CarriageReturnsAreCountedWhenAsked)
{
    const char text[] = "a\r\n\r\nword";
    WordScan::Cursor cursor;
    WordScan::Next(text, sizeof text, cursor, { false, true });
    WordScan::Next(text, sizeof text, cursor, { false, true });
    EXPECT_EQ(cursor.CRCount, 2);
    EXPECT_EQ(cursor.WordStart, 6);
}

TEST(WordScan, LowerCaseFoldsAccentedCapitals)
{
    EXPECT_EQ(CodePages::LowerCase(AnsiText("CAF\xC9 \xD1\xC1")).str(), "caf\xe9 \xf1\xe1");
}

// From the cursor: the word under the caret first, then on from the top of the text up
// to and including the word that reaches the starting point again.
TEST(TPCharBuffer, CheckFromCursorWrapsAround)
{
    std::string text = "one two three four";
    struct AtCursor : TPCharBuffer
    {
        using TPCharBuffer::TPCharBuffer;
        int32_t start = 1;
        int32_t GetSelStart() override { return start; }
    } buffer(nullptr);
    buffer.Source = &text;
    Words seen;
    buffer.OnWord = [&seen](TAbsBuffer &, const std::string &w, bool &) {
        if (!w.empty())
            seen.push_back(w);
    };
    buffer.start = 10; // inside "three"
    buffer.ScanWords(nullptr, scmCheckFromCursor);
    EXPECT_EQ(seen, (Words { "three", "four", "one", "two", "three" }));

    seen.clear();
    buffer.start = 0;
    buffer.ScanWords(nullptr, scmCheckFromCursor);
    EXPECT_EQ(seen, (Words { "one", "two", "three", "four", "one" }));
}

TEST(TPCharBuffer, SelectedTextEndsAfterTheWordAcrossItsEnd)
{
    std::string text = "alpha beta gamma delta";
    struct Selected : TPCharBuffer
    {
        using TPCharBuffer::TPCharBuffer;
        int32_t GetSelStart() override { return 6; } // the space before beta
        int32_t GetSelLength() override { return 7; } // ends inside gamma
    } buffer(nullptr);
    buffer.Source = &text;
    Words seen;
    buffer.OnWord = [&seen](TAbsBuffer &, const std::string &w, bool &) { seen.push_back(w); };
    buffer.ScanWords(nullptr, scmCheckSelectedText);
    EXPECT_EQ(seen, (Words { "beta", "gamma" }));
}

TEST(TPCharBuffer, CountsWordsAndUniqueWordsIgnoringCase)
{
    std::string text = "The the THE cat";
    TPCharBuffer buffer(nullptr);
    buffer.Source = &text;
    int32_t words = -1, unique = -1;
    buffer.CountWords(nullptr, words, unique);
    EXPECT_EQ(words, 4);
    EXPECT_EQ(unique, 2);
    std::string empty;
    buffer.Source = &empty;
    buffer.CountWords(nullptr, words, unique);
    EXPECT_EQ(words, 0);
    EXPECT_EQ(unique, 0);
}

// Replacements rewrite the text in place; the scan reads the new text, and a copy
// that outgrows its reserve grows instead of overrunning.
TEST(TPCharBuffer, ReplacementsRewriteTheTextAndTheCopyGrows)
{
    std::string text = "bad good bad";
    TPCharBuffer buffer(nullptr);
    buffer.Source = &text;
    const std::string longer(5000, 'x');
    int replaced = 0;
    buffer.OnWord = [&](TAbsBuffer &b, const std::string &w, bool &) {
        if (w == "bad") {
            b.ReplaceWord(replaced++ == 0 ? std::string() : longer);
            b.SkipReplacement();
        }
    };
    buffer.ScanWords(nullptr, scmCheckFromStart);
    EXPECT_EQ(text, " good " + longer);
    EXPECT_GE(buffer.Capacity, static_cast<int32_t>(text.size()) + 1);

    std::string first = "word rest";
    buffer.Source = &first;
    buffer.OnWord = nullptr;
    buffer.InitScan();
    std::string w;
    buffer.GetNextWord(w);
    buffer.ReplaceWord("");
    EXPECT_EQ(buffer.Pos, 1);
    EXPECT_EQ(first, " rest");
}

TEST(TAbsBuffer, UpperCaseAndDigitTests)
{
    EXPECT_TRUE(TAbsBuffer::IsAllUpperCase("NASA"));
    EXPECT_FALSE(TAbsBuffer::IsAllUpperCase("Nasa"));
    EXPECT_TRUE(TAbsBuffer::IsAllUpperCase("12'"));
    EXPECT_TRUE(TAbsBuffer::HasDigit("abc1"));
    EXPECT_FALSE(TAbsBuffer::HasDigit("abc"));
}
