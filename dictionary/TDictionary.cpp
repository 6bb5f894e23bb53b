#include "dictionary/TDictionary.h"

#include "dictionary/DctFormat.h"
#include "dictionary/LearnedWordFile.h"
#include "dictionary/TDCTFile.h"
#include "dictionary/TSuggestList.h"
#include "platform/core/CodePages.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "platform/core/TextEncoding.h"

#include <algorithm>
#include <cstdio>

namespace {

AnsiText Cut(const AnsiText &word)
{
    return AnsiText(word.view().substr(0, Dct::WordMax));
}

bool SameNameIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto up = [](char c) { return (c >= 'a' && c <= 'z') ? char(c - 32) : c; };
        return up(x) == up(y);
    });
}

void ReportToStderr(const std::string &message)
{
    std::fprintf(stderr, "scrivlo: %s\n", message.c_str());
}

} // namespace

std::function<void(const std::string &)> TDictionary::ErrorReporter = ReportToStderr;
std::function<void(const std::string &, const std::string &)> TDictionary::SetAsideReporter
    = [](const std::string &listPath, const std::string &keptAs) {
          Report(LearnedWordFile::SetAsideMessage(listPath, keptAs));
      };

TDictionary::TDictionary() = default;

TDictionary::~TDictionary()
{
    try {
        CloseDictionaries();
    } catch (const std::exception &e) {
        if (ErrorReporter)
            ErrorReporter(e.what());
    }
}

TDCTFile *TDictionary::FirstFile() const
{
    return static_cast<TDCTFile *>(Files.Head());
}

bool TDictionary::OpenDictionary(const std::string &fileName)
{
    if (IsOpen(fileName))
        return true;
    TDCTFile *file = nullptr;
    try {
        file = new TDCTFile(fileName);
    } catch (const EFOpenError &) {
        return false;
    }
    Files.Append(file);
    Active = true;
    return true;
}

bool TDictionary::IsOpen(const std::string &fileName) const
{
    const std::string name = FileUtils::ExtractFileName(fileName);
    for (auto *node = Files.Head(); node; node = node->Next) {
        const auto *file = static_cast<const TDCTFile *>(node);
        if (SameNameIgnoringCase(FileUtils::ExtractFileName(file->FileName()), name))
            return true;
    }
    return false;
}

bool TDictionary::OpenUserDictionary(const std::string &fileName)
{
    if (FileUtils::ExtractFilePath(fileName).empty() && FirstFile())
        UserFileName = FileUtils::ExtractFilePath(FirstFile()->FileName()) + fileName;
    else
        UserFileName = fileName;
    // A list not written yet is empty: the words of another list opened before (the other
    // language's) are not this one's.
    UserWords.Clear();
    UserFileSizeAtLoad = 0;
    if (!FileUtils::FileExists(UserFileName))
        return false;
    UserFileSizeAtLoad = UserFileSize();
    TextEncoding::TTextFormat format;
    if (UserFileReadOnly) {
        if (LearnedWordFile::Read(UserFileName, UserWords, format)
            != LearnedWordFile::TReadResult::Unreadable)
            return true;
        Report("The learned words in " + UserFileName
               + " could not be read; none of them are used.");
        return false;
    }
    // Under the lock, so that no other program's save comes between reading the list and
    // setting it aside.
    std::string keptAs;
    {
        LearnedWordFile::TLock lock(UserFileName);
        if (LearnedWordFile::Read(UserFileName, UserWords, format)
            != LearnedWordFile::TReadResult::Unreadable)
            return true;
        keptAs = LearnedWordFile::SetAside(UserFileName);
    }
    UserFileSizeAtLoad = 0;
    if (SetAsideReporter)
        SetAsideReporter(UserFileName, keptAs);
    return false;
}

bool TDictionary::OpenClassWords(const std::string &fileName)
{
    // Read as a learned-word list is, and only read: never locked, set aside or written.
    ClassWords.Clear();
    TStringList words;
    TextEncoding::TTextFormat format;
    try {
        if (LearnedWordFile::Read(fileName, words, format) != LearnedWordFile::TReadResult::Read)
            return false;
    } catch (const EFOpenError &) {
        return false;
    }
    for (const std::string &word : words)
        if (!word.empty())
            ClassWords.Add(CodePages::LowerCase(AnsiText(word)).str());
    return true;
}

bool TDictionary::OpenExclusionList(const std::string &fileName)
{
    ExclusionWords.reset();
    std::string name = fileName;
    if (!FileUtils::FileExists(name) && FirstFile())
        name = FileUtils::ExtractFilePath(FirstFile()->FileName())
            + FileUtils::ExtractFileName(fileName);
    if (!FileUtils::FileExists(name))
        return false;
    auto list = std::make_unique<TStringList>();
    list->LoadFromFile(name);
    ExclusionWords = std::move(list);
    return true;
}

void TDictionary::CloseDictionaries()
{
    if (UserWordsModified)
        SaveUserWords();
    while (Files.Head())
        Files.Delete(Files.Head());
    Active = false;
}

void TDictionary::SaveUserWords()
{
    // Every word of the file is taken in, so that none is lost: another program may have
    // written it since the list was loaded, even to the same size. A file that has
    // vanished meanwhile has nothing to add: the save recreates it.
    std::string keptAs;
    LearnedWordFile::Merge(UserFileName, UserWords, keptAs);
    UserWordsModified = false;
    if (!keptAs.empty() && SetAsideReporter)
        SetAsideReporter(UserFileName, keptAs);
}

void TDictionary::Report(const std::string &message)
{
    if (ErrorReporter)
        ErrorReporter(message);
}

int64_t TDictionary::UserFileSize() const
{
    const int64_t size = FileUtils::FileSize(UserFileName);
    return size < 0 ? 0 : size;
}

OemText TDictionary::LookupKey(const AnsiText &word)
{
    return AnsiToOemWord(CodePages::LowerCase(Cut(word)));
}

bool TDictionary::IsWord(const AnsiText &word) const
{
    // Lower-cased into a buffer on the stack: the check of a text calls this for every
    // word, and nothing here needs to outlive the call.
    char lowered[Dct::WordMax];
    const std::string_view w = word.view().substr(0, Dct::WordMax);
    CodePages::LowerAnsiBytes(w, lowered);
    return IsLowerWord(std::string_view(lowered, w.size()));
}

bool TDictionary::IsLowerWord(std::string_view lowerAnsiWord) const
{
    std::string_view w = lowerAnsiWord;
    if (w.ends_with("'s"))
        w.remove_suffix(2);
    // The empty word is never a word, even when the user list holds an empty line.
    if (w.empty())
        return false;
    int index;
    if (ExclusionWords && ExclusionWords->IndexOf(w) >= 0)
        return false;
    if (UserWords.Count() > 0 && UserWords.Find(w, index))
        return true;
    if (ClassWords.Count() > 0 && ClassWords.Find(w, index))
        return true;
    // The one conversion of the lookup, byte by byte like AnsiToOemWord, on the stack too.
    char key[Dct::WordMax];
    CodePages::AnsiToOemBytes(w, key);
    for (auto *node = Files.Head(); node; node = node->Next) {
        if (static_cast<TDCTFile *>(node)->ContainsWord(std::string_view(key, w.size())))
            return true;
    }
    return false;
}

bool TDictionary::AddWord(const AnsiText &word)
{
    const AnsiText w = Cut(word);
    if (IsWord(w))
        return false;
    UserWords.Add(CodePages::LowerCase(w).str());
    UserWordsModified = true;
    return true;
}

std::unique_ptr<TStringList> TDictionary::TwoWordSplits(const AnsiText &word,
                                                        uint16_t maxCount) const
{
    const AnsiText lower = CodePages::LowerCase(Cut(word));
    const std::string_view w = lower.view();
    auto result = std::make_unique<TStringList>();
    for (size_t k = 1; k < w.size() && result->Count() < maxCount; ++k) {
        const std::string_view left = w.substr(0, k), right = w.substr(k);
        if (IsLowerWord(left) && IsLowerWord(right))
            result->Add(std::string(left) + ' ' + std::string(right));
    }
    return result;
}

std::unique_ptr<TStringList> TDictionary::Suggest(const AnsiText &word, uint16_t maxCount) const
{
    const AnsiText pattern = Cut(word);
    const std::string key = LookupKey(pattern).str();
    auto result = TwoWordSplits(pattern, maxCount);
    const int found = result->Count();
    if (maxCount > found && FirstFile() && !key.empty()) {
        // The ranked list holds at most 255 entries; a larger request gets that many.
        const auto capacity = uint8_t(std::min(int(maxCount) - found, 255));
        TSuggestList list(const_cast<TDictionary *>(this));
        for (auto *node = Files.Head(); node; node = node->Next)
            list.SearchFile(*static_cast<TDCTFile *>(node), capacity, key);
        AddUserWordCandidates(list, key);
        for (TSuggestion *s = list.First(); s; s = TSuggestList::NextOf(s))
            result->Add(OemToAnsiWord(OemText(s->Word)).str());
    }
    for (int i = 0; i < result->Count(); ++i)
        result->Put(i, MatchCase(AnsiText((*result)[i]), pattern).str());
    return result;
}

void TDictionary::AddUserWordCandidates(TSuggestList &list, const std::string &key) const
{
    // Learned words compete with the dictionary's under the same screens: same first
    // letter, length within two, and a matching sound code.
    for (const std::string &entry : UserWords) {
        const std::string candidate = LookupKey(AnsiText(entry)).str();
        if (candidate.empty() || candidate[0] != key[0] || int(candidate.size()) < list.MinLength
            || int(candidate.size()) > list.MaxLength || !list.SoundsLike(candidate))
            continue;
        bool present = false;
        for (TSuggestion *s = list.First(); s && !present; s = TSuggestList::NextOf(s))
            present = s->Word == candidate;
        if (!present)
            list.AddRanked(key, candidate);
    }
}

std::unique_ptr<TStringList> TDictionary::WordsStartingWith(const AnsiText &prefix,
                                                            uint16_t maxCount) const
{
    const AnsiText pattern = Cut(prefix);
    const std::string stem = LookupKey(pattern).str();
    auto result = std::make_unique<TStringList>();
    TDCTFile *file = FirstFile();
    if (!file)
        return result;

    std::string_view rest = stem;
    int32_t index = 1;
    while (index != 0 && !rest.empty()) {
        const auto ch = static_cast<unsigned char>(rest.front());
        const uint32_t node = file->FindSibling(index, ch);
        if (Dct::NodeChar(node) != ch)
            return result;
        rest.remove_prefix(1);
        index = int32_t(Dct::NodeChild(node));
        if (rest.empty())
            break;
        if (index == 0)
            return result;
    }

    // Depth-first walk below the prefix, in file order. Words are at most 50 letters, so
    // the walk never descends further, whatever the file's links say; and it reads at most
    // WalkBudget nodes, so links that loop back cannot make it run for ever.
    std::string word = stem;
    uint64_t budget = TSuggestList::WalkBudget(*file, maxCount);
    auto enumerate = [&](auto &self, int32_t i) -> void {
        while (i != 0) {
            if (budget == 0)
                return;
            --budget;
            const uint32_t node = file->GetNode(i);
            if (result->Count() >= maxCount)
                return;
            word.push_back(char(Dct::NodeChar(node)));
            if (Dct::NodeIsWordEnd(node))
                result->Add(word);
            if (Dct::NodeChild(node) != 0 && word.size() < Dct::WordMax)
                self(self, int32_t(Dct::NodeChild(node)));
            word.pop_back();
            if (Dct::NodeIsLast(node))
                return;
            ++i;
        }
    };
    enumerate(enumerate, index);
    FinishWordList(*result, pattern);
    return result;
}

AnsiText TDictionary::MatchCase(const AnsiText &word, const AnsiText &pattern)
{
    const AnsiText w = Cut(word);
    const std::string_view p = pattern.view().substr(0, Dct::WordMax);
    if (p.empty())
        return w;
    auto isCapitalOrCaseless = [](char ch) {
        const auto b = static_cast<unsigned char>(ch);
        return CodePages::AnsiUpperChar(b) == b;
    };
    // Characters without case (an apostrophe, a digit) say nothing about capitals: "I'v"
    // and "O'brian" are not written in capitals.
    auto isLetter = [](char ch) {
        const auto b = static_cast<unsigned char>(ch);
        return CodePages::AnsiUpperChar(b) != CodePages::AnsiLowerChar(b);
    };
    char letters[2] = {};
    int found = 0;
    for (size_t i = 0; i < p.size() && found < 2; ++i)
        if (isLetter(p[i]))
            letters[found++] = p[i];
    if (found == 0 || isCapitalOrCaseless(letters[found - 1]))
        return CodePages::UpperCase(w);
    std::string lower = CodePages::LowerCase(w).str();
    if (!lower.empty() && isCapitalOrCaseless(p[0]))
        lower[0] = char(CodePages::AnsiUpperChar(static_cast<unsigned char>(lower[0])));
    return AnsiText(std::move(lower));
}

void TDictionary::FinishWordList(TStringList &list, const AnsiText &pattern)
{
    for (int i = 0; i < list.Count(); ++i)
        list.Put(i, MatchCase(OemToAnsiWord(OemText(list[i])), pattern).str());
}
