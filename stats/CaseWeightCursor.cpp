#include "stats/CaseWeightCursor.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/SelectRec.h"
#include "dataset/WeightRec.h"
#include "stats/StatClass.h"

#include <cmath>

CaseWeightCursor::CaseWeightCursor(const StatClass &computation)
{
    DATASET *set = computation.GetDataSet();
    if (!set)
        return;
    cases = set->GetCaseCount();
    SelectRec *s = computation.GetSelection();
    if (s && s->IsActive())
        selection = s;
    if (WeightRec *w = computation.GetWeight()) {
        weights = w->NewWeightList();
        if (!weights || weights->GetCaseCount() != cases)
            return;
        weights->SeekCase(1, 1);
    }
    ready = true;
}

CaseWeightCursor::~CaseWeightCursor()
{
    delete weights;
}

bool CaseWeightCursor::Next(double &weight)
{
    if (!ready || next >= cases)
        return false;
    weight = 1.0;
    if (weights) {
        if (!weights->MoveNext())
            return false;
        const double w = weights->GetCurrentReal();
        weight = (weights->IsCurrentMissing() || !(w > 0.0) || !std::isfinite(w)) ? 0.0 : w;
    }
    if (selection && !selection->IsCaseInForce(next))
        weight = 0.0;
    else if (weight == 0.0)
        ++excluded;
    ++next;
    return true;
}

int CaseWeightCursor::Error() const
{
    return weights ? weights->Error() : 0;
}

const char *CaseWeightCursor::ErrorText() const
{
    return weights ? weights->ErrorText() : "";
}
