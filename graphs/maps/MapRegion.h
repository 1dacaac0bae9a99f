// MapRegion and RegionSet: the regions of one map as the map graph holds
// them. A region is every item of a map with one region code and one sign of
// its point count: its polygon parts in file order, its single point (the
// anchor of its bar or circle), its bounding box, and the value and colour
// that the region statistics give it. A region set maps region codes
// (ascending) to regions; the map graph keeps two, the regions that carry
// data and the overlay areas drawn over them.
//
// Units: map units while loading (x to the right, y upwards); after the
// graph normalises them, x from 0 at the map's left and y from 0 at its top.
// Counts and coordinates are 32-bit: a part may hold 32768 points and a map
// may span the whole 16-bit range without a size or a coordinate wrapping.
//
// Ownership: a set owns its regions; a region owns its points and name.
#pragma once

#include "dataset/DataSetLayout.h"
#include "graphs/DrawStyle.h"

#include <cfloat>
#include <map>
#include <string>
#include <vector>

struct MapRegion
{
    // The value of a region that no counted case names.
    static constexpr double missing = DBL_MAX;

    long stamp = -1; // recomputation counter of the symbol modes
    double value = missing;
    long code = 0;
    // Bounding box of the polygon points; single points do not widen it.
    long minX = 32767, minY = 32767, maxX = 0, maxY = 0;
    std::string name; // from the region variable's labels; empty when none
    // The single point, when hasPoint is set (a flag rather than 0, 0, so
    // that a point on the map's edge moves with the map).
    bool hasPoint = false;
    long pointX = 0, pointY = 0;
    long partCount = 0;
    // For each part in order: its number of points including the closing
    // point, then that many x, y pairs.
    std::vector<long> points;
    MapColourEntry colour = {};
    // What the value was made of: the cases counted and their weight.
    long caseCount = 0;
    double weightSum = 0.0;

    bool HasValue() const { return value != missing; }
    long EntryCount() const { return static_cast<long>(points.size()); }
    bool HasPolygon() const { return partCount > 0; }
};

class RegionSet
{
public:
    typedef std::map<long, MapRegion> Regions;

    // The region of a code, or null.
    MapRegion *Find(long code);
    const MapRegion *Find(long code) const;
    // Inserts a copy of the region under its code (replacing one there).
    MapRegion &Insert(const MapRegion &region);
    void Clear();
    long Count() const { return static_cast<long>(regions.size()); }
    // The number of regions that have a value.
    long ValuedCount() const;

    Regions::iterator begin() { return regions.begin(); }
    Regions::iterator end() { return regions.end(); }
    Regions::const_iterator begin() const { return regions.begin(); }
    Regions::const_iterator end() const { return regions.end(); }

    // Kept when the values are assigned: the value variable's number, its
    // decimals (a stored 255 counts as 2) and its category labels.
    long valueVariable = 0;
    int decimals = 2;
    std::vector<CategoryLabel> labels;

private:
    Regions regions;
};
