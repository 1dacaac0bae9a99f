#include "stats/XTABOBJ.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <unordered_map>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseWeightCursor.h"
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
    // One pass over the lists: categories are numbered as they are met and
    // the cells that occur counted by those numbers; the table is put in
    // order of value after.
    CaseWeightCursor weights(*this);
    if (!weights.IsReady() || first->GetCaseCount() != weights.GetCaseCount() ||
        second->GetCaseCount() != weights.GetCaseCount()) {
        Fail(kXtabUnreadable);
        failureText = Title() + " cannot be made: the values or the weights cannot be read.";
        return;
    }
    MemoryCharge counting;
    CategoryIndex columnsMet(counting), rowsMet(counting);
    std::unordered_map<uint64_t, double, CellKeyHash> met;
    first->SeekCase(1, 1);
    second->SeekCase(1, 1);
    double w;
    while (weights.Next(w)) {
        if (!first->MoveNext() || !second->MoveNext()) {
            Fail(kXtabUnreadable);
            failureText = Title() + " cannot be made: the values cannot be read.";
            for (BUFFERTYPE *list : {first, second})
                if (list->Error())
                    failureText += " " + DataSetErrorText(list->Error(), list->ErrorText());
            return;
        }
        if (!(w > 0.0) || first->IsCurrentMissing() || second->IsCurrentMissing())
            continue;
        const uint64_t column = columnsMet.Find(first->GetCurrentAsReal());
        const uint64_t row = rowsMet.Find(second->GetCurrentAsReal());
        auto cell = met.emplace(row << 32 | column, 0.0);
        if (cell.second)
            counting.Add(kHashEntryCost);
        cell.first->second += w;
    }
    if (weights.Error()) {
        Fail(kXtabUnreadable);
        failureText = Title() + " cannot be made: the weights cannot be read. " +
                      DataSetErrorText(weights.Error(), weights.ErrorText());
        return;
    }
    NoteExcludedWeightCases(weights.Excluded());
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
    charge.AddItems(met.size(), sizeof(CrossCell));
    charge.AddItems(columnValues.size() + rowValues.size(), 2 * sizeof(double));
    table = CrossTable(static_cast<long>(rowValues.size()), static_cast<long>(columnValues.size()));
    table.cells.reserve(met.size());
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
