#include "analyses/frequencies/MultrespDikoOption.h"

#include "analyses/frequencies/FreqOption.h"
#include "analyses/frequencies/MULTDIKOWIN.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/data/ZafStringData.h"

namespace {

using D = MultrespDikoOption;
constexpr auto box = ControlKind::checkBox;

const SettingRow settings[] = {
    {sectionTableOptions, "MultRespDikoTableDisplay", SettingStorage::u32, D::displayField, 0x1f, 0x1f, 0, 0x1f},
    {sectionTableOptions, "MultRespDikoIncludeUsermiss", SettingStorage::u16, D::userMissingField, 0, 0, 0, 1},
    {sectionTableOptions, "MultRespDikoDeleteCasesListwise", SettingStorage::u16, D::listwiseField, 0, 0, 0, 1},
    {sectionTableOptions, "MultRespDikoPctBase", SettingStorage::integer, D::baseField, 1, 1, 0, 2},
};

const ControlRow controls[] = {
    {"CalcPctTitle", ControlKind::caption, D::baseField, 0, 0, 11},
    {"CalcPctCases", ControlKind::radioButton, D::baseField, 3, multrespOfCases, 12},
    {"CalcPctObs", ControlKind::radioButton, D::baseField, 3, multrespOfAnswers, 13},
    {"CalcPctVar", ControlKind::radioButton, D::baseField, 3, multrespOfEachVariable, 14},
    {"CalcListw", box, D::listwiseField, 1, 0, 15},
    {"CalcUMV", box, D::userMissingField, 1, 0, 16},
    {"DIS_TITLE", ControlKind::caption, D::displayField, 0, 0, 4},
    {"DIS_VARLABS", box, D::displayField, multrespVariables, 0, 5},
    {"DIS_CAT", box, D::displayField, multrespLabels, 0, 6},
    {"DIS_CODE", box, D::displayField, multrespCodes, 0, 7},
    {"DIS_FREQ", box, D::displayField, multrespCounts, 0, 8},
    {"DIS_PCT", box, D::displayField, multrespPercents, 0, 9},
};

using B = OptionWindowBuilder;

ZafButton *EndButton(ZafDialogWindow *dialog, int left, int text, ZafEventType code, const char *name)
{
    auto *button = new ZafButton(left, 2, 10, 1, StatText(text, 0));
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
    return button;
}

} // namespace

MultrespDikoPreOptionWindow::MultrespDikoPreOptionWindow() : ZafDialogWindow(0, 0, 40, 5)
{
    B::RegisterClasses();
    AddGenericObjects(new ZafStringData(StatText(2, multrespTextGroup)));
    auto *prompt = new ZafPrompt(1, 0, 18, StatText(17, multrespTextGroup));
    prompt->SetStringID(promptName);
    AddObject(prompt);
    auto *field = new ZafReal(20, 0, 18, 1.0);
    field->SetStringID(fieldName);
    AddObject(field);
    ZafButton *ok = EndButton(this, 16, 0, ZAF_DIALOG_OK, "BT_OK");
    EndButton(this, 27, 4, ZAF_DIALOG_CANCEL, "BT_CANCEL");
    SetDefaultButton(ok, true);
}

bool MultrespDikoPreOptionWindow::CountedValue(double &value) const
{
    auto *field = dynamic_cast<ZafReal *>(const_cast<MultrespDikoPreOptionWindow *>(this)->FindObjectByStringID(fieldName));
    if (!field || field->CheckTypedValue() != 0)
        return false;
    value = field->GetValue();
    return true;
}

ZafEventType MultrespDikoPreOptionWindow::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_DIALOG_OK) {
        double value = 0.0;
        if (!CountedValue(value))
            return ZAF_REFUSED;
    }
    return ZafDialogWindow::Event(event);
}

const TableDescription MultrespDikoOption::description =
    DescribeTable("USE_ONEWAY_MULTI_DICO_OPTIONS", "OMultRespDiko", multrespTextGroup, settings, controls);

// 265 by 130 mini-cells, widened to show the two check boxes outside the
// groups whole. The base's buttons start at the group's top, as the
// display buttons do; 5 lower the third one would fall off the group.
MultrespDikoOptionWindow::MultrespDikoOptionWindow() : TableOptionWindow(MultrespDikoOption::description, 46, 14)
{
    ZafGroup *base = B::MiniCellGroup(this, 15, 5, 300, 35, "CalcPctTitle");
    const char *radios[] = {"CalcPctCases", "CalcPctObs", "CalcPctVar"};
    for (int i = 0; i < 3; ++i)
        B::MiniCellRadioButton(base, 5, 7 * i, 285, 7, radios[i]);
    B::MiniCellCheckBox(this, 22, 45, 430, 7, "CalcListw");
    B::MiniCellCheckBox(this, 22, 52, 430, 7, "CalcUMV");
    ZafGroup *display = B::MiniCellGroup(this, 15, 62, 300, 49, "DIS_TITLE");
    const char *boxes[] = {"DIS_VARLABS", "DIS_CAT", "DIS_CODE", "DIS_FREQ", "DIS_PCT"};
    for (int i = 0; i < 5; ++i)
        B::MiniCellCheckBox(display, 5, 7 * i, 285, 7, boxes[i]);
}

MultrespDikoOption::MultrespDikoOption() : TableOption(description)
{
    parameterWord = columnWidth;
}

ZafWindow *MultrespDikoOption::PreOptionWindow()
{
    if (!preOptionWindow)
        preOptionWindow = new MultrespDikoPreOptionWindow;
    return preOptionWindow;
}

ZafWindow *MultrespDikoOption::CreateOptionWindow()
{
    return new MultrespDikoOptionWindow;
}

void MultrespDikoOption::SetVariablePrompts(ZafWindow *)
{
    PassMultrespListPrompt();
}

void MultrespDikoOption::ReadPreOptionWindow()
{
    double value = 0.0;
    if (auto *pre = dynamic_cast<MultrespDikoPreOptionWindow *>(preOptionWindow))
        if (pre->CountedValue(value))
            countedValues = {{value, value}};
}

void MultrespDikoOption::FromWindow()
{
    ReadPreOptionWindow();
    TableOption::FromWindow();
}

void MultrespDikoOption::TakeFromWindow()
{
    ReadPreOptionWindow();
}

void MultrespDikoOption::TakePreOptionAnswers(const StatOption &before)
{
    if (auto *earlier = dynamic_cast<const MultrespDikoOption *>(&before))
        countedValues = earlier->countedValues;
}

void MultrespDikoOption::LoadSettings(int flag)
{
    TableOption::LoadSettings(flag);
    parameterWord = columnWidth;
    if (flag) {
        // The frequency table's column width, read but never stored here. A
        // width that table itself refuses (outside 3 to 40, as a hand-edited
        // registry may hold) gives the default instead.
        const int width = RegistrySettings::ReadIntInSection(FindSettingsSection(sectionTableOptions),
                                                             FreqOption::widthKey, static_cast<int>(columnWidth));
        if (width >= 3 && width <= 40)
            parameterWord = width;
    }
    countedValues = {{1.0, 1.0}};
}

bool MultrespDikoOption::Run()
{
    ReadPreOptionWindow();
    return AnalysisBook::RunBook(new MultrespDikoBook(this), variableListWord);
}
