#pragma once
// The document model that the Rich Text reader fills and the writer saves: paragraphs of
// runs, each run a piece of text, a tab, a line break, a page break or a picture, with its
// character format. Text is UTF-16, as the editor holds it. Lengths are in twips (1/20 pt).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct RtfColor
{
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    bool operator==(const RtfColor &) const = default;
};

enum class RtfVerticalAlign : uint8_t { Normal, Superscript, Subscript };

struct RtfCharFormat
{
    std::u16string fontFamily {}; // empty: the reader found no font, the editor's default applies
    int32_t sizeHalfPoints = 24; // 1..3276
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    RtfVerticalAlign verticalAlign = RtfVerticalAlign::Normal;
    std::optional<RtfColor> color {}; // none: automatic (black)
    std::optional<RtfColor> background {}; // none: no highlight
    bool operator==(const RtfCharFormat &) const = default;
};

enum class RtfAlignment : uint8_t { Left, Right, Center, Justify };

struct RtfParagraphFormat
{
    RtfAlignment alignment = RtfAlignment::Left;
    int32_t leftIndent = 0;
    int32_t rightIndent = 0;
    int32_t firstLineIndent = 0; // relative to leftIndent; negative for a hanging indent
    int32_t spaceBefore = 0;
    int32_t spaceAfter = 0;
    bool operator==(const RtfParagraphFormat &) const = default;
};

struct RtfPicture
{
    // Other: a kind the editor does not show (metafiles, bitmaps, ...), kept to be written
    // back as it was read.
    enum class Kind : uint8_t { Png, Jpeg, Other };
    Kind kind = Kind::Png;
    std::string data {}; // the picture's bytes as read, whether they decode or not
    // Shown size; 0 means the image's own size at 96 dpi. The reader gives both whenever
    // the document or the image's header tells them.
    int32_t widthTwips = 0;
    int32_t heightTwips = 0;
    // Other kinds only: the control words that describe the data, as read
    // ("\\wmetafile8\\picw2540\\pich1270"); written back before it.
    std::string header {};
    bool operator==(const RtfPicture &) const = default;
};

enum class RtfRunKind : uint8_t { Text, Tab, LineBreak, PageBreak, Picture };

struct RtfRun
{
    RtfRunKind kind = RtfRunKind::Text;
    RtfCharFormat format {};
    std::u16string text {}; // Text runs only; never empty, no control characters or U+2028
    RtfPicture picture {}; // Picture runs only
    bool operator==(const RtfRun &) const = default;
};

struct RtfParagraph
{
    RtfParagraphFormat format {};
    std::vector<RtfRun> runs {};
    // Character format of the paragraph mark: what an empty paragraph's line is sized by.
    RtfCharFormat markFormat {};
    bool operator==(const RtfParagraph &) const = default;
};

struct RtfTableCell
{
    int32_t width = 0; // 0: not given
    std::vector<RtfParagraph> paragraphs {}; // at least one; a nested table's text is flattened in
    bool operator==(const RtfTableCell &) const = default;
};

struct RtfTableRow
{
    std::vector<RtfTableCell> cells {};
    bool operator==(const RtfTableRow &) const = default;
};

struct RtfTable
{
    size_t position = 0; // the number of the document's paragraphs before the table
    std::vector<RtfTableRow> rows {};
    bool operator==(const RtfTable &) const = default;
};

struct RtfDocument
{
    std::vector<RtfParagraph> paragraphs {};
    std::vector<RtfTable> tables {}; // in order of position
    bool operator==(const RtfDocument &) const = default;
};

// Brings runs to the form the reader gives: no empty text runs and no two neighbouring
// text runs with the same format. Reading a written document gives back a normalised one.
void NormalizeRtf(RtfDocument &document);

// The document's text, paragraphs ended by '\n', tabs as '\t', line breaks as U+2028,
// page breaks as U+000C and pictures as U+FFFC. A table's rows are ended by '\n' and each
// cell's paragraphs are joined by '\n' and ended by U+0007.
std::u16string RtfPlainText(const RtfDocument &document);
