// Tables of many categories and computations that do not fit the memory
// budget: each ends with its failure status and a message that names what
// did not fit, never with a crash, and the data set computes normally again
// once the budget allows it.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "GoldenData.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/MemoryBudget.h"
#include "dataset/TextCatalog.h"
#include "stats/FREQOBJ.h"
#include "stats/GMultResp.h"
#include "stats/NTABOBJ.h"
#include "stats/StatMissing.h"
#include "stats/XTABOBJ.h"

namespace {

// 1 id: 0 .. 65,536 (65,537 categories); 2 half: id mod 65,536 (65,536
// categories); 3 g: id mod 3; 4 q1, 5 q2: answer codes id mod 7, id mod 5.
class ManyCategories : public ::testing::Test
{
protected:
    static constexpr long kCases = 65537;
    static void SetUpTestSuite()
    {
        std::string csv = "id,half,g,q1,q2\n";
        for (long c = 0; c < kCases; ++c)
            csv += std::to_string(c) + "," + std::to_string(c % 65536) + "," + std::to_string(c % 3) + "," +
                   std::to_string(c % 7) + "," + std::to_string(c % 5) + "\n";
        set = BuildDataSet("variable id\ntype i32\nvariable half\ntype i32\nvariable g\ntype u8\n"
                           "variable q1\ntype u8\nvariable q2\ntype u8\n",
                           csv, "many.QVF");
        catalog = new TextCatalog();
        catalog->Load((std::string(STATS_GOLDEN_DIR) + "/../../../lang/qivsteng.btx").c_str());
    }
    static void TearDownTestSuite()
    {
        SetStatTextCatalog(nullptr);
        delete catalog;
        delete set;
    }
    void SetUp() override
    {
        ASSERT_TRUE(set);
        SetStatTextCatalog(catalog);
    }
    void TearDown() override { MemoryBudget::SetLimitOverride(0); }
    static DATASET *set;
    static TextCatalog *catalog;
};
DATASET *ManyCategories::set = nullptr;
TextCatalog *ManyCategories::catalog = nullptr;

// 65,537 columns by 65,536 rows: 4,295,032,832 cells, which wraps to 65,536
// in 32 bits; the table is refused with its size instead of being
// allocated small and written past.
TEST_F(ManyCategories, ACrosstabOfMoreCellsThanATableCanNumberSaysSo)
{
    LISTETYPE id(set, 1), half(set, 2);
    XTABOBJ x(&id, nullptr, &half, nullptr, 0, set);
    EXPECT_EQ(x.status, XTABOBJ::kXtabTooManyCells);
    EXPECT_EQ(x.RowCount(), 0);
    EXPECT_EQ(x.ColumnCount(), 0);
    const std::string text = x.GetFailureText();
    EXPECT_NE(text.find("The crosstab of id by half"), std::string::npos) << text;
    EXPECT_NE(text.find("65,537 columns by 65,536 rows, 4,295,032,832 cells"), std::string::npos) << text;
    // The measures stay not computed on the empty table.
    x.ComputeChiSquareTest();
    x.ComputeOrdinalMeasures();
    EXPECT_EQ(x.chiSquare, kNotComputed);
    EXPECT_EQ(x.gamma, kNotComputed);
}

// A table of many categories on one side but few cells is stored by its
// cells: 65,537 x 3 holds 65,537 cells, not rows x columns of anything
// larger, and its figures follow from those cells.
TEST_F(ManyCategories, ACrosstabOfManyCategoriesHoldsOnlyItsCells)
{
    LISTETYPE id(set, 1), g(set, 3);
    XTABOBJ x(&g, nullptr, &id, nullptr, 0, set);
    ASSERT_EQ(x.status, XTABOBJ::kXtabCounted) << x.GetFailureText();
    EXPECT_EQ(x.RowCount(), 65537);
    EXPECT_EQ(x.ColumnCount(), 3);
    EXPECT_EQ(x.table.cells.size(), 65537u);
    EXPECT_EQ(x.total, 65537.0);
    EXPECT_EQ(x.Cell(4, 1), 1.0);
    EXPECT_EQ(x.Cell(4, 0), 0.0);
    x.ComputeChiSquareTest();
    // Every row holds one case in one column: chi-square = N (q - 1).
    EXPECT_NEAR(x.chiSquare, 65537.0 * 2, 1e-6);
    EXPECT_EQ(x.degreesOfFreedom, 65536L * 2);
}

struct BudgetCase
{
    const char *name;
    // Runs the computation; true when it reports that memory did not fit,
    // with its failure text in text.
    std::function<bool(DATASET *, std::string &text)> run;
    const char *names; // what the message must name
};

// With a budget far too small for the categories, every computation on
// tables stops with its memory status and the message, and the same
// computation succeeds afterwards with the normal budget.
TEST_F(ManyCategories, AComputationThatCannotGetItsMemorySaysWhatDidNotFit)
{
    const BudgetCase cases[] = {
        {"crosstab",
         [](DATASET *s, std::string &text) {
             LISTETYPE id(s, 1), g(s, 3);
             XTABOBJ x(&g, nullptr, &id, nullptr, 0, s);
             text = x.GetFailureText();
             return x.status == XTABOBJ::kXtabNoMemory && x.RowCount() == 0;
         },
         "The crosstab of g by id"},
        {"frequencies",
         [](DATASET *s, std::string &text) {
             LISTETYPE id(s, 1);
             FREQOBJ f(s);
             BuildFrequencyDistribution(&id, &f, nullptr);
             text = f.GetFailureText();
             return f.status == FREQOBJ::kFreqNoMemory && f.categoryCount == 0;
         },
         "The frequencies of id"},
        {"n-way",
         [](DATASET *s, std::string &text) {
             NTABOBJ t(s);
             const long controls[] = {3, 0};
             const bool done = t.ComputeForVariable(1, controls, 0);
             text = t.GetFailureText();
             return !done && t.dimensions.empty();
         },
         "The n-way table of id"},
        {"multiple response",
         [](DATASET *s, std::string &text) {
             const long items[] = {1, 2, 0};
             GMultRespFreq m(items, 1, 1, 0, 0, s);
             text = m.GetFailureText();
             return m.status == GMultResp::kMultNoMemory && m.Result()->categoryCount == 0;
         },
         "The multiple response of id"},
    };
    for (const BudgetCase &c : cases) {
        SCOPED_TRACE(c.name);
        MemoryBudget::SetLimitOverride(2 * 1024 * 1024);
        std::string text;
        EXPECT_TRUE(c.run(set, text));
        EXPECT_EQ(text.find(StatText(1, 34)), 0u) << text;
        EXPECT_NE(text.find(c.names), std::string::npos) << text;
        EXPECT_NE(text.find("of the budget of 2 MiB are free"), std::string::npos) << text;
        EXPECT_EQ(MemoryBudget::ChargedBytes(), 0u);
        MemoryBudget::SetLimitOverride(0);
        EXPECT_FALSE(c.run(set, text)) << text;
        EXPECT_EQ(text, "");
    }
}

// The n-way table's cell count is the product of its dimensions'
// categories, checked before it overflows.
TEST_F(ManyCategories, AnNwayTableOfTooManyCellsSaysSo)
{
    NTABOBJ t(set);
    const long controls[] = {2, 0};
    EXPECT_FALSE(t.ComputeForVariable(1, controls, 0));
    EXPECT_NE(std::string(t.GetFailureText()).find("more than 2,147,483,647 cells"), std::string::npos)
        << t.GetFailureText();
    EXPECT_TRUE(t.dimensions.empty());
}

} // namespace
