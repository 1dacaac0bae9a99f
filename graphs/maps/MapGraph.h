// MapGraph: the graph of the region-map analysis, as far as loading a map
// and valuing its regions go. It reads one map of the data set's map file
// into two region sets (the regions that carry data and the overlay areas),
// moves them into a drawing frame with y growing downwards, gives every
// region the mean of the page's variable over its cases, and divides the
// values into classes with their colours.
//
// MapGraphWindow draws it (graphs/maps/MapGraphWindow.h).
//
// Ownership: the graph owns its region sets; the data set and the class
// settings (the page's copy of the option record's) belong to the caller
// and must outlive the graph. The map number counts from 0 in directory
// order; variables count from 1.
#pragma once

#include "graphs/maps/MapClasses.h"
#include "graphs/maps/MapRegion.h"

class ByteStream;
class DATASET;
struct MapDirectory;

class MapGraph
{
public:
    // What the values came to.
    enum ValueStatus {
        valuesNotAssigned = 0,
        valuesAssigned = 1,  // at least one region has a value
        noRegionMatched = 2, // no counted case names a region of the map
        valuesUnreadable = 3 // the variable or the region variable could not be read
    };

    // LoadMap's own error word beside the MapFileError words.
    enum { noMapFile = 100 };
    // A load error word in words.
    static const char *LoadErrorText(int error);

    MapGraph(DATASET *dataSet, int mapNumber, long variable, MapClassSettings *settings);
    MapGraph(const MapGraph &) = delete;
    MapGraph &operator=(const MapGraph &) = delete;

    // Reads the chosen map from the data set's map file (its directory read
    // before), normalises it and names the regions. Returns 0 or a
    // MapFileError word (MapFileErrorText says it in words); on an error
    // both sets are empty.
    int LoadMap();
    // The same from a given file image and directory.
    int LoadMap(ByteStream &file, const MapDirectory &directory);
    // Appends a polygon part of n points (x, y pairs) to a region, closed by
    // a copy of its first point, and widens the region's and the map's
    // boxes.
    void ReadPolygonPart(MapRegion &region, const short *points, unsigned n);
    // Moves every coordinate of a set into the drawing frame of the map's
    // box: x from the box's left, y downwards from its top.
    void NormaliseCoordinates(RegionSet &set);

    // Gives every region of the region set the weighted mean of the variable
    // over the cases in force that name it (missing values left out), and
    // keeps the variable's decimals and labels in the set.
    ValueStatus AssignRegionValues();
    // The range of the values (the regions' or all cases') and the class
    // count in use.
    void ComputeRange();
    // Recomputes range, classes and colours.
    void MapRegionStats();

    int GetMapNumber() const { return mapNumber; }
    DATASET *DataSet() const { return dataSet; }
    const MapClassSettings &GetSettings() const { return *settings; }
    long GetVariable() const { return variable; }
    ValueStatus GetValueStatus() const { return valueStatus; }
    // True when a range exists: some value was counted.
    bool HasRange() const { return minimum <= maximum; }

    RegionSet regions;
    RegionSet overlays;
    // The map's box: while loading in map units (-1 each until a polygon
    // point is read); after normalising (0, 0, width, height).
    long minX = -1, minY = -1, maxX = -1, maxY = -1;

    double minimum = MapRegion::missing, middle = MapRegion::missing, maximum = -MapRegion::missing;
    int classCount = 0;                      // in use, after the range check
    double centreValue = MapRegion::missing; // of the slide2 ramp; the middle at first use

    // Increased at the end of every recomputation of any map graph.
    static long recomputationCounter;

private:
    void NameRegions();
    bool ComputeCaseRange();
    bool SortedCaseValues(std::vector<double> *ascending);
    void ComputeBounds();
    void ColourRegions();

    DATASET *dataSet;
    int mapNumber;
    long variable;
    MapClassSettings *settings;
    ValueStatus valueStatus = valuesNotAssigned;
    bool boxSet = false;
    bool rangeComputed = false;
};
