#include "RtfTestSupport.h"
#include "platform/core/rtf/RtfReader.h"

#include <gtest/gtest.h>
#include <random>

using namespace std::string_literals;

namespace {

struct Damaged
{
    const char *name;
    std::string rtf;
    std::u16string text; // what is still read
};

class RtfDamagedInput : public ::testing::TestWithParam<Damaged>
{
};

// Damaged input is reported as damaged and keeps the text it holds.
TEST_P(RtfDamagedInput, IsReportedAndKeepsItsText)
{
    const RtfReadResult result = ReadRtf(GetParam().rtf);
    EXPECT_EQ(result.status, RtfReadStatus::Damaged);
    EXPECT_EQ(TextOf(result.document), GetParam().text);
    EXPECT_TRUE(WellFormed(result.document));
}

std::string Nested(size_t depth, const std::string &inner)
{
    return "{\\rtf1 a" + std::string(depth, '{') + inner + std::string(depth, '}') + "z}";
}

INSTANTIATE_TEST_SUITE_P(
    Inputs, RtfDamagedInput,
    ::testing::Values(
        Damaged { "Unclosed", R"({\rtf1{\b bold\par more)", u"bold\nmore" },
        Damaged { "UnclosedInsideSkippedGroup", R"({\rtf1 a{\*\x b)", u"a" },
        Damaged { "ExtraClosingBraces", R"({\rtf1 a}} b}\par c)", u"a\n b\nc" },
        Damaged { "DeepNesting", Nested(100000, "deep"), u"adeepz" },
        Damaged { "DeepNestingOfSkippedGroups", Nested(100000, "{\\*\\x y}deep"), u"adeepz" },
        Damaged { "BinLongerThanTheData", R"({\rtf1 a{\pict\pngblip\bin999999 xyz)", u"a" },
        Damaged { "BinHugeOutsidePicture", R"({\rtf1 a\bin99999999999999999999 b})", u"a" }),
    [](const auto &test) { return std::string(test.param.name); });

TEST(RtfRobustness, HugeAndNegativeNumbersAreClamped)
{
    const RtfReadResult result = ReadRtf(
        R"({\rtf1\fs99999999999999\f-99999999999\cf99999999999\uc99999999\u-99999999 abcdefghijk\uc1\u99999999999?\li-99999999999999999999999999999 z})");
    EXPECT_EQ(result.status, RtfReadStatus::Ok);
    // \uc is held to 8 fallback bytes, so the text after them survives.
    EXPECT_EQ(TextOf(result.document), u"\uFFFDijk\uFFFDz");
    EXPECT_TRUE(WellFormed(result.document));
    EXPECT_EQ(result.document.paragraphs.at(0).runs.at(0).format.sizeHalfPoints, 3276);
    EXPECT_EQ(result.document.paragraphs.at(0).format.leftIndent, -31680);
}

TEST(RtfRobustness, OverlongControlWordsAreUnknownWords)
{
    const RtfReadResult result = ReadRtf("{\\rtf1 a\\" + std::string(10000, 'b') + "123"
                                         + std::string(10000, '4') + " c}");
    EXPECT_EQ(result.status, RtfReadStatus::Ok);
    EXPECT_EQ(TextOf(result.document), u"ac");
}

class RtfCutSample : public ::testing::TestWithParam<const char *>
{
};

// A file cut at any byte reads without harm, reports the damage and keeps a beginning
// of the full text.
TEST_P(RtfCutSample, EveryCutIsDamagedButReadable)
{
    const std::string rtf = ReadSample(GetParam());
    const std::u16string full = TextOf(ReadRtf(rtf).document);
    const size_t end = rtf.rfind('}');
    ASSERT_NE(end, std::string::npos);
    for (size_t length = 0; length <= end; ++length) {
        const RtfReadResult result = ReadRtf(std::string_view(rtf).substr(0, length));
        const RtfReadStatus expected = length < 5 ? RtfReadStatus::NotRtf : RtfReadStatus::Damaged;
        ASSERT_EQ(result.status, expected) << length;
        ASSERT_TRUE(WellFormed(result.document)) << length;
        const std::u16string text = TextOf(result.document);
        // Only the last two characters may differ: a number cut short gives another
        // character, and the half of a character before it is replaced.
        const size_t common = text.size() < 2 ? 0 : text.size() - 2;
        ASSERT_LE(common, full.size()) << length;
        ASSERT_EQ(text.substr(0, common), full.substr(0, common)) << length;
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, RtfCutSample,
                         ::testing::Values("minimal-editor.rtf", "word-processor.rtf",
                                           "converter.rtf", "text-editor.rtf", "japanese.rtf"));

TEST(RtfRobustness, RandomBytesAfterTheHeader)
{
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int i = 0; i < 300; ++i) {
        std::string rtf = "{\\rtf1\\ansicpg932 ";
        const int length = 1 + i * 7;
        for (int k = 0; k < length; ++k)
            rtf += static_cast<char>(byte(random));
        const RtfReadResult result = ReadRtf(rtf);
        ASSERT_NE(result.status, RtfReadStatus::NotRtf) << i;
        ASSERT_TRUE(WellFormed(result.document)) << i;
    }
}

// Random sequences of the pieces real documents are made of reach far more of the
// reader than random bytes do.
TEST(RtfRobustness, RandomTokenSoup)
{
    const std::string pieces[] = {
        "{",
        "}",
        "{\\*\\x ",
        "\\par ",
        "\\pard",
        "\\plain",
        "\\b",
        "\\b0",
        "\\fs30",
        "\\f1",
        "\\f2",
        "\\cf1",
        "\\highlight2",
        "\\u-10179?",
        "\\u8364?",
        "\\uc2",
        "\\uc0",
        "\\'82",
        "\\'a0",
        "\\'e9",
        "text ",
        "\\tab",
        "\\line",
        "\\page",
        "\\cell",
        "\\row",
        "\\intbl",
        "{\\fonttbl{\\f1\\fcharset128 M;}{\\f2\\fcharset2 S;}",
        "{\\colortbl;\\red9;",
        ";",
        "{\\pict\\pngblip 89504e470d0a1a0a",
        "{\\pict\\jpegblip\\bin3 ",
        "\\bin",
        "ffd8ff",
        "{\\field",
        "{\\fldinst X}",
        "{\\fldrslt ",
        "{\\listtext 1.}",
        "{\\upr",
        "{\\*\\ud",
        "\\\\",
        "\\{",
        "\\}",
        "\\~",
        "\\-",
        "\\",
        "\\'",
        "\\'4",
        "\\li-5",
        "\\qc",
        "\\v",
        "\\v0",
        "\\super",
        "\\nosupersub",
        "\x82",
        "\xa0",
        std::string(1, '\0'),
        "\r\n",
    };
    std::mt19937 random(7);
    std::uniform_int_distribution<size_t> pick(0, std::size(pieces) - 1);
    for (int i = 0; i < 2000; ++i) {
        std::string rtf = "{\\rtf1";
        const int count = 1 + i % 120;
        for (int k = 0; k < count; ++k)
            rtf += pieces[pick(random)];
        const RtfReadResult result = ReadRtf(rtf);
        ASSERT_NE(result.status, RtfReadStatus::NotRtf) << rtf;
        ASSERT_TRUE(WellFormed(result.document)) << rtf;
    }
}

} // namespace
