#include "analyses/multivariate/Regresjon.h"

#include "analyses/multivariate/MultregOption.h"
#include "dataset/DATASET.h"
#include "dataset/WeightRec.h"
#include "stats/StatClass.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

int Printed(double value, int decimals)
{
    char digits[352];
    return std::snprintf(digits, sizeof digits, "%1.*f", decimals, value);
}

} // namespace

void Regresjon::ComputeColumnWidths(int reset, int stepIndex)
{
    static const int headings[6] = {4, 6, 5, 7, 8, 17};
    if (reset == 0)
        for (int c = 0; c < 6; ++c)
            columnWidths[c] = static_cast<int>(std::strlen(StatText(headings[c], multregTextGroup))) + 2;
    if (stepIndex < 0 || stepIndex >= StepCount())
        return;
    const RegModelStep &step = *steps[static_cast<size_t>(stepIndex)];
    const std::vector<double> *columns[6] = {&step.b, &step.beta, &step.seB, &step.t, &step.p, &step.tolerance};
    for (int c = 0; c < 6; ++c)
        for (int row = 1; row <= step.rows && row < static_cast<int>(columns[c]->size()); ++row)
            columnWidths[c] =
                std::max(columnWidths[c], Printed((*columns[c])[static_cast<size_t>(row)], c ? 2 : 4) + 2);
}

void Regresjon::FollowDataSet()
{
    if (!dataSet)
        return;
    selection = dataSet->GetActiveSelection();
    WeightRec *w = dataSet->GetWeight();
    weight = w && w->IsActive() ? w : nullptr;
}
