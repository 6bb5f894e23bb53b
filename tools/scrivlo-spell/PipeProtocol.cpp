#include "tools/scrivlo-spell/PipeProtocol.h"

#include "dictionary/ChildRanker.h"
#include "dictionary/TDictionary.h"
#include "platform/core/CodePages.h"
#include "platform/core/TStringList.h"
#include "tools/scrivlo-spell/Output.h"
#include "tools/scrivlo-spell/TextMapping.h"
#include "tools/scrivlo-spell/WordScanner.h"

#include <cstdlib>
#include <string>

#ifndef SCRIVLO_VERSION
#define SCRIVLO_VERSION "0.1"
#endif

namespace {

constexpr size_t WordMax = 50; // the dictionary's word length limit

// The line buffer getline grows; released also when a dictionary error ends the session.
struct LineBuffer
{
    LineBuffer() = default;
    LineBuffer(const LineBuffer &) = delete;
    LineBuffer &operator=(const LineBuffer &) = delete;
    ~LineBuffer() { std::free(data); }
    char *data = nullptr;
    size_t capacity = 0;
};

class PipeSession
{
public:
    PipeSession(const TDictionary &dictionary, uint16_t maxCount, ChildRanker *ranker)
        : FDictionary(dictionary)
        , FRanker(ranker)
        , FMaxCount(maxCount)
    { }

    void HandleLine(std::string_view line);

private:
    void CheckText(std::string_view text);
    void CheckWord(std::u16string_view word, size_t offset);
    bool IsSessionWord(std::u16string_view word) const;
    void Accept(std::string_view word);

    const TDictionary &FDictionary;
    ChildRanker *const FRanker;
    const uint16_t FMaxCount;
    bool FTerse = false;
    bool FFirstLine = true;
    // Words accepted in this session only, compared without regard to case like the
    // user's word list. They never reach the dictionary, so nothing is ever saved.
    TStringList FSessionWords { true };
    std::u16string FUnits;
    std::string FOut;
};

void PipeSession::HandleLine(std::string_view line)
{
    // Only the very first line may open with a byte-order mark.
    if (FFirstLine && line.starts_with("\xEF\xBB\xBF"))
        line.remove_prefix(3);
    FFirstLine = false;
    if (line.empty()) {
        CheckText(line);
        return;
    }
    switch (line.front()) {
    case '^':
        CheckText(line.substr(1));
        break;
    case '*':
    case '@':
        Accept(line.substr(1));
        break;
    case '!':
        FTerse = true;
        break;
    case '%':
        FTerse = false;
        break;
    case '#':
    case '~':
    case '+':
    case '-':
    case '&':
    case '$':
        break;
    default:
        CheckText(line);
    }
}

void PipeSession::Accept(std::string_view word)
{
    while (!word.empty() && (word.front() == ' ' || word.front() == '\t'))
        word.remove_prefix(1);
    while (!word.empty() && (word.back() == ' ' || word.back() == '\t'))
        word.remove_suffix(1);
    if (!word.empty())
        FSessionWords.Add(TextMapping::ArgumentToAnsi(word).str().substr(0, WordMax));
}

void PipeSession::CheckText(std::string_view text)
{
    TextMapping::DecodeText(text, false, FUnits);
    const unsigned char *wordLetter = TextMapping::GetTables().wordLetter.data();
    FOut.clear();
    size_t offset = 0; // in characters, of the unit at i
    for (size_t i = 0; i < FUnits.size();) {
        if (wordLetter[FUnits[i]] == 0) {
            if (!TextMapping::IsLowSurrogate(FUnits[i]))
                ++offset;
            ++i;
            continue;
        }
        size_t end = i;
        while (end < FUnits.size() && wordLetter[FUnits[end]] != 0)
            ++end;
        CheckWord(std::u16string_view(FUnits).substr(i, end - i), offset);
        offset += end - i; // word characters are never surrogates
        i = end;
    }
    FOut += '\n';
    PrintOut(FOut);
    std::fflush(stdout);
}

void PipeSession::CheckWord(std::u16string_view word, size_t offset)
{
    if (word.size() < 2 || word.find_first_not_of(u"0123456789") == std::u16string_view::npos)
        return;
    std::string shown;
    TextMapping::AppendUtf8(shown, word);
    // A run of 50 or more word characters cannot be a word: unknown, nothing to suggest.
    if (word.size() >= WordScanner::MaxRun) {
        FOut += "# " + shown + ' ' + std::to_string(offset) + '\n';
        return;
    }
    const AnsiText letters = CodePages::Utf16ToAnsi(word);
    if (FDictionary.IsWord(letters) || IsSessionWord(word)) {
        if (!FTerse)
            FOut += "*\n";
        return;
    }
    const auto suggestions
        = FRanker ? FRanker->Suggest(letters, FMaxCount) : FDictionary.Suggest(letters, FMaxCount);
    if (suggestions->Count() == 0) {
        FOut += "# " + shown + ' ' + std::to_string(offset) + '\n';
        return;
    }
    FOut
        += "& " + shown + ' ' + std::to_string(suggestions->Count()) + ' ' + std::to_string(offset);
    AppendList(FOut, *suggestions,
               [](const std::string &entry) { return CodePages::AnsiToUtf8(entry); });
    FOut += '\n';
}

bool PipeSession::IsSessionWord(std::u16string_view word) const
{
    if (FSessionWords.Count() == 0)
        return false;
    // Like the user's list: "word's" is found as "word".
    std::string ansi = CodePages::Utf16ToAnsi(word).str();
    int index;
    if (FSessionWords.Find(ansi, index))
        return true;
    const size_t n = ansi.size();
    if (n > 2 && ansi[n - 2] == '\'' && (ansi[n - 1] == 's' || ansi[n - 1] == 'S')) {
        ansi.resize(n - 2);
        return FSessionWords.Find(ansi, index);
    }
    return false;
}

} // namespace

int RunPipe(const TDictionary &dictionary, uint16_t maxCount, std::FILE *in, ChildRanker *ranker)
{
    PrintOut("@(#) Scrivlo spell " SCRIVLO_VERSION " (spell-checker pipe protocol)\n");
    std::fflush(stdout);
    PipeSession session(dictionary, maxCount, ranker);
    LineBuffer buffer;
    ssize_t length;
    while ((length = ::getline(&buffer.data, &buffer.capacity, in)) >= 0) {
        std::string_view line(buffer.data, size_t(length));
        if (line.ends_with('\n'))
            line.remove_suffix(1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        session.HandleLine(line);
    }
    return FinishOutput() ? 0 : 2;
}
