#pragma once
// The words of the dictionary's files in a letter tree of the children's ranking's own,
// every node marked with the highest value of a word at or below it, and the children of
// every node ordered by that mark, best first. A walk of the tree that looks for the best
// candidate can then leave a branch, and all its later siblings, as soon as the mark says
// no word there can beat the best found so far. A .DCT file shares the endings of its
// words between branches, so its nodes cannot carry such a mark.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TDictionary;

class RankingTree
{
public:
    struct Node
    {
        uint32_t firstChild; // 0: none (the root, node 0, is nobody's child)
        uint32_t nextSibling; // 0: the last of its siblings
        float best; // the highest value of a word at or below this node
        unsigned char letter;
        bool wordEnd;
    };
    static constexpr uint32_t Root = 0;

    // The tree of every word of the dictionary's files (lower case, code page 437);
    // value(word) is the word's value. A stop that becomes true ends the build early,
    // with a partial tree (for a build on another thread that is no longer wanted).
    void Build(const TDictionary &dictionary,
               const std::function<float(std::string_view word)> &value,
               const std::atomic<bool> *stop = nullptr);
    // Whether the tree was built from the files the dictionary has open now.
    bool IsBuiltFrom(const TDictionary &dictionary) const;
    // Takes dictionary for the one the tree was built from when it has the same files
    // open (the same names and sizes), so that a tree built through another reader of
    // those files serves it; false, with nothing changed, when the files differ.
    bool AdoptFor(const TDictionary &dictionary);

    const Node &operator[](uint32_t index) const { return FNodes[index]; }
    size_t Size() const { return FNodes.size(); }

private:
    std::vector<Node> FNodes;
    // The files the tree was built from.
    struct Source
    {
        const void *file;
        uint32_t nodeCount;
        std::string fileName;
    };
    std::vector<Source> FBuiltFrom;
};
