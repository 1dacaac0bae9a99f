#include "analyses/frequencies/FreqBook.h"

#include "analyses/frequencies/FRWIN.h"
#include "analyses/frequencies/FreqOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"
#include "shell/QIVprog.h"
#include "shell/VariableListWindow.h"
#include "stats/FREQOBJ.h"
#include "stats/StatClass.h"

#include <memory>
#include <string>

const GraphToolRow freqToolRows[2] = {{18, FreqBook::textGroup, "graph_hbars"}, {17, FreqBook::textGroup, "graph_pie"}};

FreqBook::FreqBook(FreqOption *option) : AnalysisBook(option, 0)
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

// Tool 0 the bar graph, tool 1 the pie graph (the page's graph kinds).
const FreqPage::GraphMaker graphs[] = {
    [](FREQOBJECT *distribution) -> ZafWindow * { return new FREQBAR(distribution, distribution->barOption); },
    [](FREQOBJECT *distribution) -> ZafWindow * { return new FREQPIE(distribution, distribution->pieOption); },
};

} // namespace

bool FreqBook::Build(long selectionHandle)
{
    ListChoice list;
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&list}, &dataSet))
        return false;

    auto *barOption = new FreqbarOption;
    auto *pieOption = new FreqpieOption;
    GraphOption *const graphRecords[] = {barOption, pieOption};
    AddGraphTools(freqToolRows, graphRecords, 2);
    StatusFieldsHidden hidden;

    if (!list.OfferGrouping(dataSet, StatText(titleTextNumber, textGroup), true))
        return false;
    for (int i = 0; i < list.Count(); ++i)
        AddVariablePage(dataSet, list, i, barOption, pieOption);
    return true;
}

void FreqBook::AddVariablePage(DATASET *dataSet, ListChoice &list, int i, FreqbarOption *barOption,
                               FreqpieOption *pieOption)
{
    auto *distribution = new FREQOBJECT(dataSet);
    distribution->workbook = this;
    distribution->barOption = barOption;
    distribution->pieOption = pieOption;
    std::unique_ptr<BUFFERTYPE> values = list.TakeValues(i, dataSet);
    bool grouped = false;
    std::unique_ptr<KATLABS> labels = list.Labels(i, dataSet, values, &grouped);
    if (grouped)
        distribution->groupedFlag = 1;
    BuildFrequencyDistribution(values.get(), distribution, labels.get());

    const std::string caption = PageCaption(list.Variable(i));
    auto *text = new FRWIN(caption.c_str());
    text->distribution = distribution;
    text->SetColumnWidth(static_cast<int>(static_cast<FreqOption *>(Option())->ColumnWidth()));
    auto *page = new FreqPage(caption.c_str(), graphs, 2);
    page->SetResultWindow(text);
    page->SetComputation(distribution);
    text->Update();
    AddPage(page);
}
