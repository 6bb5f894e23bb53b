#include "dictionary/ChildRanker.h"

#include "dictionary/DctFormat.h"
#include "dictionary/EditCost.h"
#include "dictionary/EditCostRules.h"
#include "dictionary/RankingTree.h"
#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"
#include "dictionary/TSuggestList.h"
#include "platform/core/CodePages.h"
#include "platform/core/FileUtils.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <unordered_set>
#include <vector>

namespace {

// The walk of the tree leaves a branch whose words cannot come within Margin of the best
// score found so far (other first letters: cannot beat it). The best is what the child
// gets by pressing Change; the margin keeps the rest of the list as good as a wider walk
// made it, at a fraction of the walk (making sure of the best five instead took three to
// five times as long).
constexpr float Margin = 1.0f;
// How many of the phonetic search's words join the candidates.
constexpr uint8_t PhoneticCandidates = 30;
// The largest edit cost at which a word of the tree is a candidate. A word that does not
// begin with the typed word's first letter gets a lower limit: it lacks the first-letter
// bonus, so beyond it such a word hardly ever wins (the lower limit changed no first
// suggestion on the development corpora), while walking those branches to the full limit
// was most of the work for long, garbled words.
constexpr float CostLimit = 2.5f;
constexpr float OtherFirstLetterCostLimit = 1.5f;

// The weights of the score.
constexpr float CostWeight = 2.5f;
constexpr float SimilarityWeight = 3.0f; // per 100 % of similarity
constexpr float FirstLetterBonus = 2.0f;
constexpr float LongerBonus = 0.8f; // children leave letters out more often than they add them
constexpr float NameOnlyPenalty = 0.5f;
constexpr float UnknownWordPenalty = 0.5f;
// A two-word split costs this much as an error, so that "wet her" only beats "whether"
// when the pair is far more likely.
constexpr float SplitCost = 1.5f;
// A learned word counts as this common when the table lacks it.
constexpr float LearnedLogProbability = -5.0f;

} // namespace

struct ChildRanker::Candidate
{
    std::string word; // lower case, code page 437; "left right" for a split
    float cost;
    bool learned;
    float score;
};

ChildRanker::ChildRanker(const TDictionary &dictionary)
    : FDictionary(dictionary)
{ }

SpellingLanguage ChildRanker::Language() const
{
    if (FLanguage)
        return *FLanguage;
    const auto *first = static_cast<const TDCTFile *>(FDictionary.Files.Head());
    return first ? LanguageOfDictionary(first->FileName()) : SpellingLanguage::English;
}

void ChildRanker::EnsureTables()
{
    TakePrepared();
    if (!TablesLoaded || (FTablesLanguage && *FTablesLanguage != Language()))
        LoadTables();
}

void ChildRanker::LoadTables()
{
    TablesLoaded = true;
    FTablesLanguage = Language();
    Prior = WordPrior();
    NeverSuggest = NeverSuggestList();
    // The tree's marks come from the prior: make it again.
    FTreePriorCount = SIZE_MAX;
    const auto *first = static_cast<const TDCTFile *>(FDictionary.Files.Head());
    if (first)
        ReadTables(first->FileName(), FDictionary.UserFileName, *FTablesLanguage, Prior,
                   NeverSuggest);
}

void ChildRanker::ReadTables(const std::string &firstFileName, const std::string &userFileName,
                             SpellingLanguage language, WordPrior &prior,
                             NeverSuggestList &neverSuggest)
{
    const std::string folder = FileUtils::ExtractFilePath(firstFileName);
    const bool spanish = language == SpellingLanguage::Spanish;
    prior.LoadFromFile(folder + (spanish ? SpanishPriorFileName : PriorFileName));
    neverSuggest.AddFile(folder + (spanish ? SpanishNeverSuggestFileName : NeverSuggestFileName));
    const std::string userFolder
        = userFileName.empty() ? folder : FileUtils::ExtractFilePath(userFileName);
    neverSuggest.AddFile(userFolder + ParentNeverSuggestFileName);
}

void ChildRanker::CollectCandidates(const AnsiText &asTyped, const std::string &typed,
                                    std::vector<Candidate> &out)
{
    // The best score so far. A word may come twice (from the search and the walk); the
    // listing skips repeats.
    float best = -std::numeric_limits<float>::infinity();
    auto add = [&](std::string_view word, float cost, bool learned) {
        if (NeverSuggest.ContainsLowerCase(word))
            return;
        Candidate c { std::string(word), cost, learned, 0.0f };
        c.score = Score(typed, c);
        best = std::max(best, c.score);
        out.push_back(std::move(c));
    };

    // The phonetic search's best, also when their cost is beyond the limit.
    const SpellingLanguage language = Language();
    FRules = &EditCostRulesFor(language);
    EditCost cost(typed, language);
    TSuggestList list(const_cast<TDictionary *>(&FDictionary));
    for (auto *node = FDictionary.Files.Head(); node; node = node->Next)
        list.SearchFile(*static_cast<TDCTFile *>(node), PhoneticCandidates, typed);
    for (TSuggestion *s = list.First(); s; s = TSuggestList::NextOf(s))
        add(s->Word, cost.Between(s->Word), false);

    for (const std::string &entry : FDictionary.UserWords) {
        const std::string learned = TDictionary::LookupKey(AnsiText(entry)).str();
        if (learned.empty() || learned == typed)
            continue;
        if (const float c = cost.Between(learned); c <= CostLimit)
            add(learned, c, true);
    }

    const auto splits = FDictionary.TwoWordSplits(asTyped, 255);
    for (std::string split : *splits) {
        CodePages::AnsiToOemBuff(split);
        add(split, SplitCost, false);
    }

    if (!FTree.IsBuiltFrom(FDictionary) || FTreePriorCount != Prior.Count()) {
        // The tree asks for its words in alphabetical order.
        FTree.Build(FDictionary, [this, cursor = size_t(0)](std::string_view w) mutable {
            return WordValue(Prior.Lookup(w, cursor));
        });
        FTreePriorCount = Prior.Count();
    }
    // The highest cost at which a word below node could still come within Margin of the
    // best: the best score it can reach is the node's mark, full similarity and the bonuses.
    const bool bounded = Prior.Count() != 0;
    auto limit = [&](const RankingTree::Node &node, bool firstLetterRight) {
        const float costLimit = firstLetterRight ? CostLimit : OtherFirstLetterCostLimit;
        if (!bounded)
            return costLimit;
        const float reach = node.best + SimilarityWeight + LongerBonus
            + (firstLetterRight ? FirstLetterBonus : 0.0f);
        return std::min(costLimit,
                        (reach - best + (firstLetterRight ? Margin : 0.0f)) / CostWeight);
    };

    // Every other word within that cost: a walk of the tree that leaves a branch as soon as
    // no word below it can come within it. Siblings come best mark first, so once one is
    // out of reach the rest are too. The typed word's first letter goes first: its words
    // are the likeliest, and finding them early narrows the walk of the rest.
    EditCost walkCost(typed, language);
    std::string word;
    const auto firstLetter = static_cast<unsigned char>(typed[0]);
    auto visit = [&](auto &walkBelow, uint32_t index, bool firstLetterRight) {
        const RankingTree::Node &node = FTree[index];
        const float cap = limit(node, firstLetterRight);
        walkCost.Push(node.letter);
        word.push_back(char(node.letter));
        if (walkCost.CanReach(cap)) {
            if (node.wordEnd && walkCost.Cost() <= cap)
                add(word, walkCost.Cost(), false);
            if (node.firstChild != 0 && word.size() < Dct::WordMax)
                walkBelow(walkBelow, index, firstLetterRight);
        }
        walkCost.Pop();
        word.pop_back();
    };
    auto walkBelow = [&](auto &self, uint32_t parent, bool firstLetterRight) -> void {
        for (uint32_t c = FTree[parent].firstChild; c != 0; c = FTree[c].nextSibling) {
            if (!walkCost.CanReach(limit(FTree[c], firstLetterRight)))
                return;
            visit(self, c, firstLetterRight);
        }
    };
    uint32_t first = 0;
    for (uint32_t c = FTree[RankingTree::Root].firstChild; c != 0; c = FTree[c].nextSibling) {
        if (FTree[c].letter == firstLetter)
            first = c;
    }
    if (first != 0)
        visit(walkBelow, first, true);
    // A first letter that sounds like the typed one (Spanish b for v) counts as right. The
    // others come best mark first: once one is out of reach, so are the rest of them.
    bool othersOutOfReach = false;
    for (uint32_t c = FTree[RankingTree::Root].firstChild; c != 0; c = FTree[c].nextSibling) {
        if (c == first)
            continue;
        const auto letter = static_cast<char>(FTree[c].letter);
        const bool alike = FRules->sameStart(std::string_view(&letter, 1), typed);
        if (!alike && othersOutOfReach)
            continue;
        if (!walkCost.CanReach(limit(FTree[c], alike))) {
            othersOutOfReach = othersOutOfReach || !alike;
            continue;
        }
        visit(walkBelow, c, alike);
    }
}

float ChildRanker::WordValue(const WordPrior::Facts &facts)
{
    float value = facts.logProbability;
    if (facts.nameOnly)
        value -= NameOnlyPenalty;
    if (facts.logProbability <= WordPrior::FloorLogProbability)
        value -= UnknownWordPenalty;
    return value;
}

float ChildRanker::Score(const std::string &typed, const Candidate &candidate) const
{
    const std::string &word = candidate.word;
    float prior = 0.0f;
    std::string joined;
    if (const size_t space = word.find(' '); space != std::string::npos) {
        const std::string left = word.substr(0, space), right = word.substr(space + 1);
        prior = Prior.LogProbability(left) + Prior.LogProbability(right);
        joined = left + right;
    } else {
        joined = word;
        prior = candidate.learned && !Prior.IsKnown(word) ? LearnedLogProbability
                                                          : WordValue(Prior.Lookup(word));
    }
    float score = prior - CostWeight * candidate.cost
        + SimilarityWeight * float(Similarity(typed, joined)) / 100.0f;
    if (FRules->sameStart(joined, typed))
        score += FirstLetterBonus;
    if (joined.size() > typed.size())
        score += LongerBonus;
    return score;
}

std::unique_ptr<TStringList> ChildRanker::Suggest(const AnsiText &word, uint16_t maxCount)
{
    EnsureTables();
    const AnsiText pattern(word.view().substr(0, Dct::WordMax));
    const std::string typed = TDictionary::LookupKey(pattern).str();
    auto result = std::make_unique<TStringList>();
    if (typed.empty() || maxCount == 0)
        return result;

    std::vector<Candidate> candidates;
    CollectCandidates(pattern, typed, candidates);
    std::vector<std::pair<float, const Candidate *>> ranked;
    for (const Candidate &c : candidates)
        ranked.emplace_back(c.score, &c);
    // Best first; of a word met twice the copy with the better score stays.
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    std::unordered_set<std::string_view> listed;

    // A pattern in capitals throughout asks for capitals; otherwise a word the word lists
    // write with capitals keeps them.
    const bool allCapitals = TDictionary::MatchCase(AnsiText("ab"), pattern) == AnsiText("AB");
    for (size_t i = 0; i < ranked.size() && result->Count() < maxCount; ++i) {
        const std::string &w = ranked[i].second->word;
        if (!listed.insert(w).second)
            continue;
        AnsiText cased = TDictionary::MatchCase(OemToAnsiWord(OemText(w)), pattern);
        if (!allCapitals) {
            std::string shown;
            const size_t space = w.find(' ');
            if (space == std::string::npos)
                shown = Prior.Shown(w);
            else
                shown = Prior.Shown(w.substr(0, space)) + ' ' + Prior.Shown(w.substr(space + 1));
            if (shown != w)
                cased = OemToAnsiWord(OemText(shown));
        }
        result->Add(cased.str());
    }
    return result;
}

std::unique_ptr<TStringList> ChildRanker::WordsStartingWith(const AnsiText &prefix,
                                                            uint16_t maxCount)
{
    EnsureTables();
    // Ask for enough that the list is still full once never-suggest words are out.
    const auto asked = uint16_t(std::min<size_t>(size_t(maxCount) + NeverSuggest.Count(), 65535));
    auto all = FDictionary.WordsStartingWith(prefix, asked);
    auto result = std::make_unique<TStringList>();
    for (const std::string &entry : *all) {
        if (result->Count() >= maxCount)
            break;
        if (!NeverSuggest.Contains(AnsiText(entry)))
            result->Add(entry);
    }
    return result;
}
