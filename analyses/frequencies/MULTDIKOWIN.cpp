#include "analyses/frequencies/MULTDIKOWIN.h"

#include "analyses/frequencies/MULTFREQWIN.h"
#include "analyses/frequencies/MultrespDikoOption.h"
#include "dataset/ProgramSettings.h"
#include "stats/StatFormat.h"

#include <string>
#include <vector>

namespace {

const MultrespDikoPage::GraphMaker graphMakers[] = {MultrespBarGraph<MultRespDiko>, MultrespPieGraph<MultRespDiko>};

// The counted values as the user gave them ("1", "2.5"): they are codes of
// the variables, not figures of the weight, whose decimals the counts take.
std::string CountedValuesText(const ValueRangeList &ranges)
{
    std::string text;
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (i > 0)
            text += ", ";
        text += FormatNumberText(ranges[i].low);
        if (ranges[i].high != ranges[i].low)
            text += "-" + FormatNumberText(ranges[i].high);
    }
    return text;
}

} // namespace

void MultRespDiko::WriteTable(TXTWIN &w)
{
    MultrespTableShape shape;
    shape.codeLine = std::string(StatText(17, multrespTextGroup)) + ":  " + CountedValuesText(ranges);
    // Percentages of each variable's own cases do not add up: no total
    // row and no footer.
    shape.totals = percentageBase != multrespOfEachVariable;
    WriteMultrespTable(w, *this, shape);
}

void MULTDIKOWIN::WriteResult()
{
    if (!computation)
        return;
    auto *record =
        computation->workbook ? dynamic_cast<MultrespDikoOption *>(computation->workbook->Option()) : nullptr;
    if (record) {
        const int mode = record->listwise ? 0 : 1;
        const bool newMode = computation->missingMode != mode;
        computation->missingMode = mode;
        const MultrespChange change = TakeMultrespSettings(*computation, *record);
        if (newMode || change.userMissing)
            computation->Recompute();
        else if (change.base)
            computation->FinishPercentages();
    }
    computation->WriteTable(*this);
}

MultrespDikoPage::MultrespDikoPage(const char *caption) : AnalysisPage(caption, graphMakers, 2)
{}

MultrespDikoBook::MultrespDikoBook(MultrespDikoOption *option) : AnalysisBook(option, 0)
{
    titleText = 2;
    titleGroup = multrespTextGroup;
}

bool MultrespDikoBook::Build(long selectionHandle)
{
    // The variables come from list 0, the record's only list (a second
    // list, never prompted, would leave every run empty).
    ListChoice list;
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&list}, &dataSet))
        return false;
    auto *record = static_cast<MultrespDikoOption *>(Option());
    std::string caption;
    const std::vector<long> numbers = MultrespVariables(list, caption);
    auto *computation = new MultRespDiko(numbers.data(), static_cast<int>(record->percentageBase),
                                         record->listwise ? 0 : 1, record->countedValues, dataSet);
    AddMultrespPage<MULTDIKOWIN, MultrespDikoPage>(*this, computation, 2, caption, record->percentageBase);
    return true;
}
