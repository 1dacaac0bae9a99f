// The frequency table text against golden files: every display bit, the
// four sort orders, both cumulative bases, column widths, grouping into
// intervals, weighted and unweighted, user-missing and system-missing
// values, and the tables of a variable without a valid value and of a
// selection without a case (their undefined figures print as the mark,
// never as a NaN).
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/frequencies/FRWIN.h"
#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/CategoryGrouping.h"
#include "dataset/KATLABS.h"
#include "dataset/RegistrySettings.h"
#include "stats/FREQOBJ.h"
#include "stats/StatMissing.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <iterator>
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

// Down from 2.5 and from 3.5 alike: not to the even whole number.
TEST_F(FreqText, AnIntegerMedianOfHalfRoundsDownOnTheFirstLine)
{
    const std::pair<const char *, const char *> cases[] = {
        {"k\n1\n2\n3\n4\n", " Median (rounded) = 2\r\n Median = 2.50\r\n"},
        {"k\n1\n2\n3\n4\n5\n6\n", " Median (rounded) = 3\r\n Median = 3.50\r\n"}};
    for (const auto &c : cases) {
        Survey survey(Survey::Text{"variable k\ntype u8\n", c.first});
        const std::string text = WriteTable(survey, "k", freqMedian, 11, 0);
        EXPECT_NE(std::string::npos, text.find(c.second)) << text;
    }
}

// Values up to the largest double are values: counted, printed, averaged.
// Reference (R 4, extended precision; python3 fractions agree): mean of
// the seven = 2.1428571428571428e+307.
TEST_F(FreqText, HugeValuesCountPrintAndAverageAsValues)
{
    Survey survey(Survey::Text{"variable x\ntype double\n",
                               "x\n1e308\n1.7e308\n1.5e308\n3.5e38\n3.4028234663852886e38\n-1e308\n-1.7e308\n"});
    FREQOBJECT distribution(survey.DataSet());
    const std::string text = WriteTable(survey, "x", everything, 11, 0, &distribution);
    EXPECT_NEAR(distribution.mean / 2.1428571428571428e307, 1.0, 1e-14);
    // The largest float, a value here and not the mark, is labelled with its
    // digits; figures from 1e15 on and labels past their field are in
    // exponent form.
    for (const char *shown : {"Number of cases: 7\r\n", "Mean = 2.14e+307\r\n", " 3.40e+38 ", "\r\n -1.70e+308 ",
                              "\r\n 340282346638528859811704183484516925440.00 "})
        EXPECT_NE(std::string::npos, text.find(shown)) << shown << text;
}

// Cases of weight 0, -1 and missing are left out and said so under the
// table; three of weight 1e300 total 3e300,
// printed as the frequency column prints it.
TEST_F(FreqText, TheFooterSaysWhichCasesTheirWeightsLeftOutAndGivesAHugeTotalAsAFigure)
{
    Survey survey(Survey::Text{"variable k\ntype u8\nvariable w\ntype double\nweight w\n",
                               "k,w\n1,1e300\n2,1e300\n1,0\n2,-1\n1,\n2,1e300\n"});
    const std::string text = WriteTable(survey, "k", defaults, 11, 0);
    EXPECT_NE(std::string::npos, text.find("Number of cases: 3.00e+300\r\n Cases left out for a zero, negative or "
                                           "missing weight: 3\r\n"))
        << text;
    EXPECT_NE(std::string::npos, text.find(" 2.00e+300 ")) << text; // the frequency of k = 2
}

// Settings that ran figures together: widths 3 and 8 (typed), -5 ("FreqTabWid"
// 0xFFFFFFFB) and 99999, and "DecimalsPct" 100 (read as 1; 15 at most).
TEST_F(FreqText, ColumnsAreWideEnoughForTheirFiguresWhateverTheSettings)
{
    Survey survey(Survey::Text{"variable k\ntype u8\nvariable w\ntype double\ndecimals 4\nweight w\n",
                               "k,w\n1,990.7857\n2,1009.2143\n"});
    for (unsigned long decimals : {15ul, 100ul})
        for (long width : {3L, 8L, -5L, 99999L}) {
            RegistrySettings::WriteValueInSection(FindSettingsSection(4), "DecimalsPct", decimals);
            const std::string text = WriteTable(survey, "k", defaults & ~freqLabelColumn, width, 0);
            RegistrySettings::DeleteKeyInSection(FindSettingsSection(4), "DecimalsPct");
            const std::size_t at = text.find("990.7857"), begin = text.rfind("\r\n", at) + 2;
            std::istringstream line(text.substr(begin, text.find("\r\n", at) - begin));
            std::vector<std::string> fields{std::istream_iterator<std::string>(line), {}};
            ASSERT_EQ(4u, fields.size()) << text; // value, frequency, percent, valid percent
            EXPECT_EQ(decimals == 15 ? 15u : 1u, fields[2].size() - fields[2].find('.') - 1) << text;
        }
}

} // namespace
