#include "platform/gui/TEdit.h"

#include <QFontMetrics>
#include <algorithm>

TEdit::TEdit(QWidget *parent)
    : QLineEdit(parent)
{
    SetHideSelection(true);
    connect(this, &QLineEdit::textChanged, this, [this] { NoteTextChanged(); });
}

void TEdit::SetText(const QString &value)
{
    // One line: each line end becomes a space.
    setText(NormalizeLineEnds(value).replace(QLatin1Char('\n'), QLatin1Char(' ')));
    setModified(false);
}

int TEdit::SelStart() const
{
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TEdit::SetSelStart(int pos)
{
    deselect();
    setCursorPosition(std::clamp(pos, 0, PositionCount()));
}

void TEdit::SetSelLength(int length)
{
    const int start = SelStart();
    setSelection(start, std::clamp(length, 0, PositionCount() - start));
}

void TEdit::SetSelText(const QString &value)
{
    insert(NormalizeLineEnds(value).replace(QLatin1Char('\n'),
                                            QLatin1Char(' '))); // replaces the selection
}

QRect TEdit::CaretRect() const
{
    return inputMethodQuery(Qt::ImCursorRectangle).toRect();
}

std::optional<QPoint> TEdit::PosFromChar(int pos) const
{
    if (pos < 0 || pos > PositionCount())
        return std::nullopt;
    // Measured from the caret, which the widget places itself (margins, scrolling).
    const QRect caret = CaretRect();
    const QFontMetrics metrics(font());
    const int caretPos = cursorPosition();
    const QString t = text();
    const int from = std::min(caretPos, pos), to = std::max(caretPos, pos);
    const int width = metrics.horizontalAdvance(t.mid(from, to - from));
    const int caretX = caret.left() + caret.width() / 2; // the rectangle is centred on the caret
    return QPoint(caretX + (pos >= caretPos ? width : -width), caret.top());
}

int TEdit::FirstVisibleLine() const
{
    return const_cast<TEdit *>(this)->cursorPositionAt(
        QPoint(contentsRect().left() + 1, height() / 2));
}
