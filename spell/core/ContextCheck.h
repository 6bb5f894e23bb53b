#pragma once
// The check of words in their sentence, above the dictionary's word-by-word check: a known
// word that its sentence says is the wrong one ("We went to there house", "I want to go
// their"), and capitals a word must have ("monday", "london", a lone "i", the first word of
// a sentence). Each flag comes with the word meant, first in the suggestions.
//
// Real-word errors: a known word is weighed in its sentence against the words a child could
// have meant instead, the confusable words listed for it (CONFUSABLE.TXT beside the
// dictionary: homophones and near-homophones) and, for a rare word, the close candidates of
// the children's ranking. The sentence with each alternative is scored by the word-sequence
// model; the word is flagged only when an alternative beats it by a clear margin, because a
// false alarm in front of a child costs more than a miss.
//
// Capitals: a word typed in lower case that the word prior only knows with capitals, a lone
// "i", and a sentence ended by . ! or ? that starts with a small letter (a list's item or a
// title is no sentence). Words the dictionary does not know are left to the spelling check.
//
// Text is code page 1252, one byte a character, as the spell check scans it; a paragraph
// break ends a sentence. Everything is Qt-free and answers in microseconds per word.

#include "platform/core/CodePageText.h"
#include "platform/core/TStringList.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

class TDictionary;
class WordPrior;
class WordSequenceModel;
class ChildRanker;
class ConfusableWords;
class SentenceScorer;
namespace SentenceScan {
struct Word;
}

enum class ContextProblem : uint8_t {
    WrongWord, // a real word that its sentence says is not the one meant
    Capital, // a word that needs a capital letter
};

struct ContextFlag
{
    int32_t Start = 0; // offset in the text checked
    int32_t Length = 0;
    ContextProblem Problem = ContextProblem::WrongWord;
    AnsiText Suggestion; // the word meant, with the typed word's capitals where they fit
    bool operator==(const ContextFlag &) const = default;
};

class ContextCheck
{
public:
    explicit ContextCheck(const TDictionary &dictionary);
    ~ContextCheck();
    ContextCheck(const ContextCheck &) = delete;
    ContextCheck &operator=(const ContextCheck &) = delete;

    // What is checked; both on by default. Without a model no real-word error is found.
    bool CheckWords = true;
    bool CheckCapitals = true;

    // Not owned; each may be null, which leaves its part out. The model must outlive the check
    // or be replaced first. The ranker gives the word prior (capitals) and close candidates;
    // Check uses it (loading its tables when none are loaded), so it must not be used on
    // another thread meanwhile. Checks on several threads take turns.
    void SetModel(const WordSequenceModel *model) { FModel = model; }
    const WordSequenceModel *Model() const { return FModel; }
    void SetRanker(ChildRanker *ranker) { FRanker = ranker; }
    // The confusable sets; read from a file with LoadConfusables, or given whole.
    bool LoadConfusables(const std::string &path);
    void SetConfusables(std::shared_ptr<const ConfusableWords> words);
    static constexpr const char *ConfusablesFileName = "CONFUSABLE.TXT";

    // The flags of a text, in text order. With finishedOnly, the last sentence is left out
    // unless it ends with . ! or ? (the child may still be writing it).
    std::vector<ContextFlag> Check(std::string_view text, bool finishedOnly = false) const;
    // Reorders suggestions for the misspelt word at start..start+length of text by how well
    // each fits between its neighbours, the ranking's own order kept where the model cannot
    // tell them apart. Without a model, or for a word outside a sentence, nothing changes.
    void Rerank(std::string_view text, int32_t start, int32_t length,
                TStringList &suggestions) const;

    // How much likelier (log10) the best alternative must make its window than the typed
    // word for a flag, and how much a place further down the ranking's list costs in Rerank.
    float Margin = 2.5f;
    // The margin for the ranking's close candidates, which are not listed as confusable.
    float CloseMargin = 5.0f;
    float PlaceCost = 2.5f;
    // A known word rarer than this (log10, alone), and not longer than RareWordLength, also
    // meets the ranking's close candidates. A child's rare slip is a short word ("wen",
    // "cud", "plaid"); a long rare word ("giraffe") is meant, and each costs a search.
    float RareWord = -5.0f;
    size_t RareWordLength = 5;
    // Alternatives this much rarer (log10, alone) than the typed word are not weighed: a
    // child seldom writes the common word for the rare one ("the" for "thee").
    float RarerAlternative = 2.5f;

private:
    struct Cache;
    struct WordFacts;
    // What the model, the prior and the confusable table say of a word, made once per word.
    WordFacts &Facts(Cache &cache, const std::string &lower) const;
    // The ranking's close candidates of a rare word worth weighing, into facts.
    void FindCloseCandidates(const std::string &lower, WordFacts &facts) const;
    // The word meant at index of the scorer's sentence, when an alternative beats the
    // typed word by its margin.
    bool BestAlternative(const SentenceScorer &scorer, const std::string &lower, WordFacts &facts,
                         size_t index, std::string &meant) const;
    // The ranking's close candidates of a rare word.
    std::vector<std::string> CloseCandidates(const std::string &lower) const;
    // The cache, emptied first when what its facts came from has changed since.
    Cache &LockedCache(std::unique_lock<std::mutex> &lock) const;

    const TDictionary &FDictionary;
    const WordSequenceModel *FModel = nullptr;
    ChildRanker *FRanker = nullptr;
    std::shared_ptr<const ConfusableWords> FConfusables;
    std::unique_ptr<Cache> FCache;
};
