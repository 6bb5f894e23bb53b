#include "spell/core/ContextCheck.h"

#include "dictionary/ChildRanker.h"
#include "dictionary/ConfusableWords.h"
#include "dictionary/TDictionary.h"
#include "dictionary/WordSequenceModel.h"
#include "platform/core/CodePages.h"
#include "spell/core/SentenceScan.h"
#include "spell/core/SentenceScorer.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

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

// The facts of a word, from the model, the prior and the confusable table; the state they
// were made for, so that a change of any empties the cache.
struct ContextCheck::WordFacts
{
    WordSequenceModel::WordId id = WordSequenceModel::Unknown;
    std::string capitals; // the word as the prior writes it, when that has capitals
    struct Alternative
    {
        WordSequenceModel::WordId id;
        std::string word;
    };
    std::vector<Alternative> confusable; // those worth weighing
    std::vector<Alternative> close; // the ranking's candidates of a rare word
    bool closeFound = false; // close is made the first time a known word needs it
    bool rare = false;
};

struct ContextCheck::Cache
{
    std::mutex lock;
    std::unordered_map<std::string, WordFacts> facts;
    const WordSequenceModel *model = nullptr;
    const ConfusableWords *confusables = nullptr;
    const ChildRanker *ranker = nullptr;
    size_t priorCount = 0;
    float rareWord = 0.0f, rarerAlternative = 0.0f;
    // A long text of ever new words would grow the cache without end.
    static constexpr size_t MaxWords = 100000;
};

ContextCheck::ContextCheck(const TDictionary &dictionary)
    : FDictionary(dictionary)
    , FCache(std::make_unique<Cache>())
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

ContextCheck::Cache &ContextCheck::LockedCache(std::unique_lock<std::mutex> &lock) const
{
    Cache &cache = *FCache;
    lock = std::unique_lock(cache.lock);
    if (CheckCapitals && FRanker && !FRanker->TablesLoaded)
        FRanker->LoadTables();
    const size_t priorCount = FRanker ? FRanker->Prior.Count() : 0;
    if (cache.model != FModel || cache.confusables != FConfusables.get() || cache.ranker != FRanker
        || cache.priorCount != priorCount || cache.rareWord != RareWord
        || cache.rarerAlternative != RarerAlternative || cache.facts.size() > Cache::MaxWords) {
        cache.facts.clear();
        cache.model = FModel;
        cache.confusables = FConfusables.get();
        cache.ranker = FRanker;
        cache.priorCount = priorCount;
        cache.rareWord = RareWord;
        cache.rarerAlternative = RarerAlternative;
    }
    return cache;
}

ContextCheck::WordFacts &ContextCheck::Facts(Cache &cache, const std::string &lower) const
{
    const auto known = cache.facts.find(lower);
    if (known != cache.facts.end())
        return known->second;
    WordFacts facts;
    if (FRanker) {
        // A possessive takes the capitals of its word: "london's" is "London's".
        const bool possessive = lower.ends_with("'s") && lower.size() > 2;
        const std::string_view stem
            = possessive ? std::string_view(lower).substr(0, lower.size() - 2) : lower;
        const OemText key = AnsiToOemWord(AnsiText(stem));
        const std::string shown = FRanker->Prior.Shown(key.view());
        if (shown != key.str() && shown.size() == stem.size())
            facts.capitals = OemToAnsiWord(OemText(shown)).str() + (possessive ? "'s" : "");
    }
    if (FModel) {
        facts.id = FModel->Id(lower);
        const float alone = FModel->LogProbability(facts.id, WordSequenceModel::Unknown,
                                                   WordSequenceModel::Unknown);
        auto worthWeighing
            = [&](const std::string &alternative, std::vector<WordFacts::Alternative> &into) {
                  const auto id = FModel->Id(alternative);
                  if (id != WordSequenceModel::Unknown && id != facts.id
                      && FModel->LogProbability(id, WordSequenceModel::Unknown,
                                                WordSequenceModel::Unknown)
                          >= alone - RarerAlternative
                      && FDictionary.IsWord(AnsiText(alternative)))
                      into.push_back({ id, alternative });
              };
        // A dictionary word the model lacks scores as the rarest word: only the ranking's
        // candidates, with their wider margin, can beat it ("cud" for "could").
        if (FConfusables && facts.id != WordSequenceModel::Unknown)
            for (const std::string &alternative : FConfusables->Alternatives(lower))
                worthWeighing(alternative, facts.confusable);
        facts.rare = FRanker && alone < RareWord && lower.size() <= RareWordLength;
    }
    return cache.facts.emplace(lower, std::move(facts)).first->second;
}

void ContextCheck::FindCloseCandidates(const std::string &lower, WordFacts &facts) const
{
    facts.closeFound = true;
    if (!facts.rare)
        return;
    const float alone
        = FModel->LogProbability(facts.id, WordSequenceModel::Unknown, WordSequenceModel::Unknown);
    for (const std::string &candidate : CloseCandidates(lower)) {
        const auto id = FModel->Id(candidate);
        if (id != WordSequenceModel::Unknown && id != facts.id
            && FModel->LogProbability(id, WordSequenceModel::Unknown, WordSequenceModel::Unknown)
                >= alone - RarerAlternative
            && FDictionary.IsWord(AnsiText(candidate)))
            facts.close.push_back({ id, candidate });
    }
}

std::vector<ContextFlag> ContextCheck::Check(std::string_view text, bool finishedOnly) const
{
    std::vector<ContextFlag> flags;
    std::vector<Sentence> sentences = SentenceScan::Split(text);
    if (finishedOnly && !sentences.empty() && !sentences.back().Finished)
        sentences.pop_back();
    std::unique_lock<std::mutex> lock;
    Cache &cache = LockedCache(lock);
    const bool english = !FRanker || FRanker->Language() == SpellingLanguage::English;
    std::optional<SentenceScorer> scorer;
    if (CheckWords && FModel)
        scorer.emplace(*FModel);
    std::vector<WordFacts *> facts;
    std::vector<WordSequenceModel::WordId> ids;
    for (const Sentence &sentence : sentences) {
        facts.clear();
        ids.clear();
        for (const Word &word : sentence.Words) {
            facts.push_back(word.HasDigit ? nullptr : &Facts(cache, word.Lower));
            ids.push_back(facts.back() ? facts.back()->id : WordSequenceModel::Unknown);
        }
        if (scorer)
            scorer->SetSentence(ids);
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
                && BestAlternative(*scorer, word.Lower, *facts[i], i, meant)) {
                std::string shown = WithCapitalsOf(word, meant);
                if (startsSentence && CheckCapitals)
                    shown = WithCapital(shown);
                flags.push_back(
                    { word.Start, word.Length, ContextProblem::WrongWord, AnsiText(shown) });
                continue;
            }
            if (!CheckCapitals || word.HasCapital)
                continue;
            std::string capitals;
            if (english && IsLowerI(word.Lower))
                capitals = WithCapital(std::string(typed));
            else if (!facts[i]->capitals.empty())
                capitals = facts[i]->capitals;
            // Only a sentence ended by . ! or ? asks for a capital at its start: a list's
            // items and a title ("milk", "my holiday") are no sentences.
            else if (startsSentence && sentence.Finished
                     && IsLowerLetter(static_cast<unsigned char>(typed[0])))
                capitals = WithCapital(std::string(typed));
            if (!capitals.empty())
                flags.push_back(
                    { word.Start, word.Length, ContextProblem::Capital, AnsiText(capitals) });
        }
    }
    return flags;
}

bool ContextCheck::BestAlternative(const SentenceScorer &scorer, const std::string &lower,
                                   WordFacts &facts, size_t index, std::string &meant) const
{
    if (!facts.closeFound)
        FindCloseCandidates(lower, facts);
    if (facts.confusable.empty() && facts.close.empty())
        return false;
    const float typedScore = scorer.Window(index, facts.id);
    float bestLead = 0.0f; // over the margin the alternative needs
    auto weigh = [&](const WordFacts::Alternative &alternative, float margin) {
        const float lead = scorer.Window(index, alternative.id) - typedScore - margin;
        if (lead > bestLead) {
            bestLead = lead;
            meant = alternative.word;
        }
    };
    for (const auto &alternative : facts.confusable)
        weigh(alternative, Margin);
    for (const auto &alternative : facts.close)
        weigh(alternative, CloseMargin);
    return bestLead > 0.0f;
}

std::vector<std::string> ContextCheck::CloseCandidates(const std::string &lower) const
{
    std::vector<std::string> candidates;
    const auto suggestions = FRanker->Suggest(AnsiText(lower), CloseCandidateCount + 1);
    for (const std::string &suggestion : *suggestions) {
        const std::string candidate = CodePages::LowerCase(AnsiText(suggestion)).str();
        if (candidates.size() < CloseCandidateCount && candidate.find(' ') == std::string::npos
            && !SameStem(candidate, lower))
            candidates.push_back(candidate);
    }
    return candidates;
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
