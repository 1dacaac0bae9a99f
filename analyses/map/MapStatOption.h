// MapStatOption: the settings record of the region map (registry entry
// "USE_MAP", record name "USE_MAP_OPTIONS"): the display mode (classes,
// bars, circles), how the classes are formed (equal widths, equal numbers,
// the user's limits), the colour scheme, whether the class count is chosen
// by the user, and whether the range comes from the map's regions or from
// all cases. The five are settings of section "Map"; the class count (5 by
// default), the bar length (30) and the circle radius (20) are not.
//
// Before the variable list runs it, the record asks for the map
// (MapPreOptionWindow, kept by the record until it goes); Run makes the
// map workbook (MapWorkBook) on the chosen map. Each page keeps a copy of
// the record (Copy), whose class limits and colours its map computes.
//
// Ownership: the variable-list window owns the record until a MapWorkBook
// takes it; the record owns its class limits and colours (in classes).
#pragma once

#include "graphs/maps/MapClasses.h"
#include "shell/TableOption.h"

class MapWorkBook;

class MapStatOption : public TableOption
{
public:
    static constexpr const char *windowName = "MapOptions";
    static const TableDescription description;
    // The most classes the class-limit dialog and the colour tables hold.
    static constexpr int maxClassCount = MapClassSettings::maxClassCount;

    MapStatOption();
    // Every setting, the class limits and colours; no windows.
    MapStatOption *Copy() const;

    ZafWindow *PreOptionWindow() override;
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    void FromWindow() override;
    void SaveSettings() override;
    bool Run() override;
    void LoadSettings(int flag) override;
    // Keeps the map chosen in the pre-option window.
    void TakeFromWindow() override;
    // Takes another map record's display mode, grouping method and data
    // source (nothing from a record of another analysis).
    void TakeFromWindow(const StatOption &other) override;
    void TakePreOptionAnswers(const StatOption &before) override;

    // The map chosen in the pre-option window (from 0); -1 when there is
    // no map to choose.
    int ChosenMap() const;
    // The fields as the class computation reads them, with the limits and
    // colours kept in classes.
    void SyncClasses();

    long &displayMode = value[0];    // MapClassSettings::DisplayMode
    long &groupingMethod = value[1]; // MapClassSettings::GroupingMethod
    long &colourScheme = value[2];   // MapClassSettings::ColourScheme ("GroupingType")
    long &classCountMode = value[3]; // MapClassSettings::ClassCountMode ("GroupingCount")
    long &dataSource = value[4];     // MapClassSettings::DataSource
    long &classCount = value[5];     // 1 .. maxClassCount
    long &currentMapBox = value[6];  // "select_current_map": the data source while the record lives

    MapClassSettings classes;
    int chosenMap = -1;              // as the pre-option window was left
    MapWorkBook *openBook = nullptr; // the workbook that took the record (not owned)
    long barLength = 30;
    long circleRadius = 20;
};
