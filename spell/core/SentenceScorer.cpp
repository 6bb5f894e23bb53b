#include "spell/core/SentenceScorer.h"

#include <algorithm>

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

void SentenceScorer::SetSentence(std::span<const WordId> ids)
{
    FIds.clear();
    FIds.push_back(FStart);
    FIds.insert(FIds.end(), ids.begin(), ids.end());
    FIds.push_back(FEnd);
}

float SentenceScorer::Window(size_t index, std::span<const WordId> inPlace) const
{
    const size_t at = index + 1; // in FIds
    // The stretch to score: the replacement and up to two words after it, each after its
    // two words before.
    WordId stretch[8];
    size_t length = 0;
    for (const WordId word : inPlace.first(std::min(inPlace.size(), size_t(6))))
        stretch[length++] = word;
    for (size_t next = at + 1; next < FIds.size() && next <= at + 2; ++next)
        stretch[length++] = FIds[next];
    return FModel.LogProbability({ stretch, length }, FIds[at - 1],
                                 at >= 2 ? FIds[at - 2] : WordSequenceModel::Unknown);
}

float SentenceScorer::Unigram(WordId word) const
{
    return FModel.LogProbability(word, WordSequenceModel::Unknown, WordSequenceModel::Unknown);
}
