#include "stats/CorrObj.h"

#include <algorithm>

#include "stats/CaseBlockWalk.h"
#include "stats/StatMissing.h"

int AccumulateCorrelations(StatClass &computation, const long *variables, int count, bool pairwise,
                           CorrelationResult &result, long &failedVariable)
{
    failedVariable = 0;
    CaseBlockWalk walk(computation, variables, count);
    CorrelationAccumulator sums(count, pairwise);
    std::vector<const double *> columns(static_cast<size_t>(count));
    std::vector<char> anyValid(static_cast<size_t>(count), 0);
    while (walk.NextBlock()) {
        const double *weights = walk.Weights();
        for (int v = 0; v < count; ++v) {
            columns[v] = walk.Values(v);
            for (long c = 0; c < walk.Size() && !anyValid[v]; ++c)
                anyValid[v] = weights[c] > 0.0 && !IsMissingValue(columns[v][c]);
        }
        sums.AddColumns(columns.data(), weights, static_cast<size_t>(walk.Size()));
    }
    if (!walk.Ok()) {
        failedVariable = walk.FailedVariable();
        computation.NoteUnreadableCases("The correlations", walk.FailureReason());
        return kStatusUnreadable;
    }
    for (int v = 0; v < count; ++v) {
        if (!anyValid[v]) {
            failedVariable = variables[v];
            return kStatusNoValidValues;
        }
    }
    sums.Finish(result);
    return 0;
}

CorrObj::CorrObj(const long *list, int mode, void *, DATASET *set) : StatClass(set), missingMode(mode)
{
    for (const long *v = list; v && *v; ++v)
        variables.push_back(*v);
    variableCount = static_cast<int>(variables.size());
    variables.push_back(0);
    Compute();
}

CorrObj::~CorrObj()
{}

void CorrObj::FreeResults()
{
    coefficients.clear();
    pValues.clear();
    counts.clear();
    result = CorrelationResult();
}

void CorrObj::Compute()
{
    FreeResults();
    errorCode = 0;
    errorVariable = 0;
    if (variableCount < 2) {
        errorCode = 9;
        return;
    }
    const bool pairwise = missingMode == kPairwise;
    errorCode = AccumulateCorrelations(*this, variables.data(), variableCount, pairwise, result, errorVariable);
    if (errorCode != 0)
        return;
    bool enough = false;
    if (pairwise) {
        for (int i = 0; i < variableCount && !enough; ++i)
            for (int j = 0; j < i && !enough; ++j)
                enough = result.weightedCount[i * variableCount + j] > 2.0 || result.count[i * variableCount + j] >= 3;
    } else {
        enough = result.listwiseWeight > 2.0 || result.listwiseCount >= 3;
    }
    if (!enough) {
        errorCode = 2;
        return;
    }
    if (result.constantVariable >= 0) {
        errorCode = 8;
        errorVariable = variables[result.constantVariable];
        return;
    }
    coefficients = result.r;
    pValues = result.p;
    counts = result.count;
    if (!pairwise)
        std::fill(counts.begin(), counts.end(), result.listwiseCount);
    counts[0] = result.listwiseCount;
}
