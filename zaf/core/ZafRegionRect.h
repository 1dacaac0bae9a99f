// ZafRegionRect: a rectangle of four signed 32-bit coordinates (left, top,
// right, bottom; edges inclusive, so the width is right - left + 1) in one of
// the seven coordinate types, and ZafPosition, a point with its coordinate
// type.
//
// Operations that meet a second region or a point first convert it to this
// region's coordinate type through the screen display (ZafDisplay, default
// metrics while no screen display exists). Both are plain records: they can
// stand in the event record and be copied byte for byte.
#pragma once

#include <cstdint>

// Coordinate types. Cells are the display's character cells; a mini-cell is
// a cell scaled by the display's mini-cell numerator and denominator.
using ZafCoordinateType = std::int32_t;
constexpr ZafCoordinateType ZAF_CELL = 0;
constexpr ZafCoordinateType ZAF_MINI_CELL = 1;
constexpr ZafCoordinateType ZAF_PIXEL = 2;
constexpr ZafCoordinateType ZAF_POINT = 3;            // 1/72 inch
constexpr ZafCoordinateType ZAF_TWIP = 4;             // 1/1440 inch
constexpr ZafCoordinateType ZAF_THOUSANDTH_INCH = 5;  // 1/1000 inch
constexpr ZafCoordinateType ZAF_TENTH_MILLIMETRE = 6; // 1/254 inch

constexpr bool ZafIsCoordinateType(ZafCoordinateType type)
{
    return type >= ZAF_CELL && type <= ZAF_TENTH_MILLIMETRE;
}

struct ZafPosition
{
    std::int32_t x;
    std::int32_t y;
    ZafCoordinateType coordinateType;
};

struct ZafRegionRect
{
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;
    ZafCoordinateType coordinateType;

    // Uninitialised, like any plain record; use the other constructor or {}.
    ZafRegionRect() = default;
    constexpr ZafRegionRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b,
                            ZafCoordinateType type = ZAF_PIXEL)
        : left(l), top(t), right(r), bottom(b), coordinateType(type)
    {}

    // Saturated at the ends of the 32-bit range (right - left + 1 itself
    // overflows for a region that spans more).
    std::int32_t Width() const { return Span(left, right); }
    std::int32_t Height() const { return Span(top, bottom); }
    bool IsEmpty() const { return right < left || bottom < top; }

    // True when the point lies inside, edges included.
    bool Contains(const ZafPosition &point) const;
    // True when the point, moved back by the offset, lies inside: the region
    // is taken as placed at the offset.
    bool ContainsOffset(const ZafPosition &point, const ZafPosition &offset) const;
    // True when the two regions share at least one point.
    bool Overlaps(const ZafRegionRect &other) const;
    // Stores the intersection of a and b in a's coordinate type; true when it
    // is not empty (an empty intersection is stored as it falls out).
    bool Intersect(const ZafRegionRect &a, const ZafRegionRect &b);
    // True when any coordinate differs once the other is converted.
    bool Differs(const ZafRegionRect &other) const;
    // Converts in place: left and top as positions, width and height as
    // lengths, so that right = left + width - 1 in the new type. A region
    // whose type or the target type is unknown is left as it is.
    void ConvertCoordinates(ZafCoordinateType type);

    // Return a copy of the region, then grow / shrink it by one on every side.
    ZafRegionRect PostInflate();
    ZafRegionRect PostDeflate();

    // True when every coordinate lies within ZAF_MAX_STORED_COORDINATE of 0:
    // what a region read from a file must satisfy.
    bool IsStorable() const;

private:
    static constexpr std::int32_t Span(std::int32_t low, std::int32_t high)
    {
        const std::int64_t span = std::int64_t(high) - low + 1;
        return span > INT32_MAX ? INT32_MAX : span < INT32_MIN ? INT32_MIN : std::int32_t(span);
    }
};

// The largest magnitude of a coordinate in a stored region: far beyond any
// screen in any coordinate type (16,777,216 twips are 11,650 inches), so
// that a file cannot hand the layout values near the ends of the 32-bit
// range.
constexpr std::int32_t ZAF_MAX_STORED_COORDINATE = 1 << 24;
