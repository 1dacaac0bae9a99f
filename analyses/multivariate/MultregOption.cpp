#include "analyses/multivariate/MultregOption.h"

#include "analyses/multivariate/MultregBook.h"
#include "dataset/RegistrySettings.h"
#include "shell/FindNamedControl.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafReal.h"
#include "zaf/core/ZafGroup.h"

namespace {

constexpr auto box = ControlKind::checkBox, radio = ControlKind::radioButton, real = ControlKind::real,
               caption = ControlKind::caption;
constexpr auto tenThousandths = SettingStorage::tenThousandths;
constexpr unsigned long methodBits = multregEnter | multregForward | multregBackward;

// The stored limits lie in 1..10000 (0.0001..1); 0 and anything outside
// read as 0.05.
const SettingRow settings[] = {
    {sectionTableOptions, "MultregTableDisplay", SettingStorage::u32, 0, multregEverything, 13, 0, multregEverything},
    {sectionTableOptions, "MultregMethod", SettingStorage::u32, 1, multregEnter, multregEnter, multregEnter,
     multregBackward},
    {sectionTableOptions, "MultregMissingDeletion", SettingStorage::u32, 2, multregListwise, multregListwise,
     multregListwise, multregPairwise},
    {sectionTableOptions, "MultregpIn", tenThousandths, 3, 500, 500, 1, 10000},
    {sectionTableOptions, "MultregpOut", tenThousandths, 4, 500, 500, 1, 10000},
};

const ControlRow controls[] = {
    {"DisGrp", caption, 0, 0, 0, 22},
    {"DisB", box, 0, multregB, 0, 24},
    {"DisSE_B", box, 0, multregSeB, 0, 25},
    {"DisBeta", box, 0, multregBeta, 0, 26},
    {"DisT", box, 0, multregT, 0, 23},
    {"DisTol", box, 0, multregTolerance, 0, 27},
    {"StaMissdel", caption, 0, 0, 0, 34},
    {"StaList", radio, 2, 3, multregListwise, 36},
    {"StaPair", radio, 2, 3, multregPairwise, 35},
    {"StaMethod", caption, 0, 0, 0, 28},
    {"StaEnter", radio, 1, methodBits, multregEnter, 29},
    {"StaForw", radio, 1, methodBits, multregForward, 30},
    {"StaBackw", radio, 1, methodBits, multregBackward, 31},
    {"StaPinPrt", caption, 0, 0, 0, 32},
    {"StaPin", real, 3, 0, 0, 0},
    {"StaPoutPrt", caption, 0, 0, 0, 33},
    {"StaPout", real, 4, 0, 0, 0},
};

} // namespace

const TableDescription MultregOption::description =
    DescribeTable("USE_MULTIWAY_REG_OPTIONS", "omultreg", multregTextGroup, settings, controls);

MultregOption::MultregOption() : TableOption(description)
{}

void MultregOption::LoadSettings(int flag)
{
    TableOption::LoadSettings(flag);
    // A stored method other than the three would compute no model at all.
    if (method != multregEnter && method != multregForward && method != multregBackward)
        method = multregEnter;
}

void MultregOption::ToWindow()
{
    TableOption::ToWindow();
    MultregOptionWindow::EnableLimits(optionWindow, method);
}

ZafWindow *MultregOption::CreateOptionWindow()
{
    return new MultregOptionWindow;
}

void MultregOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(1, multregTextGroup), 1, -1);
    PassTextToVariableList(StatText(3, multregTextGroup), 1, -1);
}

bool MultregOption::Run()
{
    // A run that made no page answers false: an empty book is no result,
    // and the variable-list window then says the run failed (or nothing
    // when the user declined the overlap question).
    return AnalysisBook::RunBook(new MultregBook(this), variableListWord);
}

namespace {

// A prompt or field one field row high at left, top, width mini-cells.
template <class Control>
Control *MiniCell(ZafWindow *parent, Control *control, int left, int top, int width, const char *name)
{
    const int bottom = top + OptionWindowBuilder::miniCellFieldRow - 1;
    control->SetRegion(left, top, left + width - 1, bottom, ZAF_MINI_CELL);
    control->SetStringID(name);
    parent->AddObject(control);
    return control;
}

} // namespace

MultregOptionWindow::MultregOptionWindow() : TableOptionWindow(MultregOption::description, 64, 17)
{
    using B = OptionWindowBuilder;
    ZafWindow *columns = B::MiniCellGroup(this, 5, 5, 214, 49, "DisGrp");
    const char *boxes[] = {"DisB", "DisSE_B", "DisBeta", "DisT", "DisTol"};
    for (int i = 0; i < 5; ++i)
        B::MiniCellCheckBox(columns, 5, 7 * i, 200, 7, boxes[i]);
    ZafWindow *missing = B::MiniCellGroup(this, 5, 57, 214, 28, "StaMissdel");
    B::MiniCellRadioButton(missing, 5, 0, 200, 7, "StaList");
    B::MiniCellRadioButton(missing, 5, 7, 200, 7, "StaPair");
    ZafWindow *methods = B::MiniCellGroup(this, 5, 88, 354, 35, "StaMethod");
    const char *radios[] = {"StaEnter", "StaForw", "StaBackw"};
    for (int i = 0; i < 3; ++i)
        B::MiniCellRadioButton(methods, 5, 7 * i, 200, 7, radios[i])->SetUserFunction(MethodChosen);
    // The limits stand beside the columns, each enabled with its method;
    // the fields are wide enough for "0.0500" at the window's font. Four
    // decimals show the smallest limit (0.0001), also in the range message,
    // and give back a stored limit such as 0.0123 unchanged on OK (three
    // would cut it to 0.012). The two rows stand a field's height apart.
    MiniCell(this, new ZafPrompt(0, 0, 1, "p. in"), 225, 15, 60, "StaPinPrt");
    MiniCell(this, new ZafReal(0, 0, 1, 0.05), 295, 15, 72, "StaPin")->SetOutputFormat("%0.4f");
    MiniCell(this, new ZafPrompt(0, 0, 1, "p. out"), 225, 25, 60, "StaPoutPrt");
    MiniCell(this, new ZafReal(0, 0, 1, 0.05), 295, 25, 72, "StaPout")->SetOutputFormat("%0.4f");
}

void MultregOptionWindow::EnableLimits(ZafWindow *window, long method)
{
    if (!window)
        return;
    if (auto *in = FindNamedControl<ZafReal>(window, "StaPin", "omultreg", __LINE__))
        in->SetDisabled(method != multregForward);
    if (auto *out = FindNamedControl<ZafReal>(window, "StaPout", "omultreg", __LINE__))
        out->SetDisabled(method != multregBackward);
}

ZafEventType MultregOptionWindow::MethodChosen(ZafWindowObject *object, ZafEventRecord &, ZafEventType)
{
    auto *window = object ? dynamic_cast<ZafWindow *>(object->Parent()) : nullptr;
    while (window && !dynamic_cast<MultregOptionWindow *>(window))
        window = dynamic_cast<ZafWindow *>(window->Parent());
    if (!window)
        return 0;
    long method = multregEnter;
    if (auto *forward = dynamic_cast<ZafButton *>(window->FindObjectByStringID("StaForw"));
        forward && forward->Selected())
        method = multregForward;
    if (auto *backward = dynamic_cast<ZafButton *>(window->FindObjectByStringID("StaBackw"));
        backward && backward->Selected())
        method = multregBackward;
    EnableLimits(window, method);
    return 0;
}
