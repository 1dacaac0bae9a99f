#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "stats/AnovaKernel.h"
#include "stats/StatMissing.h"

namespace {

GroupMoments Group(std::vector<WeightedValue> cases)
{
    return MomentsOf(cases.data(), cases.size());
}

} // namespace

// Constant groups, one group or an empty group: no F, no test.
TEST(AnovaKernel, DegenerateGroupsGiveNoFOrTest)
{
    std::vector<GroupMoments> constant = {Group({{1, 1}, {1, 1}}), Group({{4, 1}, {4, 1}})};
    AnovaTable t = ComputeOneWayAnova(constant);
    EXPECT_NEAR(t.ssBetween, 9.0, 1e-12);
    EXPECT_EQ(t.msWithin, 0.0);
    EXPECT_EQ(t.f, kNotComputed);
    EXPECT_EQ(t.p, kNotComputed);
    EXPECT_EQ(CompareScheffe(constant[0], constant[1], t).statistic, kNotComputed);
    PairwiseResult pooled = ComparePooledVariance(constant[0], constant[1]);
    EXPECT_EQ(pooled.statistic, kNotComputed);
    EXPECT_EQ(pooled.difference, -3.0);

    AnovaTable one = ComputeOneWayAnova({Group({{1, 1}, {2, 1}, {6, 1}})});
    EXPECT_EQ(one.msBetween, kNotComputed);
    EXPECT_EQ(one.f, kNotComputed);
    EXPECT_EQ(ComputeOneWayAnova({}).ssTotal, kNotComputed);

    std::vector<GroupMoments> withEmpty = {Group({{1, 1}, {2, 1}}), Group({}), Group({{5, 1}, {7, 1}})};
    AnovaTable u = ComputeOneWayAnova(withEmpty);
    EXPECT_EQ(u.groups, 2);
    EXPECT_EQ(u.dfBetween, 1.0);
    EXPECT_EQ(u.dfWithin, 2.0);
    EXPECT_EQ(CompareSeparateVariances(withEmpty[0], withEmpty[1]).p, kNotComputed);
}

TEST(AnovaKernel, WelchNeedsTwoCasesInEachGroupButPooledDoesNot)
{
    GroupMoments a = Group({{1, 1}, {3, 1}, {5, 1}});
    GroupMoments single = Group({{10, 1}});
    EXPECT_EQ(CompareSeparateVariances(a, single).statistic, kNotComputed);
    PairwiseResult pooled = ComparePooledVariance(a, single);
    // pooled variance 8 / 2 = 4, se = sqrt(4 (1/3 + 1)), difference -7
    EXPECT_NEAR(pooled.statistic, -7.0 / std::sqrt(4.0 * (4.0 / 3.0)), 1e-12);
    EXPECT_EQ(pooled.df, 2.0);
}

TEST(AnovaKernel, HeavyWeightsGiveWelchDegreesOfFreedomAndTests)
{
    // Groups weighing 1e300 a case against the same groups weighing 1e100:
    // Welch's degrees of freedom grow with the weights (by 1e200), the F of
    // the groups with them; the tests find the difference beyond doubt.
    const std::vector<double> a = {1, 2, 4, 7, 8}, b = {2, 3, 3, 9, 12, 13};
    auto weighted = [](const std::vector<double> &values, double w) {
        std::vector<WeightedValue> cases;
        for (double v : values)
            cases.push_back({v, w});
        return Group(cases);
    };
    const GroupMoments ha = weighted(a, 1e300), hb = weighted(b, 1e300);
    const GroupMoments la = weighted(a, 1e100), lb = weighted(b, 1e100);
    const PairwiseResult heavy = CompareSeparateVariances(ha, hb), light = CompareSeparateVariances(la, lb);
    ASSERT_TRUE(std::isfinite(heavy.df));
    EXPECT_NEAR(heavy.df / 1e200, light.df, 1e-9 * light.df);
    EXPECT_EQ(heavy.p, 0.0);
    const AnovaTable table = ComputeOneWayAnova({ha, hb});
    EXPECT_NEAR(table.f / 1e200, ComputeOneWayAnova({la, lb}).f, 1e-9 * table.f / 1e200);
    EXPECT_EQ(table.p, 0.0);
}
