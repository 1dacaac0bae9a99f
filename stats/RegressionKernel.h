// Linear regression of one dependent variable on p independents from their
// correlation matrix, by sweeping the matrix: enter all, forward selection
// by p in, backward elimination by p out. One model step is kept per
// selection step (enter: one; forward: one per variable entered; backward:
// the full model, then one per variable removed).
//
// Input: a CorrelationResult over p + 1 variables, the independents at
// positions 0 .. p-1 and the dependent at position p, and the N of the
// analysis (the listwise sum of weights, or under pairwise deletion the
// smallest sum of weights of any pair).
//
// Definitions, with S the variables in the equation, q = |S|, A the matrix
// after sweeping S, df = N - q - 1, s_y and s_j standard deviations:
//   Beta_j = A[j][y]; B_j = Beta_j s_y / s_j; R^2 = 1 - A[y][y]
//   SE(Beta_j) = sqrt(A[y][y] / df * (-A[j][j])); SE(B_j) = SE(Beta_j) s_y / s_j
//   t = B / SE(B), p two-sided on df; tolerance_j = 1 / (-A[j][j])
//   constant B_0 = m_y - sum B_j m_j, its SE from the covariance of the B's
//   S1 multiple R, S2 R^2, S3 adjusted R^2 = 1 - (1 - R^2)(N - 1) / df,
//   S4 F = (R^2 / q) / ((1 - R^2) / df), S5 the p of F on q and df
// A variable not in the equation shows what it would have if entered next:
//   tolerance A[k][k], Beta in = A[k][y] / A[k][k], its B, SE, t and p with
//   one df less. Forward selection enters the candidate with the smallest p
//   while that p is below p in; backward elimination removes the variable
//   with the largest p while that p is above p out. A variable whose
//   tolerance is below 1e-8 (a linear combination of those in the equation)
//   never enters. Figures with a zero divisor hold kNotComputed.
#ifndef STATS_REGRESSIONKERNEL_H
#define STATS_REGRESSIONKERNEL_H

#include <vector>

#include "stats/CorrelationKernel.h"

enum RegressionMethod { kRegressionEnter = 4, kRegressionForward = 8, kRegressionBackward = 16 };

// One model: rows are the independents, those in the equation first (in the
// order they entered), then the others in their list order. Row arrays are
// indexed from 1 (row i at index i); index 0 holds the constant.
struct RegressionStep
{
    int rows = 0;
    int inEquation = 0;
    std::vector<int> variable; // index 0 unused; the 0-based independent of each row
    std::vector<double> b, seB, beta, t, p, tolerance;
    double n = 0.0;
    double summary[5]; // S1 .. S5
};

// Computes the steps. Returns 0, or a status code of the computation
// (CorrelationKindText): 2 too few cases for the model (N - p - 1 < 1 with
// every variable in; N <= 2 for forward selection; a pair of variables
// without a coefficient under pairwise deletion), 8 an independent
// without variance (its 0-based position in badVariable), 9 no independent,
// 14 the dependent variable is constant.
int ComputeRegression(const CorrelationResult &corr, double n, int method, double pIn, double pOut,
                      std::vector<RegressionStep> &steps, int &badVariable);

#endif
