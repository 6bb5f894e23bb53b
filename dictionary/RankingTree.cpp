#include "dictionary/RankingTree.h"

#include "dictionary/DctFormat.h"
#include "dictionary/TDCTFile.h"
#include "dictionary/TDictionary.h"
#include "dictionary/TSuggestList.h"

#include <algorithm>
#include <array>
#include <limits>
#include <string>

namespace {

bool Stopped(const std::atomic<bool> *stop)
{
    return stop && stop->load(std::memory_order_relaxed);
}

// How many nodes the file's letter tree has when spelt out in full, so that the tree is
// made in one allocation rather than grown to twice its size.
uint64_t SpeltOutSize(TDCTFile &file, const std::atomic<bool> *stop)
{
    uint64_t budget = TSuggestList::WalkBudget(file, 0), size = 0;
    auto walk = [&](auto &self, int32_t index, size_t depth) -> void {
        for (; budget > 0 && !Stopped(stop); ++index) {
            --budget;
            const uint32_t node = file.GetNode(index);
            if (Dct::NodeChar(node) == 0)
                return;
            ++size;
            if (Dct::NodeChild(node) != 0 && depth + 1 < Dct::WordMax)
                self(self, int32_t(Dct::NodeChild(node)), depth + 1);
            if (Dct::NodeIsLast(node))
                return;
        }
    };
    walk(walk, 1, 0);
    return size;
}

} // namespace

bool RankingTree::IsBuiltFrom(const TDictionary &dictionary) const
{
    size_t k = 0;
    for (auto *node = dictionary.Files.Head(); node; node = node->Next, ++k) {
        const auto *file = static_cast<const TDCTFile *>(node);
        if (k >= FBuiltFrom.size() || FBuiltFrom[k].file != file
            || FBuiltFrom[k].nodeCount != file->NodeCount())
            return false;
    }
    return k == FBuiltFrom.size() && !FNodes.empty();
}

bool RankingTree::AdoptFor(const TDictionary &dictionary)
{
    std::vector<Source> sources;
    for (auto *node = dictionary.Files.Head(); node; node = node->Next) {
        const auto *file = static_cast<const TDCTFile *>(node);
        const size_t k = sources.size();
        if (k >= FBuiltFrom.size() || FBuiltFrom[k].fileName != file->FileName()
            || FBuiltFrom[k].nodeCount != file->NodeCount())
            return false;
        sources.push_back({ file, file->NodeCount(), file->FileName() });
    }
    if (sources.size() != FBuiltFrom.size() || FNodes.empty())
        return false;
    FBuiltFrom = std::move(sources);
    return true;
}

void RankingTree::Build(const TDictionary &dictionary,
                        const std::function<float(std::string_view word)> &value,
                        const std::atomic<bool> *stop)
{
    constexpr float None = -std::numeric_limits<float>::infinity();
    uint64_t size = 1;
    for (auto *listNode = dictionary.Files.Head(); listNode; listNode = listNode->Next)
        size += SpeltOutSize(*static_cast<TDCTFile *>(listNode), stop);
    FNodes.clear();
    FNodes.reserve(size_t(size));
    FNodes.push_back(Node { 0, 0, None, 0, false });
    FBuiltFrom.clear();
    // The child of node with that letter, made when there is none. A sibling list of a
    // file holds each letter once, so the first file's letters are all new: each is put
    // after the one made before it (lastMade) without a search. Later files search first.
    bool firstFile = true;
    auto childOf = [&](uint32_t node, unsigned char letter, uint32_t &lastMade) {
        uint32_t last = lastMade;
        if (!firstFile) {
            last = 0;
            for (uint32_t c = FNodes[node].firstChild; c != 0; c = FNodes[c].nextSibling) {
                if (FNodes[c].letter == letter)
                    return c;
                last = c;
            }
        }
        const auto index = uint32_t(FNodes.size());
        FNodes.push_back(Node { 0, 0, None, letter, false });
        (last == 0 ? FNodes[node].firstChild : FNodes[last].nextSibling) = index;
        lastMade = index;
        return index;
    };

    // Each file's letter tree spelt out in full; the walk is bounded like the dictionary's
    // own, so a file whose links loop cannot keep it going.
    std::string word;
    for (auto *listNode = dictionary.Files.Head(); listNode; listNode = listNode->Next) {
        auto &file = *static_cast<TDCTFile *>(listNode);
        FBuiltFrom.push_back({ &file, file.NodeCount(), file.FileName() });
        uint64_t budget = TSuggestList::WalkBudget(file, 0);
        auto walk = [&](auto &self, int32_t index, uint32_t at) -> void {
            // The list in alphabetical order, so that value is asked for words in order.
            std::array<uint32_t, 256> list;
            size_t count = 0;
            for (; budget > 0 && count < list.size() && !Stopped(stop); ++index) {
                --budget;
                const uint32_t node = file.GetNode(index);
                if (Dct::NodeChar(node) == 0)
                    break;
                list[count++] = node;
                if (Dct::NodeIsLast(node))
                    break;
            }
            std::sort(list.begin(), list.begin() + std::ptrdiff_t(count),
                      [](uint32_t a, uint32_t b) { return Dct::NodeChar(a) < Dct::NodeChar(b); });
            uint32_t lastMade = 0;
            for (size_t k = 0; k < count; ++k) {
                const uint32_t node = list[k];
                const unsigned char letter = Dct::NodeChar(node);
                word.push_back(char(letter));
                const uint32_t child = childOf(at, letter, lastMade);
                if (Dct::NodeIsWordEnd(node) && !FNodes[child].wordEnd) {
                    FNodes[child].wordEnd = true;
                    FNodes[child].best = value(word);
                }
                if (Dct::NodeChild(node) != 0 && word.size() < Dct::WordMax)
                    self(self, int32_t(Dct::NodeChild(node)), child);
                word.pop_back();
            }
        };
        walk(walk, 1, Root);
        firstFile = false;
    }

    // Every mark carried up from the words below, and each sibling list put in order of
    // its marks, the best first (an insertion sort: lists are short).
    auto order = [&](auto &self, uint32_t index) -> float {
        uint32_t children[256];
        size_t count = 0;
        float best = FNodes[index].best;
        for (uint32_t c = FNodes[index].firstChild; c != 0 && count < 256;
             c = FNodes[c].nextSibling) {
            best = std::max(best, self(self, c));
            size_t at = count++;
            for (; at > 0 && FNodes[children[at - 1]].best < FNodes[c].best; --at)
                children[at] = children[at - 1];
            children[at] = c;
        }
        FNodes[index].best = best;
        FNodes[index].firstChild = count == 0 ? 0 : children[0];
        for (size_t k = 0; k < count; ++k)
            FNodes[children[k]].nextSibling = k + 1 < count ? children[k + 1] : 0;
        return best;
    };
    order(order, Root);
}
