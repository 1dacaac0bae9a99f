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
// "MultRespDikoPctBase" (1); the column width is 15. The counted values are
// not stored: each record starts with 1, and a record made for the next run
// from the same variable list takes them from the record before
// (TakePreOptionAnswers).
//
// The pre-option window (MultrespDikoPreOptionWindow) takes the counted
// values as text: single values and ranges "low-high", separated by commas
// ("1", "1-2, 5"). The dialog refuses text that is not numbers or a range
// whose low end is above its high end, and says why.
//
// Ownership: made by the registry's factory with its settings loaded; the
// pre-option window is kept by the record (deleted with it, see
// DeleteOptionRecord); Run hands the record to MultrespDikoBook.
#pragma once

#include "analyses/frequencies/MultrespFreqOption.h"
#include "stats/StatFormat.h"
#include "zaf/core/ZafDialogWindow.h"

#include <string>

// Reads counted values: "v", "low-high" and lists of them joined by
// commas. False (ranges untouched) when the text is empty, holds something
// other than numbers, or a range whose low end is above its high end;
// error then names the text of group 6 that says so (39 or 40).
bool ParseCountedValues(const std::string &text, ValueRangeList &ranges, int *error = nullptr);

class MultrespDikoPreOptionWindow : public ZafDialogWindow
{
public:
    static constexpr const char *promptName = "FiPr", *fieldName = "FiVa";
    MultrespDikoPreOptionWindow();
    // OK is refused, with a message, while the field holds no valid values.
    ZafEventType Event(const ZafEventRecord &event) override;
    std::string FieldText() const;
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
    // The frequency and percent columns' width. The frequency table keeps
    // its own width under "FreqTabWid"; this record neither reads nor
    // stores that key, so that neither analysis takes the other's width.
    static constexpr long columnWidth = 15;
    long ColumnWidth() const { return parameterWord; }
    ValueRangeList countedValues{{1.0, 1.0}};

private:
    // The counted values from the pre-option window, when it holds valid ones.
    void ReadPreOptionWindow();
};
