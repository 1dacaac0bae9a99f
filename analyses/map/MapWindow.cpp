#include "analyses/map/MapWindow.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/CategoryGrouping.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "graphs/maps/MapGraph.h"
#include "graphs/maps/MapRegionText.h"
#include "stats/FREQOBJ.h"

MapWindow::MapWindow(int map, long variable, const char *title) : FRWIN(title), map(map), variable(variable)
{}

MapWindow::~MapWindow()
{
    means.reset();
    distribution = nullptr;
}

void MapWindow::SetGraph(MapGraph *newGraph)
{
    graph.reset(newGraph);
}

void MapWindow::PrepareTable()
{
    if (distribution || means)
        return;
    DATASET *dataSet = graph->DataSet();
    auto values = std::make_unique<LISTETYPE>(dataSet, variable);
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(variable, dataSet));
    if (ExceedsCategoryLimit(values.get(), labels.get())) {
        values.reset();
        means = std::make_unique<MEAN>(variable, dataSet);
        means->Compute();
        return;
    }
    ownedDistribution = std::make_unique<FREQOBJECT>(dataSet);
    BuildFrequencyDistribution(values.get(), ownedDistribution.get(), labels.get());
    distribution = ownedDistribution.get();
}

void MapWindow::WriteResult()
{
    if (!graph) {
        Clear();
        ShowText();
        return;
    }
    PrepareTable();
    graph->MapRegionStats();
    // The table writers empty the window, so the map lines go above the
    // table afterwards.
    TXTWIN lines("", 0);
    WriteMapRegionText(lines, *graph);
    if (distribution)
        WriteFrequencyTable();
    else
        MeanObj::WriteMeanTable(*means, *this, meanTextGroup);
    Prepend(lines);
    ShowText();
}
