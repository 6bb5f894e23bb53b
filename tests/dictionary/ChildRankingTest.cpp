// The children's ranking: its edit cost, its word prior table and the ranking itself.
#include "dictionary/ChildRanker.h"
#include "dictionary/DctBuilder.h"
#include "dictionary/EditCost.h"
#include "dictionary/RankingTree.h"
#include "dictionary/TDictionary.h"
#include "dictionary/WordPrior.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <map>
#include <tuple>
#include <vector>

namespace {

TEST(EditCost, ChildrensErrorsCostLessThanOtherEdits)
{
    // word, typed, cost
    const std::vector<std::tuple<std::string, std::string, float>> cases = {
        { "cat", "cat", 0.0f },      { "cat", "cut", 0.5f }, // vowel for vowel
        { "cat", "kat", 0.5f },      { "cat", "bat", 1.0f }, // c/k; any other letter
        { "dinner", "diner", 0.4f }, { "dinner", "dinnner", 0.4f }, // one letter of a double
        { "don't", "dont", 0.3f },   { "cake", "cak", 0.7f }, // apostrophe; a vowel
        { "cat", "cta", 0.8f },      { "cart", "cat", 1.0f }, // swap; a plain letter
        { "phone", "fone", 0.3f },   { "knife", "nife", 0.3f }, // sound rules
        { "write", "rite", 0.3f },   { "catch", "cach", 0.3f },
        { "thought", "thot", 0.5f }, { "nation", "nashun", 0.5f },
        { "robot", "rodot", 0.5f },  { "babies", "babys", 0.3f }, // b/d reversed; y+s
        { "exist", "egsist", 0.4f }, { "happy", "happee", 0.4f }, // x as heard; y as heard
        { "cookie", "cukee", 0.8f },
    };
    for (const auto &[word, typed, cost] : cases) {
        EditCost edit(typed);
        EXPECT_NEAR(edit.Between(word), cost, 1e-4) << word << " typed as " << typed;
    }
}

TEST(EditCost, SpanishChildrensErrorsCostLessAndEnglishCostsStayAsTheyWere)
{
    // word, typed, Spanish cost, English cost (code page 437: \xA0 á, \xA2 ó, \xA4 ñ, \x81 ü)
    const std::vector<std::tuple<std::string, std::string, float, float>> cases = {
        { "tambi\x82n", "tambien", 0.15f, 1.0f }, // the accent left out
        { "peque\xA4o", "pequeno", 0.2f, 1.0f }, // n for ñ
        { "ping\x81ino", "pinguino", 0.15f, 1.0f },
        { "vamos", "bamos", 0.3f, 1.0f }, // b/v
        { "llave", "yave", 0.3f, 1.4f }, // ll/y
        { "hora", "ora", 0.3f, 0.7f }, // silent h
        { "echar", "hechar", 0.4f, 1.0f }, // an h added
        { "zapato", "sapato", 0.4f, 0.5f }, // c/s/z
        { "gente", "jente", 0.4f, 0.5f }, // g/j
        { "queso", "keso", 0.3f, 1.2f }, // qu/k
        { "guerra", "gerra", 0.4f, 0.7f }, // the silent u
        { "tierra", "tiera", 0.3f, 0.4f }, // rr/r
        { "campo", "canpo", 0.3f, 1.0f }, // m before p
        { "casa", "cosa", 0.5f, 0.5f }, // another vowel: a real change
        { "casa", "tasa", 1.0f, 1.0f },
    };
    for (const auto &[word, typed, spanish, english] : cases) {
        EditCost es(typed, SpellingLanguage::Spanish), en(typed);
        EXPECT_NEAR(es.Between(word), spanish, 1e-4) << word << " typed as " << typed;
        EXPECT_NEAR(en.Between(word), english, 1e-4) << word << " typed as " << typed;
    }
}

TEST(EditCost, WalkingLetterByLetterMatchesWholeWordsAndNeverPrunesAReachableWord)
{
    const std::vector<std::string> words
        = { "elephant", "phone", "through", "catch", "cab", "llueve", "huevo", "peque\xA4o" };
    for (const auto language : { SpellingLanguage::English, SpellingLanguage::Spanish })
        for (const std::string typed : { "elefant", "fone", "thru", "cach", "yueve", "gue\x81o" }) {
            EditCost whole(typed, language), walk(typed, language);
            for (const std::string &word : words) {
                const float cost = whole.Between(word);
                for (unsigned char c : word) {
                    walk.Push(c);
                    // No prefix of a word within the limit may be given up on.
                    EXPECT_TRUE(walk.CanReach(cost + 1e-4f)) << word << " / " << typed;
                }
                EXPECT_FLOAT_EQ(walk.Cost(), cost);
                while (walk.Length() > 0)
                    walk.Pop();
            }
        }
}

TEST(WordPrior, LoadsTheTableAndSkipsLinesThatDoNotParse)
{
    WordPrior prior;
    EXPECT_EQ(prior.Load("the\t35\nWednesday\t114\nAaliyah\t255\tname\nbad line\nx\t300\n"
                         "whether\t90\r\ny\t12\tnoun\n"),
              3u);
    EXPECT_EQ(prior.Count(), 4u);
    EXPECT_FLOAT_EQ(prior.LogProbability("the"), -35.0f / 25.0f);
    EXPECT_FLOAT_EQ(prior.LogProbability("whether"), -90.0f / 25.0f);
    EXPECT_FLOAT_EQ(prior.LogProbability("aaliyah"), WordPrior::FloorLogProbability);
    EXPECT_FLOAT_EQ(prior.LogProbability("unlisted"), WordPrior::FloorLogProbability);
    EXPECT_EQ(prior.Shown("wednesday"), "Wednesday");
    EXPECT_EQ(prior.Shown("the"), "the");
    EXPECT_TRUE(prior.IsNameOnly("aaliyah"));
    EXPECT_FALSE(prior.IsNameOnly("the"));
    EXPECT_FLOAT_EQ(prior.HighestLogProbability(), -35.0f / 25.0f);
    // A lookup that keeps its place answers the same, in order or not.
    size_t cursor = 0;
    for (const char *w : { "aaliyah", "the", "wednesday", "whether", "zz", "a", "the", "wh" }) {
        const WordPrior::Facts kept = prior.Lookup(w, cursor), fresh = prior.Lookup(w);
        EXPECT_EQ(std::tuple(kept.logProbability, kept.known, kept.nameOnly),
                  std::tuple(fresh.logProbability, fresh.known, fresh.nameOnly))
            << w;
    }
    EXPECT_FALSE(prior.LoadFromFile("/nonexistent/WORDPRIOR.TXT"));
    EXPECT_EQ(prior.Count(), 0u);
}

TEST(RankingTree, MarksEachBranchWithItsBestWordAndPutsTheBestBranchFirst)
{
    // Suffix-sharing files: "cart" and "dart" share one "art" list, yet their marks differ.
    const std::map<std::string, float> value
        = { { "cat", -3 }, { "car", -1 }, { "cart", -2 }, { "dart", -6 }, { "cab", -0.5f } };
    TempDir dir;
    TDictionary dictionary;
    dictionary.OpenDictionary(dir.write("a.dct", BuildDct({ "cat", "car", "cart", "dart" })));
    RankingTree tree;
    const auto build = [&] {
        tree.Build(dictionary, [&](std::string_view w) { return value.at(std::string(w)); });
    };
    build();
    EXPECT_TRUE(tree.IsBuiltFrom(dictionary));
    // The letters of a node's children, in order, with the node's mark.
    const auto below = [&](uint32_t node) {
        std::string letters;
        for (uint32_t c = tree[node].firstChild; c != 0; c = tree[c].nextSibling)
            letters += char(tree[c].letter);
        return std::pair(letters, tree[node].best);
    };
    const auto child = [&](uint32_t node, char letter) {
        uint32_t c = tree[node].firstChild;
        while (c != 0 && tree[c].letter != letter)
            c = tree[c].nextSibling;
        return c;
    };
    const uint32_t ca = child(child(RankingTree::Root, 'c'), 'a');
    EXPECT_EQ(below(RankingTree::Root), std::pair(std::string("cd"), -1.0f));
    EXPECT_EQ(below(ca), std::pair(std::string("rt"), -1.0f));
    EXPECT_EQ(below(child(child(child(RankingTree::Root, 'd'), 'a'), 'r')),
              std::pair(std::string("t"), -6.0f));
    EXPECT_TRUE(tree[child(ca, 'r')].wordEnd);
    EXPECT_FALSE(tree[child(RankingTree::Root, 'c')].wordEnd);

    // A second file's words join the same branches.
    dictionary.OpenDictionary(dir.write("b.dct", BuildDct({ "cab" })));
    EXPECT_FALSE(tree.IsBuiltFrom(dictionary));
    build();
    EXPECT_EQ(below(child(child(RankingTree::Root, 'c'), 'a')),
              std::pair(std::string("brt"), -0.5f));
}

struct Ranked
{
    Ranked(const std::vector<std::string> &words, const std::string &priorTable)
        : ranker(dictionary)
    {
        dictionary.OpenDictionary(dir.write("t.dct", BuildDct(words)));
        ranker.Prior.Load(priorTable);
        ranker.NeverSuggest.Add("whore");
        ranker.TablesLoaded = true;
    }
    std::vector<std::string> Suggest(const std::string &word, uint16_t count = 10)
    {
        auto list = ranker.Suggest(AnsiText(word), count);
        return { list->begin(), list->end() };
    }
    TempDir dir;
    TDictionary dictionary;
    ChildRanker ranker;
};

TEST(ChildRanker, ATwoWordSplitComesFirstOnlyWhenThePairIsLikely)
{
    const std::string table = "wet\t118\nher\t70\nwhether\t90\na\t41\nlot\t90\nallot\t100\n";
    Ranked r({ "wet", "her", "whether", "a", "lot", "allot" }, table);
    EXPECT_EQ(r.Suggest("wether").front(), "whether");
    const auto splits = r.Suggest("wether");
    EXPECT_NE(std::find(splits.begin(), splits.end(), "wet her"), splits.end());
    EXPECT_EQ(r.Suggest("alot").front(), "allot");
    Ranked rareAllot({ "a", "lot", "allot" }, "a\t41\nlot\t90\nallot\t220\n");
    const auto list = rareAllot.Suggest("alot");
    const auto at
        = [&](const char *w) { return std::find(list.begin(), list.end(), w) - list.begin(); };
    EXPECT_LT(at("a lot"), at("allot"));
}

TEST(ChildRanker, FindsWordsThePhoneticSearchCannotAndKeepsTheirCapitals)
{
    Ranked r({ "phone", "fine", "wednesday", "weekday", "whore", "who" },
             "phone\t110\nfine\t200\nWednesday\t114\nweekday\t140\nwhore\t150\nwho\t50\n");
    // First letter and sound code differ: the fixed search never reaches "phone".
    EXPECT_EQ(r.Suggest("fone").front(), "phone");
    auto fixed = r.dictionary.Suggest(AnsiText("fone"), 10);
    EXPECT_EQ(fixed->IndexOf("phone"), -1);
    EXPECT_EQ(r.Suggest("wensday").front(), "Wednesday");
    EXPECT_EQ(r.Suggest("WENSDAY").front(), "WEDNESDAY");
    // Never offered, in any list; still a word when typed.
    const auto whor = r.Suggest("whor");
    EXPECT_EQ(std::find(whor.begin(), whor.end(), "whore"), whor.end());
    auto completions = r.ranker.WordsStartingWith(AnsiText("wh"), 10);
    EXPECT_EQ(completions->IndexOf("whore"), -1);
    EXPECT_EQ(completions->IndexOf("who"), 0);
    EXPECT_TRUE(r.dictionary.IsWord(AnsiText("whore")));
}

// An apostrophe has no case: a typed word with one is not taken for capitals. Both
// rankings follow the typed capitals; the children's also the word lists' own.
TEST(ChildRanker, AWordWithAnApostropheIsNotTakenForCapitals)
{
    Ranked r({ "i've", "i'll", "if", "o'brien", "obey" },
             "I've\t74\nI'll\t82\nif\t60\nO'Brien\t141\tname\nobey\t150\n");
    for (const auto &[typed, children, fixed] :
         { std::tuple("I'v", "I've", "I've"), std::tuple("i'ld", "I'll", "i'll"),
           std::tuple("O'brian", "O'Brien", "O'brien") }) {
        EXPECT_EQ(r.Suggest(typed).front(), children) << typed;
        EXPECT_EQ(r.dictionary.Suggest(AnsiText(typed), 10)->Strings(0), fixed) << typed;
    }
}

TEST(ChildRanker, TakesItsLanguageFromTheDictionaryAndReadsThatLanguagesTables)
{
    // Both languages' tables share the folder; each dictionary must read its own.
    TempDir dir;
    dir.write("WORDPRIOR.TXT", "cosa\t40\ncasa\t200\n");
    dir.write("WORDPRIOR_ES.TXT", "cosa\t200\ncasa\t40\n");
    dir.write("NOSUGGEST_ES.TXT", "cesa\n");
    const std::vector<std::string> words = { "casa", "cosa", "cesa", "peque\xA4o", "pecado" };
    for (const auto &[name, language, first] :
         { std::tuple("ESPANOL.DCT", SpellingLanguage::Spanish, "casa"),
           std::tuple("ENGLISH.DCT", SpellingLanguage::English, "cosa") }) {
        TDictionary dictionary;
        dictionary.OpenDictionary(dir.write(name, BuildDct(words)));
        ChildRanker ranker(dictionary);
        EXPECT_EQ(ranker.Language(), language) << name;
        auto list = ranker.Suggest(AnsiText("cisa"), 10);
        EXPECT_EQ(list->Strings(0), first) << name;
        EXPECT_EQ(list->IndexOf("cesa") == -1, language == SpellingLanguage::Spanish) << name;
        // The Spanish cost puts the ñ word first; a language set by hand reads its tables.
        ranker.SetLanguage(SpellingLanguage::Spanish);
        EXPECT_EQ(ranker.Suggest(AnsiText("pequeno"), 1)->Strings(0), "peque\xF1o") << name;
        EXPECT_EQ(ranker.Suggest(AnsiText("cisa"), 1)->Strings(0), "casa") << name;
    }
    EXPECT_EQ(LanguageOfDictionary("/usr/lib/scrivlo/espanol.dct"), SpellingLanguage::Spanish);
    EXPECT_EQ(LanguageOfDictionary("ESPANOLA.DCT"), SpellingLanguage::English);
}

TEST(ChildRanker, APreparedTreeListsTheSameWordsAndOneOfOtherFilesIsDropped)
{
    // Two dictionaries of the same name in two folders, each with its own words.
    TempDir one, two;
    one.write("WORDPRIOR_ES.TXT", "casa\t40\ncosa\t200\npero\t30\nperro\t60\n");
    one.write("NOSUGGEST_ES.TXT", "cesa\n");
    const std::string first = one.write(
        "ESPANOL.DCT",
        BuildDct({ "casa", "cosa", "cesa", "peque\xA4o", "pecado", "pero", "perro", "queso" }));
    const std::string second = two.write("ESPANOL.DCT", BuildDct({ "cisne", "perla", "queja" }));
    const auto lists = [](ChildRanker &ranker) {
        std::vector<std::vector<std::string>> out;
        for (const char *typed : { "cisa", "pequeno", "peroo", "qeso" }) {
            const auto list = ranker.Suggest(AnsiText(typed), 10);
            out.emplace_back(list->begin(), list->end());
        }
        const auto completions = ranker.WordsStartingWith(AnsiText("pe"), 10);
        out.emplace_back(completions->begin(), completions->end());
        return out;
    };

    TDictionary onRequest, ahead;
    onRequest.OpenDictionary(first);
    ahead.OpenDictionary(first);
    ChildRanker built(onRequest), prepared(ahead);
    prepared.PrepareInBackground();
    const auto expected = lists(built);
    EXPECT_EQ(expected.front().front(), "casa");
    EXPECT_EQ(lists(prepared), expected);

    // The dictionary switches to the other folder while its tree is being built.
    TDictionary switched, other;
    switched.OpenDictionary(first);
    other.OpenDictionary(second);
    ChildRanker stale(switched), fresh(other);
    stale.PrepareInBackground();
    switched.CloseDictionaries();
    switched.OpenDictionary(second);
    EXPECT_EQ(lists(stale), lists(fresh));
}

} // namespace
