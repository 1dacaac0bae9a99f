// The frequency table's figures against PSPP 1.6.2 FREQUENCIES on the same
// survey (golden/freq.csv), where the two compute the same thing. The PSPP
// figures below were taken from this run (PSPP prints percentages with one
// decimal, hence the tolerance):
//
//   GET DATA /TYPE=TXT /FILE='freq.csv' /ARRANGEMENT=DELIMITED
//     /DELIMITERS=',' /FIRSTCASE=2 /VARIABLES=q1 F1.0 age F3.0 score F5.1
//     tie F1.0 none F1.0 w F8.2 nobody F1.0.
//   MISSING VALUES q1 (9) score (99) none (9).
//   FREQUENCIES /VARIABLES=q1 score tie none /FORMAT=AVALUE
//     /STATISTICS=MEAN MEDIAN MODE.
//   WEIGHT BY w.
//   FREQUENCIES /VARIABLES=q1 score /FORMAT=AVALUE /STATISTICS=MEDIAN MODE.
//
// Not compared: the mean under a weight (this table's mean counts each case
// once, by design); the weighted median of score (PSPP 3.13 interpolates
// between weighted order statistics, this program takes the inverse of the
// weighted distribution function: 3.50); PSPP's mode where several values
// share the largest frequency (it prints none).
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/frequencies/FRWIN.h"
#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "stats/FREQOBJ.h"
#include "stats/StatMissing.h"

#include <memory>
#include <vector>

namespace {

struct PsppRow
{
    double value;     // 1e300: PSPP's system-missing row "."
    double frequency; // weighted under a weight
    double percent;
    double validPercent; // -1: a missing row (PSPP leaves it empty)
    double cumulative;   // cumulative valid percent; -1 for a missing row
};

struct PsppCase
{
    const char *name;
    bool weighted; // by w
    const char *variable;
    std::vector<PsppRow> rows; // in ascending order of value, system-missing last
    double mean;               // kNotComputed: not compared
    double median;             // kNotComputed: PSPP "."
    const char *modeLine;      // null: not compared
};

std::ostream &operator<<(std::ostream &out, const PsppCase &c)
{
    return out << c.name;
}

constexpr double sysmis = 1e300, none = -1.0;
// PSPP rounds percentages to one decimal, halves away from zero.
constexpr double tolerance = 0.0501;

const PsppCase psppCases[] = {
    {"q1",
     false,
     "q1",
     {{1, 7, 35.0, 43.8, 43.8},
      {2, 5, 25.0, 31.3, 75.0},
      {3, 4, 20.0, 25.0, 100.0},
      {9, 2, 10.0, none, none},
      {sysmis, 2, 10.0, none, none}},
     1.81,
     2.00,
     "Mode = 1"},
    {"score",
     false,
     "score",
     {{1.5, 1, 5.0, 6.3, 6.3},
      {2.5, 4, 20.0, 25.0, 31.3},
      {3.0, 4, 20.0, 25.0, 56.3},
      {3.5, 2, 10.0, 12.5, 68.8},
      {4.0, 2, 10.0, 12.5, 81.3},
      {4.5, 2, 10.0, 12.5, 93.8},
      {5.0, 1, 5.0, 6.3, 100.0},
      {99.0, 2, 10.0, none, none},
      {sysmis, 2, 10.0, none, none}},
     3.28,
     3.00,
     nullptr},
    {"tie",
     false,
     "tie",
     {{1, 3, 15.0, 15.0, 15.0},
      {2, 3, 15.0, 15.0, 30.0},
      {3, 3, 15.0, 15.0, 45.0},
      {4, 3, 15.0, 15.0, 60.0},
      {5, 3, 15.0, 15.0, 75.0},
      {6, 3, 15.0, 15.0, 90.0},
      {7, 2, 10.0, 10.0, 100.0}},
     3.85,
     4.00,
     nullptr},
    {"none",
     false,
     "none",
     {{9, 17, 85.0, none, none}, {sysmis, 3, 15.0, none, none}},
     kNotComputed,
     kNotComputed,
     nullptr},
    {"q1_weighted",
     true,
     "q1",
     {{1, 8.5, 31.5, 37.8, 37.8},
      {2, 10.0, 37.0, 44.4, 82.2},
      {3, 4.0, 14.8, 17.8, 100.0},
      {9, 1.5, 5.6, none, none},
      {sysmis, 3.0, 11.1, none, none}},
     kNotComputed,
     2.00,
     "Mode = 2"},
    {"score_weighted",
     true,
     "score",
     {{1.5, 1.5, 5.6, 6.4, 6.4},
      {2.5, 5.5, 20.4, 23.4, 29.8},
      {3.0, 4.5, 16.7, 19.1, 48.9},
      {3.5, 2.0, 7.4, 8.5, 57.4},
      {4.0, 4.0, 14.8, 17.0, 74.5},
      {4.5, 3.5, 13.0, 14.9, 89.4},
      {5.0, 2.5, 9.3, 10.6, 100.0},
      {99.0, 1.5, 5.6, none, none},
      {sysmis, 2.0, 7.4, none, none}},
     kNotComputed,
     kNotComputed,
     "Mode = 2.5"},
};

class FrequenciesAsPspp : public testing::TestWithParam<PsppCase>
{
protected:
    analysestest::EnglishTexts texts;
};

TEST_P(FrequenciesAsPspp, CountsPercentagesAndStatisticsAgree)
{
    const PsppCase &c = GetParam();
    analysestest::Survey survey("golden/freq", c.weighted ? "weight w\n" : "");
    DATASET *dataSet = survey.DataSet();
    const long number = survey.Variable(c.variable);
    std::unique_ptr<BUFFERTYPE> list(new LISTETYPE(dataSet, number));
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(number, dataSet));
    FREQOBJECT d(dataSet);
    BuildFrequencyDistribution(list.get(), &d, labels.get());

    ASSERT_EQ(static_cast<long>(c.rows.size()), d.categoryCount);
    double cumulative = 0.0;
    for (long i = 0; i < d.categoryCount; ++i) {
        const FreqCategory &r = d.categories[i];
        const PsppRow &p = c.rows[i];
        const double value = d.realValued ? r.value.real : static_cast<double>(r.value.integer);
        if (p.value == sysmis) {
            EXPECT_TRUE(IsNotComputed(value) || value == 2147483647.0) << i;
        } else {
            EXPECT_DOUBLE_EQ(p.value, value) << i;
        }
        EXPECT_DOUBLE_EQ(p.frequency, r.frequency) << i;
        EXPECT_NEAR(p.percent, r.percent, tolerance) << i;
        if (p.validPercent == none) {
            EXPECT_TRUE(r.missing) << i;
            continue;
        }
        cumulative += r.validPercent;
        EXPECT_NEAR(p.validPercent, r.validPercent, tolerance) << i;
        EXPECT_NEAR(p.cumulative, cumulative, tolerance) << i;
    }
    if (c.mean != kNotComputed) {
        EXPECT_NEAR(c.mean, d.mean, 0.005);
    }

    // Median and mode as the table writes them.
    auto *record = new FreqOption;
    record->tableOptions = freqMedian | freqMode;
    FreqBook book(record);
    d.workbook = &book;
    FRWIN text("table");
    text.distribution = &d;
    text.WriteResult();
    d.workbook = nullptr;
    if (c.median != kNotComputed) {
        EXPECT_NEAR(c.median, d.median, 0.005);
    } else if (!c.weighted) {
        EXPECT_TRUE(IsNotComputed(d.median));
    }
    if (c.modeLine) {
        EXPECT_NE(std::string::npos, text.Text().find(std::string(c.modeLine) + "\r\n")) << text.Text();
    }
}

INSTANTIATE_TEST_SUITE_P(Pspp, FrequenciesAsPspp, testing::ValuesIn(psppCases));

} // namespace
