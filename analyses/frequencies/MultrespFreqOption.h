// MultrespFreqOption: the settings record of multiple response with
// category coding (several variables sharing one set of codes counted as
// one question), from the Analyses menu ("USE_ONEWAY_MULTI"): what the
// table shows (display bits), whether user-missing codes count as answers,
// whether a case with a missing value in any variable is left out
// (listwise), the percentage base (cases or answers) and the column width.
//
// Settings in section "TableOptions": "MultRespFreqTableDisplay" (31),
// "MultRespFreqIncludeUsermiss" (0), "MultRespFreqDeleteCasesListwise" (0),
// "MultRespFreqPctBase" (1); the column width is read from the frequency
// table's key "FreqTabWid" with a default of 15, and never stored, so that
// keeping these settings leaves the frequency table's width alone. Texts
// of group 6.
//
// Ownership: made by the registry's factory with its settings loaded; Run
// hands it to the workbook (MultrespFreqBook), which deletes it.
#pragma once

#include "shell/TableOption.h"
#include "shell/TableOptionWindow.h"

#include <cstdint>

// Display bits of both multiple-response tables.
enum MultrespDisplay : std::uint32_t {
    multrespVariables = 0x01, // the list of the question's variables
    multrespLabels = 0x02,    // the category-label column
    multrespCodes = 0x04,     // the code column (dichotomies: the counted-value line)
    multrespCounts = 0x08,    // the frequency column
    multrespPercents = 0x10   // the percent column
};

// Percentage bases of the multiple-response tables.
enum MultrespBase { multrespOfCases = 0, multrespOfAnswers = 1, multrespOfEachVariable = 2 };

constexpr int multrespTextGroup = 6;

// The one list prompt of both multiple-response analyses (text 0, a
// variable required).
void PassMultrespListPrompt();

class MultrespFreqOptionWindow : public TableOptionWindow
{
public:
    MultrespFreqOptionWindow();
};

class MultrespFreqOption : public TableOption
{
public:
    enum Field { displayField, userMissingField, listwiseField, baseField };
    static const TableDescription description;

    MultrespFreqOption();
    ZafWindow *CreateOptionWindow() override;
    void SetVariablePrompts(ZafWindow *variableList) override;
    bool Run() override;
    // The four settings rows, and with a non-zero flag the column width
    // from "FreqTabWid" (15 when none, or one outside 3 to 40, is kept).
    void LoadSettings(int flag) override;

    long &display = value[displayField];                // MultrespDisplay bits
    long &includeUserMissing = value[userMissingField]; // 0 or 1
    long &listwise = value[listwiseField];              // 0 or 1
    long &percentageBase = value[baseField];            // MultrespBase: cases or answers
    // The frequency and percent columns' width when "FreqTabWid" holds none.
    static constexpr long columnWidth = 15;
    static constexpr long leastColumnWidth = 3, widestColumnWidth = 40;
    long ColumnWidth() const { return parameterWord; }
};
