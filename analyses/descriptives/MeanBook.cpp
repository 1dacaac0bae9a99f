#include "analyses/descriptives/MeanBook.h"

#include "analyses/descriptives/MeanOption.h"
#include "dataset/ProgramSettings.h"
#include "graphs/Desk1Graph.h"
#include "graphs/Desk1grafOption.h"
#include "stats/StatClass.h"

#include <string>

namespace {

const GraphToolRow toolRows[] = {{88, MeanBook::textGroup, "graph_freqpoly"}};

} // namespace

void MEANWIN::WriteResult()
{
    if (!computation)
        return;
    if (auto *record = computation->workbook ? dynamic_cast<MeanOption *>(computation->workbook->Option()) : nullptr)
        computation->statisticsMask = static_cast<unsigned long>(record->displayMask);
    MeanObj::WriteMeanTable(*computation, *this, MeanBook::textGroup);
}

ZafWindow *MeanPage::CreateGraphWindow(int, StatOption *)
{
    MEAN *mean = Computed();
    return mean ? new Desk1Graph(mean, mean->graphOption) : nullptr;
}

MeanBook::MeanBook(MeanOption *option) : AnalysisBook(option, 0)
{
    titleText = titleTextNumber;
    titleGroup = textGroup;
}

bool MeanBook::Build(long selectionHandle)
{
    ListChoice list;
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&list}, &dataSet))
        return false;
    auto *graphOption = new Desk1grafOption;
    GraphOption *const graphRecords[] = {graphOption};
    AddGraphTools(toolRows, graphRecords, 1);
    for (int i = 0; i < list.Count(); ++i) {
        const std::string caption = PageCaption(list.Variable(i));
        auto *page = new MeanPage(caption.c_str());
        auto *text = new MEANWIN(StatText(titleTextNumber, textGroup));
        auto *mean = new MEAN(list.Variable(i), dataSet);
        mean->Compute();
        mean->workbook = this;
        mean->graphOption = graphOption;
        text->computation = mean;
        page->SetResultWindow(text);
        page->SetComputation(mean);
        text->Update();
        AddPage(page);
    }
    return true;
}
