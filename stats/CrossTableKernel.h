// The test and the measures of association of a two-way table of (weighted)
// counts, stored by its present cells only (CrossTable), so that a table of
// many categories takes memory for the cells that occur, not rows x
// columns. Rows and columns are numbered from 0 in the categories'
// ascending order, which the ordinal measures rely on.
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
// empty table, no untied pair) holds kNotComputed.
//
// The absent cells' part of chi-square is summed row by row as
// R_i / N * (N - the column totals of row i's present cells), and P and Q
// by a sweep from the last row up with a Fenwick tree over the columns, so
// both take time and memory in the present cells (and the columns), never
// in rows x columns.
#ifndef STATS_CROSSTABLEKERNEL_H
#define STATS_CROSSTABLEKERNEL_H

#include <vector>

struct CrossCell
{
    long row;
    long column;
    double count;
};

class CrossTable
{
public:
    // A table of the given size whose cells are added with AddCell.
    CrossTable(long rows = 0, long columns = 0) : rows(rows), columns(columns) {}
    // The non-zero cells of a row-major array (tests, small tables).
    static CrossTable FromDense(const double *counts, long rows, long columns);

    // Cells may come in any order, each (row, column) once; Finish sorts
    // them and sums the totals.
    void AddCell(long row, long column, double count) { cells.push_back({row, column, count}); }
    void Finish();

    // 0 for a cell that is not present.
    double Cell(long row, long column) const;
    // R_i C_j / N; kNotComputed in an empty table.
    double Expected(long row, long column) const;
    double Deviation(long row, long column) const;
    // kNotComputed where E is 0.
    double StandardizedDeviation(long row, long column) const;
    // False when a cell or the total passed the largest double (weights
    // too large to sum): such counts print as not computed.
    bool Representable() const;

    long rows;
    long columns;
    std::vector<CrossCell> cells; // row-major order after Finish
    std::vector<double> rowTotals, columnTotals;
    double total = 0.0;
    long usedRows = 0; // rows and columns with a total above 0
    long usedColumns = 0;
};

struct ChiSquareResult
{
    double chiSquare = 0.0;
    double probability = 0.0;
    long degreesOfFreedom = 0;
    double phi = 0.0;
    double cramersV = 0.0;
    double contingency = 0.0;
};

struct OrdinalResult
{
    double concordant = 0.0; // P
    double discordant = 0.0; // Q
    double tauA = 0.0;
    double tauB = 0.0;
    double tauC = 0.0;
    double gamma = 0.0;
    double somersSymmetric = 0.0;
    double somersRowDependent = 0.0;
};

// The table must be finished (CrossTable::Finish).
void ComputeChiSquareTest(const CrossTable &table, ChiSquareResult &result);
// Allocates columns + 1 doubles for its sweep.
void ComputeOrdinalMeasures(const CrossTable &table, OrdinalResult &result);

#endif
