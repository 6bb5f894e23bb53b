// The children's ranking made ahead of its first request, on a thread of its own.
#include "dictionary/ChildRanker.h"
#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"

struct ChildRanker::Prepared
{
    SpellingLanguage language;
    std::string userFileName;
    WordPrior prior;
    NeverSuggestList neverSuggest;
    RankingTree tree;
};

ChildRanker::~ChildRanker()
{
    DropPreparation();
}

std::vector<std::string> ChildRanker::OpenFileNames() const
{
    std::vector<std::string> names;
    for (auto *node = FDictionary.Files.Head(); node; node = node->Next)
        names.push_back(static_cast<const TDCTFile *>(node)->FileName());
    return names;
}

void ChildRanker::PrepareInBackground()
{
    std::vector<std::string> files = OpenFileNames();
    if (files.empty() || (FPreparing.valid() && FPreparingFiles == files))
        return;
    if (TablesLoaded && FTablesLanguage == Language() && FTree.IsBuiltFrom(FDictionary)
        && FTreePriorCount == Prior.Count())
        return;
    DropPreparation();
    FPreparingFiles = std::move(files);
    FPreparing = std::async(std::launch::async, Prepare, FPreparingFiles, FDictionary.UserFileName,
                            Language(), std::cref(FStopPreparing));
}

std::unique_ptr<ChildRanker::Prepared>
ChildRanker::Prepare(const std::vector<std::string> &fileNames, const std::string &userFileName,
                     SpellingLanguage language, const std::atomic<bool> &stop)
{
    auto prepared = std::make_unique<Prepared>();
    prepared->language = language;
    prepared->userFileName = userFileName;
    ReadTables(fileNames.front(), userFileName, language, prepared->prior, prepared->neverSuggest);
    // A reader of its own: the caller's dictionary reads through one block buffer.
    TDictionary reader;
    for (const std::string &name : fileNames) {
        if (stop || !reader.OpenDictionary(name))
            return nullptr;
    }
    // The tree asks for its words in alphabetical order.
    const WordPrior &prior = prepared->prior;
    prepared->tree.Build(
        reader,
        [&prior, cursor = size_t(0)](std::string_view w) mutable {
            return WordValue(prior.Lookup(w, cursor));
        },
        &stop);
    if (stop)
        return nullptr;
    return prepared;
}

void ChildRanker::TakePrepared()
{
    if (!FPreparing.valid())
        return;
    std::unique_ptr<Prepared> prepared;
    try {
        prepared = FPreparing.get();
    } catch (const std::exception &) {
        // The files could not be read there: the request reads them itself, and a failure
        // is reported from there.
    }
    FPreparingFiles.clear();
    // Dropped when the dictionary has other files open by now.
    if (!prepared || prepared->language != Language()
        || prepared->userFileName != FDictionary.UserFileName
        || !prepared->tree.AdoptFor(FDictionary))
        return;
    Prior = std::move(prepared->prior);
    NeverSuggest = std::move(prepared->neverSuggest);
    TablesLoaded = true;
    FTablesLanguage = prepared->language;
    FTree = std::move(prepared->tree);
    FTreePriorCount = Prior.Count();
}

void ChildRanker::DropPreparation()
{
    if (!FPreparing.valid())
        return;
    FStopPreparing = true;
    FPreparing.wait();
    FPreparing = {};
    FPreparingFiles.clear();
    FStopPreparing = false;
}
