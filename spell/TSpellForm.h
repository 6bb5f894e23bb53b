#pragma once
// The standard spelling dialog: the unknown word, a replacement box, the suggestion
// list, the decision buttons and optional accent buttons, with its labels in a strip on
// the left that fits the longest label of the current language.

#include "spell/TAbsSpellForm.h"

#include <functional>

class QCheckBox;
class QFrame;
class QLabel;
class QToolButton;
class TSpeaker;
class QLineEdit;
class TBitBtn;
class TNewListBox;

class TSpellForm : public TAbsSpellForm
{
    Q_OBJECT
public:
    explicit TSpellForm(QWidget *owner);

    void SetAccentedCharacters(const std::string &chars) override;
    void SetLabelLanguage(TLanguages language) override;
    int32_t QueryWord(AnsiText &word, std::unique_ptr<TStringList> suggestions) override;

    // Adds the speech controls in the label strip's free space, where no other control
    // moves: "Listen" (Alt+L) says the selected suggestion, or the replacement box's text
    // when none is selected; with "Speak suggestions" checked, each suggestion is said as
    // the arrow keys select it. onSpeakToggled hears the check box's changes.
    void EnableSpeech(TSpeaker *speaker, bool speakSuggestions,
                      std::function<void(bool)> onSpeakToggled);

    QWidget *pnlMain;
    QLineEdit *edtReplace;
    TBitBtn *btnIgnore;
    TBitBtn *btnIgnoreAll;
    TBitBtn *btnReplace;
    TBitBtn *btnReplaceAll;
    TBitBtn *btnLearn;
    TBitBtn *btnSuggest;
    TNewListBox *lstSuggest;
    QLineEdit *edtBadWord;
    TBitBtn *btnHelp;
    TBitBtn *btnCancel;
    QFrame *Bevel1;
    QFrame *pnlAccents;
    QWidget *pnlLabels;
    QLabel *lblSuggestions;
    QLabel *lblReplace;
    QLabel *lblNotFound;
    QToolButton *btnListen = nullptr; // with EnableSpeech only
    QCheckBox *chkSpeak = nullptr;

protected:
    void showEvent(QShowEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void RelabelSpeech();
    // The asked word's label and the buttons that fit the question.
    void ShowQueryKind();
    TBitBtn *MakeButton(const char *name, const char *caption, QRect bounds, const char *glyph);
    void FormCreate();
    void FormShow();
    void edtReplaceKeyPress();
    void btnSuggestClick();
    void btnHelpClick();
    void lstSuggestDblClick();
    void lstSuggestChange();
    void btnAClick(QChar ch);
    void FillList(std::unique_ptr<TStringList> list);
    void btnListenClick();

    QPoint FNextAccent { 2, 2 };
    QWidget *FLastAccent = nullptr; // the last accent button made, at first pnlAccents
    TSpeaker *FSpeaker = nullptr;
    TQueryKind FShownKind = qkUnknownWord; // the question the label shows
};
