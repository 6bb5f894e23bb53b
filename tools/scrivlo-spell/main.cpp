// scrivlo-spell: the spell checker of Scrivlo on the command line. It reads the user's
// learned words (those the editor keeps, unless --user names another list) but never
// writes them.

#include "dictionary/ChildRanker.h"
#include "dictionary/LearnedWordFile.h"
#include "dictionary/TDictionary.h"
#include "dictionary/WordSequenceModel.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"
#include "spell/core/ContextCheck.h"
#include "tools/scrivlo-spell/CheckCommand.h"
#include "tools/scrivlo-spell/ListCommands.h"
#include "tools/scrivlo-spell/Options.h"
#include "tools/scrivlo-spell/Output.h"
#include "tools/scrivlo-spell/PipeProtocol.h"

#include <cstdio>
#include <exception>
#include <memory>

namespace {

constexpr int ExitTrouble = 2;

// A path from the command line is taken from the current folder; the dictionary's own
// lookup would otherwise place a bare file name beside the dictionary.
std::string FromCurrentFolder(const std::string &path)
{
    return FileUtils::ExtractFilePath(path).empty() ? "./" + path : path;
}

// The dictionary to open: ENGLISH.DCT of the program's data folder by default. A bare file
// name ("--dict ESPANOL.DCT") is taken from the current folder when it is there, else from
// the data folder, where the build and the installation put the dictionaries.
std::string DictionaryPath(const Options &options)
{
    if (!options.dictionary)
        return FileUtils::DataDir() + "ENGLISH.DCT";
    const std::string &path = *options.dictionary;
    if (FileUtils::ExtractFilePath(path).empty() && !FileUtils::FileExists(path)
        && FileUtils::FileExists(FileUtils::DataDir() + path))
        return FileUtils::DataDir() + path;
    return path;
}

// The words an earlier version learned beside the dictionary, until the editor takes them
// into the user's own list (this program writes no list).
void AddOldLearnedWords(TDictionary &dictionary, const std::string &dictionaryPath)
{
    const std::string oldPath = LearnedWordFile::OldPathFor(dictionaryPath);
    if (!LearnedWordFile::OldFileWaiting(oldPath, dictionary.UserFileName))
        return;
    TStringList words(true);
    TextEncoding::TTextFormat format;
    if (LearnedWordFile::Read(oldPath, words, format) == LearnedWordFile::TReadResult::Read)
        dictionary.UserWords.AddStrings(words);
}

// Opens the dictionary and the word lists; false after printing why not.
bool OpenDictionary(TDictionary &dictionary, const Options &options)
{
    const std::string path = DictionaryPath(options);
    try {
        if (!dictionary.OpenDictionary(path)) {
            PrintError("Dictionary not found: " + path + ".");
            return false;
        }
    } catch (const TEDictionaryCorrupt &) {
        PrintError("Dictionary Corrupt.");
        return false;
    } catch (const EInOutError &e) {
        PrintError(e.Message());
        return false;
    }
    // A user list that does not exist yet is simply empty; one that cannot be read is
    // reported and left as it is.
    dictionary.UserFileReadOnly = true;
    if (options.userList) {
        dictionary.OpenUserDictionary(FromCurrentFolder(*options.userList));
    } else {
        dictionary.OpenUserDictionary(LearnedWordFile::UserPathFor(path));
        AddOldLearnedWords(dictionary, path);
    }
    // A school's class word list beside the dictionary, read only like the user's list.
    dictionary.OpenClassWords(FileUtils::ExtractFilePath(path) + TDictionary::ClassWordsName);
    if (options.exclusionList) {
        const std::string exclusions = FromCurrentFolder(*options.exclusionList);
        if (!FileUtils::FileExists(exclusions) || !dictionary.OpenExclusionList(exclusions)) {
            PrintError("Exclusion list not found: " + exclusions + ".");
            return false;
        }
    }
    return true;
}

// The check in context, with its own ranking for the word prior and close candidates, the
// language's word-sequence model when there is one, and the confusable words beside the
// dictionary. Without the model, only capitals are checked.
struct ContextParts
{
    std::unique_ptr<ChildRanker> ranker;
    std::unique_ptr<WordSequenceModel> model;
    std::unique_ptr<ContextCheck> check;
};

ContextParts MakeContextCheck(const TDictionary &dictionary, const Options &options)
{
    ContextParts parts;
    parts.ranker = std::make_unique<ChildRanker>(dictionary);
    std::string error;
    parts.model = WordSequenceModel::ForLanguage(parts.ranker->Language(), error);
    parts.check = std::make_unique<ContextCheck>(dictionary);
    parts.check->SetRanker(parts.ranker.get());
    parts.check->SetModel(parts.model.get());
    parts.check->LoadConfusables(FileUtils::ExtractFilePath(DictionaryPath(options))
                                 + ContextCheck::ConfusablesFileName);
    return parts;
}

int Run(const Options &options, TDictionary &dictionary)
{
    if (!OpenDictionary(dictionary, options))
        return ExitTrouble;
    // The children's ranking reads its tables at the first request for suggestions.
    std::unique_ptr<ChildRanker> ranker;
    if (!options.classic)
        ranker = std::make_unique<ChildRanker>(dictionary);
    int status = 0;
    switch (options.command) {
    case Command::Check: {
        ContextParts context;
        if (options.context)
            context = MakeContextCheck(dictionary, options);
        status = RunCheck(dictionary, options.arguments, context.check.get());
        break;
    }
    case Command::Suggest:
        RunSuggest(dictionary, options.arguments, options.maxCount, ranker.get());
        break;
    case Command::Complete:
        RunComplete(dictionary, options.arguments, options.maxCount, ranker.get());
        break;
    case Command::Pipe:
        status = RunPipe(dictionary, options.maxCount, stdin, ranker.get());
        break;
    }
    if (!FinishOutput()) {
        PrintError(std::string(ProgramName) + ": cannot write the output");
        return ExitTrouble;
    }
    return status;
}

} // namespace

int main(int argc, char **argv)
{
    Options options;
    if (const std::string error = ParseOptions(argc, argv, options); !error.empty()) {
        PrintError(std::string(ProgramName) + ": " + error);
        PrintError("Try 'scrivlo-spell --help'.");
        return ExitTrouble;
    }
    if (options.help || options.version) {
        PrintOut(options.help ? UsageText() : VersionText());
        return FinishOutput() ? 0 : ExitTrouble;
    }

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);

    TDictionary::ErrorReporter
        = [](const std::string &message) { PrintError(std::string(ProgramName) + ": " + message); };
    TDictionary dictionary;
    int status;
    try {
        status = Run(options, dictionary);
    } catch (const std::exception &e) {
        PrintError(std::string(ProgramName) + ": " + e.what());
        status = ExitTrouble;
    }
    // Nothing here ever learns a word; make sure closing the dictionary writes nothing.
    dictionary.UserWordsModified = false;
    return status;
}
