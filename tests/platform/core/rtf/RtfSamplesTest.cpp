#include "RtfTestSupport.h"
#include "platform/core/rtf/RtfReader.h"
#include "platform/core/rtf/RtfWriter.h"

#include <gtest/gtest.h>

namespace {

const RtfColor Red { 255, 0, 0 };
const RtfColor Yellow { 255, 255, 0 };

struct SampleText
{
    const char *file;
    std::u16string text;
};

class RtfSampleText : public ::testing::TestWithParam<SampleText>
{
};

// Each producer's way of writing gives the text a reader of that producer would show:
// skipped destinations stay hidden, list numbers appear once, table cells end with U+0007.
TEST_P(RtfSampleText, ReadsWithTheTextTheProducerShows)
{
    const RtfReadResult result = ReadRtf(ReadSample(GetParam().file));
    EXPECT_EQ(result.status, RtfReadStatus::Ok);
    EXPECT_EQ(TextOf(result.document), GetParam().text);
    EXPECT_TRUE(WellFormed(result.document));
}

INSTANTIATE_TEST_SUITE_P(Samples, RtfSampleText,
                         ::testing::Values(SampleText { "minimal-editor.rtf",
                                                        u"Café crème brûlée € 5\n"
                                                        u"Bold and italic and underline and gone.\n"
                                                        u"Red centre\n"
                                                        u"E=mc2 H2O\tx\u2028y\n" },
                                           SampleText {
                                               "word-processor.rtf",
                                               u"My Story\n"
                                               u"The naïve café had a “smart” sign — and € 5.\n"
                                               u"•\tRed item\n"
                                               u"Yellow shaded big" },
                                           SampleText { "converter.rtf",
                                                        u"Visit our site today.\n"
                                                        u"1.\tFirst\n"
                                                        u"2.\tSecond\n"
                                                        u"Cell A\aCell B\a\n"
                                                        u"C\aD\a\n"
                                                        u"Picture: \uFFFC\n"
                                                        u"Page 1 of 1\u2028end" },
                                           SampleText { "text-editor.rtf",
                                                        u"It’s a bold day.\n"
                                                        u"Green centre\n"
                                                        u"\t•\tApples\n"
                                                        u"\t•\tPears 😀\n"
                                                        u"code\n"
                                                        u"Kiwi éü" },
                                           SampleText { "japanese.rtf",
                                                        u"Nihongo: 日本語\n"
                                                        u"こんにちは世界\n"
                                                        u"漢字テスト ｱ\n"
                                                        u"あ café" }),
                         [](const auto &test) {
                             std::string name = test.param.file;
                             name = name.substr(0, name.find('.'));
                             std::erase(name, '-');
                             return name;
                         });

struct RunFormat
{
    const char *file;
    std::u16string text;
    RtfCharFormat format;
};

class RtfSampleRunFormat : public ::testing::TestWithParam<RunFormat>
{
};

// Fonts from the font table (alternative names dropped), sizes, toggles, colours from
// the colour table and highlight or shading as background.
TEST_P(RtfSampleRunFormat, RunHasTheProducersFormat)
{
    const RtfReadResult result = ReadRtf(ReadSample(GetParam().file));
    const RtfRun *run = FindRun(result.document, GetParam().text);
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->format, GetParam().format);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, RtfSampleRunFormat,
    ::testing::Values(
        RunFormat { "minimal-editor.rtf",
                    u"Bold",
                    { .fontFamily = u"DejaVu Sans", .sizeHalfPoints = 22, .bold = true } },
        RunFormat { "minimal-editor.rtf",
                    u"italic",
                    { .fontFamily = u"DejaVu Sans", .sizeHalfPoints = 22, .italic = true } },
        RunFormat { "minimal-editor.rtf",
                    u"underline",
                    { .fontFamily = u"DejaVu Sans", .sizeHalfPoints = 22, .underline = true } },
        RunFormat { "minimal-editor.rtf",
                    u"gone",
                    { .fontFamily = u"DejaVu Sans", .sizeHalfPoints = 22, .strikeOut = true } },
        RunFormat { "minimal-editor.rtf",
                    u"Red centre",
                    { .fontFamily = u"DejaVu Sans", .sizeHalfPoints = 22, .color = Red } },
        RunFormat { "minimal-editor.rtf",
                    u"2",
                    { .fontFamily = u"Liberation Mono",
                      .sizeHalfPoints = 20,
                      .verticalAlign = RtfVerticalAlign::Superscript } },
        RunFormat { "word-processor.rtf",
                    u"My Story",
                    { .fontFamily = u"Arial", .sizeHalfPoints = 32, .bold = true } },
        RunFormat { "word-processor.rtf",
                    u"naïve",
                    { .fontFamily = u"Arial", .sizeHalfPoints = 22, .italic = true } },
        RunFormat { "word-processor.rtf", u"•", { .fontFamily = u"Symbol", .sizeHalfPoints = 22 } },
        RunFormat { "word-processor.rtf",
                    u"Yellow",
                    { .fontFamily = u"Arial", .sizeHalfPoints = 22, .background = Yellow } },
        RunFormat { "word-processor.rtf",
                    u"shaded",
                    { .fontFamily = u"Arial", .sizeHalfPoints = 22, .background = Yellow } },
        RunFormat { "word-processor.rtf",
                    u"big",
                    { .fontFamily = u"Arial", .sizeHalfPoints = 44, .strikeOut = true } },
        RunFormat { "converter.rtf",
                    u"our site",
                    { .fontFamily = u"Liberation Serif",
                      .underline = true,
                      .color = RtfColor { 0, 0, 128 } } },
        RunFormat {
            "converter.rtf", u"Cell B", { .fontFamily = u"Liberation Serif", .bold = true } },
        RunFormat { "text-editor.rtf",
                    u"Green centre",
                    { .fontFamily = u"Nimbus Sans", .color = RtfColor { 0, 128, 0 } } },
        RunFormat {
            "text-editor.rtf", u"code", { .fontFamily = u"DejaVuSansMono", .sizeHalfPoints = 22 } },
        RunFormat { "japanese.rtf", u"日本語", { .fontFamily = u"明朝" } }));

TEST(RtfSamples, ParagraphFormatsAreKept)
{
    const RtfDocument story = ReadRtf(ReadSample("word-processor.rtf")).document;
    ASSERT_EQ(story.paragraphs.size(), 4u);
    EXPECT_EQ(story.paragraphs[0].format, (RtfParagraphFormat { .spaceBefore = 240 }));
    EXPECT_EQ(story.paragraphs[1].format,
              (RtfParagraphFormat { .alignment = RtfAlignment::Justify,
                                    .leftIndent = 720,
                                    .rightIndent = 360,
                                    .firstLineIndent = -360,
                                    .spaceBefore = 120,
                                    .spaceAfter = 160 }));
    EXPECT_EQ(story.paragraphs[3].format.alignment, RtfAlignment::Center);

    const RtfDocument minimal = ReadRtf(ReadSample("minimal-editor.rtf")).document;
    ASSERT_EQ(minimal.paragraphs.size(), 5u);
    EXPECT_EQ(minimal.paragraphs[2].format.alignment, RtfAlignment::Center);
    EXPECT_EQ(minimal.paragraphs[3].format.alignment, RtfAlignment::Right);
    EXPECT_EQ(minimal.paragraphs[3].format.spaceAfter, 200);
    // The empty last paragraph keeps the size its line is drawn in.
    EXPECT_TRUE(minimal.paragraphs[4].runs.empty());
    EXPECT_EQ(minimal.paragraphs[4].markFormat.sizeHalfPoints, 22);
}

TEST(RtfSamples, PngPictureIsKeptAndItsFallbackDropped)
{
    const RtfDocument document = ReadRtf(ReadSample("converter.rtf")).document;
    int pictures = 0;
    for (const RtfParagraph &paragraph : document.paragraphs)
        for (const RtfRun &run : paragraph.runs)
            if (run.kind == RtfRunKind::Picture) {
                ++pictures;
                EXPECT_EQ(run.picture.kind, RtfPicture::Kind::Png);
                EXPECT_EQ(run.picture.data.substr(1, 3), "PNG");
                EXPECT_EQ(run.picture.widthTwips, 240);
                EXPECT_EQ(run.picture.heightTwips, 120);
            }
    EXPECT_EQ(pictures, 1);
}

class RtfSampleRoundTrip : public ::testing::TestWithParam<const char *>
{
};

// What we read from another producer, written by us and read again, is the same model.
TEST_P(RtfSampleRoundTrip, WrittenAndReadAgainGivesTheSameModel)
{
    const RtfDocument first = ReadRtf(ReadSample(GetParam())).document;
    const RtfReadResult second = ReadRtf(WriteRtf(first));
    EXPECT_EQ(second.status, RtfReadStatus::Ok);
    EXPECT_EQ(TextOf(second.document), TextOf(first));
    EXPECT_EQ(second.document, first);
}

INSTANTIATE_TEST_SUITE_P(Samples, RtfSampleRoundTrip,
                         ::testing::Values("minimal-editor.rtf", "word-processor.rtf",
                                           "converter.rtf", "text-editor.rtf", "japanese.rtf"));

} // namespace
