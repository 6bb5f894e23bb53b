#pragma once
// A text buffer over an edit control (TEdit, TMemo or TRichEdit): the copy is the
// control's text in code page 1252, words are selected and replaced in the control
// itself, and the control's selection is restored after the scan.

#include "spell/core/TPCharBuffer.h"

class TCEBuffer : public TPCharBuffer
{
public:
    explicit TCEBuffer(TComponent *owner);

    int32_t SavedSelStart = 0;
    int32_t SavedSelLength = 0;
    bool SavedHideSelection = false;

    int32_t GetSelStart() override;
    int32_t GetSelLength() override;
    bool GetModified() override;
    // A check never clears the document's modified state: the flag is written back as it is.
    void SetModified(bool value) override;
    // Screen Y of the line of the selected word.
    int32_t GetWordScreenTop() override;

    void SaveSelection() override;
    void RestoreSelection() override;
    int32_t GetTextCapacity() override;
    void LoadText() override;
    void SelectWord() override;
    void CollapseSelection() override;
    // newText is code page 1252 text.
    void ReplaceWord(const std::string &newText) override;
    void ReplaceWordText(const std::u16string &newText) override;

protected:
    void ShowInvalidWord(const std::string &run) override;
    void SetBusyCursor(bool busy) override;

private:
    // The control and text version the copy was taken from: a reload of an unchanged
    // text keeps the copy, so a check of a document with unsaved changes stays linear.
    TTextSource *FLoadedControl = nullptr;
    uint64_t FLoadedVersion = 0;
};

// The same report for every buffer of the editor: the run of letters in a message box.
void ShowInvalidWordMessage(const std::string &run);
