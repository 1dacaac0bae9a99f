// MapWindow: the text pane of a map page. It owns the page's map (made at
// the page's first graph request) and writes, once the map exists, how many
// regions the map has, the value range its classes are taken from and each
// region's cases, value and class, followed by the frequency table of the
// page's variable or, when the variable has too many distinct values for
// one, its descriptive statistics. Until the map exists the pane is empty.
//
// The choice between the two tables is made at the first writing and kept.
// Both table writers empty the window first, so the map lines are written
// into a scratch window and put above the table afterwards; the text shown,
// printed, copied and saved holds both.
//
// Ownership: the window owns its map, its distribution and its means.
#pragma once

#include "analyses/descriptives/MeanBook.h"
#include "analyses/frequencies/FRWIN.h"
#include "stats/StatClass.h"

#include <memory>

class FREQOBJ;
class MapGraph;

// The computation object of a map page.
class MapStatClass : public StatClass
{
public:
    using StatClass::StatClass;
};

class MapWindow : public FRWIN
{
public:
    static constexpr int meanTextGroup = 32;

    // title: the page's caption, the title the text is printed under.
    MapWindow(int map, long variable, const char *title = "");
    ~MapWindow() override;

    // Without a map: empties the text. Otherwise the map lines and the
    // variable's table (see above).
    void WriteResult() override;
    // The page's map, once it is read (the window owns it from then on).
    void SetGraph(MapGraph *graph);
    MapGraph *Graph() const { return graph.get(); }
    MEAN *Means() const { return means.get(); }
    int Map() const { return map; }
    long Variable() const { return variable; }

private:
    void PrepareTable();

    int map;
    long variable;
    std::unique_ptr<MapGraph> graph;
    std::unique_ptr<MEAN> means;
    std::unique_ptr<FREQOBJ> ownedDistribution; // FRWIN::distribution points to it
};
