#include "spell/TEditTextSource.h"

#include "platform/core/CodePages.h"
#include "platform/gui/TCustomEdit.h"

#include <QWidget>

TCustomEdit *TEditTextSource::EditOf(TTextSource *source)
{
    auto *adapter = dynamic_cast<TEditTextSource *>(source);
    return adapter ? &adapter->FEdit : nullptr;
}

int TEditTextSource::SelStart() const
{
    return FEdit.SelStart();
}

int TEditTextSource::SelLength() const
{
    return FEdit.SelLength();
}

void TEditTextSource::Select(int start, int length)
{
    FEdit.Select(start, length);
}

void TEditTextSource::SetSelLength(int length)
{
    FEdit.SetSelLength(length);
}

bool TEditTextSource::Modified() const
{
    return FEdit.Modified();
}

void TEditTextSource::SetModified(bool value)
{
    FEdit.SetModified(value);
}

bool TEditTextSource::HideSelection() const
{
    return FEdit.HideSelection();
}

void TEditTextSource::SetHideSelection(bool value)
{
    FEdit.SetHideSelection(value);
}

int TEditTextSource::GetTextLen() const
{
    return FEdit.GetTextLen();
}

int TEditTextSource::GetTextBuf(char *buffer, int size) const
{
    return FEdit.GetTextBuf(buffer, size);
}

uint64_t TEditTextSource::TextVersion() const
{
    return FEdit.TextVersion();
}

void TEditTextSource::ReplaceSelection(const std::u16string &text)
{
    FEdit.SetSelText(QString::fromStdU16String(text));
}

void TEditTextSource::SetFocus()
{
    FEdit.SetFocus();
}

void TEditTextSource::Repaint()
{
    FEdit.Widget()->repaint();
}
