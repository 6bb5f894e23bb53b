#pragma once
// A text buffer is the spell check's view of the text being checked: a copy of an edit
// control's text in code page 1252, walked word by word. Each word goes to OnWord, which
// may select it in the control, replace it, or stop the scan; after every change the
// copy is reloaded. This base holds the scan loop, the word count and the position
// conventions; the descendants know the control.
//
// Positions: Pos is 1-based into the copy (position p is Text[p - 1]); control positions
// are 0-based.

#include "platform/core/TComponent.h"
#include "spell/core/SpellTypes.h"
#include "spell/core/TTextSource.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class TAbsBuffer;

// Called for every word of a scan; setting stop ends the scan after this word. The empty
// word at the end of the text is passed too.
using TBufferWordEvent
    = std::function<void(TAbsBuffer &sender, const std::string &word, bool &stop)>;

class TAbsBuffer : public TComponent
{
public:
    explicit TAbsBuffer(TComponent *owner);

    int32_t TextLen = 0; // positions 1 .. TextLen - 1 are scanned
    int32_t WordStart = 1;
    int32_t WordEnd = 1;
    TTextSource *Control = nullptr; // not owned
    bool AllDigits = false;
    bool SupportHTML = false;
    bool SupportRTF2 = false;
    TSpellCheckMode Mode = scmCheckFromStart;
    TBufferWordEvent OnWord;
    bool IgnoreAllUpperCase = false;
    bool IgnoreWithNumbers = false;
    std::vector<char> Text; // the copy, code page 1252, zero-terminated
    int32_t Capacity = 0;
    int32_t Pos = 1;

    // The character at Pos (the terminator at and beyond TextLen).
    char *CurChar();

    virtual int32_t GetSelStart();
    virtual int32_t GetSelLength();
    virtual bool GetModified() = 0;
    virtual void SetModified(bool value) = 0;
    virtual int32_t GetWordScreenTop();

    virtual void InitScan();
    virtual void SaveSelection() { }
    virtual void RestoreSelection() { }
    virtual int32_t GetTextCapacity();
    virtual void GetWordAtCursor(TTextSource *control, std::string &word) = 0;
    virtual void GetNextWord(std::string &word) = 0;
    virtual void BackToWordStart() = 0;
    virtual void LoadText() = 0;
    virtual void SelectWord() { }
    virtual void CollapseSelection() { }
    virtual void ReplaceWord(const std::string &newText) = 0;
    // The same with the text exactly as the user typed or chose it. A buffer over a
    // control that holds any character puts it in as it is; the others take its code
    // page 1252 bytes.
    virtual void ReplaceWordText(const std::u16string &newText);
    virtual void CountWords(TTextSource *control, int32_t &words, int32_t &uniqueWords);

    // Runs a whole scan over the control's text in the given mode.
    void ScanWords(TTextSource *control, TSpellCheckMode mode);

    // After a replacement the scan normally backs up and reads the new text again. This
    // makes the scan go on after the new text instead, so a replacement that contains
    // the replaced word is not met again.
    void SkipReplacement();

    // A control position after oldLength characters at start were replaced by newLength:
    // positions past the replaced text move by the change of length, positions inside it
    // go to the end of the new text, earlier ones stay. Keeps the saved selection on its
    // text while words before it are replaced.
    static int32_t MovedPosition(int32_t pos, int32_t start, int32_t oldLength, int32_t newLength);

    static bool IsAllUpperCase(const std::string &word);
    static bool HasDigit(const std::string &word);

protected:
    // A run of word characters too long to be a word ends the scan; the user is told.
    virtual void ShowInvalidWord(const std::string &run);
    // The busy cursor during a scan or a count.
    virtual void SetBusyCursor(bool) { }
    // Line breaks passed are counted again from the top of the text.
    virtual void ResetCRCount() { }
    // Whether InitScan allocates the copy (buffers over a control or a window).
    virtual bool HasTextSource() { return Control != nullptr; }
    // Makes room for a text of textLen bytes with its terminator; the copy only grows.
    void EnsureCapacity(int32_t textLen);

    int32_t FReplacementEnd = 0; // position just after the last replacement's text
    bool FSkipReplacement = false;
};
