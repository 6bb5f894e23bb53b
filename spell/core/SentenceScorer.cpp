#include "spell/core/SentenceScorer.h"

SentenceScorer::SentenceScorer(const WordSequenceModel &model)
    : FModel(model)
    , FStart(model.SentenceStart())
    , FEnd(model.SentenceEnd())
{ }

void SentenceScorer::SetSentence(const std::vector<SentenceScan::Word> &words)
{
    FIds.clear();
    FIds.push_back(FStart);
    for (const SentenceScan::Word &word : words)
        FIds.push_back(word.HasDigit ? WordSequenceModel::Unknown : FModel.Id(word.Lower));
    FIds.push_back(FEnd);
}

float SentenceScorer::Window(size_t index, std::span<const WordId> inPlace) const
{
    const size_t at = index + 1; // in FIds
    // The stretch to score: the replacement and up to two words after it, each with its
    // two words before.
    WordId before2 = at >= 2 ? FIds[at - 2] : WordSequenceModel::Unknown;
    WordId before1 = FIds[at - 1];
    float sum = 0.0f;
    auto add = [&](WordId word) {
        sum += FModel.LogProbability(word, before1, before2);
        before2 = before1;
        before1 = word;
    };
    for (const WordId word : inPlace)
        add(word);
    for (size_t next = at + 1; next < FIds.size() && next <= at + 2; ++next)
        add(FIds[next]);
    return sum;
}

float SentenceScorer::Unigram(WordId word) const
{
    return FModel.LogProbability(word, WordSequenceModel::Unknown, WordSequenceModel::Unknown);
}
