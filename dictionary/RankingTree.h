#pragma once
// The words of the dictionary's files in a letter tree of the children's ranking's own,
// every node marked with the highest value of a word at or below it, and the children of
// every node ordered by that mark, best first. A walk of the tree that looks for the best
// candidate can then leave a branch, and all its later siblings, as soon as the mark says
// no word there can beat the best found so far. A .DCT file shares the endings of its
// words between branches, so its nodes cannot carry such a mark.

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>
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
    // value(word) is the word's value.
    void Build(const TDictionary &dictionary,
               const std::function<float(std::string_view word)> &value);
    // Whether the tree was built from the files the dictionary has open now.
    bool IsBuiltFrom(const TDictionary &dictionary) const;

    const Node &operator[](uint32_t index) const { return FNodes[index]; }
    size_t Size() const { return FNodes.size(); }

private:
    std::vector<Node> FNodes;
    // The files the tree was built from, with their node counts.
    std::vector<std::pair<const void *, uint32_t>> FBuiltFrom;
};
