#pragma once
// The engine's small intrusive singly linked list. Elements derive from TLinkedListNode;
// the list owns them and frees them through their virtual destructor.

#include <cstdint>

class TLinkedListNode
{
public:
    TLinkedListNode() = default;
    TLinkedListNode(const TLinkedListNode &) = delete;
    TLinkedListNode &operator=(const TLinkedListNode &) = delete;
    virtual ~TLinkedListNode() = default;

    TLinkedListNode *Next = nullptr;
};

class TLinkedList
{
public:
    TLinkedList() = default;
    TLinkedList(const TLinkedList &) = delete;
    TLinkedList &operator=(const TLinkedList &) = delete;
    virtual ~TLinkedList(); // frees every node

    TLinkedListNode *Head() const { return FHead; }
    TLinkedListNode *Tail() const { return FTail; }
    int32_t Count() const { return FCount; }

    // Links node after the tail and takes ownership. A null node is ignored.
    void Append(TLinkedListNode *node);
    // Links node before the head and takes ownership. A null node is ignored.
    void Prepend(TLinkedListNode *node);
    // Links newNode before node (before the head when node is null or the head) and takes
    // ownership. When node is not in the list newNode is not linked, and is freed.
    void InsertBefore(TLinkedListNode *node, TLinkedListNode *newNode);
    // The node whose successor is node; null for null, the head, or a node not in the list.
    TLinkedListNode *Previous(TLinkedListNode *node) const;
    virtual TLinkedListNode *Next(TLinkedListNode *node) const;
    // Unlinks node and hands it back to the caller, who then owns it. Nothing happens
    // for null or a node not in the list.
    void Remove(TLinkedListNode *node);
    // Unlinks node and frees it.
    void Delete(TLinkedListNode *node);
    // Frees every node, head first.
    virtual void Clear();

private:
    bool Contains(const TLinkedListNode *node) const;

    TLinkedListNode *FHead = nullptr;
    TLinkedListNode *FTail = nullptr;
    int32_t FCount = 0;
};
