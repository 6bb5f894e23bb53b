#pragma once
// Ownership as the window framework has it: a component is created with an owner, and an
// owner destroys the components it still owns when it is destroyed itself. A component
// destroyed earlier leaves its owner's list.

#include <vector>

class TComponent
{
public:
    explicit TComponent(TComponent *owner);
    virtual ~TComponent();
    TComponent(const TComponent &) = delete;
    TComponent &operator=(const TComponent &) = delete;

    TComponent *Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent *Component(int index) const { return FComponents.at(index); }

private:
    TComponent *FOwner;
    std::vector<TComponent *> FComponents;
};
