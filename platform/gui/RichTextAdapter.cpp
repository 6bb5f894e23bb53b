#include "platform/gui/RichTextAdapter.h"

#include "platform/core/rtf/RtfReader.h"
#include "platform/core/rtf/RtfWriter.h"

#include <QBuffer>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>
#include <algorithm>
#include <cmath>
#include <limits>
#include <unordered_map>
#include <utility>

namespace {

// Document layout units are pixels at 96 dpi; the file counts twips (1440 an inch).
constexpr double TwipsPerPixel = 15.0;
constexpr double CellPaddingPixels = 4;
// Where an image keeps the bytes it was read from, so a save writes them back unchanged.
constexpr int PictureDataProperty = QTextFormat::UserProperty + 1;
constexpr int PictureKindProperty = QTextFormat::UserProperty + 2;
constexpr int PictureHeaderProperty = QTextFormat::UserProperty + 3;

QColor ToQColor(const RtfColor &c)
{
    return QColor(c.red, c.green, c.blue);
}
RtfColor ToRtfColor(const QColor &c)
{
    return { uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue()) };
}

QTextCharFormat ToCharFormat(const RtfCharFormat &f)
{
    QTextCharFormat out;
    if (!f.fontFamily.empty())
        out.setFontFamilies({ QString::fromStdU16String(f.fontFamily) });
    out.setFontPointSize(f.sizeHalfPoints / 2.0);
    out.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(f.italic);
    out.setFontUnderline(f.underline);
    out.setFontStrikeOut(f.strikeOut);
    if (f.verticalAlign == RtfVerticalAlign::Superscript)
        out.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    else if (f.verticalAlign == RtfVerticalAlign::Subscript)
        out.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    if (f.color)
        out.setForeground(ToQColor(*f.color));
    if (f.background)
        out.setBackground(ToQColor(*f.background));
    return out;
}

QTextBlockFormat ToBlockFormat(const RtfParagraphFormat &f)
{
    QTextBlockFormat out;
    switch (f.alignment) {
    case RtfAlignment::Left:
        out.setAlignment(Qt::AlignLeft);
        break;
    case RtfAlignment::Right:
        out.setAlignment(Qt::AlignRight);
        break;
    case RtfAlignment::Center:
        out.setAlignment(Qt::AlignHCenter);
        break;
    case RtfAlignment::Justify:
        out.setAlignment(Qt::AlignJustify);
        break;
    }
    out.setLeftMargin(f.leftIndent / TwipsPerPixel);
    out.setRightMargin(f.rightIndent / TwipsPerPixel);
    out.setTextIndent(f.firstLineIndent / TwipsPerPixel);
    out.setTopMargin(f.spaceBefore / TwipsPerPixel);
    out.setBottomMargin(f.spaceAfter / TwipsPerPixel);
    return out;
}

// Every picture keeps the bytes it was read from. One the toolkit cannot decode gets no
// image resource: the editor shows its placeholder in its place.
void InsertPicture(QTextCursor &cursor, QTextDocument &doc, const RtfRun &run, int serial)
{
    const RtfPicture &picture = run.picture;
    const QUrl name(QStringLiteral("scrivlo-picture:%1").arg(serial));
    QImage image;
    if (picture.kind != RtfPicture::Kind::Other
        && image.loadFromData(reinterpret_cast<const uchar *>(picture.data.data()),
                              int(picture.data.size())))
        doc.addResource(QTextDocument::ImageResource, name, image);
    QTextImageFormat format;
    format.merge(ToCharFormat(run.format));
    format.setName(name.toString());
    if (picture.widthTwips > 0)
        format.setWidth(picture.widthTwips / TwipsPerPixel);
    if (picture.heightTwips > 0)
        format.setHeight(picture.heightTwips / TwipsPerPixel);
    format.setProperty(PictureDataProperty, QByteArray::fromStdString(picture.data));
    format.setProperty(PictureKindProperty, int(picture.kind));
    format.setProperty(PictureHeaderProperty, QByteArray::fromStdString(picture.header));
    cursor.insertImage(format);
}

int Twips(double pixels)
{
    return int(std::lround(pixels * TwipsPerPixel));
}

RtfCharFormat ToRtfCharFormat(const QTextCharFormat &f, const QFont &defaultFont)
{
    RtfCharFormat out;
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty())
        out.fontFamily = families.front().toStdU16String();
    else if (f.hasProperty(QTextFormat::FontFamily))
        out.fontFamily = f.stringProperty(QTextFormat::FontFamily).toStdU16String();
    else
        out.fontFamily = defaultFont.family().toStdU16String(); // the editor's own font

    double points = f.fontPointSize();
    if (points <= 0 && f.hasProperty(QTextFormat::FontPixelSize))
        points = f.intProperty(QTextFormat::FontPixelSize) * 72.0 / 96.0;
    if (points <= 0)
        points = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF()
                                              : defaultFont.pixelSize() * 72.0 / 96.0;
    out.sizeHalfPoints = std::clamp(int(std::lround(points * 2)), 1, 3276);
    out.bold = f.fontWeight() >= QFont::DemiBold;
    out.italic = f.fontItalic();
    out.underline = f.fontUnderline();
    out.strikeOut = f.fontStrikeOut();
    if (f.verticalAlignment() == QTextCharFormat::AlignSuperScript)
        out.verticalAlign = RtfVerticalAlign::Superscript;
    else if (f.verticalAlignment() == QTextCharFormat::AlignSubScript)
        out.verticalAlign = RtfVerticalAlign::Subscript;
    if (f.foreground().style() != Qt::NoBrush)
        out.color = ToRtfColor(f.foreground().color());
    if (f.background().style() != Qt::NoBrush)
        out.background = ToRtfColor(f.background().color());
    return out;
}

RtfParagraphFormat ToRtfParagraphFormat(const QTextBlockFormat &f)
{
    RtfParagraphFormat out;
    const Qt::Alignment a = f.alignment() & Qt::AlignHorizontal_Mask;
    if (a & Qt::AlignRight)
        out.alignment = RtfAlignment::Right;
    else if (a & Qt::AlignHCenter)
        out.alignment = RtfAlignment::Center;
    else if (a & Qt::AlignJustify)
        out.alignment = RtfAlignment::Justify;
    out.leftIndent = Twips(f.leftMargin());
    out.rightIndent = Twips(f.rightMargin());
    out.firstLineIndent = Twips(f.textIndent());
    out.spaceBefore = Twips(f.topMargin());
    out.spaceAfter = Twips(f.bottomMargin());
    return out;
}

RtfPicture ToRtfPicture(const QTextImageFormat &f, const QTextDocument &doc)
{
    RtfPicture out;
    const QByteArray data = f.property(PictureDataProperty).toByteArray();
    if (!data.isEmpty()) {
        out.data = data.toStdString();
        out.kind = RtfPicture::Kind(f.intProperty(PictureKindProperty));
        out.header = f.property(PictureHeaderProperty).toByteArray().toStdString();
    } else {
        // An image pasted in: saved as PNG.
        const QImage image
            = doc.resource(QTextDocument::ImageResource, QUrl(f.name())).value<QImage>();
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        out.data = png.toStdString();
        out.kind = RtfPicture::Kind::Png;
    }
    out.widthTwips = Twips(f.width());
    out.heightTwips = Twips(f.height());
    return out;
}

// A page break inside a paragraph: an object of its own in the text, written back where it
// is. One at a paragraph's end is the paragraph's page-break-after property instead.
constexpr int PageBreakObject = QTextFormat::UserObject + 1;

QTextTableFormat ToTableFormat(const RtfTable &table, int columns)
{
    // The widths of the row with the most cells give the columns theirs.
    const RtfTableRow *widest = &table.rows.front();
    for (const RtfTableRow &row : table.rows)
        if (row.cells.size() > widest->cells.size())
            widest = &row;
    QList<QTextLength> widths;
    for (int c = 0; c < columns; ++c) {
        const int32_t twips = widest->cells[size_t(c)].width;
        widths.append(twips > 0 ? QTextLength(QTextLength::FixedLength, twips / TwipsPerPixel)
                                : QTextLength());
    }
    QTextTableFormat format;
    format.setColumnWidthConstraints(widths);
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(CellPaddingPixels);
    return format;
}

// The writer's form of a document's character formats, each made once: a long document has
// many pieces of text and few formats.
class CharFormats
{
public:
    explicit CharFormats(const QTextDocument &doc)
        : FDefaultFont(doc.defaultFont())
    { }
    const RtfCharFormat &Of(int index, const QTextCharFormat &format)
    {
        auto found = FByIndex.find(index);
        if (found == FByIndex.end())
            found = FByIndex.emplace(index, ToRtfCharFormat(format, FDefaultFont)).first;
        return found->second;
    }

private:
    QFont FDefaultFont;
    std::unordered_map<int, RtfCharFormat> FByIndex;
};

RtfParagraph ToRtfParagraph(const QTextBlock &block, const QTextDocument &doc, CharFormats &formats)
{
    RtfParagraph paragraph;
    paragraph.format = ToRtfParagraphFormat(block.blockFormat());
    paragraph.markFormat = formats.Of(block.charFormatIndex(), block.charFormat());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QTextCharFormat format = fragment.charFormat();
        const RtfCharFormat &runFormat = formats.Of(fragment.charFormatIndex(), format);
        const QString text = fragment.text();
        std::u16string pending;
        auto flush = [&] {
            if (!pending.empty())
                paragraph.runs.push_back({ RtfRunKind::Text, runFormat, std::move(pending), {} });
            pending.clear();
        };
        for (const QChar ch : text) {
            const char16_t unit = ch.unicode();
            if (unit == u'\t' || unit == QChar::LineSeparator
                || unit == QChar::ObjectReplacementCharacter) {
                flush();
                RtfRun run { RtfRunKind::Tab, runFormat, {}, {} };
                if (unit == QChar::LineSeparator)
                    run.kind = RtfRunKind::LineBreak;
                if (unit == QChar::ObjectReplacementCharacter) {
                    if (format.objectType() == PageBreakObject) {
                        run.kind = RtfRunKind::PageBreak;
                    } else if (format.isImageFormat()) {
                        run.kind = RtfRunKind::Picture;
                        run.picture = ToRtfPicture(format.toImageFormat(), doc);
                    } else {
                        continue;
                    }
                }
                paragraph.runs.push_back(std::move(run));
            } else if (unit >= 0x20 || unit == u'\n') {
                pending.push_back(unit == u'\n' ? u' ' : unit);
            }
        }
        flush();
    }
    if (block.blockFormat().pageBreakPolicy() & QTextFormat::PageBreak_AlwaysAfter)
        paragraph.runs.push_back({ RtfRunKind::PageBreak, paragraph.markFormat, {}, {} });
    return paragraph;
}

// What a save needs to know of the blocks a load split (see LoadSplits).
struct SplitBlocks
{
    explicit SplitBlocks(const QTextDocument &doc)
    {
        if (const LoadSplits *splits = LoadSplits::Find(doc)) {
            joined = splits->JoinedBlocks();
            separators = splits->SeparatorBlocks();
        }
    }
    std::set<int> joined, separators;
};

// Adds the block's paragraph, or its text to the paragraph before when a load split them.
void AppendParagraph(const QTextBlock &block, std::vector<RtfParagraph> &out,
                     const QTextDocument &doc, CharFormats &formats, const SplitBlocks &splits)
{
    RtfParagraph paragraph = ToRtfParagraph(block, doc, formats);
    if (out.empty() || !splits.joined.count(block.position())) {
        out.push_back(std::move(paragraph));
        return;
    }
    RtfParagraph &whole = out.back();
    whole.format.spaceAfter = paragraph.format.spaceAfter; // kept by the last piece
    for (RtfRun &run : paragraph.runs)
        whole.runs.push_back(std::move(run));
}

// Every paragraph of a frame, also of frames and tables inside it: a nested table's text
// is kept in the cell that holds it.
void AppendFlattened(QTextFrame *frame, std::vector<RtfParagraph> &out, const QTextDocument &doc,
                     CharFormats &formats, const SplitBlocks &splits)
{
    for (auto it = frame->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *child = it.currentFrame())
            AppendFlattened(child, out, doc, formats, splits);
        else if (it.currentBlock().isValid())
            AppendParagraph(it.currentBlock(), out, doc, formats, splits);
    }
}

RtfTable ToRtfTable(QTextTable *table, const QTextDocument &doc, size_t position,
                    CharFormats &formats, const SplitBlocks &splits)
{
    RtfTable out;
    out.position = position;
    const QList<QTextLength> widths = table->format().columnWidthConstraints();
    for (int r = 0; r < table->rows(); ++r) {
        RtfTableRow &row = out.rows.emplace_back();
        for (int c = 0; c < table->columns();) {
            const QTextTableCell cell = table->cellAt(r, c);
            const int span = std::max(cell.columnSpan(), 1);
            if (cell.row() == r) { // the rows a cell spans below its first hold nothing
                RtfTableCell &rtfCell = row.cells.emplace_back();
                for (int k = c; k < c + span && k < widths.size(); ++k)
                    if (widths[k].type() == QTextLength::FixedLength)
                        rtfCell.width += Twips(widths[k].rawValue());
                for (auto it = cell.begin(); !it.atEnd(); ++it) {
                    if (QTextFrame *child = it.currentFrame())
                        AppendFlattened(child, rtfCell.paragraphs, doc, formats, splits);
                    else if (it.currentBlock().isValid())
                        AppendParagraph(it.currentBlock(), rtfCell.paragraphs, doc, formats,
                                        splits);
                }
            }
            c += span;
        }
        if (row.cells.empty())
            out.rows.pop_back();
    }
    return out;
}

} // namespace

LoadSplits::LoadSplits(QTextDocument &doc)
    : QObject(&doc)
{
    connect(&doc, &QTextDocument::contentsChange, this, &LoadSplits::NoteChange);
}

// A division whose break was deleted is gone for good: its mark, pushed to where the
// deletion began, might otherwise name a break the writer typed there.
void LoadSplits::NoteChange(int from, int removed)
{
    for (size_t i = 0; i < FJoins.size();) {
        const int before = FJoinsAt[i];
        if (removed > 0 && from < before && before <= from + removed) {
            FJoins[i] = std::move(FJoins.back());
            FJoins.pop_back();
            FJoinsAt[i] = FJoinsAt.back();
            FJoinsAt.pop_back();
            continue;
        }
        FJoinsAt[i] = FJoins[i].position();
        ++i;
    }
}

LoadSplits &LoadSplits::Of(QTextDocument &doc)
{
    if (LoadSplits *splits = doc.findChild<LoadSplits *>(QString(), Qt::FindDirectChildrenOnly))
        return *splits;
    return *new LoadSplits(doc);
}

const LoadSplits *LoadSplits::Find(const QTextDocument &doc)
{
    return doc.findChild<LoadSplits *>(QString(), Qt::FindDirectChildrenOnly);
}

void LoadSplits::MarkJoin(int position)
{
    FPendingJoins.push_back(position);
}

void LoadSplits::MarkSeparator(int position)
{
    FPendingSeparators.push_back(position);
}

void LoadSplits::FollowEdits()
{
    QTextDocument &doc = *static_cast<QTextDocument *>(parent());
    for (const int position : FPendingJoins) {
        QTextCursor &mark = FJoins.emplace_back(&doc);
        mark.setPosition(position);
        // Typing at the start of the continued block, Enter too, leaves the mark at the break.
        mark.setKeepPositionOnInsert(true);
        FJoinsAt.push_back(position);
    }
    for (const int position : FPendingSeparators) {
        QTextCursor &mark = FSeparators.emplace_back(&doc);
        mark.setPosition(position);
        mark.setKeepPositionOnInsert(true);
    }
    FPendingJoins = {};
    FPendingSeparators = {};
}

// A join mark stays at the start of the block after its break for as long as the break is
// there.
std::set<int> LoadSplits::JoinedBlocks() const
{
    std::set<int> out;
    for (const QTextCursor &mark : FJoins) {
        const QTextBlock block = mark.block();
        if (mark.position() == block.position() && block.previous().isValid())
            out.insert(block.position());
    }
    return out;
}

std::set<int> LoadSplits::SeparatorBlocks() const
{
    std::set<int> out;
    for (const QTextCursor &mark : FSeparators) {
        const QTextBlock block = mark.block();
        if (block.length() == 1 && !mark.currentTable())
            out.insert(block.position());
    }
    return out;
}

DocumentBuilder::DocumentBuilder(QTextDocument &doc)
    : FDoc(doc)
    , FCursor(&doc)
    , FSplits((doc.clear(), LoadSplits::Of(doc)))
{
    // One edit block for the whole load: inside one, inserting text does not lay out the
    // paragraph again each time to place the cursor.
    FCursor.beginEditBlock();
}

DocumentBuilder::~DocumentBuilder()
{
    if (FDone < FTotal)
        Finish();
}

void DocumentBuilder::Finish()
{
    FDone = FTotal;
    // Made inside the edit block, the marks' cursors do not lay out their blocks.
    FSplits.FollowEdits();
    QTextCursor(&FDoc).endEditBlock();
}

void DocumentBuilder::InsertText(QString text, const QTextCharFormat &format)
{
    while (FBlockLength + text.size() > MaxBlockLength) {
        qsizetype cut = std::max(MaxBlockLength - FBlockLength, 0);
        const qsizetype space = cut > 0 ? text.lastIndexOf(QLatin1Char(' '), cut - 1) : -1;
        if (space >= cut / 2)
            cut = space + 1;
        else if (cut > 0 && text.at(cut - 1).isHighSurrogate())
            --cut; // never between the halves of one character
        FCursor.insertText(text.left(cut), format);
        FDone += size_t(cut);
        text.remove(0, cut);
        // The next piece looks as if it went on in the same paragraph: no first-line
        // indent, no space between.
        QTextBlockFormat piece = FCursor.blockFormat();
        QTextBlockFormat rest = piece;
        piece.setBottomMargin(0);
        FCursor.setBlockFormat(piece);
        rest.setTopMargin(0);
        rest.setTextIndent(0);
        FCursor.insertBlock(rest, FCursor.blockCharFormat());
        FSplits.MarkJoin(FCursor.position());
        FBlockLength = 0;
    }
    FCursor.insertText(text, format);
    FBlockLength += int(text.size());
    FDone += size_t(text.size());
}

PlainTextBuilder::PlainTextBuilder(const QString &text, QTextDocument &doc)
    : DocumentBuilder(doc)
    , FText(text)
{
    FTotal = std::max<size_t>(size_t(FText.size()), 1);
}

bool PlainTextBuilder::Step(size_t units)
{
    const size_t goal = FDone + units * 64;
    while (FDone < goal) {
        if (FAt >= FText.size()) {
            Finish();
            return false;
        }
        if (FText.at(FAt) == QLatin1Char('\n')) {
            FCursor.insertBlock();
            FBlockLength = 0;
            ++FAt;
            ++FDone;
            continue;
        }
        if (FLineEnd < FAt) {
            FLineEnd = FText.indexOf(QLatin1Char('\n'), FAt);
            if (FLineEnd < 0)
                FLineEnd = FText.size();
        }
        // A long line goes in over several steps.
        const qsizetype end = std::min(FLineEnd, FAt + qsizetype(goal - FDone));
        InsertText(FText.mid(FAt, end - FAt), FCursor.charFormat());
        FAt = end;
    }
    return true;
}

RichTextBuilder::RichTextBuilder(RtfDocument model, QTextDocument &doc)
    : DocumentBuilder(doc)
    , FModel(std::move(model))
{
    size_t units = 0;
    auto count = [&units](const RtfParagraph &paragraph) {
        ++units;
        for (const RtfRun &run : paragraph.runs)
            units += run.text.size();
    };
    for (const RtfParagraph &paragraph : FModel.paragraphs)
        count(paragraph);
    for (const RtfTable &table : FModel.tables)
        for (const RtfTableRow &row : table.rows)
            for (const RtfTableCell &cell : row.cells) {
                ++units;
                for (const RtfParagraph &paragraph : cell.paragraphs)
                    count(paragraph);
            }
    FTotal = std::max<size_t>(units, 1);
}

bool RichTextBuilder::Step(size_t units)
{
    FGoal = FDone + units * 64;
    while (FDone < FGoal) {
        if (FPending) {
            if (!ContinueParagraph())
                return true;
        } else if (FTable < FModel.tables.size() && FModel.tables[FTable].position <= FParagraph) {
            if (InsertTablePiece(FModel.tables[FTable]))
                ++FTable;
        } else if (FParagraph < FModel.paragraphs.size()) {
            StartParagraph(FModel.paragraphs[FParagraph++]);
        } else {
            Finish();
            return false;
        }
    }
    return true;
}

void RichTextBuilder::StartParagraph(const RtfParagraph &paragraph)
{
    const QTextBlockFormat blockFormat = ToBlockFormat(paragraph.format);
    const QTextCharFormat markFormat = ToCharFormat(paragraph.markFormat);
    if (FFreshBlock) {
        FCursor.setBlockFormat(blockFormat);
        FCursor.setBlockCharFormat(markFormat);
        FFreshBlock = false;
    } else {
        FCursor.insertBlock(blockFormat, markFormat);
    }
    FBlockLength = 0;
    FPending = &paragraph;
    FRun = 0;
    FRunOffset = 0;
}

bool RichTextBuilder::ContinueParagraph()
{
    const RtfParagraph &paragraph = *FPending;
    for (; FRun < paragraph.runs.size(); ++FRun, FRunOffset = 0) {
        const RtfRun &run = paragraph.runs[FRun];
        const QTextCharFormat format = ToCharFormat(run.format);
        switch (run.kind) {
        case RtfRunKind::Text: {
            // A long run goes in over several steps.
            const size_t take
                = std::min(run.text.size() - FRunOffset, FGoal - std::min(FGoal, FDone));
            if (take == 0 && !run.text.empty())
                return false;
            InsertText(QString::fromStdU16String(run.text.substr(FRunOffset, take)), format);
            FRunOffset += take;
            if (FRunOffset < run.text.size())
                return false;
            break;
        }
        case RtfRunKind::Tab:
            InsertText(QStringLiteral("\t"), format);
            break;
        case RtfRunKind::LineBreak:
            InsertText(QString(QChar(QChar::LineSeparator)), format);
            break;
        case RtfRunKind::PageBreak:
            if (FRun + 1 < paragraph.runs.size()) {
                QTextCharFormat object = format;
                object.setObjectType(PageBreakObject);
                InsertText(QString(QChar::ObjectReplacementCharacter), object);
            } else {
                QTextBlockFormat withBreak = FCursor.blockFormat();
                withBreak.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysAfter);
                FCursor.setBlockFormat(withBreak);
            }
            break;
        case RtfRunKind::Picture:
            InsertPicture(FCursor, FDoc, run, ++FSerial);
            ++FBlockLength;
            break;
        }
    }
    FPending = nullptr;
    ++FDone;
    return true;
}

// Rows with fewer cells than the table has columns: their last cell spans the rest. A long
// table goes in as pieces of whole rows, each a table of its own, with an empty block
// between them that a save leaves out again.
bool RichTextBuilder::InsertTablePiece(const RtfTable &table)
{
    if (table.rows.empty())
        return true;
    const size_t first = FRow;
    if (first == 0) {
        FColumns = 1;
        for (const RtfTableRow &row : table.rows)
            FColumns = std::max(FColumns, int(row.cells.size()));
        FTableFormat = ToTableFormat(table, FColumns);
    }
    const int columns = FColumns;
    // A cell's paragraphs go in whole.
    const size_t goal = std::exchange(FGoal, std::numeric_limits<size_t>::max());
    const size_t count
        = std::min(table.rows.size() - first, size_t(std::max(1, TablePieceCells / columns)));
    QTextTable *qtable = FCursor.insertTable(int(count), columns, FTableFormat);
    if (first > 0) {
        QTextCursor separator = qtable->firstCursorPosition();
        separator.movePosition(QTextCursor::PreviousBlock);
        LoadSplits::Of(FDoc).MarkSeparator(separator.position());
    }
    for (size_t r = 0; r < count; ++r) {
        const std::vector<RtfTableCell> &cells = table.rows[first + r].cells;
        for (size_t c = 0; c < cells.size(); ++c) {
            FCursor = qtable->cellAt(int(r), int(c)).firstCursorPosition();
            FFreshBlock = true;
            for (const RtfParagraph &paragraph : cells[c].paragraphs) {
                StartParagraph(paragraph);
                ContinueParagraph();
            }
            ++FDone;
        }
        if (!cells.empty() && int(cells.size()) < columns)
            qtable->mergeCells(int(r), int(cells.size()) - 1, 1, columns - int(cells.size()) + 1);
    }
    // The block the toolkit keeps after every table takes the next paragraph or piece.
    FCursor = qtable->lastCursorPosition();
    FCursor.movePosition(QTextCursor::NextBlock);
    FFreshBlock = true;
    FGoal = goal;
    FRow = first + count;
    if (FRow < table.rows.size())
        return false;
    FRow = 0;
    return true;
}

bool ReadRichText(std::string_view bytes, QTextDocument &doc)
{
    RtfReadResult result = ReadRtf(bytes);
    if (result.status == RtfReadStatus::NotRtf)
        return false;
    RichTextBuilder builder(std::move(result.document), doc);
    while (builder.Step(4096)) { }
    return true;
}

RtfDocument RichTextModel(const QTextDocument &doc)
{
    RtfDocument out;
    CharFormats formats(doc);
    const SplitBlocks splits(doc);
    bool lastFollowsTable = false;
    for (auto it = doc.rootFrame()->begin(); !it.atEnd(); ++it) {
        if (QTextFrame *frame = it.currentFrame()) {
            if (auto *table = qobject_cast<QTextTable *>(frame)) {
                out.tables.push_back(
                    ToRtfTable(table, doc, out.paragraphs.size(), formats, splits));
                lastFollowsTable = true;
                continue;
            }
            AppendFlattened(frame, out.paragraphs, doc, formats, splits);
        } else if (it.currentBlock().isValid()) {
            if (splits.separators.count(it.currentBlock().position()))
                continue; // the pieces of a table are rows of one table again
            AppendParagraph(it.currentBlock(), out.paragraphs, doc, formats, splits);
            lastFollowsTable = lastFollowsTable && out.paragraphs.back().runs.empty();
            continue;
        }
        lastFollowsTable = false;
    }
    // The empty block the toolkit keeps after a table that ends the document is no paragraph.
    if (lastFollowsTable && !out.paragraphs.empty() && out.paragraphs.back().runs.empty()
        && !out.tables.empty() && out.tables.back().position + 1 == out.paragraphs.size())
        out.paragraphs.pop_back();
    return out;
}

std::string WriteRichText(const QTextDocument &doc)
{
    RtfDocument model = RichTextModel(doc);
    NormalizeRtf(model);
    return WriteRtf(model);
}
