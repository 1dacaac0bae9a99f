// The descriptive statistics table (MeanObj::WriteMeanTable) on data/desc:
// golden texts for every display bit, weighted and unweighted, with
// user-missing values, a constant, one case, no valid case, an empty
// selection and weights all 0; the figures against R and PSPP; widths and
// marks on records set by hand.
#include "tests/analyses/AnalysesTestSupport.h"

#include "shell/TXTWIN.h"
#include "stats/MeanObj.h"
#include "stats/StatMissing.h"

namespace {

using analysestest::Survey;
constexpr unsigned long allBits = 0x3FF;

std::string Write(MeanObj &computation, unsigned long mask)
{
    computation.statisticsMask = mask;
    TXTWIN text("table", 0);
    // The call without a text group writes the descriptives' labels (group
    // 32): the golden texts below hold them.
    MeanObj::WriteMeanTable(computation, text);
    return text.Text();
}

std::string WriteTable(const char *added, const char *variable, unsigned long mask)
{
    Survey survey("data/desc", added);
    MeanObj computation(survey.Variable(variable), survey.DataSet());
    EXPECT_TRUE(computation.Compute());
    return Write(computation, mask);
}

// The value on the line of the label ("" when there is none).
std::string ValueOf(const std::string &text, const std::string &label)
{
    std::istringstream lines(text);
    std::string line, value;
    while (std::getline(lines, line))
        if (line.compare(0, label.size() + 2, " " + label + " ") == 0)
            return (std::istringstream(line.substr(label.size() + 1)) >> value, value);
    return "";
}

TEST(MeanTableText, MatchesTheGoldenTexts)
{
    analysestest::EnglishTexts texts;
    const char *const cases[][4] = {
        {"mean_score_all", "", "score", "1023"},
        {"mean_score_all_weighted", "weight w\n", "score", "1023"},
        {"mean_score_default", "", "score", "31"},
        {"mean_item_all_weighted", "weight w\n", "item", "1023"},
        {"mean_constant", "", "same", "1023"},
        {"mean_one_case", "", "one", "1023"},
        {"mean_no_valid_case", "", "none", "1023"},
        {"mean_empty_selection", "selection nobody Nobody selected\n", "score", "1023"},
        {"mean_weights_all_zero", "weight z\n", "score", "1023"},
    };
    for (const auto &c : cases)
        analysestest::ExpectGolden(c[0], WriteTable(c[1], c[2], std::stoul(c[3])));
    // Each bit alone, one table after the other: the label column without
    // the mean's floor of 20.
    std::string each;
    for (unsigned long bit = 1; bit <= 0x200; bit <<= 1)
        each += WriteTable("", "score", bit);
    analysestest::ExpectGolden("mean_score_each_bit", each);
}

// R 4.2 on data/desc.csv (score: not 99, not empty; w as frequency
// weights: N = sum w, sd with N - 1, limits with t(N - 1), G1 and G2, the
// inverse of the weighted distribution function averaged where flat):
//   mean(x); sum(x); sd(x); t.test(x)$conf.int; t.test(x, conf.level =
//   .99)$conf.int; quantile(x, c(.25, .5, .75), type = 2)
//   score    N 17 mean 3.205882 sum 54.5 sd 1.199724 95% 2.589041 3.822724
//            99% 2.356005 4.055759 q 2.5 3 4 G1 -0.122953 G2 -0.842900
//   weighted N 20 mean 3.275 sum 65.5 sd 1.111838 95% 2.754644 3.795356
//            99% 2.563730 3.986270 q 2.5 3.25 4.25 G1 -0.289034 G2 -0.545661
//   item, w  N 23.5 mean 3.042553 sum 71.5 sd 1.134459 95% 2.557848
//            3.527259 99% 2.384273 3.700833 q 2 3 4 G1 0.109848 G2 -0.356997
// PSPP 1.6 DESCRIPTIVES (WEIGHT BY w) prints the same N, mean, sd, minimum,
// maximum, sum, skewness and kurtosis: score 17 3.21 1.20 1.0 5.0 54.50
// -.12 -.84; weighted 20.00 3.27 1.11 65.50 -.29 -.55; item 23.50 3.04 1.13
// 71.50 .11 -.36; EXAMINE the same limits and median (2.59 3.82 3.00).
TEST(MeanTableText, FiguresAgreeWithRAndPsppAtThePrintedDecimals)
{
    analysestest::EnglishTexts texts;
    // {description added, variable, the value column from the mean down to
    // the kurtosis}
    const std::vector<std::vector<std::string>> cases = {
        {"", "score", "3.21", "54.50", "1.00", "5.00", "17", "1.20", "2.59", "3.82", "2.36", "4.06", "2.50", "3.00",
         "4.00", "-0.12", "-0.84"},
        {"weight w\n", "score", "3.27", "65.50", "1.00", "5.00", "20.00", "1.11", "2.75", "3.80", "2.56", "3.99",
         "2.50", "3.25", "4.25", "-0.29", "-0.55"},
        {"weight w\n", "item", "3.04", "71.50", "1.00", "5.00", "23.50", "1.13", "2.56", "3.53", "2.38", "3.70", "2.00",
         "3.00", "4.00", "0.11", "-0.36"},
    };
    for (const std::vector<std::string> &c : cases) {
        std::istringstream lines(WriteTable(c[0].c_str(), c[1].c_str(), allBits));
        std::vector<std::string> column = {c[0], c[1]};
        std::string line;
        for (int i = 0; std::getline(lines, line) && i < 18; ++i)
            if (i >= 3)
                column.push_back(line.substr(line.find_last_of(' ') + 1, line.size() - line.find_last_of(' ') - 2));
        EXPECT_EQ(column, c);
    }
}

TEST(MeanTableText, ColumnsFitTheirWidestEntryAndAbsentFiguresGetTheMark)
{
    analysestest::EnglishTexts texts;
    Survey survey("data/desc");
    MeanObj m(1, survey.DataSet());
    DescriptiveRecord &r = m.record;
    r.count = 2, r.weightedCount = 2, r.sum = 1234567890.25;
    r.mean = r.minimum = r.maximum = r.upper95 = 1.0;
    r.standardDeviation = r.lower95 = kNotComputed; // two cases of weight 0.5
    // "1234567890.25": a value column of 15; the label column the label
    // ("Sum") plus 2; with the mean at least 20 plus 2.
    EXPECT_NE(Write(m, 0x004).find("\n Sum    1234567890.25\r"), std::string::npos);
    EXPECT_NE(Write(m, 0x001).find("\n Mean" + std::string(18 + 15 - 4, ' ') + "1.00\r"), std::string::npos);
    r.sum = 5.25;
    EXPECT_NE(Write(m, 0x002).find("\n N" + std::string(2 + 11, ' ') + "2\r"), std::string::npos);
    const std::string text = Write(m, allBits);
    for (const char *label : {"Standard deviation", "95% confidence interval, lower limit", "Median", "Skewness"})
        EXPECT_EQ("***", ValueOf(text, label)) << label; // the summary is absent
    EXPECT_EQ("1.00", ValueOf(text, "95% confidence interval, upper limit"));
    StatText(0, 5); // another group read last: the labels stay group 32's
    EXPECT_EQ("1.00", ValueOf(Write(m, 0x001), "Mean"));
}

// Values up to the largest double print as values: every figure of seven
// values from 1.7e308 to -1.7e308 (two at the largest float) is shown, in
// exponent form from 1e15 on, and the column holds the widest of them.
TEST(MeanTableText, ValuesNearTheLargestDoublePrintAsValues)
{
    analysestest::EnglishTexts texts;
    Survey survey(Survey::Text{"variable h\ntype double\n",
                               "h\n1e308\n1.7e308\n1.5e308\n3.5e38\n3.4028234663852886e38\n-1e308\n-1.7e308\n"});
    MeanObj m(1, survey.DataSet());
    ASSERT_TRUE(m.Compute());
    const std::string text = Write(m, allBits);
    EXPECT_EQ("7", ValueOf(text, "N"));
    for (const char *label : {"Mean", "Sum", "Standard deviation", "Median", "Skewness"})
        EXPECT_NE("***", ValueOf(text, label)) << label << "\n" << text;
    EXPECT_EQ("1.70e+308", ValueOf(text, "Maximum"));
    EXPECT_EQ("-1.70e+308", ValueOf(text, "Minimum"));
    EXPECT_EQ("3.50e+38", ValueOf(text, "Median"));
    EXPECT_EQ("-0.33", ValueOf(text, "Skewness"));
    // Right-aligned in one column: every line as long as the longest.
    std::istringstream lines(text);
    std::string line;
    std::vector<size_t> lengths;
    while (std::getline(lines, line))
        if (line.find("Minimum") != std::string::npos || line.find("Maximum") != std::string::npos)
            lengths.push_back(line.size());
    ASSERT_EQ(lengths.size(), 2u);
    EXPECT_EQ(lengths[0], lengths[1]);
}

// A variable whose values cannot be read gets the reason, not an empty
// table over "Number of cases: 0".
TEST(MeanTableText, AnUnreadableVariableShowsWhy)
{
    analysestest::EnglishTexts texts;
    Survey survey("data/desc");
    MeanObj m(1, survey.DataSet());
    m.variableNumber = 9999;
    EXPECT_FALSE(m.Compute());
    const std::string text = Write(m, allBits);
    EXPECT_NE(text.find(m.GetFailureText()), std::string::npos) << text;
    EXPECT_NE(std::string(m.GetFailureText()).find("cannot be computed"), std::string::npos);
    EXPECT_EQ(text.find("Number of cases"), std::string::npos) << text;
    EXPECT_EQ("", ValueOf(text, "Mean"));
}

} // namespace

// Every case weighing 4e-320: the mean is that of the unweighted cases, N
// and the count line give the sum of weights in exponent form, not 0, and
// the spread, which needs more than one case's weight, holds "***" with
// the reason under the table.
TEST(MeanTableText, WeightsNearTheSmallestDoubleGiveTheMeanAndSayWhySpreadsAreMissing)
{
    analysestest::EnglishTexts texts;
    const std::string csv = analysestest::ReadFile(analysestest::SourceFile("data/desc.csv"));
    std::string tiny;
    std::istringstream lines(csv);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        tiny += line + (tiny.empty() ? ",tiny\n" : ",4e-320\n");
    }
    std::string unitText;
    {
        Survey survey("data/desc");
        MeanObj unit(survey.Variable("score"), survey.DataSet());
        ASSERT_TRUE(unit.Compute());
        unitText = Write(unit, allBits);
    }
    Survey survey(Survey::Text{analysestest::ReadFile(analysestest::SourceFile("data/desc.desc")) +
                                   "variable tiny\ntype double\nweight tiny\n",
                               tiny});
    MeanObj computation(survey.Variable("score"), survey.DataSet());
    ASSERT_TRUE(computation.Compute());
    const std::string text = Write(computation, allBits);
    EXPECT_EQ(ValueOf(unitText, StatText(9, 32)), ValueOf(text, StatText(9, 32))) << text;
    EXPECT_NE(std::string::npos, ValueOf(text, StatText(33, 32)).find("e-3")) << text;
    EXPECT_EQ("***", ValueOf(text, StatText(12, 32))) << text;
    EXPECT_NE(std::string::npos, text.find(std::string("*** ") + StatText(31, 0))) << text;
    EXPECT_EQ(std::string::npos, text.find("Number of cases: 0")) << text;
}

namespace {

// One case of weight 5 is five cases of one value: spread 0, every limit
// and quantile at the mean, as the data with the case repeated five times.
TEST(MeanTableText, OneCaseOfWeightFiveIsFiveCases)
{
    analysestest::EnglishTexts texts;
    const std::string description = "variable x\ntype double\nvariable c\ntype double\ndecimals 0\n";
    Survey weightedSurvey(Survey::Text{description + "weight c\n", "x,c\n7.5,5\n"});
    MeanObj weighted(1, weightedSurvey.DataSet());
    ASSERT_TRUE(weighted.Compute());
    const std::string text = Write(weighted, allBits & ~0x080ul); // skewness needs N > 2 of spread
    for (const char *label : {"Mean", "Standard deviation", "95% confidence interval, lower limit",
                              "95% confidence interval, upper limit", "99% confidence interval, lower limit",
                              "99% confidence interval, upper limit", "Lower quartile", "Median", "Upper quartile"})
        EXPECT_EQ(std::string(label) == "Standard deviation" ? "0.00" : "7.50", ValueOf(text, label))
            << label << "\n" << text;
    EXPECT_EQ("5", ValueOf(text, "N")) << text;
}

} // namespace
