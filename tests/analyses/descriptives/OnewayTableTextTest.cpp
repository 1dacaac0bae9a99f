// The breakdown table (ONEWAY::WriteBreakdownTable) on data/oneway: golden
// texts for every display bit, the tests as lists and as matrices, each
// sort, weighted and unweighted, with user-missing values in both
// variables, a group of one case, a group of equal values, one group, a
// group of weight 0 and too many groups; the figures of the tests against
// R; the lazy tests made once and again only when the order changes.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/descriptives/ONEWAY.h"
#include "dataset/MemoryBudget.h"
#include "shell/TXTWIN.h"

#include <iterator>
#include <vector>

namespace {

using analysestest::Survey;

struct Options
{
    unsigned long display, tests, sort;
};

std::string Write(ONEWAY &computation, const Options &o)
{
    computation.displayMask = o.display, computation.testMask = o.tests, computation.sortCode = o.sort;
    TXTWIN text("table", 0);
    computation.WriteBreakdownTable(text);
    return text.Text();
}

std::string WriteTable(const char *added, const char *breakName, const Options &o)
{
    Survey survey("data/oneway", added);
    ONEWAY computation(survey.Variable("income"), survey.Variable(breakName), survey.DataSet());
    EXPECT_TRUE(computation.Compute());
    return Write(computation, o);
}

TEST(OnewayTableText, MatchesTheGoldenTexts)
{
    analysestest::EnglishTexts texts;
    const struct
    {
        const char *golden, *added, *breakName;
        Options options;
    } cases[] = {
        {"oneway_default", "", "region", {15, 0, 128}},
        {"oneway_all_tests", "", "region", {0x3FF, 0x2F, 128}},
        {"oneway_all_tests_weighted", "weight w\n", "region", {0x3FF, 0x2F, 128}},
        {"oneway_tests_as_matrices", "", "region", {0x001, 0x3E, 128}},
        {"oneway_by_mean", "", "region", {0x003, 0x02, 0x001}},
        {"oneway_by_label_descending", "", "region", {0x003, 0, 0x300}},
        {"oneway_by_median_descending", "weight w\n", "region", {0x103, 0, 0x240}},
        {"oneway_two_keys_unsorted", "", "region", {0x003, 0, 0x101}},
        {"oneway_one_group", "", "single", {0x3FF, 0x2F, 128}},
        {"oneway_weight_zero_group", "weight z\n", "region", {0x3FF, 0x2F, 128}},
        {"oneway_too_many_groups", "", "many", {15, 0x2F, 128}},
    };
    for (const auto &c : cases)
        analysestest::ExpectGolden(c.golden, WriteTable(c.added, c.breakName, c.options));
    // Each display bit alone, one table after the other (0: the label
    // column alone).
    std::string each;
    for (unsigned long bit : {0x000ul, 0x001ul, 0x002ul, 0x004ul, 0x008ul, 0x010ul, 0x020ul, 0x040ul, 0x100ul, 0x200ul})
        each += WriteTable("", "region", {bit, 0, 128});
    analysestest::ExpectGolden("oneway_each_display_bit", each);
}

// The line of the text that begins with the label (after the blank).
std::string LineOf(const std::string &text, const std::string &label)
{
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line))
        if (line.compare(0, label.size() + 1, " " + label) == 0)
            return line;
    return "";
}

// Groups of values near the largest double: their figures print in exponent
// form in columns as wide as the widest; only limits beyond the largest
// double (those of the groups) take the mark.
TEST(OnewayTableText, GroupsOfValuesNearTheLargestDoublePrintTheirFigures)
{
    analysestest::EnglishTexts texts;
    Survey survey(Survey::Text{"variable x\ntype double\nvariable g\ntype u8\nvalue 1 = low\nvalue 2 = high\n",
                               "x,g\n1e308,1\n1.7e308,1\n-1e308,1\n3.5e38,2\n4e38,2\n-1.7e308,2\n"});
    ONEWAY computation(1, 2, survey.DataSet());
    ASSERT_TRUE(computation.Compute());
    const std::string text = Write(computation, {0x3FF, 0, 128});
    const std::string low = LineOf(text, "low"), high = LineOf(text, "high");
    EXPECT_NE(std::string::npos, low.find("5.67e+307")) << text;                   // the mean 1.7e308 / 3
    EXPECT_NE(std::string::npos, high.find("4.00e+38")) << text;                   // the maximum
    EXPECT_NE(std::string::npos, LineOf(text, "Total").find("1.31e+308")) << text; // a 95% limit
    EXPECT_EQ(low.size(), high.size()) << text;
}

// R 4.2.2, data/oneway_reference.R (income by region, 999 and 9 left out):
//   aov: SS 530.74 17.99, MS 176.91 2.25, F 78.6830, p < 0.0001
//   Levene (aov of |x - group mean|): F 1.6344, df 3 8, p 0.2570
//   t.test (Welch) North-South -7.009 6.87 0.0002; South-East -12.558 3.00
//   0.0011; t.test(var.equal = TRUE) North-West 2.824 4 0.0476, South-West
//   7.563 3 0.0048, East-West not computed (no spread in either group);
//   Scheffe F = (mi - mj)^2 / (MSw (1/ni + 1/nj)) / (k - 1): North-West
//   3.3406 p 0.0766, East-West 47.8357 p < 0.0001.
// PSPP 1.6.2 ONEWAY income BY region /STATISTICS=HOMOGENEITY /POSTHOC=SCHEFFE
// prints SS 530.74 17.99 548.73, F 78.68, Levene 1.63 (3, 8) p .257,
// Scheffe p .001 .000 .077 .001 .001 .000 for the pairs in this order; MEANS
// the group means 13.20 20.63 30.00 8.00 (20.625: PSPP rounds the half up,
// printf here to the even 20.62), sums and standard deviations of the
// golden texts, weighted (WEIGHT BY w) 13.14 20.86 30.00 8.00, sums 72.25
// 114.75 90.00 8.00.
TEST(OnewayTableText, TestFiguresAgreeWithRAndPspp)
{
    analysestest::EnglishTexts texts;
    const std::string text = WriteTable("", "region", {1, 0x2F, 128});
    const char *const expected[][2] = {
        {"Between groups", " Between groups          530.74   3       176.91  78.6830  0.0000"},
        {"Within groups", " Within groups            17.99   8         2.25"},
        {"North - South", " North - South       -7.43   -7.009  6.87  0.0002  !"},
        {"South - East", " South - East        -9.38  -12.558     3  0.0011  *"},
        {"North - West", " North - West         5.20     ***   ***     ***   -"},
        {"F ", " F                  1.6344"},
        {"p ", " p                  0.2570"},
    };
    for (const auto &e : expected)
        EXPECT_EQ(0u, LineOf(text, e[0]).find(e[1])) << e[0] << "\n" << text;
    // The pooled and Scheffe blocks follow the separate one: their lines
    // come second and third for each pair.
    const std::string pooled = text.substr(text.find("pooled"));
    EXPECT_EQ(0u, LineOf(pooled, "North - West").find(" North - West         5.20    2.824     4  0.0476  +"));
    EXPECT_EQ(0u, LineOf(pooled, "South - West").find(" South - West        12.62    7.563     3  0.0048  *"));
    const std::string scheffe = pooled.substr(pooled.find("Scheff"));
    EXPECT_EQ(0u, LineOf(scheffe, "North - West").find(" North - West         5.20   3.3406   3   8  0.0766"));
    EXPECT_EQ(0u, LineOf(scheffe, "East - West").find(" East - West         22.00  47.8357   3   8  0.0000  !"));
}

TEST(OnewayTableText, TestsAndQuantilesAreMadeOnceAndThePairsFollowTheOrder)
{
    analysestest::EnglishTexts texts;
    Survey survey("data/oneway");
    ONEWAY c(survey.Variable("income"), survey.Variable("region"), survey.DataSet());
    ASSERT_TRUE(c.Compute());
    Write(c, {0x101, 0x2F, 128});
    // Figures changed by hand are printed again: nothing was computed anew.
    c.total.quantiles[1] = 77.25;
    c.varianceF = 5.5;
    c.scheffeTests->labels[0] = "Northern";
    c.anova->table.f = 2.5;
    std::string text = Write(c, {0x101, 0x2F, 128});
    EXPECT_NE(std::string::npos, LineOf(text, "Total").find("77.25"));
    EXPECT_EQ(" F                  5.5000", LineOf(text, "F ").substr(0, 26));
    EXPECT_NE("", LineOf(text, "Northern - South"));
    EXPECT_NE(std::string::npos, LineOf(text, "Between groups").find("2.5000"));
    // By mean the pairs are made again in the new order (West first), the
    // analysis of variance is kept; back by break value, North first again.
    text = Write(c, {0x101, 0x2F, 1});
    EXPECT_NE("", LineOf(text, "West - North"));
    EXPECT_EQ("", LineOf(text, "Northern - South"));
    EXPECT_NE(std::string::npos, LineOf(text, "Between groups").find("2.5000"));
    text = Write(c, {0x101, 0x0E, 128});
    EXPECT_NE("", LineOf(text, "North - South"));
    EXPECT_EQ("", LineOf(text, "West - North"));
    EXPECT_EQ(std::string::npos, text.find("Between groups")); // Scheffe alone needs no table
}

// A weighted breakdown whose quartiles and medians do not fit the memory
// budget prints every other figure, marks in their columns, and says under
// the table which figures are left out and the memory they needed.
TEST(OnewayTableText, QuantilesBeyondTheBudgetAreSaidToBeLeftOut)
{
    analysestest::EnglishTexts texts;
    Survey survey("data/oneway", "weight w\n");
    ONEWAY c(survey.Variable("income"), survey.Variable("region"), survey.DataSet());
    ASSERT_TRUE(c.Compute());
    // Room for the walk's windows, not for a column of the cases.
    MemoryBudget::SetLimitOverride(MemoryBudget::WindowBytes() + MemoryBudget::ChargedBytes() + 96);
    const std::string text = Write(c, {0x103, 0, 128});
    MemoryBudget::SetLimitOverride(0);
    EXPECT_EQ(nullptr, c.total.QuantileSummary());
    EXPECT_NE(std::string::npos, LineOf(text, "South").find("20.86")) << text; // the mean stands
    const std::string said = "The quartiles and medians of the breakdown are left out: computing them needs ";
    const size_t at = text.find(said);
    ASSERT_NE(std::string::npos, at) << text;
    EXPECT_GT(at, text.find("Number of cases: 15")) << text; // under the table, with the footer
    EXPECT_NE(std::string::npos, text.find("of the budget of 0 MiB are free.", at)) << text;
    // Within the usual budget they come, and the words go.
    const std::string again = Write(c, {0x103, 0, 128});
    EXPECT_NE(std::string::npos, LineOf(again, "South").find("21.00")) << again;
    EXPECT_EQ(std::string::npos, again.find("left out")) << again;
}

} // namespace

namespace {

// A count weight against the same data with each record repeated that many
// times: group "one" is one record of weight 5 (five cases of 7).
const char countsDescription[] = "categories groups\nvalue 1 = one\nvalue 2 = two\nvalue 3 = three\n"
                                 "variable x\ntype double\nvariable g\ntype u8\nlabels groups\n"
                                 "variable c\ntype double\ndecimals 0\n";
const char countsWeighted[] = "x,g,c\n7,1,5\n3,2,1\n5,2,2\n9,2,1\n4,3,2\n6,3,1\n";
const char countsRepeated[] = "x,g,c\n7,1,1\n7,1,1\n7,1,1\n7,1,1\n7,1,1\n3,2,1\n5,2,1\n5,2,1\n9,2,1\n4,3,1\n4,3,1\n6,3,1\n";

std::string CountsTable(const char *csv, const char *added, const Options &o)
{
    Survey survey(Survey::Text{std::string(countsDescription) + added, csv});
    ONEWAY computation(1, 2, survey.DataSet());
    EXPECT_TRUE(computation.Compute());
    return Write(computation, o);
}

// The text from the first test block to the footer.
std::string TestBlocks(const std::string &text)
{
    const size_t from = text.find("Analysis of variance"), to = text.find("Number of cases");
    return from == std::string::npos || to == std::string::npos ? "" : text.substr(from, to - from);
}

} // namespace

// Weights are counts: a group of one record weighing 5 has the spread 0 and
// limits at its mean, as the tests below the table count it; its row and
// the tests equal those of the data with the record repeated five times.
TEST(OnewayTableText, OneRecordOfWeightFiveIsFiveCases)
{
    analysestest::EnglishTexts texts;
    const Options all{0x3FF & ~0x002ul, 0x2F, 128}; // every column but N, whose decimals differ
    const std::string weighted = CountsTable(countsWeighted, "weight c\n", all);
    const std::string repeated = CountsTable(countsRepeated, "", all);
    const std::string one = LineOf(weighted, "one");
    EXPECT_EQ(one, LineOf(repeated, "one")) << weighted << repeated;
    // Mean, four limits, three quantiles, minimum and maximum: 7.00; sum
    // 35.00; SD 0.00; no mark anywhere.
    std::istringstream figures(one.substr(one.find("one") + 3));
    std::vector<std::string> cells{std::istream_iterator<std::string>(figures), {}};
    ASSERT_EQ(12u, cells.size()) << one;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ("7.00", cells[static_cast<size_t>(i)]) << i << ": " << one;
    EXPECT_EQ("35.00", cells[10]);
    EXPECT_EQ("0.00", cells[11]);
    EXPECT_EQ(LineOf(repeated, "Total"), LineOf(weighted, "Total"));
    const std::string tests = TestBlocks(weighted);
    ASSERT_NE("", tests) << weighted;
    EXPECT_EQ(TestBlocks(repeated), tests);
    // The N column: the summed weight with the weight's decimals.
    EXPECT_NE(std::string::npos, LineOf(CountsTable(countsWeighted, "weight c\n", {0x002, 0, 128}), "one").find(" 5"));
}

// Levene's degrees of freedom print as the analysis of variance prints its
// own: with decimals when the weights are not whole (99.95, not 100).
TEST(OnewayTableText, LeveneDegreesOfFreedomFollowANonWholeWeight)
{
    analysestest::EnglishTexts texts;
    const char csv[] = "x,g,c\n7,1,1.5\n8,1,2.25\n3,2,1\n5,2,2.2\n9,2,1\n4,3,2\n6,3,1.3\n";
    const std::string text = CountsTable(csv, "weight c\n", {0x001, 0x21, 128});
    // Sum of weights 11.25, three groups: within 8.25 and 2 df.
    EXPECT_NE(std::string::npos, LineOf(text, "Within groups").find(" 8.25 ")) << text;
    const std::string df2 = LineOf(text, "df 2"), df1 = LineOf(text, "df 1");
    EXPECT_NE(std::string::npos, df2.find(" 8.25")) << text;
    EXPECT_EQ(std::string::npos, df1.find('.')) << text; // 2, whole
}
