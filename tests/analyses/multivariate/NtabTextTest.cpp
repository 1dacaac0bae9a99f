// The n-way table's text: golden texts for the figures of each display bit
// and each layer mode over one, two and three control variables and a
// multiple-response set; the counts and percentages of the golden texts
// were checked against R (data/ntab_reference.R: xtabs, ftable and
// prop.table over the same cases) and PSPP CROSSTABS with two BY.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/kit/ColumnHeading.h"
#include "analyses/multivariate/NtabBook.h"
#include "analyses/multivariate/NTAB.h"

#include <sstream>

namespace {

using namespace analysestest;

std::string Written(NTAB &table, unsigned long display, int userLayers, int cellWidth = 8)
{
    NTABWIN window("n-way", nullptr, &table);
    table.display = display;
    table.userLayerCount = userLayers;
    table.baseCellWidth = cellWidth;
    window.SetColumnWidth(cellWidth);
    window.WriteResult();
    return window.Text();
}

struct Layout
{
    const char *golden;
    long dependent;
    std::vector<long> controls;
    unsigned long display;
    int userLayers;
};

TEST(NtabText, EachFigureAndLayerModeAsGolden)
{
    EnglishTexts texts;
    Survey survey("data/xtab");
    DATASET *dataSet = ProgramSettings::Instance()->GetDataSet(0);
    const Layout layouts[] = {
        {"ntab_edu_sex", EDU, {SEX}, 0x221, 1},
        {"ntab_edu_sex_all_layers", EDU, {SEX}, 0x421, 1},
        {"ntab_edu_sex_region_counts", EDU, {SEX, REGION}, 0x230, 1},
        {"ntab_edu_sex_region_user_total", EDU, {SEX, REGION}, 0x822, 1},
        {"ntab_sex_edu_region_w_auto_numbers", SEX, {EDU, REGION, W}, 0x1211, 1},
        {"ntab_sex_edu_region_w_none_cumulative", SEX, {EDU, REGION, W}, 0x104, 1},
        {"ntab_sex_edu_region_w_all_rest", SEX, {EDU, REGION, W}, 0x408, 1},
    };
    for (const Layout &layout : layouts) {
        NTAB table(dataSet);
        std::vector<long> controls = layout.controls;
        controls.push_back(0);
        ASSERT_TRUE(table.ComputeForVariable(layout.dependent, controls.data(), 0)) << table.GetFailureText();
        ExpectGolden(layout.golden, Written(table, layout.display, layout.userLayers));
    }
}

// A negative user layer count is none, a huge one every control variable.
TEST(NtabText, UserLayerCountClampedToTheControlVariables)
{
    EnglishTexts texts;
    Survey survey("data/xtab");
    NTAB table(ProgramSettings::Instance()->GetDataSet(0));
    const long controls[] = {EDU, REGION, W, 0};
    ASSERT_TRUE(table.ComputeForVariable(SEX, controls, 0));
    const std::string none = Written(table, 0x111, 0), all = Written(table, 0x411, 0);
    EXPECT_EQ(none, Written(table, 0x811, -1));
    EXPECT_EQ(none, Written(table, 0x811, 0));
    EXPECT_EQ(all, Written(table, 0x811, 3));
    EXPECT_EQ(all, Written(table, 0x811, 1 << 30));
    EXPECT_EQ(3, table.layerCount);
    EXPECT_NE(none, all);
}

// Lines of dashes alone: the rule under the headings and those that close
// blocks.
int RuleLines(const std::string &text)
{
    std::istringstream lines(text);
    int rules = 0;
    for (std::string line; std::getline(lines, line);)
        if (line.find('-') != std::string::npos && line.find_first_not_of("- \r") == std::string::npos)
            ++rules;
    return rules;
}

// A rule closes the last block under each category of the second layer:
// with three layers once per pair of the first two layers' categories, with
// two after every block.
TEST(NtabText, RulesCloseTheBlocksOfEachSecondLayerCategory)
{
    EnglishTexts texts;
    Survey survey("data/xtab");
    NTAB table(ProgramSettings::Instance()->GetDataSet(0));
    const long controls[] = {EDU, REGION, W, 0};
    ASSERT_TRUE(table.ComputeForVariable(SEX, controls, 0));
    const std::string three = Written(table, 0x411, 0);
    ASSERT_EQ(3, table.layerCount);
    const int edu = table.categoryCounts[0], region = table.categoryCounts[1], w = table.categoryCounts[2];
    ASSERT_GT(w, 1);
    EXPECT_EQ(1 + edu * region, RuleLines(three)) << three;
    const std::string two = Written(table, 0x811, 2);
    ASSERT_EQ(2, table.layerCount);
    EXPECT_EQ(1 + region * w, RuleLines(two)) << two;
}

// Forty cases as forty columns: the cell narrows to 20 (20 x 40 = 800);
// cell widths 0 to 2 still leave a cell of at least 1 and cut the labels.
TEST(NtabText, CellWidthNarrowedAndClamped)
{
    EnglishTexts texts;
    Survey survey("data/xtab");
    NTAB table(ProgramSettings::Instance()->GetDataSet(0));
    const long byCase[] = {ID, 0};
    ASSERT_TRUE(table.ComputeForVariable(SEX, byCase, 0));
    Written(table, 0x101, 0, 50);
    EXPECT_EQ(20, table.widths[0]);
    const long bySex[] = {SEX, 0};
    ASSERT_TRUE(table.ComputeForVariable(EDU, bySex, 0));
    // Narrower than its widest figure ("100.0"), a cell is widened to it;
    // the labels are cut to the cell.
    for (int width : {0, 1, 2, 5}) {
        const std::string text = Written(table, 0x101, 0, width);
        EXPECT_EQ(5, table.widths[0]);
        EXPECT_NE(std::string::npos, text.find("  100.0")) << text;
        EXPECT_NE(std::string::npos, text.find("fem..")) << text;
    }
    Written(table, 0x101, 0, 7);
    EXPECT_EQ(7, table.widths[0]);
    EXPECT_EQ("", CutLabelToWidth("secondary", 0));
    EXPECT_EQ("s", CutLabelToWidth("secondary", 1));
    EXPECT_EQ("se..", CutLabelToWidth("secondary", 4));
    EXPECT_EQ("basic", CutLabelToWidth("basic", 5));
}

// Issues 1 to 3 as one set by the paper reader, on the base of answers and
// of cases.
TEST(NtabText, MultipleResponseSetAsGolden)
{
    EnglishTexts texts;
    Survey survey("data/multresp");
    const long set[] = {3, 4, 5, 0}, controls[] = {6, 0};
    NTAB table(ProgramSettings::Instance()->GetDataSet(0));
    table.percentageBase = 0;
    ASSERT_TRUE(table.ComputeForTwoLists(set, controls, 0));
    ExpectGolden("ntab_issues_paper_answers", Written(table, 0x231, 1));
    table.percentageBase = 1;
    table.SplitLayers(); // recomputes on the base of cases
    ExpectGolden("ntab_issues_paper_cases", Written(table, 0x241, 1));
}

TEST(NtabBook, PageNames)
{
    EXPECT_EQ("v12 * v7", NtabBook::PageName({12}, {7}));
    EXPECT_EQ("v1, v2 * v3, v4, v5", NtabBook::PageName({1, 2}, {3, 4, 5}));
    // A long set gives way to the controls, which stay whole.
    const std::string name = NtabBook::PageName({101, 102, 103, 104, 105, 106, 107, 108, 109}, {35, 36});
    EXPECT_EQ("v101, v102, v103, v104, .. * v35, v36", name);
}

} // namespace

namespace {

// The figures of the row whose text starts with label (the label cut off).
std::vector<std::string> RowFigures(const std::string &text, const std::string &label)
{
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        const size_t at = line.find_first_not_of(' ');
        if (at == std::string::npos || line.compare(at, label.size(), label) != 0)
            continue;
        std::istringstream fields(line.substr(at + label.size()));
        std::vector<std::string> figures;
        for (std::string field; fields >> field;)
            figures.push_back(field);
        return figures;
    }
    return {"(no row " + label + ")"};
}

} // namespace

// Under a weight with decimals the counts print with them, so that each
// column's counts add up to its total; every figure's total is printed
// beside the counts' (the column's sum); the cumulative percentage carries
// its running total through an empty cell; a label cut ends in "..".
// Checked by hand: column 1 weighs 1.096 + 6.589 + 2.658 = 10.343 (as R's
// xtabs(w ~ d + s)), column 2 0.5 + 1.25 = 1.75, the table 12.093.
TEST(NtabText, NonWholeWeightCountsAddUpAndEveryTotalIsPrinted)
{
    EnglishTexts texts;
    const std::string longLabel(60, 'x');
    Survey survey(Survey::Text{"variable d\ntype u8\nvalue 1 = one\nvalue 2 = two\nvalue 3 = " + longLabel +
                                   "\nvariable s\ntype u8\nvalue 1 = first\nvalue 2 = second\n"
                                   "variable w\ntype double\ndecimals 3\nweight w\n",
                               "d,s,w\n1,1,1.096\n2,1,6.589\n3,1,2.658\n1,2,0.5\n3,2,1.25\n"});
    NTAB table(ProgramSettings::Instance()->GetDataSet(0));
    const long controls[] = {2, 0};
    ASSERT_TRUE(table.ComputeForVariable(1, controls, 0)) << table.GetFailureText();
    // Column percentage, percentage of the table, cumulative, count.
    const std::string text = Written(table, 0x217, 1);
    using Figures = std::vector<std::string>;
    EXPECT_EQ((Figures{"10.6", "9.1", "10.6", "1.096", "28.6", "4.1", "28.6", "0.500"}), RowFigures(text, "one"))
        << text;
    // No case of "two" in the second column: only its running total.
    EXPECT_EQ((Figures{"63.7", "54.5", "74.3", "6.589", "28.6"}), RowFigures(text, "two")) << text;
    EXPECT_EQ((Figures{"25.7", "22.0", "100.0", "2.658", "71.4", "10.3", "100.0", "1.250"}),
              RowFigures(text, std::string(38, 'x') + ".."))
        << text;
    EXPECT_EQ((Figures{"100.0", "85.5", "100.0", "10.343", "100.0", "14.5", "100.0", "1.750"}),
              RowFigures(text, "Total"))
        << text;
    // The counts alone: the same totals, and 100 minus the cumulative.
    EXPECT_EQ((Figures{"10.343", "1.750"}), RowFigures(Written(table, 0x210, 1), "Total"));
    EXPECT_EQ((Figures{"0.0", "0.0"}), RowFigures(Written(table, 0x208, 1), "Total"));
    EXPECT_EQ((Figures{"25.7", "71.4"}), RowFigures(Written(table, 0x208, 1), "two"));
}

namespace {

// Cells weighing near the largest double: counts past the mark's size are
// figures in exponent form with right percentages; a column whose weights
// sum past the largest double marks its percentages and total, and the
// footer says why.
TEST(NtabText, HugeWeightsGiveFiguresAndMarksWithTheirReason)
{
    EnglishTexts texts;
    const std::string dictionary = "variable d\ntype u8\nvalue 1 = one\nvalue 2 = two\n"
                                   "variable s\ntype u8\nvalue 1 = first\nvalue 2 = second\n"
                                   "variable w\ntype double\nweight w\n";
    const long controls[] = {2, 0};
    {
        Survey survey(Survey::Text{dictionary, "d,s,w\n1,1,1e300\n2,1,3e300\n1,2,1e300\n2,2,1e300\n"});
        NTAB table(ProgramSettings::Instance()->GetDataSet(0));
        ASSERT_TRUE(table.ComputeForVariable(1, controls, 0)) << table.GetFailureText();
        const std::string text = Written(table, 0x211, 1);
        using Figures = std::vector<std::string>;
        EXPECT_EQ((Figures{"25.0", "1.00e+300", "50.0", "1.00e+300"}), RowFigures(text, "one")) << text;
        EXPECT_EQ((Figures{"100.0", "4.00e+300", "100.0", "2.00e+300"}), RowFigures(text, "Total")) << text;
        EXPECT_EQ(std::string::npos, text.find(" --- ")) << text;
    }
    {
        Survey survey(Survey::Text{dictionary, "d,s,w\n1,1,1e308\n2,1,1e308\n1,2,1e300\n2,2,3e300\n"});
        NTAB table(ProgramSettings::Instance()->GetDataSet(0));
        ASSERT_TRUE(table.ComputeForVariable(1, controls, 0)) << table.GetFailureText();
        const std::string text = Written(table, 0x211, 1);
        using Figures = std::vector<std::string>;
        // The first column's total passes the largest double; the second
        // keeps its figures.
        EXPECT_EQ((Figures{"---", "1.00e+308", "25.0", "1.00e+300"}), RowFigures(text, "one")) << text;
        EXPECT_EQ((Figures{"---", "---", "100.0", "4.00e+300"}), RowFigures(text, "Total")) << text;
        EXPECT_NE(std::string::npos, text.find(std::string("--- ") + StatText(30, 0))) << text;
    }
}

} // namespace
