// The biplot's figures (BiplotReg) and page text (BIPLOTWIN): a golden
// text of income by hours on data/corr with its figures against R's lm,
// summary and cor.test (data/corr_reference.R); the mixed weighting (means
// weighted, the line not); a constant y; two valid pairs only.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/crosstab/BIPLOTWIN.h"
#include "stats/BiplotReg.h"
#include "stats/StatMissing.h"

namespace {

using namespace analysestest;

enum CorrVariable : long { A = 1, B, C, D, K, NONE };

class BiplotTextTest : public WindowTest
{
protected:
    std::string Text(BiplotReg &regression)
    {
        BIPLOTWIN text;
        text.SetComputation(&regression, nullptr);
        text.WriteText();
        return text.Text();
    }
};

TEST_F(BiplotTextTest, IncomeByHoursAgreesWithR)
{
    ASSERT_NE(nullptr, OpenSurvey("data/corr"));
    BiplotReg b(B, A, nullptr, 544);
    // R: b over its 15 valid cases; the line over the 15 pairs (a's own
    // figures over its 17 cases are in the golden text).
    EXPECT_NEAR(42.666667, b.xMean, 1e-6);
    EXPECT_NEAR(6.904105, b.xStandardDeviation, 1e-6);
    EXPECT_NEAR(1.782632, b.xStandardError, 1e-6);
    EXPECT_NEAR(6.567233, b.intercept, 1e-6);
    EXPECT_NEAR(0.982018, b.slope, 1e-6);
    EXPECT_NEAR(0.866193, b.r, 1e-6);
    EXPECT_NEAR(6.249838, b.t, 1e-6);
    EXPECT_NEAR(2.97253e-05, b.p, 1e-9);
    EXPECT_EQ(15.0, b.n);
    ExpectGolden("biplot_income_by_hours", Text(b));
}

// x 1..5, y 2 4 5 4 5, weights 1 1 1 1 3; z valid in two cases only; k constant.
const Survey::Text weighted{"variable x\ntype double\nvariable y\ntype double\nvariable w\ntype double\n"
                            "variable z\ntype double\nvariable k\ntype double\nweight w\n",
                            "x,y,w,z,k\n1,2,1,1,7\n2,4,1,,7\n3,5,1,,7\n4,4,1,,7\n5,5,3,3,7\n"};

TEST_F(BiplotTextTest, MeansAreWeightedAndTheLineIsNot)
{
    Survey survey(weighted);
    BiplotReg b(1, 2, nullptr, 544);
    // R: weighted means 25/7 and 30/7; lm(y ~ x) without weights a = 2.2,
    // b = 0.6 (with them 2.2727, 0.5636); cor.test r 0.7746, t 2.1213, p 0.124.
    EXPECT_NEAR(25.0 / 7.0, b.xMean, 1e-12);
    EXPECT_NEAR(1.618347, b.xStandardDeviation, 1e-6);
    EXPECT_NEAR(2.2, b.intercept, 1e-12);
    EXPECT_NEAR(0.6, b.slope, 1e-12);
    EXPECT_NEAR(0.7745967, b.r, 1e-7);
    EXPECT_NEAR(2.1213, b.t, 1e-4);
    EXPECT_NEAR(0.124, b.p, 1e-3);
    EXPECT_EQ(5.0, b.n);
}

TEST_F(BiplotTextTest, TooFewPairsOrAConstantYLeaveTheLineAndTestUnknown)
{
    Survey survey(weighted);
    BiplotReg two(1, 4, nullptr, 544);
    EXPECT_EQ(2.0, two.n);
    ExpectGolden("biplot_two_pairs", Text(two));
    BiplotReg constant(1, 5, nullptr, 544);
    for (double v : {constant.r, constant.slope, constant.intercept, constant.t})
        EXPECT_EQ(kNotComputed, v);
    const std::string text = Text(constant);
    EXPECT_EQ(18, std::count(text.begin(), text.end(), '*')); // intercept, slope, r, t, p, r^2
}

} // namespace
