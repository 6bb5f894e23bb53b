#include "platform/gui/TMemo.h"

#include <algorithm>

TMemo::TMemo(QWidget *parent)
    : QPlainTextEdit(parent)
    , TCustomMemo(2)
{
    SetHideSelection(true);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { NoteTextChanged(); });
}

int TMemo::LimitText() const
{
    return std::max(30000, GetTextLen());
}
