#include "spell/TCustomSpellDlg.h"

#include "dialogs/MessageDialogs.h"
#include "dictionary/ChildRanker.h"
#include "dictionary/LearnedWordFile.h"
#include "dictionary/SpellingLanguage.h"
#include "dictionary/TDictionary.h"
#include "dictionary/WordSequenceModel.h"
#include "platform/core/CodePages.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/gui/AnsiString.h"
#include "platform/gui/Application.h"
#include "platform/gui/TCustomEdit.h"
#include "spell/TAbsSpellForm.h"
#include "spell/TCEBuffer.h"
#include "spell/TEditTextSource.h"
#include "spell/TMsgBuffer.h"
#include "spell/TSpellForm.h"
#include "spell/TypingCorrection.h"
#include "spell/core/ContextCheck.h"
#include "spell/core/CorrectionList.h"
#include "spell/core/LanguageTables.h"
#include "spell/core/SentenceScan.h"
#include "spell/core/WordRule.h"

#include <QCoreApplication>
#include <QStackedWidget>
#include <QTabWidget>
#include <algorithm>
#include <memory>
#include <utility>

namespace {

// Sentences kept with their flags; more are forgotten all at once.
constexpr size_t MaxKeptSentences = 4096;

// What separates one sentence from the next: a space, a line end, an end mark, a table bar.
bool IsSentenceGap(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n' || ch == '.' || ch == '!'
        || ch == '?' || ch == '|' || ch == '\xA0';
}

// Message texts use a lone CR as their line break.
QString MessageText(std::string_view utf8)
{
    QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    return text;
}

int Message(const QString &text, TMsgDlgType type, TMsgDlgButtons buttons)
{
    return MessageDlg(text, type, buttons, 0);
}

bool HasExtension(const std::string &name)
{
    const std::string file = FileUtils::ExtractFileName(name);
    const size_t dot = file.rfind('.');
    return dot != std::string::npos && dot > 0;
}

std::string Upper(std::string text)
{
    for (char &c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

} // namespace

TCustomSpellDlg::TCustomSpellDlg(QWidget *owner)
    : QObject(owner)
    , TComponent(nullptr)
    , FOwnDictionary(std::make_unique<TDictionary>())
    , FDictionary(FOwnDictionary.get())
    , FOwnerWindow(owner)
    , FContext(std::make_unique<ContextCheck>(*FDictionary))
{
    setObjectName("SpellDlg");
    ConnectContext();
    // A word learned or taken in may be flagged otherwise now.
    connect(this, &TCustomSpellDlg::WordListsChanged, this, [this] { FSentenceFlags.clear(); });
    FFont = QFont("MS Sans Serif");
    FFont.setPointSize(8);
}

TCustomSpellDlg::~TCustomSpellDlg()
{
    // A model still being read is waited for while the object can still take its message.
    if (FModelLoad.valid())
        FModelLoad.wait();
    // The dialog belongs to the owner window; the dictionary is closed here, which saves
    // learned words. Failures are reported, never thrown out of a destructor.
    try {
        DeactivateDictionary();
    } catch (const std::exception &e) {
        TDictionary::ErrorReporter(e.what());
    }
    // The dialog may outlive the component; the dictionary and ranking it points at may not.
    if (Form) {
        Form->Dictionary = nullptr;
        Form->Ranker = nullptr;
    }
}

void TCustomSpellDlg::SetDictionary(TDictionary *dictionary)
{
    if (dictionary == FDictionary)
        return;
    if (FOwnDictionary)
        DeactivateDictionary(); // saves what was learned in it
    FOwnDictionary = dictionary ? nullptr : std::make_unique<TDictionary>();
    FDictionary = dictionary ? dictionary : FOwnDictionary.get();
    if (FRanker)
        FRanker = std::make_unique<ChildRanker>(*FDictionary);
    FContext = std::make_unique<ContextCheck>(*FDictionary);
    FConfusablesPath.clear();
    ConnectContext();
    if (Form) {
        Form->Dictionary = FDictionary;
        Form->Ranker = FSuggestionRanking == rkChildren ? FRanker.get() : nullptr;
    }
}

void TCustomSpellDlg::SetCheckWordsInContext(bool value)
{
    if (value == FCheckWordsInContext)
        return;
    FCheckWordsInContext = value;
    ConnectContext();
    emit ContextChanged();
}

void TCustomSpellDlg::SetCheckCapitals(bool value)
{
    if (value == FCheckCapitals)
        return;
    FCheckCapitals = value;
    ConnectContext();
    emit ContextChanged();
}

void TCustomSpellDlg::ConnectContext()
{
    const bool english = LanguageOfDictionary(FDictionaryName) == SpellingLanguage::English;
    FContext->CheckWords = FCheckWordsInContext;
    FContext->CheckCapitals = FCheckCapitals;
    FContext->SetRanker(FRanker.get());
    FContext->SetModel(english ? FModel.get() : nullptr);
    FSentenceFlags.clear();
    FFlaggedParagraph.clear();
    FParagraphFlags.clear();
    // The confusable words and the model are read for a dictionary in use once the option
    // asks for them: after the window is up, and never by a component without the option.
    if (!FCheckWordsInContext || !english || !Dictionary().Active)
        return;
    const std::string confusables = FDictionaryPath + ContextCheck::ConfusablesFileName;
    if (confusables != FConfusablesPath && FContext->LoadConfusables(confusables))
        FConfusablesPath = confusables;
    StartModelLoad();
}

void TCustomSpellDlg::StartModelLoad()
{
    if (FModel || FModelLoad.valid() || FModelFailed)
        return;
    // Reading the model takes a noticeable moment and much memory: off the interface
    // thread, and only once somebody asks for words in context.
    FModelLoad = std::async(std::launch::async, [this] {
        std::string error;
        auto model = WordSequenceModel::ForLanguage(SpellingLanguage::English, error);
        QMetaObject::invokeMethod(this, &TCustomSpellDlg::ModelLoaded, Qt::QueuedConnection);
        return model;
    });
}

void TCustomSpellDlg::ModelLoaded()
{
    if (!FModelLoad.valid())
        return; // already taken by WaitForContextModel
    FModel = FModelLoad.get();
    // Without the model (not installed) only capitals are checked, for the whole run.
    FModelFailed = !FModel;
    ConnectContext();
    if (FModel)
        emit ContextChanged();
}

void TCustomSpellDlg::WaitForContextModel()
{
    if (FModelLoad.valid())
        ModelLoaded();
}

bool TCustomSpellDlg::ContextModelReady() const
{
    return FContext->Model() != nullptr;
}

std::vector<ContextFlag> TCustomSpellDlg::ContextFlags(std::string_view paragraph,
                                                       bool finishedOnly) const
{
    if (!ChecksContext() || !Dictionary().Active)
        return {};
    // Sentences are weighed each on its own, so each one's flags are kept by its text: a
    // key typed costs the sentence it changed, not the whole paragraph again.
    const std::vector<SentenceScan::Sentence> sentences = SentenceScan::Split(paragraph);
    std::vector<size_t> starts; // where each sentence's text begins, its opening marks included
    size_t previousEnd = 0;
    for (const SentenceScan::Sentence &sentence : sentences) {
        if (sentence.Words.empty())
            continue;
        auto from = static_cast<size_t>(sentence.Words.front().Start);
        while (from > previousEnd && !IsSentenceGap(paragraph[from - 1]))
            --from;
        starts.push_back(from);
        const SentenceScan::Word &last = sentence.Words.back();
        previousEnd = static_cast<size_t>(last.Start + last.Length);
    }
    size_t count = starts.size();
    if (finishedOnly && count > 0 && !sentences.back().Finished)
        --count;
    std::vector<ContextFlag> flags;
    for (size_t i = 0; i < count; ++i) {
        size_t end = i + 1 < starts.size() ? starts[i + 1] : paragraph.size();
        while (end > starts[i] && (paragraph[end - 1] == ' ' || paragraph[end - 1] == '\t'))
            --end; // the spaces typed after a sentence leave it as it was
        const std::string chunk(paragraph.substr(starts[i], end - starts[i]));
        auto known = FSentenceFlags.find(chunk);
        if (known == FSentenceFlags.end()) {
            if (FSentenceFlags.size() >= MaxKeptSentences)
                FSentenceFlags.clear();
            known = FSentenceFlags.emplace(chunk, FContext->Check(chunk, false)).first;
        }
        for (ContextFlag flag : known->second) {
            const AnsiText word(
                chunk.substr(static_cast<size_t>(flag.Start), static_cast<size_t>(flag.Length)));
            if (IgnoreAllList.IndexOf(CodePages::LowerCase(word).str()) >= 0)
                continue;
            flag.Start += static_cast<int32_t>(starts[i]);
            flags.push_back(std::move(flag));
        }
    }
    return flags;
}

void TCustomSpellDlg::SetAccentedCharacters(const std::string &value)
{
    FAccentedCharacters = value;
    if (Form)
        Form->SetAccentedCharacters(value);
}

void TCustomSpellDlg::SetLabelLanguage(TLanguages value)
{
    FLabelLanguage = value;
    if (Form)
        Form->SetLabelLanguage(value);
}

void TCustomSpellDlg::SetSuggestionRanking(TSuggestionRanking value)
{
    FSuggestionRanking = value;
    if (value == rkChildren && !FRanker) {
        FRanker = std::make_unique<ChildRanker>(*FDictionary);
        FContext->SetRanker(FRanker.get());
    }
    if (Form)
        Form->Ranker = value == rkChildren ? FRanker.get() : nullptr;
}

void TCustomSpellDlg::SetSuggestions(int value)
{
    if (value > 255) { // the dialog's count is a byte
        Message("Maximum limit suggestions is 255.", mtInformation, Buttons({ mbOK }));
        FSuggestions = 255;
    } else if (value < 1) {
        Message("Invalid number of suggestions.", mtInformation, Buttons({ mbOK }));
        FSuggestions = 1;
    } else {
        FSuggestions = value;
    }
}

bool TCustomSpellDlg::GetDictionaryActive() const
{
    return Dictionary().Active;
}

void TCustomSpellDlg::SetDictionaryActive(bool value)
{
    if (value)
        ActivateDictionary();
    else
        DeactivateDictionary();
}

void TCustomSpellDlg::ResolveDictionaryPath()
{
    // File names are case-sensitive here: only the keyword is recognised in any case.
    if (Upper(FDictionaryPath) == "APPLICATIONPATH")
        FDictionaryPath = FileUtils::DataDir();
    else if (!FDictionaryPath.empty() && FDictionaryPath.back() != '/')
        FDictionaryPath += '/';
}

bool TCustomSpellDlg::ActivateDictionary()
{
    TDictionary &dictionary = Dictionary();
    ResolveDictionaryPath();
    if (FDictionaryName.empty())
        FDictionaryName = "ENGLISH.DCT";
    if (!HasExtension(FDictionaryName))
        FDictionaryName += ".DCT";
    const std::string path = FDictionaryPath + FDictionaryName;
    if (!FileUtils::FileExists(path)) {
        Message(QStringLiteral("Error opening dictionary: ") + QString::fromLocal8Bit(path.c_str()),
                mtError, Buttons({ mbOK }));
        dictionary.Active = false;
    } else if (dictionary.IsOpen(path) || dictionary.OpenDictionary(path)) {
        dictionary.OpenUserDictionary(FUserDictionary);
        if (!FExclusionList.empty())
            dictionary.OpenExclusionList(FExclusionList);
        dictionary.ClassWords.Clear();
        if (!FClassWordList.empty())
            dictionary.OpenClassWords(FileUtils::ExtractFilePath(FClassWordList).empty()
                                          ? FDictionaryPath + FClassWordList
                                          : FClassWordList);
        if (!FAutoCorrectList.empty()) {
            LoadAutoCorrectList();
        } else { // pairs of a list no longer named must not correct this dictionary's words
            FAutoCorrections.Clear();
        }
        dictionary.Active = true;
        // The ranking's letter tree of a large dictionary takes a while: built now on
        // another thread, so that the first suggestions need not wait for it.
        if (FSuggestionRanking == rkChildren)
            FRanker->PrepareInBackground();
        ConnectContext();
    } else {
        dictionary.Active = false;
    }
    CreateForm();
    return dictionary.Active;
}

void TCustomSpellDlg::DeactivateDictionary()
{
    TDictionary &dictionary = Dictionary();
    dictionary.CloseDictionaries();
    dictionary.Active = false;
    // The ranking's tables and letter tree belong to the files just closed.
    if (FRanker) {
        FRanker = std::make_unique<ChildRanker>(dictionary);
        FContext->SetRanker(FRanker.get());
        if (Form && FSuggestionRanking == rkChildren)
            Form->Ranker = FRanker.get();
    }
}

void TCustomSpellDlg::LoadAutoCorrectList()
{
    std::string name = FAutoCorrectList;
    if (!FileUtils::FileExists(name))
        name = FDictionaryPath + FAutoCorrectList;
    if (!FileUtils::FileExists(name)) {
        Message(QString::fromLocal8Bit(FAutoCorrectList.c_str()) + " file not found.", mtError,
                Buttons({ mbOK }));
        return;
    }
    TStringList lines;
    lines.LoadFromFile(name);
    // The children's ranking never corrects to a never-suggest word.
    auto neverTo = [this](const AnsiText &to) {
        if (FSuggestionRanking != rkChildren)
            return false;
        if (!FRanker->TablesLoaded)
            FRanker->LoadTables();
        return FRanker->NeverSuggest.Contains(to);
    };
    // Loading again (every activation does) replaces the pairs instead of adding copies.
    const std::vector<TCorrection> pairs = CorrectionList::Parse(lines, neverTo);
    FAutoCorrections.Assign(pairs);
    if (FAutoCorrectInCheck) {
        for (const TCorrection &pair : pairs) {
            ChangeFromList.Add(pair.From);
            ChangeToList.Add(pair.To);
        }
    }
}

void TCustomSpellDlg::CreateForm()
{
    if (Form)
        return;
    TAbsSpellForm *form = nullptr;
    if (OnCreateSpellForm)
        OnCreateSpellForm(*this, form);
    if (!form)
        form = new TSpellForm(FOwnerWindow);
    Form = form;
    Form->HelpContext = FHelpContext;
    Form->setFont(FFont);
    Form->Dictionary = FDictionary;
    Form->SetBuffer(FBuffer.get());
    Form->MaxSuggestions = static_cast<uint8_t>(FSuggestions);
    Form->Ranker = FSuggestionRanking == rkChildren ? FRanker.get() : nullptr;
    Form->SetLabelLanguage(FLabelLanguage);
    Form->SetAccentedCharacters(FAccentedCharacters);
    if (!FShowGlyphs)
        Form->RemoveGlyphs();
    if (auto *standard = qobject_cast<TSpellForm *>(Form.data()); standard && FSpeaker)
        standard->EnableSpeech(FSpeaker, FSpeakSuggestions, [this](bool on) {
            FSpeakSuggestions = on;
            if (OnSpeakSuggestionsChanged)
                OnSpeakSuggestionsChanged(on);
        });
}

void TCustomSpellDlg::ShowForm()
{
    if (!Form)
        CreateForm();
    Form->ShowNonModal();
}

void TCustomSpellDlg::HideForm()
{
    if (Form)
        Form->CloseNonModal();
}

void TCustomSpellDlg::OpenAndShow()
{
    if (ActivateDictionary())
        Form->ShowNonModal();
}

void TCustomSpellDlg::CloseAll()
{
    if (Form) {
        Form->CloseNonModal();
        delete Form.data();
        Form = nullptr;
    }
    DeactivateDictionary();
}

bool TCustomSpellDlg::IsKnownWord(const AnsiText &word)
{
    TDictionary &dictionary = Dictionary();
    if (!dictionary.Active && !FOpenFailed) {
        ActivateDictionary();
        FOpenFailed = !dictionary.Active;
    }
    if (!dictionary.Active)
        return false;
    return dictionary.IsWord(AnsiText(ShortString(word.view())));
}

void TCustomSpellDlg::RevealControl(QWidget *control)
{
    if (!control)
        return;
    QWidget *child = control;
    QWidget *ancestor = control->parentWidget();
    for (int visited = 0; ancestor && visited < 999; ++visited) {
        // A page of a stacked or tabbed widget is shown by making it the current page.
        if (auto *stack = qobject_cast<QStackedWidget *>(ancestor)) {
            if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
                tabs->setCurrentWidget(child);
            else
                stack->setCurrentWidget(child);
        }
        if (ancestor->isVisible())
            break;
        child = ancestor;
        ancestor = ancestor->parentWidget();
    }
}

void TCustomSpellDlg::CreateBuffer(QWidget *control)
{
    auto *edit = dynamic_cast<TCustomEdit *>(control);
    if (!edit)
        throw EClassNotFound("Unknown control error.");
    FBuffer = std::make_unique<TCEBuffer>(nullptr);
    FEditSource = std::make_unique<TEditTextSource>(*edit);
    if (Form)
        Form->SetBuffer(FBuffer.get());
}

bool TCustomSpellDlg::BeginCheck()
{
    ChangeFromList = FAutoCorrectInCheck ? FAutoCorrections.From() : TStringList();
    ChangeToList = FAutoCorrectInCheck ? FAutoCorrections.To() : TStringList();
    SpellState = ssUnchanged;
    FOpenFailed = false;
    FFlaggedParagraph.clear();
    FParagraphFlags.clear();
    // Without a dictionary every word would be reported: the check ends before it starts,
    // and the message about the missing file is the only one the user sees.
    return Dictionary().Active || ActivateDictionary();
}

int TCustomSpellDlg::Check(QWidget *control)
{
    if (!BeginCheck())
        return ssCancelled;
    ShowForm();
    try {
        CreateBuffer(control);
        return RunCheck(FSpellCheckMode, FEditSource.get());
    } catch (...) {
        // The program is never left with its windows disabled behind a hidden dialog.
        HideForm();
        throw;
    }
}

int TCustomSpellDlg::CheckWindow(HWND handle)
{
    if (!BeginCheck())
        return ssCancelled;
    ShowForm();
    try {
        auto buffer = std::make_unique<TMsgBuffer>(nullptr);
        buffer->Handle = handle;
        FBuffer = std::move(buffer);
        if (Form)
            Form->SetBuffer(FBuffer.get());
        FBuffer->OnWord = [this](TAbsBuffer &sender, const std::string &word, bool &stop) {
            CheckWord(sender, word, stop);
        };
        FBuffer->SupportHTML = FSupportHTML;
        FBuffer->SupportRTF2 = FSupportRTF2;
        FBuffer->ScanWords(nullptr, FSpellCheckMode);
    } catch (...) {
        HideForm();
        throw;
    }
    ReportOutcome();
    return SpellState;
}

int TCustomSpellDlg::RunCheck(TSpellCheckMode mode, TTextSource *control)
{
    FBuffer->OnWord = [this](TAbsBuffer &sender, const std::string &word, bool &stop) {
        CheckWord(sender, word, stop);
    };
    FBuffer->SupportHTML = FSupportHTML;
    FBuffer->SupportRTF2 = FSupportRTF2;
    FBuffer->IgnoreAllUpperCase = FIgnoreAllUpperCase;
    FBuffer->IgnoreWithNumbers = FIgnoreWithNumbers;
    FBuffer->ScanWords(control, mode);
    ReportOutcome();
    return SpellState;
}

void TCustomSpellDlg::ReportOutcome()
{
    if (!FFinishAfterCheck)
        return;
    HideForm();
    if (FShowCompletedDialog)
        ReportState();
}

void TCustomSpellDlg::ReportState()
{
    if (OnSpellCheckingComplete) {
        OnSpellCheckingComplete(*this, SpellState);
        return;
    }
    const std::string_view text = LanguageTables::CompletionMessage(FLabelLanguage, SpellState);
    if (!text.empty())
        Message(MessageText(text), mtInformation, Buttons({ mbOK }));
}

int TCustomSpellDlg::CheckComponent(QObject *owner, bool showCompleted)
{
    SpellState = ssUnchanged;
    OpenAndShow();
    SetFinishAfterCheck(false);
    int result = 0;
    bool anyChanged = false;
    try {
        const QList<QWidget *> children
            = owner ? owner->findChildren<QWidget *>() : QList<QWidget *>();
        for (QWidget *child : children) {
            if (!dynamic_cast<TCustomEdit *>(child))
                continue;
            result = Check(child);
            if (result == ssCancelled)
                break;
            if (result == ssChanged)
                anyChanged = true;
        }
    } catch (...) {
        // As after a single check: the windows are enabled again and later checks finish.
        SetFinishAfterCheck(true);
        HideForm();
        throw;
    }
    if (result != ssCancelled && anyChanged) {
        SpellState = ssChanged;
        result = ssChanged;
    }
    if (showCompleted)
        ReportState();
    CloseAll();
    SetFinishAfterCheck(true);
    return result;
}

void TCustomSpellDlg::CountWords(QWidget *control, int &words, int &uniqueWords)
{
    ActivateDictionary();
    CreateBuffer(control);
    int32_t w = 0, u = 0;
    FBuffer->CountWords(FEditSource.get(), w, u);
    words = w;
    uniqueWords = u;
    if (OnWordCountMsg)
        OnWordCountMsg(*this, words, uniqueWords);
    else
        Message(QStringLiteral("Words: %1\nUnique Words: %2").arg(words).arg(uniqueWords),
                mtInformation, Buttons({ mbOK }));
}

int32_t TCustomSpellDlg::AskUser(AnsiText &word)
{
    std::unique_ptr<TStringList> suggestions;
    int32_t offset = 0;
    const std::string_view paragraph = FBuffer ? ParagraphAt(*FBuffer, offset) : std::string_view();
    if (FAutoSuggest)
        suggestions
            = paragraph.empty() ? WordSuggestions(word) : WordSuggestions(word, paragraph, offset);
    return Form->QueryWord(word, std::move(suggestions));
}

void TCustomSpellDlg::CheckWord(TAbsBuffer &sender, const std::string &scanned, bool &stop)
{
    const AnsiText word(scanned);
    if (!WordRule::NeedsLookup(word.view(), sender.AllDigits))
        return;
    if (IsKnownWord(word)) {
        // A copy: the paragraph's flags are found again when an answer changes them.
        if (const ContextFlag *flag = FlagAt(sender))
            AskAboutFlag(sender, ContextFlag(*flag), stop);
        return;
    }
    if (FOpenFailed) {
        stop = true; // no dictionary: nothing can be checked
        return;
    }
    const std::string lower = CodePages::LowerCase(word).str();
    if (int i = ChangeFromList.IndexOf(lower); i >= 0) {
        sender.SelectWord();
        sender.ReplaceWordText(Correction(word, ChangeToList[i]).toStdU16String());
        // The scan goes on after the replacement, so one that contains the word itself
        // is not met again.
        sender.SkipReplacement();
        // The text changed: the check must not end saying that no error was found.
        SpellState = ssChanged;
        TApplication::SetBusyCursor(false);
        return;
    }
    if (IgnoreAllList.IndexOf(lower) >= 0) {
        TApplication::SetBusyCursor(false);
        return;
    }

    ShowWordAsked(sender);

    AnsiText answer = word;
    int32_t choice = AskUser(answer);
    if (!Form || !Form->isVisible())
        choice = srCancel;
    switch (choice) {
    case srCancel:
        stop = true;
        SpellState = ssCancelled;
        break;
    case srReplace:
        sender.ReplaceWordText(Form->AnswerText(answer));
        SpellState = ssChanged;
        break;
    case srReplaceAll: {
        SpellState = ssChanged;
        const std::u16string exact = Form->AnswerText(answer);
        ChangeFromList.Add(lower);
        ChangeToList.Add(CodePages::EncodeUtf8(exact));
        sender.ReplaceWordText(exact);
        sender.SkipReplacement();
        break;
    }
    case srIgnoreAll:
        IgnoreAllList.Add(lower);
        emit WordListsChanged();
        break;
    case srLearn:
        Learn(answer);
        break;
    default:
        break;
    }
    TApplication::SetBusyCursor(false);
}

std::string_view TCustomSpellDlg::ParagraphAt(const TAbsBuffer &buffer, int32_t &offset)
{
    const std::string_view text(buffer.Text.data(),
                                static_cast<size_t>(std::max(buffer.TextLen - 1, 0)));
    const auto wordStart = static_cast<size_t>(std::max(buffer.WordStart - 1, 0));
    if (buffer.Text.empty() || wordStart >= text.size())
        return {};
    const size_t before = text.find_last_of("\r\n", wordStart);
    const size_t start = before == std::string_view::npos ? 0 : before + 1;
    const size_t end = std::min(text.find_first_of("\r\n", wordStart), text.size());
    offset = static_cast<int32_t>(wordStart - start);
    return text.substr(start, end - start);
}

const ContextFlag *TCustomSpellDlg::FlagAt(TAbsBuffer &sender)
{
    if (!ChecksContext())
        return nullptr;
    int32_t offset = 0;
    const std::string_view paragraph = ParagraphAt(sender, offset);
    // A paragraph's flags are kept while the scan walks through it, and found again when a
    // replacement or Ignore All changed what they would be.
    if (paragraph != FFlaggedParagraph) {
        FFlaggedParagraph = std::string(paragraph);
        FParagraphFlags = ContextFlags(paragraph, false);
    }
    for (const ContextFlag &flag : FParagraphFlags)
        if (flag.Start == offset && flag.Length == sender.WordEnd - sender.WordStart)
            return &flag;
    return nullptr;
}

void TCustomSpellDlg::ShowWordAsked(TAbsBuffer &sender)
{
    TApplication::SetBusyCursor(false);
    if (TCustomEdit *edit = TEditTextSource::EditOf(sender.Control))
        RevealControl(edit->Widget());
    sender.SelectWord();
    if (FAutoShift && Form)
        Form->ShiftAwayFrom(sender.GetWordScreenTop());
}

void TCustomSpellDlg::AskAboutFlag(TAbsBuffer &sender, const ContextFlag &flag, bool &stop)
{
    const AnsiText word(
        std::string(sender.Text.data() + sender.WordStart - 1, static_cast<size_t>(flag.Length)));
    ShowWordAsked(sender);

    // The word meant first; for a word that may be the wrong one, the ranking's others,
    // names left out where the child wrote a small letter ("Thor" for "their").
    auto suggestions = std::make_unique<TStringList>();
    suggestions->Add(flag.Suggestion.str());
    const auto capitalised = [](const std::string &w) {
        return !w.empty() && CodePages::LowerCase(AnsiText(w.substr(0, 1))).str() != w.substr(0, 1);
    };
    if (flag.Problem == ContextProblem::WrongWord && FAutoSuggest)
        if (auto more = WordSuggestions(word))
            for (const std::string &entry : *more)
                if (suggestions->Count() < FSuggestions && entry != word.str()
                    && suggestions->IndexOf(entry) < 0
                    && capitalised(entry) == capitalised(word.str()))
                    suggestions->Add(entry);
    AnsiText answer = word;
    Form->QueryKind = flag.Problem == ContextProblem::Capital ? qkCapital : qkWrongWord;
    int32_t choice = Form->QueryWord(answer, std::move(suggestions));
    if (Form)
        Form->QueryKind = qkUnknownWord;
    if (!Form || !Form->isVisible())
        choice = srCancel;
    switch (choice) {
    case srCancel:
        stop = true;
        SpellState = ssCancelled;
        break;
    case srReplace:
    case srReplaceAll: // a word right elsewhere is never changed everywhere unasked
        sender.ReplaceWordText(Form->AnswerText(answer));
        SpellState = ssChanged;
        break;
    case srIgnoreAll:
        IgnoreAll(word);
        break;
    default:
        break;
    }
    TApplication::SetBusyCursor(false);
}

void TCustomSpellDlg::Learn(const AnsiText &word)
{
    if (IsKnownWord(word)) {
        if (OnWordAlreadyAddedMsg)
            OnWordAlreadyAddedMsg(*this, word.str());
        else
            Message(MessageText(LanguageTables::FormatWord(
                        LanguageTables::AlreadyKnownMessage(FLabelLanguage),
                        CodePages::AnsiToUtf8(word.view()))),
                    mtInformation, Buttons({ mbOK }));
        return;
    }
    bool cancelAdd = false;
    if (FConfirmAdd) {
        if (OnAddWordMsg) {
            OnAddWordMsg(*this, word.str(), cancelAdd);
        } else {
            const QString question = MessageText(
                LanguageTables::FormatWord(LanguageTables::AddWordQuestion(FLabelLanguage),
                                           CodePages::AnsiToUtf8(word.view())));
            // Only a Yes learns the word; No or a closed box leave the list alone.
            cancelAdd = Message(question, mtConfirmation, Buttons({ mbYes, mbNo })) != mrYes;
        }
    }
    if (!cancelAdd && Dictionary().AddWord(AnsiText(ShortString(word.view()))))
        emit WordListsChanged();
}

bool TCustomSpellDlg::IsMisspelt(const AnsiText &word) const
{
    const TDictionary &dictionary = Dictionary();
    if (!dictionary.Active
        || !WordRule::IsChecked(word.view(), { FIgnoreAllUpperCase, FIgnoreWithNumbers }))
        return false;
    return !dictionary.IsWord(AnsiText(ShortString(word.view())))
        && IgnoreAllList.IndexOf(CodePages::LowerCase(word).str()) < 0;
}

std::unique_ptr<TStringList> TCustomSpellDlg::WordSuggestions(const AnsiText &word)
{
    const AnsiText asked(ShortString(word.view()));
    const auto count = static_cast<uint16_t>(FSuggestions);
    auto list = FSuggestionRanking == rkChildren ? FRanker->Suggest(asked, count)
                                                 : Dictionary().Suggest(asked, count);
    // A word of the auto-correct list has its correction first.
    const int i = FAutoCorrections.IndexOf(CodePages::LowerCase(asked).str());
    if (i < 0 || !list)
        return list;
    const QString correction = Correction(asked, FAutoCorrections.To()[i]);
    const std::u16string units = correction.toStdU16String();
    const AnsiText shown = CodePages::Utf16ToAnsi(units);
    if (CodePages::DecodeAnsi(shown.view()) != units)
        return list; // the list holds code page 1252 words only
    auto result = std::make_unique<TStringList>();
    result->Add(shown.str());
    for (const std::string &entry : *list)
        if (result->Count() < count && entry != shown.str())
            result->Add(entry);
    return result;
}

std::unique_ptr<TStringList>
TCustomSpellDlg::WordSuggestions(const AnsiText &word, std::string_view paragraph, int32_t start)
{
    auto list = WordSuggestions(word);
    if (list && FCheckWordsInContext && ContextModelReady())
        FContext->Rerank(paragraph, start, static_cast<int32_t>(word.size()), *list);
    return list;
}

QString TCustomSpellDlg::Correction(const AnsiText &typed, const std::string &utf8) const
{
    return AutoCorrections::AsTyped(FromAnsi(typed.view()), utf8, FMatchTypedCase);
}

void TCustomSpellDlg::LearnWord(const AnsiText &word)
{
    Learn(word);
}

void TCustomSpellDlg::IgnoreAll(const AnsiText &word)
{
    const std::string lower = CodePages::LowerCase(word).str();
    if (IgnoreAllList.IndexOf(lower) < 0)
        IgnoreAllList.Add(lower);
    FFlaggedParagraph.clear(); // its flags may hold the word
    FParagraphFlags.clear();
    emit WordListsChanged();
}

bool TCustomSpellDlg::TakeInOutsideWords()
{
    TDictionary &dictionary = Dictionary();
    if (!dictionary.Active || dictionary.UserFileName.empty()
        || dictionary.UserFileSize() == dictionary.UserFileSizeAtLoad)
        return false;
    // A list that cannot be read now adds nothing; the next save sets it aside.
    TStringList onDisk;
    TextEncoding::TTextFormat format;
    LearnedWordFile::Read(dictionary.UserFileName, onDisk, format);
    const int before = dictionary.UserWords.Count();
    dictionary.UserWords.AddStrings(onDisk);
    dictionary.UserFileSizeAtLoad = dictionary.UserFileSize();
    if (dictionary.UserWords.Count() == before)
        return false;
    emit WordListsChanged();
    return true;
}

void TCustomSpellDlg::WordTyped(QWidget *, const std::string &) { }

void TCustomSpellDlg::GetWordBeforeCaret(QWidget *control, std::string &word)
{
    if (auto *edit = dynamic_cast<TCustomEdit *>(control))
        TypingCorrection::WordBeforeCaret(*edit, word);
}

void TCustomSpellDlg::AutoCorrectKey(QWidget *control, bool correct, uint16_t key)
{
    auto *edit = dynamic_cast<TCustomEdit *>(control);
    if (!edit || (key != 13 && key != 32))
        return;
    if (!Dictionary().Active)
        ActivateDictionary();
    // The auto-correct pairs apply also while a check does not put them in its lists.
    auto correction = [this, correct](const std::string &typed) -> std::optional<QString> {
        if (typed.empty() || !correct)
            return std::nullopt;
        const TStringList *to = &ChangeToList;
        int index = ChangeFromList.IndexOf(typed);
        if (index < 0 && (index = FAutoCorrections.IndexOf(typed)) >= 0)
            to = &FAutoCorrections.To();
        if (index < 0)
            return std::nullopt;
        return Correction(AnsiText(typed), (*to)[index]);
    };
    const std::string word = TypingCorrection::CorrectBeforeCaret(
        *edit, [this, control](std::string &read) { GetWordBeforeCaret(control, read); },
        correction);
    WordTyped(control, word);
    // Nothing is painted before the event loop runs, so the selections made on the way
    // never show, and the edit repaints only what changed: turning its updates off and
    // on would repaint the whole page, every misspelt word's line shaped again, at every
    // space. The control repaints now; keys typed meanwhile wait for their turn, since this runs
    // while one key is being handled and a later key must not overtake it.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
