#pragma once
// Keeps child widgets placed as designed when their parent grows: each child keeps its
// distance to the parent edges it is anchored to, and a child anchored to neither side of
// an axis keeps its centre at the same fraction of the parent's size.

#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

enum TAnchor { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

class TAnchors
{
public:
    // Records child's designed geometry against the parent's designed client size.
    void Add(QWidget *child, const QRect &designed, int anchors, QSize parentDesigned);
    // Places every child for the parent's current client size.
    void Apply(QSize parentNow) const;

private:
    struct Entry
    {
        QWidget *child;
        QRect designed;
        int anchors;
        QSize parent;
    };
    std::vector<Entry> FEntries;
};
