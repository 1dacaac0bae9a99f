#include "analyses/crosstab/BiplotBook.h"

#include "analyses/crosstab/BIPLOTWIN.h"
#include "analyses/crosstab/BiplotOption.h"
#include "graphs/BiplotInteractive.h"
#include "stats/BiplotReg.h"
#include "stats/StatClass.h"

#include <string>

namespace {

constexpr int scatterText = 5;
const BiplotPage::GraphMaker graphMakers[] = {
    [](BiplotReg *regression) -> ZafWindow * {
        auto *record = static_cast<BiplotOption *>(regression->option);
        return new BiplotInteractive(regression, record ? &record->displayWord : nullptr);
    },
};

} // namespace

BiplotPage::BiplotPage(const char *caption) : AnalysisPage<BiplotReg>(caption, graphMakers, 1)
{}

BiplotBook::BiplotBook(BiplotOption *option) : AnalysisBook(option, 1)
{
    // The analysis's menu text names the workbook.
    titleText = 20;
    titleGroup = 1;
}

BiplotOption *BiplotBook::Record() const
{
    return static_cast<BiplotOption *>(Option());
}

bool BiplotBook::Build(long selectionHandle)
{
    ListChoice xs, ys;
    if (!TakeLists(selectionHandle, {&xs, &ys}))
        return false;
    AddGraphTool(scatterText, biplotTextGroup, "graph_scatterplot", nullptr);
    AddPairPages(xs, ys, [this](long x, long y) {
        auto *page = new BiplotPage(PageCaption(x, y, " x ").c_str());
        auto *text = new BIPLOTWIN("");
        auto *regression =
            new BiplotReg(x, y, Record(), static_cast<std::uint32_t>(Record()->displayWord));
        text->SetComputation(regression, this);
        page->SetComputation(regression);
        text->WriteText();
        page->SetResultWindow(text);
        return page;
    });
    return true;
}
