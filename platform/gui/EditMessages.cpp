#include "platform/gui/EditMessages.h"

#include "platform/gui/AnsiString.h"
#include "platform/gui/TCustomEdit.h"

#include <QWidget>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unordered_map>

namespace {

std::unordered_map<HWND, TCustomEdit *> &Registry()
{
    static std::unordered_map<HWND, TCustomEdit *> registry;
    return registry;
}

LRESULT GetSel(TCustomEdit &edit, WPARAM wParam, LPARAM lParam)
{
    const int start = edit.SelStart();
    const int end = start + edit.SelLength();
    if (wParam)
        *reinterpret_cast<std::uint32_t *>(wParam) = static_cast<std::uint32_t>(start);
    if (lParam)
        *reinterpret_cast<std::uint32_t *>(lParam) = static_cast<std::uint32_t>(end);
    // The packed form holds 16 bits each; beyond that only the pointers tell.
    if (end > 0xFFFF)
        return -1;
    return MakeLResult(start, end);
}

LRESULT SetSel(TCustomEdit &edit, WPARAM wParam, LPARAM lParam)
{
    const auto start = static_cast<std::intptr_t>(wParam);
    const int count = edit.PositionCount();
    if (start == -1) { // deselect, the caret stays
        edit.SetSelStart(edit.SelStart());
        return 0;
    }
    auto clamp
        = [count](std::intptr_t v) { return v < 0 || v > count ? count : static_cast<int>(v); };
    const int from = clamp(start), to = clamp(lParam);
    edit.Select(std::min(from, to), std::abs(to - from));
    return 0;
}

LRESULT ReplaceSel(TCustomEdit &edit, LPARAM lParam)
{
    const char *text = reinterpret_cast<const char *>(lParam);
    if (!text)
        return 0;
    edit.SetSelText(FromAnsi(std::string_view(text, std::strlen(text))));
    return 0;
}

LRESULT PosFromChar(TCustomEdit &edit, WPARAM wParam)
{
    const auto pos = static_cast<std::intptr_t>(wParam);
    if (pos < 0 || pos > edit.PositionCount())
        return -1;
    const std::optional<QPoint> point = edit.PosFromChar(static_cast<int>(pos));
    return point ? MakeLResult(point->x(), point->y()) : -1;
}

} // namespace

HWND RegisterEditHandle(TCustomEdit *control)
{
    static std::uintptr_t next = 0x1000;
    next += 4;
    const HWND handle = reinterpret_cast<HWND>(next);
    Registry()[handle] = control;
    return handle;
}

void UnregisterEditHandle(HWND handle)
{
    Registry().erase(handle);
}

TCustomEdit *FindEditControl(HWND handle)
{
    const auto it = Registry().find(handle);
    return it == Registry().end() ? nullptr : it->second;
}

LRESULT SendMessage(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TCustomEdit *edit = FindEditControl(handle);
    if (!edit)
        return 0;
    switch (msg) {
    case EM_GETSEL:
        return GetSel(*edit, wParam, lParam);
    case EM_SETSEL:
        return SetSel(*edit, wParam, lParam);
    case EM_REPLACESEL:
        return ReplaceSel(*edit, lParam);
    case EM_GETMODIFY:
        return edit->Modified() ? 1 : 0;
    case EM_SETMODIFY:
        edit->SetModified(wParam != 0);
        return 0;
    case EM_GETLIMITTEXT:
        return edit->LimitText();
    case WM_GETTEXT:
        return edit->GetTextBuf(reinterpret_cast<char *>(lParam),
                                wParam > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(wParam));
    case WM_GETTEXTLENGTH:
        return edit->GetTextLen();
    case EM_POSFROMCHAR:
        return PosFromChar(*edit, wParam);
    case EM_LINEFROMCHAR:
        return edit->LineFromChar(static_cast<int>(static_cast<std::intptr_t>(wParam)));
    case EM_LINEINDEX:
        return edit->LineIndex(static_cast<int>(static_cast<std::intptr_t>(wParam)));
    case EM_GETFIRSTVISIBLELINE:
        return edit->FirstVisibleLine();
    case WM_SETREDRAW:
        edit->Widget()->setUpdatesEnabled(wParam != 0);
        if (wParam)
            edit->Widget()->update();
        return 0;
    default:
        return 0;
    }
}
