#pragma once
// A text buffer over any edit window known only by its handle, driven purely by edit
// messages.

#include "platform/gui/EditMessages.h"
#include "spell/core/TPCharBuffer.h"

class TMsgBuffer : public TPCharBuffer
{
public:
    explicit TMsgBuffer(TComponent *owner);

    HWND Handle = nullptr;
    int32_t SavedSelStart = 0;
    int32_t SavedSelEnd = 0;

    int32_t GetSelStart() override;
    int32_t GetSelLength() override;
    bool GetModified() override;
    void SetModified(bool value) override;
    int32_t GetWordScreenTop() override { return 0; }

    void SaveSelection() override;
    void RestoreSelection() override;
    int32_t GetTextCapacity() override;
    void LoadText() override;
    void SelectWord() override;
    void CollapseSelection() override;
    // newText is code page 1252 text; at most 254 characters of it are written.
    void ReplaceWord(const std::string &newText) override;

protected:
    bool HasTextSource() override { return true; }
    void ShowInvalidWord(const std::string &run) override;
    void SetBusyCursor(bool busy) override;

private:
    void GetSel(int32_t &start, int32_t &end);
};
