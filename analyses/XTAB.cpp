#include "analyses/XTAB.h"

#include "analyses/XTABOBJECT.h"
#include "analyses/XTWIN.h"
#include "analyses/XtabOption.h"
#include "analyses/XtabPage.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/CategoryGrouping.h"
#include "dataset/KATLABS.h"
#include "dataset/ProgramSettings.h"
#include "shell/VariableListWindow.h"
#include "stats/StatClass.h"

#include <memory>
#include <string>
#include <vector>

namespace {

XTAB::AutoRecodeOffer autoRecodeOffer = nullptr;

// The bar chart's settings: section "XtabBar", key "Display". The window
// that draws the chart is not part of the program yet; the record is kept
// so that the tool and its settings are in place.
constexpr int xtabBarSection = 15;
constexpr unsigned long xtabBarDefault = 0;

// One prompted list of the variable-list window, with what the grouping
// offer chose for each of its variables.
struct ListChoice
{
    VarSelection *selection = nullptr;
    std::vector<long> candidates; // variable number when offered, else -1; ends with 0
    std::vector<long> intervals;  // intervals chosen (0: ungrouped); ends with 0
    ~ListChoice() { VarSelection::Free(selection); }
};

// Loads the list's value lists and asks which of the variables with too many
// categories to group; false when the user abandons it.
bool ChooseGrouping(ListChoice &list, DATASET *dataSet, const char *title)
{
    const int count = list.selection->count;
    list.candidates.assign(count + 1, 0);
    list.intervals.assign(count + 1, 0);
    for (int i = 0; i < count; ++i) {
        const long variable = list.selection->variables[i];
        list.selection->valueLists[i] = new LISTETYPE(dataSet, variable);
        // Mended: the limit is asked without the labels (threshold 10 for every
        // variable); with them labelled variables of 11-25 values went unoffered.
        list.candidates[i] = ExceedsCategoryLimit(list.selection->valueLists[i], nullptr) ? variable : -1;
    }
    return !autoRecodeOffer || autoRecodeOffer(list.candidates.data(), list.intervals.data(), title);
}

// The value list of variable i of a list: the one loaded for the offer the
// first time (taken out of the selection), a new one after that.
std::unique_ptr<BUFFERTYPE> TakeValueList(ListChoice &list, int i, DATASET *dataSet)
{
    if (LISTETYPE *loaded = list.selection->valueLists[i]) {
        list.selection->valueLists[i] = nullptr;
        return std::unique_ptr<BUFFERTYPE>(loaded);
    }
    auto fresh = std::make_unique<LISTETYPE>();
    fresh->BindToDataSet(dataSet);
    fresh->LoadVariable(list.selection->variables[i], 1);
    return fresh;
}

// The labels of variable i, grouped with its values when the offer chose
// intervals for it.
std::unique_ptr<KATLABS> PrepareVariable(ListChoice &list, int i, DATASET *dataSet, std::unique_ptr<BUFFERTYPE> &values)
{
    const long variable = list.selection->variables[i];
    KATLABS *labels = KATLABS::ConstructAndRead(variable, dataSet);
    if (list.candidates[i] > 0 && list.intervals[i] > 0) {
        BUFFERTYPE *slot = values.release();
        GroupIntoIntervals(&slot, static_cast<int>(list.intervals[i]), &labels);
        values.reset(slot);
    }
    return std::unique_ptr<KATLABS>(labels);
}

} // namespace

XTAB::AutoRecodeOffer XTAB::SetAutoRecodeOffer(AutoRecodeOffer offer)
{
    AutoRecodeOffer before = autoRecodeOffer;
    autoRecodeOffer = offer;
    return before;
}

XTAB::XTAB(XtabOption *option) : WorkBook(option, 0)
{}

XtabOption *XTAB::Record() const
{
    return static_cast<XtabOption *>(Option());
}

bool XTAB::Build(long selectionHandle)
{
    titleText = 0;
    titleGroup = xtabTextGroup;
    if (!selectionHandle)
        return false;
    ListChoice rows, columns; // list 0 and list 1
    rows.selection = GetSelectedVariables(0);
    columns.selection = GetSelectedVariables(1);
    if (!rows.selection || !columns.selection || rows.selection->count <= 0 || columns.selection->count <= 0)
        return false;

    auto *barChart = new GraphOption(xtabBarSection, xtabBarDefault);
    barChart->LoadSettings(1);
    AddGraphTool(31, xtabTextGroup, "graph_hbars", barChart);

    DATASET *dataSet = ProgramSettings::Instance()->GetDataSet(1);
    // The titles are copied: the offer may read texts of its own group.
    const std::string rowTitle = StatText(3, xtabTextGroup);
    const std::string columnTitle = StatText(2, xtabTextGroup);
    if (!ChooseGrouping(rows, dataSet, rowTitle.c_str()) || !ChooseGrouping(columns, dataSet, columnTitle.c_str()))
        return false;

    for (int r = 0; r < columns.selection->count; ++r) {
        for (int c = 0; c < rows.selection->count; ++c) {
            std::unique_ptr<BUFFERTYPE> columnValues = TakeValueList(columns, r, dataSet);
            std::unique_ptr<BUFFERTYPE> rowValues = TakeValueList(rows, c, dataSet);
            std::unique_ptr<KATLABS> columnLabels = PrepareVariable(columns, r, dataSet, columnValues);
            std::unique_ptr<KATLABS> rowLabels = PrepareVariable(rows, c, dataSet, rowValues);
            auto *table =
                new XTABOBJECT(columnValues.get(), columnLabels.get(), rowValues.get(), rowLabels.get(), 0, dataSet);
            table->barChartOption = barChart;
            auto *text = new XTWIN(this, table);
            text->Update();
            const std::string title = "v" + std::to_string(columns.selection->variables[r]) + " v" +
                                      std::to_string(rows.selection->variables[c]);
            auto *page = new XtabPage(title.c_str());
            page->SetResultWindow(text);
            page->SetComputation(table);
            AddPage(page);
        }
    }
    return true;
}
