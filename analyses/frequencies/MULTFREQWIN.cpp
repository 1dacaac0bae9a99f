#include "analyses/frequencies/MULTFREQWIN.h"

#include "analyses/frequencies/MultrespFreqOption.h"
#include "analyses/kit/ColumnHeading.h"
#include "dataset/ProgramSettings.h"
#include "graphs/FREQBAR.h"
#include "graphs/FREQPIE.h"
#include "graphs/FreqGraphOption.h"
#include "stats/CategoryLabelCheck.h"
#include "stats/MarkReason.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <string>
#include <vector>

namespace {

// The frequency table's texts: category, value, frequency, total.
constexpr int freqTextGroup = 5;

constexpr const char *notComputedMark = "---";

const MultrespFreqPage::GraphMaker graphMakers[] = {MultrespBarGraph<MultRespFreq>, MultrespPieGraph<MultRespFreq>};

} // namespace

ZafWindow *MultrespGraph(int kind, FREQOBJ *result, FreqbarOption *barOption, FreqpieOption *pieOption)
{
    if (!result)
        return nullptr;
    if (kind == 0)
        return new FREQBAR(result, barOption);
    return new FREQPIE(result, pieOption);
}

std::vector<long> MultrespVariables(const AnalysisBook::ListChoice &list, std::string &caption)
{
    std::vector<long> numbers;
    caption.clear();
    for (int i = 0; i < list.Count(); ++i)
        numbers.push_back(list.Variable(i));
    numbers.push_back(0);
    caption = AnalysisBook::ListCaption(numbers);
    return numbers;
}

int MultrespCellWidth(const FREQOBJ *r, bool weighted, long columnWidth, int decimals, int percentDecimals)
{
    // The record's width, widened to two more than the widest heading and
    // figure: the total count, the sum of the percentages (of cases, it
    // passes 100) and each percentage, so that no figure runs into its
    // neighbour.
    int width = static_cast<int>(columnWidth);
    auto widen = [&width](const std::string &text) { width = std::max(width, static_cast<int>(text.size()) + 2); };
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

int MultrespLabelWidth(const FREQOBJ *r)
{
    int longest = 0;
    for (long k = 0; r && k < r->categoryCount; ++k)
        longest = std::max(longest, static_cast<int>(std::strlen(r->categories[k].label)));
    longest = std::max(longest, static_cast<int>(std::strlen(StatText(11, freqTextGroup))));
    longest = std::max(longest, static_cast<int>(std::strlen(StatText(10, freqTextGroup))));
    return std::min(std::max(MultrespTableShape::labelWidth, longest + 2), MultrespTableShape::widestLabelWidth);
}

int MultRespFreq::CodeWidth(int decimals) const
{
    int width = std::max(MultrespTableShape::leastCodeWidth,
                         static_cast<int>(std::strlen(StatText(12, freqTextGroup))) + 2);
    const FREQOBJ *r = Result();
    for (long k = 0; r && k < r->categoryCount; ++k) {
        const FreqCategory &category = r->categories[k];
        const std::string code = r->realValued ? FormatFigure(category.value.real, decimals)
                                               : std::to_string(category.value.integer);
        width = std::max(width, static_cast<int>(code.size()) + 2);
    }
    return width;
}

void WriteMultrespTable(TXTWIN &w, GMultResp &table, const MultrespTableShape &shape)
{
    const unsigned long d = table.displayWord;
    const bool weighted = table.IsWeighted();
    const int percentDecimals = ProgramSettings::Instance()->DecimalsPct();
    const FREQOBJ *r = table.Result();
    const int decimals = r ? static_cast<int>(r->decimals) : 2;
    // Counts as the frequency table writes them: weighted, rows and total
    // with the weight's decimals (or the values' when they have more), since
    // weighted counts rounded to whole numbers would hide fractional weights
    // and no longer add up to their total; else whole numbers, and the total
    // with the distribution's decimals.
    const int countDecimals = weighted ? std::min(std::max(std::max(decimals, table.WeightDecimals()), 0), 15) : 0;
    // Past 15 decimals a double holds only noise.
    const int totalDecimals = weighted ? countDecimals : std::min(std::max(decimals, 0), 15);
    const int c = MultrespCellWidth(r, weighted, table.columnWidth, totalDecimals, percentDecimals);
    const bool codeColumn = shape.codeColumn && (d & multrespCodes);
    const int labelWidth = MultrespLabelWidth(r);
    const int ruleWidth = (d & multrespLabels ? labelWidth : 0) + (d & multrespCodes ? shape.codeWidth : 0) +
                          (d & multrespCounts ? c : 0) + (d & multrespPercents ? c : 0);

    // A percentage holds the mark when the weights of its base sum past
    // the largest double, a count when its own do; the footer then says why.
    bool markWritten = false;
    auto figure = [&w, &markWritten](double value, bool percent) {
        if (percent ? IsNotComputed(value) : !std::isfinite(value)) {
            w.WriteString(notComputedMark);
            markWritten = true;
        } else {
            w.WriteReal(value);
        }
    };

    w.Clear();
    w.EndLine();
    if (d & multrespVariables) {
        for (size_t i = 0; i + 1 < table.variables.size(); ++i) {
            const std::string line = "V" + std::to_string(table.variables[i]) + " " +
                                     (i < table.variableTexts.size() ? table.variableTexts[i] : std::string());
            w.WriteString(line.c_str());
            w.EndLine();
        }
        w.EndLine();
        w.EndLine();
    }
    if ((d & multrespCodes) && !shape.codeLine.empty()) {
        w.WriteString(shape.codeLine.c_str());
        w.EndLine();
        w.EndLine();
    }
    if (d & multrespLabels) {
        w.Left(labelWidth);
        w.WriteString(StatText(11, freqTextGroup));
    }
    if (codeColumn) {
        w.Right(shape.codeWidth);
        w.WriteString(StatText(12, freqTextGroup));
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
            w.WriteString(CutLabelToWidth(category.label, labelWidth - 1).c_str());
        }
        if (codeColumn) {
            w.Right(shape.codeWidth);
            if (r->realValued) {
                w.SetDecimals(decimals);
                w.WriteReal(category.value.real);
            } else {
                w.WriteInteger(category.value.integer);
            }
        }
        w.Right(c);
        if (d & multrespCounts) {
            w.SetDecimals(countDecimals);
            if (weighted)
                figure(category.frequency, false);
            else
                w.WriteInteger(category.count);
        }
        countTotal += weighted ? category.frequency : static_cast<double>(category.count);
        if (d & multrespPercents) {
            if (category.validPercent == -1.0) {
                w.WriteString("-");
            } else {
                w.SetDecimals(percentDecimals);
                figure(category.validPercent, true);
                percentTotal = IsNotComputed(category.validPercent) ? kNotComputed : percentTotal + category.validPercent;
            }
        }
        w.EndLine();
    }
    w.NewLine(ruleWidth);
    if (shape.totals) {
        if (d & multrespLabels) {
            w.Left(labelWidth);
            w.WriteString(StatText(10, freqTextGroup));
        }
        if (codeColumn) {
            w.Right(shape.codeWidth);
            w.WriteString("");
        }
        w.Right(c);
        if (d & multrespCounts) {
            w.SetDecimals(totalDecimals);
            figure(countTotal, false);
        }
        if (d & multrespPercents) {
            w.SetDecimals(percentDecimals);
            figure(percentTotal, true);
        }
        w.EndLine();
        w.NewLine(ruleWidth);
    }
    // The footer under every layout, with or without a total row: without
    // it a weighted table of percentages of each variable would not say
    // that it is weighted, nor how many cases it counts.
    w.Plain();
    w.EndLine();
    if (markWritten)
        for (const std::string &line : MarkReasonLines(WeightReasons(table.caseCount, 1), notComputedMark)) {
            w.WriteString(line.c_str());
            w.EndLine();
        }
    w.WriteString(table.GetReportHeader(table.caseCount));
    w.ShowText();
}

void MultRespFreq::WriteTable(TXTWIN &w)
{
    MultrespTableShape shape;
    shape.codeWidth = CodeWidth(Result() ? static_cast<int>(Result()->decimals) : 2);
    shape.codeColumn = true;
    WriteMultrespTable(w, *this, shape);
}

void MULTFREQWIN::WriteResult()
{
    if (!computation)
        return;
    auto *record =
        computation->workbook ? dynamic_cast<MultrespFreqOption *>(computation->workbook->Option()) : nullptr;
    if (record) {
        const int pairwise = record->listwise ? 0 : 1;
        const bool pairing = computation->pairwise != pairwise;
        computation->pairwise = pairwise;
        const MultrespChange change = TakeMultrespSettings(*computation, *record);
        if (change.base || change.userMissing || pairing)
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
    std::string caption;
    const std::vector<long> numbers = MultrespVariables(list, caption);

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
    auto *computation =
        new MultRespFreq(numbers.data(), static_cast<int>(record->percentageBase), record->listwise ? 0 : 1, dataSet);
    AddMultrespPage<MULTFREQWIN, MultrespFreqPage>(*this, computation, 1, caption, record->percentageBase);
    return true;
}
