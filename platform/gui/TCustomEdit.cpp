#include "platform/gui/TCustomEdit.h"

#include "platform/gui/AnsiString.h"

#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cstring>

TCustomEdit::TCustomEdit()
    : FHandle(RegisterEditHandle(this))
{ }

TCustomEdit::~TCustomEdit()
{
    UnregisterEditHandle(FHandle);
}

void TCustomEdit::Clear()
{
    SetText(QString());
    SetModified(false);
}

std::string TCustomEdit::AnsiText() const
{
    const QString text = Text();
    return ToAnsi(text).str();
}

int TCustomEdit::GetTextBuf(char *buffer, int size) const
{
    if (!buffer || size <= 0)
        return 0;
    const std::string text = AnsiText();
    const int n = std::min(static_cast<int>(text.size()), size - 1);
    std::memcpy(buffer, text.data(), static_cast<size_t>(n));
    buffer[n] = '\0';
    return n;
}

void TCustomEdit::Select(int start, int length)
{
    SetSelStart(start);
    SetSelLength(length);
}

void TCustomEdit::SetHideSelection(bool value)
{
    FHideSelection = value;
    QWidget *w = Widget();
    QPalette p = w->palette();
    if (value) {
        // An unfocused control draws its selection like plain text.
        p.setColor(QPalette::Inactive, QPalette::Highlight,
                   p.color(QPalette::Inactive, QPalette::Base));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Inactive, QPalette::Text));
    } else {
        p.setColor(QPalette::Inactive, QPalette::Highlight,
                   p.color(QPalette::Active, QPalette::Highlight));
        p.setColor(QPalette::Inactive, QPalette::HighlightedText,
                   p.color(QPalette::Active, QPalette::HighlightedText));
    }
    // A disabled control keeps its text readable and its selection shown as an unfocused
    // one: while the spelling dialog is up, the text around the highlighted word is what
    // the user reads it by.
    for (QPalette::ColorRole role : { QPalette::Text, QPalette::Base })
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Active, role));
    for (QPalette::ColorRole role : { QPalette::Highlight, QPalette::HighlightedText })
        p.setColor(QPalette::Disabled, role, p.color(QPalette::Inactive, role));
    w->setPalette(p);
}

void TCustomEdit::SetFocus()
{
    Widget()->setFocus(Qt::OtherFocusReason);
}

QFont TCustomEdit::Font() const
{
    return Widget()->font();
}

void TCustomEdit::SetFont(const QFont &font)
{
    Widget()->setFont(font);
}

QPoint TCustomEdit::ClientToScreen(QPoint point)
{
    return ClientWidget()->mapToGlobal(point);
}

QString NormalizeLineEnds(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    out.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return out;
}
