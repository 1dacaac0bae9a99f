// ListOption: the record of the case list (registry entry "USE_LOOK", record
// name "USE_LOOK_OPTIONS"). It has no settings and no options before the
// run: the run builds the list of variables (OneListVariable), and the option
// window (ListOptionWindow, built in code) then offers, per variable with
// category labels, whether its labels or its values are shown.
//
// The record also carries the sorting state of the table: the sort keys (the
// clicked variable first, then the one clicked before; zero-terminated), the
// sort direction (0 unsorted, 1 ascending, 2 reversed) and the sort order.
// Case numbers in the sort order count from 0, as SortCasesToValueList
// gives them.
//
// Ownership: the record owns its variable list (and every element), the sort
// order and the sort keys. The variable-list window owns the record until a
// ListBook takes it.
#pragma once

#include "shell/OptionWindow.h"
#include "stats/StatOption.h"
#include "zaf/core/ZafList.h"

#include <memory>
#include <string>
#include <vector>

class DATASET;
class KATLABS;
class LISTETYPE;
class TMPLISTETYPE;

// One listed variable: its value list, its labels and how it is shown.
class OneListVariable : public ZafElement
{
public:
    static constexpr int widestPrint = 12; // characters of a listed value at most

    // Loads the variable's values and labels; Error() tells a failure.
    OneListVariable(DATASET *dataSet, long variable);
    ~OneListVariable() override;

    long Variable() const { return variable; }
    // The variable's text ("name: label").
    const char *Text() const;
    // Labels are shown for this variable (it has them, the user wants them
    // and its values are integers).
    bool ShowsLabels() const;
    // The column's one alignment, for its cells (labels, numbers and the
    // missing mark alike) and its heading, on screen and on paper: right,
    // as numbers stand, unless the column shows labels alone.
    bool AlignsRight() const { return !ShowsLabels() || !everyValueLabelled; }
    bool Error() const { return values == nullptr; }

    bool hasLabels = false; // two or more category labels
    bool showLabels = true;
    bool output = true;     // written by the list output
    int printWidth = 8;     // the variable's print width, at most widestPrint
    KATLABS *labels = nullptr;    // owned
    LISTETYPE *values = nullptr;  // owned

private:
    // Every whole value from the smallest to the largest valid value has a
    // label (a column of categories): shown with its labels, it shows no
    // number but the missing mark.
    bool everyValueLabelled = false;
    long variable;
};

class ListOption : public StatOption
{
public:
    static constexpr const char *recordName = "USE_LOOK_OPTIONS";
    static constexpr int textGroup = 3;

    ListOption();
    ~ListOption() override;

    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    void ToWindow() override;
    void FromWindow() override;
    bool Run() override;
    // The case list stores no settings.
    void SaveSettings() override {}
    void LoadSettings(int) override {}

    OneListVariable *VariableAt(int i) const { return variables ? static_cast<OneListVariable *>(variables->Get(i)) : nullptr; }
    int VariableCount() const { return variables ? variables->Count() : 0; }
    // The first sort key, or 0 when unsorted.
    int FirstKey() const { return sortKeys.empty() ? 0 : sortKeys[0]; }

    TMPLISTETYPE *sortOrder = nullptr; // owned; case numbers from 0 in sorted order, or null
    ZafList *variables = nullptr;      // owned; null until the run
    std::vector<int> sortKeys;         // zero-terminated when not empty
    int sortDirection = 0;             // 0 unsorted, 1 ascending, 2 reversed
};

// The option window: one check box per listed variable, ticked when its
// labels are shown; a variable without labels has its box disabled.
class ListOptionWindow : public OptionWindow
{
public:
    explicit ListOptionWindow(ListOption *record);
    void UpdateControls() override;
};
