#include "stats/ScatterPairs.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/SelectRec.h"

namespace {

// The caller's list, or a new one of the variable kept in own; null when
// it cannot be read.
BUFFERTYPE *OpenList(DATASET *dataSet, long variable, BUFFERTYPE *given, std::unique_ptr<LISTETYPE> &own)
{
    if (given)
        return given;
    if (!dataSet || variable <= 0)
        return nullptr;
    own = std::make_unique<LISTETYPE>(dataSet, variable);
    if (own->Error())
        own.reset();
    return own.get();
}

} // namespace

ScatterPairs::ScatterPairs(DATASET *dataSet, SelectRec *activeSelection, long xVariable, long yVariable,
                           BUFFERTYPE *xList, BUFFERTYPE *yList)
    : selection(activeSelection)
{
    x = OpenList(dataSet, xVariable, xList, ownX);
    y = OpenList(dataSet, yVariable, yList, ownY);
    if (!x || !y) {
        x = y = nullptr;
        return;
    }
    x->SeekCase(1, 1);
    y->SeekCase(1, 1);
}

ScatterPairs::~ScatterPairs() = default;

bool ScatterPairs::Next()
{
    if (!x)
        return false;
    while (x->MoveNext() && y->MoveNext()) {
        if (selection && !selection->IsCaseInForce(x->GetCurrentCase() - 1))
            continue;
        if (x->IsCurrentMissing() || y->IsCurrentMissing())
            continue;
        xValue = x->GetCurrentAsReal();
        yValue = y->GetCurrentAsReal();
        return true;
    }
    return false;
}
