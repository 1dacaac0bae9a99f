#include "graphs/GROUPELEMENT.h"

#include "graphs/GRAPHWIN.h"
#include "graphs/TEKSTELEMENT.h"

#include <algorithm>
#include <cmath>

GROUPELEMENT::GROUPELEMENT() : element(kindGroup)
{
    logical = ElementRect{GRAPHWIN::logicalWidth, GRAPHWIN::logicalHeight, 0, 0, 0};
    reference = logical;
    SetFlag(flagStale);
}

GROUPELEMENT::~GROUPELEMENT()
{
    for (int i = children.Count() - 1; i >= 0; --i)
        delete children.At(i);
}

void GROUPELEMENT::Attach(GRAPHWIN *window)
{
    owner = window;
    for (element *child : children)
        child->Attach(window);
}

void GROUPELEMENT::AddElement(element *child)
{
    if (owner)
        child->Attach(owner);
    child->ClearFlag(flagMovedByGroup);
    children.Append(child);
    child->reference = child->logical;
    child->parent = this;
    if (child->kind == kindText && owner && owner->OSHandle())
        static_cast<TEKSTELEMENT *>(child)->Measure();
    Widen(child);
    reference = logical;
}

void GROUPELEMENT::Widen(const element *child)
{
    const ElementRect before = logical;
    logical.left = std::min(logical.left, child->logical.left);
    logical.top = std::min(logical.top, child->logical.top);
    logical.right = std::max(logical.right, child->logical.right);
    logical.bottom = std::max(logical.bottom, child->logical.bottom);
    if (logical.left != before.left || logical.top != before.top || logical.right != before.right ||
        logical.bottom != before.bottom) {
        SetFlag(flagStale);
        reference = logical;
    }
}

void GROUPELEMENT::Draw()
{
    for (element *child : children)
        if (child->Visible())
            child->Draw();
}

void CLIPGROUPELEMENT::Draw()
{
    GRAPHWIN *window = Owner();
    HDC dc = window ? window->GetDrawDC() : nullptr;
    if (!dc)
        return GROUPELEMENT::Draw();
    int left = clip.left, top = clip.top, right = clip.right, bottom = clip.bottom;
    window->ToDeviceUnits(left, top);
    window->ToDeviceUnits(right, bottom);
    const POINT from = Scaled(left, top), to = Scaled(right + 1, bottom + 1);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, from.x, from.y, to.x, to.y);
    GROUPELEMENT::Draw();
    RestoreDC(dc, saved);
}

void GROUPELEMENT::Move(int dx, int dy)
{
    for (element *child : children) {
        const bool wasMoved = child->HasFlag(flagMovedByGroup);
        child->SetFlag(flagMovedByGroup);
        child->Move(dx, dy);
        if (!wasMoved)
            child->ClearFlag(flagMovedByGroup);
    }
    device.left += dx;
    device.right += dx;
    device.top += dy;
    device.bottom += dy;
}

void GROUPELEMENT::SetSize(int w, int h)
{
    const int referenceWidth = reference.Width(), referenceHeight = reference.Height();
    // A zero reference span keeps the factor at 1 rather than dividing by 0.
    double fx = referenceWidth ? static_cast<double>(w) / referenceWidth : 1.0;
    double fy = referenceHeight ? static_cast<double>(h) / referenceHeight : 1.0;
    if (w == 0 && referenceWidth)
        fx = device.Width() / referenceWidth;
    if (h == 0 && referenceHeight)
        fy = device.Height() / referenceHeight;
    SetEnd(fx, fy);
}

namespace {

// The child's offset from the group's left or top, scaled to the group's
// new device span; a zero reference span counts as 1.
int ChildOffset(int childStart, int groupStart, int groupEnd, int deviceSpan)
{
    double span = groupEnd - groupStart;
    if (span == 0)
        span = 1.0;
    const double offset = std::trunc((childStart - groupStart) / span * deviceSpan);
    return std::isfinite(offset) ? static_cast<int>(offset) : 0;
}

} // namespace

void GROUPELEMENT::SetEnd(double fx, double fy)
{
    element::SetEnd(fx, fy);
    for (element *child : children) {
        child->SetEnd(fx, fy);
        // The width, like the height, is guarded against a zero
        // reference span.
        const int x = device.left +
                      ChildOffset(child->reference.left, reference.left, reference.right, device.right - device.left);
        const int y =
            device.top + ChildOffset(child->reference.top, reference.top, reference.bottom, device.bottom - device.top);
        child->MoveTo(x, y);
    }
}
