// The crosstab's table text on the committed survey: every table type and
// measure, unweighted and weighted, against golden texts (among them an
// empty table and a text far larger than the first 32,767 bytes of its
// buffer); the measures against PSPP; each table's own decimals; and the
// mark for zero totals.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/crosstab/XTAB.h"
#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XTWIN.h"
#include "analyses/crosstab/XtabOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "dataset/RegistrySettings.h"

#include <cmath>
#include <cstdlib>
#include <map>

namespace {

using namespace analysestest;

class XtabTest : public WindowTest
{
protected:
    DATASET *OpenSurvey(bool weighted) { return WindowTest::OpenSurvey("data/xtab", weighted ? "weight w\n" : ""); }
};

constexpr std::uint16_t everyTable = 0x7f;
constexpr std::uint16_t everyMeasure = 0x3ff;

// One page's text as the workbook writes it, over a record with the masks.
class XtabText
{
public:
    XtabText(DATASET *set, long columnVariable, long rowVariable, std::uint16_t tables, std::uint16_t measures)
        : record(new XtabOption), book(record), columns(set, columnVariable), rows(set, rowVariable),
          columnLabels(KATLABS::ConstructAndRead(columnVariable, set)),
          rowLabels(KATLABS::ConstructAndRead(rowVariable, set)),
          table(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set), text(&book, &table)
    {
        record->tableTypeMask = tables;
        record->measureMask = measures;
        text.WriteResult();
    }
    const std::string &Text() const { return text.Text(); }

    XtabOption *record; // the book's
    XTAB book;
    LISTETYPE columns, rows;
    std::unique_ptr<KATLABS> columnLabels, rowLabels;
    XTABOBJECT table;
    XTWIN text;
};

// The lines of a text, without their line ends and the blank that starts
// every line after the first.
std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 3;
    }
}

// The measures printed: "name = value" lines by name.
std::map<std::string, std::string> Measures(const std::string &text)
{
    std::map<std::string, std::string> measures;
    for (const std::string &line : Lines(text)) {
        const std::size_t equals = line.find(" = ");
        if (equals != std::string::npos)
            measures[line.substr(0, equals)] = line.substr(equals + 3);
    }
    return measures;
}

// The lines of one table: from its title to the end of its last rule.
std::vector<std::string> TableLines(const std::string &text, int titleText)
{
    const std::vector<std::string> all = Lines(text);
    std::vector<std::string> lines;
    int rules = 0;
    bool in = false;
    for (const std::string &line : all) {
        if (line == StatText(titleText, xtabTextGroup))
            in = true;
        if (!in)
            continue;
        lines.push_back(line);
        if (!line.empty() && line.find_first_not_of('-') == std::string::npos && ++rules == 3)
            break;
    }
    return lines;
}

// Digits after the decimal point of a number field ("12.345": 3).
int DecimalsOf(const std::string &field)
{
    const std::size_t point = field.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(field.size() - point - 1);
}

std::vector<std::string> Fields(const std::string &line)
{
    std::istringstream in(line);
    std::vector<std::string> fields;
    std::string field;
    while (in >> field)
        fields.push_back(field);
    return fields;
}

struct GoldenCase
{
    const char *name;
    long columnVariable;
    long rowVariable;
    bool weighted;
    std::uint16_t tables;
    std::uint16_t measures;
};

class XtabGoldenTest : public XtabTest, public testing::WithParamInterface<GoldenCase>
{};

TEST_P(XtabGoldenTest, WritesTheGoldenText)
{
    const GoldenCase &c = GetParam();
    DATASET *set = OpenSurvey(c.weighted);
    ASSERT_NE(nullptr, set);
    XtabText page(set, c.columnVariable, c.rowVariable, c.tables, c.measures);
    EXPECT_EQ(txtErrorNone, page.text.Error());
    for (const char *never : {"nan", "inf", "3402823"})
        EXPECT_EQ(std::string::npos, page.Text().find(never)) << never;
    ExpectGolden(std::string("xtab_") + c.name, page.Text());
}

INSTANTIATE_TEST_SUITE_P(
    Survey, XtabGoldenTest,
    testing::Values(GoldenCase{"edu_by_sex", SEX, EDU, false, everyTable, everyMeasure | xtabTablesOn},
                    GoldenCase{"edu_by_sex_weighted", SEX, EDU, true, everyTable, everyMeasure | xtabTablesOn},
                    GoldenCase{"edu_by_region", REGION, EDU, false, everyTable, everyMeasure | xtabTablesOn},
                    // Bit 10 off: the heading is followed at once by the measures.
                    GoldenCase{"measures_only", SEX, EDU, false, everyTable, everyMeasure},
                    // No table type and no measure: heading and footer.
                    GoldenCase{"nothing", SEX, EDU, false, 0, xtabTablesOn},
                    // Only the percentages of rows and the standardized deviations,
                    // in their fixed order.
                    GoldenCase{"row_percent_and_standardized", REGION, SEX, true,
                               xtabStandardizedDeviation | xtabRowPercent, xtabTablesOn | xtabGamma},
                    // No case is valid in none: every table is empty.
                    GoldenCase{"empty", NONE, EDU, false, everyTable, everyMeasure | xtabTablesOn},
                    // 40 by 40 categories in seven tables: far past 32,767 bytes.
                    GoldenCase{"large", ID, ID, false, everyTable, xtabTablesOn | xtabChiSquare}),
    [](const testing::TestParamInfo<GoldenCase> &info) { return std::string(info.param.name); });

// PSPP 1.6.2 on data/xtab.csv (edu user-missing 9), "SET FORMAT=F16.8",
// "CROSSTABS /TABLES=sex region BY edu /STATISTICS=CHISQ PHI CC BTAU CTAU
// GAMMA D." without and after "WEIGHT BY w."; Somers' d asymmetric is
// PSPP's "edu Dependent" (edu gives the rows here). Tau-a, which PSPP does
// not give, from its definition over every pair of cases (each case
// repeated by its weight). The text prints 3 decimals (4 for p; PSPP
// prints p with 3).
struct PsppCase
{
    long columnVariable;
    bool weighted;
    double chiSquare, p;
    long df;
    double phi, cramersV, contingency, tauA, tauB, tauC, gamma, somersSymmetric, somersRowDependent;
};

class XtabPsppTest : public XtabTest, public testing::WithParamInterface<PsppCase>
{};

TEST_P(XtabPsppTest, MeasuresAgreeWithPspp)
{
    const PsppCase &c = GetParam();
    XtabText page(OpenSurvey(c.weighted), c.columnVariable, EDU, 0, everyMeasure | xtabTablesOn);
    std::map<std::string, std::string> printed = Measures(page.Text());
    const std::pair<int, double> expected[] = {
        {4, c.chiSquare}, {7, c.phi},   {8, c.cramersV}, {9, c.contingency},      {10, c.tauA},
        {11, c.tauB},     {12, c.tauC}, {13, c.gamma},   {14, c.somersSymmetric}, {15, c.somersRowDependent},
    };
    for (const auto &figure : expected) {
        const std::string name = StatText(figure.first, xtabTextGroup);
        ASSERT_EQ(1u, printed.count(name)) << name;
        char rounded[32];
        std::snprintf(rounded, sizeof rounded, "%.3f", figure.second);
        EXPECT_EQ(rounded, printed[name]) << name;
    }
    EXPECT_EQ(std::to_string(c.df), printed[StatText(6, xtabTextGroup)]);
    const std::string p = printed[StatText(5, xtabTextGroup)];
    EXPECT_EQ(4, DecimalsOf(p));
    EXPECT_NEAR(c.p, std::atof(p.c_str()), 0.00055);
}

INSTANTIATE_TEST_SUITE_P(
    Survey, XtabPsppTest,
    testing::Values(PsppCase{SEX, false, 1.41731405, .492, 2, .19571864, .19571864, .19207443, -0.0135135135,
                             -.02345947, -.02629657, -.04109589, -.02319588, -.02727273},
                    PsppCase{REGION, false, 11.14581876, .084, 6, .54885184, .38809686, .48114580, 0.2882882883,
                             .42621438, .42074507, .61935484, .42619312, .42197802},
                    PsppCase{SEX, true, .90756496, .635, 2, .14878081, .14878081, .14716097, 0.0804878049, .14023838,
                             .15704938, .24626866, .13909378, .15942029},
                    PsppCase{REGION, true, 15.87661319, .014, 6, .62228166, .44001958, .52833827, 0.3243902439,
                             .49081584, .47471743, .71122995, .49077491, .48451730}));

// Weighted counts, expected counts and deviations take 2 decimals until a
// percentage table sets the percentages' decimals, which then hold for the
// counts under the percentages and for every table after them.
TEST_F(XtabTest, ExpectedCountsTakeThePercentagesDecimalsOnlyAfterAPercentageTable)
{
    const SettingsSection *defaults = FindSettingsSection(4);
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(defaults, "DecimalsPct", 3));
    XtabText page(OpenSurvey(true), SEX, EDU, xtabCounts | xtabColumnPercent | xtabExpected, xtabTablesOn);
    XtabText alone(OpenSurvey(true), SEX, EDU, xtabCounts | xtabExpected | xtabDeviation, xtabTablesOn);
    RegistrySettings::DeleteKeyInSection(defaults, "DecimalsPct");

    // The first body line of each table (title, heading, rule, body).
    const std::vector<std::string> counts = Fields(TableLines(page.Text(), 21).at(3));
    const std::vector<std::string> percent = Fields(TableLines(page.Text(), 22).at(3));
    const std::vector<std::string> expected = Fields(TableLines(page.Text(), 25).at(3));
    ASSERT_EQ(4u, percent.size());
    EXPECT_EQ("basic", percent[0]);
    EXPECT_EQ(3, DecimalsOf(percent[1]));
    EXPECT_EQ(3, DecimalsOf(percent[3]));
    EXPECT_EQ(2, DecimalsOf(counts[1])) << "weighted counts";
    ASSERT_EQ(4u, expected.size());
    EXPECT_EQ(3, DecimalsOf(expected[1])) << "the expected counts after the percentages";
    EXPECT_EQ(3, DecimalsOf(expected[2]));
    EXPECT_EQ(3, DecimalsOf(expected[3])) << "the row total, a weighted count after the percentages";
    // The column percentages' "N=" line and grand total: weighted counts
    // with the percentages' decimals.
    const std::vector<std::string> percentTable = TableLines(page.Text(), 22);
    ASSERT_GE(percentTable.size(), 3u);
    const std::vector<std::string> nLine = Fields(percentTable[percentTable.size() - 2]);
    ASSERT_EQ(4u, nLine.size()) << percentTable[percentTable.size() - 2];
    EXPECT_EQ(XTWIN::nLabel, nLine[0]);
    EXPECT_EQ(3, DecimalsOf(nLine[1]));
    EXPECT_EQ(3, DecimalsOf(nLine[3])) << "N";
    const std::vector<std::string> countsTable = TableLines(page.Text(), 21);
    EXPECT_EQ(2, DecimalsOf(Fields(countsTable[countsTable.size() - 2]).back())) << "N of the counts table";

    const std::vector<std::string> expectedAlone = Fields(TableLines(alone.Text(), 25).at(3));
    const std::vector<std::string> deviations = Fields(TableLines(alone.Text(), 26).at(3));
    ASSERT_EQ(4u, expectedAlone.size());
    EXPECT_EQ(2, DecimalsOf(expectedAlone[1])) << "without a percentage table before them";
    EXPECT_EQ(2, DecimalsOf(deviations[1]));
}

// A zero total comes only from categories that no case counts in, which
// XTABOBJ never makes; the text still gives the mark for such a table.
TEST_F(XtabTest, ZeroRowAndColumnTotalsPrintTheMarkInTheirPercentages)
{
    auto *record = new XtabOption;
    XTAB book(record);
    XTABOBJECT table(nullptr, nullptr, nullptr, nullptr, 0, OpenSurvey(false));
    const double counts[] = {2, 0, 3, 0, 0, 0};
    table.table = CrossTable::FromDense(counts, 2, 3);
    table.total = table.table.total;
    table.columns = {{1, "a"}, {2, "b"}, {3, "c"}};
    table.rows = {{1, "x"}, {2, "y"}};
    XTWIN text(&book, &table);
    record->tableTypeMask = xtabColumnPercent | xtabRowPercent | xtabStandardizedDeviation;
    text.WriteResult();

    const std::vector<std::string> columnPercent = TableLines(text.Text(), 22);
    EXPECT_EQ((std::vector<std::string>{"x", "100.0", "**", "100.0", "100.0"}), Fields(columnPercent.at(3)));
    EXPECT_EQ((std::vector<std::string>{"y", "0.0", "**", "0.0", "0.0"}), Fields(columnPercent.at(4)));
    const std::vector<std::string> rowPercent = TableLines(text.Text(), 23);
    EXPECT_EQ((std::vector<std::string>{"y", "**", "**", "**", "**", "0"}), Fields(rowPercent.at(4)));
    const std::vector<std::string> standardized = TableLines(text.Text(), 27);
    EXPECT_EQ("**", Fields(standardized.at(3)).at(2)) << "no expected count in an empty column";
}

// Weights of 1e300 count like any other: each cell 25 % (R: 2e300 /
// sum(rep(1e300, 8)) * 100), with 15 decimals still one field a column, and
// the case of weight 0 is said.
TEST_F(XtabTest, HugeWeightsCountAndWideFiguresNeverRunTogether)
{
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(FindSettingsSection(4), "DecimalsPct", 15));
    std::string csv = "a,b,w\n1,1,0\n";
    for (int c = 0; c < 8; ++c)
        csv += std::to_string(1 + c / 4) + "," + std::to_string(1 + c / 2 % 2) + ",1e300\n";
    Survey survey(Survey::Text{"variable a\ntype u8\nvariable b\ntype u8\nvariable w\ntype double\nweight w\n", csv});
    XtabText page(survey.DataSet(), 1, 2, xtabTotalPercent, xtabTablesOn);
    RegistrySettings::DeleteKeyInSection(FindSettingsSection(4), "DecimalsPct");
    EXPECT_EQ((std::vector<std::string>{"1", "25.000000000000000", "25.000000000000000", "50.000000000000000"}),
              Fields(TableLines(page.Text(), 24).at(3)));
    EXPECT_NE(std::string::npos, page.Text().find("missing weight: 1\r\n")) << page.Text();
    // The grand total 8e300 (eight cases of 1e300) as the table prints such
    // figures, not as its 301 digits.
    EXPECT_NE(std::string::npos, page.Text().find("Number of cases: 8.00e+300\r\n")) << page.Text();
}

// A crosstab refused for its size says why and nothing more: a case count
// of 0 under the refusal would read as an empty table.
TEST_F(XtabTest, ARefusedCrosstabPrintsNoCaseCount)
{
    auto *record = new XtabOption;
    XTAB book(record);
    XTABOBJECT table(nullptr, nullptr, nullptr, nullptr, 0, OpenSurvey(false));
    table.status = XTABOBJ::kXtabTooManyCells;
    XTWIN text(&book, &table);
    text.WriteResult();
    EXPECT_EQ(std::string::npos, text.Text().find("Number of cases")) << text.Text();
}

// Three cases, two of 1e308 in one cell: the cell and the totals have no
// figure and print the mark, the footer says why, and the percentages and
// measures are those of the table scaled down (the ordered table has
// gamma 1).
TEST_F(XtabTest, WeightsPastTheLargestDoubleGiveTheTableAndMeasuresWithTheReason)
{
    Survey survey(Survey::Text{"variable a\ntype u8\nvariable b\ntype u8\nvariable w\ntype double\nweight w\n",
                               "a,b,w\n1,1,1e308\n1,1,1e308\n2,2,1\n"});
    XtabText page(survey.DataSet(), 1, 2, xtabCounts | xtabTotalPercent, everyMeasure | xtabTablesOn);
    const std::string &text = page.Text();
    EXPECT_EQ(std::string::npos, text.find("inf")) << text;
    EXPECT_EQ(std::string::npos, text.find("nan")) << text;
    const std::vector<std::string> counts = Fields(TableLines(text, 21).at(3));
    ASSERT_GE(counts.size(), 3u);
    EXPECT_EQ("**", counts[1]);
    EXPECT_EQ("0.00", counts[2]);
    EXPECT_EQ("100.0", Fields(TableLines(text, 24).at(3)).at(1));
    EXPECT_NE(std::string::npos, text.find("** weights too large to sum\r\n")) << text;
    EXPECT_NE(std::string::npos, text.find("--- (weights too large to sum)")) << text;
    EXPECT_NE(std::string::npos, text.find("1.000")) << "gamma\n" << text;
}

// A table of more cells than a page shows is refused with its size before
// its lines are written, and its measures still follow.
TEST_F(XtabTest, ATableTooLargeToShowIsRefusedWithItsSize)
{
    std::string csv = "a,b\n";
    for (int c = 0; c < 700; ++c)
        csv += std::to_string(c) + "," + std::to_string(c * 3 % 700) + "\n";
    Survey survey(Survey::Text{"variable a\ntype i16\nvariable b\ntype i16\n", csv});
    XtabText page(survey.DataSet(), 1, 2, xtabCounts, everyMeasure | xtabTablesOn);
    const std::string &text = page.Text();
    EXPECT_NE(std::string::npos, text.find("has 700 rows and 700 columns; its tables of 490,000 cells are too many"))
        << text.substr(0, 2000);
    EXPECT_LT(text.size(), 5000u);
}

} // namespace

namespace {

std::vector<std::string> TabFields(const std::string &line)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
        fields.push_back(line.substr(start, tab - start));
    fields.push_back(line.substr(start));
    return fields;
}

// Saved with tabs, each heading stands over its column: the heading row
// starts with the empty cell over the row labels, and every row of a table
// has as many cells as its heading row.
TEST_F(XtabTest, TabSeparatedTextKeepsEveryHeadingOverItsColumn)
{
    XtabText page(OpenSurvey(false), SEX, EDU, xtabCounts | xtabRowPercent, xtabTablesOn);
    testsupport::TempDirectory scratch("mervaloxtabtabs");
    const std::string file = scratch.File("xtab.txt");
    ASSERT_TRUE(page.text.SaveText(file.c_str(), txtSaveTabs));
    // Tab-separated lines end with a bare line end.
    const std::string saved = ReadFile(file);
    std::vector<std::string> lines;
    for (std::size_t start = 0, end; start < saved.size(); start = end + 2) {
        end = saved.find("\r\n", start);
        if (end == std::string::npos)
            end = saved.size();
        lines.push_back(saved.substr(start, end - start));
    }
    int headings = 0;
    for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
        const std::vector<std::string> heading = TabFields(lines[i]);
        if (heading.size() < 3 || heading[1] != "male")
            continue;
        ++headings;
        EXPECT_EQ("", heading[0]) << lines[i];
        const std::vector<std::string> row = TabFields(lines[i + 1]);
        EXPECT_EQ("basic", row[0]) << lines[i + 1];
        EXPECT_EQ(heading.size(), row.size()) << lines[i] << " / " << lines[i + 1];
    }
    EXPECT_EQ(2, headings) << "the counts and the row percentages";
}

} // namespace
