#pragma once
// Builds .DCT dictionary files: collects words, shares common endings (a minimal letter
// graph), orders each sibling list, lays the nodes out with each child list close to its
// parent, and writes the file bytes.

#include "dictionary/DctFormat.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

class DctBuildError : public std::runtime_error
{
    using std::runtime_error::runtime_error;
};

// A built file that does not hold exactly its words (VerifyDct); the message names the file
// and the first difference.
class DctVerifyError : public DctBuildError
{
    using DctBuildError::DctBuildError;
};

class DctBuilder
{
public:
    static constexpr uint32_t NoRank = UINT32_MAX;

    struct Stats
    {
        size_t linesRead = 0; // non-empty input lines
        size_t wordsKept = 0; // distinct words in the dictionary
        size_t duplicates = 0; // lines that repeated a word already added
        size_t skippedCodePage = 0; // invalid UTF-8 or a character outside code page 437
        size_t skippedTooLong = 0; // more than 50 letters
        size_t skippedPossessive = 0; // ending in 's, which lookups strip anyway
        size_t skippedBadRank = 0; // text after the tab that is not a decimal rank
        uint32_t nodes = 0; // nodes written by the last Build
    };

    // One input line in UTF-8: "word" or "word<TAB>rank" (smaller rank = more common).
    // A trailing CR is dropped. The word is lower-cased and converted to code page 437;
    // words that cannot be, or are longer than 50 letters, or end in "'s", are skipped and
    // counted (each under the first of those reasons that applies). A rank that is not a
    // decimal number below NoRank skips the line and counts it in skippedBadRank.
    void AddUtf8Line(std::string_view line);
    // A word already in code page 437, taken byte for byte (no case change, no skipping
    // beyond the 50-letter limit). A repeated word keeps its smallest rank.
    void AddOemWord(std::string_view word, uint32_t rank = NoRank);

    // The whole .DCT file. Sibling lists are ordered by the smallest rank below each node,
    // then by letter. Raises DctBuildError when the words need more than nodeLimit nodes
    // (at most 4,194,303, the largest index a node can hold; smaller limits are for tests).
    std::string Build(uint32_t nodeLimit = Dct::MaxNodes);

    const Stats &stats() const { return FStats; }
    // The distinct words added so far, in code page 437, sorted by byte value.
    std::vector<std::string> Words() const;

private:
    // One letter of the plain letter tree; index 0 is the root, which holds no letter.
    struct TrieNode
    {
        uint32_t firstChild = 0; // 0 = none
        uint32_t nextSibling = 0; // 0 = none
        uint32_t minRank = NoRank; // smallest rank of any word at or below this node
        unsigned char letter = 0;
        bool wordEnd = false;
    };
    class Minimiser; // turns the tree into distinct sibling lists and lays them out

    std::vector<TrieNode> FTrie { TrieNode {} };
    Stats FStats;
};

// Convenience for tests and tools: a .DCT file holding exactly these code page 437 words.
std::string BuildDct(const std::vector<std::string> &oemWords);

// Checks a built file against its word set: the file opens, every word is found by an
// exact lookup, and a full walk of the tree yields exactly the set, each word once, with
// every node reached. Raises DctVerifyError, describing the first difference, otherwise.
void VerifyDct(const std::string &dctPath, const std::vector<std::string> &oemWords);
