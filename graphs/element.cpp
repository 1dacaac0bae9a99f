#include "graphs/element.h"

#include "graphs/DrawStyle.h"
#include "graphs/GRAPHWIN.h"
#include "graphs/GROUPELEMENT.h"

#include <algorithm>
#include <cmath>
#include <cstring>

element::element(ElementKind elementKind) : kind(elementKind)
{}

element::~element()
{
    delete[] name;
}

void element::Move(int dx, int dy)
{
    device.left += dx;
    device.right += dx;
    device.top += dy;
    device.bottom += dy;
    if (HasFlag(flagStale) && owner)
        owner->ElementToLogical(this);
}

namespace {

// trunc(reference size * factor), with a NaN or an overflowing product
// giving 0 rather than an undefined cast.
int ScaledSpan(int span, double factor)
{
    const double value = std::trunc(span * factor);
    if (!std::isfinite(value) || std::fabs(value) > 1e9)
        return 0;
    return static_cast<int>(value);
}

} // namespace

void element::SetEnd(double fx, double fy)
{
    device.right = device.left + ScaledSpan(reference.Width(), fx) - 1;
    device.bottom = device.top + ScaledSpan(reference.Height(), fy) - 1;
}

void element::SetSize(int w, int h)
{
    device.right = device.left + w - 1;
    device.bottom = device.top + h - 1;
}

const char *element::SetName(const char *newName)
{
    if (newName) {
        char *copy = new char[std::strlen(newName) + 1];
        std::strcpy(copy, newName);
        delete[] name;
        name = copy;
    }
    return Name();
}

std::string element::ContentKey() const
{
    return std::to_string(kind) + ":" + Name();
}

void element::Scale(int &x, int &y) const
{
    int numerator = 1, denominator = 1, originX = 0, originY = 0;
    if (owner)
        owner->OutputScale(numerator, denominator, originX, originY);
    x = static_cast<int>(static_cast<long long>(x) * numerator / denominator) + originX;
    y = static_cast<int>(static_cast<long long>(y) * numerator / denominator) + originY;
}

POINT element::Scaled(int x, int y) const
{
    Scale(x, y);
    return POINT{x, y};
}

void element::FreshenDevice()
{
    if (HasFlag(flagStale) && owner)
        owner->ElementToDevice(this);
}

// --- pal_element ---------------------------------------------------------------------

pal_element::pal_element(ElementKind elementKind, int left, int top, int right, int bottom, DrawStyle *drawStyle)
    : element(elementKind), style(drawStyle)
{
    logical = ElementRect{left, top, right, bottom, 0};
    reference = logical;
    SetFlag(flagStale);
}

HDC pal_element::DrawDC() const
{
    return owner ? owner->GetDrawDC() : nullptr;
}

pal_element::Tools::Tools(HDC context, const pal_element &shape) : dc(context)
{
    const COLORREF line = shape.style ? shape.style->LineColour() : RGB(0, 0, 0);
    pen = CreatePen(PS_SOLID, shape.penWidth, line);
    oldPen = SelectObject(dc, pen);
    HGDIOBJ brush = shape.style ? static_cast<HGDIOBJ>(shape.style->Brush()) : GetStockObject(NULL_BRUSH);
    oldBrush = SelectObject(dc, brush);
}

pal_element::Tools::~Tools()
{
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

// --- GROBJ_LIST ----------------------------------------------------------------------

void GROBJ_LIST::Append(element *item, int sequenceNumber)
{
    item->sequence = sequenceNumber >= 0 ? sequenceNumber : static_cast<std::int32_t>(counter);
    ++counter;
    items.push_back(item);
}

bool GROBJ_LIST::Remove(element *item)
{
    auto at = std::find(items.begin(), items.end(), item);
    if (at == items.end())
        return false;
    items.erase(at);
    return true;
}

bool GROBJ_LIST::Contains(const element *item) const
{
    return std::find(items.begin(), items.end(), item) != items.end();
}

bool OverlapsAny(const RECT &r, const std::vector<RECT> &others)
{
    RECT common;
    for (const RECT &other : others)
        if (IntersectRect(&common, &r, &other))
            return true;
    return false;
}

POINT ShiftIntoView(const RECT &r, const ElementRect &view)
{
    POINT shift{0, 0};
    if (r.right > view.right + 1)
        shift.x = view.right + 1 - r.right;
    if (r.left + shift.x < view.left)
        shift.x = view.left - r.left;
    if (r.bottom > view.bottom + 1)
        shift.y = view.bottom + 1 - r.bottom;
    if (r.top + shift.y < view.top)
        shift.y = view.top - r.top;
    return shift;
}
