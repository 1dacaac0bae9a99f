#include "stats/XTABOBJ.h"

#include <algorithm>
#include <cfloat>
#include <cstring>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseBlockWalk.h"
#include "stats/StatMissing.h"

namespace {

// Bytes charged per entry of a hash map (node, bucket and the heap's own
// bookkeeping) and per category (its entry, value, order and label).
const size_t kHashEntryCost = 40;
const size_t kCategoryCost = 96;

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

// Numbers the distinct values in the order they are met.
class CategoryIndex
{
public:
    explicit CategoryIndex(MemoryCharge &charge) : charge(charge) {}

    uint32_t Find(double v)
    {
        if (!values.empty() && v == last)
            return lastIndex;
        auto found = index.find(v);
        if (found == index.end()) {
            charge.Add(kCategoryCost);
            found = index.emplace(v, static_cast<uint32_t>(values.size())).first;
            values.push_back(v);
        }
        last = v;
        lastIndex = found->second;
        return lastIndex;
    }
    size_t Count() const { return values.size(); }

    // rank[met number]: the place of the value in ascending order.
    std::vector<long> Ranks(std::vector<double> &ordered) const
    {
        ordered = values;
        std::sort(ordered.begin(), ordered.end());
        std::vector<long> rank(values.size());
        for (size_t i = 0; i < values.size(); ++i)
            rank[i] = static_cast<long>(std::lower_bound(ordered.begin(), ordered.end(), values[i]) - ordered.begin());
        return rank;
    }

private:
    MemoryCharge &charge;
    std::vector<double> values;
    std::unordered_map<double, uint32_t> index;
    double last = 0.0;
    uint32_t lastIndex = 0;
};

// Category numbers of a block of stored values: kMissingCode for a
// system- or user-missing value, kUnseenCode for a value whose category is
// not numbered yet; Resolve numbers it, which is done only for the cases
// that count, so a value met only beside a missing one makes no category.
// A 1- or 2-byte variable keeps each stored value's number in a table;
// any other goes through the index.
const uint32_t kMissingCode = 0xffffffffu;
const uint32_t kUnseenCode = 0xfffffffeu;
// Cells whose row and column numbers are both below this are counted in a
// dense array (8 bytes a cell, charged to the budget).
const uint32_t kDenseSide = 256;

class CategoryCoder
{
public:
    CategoryCoder(const BUFFERTYPE &list, CategoryIndex &index, MemoryCharge &charge) : list(list), index(index)
    {
        if (list.storageType == STORAGE_U8 || list.storageType == STORAGE_I16) {
            const size_t slots = list.storageType == STORAGE_U8 ? 256 : 65536;
            charge.AddItems(slots, sizeof(uint32_t));
            table.assign(slots, kUnseenCode);
        }
    }

    void Prepare(const unsigned char *blockBytes, long n, uint32_t *codes)
    {
        bytes = blockBytes;
        if (list.storageType == STORAGE_U8) {
            for (long c = 0; c < n; ++c)
                codes[c] = Lookup(bytes[c], bytes[c]);
        } else if (list.storageType == STORAGE_I16) {
            for (long c = 0; c < n; ++c) {
                const int16_t v = Short(c);
                codes[c] = Lookup(static_cast<size_t>(v + 32768), v);
            }
        } else {
            values.resize(static_cast<size_t>(n));
            list.DecodeBlock(bytes, n, values.data(), DBL_MAX);
            for (long c = 0; c < n; ++c)
                codes[c] = values[c] == DBL_MAX ? kMissingCode : kUnseenCode;
        }
    }

    // The category of case c of the block (not missing), numbered now.
    uint32_t Resolve(long c)
    {
        if (list.storageType == STORAGE_U8)
            return table[bytes[c]] = index.Find(bytes[c]);
        if (list.storageType == STORAGE_I16) {
            const int16_t v = Short(c);
            return table[static_cast<size_t>(v + 32768)] = index.Find(v);
        }
        return index.Find(values[c]);
    }

private:
    int16_t Short(long c) const
    {
        int16_t v;
        std::memcpy(&v, bytes + 2 * c, 2);
        return v;
    }
    uint32_t Lookup(size_t slot, long stored)
    {
        uint32_t &code = table[slot];
        if (code == kUnseenCode && list.IsMissingInt(stored))
            code = kMissingCode;
        return code;
    }

    const BUFFERTYPE &list;
    CategoryIndex &index;
    std::vector<uint32_t> table;
    std::vector<double> values;
    const unsigned char *bytes = nullptr;
};

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
        return;
    }
    MemoryCharge counting;
    CategoryIndex columnsMet(counting), rowsMet(counting);
    CategoryCoder columnCoder(*first, columnsMet, counting), rowCoder(*second, rowsMet, counting);
    counting.AddItems(kDenseSide * kDenseSide, sizeof(double));
    std::vector<double> dense(kDenseSide * kDenseSide, 0.0);
    std::unordered_map<uint64_t, double, CellKeyHash> met;
    std::vector<uint32_t> columnOf(static_cast<size_t>(walk.BlockCases())), rowOf(columnOf.size());
    while (walk.NextBlock()) {
        const long n = walk.Size();
        const double *w = walk.Weights();
        columnCoder.Prepare(walk.Bytes(0), n, columnOf.data());
        rowCoder.Prepare(walk.Bytes(1), n, rowOf.data());
        for (long c = 0; c < n; ++c) {
            uint32_t column = columnOf[c], row = rowOf[c];
            if (!(w[c] > 0.0) || column == kMissingCode || row == kMissingCode)
                continue;
            if (column == kUnseenCode)
                column = columnCoder.Resolve(c);
            if (row == kUnseenCode)
                row = rowCoder.Resolve(c);
            if (column < kDenseSide && row < kDenseSide) {
                dense[row * kDenseSide + column] += w[c];
                continue;
            }
            const uint64_t key = static_cast<uint64_t>(row) << 32 | column;
            auto cell = met.find(key);
            if (cell == met.end()) {
                counting.Add(kHashEntryCost);
                cell = met.emplace(key, 0.0).first;
            }
            cell->second += w[c];
        }
    }
    if (!walk.Ok()) {
        Fail(kXtabUnreadable);
        failureText = Title() + " cannot be made: the values cannot be read.";
        for (BUFFERTYPE *list : {first, second})
            if (list->Error())
                failureText += " " + DataSetErrorText(list->Error(), list->ErrorText());
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
