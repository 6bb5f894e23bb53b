#include "spell/TCEBuffer.h"

#include "dialogs/MessageDialogs.h"
#include "platform/core/CodePages.h"
#include "platform/gui/AnsiString.h"
#include "platform/gui/Application.h"
#include "platform/gui/TMemo.h"
#include "platform/gui/TRichEdit.h"
#include "spell/MemoUtil.h"
#include "spell/TEditTextSource.h"

#include <algorithm>

void ShowInvalidWordMessage(const std::string &run)
{
    MessageDlg(QStringLiteral("Aborting spell check (Invalid word): \n") + FromAnsi(run), mtError,
               Buttons({ mbOK }), 0);
}

TCEBuffer::TCEBuffer(TComponent *owner)
    : TPCharBuffer(owner)
{ }

int32_t TCEBuffer::GetSelStart()
{
    return Control ? Control->SelStart() : 0;
}

int32_t TCEBuffer::GetSelLength()
{
    return Control ? Control->SelLength() : 0;
}

bool TCEBuffer::GetModified()
{
    return Control && Control->Modified();
}

void TCEBuffer::SetModified(bool)
{
    if (Control)
        Control->SetModified(Control->Modified());
}

int32_t TCEBuffer::GetWordScreenTop()
{
    TCustomEdit *edit = TEditTextSource::EditOf(Control);
    if (!edit)
        return 0;
    if (auto *memo = dynamic_cast<TMemo *>(edit))
        return GetMemoCaretTop(*memo);
    if (dynamic_cast<TRichEdit *>(edit)) {
        const auto point = edit->PosFromChar(edit->SelStart());
        if (point)
            return edit->ClientToScreen(*point).y();
    }
    return edit->ClientToScreen(QPoint(0, 0)).y();
}

void TCEBuffer::SaveSelection()
{
    if (!Control)
        return;
    SavedSelStart = Control->SelStart();
    SavedSelLength = Control->SelLength();
    SavedHideSelection = Control->HideSelection();
    // The highlighted word stays visible while the spelling dialog has the focus.
    Control->SetHideSelection(false);
}

void TCEBuffer::RestoreSelection()
{
    if (!Control)
        return;
    Control->Select(SavedSelStart, SavedSelLength);
    Control->SetHideSelection(SavedHideSelection);
}

int32_t TCEBuffer::GetTextCapacity()
{
    return Control ? Control->GetTextLen() + 1 : 1;
}

void TCEBuffer::LoadText()
{
    if (Control && Control == FLoadedControl && Control->TextVersion() == FLoadedVersion)
        return;
    FLoadedControl = Control;
    FLoadedVersion = Control ? Control->TextVersion() : 0;
    TextLen = GetTextCapacity();
    EnsureCapacity(TextLen);
    if (Control)
        Control->GetTextBuf(Text.data(), TextLen);
    else
        Text[0] = 0;
}

void TCEBuffer::SelectWord()
{
    if (!Control)
        return;
    Control->Select(WordStart - CRCount - 1, WordEnd - WordStart);
    Control->Repaint();
}

void TCEBuffer::CollapseSelection()
{
    if (Control)
        Control->SetSelLength(0);
}

void TCEBuffer::ReplaceWord(const std::string &newText)
{
    ReplaceWordText(CodePages::DecodeAnsi(newText));
}

void TCEBuffer::ReplaceWordText(const std::u16string &newText)
{
    if (!Control)
        return;
    Control->SetFocus();
    SelectWord();
    const int32_t start = WordStart - CRCount - 1, oldLength = WordEnd - WordStart;
    const auto newLength = static_cast<int32_t>(newText.size());
    const int32_t savedEnd
        = MovedPosition(SavedSelStart + SavedSelLength, start, oldLength, newLength);
    SavedSelStart = MovedPosition(SavedSelStart, start, oldLength, newLength);
    SavedSelLength = savedEnd - SavedSelStart;
    Pos = Pos - (WordEnd - WordStart) - 1;
    Control->ReplaceSelection(newText);
    Pos = std::max<int32_t>(Pos + static_cast<int32_t>(newText.size()), 1);
    FReplacementEnd = WordStart + static_cast<int32_t>(newText.size());
    LoadText();
}

void TCEBuffer::ShowInvalidWord(const std::string &run)
{
    ShowInvalidWordMessage(run);
}

void TCEBuffer::SetBusyCursor(bool busy)
{
    TApplication::SetBusyCursor(busy);
}
