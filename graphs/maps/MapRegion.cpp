#include "graphs/maps/MapRegion.h"

MapRegion *RegionSet::Find(long code)
{
    Regions::iterator found = regions.find(code);
    return found == regions.end() ? nullptr : &found->second;
}

const MapRegion *RegionSet::Find(long code) const
{
    Regions::const_iterator found = regions.find(code);
    return found == regions.end() ? nullptr : &found->second;
}

MapRegion &RegionSet::Insert(const MapRegion &region)
{
    MapRegion &stored = regions[region.code];
    stored = region;
    return stored;
}

void RegionSet::Clear()
{
    regions.clear();
    valueVariable = 0;
    decimals = 2;
    labels.clear();
}

long RegionSet::ValuedCount() const
{
    long count = 0;
    for (const auto &entry : regions)
        if (entry.second.HasValue())
            ++count;
    return count;
}
