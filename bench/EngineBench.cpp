// Micro benchmarks of the dictionary engine on a real dictionary file:
//   scrivlo-bench [--dict FILE] [benchmark options]
// Each benchmark also reports the block reads it caused per operation.

#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"
#include "platform/core/FileUtils.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
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

BENCHMARK(BM_IsWordKnown);
BENCHMARK(BM_IsWordMisspelt);
BENCHMARK(BM_Suggest);
BENCHMARK(BM_WordsStartingWith);
BENCHMARK(BM_ReadBlock);
BENCHMARK(BM_OpenDictionary);

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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
