#include "tools/scrivlo-spell/ListCommands.h"

#include "dictionary/ChildRanker.h"
#include "dictionary/TDictionary.h"
#include "platform/core/CodePages.h"
#include "tools/scrivlo-spell/Output.h"
#include "tools/scrivlo-spell/TextMapping.h"

namespace {

// The argument as the user sees it: its UTF-8, also when it was given in code page 1252.
std::string ShownArgument(const std::string &argument)
{
    std::u16string units;
    TextMapping::DecodeText(argument, true, units);
    std::string shown;
    TextMapping::AppendUtf8(shown, units);
    return shown;
}

void PrintList(const std::string &argument, const TStringList &list)
{
    std::string line = ShownArgument(argument);
    AppendList(line, list, [](const std::string &entry) { return CodePages::AnsiToUtf8(entry); });
    line += '\n';
    PrintOut(line);
}

} // namespace

void RunSuggest(const TDictionary &dictionary, const std::vector<std::string> &words,
                uint16_t maxCount, ChildRanker *ranker)
{
    for (const std::string &word : words) {
        const AnsiText asked = TextMapping::ArgumentToAnsi(word);
        PrintList(word,
                  ranker ? *ranker->Suggest(asked, maxCount)
                         : *dictionary.Suggest(asked, maxCount));
    }
}

void RunComplete(const TDictionary &dictionary, const std::vector<std::string> &prefixes,
                 uint16_t maxCount, ChildRanker *ranker)
{
    for (const std::string &prefix : prefixes) {
        const AnsiText asked = TextMapping::ArgumentToAnsi(prefix);
        PrintList(prefix,
                  ranker ? *ranker->WordsStartingWith(asked, maxCount)
                         : *dictionary.WordsStartingWith(asked, maxCount));
    }
}
