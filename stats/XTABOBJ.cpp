#include "stats/XTABOBJ.h"

#include <algorithm>
#include <cmath>
#include <cfloat>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseBlockWalk.h"
#include "stats/CategoryCoder.h"
#include "stats/StatDistributions.h"
#include "stats/StatMissing.h"

namespace {

// Bytes charged per entry of a hash map (node, bucket and the heap's own
// bookkeeping).
const size_t kHashEntryCost = 40;

std::string Caption(DATASET *set, long variable)
{
    char text[200] = "";
    if (set)
        set->GetVariableCaption(variable, text, sizeof text);
    return text;
}

std::string Name(DATASET *set, long variable)
{
    const VariableInfo *info = set ? set->GetVariable(variable) : nullptr;
    return info ? std::string(info->name) : std::to_string(variable);
}

// A cell's key is row << 32 | column; the standard hash of a 64-bit key
// keeps only its low 32 bits in this 32-bit program (the column), which
// would put every row of a column in one bucket. Mix both halves.
struct CellKeyHash
{
    size_t operator()(uint64_t key) const
    {
        key ^= key >> 33;
        key *= 0xff51afd7ed558ccdULL;
        key ^= key >> 33;
        return static_cast<size_t>(key);
    }
};

const uint32_t kMissingCode = CategoryCoder::kMissingCode;
const uint32_t kUnseenCode = CategoryCoder::kUnseenCode;
// Cells whose row and column numbers are both below this are counted in a
// dense array (8 bytes a cell, charged to the budget).
const uint32_t kDenseSide = 256;

std::string Grouped(unsigned long long n)
{
    std::string digits = std::to_string(n), text;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

} // namespace

XTABOBJ::XTABOBJ(BUFFERTYPE *first, KATLABS *firstLabels, BUFFERTYPE *second, KATLABS *secondLabels, int, DATASET *set)
    : StatClass(set), chiSquare(kNotComputed), probability(kNotComputed), phi(kNotComputed), cramersV(kNotComputed),
      contingency(kNotComputed), tauA(kNotComputed), tauB(kNotComputed), tauC(kNotComputed), gamma(kNotComputed),
      somersSymmetric(kNotComputed), somersAsymmetric(kNotComputed)
{
    weighted = IsWeighted();
    if (!first || !second)
        return;
    firstVariable = first->variableNumber;
    secondVariable = second->variableNumber;
    firstText = Caption(dataSet, firstVariable);
    secondText = Caption(dataSet, secondVariable);
    try {
        Count(first, firstLabels, second, secondLabels);
    } catch (const std::bad_alloc &failure) {
        Fail(kXtabNoMemory);
        NoteMemoryFailure(Title(), failure);
    }
}

std::string XTABOBJ::Title() const
{
    return "The crosstab of " + Name(dataSet, firstVariable) + " by " + Name(dataSet, secondVariable);
}

void XTABOBJ::Fail(int newStatus)
{
    status = newStatus;
    table = CrossTable();
    std::vector<XtabCategory>().swap(columns);
    std::vector<XtabCategory>().swap(rows);
    total = 0.0;
    charge.Clear();
}

void XTABOBJ::Count(BUFFERTYPE *first, KATLABS *firstLabels, BUFFERTYPE *second, KATLABS *secondLabels)
{
    // One pass over the lists, a block of cases at a time: categories are
    // numbered as they are met and the cells counted by those numbers (in
    // a dense array while the numbers are small, in a hash beyond); the
    // table is put in order of value after.
    BUFFERTYPE *lists[] = {first, second};
    CaseBlockWalk walk(*this, lists, 2, true);
    if (!walk.Ok()) {
        Fail(kXtabUnreadable);
        failureText = Title() + " cannot be made: the values or the weights cannot be read.";
        const std::string reason = walk.FailureReason();
        if (!reason.empty())
            failureText += " " + reason;
        return;
    }
    MemoryCharge counting;
    CategoryIndex columnsMet(counting), rowsMet(counting);
    CategoryCoder columnCoder(*first, columnsMet, counting), rowCoder(*second, rowsMet, counting);
    counting.AddItems(kDenseSide * kDenseSide, sizeof(double));
    std::vector<double> dense(kDenseSide * kDenseSide, 0.0);
    std::unordered_map<uint64_t, double, CellKeyHash> met;
    std::vector<uint32_t> columnOf(static_cast<size_t>(walk.BlockCases())), rowOf(columnOf.size());
    // Counts every case of a walk into the cells, its weight times factor.
    const auto countCases = [&](CaseBlockWalk &cases, double factor) {
        while (cases.NextBlock()) {
            const long n = cases.Size();
            const double *w = cases.Weights();
            columnCoder.Prepare(cases.Bytes(0), n, columnOf.data());
            rowCoder.Prepare(cases.Bytes(1), n, rowOf.data());
            for (long c = 0; c < n; ++c) {
                uint32_t column = columnOf[c], row = rowOf[c];
                if (!(w[c] > 0.0) || column == kMissingCode || row == kMissingCode)
                    continue;
                if (column == kUnseenCode)
                    column = columnCoder.Resolve(c);
                if (row == kUnseenCode)
                    row = rowCoder.Resolve(c);
                if (column < kDenseSide && row < kDenseSide) {
                    dense[row * kDenseSide + column] += w[c] * factor;
                    continue;
                }
                const uint64_t key = static_cast<uint64_t>(row) << 32 | column;
                auto cell = met.find(key);
                if (cell == met.end()) {
                    counting.Add(kHashEntryCost);
                    cell = met.emplace(key, 0.0).first;
                }
                cell->second += w[c] * factor;
            }
        }
    };
    countScale = 0;
    countCases(walk, 1.0);
    const auto finite = [](double count) { return std::isfinite(count); };
    if (walk.Ok() && (!std::all_of(dense.begin(), dense.end(), finite) ||
                      !std::all_of(met.begin(), met.end(), [](const std::pair<const uint64_t, double> &cell) {
                          return std::isfinite(cell.second);
                      }))) {
        // A cell's weights summed past the largest double: the cases are
        // counted again with the weights scaled by 2^-64, which keeps the
        // sums of any number of cases a data set holds finite. Percentages
        // and measures are the same at that scale; the counts are scaled
        // back where they are shown.
        std::fill(dense.begin(), dense.end(), 0.0);
        for (auto &cell : met)
            cell.second = 0.0;
        CaseBlockWalk again(*this, lists, 2, false);
        countCases(again, std::ldexp(1.0, -kScaledCounts));
        countScale = -kScaledCounts;
        if (!again.Ok()) {
            Fail(kXtabUnreadable);
            failureText = Title() + " cannot be made: " + again.FailureReason();
            return;
        }
    }
    if (!walk.Ok()) {
        Fail(kXtabUnreadable);
        failureText = Title() + " cannot be made: the values cannot be read.";
        const std::string reason = walk.FailureReason();
        failureText += " " + (reason.empty() ? std::string("The reason is not known.") : reason);
        return;
    }
    const size_t denseCells =
        static_cast<size_t>(std::count_if(dense.begin(), dense.end(), [](double c) { return c > 0.0; }));
    const long long cells = static_cast<long long>(rowsMet.Count()) * static_cast<long long>(columnsMet.Count());
    if (cells > kMaxCells) {
        Fail(kXtabTooManyCells);
        failureText = Title() + " would have " + Grouped(columnsMet.Count()) + " columns by " +
                      Grouped(rowsMet.Count()) + " rows, " + Grouped(static_cast<unsigned long long>(cells)) +
                      " cells; a table holds at most " + Grouped(kMaxCells) + ".";
        return;
    }

    std::vector<double> columnValues, rowValues;
    const std::vector<long> columnRank = columnsMet.Ranks(columnValues);
    const std::vector<long> rowRank = rowsMet.Ranks(rowValues);
    charge.AddItems(met.size() + denseCells, sizeof(CrossCell));
    charge.AddItems(columnValues.size() + rowValues.size(), 2 * sizeof(double));
    table = CrossTable(static_cast<long>(rowValues.size()), static_cast<long>(columnValues.size()));
    table.cells.reserve(met.size() + denseCells);
    for (uint32_t row = 0; row < kDenseSide; ++row)
        for (uint32_t column = 0; column < kDenseSide; ++column)
            if (dense[row * kDenseSide + column] > 0.0)
                table.AddCell(rowRank[row], columnRank[column], dense[row * kDenseSide + column]);
    std::vector<double>().swap(dense);
    for (const auto &cell : met)
        table.AddCell(rowRank[cell.first >> 32], columnRank[cell.first & 0xffffffffu], cell.second);
    std::unordered_map<uint64_t, double, CellKeyHash>().swap(met);
    table.Finish();
    total = table.total;
    for (double v : columnValues)
        columns.push_back({v, firstLabels ? firstLabels->GetLabelText(v) : ""});
    for (double v : rowValues)
        rows.push_back({v, secondLabels ? secondLabels->GetLabelText(v) : ""});
}

void XTABOBJ::ComputeChiSquareTest()
{
    ChiSquareResult r;
    ::ComputeChiSquareTest(table, r);
    // Chi-square grows with the table's scale, its probability with it.
    if (countScale != 0 && r.chiSquare != kNotComputed) {
        r.chiSquare = Unscaled(r.chiSquare);
        if (!std::isfinite(r.chiSquare)) {
            // Beyond the largest double: no figure, and no tail left.
            r.chiSquare = kNotComputed;
            r.probability = 0.0;
        } else {
            r.probability = ChiSquareTailProbability(r.chiSquare, static_cast<double>(r.degreesOfFreedom));
        }
    }
    chiSquare = r.chiSquare;
    probability = r.probability;
    degreesOfFreedom = r.degreesOfFreedom;
    phi = r.phi;
    cramersV = r.cramersV;
    contingency = r.contingency;
}

void XTABOBJ::ComputeOrdinalMeasures()
{
    OrdinalResult r;
    try {
        MemoryCharge sweep;
        sweep.AddItems(static_cast<size_t>(table.columns) + 1, sizeof(double));
        ::ComputeOrdinalMeasures(table, r);
    } catch (const std::bad_alloc &failure) {
        NoteMemoryFailure(Title() + " (its ordinal measures)", failure);
        return;
    }
    tauA = r.tauA;
    tauB = r.tauB;
    tauC = r.tauC;
    gamma = r.gamma;
    somersSymmetric = r.somersSymmetric;
    somersAsymmetric = r.somersRowDependent;
}
