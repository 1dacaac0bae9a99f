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
    EXPECT_EQ(t.f, kNotComputed);
    EXPECT_EQ(t.p, kNotComputed);
    PairwiseResult s = CompareScheffe(groups[0], groups[1], t);
    EXPECT_EQ(s.statistic, kNotComputed);
    PairwiseResult pooled = ComparePooledVariance(groups[0], groups[1]);
    EXPECT_EQ(pooled.statistic, kNotComputed);
    EXPECT_EQ(pooled.difference, -3.0);
}

TEST(AnovaKernel, OneGroupOrEmptyGroupsGiveNoTest)
{
    std::vector<GroupMoments> one = {Group({{1, 1}, {2, 1}, {6, 1}})};
    AnovaTable t = ComputeOneWayAnova(one);
    EXPECT_EQ(t.msBetween, kNotComputed);
    EXPECT_EQ(t.f, kNotComputed);
    EXPECT_EQ(ComputeOneWayAnova({}).ssTotal, kNotComputed);

    std::vector<GroupMoments> withEmpty = {Group({{1, 1}, {2, 1}}), Group({}), Group({{5, 1}, {7, 1}})};
    AnovaTable u = ComputeOneWayAnova(withEmpty);
    EXPECT_EQ(u.groups, 2);
    EXPECT_EQ(u.dfBetween, 1.0);
    EXPECT_EQ(u.dfWithin, 2.0);
    PairwiseResult w = CompareSeparateVariances(withEmpty[0], withEmpty[1]);
    EXPECT_EQ(w.difference, kNotComputed);
    EXPECT_EQ(w.p, kNotComputed);
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
