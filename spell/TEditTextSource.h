#pragma once
// An edit control (TEdit, TMemo or TRichEdit) as the text source of a spell-check
// buffer. The control is not owned and must outlive the adapter.

#include "spell/core/TTextSource.h"

class TCustomEdit;

class TEditTextSource final : public TTextSource
{
public:
    explicit TEditTextSource(TCustomEdit &edit)
        : FEdit(edit)
    { }

    TCustomEdit &Edit() const { return FEdit; }
    // The edit control behind a source, or nothing for another kind of source.
    static TCustomEdit *EditOf(TTextSource *source);

    int SelStart() const override;
    int SelLength() const override;
    void Select(int start, int length) override;
    void SetSelLength(int length) override;
    bool Modified() const override;
    void SetModified(bool value) override;
    bool HideSelection() const override;
    void SetHideSelection(bool value) override;
    int GetTextLen() const override;
    int GetTextBuf(char *buffer, int size) const override;
    uint64_t TextVersion() const override;
    void ReplaceSelection(const std::u16string &text) override;
    void SetFocus() override;
    void Repaint() override;

private:
    TCustomEdit &FEdit;
};
