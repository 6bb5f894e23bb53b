#pragma once
// Corrects the word a child has just typed: after a space or Enter typed into the page, the
// spell check component's AutoCorrectKey replaces the word before it from the auto-correct
// list ("teh " becomes "the "). The correction is one undo step of its own, so Ctrl+Z right
// after brings the typed word back.

#include <QObject>

class TCustomSpellDlg;
class TRichEdit;

class TypingCorrector : public QObject
{
    Q_OBJECT
public:
    TypingCorrector(TRichEdit *edit, TCustomSpellDlg *spellDlg, QObject *parent);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Deliver(QEvent *event); // hands the event to the page, past this filter

    TRichEdit *FEdit;
    TCustomSpellDlg *FSpellDlg;
    bool FEnabled = true;
    bool FDelivering = false; // the key is being handed to the page
    bool FNoDictionary = false; // opening it failed: reported once, then left alone
    int FCorrectedRevision = -1; // the document's revision right after the last correction
    int FCaretBeforeCorrection = 0;
};
