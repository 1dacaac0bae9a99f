// One-way analysis of variance, the variance-homogeneity test and the
// pairwise comparisons of groups, from each group's running moments
// (WeightedMoments.h; weights are frequency weights, a group's N is its sum
// of weights).
//
// Definitions (k groups with N_i > 0, N = sum N_i, m_i group means, m the
// grand mean, s_i^2 group variances with N_i - 1 in the divisor):
//   between   SS_b = sum N_i (m_i - m)^2 on k - 1 df
//   within    SS_w = sum (N_i - 1) s_i^2 on N - k df; MS = SS / df
//   F         MS_b / MS_w, its p from F(k - 1, N - k)
//   variance homogeneity (Levene): the same F computed on the absolute
//             deviations |x - m_i| of every case from its group mean
//   separate variances (Welch) for groups i, j:
//             t = (m_i - m_j) / sqrt(s_i^2/N_i + s_j^2/N_j),
//             df = (s_i^2/N_i + s_j^2/N_j)^2 /
//                  ((s_i^2/N_i)^2/(N_i - 1) + (s_j^2/N_j)^2/(N_j - 1))
//   pooled variance for groups i, j:
//             s^2 = ((N_i - 1) s_i^2 + (N_j - 1) s_j^2) / (N_i + N_j - 2),
//             t = (m_i - m_j) / sqrt(s^2 (1/N_i + 1/N_j)), N_i + N_j - 2 df
//   Scheffe:  F = (m_i - m_j)^2 / (MS_w (1/N_i + 1/N_j)) / (k - 1), its p
//             from F(k - 1, N - k)
// p-values of t are two-sided. A figure with a zero divisor holds
// kNotComputed.
#ifndef STATS_ANOVAKERNEL_H
#define STATS_ANOVAKERNEL_H

#include <vector>

#include "stats/DescriptiveKernel.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

// The moments of one group that every figure here is built from.
typedef WeightedMoments GroupMoments;

GroupMoments MomentsOf(const WeightedValue *cases, size_t count);

struct AnovaTable
{
    double ssBetween = kNotComputed, ssWithin = kNotComputed, ssTotal = kNotComputed;
    double dfBetween = kNotComputed, dfWithin = kNotComputed, dfTotal = kNotComputed;
    double msBetween = kNotComputed, msWithin = kNotComputed;
    double f = kNotComputed, p = kNotComputed;
    int groups = 0; // groups with N_i > 0
};

AnovaTable ComputeOneWayAnova(const std::vector<GroupMoments> &groups);

// Levene's test: the one-way analysis of the absolute deviations of every
// case from its group mean, each group's deviations given as their moments.
// The array form takes groups[g] as the cases of group g.
AnovaTable ComputeVarianceHomogeneity(const std::vector<GroupMoments> &absoluteDeviations);
AnovaTable ComputeVarianceHomogeneity(const std::vector<std::vector<WeightedValue>> &groups);

struct PairwiseResult
{
    double difference = 0.0; // m_i - m_j
    double statistic = 0.0;  // t (Welch, pooled) or F (Scheffe)
    double df = 0.0;         // for t; the numerator df for Scheffe
    double df2 = 0.0;        // the denominator df of Scheffe's F
    double p = 0.0;
};

PairwiseResult CompareSeparateVariances(const GroupMoments &a, const GroupMoments &b);
PairwiseResult ComparePooledVariance(const GroupMoments &a, const GroupMoments &b);
PairwiseResult CompareScheffe(const GroupMoments &a, const GroupMoments &b, const AnovaTable &anova);

#endif
