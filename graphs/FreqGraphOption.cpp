#include "graphs/FreqGraphOption.h"

#include "dataset/RegistrySettings.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOptionWindow.h"

namespace {

constexpr int textGroup = 6;
constexpr const char *sourceName = "Ofrgraph";
constexpr auto box = ControlKind::checkBox, radio = ControlKind::radioButton, caption = ControlKind::caption;

const SettingRow barSettings[] = {
    {sectionFreqBar, "Display", SettingStorage::u32, 0, FREQBAR::defaultWord, FREQBAR::defaultWord, 0, 0xffff},
};

const ControlRow barControls[] = {
    {"DisTitle", caption, 0, 0, 0, 18},
    {"DisNumbers", box, 0, FREQGRAPH::optionNumbers, 0, 19},
    {"DisType", box, 0, FREQGRAPH::optionCaption, 0, 20},
    {"DisGrids", box, 0, FREQGRAPH::optionGrid, 0, 21},
    {"Orient", caption, 0, 0, 0, 27},
    {"Hori", radio, 0, FREQGRAPH::optionVertical, 0, 28},
    {"Vert", radio, 0, FREQGRAPH::optionVertical, FREQGRAPH::optionVertical, 29},
    {"FigType", caption, 0, 0, 0, 30},
    {"FigPerc", radio, 0, FREQGRAPH::optionRaw, 0, 31},
    {"FigRaw", radio, 0, FREQGRAPH::optionRaw, FREQGRAPH::optionRaw, 32},
};

const SettingRow pieSettings[] = {
    {sectionFreqPie, "Display", SettingStorage::u32, 0, FREQPIE::defaultWord, FREQPIE::defaultWord, 0, 0xffff},
};

const ControlRow pieControls[] = {
    {"DisTitle", caption, 0, 0, 0, 18},
    {"DisNumbers", box, 0, FREQGRAPH::optionNumbers, 0, 19},
    {"DisType", box, 0, FREQGRAPH::optionCaption, 0, 20},
    {"LabOnPie", box, 0, FREQGRAPH::optionLabelsOnPie, 0, 23},
};

} // namespace

const TableDescription FreqbarOption::description =
    DescribeTable(nullptr, sourceName, textGroup, barSettings, barControls);
const TableDescription FreqpieOption::description =
    DescribeTable(nullptr, sourceName, textGroup, pieSettings, pieControls);

FreqbarOption::FreqbarOption() : FreqGraphOption(description)
{}

ZafWindow *FreqbarOption::CreateOptionWindow()
{
    return new FreqbarOptionWindow;
}

FreqpieOption::FreqpieOption() : FreqGraphOption(description)
{}

ZafWindow *FreqpieOption::CreateOptionWindow()
{
    return new FreqpieOptionWindow;
}
