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

TEST(AnovaKernel, GroupsWithoutVarianceWithinGiveNoF)
{
    // Every group constant: the within mean square is 0.
    std::vector<GroupMoments> groups = {Group({{1, 1}, {1, 1}}), Group({{4, 1}, {4, 1}})};
    AnovaTable t = ComputeOneWayAnova(groups);
    EXPECT_EQ(t.groups, 2);
    EXPECT_NEAR(t.ssBetween, 9.0, 1e-12);
    EXPECT_EQ(t.msWithin, 0.0);
    EXPECT_EQ(t.f, kFloatMissing);
    EXPECT_EQ(t.p, kFloatMissing);
    PairwiseResult s = CompareScheffe(groups[0], groups[1], t);
    EXPECT_EQ(s.statistic, kFloatMissing);
    PairwiseResult pooled = ComparePooledVariance(groups[0], groups[1]);
    EXPECT_EQ(pooled.statistic, kFloatMissing);
    EXPECT_EQ(pooled.difference, -3.0);
}

TEST(AnovaKernel, OneGroupOrEmptyGroupsGiveNoTest)
{
    std::vector<GroupMoments> one = {Group({{1, 1}, {2, 1}, {6, 1}})};
    AnovaTable t = ComputeOneWayAnova(one);
    EXPECT_EQ(t.msBetween, kFloatMissing);
    EXPECT_EQ(t.f, kFloatMissing);
    EXPECT_EQ(ComputeOneWayAnova({}).ssTotal, kFloatMissing);

    std::vector<GroupMoments> withEmpty = {Group({{1, 1}, {2, 1}}), Group({}),
                                           Group({{5, 1}, {7, 1}})};
    AnovaTable u = ComputeOneWayAnova(withEmpty);
    EXPECT_EQ(u.groups, 2);
    EXPECT_EQ(u.dfBetween, 1.0);
    EXPECT_EQ(u.dfWithin, 2.0);
    PairwiseResult w = CompareSeparateVariances(withEmpty[0], withEmpty[1]);
    EXPECT_EQ(w.difference, kFloatMissing);
    EXPECT_EQ(w.p, kFloatMissing);
}

TEST(AnovaKernel, WelchNeedsTwoCasesInEachGroupButPooledDoesNot)
{
    GroupMoments a = Group({{1, 1}, {3, 1}, {5, 1}});
    GroupMoments single = Group({{10, 1}});
    EXPECT_EQ(CompareSeparateVariances(a, single).statistic, kFloatMissing);
    PairwiseResult pooled = ComparePooledVariance(a, single);
    // pooled variance 8 / 2 = 4, se = sqrt(4 (1/3 + 1)), difference -7
    EXPECT_NEAR(pooled.statistic, -7.0 / std::sqrt(4.0 * (4.0 / 3.0)), 1e-12);
    EXPECT_EQ(pooled.df, 2.0);
}

TEST(AnovaKernel, VarianceHomogeneityUsesDeviationsFromTheGroupMeans)
{
    // Deviations |x - mean|: group 1 {1, 1}, group 2 {3, 3}: no variance
    // within, so no F.
    AnovaTable t = ComputeVarianceHomogeneity({{{0, 1}, {2, 1}}, {{0, 1}, {6, 1}}});
    EXPECT_EQ(t.f, kFloatMissing);
    AnovaTable u = ComputeVarianceHomogeneity({{{0, 1}, {2, 1}, {1, 1}}, {{0, 1}, {6, 1}, {3, 1}}});
    // deviations {1, 1, 0} and {3, 3, 0}: means 2/3 and 2; SSb = 3 * 2 * (2/3)^2
    EXPECT_NEAR(u.ssBetween, 8.0 / 3.0, 1e-12);
    EXPECT_NEAR(u.ssWithin, 2.0 / 3.0 + 6.0, 1e-12);
    EXPECT_TRUE(std::isfinite(u.p));
}
