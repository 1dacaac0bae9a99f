#include "stats/CorrObj.h"

#include <algorithm>

#include "stats/StatMissing.h"

CorrObj::CorrObj(const long *list, int mode, void *, DATASET *set)
    : StatClass(set), missingMode(mode)
{
    for (const long *v = list; v && *v; ++v)
        variables.push_back(*v);
    variableCount = static_cast<int>(variables.size());
    variables.push_back(0);
    Compute();
}

CorrObj::~CorrObj()
{
}

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
    std::vector<double> weights;
    std::vector<std::vector<double>> columns;
    std::vector<const double *> pointers;
    errorCode = LoadCorrelationColumns(variables.data(), variableCount, weights, columns, pointers, errorVariable);
    if (errorCode != 0)
        return;
    const bool pairwise = missingMode == kPairwise;
    ComputeCorrelations(pointers, weights.data(), weights.size(), pairwise, result);
    bool enough = false;
    if (pairwise) {
        for (int i = 0; i < variableCount && !enough; ++i)
            for (int j = 0; j < i && !enough; ++j)
                enough = result.weightedCount[i * variableCount + j] > 2.0;
    } else {
        enough = result.listwiseWeight > 2.0;
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
