#include "graphs/DuoPolyOption.h"

#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"

namespace {

constexpr int textGroup = 38;
constexpr unsigned long strips = DuoPolyOption::optionBoxStrips | DuoPolyOption::optionBarCodeStrips;
constexpr auto radio = ControlKind::radioButton, caption = ControlKind::caption;

const SettingRow settings[] = {
    {sectionDuoFreqpoly, "Display", SettingStorage::u32, 0, DuoPolyOption::defaultWord, DuoPolyOption::defaultWord, 0,
     0xffff},
};

const ControlRow controls[] = {
    {"DisTitle", caption, 0, 0, 0, 16},
    {"DisGtype", ControlKind::checkBox, 0, DuoPolyOption::optionTitle, 0, 17},
    {"DisXtitle", caption, 0, 0, 0, 18},
    {"DisXNone", radio, 0, strips, 0, 19},
    {"DisXBar", radio, 0, strips, DuoPolyOption::optionBarCodeStrips, 21},
    {"DisXBox", radio, 0, strips, DuoPolyOption::optionBoxStrips, 20},
};

} // namespace

const TableDescription DuoPolyOption::description = DescribeTable(nullptr, "duo_poly", textGroup, settings, controls);

DuoPolyOption::DuoPolyOption() : GraphOption(description)
{}

ZafWindow *DuoPolyOption::CreateOptionWindow()
{
    return new DuoPolyOptionWindow;
}

DuoPolyOptionWindow::DuoPolyOptionWindow() : TableOptionWindow(DuoPolyOption::description, 30, 9)
{
    using B = OptionWindowBuilder;
    // Groups 264 and buttons 250 mini-cells wide: at 214 and 200 the longest
    // choice, "Bar code of single values", is cut.
    ZafGroup *show = B::MiniCellGroup(this, 15, 5, 264, 28, "DisTitle");
    B::MiniCellCheckBox(show, 5, 0, 250, 7, "DisGtype");
    ZafGroup *below = B::MiniCellGroup(this, 15, 40, 264, 35, "DisXtitle");
    B::MiniCellRadioButton(below, 5, 0, 250, 7, "DisXNone");
    B::MiniCellRadioButton(below, 5, 7, 250, 7, "DisXBar");
    B::MiniCellRadioButton(below, 5, 14, 250, 7, "DisXBox");
}
