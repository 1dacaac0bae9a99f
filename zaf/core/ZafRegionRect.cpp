#include "zaf/core/ZafRegionRect.h"
#include "zaf/core/ZafDisplay.h"

#include <algorithm>
#include <climits>
#include <initializer_list>
#include <cstdint>

namespace {

ZafPosition Converted(const ZafPosition &point, ZafCoordinateType type)
{
    const ZafDisplay &display = ZafDisplay::ForConversion();
    return {display.ConvertXValue(point.x, point.coordinateType, type),
            display.ConvertYValue(point.y, point.coordinateType, type), type};
}

ZafRegionRect Converted(ZafRegionRect region, ZafCoordinateType type)
{
    region.ConvertCoordinates(type);
    return region;
}

// A length as an int, saturated: a region may span more than INT_MAX.
int Length(std::int32_t low, std::int32_t high)
{
    std::int64_t length = std::int64_t(high) - low + 1;
    return int(std::clamp<std::int64_t>(length, INT_MIN, INT_MAX));
}

std::int32_t EndOf(std::int32_t start, int length)
{
    std::int64_t end = std::int64_t(start) + length - 1;
    return std::int32_t(std::clamp<std::int64_t>(end, INT_MIN, INT_MAX));
}

} // namespace

bool ZafRegionRect::Contains(const ZafPosition &point) const
{
    ZafPosition p = Converted(point, coordinateType);
    return p.x >= left && p.x <= right && p.y >= top && p.y <= bottom;
}

bool ZafRegionRect::ContainsOffset(const ZafPosition &point, const ZafPosition &offset) const
{
    ZafPosition p = Converted(point, coordinateType);
    ZafPosition o = Converted(offset, coordinateType);
    std::int64_t x = std::int64_t(p.x) - o.x, y = std::int64_t(p.y) - o.y;
    return x >= left && x <= right && y >= top && y <= bottom;
}

bool ZafRegionRect::Overlaps(const ZafRegionRect &other) const
{
    ZafRegionRect o = Converted(other, coordinateType);
    return std::max(left, o.left) <= std::min(right, o.right) && std::max(top, o.top) <= std::min(bottom, o.bottom);
}

bool ZafRegionRect::Intersect(const ZafRegionRect &a, const ZafRegionRect &b)
{
    ZafRegionRect o = Converted(b, a.coordinateType);
    *this = ZafRegionRect(std::max(a.left, o.left), std::max(a.top, o.top), std::min(a.right, o.right),
                          std::min(a.bottom, o.bottom), a.coordinateType);
    return !IsEmpty();
}

bool ZafRegionRect::Differs(const ZafRegionRect &other) const
{
    ZafRegionRect o = Converted(other, coordinateType);
    return o.left != left || o.top != top || o.right != right || o.bottom != bottom;
}

void ZafRegionRect::ConvertCoordinates(ZafCoordinateType type)
{
    if (type == coordinateType || !ZafIsCoordinateType(type) || !ZafIsCoordinateType(coordinateType))
        return;
    const ZafDisplay &display = ZafDisplay::ForConversion();
    int width = display.ConvertXValue(Length(left, right), coordinateType, type);
    int height = display.ConvertYValue(Length(top, bottom), coordinateType, type);
    left = display.ConvertXValue(left, coordinateType, type);
    top = display.ConvertYValue(top, coordinateType, type);
    right = EndOf(left, width);
    bottom = EndOf(top, height);
    coordinateType = type;
}

namespace {
// One step of a coordinate, stopping at the ends of the 32-bit range as the
// other operations do.
std::int32_t Step(std::int32_t value, int delta)
{
    return std::int32_t(std::clamp<std::int64_t>(std::int64_t(value) + delta, INT_MIN, INT_MAX));
}
} // namespace

ZafRegionRect ZafRegionRect::PostInflate()
{
    ZafRegionRect before = *this;
    left = Step(left, -1);
    top = Step(top, -1);
    right = Step(right, 1);
    bottom = Step(bottom, 1);
    return before;
}

ZafRegionRect ZafRegionRect::PostDeflate()
{
    ZafRegionRect before = *this;
    left = Step(left, 1);
    top = Step(top, 1);
    right = Step(right, -1);
    bottom = Step(bottom, -1);
    return before;
}

bool ZafRegionRect::IsStorable() const
{
    for (std::int32_t value : {left, top, right, bottom})
        if (value < -ZAF_MAX_STORED_COORDINATE || value > ZAF_MAX_STORED_COORDINATE)
            return false;
    return true;
}
