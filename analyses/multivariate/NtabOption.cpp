#include "analyses/multivariate/NtabOption.h"

#include "analyses/multivariate/NtabBook.h"
#include "analyses/multivariate/NTAB.h"
#include "dataset/RegistrySettings.h"
#include "shell/OptionWindowBuilder.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/data/ZafStringData.h"

namespace {

using N = NtabOption;
using B = OptionWindowBuilder;
constexpr auto radio = ControlKind::radioButton;
constexpr unsigned long figures = ntabPercent | ntabTotalPercent | ntabCumulative | ntabCounts;
constexpr unsigned long bases = ntabPercentOfAnswers | ntabPercentOfCases;
constexpr unsigned long layers = ntabLayersNone | ntabLayersAuto | ntabLayersAll | ntabLayersUser;

const SettingRow settings[] = {
    {sectionTableOptions, "NtabUserNumLayer", SettingStorage::integer, N::userLayerField, 1, 1, 1, N::maxUserLayers},
    {sectionTableOptions, "NtabTableDisplay", SettingStorage::u32, N::displayField, N::defaultDisplay,
     N::defaultDisplay, 0, 0x1fff},
};

// The percentage-base buttons take their texts from group 6 (UpdateControls).
const ControlRow controls[] = {
    {"DisPctGrp", ControlKind::caption, N::displayField, 0, 0, 8},
    {"DisPct", radio, N::displayField, figures, ntabPercent, 9},
    {"DisTotPct", radio, N::displayField, figures, ntabTotalPercent, 10},
    {"DisCumPct", radio, N::displayField, figures, ntabCumulative, 11},
    {"DisRawNum", radio, N::displayField, figures, ntabCounts, 12},
    {"DisMRPctTitle", ControlKind::caption, N::displayField, 0, 0, 20},
    {"DisMRPctObs", radio, N::displayField, bases, ntabPercentOfAnswers, 0},
    {"DisMRPctCases", radio, N::displayField, bases, ntabPercentOfCases, 0},
    {"DisLayerGrp", ControlKind::caption, N::displayField, 0, 0, 13},
    {"DisLayNone", radio, N::displayField, layers, ntabLayersNone, 14},
    {"DisLayAuto", radio, N::displayField, layers, ntabLayersAuto, 15},
    {"DisLayAll", radio, N::displayField, layers, ntabLayersAll, 16},
    {"DisLayUser", radio, N::displayField, layers, ntabLayersUser, 17},
    {"DisLayerNum", ControlKind::integer, N::userLayerField, 0, 0, 0},
    {"DisLayerPrompt", ControlKind::caption, N::userLayerField, 0, 0, 18},
    {"DisShwVnr", ControlKind::checkBox, N::displayField, ntabVariableNumbers, 0, 19},
};

ZafEventType LayerButtonChanged(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    // The option window stands inside its frame: the nearest one up.
    for (ZafWindowObject *up = object; up; up = up->Parent())
        if (auto *window = dynamic_cast<NtabOptionWindow *>(up)) {
            window->RefreshLayerField();
            break;
        }
    (void)code;
    return 0;
}

ZafButton *EndButton(ZafDialogWindow *dialog, int left, int text, ZafEventType code, const char *name)
{
    auto *button = new ZafButton(left, 3, 10, 1, StatText(text, 0));
    button->SetStringID(name);
    button->SetValue(code);
    button->SetSendMessageWhenSelected(true);
    dialog->AddObject(button);
    return button;
}

} // namespace

const TableDescription NtabOption::description =
    DescribeTable("USE_MULTIWAY_NTAB_OPTIONS", "ontab", ntabTextGroup, settings, controls);

NtabPreOptionWindow::NtabPreOptionWindow() : ZafDialogWindow(0, 0, 50, 6)
{
    B::RegisterClasses();
    AddGenericObjects(new ZafStringData(StatText(0, ntabTextGroup)));
    auto *box = B::CheckBox(this, 1, 1, 48, StatText(22, ntabTextGroup), buttonName);
    (void)box;
    ZafButton *ok = EndButton(this, 13, 0, ZAF_DIALOG_OK, "BT_OK");
    EndButton(this, 25, 4, ZAF_DIALOG_CANCEL, "BT_CANCEL");
    SetDefaultButton(ok, true);
}

bool NtabPreOptionWindow::MultipleResponse()
{
    auto *box = dynamic_cast<ZafButton *>(FindObjectByStringID(buttonName));
    return box && box->Selected();
}

// 620 by 117 mini-cells: the figures and the percentage base side by side,
// the layers below them with the number of layers beside "User-defined",
// the variable numbers last.
NtabOptionWindow::NtabOptionWindow(bool multipleResponse)
    : TableOptionWindow(NtabOption::description, 62, 12), multipleResponse(multipleResponse)
{
    ZafGroup *figureGroup = B::MiniCellGroup(this, 5, 5, 290, 40, "DisPctGrp");
    const char *figureNames[] = {"DisPct", "DisTotPct", "DisCumPct", "DisRawNum"};
    for (int i = 0; i < 4; ++i)
        B::MiniCellRadioButton(figureGroup, 5, 7 * i, 275, 7, figureNames[i]);
    ZafGroup *baseGroup = B::MiniCellGroup(this, 305, 5, 310, 26, "DisMRPctTitle");
    B::MiniCellRadioButton(baseGroup, 5, 0, 295, 7, "DisMRPctObs");
    B::MiniCellRadioButton(baseGroup, 5, 7, 295, 7, "DisMRPctCases");
    ZafGroup *layerGroup = B::MiniCellGroup(this, 5, 50, 610, 44, "DisLayerGrp");
    const char *layerNames[] = {"DisLayNone", "DisLayAuto", "DisLayAll", "DisLayUser"};
    for (int i = 0; i < 4; ++i)
        B::MiniCellRadioButton(layerGroup, 5, 7 * i, 275, 7, layerNames[i]);
    // "User-defined" and its number share the last row, made a field row high.
    B::MiniCellPrompt(layerGroup, 300, 20, 200, "DisLayerPrompt");
    B::MiniCellIntegerSpin(layerGroup, 510, 20, 80, 1, 1, NtabOption::maxUserLayers, 1, "DisLayerNum");
    B::MiniCellCheckBox(this, 5, 100, 400, 7, "DisShwVnr");
}

void NtabOptionWindow::UpdateControls()
{
    TableOptionWindow::UpdateControls();
    if (ZafWindowObject *cases = FindObjectByStringID("DisMRPctCases"))
        cases->SetText(StatText(12, 6));
    if (ZafWindowObject *answers = FindObjectByStringID("DisMRPctObs"))
        answers->SetText(StatText(13, 6));
    for (const char *name : {"DisLayNone", "DisLayAuto", "DisLayAll", "DisLayUser"})
        if (auto *button = dynamic_cast<ZafButton *>(FindObjectByStringID(name)))
            button->SetUserFunction(LayerButtonChanged);
    // After a run the percentage base means something only for a set.
    if (!OpenedBeforeWorkbook() && !multipleResponse)
        for (const char *name : {"DisMRPctTitle", "DisMRPctCases", "DisMRPctObs"})
            if (ZafWindowObject *control = FindObjectByStringID(name))
                control->SetDisabled(true);
    RefreshLayerField();
}

void NtabOptionWindow::RefreshLayerField()
{
    auto *user = dynamic_cast<ZafButton *>(FindObjectByStringID("DisLayUser"));
    // The spin control and its field both: the field's window stays
    // disabled while its spin control is.
    const bool off = !(user && user->Selected());
    if (ZafWindowObject *field = FindObjectByStringID("DisLayerNum")) {
        if (ZafWindowObject *spin = field->Parent())
            spin->SetDisabled(off);
        field->SetDisabled(off);
    }
}

NtabOption::NtabOption() : TableOption(description)
{}

ZafWindow *NtabOption::PreOptionWindow()
{
    if (!preOptionWindow)
        preOptionWindow = new NtabPreOptionWindow;
    return preOptionWindow;
}

ZafWindow *NtabOption::CreateOptionWindow()
{
    return new NtabOptionWindow(multipleResponse);
}

void NtabOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(2, ntabTextGroup), 1, -1);
    PassTextToVariableList(StatText(3, ntabTextGroup), 1, -1);
    PassTextToVariableList(StatText(4, ntabTextGroup), 0, -1);
    PassTextToVariableList(StatText(5, ntabTextGroup), 0, -1);
}

void NtabOption::LoadSettings(int flag)
{
    TableOption::LoadSettings(flag);
    if (!(display & bases))
        display |= ntabPercentOfAnswers;
}

void NtabOption::TakeFromWindow()
{
    auto *pre = dynamic_cast<NtabPreOptionWindow *>(preOptionWindow);
    askedMultipleResponse = pre && pre->MultipleResponse();
}

void NtabOption::TakePreOptionAnswers(const StatOption &before)
{
    if (auto *earlier = dynamic_cast<const NtabOption *>(&before))
        askedMultipleResponse = earlier->askedMultipleResponse;
}

bool NtabOption::Run()
{
    return AnalysisBook::RunBook(new NtabBook(this), variableListWord);
}
