#include "platform/core/CodePages.h"

#include <gtest/gtest.h>

using namespace CodePages;

TEST(CodePages, EveryByteRoundTripsThroughUnicode)
{
    for (int b = 0; b < 256; ++b) {
        EXPECT_EQ(UnicodeToAnsi(AnsiToUnicode(b)), b) << b;
        EXPECT_EQ(UnicodeToOem(OemToUnicode(b)), b) << b;
    }
}

TEST(CodePages, ExactCounterpartsRoundTripBetweenPages)
{
    for (int b = 0; b < 256; ++b) {
        const int oem = UnicodeToOem(AnsiToUnicode(b));
        if (oem >= 0) {
            EXPECT_EQ(AnsiToOemChar(b), oem) << b;
            EXPECT_EQ(OemToAnsiChar(oem), b) << b;
        }
        const int ansi = UnicodeToAnsi(OemToUnicode(b));
        if (ansi >= 0) {
            EXPECT_EQ(OemToAnsiChar(b), ansi) << b;
        }
    }
}

TEST(CodePages, BestFitWithoutExactCounterpart)
{
    const struct
    {
        bool ansiToOem;
        unsigned char from, to;
    } cases[] = {
        { true, 0x00, 0x00 },  { true, 0xC3, 'A' }, // Ã: base letter
        { true, 0x8A, 'S' },   { true, 0xE9, 0x82 }, // Š, é
        { true, 0xF1, 0xA4 },  { true, 0x80, '?' }, // ñ, €
        { true, 0x81, '?' },   { false, 0x00, 0x00 }, // undefined in 1252
        { false, 0x82, 0xE9 }, { false, 0xA4, 0xF1 }, // é, ñ
        { false, 0xE1, 0xDF }, { false, 0xC9, '?' }, // ß, box drawing
        { false, 0xB3, '?' },  { false, 0xE0, '?' }, // box drawing, α
    };
    for (const auto &c : cases) {
        const unsigned char got = c.ansiToOem ? AnsiToOemChar(c.from) : OemToAnsiChar(c.from);
        EXPECT_EQ(got, c.to) << (c.ansiToOem ? "ANSI " : "OEM ") << int(c.from);
    }
}

TEST(CodePages, CodePointsOutsideThePageAreRejected)
{
    EXPECT_EQ(UnicodeToOem(0x20AC), -1);
    EXPECT_EQ(UnicodeToAnsi(0x0080), -1); // 0x80 is the euro sign, not U+0080
    EXPECT_EQ(UnicodeToAnsi(0x10041), -1); // must not wrap to 'A'
    EXPECT_EQ(UnicodeToOem(0x100E9), -1);
}

TEST(CodePages, Utf16UnitToAnsiGivesOneByteForEveryUnit)
{
    const std::u16string units = u"A\u00e9\u20ac\u4e2d\U0001F600\u2502";
    std::string ansi;
    for (char16_t u : units)
        ansi += char(Utf16UnitToAnsi(u));
    EXPECT_EQ(ansi, "A\xE9\x80????");
}

TEST(CodePages, DecodeUtf8RejectsMalformedBytes)
{
    // Overlong forms, surrogates, beyond U+10FFFF, truncated sequences, stray bytes.
    for (const char *bytes :
         { "\xC0\x80", "\xC1\xBF", "\xE0\x80\xAF", "\xF0\x82\x82\xAC", "\xED\xA0\x80",
           "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80", "\xF8\x88\x80\x80\x80",
           "ab\xE2\x82", "\342\202a", "\xC3", "\x80", "a\xBF", "\xFF", "\xFE" }) {
        std::u16string out = u"stale";
        EXPECT_FALSE(DecodeUtf8(bytes, out)) << testing::PrintToString(bytes);
        EXPECT_TRUE(out.empty());
    }
}

TEST(CodePages, DecodeUtf8MakesSurrogatePairsAndDropsOneBom)
{
    std::u16string out;
    const char *text = "\xEF\xBB\xBF" // byte-order mark
                       "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
    ASSERT_TRUE(DecodeUtf8(text, out));
    EXPECT_EQ(out, u"A\u00e9\u20ac\xD83D\xDE00\xDBFF\xDFFF");
    ASSERT_TRUE(DecodeUtf8("\xEF\xBB\xBF\xEF\xBB\xBFx", out));
    EXPECT_EQ(out, u"\uFEFFx");
}

TEST(CodePages, EncodeUtf8JoinsPairsAndReplacesLoneSurrogates)
{
    EXPECT_EQ(EncodeUtf8(u"a\u00e9\U0001F600"), "a\xC3\xA9\xF0\x9F\x98\x80");
    EXPECT_EQ(EncodeUtf8(std::u16string { u'x', char16_t(0xDC00), char16_t(0xD800) }),
              "x\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(CodePages, BuffersWordsAndUtf8OfBothPages)
{
    std::string s = "Caf\xE9 \x80";
    AnsiToOemBuff(s);
    EXPECT_EQ(s, "Caf\x82 ?");
    OemToAnsiBuff(s);
    EXPECT_EQ(s, "Caf\xE9 ?");
    EXPECT_EQ(AnsiToUtf8("\xE9\x80"), "\xC3\xA9\xE2\x82\xAC");
    EXPECT_EQ(OemToUtf8("\x82\xB3"), "\xC3\xA9\xE2\x94\x82");
    EXPECT_EQ(DecodeAnsi("a\x80\x81"), u"a\u20ac\u0081");
    EXPECT_EQ(OemToAnsiWord(OemText(std::string(60, '\x82'))).str(), std::string(50, '\xE9'));
    EXPECT_EQ(AnsiToOemWord(AnsiText("na\xEFve")).str(), "na\x8Bve");
}
