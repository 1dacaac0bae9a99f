// The two-way descriptives through the real windows: chosen in the
// variable-list window by its menu text, two analysis variables by three
// break variables run into six pages in the order (a1, b1), (a1, b2) ...;
// each page's text its own pair; graph kinds 0-3 give the four graphs and 4
// none; options applied in the frame rewrite every page (the sort and the
// tests) without computing the groups again.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/descriptives/ONEWAY.h"
#include "analyses/descriptives/OnewayOption.h"
#include "analyses/RegisterAnalyses.h"
#include "graphs/Desk2Graph.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/VariableListWindow.h"

#include <typeinfo>

namespace {

OnewayBook *shownBook = nullptr;

class OnewayBookTest : public analysestest::WindowTest
{
protected:
    OnewayBookTest()
    {
        OpenSurvey("data/oneway");
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        previousShow = WorkBook::SetShowHook([](WorkBook *book) {
            shownBook = dynamic_cast<OnewayBook *>(book);
            zafWindowManager->AddObject(book);
        });
        shownBook = nullptr;
    }
    ~OnewayBookTest() override
    {
        if (shownBook)
            Close(shownBook);
        Forget(window);
        RunQueued();
        WorkBook::SetShowHook(previousShow);
        FreeAnalysisRegistry();
    }
    ONEWAYWIN *Text(int page) { return dynamic_cast<ONEWAYWIN *>(shownBook->PageAt(page)->ResultWindow()); }
    void AddVariables(int list, std::initializer_list<long> variables)
    {
        bool first = true;
        for (long variable : variables) {
            ClickRow(window->VariableList(), static_cast<int>(variable - 1), first ? 0 : MK_CONTROL);
            first = false;
        }
        Press(window, ("BT_ADD" + std::to_string(list)).c_str());
    }

    VariableListWindow *window = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
};

TEST_F(OnewayBookTest, RunsAPagePerPairAndRewritesThemWhenTheOptionsChange)
{
    window = Open(new VariableListWindow(*userPersist, survey->DataSet(), RegisteredOptionsList.data(),
                                         static_cast<int>(RegisteredOptionsList.size())));
    const std::string name = StatText(16, 1);
    const LRESULT row = SendMessageA(window->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(name.c_str()));
    ASSERT_GE(row, 0) << name;
    ClickRow(window->AnalysisList(), static_cast<int>(row));
    ASSERT_NE(nullptr, dynamic_cast<OnewayOption *>(window->Option()));
    ASSERT_EQ(2, window->ListCount());
    // income and w analysed by region, single and z.
    AddVariables(0, {1, 4});
    AddVariables(1, {2, 3, 5});
    Press(window, VariableListWindow::runName);
    ASSERT_NE(nullptr, shownBook);
    ASSERT_EQ(6, shownBook->PageCount());
    EXPECT_EQ(4, shownBook->GraphToolCount());
    const long pairs[6][2] = {{1, 2}, {1, 3}, {1, 5}, {4, 2}, {4, 3}, {4, 5}};
    for (int i = 0; i < 6; ++i) {
        const ONEWAY *c = Text(i)->computation;
        EXPECT_EQ(pairs[i][0], c->analysisVariable);
        EXPECT_EQ(pairs[i][1], c->breakVariable);
        EXPECT_EQ(0u, Text(i)->Text().find("\r\n V" + std::to_string(pairs[i][0]) + " ")) << Text(i)->Text();
    }
    const char *const kinds[] = {typeid(Desk2Bar).name(), typeid(Desk2BoxWhisk).name(), typeid(Desk2ConfInt).name(),
                                 typeid(Desk2BarCode).name()};
    for (int kind = 0; kind < 5; ++kind) {
        std::unique_ptr<ZafWindow> graph(shownBook->PageAt(0)->CreateGraphWindow(kind, nullptr));
        if (kind < 4)
            EXPECT_TRUE(graph && typeid(*graph).name() == std::string(kinds[kind])) << kind;
        else
            EXPECT_EQ(nullptr, graph);
    }
    // Sort by mean, descending, and ask for the analysis of variance: the
    // stored groups are written again in the new order.
    ONEWAY *first = Text(0)->computation;
    first->groups[0].mean = 99.5; // North, changed by hand
    auto *frame = Open(new OptionWindowFrame(*userPersist, static_cast<OptionFrameBook *>(shownBook)));
    Press(frame, "SortMean");
    Press(frame, "SortDesc");
    Press(frame, "StatAnova");
    Press(frame, OptionWindowFrame::applyName);
    EXPECT_EQ(0x201u, first->sortCode);
    const std::string &text = Text(0)->Text();
    EXPECT_LT(text.find(" North  99.50"), text.find(" East "));
    EXPECT_NE(std::string::npos, text.find("Between groups"));
    EXPECT_NE(std::string::npos, Text(5)->Text().find("Between groups"));
}

} // namespace
