#include "analyses/MULTDIKOWIN.h"

#include "analyses/MULTFREQWIN.h"
#include "analyses/MultrespDikoOption.h"
#include "dataset/ProgramSettings.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"

#include <string>
#include <vector>

namespace {

constexpr int freqTextGroup = 5;

const MultrespDikoPage::GraphMaker graphMakers[] = {
    [](MultRespDiko *c) -> ZafWindow * { return c->Result() ? new FREQBAR(c->Result(), c->barOption) : nullptr; },
    [](MultRespDiko *c) -> ZafWindow * { return c->Result() ? new FREQPIE(c->Result(), c->pieOption) : nullptr; },
};

} // namespace

void MultRespDiko::WriteTable(TXTWIN &w)
{
    const unsigned long d = displayWord;
    const int percentDecimals = ProgramSettings::Instance()->DecimalsPct();
    const FREQOBJ *r = Result();
    const int decimals = r ? static_cast<int>(r->decimals) : 2;
    const int c = MultrespCellWidth(r, IsWeighted(), columnWidth, decimals, percentDecimals);
    const int ruleWidth = (d & multrespLabels ? labelWidth : 0) + (d & multrespCodes ? codeWidth : 0) +
                          (d & multrespCounts ? c : 0) + (d & multrespPercents ? c : 0);

    w.Clear();
    w.EndLine();
    if (d & multrespVariables) {
        for (size_t i = 0; i + 1 < variables.size(); ++i) {
            const std::string line = "V" + std::to_string(variables[i]) + " " +
                                     (i < variableTexts.size() ? variableTexts[i] : std::string());
            w.WriteString(line.c_str());
            w.EndLine();
        }
        w.EndLine();
        w.EndLine();
    }
    if (d & multrespCodes) {
        w.WriteString(
            (std::string(StatText(17, multrespTextGroup)) + ":  " + FormatValueRangeList(ranges, decimals)).c_str());
        w.EndLine();
        w.EndLine();
    }
    if (d & multrespLabels) {
        w.Left(labelWidth);
        w.WriteString(StatText(11, freqTextGroup));
    }
    w.Right(c);
    if (d & multrespCounts)
        w.WriteString(StatText(13, freqTextGroup));
    if (d & multrespPercents)
        w.WriteString(StatText(3, multrespTextGroup));
    w.EndLine();
    w.NewLine(ruleWidth);

    double countTotal = 0.0, percentTotal = 0.0;
    for (long k = 0; r && k < r->categoryCount; ++k) {
        const FreqCategory &category = r->categories[k];
        if (d & multrespLabels) {
            w.Left(labelWidth);
            w.WriteString(std::string(category.label).substr(0, labelWidth - 1).c_str());
        }
        w.Right(c);
        const double count = IsWeighted() ? category.frequency : static_cast<double>(category.count);
        if (d & multrespCounts) {
            w.SetDecimals(0);
            w.WriteReal(count);
        }
        countTotal += count;
        if (d & multrespPercents) {
            if (category.validPercent == -1.0) {
                w.WriteString("-");
            } else {
                w.SetDecimals(percentDecimals);
                w.WriteReal(category.validPercent);
                percentTotal += category.validPercent;
            }
        }
        w.EndLine();
    }
    w.NewLine(ruleWidth);
    // Percentages of each variable's own cases do not add up: no total.
    if (percentageBase != multrespOfEachVariable) {
        if (d & multrespLabels) {
            w.Left(labelWidth);
            w.WriteString(StatText(10, freqTextGroup));
        }
        w.Right(c);
        if (d & multrespCounts) {
            w.SetDecimals(decimals);
            w.WriteReal(countTotal);
        }
        if (d & multrespPercents) {
            w.SetDecimals(percentDecimals);
            w.WriteReal(percentTotal);
        }
        w.EndLine();
        w.NewLine(ruleWidth);
        w.EndLine();
        w.WriteString(GetReportHeader(caseCount));
        w.EndLine();
    }
    w.ShowText();
}

void MULTDIKOWIN::WriteResult()
{
    if (!computation)
        return;
    auto *record =
        computation->workbook ? dynamic_cast<MultrespDikoOption *>(computation->workbook->Option()) : nullptr;
    if (record) {
        const int mode = record->listwise ? 0 : 1;
        const bool userMissing = record->includeUserMissing != 0;
        const bool recount = computation->missingMode != mode || computation->includeUserMissing != userMissing;
        const bool newBase = computation->percentageBase != record->percentageBase;
        computation->displayWord = static_cast<unsigned long>(record->display);
        computation->percentageBase = static_cast<int>(record->percentageBase);
        computation->missingMode = mode;
        computation->includeUserMissing = userMissing;
        computation->columnWidth = record->ColumnWidth();
        if (recount)
            computation->Recompute();
        else if (newBase)
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
    // Departure: the variables come from list 0, the record's only list (a
    // second list, never prompted, would leave every run empty).
    ListChoice list;
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&list}, &dataSet))
        return false;
    auto *record = static_cast<MultrespDikoOption *>(Option());

    auto *barOption = new FreqbarOption;
    FreqpieOption *pieOption = record->percentageBase == multrespOfAnswers ? new FreqpieOption : nullptr;
    const GraphToolRow rows[] = {{18, freqTextGroup, "graph_hbars"}, {17, freqTextGroup, "graph_pie"}};
    StatOption *const records[] = {barOption, pieOption};
    AddGraphTools(rows, records, pieOption ? 2 : 1);

    std::vector<long> numbers;
    std::string caption;
    for (int i = 0; i < list.Count(); ++i) {
        numbers.push_back(list.Variable(i));
        caption += (i ? " v" : "v") + std::to_string(list.Variable(i));
    }
    numbers.push_back(0);

    auto *computation = new MultRespDiko(numbers.data(), static_cast<int>(record->percentageBase),
                                         record->listwise ? 0 : 1, record->countedValues, dataSet);
    computation->workbook = this;
    computation->barOption = barOption;
    computation->pieOption = pieOption;
    auto *text = new MULTDIKOWIN(StatText(2, multrespTextGroup), computation);
    auto *page = new MultrespDikoPage(caption.c_str());
    page->SetResultWindow(text);
    page->SetComputation(computation);
    text->Update();
    AddPage(page);
    return true;
}
