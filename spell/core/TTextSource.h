#pragma once
// What a text buffer needs of the control whose text it checks: its text in code page
// 1252, its selection and modified flag, and a way to replace the selected word. The
// editor adapts its edit controls to it, so the spell core knows no interface type.
//
// Positions are 0-based control positions.

#include <cstdint>
#include <string>

class TTextSource
{
public:
    virtual ~TTextSource() = default;

    virtual int SelStart() const = 0;
    virtual int SelLength() const = 0;
    virtual void Select(int start, int length) = 0;
    virtual void SetSelLength(int length) = 0; // selects from SelStart on

    virtual bool Modified() const = 0;
    virtual void SetModified(bool value) = 0;
    // Whether the selection is hidden while the control has no focus.
    virtual bool HideSelection() const = 0;
    virtual void SetHideSelection(bool value) = 0;

    // Length of the text, one byte per character.
    virtual int GetTextLen() const = 0;
    // Copies at most size - 1 bytes of the text and a terminating zero; returns the number
    // of bytes copied without the terminator.
    virtual int GetTextBuf(char *buffer, int size) const = 0;
    // Grows with every change of the text, so a copy can be told to be current.
    virtual uint64_t TextVersion() const = 0;

    // Replaces the selection with text exactly as given: a character code page 1252 lacks
    // stays what it is. Each UTF-16 code unit is one control position.
    virtual void ReplaceSelection(const std::u16string &text) = 0;
    virtual void SetFocus() = 0;
    // Shows the current selection at once, not at the next idle paint.
    virtual void Repaint() = 0;
};
