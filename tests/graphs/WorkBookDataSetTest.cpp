// A workbook outlives its data set: a descriptive graph on a workbook page,
// built again after another data set was made current, draws what it drew
// before (its bar code and caption read the data set it was computed on),
// and that data set stays open until the workbook is closed.
#include "GraphTestSupport.h"

#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/ProgramSettings.h"
#include "graphs/Desk1Graph.h"
#include "graphs/ElementDump.h"
#include "shell/Page.h"
#include "shell/WorkBook.h"
#include "stats/MeanObj.h"
#include "tests/support/TempDirectory.h"
#include "zaf/controls/ZafNotebookTab.h"

#include <string>

namespace {

using graphtest::GraphTest;

class WorkBookDataSetTest : public GraphTest
{
protected:
    WorkBookDataSetTest()
    {
        ZafNotebookTab::InstallHooks();
        previousShow = WorkBook::SetShowHook(nullptr);
        first = Write("first.QVF", "variable height\nlabel Height in cm\ntype double\n",
                      "height\n150\n162.5\n171\n180\n158\n");
        second = Write("second.QVF", "variable code\nlabel Region code\ntype u8\nvariable n\ntype u8\n",
                       "code,n\n1,7\n2,9\n");
    }
    ~WorkBookDataSetTest() override
    {
        WorkBook::SetShowHook(previousShow);
        if (book && zafWindowManager->Contains(book))
            zafWindowManager->CloseWindow(book);
        Pump();
        ProgramSettings::Instance()->CloseDataSet();
    }
    std::string Write(const char *name, const char *description, const char *csv)
    {
        const std::string path = directory.File(name);
        DataSetBuilder builder;
        EXPECT_EQ(0, builder.ReadDescription(description));
        EXPECT_EQ(0, builder.ReadCsv(csv));
        EXPECT_EQ(0, builder.Write(path.c_str())) << builder.GetErrorText();
        return path;
    }
    // Opened with its lock, as the program opens a data set.
    static DATASET *MakeCurrent(const std::string &path)
    {
        DATASET *dataSet = OpenDataSet(path.c_str());
        EXPECT_NE(nullptr, dataSet) << path;
        ProgramSettings::Instance()->SetDataSet(dataSet);
        return dataSet;
    }

    testsupport::TempDirectory directory{"mervalobookset"};
    std::string first, second;
    WorkBook *book = nullptr;
    WorkBook::ShowHook previousShow = nullptr;
};

TEST_F(WorkBookDataSetTest, AGraphBuiltAfterAnotherDataSetOpenedDrawsAsBefore)
{
    ProgramSettings *settings = ProgramSettings::Instance();
    DATASET *made = MakeCurrent(first);
    ASSERT_NE(nullptr, made);
    book = new WorkBook(nullptr, 0);
    book->title = "Descriptives";
    auto *page = new Page("v1");
    auto *computation = new MeanObj(1);
    ASSERT_TRUE(computation->Compute());
    page->SetComputation(computation);
    book->AddPage(page);
    auto *graph = new Desk1Graph(computation, Desk1Graph::defaultMask);
    page->AddGraphWindow(graph);
    book->CompleteToolBar();
    Pump();
    graph->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    Pump();
    // Built again as the option frame does, before and after.
    graph->ClearElements();
    graph->BuildGraph();
    const std::string before = DumpElements(*graph);
    // The caption names the variable of the data set it was computed on.
    ASSERT_NE(std::string::npos, before.find("height: Height in cm")) << before;
    EXPECT_EQ(1, settings->HoldCount(made));

    MakeCurrent(second);
    EXPECT_EQ(1, settings->RetiredCount()) << "kept open for the workbook";
    graph->ClearElements();
    graph->BuildGraph();
    EXPECT_EQ(before, DumpElements(*graph));

    // Closed, the workbook lets its data set go: its lock goes with it, so
    // that it opens with a lock again.
    zafWindowManager->CloseWindow(book);
    book = nullptr;
    Pump();
    EXPECT_EQ(0, settings->RetiredCount());
    EXPECT_EQ(0, settings->HoldCount(made));
    DATASET again;
    EXPECT_EQ(0, again.Open(first.c_str())) << again.GetErrorText();
    again.CloseFiles();
}

TEST_F(WorkBookDataSetTest, ADataSetOpenedAgainWhileAWorkbookHoldsItIsTheSameOne)
{
    ProgramSettings *settings = ProgramSettings::Instance();
    DATASET *made = MakeCurrent(first);
    ASSERT_NE(nullptr, made);
    book = new WorkBook(nullptr, 0);
    auto *page = new Page("v1");
    page->SetComputation(new MeanObj(1));
    book->AddPage(page);
    MakeCurrent(second);
    // Its lock is held: opening its files anew would fail; the retired one
    // becomes current again instead.
    EXPECT_EQ(nullptr, settings->TakeRetiredDataSet(second.c_str()));
    EXPECT_EQ(made, settings->TakeRetiredDataSet(first.c_str()));
    EXPECT_EQ(made, settings->GetDataSet(0));
    EXPECT_EQ(0, settings->RetiredCount()) << "the second one had no holder and is gone";
    // Replacing a computation moves the hold to the new one's data set.
    page->SetComputation(nullptr);
    EXPECT_EQ(0, settings->HoldCount(made));
    EXPECT_EQ(made, settings->GetDataSet(0)) << "the current one is never deleted by a release";
}

} // namespace
