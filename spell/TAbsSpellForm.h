#pragma once
// The spelling dialog as the spell check sees it: setters, one question (QueryWord) and
// the window operations. The dialog is shown without a modal loop for a whole check, with
// the program's other windows disabled; QueryWord waits for the user's choice while the
// scan stays in the caller's call stack.

#include "platform/core/CodePageText.h"
#include "spell/core/SpellTypes.h"

#include <QWidget>
#include <cstdint>
#include <memory>
#include <string>

class ChildRanker;
class TAbsBuffer;
class TDictionary;
class TStringList;
class TWindowDisabler;

class TAbsSpellForm : public QWidget
{
    Q_OBJECT
public:
    explicit TAbsSpellForm(QWidget *owner);
    ~TAbsSpellForm() override;

    TAbsBuffer *Buffer = nullptr; // not owned
    TDictionary *Dictionary = nullptr; // not owned
    // When set, suggestions and completions come from the children's ranking; not owned.
    ChildRanker *Ranker = nullptr;
    uint8_t MaxSuggestions = 10;
    TLanguages LabelLanguage = lgEnglish;
    std::string AccentedCharacters; // code page 1252
    int32_t Choice = srNone;
    int HelpContext = 0;
    // What the next QueryWord asks about; the spell check sets it for each question.
    TQueryKind QueryKind = qkUnknownWord;

    virtual void SetAccentedCharacters(const std::string &chars);
    virtual void SetBuffer(TAbsBuffer *buffer);
    virtual void SetDictionary(TDictionary *dictionary);
    virtual void SetLabelLanguage(TLanguages language);
    virtual void SetChoice(int32_t code);

    // Shows word with its suggestions (the form takes them over) and returns the user's
    // choice. word then holds the answer: the unknown word for srLearn, otherwise the
    // replacement.
    virtual int32_t QueryWord(AnsiText &word, std::unique_ptr<TStringList> suggestions);
    // The answer of the last QueryWord exactly as the user typed or chose it, with the
    // characters code page 1252 lacks ("Kő"); answer itself when a form gave no other.
    std::u16string AnswerText(const AnsiText &answer) const;

    // Handles events until a choice is made or the window is closed; waits for the next
    // event instead of spinning.
    void WaitForChoice();
    void ShowNonModal();
    void CloseNonModal();
    virtual void RemoveGlyphs();
    // Moves the dialog off the line at screen Y wordTop (0: nothing), and the mouse
    // pointer with it.
    void ShiftAwayFrom(int32_t wordTop);

protected:
    void closeEvent(QCloseEvent *event) override;

    // Set by a form whose answer may hold characters code page 1252 lacks.
    std::u16string FAnswerText;

private:
    std::unique_ptr<TWindowDisabler> FTaskWindows;
};
