#include "analyses/paired/TtestParBook.h"

#include "analyses/paired/TTESTWIN.h"
#include "analyses/paired/TtestParOption.h"
#include "graphs/DuoPoly.h"
#include "graphs/DuoPolyOption.h"

namespace {

const GraphToolRow toolRows[] = {{5, ttestTextGroup, "graph_freqpoly"}};

// The graphs of a page, at their tools' positions: the frequency polygons
// of the pair with the book's shared record.
const TtestParPage::GraphMaker graphMakers[] = {
    [](TtestPar *c) -> ZafWindow * {
        return new DuoPoly(c, c->firstVariable, c->secondVariable, c->duoPolyOption);
    },
};

} // namespace

TtestParPage::TtestParPage(const char *caption) : AnalysisPage<TtestPar>(caption, graphMakers, 1)
{}

ZafWindow *TtestParPage::CreateGraphWindow(int, StatOption *argument)
{
    return AnalysisPage<TtestPar>::CreateGraphWindow(0, argument);
}

TtestParBook::TtestParBook(TtestParOption *option) : AnalysisBook(option, 0)
{}

TtestParOption *TtestParBook::Record() const
{
    return static_cast<TtestParOption *>(Option());
}

bool TtestParBook::Build(long selectionHandle)
{
    titleText = 0;
    titleGroup = ttestTextGroup;
    ListChoice firsts, seconds;
    if (!TakeLists(selectionHandle, {&firsts, &seconds}))
        return false;

    polygonOption = new DuoPolyOption;
    GraphOption *const graphRecords[] = {polygonOption};
    AddGraphTools(toolRows, graphRecords, 1);

    AddPairPages(firsts, seconds, [this](long first, long second) {
        auto *computation = new TtestPar(first, second, 1);
        computation->book = this;
        computation->duoPolyOption = polygonOption;
        auto *text = new TTESTWIN(computation);
        text->Update();
        auto *page = new TtestParPage(PageCaption(first, second, " x ").c_str());
        page->SetResultWindow(text);
        page->SetComputation(computation);
        return page;
    });
    return true;
}
