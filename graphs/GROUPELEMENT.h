// GROUPELEMENT: a group of elements that draws, moves and scales them
// together (the axis scale SKALA is one). Its logical rectangle is the union
// of its children's, widened as children are added or placed.
//
// Ownership: the group owns its children and deletes them, last first.
#pragma once

#include "graphs/element.h"

class GROUPELEMENT : public element
{
public:
    GROUPELEMENT();
    ~GROUPELEMENT() override;

    void Draw() override;
    void Move(int dx, int dy) override;
    void SetEnd(double fx, double fy) override;
    void SetSize(int w, int h) override;
    void Attach(GRAPHWIN *window) override;

    // Attaches, numbers and appends the child, measures a text child and
    // widens the group by it.
    void AddElement(element *child);
    // Widens the logical rectangle to include the child's; a change makes
    // the group stale with its reference rectangle the new one.
    void Widen(const element *child);
    const GROBJ_LIST &Children() const { return children; }

private:
    GROBJ_LIST children;
};

// A group whose children draw only inside a logical rectangle (a cell of a
// matrix of plots): what a child would draw beyond it is cut off, on the
// screen, the printer and in metafiles alike.
class CLIPGROUPELEMENT : public GROUPELEMENT
{
public:
    explicit CLIPGROUPELEMENT(const ElementRect &clip) : clip(clip) {}
    void Draw() override;

private:
    ElementRect clip;
};
