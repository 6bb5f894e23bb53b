#include "spell/core/ContextCheck.h"

#include "dictionary/ChildRanker.h"
#include "dictionary/ConfusableWords.h"
#include "dictionary/TDictionary.h"
#include "dictionary/WordSequenceModel.h"
#include "platform/core/CodePages.h"
#include "spell/core/SentenceScan.h"
#include "spell/core/SentenceScorer.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace {

using SentenceScan::Sentence;
using SentenceScan::Word;

// How many of the ranking's candidates a rare word is weighed against.
constexpr uint16_t CloseCandidateCount = 4;

// The forms of "I" a child writes in lower case.
bool IsLowerI(std::string_view lower)
{
    return lower == "i" || lower == "i'm" || lower == "i'll" || lower == "i've" || lower == "i'd";
}

bool IsLowerLetter(unsigned char ch)
{
    return CodePages::AnsiUpperChar(ch) != ch;
}

std::string WithCapital(std::string word)
{
    if (!word.empty())
        word[0] = char(CodePages::AnsiUpperChar(static_cast<unsigned char>(word[0])));
    return word;
}

// The alternative written with the typed word's capitals: all of them, or the first.
std::string WithCapitalsOf(const Word &typed, const std::string &alternative)
{
    if (typed.AllCapitals)
        return CodePages::UpperCase(AnsiText(alternative)).str();
    return typed.Capitalised ? WithCapital(alternative) : alternative;
}

// The model's ids of a suggestion of one or more words; nothing when it lacks one.
std::optional<std::vector<WordSequenceModel::WordId>> IdsOf(const WordSequenceModel &model,
                                                            const std::string &suggestion)
{
    std::vector<WordSequenceModel::WordId> ids;
    const std::string lower = CodePages::LowerCase(AnsiText(suggestion)).str();
    for (size_t from = 0; from < lower.size();) {
        size_t end = lower.find(' ', from);
        if (end == std::string::npos)
            end = lower.size();
        if (end > from) {
            const auto id = model.Id(std::string_view(lower).substr(from, end - from));
            if (id == WordSequenceModel::Unknown)
                return std::nullopt;
            ids.push_back(id);
        }
        from = end + 1;
    }
    if (ids.empty())
        return std::nullopt;
    return ids;
}

// Forms of one word ("hook" "hooks", "copy" "copied", "word's" "words"): the model weighs
// them by grammar, which a child's sentence often bends, so they are not weighed at all.
bool SameStem(std::string_view a, std::string_view b)
{
    auto withoutApostrophes = [](std::string_view w) {
        std::string out;
        for (const char ch : w)
            if (ch != '\'')
                out += ch;
        return out;
    };
    const std::string x = withoutApostrophes(a), y = withoutApostrophes(b);
    const size_t shorter = std::min(x.size(), y.size());
    size_t common = 0;
    while (common < shorter && x[common] == y[common])
        ++common;
    return common + 1 >= shorter && shorter >= 3;
}

} // namespace

ContextCheck::ContextCheck(const TDictionary &dictionary)
    : FDictionary(dictionary)
{ }

ContextCheck::~ContextCheck() = default;

bool ContextCheck::LoadConfusables(const std::string &path)
{
    auto words = std::make_shared<ConfusableWords>();
    if (!words->LoadFromFile(path))
        return false;
    FConfusables = std::move(words);
    return true;
}

void ContextCheck::SetConfusables(std::shared_ptr<const ConfusableWords> words)
{
    FConfusables = std::move(words);
}

std::vector<ContextFlag> ContextCheck::Check(std::string_view text, bool finishedOnly) const
{
    std::vector<ContextFlag> flags;
    std::vector<Sentence> sentences = SentenceScan::Split(text);
    if (finishedOnly && !sentences.empty() && !sentences.back().Finished)
        sentences.pop_back();
    if (CheckCapitals && FRanker) {
        std::lock_guard lock(FRankerLock);
        if (!FRanker->TablesLoaded)
            FRanker->LoadTables();
    }
    std::optional<SentenceScorer> scorer;
    if (CheckWords && FModel)
        scorer.emplace(*FModel);
    for (const Sentence &sentence : sentences) {
        if (scorer)
            scorer->SetSentence(sentence.Words);
        for (size_t i = 0; i < sentence.Words.size(); ++i) {
            const Word &word = sentence.Words[i];
            if (word.HasDigit || word.Code || !FDictionary.IsWord(AnsiText(word.Lower)))
                continue;
            const std::string_view typed = text.substr(size_t(word.Start), size_t(word.Length));
            const bool startsSentence = i == 0;
            std::string meant;
            // A capital in mid-sentence makes a name ("Will", "May"): the child's own word.
            // A word all in capitals is shouted, not a name.
            if (scorer && (startsSentence || !word.HasCapital || word.AllCapitals)
                && BestAlternative(*scorer, word, i, meant)) {
                std::string shown = WithCapitalsOf(word, meant);
                if (startsSentence && CheckCapitals)
                    shown = WithCapital(shown);
                flags.push_back(
                    { word.Start, word.Length, ContextProblem::WrongWord, AnsiText(shown) });
                continue;
            }
            if (!CheckCapitals)
                continue;
            std::string capitals = NeededCapitals(word, typed);
            if (capitals.empty() && startsSentence
                && IsLowerLetter(static_cast<unsigned char>(typed[0])))
                capitals = WithCapital(std::string(typed));
            if (!capitals.empty())
                flags.push_back(
                    { word.Start, word.Length, ContextProblem::Capital, AnsiText(capitals) });
        }
    }
    return flags;
}

bool ContextCheck::BestAlternative(const SentenceScorer &scorer, const Word &word, size_t index,
                                   std::string &meant) const
{
    // A dictionary word the model lacks scores as the rarest word: only the ranking's
    // candidates, with their wider margin, can beat it ("cud" for "could").
    const WordSequenceModel::WordId typedId = scorer.IdAt(index);
    const bool typedKnown = typedId != WordSequenceModel::Unknown;
    const float typedAlone = scorer.Unigram(typedId);
    std::vector<std::string> rankerWords;
    if (FRanker && typedAlone < RareWord)
        rankerWords = CloseCandidates(word.Lower);
    static const std::vector<std::string> none;
    const std::vector<std::string> &confusable
        = FConfusables && typedKnown ? FConfusables->Alternatives(word.Lower) : none;
    if (confusable.empty() && rankerWords.empty())
        return false;

    const float typedScore = scorer.Window(index, typedId);
    float bestLead = 0.0f; // over the margin the alternative needs
    auto weigh = [&](const std::string &alternative, float margin) {
        const auto id = scorer.Model().Id(alternative);
        if (id == WordSequenceModel::Unknown || id == typedId
            || scorer.Unigram(id) < typedAlone - RarerAlternative)
            return;
        const float lead = scorer.Window(index, id) - typedScore - margin;
        if (lead > bestLead && FDictionary.IsWord(AnsiText(alternative))) {
            bestLead = lead;
            meant = alternative;
        }
    };
    for (const std::string &alternative : confusable)
        weigh(alternative, Margin);
    for (const std::string &alternative : rankerWords)
        weigh(alternative, CloseMargin);
    return bestLead > 0.0f;
}

std::vector<std::string> ContextCheck::CloseCandidates(const std::string &lower) const
{
    std::lock_guard lock(FRankerLock);
    const auto known = FCloseCandidates.find(lower);
    if (known != FCloseCandidates.end())
        return known->second;
    std::vector<std::string> candidates;
    const auto suggestions = FRanker->Suggest(AnsiText(lower), CloseCandidateCount + 1);
    for (const std::string &suggestion : *suggestions) {
        const std::string candidate = CodePages::LowerCase(AnsiText(suggestion)).str();
        if (candidates.size() < CloseCandidateCount && candidate.find(' ') == std::string::npos
            && !SameStem(candidate, lower))
            candidates.push_back(candidate);
    }
    FCloseCandidates.emplace(lower, candidates);
    return candidates;
}

std::string ContextCheck::NeededCapitals(const Word &word, std::string_view typed) const
{
    if (word.HasCapital)
        return {};
    if (IsLowerI(word.Lower))
        return WithCapital(std::string(typed));
    if (!FRanker)
        return {};
    OemText key = AnsiToOemWord(AnsiText(word.Lower));
    const std::string shown = FRanker->Prior.Shown(key.view());
    if (shown == key.str())
        return {};
    // Only the capitals differ; the typed word's own letters stay.
    std::string result = OemToAnsiWord(OemText(shown)).str();
    return result.size() == typed.size() ? result : std::string();
}

void ContextCheck::Rerank(std::string_view text, int32_t start, int32_t length,
                          TStringList &suggestions) const
{
    if (!FModel || suggestions.Count() < 2 || suggestions.Sorted())
        return;
    const std::vector<Sentence> sentences = SentenceScan::Split(text);
    for (const Sentence &sentence : sentences) {
        const auto &words = sentence.Words;
        const auto at = std::find_if(words.begin(), words.end(), [&](const Word &w) {
            return w.Start <= start && start < w.Start + std::max(w.Length, length);
        });
        if (at == words.end())
            continue;
        if (words.size() < 2)
            return;
        SentenceScorer scorer(*FModel);
        scorer.SetSentence(words);
        const size_t index = size_t(at - words.begin());
        const int count = suggestions.Count();
        std::vector<std::optional<float>> scores(static_cast<size_t>(count));
        float lowest = 0.0f;
        int known = 0;
        for (int k = 0; k < count; ++k) {
            if (const auto ids = IdsOf(*FModel, suggestions[k])) {
                scores[size_t(k)] = scorer.Window(index, *ids);
                lowest = known++ ? std::min(lowest, *scores[size_t(k)]) : *scores[size_t(k)];
            }
        }
        if (known < 2)
            return;
        // A suggestion the model lacks is neither raised nor sunk below the others by it.
        std::vector<std::pair<float, int>> order;
        for (int k = 0; k < count; ++k)
            order.emplace_back(scores[size_t(k)].value_or(lowest) - PlaceCost * float(k), k);
        std::stable_sort(order.begin(), order.end(),
                         [](const auto &a, const auto &b) { return a.first > b.first; });
        TStringList reordered;
        for (const auto &[key, k] : order)
            reordered.Add(suggestions[k]);
        suggestions.Clear();
        suggestions.AddStrings(reordered);
        return;
    }
}
