#include "dictionary/WordSequenceModel.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sphinxbase/err.h>
#include <sphinxbase/logmath.h>
#include <sphinxbase/ngram_model.h>

namespace {

// The first bytes of the binary trie models the library writes; anything else is refused
// before the library sees it, because it reads a malformed file with little checking
// (a file of the right magic and counts but wrong content can still mislead it).
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

// Empty when the file starts like a trie model, else why it is no model: the magic, the
// order (1 to 5) and the n-gram count of each order, which must fit in the file at a byte
// an n-gram at least. The library trusts these counts when it allocates and reads.
std::string CheckHeader(const std::string &path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return "Cannot open the word-sequence model " + path;
    const auto size = static_cast<uint64_t>(std::max<std::streamoff>(0, in.tellg()));
    in.seekg(0);
    const std::string notAModel = "Not a word-sequence model: " + path;
    std::string head(TrieMagic.size(), '\0');
    in.read(head.data(), std::streamsize(head.size()));
    if (size_t(in.gcount()) != head.size() || head != TrieMagic)
        return notAModel;
    const int order = in.get();
    if (order < 1 || order > 5)
        return notAModel;
    uint64_t total = 0;
    for (int n = 0; n < order; ++n) {
        unsigned char bytes[4];
        if (!in.read(reinterpret_cast<char *>(bytes), 4))
            return notAModel;
        const uint32_t count = uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8
            | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
        if (count == 0 || count > (1u << 28) || (n == 0 && count < 3))
            return notAModel;
        total += count;
    }
    return total > size ? notAModel : std::string();
}

} // namespace

struct WordSequenceModel::Reader
{
    ngram_model_t *model = nullptr;
    logmath_t *logmath = nullptr; // converts the model's scores to log10
    ~Reader()
    {
        if (model)
            ngram_model_free(model);
        if (logmath)
            logmath_free(logmath);
    }
};

WordSequenceModel::WordSequenceModel(std::unique_ptr<Reader> reader)
    : FReader(std::move(reader))
{ }

WordSequenceModel::~WordSequenceModel() = default;

std::unique_ptr<WordSequenceModel> WordSequenceModel::Open(const std::string &path,
                                                           std::string &error)
{
    error = CheckHeader(path);
    if (!error.empty())
        return nullptr;
    SilenceLibraryLog();
    auto reader = std::make_unique<Reader>();
    reader->logmath = logmath_init(1.0001, 0, 0);
    if (!reader->logmath) {
        error = "Cannot read the word-sequence model " + path;
        return nullptr;
    }
    // The model uses the log tables without a reference of its own: the reader frees them
    // after the model.
    reader->model = ngram_model_read(nullptr, path.c_str(), NGRAM_BIN, reader->logmath);
    if (!reader->model) {
        error = "Cannot read the word-sequence model " + path;
        return nullptr;
    }
    // A cut file reads without complaint but lacks its words, which come last.
    auto model = std::unique_ptr<WordSequenceModel>(new WordSequenceModel(std::move(reader)));
    if (model->SentenceStart() == Unknown || model->SentenceEnd() == Unknown
        || model->Id("the") == Unknown) {
        error = "Not a word-sequence model: " + path;
        return nullptr;
    }
    return model;
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
    std::lock_guard lock(FLock);
    return Score(word, before1, before2);
}

float WordSequenceModel::LogProbability(std::span<const WordId> words, WordId before1,
                                        WordId before2) const
{
    float sum = 0.0f;
    std::lock_guard lock(FLock);
    for (const WordId word : words) {
        sum += Score(word, before1, before2);
        before2 = before1;
        before1 = word;
    }
    return sum;
}

float WordSequenceModel::Score(WordId word, WordId before1, WordId before2) const
{
    if (word == Unknown)
        return UnknownLogProbability;
    int32 used = 0;
    int32 score;
    if (before1 == Unknown) {
        int32 none = 0;
        score = ngram_ng_score(FReader->model, word, &none, 0, &used);
    } else if (before2 == Unknown) {
        score = ngram_bg_score(FReader->model, word, before1, &used);
    } else {
        score = ngram_tg_score(FReader->model, word, before1, before2, &used);
    }
    return float(logmath_log_to_log10(FReader->logmath, score));
}
