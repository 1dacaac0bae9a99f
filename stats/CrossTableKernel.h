// The test and the measures of association of a two-way table of (weighted)
// counts, on a plain row-major array: rows r, columns c, cell (i, j) at
// counts[i * columns + j]. Rows and columns are in the categories' ascending
// order, which the ordinal measures rely on.
//
// Definitions (N the grand total, R_i row totals, C_j column totals,
// E_ij = R_i C_j / N, P and Q the numbers of concordant and discordant
// pairs of cases, q = min(rows, columns), all over the rows and columns with
// a total above 0):
//   chi-square  sum (n_ij - E_ij)^2 / E_ij, (rows - 1)(columns - 1) df
//   phi         sqrt(chi-square / N)
//   Cramer's V  sqrt(chi-square / (N (q - 1)))
//   contingency sqrt(chi-square / (chi-square + N))
//   tau-a       (P - Q) / (N (N - 1) / 2)
//   tau-b       (P - Q) / sqrt((D - T_r)(D - T_c)), D = N (N - 1) / 2,
//               T_r = sum R_i (R_i - 1) / 2, T_c = sum C_j (C_j - 1) / 2
//   tau-c       2 q (P - Q) / (N^2 (q - 1))
//   gamma       (P - Q) / (P + Q)
//   Somers' d, asymmetric, the row variable dependent:
//               2 (P - Q) / (N^2 - sum C_j^2)
//   Somers' d, symmetric: 4 (P - Q) / (2 N^2 - sum R_i^2 - sum C_j^2)
// Deviations are n_ij - E_ij, standardized deviations (n_ij - E_ij) /
// sqrt(E_ij). Every figure whose divisor is 0 (a single row or column, an
// empty table, no untied pair) holds kDoubleMissing.
#ifndef STATS_CROSSTABLEKERNEL_H
#define STATS_CROSSTABLEKERNEL_H

#include <vector>

struct ChiSquareResult {
    double chiSquare = 0.0;
    double probability = 0.0;
    long degreesOfFreedom = 0;
    double phi = 0.0;
    double cramersV = 0.0;
    double contingency = 0.0;
    std::vector<double> expected;               // per cell, row-major
    std::vector<double> deviation;              // n - E
    std::vector<double> standardizedDeviation;  // (n - E) / sqrt(E)
};

struct OrdinalResult {
    double concordant = 0.0;   // P
    double discordant = 0.0;   // Q
    double tauA = 0.0;
    double tauB = 0.0;
    double tauC = 0.0;
    double gamma = 0.0;
    double somersSymmetric = 0.0;
    double somersRowDependent = 0.0;
};

void ComputeChiSquareTest(const double *counts, int rows, int columns, ChiSquareResult &result);
void ComputeOrdinalMeasures(const double *counts, int rows, int columns, OrdinalResult &result);

#endif
