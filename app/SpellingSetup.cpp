#include "app/SpellingSetup.h"

#include "app/InterfaceLanguage.h"
#include "app/Settings.h"
#include "app/TypingCorrector.h"
#include "dictionary/LearnedWordFile.h"
#include "dictionary/SpellingLanguage.h"
#include "dictionary/TDictionary.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/UserDataFolder.h"
#include "platform/gui/Application.h"
#include "platform/gui/TRichEdit.h"
#include "spell/LiveSpellChecker.h"
#include "spell/TSpellDlg.h"

#include <QAction>
#include <QCoreApplication>
#include <QFont>
#include <QSignalBlocker>
#include <QTimer>
#include <QWidget>

namespace {

// The list beside the dictionary (data/autocorrect.sh) and the setting that turns it on.
const char *const AutoCorrectFile = "AUTOCORR.TXT";
const char *const AutoCorrectSetting = "edit/correctWhileTyping";

} // namespace

// The texts here keep the main window's context, under which they are translated.

SpellingSetup::SpellingSetup(TRichEdit *page, QAction *autoCorrect, QAction *spellAsYouType,
                             QWidget *window, TDictionary *dictionary)
    : QObject(window)
    , FWindow(window)
    , FAutoCorrect(autoCorrect)
    , FSpellAsYouType(spellAsYouType)
{
    FAutoCorrect->setCheckable(true);
    FAutoCorrect->setChecked(Settings::Flag(AutoCorrectSetting, true));
    CreateSpellDlg(page, dictionary);
    CreateLiveSpelling(page);
}

void SpellingSetup::CreateSpellDlg(TRichEdit *page, TDictionary *dictionary)
{
    // The spell check's settings as the main window keeps them.
    FSpellDlg = new TSpellDlg(FWindow);
    FSpellDlg->SetDictionary(dictionary);
    QFont font("MS Sans Serif");
    font.setPixelSize(11);
    FSpellDlg->SetFont(font);
    FSpellDlg->SetIgnoreWithNumbers(true);
    FSpellDlg->SetSupportRTF2(true);
    FSpellDlg->SetSuggestionRanking(rkChildren);
    // A school's list of words every child may use, beside the dictionaries.
    FSpellDlg->SetClassWordList(TDictionary::ClassWordsName);
    UseLearnedWordsOf(FSpellDlg->DictionaryName());
    // Common misspellings are corrected as the child types them, in the child's capitals;
    // F7 corrects them too only while that is on, and otherwise asks, the listed
    // correction first.
    if (FileUtils::FileExists(FileUtils::DataDir() + AutoCorrectFile))
        FSpellDlg->SetAutoCorrectList(AutoCorrectFile);
    FSpellDlg->SetMatchTypedCase(true);
    auto *corrector = new TypingCorrector(page, FSpellDlg, this);
    corrector->SetEnabled(FAutoCorrect->isChecked());
    FSpellDlg->SetAutoCorrectInCheck(FAutoCorrect->isChecked());
    connect(FAutoCorrect, &QAction::toggled, this, [this, corrector](bool on) {
        corrector->SetEnabled(on);
        FSpellDlg->SetAutoCorrectInCheck(on);
        Settings::SetFlag(AutoCorrectSetting, on);
    });
}

void SpellingSetup::UseLearnedWordsOf(const std::string &dictionaryName)
{
    // The dictionaries are in the program's data folder, which every user of the machine
    // shares and which an installed program may not write: learned words are each user's own.
    const std::string dictionaryPath = FileUtils::DataDir() + dictionaryName;
    const std::string userPath = LearnedWordFile::UserPathFor(dictionaryPath);
    try {
        UserDataFolder::Create();
        const std::string oldPath = LearnedWordFile::OldPathFor(dictionaryPath);
        if (LearnedWordFile::OldFileWaiting(oldPath, userPath)) {
            const std::string keptAs = LearnedWordFile::TakeInOldFile(oldPath, userPath);
            if (!keptAs.empty() && TDictionary::SetAsideReporter)
                TDictionary::SetAsideReporter(userPath, keptAs);
        }
    } catch (const std::exception &e) {
        // The words stay where they are; the spell check goes on without them.
        TApplication::HandleException(FWindow, e);
    }
    FSpellDlg->SetUserDictionary(userPath);
}

void SpellingSetup::ReportSetAsideList(const std::string &listPath, const std::string &keptAs)
{
    const QString message
        = QCoreApplication::translate(
              "TMainForm",
              "The learned words in %1 could not be read. The file is kept as "
              "%2, and a new list is started.")
              .arg(QString::fromStdString(listPath), QString::fromStdString(keptAs));
    TApplication::HandleException(nullptr, Exception(message.toStdString()));
}

void SpellingSetup::CreateLiveSpelling(TRichEdit *page)
{
    FLiveSpelling = new LiveSpellChecker(page, FSpellDlg);
    QAction *toggle = FSpellAsYouType;
    toggle->setCheckable(true);
    toggle->setChecked(Settings::Flag(SpellAsYouTypeKey, true));
    connect(toggle, &QAction::toggled, this, [this](bool on) {
        Settings::SetFlag(SpellAsYouTypeKey, on);
        FLiveSpelling->SetEnabled(on);
    });
    // Without a dictionary the check goes off for this run; the choice stays remembered.
    connect(FLiveSpelling, &LiveSpellChecker::Disabled, this, [toggle] {
        const QSignalBlocker blocker(toggle);
        toggle->setChecked(false);
    });
    // The dictionary opens once the window runs, after the settings of the spell check
    // are in place, so a failure can be shown over the window.
    QTimer::singleShot(0, FLiveSpelling, [this, toggle] {
        if (toggle->isChecked())
            FLiveSpelling->SetEnabled(true);
    });
}

void SpellingSetup::UseContextCommands(QAction *inContext, QAction *capitals)
{
    const auto wire = [this](QAction *action, const char *key, void (TSpellDlg::*set)(bool)) {
        action->setCheckable(true);
        action->setChecked(Settings::Flag(key, true));
        (FSpellDlg->*set)(action->isChecked());
        connect(action, &QAction::toggled, this, [this, key, set](bool on) {
            Settings::SetFlag(key, on);
            (FSpellDlg->*set)(on);
        });
    };
    wire(inContext, InContextKey, &TSpellDlg::SetCheckWordsInContext);
    wire(capitals, CapitalsKey, &TSpellDlg::SetCheckCapitals);
    FInContext = inContext;
    EnableInContextFor(FSpellDlg->DictionaryName());
}

void SpellingSetup::EnableInContextFor(const std::string &dictionaryName)
{
    if (!FInContext)
        return;
    const bool english = LanguageOfDictionary(dictionaryName) == SpellingLanguage::English;
    FInContext->setEnabled(english);
    FInContext->setToolTip(
        english ? QString()
                : QCoreApplication::translate("TMainForm", "Checks English words only."));
}

void SpellingSetup::UseDictionaryOf(const TInterfaceLanguage &language, bool reopen)
{
    // "ENGLISH" and "ENGLISH.DCT" name the same file; the same one stays open as it is.
    const QString current = QString::fromStdString(FSpellDlg->DictionaryName());
    if (QString(language.Dictionary).startsWith(current, Qt::CaseInsensitive))
        return;
    const bool wasOpen = reopen && FSpellDlg->DictionaryActive();
    if (wasOpen)
        FSpellDlg->SetDictionaryActive(false); // writes the words learned into the old one
    FSpellDlg->SetDictionaryName(language.Dictionary);
    UseLearnedWordsOf(language.Dictionary);
    // The auto-correct pairs are English misspellings: kept aside while they do not fit.
    if (!language.AutoCorrect && !FSpellDlg->AutoCorrectList().empty()) {
        FAutoCorrectList = FSpellDlg->AutoCorrectList();
        FSpellDlg->SetAutoCorrectList({});
    } else if (language.AutoCorrect && FSpellDlg->AutoCorrectList().empty()) {
        FSpellDlg->SetAutoCorrectList(FAutoCorrectList);
    }
    FAutoCorrect->setEnabled(language.AutoCorrect);
    EnableInContextFor(language.Dictionary);
    FAutoCorrect->setToolTip(language.AutoCorrect ? QString()
                                                  : QCoreApplication::translate(
                                                      "TMainForm", "Corrects English words only."));
    if (wasOpen)
        FSpellDlg->SetDictionaryActive(true);
    // The words underlined so far were judged by the old dictionary.
    if (FLiveSpelling->Enabled()) {
        FLiveSpelling->SetEnabled(false);
        FLiveSpelling->SetEnabled(true);
    }
}
