#pragma once
// The spell check component of a window: holds the check's options, opens its
// dictionary (one of its own, or one the window shares between components), creates the spelling
// dialog, and runs a check over an edit control: every word of the text goes through CheckWord,
// which skips known, short and numeric words, applies the change and ignore lists, and asks the
// user about the rest.

#include "platform/core/CodePageText.h"
#include "platform/core/TComponent.h"
#include "platform/core/TStringList.h"
#include "platform/gui/EditMessages.h"
#include "spell/AutoCorrections.h"
#include "spell/core/SpellTypes.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class QWidget;
class ChildRanker;
class ContextCheck;
class TAbsBuffer;
class TAbsSpellForm;
class TDictionary;
class TEditTextSource;
class TSpeaker;
class TTextSource;
class WordSequenceModel;
struct ContextFlag;

// Which ranking the suggestions come in: the dictionary's own ranked search, or the
// children's ranking (ChildRanker), which also leaves out the never-suggest words.
enum TSuggestionRanking : uint8_t { rkFixedSearch, rkChildren };

class TCustomSpellDlg : public QObject, public TComponent
{
    Q_OBJECT
public:
    // owner: the window the component sits on; it also owns the spelling dialog.
    explicit TCustomSpellDlg(QWidget *owner);
    ~TCustomSpellDlg() override;

    QPointer<TAbsSpellForm> Form;
    TStringList ChangeFromList; // code page 1252, as the scan reads words
    // UTF-8, parallel to ChangeFromList: the replacement exactly as typed or listed.
    TStringList ChangeToList;
    TStringList IgnoreAllList; // code page 1252, lower case
    TSpellState SpellState = ssUnchanged;
    // The buffer of the current or last check.
    TAbsBuffer *Buffer() const { return FBuffer.get(); }

    // Events; each replaces the message it is named after.
    std::function<void(TCustomSpellDlg &, TAbsSpellForm *&form)> OnCreateSpellForm;
    std::function<void(TCustomSpellDlg &, const std::string &word, bool &cancelAdd)> OnAddWordMsg;
    std::function<void(TCustomSpellDlg &, const std::string &word)> OnWordAlreadyAddedMsg;
    std::function<void(TCustomSpellDlg &, TSpellState)> OnSpellCheckingComplete;
    std::function<void(TCustomSpellDlg &, int words, int uniqueWords)> OnWordCountMsg;

    // Properties (text properties in code page 1252; file names as they are).
    const std::string &AccentedCharacters() const { return FAccentedCharacters; }
    virtual void SetAccentedCharacters(const std::string &value);
    const std::string &AutoCorrectList() const { return FAutoCorrectList; }
    virtual void SetAutoCorrectList(const std::string &value) { FAutoCorrectList = value; }
    bool AutoShift() const { return FAutoShift; }
    virtual void SetAutoShift(bool value) { FAutoShift = value; }
    bool AutoSuggest() const { return FAutoSuggest; }
    virtual void SetAutoSuggest(bool value) { FAutoSuggest = value; }
    bool ConfirmAdd() const { return FConfirmAdd; }
    virtual void SetConfirmAdd(bool value) { FConfirmAdd = value; }
    const std::string &DictionaryName() const { return FDictionaryName; }
    virtual void SetDictionaryName(const std::string &value) { FDictionaryName = value; }
    bool DictionaryActive() const { return GetDictionaryActive(); }
    virtual void SetDictionaryActive(bool value);
    virtual bool GetDictionaryActive() const;
    const std::string &DictionaryPath() const { return FDictionaryPath; }
    virtual void SetDictionaryPath(const std::string &value) { FDictionaryPath = value; }
    const std::string &ExclusionList() const { return FExclusionList; }
    virtual void SetExclusionList(const std::string &value) { FExclusionList = value; }
    // A read-only list of words known to every user (a class's names), taken beside the
    // dictionary when named without a folder; empty (the default) for none.
    const std::string &ClassWordList() const { return FClassWordList; }
    void SetClassWordList(const std::string &value) { FClassWordList = value; }
    const QFont &Font() const { return FFont; }
    virtual void SetFont(const QFont &value) { FFont = value; }
    int HelpContext() const { return FHelpContext; }
    virtual void SetHelpContext(int value) { FHelpContext = value; }
    bool IgnoreAllUpperCase() const { return FIgnoreAllUpperCase; }
    virtual void SetIgnoreAllUpperCase(bool value) { FIgnoreAllUpperCase = value; }
    bool IgnoreWithNumbers() const { return FIgnoreWithNumbers; }
    virtual void SetIgnoreWithNumbers(bool value) { FIgnoreWithNumbers = value; }
    TLanguages LabelLanguage() const { return FLabelLanguage; }
    virtual void SetLabelLanguage(TLanguages value);
    TSpellCheckMode SpellCheckMode() const { return FSpellCheckMode; }
    virtual void SetSpellCheckMode(TSpellCheckMode value) { FSpellCheckMode = value; }
    int Suggestions() const { return FSuggestions; }
    // Kept within 1..255; a value outside is clamped with a message.
    virtual void SetSuggestions(int value);
    bool ShowCompletedDialog() const { return FShowCompletedDialog; }
    virtual void SetShowCompletedDialog(bool value) { FShowCompletedDialog = value; }
    bool ShowGlyphs() const { return FShowGlyphs; }
    virtual void SetShowGlyphs(bool value) { FShowGlyphs = value; }
    bool SupportHTML() const { return FSupportHTML; }
    virtual void SetSupportHTML(bool value) { FSupportHTML = value; }
    bool SupportRTF2() const { return FSupportRTF2; }
    virtual void SetSupportRTF2(bool value) { FSupportRTF2 = value; }
    const std::string &UserDictionary() const { return FUserDictionary; }
    virtual void SetUserDictionary(const std::string &value) { FUserDictionary = value; }
    TSuggestionRanking SuggestionRanking() const { return FSuggestionRanking; }
    virtual void SetSuggestionRanking(TSuggestionRanking value);
    bool FinishAfterCheck() const { return FFinishAfterCheck; }
    virtual void SetFinishAfterCheck(bool value) { FFinishAfterCheck = value; }

    // Beyond the classic dialog, off by default: with a speaker the spelling dialog gets
    // "Listen" and "Speak suggestions"; the check box's state is kept here and reported to
    // OnSpeakSuggestionsChanged.
    TSpeaker *Speaker() const { return FSpeaker; }
    void SetSpeaker(TSpeaker *speaker) { FSpeaker = speaker; }
    bool SpeakSuggestions() const { return FSpeakSuggestions; }
    void SetSpeakSuggestions(bool value) { FSpeakSuggestions = value; }
    std::function<void(bool)> OnSpeakSuggestionsChanged;

    // Shows the control's page if it sits on a hidden tab or stacked page.
    virtual void RevealControl(QWidget *control);
    // A new buffer for an edit control; anything else raises EClassNotFound.
    virtual void CreateBuffer(QWidget *control);
    // Checks one edit control; 0 nothing changed, 1 changed, 2 cancelled.
    virtual int Check(QWidget *control);
    // Checks an edit window known only by its handle.
    virtual int CheckWindow(HWND handle);
    // Checks every edit control that owner holds, in order, as one check: a cancel ends it;
    // the outcome is reported when showCompleted, and the dialog and dictionary are closed.
    virtual int CheckComponent(QObject *owner, bool showCompleted);
    // Counts the words of an edit control and reports the numbers.
    virtual void CountWords(QWidget *control, int &words, int &uniqueWords);
    // Called by AutoCorrectKey with each word it handled; there for descendants.
    virtual void WordTyped(QWidget *control, const std::string &word);
    // The word (code page 1252) that ends just before the caret, the separator just typed
    // aside; the caret is left on its first character. Word is untouched when there is none
    // to look at (no edit control, caret at the start).
    virtual void GetWordBeforeCaret(QWidget *control, std::string &word);
    // On Enter (13) or space (32) just typed into control, replaces the word before it from
    // the change lists when correct is set; the caret keeps its place after the separator.
    virtual void AutoCorrectKey(QWidget *control, bool correct, uint16_t key);

    // Beyond the classic behaviour, off by default: a correction made from the change
    // lists (by AutoCorrectKey or in a check) takes the capitals of the word typed ("Teh"
    // becomes "The", "TEH" becomes "THE").
    bool MatchTypedCase() const { return FMatchTypedCase; }
    void SetMatchTypedCase(bool value) { FMatchTypedCase = value; }
    // On by default: a check replaces the words of the auto-correct list without asking.
    // Off: a check asks about them as about any other misspelt word; AutoCorrectKey still
    // corrects them. Either way the listed correction is the first suggestion for such
    // a word.
    bool AutoCorrectInCheck() const { return FAutoCorrectInCheck; }
    void SetAutoCorrectInCheck(bool value) { FAutoCorrectInCheck = value; }

    // Beyond the classic check, both off by default: known words that their sentence says
    // are the wrong ones ("go their after"), and words that need a capital letter. A check
    // (F7) then stops on such words too, in text order with the unknown ones, and asks
    // about them as about an unknown word. Words in context need the word-sequence model,
    // read on a worker thread once the option is on and an English dictionary open; until
    // it is there only capitals are found, and ContextChanged says when it arrives.
    bool CheckWordsInContext() const { return FCheckWordsInContext; }
    void SetCheckWordsInContext(bool value);
    bool CheckCapitals() const { return FCheckCapitals; }
    void SetCheckCapitals(bool value);
    // Whether either check in context is on.
    bool ChecksContext() const { return FCheckWordsInContext || FCheckCapitals; }
    // The flags of one paragraph (code page 1252) as the options ask for them, words in
    // IgnoreAllList left out; none while both are off or the dictionary is closed. With
    // finishedOnly the sentence still being written is left out.
    std::vector<ContextFlag> ContextFlags(std::string_view paragraph, bool finishedOnly) const;
    // Whether the model for words in context has been read (and the dictionary is English).
    bool ContextModelReady() const;
    // Waits for the model being read, if any (tests and measurements).
    void WaitForContextModel();

    void CreateForm();
    void ResolveDictionaryPath();
    void LoadAutoCorrectList();
    int32_t AskUser(AnsiText &word);
    // The buffer's word handler; the buffer scans code page 1252 text.
    void CheckWord(TAbsBuffer &sender, const std::string &scanned, bool &stop);
    void OpenAndShow();
    void CloseAll();
    void ShowForm();
    void HideForm();
    bool ActivateDictionary();
    void DeactivateDictionary();
    bool IsKnownWord(const AnsiText &word);

    // Helpers for checking while typing.
    // Whether a word of the text counts as misspelt: the check looks at it, it is not in
    // IgnoreAllList, and the open dictionary does not know it. Never opens the dictionary
    // and never shows anything: false while the dictionary is closed.
    bool IsMisspelt(const AnsiText &word) const;
    // The suggestions the spelling dialog lists for a word.
    std::unique_ptr<TStringList> WordSuggestions(const AnsiText &word);
    // The same for the word at start..start+length of a paragraph (code page 1252): with
    // words checked in context, ordered by how well each fits between its neighbours.
    std::unique_ptr<TStringList> WordSuggestions(const AnsiText &word, std::string_view paragraph,
                                                 int32_t start);
    // The dialog's Learn (with its confirmation) and Ignore All for a word.
    void LearnWord(const AnsiText &word);
    void IgnoreAll(const AnsiText &word);
    // Takes in words another program added to the user word list since it was read;
    // true when there were any.
    bool TakeInOutsideWords();

signals:
    // A word was learned or ignored everywhere: earlier answers about words may change.
    void WordListsChanged();
    // The checks in context changed (an option, or the model arrived): flags may differ.
    void ContextChanged();

public:
    // The dictionary the component checks with and its dialog shows. A component given
    // none makes and owns one of its own.
    TDictionary &Dictionary() const { return *FDictionary; }
    // Checks with a dictionary owned elsewhere (shared between components) from now on;
    // nullptr goes back to one of the component's own. Not owned: it must outlive the
    // component, whose destruction closes it (saving learned words). Set it before the
    // first check; an own dictionary in use is closed first.
    void SetDictionary(TDictionary *dictionary);

private:
    // Resets the check's lists (to the auto-correct pairs) and state and activates the
    // dictionary when needed; false when there is no dictionary to check with.
    bool BeginCheck();
    int RunCheck(TSpellCheckMode mode, TTextSource *control);
    void ReportOutcome();
    // The outcome's event or message, whatever ShowCompletedDialog says.
    void ReportState();
    void Learn(const AnsiText &word);
    // A correction of the change lists (UTF-8) for a word typed so, with its capitals when
    // MatchTypedCase is on.
    QString Correction(const AnsiText &typed, const std::string &utf8) const;
    // The paragraph (up to a line break) holding the buffer's word, with the word's offset.
    static std::string_view ParagraphAt(const TAbsBuffer &buffer, int32_t &offset);
    // The flag of the check in context on the word the buffer stands at, if any.
    const ContextFlag *FlagAt(TAbsBuffer &sender);
    // Asks about a flagged word: the dialog's label names the problem, the word meant first.
    void AskAboutFlag(TAbsBuffer &sender, const ContextFlag &flag, bool &stop);
    // Shows the word the buffer is on, selected, with the dialog moved off it.
    void ShowWordAsked(TAbsBuffer &sender);
    // Points the check in context at the current dictionary, ranking and model.
    void ConnectContext();
    void StartModelLoad();
    void ModelLoaded();

    std::string FAccentedCharacters;
    std::string FAutoCorrectList;
    bool FAutoShift = true;
    bool FAutoSuggest = true;
    bool FConfirmAdd = true;
    std::string FDictionaryName = "ENGLISH";
    std::string FDictionaryPath = "APPLICATIONPATH";
    std::string FExclusionList;
    std::string FClassWordList;
    QFont FFont;
    int FHelpContext = 0;
    bool FIgnoreAllUpperCase = false;
    bool FIgnoreWithNumbers = false;
    TLanguages FLabelLanguage = lgEnglish;
    TSpellCheckMode FSpellCheckMode = scmCheckFromStart;
    int FSuggestions = 10;
    bool FShowCompletedDialog = true;
    bool FShowGlyphs = true;
    bool FSupportHTML = false;
    bool FSupportRTF2 = false;
    std::string FUserDictionary = "USERDCT.TXT";
    bool FFinishAfterCheck = true;
    TSuggestionRanking FSuggestionRanking = rkFixedSearch;
    // The component's own dictionary when it was given none; declared before the ranker,
    // which reads it, so that it goes last.
    std::unique_ptr<TDictionary> FOwnDictionary;
    TDictionary *FDictionary; // FOwnDictionary or the one given; never null
    std::unique_ptr<ChildRanker> FRanker; // made when the children's ranking is chosen
    bool FOpenFailed = false; // the dictionary could not be opened during this check
    bool FMatchTypedCase = false;
    bool FAutoCorrectInCheck = true;
    // The pairs of the auto-correct file as loaded; every check starts its change lists
    // from them, so they hold in every check, not only the first after activation.
    AutoCorrections FAutoCorrections;
    QWidget *FOwnerWindow;
    TSpeaker *FSpeaker = nullptr;
    bool FSpeakSuggestions = false;
    bool FCheckWordsInContext = false;
    bool FCheckCapitals = false;
    // The model while it is read, then once read (kept when another language is chosen);
    // declared before the check that points at it.
    std::future<std::unique_ptr<WordSequenceModel>> FModelLoad;
    std::unique_ptr<WordSequenceModel> FModel;
    std::unique_ptr<ContextCheck> FContext; // reads the dictionary, ranker and model
    std::string FConfusablesPath; // the confusable words FContext holds, beside the dictionary
    bool FModelFailed = false; // tried once; not again in this run
    // The flags of each sentence checked, by its text (as ContextFlags cuts it out).
    mutable std::unordered_map<std::string, std::vector<ContextFlag>> FSentenceFlags;
    // The flags of the paragraph the last check stood in, with that paragraph's text.
    std::string FFlaggedParagraph;
    std::vector<ContextFlag> FParagraphFlags;
    // The edit control of the current or last check, as the buffer sees it.
    std::unique_ptr<TEditTextSource> FEditSource;
    std::unique_ptr<TAbsBuffer> FBuffer; // reads FEditSource, so it goes first
};
