#include "app/Anchors.h"

namespace {

// One axis: start and length of a child for the parent's new length.
void Place(int start, int length, int designedParent, int nowParent, bool nearEdge, bool farEdge,
           int &outStart, int &outLength)
{
    const int farGap = designedParent - (start + length);
    if (nearEdge && farEdge) {
        outStart = start;
        outLength = std::max(0, nowParent - start - farGap);
    } else if (farEdge) {
        outStart = nowParent - farGap - length;
        outLength = length;
    } else if (nearEdge) {
        outStart = start;
        outLength = length;
    } else {
        const double centre = (start + length / 2.0) / std::max(1, designedParent);
        outStart = int(centre * nowParent - length / 2.0 + 0.5);
        outLength = length;
    }
}

} // namespace

void TAnchors::Add(QWidget *child, const QRect &designed, int anchors, QSize parentDesigned)
{
    FEntries.push_back({ child, designed, anchors, parentDesigned });
    child->setGeometry(designed);
}

void TAnchors::Apply(QSize parentNow) const
{
    for (const Entry &e : FEntries) {
        int x, w, y, h;
        Place(e.designed.x(), e.designed.width(), e.parent.width(), parentNow.width(),
              e.anchors & akLeft, e.anchors & akRight, x, w);
        Place(e.designed.y(), e.designed.height(), e.parent.height(), parentNow.height(),
              e.anchors & akTop, e.anchors & akBottom, y, h);
        e.child->setGeometry(x, y, w, h);
    }
}
