// Valid values up to the largest double: the moments keep them as doubles,
// and every computation that reads cases counts a value at or above the
// largest float (the figures' not-computed mark) as the value it is.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "GoldenData.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "stats/CorrObj.h"
#include "stats/GMultResp.h"
#include "stats/MeanObj.h"
#include "stats/RegObj.h"
#include "stats/RegressionKernel.h"
#include "stats/Stat.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"
#include "stats/XTABOBJ.h"

namespace {

// Seven values from 1.7e308 down to -1.7e308, two of them at the largest
// float. Reference (exact rational arithmetic, and R 4 on the values scaled
// by 1e-308): sum 1.5e308, mean 2.1428571428571428e307, sd
// 1.2720437249148467e308, G1 -0.3327314633077379, G2 -1.19485928259569.
const double kHuge[] = {1e308, 1.7e308, 1.5e308, 3.5e38, 3.4028234663852886e38, -1e308, -1.7e308};

// The moments by the two-pass formulas in long double (whose exponent
// reaches 1e4932, so nothing overflows): the reference for any values.
struct Reference
{
    double mean, sd;
};
Reference LongDoubleMoments(const std::vector<double> &x)
{
    long double sum = 0.0L, squares = 0.0L;
    for (double v : x)
        sum += v;
    const long double mean = sum / x.size();
    for (double v : x)
        squares += (v - mean) * (v - mean);
    return {static_cast<double>(mean), static_cast<double>(std::sqrt(squares / (x.size() - 1)))};
}

} // namespace

TEST(HugeValues, MomentsOfValuesNearTheLargestDoubleAreDoubles)
{
    WeightedMoments m;
    for (double v : kHuge)
        m.Add(v, 1.0);
    EXPECT_NEAR(m.Sum() / 1.5e308, 1.0, 1e-14);
    EXPECT_NEAR(m.Mean() / 2.1428571428571428e307, 1.0, 1e-14);
    EXPECT_NEAR(m.StandardDeviation() / 1.2720437249148467e308, 1.0, 1e-14);
    EXPECT_NEAR(m.Skewness(), -0.3327314633077379, 1e-13);
    EXPECT_NEAR(m.Kurtosis(), -1.19485928259569, 1e-13);
    EXPECT_EQ(m.Maximum(), 1.7e308);
    EXPECT_EQ(m.Minimum(), -1.7e308);
    EXPECT_TRUE(m.HasVariance());
}

// Ordinary values for two blocks, then huge ones: the moments already
// merged are taken to the scale where the huge ones fit, and a block added
// at once gives the bits of the same cases added one by one.
TEST(HugeValues, MomentsSwitchToTheScaledFormMidStream)
{
    std::vector<double> x;
    for (int i = 0; i < 2 * static_cast<int>(kMomentBlock) + 300; ++i)
        x.push_back(i % 17 - 8.5);
    for (double v : kHuge)
        x.push_back(v / 4);
    WeightedMoments one, block;
    for (double v : x)
        one.Add(v, 1.0);
    block.AddBlock(x.data(), nullptr, x.size());
    const Reference reference = LongDoubleMoments(x);
    EXPECT_NEAR(one.Mean() / reference.mean, 1.0, 1e-13);
    EXPECT_NEAR(one.StandardDeviation() / reference.sd, 1.0, 1e-13);
    EXPECT_EQ(one.Scale(), WeightedMoments::kHugeScale);
    EXPECT_EQ(block.Mean(), one.Mean());
    EXPECT_EQ(block.StandardDeviation(), one.StandardDeviation());
    EXPECT_EQ(block.Kurtosis(), one.Kurtosis());
    // Without a huge value nothing is scaled.
    WeightedMoments small;
    small.AddBlock(x.data(), nullptr, x.size() - 7);
    EXPECT_EQ(small.Scale(), 0);
}

class HugeValueSet : public ::testing::Test
{
protected:
    // h: the seven huge values; x and y: a case at 4e38 and one at 3.5e38
    // among ordinary ones; m1, m2: answer codes, 4e38 and 1.7e308 among
    // them. The eighth case is missing in every variable.
    void SetUp() override
    {
        set.reset(BuildDataSet("variable h\ntype double\nvariable x\ntype double\nvariable y\ntype double\n"
                               "variable m1\ntype double\nvariable m2\ntype double\n",
                               "h,x,y,m1,m2\n"
                               "1e308,4e38,2,4e38,1\n"
                               "1.7e308,1,3,1,\n"
                               "1.5e308,2,5,2,4e38\n"
                               "3.5e38,3,4,,2\n"
                               "3.4028234663852886e38,3.5e38,6,4e38,\n"
                               "-1e308,5,1,1,2\n"
                               "-1.7e308,6,8,2,1.7e308\n"
                               ",,,,\n",
                               "hugevalues.QVF"));
        ASSERT_TRUE(set);
    }
    std::unique_ptr<DATASET> set;
};

TEST_F(HugeValueSet, DescriptivesCountEveryValueUpToTheLargestDouble)
{
    MeanObj m(1, set.get());
    ASSERT_TRUE(m.Compute()) << m.GetFailureText();
    EXPECT_EQ(m.record.count, 7);
    EXPECT_NEAR(m.record.mean / 2.1428571428571428e307, 1.0, 1e-14);
    EXPECT_NEAR(m.record.standardDeviation / 1.2720437249148467e308, 1.0, 1e-14);
    EXPECT_EQ(m.record.maximum, 1.7e308);
    ASSERT_NE(m.record.QuantileSummary(), nullptr);
    EXPECT_EQ(m.record.QuantileSummary()[1], 3.5e38); // the median
    EXPECT_STREQ(m.GetFailureText(), "");
}

// The graphs' statistics: without a limit every value counts; a limit
// leaves out the values at or above it.
TEST_F(HugeValueSet, GraphStatisticsKeepEveryValueWithoutALimit)
{
    StatClass computation(set.get());
    const Stat all(&computation, 1, 0, kNotComputed);
    EXPECT_EQ(all.validCount, 7);
    EXPECT_EQ(all.maximum, 1.7e308);
    const Stat below(&computation, 1, 0, 1e308);
    EXPECT_EQ(below.validCount, 4);
    double summary[7];
    GroupedMedian(&computation, 1, 0, kNotComputed).GetSummary(summary);
    EXPECT_EQ(summary[6], 1.7e308);
}

TEST_F(HugeValueSet, CorrelationsKeepTheCasesAtOrAboveTheLargestFloat)
{
    StatClass computation(set.get());
    const long variables[] = {2, 3};
    for (bool pairwise : {false, true}) {
        CorrelationResult result;
        long failed = -1;
        ASSERT_EQ(AccumulateCorrelations(computation, variables, 2, pairwise, result, failed), 0);
        EXPECT_EQ(result.count[1], 7) << pairwise;
        const Reference x = LongDoubleMoments({4e38, 1, 2, 3, 3.5e38, 5, 6});
        EXPECT_NEAR(result.mean[0] / x.mean, 1.0, 1e-14);
        EXPECT_NEAR(result.standardDeviation[0] / x.sd, 1.0, 1e-14);
    }
}

TEST_F(HugeValueSet, RegressionRestsOnEveryCase)
{
    struct Regression : RegObj
    {
        using RegObj::RegObj;
        void ComputeColumnWidths(int, int) override {}
    };
    const long independents[] = {2, 0};
    Regression r(3, independents, kRegressionEnter, 1, 0.05, 0.1, set.get());
    r.ComputeCorrelationMatrix();
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.LastStep()->n, 7.0);
    RegressionEngine *engine = r.EnsureEngine(r.StepCount() - 1);
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->count, 7);
}

TEST_F(HugeValueSet, MultipleResponseCountsACodeAboveTheLargestFloat)
{
    const long answers[] = {4, 5, 0};
    GMultRespFreq m(answers, 1, 1, 0, 0, set.get());
    ASSERT_NE(m.Result(), nullptr);
    // Codes 1, 2, 4e38 and 1.7e308: 4e38 answered in cases 1, 3 and 5.
    ASSERT_EQ(m.categoryCount, 4);
    const FreqCategory *codes = m.Result()->categories;
    EXPECT_EQ(codes[2].value.real, 4e38);
    EXPECT_EQ(codes[2].count, 3);
    EXPECT_EQ(m.caseCount, 7.0);
    // Unlabelled: 4e38 fits its label in fixed form (every digit of the
    // double), 1.7e308 does not and is written with its exponent.
    EXPECT_EQ(std::strtod(codes[2].label, nullptr), 4e38) << codes[2].label;
    const std::string label = codes[3].label;
    EXPECT_NEAR(std::strtod(label.c_str(), nullptr) / 1.7e308, 1.0, 1e-2) << label;
    EXPECT_NE(label.find("e+308"), std::string::npos) << label;
}

// A crosstab whose every case weighs 1.37e294: the counts, expected counts
// and chi-square of the unweighted table times the weight, the same phi,
// and no case left out for its weight.
TEST(HugeValues, CrosstabOfHugeWeightsScalesTheUnweightedFigures)
{
    const double weight = 1.37e294;
    std::string csv = "a,b,w\n";
    for (int i = 0; i < 40; ++i)
        csv += std::to_string(i % 3 + 1) + "," + std::to_string((i * 7 / 5) % 3 + 1) + ",1.37e294\n";
    const std::string description = "variable a\ntype u8\nvariable b\ntype u8\nvariable w\ntype double\n";
    std::unique_ptr<DATASET> heavy(BuildDataSet(description + "weight w\n", csv, "hugeweights.QVF"));
    std::unique_ptr<DATASET> plain(BuildDataSet(description, csv, "plainweights.QVF"));
    ASSERT_TRUE(heavy && plain);
    LISTETYPE ha(heavy.get(), 1), hb(heavy.get(), 2), pa(plain.get(), 1), pb(plain.get(), 2);
    XTABOBJ h(&ha, nullptr, &hb, nullptr, 0, heavy.get()), p(&pa, nullptr, &pb, nullptr, 0, plain.get());
    ASSERT_EQ(h.status, 0) << h.GetFailureText();
    ASSERT_EQ(p.status, 0);
    EXPECT_EQ(h.ExcludedWeightCases(), 0);
    EXPECT_NEAR(h.total / weight, 40.0, 1e-12);
    ASSERT_EQ(h.RowCount(), 3);
    ASSERT_EQ(h.ColumnCount(), 3);
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(h.Expected(r, c) / weight, p.Expected(r, c), 1e-12) << r << ", " << c;
    h.ComputeChiSquareTest();
    p.ComputeChiSquareTest();
    EXPECT_NEAR(h.chiSquare / weight / p.chiSquare, 1.0, 1e-12);
    EXPECT_NEAR(h.phi, p.phi, 1e-13);
}
