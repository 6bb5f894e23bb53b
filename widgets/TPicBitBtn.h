#pragma once
// The picture button with stock kinds: a kind gives the button its default and cancel
// roles, its modal result, its two-image glyph and its standard caption.

#include "widgets/TBitBtnKind.h"
#include "widgets/TPicButton.h"

struct TBitBtnKindInfo
{
    bool Default;
    bool Cancel;
    int ModalResult;
    const char *Resource; // the glyph's picture among the widget set's resources
    const char *Caption;
};

class TPicBitBtn : public TPicButton
{
    Q_OBJECT
public:
    explicit TPicBitBtn(QWidget *parent = nullptr);

    TBitBtnKind Kind() const { return FKind; }
    // Any kind but bkCustom sets the roles, the modal result, the glyph (two images) and
    // the caption; a window that wants its own caption sets it after the kind.
    void SetKind(TBitBtnKind kind);

    static const TBitBtnKindInfo &KindInfo(TBitBtnKind kind);
    // The kind's glyph strip, loaded the first time it is asked for and shared after that.
    static QPixmap KindGlyph(TBitBtnKind kind);

private:
    TBitBtnKind FKind = bkCustom;
};
