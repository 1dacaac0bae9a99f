#include "analyses/multivariate/CorrOption.h"

#include "analyses/multivariate/CORRWIN.h"
#include "analyses/multivariate/CorrBook.h"
#include "dataset/RegistrySettings.h"
#include "shell/FindNamedControl.h"
#include "shell/VariableListWindow.h"
#include "stats/CorrObj.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"

namespace {

constexpr int display = CorrOption::displayField, missing = CorrOption::missingField;
constexpr auto box = ControlKind::checkBox, radio = ControlKind::radioButton;
constexpr int missingGroup = 33;
constexpr long modeBits = 3;

const SettingRow settings[] = {
    {sectionTableOptions, "CorrTableDisplay", SettingStorage::u32, display, CorrOption::unloadedDisplay,
     CorrOption::defaultDisplay, 0, 7},
    {sectionTableOptions, "CorrMissingDeletion", SettingStorage::integer, missing, CorrObj::kListwise,
     CorrObj::kListwise, CorrObj::kListwise, CorrObj::kPairwise},
};

// The missing-value group's texts are the regression's (group 33): set by
// the window.
const ControlRow controls[] = {
    {"DIS_LAB", box, display, CORRWIN::displayCaptions, 0, 14},
    {"DIS_FMATR", box, display, CORRWIN::displayFull, 0, 15},
    {"DIS_SIGSYM", box, display, CORRWIN::displayMarks, 0, 16},
    {"StaList", radio, missing, modeBits, CorrObj::kListwise, 0},
    {"StaPair", radio, missing, modeBits, CorrObj::kPairwise, 0},
};

} // namespace

const TableDescription CorrOption::description =
    DescribeTable("USE_MULTIWAY_CORR_OPTIONS", "ocorr", corrTextGroup, settings, controls);

CorrOption::CorrOption() : TableOption(description)
{}

ZafWindow *CorrOption::CreateOptionWindow()
{
    return new CorrOptionWindow;
}

void CorrOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(12, corrTextGroup), 1, -1);
}

bool CorrOption::Run()
{
    return AnalysisBook::RunBook(new CorrBook(this), variableListWord);
}

void CorrOptionWindow::UpdateControls()
{
    TableOptionWindow::UpdateControls();
    const struct
    {
        const char *name;
        int text;
    } texts[] = {{"StaMissdel", 34}, {"StaPair", 35}, {"StaList", 36}};
    for (const auto &t : texts)
        if (auto *control = FindNamedControl<ZafWindowObject>(this, t.name, "ocorr", __LINE__))
            control->SetText(StatText(t.text, missingGroup));
}
