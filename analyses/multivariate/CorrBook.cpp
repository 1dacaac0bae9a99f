#include "analyses/multivariate/CorrBook.h"

#include "analyses/multivariate/CORRWIN.h"
#include "analyses/multivariate/CorrOption.h"
#include "graphs/MatplotOption.h"
#include "graphs/Matrixplot.h"
#include "stats/StatClass.h"

#include <string>
#include <vector>

namespace {

constexpr int matplotText = 37, matplotGroup = 33;
const GraphToolRow toolRows[] = {{matplotText, matplotGroup, "graph_matplot"}};

} // namespace

ZafWindow *CorrPage::CreateGraphWindow(int, StatOption *)
{
    Corr *corr = Computed();
    return corr ? new Matrixplot(corr, corr->variables.data(), corr->matplotOption) : nullptr;
}

CorrBook::CorrBook(CorrOption *option) : AnalysisBook(option, 0)
{
    titleText = 0;
    titleGroup = corrTextGroup;
}

CorrOption *CorrBook::Record() const
{
    return static_cast<CorrOption *>(Option());
}

bool CorrBook::Build(long selectionHandle)
{
    ListChoice list;
    if (!TakeLists(selectionHandle, {&list}))
        return false;
    auto *matplot = new MatplotOption;
    GraphOption *const graphRecords[] = {matplot};
    AddGraphTools(toolRows, graphRecords, 1);

    std::vector<long> variables;
    for (int i = 0; i < list.Count(); ++i)
        variables.push_back(list.Variable(i));
    variables.push_back(0);
    const std::string caption = ListCaption(variables);
    auto *corr = new Corr(variables.data(), static_cast<int>(Record()->missingMode), this, matplot);
    auto *text = new CORRWIN(StatText(0, corrTextGroup), corr, this);
    auto *page = new CorrPage(caption.c_str());
    page->SetResultWindow(text);
    page->SetComputation(corr);
    text->Update();
    AddPage(page);
    return true;
}
