// The computation objects' own behaviour on small data sets: report texts,
// selection and weights, the weight report, distribution records, the
// category-label check, multiple response and n-way tables.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <cstring>
#include <map>
#include <memory>
#include <string>

#include "GoldenData.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/SelectRec.h"
#include "dataset/TextCatalog.h"
#include "stats/CategoryLabelCheck.h"
#include "stats/FREQOBJ.h"
#include "stats/GMultResp.h"
#include "stats/MeanObj.h"
#include "stats/NTABOBJ.h"
#include "stats/PairedTests.h"
#include "stats/RegObj.h"
#include "stats/RegressionKernel.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"
#include "stats/StatOption.h"

namespace {

// 1 q1, 2 q2, 3 q3 (same labels as q1), 4 x, 5 y, 6 w, 7 g, 8 d1, 9 d2
const char kDescription[] = "categories answers\nvalue 1 = red\nvalue 2 = green\nvalue 3 = blue\n"
                            "variable q1\ntype u8\nwidth 2\nmissing 9\nlabels answers\n"
                            "variable q2\ntype u8\nmissing 9\nlabels answers\n"
                            "variable q3\ntype u8\nmissing 8\nlabels answers\n"
                            "variable x\ntype double\nlabel the x values\n"
                            "variable y\ntype double\n"
                            "variable w\ntype double\ndecimals 1\n"
                            "variable g\ntype u8\nvalue 1 = one\nvalue 2 = two\n"
                            "variable d1\ntype u8\n"
                            "variable d2\ntype u8\n";

const char kValues[] = "q1,q2,q3,x,y,w,g,d1,d2\n"
                       "1,2,,1.5,3.5,1,1,1,0\n"
                       "2,3,1,2.5,4.5,2,1,1,1\n"
                       "1,,2,4,6,1,2,0,1\n"
                       "9,1,3,7,9,0.5,2,1,0\n"
                       "3,3,,2,4,1,1,1,1\n"
                       "2,1,9,9,11,3,2,0,0\n";

class StatObjects : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        plain = BuildDataSet(kDescription, kValues, "objects.QVF");
        weighted = BuildDataSet(std::string(kDescription) + "weight w\n", kValues, "objects_w.QVF");
        catalog = new TextCatalog();
        std::string lang = std::string(STATS_GOLDEN_DIR) + "/../../../lang/qivsteng.btx";
        catalog->Load(lang.c_str());
    }
    static void TearDownTestSuite()
    {
        SetStatTextCatalog(nullptr);
        delete catalog;
        delete plain;
        delete weighted;
    }
    void SetUp() override
    {
        ASSERT_TRUE(plain && weighted);
        SetStatTextCatalog(catalog);
    }
    static DATASET *plain, *weighted;
    static TextCatalog *catalog;
};

DATASET *StatObjects::plain = nullptr;
DATASET *StatObjects::weighted = nullptr;
TextCatalog *StatObjects::catalog = nullptr;

TEST_F(StatObjects, ReportHeaderCountsCasesAndNamesTheWeight)
{
    StatClass unweighted(plain);
    EXPECT_FALSE(unweighted.IsWeighted());
    EXPECT_STREQ(unweighted.BuildFilterText(), "");
    EXPECT_STREQ(unweighted.GetReportHeader(6), "Number of cases: 6");
    StatClass w(weighted);
    ASSERT_TRUE(w.IsWeighted());
    EXPECT_EQ(w.WeightDecimals(), 1);
    EXPECT_NE(std::strstr(w.GetReportHeader(8.5), "Number of cases: 8"), nullptr);
    EXPECT_NE(std::strstr(w.GetReportHeader(8.5), "Weight: w"), nullptr);
    // The cached text follows the count asked for.
    EXPECT_NE(std::strstr(w.GetReportHeader(3), "Number of cases: 3"), nullptr);
}

// A weighted total of cases weighing 1e300 each reads in exponent form, as
// the frequency column prints it, not as 303 digits.
TEST_F(StatObjects, ReportHeaderGivesAHugeTotalInExponentForm)
{
    StatClass w(weighted);
    const std::string header = w.GetReportHeader(7e300);
    EXPECT_EQ(header.substr(0, header.find('\r')), "Number of cases: " + FormatFigure(7e300, 0));
    EXPECT_NE(header.find("e+300"), std::string::npos);
    EXPECT_STREQ(w.GetReportHeader(1e14), ("Number of cases: 100000000000000\r\n " + std::string(w.BuildFilterText())).c_str());
}

// A weighted total past the largest double: the mark and the language
// file's reason stand for the count, and a translated reason is the one
// printed.
TEST_F(StatObjects, ReportHeaderGivesTheReasonOfATotalPastTheLargestDouble)
{
    StatClass w(weighted);
    std::string header = w.GetReportHeader(HUGE_VAL);
    EXPECT_EQ(header.substr(0, header.find('\r')),
              std::string("Number of cases: --- (") + catalog->GetText(30, 0) + ")");
    EXPECT_EQ(std::string(catalog->GetText(30, 0)), "weights too large to sum");
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    const std::string file = std::string(path) + "qivstxwt.btx";
    {
        std::FILE *f = std::fopen(file.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fputs("0.21\tCases: %.0f\n0.30\tGewichte zu gross\n", f);
        std::fclose(f);
    }
    TextCatalog translated;
    ASSERT_TRUE(translated.Load(file.c_str())) << translated.ErrorText();
    SetStatTextCatalog(&translated);
    StatClass again(weighted);
    header = again.GetReportHeader(HUGE_VAL);
    SetStatTextCatalog(catalog);
    std::remove(file.c_str());
    EXPECT_EQ(header.substr(0, header.find('\r')), "Cases: --- (Gewichte zu gross)");
}

TEST_F(StatObjects, CorrelationKindTextFollowsTheStatusCodes)
{
    EXPECT_STREQ(CorrelationKindText(8), catalog->GetText(5, 34));
    EXPECT_STREQ(CorrelationKindText(6), catalog->GetText(10, 34));
    EXPECT_STREQ(CorrelationKindText(14), catalog->GetText(11, 34));
    EXPECT_STREQ(CorrelationKindText(1), "");
    EXPECT_STREQ(CorrelationKindText(15), "");
    SetStatTextCatalog(nullptr);
    EXPECT_STREQ(CorrelationKindText(2), "**ERROR**");
}

TEST_F(StatObjects, CaseWeightsDropZeroWeightsAndUnselectedCases)
{
    StatClass w(weighted);
    std::vector<double> weights;
    ASSERT_TRUE(w.LoadCaseWeights(weights));
    ASSERT_EQ(weights.size(), 6u);
    EXPECT_EQ(weights[3], 0.5);
    EXPECT_EQ(weights[5], 3.0);

    std::unique_ptr<DATASET> selected(
        BuildDataSet(std::string(kDescription) + "variable s\ntype u8\nselection s first cases\n",
                     "q1,q2,q3,x,y,w,g,d1,d2,s\n1,2,,1.5,3.5,1,1,1,0,1\n2,3,1,2.5,4.5,2,1,1,1,0\n"
                     "1,,2,4,6,1,2,0,1,1\n",
                     "selected.QVF"));
    ASSERT_TRUE(selected);
    ASSERT_TRUE(selected->GetActiveSelection()->IsActive());
    StatClass s(selected.get());
    ASSERT_TRUE(s.LoadCaseWeights(weights));
    EXPECT_EQ(weights[1], 0.0);
    EXPECT_STREQ(s.BuildFilterText(), "first cases");
    MeanObj m(4, selected.get());
    ASSERT_TRUE(m.Compute());
    EXPECT_EQ(m.record.count, 2);
    EXPECT_DOUBLE_EQ(m.record.mean, 2.75);
}

// Cases in the selection whose weight is zero, negative or missing are left
// out and counted once for the run, whichever computations walk them.
TEST(StatObjectWeights, CasesLeftOutForTheirWeightAreReportedOncePerRun)
{
    std::unique_ptr<DATASET> set(BuildDataSet("variable x\ntype double\nvariable w\ntype double\nvariable s\ntype u8\n"
                                              "weight w\nselection s first five\n",
                                              "x,w,s\n1,1,1\n2,0,1\n3,-2,1\n4,,1\n5,1.5,1\n6,0,0\n", "badweights.QVF"));
    ASSERT_TRUE(set);
    TakeRunWeightReport();
    MeanObj m(1, set.get());
    ASSERT_TRUE(m.Compute());
    EXPECT_EQ(m.record.count, 2);
    EXPECT_EQ(m.ExcludedWeightCases(), 3); // case 6 is outside the selection
    EXPECT_EQ(m.WeightStatus(), kWeightExclusionStatus);
    StatClass other(set.get());
    std::vector<double> weights;
    ASSERT_TRUE(other.LoadCaseWeights(weights));
    EXPECT_EQ(other.ExcludedWeightCases(), 3);
    const WeightReport report = TakeRunWeightReport();
    EXPECT_EQ(report.status, kWeightExclusionStatus);
    EXPECT_EQ(report.excludedCases, 3);
    EXPECT_EQ(TakeRunWeightReport().status, 0);

    std::unique_ptr<DATASET> good(BuildDataSet("variable x\ntype double\nvariable w\ntype double\nweight w\n",
                                               "x,w\n1,1\n2,2\n", "goodweights.QVF"));
    ASSERT_TRUE(good);
    MeanObj fine(1, good.get());
    ASSERT_TRUE(fine.Compute());
    EXPECT_EQ(fine.WeightStatus(), 0);
    EXPECT_EQ(TakeRunWeightReport().excludedCases, 0);
}

// The multiple-response and n-way computations count the same left-out
// cases as the others, so that the run's report names them too.
TEST(StatObjectWeights, MultipleResponseAndNwayTablesReportCasesLeftOutForTheirWeight)
{
    std::unique_ptr<DATASET> set(BuildDataSet("variable x\ntype u8\nvariable y\ntype u8\nvariable w\ntype double\n"
                                              "weight w\n",
                                              "x,y,w\n1,1,1\n2,1,0\n1,2,-2\n2,2,\n1,1,1.5\n", "badweights_mr.QVF"));
    ASSERT_TRUE(set);
    const long items[] = {1, 2, 0};
    TakeRunWeightReport();
    GMultRespFreq categories(items, 1, 1, 0, 0, set.get());
    EXPECT_EQ(categories.ExcludedWeightCases(), 3);
    EXPECT_EQ(TakeRunWeightReport().excludedCases, 3);
    GMultRespDiko dichotomies(items, 1, 1, ValueRangeList{{1, 1}}, set.get());
    EXPECT_EQ(dichotomies.ExcludedWeightCases(), 3);
    EXPECT_EQ(TakeRunWeightReport().status, kWeightExclusionStatus);
    NTABOBJ table(set.get());
    const long controls[] = {2, 0};
    ASSERT_TRUE(table.ComputeForVariable(1, controls, 0));
    EXPECT_EQ(table.ExcludedWeightCases(), 3);
    EXPECT_EQ(TakeRunWeightReport().excludedCases, 3);
}

TEST_F(StatObjects, FrequencyDistributionGrowsHeadingsAndSortsRecords)
{
    FREQOBJ f(plain);
    EXPECT_STREQ(f.CategoryAt(0), "");
    for (int i = 0; i < 11; ++i) {
        char text[8];
        std::snprintf(text, sizeof text, "h%d", i);
        f.AppendCategory(text);
    }
    f.AppendCategory(nullptr);
    EXPECT_EQ(f.headingCapacity, 20);
    EXPECT_STREQ(f.CategoryAt(9), "h9");
    EXPECT_STREQ(f.CategoryAt(10), "h10");
    EXPECT_STREQ(f.CategoryAt(11), "");
    EXPECT_STREQ(f.CategoryAt(99), "");

    LISTETYPE list(weighted, 1);
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(1, weighted));
    FREQOBJ d(weighted);
    BuildFrequencyDistribution(&list, &d, labels.get());
    EXPECT_EQ(d.realValued, 1);
    EXPECT_EQ(d.valueWidth, 4);
    ASSERT_EQ(d.categoryCount, 4);
    EXPECT_STREQ(d.categories[0].label, "red");
    EXPECT_EQ(d.categories[0].count, 0); // weighted: counts are 0
    EXPECT_EQ(d.categories[0].frequency, 2.0);
    EXPECT_EQ(d.categories[3].validPercent, -1.0); // 9 is user-missing
    std::qsort(d.categories, d.categoryCount, sizeof(FreqCategory), CompareByCountDescending);
    EXPECT_EQ(d.categories[0].frequency, 5.0); // code 2: weights 2 + 3
    std::qsort(d.categories, d.categoryCount, sizeof(FreqCategory), CompareByRealValueDescending);
    EXPECT_EQ(d.categories[0].value.real, 9.0);
    EXPECT_STREQ(d.CategoryAt(0), "q1: ");
}

// A double column of a damaged or foreign file may hold NaN or infinity
// bytes; the computation is refused (the value list names the variable and
// the case) rather than given figures without those cases or spoilt by NaN.
TEST(StatClassValues, NonFiniteValuesInTheFileRefuseTheComputation)
{
    std::unique_ptr<DATASET> set(BuildDataSet("variable x\ntype double\n", "x\n1\n2\n3\n4\n", "nonfinite.QVF"));
    ASSERT_TRUE(set);
    const long long column = set->GetVariable(1)->columnStart;
    set.reset();
    FILE *f = std::fopen("nonfinite.QVF", "r+b");
    ASSERT_NE(f, nullptr);
    const double bad[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
    ASSERT_EQ(std::fseek(f, static_cast<long>(column + 8), SEEK_SET), 0);
    ASSERT_EQ(std::fwrite(bad, sizeof bad, 1, f), 1u);
    std::fclose(f);
    int error = 0;
    set.reset(OpenDataSet("nonfinite.QVF", &error, DATASET_READONLY));
    ASSERT_TRUE(set) << error;
    MeanObj m(1, set.get());
    EXPECT_FALSE(m.Compute());
    EXPECT_EQ(m.record.count, 0);
    // The descriptives say why they have no figures.
    EXPECT_NE(std::string(m.GetFailureText()).find("variable x, case 2"), std::string::npos) << m.GetFailureText();
    FREQOBJ distribution(set.get());
    LISTETYPE values(set.get(), 1);
    BuildFrequencyDistribution(&values, &distribution, nullptr);
    EXPECT_EQ(distribution.status, FREQOBJ::kFreqUnreadable);
    EXPECT_NE(std::string(distribution.GetFailureText()).find("variable x, case 2"), std::string::npos)
        << distribution.GetFailureText();
}

TEST_F(StatObjects, CategoryLabelCheckGivesItsReasons)
{
    int reason = -1;
    const long same[] = {1, 2, 0};
    EXPECT_TRUE(HaveSameCategoryLabels(same, plain, &reason));
    EXPECT_EQ(reason, 0);
    const long missing[] = {1, 3, 0};
    EXPECT_FALSE(CheckSameCategoryLabels(missing, plain, &reason));
    EXPECT_EQ(reason, 3);
    const long count[] = {1, 7, 0};
    EXPECT_FALSE(HaveSameCategoryLabels(count, plain, &reason));
    EXPECT_EQ(reason, 1);
    const long none[] = {1, 99, 0};
    EXPECT_FALSE(HaveSameCategoryLabels(none, plain, &reason));
    EXPECT_EQ(reason, 2);
}

TEST_F(StatObjects, CategoryCodedMultipleResponseCountsAnswersOnTwoBases)
{
    const long set[] = {1, 2, 0};
    GMultRespFreq m(set, 1, 1, 0, 0, plain);
    const FREQOBJ *r = m.Result();
    ASSERT_NE(r, nullptr);
    // Answers: q1 1 2 1 - 3 2, q2 2 3 - 1 3 1: codes 1 x4, 2 x3, 3 x3.
    ASSERT_EQ(m.categoryCount, 3);
    EXPECT_EQ(r->categories[0].count, 4);
    EXPECT_STREQ(r->categories[1].label, "green");
    EXPECT_DOUBLE_EQ(r->categories[0].validPercent, 40.0);
    EXPECT_EQ(m.caseCount, 6.0);
    EXPECT_STREQ(r->CategoryAt(1), "q2: ");
    EXPECT_STREQ(r->CategoryAt(2), "");
    m.percentageBase = 0;
    m.FinishPercentages();
    EXPECT_DOUBLE_EQ(m.Result()->categories[0].validPercent, 400.0 / 6);
    m.pairwise = 0; // listwise: cases 3 (q2 empty) and 4 (q1 = 9) go
    m.Recompute();
    EXPECT_EQ(m.caseCount, 4.0);
    m.includeUserMissing = true;
    m.Recompute();
    EXPECT_EQ(m.caseCount, 5.0);
    EXPECT_EQ(m.categoryCount, 4); // the code 9 now counts as an answer
}

TEST_F(StatObjects, DichotomyMultipleResponseCountsValuesInTheRanges)
{
    const long set[] = {8, 9, 0};
    ValueRangeList one = {{1, 1}};
    GMultRespDiko m(set, 1, 1, one, weighted);
    const FREQOBJ *r = m.Result();
    ASSERT_EQ(m.categoryCount, 2);
    // d1 = 1 in cases 1, 2, 4, 5 (weights 1, 2, 0.5, 1); d2 = 1 in 2, 3, 5.
    EXPECT_DOUBLE_EQ(r->categories[0].frequency, 4.5);
    EXPECT_DOUBLE_EQ(r->categories[1].frequency, 4.0);
    EXPECT_DOUBLE_EQ(m.caseCount, 5.5);
    EXPECT_DOUBLE_EQ(r->categories[0].validPercent, 4.5 * 100 / 8.5);
    m.percentageBase = 2;
    m.FinishPercentages();
    EXPECT_DOUBLE_EQ(m.Result()->categories[1].validPercent, 4.0 * 100 / 8.5);
    ValueRangeList none = {{5, 7}};
    GMultRespDiko empty(set, 0, 1, none, plain);
    EXPECT_EQ(empty.Result()->categories[0].validPercent, -1.0);
}

TEST_F(StatObjects, NwayTableNestsControlCategoriesAndPercentagesPerColumn)
{
    NTABOBJ t(plain);
    const long controls[] = {7, 0};
    ASSERT_TRUE(t.ComputeForVariable(8, controls, 0));
    EXPECT_EQ(t.tableKind, 1);
    ASSERT_EQ(t.dimensions.size(), 2u);
    EXPECT_EQ(t.dimensions[0].categories[1].label, "two");
    EXPECT_EQ(t.root.keyKind, NtabLevel::kInteger);
    // g = 1: d1 1, 1, 1; g = 2: d1 0, 1, 0.
    const double g2d0[] = {2, 0};
    const NtabCell *cell = t.FindCell(g2d0);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->count, 2.0);
    EXPECT_DOUBLE_EQ(cell->percents[0], 200.0 / 3);
    EXPECT_DOUBLE_EQ(cell->percents[1], 200.0 / 6);
    const double g1d0[] = {1, 0};
    EXPECT_EQ(t.FindCell(g1d0), nullptr); // no case: no cell
    const double g2d1[] = {2, 1};
    EXPECT_DOUBLE_EQ(t.FindCell(g2d1)->percents[2], 100.0);
    EXPECT_FALSE(t.CanRecompute());

    NTABOBJ set(plain);
    const long members[] = {1, 2, 0};
    ASSERT_TRUE(set.ComputeForTwoLists(members, controls, 0));
    EXPECT_TRUE(set.CanRecompute());
    const double g1code3[] = {1, 3};
    // g = 1 (cases 1, 2, 5): answers 1 2 | 2 3 | 3 3: code 3 three times of 3 cases.
    EXPECT_DOUBLE_EQ(set.FindCell(g1code3)->percents[0], 100.0);
    set.percentageBase = 0;
    ASSERT_TRUE(set.Recompute());
    EXPECT_DOUBLE_EQ(set.FindCell(g1code3)->percents[0], 50.0); // of 6 answers
    EXPECT_EQ(set.lastPercentageBase, 0);
}

// Forward selection leaves out b, which lacks values in two cases: the
// residuals still rest on the listwise cases of the whole analysis.
TEST(StatObjectRegression, ResidualsOfAStepRestOnTheAnalysisCases)
{
    std::unique_ptr<DATASET> set(BuildDataSet(
        "variable y\ntype double\nvariable a\ntype double\nvariable b\ntype double\n",
        "y,a,b\n2.1,1,5\n3.9,2,\n6.2,3,1\n7.8,4,4\n10.1,5,\n12.2,6,2\n13.8,7,6\n16.1,8,3\n", "forward.QVF"));
    ASSERT_TRUE(set);
    struct Forward : RegObj
    {
        using RegObj::RegObj;
        void ComputeColumnWidths(int, int) override {}
    };
    const long independents[] = {2, 3, 0};
    Forward r(1, independents, kRegressionForward, 1, 0.05, 0.1, set.get());
    r.ComputeCorrelationMatrix();
    ASSERT_EQ(r.status, 0);
    ASSERT_EQ(r.LastStep()->inEquation, 1);
    RegressionEngine *engine = r.EnsureEngine(r.StepCount() - 1);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->count, 6);
    EXPECT_EQ(r.LastStep()->n, 6.0);
    EXPECT_NEAR(engine->residualMean, 0.0, 1e-12);
}

TEST(StatOption, NameIsCopiedAndAssigned)
{
    StatOption o;
    char name[] = "USE_TWOWAY_CROSS_OPTIONS";
    o.SetName(name);
    name[0] = 'X';
    EXPECT_STREQ(o.GetName(), "USE_TWOWAY_CROSS_OPTIONS");
    StatOption copy;
    copy.Assign(o);
    EXPECT_STREQ(copy.GetName(), o.GetName());
}

} // namespace

// Codes of every kind over many blocks: halves and codes far below zero
// (looked up by value), small whole codes (by place), members of different
// storage, pairwise and listwise; each code's count and the case count as
// counted here.
TEST(StatObjectMultipleResponse, CodesOfEveryKindCountAsByHandOverManyBlocks)
{
    const long cases = 40000;
    auto q1 = [](long i) { return i % 17 == 0 ? -40000.0 : static_cast<double>(i % 5) / 2.0; };
    auto q2 = [](long i) { return static_cast<double>(i % 7 - 3); };
    auto hasQ3 = [](long i) { return i % 4 != 0; };
    auto q3 = [](long i) { return static_cast<double>(i % 3); };
    std::string csv = "q1,q2,q3\n";
    for (long i = 0; i < cases; ++i)
        csv += std::to_string(q1(i)) + "," + std::to_string(static_cast<int>(q2(i))) + "," +
               (hasQ3(i) ? std::to_string(static_cast<int>(q3(i))) : std::string()) + "\n";
    std::unique_ptr<DATASET> set(BuildDataSet(
        "variable q1\ntype double\ndecimals 1\nvariable q2\ntype i16\nvariable q3\ntype u8\n", csv, "codes.QVF"));
    ASSERT_TRUE(set);
    for (int pairwise : {1, 0}) {
        SCOPED_TRACE(pairwise ? "pairwise" : "listwise");
        std::map<double, long> expected;
        double counted = 0.0;
        for (long i = 0; i < cases; ++i) {
            if (!pairwise && !hasQ3(i))
                continue;
            counted += 1.0;
            ++expected[q1(i)];
            ++expected[q2(i)];
            if (hasQ3(i))
                ++expected[q3(i)];
        }
        const long members[] = {1, 2, 3, 0};
        GMultRespFreq m(members, 1, pairwise, 0, 0, set.get());
        ASSERT_EQ(m.status, GMultResp::kMultCounted);
        EXPECT_EQ(m.caseCount, counted);
        ASSERT_EQ(m.categoryCount, static_cast<long>(expected.size()));
        long k = 0;
        for (const auto &code : expected) {
            const FreqCategory &r = m.Result()->categories[k++];
            EXPECT_EQ(r.value.real, code.first);
            EXPECT_EQ(r.count, code.second) << "code " << code.first;
            EXPECT_EQ(r.frequency, static_cast<double>(code.second));
        }
    }
}
