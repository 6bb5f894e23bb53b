#include "platform/core/rtf/RtfReader.h"

#include "RtfTestSupport.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

namespace {

RtfDocument Read(std::string_view rtf)
{
    return ReadRtf(rtf).document;
}

struct Snippet
{
    const char *name;
    std::string rtf;
    std::u16string text;
};

class RtfReaderText : public ::testing::TestWithParam<Snippet>
{
};

TEST_P(RtfReaderText, GivesTheTextAReaderShows)
{
    const RtfReadResult result = ReadRtf(GetParam().rtf);
    EXPECT_EQ(result.status, RtfReadStatus::Ok);
    EXPECT_EQ(TextOf(result.document), GetParam().text);
    EXPECT_TRUE(WellFormed(result.document));
}

const std::string Png1x1 = "89504e470d0a1a0a0000000d4948445200000001000000010802000000907753de";

INSTANTIATE_TEST_SUITE_P(
    Snippets, RtfReaderText,
    ::testing::Values(
        // Control symbols and the characters the format names by word.
        Snippet { "Escapes", R"({\rtf1 a\\b\{c\}d})", u"a\\b{c}d" },
        Snippet { "SpecialSpaceAndHyphens", R"({\rtf1 a\~b\_c\-d})", u"a\u00A0b\u2011c\u00ADd" },
        Snippet {
            "NamedCharacters",
            R"({\rtf1\emdash\endash\bullet\lquote\rquote\ldblquote\rdblquote\emspace\enspace\qmspace\zwj\zwnj\ltrmark\rtlmark})",
            u"—–•‘’“”\u2003\u2002\u2005\u200D\u200C\u200E\u200F" },
        Snippet { "SpaceAfterWordIsItsDelimiter", "{\\rtf1\\b  x\\b0\r\n y}", u" x y" },
        Snippet { "LineEndsMeanNothing", "{\\rtf1 ab\r\ncd\nef}", u"abcdef" },
        Snippet { "BackslashLineEndIsParagraph", "{\\rtf1 a\\\nb}", u"a\nb" },
        Snippet { "LiteralTabIsTab", "{\\rtf1 a\tb}", u"a\tb" },
        Snippet { "ControlBytesDropped", "{\\rtf1 a\0b\x01\\'00\\'0dc}"s, u"abc" },
        Snippet { "Breaks", R"({\rtf1 a\tab b\line c\page d\par e})", u"a\tb\u2028c\fd\ne" },
        Snippet { "LineSeparatorsAreBreaks", R"({\rtf1 a\u8232?b\u8233?c})", u"a\u2028b\u2028c" },
        Snippet { "SectionEndsParagraph", R"({\rtf1 a\sect b})", u"a\nb" },
        // Unicode and its fallback.
        Snippet { "UnicodeSkipsOneFallback", R"({\rtf1 caf\u233\'e9!})", u"café!" },
        Snippet { "NegativeUnicode", R"({\rtf1\u-3913?})", u"\uF0B7" },
        Snippet { "UcZeroSkipsNothing", R"({\rtf1\uc0\u8217 s})", u"’s" },
        Snippet { "UcTwoSkipsTwo", R"({\rtf1\uc2\u12354\'82\'a0x})", u"あx" },
        Snippet { "FallbackControlWordCounts", R"({\rtf1\u8220\ldblquote x})", u"“x" },
        Snippet { "UcIsSavedPerGroup", R"({\rtf1{\uc3 \u8364 EUR}\u8364?!})", u"€€!" },
        Snippet { "BraceEndsSkipping", R"({\rtf1\uc5{\u233}x})", u"éx" },
        Snippet { "SurrogatePair", R"({\rtf1\u-10179?\u-8704?})", u"😀" },
        Snippet { "AstralValue", R"({\rtf1\u128512?})", u"😀" },
        Snippet { "LoneSurrogates", R"({\rtf1\u-10179?x\u-8704?})", u"\uFFFDx\uFFFD" },
        Snippet { "PropertyWordsBetweenHalves",
                  R"({\rtf1\uc0 \u55357\uc1 \u56832\'3f\u55357?\lang1033\f0\b\u56832?})", u"😀😀" },
        Snippet { "ContentWordEndsPair", R"({\rtf1\uc0 \u55357\tab\u56832 x})",
                  u"\uFFFD\t\uFFFDx" },
        // Code pages: the document's, a font's charset, a font's code page.
        Snippet { "DefaultIs1252", R"({\rtf1 \'80\'e9\'9f})", u"€éŸ" },
        Snippet { "AnsiCpg1250", R"({\rtf1\ansi\ansicpg1250 \'b9\'9a})", u"ąš" },
        Snippet { "AnsiCpg1251", R"({\rtf1\ansi\ansicpg1251 \'cf\'f0\'e8})", u"При" },
        Snippet { "Charset161Greek", R"({\rtf1{\fonttbl{\f0\fcharset161 Greek;}}\f0\'e1\'e2})",
                  u"αβ" },
        Snippet { "Charset177Hebrew", R"({\rtf1{\fonttbl{\f0\fcharset177 Hebrew;}}\f0\'f9\'ec})",
                  u"של" },
        Snippet { "Charset238NamesFont",
                  R"({\rtf1\ansicpg1252{\fonttbl{\f0 A;}{\f1\fcharset238 B;}}\f0\'b9\f1\'b9})",
                  u"¹ą" },
        Snippet { "CpgOverridesCharset", R"({\rtf1{\fonttbl{\f0\fcharset0\cpg1253 G;}}\f0\'e1})",
                  u"α" },
        Snippet { "Pc437", R"({\rtf1\pc \'82\'b0})", u"é░" },
        Snippet { "Pca850", R"({\rtf1\pca \'82\'d0})", u"éð" },
        Snippet { "CodePage10000", R"({\rtf1\mac \'8e\'a5})", u"é•" },
        Snippet { "Gbk936", R"({\rtf1\ansicpg936 \'d6\'d0\'ce\'c4})", u"中文" },
        Snippet { "Korean949", R"({\rtf1\ansicpg949 \'c7\'d1\'b1\'db})", u"한글" },
        Snippet { "Big5_950", R"({\rtf1\ansicpg950 \'a4\'a4\'a4\'e5})", u"中文" },
        Snippet { "RawDoubleByteText", "{\\rtf1\\ansicpg932 \x82\xa0\x82\xa2}", u"あい" },
        Snippet { "BrokenLeadByte", R"({\rtf1\ansicpg932 \'82\par x})", u"\uFFFD\nx" },
        Snippet { "UnknownCodePageReadAs1252", R"({\rtf1\ansicpg99999 \'e9})", u"é" },
        Snippet { "SymbolBullet", R"({\rtf1{\fonttbl{\f1\fcharset2 Symbol;}}\f1\'b7})", u"•" },
        // Destinations.
        Snippet { "StarredUnknownSkipped", R"({\rtf1 a{\*\madeup b{c}}d})", u"ad" },
        Snippet { "UnknownUnstarredKeepsText", R"({\rtf1 a{\madeup b}c})", u"abc" },
        Snippet {
            "KnownDestinationsSkipped",
            R"({\rtf1{\info{\title T}}{\stylesheet{\s0 Normal;}}{\header H}{\footer F}a{\footnote n}b})",
            u"ab" },
        Snippet { "FieldShowsResult", R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt link}}})",
                  u"link" },
        Snippet {
            "StarredGroupInFieldResultSkipsOnlyItself",
            R"({\rtf1{\field{\*\fldinst HYPERLINK "x"}{\fldrslt{\s28\f0\fs24{\*\listtag0}example}}} after})",
            u"example after" },
        // \* only means "skip it if you don't know it": a known destination is read.
        Snippet {
            "StarredFieldResultRead",
            R"({\rtf1{\field{\*\fldinst {HYPERLINK "https://example.org/"}}{\*\fldrslt{\s28\f0\fs24{\*\listtag0}example}}} after})",
            u"example after" },
        Snippet { "StarredFieldRead", R"({\rtf1 x{\*\field{\*\fldinst X}{\fldrslt y}}})", u"xy" },
        Snippet { "FieldInstructionWithoutStar", R"({\rtf1{\field{\fldinst PAGE}{\fldrslt 3}}})",
                  u"3" },
        Snippet { "ListTextOnce",
                  R"({\rtf1{\listtext 1.\tab}{\pntext 1.\tab}a\par{\pntext 2.\tab}b})",
                  u"1.\ta\n2.\tb" },
        Snippet {
            "TableRowsOfCells",
            R"({\rtf1\trowd\cellx1\cellx2\pard\intbl a\cell b\cell\row\trowd\cellx1\cellx2\pard\intbl\cell d\cell\row after})",
            u"a\ab\a\n\ad\a\nafter" },
        Snippet {
            "NestedTableRows",
            R"({\rtf1\pard\intbl a\cell\itap2 b\nestcell c\nestcell{\*\nesttableprops\trowd\cellx1\nestrow}{\nonesttables\par}\cell\row})",
            u"a\ab\tc\n\a" },
        Snippet { "TableRowPropertiesAfterCells",
                  R"({\rtf1\pard\intbl x\cell y\cell{\trowd\cellx1\cellx2\row}})", u"x\ay\a" },
        Snippet { "UnicodeFontName",
                  R"({\rtf1{\upr{\fonttbl{\f0 Ansi;}}{\*\ud{\fonttbl{\f0 Uni\u233?;}}}}x})", u"x" },
        Snippet { "HiddenTextDropped", R"({\rtf1 a{\v hidden}b\v c\v0 d})", u"abd" },
        Snippet { "PictureBecomesObject", R"({\rtf1 a{\pict\pngblip )" + Png1x1 + R"(}b})",
                  u"a\uFFFCb" },
        // Pictures the editor cannot show keep their place (and bytes); empty ones are nothing.
        Snippet { "OtherPictureKindsKept",
                  R"({\rtf1 a{\pict\wmetafile8 0100090000}{\pict\emfblip 0100}b{\pict\emfblip}})",
                  u"a\uFFFC\uFFFCb" },
        Snippet { "UndecodablePngKept", R"({\rtf1 a{\pict\pngblip 00112233}b})", u"a\uFFFCb" },
        Snippet { "ShapePictureReadFallbackSkipped",
                  R"({\rtf1{\*\shppict{\pict\pngblip )" + Png1x1
                      + R"(}}{\nonshppict{\pict\wmetafile8 00}}})",
                  u"\uFFFC" },
        Snippet { "TrailingBlanksAfterEnd", "{\\rtf1 a}\r\n\0\0"s, u"a" },
        Snippet { "LeadingBlanksAndBom", "\xEF\xBB\xBF \r\n{\\rtf1 a}", u"a" }),
    [](const auto &test) { return std::string(test.param.name); });

struct FormatCase
{
    const char *name;
    std::string rtf; // the run of interest has the text "x"
    RtfCharFormat format;
};

class RtfReaderFormat : public ::testing::TestWithParam<FormatCase>
{
};

TEST_P(RtfReaderFormat, RunGetsTheFormat)
{
    const RtfDocument document = Read(GetParam().rtf);
    const RtfRun *run = FindRun(document, u"x");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->format, GetParam().format);
}

const std::string Tables
    = R"({\fonttbl{\f0 Sans;}{\f1 Serif;}}{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})";

INSTANTIATE_TEST_SUITE_P(
    Formats, RtfReaderFormat,
    ::testing::Values(
        FormatCase {
            "DefaultFontIsDeff", R"({\rtf1\deff1)" + Tables + "x}", { .fontFamily = u"Serif" } },
        FormatCase { "NoFontTable", R"({\rtf1 x})", {} },
        FormatCase { "UnknownFontNumber", R"({\rtf1)" + Tables + R"(\f7 x})", {} },
        FormatCase { "ToggleZeroForms",
                     R"({\rtf1)" + Tables + R"(\b\i\ul\strike\b0\i0\ulnone\strike0 x})",
                     { .fontFamily = u"Sans" } },
        FormatCase { "UnderlineKinds", R"({\rtf1\uldb x})", { .underline = true } },
        FormatCase { "GroupRestoresFormat", R"({\rtf1{\b\fs40 y}x})", {} },
        FormatCase { "PlainResetsToDefaultFont",
                     R"({\rtf1\deff1)" + Tables + R"(\f0\b\fs40\cf1 y\plain x})",
                     { .fontFamily = u"Serif" } },
        FormatCase { "ColourAndHighlight",
                     R"({\rtf1)" + Tables + R"(\cf1\highlight2 x})",
                     { .fontFamily = u"Sans",
                       .color = RtfColor { 255, 0, 0 },
                       .background = RtfColor { 0, 0, 255 } } },
        FormatCase { "CbIsBackground",
                     R"({\rtf1)" + Tables + R"(\cb1 x})",
                     { .fontFamily = u"Sans", .background = RtfColor { 255, 0, 0 } } },
        FormatCase { "ColourOutsideTable",
                     R"({\rtf1)" + Tables + R"(\cf9\highlight0 x})",
                     { .fontFamily = u"Sans" } },
        FormatCase { "SuperThenNoSuperSub", R"({\rtf1\super y\nosupersub x})", {} },
        FormatCase {
            "Subscript", R"({\rtf1\sub x})", { .verticalAlign = RtfVerticalAlign::Subscript } },
        FormatCase { "UpIsSuperscript",
                     R"({\rtf1\up6 x})",
                     { .verticalAlign = RtfVerticalAlign::Superscript } },
        FormatCase {
            "FontSizeClamped", R"({\rtf1\fs99999999999999 x})", { .sizeHalfPoints = 3276 } },
        FormatCase { "FontSizeZeroIsDefault", R"({\rtf1\fs0 x})", {} },
        FormatCase { "FontTableWithoutGroups",
                     R"({\rtf1{\fonttbl\f0\fswiss Helv;\f1\froman Tms;}\f1 x})",
                     { .fontFamily = u"Tms" } },
        FormatCase { "FontNameWithoutSemicolon",
                     R"({\rtf1{\fonttbl{\f0 Sans}{\f1{\*\panose 0}Se{\*\falt Z}rif ;}}\f1 x})",
                     { .fontFamily = u"Serif" } },
        FormatCase { "UnicodeFontNameFromUd",
                     R"({\rtf1{\fonttbl{\upr{\f0 Ansi;}{\*\ud{\f0 Uni\u233?;}}}}x})",
                     { .fontFamily = u"Unié" } },
        FormatCase { "SemicolonEndsFontNameEvenAfterLeadByte",
                     R"({\rtf1{\fonttbl{\f0\fcharset128 A\'82;B;}}x})",
                     { .fontFamily = u"A\uFFFD" } },
        FormatCase { "DoubleByteFontName",
                     R"({\rtf1{\fonttbl{\f0\fcharset128 \'96\'be\'92\'a9;}}x})",
                     { .fontFamily = u"明朝" } }),
    [](const auto &test) { return std::string(test.param.name); });

TEST(RtfReader, ParagraphFormatTakenAtParagraphEndAndResetByPard)
{
    const RtfDocument document
        = Read(R"({\rtf1\qc\li100\ri200\fi-50\sb10\sa20 a\par b{\qr\par}\pard c\par\qj d})");
    ASSERT_EQ(document.paragraphs.size(), 4u);
    EXPECT_EQ(document.paragraphs[0].format,
              (RtfParagraphFormat { RtfAlignment::Center, 100, 200, -50, 10, 20 }));
    EXPECT_EQ(document.paragraphs[1].format.alignment, RtfAlignment::Right);
    EXPECT_EQ(document.paragraphs[2].format, RtfParagraphFormat {});
    EXPECT_EQ(document.paragraphs[3].format.alignment, RtfAlignment::Justify);
}

TEST(RtfReader, IndentsAreClampedToThePageRange)
{
    const RtfDocument document = Read(R"({\rtf1\li99999999999\ri-99999999\sb-5 a\par})");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(document.paragraphs[0].format.leftIndent, 31680);
    EXPECT_EQ(document.paragraphs[0].format.rightIndent, -31680);
    EXPECT_EQ(document.paragraphs[0].format.spaceBefore, 0);
}

TEST(RtfReader, EmptyParagraphsAndTheLastParagraph)
{
    // Every \par ends a paragraph; text after the last one is a paragraph of its own.
    EXPECT_EQ(Read(R"({\rtf1\par\par})").paragraphs.size(), 2u);
    EXPECT_EQ(Read(R"({\rtf1 a\par})").paragraphs.size(), 1u);
    EXPECT_EQ(Read(R"({\rtf1 a\par b})").paragraphs.size(), 2u);
    EXPECT_TRUE(Read(R"({\rtf1})").paragraphs.empty());
    // The mark of an empty paragraph keeps its size.
    const RtfDocument document = Read(R"({\rtf1\fs48\par})");
    ASSERT_EQ(document.paragraphs.size(), 1u);
    EXPECT_EQ(document.paragraphs[0].markFormat.sizeHalfPoints, 48);
}

TEST(RtfReader, PictureSizeFromGoalScaleOrPixels)
{
    // Png1x1 declares 1 x 1 pixels in its header.
    const struct
    {
        std::string words;
        int32_t width, height;
    } cases[] = {
        { R"(\picwgoal300\pichgoal200)", 300, 200 },
        { R"(\picwgoal300\pichgoal200\picscalex50\picscaley200)", 150, 400 },
        { R"(\picw100\pich100)", 15, 15 }, // the pixels the image has, at 96 dpi
        { R"(\picwgoal999999999\pichgoal-5)", 200000, 15 },
    };
    for (const auto &c : cases) {
        const RtfDocument document
            = Read(R"({\rtf1{\pict\pngblip)" + c.words + " " + Png1x1 + "}}");
        ASSERT_EQ(document.paragraphs.size(), 1u) << c.words;
        const RtfRun &run = document.paragraphs[0].runs.at(0);
        ASSERT_EQ(run.kind, RtfRunKind::Picture) << c.words;
        EXPECT_EQ(run.picture.widthTwips, c.width) << c.words;
        EXPECT_EQ(run.picture.heightTwips, c.height) << c.words;
    }
}

TEST(RtfReader, BinaryPictureDataIsTakenAsIs)
{
    // A JPEG with a frame header of 4 x 2 pixels, given as \bin data with braces in it.
    const std::string jpeg
        = "\xFF\xD8\xFF\xC0\x00\x0B\x08\x00\x02\x00\x04\x01\x01\x11\x00{}\\\xFF\xD9"s;
    const std::string rtf = R"({\rtf1{\pict\jpegblip\bin20 )" + jpeg + "}z}";
    const RtfReadResult result = ReadRtf(rtf);
    EXPECT_EQ(result.status, RtfReadStatus::Ok);
    ASSERT_EQ(result.document.paragraphs.size(), 1u);
    const RtfParagraph &paragraph = result.document.paragraphs[0];
    ASSERT_EQ(paragraph.runs.size(), 2u);
    EXPECT_EQ(paragraph.runs[0].picture.kind, RtfPicture::Kind::Jpeg);
    EXPECT_EQ(paragraph.runs[0].picture.data, jpeg);
    EXPECT_EQ(paragraph.runs[0].picture.widthTwips, 60);
    EXPECT_EQ(paragraph.runs[0].picture.heightTwips, 30);
    EXPECT_EQ(paragraph.runs[1].text, u"z");
}

TEST(RtfReader, TablesKeepRowsCellWidthsAndCellParagraphs)
{
    const RtfDocument document = Read(
        R"({\rtf1 before\par\trowd\trleft100\cellx1100\cellx3100\pard\intbl{\b a}\par a2\cell)"
        R"( b\cell\row\trowd\cellx500\pard\intbl c\cell\row\pard after\par})");
    ASSERT_EQ(document.paragraphs.size(), 2u);
    ASSERT_EQ(document.tables.size(), 1u);
    const RtfTable &table = document.tables[0];
    EXPECT_EQ(table.position, 1u);
    ASSERT_EQ(table.rows.size(), 2u);
    ASSERT_EQ(table.rows[0].cells.size(), 2u);
    EXPECT_EQ(table.rows[0].cells[0].width, 1000);
    EXPECT_EQ(table.rows[0].cells[1].width, 2000);
    EXPECT_EQ(table.rows[1].cells[0].width, 500);
    ASSERT_EQ(table.rows[0].cells[0].paragraphs.size(), 2u);
    EXPECT_TRUE(table.rows[0].cells[0].paragraphs[0].runs.at(0).format.bold);
    EXPECT_EQ(TextOf(document), u"before\na\na2\ab\a\nc\a\nafter");
}

TEST(RtfReader, NotRtfIsReportedSoTheCallerCanReadText)
{
    for (std::string_view bytes :
         { "", "Hello world", "  {\\rtx1 a}", "\\rtf1", "{rtf1}", "}{\\rtf1 a}" }) {
        const RtfReadResult result = ReadRtf(bytes);
        EXPECT_EQ(result.status, RtfReadStatus::NotRtf) << bytes;
        EXPECT_TRUE(result.document.paragraphs.empty()) << bytes;
        EXPECT_FALSE(LooksLikeRtf(bytes)) << bytes;
    }
    EXPECT_TRUE(LooksLikeRtf("\r\n{\\rtf1}"));
}

} // namespace
