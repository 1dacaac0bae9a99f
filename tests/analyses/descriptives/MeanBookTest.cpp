// The one-way descriptives through the real windows: chosen in the
// variable-list window, three variables run into three pages in selection
// order, each page's text the table of its own computation; a changed mask
// applied in the option frame rewrites the texts from the stored figures;
// every graph kind of a page is the one-way graph.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/descriptives/MeanBook.h"
#include "analyses/descriptives/MeanOption.h"
#include "analyses/RegisterAnalyses.h"
#include "graphs/Desk1Graph.h"
#include "shell/AnalysisRegistry.h"
#include "shell/OptionWindowFrame.h"
#include "shell/VariableListWindow.h"

namespace {

MeanBook *shownBook = nullptr;

class MeanBookTest : public analysestest::WindowTest
{
protected:
    MeanBookTest()
    {
        OpenSurvey("data/desc");
        RegisterAnalyses();
        BuildAnalysisRegistry(&texts.catalog);
        previousShow = WorkBook::SetShowHook([](WorkBook *book) {
            shownBook = dynamic_cast<MeanBook *>(book);
            zafWindowManager->AddObject(book);
        });
        shownBook = nullptr;
    }
    ~MeanBookTest() override
    {
        if (shownBook)
            Close(shownBook);
        Forget(window);
        RunQueued();
        WorkBook::SetShowHook(previousShow);
        FreeAnalysisRegistry();
    }
    MEANWIN *Text(int page) { return dynamic_cast<MEANWIN *>(shownBook->PageAt(page)->ResultWindow()); }

    VariableListWindow *window = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
};

TEST_F(MeanBookTest, RunsAPagePerVariableAndRewritesThemWhenTheMaskChanges)
{
    window = Open(new VariableListWindow(*userPersist, survey->DataSet(), RegisteredOptionsList.data(),
                                         static_cast<int>(RegisteredOptionsList.size())));
    ClickRow(window->AnalysisList(), 1); // after the frequency table
    ASSERT_NE(nullptr, dynamic_cast<MeanOption *>(window->Option()));
    for (int row : {2, 0, 4})
        ClickRow(window->VariableList(), row, row == 2 ? 0 : MK_CONTROL);
    Press(window, "BT_ADD0");
    const std::vector<long> chosen = window->ListVariables(0);
    Press(window, VariableListWindow::runName);
    ASSERT_NE(nullptr, shownBook);
    ASSERT_EQ(3, shownBook->PageCount());
    EXPECT_EQ(1, shownBook->GraphToolCount());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Text(i)->computation->variableNumber, chosen[i]);
        EXPECT_EQ(0u, Text(i)->Text().find("\r\n V" + std::to_string(chosen[i]) + " ")) << Text(i)->Text();
        for (int kind : {0, 1, 7}) {
            std::unique_ptr<ZafWindow> graph(shownBook->PageAt(i)->CreateGraphWindow(kind, nullptr));
            EXPECT_NE(nullptr, dynamic_cast<Desk1Graph *>(graph.get())) << kind;
        }
    }
    // Apply the 95 % interval on the open book: the stored figures are
    // written again (a figure changed by hand shows).
    Text(0)->computation->record.lower95 = 12.5;
    auto *frame = Open(new OptionWindowFrame(*userPersist, static_cast<OptionFrameBook *>(shownBook)));
    Press(frame, "DIS_CONFINT95");
    Press(frame, OptionWindowFrame::applyName);
    EXPECT_EQ(31u | 0x20u, Text(0)->computation->statisticsMask);
    EXPECT_NE(std::string::npos, Text(0)->Text().find(" 12.50\r"));
}

} // namespace
