#include "dictionary/DctBuilder.h"

#include "dictionary/TDCTFile.h"
#include "platform/core/CodePages.h"
#include "platform/core/Exceptions.h"
#include "platform/core/FileUtils.h"

#include <algorithm>
#include <bitset>
#include <charconv>
#include <cstring>
#include <optional>
#include <unordered_set>

namespace {

// Lower-cases ASCII and the Latin capitals whose small letter code page 437 has (É, Ä, Ñ,
// also È or Á, whose capitals it lacks). Other characters are left alone.
char32_t ToLowerLatin(char32_t cp)
{
    if (cp >= U'A' && cp <= U'Z')
        return cp + 32;
    char32_t lower = cp;
    if (cp >= 0xC0 && cp <= 0xDE && cp != 0xD7) // Latin-1 capitals; 0xD7 is ×
        lower = cp + 32;
    else if (cp == 0x178) // Ÿ
        lower = 0xFF;
    return lower != cp && CodePages::UnicodeToOem(lower) >= 0 ? lower : cp;
}

// The lower-cased code page 437 form of a UTF-8 word; nothing when the bytes are not valid
// UTF-8 or a character has no place in the code page.
std::optional<std::string> Utf8ToOemLower(std::string_view utf8)
{
    std::u16string units;
    if (!CodePages::DecodeUtf8(utf8, units))
        return std::nullopt;
    std::string oem;
    oem.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t cp = units[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < units.size() && units[i + 1] >= 0xDC00
            && units[i + 1] <= 0xDFFF)
            cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
        const int byte = CodePages::UnicodeToOem(ToLowerLatin(cp));
        if (byte < 0)
            return std::nullopt;
        oem.push_back(static_cast<char>(byte));
    }
    return oem;
}

std::optional<uint32_t> ParseRank(std::string_view text)
{
    uint32_t rank = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), rank);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size()
        || rank == DctBuilder::NoRank)
        return std::nullopt;
    return rank;
}

} // namespace

void DctBuilder::AddUtf8Line(std::string_view line)
{
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty())
        return;
    ++FStats.linesRead;
    uint32_t rank = NoRank;
    if (const size_t tab = line.find('\t'); tab != std::string_view::npos) {
        const std::optional<uint32_t> parsed = ParseRank(line.substr(tab + 1));
        if (!parsed) {
            ++FStats.skippedBadRank;
            return;
        }
        rank = *parsed;
        line = line.substr(0, tab);
    }
    if (line.empty())
        return;
    const std::optional<std::string> word = Utf8ToOemLower(line);
    if (!word)
        ++FStats.skippedCodePage;
    else if (word->ends_with("'s"))
        ++FStats.skippedPossessive;
    else if (word->size() > Dct::WordMax)
        ++FStats.skippedTooLong;
    else
        AddOemWord(*word, rank);
}

void DctBuilder::AddOemWord(std::string_view word, uint32_t rank)
{
    if (word.empty())
        return;
    if (word.size() > Dct::WordMax) {
        ++FStats.skippedTooLong;
        return;
    }
    uint32_t node = 0;
    for (char c : word) {
        const unsigned char letter = static_cast<unsigned char>(c);
        uint32_t child = FTrie[node].firstChild;
        while (child != 0 && FTrie[child].letter != letter)
            child = FTrie[child].nextSibling;
        if (child == 0) {
            child = uint32_t(FTrie.size());
            FTrie.push_back({ .firstChild = 0,
                              .nextSibling = FTrie[node].firstChild,
                              .minRank = NoRank,
                              .letter = letter,
                              .wordEnd = false });
            FTrie[node].firstChild = child;
        }
        node = child;
        FTrie[node].minRank = std::min(FTrie[node].minRank, rank);
    }
    if (FTrie[node].wordEnd) {
        ++FStats.duplicates;
    } else {
        FTrie[node].wordEnd = true;
        ++FStats.wordsKept;
    }
}

std::vector<std::string> DctBuilder::Words() const
{
    std::vector<std::string> words;
    words.reserve(FStats.wordsKept);
    std::string prefix;
    auto walk = [&](auto &self, uint32_t node) -> void {
        std::vector<uint32_t> kids;
        for (uint32_t c = FTrie[node].firstChild; c != 0; c = FTrie[c].nextSibling)
            kids.push_back(c);
        std::sort(kids.begin(), kids.end(),
                  [&](uint32_t a, uint32_t b) { return FTrie[a].letter < FTrie[b].letter; });
        for (uint32_t c : kids) {
            prefix.push_back(static_cast<char>(FTrie[c].letter));
            if (FTrie[c].wordEnd)
                words.push_back(prefix);
            self(self, c);
            prefix.pop_back();
        }
    };
    walk(walk, 0);
    return words;
}

// Reduces the letter tree to its distinct sibling lists, bottom-up: a node is its letter,
// word-end flag and child list; a list is the ordered sequence of its nodes. Equal lists
// get one id, so every node whose children are equal points at one shared list.
class DctBuilder::Minimiser
{
public:
    explicit Minimiser(const std::vector<TrieNode> &trie)
        : FTrie(trie)
        , FIndex(trie.size() / 4 + 16, ListHash { this }, ListEqual { this })
    { }

    // The id of the node's child list, 0 for none. Children are ordered by the smallest
    // rank below them, then by letter.
    uint32_t Reduce(uint32_t node, size_t depth)
    {
        std::vector<uint32_t> &kids = FKids[depth];
        kids.clear();
        for (uint32_t c = FTrie[node].firstChild; c != 0; c = FTrie[c].nextSibling)
            kids.push_back(c);
        if (kids.empty())
            return 0;
        std::sort(kids.begin(), kids.end(), [this](uint32_t a, uint32_t b) {
            const TrieNode &x = FTrie[a], &y = FTrie[b];
            return x.minRank != y.minRank ? x.minRank < y.minRank : x.letter < y.letter;
        });
        std::vector<uint64_t> &keys = FKeys[depth];
        keys.clear();
        for (uint32_t c : kids)
            keys.push_back(Key(FTrie[c].letter, FTrie[c].wordEnd, Reduce(c, depth + 1)));
        return Intern(keys);
    }

    // Places the root list at node 1 and then, depth-first, each child list right after the
    // lists laid out before it, so a lookup's next list tends to share its parent's block.
    // Returns the number of nodes.
    uint32_t LayOut(uint32_t rootList)
    {
        FPosition.assign(ListCount(), 0);
        FNext = 1;
        if (rootList != 0) {
            Place(rootList);
            LayOutChildren(rootList);
        }
        return uint32_t(FNext - 1);
    }

    // The laid-out nodes as file bytes after the header.
    void Write(std::string &out) const
    {
        std::vector<uint32_t> nodes(FNext, 0);
        for (uint32_t list = 1; list < ListCount(); ++list) {
            if (FPosition[list] == 0)
                continue; // not reached from the root: nothing points at it
            const uint64_t *key = &FPool[FStart[list]];
            const size_t length = FStart[list + 1] - FStart[list];
            for (size_t i = 0; i < length; ++i)
                nodes[FPosition[list] + i] = Dct::MakeNode(Letter(key[i]), FPosition[Child(key[i])],
                                                           WordEnd(key[i]), i + 1 == length);
        }
        for (size_t i = 1; i < nodes.size(); ++i)
            for (int shift = 0; shift < 32; shift += 8)
                out.push_back(static_cast<char>((nodes[i] >> shift) & 0xFF));
    }

private:
    static uint64_t Key(unsigned char letter, bool wordEnd, uint32_t childList)
    {
        return uint64_t(childList) << 9 | uint64_t(wordEnd) << 8 | letter;
    }
    static unsigned char Letter(uint64_t key) { return static_cast<unsigned char>(key); }
    static bool WordEnd(uint64_t key) { return (key >> 8) & 1; }
    static uint32_t Child(uint64_t key) { return uint32_t(key >> 9); }

    uint32_t ListCount() const { return uint32_t(FStart.size() - 1); }

    // Adds the list to the pool unless an equal one is there; returns its id.
    uint32_t Intern(const std::vector<uint64_t> &keys)
    {
        const uint32_t id = ListCount();
        FPool.insert(FPool.end(), keys.begin(), keys.end());
        FStart.push_back(FPool.size());
        const auto [it, inserted] = FIndex.insert(id);
        if (!inserted) {
            FStart.pop_back();
            FPool.resize(FStart.back());
        }
        return *it;
    }

    void Place(uint32_t list)
    {
        FPosition[list] = FNext;
        FNext += FStart[list + 1] - FStart[list];
    }

    void LayOutChildren(uint32_t list)
    {
        for (size_t i = FStart[list]; i < FStart[list + 1]; ++i) {
            const uint32_t child = Child(FPool[i]);
            if (child != 0 && FPosition[child] == 0) {
                Place(child);
                LayOutChildren(child);
            }
        }
    }

    struct ListHash
    {
        const Minimiser *m;
        size_t operator()(uint32_t id) const
        {
            uint64_t h = 0xcbf29ce484222325ULL;
            for (size_t i = m->FStart[id]; i < m->FStart[id + 1]; ++i)
                h = (h ^ m->FPool[i]) * 0x100000001b3ULL ^ (h >> 29);
            return size_t(h);
        }
    };
    struct ListEqual
    {
        const Minimiser *m;
        bool operator()(uint32_t a, uint32_t b) const
        {
            const auto &s = m->FStart;
            return std::equal(m->FPool.begin() + s[a], m->FPool.begin() + s[a + 1],
                              m->FPool.begin() + s[b], m->FPool.begin() + s[b + 1]);
        }
    };

    const std::vector<TrieNode> &FTrie;
    std::vector<uint64_t> FPool; // the nodes of every distinct list, list after list
    std::vector<size_t> FStart { 0, 0 }; // list id -> first entry in FPool; id 0 is empty
    std::unordered_set<uint32_t, ListHash, ListEqual> FIndex;
    std::vector<uint32_t> FKids[Dct::WordMax + 1]; // scratch per tree depth
    std::vector<uint64_t> FKeys[Dct::WordMax + 1];
    std::vector<size_t> FPosition; // list id -> index of its first node, 0 = not placed
    size_t FNext = 1;
};

std::string DctBuilder::Build(uint32_t nodeLimit)
{
    nodeLimit = std::min(nodeLimit, Dct::MaxNodes);
    Minimiser minimiser(FTrie);
    const uint32_t root = minimiser.Reduce(0, 0);
    const uint32_t nodes = minimiser.LayOut(root);
    if (nodes > nodeLimit)
        throw DctBuildError("too many nodes: the words need " + std::to_string(nodes)
                            + " nodes, a dictionary file holds at most "
                            + std::to_string(nodeLimit));
    std::string bytes(Dct::HeaderSize, '\0');
    std::memcpy(bytes.data() + Dct::IdentOffset, Dct::Ident, Dct::IdentSize);
    bytes.reserve(Dct::HeaderSize + size_t(nodes) * Dct::NodeSize);
    minimiser.Write(bytes);
    FStats.nodes = nodes;
    return bytes;
}

std::string BuildDct(const std::vector<std::string> &oemWords)
{
    DctBuilder builder;
    for (const std::string &word : oemWords)
        builder.AddOemWord(word);
    return builder.Build();
}

namespace {

// Walks every path of an opened file, collecting the words it spells and stopping at the
// first fault. Untrusted: indices are checked, depth is capped (a cycle ends), and the
// number of visits is capped by the letters of the expected words (a graph that branches
// without spelling words cannot run long).
class DctWalker
{
public:
    DctWalker(TDCTFile &file, const std::vector<std::string> &expected)
        : FFile(file)
        , FExpected(expected)
        , FFound(expected.size(), false)
        , FReached(size_t(file.NodeCount()) + 1, false)
    {
        for (const std::string &word : expected)
            FBudget += word.size();
    }

    std::string Run()
    {
        if (FFile.NodeCount() > 0)
            WalkList(1);
        if (!FError.empty())
            return FError;
        for (size_t i = 0; i < FExpected.size(); ++i)
            if (!FFound[i])
                return "the walk misses the word \"" + CodePages::OemToUtf8(FExpected[i]) + "\"";
        for (size_t i = 1; i < FReached.size(); ++i)
            if (!FReached[i])
                return "node " + std::to_string(i) + " is never reached";
        return {};
    }

private:
    void WalkList(uint32_t index)
    {
        std::bitset<256> letters; // a repeated letter would hide words from lookups
        for (;; ++index) {
            if (FVisits++ >= FBudget)
                return Fail("the walk visits more nodes than the words have letters (node "
                            + Num(index) + " leads to no word or is reached too often)");
            FReached[index] = true;
            const uint32_t node = FFile.GetNode(int32_t(index));
            if (letters.test(Dct::NodeChar(node)))
                return Fail("node " + Num(index) + " repeats a letter of its sibling list");
            letters.set(Dct::NodeChar(node));
            FPrefix.push_back(static_cast<char>(Dct::NodeChar(node)));
            if (Dct::NodeIsWordEnd(node))
                Produce();
            const uint32_t child = Dct::NodeChild(node);
            // Opening the file checked that every list ends and every child is inside it.
            if (FError.empty() && child != 0) {
                if (FPrefix.size() >= Dct::WordMax)
                    Fail("node " + Num(index) + " continues a path beyond " + Num(Dct::WordMax)
                         + " letters (a cycle?)");
                else
                    WalkList(child);
            }
            FPrefix.pop_back();
            if (!FError.empty() || Dct::NodeIsLast(node))
                return;
        }
    }

    void Produce()
    {
        const auto it = std::lower_bound(FExpected.begin(), FExpected.end(), FPrefix);
        if (it == FExpected.end() || *it != FPrefix)
            return Fail("the walk finds the extra word \"" + Shown() + "\"");
        // Two paths spelling one word must part at a list holding a letter twice, which
        // WalkList reports first; so each word is produced at most once.
        FFound[size_t(it - FExpected.begin())] = true;
    }

    void Fail(const std::string &message)
    {
        if (FError.empty())
            FError = message;
    }
    static std::string Num(uint64_t n) { return std::to_string(n); }
    std::string Shown() const { return CodePages::OemToUtf8(FPrefix); }

    TDCTFile &FFile;
    const std::vector<std::string> &FExpected;
    std::vector<bool> FFound;
    std::vector<bool> FReached;
    std::string FPrefix;
    std::string FError;
    size_t FBudget = 0;
    size_t FVisits = 0;
};

// The first difference between the file and the sorted, distinct words; empty when none.
std::string FirstDifference(const std::string &dctPath, const std::vector<std::string> &expected)
{
    TDCTFile file(dctPath);
    const int64_t size = FileUtils::FileSize(dctPath);
    if (size < 0 || (uint64_t(size) - Dct::HeaderSize) % Dct::NodeSize != 0)
        return "the size " + std::to_string(size) + " is not the header plus whole nodes";
    const auto &header = file.Header();
    for (size_t i = 0; i < header.size(); ++i)
        if (header[i] != 0 && (i < Dct::IdentOffset || i >= Dct::IdentOffset + Dct::IdentSize))
            return "header byte " + std::to_string(i) + " is not zero";
    for (const std::string &word : expected)
        if (!file.ContainsWord(word))
            return "the word \"" + CodePages::OemToUtf8(word) + "\" is not found";
    return DctWalker(file, expected).Run();
}

} // namespace

void VerifyDct(const std::string &dctPath, const std::vector<std::string> &oemWords)
{
    std::vector<std::string> expected(oemWords);
    std::sort(expected.begin(), expected.end());
    expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
    std::string problem;
    try {
        problem = FirstDifference(dctPath, expected);
    } catch (const TEDictionaryCorrupt &e) {
        problem = e.Detail.empty() ? e.Message() : e.Detail;
    } catch (const std::exception &e) { // the file does not open
        problem = e.what();
    }
    if (!problem.empty())
        throw DctVerifyError(dctPath + ": " + problem);
}
