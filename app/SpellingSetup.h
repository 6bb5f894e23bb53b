#pragma once
// The main window's spelling: the spell check component with the window's settings, its
// dictionary and the user's learned words for each language, the auto-correct list (kept
// aside while a language it does not fit is chosen), correction while typing and the check
// as you type, with the two menu commands that turn them on and off.

#include <QObject>
#include <string>

class LiveSpellChecker;
class QAction;
class QWidget;
class TRichEdit;
class TDictionary;
class TSpellDlg;
struct TInterfaceLanguage;

class SpellingSetup : public QObject
{
    Q_OBJECT
public:
    // autoCorrect and spellAsYouType are the window's commands; their checked state is
    // taken from the settings and kept there. dictionary (not owned, outliving the window)
    // is handed to the spell check; without it the spell check makes its own.
    SpellingSetup(TRichEdit *page, QAction *autoCorrect, QAction *spellAsYouType, QWidget *window,
                  TDictionary *dictionary = nullptr);

    TSpellDlg *SpellDlg() const { return FSpellDlg; }
    LiveSpellChecker *LiveSpelling() const { return FLiveSpelling; }

    // The commands that turn the checks in context on and off ("Check Words in Context",
    // "Check Capitals"): checked from the settings, on unless the user turned them off.
    void UseContextCommands(QAction *inContext, QAction *capitals);

    // Opens the language's dictionary with its learned words; reopen closes and reopens
    // an open one (a window being made leaves its dictionary closed).
    void UseDictionaryOf(const TInterfaceLanguage &language, bool reopen);

    // Shows that a list of learned words could not be read and was set aside (the
    // dictionary's SetAsideReporter while the window is there).
    static void ReportSetAsideList(const std::string &listPath, const std::string &keptAs);

    // The remembered choice of "Check Spelling as You Type".
    static constexpr const char *SpellAsYouTypeKey = "Editor/CheckSpellingAsYouType";
    static constexpr const char *InContextKey = "Editor/CheckWordsInContext";
    static constexpr const char *CapitalsKey = "Editor/CheckCapitals";

private:
    void CreateSpellDlg(TRichEdit *page, TDictionary *dictionary);
    void CreateLiveSpelling(TRichEdit *page);
    // Points the spell check at the user's learned words for a dictionary, in the user's
    // data folder, first taking in the words an earlier version kept beside it.
    void UseLearnedWordsOf(const std::string &dictionaryName);
    // Words in context are weighed in English only: elsewhere the command says so.
    void EnableInContextFor(const std::string &dictionaryName);

    QWidget *FWindow;
    QAction *FAutoCorrect;
    QAction *FSpellAsYouType;
    QAction *FInContext = nullptr;
    TSpellDlg *FSpellDlg = nullptr;
    LiveSpellChecker *FLiveSpelling = nullptr;
    std::string FAutoCorrectList; // kept aside while a language it does not fit is chosen
};
