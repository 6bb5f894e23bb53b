#include "spell/TMsgBuffer.h"

#include "platform/gui/Application.h"
#include "platform/gui/TCustomEdit.h"
#include "spell/TCEBuffer.h"

#include <algorithm>
#include <cstdint>

TMsgBuffer::TMsgBuffer(TComponent *owner)
    : TPCharBuffer(owner)
{ }

void TMsgBuffer::GetSel(int32_t &start, int32_t &end)
{
    std::uint32_t s = 0, e = 0;
    SendMessage(Handle, EM_GETSEL, reinterpret_cast<WPARAM>(&s), reinterpret_cast<LPARAM>(&e));
    start = static_cast<int32_t>(s);
    end = static_cast<int32_t>(e);
}

int32_t TMsgBuffer::GetSelStart()
{
    int32_t start, end;
    GetSel(start, end);
    return start;
}

int32_t TMsgBuffer::GetSelLength()
{
    int32_t start, end;
    GetSel(start, end);
    return end - start;
}

bool TMsgBuffer::GetModified()
{
    return SendMessage(Handle, EM_GETMODIFY, 0, 0) != 0;
}

void TMsgBuffer::SetModified(bool value)
{
    SendMessage(Handle, EM_SETMODIFY, value ? 1 : 0, 0);
}

void TMsgBuffer::SaveSelection()
{
    try {
        GetSel(SavedSelStart, SavedSelEnd);
    } catch (...) {
        // A window that cannot tell its selection is checked all the same.
    }
}

void TMsgBuffer::RestoreSelection()
{
    SendMessage(Handle, EM_SETSEL, WPARAM(SavedSelStart), LPARAM(SavedSelEnd));
}

int32_t TMsgBuffer::GetTextCapacity()
{
    return static_cast<int32_t>(
        std::clamp<LRESULT>(SendMessage(Handle, EM_GETLIMITTEXT, 0, 0), 0, INT32_MAX - 8192));
}

void TMsgBuffer::LoadText()
{
    const int32_t n = static_cast<int32_t>(
        std::clamp<LRESULT>(SendMessage(Handle, WM_GETTEXTLENGTH, 0, 0), 0, INT32_MAX - 8192));
    TextLen = n + 1;
    EnsureCapacity(TextLen);
    Text[0] = 0;
    SendMessage(Handle, WM_GETTEXT, WPARAM(TextLen), reinterpret_cast<LPARAM>(Text.data()));
}

void TMsgBuffer::SelectWord()
{
    SendMessage(Handle, EM_SETSEL, WPARAM(WordStart - CRCount - 1), LPARAM(WordEnd - CRCount - 1));
}

void TMsgBuffer::CollapseSelection()
{
    int32_t start, end;
    GetSel(start, end);
    SendMessage(Handle, EM_SETSEL, WPARAM(start), LPARAM(start));
}

void TMsgBuffer::ReplaceWord(const std::string &newText)
{
    const std::string text = newText.substr(0, 254);
    if (TCustomEdit *edit = FindEditControl(Handle))
        edit->SetFocus();
    SelectWord();
    const int32_t start = WordStart - CRCount - 1, oldLength = WordEnd - WordStart;
    const auto newLength = static_cast<int32_t>(text.size());
    SavedSelStart = MovedPosition(SavedSelStart, start, oldLength, newLength);
    SavedSelEnd = MovedPosition(SavedSelEnd, start, oldLength, newLength);
    Pos = Pos - (WordEnd - WordStart);
    SendMessage(Handle, EM_REPLACESEL, 1, reinterpret_cast<LPARAM>(text.c_str()));
    Pos = Pos + static_cast<int32_t>(text.size());
    FReplacementEnd = Pos;
    SendMessage(Handle, EM_SETSEL, WPARAM(Pos), LPARAM(Pos));
    LoadText();
}

void TMsgBuffer::ShowInvalidWord(const std::string &run)
{
    ShowInvalidWordMessage(run);
}

void TMsgBuffer::SetBusyCursor(bool busy)
{
    TApplication::SetBusyCursor(busy);
}
