#include "dictionary/TLinkedList.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A node that records its destruction, so ownership can be checked.
struct CountedNode : TLinkedListNode
{
    CountedNode(int nodeId, std::vector<int> &freedIds)
        : id(nodeId)
        , freed(freedIds)
    { }
    ~CountedNode() override { freed.push_back(id); }
    int id;
    std::vector<int> &freed;
};

class LinkedList : public ::testing::Test
{
protected:
    CountedNode *node(int id) { return new CountedNode(id, freed); }
    std::vector<int> ids(const TLinkedList &list)
    {
        std::vector<int> out;
        for (auto *n = list.Head(); n; n = n->Next)
            out.push_back(static_cast<CountedNode *>(n)->id);
        if (list.Head()) {
            EXPECT_EQ(list.Tail()->Next, nullptr);
        }
        EXPECT_EQ(int(out.size()), list.Count());
        return out;
    }
    std::vector<int> freed;
};

TEST_F(LinkedList, AppendAndPrependKeepHeadTailAndCount)
{
    TLinkedList list;
    list.Append(node(2));
    list.Prepend(node(1));
    list.Append(node(3));
    list.Append(nullptr);
    list.Prepend(nullptr);
    EXPECT_EQ(ids(list), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(static_cast<CountedNode *>(list.Tail())->id, 3);
}

TEST_F(LinkedList, RemovingTheOnlyNodeEmptiesTheList)
{
    TLinkedList list;
    auto *only = node(1);
    list.Append(only);
    list.Remove(only);
    EXPECT_EQ(list.Head(), nullptr);
    EXPECT_EQ(list.Tail(), nullptr);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(freed.empty()) << "Remove hands the node back unfreed";
    delete only;
}

TEST_F(LinkedList, RemovingTheTailMovesItBackAndAppendLinksAfterIt)
{
    TLinkedList list;
    list.Append(node(1));
    list.Append(node(2));
    auto *tail = node(3);
    list.Append(tail);
    list.Remove(tail);
    EXPECT_EQ(static_cast<CountedNode *>(list.Tail())->id, 2);
    list.Append(node(4));
    EXPECT_EQ(ids(list), (std::vector<int> { 1, 2, 4 }));
    delete tail;
}

TEST_F(LinkedList, InsertBeforeHeadNullOrMiddle)
{
    TLinkedList list;
    list.InsertBefore(nullptr, node(3)); // empty list: becomes head and tail
    EXPECT_EQ(list.Head(), list.Tail());
    list.InsertBefore(list.Head(), node(1));
    list.InsertBefore(list.Tail(), node(2));
    EXPECT_EQ(ids(list), (std::vector<int> { 1, 2, 3 }));
    EXPECT_EQ(list.Previous(list.Tail()), list.Head()->Next);
    EXPECT_EQ(list.Previous(list.Head()), nullptr);
}

TEST_F(LinkedList, NodesOfAnotherListAreNeitherLinkedNorFreed)
{
    TLinkedList list, other;
    list.Append(node(1));
    auto *foreign = node(9);
    other.Append(foreign);
    list.InsertBefore(foreign, node(2)); // foreign is not in list: nothing happens...
    list.Remove(foreign);
    list.Delete(foreign);
    EXPECT_EQ(ids(list), (std::vector<int> { 1 }));
    EXPECT_EQ(ids(other), (std::vector<int> { 9 }));
    EXPECT_EQ(freed, (std::vector<int> { 2 })) << "only the refused new node may be freed by us";
}

TEST_F(LinkedList, DestroyingFreesEveryNodeExactlyOnce)
{
    {
        TLinkedList list;
        for (int i = 1; i <= 5; ++i)
            list.Append(node(i));
        list.Delete(list.Head()->Next);
        EXPECT_EQ(freed, (std::vector<int> { 2 }));
    }
    EXPECT_EQ(freed, (std::vector<int> { 2, 1, 3, 4, 5 }));
}

} // namespace
