#include "platform/core/rtf/RtfWriter.h"

#include "platform/core/rtf/RtfImageInfo.h"

#include <algorithm>
#include <charconv>
#include <unordered_map>

namespace {

constexpr size_t SoftLineLength = 160; // break here before a control word or a space
constexpr size_t HardLineLength = 199; // break here at the latest
constexpr size_t HexPerLine = 128;
constexpr int32_t DefaultCellWidth = 1440; // for a cell whose width is not known: an inch
constexpr int32_t CellGap = 108; // half the space between cells, as word processors write it

bool IsControl(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

uint32_t Key(const RtfColor &c)
{
    return uint32_t(c.red) << 16 | uint32_t(c.green) << 8 | c.blue;
}

class Writer
{
public:
    std::string Write(const RtfDocument &document);

private:
    void CollectTables(const RtfDocument &document);
    void Collect(const RtfCharFormat &format);
    size_t FontIndex(const std::u16string &family) const;
    size_t ColorIndex(const std::optional<RtfColor> &color) const;

    void WriteHeader();
    void WriteFontEntry(size_t index, std::u16string_view name);
    void WriteParagraph(const RtfParagraph &paragraph, bool inTable, std::string_view end);
    void WriteTable(const RtfTable &table);
    void WriteParagraphFormat(const RtfParagraphFormat &format);
    void WriteFormat(const RtfCharFormat &format);
    void WriteRun(const RtfRun &run);
    void WriteText(std::u16string_view text, bool fontName);
    void WritePicture(const RtfPicture &picture);

    void Word(std::string_view name);
    void Word(std::string_view name, int64_t param);
    void Symbol(std::string_view symbol); // a control symbol or \uN? sequence: no delimiter
    void Char(char c);
    void Raw(std::string_view text);
    void MakeRoom(size_t length, bool soft);
    void NewLine();

    std::string out_;
    size_t lineStart_ = 0;
    bool needDelimiter_ = false; // a control word ends the output so far
    std::vector<std::u16string> fonts_;
    std::vector<RtfColor> colors_;
    std::unordered_map<std::u16string, size_t> fontIndex_;
    std::unordered_map<uint32_t, size_t> colorIndex_;
    RtfCharFormat state_; // the format a reader holds at this point of the output
    const RtfParagraphFormat *paragraphFormat_ = nullptr; // what the reader holds; none: unknown
};

std::string Writer::Write(const RtfDocument &document)
{
    CollectTables(document);
    WriteHeader();
    auto table = document.tables.begin();
    for (size_t i = 0; i <= document.paragraphs.size(); ++i) {
        for (; table != document.tables.end() && table->position <= i; ++table)
            WriteTable(*table);
        if (i < document.paragraphs.size())
            WriteParagraph(document.paragraphs[i], false, "par");
    }
    Raw("}");
    NewLine();
    return std::move(out_);
}

void Writer::WriteParagraph(const RtfParagraph &paragraph, bool inTable, std::string_view end)
{
    if (inTable || !paragraphFormat_ || !(paragraph.format == *paragraphFormat_)) {
        WriteParagraphFormat(paragraph.format);
        if (inTable)
            Word("intbl");
    }
    // \pard must end the table after its last paragraph.
    paragraphFormat_ = inTable ? nullptr : &paragraph.format;
    for (const RtfRun &run : paragraph.runs)
        WriteRun(run);
    WriteFormat(paragraph.markFormat);
    Word(end);
    NewLine();
}

// Each row: its definition (the cells' right edges), then each cell's paragraphs, the
// last one ended by \cell instead of \par.
void Writer::WriteTable(const RtfTable &table)
{
    static const RtfParagraph Empty;
    for (const RtfTableRow &row : table.rows) {
        Word("trowd");
        Word("trgaph", CellGap);
        int32_t edge = 0;
        for (const RtfTableCell &cell : row.cells) {
            edge += cell.width > 0 ? cell.width : DefaultCellWidth;
            Word("cellx", edge);
        }
        NewLine();
        for (const RtfTableCell &cell : row.cells) {
            const size_t count = cell.paragraphs.size();
            for (size_t i = 0; i < std::max<size_t>(count, 1); ++i)
                WriteParagraph(count ? cell.paragraphs[i] : Empty, true,
                               i + 1 >= count ? "cell" : "par");
        }
        Word("row");
        NewLine();
    }
}

void Writer::CollectTables(const RtfDocument &document)
{
    const auto collect = [this](const std::vector<RtfParagraph> &paragraphs) {
        for (const RtfParagraph &paragraph : paragraphs) {
            for (const RtfRun &run : paragraph.runs)
                Collect(run.format);
            Collect(paragraph.markFormat);
        }
    };
    collect(document.paragraphs);
    for (const RtfTable &table : document.tables)
        for (const RtfTableRow &row : table.rows)
            for (const RtfTableCell &cell : row.cells) {
                collect(cell.paragraphs);
                if (cell.paragraphs.empty())
                    Collect(RtfCharFormat {}); // written as one empty paragraph
            }
    // A nameless font (the model's "editor default") goes last, so that \deff0 names a
    // real font for other programs.
    std::stable_partition(fonts_.begin(), fonts_.end(),
                          [](const std::u16string &f) { return !f.empty(); });
    for (size_t i = 0; i < fonts_.size(); ++i)
        fontIndex_[fonts_[i]] = i;
}

void Writer::Collect(const RtfCharFormat &format)
{
    if (fontIndex_.emplace(format.fontFamily, 0).second)
        fonts_.push_back(format.fontFamily);
    for (const auto &color : { format.color, format.background })
        if (color && colorIndex_.emplace(Key(*color), colors_.size() + 1).second)
            colors_.push_back(*color);
}

size_t Writer::FontIndex(const std::u16string &family) const
{
    return fontIndex_.at(family);
}

// Index in the colour table; 0 (automatic) for no colour.
size_t Writer::ColorIndex(const std::optional<RtfColor> &color) const
{
    return color ? colorIndex_.at(Key(*color)) : 0;
}

void Writer::WriteHeader()
{
    Raw("{");
    Word("rtf", 1);
    Word("ansi");
    Word("ansicpg", 1252);
    Word("deff", 0);
    Word("uc", 1);
    NewLine();
    Raw("{");
    Word("fonttbl");
    for (size_t i = 0; i < fonts_.size(); ++i) {
        // A name beyond ASCII is written with \uN: readers take that in font names, while
        // an \upr stand-in pair shows up as text in some of them.
        WriteFontEntry(i, fonts_[i]);
    }
    Raw("}");
    NewLine();
    Raw("{");
    Word("colortbl");
    Char(';');
    for (const RtfColor &c : colors_) {
        Word("red", c.red);
        Word("green", c.green);
        Word("blue", c.blue);
        Char(';');
    }
    Raw("}");
    NewLine();
    // What a reader holds after the header: the default font at 12 points, nothing else.
    state_ = RtfCharFormat {};
    if (!fonts_.empty())
        state_.fontFamily = fonts_.front();
}

void Writer::WriteFontEntry(size_t index, std::u16string_view name)
{
    Raw("{");
    Word("f", int64_t(index));
    Word("fnil");
    Word("fcharset", 0);
    WriteText(name, true);
    Char(';');
    Raw("}");
}

void Writer::WriteParagraphFormat(const RtfParagraphFormat &format)
{
    Word("pard");
    switch (format.alignment) {
    case RtfAlignment::Left:
        break;
    case RtfAlignment::Right:
        Word("qr");
        break;
    case RtfAlignment::Center:
        Word("qc");
        break;
    case RtfAlignment::Justify:
        Word("qj");
        break;
    }
    const std::pair<std::string_view, int32_t> lengths[] = {
        { "li", format.leftIndent },      { "ri", format.rightIndent },
        { "fi", format.firstLineIndent }, { "sb", format.spaceBefore },
        { "sa", format.spaceAfter },
    };
    for (const auto &[word, value] : lengths)
        if (value != 0)
            Word(word, value);
}

// Control words for what differs between the reader's format and the wanted one.
void Writer::WriteFormat(const RtfCharFormat &format)
{
    if (format.fontFamily != state_.fontFamily)
        Word("f", int64_t(FontIndex(format.fontFamily)));
    const int32_t size = std::clamp(format.sizeHalfPoints, 1, 3276);
    if (size != state_.sizeHalfPoints)
        Word("fs", size);
    if (format.bold != state_.bold)
        format.bold ? Word("b") : Word("b", 0);
    if (format.italic != state_.italic)
        format.italic ? Word("i") : Word("i", 0);
    if (format.underline != state_.underline)
        Word(format.underline ? "ul" : "ulnone");
    if (format.strikeOut != state_.strikeOut)
        format.strikeOut ? Word("strike") : Word("strike", 0);
    if (format.verticalAlign != state_.verticalAlign) {
        switch (format.verticalAlign) {
        case RtfVerticalAlign::Normal:
            Word("nosupersub");
            break;
        case RtfVerticalAlign::Superscript:
            Word("super");
            break;
        case RtfVerticalAlign::Subscript:
            Word("sub");
            break;
        }
    }
    if (format.color != state_.color)
        Word("cf", int64_t(ColorIndex(format.color)));
    if (format.background != state_.background)
        Word("highlight", int64_t(ColorIndex(format.background)));
    state_ = format;
    state_.sizeHalfPoints = size;
}

void Writer::WriteRun(const RtfRun &run)
{
    if (run.kind == RtfRunKind::Text && run.text.empty())
        return;
    WriteFormat(run.format);
    switch (run.kind) {
    case RtfRunKind::Text:
        WriteText(run.text, false);
        break;
    case RtfRunKind::Tab:
        Word("tab");
        break;
    case RtfRunKind::LineBreak:
        Word("line");
        break;
    case RtfRunKind::PageBreak:
        Word("page");
        break;
    case RtfRunKind::Picture:
        WritePicture(run.picture);
        break;
    }
}

// Text in 7 bits: printable ASCII as itself (the three special characters escaped),
// everything else as \uN? with N the signed 16-bit code unit.
void Writer::WriteText(std::u16string_view text, bool fontName)
{
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= 0x20 && c < 0x7F) {
            if (c == '\\' || c == '{' || c == '}') {
                const char escaped[2] = { '\\', char(c) };
                Symbol(std::string_view(escaped, 2));
            } else if (!(fontName && c == ';')) {
                Char(char(c));
            }
            continue;
        }
        if (!fontName) {
            if (c == u'\t') {
                Word("tab");
                continue;
            }
            if (c == u'\n' || c == u'\r' || c == u'\u2028' || c == u'\u2029') {
                Word("line");
                continue;
            }
            if (c == u'\u00A0') {
                Symbol("\\~");
                continue;
            }
            if (c == u'\u00AD') {
                Symbol("\\-");
                continue;
            }
        }
        if (IsControl(c))
            continue;
        const bool high = c >= 0xD800 && c <= 0xDBFF;
        const bool pairs
            = high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
        if (c >= 0xD800 && c <= 0xDFFF && !pairs)
            c = u'\uFFFD'; // half of a surrogate pair: no character at all
        // Both halves of a pair as one token, so no line end comes between them.
        const size_t units = pairs ? 2 : 1;
        char sequence[32];
        char *end = sequence;
        for (size_t k = 0; k < units; ++k) {
            const char16_t unit = k == 0 ? c : text[i + 1];
            *end++ = '\\';
            *end++ = 'u';
            end = std::to_chars(end, sequence + sizeof sequence,
                                unit > 0x7FFF ? int(unit) - 0x10000 : int(unit))
                      .ptr;
            *end++ = '?';
        }
        Symbol(std::string_view(sequence, size_t(end - sequence)));
        i += units - 1;
    }
}

void Writer::WritePicture(const RtfPicture &picture)
{
    Raw("{");
    Word("pict");
    if (picture.kind == RtfPicture::Kind::Other) {
        // The words read with the data say what it is: written back as they were.
        std::string_view header = picture.header;
        while (!header.empty()) {
            const size_t next = header.find('\\', 1);
            Raw(header.substr(0, next));
            needDelimiter_ = true;
            header.remove_prefix(next == std::string_view::npos ? header.size() : next);
        }
        if (picture.widthTwips > 0)
            Word("picwgoal", picture.widthTwips);
        if (picture.heightTwips > 0)
            Word("pichgoal", picture.heightTwips);
    } else {
        int32_t pixelWidth = 0, pixelHeight = 0;
        const bool known = RtfImagePixelSize(picture.kind, picture.data, pixelWidth, pixelHeight);
        int32_t width = picture.widthTwips, height = picture.heightTwips;
        if (known) {
            width = width > 0 ? width : pixelWidth * RtfTwipsPerPixel;
            height = height > 0 ? height : pixelHeight * RtfTwipsPerPixel;
        } else {
            pixelWidth = std::max(width / RtfTwipsPerPixel, 1);
            pixelHeight = std::max(height / RtfTwipsPerPixel, 1);
        }
        Word(picture.kind == RtfPicture::Kind::Png ? "pngblip" : "jpegblip");
        Word("picw", pixelWidth);
        Word("pich", pixelHeight);
        if (width > 0)
            Word("picwgoal", width);
        if (height > 0)
            Word("pichgoal", height);
    }
    static constexpr char Hex[] = "0123456789abcdef";
    for (size_t i = 0; i < picture.data.size(); ++i) {
        if (i % (HexPerLine / 2) == 0)
            NewLine();
        const auto byte = static_cast<unsigned char>(picture.data[i]);
        out_ += Hex[byte >> 4];
        out_ += Hex[byte & 15];
    }
    Raw("}");
}

void Writer::Word(std::string_view name)
{
    MakeRoom(name.size() + 1, true);
    out_ += '\\';
    out_ += name;
    needDelimiter_ = true;
}

void Writer::Word(std::string_view name, int64_t param)
{
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, param).ptr;
    MakeRoom(name.size() + 1 + size_t(end - digits), true);
    out_ += '\\';
    out_ += name;
    out_.append(digits, end);
    needDelimiter_ = true;
}

void Writer::Symbol(std::string_view symbol)
{
    MakeRoom(symbol.size(), true);
    out_ += symbol;
    needDelimiter_ = false;
}

void Writer::Char(char c)
{
    if (needDelimiter_) {
        if (c != ';') // ';' ends a table entry and a control word alike
            out_ += ' ';
        needDelimiter_ = false;
    }
    MakeRoom(1, c == ' ');
    out_ += c;
}

void Writer::Raw(std::string_view text)
{
    MakeRoom(text.size(), true);
    out_ += text;
    needDelimiter_ = false;
}

// Starts a new line where the current one would grow too long. Called only between
// tokens, where a line end means nothing to a reader.
void Writer::MakeRoom(size_t length, bool soft)
{
    const size_t column = out_.size() - lineStart_;
    if ((soft && column >= SoftLineLength) || column + length > HardLineLength)
        NewLine();
}

void Writer::NewLine()
{
    out_ += '\n';
    lineStart_ = out_.size();
    needDelimiter_ = false; // the line end delimits a control word before it
}

} // namespace

std::string WriteRtf(const RtfDocument &document)
{
    return Writer().Write(document);
}
