#include "dictionary/TDictionary.h"

#include "dictionary/DctFormat.h"
#include "dictionary/TDCTFile.h"
#include "dictionary/TSuggestList.h"
#include "platform/core/CodePages.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// Accented lower-case letters of code page 437 and the capital each folds to.
constexpr std::string_view AccentLower = "\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x91"
                                         "\x93\x94\x95\x96\x98\xA0\xA1\xA2\xA3\xA4";
constexpr std::string_view AccentUpper = "\x9A\x90\x41\x8E\x41\x8F\x80\x45\x45\x45\x49\x49\x49\x92"
                                         "\x4F\x99\x4F\x55\x59\x41\x49\x4F\x55\xA5";
static_assert(AccentLower.size() == AccentUpper.size());

// Lower case of a code page 437 byte: A-Z, and the accented capitals that have exactly one
// lower-case letter in the code page (so "Éclair" at the start of a sentence is found).
constexpr std::array<unsigned char, 256> MakeLowerTable()
{
    std::array<unsigned char, 256> t {};
    for (int b = 0; b < 256; ++b)
        t[b] = (b >= 'A' && b <= 'Z') ? b + 32 : b;
    constexpr std::pair<unsigned char, unsigned char> capitals[]
        = { { 0x9A, 0x81 }, { 0x90, 0x82 }, { 0x8E, 0x84 }, { 0x8F, 0x86 },
            { 0x80, 0x87 }, { 0x92, 0x91 }, { 0x99, 0x94 }, { 0xA5, 0xA4 } };
    for (auto [upper, lower] : capitals)
        t[upper] = lower;
    return t;
}
constexpr std::array<unsigned char, 256> LowerTable = MakeLowerTable();

std::string LowerOem(std::string_view word)
{
    std::string w(word.substr(0, Dct::WordMax));
    for (char &c : w)
        c = char(LowerTable[static_cast<unsigned char>(c)]);
    return w;
}

// Lower case of a code page 1252 word: A-Z and the accented capitals of the code page.
std::string LowerAnsi(std::string_view word)
{
    std::string w(word.substr(0, Dct::WordMax));
    for (char &c : w) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7))
            c = char(b + 32);
        else if (b == 0x8A || b == 0x8C || b == 0x8E)
            c = char(b + 16);
        else if (b == 0x9F)
            c = char(0xFF);
    }
    return w;
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
    if (!FileUtils::FileExists(UserFileName)) {
        // A list not written yet is empty: the words of another list opened before (the
        // other language's) are not this one's.
        UserWords.Clear();
        UserFileSizeAtLoad = 0;
        return false;
    }
    UserFileSizeAtLoad = UserFileSize();
    UserWords.LoadFromFile(UserFileName);
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
    // Take in every word of the file, so that none is lost: another program may have
    // written it since the list was loaded, even to the same size. A file that has
    // vanished meanwhile has nothing to add: the save recreates it.
    if (FileUtils::FileExists(UserFileName)) {
        TStringList onDisk;
        onDisk.LoadFromFile(UserFileName);
        UserWords.AddStrings(onDisk);
    }
    UserWords.SaveToFile(UserFileName);
    UserWordsModified = false;
}

int64_t TDictionary::UserFileSize() const
{
    const int64_t size = FileUtils::FileSize(UserFileName);
    return size < 0 ? 0 : size;
}

bool TDictionary::IsListedWord(std::string_view lowerOemWord) const
{
    const std::string ansi = OemToAnsiWord(lowerOemWord);
    int index;
    return UserWords.Find(ansi, index);
}

bool TDictionary::IsWord(std::string_view word) const
{
    // Lower-cased into a buffer on the stack: the check of a text calls this for every
    // word, and nothing here needs to outlive the call.
    char lowered[Dct::WordMax];
    const size_t length = std::min(word.size(), Dct::WordMax);
    for (size_t i = 0; i < length; ++i)
        lowered[i] = char(LowerTable[static_cast<unsigned char>(word[i])]);
    std::string_view w(lowered, length);
    if (w.ends_with("'s"))
        w.remove_suffix(2);
    // The empty word is never a word, even when the user list holds an empty line.
    if (w.empty())
        return false;
    if (ExclusionWords && ExclusionWords->IndexOf(OemToAnsiWord(w)) >= 0)
        return false;
    if (UserWords.Count() > 0 && IsListedWord(w))
        return true;
    for (auto *node = Files.Head(); node; node = node->Next) {
        if (static_cast<TDCTFile *>(node)->ContainsWord(w))
            return true;
    }
    return false;
}

bool TDictionary::AddWord(std::string_view word)
{
    const std::string w(word.substr(0, Dct::WordMax));
    if (IsWord(AnsiToOemWord(w)))
        return false;
    UserWords.Add(LowerAnsi(w));
    UserWordsModified = true;
    return true;
}

std::unique_ptr<TStringList> TDictionary::TwoWordSplits(std::string_view word,
                                                        uint16_t maxCount) const
{
    const std::string_view w = word.substr(0, Dct::WordMax);
    auto result = std::make_unique<TStringList>();
    for (size_t k = 1; k < w.size() && result->Count() < maxCount; ++k) {
        const std::string_view left = w.substr(0, k), right = w.substr(k);
        if (IsWord(left) && IsWord(right))
            result->Add(std::string(left) + ' ' + std::string(right));
    }
    return result;
}

std::unique_ptr<TStringList> TDictionary::Suggest(std::string_view word, uint16_t maxCount) const
{
    const std::string_view pattern = word.substr(0, Dct::WordMax);
    const std::string w = LowerOem(word);
    auto result = TwoWordSplits(w, maxCount);
    const int found = result->Count();
    if (maxCount > found && FirstFile() && !w.empty()) {
        // The ranked list holds at most 255 entries; a larger request gets that many.
        const auto capacity = uint8_t(std::min(int(maxCount) - found, 255));
        TSuggestList list(const_cast<TDictionary *>(this));
        for (auto *node = Files.Head(); node; node = node->Next)
            list.SearchFile(*static_cast<TDCTFile *>(node), capacity, w);
        AddUserWordCandidates(list, w);
        for (TSuggestion *s = list.First(); s; s = TSuggestList::NextOf(s))
            result->Add(s->Word);
    }
    FinishWordList(*result, pattern);
    return result;
}

void TDictionary::AddUserWordCandidates(TSuggestList &list, const std::string &word) const
{
    // Learned words compete with the dictionary's under the same screens: same first
    // letter, length within two, and a matching sound code.
    for (const std::string &entry : UserWords) {
        const std::string candidate = LowerOem(AnsiToOemWord(entry));
        if (candidate.empty() || candidate[0] != word[0] || int(candidate.size()) < list.MinLength
            || int(candidate.size()) > list.MaxLength || !list.SoundsLike(candidate))
            continue;
        bool present = false;
        for (TSuggestion *s = list.First(); s && !present; s = TSuggestList::NextOf(s))
            present = s->Word == candidate;
        if (!present)
            list.AddRanked(word, candidate);
    }
}

std::unique_ptr<TStringList> TDictionary::WordsStartingWith(std::string_view prefix,
                                                            uint16_t maxCount) const
{
    const std::string stem = AnsiToOemWord(prefix);
    const std::string pattern = stem;
    auto result = std::make_unique<TStringList>();
    TDCTFile *file = FirstFile();
    if (!file)
        return result;

    std::string_view rest;
    const std::string lower = LowerOem(stem);
    rest = lower;
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

std::string TDictionary::MatchCase(std::string_view word, std::string_view pattern)
{
    word = word.substr(0, Dct::WordMax);
    pattern = pattern.substr(0, Dct::WordMax);
    if (pattern.empty())
        return std::string(word);
    const auto letter = static_cast<unsigned char>(pattern.size() > 1 ? pattern[1] : pattern[0]);
    if (UpCaseFold(letter) == letter)
        return UpCaseFoldWord(word);
    std::string w = LowerOem(word);
    const auto first = static_cast<unsigned char>(pattern[0]);
    if (!w.empty() && UpCaseFold(first) == first)
        w[0] = char(UpCaseFold(static_cast<unsigned char>(w[0])));
    return w;
}

void TDictionary::FinishWordList(TStringList &list, std::string_view pattern)
{
    // Capitalisation is matched while both are still in code page 437, where the fold
    // table lives; then the entry is converted for display.
    for (int i = 0; i < list.Count(); ++i)
        list.Put(i, OemToAnsiWord(MatchCase(list[i], pattern)));
}

unsigned char TDictionary::UpCaseFold(unsigned char ch)
{
    const size_t k = AccentLower.find(char(ch));
    if (k != std::string_view::npos)
        return static_cast<unsigned char>(AccentUpper[k]);
    return (ch >= 'a' && ch <= 'z') ? ch - 32 : ch;
}

std::string TDictionary::UpCaseFoldWord(std::string_view word)
{
    std::string w(word.substr(0, Dct::WordMax));
    for (char &c : w)
        c = char(UpCaseFold(static_cast<unsigned char>(c)));
    return w;
}
