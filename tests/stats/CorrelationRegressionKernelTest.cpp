#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/CorrelationKernel.h"
#include "stats/RegressionKernel.h"
#include "stats/StatMissing.h"

namespace {

const double M = kMissingValue;

CorrelationResult Correlate(const std::vector<std::vector<double>> &columns, bool pairwise,
                            const std::vector<double> *weights = nullptr)
{
    std::vector<const double *> pointers;
    for (const std::vector<double> &c : columns)
        pointers.push_back(c.data());
    CorrelationResult r;
    ComputeCorrelations(pointers, weights ? weights->data() : nullptr, columns[0].size(), pairwise, r);
    return r;
}

void ExpectFinite(const std::vector<double> &values)
{
    for (double v : values)
        EXPECT_TRUE(std::isfinite(v));
}

} // namespace

TEST(CorrelationKernel, AConstantVariableIsNamedAndItsCoefficientsAreNotComputed)
{
    CorrelationResult r = Correlate({{1, 2, 3, 4}, {5, 5, 5, 5}, {2, 1, 4, 3}}, false);
    EXPECT_EQ(r.constantVariable, 1);
    EXPECT_EQ(r.r[0 * 3 + 1], kNotComputed);
    EXPECT_EQ(r.p[1 * 3 + 0], kNotComputed);
    EXPECT_EQ(r.r[1 * 3 + 1], 1.0);
    EXPECT_EQ(r.p[1 * 3 + 1], kNotComputed);
    EXPECT_NEAR(r.r[0 * 3 + 2], 0.6, 1e-12);
    ExpectFinite(r.r);
    ExpectFinite(r.p);
}

TEST(CorrelationKernel, NoCompleteCaseOrAPerfectCorrelationGiveNoNan)
{
    CorrelationResult r = Correlate({{1, M}, {M, 2}}, false);
    EXPECT_EQ(r.listwiseCount, 0);
    ExpectFinite(r.r);
    ExpectFinite(r.mean);
    double t, p;
    CorrelationSignificance(1.0, 10, t, p);
    EXPECT_EQ(p, 0.0);
    EXPECT_EQ(t, kNotComputed);
    CorrelationSignificance(0.5, 2, t, p); // no degrees of freedom
    EXPECT_EQ(p, kNotComputed);
}

namespace {

// y = 1 + 2 x1 - x2 + e, x3 = x1 + x2 (a linear combination).
std::vector<std::vector<double>> RegressionData(bool withCombination)
{
    std::vector<double> x1, x2, x3, y;
    const double e[] = {0.3, -0.2, 0.1, -0.4, 0.2, 0.0, -0.1, 0.3, -0.3, 0.1};
    for (int i = 0; i < 10; ++i) {
        x1.push_back(i);
        x2.push_back((i * 7) % 5);
        x3.push_back(x1.back() + x2.back());
        y.push_back(1 + 2 * x1.back() - x2.back() + e[i]);
    }
    if (withCombination)
        return {x1, x2, x3, y};
    return {x1, x2, y};
}

} // namespace

TEST(RegressionKernel, ALinearCombinationNeverEntersTheEquation)
{
    CorrelationResult r = Correlate(RegressionData(true), false);
    std::vector<RegressionStep> steps;
    int bad;
    ASSERT_EQ(ComputeRegression(r, r.listwiseWeight, kRegressionEnter, 0.05, 0.1, steps, bad), 0);
    ASSERT_EQ(steps.size(), 1u);
    const RegressionStep &s = steps[0];
    EXPECT_EQ(s.inEquation, 2);
    EXPECT_EQ(s.variable[3], 2); // x3 listed after those in the equation
    EXPECT_LT(s.tolerance[3], 1e-8);
    EXPECT_NEAR(s.b[1], 2.0, 0.1);
    EXPECT_NEAR(s.b[2], -1.0, 0.1);
    for (int i = 0; i <= s.rows; ++i) {
        EXPECT_TRUE(std::isfinite(s.b[i]));
        EXPECT_TRUE(std::isfinite(s.t[i]));
        EXPECT_TRUE(std::isfinite(s.tolerance[i]));
    }
}

TEST(RegressionKernel, APerfectFitLeavesFAndItsProbabilityNotComputed)
{
    std::vector<double> x = {1, 2, 3, 4, 5}, y;
    for (double v : x)
        y.push_back(3 * v - 2);
    CorrelationResult r = Correlate({x, y}, false);
    std::vector<RegressionStep> steps;
    int bad;
    ASSERT_EQ(ComputeRegression(r, 5, kRegressionEnter, 0.05, 0.1, steps, bad), 0);
    const RegressionStep &s = steps.back();
    EXPECT_NEAR(s.b[1], 3.0, 1e-12);
    EXPECT_NEAR(s.b[0], -2.0, 1e-12);
    EXPECT_NEAR(s.summary[1], 1.0, 1e-12);
    EXPECT_EQ(s.summary[3], kNotComputed);
    EXPECT_EQ(s.summary[4], kNotComputed);
    EXPECT_EQ(s.t[1], kNotComputed);
}

TEST(RegressionKernel, StatusCodesForConstantVariablesAndTooFewCases)
{
    std::vector<RegressionStep> steps;
    int bad;
    CorrelationResult constant = Correlate({{1, 2, 3, 4}, {7, 7, 7, 7}, {2, 4, 5, 9}}, false);
    EXPECT_EQ(ComputeRegression(constant, 4, kRegressionEnter, 0.05, 0.1, steps, bad), 8);
    EXPECT_EQ(bad, 1);
    CorrelationResult few = Correlate({{1, 2, 4}, {3, 1, 2}, {2, 4, 5}}, false);
    EXPECT_EQ(ComputeRegression(few, 3, kRegressionBackward, 0.05, 0.1, steps, bad), 2);
    CorrelationResult one = Correlate({{1, 2, 4}}, false);
    EXPECT_EQ(ComputeRegression(one, 3, kRegressionEnter, 0.05, 0.1, steps, bad), 9);
    CorrelationResult flat = Correlate({{1, 2, 3, 4}, {2, 2, 2, 2}}, false);
    EXPECT_EQ(ComputeRegression(flat, 4, kRegressionEnter, 0.05, 0.1, steps, bad), 14);
    // Pairwise: y varies overall but is constant on the cases it shares
    // with x2, so r(x2, y) cannot be computed; no method may sweep it.
    CorrelationResult gap =
        Correlate({{1, 2, 3, 4, 5, 6, 7, 8}, {M, M, M, M, 1, 2, 4, 3}, {1, 3, 2, 5, 4, 4, 4, 4}}, true);
    ASSERT_EQ(gap.constantVariable, -1);
    for (int method : {kRegressionEnter, kRegressionForward, kRegressionBackward})
        EXPECT_EQ(ComputeRegression(gap, 4, method, 0.5, 0.6, steps, bad), 2) << method;
}

TEST(RegressionKernel, ForwardSelectionWithNothingSignificantKeepsAnEmptyModel)
{
    CorrelationResult r = Correlate({{1, 2, 3, 4, 5, 6}, {2, 1, 2, 1, 2, 1.5}}, false);
    std::vector<RegressionStep> steps;
    int bad;
    ASSERT_EQ(ComputeRegression(r, 6, kRegressionForward, 0.01, 0.1, steps, bad), 0);
    ASSERT_EQ(steps.size(), 1u);
    EXPECT_EQ(steps[0].inEquation, 0);
    EXPECT_EQ(steps[0].summary[1], 0.0);
    EXPECT_EQ(steps[0].summary[3], kNotComputed);
    EXPECT_NE(steps[0].p[1], kNotComputed); // what the variable would have
}
