// The check in context on the project's own sentences (tests/spell/data), and its parts:
// the sentence splitter, the confusable table and the model reader's refusals.
#include "spell/core/ContextCheck.h"

#include "dictionary/ChildRanker.h"
#include "dictionary/ConfusableWords.h"
#include "dictionary/TDictionary.h"
#include "dictionary/WordSequenceModel.h"
#include "spell/core/SentenceScan.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace {

struct Case
{
    char kind; // ! = ^ ~
    std::string text; // without the brackets
    int32_t start = -1; // of the marked word
    std::string typed, meant;
};

std::vector<Case> ReadCases()
{
    std::ifstream in(SCRIVLO_SOURCE_DIR "/tests/spell/data/context-sentences.txt");
    std::vector<Case> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.size() < 3 || line[0] == '#')
            continue;
        Case c;
        c.kind = line[0];
        c.text = line.substr(2);
        const size_t open = c.text.find('['), bar = c.text.find('|'), close = c.text.find(']');
        if (open != std::string::npos) {
            c.typed = c.text.substr(open + 1, bar - open - 1);
            c.meant = c.text.substr(bar + 1, close - bar - 1);
            c.text = c.text.substr(0, open) + c.typed + c.text.substr(close + 1);
            c.start = int32_t(open);
        }
        cases.push_back(c);
    }
    return cases;
}

// The English dictionary, its ranking tables and the model, shared by every case.
class ContextSentences : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        dictionary = new TDictionary;
        ASSERT_TRUE(dictionary->OpenDictionary(SCRIVLO_BIN_DIR "/ENGLISH.DCT"));
        ranker = new ChildRanker(*dictionary);
        std::string error;
        model = WordSequenceModel::Open(WordSequenceModel::DefaultEnglishPath, error).release();
        ASSERT_NE(model, nullptr) << error;
    }
    static void TearDownTestSuite()
    {
        delete model;
        delete ranker;
        delete dictionary;
    }
    static std::unique_ptr<ContextCheck> MakeCheck(bool withModel = true)
    {
        auto check = std::make_unique<ContextCheck>(*dictionary);
        check->SetModel(withModel ? model : nullptr);
        check->SetRanker(ranker);
        EXPECT_TRUE(check->LoadConfusables(SCRIVLO_BIN_DIR "/CONFUSABLE.TXT"));
        return check;
    }
    static inline TDictionary *dictionary = nullptr;
    static inline ChildRanker *ranker = nullptr;
    static inline WordSequenceModel *model = nullptr;
};

TEST_F(ContextSentences, RealWordErrorsFoundWithFewFalseAlarms)
{
    const auto check = MakeCheck();
    int errors = 0, found = 0, correct = 0, falseAlarms = 0;
    for (const Case &c : ReadCases()) {
        const auto flags = check->Check(c.text);
        if (c.kind == '!') {
            ++errors;
            const bool hit = !flags.empty() && flags[0].Start == c.start
                && flags[0].Problem == ContextProblem::WrongWord
                && flags[0].Suggestion.str() == c.meant;
            found += hit;
            if (!hit)
                std::printf("missed: %s\n", c.text.c_str());
        } else if (c.kind == '=') {
            ++correct;
            if (!flags.empty()) {
                ++falseAlarms;
                std::printf("false alarm: %s (%s)\n", c.text.c_str(),
                            flags[0].Suggestion.str().c_str());
            }
        }
    }
    std::printf("recall %d/%d, false alarms %d/%d\n", found, errors, falseAlarms, correct);
    ASSERT_GE(errors, 60);
    ASSERT_GE(correct, 100);
    EXPECT_GE(found * 2, errors);
    EXPECT_LE(falseAlarms * 25, correct);
}

TEST_F(ContextSentences, CapitalsFoundWithAndWithoutModel)
{
    for (const bool withModel : { true, false }) {
        const auto check = MakeCheck(withModel);
        for (const Case &c : ReadCases()) {
            if (c.kind != '^')
                continue;
            const auto flags = check->Check(c.text);
            ASSERT_EQ(flags.size(), 1u) << c.text;
            EXPECT_EQ(flags[0],
                      (ContextFlag { c.start, int32_t(c.typed.size()), ContextProblem::Capital,
                                     AnsiText(c.meant) }))
                << c.text;
        }
        // Without the model, no real word is weighed.
        EXPECT_EQ(check->Check("We went to there house.").empty(), !withModel);
    }
}

TEST_F(ContextSentences, NothingFlaggedThatIsRightOrNotAWord)
{
    const auto check = MakeCheck();
    for (const char *text :
         { "I went to Paris.", "The dog barked. Then it slept.", "We may go in march.",
           "Will it rain?", "Mr. smith came.", "It costs 3.50 today.", "I went there... and back",
           "e.g. this one", "We saw a qwzx there.", "I have 2 dogs.", "\"Stop!\" said Tom." })
        EXPECT_EQ(check->Check(text), std::vector<ContextFlag> {}) << text;
}

TEST_F(ContextSentences, FinishedOnlyLeavesTheLastSentenceOut)
{
    const auto check = MakeCheck();
    EXPECT_EQ(check->Check("the end. and i", true).size(), 1u);
    // Unfinished, "and i" is no sentence whose start needs a capital; "i" still does.
    EXPECT_EQ(check->Check("the end. and i", false).size(), 2u);
    EXPECT_EQ(check->Check("the end. and i?", true).size(), 3u);
}

TEST_F(ContextSentences, TypedCapitalsKeptInSuggestion)
{
    const auto check = MakeCheck();
    const auto flags = check->Check("He fell OF his bike. their is a cat.");
    ASSERT_EQ(flags.size(), 2u);
    EXPECT_EQ(flags[0].Suggestion.str(), "OFF");
    EXPECT_EQ(flags[1].Suggestion.str(), "There");
}

TEST_F(ContextSentences, RerankPutsTheMeantWordFirstMoreOften)
{
    const auto check = MakeCheck();
    int cases = 0, firstBefore = 0, firstAfter = 0;
    for (const Case &c : ReadCases()) {
        if (c.kind != '~' || dictionary->IsWord(AnsiText(c.typed)))
            continue;
        ++cases;
        auto list = ranker->Suggest(AnsiText(c.typed), 8);
        const bool before = list->Count() > 0 && (*list)[0] == c.meant;
        check->Rerank(c.text, c.start, int32_t(c.typed.size()), *list);
        const bool after = list->Count() > 0 && (*list)[0] == c.meant;
        firstBefore += before;
        firstAfter += after;
        if (before && !after)
            std::printf("lost: %s (%s)\n", c.text.c_str(), (*list)[0].c_str());
    }
    std::printf("meant word first: %d/%d by the ranking, %d/%d reranked\n", firstBefore, cases,
                firstAfter, cases);
    ASSERT_GE(cases, 30);
    EXPECT_GT(firstAfter, firstBefore);
}

TEST_F(ContextSentences, RerankKeepsOrderWithoutContext)
{
    const auto check = MakeCheck();
    TStringList list;
    for (const char *word : { "went", "want", "wet" })
        list.Add(word);
    check->Rerank("wnet", 0, 4, list); // a sentence of one word
    EXPECT_EQ(list.Text(), "went\r\nwant\r\nwet\r\n");
    const auto noModel = MakeCheck(false);
    noModel->Rerank("I wnet home.", 2, 4, list);
    EXPECT_EQ(list.Text(), "went\r\nwant\r\nwet\r\n");
}

TEST(SentenceScan, SplitsAtSentenceEnds)
{
    struct Row
    {
        const char *text;
        std::vector<size_t> sizes; // words per sentence
        bool lastFinished;
    };
    for (const Row &row : std::vector<Row> {
             { "One two. Three!", { 2, 1 }, true },
             { "Stop!\" she said. 'Go'", { 3, 1 }, false },
             { "He said \"Stop.\"\nGo", { 3, 1 }, false },
             { "Mr. Brown and Dr. Who came.", { 6 }, true },
             { "It was 3.5 m long... or so", { 8 }, false },
             { "Line one\nline two", { 2, 2 }, false },
             { "Why? Because.\r\n", { 1, 1 }, true },
             { "", {}, false },
         }) {
        const auto sentences = SentenceScan::Split(row.text);
        std::vector<size_t> sizes;
        for (const auto &s : sentences)
            sizes.push_back(s.Words.size());
        EXPECT_EQ(sizes, row.sizes) << row.text;
        if (!sentences.empty()) {
            EXPECT_EQ(sentences.back().Finished, row.lastFinished) << row.text;
        }
    }
    const auto quoted = SentenceScan::Split("say 'hello' now");
    ASSERT_EQ(quoted[0].Words.size(), 3u);
    EXPECT_EQ(quoted[0].Words[1].Lower, "hello");
    EXPECT_EQ(quoted[0].Words[1].Start, 5);
}

TEST(ConfusableWords, ReadsGroupsAndJoinsAWordsGroups)
{
    ConfusableWords words;
    EXPECT_EQ(words.Load("# comment\nto too two\r\nalone\n\nto to  # repeated\nwere where\n"
                         "were we're\n"),
              3u);
    EXPECT_EQ(words.Alternatives("to"), (std::vector<std::string> { "too", "two" }));
    EXPECT_EQ(words.Alternatives("were"), (std::vector<std::string> { "where", "we're" }));
    EXPECT_TRUE(words.Alternatives("alone").empty());
    EXPECT_FALSE(words.LoadFromFile("/nonexistent/CONFUSABLE.TXT"));
}

TEST(WordSequenceModel, RefusesWhatIsNoModel)
{
    const auto dir
        = std::filesystem::temp_directory_path() / ("scrivlo-model-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "text.lm") << "\\data\\\nngram 1=3\n";
    std::ofstream(dir / "empty.lm");
    std::ofstream(dir / "short.lm") << "Trie Lang";
    // The library reads these without complaint, or crashes on them.
    std::ofstream(dir / "order.lm") << "Trie Language Model\x09";
    std::ofstream(dir / "counts.lm") << "Trie Language Model\x01\xff\xff\xff\x7f";
    {
        std::ifstream real(WordSequenceModel::DefaultEnglishPath, std::ios::binary);
        std::string head(200000, '\0');
        real.read(head.data(), std::streamsize(head.size()));
        std::ofstream(dir / "cut.lm", std::ios::binary) << head;
    }
    for (const char *name :
         { "text.lm", "empty.lm", "short.lm", "order.lm", "counts.lm", "cut.lm", "missing.lm" }) {
        std::string error;
        EXPECT_EQ(WordSequenceModel::Open((dir / name).string(), error), nullptr) << name;
        EXPECT_NE(error.find(name), std::string::npos) << error;
    }
    std::filesystem::remove_all(dir);

    std::string error;
    EXPECT_EQ(WordSequenceModel::ForLanguage(SpellingLanguage::Spanish, error), nullptr);
    EXPECT_NE(error.find("Spanish"), std::string::npos);
    ::setenv("SCRIVLO_WORD_MODEL", "", 1);
    EXPECT_EQ(WordSequenceModel::ForLanguage(SpellingLanguage::English, error), nullptr);
    ::unsetenv("SCRIVLO_WORD_MODEL");
}

TEST(WordSequenceModel, ScoresWordsInTheirHistory)
{
    std::string error;
    const auto model = WordSequenceModel::ForLanguage(SpellingLanguage::English, error);
    ASSERT_NE(model, nullptr) << error;
    const auto the = model->Id("the"), house = model->Id("house"), their = model->Id("their"),
               there = model->Id("there"), to = model->Id("to");
    ASSERT_NE(house, WordSequenceModel::Unknown);
    EXPECT_EQ(model->Id("qwzxv"), WordSequenceModel::Unknown);
    EXPECT_EQ(model->Id("The"), WordSequenceModel::Unknown); // the model is lower case
    EXPECT_GT(model->LogProbability(house, their, to), model->LogProbability(house, there, to));
    EXPECT_GT(model->LogProbability(the, model->SentenceStart(), WordSequenceModel::Unknown),
              model->LogProbability(the, the, the));
    EXPECT_EQ(model->LogProbability(WordSequenceModel::Unknown, the, to),
              WordSequenceModel::UnknownLogProbability);
    // An unknown history word cuts the history: the same as the unigram.
    EXPECT_EQ(model->LogProbability(house, WordSequenceModel::Unknown, the),
              model->LogProbability(house, WordSequenceModel::Unknown, WordSequenceModel::Unknown));
}

} // namespace
