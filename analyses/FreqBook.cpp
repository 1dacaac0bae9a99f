#include "analyses/FreqBook.h"

#include "analyses/AutoRecodeDialog.h"
#include "analyses/FRWIN.h"
#include "analyses/FreqOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/CategoryGrouping.h"
#include "dataset/KATLABS.h"
#include "dataset/ProgramSettings.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"
#include "shell/QIVprog.h"
#include "shell/VariableListWindow.h"
#include "stats/FREQOBJ.h"
#include "stats/StatClass.h"

#include <memory>
#include <string>
#include <vector>

FreqBook::FreqBook(FreqOption *option) : WorkBook(option, 0)
{
    titleText = titleTextNumber;
    titleGroup = textGroup;
}

namespace {

// Hides the main window's status fields while the pages are built.
class StatusFieldsHidden
{
public:
    StatusFieldsHidden() { SetStatusFieldsVisible(1); }
    ~StatusFieldsHidden() { SetStatusFieldsVisible(0); }
};

struct SelectionDeleter
{
    void operator()(VarSelection *selection) const { VarSelection::Free(selection); }
};

} // namespace

bool FreqBook::BuildPages()
{
    auto *record = dynamic_cast<FreqOption *>(Option());
    if (!record || !record->variableListWord)
        return false;
    std::unique_ptr<VarSelection, SelectionDeleter> selection(GetSelectedVariables(0));
    if (!selection || selection->count < 1)
        return false;
    DATASET *dataSet = ProgramSettings::Instance()->GetDataSet(0);
    if (!dataSet)
        return false;

    auto *barOption = new FreqbarOption;
    auto *pieOption = new FreqpieOption;
    barOption->LoadSettings(1);
    pieOption->LoadSettings(1);
    AddGraphTool(18, textGroup, "graph_hbars", barOption);
    AddGraphTool(17, textGroup, "graph_pie", pieOption);
    StatusFieldsHidden hidden;

    // One value list a variable; those with too many values are offered
    // for grouping (candidates hold their numbers, -1 for the others; both
    // lists end with 0).
    const int count = selection->count;
    std::vector<std::unique_ptr<BUFFERTYPE>> lists(count);
    std::vector<long> candidates(count + 1, 0), intervals(count + 1, 0);
    for (int i = 0; i < count; ++i) {
        const long variable = selection->variables[i];
        lists[i].reset(new LISTETYPE(dataSet, variable));
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(variable, dataSet));
        candidates[i] = ExceedsCategoryLimit(lists[i].get(), labels.get()) ? variable : -1;
    }
    if (!AutoRecodeDialog(candidates.data(), intervals.data(), StatText(titleTextNumber, textGroup)))
        return false;

    for (int i = 0; i < count; ++i) {
        const int grouping = candidates[i] >= 1 && intervals[i] >= 1 ? static_cast<int>(intervals[i]) : 0;
        AddVariablePage(dataSet, selection->variables[i], lists[i].release(), grouping, barOption, pieOption);
    }
    return true;
}

void FreqBook::AddVariablePage(DATASET *dataSet, long variable, BUFFERTYPE *values, int intervals,
                               FreqbarOption *barOption, FreqpieOption *pieOption)
{
    auto *distribution = new FREQOBJECT(dataSet);
    distribution->workbook = this;
    distribution->barOption = barOption;
    distribution->pieOption = pieOption;
    KATLABS *labels = KATLABS::ConstructAndRead(variable, dataSet);
    if (intervals > 0 && GroupIntoIntervals(&values, intervals, &labels))
        distribution->groupedFlag = 1;
    BuildFrequencyDistribution(values, distribution, labels);
    delete labels;
    delete values;

    const std::string caption = "v" + std::to_string(variable);
    auto *text = new FRWIN(caption.c_str());
    text->distribution = distribution;
    text->SetColumnWidth(static_cast<int>(static_cast<FreqOption *>(Option())->ColumnWidth()));
    auto *page = new FreqPage(caption.c_str());
    page->SetResultWindow(text);
    page->SetComputation(distribution);
    text->Update();
    AddPage(page);
}

ZafWindow *FreqPage::CreateGraphWindow(int kind, StatOption *)
{
    // The bar (0) and pie (1) graphs draw the page's distribution.
    auto *distribution = dynamic_cast<FREQOBJECT *>(Computation());
    if (!distribution)
        return nullptr;
    switch (kind) {
    case 0:
        return new FREQBAR(distribution, distribution->barOption);
    case 1:
        return new FREQPIE(distribution, distribution->pieOption);
    }
    return nullptr;
}
