#include "platform/core/rtf/RtfWriter.h"

#include "RtfTestSupport.h"
#include "platform/core/rtf/RtfReader.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

RtfRun Text(std::u16string text, RtfCharFormat format = {})
{
    RtfRun run;
    run.format = std::move(format);
    run.text = std::move(text);
    return run;
}

RtfRun Inline(RtfRunKind kind, RtfCharFormat format = {})
{
    RtfRun run;
    run.kind = kind;
    run.format = std::move(format);
    return run;
}

RtfParagraph Paragraph(std::vector<RtfRun> runs, RtfParagraphFormat format = {})
{
    RtfParagraph paragraph;
    paragraph.format = format;
    paragraph.runs = std::move(runs);
    return paragraph;
}

RtfDocument Document(std::vector<RtfParagraph> paragraphs)
{
    RtfDocument document;
    document.paragraphs = std::move(paragraphs);
    return document;
}

const std::string Png2x3
    = "\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x03\x08\x02\0\0\0\0\0\0\0"s;

struct RoundTrip
{
    const char *name;
    RtfDocument document;
};

class RtfWriterRoundTrip : public ::testing::TestWithParam<RoundTrip>
{
};

// Our own output read back gives the model that was written.
TEST_P(RtfWriterRoundTrip, ReadingTheOutputGivesTheSameModel)
{
    const std::string rtf = WriteRtf(GetParam().document);
    const RtfReadResult result = ReadRtf(rtf);
    EXPECT_EQ(result.status, RtfReadStatus::Ok);
    EXPECT_EQ(TextOf(result.document), TextOf(GetParam().document)) << rtf;
    EXPECT_EQ(result.document, GetParam().document) << rtf;
}

RtfDocument Pictures()
{
    RtfRun png = Inline(RtfRunKind::Picture);
    png.picture = { RtfPicture::Kind::Png, Png2x3, 400, 300 };
    RtfRun jpeg = Inline(RtfRunKind::Picture, { .fontFamily = u"Serif", .bold = true });
    jpeg.picture = { RtfPicture::Kind::Jpeg, "\xFF\xD8\xFF\xD9{}\\"s, 20, 10 };
    RtfRun notPng = Inline(RtfRunKind::Picture);
    notPng.picture = { RtfPicture::Kind::Png, "\0\1\2"s, 0, 0 };
    RtfRun metafile = Inline(RtfRunKind::Picture);
    metafile.picture
        = { RtfPicture::Kind::Other, "\1\0\x09\xFF"s, 300, 150, R"(\wmetafile8\picw-1\pich50\x)" };
    return Document({ Paragraph({ Text(u"a"), png, jpeg, notPng, metafile, Text(u"b") }) });
}

RtfTableCell Cell(int32_t width, std::vector<RtfParagraph> paragraphs)
{
    return { width, std::move(paragraphs) };
}

// A table between two paragraphs and one that ends the document.
RtfDocument Tables()
{
    RtfDocument d = Document({ Paragraph({ Text(u"before") }, { RtfAlignment::Center }),
                               Paragraph({ Text(u"after") }, { RtfAlignment::Center }) });
    d.tables.push_back(
        { 1,
          { { { Cell(2000,
                     { Paragraph({ Text(u"a", { .bold = true }) }),
                       Paragraph({ Text(u"a2") }, { RtfAlignment::Right }) }),
                Cell(3000, { Paragraph({}) }) } },
            { { Cell(1000, { Paragraph({ Text(u"c"), Inline(RtfRunKind::Tab) }) }) } } } });
    d.tables.push_back({ 2, { { { Cell(500, { Paragraph({ Text(u"last") }) }) } } } });
    return d;
}

RtfDocument LongParagraph()
{
    std::u16string text;
    for (int i = 0; i < 200; ++i)
        text += u"word ünïcödé 字 ";
    text += std::u16string(500, u'x'); // no space to break at
    return Document({ Paragraph({ Text(text) }) });
}

INSTANTIATE_TEST_SUITE_P(
    Models, RtfWriterRoundTrip,
    ::testing::Values(
        RoundTrip { "Empty", Document({}) },
        RoundTrip { "EmptyParagraphs", Document({ Paragraph({}), Paragraph({}) }) },
        RoundTrip { "Escapes", Document({ Paragraph({ Text(u"a\\b{c}d; 1 2") }) }) },
        RoundTrip { "NonAscii",
                    Document({ Paragraph(
                        { Text(u"café € ¡ ÿ \u00A0 \u2011 soft\u00ADhyphen \uFFFD") }) }) },
        RoundTrip {
            "EmojiAndCjk",
            Document({ Paragraph({ Text(u"😀 👩‍👧 日本語 한글 中文 𠀋") }) }) },
        RoundTrip { "Inlines",
                    Document({ Paragraph({ Text(u"a"), Inline(RtfRunKind::Tab), Text(u"b"),
                                           Inline(RtfRunKind::LineBreak),
                                           Inline(RtfRunKind::PageBreak, { .bold = true }),
                                           Text(u"c") }) }) },
        RoundTrip {
            "CharacterFormats",
            Document({ Paragraph({ Text(u"plain"),
                                   Text(u"all",
                                        { .fontFamily = u"Times New Roman",
                                          .sizeHalfPoints = 7,
                                          .bold = true,
                                          .italic = true,
                                          .underline = true,
                                          .strikeOut = true,
                                          .verticalAlign = RtfVerticalAlign::Superscript,
                                          .color = RtfColor { 1, 2, 3 },
                                          .background = RtfColor { 250, 251, 252 } }),
                                   Text(u"sub",
                                        { .fontFamily = u"Sans",
                                          .verticalAlign = RtfVerticalAlign::Subscript,
                                          .color = RtfColor { 250, 251, 252 } }),
                                   Text(u"back", { .fontFamily = u"Times New Roman" }),
                                   Text(u"named", { .fontFamily = u"Ünï {font}\\" }) }) }) },
        RoundTrip { "ParagraphFormats",
                    Document({ Paragraph({ Text(u"a") },
                                         { RtfAlignment::Center, 720, 360, -360, 120, 240 }),
                               Paragraph({ Text(u"b") },
                                         { RtfAlignment::Center, 720, 360, -360, 120, 240 }),
                               Paragraph({ Text(u"c") }, { RtfAlignment::Justify }),
                               Paragraph({ Text(u"d") }, { RtfAlignment::Right }),
                               Paragraph({ Text(u"e") }) }) },
        RoundTrip { "MarkFormat",
                    [] {
                        RtfDocument d = Document(
                            { Paragraph({ Text(u"x", { .bold = true }) }), Paragraph({}) });
                        d.paragraphs[1].markFormat = { .fontFamily = u"Big", .sizeHalfPoints = 72 };
                        return d;
                    }() },
        RoundTrip { "Pictures", Pictures() }, RoundTrip { "Tables", Tables() },
        RoundTrip { "LongParagraph", LongParagraph() }),
    [](const auto &test) { return std::string(test.param.name); });

TEST(RtfWriter, StartsWithTheHeaderAndTablesOfWhatIsUsed)
{
    RtfDocument document = Document({ Paragraph(
        { Text(u"a", { .fontFamily = u"Serif", .color = RtfColor { 255, 0, 0 } }),
          Text(u"b", { .fontFamily = u"Sans", .background = RtfColor { 0, 255, 0 } }) }) });
    document.paragraphs[0].markFormat.fontFamily = u"Sans";
    const std::string rtf = WriteRtf(document);
    EXPECT_TRUE(rtf.starts_with("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1")) << rtf;
    EXPECT_NE(rtf.find("{\\fonttbl{\\f0\\fnil\\fcharset0 Serif;}{\\f1\\fnil\\fcharset0 Sans;}}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("{\\colortbl;\\red255\\green0\\blue0;\\red0\\green255\\blue0;}"),
              std::string::npos)
        << rtf;
    EXPECT_NE(rtf.find("\\cf1 a\\f1\\cf0\\highlight2 b\\highlight0\\par"), std::string::npos)
        << rtf;
    EXPECT_TRUE(rtf.ends_with("}\n"));
}

TEST(RtfWriter, NonAsciiIsWrittenAsSignedUnicodeWithFallback)
{
    const std::string rtf = WriteRtf(Document({ Paragraph({ Text(u"é\uF0B7😀\xD800x") }) }));
    // U+F0B7 is above 32767: negative. U+1F600 is a surrogate pair; a lone half is U+FFFD.
    EXPECT_NE(rtf.find("\\u233?\\u-3913?\\u-10179?\\u-8704?\\u-3?x"), std::string::npos) << rtf;
}

TEST(RtfWriter, FontNameBeyondAsciiIsWrittenAsUnicode)
{
    const std::string rtf
        = WriteRtf(Document({ Paragraph({ Text(u"x", { .fontFamily = u"明朝" }) }) }));
    EXPECT_NE(rtf.find("{\\f0\\fnil\\fcharset0\\u26126?\\u26397?;}"), std::string::npos) << rtf;
    EXPECT_EQ(rtf.find("upr"), std::string::npos) << rtf;
    const RtfReadResult back = ReadRtf(rtf);
    ASSERT_EQ(back.status, RtfReadStatus::Ok);
    EXPECT_EQ(back.document.paragraphs.at(0).runs.at(0).format.fontFamily, u"明朝");
}

TEST(RtfWriter, OutputIsSevenBitInShortLines)
{
    const std::string rtf = WriteRtf(LongParagraph());
    size_t lineStart = 0, lines = 0;
    for (size_t i = 0; i < rtf.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(rtf[i]), 0x80) << i;
        if (rtf[i] == '\n') {
            EXPECT_LE(i - lineStart, 200u) << rtf.substr(lineStart, i - lineStart);
            lineStart = i + 1;
            ++lines;
        }
    }
    EXPECT_GT(lines, 20u);
}

TEST(RtfWriter, ControlCharactersInTextBecomeBreaksOrNothing)
{
    const RtfDocument read
        = ReadRtf(WriteRtf(Document({ Paragraph({ Text(u"a\tb\nc\u2028d\x01\x7F\x85"
                                                       u"e") }) })))
              .document;
    EXPECT_EQ(TextOf(read), u"a\tb\u2028c\u2028de");
}

TEST(RtfWriter, PictureIsWrittenAsBlipWithItsSize)
{
    RtfRun png = Inline(RtfRunKind::Picture);
    png.picture = { RtfPicture::Kind::Png, Png2x3, 0, 0 };
    const std::string rtf = WriteRtf(Document({ Paragraph({ png }) }));
    // The image's own size when the model gives none: 2 x 3 pixels at 15 twips each.
    EXPECT_NE(rtf.find("{\\pict\\pngblip\\picw2\\pich3\\picwgoal30\\pichgoal45\n89504e47"),
              std::string::npos)
        << rtf;
}

TEST(RtfWriter, NormalizeMergesAndDropsRunsAsTheReaderWould)
{
    RtfDocument document
        = Document({ Paragraph({ Text(u"a"), Text(u""), Text(u"b"), Text(u"c", { .bold = true }),
                                 Inline(RtfRunKind::Tab), Text(u"d") }) });
    NormalizeRtf(document);
    ASSERT_EQ(document.paragraphs[0].runs.size(), 4u);
    EXPECT_EQ(document.paragraphs[0].runs[0].text, u"ab");
    EXPECT_EQ(ReadRtf(WriteRtf(document)).document, document);
}

} // namespace
