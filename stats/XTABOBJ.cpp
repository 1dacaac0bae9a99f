#include "stats/XTABOBJ.h"

#include <algorithm>
#include <map>

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CrossTableKernel.h"
#include "stats/StatMissing.h"

namespace {

std::string Caption(DATASET *set, long variable)
{
    char text[200] = "";
    if (set)
        set->GetVariableCaption(variable, text, sizeof text);
    return text;
}

// Valid values per case (kDoubleMissing for missing ones).
std::vector<double> ReadList(BUFFERTYPE *list)
{
    std::vector<double> values;
    if (!list)
        return values;
    const long cases = list->GetCaseCount();
    values.assign(static_cast<size_t>(cases), kDoubleMissing);
    list->SeekCase(1, 1);
    for (long c = 0; c < cases && list->MoveNext(); ++c)
        if (!list->IsCurrentMissing())
            values[c] = list->GetCurrentAsReal();
    return values;
}

// Numbers the distinct values in the order they are met.
struct CategoryIndex {
    std::vector<double> values;
    std::map<double, size_t> many;
    double last = 0.0;
    size_t lastIndex = static_cast<size_t>(-1);

    size_t Find(double v)
    {
        if (lastIndex != static_cast<size_t>(-1) && v == last)
            return lastIndex;
        size_t index = values.size();
        if (values.size() <= 32) {
            for (size_t i = 0; i < values.size(); ++i)
                if (values[i] == v) {
                    index = i;
                    break;
                }
        } else {
            if (many.empty())
                for (size_t i = 0; i < values.size(); ++i)
                    many.emplace(values[i], i);
            auto found = many.find(v);
            if (found != many.end())
                index = found->second;
        }
        if (index == values.size()) {
            values.push_back(v);
            if (!many.empty())
                many.emplace(v, index);
        }
        last = v;
        lastIndex = index;
        return index;
    }

    // The met numbers in ascending order of value.
    std::vector<size_t> Order() const
    {
        std::vector<size_t> order(values.size());
        for (size_t i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(),
                  [this](size_t a, size_t b) { return values[a] < values[b]; });
        return order;
    }
};

} // namespace

XTABOBJ::XTABOBJ(BUFFERTYPE *first, KATLABS *firstLabels, BUFFERTYPE *second,
                 KATLABS *secondLabels, int, DATASET *set)
    : StatClass(set), chiSquare(kDoubleMissing), probability(kDoubleMissing),
      phi(kDoubleMissing), cramersV(kDoubleMissing), contingency(kDoubleMissing),
      tauA(kDoubleMissing), tauB(kDoubleMissing), tauC(kDoubleMissing), gamma(kDoubleMissing),
      somersSymmetric(kDoubleMissing), somersAsymmetric(kDoubleMissing)
{
    weighted = IsWeighted();
    if (!first || !second)
        return;
    firstVariable = first->variableNumber;
    secondVariable = second->variableNumber;
    firstText = Caption(dataSet, firstVariable);
    secondText = Caption(dataSet, secondVariable);

    std::vector<double> weights;
    LoadCaseWeights(weights);
    const std::vector<double> x = ReadList(first), y = ReadList(second);
    const size_t cases = std::min(x.size(), y.size());
    // One pass: categories are numbered as they are met and the cells
    // counted by those numbers; the table is put in order of value after.
    CategoryIndex columnsMet, rowsMet;
    std::vector<std::vector<double>> met;      // [row met][column met]
    for (size_t c = 0; c < cases; ++c) {
        const double w = c < weights.size() ? weights[c] : 1.0;
        if (!(w > 0.0) || IsNotComputed(x[c]) || IsNotComputed(y[c]))
            continue;
        const size_t column = columnsMet.Find(x[c]);
        const size_t row = rowsMet.Find(y[c]);
        if (row >= met.size())
            met.resize(row + 1);
        std::vector<double> &cells = met[row];
        if (column >= cells.size())
            cells.resize(column + 1, 0.0);
        cells[column] += w;
    }
    const std::vector<size_t> columnOrder = columnsMet.Order();
    const std::vector<size_t> rowOrder = rowsMet.Order();
    for (size_t j : columnOrder) {
        const double v = columnsMet.values[j];
        columns.push_back({v, firstLabels ? firstLabels->GetLabelText(v) : ""});
    }
    for (size_t i : rowOrder) {
        const double v = rowsMet.values[i];
        rows.push_back({v, secondLabels ? secondLabels->GetLabelText(v) : ""});
    }
    const int nc = ColumnCount();
    counts.assign(static_cast<size_t>(RowCount()) * nc, 0.0);
    rowTotals.assign(RowCount(), 0.0);
    columnTotals.assign(nc, 0.0);
    for (int i = 0; i < RowCount(); ++i) {
        const std::vector<double> &cells = met[rowOrder[i]];
        for (int j = 0; j < nc; ++j) {
            const size_t k = columnOrder[j];
            const double n = k < cells.size() ? cells[k] : 0.0;
            counts[static_cast<size_t>(i) * nc + j] = n;
            rowTotals[i] += n;
            columnTotals[j] += n;
            total += n;
        }
    }
}

void XTABOBJ::ComputeChiSquareTest()
{
    ChiSquareResult r;
    ::ComputeChiSquareTest(counts.data(), RowCount(), ColumnCount(), r);
    chiSquare = r.chiSquare;
    probability = r.probability;
    degreesOfFreedom = r.degreesOfFreedom;
    phi = r.phi;
    cramersV = r.cramersV;
    contingency = r.contingency;
    expected = r.expected;
    deviation = r.deviation;
    standardizedDeviation = r.standardizedDeviation;
}

void XTABOBJ::ComputeOrdinalMeasures()
{
    OrdinalResult r;
    ::ComputeOrdinalMeasures(counts.data(), RowCount(), ColumnCount(), r);
    tauA = r.tauA;
    tauB = r.tauB;
    tauC = r.tauC;
    gamma = r.gamma;
    somersSymmetric = r.somersSymmetric;
    somersAsymmetric = r.somersRowDependent;
}
