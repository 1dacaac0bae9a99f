#include "analyses/crosstab/XTAB.h"

#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XTWIN.h"
#include "analyses/crosstab/XtabGrafikk.h"
#include "analyses/crosstab/XtabbarOption.h"
#include "analyses/crosstab/XtabOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "dataset/RegistrySettings.h"
#include "dataset/TextCatalog.h"
#include "stats/StatClass.h"

#include <memory>
#include <string>

namespace {

const GraphToolRow toolRows[] = {{31, xtabTextGroup, "graph_hbars"}};
const AnalysisPage<XTABOBJECT>::GraphMaker graphMakers[] = {[](XTABOBJECT *table) -> ZafWindow * {
    return new XtabSoyle(table, dynamic_cast<XtabbarOption *>(table->barChartOption), table->tableRecord);
}};

} // namespace

XtabPage::XtabPage(const char *caption) : AnalysisPage(caption, graphMakers, 1)
{}

XTAB::XTAB(XtabOption *option) : AnalysisBook(option, 0)
{}

XtabOption *XTAB::Record() const
{
    return static_cast<XtabOption *>(Option());
}

bool XTAB::Build(long selectionHandle)
{
    titleText = 0;
    titleGroup = xtabTextGroup;
    ListChoice rows, columns; // list 0 and list 1
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&rows, &columns}, &dataSet))
        return false;

    auto *barChart = new XtabbarOption;
    GraphOption *const graphRecords[] = {barChart};
    AddGraphTools(toolRows, graphRecords, 1);

    // The titles are copied: the offer may read texts of its own group.
    // Every variable of more than ten values is offered, labelled or not.
    const std::string rowTitle = StatText(3, xtabTextGroup);
    const std::string columnTitle = StatText(2, xtabTextGroup);
    if (!rows.OfferGrouping(dataSet, rowTitle.c_str(), false) ||
        !columns.OfferGrouping(dataSet, columnTitle.c_str(), false))
        return false;
    // The offers are over: the texts they read are loaded again when used.
    if (TextCatalog *catalog = GetStatTextCatalog())
        catalog->FreeGroup(-1);

    for (int r = 0; r < columns.Count(); ++r) {
        for (int c = 0; c < rows.Count(); ++c) {
            std::unique_ptr<BUFFERTYPE> columnValues = columns.TakeValues(r, dataSet);
            std::unique_ptr<BUFFERTYPE> rowValues = rows.TakeValues(c, dataSet);
            std::unique_ptr<KATLABS> columnLabels = columns.Labels(r, dataSet, columnValues);
            std::unique_ptr<KATLABS> rowLabels = rows.Labels(c, dataSet, rowValues);
            auto *table =
                new XTABOBJECT(columnValues.get(), columnLabels.get(), rowValues.get(), rowLabels.get(), 0, dataSet);
            table->barChartOption = barChart;
            table->tableRecord = Record();
            auto *text = new XTWIN(this, table);
            text->Update();
            auto *page = new XtabPage(PageCaption(columns.Variable(r), rows.Variable(c)).c_str());
            page->SetResultWindow(text);
            page->SetComputation(table);
            AddPage(page);
        }
    }
    return true;
}
