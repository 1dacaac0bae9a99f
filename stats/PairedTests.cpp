#include "stats/PairedTests.h"

#include <cstdio>
#include <new>
#include <vector>

#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "stats/CaseBlockWalk.h"
#include "stats/CaseWalk.h"
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

template <typename Test> bool PairedComputation::ReadPairs(Test &test)
{
    const long variables[2] = {firstVariable, secondVariable};
    CaseWalk walk(*this, variables, 2);
    while (walk.Next())
        if (walk.AllValid())
            test.Add(walk.Value(0), walk.Value(1), walk.Weight());
    if (!walk.Ok())
        NoteUnreadable(walk.FailureReason());
    return walk.Ok();
}

template <typename Test> bool PairedComputation::ReadPairBlocks(Test &test)
{
    const long variables[2] = {firstVariable, secondVariable};
    CaseBlockWalk walk(*this, variables, 2);
    std::vector<double> x(static_cast<size_t>(walk.BlockCases())), y(x.size()), w(x.size());
    while (walk.NextBlock()) {
        const double *first = walk.Values(0), *second = walk.Values(1), *weights = walk.Weights();
        size_t n = 0;
        for (long c = 0; c < walk.Size(); ++c) {
            if (weights[c] > 0.0 && !IsMissingValue(first[c]) && !IsMissingValue(second[c])) {
                x[n] = first[c];
                y[n] = second[c];
                w[n] = weights[c];
                ++n;
            }
        }
        test.AddBlock(x.data(), y.data(), w.data(), n);
    }
    if (!walk.Ok())
        NoteUnreadable(walk.FailureReason());
    return walk.Ok();
}

void PairedComputation::NoteUnreadable(const std::string &reason)
{
    // No figures rather than those of the cases before the fault.
    failureText = "The test of " + firstName + " and " + secondName + " cannot be computed: " +
                  (reason.empty() ? std::string("the values or the weights cannot be read.") : reason);
}

GTtestPar::GTtestPar(long first, long second, int, DATASET *set) : PairedComputation(first, second, set)
{
    PairedTAccumulator sums;
    if (ReadPairs(sums))
        sums.Finish(result);
    else
        PairedTAccumulator().Finish(result);
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
    if (result.correlationP == kNotComputed)
        return kNotComputed;
    return twoSided ? result.correlationP : result.correlationP / 2.0;
}

SignTest::SignTest(long first, long second, DATASET *set) : PairedComputation(first, second, set)
{
    SignTestCounter counter;
    SignTestResult s;
    if (ReadPairs(counter))
        counter.Finish(s);
    else
        SignTestCounter().Finish(s);
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
    WilcoxonRanks ranks;
    WilcoxonResult w;
    try {
        // Room for a difference per case at once, so that the differences
        // are never held twice while they grow.
        if (dataSet)
            ranks.Reserve(static_cast<size_t>(dataSet->GetCaseCount()), IsWeighted());
        if (!ReadPairBlocks(ranks))
            ranks = WilcoxonRanks();
        ranks.Finish(w);
    } catch (const std::bad_alloc &failure) {
        // No figure: the differences do not fit the memory budget.
        NoteMemoryFailure("The Wilcoxon test", failure);
        WilcoxonRanks().Finish(w);
    }
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
    McNemarCounter counter;
    McNemarResult m;
    if (ReadPairs(counter))
        counter.Finish(m);
    else
        McNemarCounter().Finish(m);
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
