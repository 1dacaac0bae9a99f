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
    // Categories first, then the table: two passes keep the cells in order.
    std::map<double, int> columnIndex, rowIndex;
    for (size_t c = 0; c < cases; ++c) {
        if (c < weights.size() && !(weights[c] > 0.0))
            continue;
        if (IsNotComputed(x[c]) || IsNotComputed(y[c]))
            continue;
        columnIndex.emplace(x[c], 0);
        rowIndex.emplace(y[c], 0);
    }
    for (auto &entry : columnIndex) {
        entry.second = static_cast<int>(columns.size());
        columns.push_back({entry.first, firstLabels ? firstLabels->GetLabelText(entry.first) : ""});
    }
    for (auto &entry : rowIndex) {
        entry.second = static_cast<int>(rows.size());
        rows.push_back({entry.first, secondLabels ? secondLabels->GetLabelText(entry.first) : ""});
    }
    const int nc = ColumnCount();
    counts.assign(static_cast<size_t>(RowCount()) * nc, 0.0);
    rowTotals.assign(RowCount(), 0.0);
    columnTotals.assign(nc, 0.0);
    double lastX = kDoubleMissing, lastY = kDoubleMissing;
    int column = 0, row = 0;
    for (size_t c = 0; c < cases; ++c) {
        const double w = c < weights.size() ? weights[c] : 1.0;
        if (!(w > 0.0) || IsNotComputed(x[c]) || IsNotComputed(y[c]))
            continue;
        if (x[c] != lastX) {
            column = columnIndex[x[c]];
            lastX = x[c];
        }
        if (y[c] != lastY) {
            row = rowIndex[y[c]];
            lastY = y[c];
        }
        counts[static_cast<size_t>(row) * nc + column] += w;
        rowTotals[row] += w;
        columnTotals[column] += w;
        total += w;
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
