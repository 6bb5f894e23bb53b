#pragma once
// The word scanner as a buffer, and a complete buffer over a text held in memory
// (Source). The edit-control and window buffers build on it.

#include "spell/core/TAbsBuffer.h"

class TPCharBuffer : public TAbsBuffer
{
public:
    explicit TPCharBuffer(TComponent *owner);

    bool Modified = false;
    std::string *Source = nullptr; // the text worked on when used by itself; not owned
    int32_t CRCount = 0; // carriage returns passed since the scan began (SupportRTF2)

    bool GetModified() override { return Modified; }
    void SetModified(bool value) override { Modified = value; }

    void GetWordAtCursor(TTextSource *control, std::string &word) override;
    void GetNextWord(std::string &word) override;
    void BackToWordStart() override;
    void LoadText() override;
    void ReplaceWord(const std::string &newText) override;

protected:
    void ResetCRCount() override { CRCount = 0; }
    bool HasTextSource() override { return Control != nullptr || Source != nullptr; }
    // Copies a text of n bytes into the copy and sets TextLen to n + 1.
    void TakeText(const char *text, int32_t n);
};
