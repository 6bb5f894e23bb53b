#pragma once
// A picture button: the custom button with a glyph strip beside its caption, laid out
// by Layout, Margin and Spacing, and a caption aligned, word-wrapped and, while disabled,
// embossed in the system colours.

#include "widgets/TPicCustomButton.h"

#include <QPixmap>

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TVerticalAlignment { taAlignTop, taAlignBottom, taVerticalCenter };
enum TTextStyle { tsNormal, tsRaised, tsRecessed, tsShadow };

class TPicButton : public TPicCustomButton
{
    Q_OBJECT
public:
    explicit TPicButton(QWidget *parent = nullptr);

    // The picture strip: NumGlyphs images of equal width; image 1 normal, image 2 disabled.
    // A strip whose width is a whole multiple of its height sets NumGlyphs to that
    // multiple (1 when it is more than 4).
    const QPixmap &Glyph() const { return FGlyph; }
    void SetGlyph(const QPixmap &glyph);
    int NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(int count); // 1 to 4
    QSize GlyphSize() const; // one image of the strip

    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout layout) { Assign(FLayout, layout); }
    int Margin() const { return FMargin; }
    void SetMargin(int margin)
    {
        Assign(FMargin, margin);
    } // below 0: glyph and caption centred together
    int Spacing() const { return FSpacing; }
    void SetSpacing(int spacing) { Assign(FSpacing, spacing); }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment alignment) { Assign(FAlignment, alignment); }
    TVerticalAlignment AlignmentVertical() const { return FAlignmentVertical; }
    void SetAlignmentVertical(TVerticalAlignment alignment)
    {
        Assign(FAlignmentVertical, alignment);
    }
    TTextStyle TextStyle() const { return FTextStyle; }
    void SetTextStyle(TTextStyle style) { Assign(FTextStyle, style); }
    QColor TextShadowColor() const { return FTextShadowColor; }
    void SetTextShadowColor(const QColor &color) { Assign(FTextShadowColor, color); }
    QColor TextHighlightColor() const { return FTextHighlightColor; }
    void SetTextHighlightColor(const QColor &color) { Assign(FTextHighlightColor, color); }

    // Where the glyph's top-left corner and the caption's area lie for a content rectangle.
    QPoint GlyphPos(const QRect &content) const;
    QRect CaptionArea(const QRect &content) const;

protected:
    void DrawContent(QPainter &painter, const QRect &content, bool pressed) override;

private:
    int CaptionFlags() const;
    void DrawCaption(QPainter &painter, const QRect &area) const;

    QPixmap FGlyph;
    int FNumGlyphs = 1;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = 2;
    int FSpacing = 4;
    TAlignment FAlignment = taCenter;
    TVerticalAlignment FAlignmentVertical = taVerticalCenter;
    TTextStyle FTextStyle = tsNormal;
    QColor FTextShadowColor;
    QColor FTextHighlightColor;
};
