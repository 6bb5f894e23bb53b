#include "dictionary/TLinkedList.h"

TLinkedList::~TLinkedList()
{
    Clear();
}

void TLinkedList::Append(TLinkedListNode *node)
{
    if (!node)
        return;
    node->Next = nullptr;
    if (FTail)
        FTail->Next = node;
    else
        FHead = node;
    FTail = node;
    ++FCount;
}

void TLinkedList::Prepend(TLinkedListNode *node)
{
    if (!node)
        return;
    node->Next = FHead;
    FHead = node;
    if (!FTail)
        FTail = node;
    ++FCount;
}

void TLinkedList::InsertBefore(TLinkedListNode *node, TLinkedListNode *newNode)
{
    if (!newNode)
        return;
    if (!node || node == FHead) {
        Prepend(newNode);
        return;
    }
    TLinkedListNode *previous = Previous(node);
    if (!previous) {
        delete newNode; // node is not in this list; the new node was handed over, so free it
        return;
    }
    newNode->Next = node;
    previous->Next = newNode;
    ++FCount;
}

TLinkedListNode *TLinkedList::Previous(TLinkedListNode *node) const
{
    if (!node || node == FHead)
        return nullptr;
    for (TLinkedListNode *p = FHead; p; p = p->Next) {
        if (p->Next == node)
            return p;
    }
    return nullptr;
}

TLinkedListNode *TLinkedList::Next(TLinkedListNode *node) const
{
    return node ? node->Next : nullptr;
}

bool TLinkedList::Contains(const TLinkedListNode *node) const
{
    for (const TLinkedListNode *p = FHead; p; p = p->Next) {
        if (p == node)
            return true;
    }
    return false;
}

void TLinkedList::Remove(TLinkedListNode *node)
{
    if (!node)
        return;
    if (node == FHead) {
        FHead = node->Next;
        if (FTail == node)
            FTail = nullptr;
    } else {
        TLinkedListNode *previous = Previous(node);
        if (!previous)
            return; // not in this list
        previous->Next = node->Next;
        if (FTail == node)
            FTail = previous;
    }
    node->Next = nullptr;
    --FCount;
}

void TLinkedList::Delete(TLinkedListNode *node)
{
    if (!node || (node != FHead && !Contains(node)))
        return; // never free a node this list does not own
    Remove(node);
    delete node;
}

void TLinkedList::Clear()
{
    while (FHead)
        Delete(FHead);
}
