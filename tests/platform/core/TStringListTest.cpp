#include "platform/core/TStringList.h"

#include "platform/core/Exceptions.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

using namespace std::string_literals;
using Lines = std::vector<std::string>;

static Lines Items(const TStringList &list)
{
    return Lines(list.begin(), list.end());
}

TEST(TStringList, SetTextLineRules)
{
    const struct
    {
        std::string text;
        Lines lines;
    } cases[] = {
        { "", {} },
        { "\r\n", { "" } },
        { "a\rb\nc\r\nd", { "a", "b", "c", "d" } }, // every line end; last line counts
        { "a\n\nb\n", { "a", "", "b" } },
        { "\n\r", { "", "" } },
        { "a\r\r\nb\r\n", { "a", "", "b" } },
        { " a \t\r\n  \r\n", { " a \t", "  " } }, // not trimmed
        { "one\r\ntwo\0three\r\n"s, { "one", "two", "three" } }, // byte 0 ends a word
        { "\0x\r\n\0\0\r\ny"s, { "x", "y" } }, // runs of byte 0 make no line
    };
    for (const auto &c : cases) {
        TStringList list;
        list.Add("old");
        list.SetText(c.text);
        EXPECT_EQ(Items(list), c.lines) << testing::PrintToString(c.text);
    }
}

TEST(TStringList, TextEndsEveryEntryWithCrLfAndReadsBack)
{
    TStringList list;
    for (const char *s : { "b", "", "a" })
        list.Add(s);
    EXPECT_EQ(list.Text(), "b\r\n\r\na\r\n");
    TStringList copy;
    copy.SetText(list.Text());
    EXPECT_EQ(Items(copy), Items(list));
}

TEST(TStringList, CompareTextIsAlphabeticalAndIgnoresCase)
{
    const struct
    {
        std::string a, b;
        int sign;
    } cases[] = {
        { "Cafe", "cAFE", 0 },    { "caf\xE9", "CAF\xC9", 0 },
        { "\x9A", "\x8A", 0 }, // š/Š
        { "caf\xE9", "cafe", 1 }, { "caf\xE9", "cafes", -1 }, // accent decides last
        { "\xC3pe", "apf", -1 },  { "\xE9t\xE9", "ezra", -1 }, // Ã, é sort with A, E
        { "\xFF", "Y", 1 },       { "a", "B", -1 },
        { "ab", "abc", -1 },      { "", "a", -1 },
    };
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.a) + " vs " + testing::PrintToString(c.b));
        EXPECT_EQ(sign(TStringList::CompareText(c.a, c.b)), c.sign);
        EXPECT_EQ(sign(TStringList::CompareText(c.b, c.a)), -c.sign);
    }
}

TEST(TStringList, SortedListIsAlphabeticalWithoutCaseDuplicates)
{
    TStringList list(true);
    // Octal escapes: \351 is é and \311 is É in code page 1252.
    for (const char *s : { "Zebra", "apple", "\351clair", "Apple", "eclair", "ezra", "banana",
                           "\311CLAIR", "APPLE" })
        list.Add(s);
    EXPECT_EQ(Items(list), (Lines { "apple", "banana", "eclair", "\351clair", "ezra", "Zebra" }));
    EXPECT_EQ(list.Add("BANANA"), 1);
    EXPECT_EQ(list.Count(), 6);
}

TEST(TStringList, FindGivesIndexOrInsertionPoint)
{
    TStringList sorted(true);
    sorted.SetText("cat\r\nAnt\r\ndog\r\nCAT\r\n");
    int index = -5;
    EXPECT_TRUE(sorted.Find("ANT", index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(sorted.Find("bee", index));
    EXPECT_EQ(index, 1);
    EXPECT_FALSE(sorted.Find("zebu", index));
    EXPECT_EQ(index, 3);
    EXPECT_EQ(sorted.IndexOf("DOG"), 2);

    TStringList plain;
    plain.SetText("dog\r\ncat\r\n");
    EXPECT_EQ(plain.IndexOf("CAT"), 1);
    EXPECT_EQ(plain.IndexOf("ca"), -1);
    plain.Add("Dog");
    plain.SetSorted(true);
    EXPECT_EQ(Items(plain), (Lines { "cat", "dog" })); // the first of equal entries stays
}

TEST(TStringList, FilesLoadReplacingAndSaveAsText)
{
    TempDir dir;
    TStringList list(true);
    list.Add("replaced");
    list.LoadFromFile(dir.write("w.txt", "pear\r\nApple\nPEAR"));
    EXPECT_EQ(Items(list), (Lines { "Apple", "pear" }));
    list.Add("fig");
    list.SaveToFile(dir.file("w.txt"));
    EXPECT_EQ(dir.read("w.txt"), "Apple\r\nfig\r\npear\r\n");

    try {
        list.LoadFromFile(dir.file("none.txt"));
        FAIL() << "no exception";
    } catch (const EFOpenError &e) {
        EXPECT_EQ(e.Message(), "Cannot open file " + dir.file("none.txt"));
    }
    EXPECT_EQ(list.Count(), 3);
}

TEST(TStringList, BadIndexAndReplacingInSortedListRaise)
{
    TStringList list;
    list.Add("a");
    EXPECT_THROW(list.Delete(1), ERangeError);
    EXPECT_THROW(list.Put(-1, "x"), ERangeError);
    EXPECT_THROW((void)list[1], ERangeError);
    list.Put(0, "b");
    EXPECT_EQ(list[0], "b");
    list.SetSorted(true);
    EXPECT_THROW(list.Put(0, "a"), Exception);
}
