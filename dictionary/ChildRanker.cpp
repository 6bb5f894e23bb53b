#include "dictionary/ChildRanker.h"

#include "dictionary/DctFormat.h"
#include "dictionary/EditCost.h"
#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"
#include "dictionary/TSuggestList.h"
#include "platform/core/CodePages.h"
#include "platform/core/FileUtils.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

// How many of the phonetic search's words join the candidates.
constexpr uint8_t PhoneticCandidates = 30;
// The largest edit cost at which a word of the tree is a candidate.
constexpr float CostLimit = 2.5f;

// The weights of the score.
constexpr float CostWeight = 2.5f;
constexpr float SimilarityWeight = 3.0f; // per 100 % of similarity
constexpr float FirstLetterBonus = 2.0f;
constexpr float LongerBonus = 0.3f;
constexpr float NameOnlyPenalty = 0.5f;
constexpr float UnknownWordPenalty = 0.5f;
// A two-word split costs this much as an error, so that "wet her" only beats "whether"
// when the pair is far more likely.
constexpr float SplitCost = 1.5f;
// A learned word counts as this common when the table lacks it.
constexpr float LearnedLogProbability = -5.0f;

std::string Lower(std::string_view oemWord)
{
    return TDictionary::MatchCase(oemWord, "a");
}

} // namespace

struct ChildRanker::Candidate
{
    std::string word; // lower case, code page 437; "left right" for a split
    float cost;
    bool learned;
};

ChildRanker::ChildRanker(const TDictionary &dictionary)
    : FDictionary(dictionary)
{ }

void ChildRanker::LoadTables()
{
    TablesLoaded = true;
    const auto *first = static_cast<const TDCTFile *>(FDictionary.Files.Head());
    if (!first)
        return;
    const std::string folder = FileUtils::ExtractFilePath(first->FileName());
    Prior.LoadFromFile(folder + PriorFileName);
    NeverSuggest.AddFile(folder + NeverSuggestFileName);
    const std::string userFolder = FDictionary.UserFileName.empty()
        ? folder
        : FileUtils::ExtractFilePath(FDictionary.UserFileName);
    NeverSuggest.AddFile(userFolder + ParentNeverSuggestFileName);
}

void ChildRanker::CollectCandidates(const std::string &typed, std::vector<Candidate> &out) const
{
    std::unordered_map<std::string, size_t> seen;
    EditCost cost(typed);
    auto add = [&](std::string_view word, float c, bool learned) {
        if (seen.emplace(std::string(word), out.size()).second)
            out.push_back({ std::string(word), c, learned });
    };

    // Every word of each file within the cost limit: a walk of the letter tree that leaves
    // a branch as soon as no word below it can come within the limit.
    EditCost walkCost(typed);
    std::string word;
    for (auto *node = FDictionary.Files.Head(); node; node = node->Next) {
        TDCTFile &file = *static_cast<TDCTFile *>(node);
        uint64_t budget = TSuggestList::WalkBudget(file, PhoneticCandidates);
        auto walk = [&](auto &self, int32_t index) -> void {
            for (;; ++index) {
                if (budget == 0)
                    return;
                --budget;
                const uint32_t n = file.GetNode(index);
                walkCost.Push(Dct::NodeChar(n));
                word.push_back(char(Dct::NodeChar(n)));
                if (walkCost.CanReach(CostLimit)) {
                    if (Dct::NodeIsWordEnd(n) && walkCost.Cost() <= CostLimit)
                        add(word, walkCost.Cost(), false);
                    if (Dct::NodeChild(n) != 0 && word.size() < Dct::WordMax)
                        self(self, int32_t(Dct::NodeChild(n)));
                }
                walkCost.Pop();
                word.pop_back();
                if (Dct::NodeIsLast(n))
                    return;
            }
        };
        walk(walk, 1);
    }

    // The phonetic search's best, also when their cost is beyond the limit.
    TSuggestList list(const_cast<TDictionary *>(&FDictionary));
    for (auto *node = FDictionary.Files.Head(); node; node = node->Next)
        list.SearchFile(*static_cast<TDCTFile *>(node), PhoneticCandidates, typed);
    for (TSuggestion *s = list.First(); s; s = TSuggestList::NextOf(s))
        add(s->Word, cost.Between(s->Word), false);

    for (const std::string &entry : FDictionary.UserWords) {
        const std::string learned = Lower(AnsiToOemWord(entry));
        if (learned.empty() || learned == typed)
            continue;
        if (const float c = cost.Between(learned); c <= CostLimit)
            add(learned, c, true);
    }

    const auto splits = FDictionary.TwoWordSplits(typed, 255);
    for (const std::string &split : *splits)
        add(split, SplitCost, false);
}

float ChildRanker::Score(const std::string &typed, const Candidate &candidate) const
{
    const std::string &word = candidate.word;
    float prior = 0.0f;
    float penalty = 0.0f;
    std::string joined;
    if (const size_t space = word.find(' '); space != std::string::npos) {
        const std::string left = word.substr(0, space), right = word.substr(space + 1);
        prior = Prior.LogProbability(left) + Prior.LogProbability(right);
        joined = left + right;
    } else {
        joined = word;
        if (candidate.learned && !Prior.IsKnown(word)) {
            prior = LearnedLogProbability;
        } else {
            prior = Prior.LogProbability(word);
            if (Prior.IsNameOnly(word))
                penalty += NameOnlyPenalty;
            if (prior <= WordPrior::FloorLogProbability)
                penalty += UnknownWordPenalty;
        }
    }
    float score = prior - CostWeight * candidate.cost
        + SimilarityWeight * float(Similarity(typed, joined)) / 100.0f - penalty;
    if (joined[0] == typed[0])
        score += FirstLetterBonus;
    if (joined.size() > typed.size())
        score += LongerBonus;
    return score;
}

std::unique_ptr<TStringList> ChildRanker::Suggest(std::string_view word, uint16_t maxCount)
{
    if (!TablesLoaded)
        LoadTables();
    const std::string_view pattern = word.substr(0, Dct::WordMax);
    const std::string typed = Lower(pattern);
    auto result = std::make_unique<TStringList>();
    if (typed.empty() || maxCount == 0)
        return result;

    std::vector<Candidate> candidates;
    CollectCandidates(typed, candidates);
    std::vector<std::pair<float, const Candidate *>> ranked;
    for (const Candidate &c : candidates) {
        if (!NeverSuggest.Contains(c.word))
            ranked.emplace_back(Score(typed, c), &c);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });

    // A pattern in capitals throughout asks for capitals; otherwise a word the word lists
    // write with capitals keeps them.
    const bool allCapitals = TDictionary::MatchCase("ab", pattern) == "AB";
    for (size_t i = 0; i < ranked.size() && result->Count() < maxCount; ++i) {
        const std::string &w = ranked[i].second->word;
        std::string cased = TDictionary::MatchCase(w, pattern);
        if (!allCapitals) {
            std::string shown;
            const size_t space = w.find(' ');
            if (space == std::string::npos)
                shown = Prior.Shown(w);
            else
                shown = Prior.Shown(w.substr(0, space)) + ' ' + Prior.Shown(w.substr(space + 1));
            if (shown != w)
                cased = shown;
        }
        result->Add(OemToAnsiWord(cased));
    }
    return result;
}

std::unique_ptr<TStringList> ChildRanker::WordsStartingWith(std::string_view prefix,
                                                            uint16_t maxCount)
{
    if (!TablesLoaded)
        LoadTables();
    // Ask for enough that the list is still full once never-suggest words are out.
    const auto asked = uint16_t(std::min<size_t>(size_t(maxCount) + NeverSuggest.Count(), 65535));
    auto all = FDictionary.WordsStartingWith(prefix, asked);
    auto result = std::make_unique<TStringList>();
    for (const std::string &entry : *all) {
        if (result->Count() >= maxCount)
            break;
        if (!NeverSuggest.Contains(AnsiToOemWord(entry)))
            result->Add(entry);
    }
    return result;
}
