// MapClasses: the value classes and colours of a region map, as plain
// functions over values: class bounds by equal widths, by the regions'
// values in order, by the cases' values in order; the colour of each class
// from the palette's class-colour tables; the colour of a value on the
// continuous ramps. MapGraph::MapRegionStats drives them.
//
// MapClassSettings is the part of the map analysis's option record that the
// class computation reads and writes; the record (and each page's copy)
// holds one. Bounds: class count + 1 values, bound 0 the lowest value and
// bound i the upper end of class i - 1; a value v is in class i - 1 for the
// first i with v < bound i, the last class holding the rest.
//
// Sources of the definitions:
// - Equal widths: width = (maximum - minimum, + 1 for whole numbers) / k,
//   bound i = minimum + i widths, the last bound the maximum.
// - Classes by regions: bound i is the value at 0-based position
//   floor(n i / k) + 1 of the n region values in ascending order (the last
//   value past the end); ties are pushed apart by 1 for whole numbers, by
//   2 x 10^-decimals otherwise.
// - Classes by cases: step = floor(n / k); bound 0 the smallest value and
//   bound i + 1 the value at 0-based position min(step (i + 1), n - 1) of
//   the n valid case values in ascending order.
// - Whole numbers (0 decimals) round each bound with halves going down:
//   ceil(b - 0.5).
#pragma once

#include "graphs/DrawStyle.h"

#include <vector>

struct MapClassSettings
{
    enum DisplayMode { choropleth = 1, bars = 2, circles = 3 };
    enum GroupingMethod { fromValues = 0, byCases = 1, userDefined = 2 };
    enum ColourScheme { metric = 0, metric2 = 1, slide = 2, slide2 = 3, contrast = 4 };
    enum ClassCountMode { automaticCount = 0, userCount = 1 };
    enum DataSource { currentMap = 0, allCases = 1 };
    // The program's default class count, and the most classes the colour
    // tables can tell apart.
    enum { defaultClassCount = 5, maxClassCount = 13 };

    int displayMode = choropleth;
    int groupingMethod = fromValues;
    int colourScheme = metric;
    int classCountMode = automaticCount;
    int dataSource = currentMap;
    int classCount = defaultClassCount;
    int decimals = 0;                    // the value variable's, set at every range computation
    bool userBounds = false;             // bounds confirmed by the user: not recomputed
    std::vector<double> bounds;          // class count + 1 once computed
    std::vector<MapColourEntry> colours; // class count once computed
};

namespace MapClasses {

// A class count brought into 1 .. maxClassCount.
int CheckedClassCount(int classes);

std::vector<double> EqualWidthBounds(double minimum, double maximum, int classes, int decimals);
// ascending: the valued regions' values in order. classes falls to their
// number when there are fewer; no bounds (and 0 classes) without values.
std::vector<double> RegionOrderBounds(const std::vector<double> &ascending, int *classes, int decimals);
// ascending: the valid case values in order; no bounds without values.
std::vector<double> CaseOrderBounds(const std::vector<double> &ascending, int classes);
// Rounds to whole numbers, halves going down.
void RoundBounds(std::vector<double> &bounds);
// The class (from 0) of a value; bounds must hold at least two values.
int ClassOf(double value, const std::vector<double> &bounds);

// The colours of the classes of a table scheme (metric, metric2, contrast):
// every class its own table entry and its own grey level.
std::vector<MapColourEntry> ClassColours(int scheme, int classes);
// The table entry (from 0) of each class of a table scheme.
std::vector<int> ClassEntries(int scheme, int classes);

// The brush of a value on a ramp (slide: from start to end over the range;
// slide2: from the middle colour at the centre outwards); the pen words are
// taken from the given colour.
MapColourEntry RampColour(int scheme, double value, double minimum, double maximum, double centre,
                          const MapColourEntry &pen);
// The legend's sample values of a ramp: classes values evenly from minimum
// to maximum (rounded for whole numbers).
std::vector<double> RampSampleBounds(double minimum, double maximum, int classes, int decimals);

// The palette's map colours.
const MapColourEntry &MissingColour();
const MapColourEntry &SymbolModeColour();
// The map's background (and the overlay areas' fill on the screen), the
// symbols of values of 0 or more and of negative values, the highlight pen.
const MapColourEntry &BackgroundColour();
const MapColourEntry &PositiveSymbolColour();
const MapColourEntry &NegativeSymbolColour();
const MapColourEntry &HighlightColour();
const MapColourEntry &SlideStart();
const MapColourEntry &SlideEnd();
const MapColourEntry &Slide2Start();
const MapColourEntry &Slide2Middle();
const MapColourEntry &Slide2End();

} // namespace MapClasses
