#include "dictionary/WordSequenceModel.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sphinxbase/err.h>
#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>

namespace {

// The first bytes of the binary trie models the library writes; anything else is refused
// before the library sees it, because it reads a malformed file with little checking.
constexpr std::string_view TrieMagic = "Trie Language Model";

// The library logs to stderr unless told otherwise; the checker's output is its own.
void SilenceLibraryLog()
{
    static const bool silenced = [] {
        err_set_logfp(nullptr);
        return true;
    }();
    (void)silenced;
}

// Empty when the file starts like a trie model, else why it is no model.
std::string CheckMagic(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return "Cannot open the word-sequence model " + path;
    std::string head(TrieMagic.size(), '\0');
    in.read(head.data(), std::streamsize(head.size()));
    if (size_t(in.gcount()) != head.size() || head != TrieMagic)
        return "Not a word-sequence model: " + path;
    return {};
}

} // namespace

struct WordSequenceModel::Reader
{
    ngram_model_t *model = nullptr;
    logmath_t *logmath = nullptr; // the model's; converts its scores to log10
    ~Reader()
    {
        if (model)
            ngram_model_free(model);
    }
};

WordSequenceModel::WordSequenceModel(std::unique_ptr<Reader> reader)
    : FReader(std::move(reader))
{ }

WordSequenceModel::~WordSequenceModel() = default;

std::unique_ptr<WordSequenceModel> WordSequenceModel::Open(const std::string &path,
                                                           std::string &error)
{
    error = CheckMagic(path);
    if (!error.empty())
        return nullptr;
    SilenceLibraryLog();
    auto reader = std::make_unique<Reader>();
    reader->logmath = logmath_init(1.0001, 0, 0);
    if (!reader->logmath) {
        error = "Cannot read the word-sequence model " + path;
        return nullptr;
    }
    // The model takes over one reference; ours is dropped once it has its own, so the
    // object lives exactly as long as the model, whether or not the reading succeeds.
    logmath_retain(reader->logmath);
    reader->model = ngram_model_read(nullptr, path.c_str(), NGRAM_BIN, reader->logmath);
    logmath_free(reader->logmath);
    if (!reader->model) {
        error = "Cannot read the word-sequence model " + path;
        return nullptr;
    }
    return std::unique_ptr<WordSequenceModel>(new WordSequenceModel(std::move(reader)));
}

std::unique_ptr<WordSequenceModel> WordSequenceModel::ForLanguage(SpellingLanguage language,
                                                                  std::string &error)
{
    if (language != SpellingLanguage::English) {
        error = "No word-sequence model for Spanish yet";
        return nullptr;
    }
    std::string path = DefaultEnglishPath;
    if (const char *chosen = std::getenv("SCRIVLO_WORD_MODEL")) {
        if (*chosen == '\0') {
            error = "No word-sequence model (SCRIVLO_WORD_MODEL is empty)";
            return nullptr;
        }
        path = chosen;
    }
    return Open(path, error);
}

WordSequenceModel::WordId WordSequenceModel::Id(std::string_view lowerWord) const
{
    if (lowerWord.empty() || lowerWord.size() > 64)
        return Unknown;
    char word[65];
    lowerWord.copy(word, lowerWord.size());
    word[lowerWord.size()] = '\0';
    std::lock_guard lock(FLock);
    const int32 id = ngram_wid(FReader->model, word);
    return id < 0 || id == ngram_unknown_wid(FReader->model) ? Unknown : id;
}

WordSequenceModel::WordId WordSequenceModel::SentenceStart() const
{
    return Id("<s>");
}

WordSequenceModel::WordId WordSequenceModel::SentenceEnd() const
{
    return Id("</s>");
}

float WordSequenceModel::LogProbability(WordId word, WordId before1, WordId before2) const
{
    if (word == Unknown)
        return UnknownLogProbability;
    int32 history[2] = { before1, before2 };
    int32 historyLength = before1 == Unknown ? 0 : before2 == Unknown ? 1 : 2;
    int32 used = 0;
    std::lock_guard lock(FLock);
    const int32 score = ngram_ng_score(FReader->model, word, history, historyLength, &used);
    return float(logmath_log_to_log10(FReader->logmath, score));
}
