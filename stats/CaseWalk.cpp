#include "stats/CaseWalk.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/SelectRec.h"
#include "dataset/WeightRec.h"
#include "stats/CaseBlockWalk.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"

#include <cmath>

CaseWalk::CaseWalk(StatClass &owner, const long *variables, int count)
    : computation(owner), values(static_cast<size_t>(count > 0 ? count : 0), kNotComputed),
      valid(values.size(), 0)
{
    DATASET *set = computation.GetDataSet();
    if (!set) {
        ok = false;
        return;
    }
    caseCount = set->GetCaseCount();
    if (WeightRec *w = computation.GetWeight()) {
        weightList.reset(w->NewWeightList(CaseBlockWalk::WindowBytes(), &weightFailure));
        if (!weightList) {
            ok = false;
            return;
        }
        weightList->SeekCase(1, 1);
    }
    for (int i = 0; i < count; ++i) {
        lists.emplace_back(new LISTETYPE(set, variables[i], CaseBlockWalk::WindowBytes()));
        LISTETYPE &list = *lists.back();
        if (list.Error() || list.GetCaseCount() != caseCount) {
            failedVariable = variables[i];
            ok = false;
            return;
        }
        list.SeekCase(1, 1);
    }
}

CaseWalk::~CaseWalk()
{}

bool CaseWalk::Next()
{
    if (!ok)
        return false;
    SelectRec *selection = computation.GetSelection();
    while (caseNumber + 1 < caseCount) {
        ++caseNumber;
        // Every cursor steps on every case, so that they stay together.
        bool read = true;
        for (std::unique_ptr<LISTETYPE> &list : lists)
            read = list->MoveNext() && read;
        weight = 1.0;
        if (weightList) {
            read = weightList->MoveNext() && read;
            const double w = weightList->GetCurrentReal();
            weight = (weightList->IsCurrentMissing() || !std::isfinite(w) || !(w > 0.0)) ? 0.0 : w;
        }
        if (!read) {
            ok = false;
            break;
        }
        if (selection && !selection->IsCaseInForce(caseNumber))
            continue;
        if (weight == 0.0) {
            ++excluded;
            continue;
        }
        for (size_t i = 0; i < lists.size(); ++i) {
            const LISTETYPE &list = *lists[i];
            valid[i] = list.IsCurrentMissing() ? 0 : 1;
            values[i] = valid[i] ? list.GetCurrentAsReal() : kNotComputed;
        }
        return true;
    }
    if (!reported && ok) {
        reported = true;
        computation.NoteExcludedWeightCases(excluded);
    }
    return false;
}

std::string CaseWalk::FailureReason() const
{
    for (const std::unique_ptr<LISTETYPE> &list : lists)
        if (list->Error())
            return DataSetErrorText(list->Error(), list->ErrorText());
    if (weightList && weightList->Error())
        return DataSetErrorText(weightList->Error(), weightList->ErrorText());
    return weightFailure;
}

bool CaseWalk::AllValid() const
{
    for (unsigned char v : valid)
        if (!v)
            return false;
    return true;
}
