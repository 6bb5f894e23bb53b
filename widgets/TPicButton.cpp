#include "widgets/TPicButton.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <algorithm>

TPicButton::TPicButton(QWidget *parent)
    : TPicCustomButton(parent)
    , FTextShadowColor(QApplication::palette().color(QPalette::Dark))
    , FTextHighlightColor(QApplication::palette().color(QPalette::Light))
{ }

void TPicButton::SetGlyph(const QPixmap &glyph)
{
    FGlyph = glyph;
    if (!glyph.isNull() && glyph.width() % glyph.height() == 0) {
        const int count = glyph.width() / glyph.height();
        FNumGlyphs = count > 4 ? 1 : count;
    }
    update();
}

void TPicButton::SetNumGlyphs(int count)
{
    FNumGlyphs = std::clamp(count, 1, 4);
    update();
}

QSize TPicButton::GlyphSize() const
{
    if (FGlyph.isNull())
        return {};
    return QSize(FGlyph.width() / FNumGlyphs, FGlyph.height());
}

int TPicButton::CaptionFlags() const
{
    int flags = Qt::TextWordWrap | Qt::TextExpandTabs | Qt::TextShowMnemonic;
    switch (FAlignment) {
    case taLeftJustify:
        return flags | Qt::AlignLeft;
    case taRightJustify:
        return flags | Qt::AlignRight;
    default:
        return flags | Qt::AlignHCenter;
    }
}

QPoint TPicButton::GlyphPos(const QRect &c) const
{
    const QSize g = GlyphSize();
    // Centred across the layout's axis (the +1 rounds an odd leftover towards the end).
    const int midY = c.top() + (c.height() - g.height() + 1) / 2;
    const int midX = c.left() + (c.width() - g.width() + 1) / 2;
    if (FMargin < 0) {
        // Glyph and caption centred together as one block.
        const QSize caption = fontMetrics().size(Qt::TextShowMnemonic, text());
        const bool across = FLayout == blGlyphLeft || FLayout == blGlyphRight;
        const int gap = text().isEmpty() ? 0 : FSpacing;
        const int block
            = across ? g.width() + gap + caption.width() : g.height() + gap + caption.height();
        const int start = across ? c.left() + (c.width() - block + 1) / 2
                                 : c.top() + (c.height() - block + 1) / 2;
        switch (FLayout) {
        case blGlyphLeft:
            return { start, midY };
        case blGlyphRight:
            return { start + block - g.width(), midY };
        case blGlyphTop:
            return { midX, start };
        case blGlyphBottom:
            return { midX, start + block - g.height() };
        }
    }
    switch (FLayout) {
    case blGlyphRight:
        return { c.left() + c.width() - FMargin - g.width(), midY };
    case blGlyphTop:
        return { midX, c.top() + FMargin };
    case blGlyphBottom:
        return { midX, c.top() + c.height() - FMargin - g.height() };
    default:
        return { c.left() + FMargin, midY };
    }
}

QRect TPicButton::CaptionArea(const QRect &c) const
{
    if (FGlyph.isNull())
        return c;
    const QSize g = GlyphSize();
    const QPoint at = GlyphPos(c);
    QRect area = c;
    switch (FLayout) {
    case blGlyphLeft:
        area.setLeft(at.x() + g.width() + FSpacing);
        break;
    case blGlyphRight:
        area.setRight(at.x() - FSpacing - 1);
        break;
    case blGlyphTop:
        area.setTop(at.y() + g.height() + FSpacing);
        break;
    case blGlyphBottom:
        area.setBottom(at.y() - FSpacing - 1);
        break;
    }
    return area;
}

void TPicButton::DrawContent(QPainter &painter, const QRect &content, bool)
{
    // The content rectangle has already moved by (1, 1) while pressed; glyph and caption
    // move with it.
    if (!FGlyph.isNull()) {
        const QSize g = GlyphSize();
        QPixmap image;
        if (isEnabled() || FNumGlyphs >= 2)
            image = FGlyph.copy(QRect(QPoint((isEnabled() ? 0 : 1) * g.width(), 0), g));
        else // no disabled image of its own: the style greys the normal one
            image
                = style()->generatedIconPixmap(QIcon::Disabled, FGlyph.copy(QRect({}, g)), nullptr);
        painter.drawPixmap(GlyphPos(content), image);
    }
    if (!text().isEmpty())
        DrawCaption(painter, CaptionArea(content));
}

void TPicButton::DrawCaption(QPainter &painter, const QRect &area) const
{
    const int flags = CaptionFlags();
    const QRect measured = painter.fontMetrics().boundingRect(area, flags, text());
    QRect at = area;
    at.setHeight(measured.height());
    if (FAlignmentVertical == taVerticalCenter)
        at.moveTop(area.top() + (area.height() - measured.height()) / 2);
    else if (FAlignmentVertical == taAlignBottom)
        at.moveBottom(area.bottom());
    painter.setFont(font());
    painter.setBackgroundMode(Qt::TransparentMode);
    auto draw = [&](const QColor &colour, QPoint offset) {
        painter.setPen(colour);
        painter.drawText(at.translated(offset), flags, text());
    };
    if (!isEnabled()) {
        // Embossed: a highlight copy one pixel down and right, the shadow copy in place.
        draw(QApplication::palette().color(QPalette::Light), { 1, 1 });
        draw(QApplication::palette().color(QPalette::Dark), {});
        return;
    }
    switch (FTextStyle) {
    case tsRaised:
        draw(FTextHighlightColor, { -1, -1 });
        break;
    case tsRecessed:
        draw(FTextHighlightColor, { 1, 1 });
        break;
    case tsShadow:
        draw(FTextShadowColor, { 2, 2 });
        break;
    case tsNormal:
        break;
    }
    draw(FontColor(), {});
}
