// NtabOption: the settings record of the n-way table (registry entry
// "USE_MULTIWAY_NTAB", record name "USE_MULTIWAY_NTAB_OPTIONS"): the display
// word (the figures of each cell, the base of multiple-response
// percentages, how the control variables become layers, variable numbers
// before the labels; NtabDisplay bits) and the user's number of layers.
// Settings of section "TableOptions": "NtabTableDisplay" (0x221: percent,
// of answers, automatic layers) and "NtabUserNumLayer" (1); a stored word
// with neither percentage base loads with the base of answers. A new record
// starts with one user layer whatever is stored.
//
// Lists: 1 the dependent variables (required), 2 the control variables
// (required), 3 and 4 the second and third control variables (optional;
// list 4 counts only with list 3). The pre-option window asks whether the
// dependent variables form one multiple-response set.
//
// Ownership: made by the registry's factory; the pre-option window is kept
// by the record; Run hands the record to NtabBook.
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"
#include "zaf/core/ZafDialogWindow.h"

constexpr int ntabTextGroup = 42;

// Asks whether list 1 is one multiple-response set ("DisDepMultresp").
class NtabPreOptionWindow : public ZafDialogWindow
{
public:
    static constexpr const char *buttonName = "DisDepMultresp";
    NtabPreOptionWindow();
    bool MultipleResponse();
};

class NtabOptionWindow : public TableOptionWindow
{
public:
    explicit NtabOptionWindow(bool multipleResponse);
    void UpdateControls() override;
    // Enables "DisLayerNum" while "DisLayUser" is selected.
    void RefreshLayerField();

private:
    bool multipleResponse;
};

class NtabOption : public TableOption
{
public:
    enum Field { displayField, userLayerField };
    static constexpr long defaultDisplay = 0x221, maxUserLayers = 3;
    static const TableDescription description;

    NtabOption();
    ZafWindow *PreOptionWindow() override;
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    void LoadSettings(int flag) override;
    bool Run() override;
    // Keeps the pre-option window's answer.
    void TakeFromWindow() override;
    void TakePreOptionAnswers(const StatOption &before) override;
    // The pre-option window's answer (false when none was given).
    bool AskedForMultipleResponse() const { return askedMultipleResponse; }

    long &display = value[displayField];
    long &userLayers = value[userLayerField];
    bool multipleResponse = false;

private:
    bool askedMultipleResponse = false;
};
