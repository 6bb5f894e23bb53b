#pragma once
// How likely a word is after the two words before it: a trigram model of ordinary written
// English, so that a word can be weighed against the words it could have been meant as
// ("go their after" against "go there after").
//
// The model is the US English language model of the speech data package
// (pocketsphinx-en-us), read through its own library (libsphinxbase) at run time. Its words
// are lower case; so are the words asked about. Spanish has no model yet: ForLanguage says
// so and the callers check nothing in context.
//
// Opening takes a few hundredths of a second and some 34 MB; open it off the interface
// thread. Queries may come from any thread: they are serialised, because the reader keeps
// scratch state between calls.

#include "dictionary/SpellingLanguage.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>

class WordSequenceModel
{
public:
    using WordId = int32_t;
    static constexpr WordId Unknown = -1;

    // The model at path; nullptr, with the reason in error, when it is missing or unreadable.
    static std::unique_ptr<WordSequenceModel> Open(const std::string &path, std::string &error);
    // The model of a language: English's from DefaultEnglishPath (or the file the environment
    // variable SCRIVLO_WORD_MODEL names; set empty, no model), none for Spanish.
    static std::unique_ptr<WordSequenceModel> ForLanguage(SpellingLanguage language,
                                                          std::string &error);
    static constexpr const char *DefaultEnglishPath
        = "/usr/share/pocketsphinx/model/en-us/en-us.lm.bin";

    ~WordSequenceModel();
    WordSequenceModel(const WordSequenceModel &) = delete;
    WordSequenceModel &operator=(const WordSequenceModel &) = delete;

    // The id of a lower-case word (code page 1252); Unknown when the model lacks it.
    WordId Id(std::string_view lowerWord) const;
    // The marks of a sentence's start and end, usable as words.
    WordId SentenceStart() const;
    WordId SentenceEnd() const;
    // log10 P(word | before2 before1), backing off to shorter histories; an Unknown history
    // word cuts the history there, an Unknown word scores UnknownLogProbability.
    float LogProbability(WordId word, WordId before1, WordId before2) const;
    // The sum of LogProbability of each of words after the two before it (before2 before1
    // for the first), in one turn of the lock.
    float LogProbability(std::span<const WordId> words, WordId before1, WordId before2) const;
    static constexpr float UnknownLogProbability = -7.0f;

private:
    struct Reader;
    explicit WordSequenceModel(std::unique_ptr<Reader> reader);
    float Score(WordId word, WordId before1, WordId before2) const; // FLock held
    std::unique_ptr<Reader> FReader;
    mutable std::mutex FLock;
};
