#include "dictionary/TSuggestList.h"

#include "dictionary/DctBuilder.h"
#include "dictionary/TDCTFile.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <utility>
#include <vector>

namespace {

using Ranked = std::vector<std::pair<std::string, int>>;

Ranked Entries(const TSuggestList &list)
{
    Ranked out;
    for (TSuggestion *s = list.First(); s; s = TSuggestList::NextOf(s))
        out.emplace_back(s->Word, s->Score);
    return out;
}

// A dictionary file built from words (siblings in letter order) inside a temp folder.
struct TestFile
{
    explicit TestFile(const std::vector<std::string> &words)
        : file(dir.write("t.dct", BuildDct(words)))
    { }
    TempDir dir;
    TDCTFile file;
};

TEST(PhoneticCode, CodesFollowTheSoundGroups)
{
    const std::vector<std::tuple<std::string, bool, std::string>> cases = {
        { "fone", true, "F500" },
        { "fone", false, "F5" },
        { "robert", true, "R163" },
        { "rupert", true, "R163" },
        { "hello", true, "H400" },
        { "a", true, "A000" },
        { "pfister", true, "P123" }, // the second letter is never compared with the first
        { "tymczak", true, "T520" }, // equal codes merge across a vowel
        { "don't", false,
          std::string("D5\0"
                      "3",
                      4) }, // the apostrophe codes as byte 0
        { "\x82t\x82", true,
          "\x82"
          "300" }, // an accented first letter stays as it is
        { "\x87\xA4o", true,
          std::string("\x87"
                      "500") }, // ç as first letter, ñ codes as M N
    };
    for (const auto &[word, pad, code] : cases)
        EXPECT_EQ(TSuggestList::PhoneticCode(word, pad), code) << word;
}

TEST(Similarity, PercentOfCommonLetters)
{
    const std::vector<std::tuple<std::string, std::string, int>> cases = {
        { "cat", "cut", 66 },     { "teh", "the", 66 },    { "recieve", "receive", 71 },
        { "wrold", "world", 80 }, { "hous", "house", 88 }, { "speling", "spelling", 93 },
        { "ab", "ab", 100 },      { "a", "a", 0 },         { "b", "be", 0 },
        { "abc", "xyz", 0 },
    };
    for (const auto &[w, c, expected] : cases)
        EXPECT_EQ(Similarity(w, c), expected) << w << " / " << c;
}

TEST(SuggestList, RanksByScoreKeepingTheFirstOfEqualScores)
{
    const std::string word = "abcdefghijklmnopqrst";
    TSuggestList list(nullptr);
    list.MaxCount = 3;
    for (const char *candidate : { "abcdefghijklmnopWXYZ", "abcdefghijklmnopqrWX",
                                   "abcdefghijklmnopVVVV", "abcdefghijklmnopqrsZ" })
        list.AddRanked(word, candidate);
    EXPECT_EQ(Entries(list),
              (Ranked { { "abcdefghijklmnopqrsZ", 95 },
                        { "abcdefghijklmnopqrWX", 90 },
                        { "abcdefghijklmnopWXYZ", 80 } }));
}

TEST(SuggestList, WorkedSearchForCet)
{
    TestFile t({ "cart", "cat", "cats", "coat", "cot", "cut" });
    TSuggestList list(nullptr);
    list.SearchFile(t.file, 3, "cet");
    EXPECT_EQ(list.Code, "C300");
    EXPECT_EQ(Entries(list), (Ranked { { "cat", 66 }, { "cot", 66 }, { "cut", 66 } }));
}

TEST(SuggestList, PhoneticScreenCutsWholeBranches)
{
    TestFile t({ "fan", "fine", "fond", "fondness", "fun", "phone", "fn" });
    TSuggestList list(nullptr);
    list.SearchFile(t.file, 20, "fone");
    std::vector<std::string> words;
    for (const auto &[w, score] : Entries(list))
        words.push_back(w);
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, (std::vector<std::string> { "fan", "fine", "fn", "fun" }))
        << "fond fails the screen and takes fondness with it; phone starts with another letter";
}

TEST(SuggestList, CandidatesWithinTwoLettersOfTheWordLength)
{
    TestFile t({ "ti", "tin", "tinnnnn", "tinnnnnn" });
    TSuggestList list(nullptr);
    list.SearchFile(t.file, 10, "tinnn");
    std::vector<std::string> words;
    for (const auto &[w, score] : Entries(list))
        words.push_back(w);
    std::sort(words.begin(), words.end());
    EXPECT_EQ(words, (std::vector<std::string> { "tin", "tinnnnn" }));
}

TEST(SuggestList, OneLetterWordsRankInTreeOrder)
{
    TestFile t({ "b", "be", "bee", "by" });
    TSuggestList list(nullptr);
    list.SearchFile(t.file, 10, "b");
    EXPECT_EQ(Entries(list), (Ranked { { "be", 0 }, { "bee", 0 }, { "by", 0 } }))
        << "the one-letter word itself is never a candidate";
}

TEST(SuggestList, SecondSearchMergesIntoTheRanking)
{
    TestFile first({ "hose", "hows" });
    TestFile second({ "house", "hoist" });
    TSuggestList list(nullptr);
    list.SearchFile(first.file, 3, "hous");
    list.SearchFile(second.file, 3, "hous");
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(list.First()->Word, "house");
    EXPECT_EQ(list.First()->Score, 88);
}

TEST(SuggestList, EmptyWordOrUnknownFirstLetterFindsNothing)
{
    TestFile t({ "cat" });
    TSuggestList list(nullptr);
    list.SearchFile(t.file, 5, "");
    list.SearchFile(t.file, 5, "zat");
    EXPECT_EQ(list.Count(), 0);
}

} // namespace
