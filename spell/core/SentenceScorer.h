#pragma once
// Scores the words of one sentence, or others put in one word's place, by the
// word-sequence model: how likely the changed stretch and the two words after it are,
// given the two words before it, with the sentence's start and end marks at its edges.

#include "dictionary/WordSequenceModel.h"
#include "spell/core/SentenceScan.h"

#include <span>
#include <vector>

class SentenceScorer
{
public:
    using WordId = WordSequenceModel::WordId;

    explicit SentenceScorer(const WordSequenceModel &model);
    void SetSentence(const std::vector<SentenceScan::Word> &words);
    // The sentence by the model's ids of its words, looked up already.
    void SetSentence(std::span<const WordId> ids);

    // The model's id of the sentence's word at index; Unknown for words with digits.
    WordId IdAt(size_t index) const { return FIds[index + 1]; }
    // log10 P of the words in place of the word at index, and of the two words after it.
    float Window(size_t index, std::span<const WordId> inPlace) const;
    float Window(size_t index, WordId inPlace) const { return Window(index, { &inPlace, 1 }); }
    // log10 P of the word alone, without history.
    float Unigram(WordId word) const;
    const WordSequenceModel &Model() const { return FModel; }

private:
    const WordSequenceModel &FModel;
    WordId FStart;
    WordId FEnd;
    std::vector<WordId> FIds; // the start mark, the words, the end mark
};
