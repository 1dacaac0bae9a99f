#include "stats/PairedTests.h"

#include <cstdio>

#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/StatMissing.h"

PairedComputation::PairedComputation(long first, long second, DATASET *set)
    : StatClass(set), firstVariable(first), secondVariable(second)
{
    if (!dataSet)
        return;
    if (const VariableInfo *v = dataSet->GetVariable(first)) {
        firstName = v->name;
        firstText = v->label;
    }
    if (const VariableInfo *v = dataSet->GetVariable(second)) {
        secondName = v->name;
        secondText = v->label;
    }
}

bool PairedComputation::ReadPairs(std::vector<WeightedPair> &pairs)
{
    pairs.clear();
    std::vector<double> weights, x, y;
    if (!LoadCaseWeights(weights) || !LoadValues(firstVariable, x) || !LoadValues(secondVariable, y))
        return false;
    for (size_t c = 0; c < x.size() && c < y.size(); ++c)
        if (weights[c] > 0.0 && !IsNotComputed(x[c]) && !IsNotComputed(y[c]))
            pairs.push_back({x[c], y[c], weights[c]});
    return true;
}

GTtestPar::GTtestPar(long first, long second, int, DATASET *set)
    : PairedComputation(first, second, set)
{
    std::vector<WeightedPair> pairs;
    ReadPairs(pairs);
    ComputePairedT(pairs.data(), pairs.size(), result);
    n = result.pairs;
    weightedSum = result.n;
    mean[0] = result.meanX;
    mean[1] = result.meanY;
    standardDeviation[0] = result.sdX;
    standardDeviation[1] = result.sdY;
    standardError[0] = result.seX;
    standardError[1] = result.seY;
    meanDifference = result.meanDifference;
    t = result.t;
    r = result.r;
    tOfR = result.tOfR;
    error = result.error;
}

double GTtestPar::CorrelationPValue(bool twoSided) const
{
    if (result.pairs < 3 || result.correlationP == kFloatMissing)
        return 1.0;
    return twoSided ? result.correlationP : result.correlationP / 2.0;
}

SignTest::SignTest(long first, long second, DATASET *set) : PairedComputation(first, second, set)
{
    std::vector<WeightedPair> pairs;
    ReadPairs(pairs);
    SignTestResult s;
    ComputeSignTest(pairs.data(), pairs.size(), s);
    status = s.status;
    larger = s.larger;
    smaller = s.smaller;
    cases = s.cases;
    exact = s.exact;
    exactP = s.exactP;
    z = s.z;
    zP = s.zP;
}

Wilcoxon::Wilcoxon(long first, long second, DATASET *set) : PairedComputation(first, second, set)
{
    std::vector<WeightedPair> pairs;
    ReadPairs(pairs);
    WilcoxonResult w;
    ComputeWilcoxon(pairs.data(), pairs.size(), w);
    status = w.status;
    this->pairs = w.pairs;
    zeroDifferences = w.zeroDifferences;
    negative = w.negative;
    positive = w.positive;
    negativeMeanRank = w.negativeMeanRank;
    positiveMeanRank = w.positiveMeanRank;
    negativeRankSum = w.negativeRankSum;
    positiveRankSum = w.positiveRankSum;
    normal = w.normal;
    z = w.z;
    zP = w.zP;
    exactOneSidedP = w.exactOneSidedP;
    exactTwoSidedP = w.exactTwoSidedP;
    for (int i = 0; i < 4; ++i)
        decisions[i] = w.decisions[i];
    suppressFooter = w.suppressFooter;
}

namespace {

std::string LabelOf(KATLABS *labels, double value)
{
    if (IsNotComputed(value))
        return "";
    const char *text = labels ? labels->GetLabelText(value) : "";
    if (*text)
        return text;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

} // namespace

McNemar::McNemar(long first, long second, DATASET *set) : PairedComputation(first, second, set)
{
    std::vector<WeightedPair> pairs;
    ReadPairs(pairs);
    McNemarResult m;
    ComputeMcNemar(pairs.data(), pairs.size(), m);
    status = m.status;
    for (int i = 0; i < 4; ++i)
        counts[i] = m.counts[i];
    exact = m.exact;
    exactP = m.exactP;
    chiSquare = m.chiSquare;
    chiSquareP = m.chiSquareP;
    countDecimals = IsWeighted() ? WeightDecimals() : 0;
    KATLABS *rowLabels_ = KATLABS::ConstructAndRead(first, dataSet);
    KATLABS *columnLabels_ = KATLABS::ConstructAndRead(second, dataSet);
    for (int i = 0; i < 2; ++i) {
        rowLabels[i] = LabelOf(rowLabels_, m.rowValues[i]);
        columnLabels[i] = LabelOf(columnLabels_, m.columnValues[i]);
    }
    delete rowLabels_;
    delete columnLabels_;
}
