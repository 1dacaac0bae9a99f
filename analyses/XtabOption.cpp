#include "analyses/XtabOption.h"

#include "analyses/FindNamedControl.h"
#include "analyses/XTAB.h"
#include "analyses/XtOptions.h"
#include "dataset/RegistrySettings.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

const XtabControl xtabMeasureControls[10] = {
    {"chi", xtabChiSquare, 4},
    {"phi", xtabPhi, 7},
    {"cramersv", xtabCramersV, 8},
    {"cont", xtabContingency, 9},
    {"taua", xtabTauA, 10},
    {"taub", xtabTauB, 11},
    {"tauc", xtabTauC, 12},
    {"gamma", xtabGamma, 13},
    {"symd", xtabSomersSymmetric, 14},
    {"asymd", xtabSomersAsymmetric, 15},
};

const XtabControl xtabTableControls[7] = {
    {"rawnum", xtabCounts, 21},
    {"vtpct", xtabColumnPercent, 22},
    {"hzpct", xtabRowPercent, 23},
    {"totpct", xtabTotalPercent, 24},
    {"xpfrq", xtabExpected, 25},
    {"dvxpfrq", xtabDeviation, 26},
    {"stxpfrq", xtabStandardizedDeviation, 27},
};

namespace {

enum { tableOptionsSection = 7 };

const SettingsSection *TableOptions()
{
    return FindSettingsSection(tableOptionsSection);
}

// Sets each box from its bit of the mask.
void ShowBits(ZafWindow *window, const XtabControl *controls, int count, std::uint16_t mask)
{
    for (int i = 0; i < count; ++i)
        if (ZafButton *box = FindNamedControl<ZafButton>(window, controls[i].name, __FILE__, __LINE__))
            box->SetSelected((mask & controls[i].bit) != 0);
}

// Takes each box's state into its bit; the bits of no box stay.
std::uint16_t TakeBits(ZafWindow *window, const XtabControl *controls, int count, std::uint16_t mask)
{
    for (int i = 0; i < count; ++i) {
        ZafButton *box = FindNamedControl<ZafButton>(window, controls[i].name, __FILE__, __LINE__);
        if (!box)
            continue;
        if (box->Selected())
            mask = static_cast<std::uint16_t>(mask | controls[i].bit);
        else
            mask = static_cast<std::uint16_t>(mask & ~controls[i].bit);
    }
    return mask;
}

} // namespace

XtabOption::XtabOption()
{
    SetName("USE_TWOWAY_CROSS_OPTIONS");
    parameterWord = defaultWidth;
}

ZafWindow *XtabOption::CreateOptionWindow()
{
    return XtOptions::Make();
}

void XtabOption::SetVariablePrompts(ZafWindow *)
{
    PassTextToVariableList(StatText(3, xtabTextGroup), 1, -1);
    PassTextToVariableList(StatText(2, xtabTextGroup), 1, -1);
}

void XtabOption::ToWindow()
{
    if (!optionWindow)
        return;
    ShowBits(optionWindow, xtabMeasureControls, 10, measureMask);
    ShowBits(optionWindow, xtabTableControls, 7, tableTypeMask);
}

void XtabOption::FromWindow()
{
    if (!optionWindow)
        return;
    measureMask = TakeBits(optionWindow, xtabMeasureControls, 10, measureMask);
    tableTypeMask = TakeBits(optionWindow, xtabTableControls, 7, tableTypeMask);
}

bool XtabOption::Run()
{
    auto *book = new XTAB(this);
    return WorkBook::FinishRun(book, book->Build(variableListWord));
}

void XtabOption::SaveSettings()
{
    if (optionWindow)
        FromWindow();
    RegistrySettings::WriteValueInSection(TableOptions(), "XTableOptions", measureMask);
    RegistrySettings::WriteValueInSection(TableOptions(), "XTableType", tableTypeMask);
    RegistrySettings::WriteValueInSection(TableOptions(), "XTableWid", static_cast<unsigned long>(parameterWord));
}

void XtabOption::LoadSettings(int flag)
{
    measureMask = defaultMeasureMask;
    tableTypeMask = defaultTableTypeMask;
    if (flag == 0) {
        parameterWord = defaultWidth;
        return;
    }
    measureMask = static_cast<std::uint16_t>(
        RegistrySettings::ReadShortInSection(TableOptions(), "XTableOptions", static_cast<short>(defaultMeasureMask)));
    tableTypeMask = static_cast<std::uint16_t>(
        RegistrySettings::ReadShortInSection(TableOptions(), "XTableType", static_cast<short>(defaultTableTypeMask)));
    parameterWord = RegistrySettings::ReadIntInSection(TableOptions(), "XTableWid", defaultWidth);
}

StatOption *MakeXtabOption()
{
    auto *option = new XtabOption;
    option->LoadSettings(1);
    return option;
}
