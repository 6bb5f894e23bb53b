#include "platform/gui/TCustomMemo.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>

namespace {

constexpr char16_t BeginningOfFrame = 0xFDD0;
constexpr char16_t EndOfFrame = 0xFDD1;

bool IsBreak(char16_t ch)
{
    return ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator || ch == BeginningOfFrame
        || ch == EndOfFrame;
}

// Displayed lines of a block; a block that cannot be laid out counts as one line.
int LinesIn(const QTextBlock &block)
{
    block.document()->documentLayout()->blockBoundingRect(block); // lays the block out
    const QTextLayout *layout = block.layout();
    return layout && layout->lineCount() > 0 ? layout->lineCount() : 1;
}

} // namespace

QString TCustomMemo::TextBetween(int docFrom, int docTo, const std::set<int> &skipped) const
{
    const QTextDocument *doc = Document();
    const int size = doc->characterCount();
    docFrom = std::clamp(docFrom, 0, size);
    docTo = std::clamp(docTo, docFrom, size);
    // A few characters (the one selected while the word before the caret is read) are
    // read where they are; a copy of the whole text would cost as much as the document.
    const bool few = docTo - docFrom <= 64;
    const QString raw = few ? QString() : doc->toRawText();
    QString out;
    out.reserve(docTo - docFrom);
    auto skip = skipped.lower_bound(docFrom);
    for (int i = docFrom; i < docTo; ++i) {
        if (skip != skipped.end() && *skip == i) {
            ++skip;
            continue;
        }
        const char16_t ch = few ? doc->characterAt(i).unicode() : raw.at(i).unicode();
        if (!IsBreak(ch))
            out.append(QChar(ch));
        else if (FBreakWidth == 1 || ch == QChar::ParagraphSeparator)
            out.append(QLatin1String("\r\n"));
        else
            out.append(QLatin1Char('\n')); // a memo's line separator keeps its one position
    }
    return out;
}

QString TCustomMemo::Text() const
{
    return TextBetween(0, Document()->characterCount() - 1);
}

void TCustomMemo::SetText(const QString &text)
{
    ReplaceDocumentText(NormalizeLineEnds(text));
    Document()->setModified(false);
}

int TCustomMemo::PositionCount() const
{
    const QTextDocument *doc = Document();
    return doc->characterCount() - 1 + (FBreakWidth - 1) * (doc->blockCount() - 1);
}

int TCustomMemo::ToControl(int docPos) const
{
    if (FBreakWidth == 1)
        return docPos;
    return docPos + (FBreakWidth - 1) * Document()->findBlock(docPos).blockNumber();
}

int TCustomMemo::FromControl(int pos) const
{
    const QTextDocument *doc = Document();
    pos = std::max(pos, 0);
    if (FBreakWidth == 1)
        return std::min(pos, doc->characterCount() - 1);
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        const int start = b.position() + (FBreakWidth - 1) * b.blockNumber();
        const int lineEnd = start + b.length() - 1; // position of the line end
        if (pos < lineEnd + FBreakWidth || !b.next().isValid())
            return b.position() + std::clamp(pos - start, 0, b.length() - 1);
    }
    return 0;
}

int TCustomMemo::SelStart() const
{
    return ToControl(TextCursor().selectionStart());
}

void TCustomMemo::SetSelStart(int pos)
{
    QTextCursor c = TextCursor();
    c.setPosition(FromControl(pos));
    SetTextCursor(c);
}

int TCustomMemo::SelLength() const
{
    const QTextCursor c = TextCursor();
    return ToControl(c.selectionEnd()) - ToControl(c.selectionStart());
}

void TCustomMemo::SetSelLength(int length)
{
    QTextCursor c = TextCursor();
    const int start = SelStart();
    c.setPosition(FromControl(start));
    c.setPosition(FromControl(start + std::max(length, 0)), QTextCursor::KeepAnchor);
    SetTextCursor(c);
}

QString TCustomMemo::SelText() const
{
    const QTextCursor c = TextCursor();
    return TextBetween(c.selectionStart(), c.selectionEnd());
}

void TCustomMemo::SetSelText(const QString &text)
{
    QTextCursor c = TextCursor();
    c.insertText(NormalizeLineEnds(text));
    SetTextCursor(c);
}

bool TCustomMemo::Modified() const
{
    return Document()->isModified();
}

void TCustomMemo::SetModified(bool value)
{
    Document()->setModified(value);
}

QRect TCustomMemo::CaretRect() const
{
    return CursorRect(TextCursor());
}

std::optional<QPoint> TCustomMemo::PosFromChar(int pos) const
{
    if (pos < 0 || pos > PositionCount())
        return std::nullopt;
    QTextCursor c(Document());
    c.setPosition(FromControl(pos));
    return CursorRect(c).topLeft();
}

int TCustomMemo::LineOfDocPos(int docPos) const
{
    const QTextBlock block = Document()->findBlock(docPos);
    int line = 0;
    for (QTextBlock b = Document()->begin(); b.isValid() && b != block; b = b.next())
        line += LinesIn(b);
    const int lines = LinesIn(block);
    const QTextLayout *layout = block.layout();
    if (layout && layout->lineCount() > 0) {
        const QTextLine inBlock = layout->lineForTextPosition(docPos - block.position());
        line += inBlock.isValid() ? inBlock.lineNumber() : lines - 1;
    }
    return line;
}

int TCustomMemo::LineFromChar(int pos) const
{
    const int docPos = pos < 0 ? TextCursor().selectionStart() : FromControl(pos);
    return LineOfDocPos(docPos);
}

int TCustomMemo::LineIndex(int line) const
{
    if (line < 0)
        line = LineOfDocPos(TextCursor().position());
    int first = 0;
    for (QTextBlock b = Document()->begin(); b.isValid(); b = b.next()) {
        const int lines = LinesIn(b);
        if (line < first + lines) {
            const QTextLayout *layout = b.layout();
            const int offset
                = layout && layout->lineCount() > 0 ? layout->lineAt(line - first).textStart() : 0;
            return ToControl(b.position() + offset);
        }
        first += lines;
    }
    return -1;
}

int TCustomMemo::FirstVisibleLine() const
{
    return LineOfDocPos(CursorForPosition(QPoint(0, 0)).position());
}
