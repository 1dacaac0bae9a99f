// Probability distributions for the computation objects: tail probabilities
// and quantiles of Student's t, F, chi-square and the standard normal
// distribution, and the binomial tails of the exact tests.
//
// All of them come from Boost.Math. None throws: an argument outside the
// distribution's domain (degrees of freedom not above 0, a not-computed
// statistic) gives kNotComputed, the mark of a figure that is not computed.
// Degrees of freedom may be fractional (weighted counts, Welch's df).
#ifndef STATS_STATDISTRIBUTIONS_H
#define STATS_STATDISTRIBUTIONS_H

// 1 - T(|t|) for Student's t with df degrees of freedom, doubled when
// twoSided is non-zero.
double StudentTailProbability(double t, double df, int twoSided);

// The p-quantile of Student's t (0 < p < 1), e.g. 0.975 for a 95 % interval.
double StudentQuantile(double p, double df);

// Upper tail P(F > f) of the F distribution with df1 and df2.
double FisherTailProbability(double f, double df1, double df2);

// Upper tail P(X > x) of chi-square with df.
double ChiSquareTailProbability(double x, double df);

// Upper tail 1 - Phi(|z|) of the standard normal, doubled when twoSided.
double NormalTailProbability(double z, int twoSided);

// P(X <= k) for X binomial with n trials and success probability p
// (n >= 0, 0 <= k; k >= n gives 1).
double BinomialLowerTail(long k, long n, double p);

// Two-sided exact probability of a symmetric binomial test (p = 0.5) with
// the two counts: min(1, 2 P(X <= min(a, b))) for X ~ B(a + b, 0.5).
double BinomialTwoSidedProbability(long a, long b);

#endif
