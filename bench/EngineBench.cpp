// Micro benchmarks of the dictionary engine on a real dictionary file, and of the check in
// context:
//   scrivlo-bench [--dict FILE] [--context-text FILE] [benchmark options]
// Each benchmark also reports the block reads it caused per operation.

#include "dictionary/ChildRanker.h"
#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"
#include "dictionary/WordSequenceModel.h"
#include "platform/core/FileUtils.h"
#include "spell/core/ContextCheck.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string DictPath = FileUtils::ExecutableDir() + "ENGLISH.DCT";

const std::vector<std::string> KnownWords
    = { "the",    "children", "wonderful", "because", "elephant", "happily",
        "school", "friend",   "beautiful", "quickly", "running",  "tomorrow" };
const std::vector<std::string> Misspellings
    = { "freind",  "becuase", "beautful", "tommorow",   "wen",   "skool",
        "elefant", "hapily",  "runing",   "definately", "thier", "wich" };

TDictionary &Dict()
{
    static std::unique_ptr<TDictionary> dict = [] {
        auto d = std::make_unique<TDictionary>();
        if (!d->OpenDictionary(DictPath))
            throw std::runtime_error("Dictionary not found: " + DictPath);
        return d;
    }();
    return *dict;
}

uint64_t BlockReads()
{
    return static_cast<TDCTFile *>(Dict().Files.Head())->BlockReads();
}

template<typename Op>
void Run(benchmark::State &state, const std::vector<std::string> &words, Op op)
{
    const uint64_t before = BlockReads();
    size_t i = 0;
    for (auto _ : state) {
        op(words[i]);
        i = (i + 1) % words.size();
    }
    state.counters["blocks/op"]
        = benchmark::Counter(double(BlockReads() - before), benchmark::Counter::kAvgIterations);
}

void BM_IsWordKnown(benchmark::State &state)
{
    Run(state, KnownWords,
        [](const std::string &w) { benchmark::DoNotOptimize(Dict().IsWord(AnsiText(w))); });
}
void BM_IsWordMisspelt(benchmark::State &state)
{
    Run(state, Misspellings,
        [](const std::string &w) { benchmark::DoNotOptimize(Dict().IsWord(AnsiText(w))); });
}
void BM_Suggest(benchmark::State &state)
{
    Run(state, Misspellings,
        [](const std::string &w) { benchmark::DoNotOptimize(Dict().Suggest(AnsiText(w), 10)); });
}
void BM_WordsStartingWith(benchmark::State &state)
{
    Run(state, KnownWords, [](const std::string &w) {
        benchmark::DoNotOptimize(Dict().WordsStartingWith(AnsiText(w.substr(0, 3)), 10));
    });
}
void BM_ReadBlock(benchmark::State &state)
{
    TDCTFile file(DictPath);
    const int16_t blocks = int16_t(std::max<uint32_t>(1, file.NodeCount() / 128));
    int16_t b = 0;
    for (auto _ : state) {
        file.ReadBlock(b);
        b = int16_t((b + 97) % blocks);
    }
}

// Opening reads and checks the whole file.
void BM_OpenDictionary(benchmark::State &state)
{
    for (auto _ : state) {
        TDCTFile file(DictPath);
        benchmark::DoNotOptimize(file.NodeCount());
    }
}

// The word-sequence model of the check in context: opening it, and one query.
void BM_WordModelOpen(benchmark::State &state)
{
    for (auto _ : state) {
        std::string error;
        benchmark::DoNotOptimize(
            WordSequenceModel::Open(WordSequenceModel::DefaultEnglishPath, error));
    }
}

const WordSequenceModel &Model()
{
    static std::unique_ptr<WordSequenceModel> model = [] {
        std::string error;
        auto m = WordSequenceModel::Open(WordSequenceModel::DefaultEnglishPath, error);
        if (!m)
            throw std::runtime_error(error);
        return m;
    }();
    return *model;
}

void BM_WordModelQuery(benchmark::State &state)
{
    const WordSequenceModel &model = Model();
    const WordSequenceModel::WordId ids[] = { model.Id("we"), model.Id("went"), model.Id("to"),
                                              model.Id("their"), model.Id("house") };
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(model.LogProbability(ids[(i + 2) % 5], ids[(i + 1) % 5], ids[i]));
        i = (i + 1) % 5;
    }
}

// The check in context of the paragraphs of a text (the default: the project's test
// sentences, five to a paragraph), the model and tables loaded; words/s of the check alone.
std::string ContextText = SCRIVLO_SOURCE_DIR "/tests/spell/data/context-sentences.txt";

std::vector<std::string> Paragraphs()
{
    std::ifstream in(ContextText);
    std::vector<std::string> paragraphs(1);
    int lines = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 3 || line[0] == '#')
            continue;
        if (line[1] == ' ' && std::strchr("!=^~", line[0])) { // a marked test sentence
            line = line.substr(2);
            if (const size_t open = line.find('['); open != std::string::npos) {
                const size_t bar = line.find('|', open), close = line.find(']', open);
                line = line.substr(0, open) + line.substr(open + 1, bar - open - 1)
                    + line.substr(close + 1);
            }
        }
        paragraphs.back() += line + ' ';
        if (++lines % 5 == 0)
            paragraphs.emplace_back();
    }
    return paragraphs;
}

void BM_ContextCheck(benchmark::State &state)
{
    ChildRanker ranker(Dict());
    ranker.LoadTables();
    ContextCheck check(Dict());
    check.SetModel(&Model());
    check.SetRanker(&ranker);
    check.LoadConfusables(FileUtils::ExtractFilePath(DictPath) + ContextCheck::ConfusablesFileName);
    const std::vector<std::string> paragraphs = Paragraphs();
    size_t words = 0;
    for (const std::string &p : paragraphs)
        for (size_t i = 0; i < p.size(); ++i)
            words += p[i] != ' ' && (i == 0 || p[i - 1] == ' ');
    for (auto _ : state)
        for (const std::string &p : paragraphs)
            benchmark::DoNotOptimize(check.Check(p));
    state.counters["words/s"]
        = benchmark::Counter(double(words * state.iterations()), benchmark::Counter::kIsRate);
}

BENCHMARK(BM_IsWordKnown);
BENCHMARK(BM_IsWordMisspelt);
BENCHMARK(BM_Suggest);
BENCHMARK(BM_WordsStartingWith);
BENCHMARK(BM_ReadBlock);
BENCHMARK(BM_OpenDictionary);
BENCHMARK(BM_WordModelOpen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WordModelQuery);
BENCHMARK(BM_ContextCheck)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--dict") == 0) {
            DictPath = argv[i + 1];
            for (int j = i; j + 2 <= argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    }
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--context-text") == 0) {
            ContextText = argv[i + 1];
            for (int j = i; j + 2 <= argc; ++j)
                argv[j] = argv[j + 2];
            argc -= 2;
            break;
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
