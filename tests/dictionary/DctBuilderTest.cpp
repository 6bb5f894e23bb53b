// The dictionary builder: exact layout, shared endings, sibling order, input conversion,
// limits, and the file check.

#include "dictionary/DctBuilder.h"

#include "tests/support/RawDct.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

// What VerifyDct raises for a file, or nothing when the file holds exactly the words.
std::string VerifyReport(const std::string &path, const std::vector<std::string> &words)
{
    try {
        VerifyDct(path, words);
    } catch (const DctVerifyError &e) {
        return e.what();
    }
    return "";
}

uint32_t NodeAt(const std::string &bytes, uint32_t index)
{
    const size_t at = Dct::HeaderSize + (index - 1) * Dct::NodeSize;
    uint32_t node = 0;
    for (int i = 3; i >= 0; --i)
        node = node << 8 | static_cast<unsigned char>(bytes.at(at + size_t(i)));
    return node;
}

// The letters of the sibling list starting at index, in file order.
std::string ListLetters(const std::string &bytes, uint32_t index)
{
    std::string letters;
    for (;; ++index) {
        const uint32_t node = NodeAt(bytes, index);
        letters.push_back(static_cast<char>(Dct::NodeChar(node)));
        if (Dct::NodeIsLast(node))
            return letters;
    }
}

} // namespace

// Exact files (an, at, i is the 99-byte reference): the root list first, then each child list
// depth-first right after the lists before it; a shared list is placed once, where it is first
// reached.
struct LayoutCase
{
    const char *name;
    std::vector<std::string> words;
    std::vector<uint32_t> nodes;
};

class DctBuilderLayout : public ::testing::TestWithParam<LayoutCase>
{
};

TEST_P(DctBuilderLayout, ByteForByte)
{
    EXPECT_EQ(BuildDct(GetParam().words), RawDct(GetParam().nodes));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DctBuilderLayout,
    ::testing::Values(
        LayoutCase { "AnAtI",
                     { "at", "i", "an" },
                     { N('a', 3), N('i', 0, true, true), N('n', 0, true), N('t', 0, true, true) } },
        LayoutCase { "DepthFirst",
                     { "abc", "xyz" },
                     { N('a', 3), N('x', 5, false, true), N('b', 4, false, true),
                       N('c', 0, true, true), N('y', 6, false, true), N('z', 0, true, true) } },
        LayoutCase { "SharedOnce",
                     { "ab", "xb" },
                     { N('a', 3), N('x', 3, false, true), N('b', 0, true, true) } }),
    [](const auto &test) { return std::string(test.param.name); });

// Equal endings are stored once: nodes whose child lists are equal point at one list.
struct SharingCase
{
    std::vector<std::string> words;
    uint32_t plainTrieNodes;
    uint32_t minimalNodes;
};

class DctBuilderSharing : public ::testing::TestWithParam<SharingCase>
{
};

TEST_P(DctBuilderSharing, SharesEqualChildLists)
{
    DctBuilder builder;
    for (const std::string &w : GetParam().words)
        builder.AddOemWord(w);
    const std::string bytes = builder.Build();
    EXPECT_LT(builder.stats().nodes, GetParam().plainTrieNodes);
    EXPECT_EQ(builder.stats().nodes, GetParam().minimalNodes);
    EXPECT_EQ(bytes.size(), Dct::HeaderSize + 4 * builder.stats().nodes);
    TempDir dir;
    EXPECT_EQ(VerifyReport(dir.write("t.dct", bytes), GetParam().words), "");
}

INSTANTIATE_TEST_SUITE_P(
    Sets, DctBuilderSharing,
    ::testing::Values(
        // [t w] [a] [l] [k] [e i] [d] [n] [g]
        SharingCase { { "walking", "talking", "walked", "talked" }, 18, 10 },
        // [c d] [a] [o] [t] [g] [s]
        SharingCase { { "cat", "cats", "dog", "dogs" }, 8, 7 },
        // [b r] [e] [e] [d]: the two e lists differ (one e ends a word), [d] is shared
        SharingCase { { "bed", "be", "red" }, 6, 5 }));

// Siblings are ordered by the smallest rank at or below each node (no rank after every
// rank), ties and unranked words by letter.
struct OrderCase
{
    const char *name;
    std::vector<std::pair<std::string, uint32_t>> words;
    std::string rootOrder;
};

class DctBuilderOrder : public ::testing::TestWithParam<OrderCase>
{
};

TEST_P(DctBuilderOrder, RootListOrder)
{
    DctBuilder builder;
    for (const auto &[word, rank] : GetParam().words)
        builder.AddOemWord(word, rank);
    EXPECT_EQ(ListLetters(builder.Build(), 1), GetParam().rootOrder);
}

constexpr uint32_t NoRank = DctBuilder::NoRank;

INSTANTIATE_TEST_SUITE_P(
    Cases, DctBuilderOrder,
    ::testing::Values(
        OrderCase { "Alphabetical", { { "c", NoRank }, { "a", NoRank }, { "b", NoRank } }, "abc" },
        OrderCase { "ByRank", { { "apple", 5 }, { "zoo", 1 }, { "mango", 3 } }, "zma" },
        OrderCase { "TiesByLetter", { { "pear", 2 }, { "fig", 2 }, { "zoo", 1 } }, "zfp" },
        OrderCase { "UnrankedLast", { { "b", NoRank }, { "y", 1000 } }, "yb" },
        OrderCase { "RankBelowCounts", { { "a", 2 }, { "bzz", 1 } }, "ba" },
        OrderCase { "RepeatKeepsSmallest", { { "q", 50 }, { "p", 10 }, { "q", 1 } }, "qp" },
        OrderCase { "HighBytesByValue",
                    { { "\x82", NoRank }, { "z", NoRank }, { "\xA4", NoRank } },
                    "z\x82\xA4" }),
    [](const auto &test) { return std::string(test.param.name); });

TEST(DctBuilder, ChildListsFollowRanks)
{
    DctBuilder builder;
    builder.AddUtf8Line("ab\t9");
    builder.AddUtf8Line("ac\t2");
    builder.AddUtf8Line("ad");
    const std::string bytes = builder.Build();
    EXPECT_EQ(ListLetters(bytes, Dct::NodeChild(NodeAt(bytes, 1))), "cbd");
}

// Input lines: trimmed, lower-cased, converted to code page 437, or skipped and counted.
enum class Skip { None, CodePage, TooLong, Possessive, BadRank, Ignored };

struct LineCase
{
    const char *name;
    std::string line;
    std::string oemWord; // kept word when skip is None
    Skip skip;
};

class DctBuilderLine : public ::testing::TestWithParam<LineCase>
{
};

TEST_P(DctBuilderLine, ConvertsOrCounts)
{
    const LineCase &c = GetParam();
    DctBuilder builder;
    builder.AddUtf8Line(c.line);
    const DctBuilder::Stats &s = builder.stats();
    EXPECT_EQ(builder.Words(),
              c.skip == Skip::None ? std::vector<std::string> { c.oemWord }
                                   : std::vector<std::string> {});
    EXPECT_EQ(s.skippedCodePage, c.skip == Skip::CodePage ? 1u : 0u);
    EXPECT_EQ(s.skippedTooLong, c.skip == Skip::TooLong ? 1u : 0u);
    EXPECT_EQ(s.skippedPossessive, c.skip == Skip::Possessive ? 1u : 0u);
    EXPECT_EQ(s.skippedBadRank, c.skip == Skip::BadRank ? 1u : 0u);
    EXPECT_EQ(s.wordsKept, c.skip == Skip::None ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, DctBuilderLine,
    ::testing::Values(LineCase { "Ascii", "Cat", "cat", Skip::None },
                      LineCase { "AcuteE", "Éclair", "\202clair", Skip::None },
                      LineCase { "Umlauts", "ÄÖÜ", "\x84\x94\x81", Skip::None },
                      LineCase { "Tilde", "Ñandú", "\244and\xA3", Skip::None },
                      LineCase { "CapitalNotIn437", "Èze", "\212ze", Skip::None },
                      LineCase { "YDiaeresis", "Ÿ", "\x98", Skip::None },
                      LineCase { "CrLf", "word\r", "word", Skip::None },
                      LineCase { "Ranked", "word\t10\r", "word", Skip::None },
                      LineCase { "Fifty", std::string(50, 'x'), std::string(50, 'x'), Skip::None },
                      LineCase { "OutsideCodePage", "Erdős", "", Skip::CodePage },
                      LineCase { "Emoji", "cat\xF0\x9F\x98\x80", "", Skip::CodePage },
                      LineCase { "InvalidUtf8", "caf\xC3", "", Skip::CodePage },
                      LineCase { "StrayContinuation", "\200abc", "", Skip::CodePage },
                      LineCase { "Possessive", "cat's", "", Skip::Possessive },
                      LineCase { "PossessiveUpper", "CAT'S", "", Skip::Possessive },
                      LineCase { "FiftyOne", std::string(51, 'x'), "", Skip::TooLong },
                      LineCase { "RankNotNumber", "cat\tx", "", Skip::BadRank },
                      LineCase { "RankEmpty", "cat\t", "", Skip::BadRank },
                      LineCase { "RankNegative", "cat\t-1", "", Skip::BadRank },
                      LineCase { "RankTooBig", "cat\t4294967295", "", Skip::BadRank },
                      LineCase { "RankTwoFields", "cat\t1\t2", "", Skip::BadRank },
                      LineCase { "EmptyWord", "\t5", "", Skip::Ignored },
                      LineCase { "EmptyLine", "\r", "", Skip::Ignored }),
    [](const auto &test) { return std::string(test.param.name); });

TEST(DctBuilder, CountsLinesAndDuplicates)
{
    DctBuilder builder;
    for (const char *line : { "Cat", "cat\t3", "", "dog", "CAT" })
        builder.AddUtf8Line(line);
    EXPECT_EQ(builder.stats().linesRead, 4u);
    EXPECT_EQ(builder.stats().wordsKept, 2u);
    EXPECT_EQ(builder.stats().duplicates, 2u);
    EXPECT_EQ(builder.Words(), (std::vector<std::string> { "cat", "dog" }));
}

TEST(DctBuilder, EmptyDictionaryIsHeaderOnly)
{
    EXPECT_EQ(BuildDct({}), DctHeader());
}

// More nodes than the limit (at most 4,194,303) is an error naming both numbers.
TEST(DctBuilder, NodeLimit)
{
    DctBuilder builder;
    for (const char *w : { "an", "at", "i" })
        builder.AddOemWord(w);
    try {
        builder.Build(3);
        FAIL() << "no error for 4 nodes over a limit of 3";
    } catch (const DctBuildError &e) {
        EXPECT_NE(std::string(e.what()).find("need 4 nodes"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("at most 3"), std::string::npos) << e.what();
    }
    EXPECT_EQ(builder.Build(4).size(), 99u);
}

// Random word sets with random ranks always give a file that holds exactly the set.
TEST(DctBuilder, RandomSetsVerify)
{
    std::mt19937 random(20240501);
    TempDir dir;
    for (int round = 0; round < 20; ++round) {
        DctBuilder builder;
        std::set<std::string> words;
        const int count = 1 + int(random() % 400);
        for (int i = 0; i < count; ++i) {
            std::string w(1 + random() % 8, ' ');
            for (char &c : w)
                c = "abcde\x82\xFF"[random() % 7];
            words.insert(w);
            builder.AddOemWord(w, random() % 3 == 0 ? NoRank : uint32_t(random() % 100));
        }
        const std::vector<std::string> expected(words.begin(), words.end());
        EXPECT_EQ(builder.Words(), expected);
        EXPECT_EQ(VerifyReport(dir.write("r.dct", builder.Build()), expected), "")
            << "round " << round;
    }
}

// The check finds every kind of damage, names it, and never hangs or overflows on a cycle.
namespace {

const std::vector<std::string> AnAtI { "an", "at", "i" };

std::string Flipped(std::string bytes, size_t at, char bits)
{
    bytes.at(at) ^= bits;
    return bytes;
}

std::vector<std::string> RunsOfA(size_t longest)
{
    std::vector<std::string> words;
    for (size_t n = 1; n <= longest; ++n)
        words.push_back(std::string(n, 'a'));
    return words;
}

// Many long words, and "q", whose node gets a child list that loops on itself without
// spelling a word: the walk must stop at 50 letters, long before the visit cap.
std::vector<std::string> LongWords()
{
    std::mt19937 random(7);
    std::vector<std::string> words { "q" };
    for (int i = 0; i < 8000; ++i) {
        std::string w(40, ' ');
        for (char &c : w)
            c = char('a' + random() % 16);
        words.push_back(w);
    }
    return words;
}

std::string LongWordsWithLoop()
{
    std::string bytes = BuildDct(LongWords());
    const uint32_t added = uint32_t((bytes.size() - Dct::HeaderSize) / Dct::NodeSize) + 1;
    for (uint32_t index = 1;; ++index) {
        const uint32_t node = NodeAt(bytes, index);
        if (Dct::NodeChar(node) == 'q') {
            const uint32_t patched = node | added;
            for (int i = 0; i < 4; ++i)
                bytes[Dct::HeaderSize + (index - 1) * 4 + size_t(i)] = char(patched >> (8 * i));
            break;
        }
    }
    return bytes + RawDct({ N('r', added, false, true) }).substr(Dct::HeaderSize);
}

struct DamageCase
{
    const char *name;
    std::vector<std::string> words; // what the file should hold
    std::function<std::string()> file;
    const char *report; // part of the expected report
};

class VerifyDctDamage : public ::testing::TestWithParam<DamageCase>
{
};

TEST_P(VerifyDctDamage, IsReported)
{
    TempDir dir;
    const std::string report
        = VerifyReport(dir.write("d.dct", GetParam().file()), GetParam().words);
    EXPECT_NE(report.find(GetParam().report), std::string::npos) << report;
}

INSTANTIATE_TEST_SUITE_P(
    Files, VerifyDctDamage,
    ::testing::Values(
        DamageCase { "MissingWord",
                     { "an", "at", "i", "in" },
                     [] { return BuildDct(AnAtI); },
                     "the word \"in\" is not found" },
        DamageCase {
            "ExtraWord", { "an", "i" }, [] { return BuildDct(AnAtI); }, "extra word \"at\"" },
        DamageCase { "WrongHeader", AnAtI, [] { return Flipped(BuildDct(AnAtI), 5, 1); },
                     "Dictionary Corrupt." },
        DamageCase { "HeaderByteZero", AnAtI, [] { return Flipped(BuildDct(AnAtI), 0, 1); },
                     "header byte 0 is not zero" },
        DamageCase { "HalfNode", AnAtI, [] { return BuildDct(AnAtI) + "\x01"; },
                     "not the header plus whole nodes" },
        DamageCase { "ChildPastEnd", AnAtI,
                     [] {
                         return RawDct({ N('a', 3), N('i', 0, true, true), N('n', 0, true),
                                         N('t', 9, true, true) });
                     },
                     "points to node 9 past the last node" },
        DamageCase { "ListPastEnd", AnAtI,
                     [] {
                         return RawDct({ N('a', 3), N('i', 0, true, true), N('n', 0, true),
                                         N('t', 0, true) });
                     },
                     "runs past the last node" },
        DamageCase { "UnreachedNode", AnAtI,
                     [] {
                         return BuildDct(AnAtI)
                             + RawDct({ N('x', 0, true, true) }).substr(Dct::HeaderSize);
                     },
                     "node 5 is never reached" },
        // the second a spells nothing, but a lookup stopping at it would miss words; a letter
        // held twice is also the only way to spell one word twice
        DamageCase {
            "RepeatedLetter",
            { "a", "ab" },
            [] {
                return RawDct({ N('a', 3, true), N('a', 0, false, true), N('b', 0, true, true) });
            },
            "node 2 repeats a letter" },
        DamageCase { "DeadEnd",
                     { "a" },
                     [] {
                         return RawDct({ N('a', 2, true, true), N('b', 0, false, true) });
                     },
                     "more nodes than the words have letters" },
        DamageCase { "LoopSpellingWords", RunsOfA(50),
                     [] { return RawDct({ N('a', 1, true, true) }); }, "beyond 50 letters" },
        DamageCase { "LoopSpellingNothing", LongWords(), LongWordsWithLoop, "beyond 50 letters" }),
    [](const auto &test) { return std::string(test.param.name); });

} // namespace

TEST(VerifyDct, ReportsEveryFlippedWordEndBit)
{
    const std::vector<std::string> words { "walking", "talking", "walked", "talked", "walk", "a" };
    const std::string good = BuildDct(words);
    TempDir dir;
    EXPECT_EQ(VerifyReport(dir.write("good.dct", good), words), "");
    for (size_t at = Dct::HeaderSize + 2; at < good.size(); at += Dct::NodeSize) {
        std::string bad = good;
        bad[at] ^= 0x40; // bit 22 of the node
        EXPECT_NE(VerifyReport(dir.write("bad.dct", bad), words), "") << "node at byte " << at;
    }
}

TEST(VerifyDct, ReportsMissingFile)
{
    TempDir dir;
    EXPECT_NE(VerifyReport(dir.file("none.dct"), AnAtI).find("Dictionary not found"),
              std::string::npos);
}
