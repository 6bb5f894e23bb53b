#pragma once
// Window handles of the edit controls and the edit messages sent to them. Code that
// knows an edit window only by its handle drives it through SendMessage, with the
// message numbers and parameter conventions of the classic edit control.

#include <cstdint>

struct TWindowHandleTag;
using HWND = TWindowHandleTag *; // opaque; nullptr is no window
using UINT = unsigned int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;

class TCustomEdit;

enum : UINT {
    WM_SETREDRAW = 0x000B, // wParam 0 stops repainting, non-zero resumes it
    WM_GETTEXT = 0x000D, // wParam buffer size with terminator, lParam char*; returns chars copied
    WM_GETTEXTLENGTH = 0x000E, // length of the ANSI text with CR LF line ends
    EM_GETSEL = 0x00B0, // wParam/lParam: optional DWORD* for start/end; returns start | end << 16
    EM_SETSEL = 0x00B1, // wParam start, lParam end; start -1 deselects, end -1 means the end
    EM_GETMODIFY = 0x00B8,
    EM_SETMODIFY = 0x00B9, // wParam: the new flag
    EM_LINEINDEX = 0x00BB, // wParam line (-1: the caret's); returns its first position or -1
    EM_REPLACESEL = 0x00C2, // lParam: const char*, zero-terminated ANSI (code page 1252)
    EM_LINEFROMCHAR = 0x00C9, // wParam position (-1: the selection start's line)
    EM_GETFIRSTVISIBLELINE = 0x00CE,
    EM_GETLIMITTEXT = 0x00D5,
    EM_POSFROMCHAR = 0x00D6, // wParam position; returns x | y << 16 in client coordinates, or -1
};

// Packs two 16-bit values the way the classic messages return them; LoWord and HiWord
// read them back as signed values (coordinates may be negative).
constexpr LRESULT MakeLResult(int low, int high)
{
    return static_cast<LRESULT>(
        static_cast<std::int32_t>((static_cast<std::uint32_t>(low) & 0xFFFFu)
                                  | ((static_cast<std::uint32_t>(high) & 0xFFFFu) << 16)));
}
constexpr int LoWord(LRESULT value)
{
    return static_cast<std::int16_t>(value & 0xFFFF);
}
constexpr int HiWord(LRESULT value)
{
    return static_cast<std::int16_t>((value >> 16) & 0xFFFF);
}

// Registration, done by every edit control for its lifetime.
HWND RegisterEditHandle(TCustomEdit *control);
void UnregisterEditHandle(HWND handle);
TCustomEdit *FindEditControl(HWND handle); // nullptr for an unknown handle

// Sends a message to the edit control with that handle; an unknown handle or message
// answers 0.
LRESULT SendMessage(HWND handle, UINT msg, WPARAM wParam, LPARAM lParam);
