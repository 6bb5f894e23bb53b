#pragma once
// The children's ranking of suggestions: a second way of answering "what did the child
// mean?", beside the dictionary's own Suggest, which stays as it is.
//
// Candidates are the first 30 of the dictionary's phonetic search, every word of the
// letter tree within a children's edit cost of the typed word (EditCost; no sound-code or
// length screen, a lower limit for another first letter) that could still come near the
// best score (RankingTree), learned words within that cost, and the two-word splits.
// Each is scored by how common the word is (WordPrior), how cheap the child's error is,
// the dictionary's similarity percentage, whether the first letter is right (as heard, in
// Spanish: b for v), and whether the word is longer than what was typed (children leave
// letters out more often than they add them). Words of the never-suggest list are left out, and
// words the word lists write with capitals keep them.
//
// The ranking is for one language (English, Spanish): it decides what a child's error costs
// and which tables are read. Unless set, it is the language of the first dictionary file
// (ESPANOL.DCT: Spanish), so a dictionary chosen later brings its own language.
//
// The tables, and the ranking's own letter tree, are made on the first request, so a
// check that never asks for suggestions never loads them: WORDPRIOR.TXT and NOSUGGEST.TXT beside
// the first dictionary file (WORDPRIOR_ES.TXT and NOSUGGEST_ES.TXT for Spanish, so that both
// dictionaries can share a folder), and a parent's USERNOSUGGEST.TXT beside the user word list. A
// missing table leaves its part out of the ranking (every word equally common, or nothing
// never-suggested). A change of language reads the tables again.
//
// For a large dictionary the tree takes a moment: PrepareInBackground reads the tables and
// builds the tree on a thread of its own, through its own reader of the dictionary's files
// (a TDCTFile reads through one block buffer, which the caller's thread keeps using). The
// first request takes the result, waiting for it if it is not ready, when the dictionary
// still has the same files open; otherwise the result is dropped.

#include "dictionary/NeverSuggestList.h"
#include "dictionary/RankingTree.h"
#include "dictionary/SpellingLanguage.h"
#include "dictionary/WordPrior.h"
#include "platform/core/CodePageText.h"
#include "platform/core/TStringList.h"

#include <atomic>
#include <cstdint>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TDictionary;
struct EditCostRules;

class ChildRanker
{
public:
    explicit ChildRanker(const TDictionary &dictionary);
    ChildRanker(const ChildRanker &) = delete;
    ChildRanker &operator=(const ChildRanker &) = delete;
    // Stops a preparation still running and waits for its thread.
    ~ChildRanker();

    // At most maxCount suggestions for word (as typed), best first, with the capitals of
    // the typed word.
    std::unique_ptr<TStringList> Suggest(const AnsiText &word, uint16_t maxCount);
    // The dictionary's completions of prefix, without never-suggest words.
    std::unique_ptr<TStringList> WordsStartingWith(const AnsiText &prefix, uint16_t maxCount);

    // Reads the tables from their places now; the first request does it otherwise.
    void LoadTables();
    // Starts reading the tables and building the tree of the files the dictionary has open
    // now on another thread, unless the tree is built from them already or being built.
    void PrepareInBackground();

    // The language set, else that of the first dictionary file's name.
    SpellingLanguage Language() const;
    void SetLanguage(SpellingLanguage language) { FLanguage = language; }

    static constexpr const char *PriorFileName = "WORDPRIOR.TXT";
    static constexpr const char *NeverSuggestFileName = "NOSUGGEST.TXT";
    static constexpr const char *SpanishPriorFileName = "WORDPRIOR_ES.TXT";
    static constexpr const char *SpanishNeverSuggestFileName = "NOSUGGEST_ES.TXT";
    static constexpr const char *ParentNeverSuggestFileName = "USERNOSUGGEST.TXT";

    // The tables; a caller may fill them and set TablesLoaded instead of LoadTables.
    WordPrior Prior;
    NeverSuggestList NeverSuggest;
    bool TablesLoaded = false;

private:
    struct Candidate;
    struct Prepared;
    // The tables and tree of the files, made through a reader of their own.
    static std::unique_ptr<Prepared> Prepare(const std::vector<std::string> &fileNames,
                                             const std::string &userFileName,
                                             SpellingLanguage language,
                                             const std::atomic<bool> &stop);
    // Takes the result of a preparation, waiting for it, when it fits the files open now.
    void TakePrepared();
    // Stops a preparation and drops its result.
    void DropPreparation();
    // Reads the language's tables from beside the first dictionary file and the user's list.
    static void ReadTables(const std::string &firstFileName, const std::string &userFileName,
                           SpellingLanguage language, WordPrior &prior,
                           NeverSuggestList &neverSuggest);
    std::vector<std::string> OpenFileNames() const;
    float Score(const std::string &typed, const Candidate &candidate) const;
    // How common a word is, less the penalties for name-only and unknown words.
    static float WordValue(const WordPrior::Facts &facts);
    // typed: the lookup key of asTyped.
    void CollectCandidates(const AnsiText &asTyped, const std::string &typed,
                           std::vector<Candidate> &out);
    // Loads the tables when none are there yet or the language changed since.
    void EnsureTables();

    const TDictionary &FDictionary;
    std::optional<SpellingLanguage> FLanguage;
    // The costs of the language of the request being answered.
    const EditCostRules *FRules = nullptr;
    // The language LoadTables read the tables for.
    std::optional<SpellingLanguage> FTablesLanguage;
    // The dictionary's words marked with WordValue; built on the first request for
    // suggestions, and again when the files or the prior table change.
    RankingTree FTree;
    size_t FTreePriorCount = 0;

    std::future<std::unique_ptr<Prepared>> FPreparing;
    std::vector<std::string> FPreparingFiles;
    std::atomic<bool> FStopPreparing { false };
};
