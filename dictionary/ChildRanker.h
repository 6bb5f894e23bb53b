#pragma once
// The children's ranking of suggestions: a second way of answering "what did the child
// mean?", beside the dictionary's own Suggest, which stays as it is.
//
// Candidates are the first 30 of the dictionary's phonetic search, every word of the
// letter tree within a children's edit cost of the typed word (EditCost; no sound-code or
// length screen, a lower limit for another first letter) that could still come near the
// best score (RankingTree), learned words within that cost, and the two-word splits.
// Each is scored by how common the word is (WordPrior), how cheap the child's error is,
// the dictionary's similarity percentage, whether the first letter is right, and whether
// the word is longer than what was typed (children leave letters out more often than they
// add them). Words of the never-suggest list are left out, and words the word lists write
// with capitals keep them.
//
// The tables, and the ranking's own letter tree, are made on the first request, so a
// check that never asks for suggestions never loads them: WORDPRIOR.TXT and NOSUGGEST.TXT beside
// the first dictionary file, and a parent's USERNOSUGGEST.TXT beside the user word list. A missing
// table leaves its part out of the ranking (every word equally common, or nothing never-suggested).

#include "dictionary/NeverSuggestList.h"
#include "dictionary/RankingTree.h"
#include "dictionary/WordPrior.h"
#include "platform/core/CodePageText.h"
#include "platform/core/TStringList.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class TDictionary;

class ChildRanker
{
public:
    explicit ChildRanker(const TDictionary &dictionary);

    // At most maxCount suggestions for word (as typed), best first, with the capitals of
    // the typed word.
    std::unique_ptr<TStringList> Suggest(const AnsiText &word, uint16_t maxCount);
    // The dictionary's completions of prefix, without never-suggest words.
    std::unique_ptr<TStringList> WordsStartingWith(const AnsiText &prefix, uint16_t maxCount);

    // Reads the tables from their places now; the first request does it otherwise.
    void LoadTables();

    static constexpr const char *PriorFileName = "WORDPRIOR.TXT";
    static constexpr const char *NeverSuggestFileName = "NOSUGGEST.TXT";
    static constexpr const char *ParentNeverSuggestFileName = "USERNOSUGGEST.TXT";

    // The tables; a caller may fill them and set TablesLoaded instead of LoadTables.
    WordPrior Prior;
    NeverSuggestList NeverSuggest;
    bool TablesLoaded = false;

private:
    struct Candidate;
    float Score(const std::string &typed, const Candidate &candidate) const;
    // How common a word is, less the penalties for name-only and unknown words.
    static float WordValue(const WordPrior::Facts &facts);
    // typed: the lookup key of asTyped.
    void CollectCandidates(const AnsiText &asTyped, const std::string &typed,
                           std::vector<Candidate> &out);

    const TDictionary &FDictionary;
    // The dictionary's words marked with WordValue; built on the first request for
    // suggestions, and again when the files or the prior table change.
    RankingTree FTree;
    size_t FTreePriorCount = 0;
};
