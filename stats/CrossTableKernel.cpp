#include "stats/CrossTableKernel.h"

#include <algorithm>
#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {

struct Margins {
    std::vector<double> rows;
    std::vector<double> columns;
    double total = 0.0;
    int usedRows = 0;
    int usedColumns = 0;
};

Margins ComputeMargins(const double *counts, int rows, int columns)
{
    Margins m;
    m.rows.assign(rows, 0.0);
    m.columns.assign(columns, 0.0);
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const double n = counts[i * columns + j];
            m.rows[i] += n;
            m.columns[j] += n;
            m.total += n;
        }
    }
    for (double r : m.rows)
        m.usedRows += r > 0.0;
    for (double c : m.columns)
        m.usedColumns += c > 0.0;
    return m;
}

double Ratio(double numerator, double denominator)
{
    if (!(std::fabs(denominator) > 0.0) || !std::isfinite(denominator))
        return kDoubleMissing;
    const double r = numerator / denominator;
    return std::isfinite(r) ? r : kDoubleMissing;
}

} // namespace

void ComputeChiSquareTest(const double *counts, int rows, int columns, ChiSquareResult &result)
{
    const Margins m = ComputeMargins(counts, rows, columns);
    const size_t cells = static_cast<size_t>(rows) * columns;
    result.expected.assign(cells, kDoubleMissing);
    result.deviation.assign(cells, kDoubleMissing);
    result.standardizedDeviation.assign(cells, kDoubleMissing);
    double chi = 0.0;
    for (int i = 0; i < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            if (!(m.total > 0.0))
                continue;
            const size_t k = static_cast<size_t>(i) * columns + j;
            const double e = m.rows[i] * m.columns[j] / m.total;
            result.expected[k] = e;
            result.deviation[k] = counts[k] - e;
            if (e > 0.0) {
                const double d = counts[k] - e;
                result.standardizedDeviation[k] = d / std::sqrt(e);
                chi += d * d / e;
            }
        }
    }
    const long df = static_cast<long>(m.usedRows - 1) * (m.usedColumns - 1);
    if (!(m.total > 0.0) || m.usedRows < 2 || m.usedColumns < 2) {
        result.chiSquare = result.probability = kDoubleMissing;
        result.degreesOfFreedom = df > 0 ? df : 0;
        result.phi = result.cramersV = result.contingency = kDoubleMissing;
        return;
    }
    result.chiSquare = chi;
    result.degreesOfFreedom = df;
    const double p = ChiSquareTailProbability(chi, static_cast<double>(df));
    result.probability = p == kFloatMissing ? kDoubleMissing : p;
    const int q = std::min(m.usedRows, m.usedColumns);
    result.phi = std::sqrt(chi / m.total);
    result.cramersV = std::sqrt(chi / (m.total * (q - 1)));
    result.contingency = std::sqrt(chi / (chi + m.total));
}

void ComputeOrdinalMeasures(const double *counts, int rows, int columns, OrdinalResult &result)
{
    const Margins m = ComputeMargins(counts, rows, columns);
    // below[i][j]: the sum of the cells strictly below row i and strictly to
    // the right (or left) of column j, built from the bottom up so that P and
    // Q take O(rows * columns).
    std::vector<double> belowRight(static_cast<size_t>(rows + 1) * (columns + 2), 0.0);
    std::vector<double> belowLeft(static_cast<size_t>(rows + 1) * (columns + 2), 0.0);
    auto at = [columns](std::vector<double> &v, int i, int j) -> double & {
        return v[static_cast<size_t>(i) * (columns + 2) + (j + 1)];
    };
    // Cumulative sums of rows i..rows-1 over columns > j (right) and < j (left).
    for (int i = rows - 1; i >= 0; --i) {
        double right = 0.0;
        for (int j = columns - 1; j >= 0; --j) {
            at(belowRight, i, j) = at(belowRight, i + 1, j) + right;
            right += counts[i * columns + j];
        }
        double left = 0.0;
        for (int j = 0; j < columns; ++j) {
            at(belowLeft, i, j) = at(belowLeft, i + 1, j) + left;
            left += counts[i * columns + j];
        }
    }
    double p = 0.0, q = 0.0;
    for (int i = 0; i + 1 < rows; ++i) {
        for (int j = 0; j < columns; ++j) {
            const double n = counts[i * columns + j];
            if (n == 0.0)
                continue;
            p += n * at(belowRight, i + 1, j);
            q += n * at(belowLeft, i + 1, j);
        }
    }
    result.concordant = p;
    result.discordant = q;
    const double s = p - q;
    const double n = m.total;
    double sumRows2 = 0.0, sumColumns2 = 0.0, tiesRows = 0.0, tiesColumns = 0.0;
    for (double r : m.rows) {
        sumRows2 += r * r;
        tiesRows += r * (r - 1.0) / 2.0;
    }
    for (double c : m.columns) {
        sumColumns2 += c * c;
        tiesColumns += c * (c - 1.0) / 2.0;
    }
    const double pairs = n * (n - 1.0) / 2.0;
    const int k = std::min(m.usedRows, m.usedColumns);
    const bool usable = n > 0.0 && m.usedRows >= 2 && m.usedColumns >= 2;
    if (!usable) {
        result.tauA = result.tauB = result.tauC = result.gamma = kDoubleMissing;
        result.somersSymmetric = result.somersRowDependent = kDoubleMissing;
        return;
    }
    result.tauA = Ratio(s, pairs);
    const double tieProduct = (pairs - tiesRows) * (pairs - tiesColumns);
    result.tauB = tieProduct > 0.0 ? Ratio(s, std::sqrt(tieProduct)) : kDoubleMissing;
    result.tauC = Ratio(2.0 * k * s, n * n * (k - 1));
    result.gamma = Ratio(s, p + q);
    result.somersRowDependent = Ratio(2.0 * s, n * n - sumColumns2);
    result.somersSymmetric = Ratio(4.0 * s, 2.0 * n * n - sumRows2 - sumColumns2);
}
