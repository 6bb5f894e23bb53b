#include "platform/core/TComponent.h"

#include <algorithm>

TComponent::TComponent(TComponent *owner)
    : FOwner(owner)
{
    if (FOwner)
        FOwner->FComponents.push_back(this);
}

TComponent::~TComponent()
{
    // Last created first, so later components never outlive what they were built on.
    while (!FComponents.empty()) {
        TComponent *child = FComponents.back();
        FComponents.pop_back();
        child->FOwner = nullptr;
        delete child;
    }
    if (FOwner) {
        auto &list = FOwner->FComponents;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}
