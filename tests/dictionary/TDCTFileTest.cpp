#include "dictionary/TDCTFile.h"

#include "dictionary/DctBuilder.h"
#include "platform/core/Exceptions.h"
#include "tests/support/RawDct.h"
#include "tests/support/TempDir.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>
#include <unistd.h>

namespace {

// The three words an, at and i, as the file format's reference example lays them out.
const std::string AnAtI
    = RawDct({ N('a', 3), N('i', 0, true, true), N('n', 0, true), N('t', 0, true, true) });

TEST(DCTFile, ReferenceFileIsNinetyNineBytesAndHoldsItsWords)
{
    ASSERT_EQ(AnAtI.size(), 99u);
    const std::string tail = AnAtI.substr(83);
    EXPECT_EQ(tail,
              std::string("\x03\x00\x00\x61\x00\x00\xC0\x69\x00\x00\x40\x6E\x00\x00\xC0\x74", 16));
    TempDir dir;
    TDCTFile file(dir.write("t.dct", AnAtI));
    EXPECT_EQ(file.NodeCount(), 4u);
    EXPECT_EQ(file.CurrentBlock(), 0);
    for (const char *word : { "an", "at", "i" })
        EXPECT_TRUE(file.ContainsWord(word)) << word;
    // A beginning of a word, the empty word, letters past a leaf, upper case, unknown letters.
    for (const char *word : { "a", "", "ant", "atx", "AN", "x", "in", "n" })
        EXPECT_FALSE(file.ContainsWord(word)) << word;
}

TEST(DCTFile, OnlyTheFiftyIdentificationBytesAreChecked)
{
    TempDir dir;
    std::string bytes = AnAtI;
    bytes[0] = 'Z';
    for (size_t i = 51; i < 83; ++i)
        bytes[i] = char(0xA5);
    EXPECT_NO_THROW(TDCTFile(dir.write("loose.dct", bytes)));

    for (size_t i : { size_t(1), size_t(43), size_t(44), size_t(50) }) {
        std::string broken = AnAtI;
        broken[i] ^= 0x01; // a letter of the text, or one of the seven zero bytes after it
        const std::string path = dir.write("broken.dct", broken);
        try {
            TDCTFile file(path);
            ADD_FAILURE() << "byte " << i << " changed but the file opened";
        } catch (const TEDictionaryCorrupt &e) {
            EXPECT_STREQ(e.what(), "Dictionary Corrupt.");
        }
    }
}

TEST(DCTFile, MissingShortAndUnreadableFilesRaiseTheirErrors)
{
    TempDir dir;
    try {
        TDCTFile file(dir.file("none.dct"));
        ADD_FAILURE();
    } catch (const EFOpenError &e) {
        EXPECT_EQ(e.Message(), "Dictionary not found: " + dir.file("none.dct") + ".");
    }
    EXPECT_THROW(TDCTFile(dir.write("short.dct", AnAtI.substr(0, 82))), EInOutError);
    EXPECT_THROW(TDCTFile(dir.write("empty.dct", "")), EInOutError);
}

TEST(DCTFile, NodesMapToBlocksAndSlots)
{
    // 130 nodes: a root list of 129 letters (the last one marked), each its own word.
    std::vector<uint32_t> nodes;
    for (int i = 1; i <= 130; ++i)
        nodes.push_back(N(char(i), 0, true, i == 130));
    TempDir dir;
    TDCTFile file(dir.write("blocks.dct", RawDct(nodes)));
    EXPECT_EQ(Dct::NodeChar(file.GetNode(128)), 128); // slot 127 of block 0
    EXPECT_EQ(file.CurrentBlock(), 0);
    EXPECT_EQ(Dct::NodeChar(file.GetNode(129)), 129); // slot 0 of block 1, offset 83 + 512
    EXPECT_EQ(file.CurrentBlock(), 1);
    EXPECT_EQ(Dct::NodeChar(file.GetNode(130)), 130); // a last block of two nodes reads fine
    EXPECT_EQ(Dct::NodeChar(file.GetNode(1)), 1);
    EXPECT_EQ(file.CurrentBlock(), 0);
}

// A sibling scan reads node after node across block ends, from any start, and gives the
// first node with the letter or else the list's last node.
TEST(DCTFile, SiblingScansCrossBlockEnds)
{
    // One root list of 300 letters 1..255, 1..45 (the second run is never reached).
    std::vector<uint32_t> nodes;
    for (int i = 1; i <= 300; ++i)
        nodes.push_back(N(char(i <= 255 ? i : i - 255), 0, true, i == 300));
    TempDir dir;
    TDCTFile file(dir.write("scan.dct", RawDct(nodes)));
    const struct
    {
        int32_t start;
        unsigned char letter;
        uint32_t expected; // the node found
    } cases[] = {
        { 1, 1, nodes[0] },       { 1, 128, nodes[127] },  { 1, 129, nodes[128] },
        { 1, 255, nodes[254] },   { 1, 40, nodes[39] },    { 100, 3, nodes[257] },
        { 129, 128, nodes[299] }, { 257, 45, nodes[299] }, { 300, 7, nodes[299] },
    };
    for (const auto &c : cases)
        EXPECT_EQ(file.FindSibling(c.start, c.letter), c.expected)
            << "from " << c.start << " for " << int(c.letter);
    EXPECT_TRUE(file.ContainsWord(std::string(1, char(200))));
    EXPECT_FALSE(file.ContainsWord(std::string(1, char(0))));
}

TEST(DCTFile, IndexesOutsideTheFileReadAsAnEmptyLastNode)
{
    TempDir dir;
    std::string bytes = AnAtI + std::string("\x01\x02", 2); // a torn node at the end
    TDCTFile file(dir.write("t.dct", bytes));
    EXPECT_EQ(file.NodeCount(), 4u);
    for (int32_t index : { 0, -1, 5, 129, 4194303 }) {
        const uint32_t node = file.GetNode(index);
        EXPECT_TRUE(Dct::NodeIsLast(node)) << index;
        EXPECT_EQ(Dct::NodeChild(node), 0u) << index;
        EXPECT_EQ(Dct::NodeChar(node), 0) << index;
    }
    // The node after the last one must not show stale buffer contents.
    EXPECT_EQ(file.GetNode(4), N('t', 0, true, true));
}

// Two thousand random words: a file of many pages, so that most words' nodes lie far
// from its start.
std::vector<std::string> ManyWords()
{
    std::mt19937 random(5);
    std::vector<std::string> words;
    for (int i = 0; i < 2000; ++i) {
        std::string w(8, ' ');
        for (char &c : w)
            c = char('a' + random() % 26);
        words.push_back(w);
    }
    return words;
}

TEST(DCTFile, AFileReplacedWhileOpenChangesNothingItAnswers)
{
    const std::vector<std::string> words = ManyWords();
    TempDir dir;
    const std::string path = dir.write("big.dct", BuildDct(words));
    ASSERT_GT(dir.read("big.dct").size(), 32768u);
    TDCTFile file(path);
    // What copying a smaller dictionary over it does: the same file, cut and rewritten.
    dir.write("big.dct", AnAtI);
    for (const std::string &word : words)
        ASSERT_TRUE(file.ContainsWord(word)) << word;
    EXPECT_FALSE(file.ContainsWord("an"));
}

// Damage that no lookup could get past: the file is refused as corrupt when it is opened.
TEST(DCTFile, DamagedFilesAreCorrupt)
{
    const std::string good = BuildDct(ManyWords());
    const size_t nodesEnd = good.size();
    auto withBlock = [&](char byte) {
        std::string bytes = good;
        std::fill_n(bytes.begin() + ptrdiff_t(nodesEnd / 2), 512, byte);
        return bytes;
    };
    const struct
    {
        const char *name;
        std::string bytes;
    } cases[] = {
        { "header only", good.substr(0, Dct::HeaderSize) },
        { "cut to half", good.substr(0, nodesEnd / 2) },
        { "cut to half, whole nodes",
          good.substr(0, Dct::HeaderSize + (nodesEnd - Dct::HeaderSize) / 8 * 4) },
        { "block of 0xFF", withBlock(char(0xFF)) },
        { "block of zeros", withBlock(0) },
        { "list past the end", RawDct({ N('a', 0, true), N('b', 0, true) }) },
        { "child past the end", RawDct({ N('a', 3, true, true), N('b', 0, true, true) }) },
    };
    TempDir dir;
    for (const auto &c : cases) {
        try {
            TDCTFile file(dir.write("d.dct", c.bytes));
            ADD_FAILURE() << c.name << ": opened";
        } catch (const TEDictionaryCorrupt &e) {
            EXPECT_STREQ(e.what(), "Dictionary Corrupt.") << c.name;
        }
    }
    EXPECT_NO_THROW(TDCTFile(dir.write("good.dct", good)));
}

TEST(DCTFile, AFileLargerThanAnyDictionaryIsRefused)
{
    TempDir dir;
    const std::string path = dir.write("huge.dct", BuildDct({ "a" }));
    ASSERT_EQ(::truncate(path.c_str(), off_t(TDCTFile::MaxFileSize + 1)), 0); // sparse
    EXPECT_THROW(TDCTFile file(path), TEDictionaryCorrupt);
}

TEST(DCTFile, WordsAreCutToFiftyLetters)
{
    const std::string fifty(50, 'q');
    TempDir dir;
    const std::string path = dir.write("long.dct", BuildDct({ fifty }));
    TDCTFile file(path);
    EXPECT_TRUE(file.ContainsWord(fifty));
    EXPECT_TRUE(file.ContainsWord(fifty + "xyz"));
    EXPECT_FALSE(file.ContainsWord(fifty.substr(0, 49)));
}

TEST(DCTFile, CloseFileTwiceIsHarmless)
{
    TempDir dir;
    TDCTFile file(dir.write("t.dct", AnAtI));
    file.CloseFile();
    file.CloseFile();
    EXPECT_EQ(file.GetNode(1), Dct::MissingNode);
}

} // namespace
