#include "stats/RegObj.h"

#include <algorithm>
#include <cmath>

#include "dataset/BUFFERTYPE.h"
#include "stats/CaseWalk.h"
#include "stats/CorrObj.h"
#include "stats/CorrelationKernel.h"
#include "stats/RegressionKernel.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

TMPLISTETYPE *RegressionEngine::NewResidualList(long dataSetCases) const
{
    TMPLISTETYPE *list = new TMPLISTETYPE(STORAGE_DOUBLE, dataSetCases);
    list->SeekCase(1, 1);
    size_t next = 0;
    for (long c = 0; c < dataSetCases && list->MoveNext(); ++c) {
        if (next < cases.size() && cases[next] == c)
            list->StoreReal(residuals[next++]);
    }
    list->ComputeRange();
    return list;
}

RegObj::RegObj(long dep, const long *independents, int m, int missing, double in, double out, DATASET *set)
    : StatClass(set), method(m), pIn(in), pOut(out), missingDeletion(missing), dependent(dep)
{
    for (const long *v = independents; v && *v; ++v)
        variables.push_back(*v);
    variables.push_back(dependent);
    variables.push_back(0);
}

RegObj::~RegObj()
{
    FreeResults();
}

void RegObj::SetParameters(int m, int missing, double in, double out, unsigned long mask)
{
    method = m;
    missingDeletion = missing;
    pIn = in;
    pOut = out;
    displayMask = mask;
}

void RegObj::FreeResults()
{
    for (RegModelStep *s : steps)
        delete s;
    steps.clear();
    status = 0;
    failedVariable = 0;
}

void RegObj::ComputeCorrelationMatrix()
{
    FreeResults();
    const int k = static_cast<int>(variables.size()) - 1; // with the dependent
    CorrelationResult corr;
    const bool pairwise = missingDeletion == 2;
    status = AccumulateCorrelations(*this, variables.data(), k, pairwise, corr, failedVariable);
    if (status != 0)
        return;
    double n = corr.listwiseWeight;
    if (pairwise)
        n = *std::min_element(corr.weightedCount.begin(), corr.weightedCount.end());
    std::vector<RegressionStep> kernelSteps;
    int bad = -1;
    status = ComputeRegression(corr, n, method, pIn, pOut, kernelSteps, bad);
    if (status != 0) {
        if (status == 14)
            failedVariable = dependent;
        else if (bad >= 0)
            failedVariable = variables[bad];
        return;
    }
    for (const RegressionStep &ks : kernelSteps) {
        RegModelStep *s = new RegModelStep;
        s->dependentVariable = dependent;
        s->dependentPosition = k - 1;
        s->rows = ks.rows;
        s->inEquation = ks.inEquation;
        s->rowVariable.assign(ks.rows + 1, 0);
        for (int i = 1; i <= ks.rows; ++i)
            s->rowVariable[i] = variables[ks.variable[i]];
        s->b = ks.b;
        s->seB = ks.seB;
        s->beta = ks.beta;
        s->t = ks.t;
        s->p = ks.p;
        s->tolerance = ks.tolerance;
        s->n = ks.n;
        std::copy(ks.summary, ks.summary + 5, s->summary);
        steps.push_back(s);
    }
}

RegressionEngine *RegObj::EnsureEngine(int stepIndex)
{
    if (stepIndex < 0 || stepIndex >= StepCount())
        return nullptr;
    RegModelStep *step = steps[stepIndex];
    if (step->engine)
        return step->engine;
    RegressionEngine *engine = new RegressionEngine;
    engine->context = this;
    engine->residualMean = engine->residualDeviation = kNotComputed;
    step->engine = engine;
    // Listwise, every step rests on the cases valid in all the analysis's
    // variables, also those a step leaves out; pairwise, on the cases valid
    // in the variables of its equation.
    const int checked = missingDeletion == 2 ? step->inEquation : step->rows;
    std::vector<long> read(step->rowVariable.begin() + 1, step->rowVariable.begin() + 1 + checked);
    read.push_back(dependent);
    CaseWalk walk(*this, read.data(), checked + 1);
    WeightedMoments spread;
    while (walk.Next()) {
        if (!walk.AllValid())
            continue;
        double predicted = step->b[0];
        for (int i = 0; i < step->inEquation; ++i)
            predicted += step->b[i + 1] * walk.Value(i);
        const double w = walk.Weight(), residual = walk.Value(checked) - predicted;
        engine->cases.push_back(walk.Case());
        engine->predicted.push_back(predicted);
        engine->residuals.push_back(residual);
        engine->weights.push_back(w);
        spread.Add(residual, w);
    }
    engine->count = static_cast<long>(engine->cases.size());
    engine->residualMean = spread.Mean();
    engine->residualDeviation = spread.StandardDeviation();
    return engine;
}
