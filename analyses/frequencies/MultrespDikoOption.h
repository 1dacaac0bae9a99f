// MultrespDikoOption: the settings record of multiple response with
// dichotomies (several yes/no variables counted as the answers of one
// question), from the Analyses menu ("USE_ONEWAY_MULTI_DICO"): the display
// bits, whether user-missing values are read as values, listwise deletion,
// the percentage base (cases, answers or the cases valid in each variable)
// and the column width, as its twin MultrespFreqOption; and the counted
// values, asked before the lists in its pre-option window.
//
// Settings in section "TableOptions": "MultRespDikoTableDisplay" (0x1f),
// "MultRespDikoIncludeUsermiss" (0), "MultRespDikoDeleteCasesListwise" (0),
// "MultRespDikoPctBase" (1); the column width is read (never stored) from the
// frequency table's "FreqTabWid", 15 when that holds none. The counted values are
// not stored: each record starts with 1, and a record made for the next run
// from the same variable list takes them from the record before
// (TakePreOptionAnswers).
//
// The pre-option window (MultrespDikoPreOptionWindow) takes the counted
// value in a real-number field (1 at first): a case has given a variable's
// answer when the variable holds that value. The dialog refuses a text
// that is no number, and the field says why.
//
// Ownership: made by the registry's factory with its settings loaded; the
// pre-option window is kept by the record (deleted with it, see
// DeleteOptionRecord); Run hands the record to MultrespDikoBook.
#pragma once

#include "analyses/frequencies/MultrespFreqOption.h"
#include "stats/StatFormat.h"
#include "zaf/core/ZafDialogWindow.h"

#include <string>

class MultrespDikoPreOptionWindow : public ZafDialogWindow
{
public:
    static constexpr const char *promptName = "FiPr", *fieldName = "FiVa";
    MultrespDikoPreOptionWindow();
    // OK is refused while the field holds no number (the field says why).
    ZafEventType Event(const ZafEventRecord &event) override;
    // The value typed; false when the field holds no number.
    bool CountedValue(double &value) const;
};

class MultrespDikoOptionWindow : public TableOptionWindow
{
public:
    MultrespDikoOptionWindow();
};

class MultrespDikoOption : public TableOption
{
public:
    enum Field { displayField, userMissingField, listwiseField, baseField };
    static const TableDescription description;

    MultrespDikoOption();
    ZafWindow *PreOptionWindow() override;
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    void FromWindow() override;
    void TakeFromWindow() override;
    void TakePreOptionAnswers(const StatOption &before) override;
    void LoadSettings(int flag) override;
    bool Run() override;

    long &display = value[displayField];
    long &includeUserMissing = value[userMissingField];
    long &listwise = value[listwiseField];
    long &percentageBase = value[baseField]; // MultrespBase
    // The frequency and percent columns' width: the frequency table's kept
    // "FreqTabWid" when loaded from the settings, else 15.
    static constexpr long columnWidth = 15;
    long ColumnWidth() const { return parameterWord; }
    // The counted value as the one range the count takes.
    ValueRangeList countedValues{{1.0, 1.0}};

private:
    // The counted value from the pre-option window, when it holds a number.
    void ReadPreOptionWindow();
};
