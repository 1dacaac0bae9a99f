// MapGraph: reading a map into the region sets, the drawing frame, names.
#include "graphs/maps/MapGraph.h"

#include "dataset/ByteStream.h"
#include "dataset/DATASET.h"
#include "dataset/MapFile.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

const char *MapGraph::LoadErrorText(int error)
{
    if (error == noMapFile)
        return "The data set has no map file.";
    return MapFileErrorText(error);
}

MapGraph::MapGraph(DATASET *dataSet, int mapNumber, long variable, MapClassSettings *settings)
    : dataSet(dataSet), mapNumber(mapNumber), variable(variable), settings(settings)
{}

int MapGraph::LoadMap()
{
    regions.Clear();
    overlays.Clear();
    if (!dataSet || !dataSet->mapFileFlag)
        return noMapFile;
    FileByteStream file(dataSet->SiblingName(".KRT").c_str());
    if (!file.Open())
        return noMapFile;
    return LoadMap(file, dataSet->mapDirectory);
}

int MapGraph::LoadMap(ByteStream &file, const MapDirectory &directory)
{
    regions.Clear();
    overlays.Clear();
    minX = minY = maxX = maxY = -1;
    boxSet = false;
    // The checked reader refuses counts, offsets and sizes that the file
    // cannot hold, a directory that does not exist and a map number past it.
    std::vector<MapItem> items;
    const int error = MapFile::ReadMap(file, directory, mapNumber, &items);
    if (error != MAPERR_NONE)
        return error;

    for (const MapItem &item : items) {
        if (item.count == 0)
            continue;
        RegionSet &set = item.count > 0 ? regions : overlays;
        const unsigned n = static_cast<unsigned>(std::abs(item.count));
        MapRegion *region = set.Find(item.code);
        if (!region) {
            MapRegion fresh;
            fresh.code = item.code;
            region = &set.Insert(fresh);
            if (n == 1) {
                region->hasPoint = true;
                region->pointX = item.points[0];
                region->pointY = item.points[1];
                continue;
            }
        }
        ReadPolygonPart(*region, item.points.data(), n);
    }

    // A map of single points only: its box is that of the points, so that
    // they too land in the drawing frame.
    if (!boxSet)
        for (RegionSet *set : {&regions, &overlays})
            for (auto &entry : *set)
                if (entry.second.hasPoint) {
                    const long x = entry.second.pointX, y = entry.second.pointY;
                    minX = boxSet ? std::min(minX, x) : x;
                    maxX = boxSet ? std::max(maxX, x) : x;
                    minY = boxSet ? std::min(minY, y) : y;
                    maxY = boxSet ? std::max(maxY, y) : y;
                    boxSet = true;
                }
    NormaliseCoordinates(regions);
    NormaliseCoordinates(overlays);
    if (boxSet) {
        maxX -= minX;
        maxY -= minY;
        minX = minY = 0;
    }
    NameRegions();
    return MAPERR_NONE;
}

void MapGraph::ReadPolygonPart(MapRegion &region, const short *points, unsigned n)
{
    if (n == 0)
        return;
    std::vector<long> &entries = region.points;
    entries.reserve(entries.size() + 2 * static_cast<size_t>(n) + 3);
    entries.push_back(static_cast<long>(n) + 1);
    const size_t first = entries.size();
    for (size_t k = 0; k < 2 * static_cast<size_t>(n); ++k)
        entries.push_back(points[k]);
    entries.push_back(entries[first]);
    entries.push_back(entries[first + 1]);

    // Boxes start at their first point (a flag rather than a -1 or 32767
    // mark, which real coordinates can take).
    if (!boxSet) {
        minX = maxX = points[0];
        minY = maxY = points[1];
        boxSet = true;
    }
    if (region.partCount == 0) {
        region.minX = region.maxX = points[0];
        region.minY = region.maxY = points[1];
    }
    for (unsigned k = 0; k < n; ++k) {
        const long x = points[2 * k], y = points[2 * k + 1];
        region.minX = std::min(region.minX, x);
        region.maxX = std::max(region.maxX, x);
        region.minY = std::min(region.minY, y);
        region.maxY = std::max(region.maxY, y);
        minX = std::min(minX, x);
        maxX = std::max(maxX, x);
        minY = std::min(minY, y);
        maxY = std::max(maxY, y);
    }
    ++region.partCount;
}

void MapGraph::NormaliseCoordinates(RegionSet &set)
{
    if (!boxSet)
        return;
    for (auto &entry : set) {
        MapRegion &region = entry.second;
        if (region.HasPolygon()) {
            const long top = maxY - region.maxY, bottom = maxY - region.minY;
            region.minX -= minX;
            region.maxX -= minX;
            region.minY = top;
            region.maxY = bottom;
        }
        if (region.hasPoint) {
            region.pointX -= minX;
            region.pointY = maxY - region.pointY;
        }
        std::vector<long> &p = region.points;
        for (size_t at = 0; at < p.size();) {
            const size_t count = static_cast<size_t>(p[at]);
            for (size_t k = 0; k < count; ++k) {
                long &x = p[at + 1 + 2 * k];
                long &y = p[at + 2 + 2 * k];
                x -= minX;
                y = maxY - y;
            }
            at += 1 + 2 * count;
        }
    }
}

void MapGraph::NameRegions()
{
    if (!dataSet)
        return;
    // The names are the labels of the region variable's codes (variable 1
    // when the data set names no region variable): the regions are matched
    // to cases by that variable's codes, so another variable's labels would
    // give the regions names that belong to other codes.
    const long named = dataSet->GetRegionVariable() > 0 ? dataSet->GetRegionVariable() : 1;
    std::vector<CategoryLabel> labels;
    if (dataSet->ReadCategoryLabels(named, &labels) != 0)
        return;
    for (const CategoryLabel &label : labels) {
        if (!(std::fabs(label.value) < 2147483648.0))
            continue;
        if (MapRegion *region = regions.Find(static_cast<long>(label.value)))
            region->name = label.text;
    }
}
