#include "analyses/MULTFREQWIN.h"

#include "analyses/MultrespFreqOption.h"
#include "dataset/ProgramSettings.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"
#include "stats/CategoryLabelCheck.h"
#include "stats/StatFormat.h"

#include <algorithm>
#include <cstring>

#include <string>
#include <vector>

namespace {

// The frequency table's texts: category, value, frequency, total.
constexpr int freqTextGroup = 5;

const MultrespFreqPage::GraphMaker graphMakers[] = {
    [](MultRespFreq *c) -> ZafWindow * { return c->Result() ? new FREQBAR(c->Result(), c->barOption) : nullptr; },
    [](MultRespFreq *c) -> ZafWindow * { return c->Result() ? new FREQPIE(c->Result(), c->pieOption) : nullptr; },
};

} // namespace

int MultrespCellWidth(const FREQOBJ *r, bool weighted, long columnWidth, int decimals, int percentDecimals)
{
    // The record's width, widened to one more than the widest heading and
    // figure: the total count, the sum of the percentages (of cases, it
    // passes 100) and each percentage.
    int width = static_cast<int>(columnWidth);
    auto widen = [&width](const std::string &text) { width = std::max(width, static_cast<int>(text.size()) + 1); };
    widen(StatText(13, freqTextGroup));
    widen(StatText(3, multrespTextGroup));
    double total = 0.0, percentTotal = 0.0;
    for (long k = 0; r && k < r->categoryCount; ++k) {
        const FreqCategory &category = r->categories[k];
        total += weighted ? category.frequency : static_cast<double>(category.count);
        if (category.validPercent != -1.0) {
            percentTotal += category.validPercent;
            widen(FormatFigure(category.validPercent, percentDecimals));
        }
    }
    widen(FormatFigure(total, decimals));
    widen(FormatFigure(100.0, percentDecimals));
    widen(FormatFigure(percentTotal, percentDecimals));
    return width;
}

int MultRespFreq::CodeWidth(int decimals) const
{
    int width = std::max(static_cast<int>(codeWidth), static_cast<int>(std::strlen(StatText(12, freqTextGroup))) + 1);
    const FREQOBJ *r = Result();
    for (long k = 0; r && k < r->categoryCount; ++k) {
        const FreqCategory &category = r->categories[k];
        const std::string code = r->realValued ? FormatFigure(category.value.real, decimals)
                                               : std::to_string(category.value.integer);
        width = std::max(width, static_cast<int>(code.size()) + 1);
    }
    return width;
}

void MultRespFreq::WriteTable(TXTWIN &w)
{
    const unsigned long d = displayWord;
    const int percentDecimals = ProgramSettings::Instance()->DecimalsPct();
    const FREQOBJ *r = Result();
    const int decimals = r ? static_cast<int>(r->decimals) : 2;
    const int c = MultrespCellWidth(r, IsWeighted(), columnWidth, decimals, percentDecimals);
    const int codeWidth = CodeWidth(decimals);
    const int ruleWidth = (d & multrespLabels ? labelWidth : 0) + (d & multrespCodes ? codeWidth : 0) +
                          (d & multrespCounts ? c : 0) + (d & multrespPercents ? c : 0);

    w.Clear();
    w.EndLine();
    w.Plain();
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
    if (d & multrespLabels) {
        w.Left(labelWidth);
        w.WriteString(StatText(11, freqTextGroup));
    }
    if (d & multrespCodes) {
        w.Right(codeWidth);
        w.WriteString(StatText(12, freqTextGroup));
    }
    w.Right(c);
    if (d & multrespCounts)
        w.WriteString(StatText(13, freqTextGroup));
    if (d & multrespPercents)
        w.WriteString(StatText(3, multrespTextGroup));
    w.EndLine();
    w.NewLine(ruleWidth);

    double frequencyTotal = 0.0, percentTotal = 0.0;
    for (long k = 0; r && k < r->categoryCount; ++k) {
        const FreqCategory &category = r->categories[k];
        if (d & multrespLabels) {
            w.Left(labelWidth);
            w.WriteString(std::string(category.label).substr(0, labelWidth - 1).c_str());
        }
        if (d & multrespCodes) {
            w.Right(codeWidth);
            if (r->realValued) {
                w.SetDecimals(decimals);
                w.WriteReal(category.value.real);
            } else {
                w.WriteInteger(category.value.integer);
            }
        }
        w.Right(c);
        const double frequency = IsWeighted() ? category.frequency : static_cast<double>(category.count);
        if (d & multrespCounts) {
            w.SetDecimals(0);
            if (IsWeighted())
                w.WriteReal(frequency);
            else
                w.WriteInteger(category.count);
        }
        frequencyTotal += frequency;
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
    if (d & multrespLabels) {
        w.Left(labelWidth);
        w.WriteString(StatText(10, freqTextGroup));
    }
    if (d & multrespCodes) {
        w.Right(codeWidth);
        w.WriteString("");
    }
    w.Right(c);
    if (d & multrespCounts) {
        w.SetDecimals(decimals);
        w.WriteReal(frequencyTotal);
    }
    if (d & multrespPercents) {
        w.SetDecimals(percentDecimals);
        w.WriteReal(percentTotal);
    }
    w.EndLine();
    w.NewLine(ruleWidth);
    w.SetDecimals(decimals);
    w.EndLine();
    w.WriteString(GetReportHeader(caseCount));
    w.EndLine();
    w.ShowText();
}

void MULTFREQWIN::WriteResult()
{
    if (!computation)
        return;
    auto *record =
        computation->workbook ? dynamic_cast<MultrespFreqOption *>(computation->workbook->Option()) : nullptr;
    if (record) {
        const int pairwise = record->listwise ? 0 : 1;
        const bool userMissing = record->includeUserMissing != 0;
        const bool stale = computation->percentageBase != record->percentageBase || computation->pairwise != pairwise ||
                           computation->includeUserMissing != userMissing;
        computation->displayWord = static_cast<unsigned long>(record->display);
        computation->percentageBase = static_cast<int>(record->percentageBase);
        computation->pairwise = pairwise;
        computation->includeUserMissing = userMissing;
        computation->columnWidth = record->ColumnWidth();
        if (stale)
            computation->Recompute();
    }
    computation->WriteTable(*this);
}

MultrespFreqPage::MultrespFreqPage(const char *caption) : AnalysisPage(caption, graphMakers, 2)
{}

MultrespFreqBook::MultrespFreqBook(MultrespFreqOption *option) : AnalysisBook(option, 0)
{}

bool MultrespFreqBook::Build(long selectionHandle)
{
    ListChoice list;
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&list}, &dataSet))
        return false;
    auto *record = static_cast<MultrespFreqOption *>(Option());

    std::vector<long> numbers;
    std::string caption;
    for (int i = 0; i < list.Count(); ++i) {
        numbers.push_back(list.Variable(i));
        caption += (i ? " v" : "v") + std::to_string(list.Variable(i));
    }
    numbers.push_back(0);

    int reason = 0;
    if (!HaveSameCategoryLabels(numbers.data(), dataSet, &reason)) {
        auto *text = new TXTWIN(StatText(1, multrespTextGroup), 0);
        text->EndLine();
        text->WriteString(StatText(38, multrespTextGroup));
        text->EndLine();
        text->WriteString(StatText(reason >= 1 && reason <= 3 ? 34 + reason : 38, multrespTextGroup));
        text->EndLine();
        text->ShowText();
        auto *page = new Page(caption.c_str());
        page->SetResultWindow(text);
        AddPage(page);
        return true;
    }

    titleText = 1;
    titleGroup = multrespTextGroup;
    auto *barOption = new FreqbarOption;
    FreqpieOption *pieOption = record->percentageBase == multrespOfAnswers ? new FreqpieOption : nullptr;
    const GraphToolRow rows[] = {{18, freqTextGroup, "graph_hbars"}, {17, freqTextGroup, "graph_pie"}};
    StatOption *const records[] = {barOption, pieOption};
    AddGraphTools(rows, records, pieOption ? 2 : 1);

    auto *computation =
        new MultRespFreq(numbers.data(), static_cast<int>(record->percentageBase), record->listwise ? 0 : 1, dataSet);
    computation->workbook = this;
    computation->barOption = barOption;
    computation->pieOption = pieOption;
    auto *text = new MULTFREQWIN(StatText(1, multrespTextGroup), computation);
    auto *page = new MultrespFreqPage(caption.c_str());
    page->SetResultWindow(text);
    page->SetComputation(computation);
    text->Update();
    AddPage(page);
    return true;
}
