#include "dictionary/TDictionary.h"

#include "dictionary/ChildRanker.h"
#include "dictionary/DctBuilder.h"
#include "platform/core/Exceptions.h"
#include "tests/support/RawDct.h"
#include "tests/support/SpanishDct.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <type_traits>

using namespace std::string_literals;

namespace {

std::vector<std::string> Items(const TStringList &list)
{
    return { list.begin(), list.end() };
}

// A dictionary over a small word file in its own folder.
class Dictionary : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dctPath = dir.write("ENGLISH.DCT",
                            BuildDct({ "a", "cat", "catalog", "cats", "cot", "cut", "dog", "i",
                                       "the", "zebra", "\x82l\x8An" })); // élan in code page 437
        ASSERT_TRUE(dict.OpenDictionary(dctPath));
    }
    TempDir dir;
    std::string dctPath;
    TDictionary dict;
};

TEST_F(Dictionary, IsWordLowerCasesAndDropsPossessives)
{
    for (const char *word : { "cat", "Cat", "CAT", "Cat's", "cats", "a", "\xC9l\xE8n" })
        EXPECT_TRUE(dict.IsWord(AnsiText(word))) << word;
    for (const char *word : { "ca", "catt", "'s", "", "dogs's" })
        EXPECT_FALSE(dict.IsWord(AnsiText(word))) << word;
    EXPECT_TRUE(dict.IsWord(AnsiText("cat" + std::string(60, 'x'))) == false);
}

TEST_F(Dictionary, ExclusionListOverridesEverySource)
{
    dir.write("USERDCT.TXT", "Zorp\r\n");
    dir.write("EXCLUDE.TXT", "CAT\r\nzorp\r\n");
    ASSERT_TRUE(dict.OpenUserDictionary("USERDCT.TXT"));
    ASSERT_TRUE(dict.OpenExclusionList("EXCLUDE.TXT")); // found beside the dictionary
    EXPECT_FALSE(dict.IsWord(AnsiText("cat")));
    EXPECT_FALSE(dict.IsWord(AnsiText("Zorp")));
    EXPECT_TRUE(dict.IsWord(AnsiText("dog")));
    EXPECT_FALSE(dict.OpenExclusionList("missing.txt"));
    EXPECT_TRUE(dict.IsWord(AnsiText("cat"))) << "a failed open drops the old exclusion list";
}

TEST_F(Dictionary, AddWordLearnsLowerCaseOnlyUnknownWords)
{
    EXPECT_FALSE(dict.AddWord(AnsiText("Cat")));
    EXPECT_FALSE(dict.UserWordsModified);
    EXPECT_TRUE(dict.AddWord(AnsiText("Zorp")));
    EXPECT_TRUE(dict.UserWordsModified);
    EXPECT_EQ(Items(dict.UserWords), (std::vector<std::string> { "zorp" }));
    EXPECT_TRUE(dict.IsWord(AnsiText("ZORP")));
    EXPECT_FALSE(dict.AddWord(AnsiText("zorp")));
    EXPECT_TRUE(dict.AddWord(AnsiText("\xC9tude"))); // Étude in code page 1252
    EXPECT_TRUE(dict.IsWord(AnsiText("\xE9tude"))) << "the learned word is found in lower case";
}

TEST_F(Dictionary, SuggestPutsTwoWordSplitsFirstWithTheTypedCapitals)
{
    EXPECT_EQ(Items(*dict.Suggest(AnsiText("thecat"), 5)).front(), "the cat");
    EXPECT_EQ(Items(*dict.Suggest(AnsiText("Thecat"), 5)).front(), "The cat");
    EXPECT_EQ(Items(*dict.Suggest(AnsiText("THECAT"), 5)).front(), "THE CAT");
    EXPECT_EQ(Items(*dict.Suggest(AnsiText("Cet"), 3)),
              (std::vector<std::string> { "Cat", "Cot", "Cut" }));
    EXPECT_TRUE(dict.Suggest(AnsiText(""), 5)->Count() == 0);
    EXPECT_EQ(dict.Suggest(AnsiText("thecat"), 0)->Count(), 0) << "zero requested, zero given";
    EXPECT_EQ(dict.Suggest(AnsiText("cet"), 1)->Count(), 1);
}

TEST_F(Dictionary, SuggestionsComeBackInTheEditorsCodePage)
{
    EXPECT_EQ(Items(*dict.Suggest(AnsiText("\xE9lan"), 3)),
              (std::vector<std::string> { "\xE9l\xE8n" }));
}

TEST_F(Dictionary, LearnedWordsAreOfferedAsSuggestions)
{
    ASSERT_TRUE(dict.AddWord(AnsiText("zorpy")));
    EXPECT_EQ(Items(*dict.Suggest(AnsiText("zorpi"), 3)), (std::vector<std::string> { "zorpy" }));
}

TEST_F(Dictionary, TwoWordSplitsInOrderOfTheCut)
{
    EXPECT_EQ(Items(*dict.TwoWordSplits(AnsiText("acat"), 10)),
              (std::vector<std::string> { "a cat" }));
    EXPECT_EQ(Items(*dict.TwoWordSplits(AnsiText("icats"), 10)),
              (std::vector<std::string> { "i cats" }));
    EXPECT_EQ(dict.TwoWordSplits(AnsiText("catdog"), 0)->Count(), 0);
    const auto longSplit = dict.Suggest(AnsiText("cat" + std::string(47, 'a')), 5);
    for (const std::string &entry : *longSplit)
        EXPECT_LE(entry.size(), 50u);
}

TEST_F(Dictionary, MatchCaseFollowsThePattern)
{
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        { "the", "Teh", "The" },
        { "the", "TEH", "THE" },
        { "the", "tEH", "THE" },
        { "the", "teh", "the" },
        { "is", "I", "IS" },
        // Characters without case are passed over: only letters tell capitals.
        { "o'clock", "o'clok", "o'clock" },
        { "i've", "I'v", "I've" },
        { "o'brien", "O'brian", "O'brien" },
        { "don't", "DON'T", "DON'T" },
        { "don't", "D'NT", "DON'T" },
        { "a1", "A1", "A1" },
        { "tHe", "", "tHe" },
        // Code page 437 has no capital È: capitals are matched in 1252, where it is.
        { "\xE9l\xE8n", "ELAN", "\xC9L\xC8N" },
        { "the cat", "Thecat", "The cat" },
    };
    for (const auto &[word, pattern, expected] : cases)
        EXPECT_EQ(TDictionary::MatchCase(AnsiText(word), AnsiText(pattern)).str(), expected)
            << word << " / " << pattern;
}

TEST_F(Dictionary, WordsStartingWithListsLongerWordsOnly)
{
    EXPECT_EQ(Items(*dict.WordsStartingWith(AnsiText("cat"), 10)),
              (std::vector<std::string> { "catalog", "cats" }));
    EXPECT_EQ(Items(*dict.WordsStartingWith(AnsiText("Cat"), 10)),
              (std::vector<std::string> { "Catalog", "Cats" }));
    EXPECT_EQ(Items(*dict.WordsStartingWith(AnsiText("c"), 2)),
              (std::vector<std::string> { "cat", "catalog" }));
    EXPECT_EQ(dict.WordsStartingWith(AnsiText("cax"), 10)->Count(), 0);
    EXPECT_EQ(dict.WordsStartingWith(AnsiText("dogs"), 10)->Count(), 0);
    EXPECT_EQ(dict.WordsStartingWith(AnsiText(""), 100)->Count(), 11);
    EXPECT_EQ(Items(*dict.WordsStartingWith(AnsiText("\xE9"), 5)),
              (std::vector<std::string> { "\xE9l\xE8n" }));
}

TEST_F(Dictionary, OpeningTheSameNameTwiceOpensNothing)
{
    EXPECT_TRUE(dict.IsOpen("/elsewhere/english.dct"));
    EXPECT_TRUE(dict.OpenDictionary(dctPath));
    EXPECT_EQ(dict.Files.Count(), 1);
    EXPECT_FALSE(dict.OpenDictionary(dir.file("OTHER.DCT")));
    EXPECT_EQ(dict.Files.Count(), 1);
    const std::string corrupt = dir.write("BAD.DCT", std::string(100, 'x'));
    EXPECT_THROW(dict.OpenDictionary(corrupt), TEDictionaryCorrupt);
    EXPECT_EQ(dict.Files.Count(), 1);
    dict.CloseDictionaries();
    EXPECT_FALSE(dict.Active);
    EXPECT_EQ(dict.Files.Count(), 0);
}

TEST_F(Dictionary, UserFileIsMergedWithOutsideChangesOnSave)
{
    EXPECT_FALSE(dict.OpenUserDictionary("USERDCT.TXT"));
    EXPECT_EQ(dict.UserFileName, dir.file("USERDCT.TXT"));
    ASSERT_TRUE(dict.AddWord(AnsiText("zorp")));
    dict.SaveUserWords();
    EXPECT_EQ(dir.read("USERDCT.TXT"), "zorp\r\n");
    EXPECT_FALSE(dict.UserWordsModified);

    // Another program adds words while the list is loaded.
    dir.write("USERDCT.TXT", "zorp\r\nblimp\r\nQuux");
    ASSERT_TRUE(dict.AddWord(AnsiText("argh")));
    dict.CloseDictionaries();
    EXPECT_EQ(dir.read("USERDCT.TXT"), "argh\r\nblimp\r\nQuux\r\nzorp\r\n");
}

TEST_F(Dictionary, UserFileLinesKeepTheirTextAndDropCaseDuplicates)
{
    dir.write("USERDCT.TXT", std::string("Bob\rbob\n\n\r\n  spaced \r\nzed\0ignored", 34));
    ASSERT_TRUE(dict.OpenUserDictionary(dir.file("USERDCT.TXT")));
    EXPECT_EQ(Items(dict.UserWords),
              (std::vector<std::string> { "", "  spaced ", "Bob", "ignored", "zed" }));
    EXPECT_FALSE(dict.IsWord(AnsiText(""))) << "an empty line never makes the empty word known";
}

// A save keeps every word the file holds: past bytes 0 of a damaged list, and after
// another program rewrote the file with the same size.
TEST_F(Dictionary, SaveKeepsEveryWordOfTheFile)
{
    dir.write("USERDCT.TXT", "apple\r\nbanana\r\n\0\0\0\0cherry\r\ndate\r\n"s);
    ASSERT_TRUE(dict.OpenUserDictionary("USERDCT.TXT"));
    ASSERT_TRUE(dict.AddWord(AnsiText("thier")));
    dict.SaveUserWords();
    EXPECT_EQ(dir.read("USERDCT.TXT"), "apple\r\nbanana\r\ncherry\r\ndate\r\nthier\r\n");

    dir.write("USERDCT.TXT", "plum\r\n");
    ASSERT_TRUE(dict.OpenUserDictionary("USERDCT.TXT"));
    dir.write("USERDCT.TXT", "kiwi\r\n");
    ASSERT_TRUE(dict.AddWord(AnsiText("blimp")));
    dict.SaveUserWords();
    EXPECT_EQ(dir.read("USERDCT.TXT"), "blimp\r\nkiwi\r\nplum\r\n");
}

TEST_F(Dictionary, VanishedUserFileIsRecreatedOnSave)
{
    dir.write("USERDCT.TXT", "blimp\r\n");
    ASSERT_TRUE(dict.OpenUserDictionary("USERDCT.TXT"));
    std::remove(dir.file("USERDCT.TXT").c_str());
    ASSERT_TRUE(dict.AddWord(AnsiText("zorp")));
    dict.SaveUserWords();
    EXPECT_EQ(dir.read("USERDCT.TXT"), "blimp\r\nzorp\r\n");
}

TEST_F(Dictionary, FailedSaveKeepsTheOldFileAndTheWordsUnsaved)
{
    // The user file's folder is replaced by a plain file, so nothing can be created there.
    const std::string folder = dir.file("words/");
    ::mkdir(folder.c_str(), 0755);
    ASSERT_FALSE(dict.OpenUserDictionary(folder + "USERDCT.TXT"));
    ::rmdir(folder.c_str());
    dir.write("words", "not a folder");
    ASSERT_TRUE(dict.AddWord(AnsiText("zorp")));
    EXPECT_THROW(dict.SaveUserWords(), EFCreateError);
    EXPECT_TRUE(dict.UserWordsModified);
    EXPECT_THROW(dict.CloseDictionaries(), EFCreateError);
    EXPECT_EQ(dict.Files.Count(), 1) << "the dictionary files stay open after a failed save";
    EXPECT_EQ(dir.read("words"), "not a folder");
}

TEST(DictionaryLifetime, DestructorSavesLearnedWordsAndReportsFailures)
{
    TempDir dir;
    const std::string dct = dir.write("ENGLISH.DCT", BuildDct({ "cat" }));
    {
        TDictionary dict;
        ASSERT_TRUE(dict.OpenDictionary(dct));
        dict.OpenUserDictionary("USERDCT.TXT");
        dict.AddWord(AnsiText("zorp"));
    }
    EXPECT_EQ(dir.read("USERDCT.TXT"), "zorp\r\n");

    std::vector<std::string> reports;
    auto saved = TDictionary::ErrorReporter;
    TDictionary::ErrorReporter = [&](const std::string &m) { reports.push_back(m); };
    {
        TDictionary dict;
        ASSERT_TRUE(dict.OpenDictionary(dct));
        dict.OpenUserDictionary(dir.file("no/such/folder/USERDCT.TXT"));
        dict.AddWord(AnsiText("zorp"));
    } // must not throw
    TDictionary::ErrorReporter = saved;
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find("Cannot create file"), std::string::npos);
}

TEST(DictionaryRobustness, CyclicFilesNeitherHangNorOverflow)
{
    // Every node's child list is the root list itself: an endless tree.
    TempDir dir;
    const std::string path = dir.write(
        "CYCLE.DCT", RawDct({ N('c', 1, true), N('a', 1, true), N('t', 1, true, true) }));
    TDictionary dict;
    ASSERT_TRUE(dict.OpenDictionary(path));
    EXPECT_TRUE(dict.IsWord(AnsiText("catcat")));
    const auto completions = dict.WordsStartingWith(AnsiText("c"), 200);
    EXPECT_EQ(completions->Count(), 200);
    for (const std::string &w : *completions)
        EXPECT_LE(w.size(), 50u);
    const auto suggestions = dict.Suggest(AnsiText("cta"), 10);
    for (const std::string &w : *suggestions)
        EXPECT_LE(w.size(), 50u);
}

TEST(DictionaryRobustness, WalksOverLoopsThatSpellNoWordEnd)
{
    // Two letters whose child list is the root list, and no word end anywhere: a walk that
    // waited for words to fill its list would read 2^50 nodes. It stops at its node budget.
    TempDir dir;
    const std::string path = dir.write("LOOP.DCT", RawDct({ N('a', 1), N('e', 1, false, true) }));
    TDictionary dict;
    ASSERT_TRUE(dict.OpenDictionary(path));
    for (const std::string prefix : { "", "a", "ea" })
        EXPECT_EQ(dict.WordsStartingWith(AnsiText(prefix), 10)->Count(), 0) << prefix;
    EXPECT_EQ(dict.Suggest(AnsiText(std::string(40, 'a')), 10)->Count(), 0);
}

} // namespace

// Code page 1252 text cannot be passed for the dictionary file's code page 437 letters.
static_assert(
    !std::is_convertible_v<OemText, AnsiText> && !std::is_convertible_v<AnsiText, OemText>);
static_assert(!std::is_convertible_v<std::string, AnsiText>);
static_assert(!std::is_invocable_v<decltype(&TDictionary::IsWord), const TDictionary &, OemText>);

// Accented words are known and suggested whatever their capitals, and a suggestion keeps
// its accents under the capitals typed.
class SpanishAccents : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dict.OpenDictionary(dir.write("ESPANOL.DCT", SpanishDct())));
        ranker.TablesLoaded = true;
    }
    static std::string First(const TStringList &list)
    {
        return list.Count() > 0 ? CodePages::AnsiToUtf8(list[0]) : "";
    }
    TempDir dir;
    TDictionary dict;
    ChildRanker ranker { dict };
};

TEST_F(SpanishAccents, CapitalsFindTheWord)
{
    for (const char *word : { "ÁRBOL", "Árbol", "árbol", "ÉL", "Él", "MAÑANA", "CANCIÓN", "Dónde" })
        EXPECT_TRUE(dict.IsWord(AnsiFromUtf8(word))) << word;
    EXPECT_FALSE(dict.IsWord(AnsiFromUtf8("Arbol")));
}

TEST_F(SpanishAccents, SuggestionsAndCompletionsKeepTheirAccents)
{
    struct Case
    {
        const char *typed, *fixedSearch, *children;
    } cases[] = {
        { "TAMBIEN", "TAMBIÉN", "TAMBIÉN" },
        { "Tambien", "También", "También" },
        { "ÁRBOLL", "ÁRBOL", "ÁRBOL" },
        { "Árboll", "Árbol", "Árbol" },
        { "NINO", "NIÑO", "NIÑO" },
        // The fixed search keeps to the first letter typed; the children's ranking does not.
        { "Arbol", "", "Árbol" },
        { "ARBOL", "", "ÁRBOL" },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(First(*dict.Suggest(AnsiFromUtf8(c.typed), 5)), c.fixedSearch) << c.typed;
        EXPECT_EQ(First(*ranker.Suggest(AnsiFromUtf8(c.typed), 5)), c.children) << c.typed;
    }
    EXPECT_EQ(First(*dict.WordsStartingWith(AnsiFromUtf8("Árb"), 5)), "Árbol");
    EXPECT_EQ(First(*dict.WordsStartingWith(AnsiFromUtf8("ÁR"), 5)), "ÁRBOL");
}
