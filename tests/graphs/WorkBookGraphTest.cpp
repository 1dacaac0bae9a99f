// A graph on a workbook page: drawn on the screen, rebuilt when the options
// change and printed from the workbook. With MERVALO_SHOT set to a ".bmp"
// path the workbook's pixels are saved there for a look at it.
#include "GraphTestSupport.h"

#include "graphs/SKALA.h"
#include "shell/Page.h"
#include "shell/QivPrinter.h"
#include "shell/WorkBook.h"
#include "tests/support/PaintedWindow.h"
#include "zaf/controls/ZafNotebookTab.h"

#include <cstdio>
#include <cstdlib>

namespace {

using graphtest::GraphTest;
using graphtest::TestGraph;

// The test graph with two value axes, as a graph kind builds them.
class AxisGraph : public TestGraph
{
public:
    void BuildGraph() override
    {
        TestGraph::BuildGraph();
        double minimum = 0, maximum = 87;
        AddElement(new SKALA(AxisSpec(1000, 2000, 4000, 5000, 100), minimum, maximum));
        AxisSpec vertical(1000, 2000, 4000, 5000, 100);
        vertical.vertical = 1;
        vertical.grid = 1;
        vertical.gridGap = 50;
        double low = -0.3, high = 0.3;
        AddElement(new SKALA(vertical, low, high));
    }
};

class WorkBookGraphTest : public GraphTest
{
protected:
    WorkBookGraphTest()
    {
        ZafNotebookTab::InstallHooks();
        previousShow = WorkBook::SetShowHook(nullptr); // the window manager takes the book
        previousPrinterSource = WorkBook::PrinterSourceInForce();
    }
    ~WorkBookGraphTest() override
    {
        WorkBook::SetShowHook(previousShow);
        WorkBook::SetPrinterSource(previousPrinterSource);
        if (book && zafWindowManager->Contains(book))
            zafWindowManager->CloseWindow(book);
        Pump();
    }
    WorkBook *book = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
    WorkBook::PrinterSource previousPrinterSource = nullptr;
};

TEST_F(WorkBookGraphTest, PageShowsRebuildsAndPrintsItsGraph)
{
    book = new WorkBook(nullptr, 0);
    book->title = "Graph window";
    book->SetRegion(ZafRegionRect(2, 2, 63, 25, ZAF_CELL));
    auto *page = new Page("Graph");
    book->AddPage(page);
    auto *shown = new AxisGraph;
    page->AddGraphWindow(shown);
    book->CompleteToolBar();
    Pump();
    shown->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    InvalidateRect(shown->OSHandle(), nullptr, TRUE);
    UpdateWindow(shown->OSHandle());
    Pump();
    ASSERT_EQ(page->CurrentGraph(), static_cast<GraphPane *>(shown));
    // Built when shown, and again as the page gave it its size.
    const int shownBuilds = shown->builds;
    EXPECT_GE(shownBuilds, 1);
    // Through the window's own paint. Between two grid lines of the vertical
    // axis inside the box; inside the triangle; an empty place. Sampled at
    // logical points, whatever size the page gave the graph.
    const testsupport::Painted painted(shown->OSHandle());
    auto at = [&](int x, int y) { return painted.At(x * painted.Width() / 10000, y * painted.Height() / 10000); };
    EXPECT_EQ(at(2200, 2400), RGB(200, 40, 40));
    EXPECT_EQ(at(7500, 7500), RGB(40, 160, 60));
    EXPECT_EQ(at(9500, 6000), RGB(255, 255, 255));
    if (const char *shot = std::getenv("MERVALO_SHOT")) {
        EXPECT_TRUE(graphtest::Bitmap::SaveWindow(book->OSHandle(), shot));
    }

    // The option frame's apply rebuilds every graph of the book.
    book->RebuildEveryGraph();
    EXPECT_EQ(shown->builds, shownBuilds + 1);

    std::vector<std::string> texts;
    for (const graphtest::Record &r : graphtest::PrintedOnMetafile([&] { EXPECT_EQ(book->PrintCurrentPage(), 1); }))
        if (r.type == EMR_EXTTEXTOUTW)
            texts.push_back(r.text);
    // The page's own texts last; the axes' labels go with their groups.
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[texts.size() - 2], "Title");
    EXPECT_EQ(texts.back(), "Subtitle");
    EXPECT_NE(std::find(texts.begin(), texts.end(), "0.0"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "100"), texts.end());
}

} // namespace
