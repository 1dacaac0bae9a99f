// The frequency table text against golden files: every display bit, the
// four sort orders, both cumulative bases, column widths, grouping into
// intervals, weighted and unweighted, user-missing and system-missing
// values, and the tables of a variable without a valid value and of a
// selection without a case (their undefined figures print as the mark,
// never as a NaN).
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/FRWIN.h"
#include "analyses/FreqBook.h"
#include "analyses/FreqOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/CategoryGrouping.h"
#include "dataset/KATLABS.h"
#include "dataset/RegistrySettings.h"
#include "stats/FREQOBJ.h"
#include "stats/StatMissing.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sstream>

namespace {

using analysestest::ExpectGolden;
using analysestest::Survey;

const std::string weighted = "weight w\n", noCase = "selection nobody Nobody selected\n";

constexpr unsigned defaults = FreqOption::defaultOptions;
constexpr unsigned statistics = freqMode | freqMean | freqMedian;
constexpr unsigned cumulativeValid = freqCumulativeColumn;
constexpr unsigned cumulativeAll = freqCumulativeColumn | freqCumulateAll;
// Every column, heading and statistic, cumulated over all cases, by value.
constexpr unsigned everything = defaults | cumulativeAll | statistics;

// Writes the table of one variable of the open survey as a frequency
// workbook's page does, the record holding the options and width given.
// intervals > 0 groups the values first.
std::string WriteTable(Survey &survey, const char *variable, unsigned options, long width, int intervals,
                       FREQOBJECT *keep = nullptr)
{
    DATASET *dataSet = survey.DataSet();
    const long number = survey.Variable(variable);
    EXPECT_NE(0, number) << variable;
    auto *record = new FreqOption;
    record->tableOptions = static_cast<unsigned short>(options);
    record->SetColumnWidth(width);
    FreqBook book(record);

    BUFFERTYPE *list = new LISTETYPE(dataSet, number);
    KATLABS *labels = KATLABS::ConstructAndRead(number, dataSet);
    std::unique_ptr<FREQOBJECT> made;
    FREQOBJECT *distribution = keep;
    if (!distribution) {
        made.reset(new FREQOBJECT(dataSet));
        distribution = made.get();
    }
    distribution->workbook = &book;
    if (intervals > 0) {
        EXPECT_TRUE(GroupIntoIntervals(&list, intervals, &labels));
        distribution->groupedFlag = 1;
    }
    BuildFrequencyDistribution(list, distribution, labels);
    delete list;
    delete labels;

    FRWIN text("table");
    text.distribution = distribution;
    text.SetColumnWidth(static_cast<int>(width));
    text.WriteResult();
    distribution->workbook = nullptr;
    return text.Text();
}

struct TableCase
{
    const char *golden;
    const std::string &filter; // added to the description
    const char *variable;
    unsigned options;
    long width;
    int intervals;
};

std::ostream &operator<<(std::ostream &out, const TableCase &c)
{
    return out << c.golden;
}

const std::string none;
const TableCase tableCases[] = {
    {"q1_default", none, "q1", defaults, 11, 0},
    {"q1_cumulative_all", none, "q1", defaults | cumulativeAll, 11, 0},
    {"q1_by_value_descending", none, "q1", defaults | freqSortDescending, 11, 0},
    {"q1_by_frequency_ascending", none, "q1", defaults & ~freqSortByValue, 11, 0},
    {"q1_by_frequency_descending", none, "q1", (defaults & ~freqSortByValue) | freqSortDescending, 11, 0},
    {"q1_without_column_headings", none, "q1", (everything & ~freqColumnHeadings), 11, 0},
    {"q1_counts_only", none, "q1", freqCountColumn | freqColumnHeadings | freqSortByValue, 11, 0},
    {"q1_labels_and_valid_percent", none, "q1",
     freqHeading | freqLabelColumn | freqValidColumn | cumulativeValid | freqColumnHeadings | freqSortByValue, 11, 0},
    {"q1_width_3_gives_6", none, "q1", defaults, 3, 0},
    {"q1_width_14", none, "q1", everything, 14, 0},
    {"score_everything", none, "score", everything, 11, 0},
    {"score_cumulative_valid_by_frequency", none, "score",
     (defaults & ~freqSortByValue) | freqSortDescending | cumulativeValid, 9, 0},
    {"tie_mode_lists_four", none, "tie", defaults | statistics, 11, 0},
    {"age_four_intervals", none, "age", everything, 11, 4},
    {"age_fifteen_intervals", none, "age", defaults | cumulativeValid | freqMedian, 8, 15},
    {"q1_weighted", weighted, "q1", everything, 11, 0},
    {"q1_weighted_by_frequency", weighted, "q1", (defaults & ~freqSortByValue) | freqSortDescending, 11, 0},
    {"score_weighted", weighted, "score", everything, 11, 0},
    {"none_without_valid_value", none, "none", everything, 11, 0},
    {"q1_no_case_selected", noCase, "q1", everything, 11, 0},
};

class FreqText : public testing::Test
{
protected:
    analysestest::EnglishTexts texts;
};

class FrequencyTableText : public FreqText, public testing::WithParamInterface<TableCase>
{};

TEST_P(FrequencyTableText, EqualsItsGoldenText)
{
    const TableCase &c = GetParam();
    Survey survey("golden/freq", c.filter);
    const std::string text = WriteTable(survey, c.variable, c.options, c.width, c.intervals);
    ExpectGolden(c.golden, text);
    for (const char *undefined : {"nan", "inf", "NAN", "INF"})
        EXPECT_EQ(std::string::npos, text.find(undefined)) << text;
}

INSTANTIATE_TEST_SUITE_P(Tables, FrequencyTableText, testing::ValuesIn(tableCases));

TEST_F(FreqText, WritingLeavesTheRecordsSortedAndKeepsTheComputedMedian)
{
    Survey survey("golden/freq");
    FREQOBJECT distribution(survey.DataSet());
    WriteTable(survey, "q1", (defaults & ~freqSortByValue) | freqSortDescending | freqMedian, 11, 0, &distribution);
    EXPECT_DOUBLE_EQ(2.0, distribution.median);
    // Descending by frequency: 1 (7 cases), 2 (5), 3 (4), then 9 and the
    // system-missing value (2 each, in either order).
    ASSERT_LE(3, distribution.categoryCount);
    EXPECT_EQ(1, distribution.categories[0].value.integer);
    EXPECT_EQ(2, distribution.categories[1].value.integer);
    EXPECT_EQ(3, distribution.categories[2].value.integer);
}

TEST_F(FreqText, ADistributionWithoutWorkbookIsWrittenWithTheSavedSettings)
{
    Survey survey("golden/freq");
    const SettingsSection *section = FindSettingsSection(7);
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(section, FreqOption::optionsKey,
                                                      freqCountColumn | freqColumnHeadings | freqSortByValue));
    const long number = survey.Variable("q1");
    std::unique_ptr<BUFFERTYPE> list(new LISTETYPE(survey.DataSet(), number));
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(number, survey.DataSet()));
    FREQOBJECT distribution(survey.DataSet());
    BuildFrequencyDistribution(list.get(), &distribution, labels.get());
    FRWIN text("table");
    text.distribution = &distribution;
    text.WriteResult();
    RegistrySettings::DeleteKeyInSection(section, FreqOption::optionsKey);
    EXPECT_EQ(nullptr, distribution.workbook);
    ExpectGolden("q1_counts_only", text.Text());
}

TEST_F(FreqText, AnIntegerMedianOfHalfRoundsDownOnTheFirstLine)
{
    Survey survey(Survey::Text{"variable k\ntype u8\n", "k\n1\n2\n3\n4\n"});
    const std::string text = WriteTable(survey, "k", freqMedian, 11, 0);
    EXPECT_NE(std::string::npos, text.find(" Median = 2\r\n Median (interpolated) = 2.50\r\n")) << text;
}

// Values up to the largest double are values: counted, printed and averaged.
// Reference (R 4, mean in extended precision; the same by exact fractions in
// python3): mean(c(1e308, 1.7e308, 1.5e308, 3.5e38, 3.4028234663852886e38,
// -1e308, -1.7e308)) = 2.1428571428571428e+307.
TEST_F(FreqText, HugeValuesCountPrintAndAverageAsValues)
{
    Survey survey(Survey::Text{"variable x\ntype double\n",
                               "x\n1e308\n1.7e308\n1.5e308\n3.5e38\n3.4028234663852886e38\n-1e308\n-1.7e308\n"});
    FREQOBJECT distribution(survey.DataSet());
    const std::string text = WriteTable(survey, "x", everything, 11, 0, &distribution);
    EXPECT_NE(std::string::npos, text.find("Number of cases: 7\r\n")) << text;
    EXPECT_NEAR(distribution.mean / 2.1428571428571428e307, 1.0, 1e-14);
    EXPECT_NE(std::string::npos, text.find("Mean = 2.14e+307\r\n")) << text;
    // The largest float, once the mark, is a value: labelled with its
    // digits, its value in exponent form as every figure from 1e15 on.
    EXPECT_NE(std::string::npos, text.find("\r\n 340282346638528859811704183484516925440.00 ")) << text;
    EXPECT_NE(std::string::npos, text.find(" 3.40e+38 ")) << text;
    // A label too long for its field is in exponent form, never cut.
    EXPECT_NE(std::string::npos, text.find("\r\n -1.70e+308 ")) << text;
    EXPECT_EQ(std::string::npos, text.find("\r\n 16999999999999999")) << text;
}

// Weights of 1e300 count (R: sum(rep(1e300, 20)) = 2.0000000000000001e+301,
// each of the four codes 25 %); the three cases of weight 0, -1 and missing
// are left out and the footer says so.
TEST_F(FreqText, HugeWeightsCountAndCasesLeftOutForTheirWeightAreSaid)
{
    std::string csv = "k,w\n";
    for (int c = 0; c < 20; ++c)
        csv += std::to_string(1 + c % 4) + ",1e300\n";
    csv += "1,0\n2,-1\n3,\n";
    Survey survey(Survey::Text{"variable k\ntype u8\nvariable w\ntype double\nweight w\n", csv});
    const std::string text = WriteTable(survey, "k", defaults, 11, 0);
    char total[400];
    std::snprintf(total, sizeof total, "Number of cases: %.0f\r\n", 2.0000000000000001e+301);
    EXPECT_NE(std::string::npos, text.find(total)) << text;
    EXPECT_NE(std::string::npos, text.find("Cases left out for a zero, negative or missing weight: 3")) << text;
    EXPECT_NE(std::string::npos, text.find(" 25.0 ")) << text;
}

// Settings that once ran figures together: a column width below what a
// weighted count needs (or out of any sense), and 100 percentage decimals (taken as the default
// 1; at most 15 are ever used). Every row keeps one field a column.
TEST_F(FreqText, ColumnsAreWideEnoughForTheirFiguresWhateverTheSettings)
{
    const SettingsSection *values = FindSettingsSection(4);
    struct Restore
    {
        const SettingsSection *section;
        ~Restore() { RegistrySettings::DeleteKeyInSection(section, "DecimalsPct"); }
    } restore{values};
    for (unsigned long decimals : {1ul, 15ul, 100ul}) {
        ASSERT_TRUE(RegistrySettings::WriteValueInSection(values, "DecimalsPct", decimals));
        Survey survey(Survey::Text{"variable k\ntype u8\nvariable w\ntype double\ndecimals 4\nweight w\n",
                                   "k,w\n1,990.7857\n2,1009.2143\n"});
        // 3 and 8 typed in the option window; -5 is "FreqTabWid" 0xFFFFFFFB
        // read from the registry, 99999 a typed value past the field's 40.
        for (long width : {3L, 8L, -5L, 99999L}) {
            const std::string text = WriteTable(survey, "k", defaults & ~freqLabelColumn, width, 0);
            std::size_t rows = 0;
            for (const char *count : {"990.7857", "1009.2143"}) {
                const std::size_t at = text.find(count);
                ASSERT_NE(std::string::npos, at) << text;
                const std::size_t begin = text.rfind("\r\n", at) + 2, end = text.find("\r\n", at);
                std::istringstream line(text.substr(begin, end - begin));
                std::vector<std::string> fields;
                for (std::string f; line >> f;)
                    fields.push_back(f);
                // Value, frequency, percent, valid percent.
                ASSERT_EQ(4u, fields.size()) << text;
                EXPECT_EQ(count, fields[1]);
                EXPECT_EQ(decimals == 15 ? 15u : 1u, fields[2].size() - fields[2].find('.') - 1) << text;
                ++rows;
            }
            EXPECT_EQ(2u, rows);
        }
    }
}

} // namespace
