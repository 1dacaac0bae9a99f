#include "stats/CrossTableKernel.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {

double Ratio(double numerator, double denominator)
{
    if (!(std::fabs(denominator) > 0.0) || !std::isfinite(denominator))
        return kNotComputed;
    const double r = numerator / denominator;
    return std::isfinite(r) ? r : kNotComputed;
}

// Sums of a column-indexed array by prefix, updated as rows are added.
class FenwickTree
{
public:
    explicit FenwickTree(long size) : sums(static_cast<size_t>(size) + 1, 0.0) {}
    void Add(long index, double value)
    {
        for (size_t i = static_cast<size_t>(index) + 1; i < sums.size(); i += i & (~i + 1))
            sums[i] += value;
    }
    // The sum of the entries 0 .. index - 1.
    double Prefix(long index) const
    {
        double s = 0.0;
        for (size_t i = static_cast<size_t>(index); i > 0; i -= i & (~i + 1))
            s += sums[i];
        return s;
    }

private:
    std::vector<double> sums;
};

bool RowMajor(const CrossCell &a, const CrossCell &b)
{
    return a.row != b.row ? a.row < b.row : a.column < b.column;
}

// R C / N, as the column's share of N when the product of two totals of
// huge weights would overflow.
double ExpectedCount(double rowTotal, double columnTotal, double total)
{
    const double product = rowTotal * columnTotal;
    return std::isfinite(product) ? product / total : rowTotal * (columnTotal / total);
}

// (n - E) / sqrt(E). Where E = R C / N falls below the normal range (a cell
// far smaller than the table), its root comes from the roots of the totals,
// which keep their digits: E itself may then be 0 although the cell is not.
double StandardizedCount(double n, double rowTotal, double columnTotal, double total)
{
    const double e = ExpectedCount(rowTotal, columnTotal, total);
    if (e >= DBL_MIN)
        return (n - e) / std::sqrt(e);
    if (total < 1.0) {
        // Counts near the smallest double, whose products have lost their
        // digits: all lifted by an even power of two (exactly), the figure
        // taken back by its root.
        const int m = 1 - std::ilogb(total) / 2;
        const double z = StandardizedCount(std::ldexp(n, 2 * m), std::ldexp(rowTotal, 2 * m),
                                           std::ldexp(columnTotal, 2 * m), std::ldexp(total, 2 * m));
        return z == kNotComputed ? z : std::ldexp(z, -m);
    }
    const double root = std::sqrt(rowTotal) * std::sqrt(columnTotal) / std::sqrt(total);
    if (!(root > 0.0))
        return kNotComputed;
    return n / root - root;
}

// N^2 - sum t_i^2 for the totals t_i of N, as sum t_i (N - t_i) with
// N - t_i the sum of the other totals: a total far below the others keeps
// its part, which the difference of the squares would round away.
double UntiedSquares(const std::vector<double> &totals)
{
    std::vector<double> after(totals.size() + 1, 0.0);
    for (size_t i = totals.size(); i-- > 0;)
        after[i] = after[i + 1] + totals[i];
    double before = 0.0, sum = 0.0;
    for (size_t i = 0; i < totals.size(); ++i) {
        sum += totals[i] * (before + after[i + 1]);
        before += totals[i];
    }
    return sum;
}

// a / (b c) where the product may overflow.
double Over(double a, double b, double c)
{
    const double product = b * c;
    return std::isfinite(product) ? a / product : a / b / c;
}

// Above this total the products of counts in the ordinal measures (up to
// the fourth power of the total in tau-b) could overflow, below the other
// one they fall below the normal range and lose their digits (weights near
// the smallest double); such a table is taken scaled to a total near
// 2^kOrdinalExponent. Every measure but chi-square is a ratio of counts of
// the same power, the same at any scale.
const double kOrdinalLimit = 0x1p240;
const double kTinyTotal = 0x1p-240;
const int kOrdinalExponent = 200;

bool OutOfScale(const CrossTable &table)
{
    return !std::isfinite(table.total) || table.total > kOrdinalLimit ||
           (table.total > 0.0 && table.total < kTinyTotal);
}

// A copy of a table whose total is out of scale (OutOfScale), scaled
// by 2^*exponent to a total near 2^kOrdinalExponent. Counts whose sum passes
// the largest double are first scaled by 2^-64, which keeps the sum of up to
// 2^64 of the largest counts finite. False when a count itself is not
// finite: such a table has no finite scaled copy.
bool ScaledTable(const CrossTable &table, CrossTable *scaled, int *exponent)
{
    *scaled = table;
    *exponent = 0;
    if (!std::isfinite(table.total)) {
        for (CrossCell &c : scaled->cells) {
            if (!std::isfinite(c.count))
                return false;
            c.count = std::ldexp(c.count, -64);
        }
        scaled->Finish();
        *exponent = -64;
    }
    if (!std::isfinite(scaled->total))
        return false;
    if (scaled->total > kOrdinalLimit || scaled->total < kTinyTotal) {
        const int more = kOrdinalExponent - std::ilogb(scaled->total);
        for (CrossCell &c : scaled->cells)
            c.count = std::ldexp(c.count, more);
        scaled->Finish();
        *exponent += more;
    }
    return true;
}

// A count taken back from a scaled table: kNotComputed when it cannot be
// represented at the table's own scale.
double Unscaled(double count, int exponent)
{
    if (count == kNotComputed)
        return kNotComputed;
    const double value = std::ldexp(count, -exponent);
    return std::isfinite(value) ? value : kNotComputed;
}

} // namespace

bool CrossTable::Representable() const
{
    if (!std::isfinite(total))
        return false;
    for (const CrossCell &c : cells)
        if (!std::isfinite(c.count))
            return false;
    return true;
}

CrossTable CrossTable::FromDense(const double *counts, long rows, long columns)
{
    CrossTable table(rows, columns);
    for (long i = 0; i < rows; ++i)
        for (long j = 0; j < columns; ++j)
            if (counts[static_cast<size_t>(i) * columns + j] != 0.0)
                table.AddCell(i, j, counts[static_cast<size_t>(i) * columns + j]);
    table.Finish();
    return table;
}

void CrossTable::Finish()
{
    std::sort(cells.begin(), cells.end(), RowMajor);
    rowTotals.assign(static_cast<size_t>(rows), 0.0);
    columnTotals.assign(static_cast<size_t>(columns), 0.0);
    total = 0.0;
    for (const CrossCell &c : cells) {
        rowTotals[c.row] += c.count;
        columnTotals[c.column] += c.count;
        total += c.count;
    }
    usedRows = std::count_if(rowTotals.begin(), rowTotals.end(), [](double r) { return r > 0.0; });
    usedColumns = std::count_if(columnTotals.begin(), columnTotals.end(), [](double c) { return c > 0.0; });
}

double CrossTable::Cell(long row, long column) const
{
    const CrossCell key = {row, column, 0.0};
    auto at = std::lower_bound(cells.begin(), cells.end(), key, RowMajor);
    return (at != cells.end() && at->row == row && at->column == column) ? at->count : 0.0;
}

double CrossTable::Expected(long row, long column) const
{
    if (!(total > 0.0))
        return kNotComputed;
    return ExpectedCount(rowTotals[row], columnTotals[column], total);
}

double CrossTable::Deviation(long row, long column) const
{
    const double e = Expected(row, column);
    return e == kNotComputed ? kNotComputed : Cell(row, column) - e;
}

double CrossTable::StandardizedDeviation(long row, long column) const
{
    const double e = Expected(row, column);
    if (e == kNotComputed)
        return kNotComputed;
    return StandardizedCount(Cell(row, column), rowTotals[row], columnTotals[column], total);
}

void ComputeChiSquareTest(const CrossTable &table, ChiSquareResult &result)
{
    if (OutOfScale(table)) {
        // Phi, V and the contingency coefficient do not depend on the
        // table's scale; chi-square grows with it and is taken back, its
        // probability from the chi-square of the table itself: 0 where that
        // passes the largest double.
        CrossTable scaled;
        int exponent = 0;
        if (!ScaledTable(table, &scaled, &exponent)) {
            result = ChiSquareResult();
            result.chiSquare = result.probability = kNotComputed;
            result.phi = result.cramersV = result.contingency = kNotComputed;
            return;
        }
        ComputeChiSquareTest(scaled, result);
        if (result.chiSquare == kNotComputed)
            return;
        const double chi = std::ldexp(result.chiSquare, -exponent);
        result.chiSquare = std::isfinite(chi) ? chi : kNotComputed;
        result.probability =
            std::isfinite(chi) ? ChiSquareTailProbability(chi, static_cast<double>(result.degreesOfFreedom)) : 0.0;
        return;
    }
    const CrossTable &t = table;
    result = ChiSquareResult();
    const long df = (t.usedRows - 1) * (t.usedColumns - 1);
    if (!(t.total > 0.0) || t.usedRows < 2 || t.usedColumns < 2) {
        result.chiSquare = result.probability = kNotComputed;
        result.degreesOfFreedom = df > 0 ? df : 0;
        result.phi = result.cramersV = result.contingency = kNotComputed;
        return;
    }
    // Present cells add (n - E)^2 / E; an absent cell adds (0 - E)^2 / E = E.
    double chi = 0.0;
    size_t k = 0;
    while (k < t.cells.size()) {
        const long row = t.cells[k].row;
        double presentColumns = 0.0;
        for (; k < t.cells.size() && t.cells[k].row == row; ++k) {
            const CrossCell &c = t.cells[k];
            const double e = ExpectedCount(t.rowTotals[row], t.columnTotals[c.column], t.total);
            presentColumns += t.columnTotals[c.column];
            if (e >= DBL_MIN) {
                const double d = c.count - e, square = d * d;
                chi += std::isfinite(square) ? square / e : d / e * d;
            } else {
                const double z = StandardizedCount(c.count, t.rowTotals[row], t.columnTotals[c.column], t.total);
                if (z != kNotComputed)
                    chi += z * z;
            }
        }
        const double absent = std::max(0.0, t.total - presentColumns), share = t.rowTotals[row] / t.total;
        chi += share >= DBL_MIN ? share * absent : t.rowTotals[row] * (absent / t.total);
    }
    result.chiSquare = chi;
    result.degreesOfFreedom = df;
    const double p = ChiSquareTailProbability(chi, static_cast<double>(df));
    result.probability = p == kNotComputed ? kNotComputed : p;
    const long q = std::min(t.usedRows, t.usedColumns);
    result.phi = std::sqrt(chi / t.total);
    result.cramersV = std::sqrt(Over(chi, t.total, static_cast<double>(q - 1)));
    const double sum = chi + t.total;
    result.contingency = std::sqrt(std::isfinite(sum) ? chi / sum : 1.0 / (1.0 + t.total / chi));
}

void ComputeOrdinalMeasures(const CrossTable &table, OrdinalResult &result)
{
    if (OutOfScale(table)) {
        // Every measure is a ratio of products of two counts, the same for
        // counts scaled by a power of two (exactly): n^2 of huge weights
        // would overflow. The pair counts are given at the table's scale.
        CrossTable scaled;
        int exponent = 0;
        if (!ScaledTable(table, &scaled, &exponent)) {
            result = OrdinalResult();
            result.concordant = result.discordant = kNotComputed;
            result.tauA = result.tauB = result.tauC = result.gamma = kNotComputed;
            result.somersSymmetric = result.somersRowDependent = kNotComputed;
            return;
        }
        ComputeOrdinalMeasures(scaled, result);
        result.concordant = Unscaled(result.concordant, 2 * exponent);
        result.discordant = Unscaled(result.discordant, 2 * exponent);
        return;
    }
    const CrossTable &t = table;
    result = OrdinalResult();
    // From the last row up: the tree holds the rows below the current one,
    // so a cell's concordant partners are the tree's sum right of its
    // column and its discordant ones the sum left of it.
    FenwickTree below(t.columns);
    double belowTotal = 0.0;
    double p = 0.0, q = 0.0;
    size_t end = t.cells.size();
    while (end > 0) {
        const long row = t.cells[end - 1].row;
        size_t start = end;
        while (start > 0 && t.cells[start - 1].row == row)
            --start;
        for (size_t k = start; k < end; ++k) {
            const CrossCell &c = t.cells[k];
            p += c.count * (belowTotal - below.Prefix(c.column + 1));
            q += c.count * below.Prefix(c.column);
        }
        for (size_t k = start; k < end; ++k) {
            below.Add(t.cells[k].column, t.cells[k].count);
            belowTotal += t.cells[k].count;
        }
        end = start;
    }
    result.concordant = p;
    result.discordant = q;
    const double s = p - q;
    const double n = t.total;
    // N^2 - sum R_i^2 and N^2 - sum C_j^2; the pairs untied on the rows,
    // D - T_r, are half the first (sum R_i = N).
    const double untiedRows = UntiedSquares(t.rowTotals), untiedColumns = UntiedSquares(t.columnTotals);
    const double pairs = n * (n - 1.0) / 2.0;
    const double k = static_cast<double>(std::min(t.usedRows, t.usedColumns));
    const bool usable = n > 0.0 && t.usedRows >= 2 && t.usedColumns >= 2;
    if (!usable) {
        result.tauA = result.tauB = result.tauC = result.gamma = kNotComputed;
        result.somersSymmetric = result.somersRowDependent = kNotComputed;
        return;
    }
    result.tauA = Ratio(s, pairs);
    // The roots apart where their product leaves the normal range.
    const double tieProduct = (untiedRows / 2.0) * (untiedColumns / 2.0);
    const double tieRoot =
        tieProduct >= DBL_MIN ? std::sqrt(tieProduct) : std::sqrt(untiedRows / 2.0) * std::sqrt(untiedColumns / 2.0);
    result.tauB = tieRoot > 0.0 ? Ratio(s, tieRoot) : kNotComputed;
    result.tauC = Ratio(2.0 * k * s, n * n * (k - 1));
    result.gamma = Ratio(s, p + q);
    result.somersRowDependent = Ratio(2.0 * s, untiedColumns);
    result.somersSymmetric = Ratio(4.0 * s, untiedRows + untiedColumns);
}
