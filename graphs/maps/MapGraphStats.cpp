// MapGraph: the regions' values, the range, the classes and the colours.
#include "graphs/maps/MapGraph.h"

#include "dataset/DATASET.h"
#include "shell/QIVprog.h"
#include "stats/CaseWalk.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

long MapGraph::recomputationCounter = 0;

namespace {

// A value a region or a range can take: not missing, not a NaN or an
// infinity read from a damaged file.
bool Countable(double value)
{
    return !IsNotComputed(value) && std::isfinite(value);
}

bool IsWhole(double value)
{
    return std::floor(value) == value;
}

// Means of whole-number data are shown with two decimals.
const int meanDecimals = 2;

} // namespace

MapGraph::ValueStatus MapGraph::AssignRegionValues()
{
    for (auto &entry : regions) {
        entry.second.value = MapRegion::missing;
        entry.second.caseCount = 0;
        entry.second.weightSum = 0.0;
    }
    const VariableInfo *info = dataSet ? dataSet->GetVariable(variable) : nullptr;
    regions.valueVariable = variable;
    regions.decimals = info ? info->EffectiveDecimals() : 2;
    regions.labels.clear();
    if (!info)
        return valueStatus = valuesUnreadable;
    const long regionVariable = dataSet->GetRegionVariable();
    if (regionVariable <= 0)
        return valueStatus = noRegionMatched;

    // A region's value is the weighted mean of the variable over the cases
    // in force that name it, missing values left out. A survey has many
    // cases in a region: the value of whichever case comes last in the file
    // would colour the region by chance, and the weights would count for
    // nothing.
    const long variables[2] = {regionVariable, variable};
    StatClass computation(dataSet);
    CaseWalk walk(computation, variables, 2);
    if (!walk.Ok())
        return valueStatus = valuesUnreadable;
    std::map<long, double> sums;
    while (walk.Next()) {
        const double code = walk.Value(0), value = walk.Value(1);
        // Region codes are whole numbers; a fraction names no region.
        if (!Countable(code) || !Countable(value) || !IsWhole(code) || !(std::fabs(code) < 2147483648.0))
            continue;
        MapRegion *region = regions.Find(static_cast<long>(code));
        if (!region)
            continue;
        sums[region->code] += walk.Weight() * value;
        region->weightSum += walk.Weight();
        ++region->caseCount;
    }
    bool whole = true;
    for (auto &entry : regions) {
        MapRegion &region = entry.second;
        if (region.caseCount > 0 && region.weightSum > 0.0) {
            region.value = sums[region.code] / region.weightSum;
            whole = whole && IsWhole(region.value);
        }
    }
    if (!whole)
        regions.decimals = std::max(regions.decimals, meanDecimals);
    dataSet->ReadCategoryLabels(variable, &regions.labels);
    return valueStatus = regions.ValuedCount() > 0 ? valuesAssigned : noRegionMatched;
}

bool MapGraph::ComputeCaseRange()
{
    StatClass computation(dataSet);
    CaseWalk walk(computation, &variable, 1);
    if (!walk.Ok())
        return false;
    while (walk.Next()) {
        const double value = walk.Value(0);
        if (!Countable(value))
            continue;
        minimum = std::min(minimum, value);
        maximum = std::max(maximum, value);
    }
    return true;
}

// The cases in force only, as for the range: classes drawn from cases the
// user left out could lie outside the range the map shows.
bool MapGraph::SortedCaseValues(std::vector<double> *ascending)
{
    ascending->clear();
    StatClass computation(dataSet);
    CaseWalk walk(computation, &variable, 1);
    if (!walk.Ok())
        return false;
    while (walk.Next())
        if (Countable(walk.Value(0)))
            ascending->push_back(walk.Value(0));
    std::sort(ascending->begin(), ascending->end());
    return true;
}

void MapGraph::ComputeRange()
{
    const VariableInfo *info = dataSet ? dataSet->GetVariable(variable) : nullptr;
    const int variableDecimals = info ? info->EffectiveDecimals() : 2;
    minimum = MapRegion::missing;
    maximum = -MapRegion::missing;
    if (settings->dataSource == MapClassSettings::allCases) {
        // Every counted case's value; also for classes by cases, since the
        // first computation has no earlier range to keep.
        settings->decimals = variableDecimals;
        ComputeCaseRange();
    } else {
        settings->decimals = valueStatus == valuesNotAssigned ? variableDecimals : regions.decimals;
        for (const auto &entry : regions)
            if (entry.second.HasValue()) {
                minimum = std::min(minimum, entry.second.value);
                maximum = std::max(maximum, entry.second.value);
            }
    }
    rangeComputed = true;
    if (!HasRange()) {
        // No value at all: no range and no classes.
        middle = MapRegion::missing;
        classCount = 0;
        return;
    }
    middle = minimum + (maximum - minimum) * 0.5;
    settings->classCount = MapClasses::CheckedClassCount(settings->classCount);
    if (settings->decimals == 0 && (maximum - minimum) + 1 < settings->classCount)
        settings->classCount = static_cast<int>(maximum - minimum + 1);
    classCount = settings->classCount;
}

void MapGraph::ComputeBounds()
{
    std::vector<double> bounds;
    if (HasRange()) {
        if (settings->groupingMethod == MapClassSettings::byCases) {
            std::vector<double> ascending;
            if (settings->dataSource == MapClassSettings::allCases) {
                SortedCaseValues(&ascending);
                bounds = MapClasses::CaseOrderBounds(ascending, classCount);
            } else {
                for (const auto &entry : regions)
                    if (entry.second.HasValue())
                        ascending.push_back(entry.second.value);
                std::sort(ascending.begin(), ascending.end());
                bounds = MapClasses::RegionOrderBounds(ascending, &classCount, settings->decimals);
            }
        } else {
            // Equal widths, also for user-defined classes that have no
            // bounds yet.
            bounds = MapClasses::EqualWidthBounds(minimum, maximum, classCount, settings->decimals);
        }
        if (settings->decimals == 0)
            MapClasses::RoundBounds(bounds);
    }
    classCount = bounds.empty() ? 0 : static_cast<int>(bounds.size()) - 1;
    settings->bounds = bounds;
}

void MapGraph::ColourRegions()
{
    const int scheme = settings->colourScheme;
    if (settings->displayMode != MapClassSettings::choropleth) {
        for (auto &entry : regions) {
            entry.second.colour = MapClasses::SymbolModeColour();
            entry.second.stamp = recomputationCounter;
        }
        // The status bar tells which recomputation stamped the symbols.
        SetStatusBarText(std::to_string(recomputationCounter).c_str());
        return;
    }
    if (classCount == 0) {
        // Nothing to divide into classes: the map is drawn without them.
        settings->colours.clear();
        for (auto &entry : regions)
            entry.second.colour = MapClasses::MissingColour();
        return;
    }
    if (scheme == MapClassSettings::slide || scheme == MapClassSettings::slide2) {
        if (centreValue == MapRegion::missing)
            centreValue = middle;
        for (auto &entry : regions) {
            MapRegion &region = entry.second;
            region.colour = region.HasValue() ? MapClasses::RampColour(scheme, region.value, minimum, maximum,
                                                                       centreValue, region.colour)
                                              : MapClasses::MissingColour();
        }
        // The legend's sample values, unless the user typed and confirmed
        // limits: a ramp colours by value, and replacing them would throw
        // away what the user entered (they stand until the grouping
        // method changes).
        if (!settings->userBounds || settings->bounds.size() < 2)
            settings->bounds = MapClasses::RampSampleBounds(minimum, maximum, classCount, settings->decimals);
        return;
    }
    if (scheme != MapClassSettings::metric && scheme != MapClassSettings::metric2 &&
        scheme != MapClassSettings::contrast)
        return;
    settings->colours = MapClasses::ClassColours(scheme, classCount);
    for (auto &entry : regions) {
        MapRegion &region = entry.second;
        region.colour = region.HasValue() ? settings->colours[MapClasses::ClassOf(region.value, settings->bounds)]
                                          : MapClasses::MissingColour();
    }
}

void MapGraph::MapRegionStats()
{
    // User bounds stand while they exist; without them (the grouping method
    // chosen but no bounds confirmed yet) the classes are computed.
    const bool userBounds = settings->userBounds && settings->bounds.size() >= 2;
    if (!userBounds || !rangeComputed)
        ComputeRange();
    if (userBounds) {
        // No more classes than the colour tables tell apart: the last one
        // kept holds the rest.
        if (settings->bounds.size() > MapClassSettings::maxClassCount + 1u)
            settings->bounds.resize(MapClassSettings::maxClassCount + 1u);
        classCount = static_cast<int>(settings->bounds.size()) - 1;
    } else if (settings->displayMode == MapClassSettings::choropleth) {
        ComputeBounds();
    }
    ColourRegions();
    ++recomputationCounter;
}
