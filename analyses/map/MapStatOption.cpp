#include "analyses/map/MapStatOption.h"

#include "analyses/map/MapOptionWindow.h"
#include "analyses/map/MapPreOptionWindow.h"
#include "analyses/map/MapWorkBook.h"
#include "dataset/ProgramSettings.h"
#include "dataset/RegistrySettings.h"
#include "shell/MessageDialogs.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

namespace {

constexpr int textGroup = 22;
constexpr int promptText = 5;
constexpr int noMapText = 13, titleText = 47, titleGroup = 1;
enum Field { display = 0, method, scheme, countMode, source, count, currentMap, master };
constexpr unsigned long displayBits = 3, methodBits = 3, schemeBits = 7, countBits = 1;

const SettingRow settings[] = {
    {sectionMap, "DisplayMode", SettingStorage::integer, display, 1, 1, 1, 3},
    {sectionMap, "GroupingMethod", SettingStorage::integer, method, 0, 0, 0, 2},
    {sectionMap, "GroupingType", SettingStorage::integer, scheme, 0, 0, 0, 4},
    {sectionMap, "GroupingCount", SettingStorage::integer, countMode, 0, 0, 0, 1},
    {sectionMap, "DataSource", SettingStorage::integer, source, 0, 0, 0, 1},
};

const ControlRow controls[] = {
    {"DisplayMode", ControlKind::caption, display, 0, 0, 20},
    {"choroplet", ControlKind::radioButton, display, displayBits, MapClassSettings::choropleth, 3},
    {"bar", ControlKind::radioButton, display, displayBits, MapClassSettings::bars, 7},
    {"pie", ControlKind::radioButton, display, displayBits, MapClassSettings::circles, 8},
    {"GroupingMethod", ControlKind::caption, method, 0, 0, 21},
    {"data", ControlKind::radioButton, method, methodBits, MapClassSettings::fromValues, 33},
    {"cases", ControlKind::radioButton, method, methodBits, MapClassSettings::byCases, 34},
    {"userdef", ControlKind::radioButton, method, methodBits, MapClassSettings::userDefined, 22},
    {"define_groups", ControlKind::pushButton, method, 0, 0, 23},
    {"GroupingType", ControlKind::caption, scheme, 0, 0, 26},
    {"metric", ControlKind::radioButton, scheme, schemeBits, MapClassSettings::metric, 27},
    {"metric2", ControlKind::radioButton, scheme, schemeBits, MapClassSettings::metric2, 28},
    {"slide", ControlKind::radioButton, scheme, schemeBits, MapClassSettings::slide, 29},
    {"slide2", ControlKind::radioButton, scheme, schemeBits, MapClassSettings::slide2, 30},
    {"contrast", ControlKind::radioButton, scheme, schemeBits, MapClassSettings::contrast, 31},
    {"GroupingCount", ControlKind::caption, countMode, 0, 0, 32},
    {"num_auto", ControlKind::radioButton, countMode, countBits, MapClassSettings::automaticCount, 15},
    {"num_userdef", ControlKind::radioButton, countMode, countBits, MapClassSettings::userCount, 16},
    {"NUM", ControlKind::integer, count, 0, 0, 0},
    {"select_current_map", ControlKind::checkBox, currentMap, 1, 0, 25},
    {"masteroptions", ControlKind::checkBox, master, 1, 0, 35},
};

} // namespace

const TableDescription MapStatOption::description =
    DescribeTable("USE_MAP_OPTIONS", "MapStatOption", textGroup, settings, controls);

MapStatOption::MapStatOption() : TableOption(description)
{
    classCount = MapClassSettings::defaultClassCount;
    currentMapBox = 1;
    value[master] = 1;
    barLength = 80;
    circleRadius = 40;
    SyncClasses();
}

MapStatOption *MapStatOption::Copy() const
{
    auto *copy = new MapStatOption;
    for (int i = 0; i < maxFields; ++i)
        copy->value[i] = value[i];
    copy->parameterWord = parameterWord;
    copy->classes = classes;
    copy->barLength = barLength;
    copy->circleRadius = circleRadius;
    copy->chosenMap = chosenMap;
    return copy;
}

void MapStatOption::LoadSettings(int flag)
{
    TableOption::LoadSettings(flag);
    // Not settings: the program's default class count and symbol sizes.
    classCount = MapClassSettings::defaultClassCount;
    barLength = 30;
    circleRadius = 20;
    currentMapBox = dataSource == MapClassSettings::currentMap ? 1 : 0;
    value[master] = 1; // always shown checked
    SyncClasses();
}

void MapStatOption::SaveSettings()
{
    // The check box holds the data source while the record lives; the
    // stored flag is its opposite.
    if (optionWindow) {
        FromWindow();
        dataSource = currentMapBox ? MapClassSettings::currentMap : MapClassSettings::allCases;
    }
    TableOption::SaveSettings();
}

ZafWindow *MapStatOption::PreOptionWindow()
{
    if (!preOptionWindow)
        preOptionWindow = new MapPreOptionWindow(ProgramSettings::Instance()->GetDataSet(0));
    return preOptionWindow;
}

ZafWindow *MapStatOption::CreateOptionWindow()
{
    return new MapOptionWindow(this);
}

void MapStatOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(promptText, textGroup), 1, -1);
}

void MapStatOption::FromWindow()
{
    if (!optionWindow)
        return;
    TableOption::FromWindow();
    changed = value[master] ? 1 : 0;
    SyncClasses();
}

void MapStatOption::SyncClasses()
{
    classes.displayMode = static_cast<int>(displayMode);
    classes.groupingMethod = static_cast<int>(groupingMethod);
    classes.colourScheme = static_cast<int>(colourScheme);
    classes.classCountMode = static_cast<int>(classCountMode);
    classes.dataSource = currentMapBox ? MapClassSettings::currentMap : MapClassSettings::allCases;
    // The automatic count is the default one; a count of the user's is kept
    // within what the colour tables and the limit dialog hold (a count of 0
    // would divide by zero).
    classes.classCount = classCountMode == MapClassSettings::automaticCount
                             ? MapClassSettings::defaultClassCount
                             : MapClasses::CheckedClassCount(static_cast<int>(classCount));
    classes.userBounds = groupingMethod == MapClassSettings::userDefined;
}

void MapStatOption::TakeFromWindow()
{
    if (auto *window = dynamic_cast<MapPreOptionWindow *>(preOptionWindow))
        chosenMap = window->ChosenMap();
}

void MapStatOption::TakeFromWindow(const StatOption &other)
{
    auto *map = dynamic_cast<const MapStatOption *>(&other);
    if (!map || map == this)
        return;
    displayMode = map->displayMode;
    groupingMethod = map->groupingMethod;
    dataSource = map->dataSource;
    currentMapBox = map->currentMapBox;
    SyncClasses();
}

void MapStatOption::TakePreOptionAnswers(const StatOption &before)
{
    if (auto *earlier = dynamic_cast<const MapStatOption *>(&before))
        chosenMap = earlier->ChosenMap();
}

int MapStatOption::ChosenMap() const
{
    auto *window = dynamic_cast<MapPreOptionWindow *>(preOptionWindow);
    return window ? window->ChosenMap() : chosenMap;
}

bool MapStatOption::Run()
{
    const int map = ChosenMap();
    if (map < 0) {
        // No map file, or no map chosen: there is nothing to draw on.
        ShowMessageDialog(StatText(titleText, titleGroup), StatText(noMapText, textGroup), nullptr, nullptr, 0);
        VariableListWindow::NoteRunCancelled(); // said here: no second report
        return false;
    }
    return AnalysisBook::RunBook(new MapWorkBook(this, map), variableListWord);
}
