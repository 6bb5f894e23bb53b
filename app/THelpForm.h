#pragma once
// The Help window: one page of help text in an editable rich-text control. It lives for
// the whole run, so what the user types into it stays until the program ends.

#include "app/TFixedForm.h"

class TRichEdit;

class THelpForm : public TFixedForm
{
    Q_OBJECT
public:
    explicit THelpForm(QWidget *parent = nullptr);

    TRichEdit *RichEdit1() const { return FRichEdit1; }
    // The help text as designed, line by line (trailing blanks belong to it).
    static const QStringList HelpLines;

    // A guide for children and parents after that text (spelling, reading aloud, saving,
    // the keys), on a page that can be read and scrolled but not changed; Escape closes
    // the window. Off as designed: one editable page.
    void SetGuide(bool on);

protected:
    void changeEvent(QEvent *event) override;

private:
    void Retranslate();

    TRichEdit *FRichEdit1 = nullptr;
    bool FGuide = false;
};
