#pragma once
// A push button that carries the glyph of its kind beside its caption.

#include "widgets/TBitBtnKind.h"

#include <QPushButton>

class TBitBtn : public QPushButton
{
    Q_OBJECT
public:
    explicit TBitBtn(QWidget *parent = nullptr);
    void SetKind(TBitBtnKind kind); // sets only the glyph
    TBitBtnKind Kind() const { return FKind; }
    int ModalResult = 0;
    bool Cancel = false; // answers the Escape key

private:
    TBitBtnKind FKind = bkCustom;
};
