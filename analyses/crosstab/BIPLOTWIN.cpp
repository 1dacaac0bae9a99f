#include "analyses/crosstab/BIPLOTWIN.h"

#include "dataset/DATASET.h"
#include "stats/BiplotReg.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {
constexpr int biplotGroup = 37;
enum BiplotText {
    variableText = 4,
    meanText = 5,
    deviationText = 6,
    errorText = 7,
    rText = 10,
    tText = 11,
    pText = 12,
    interceptText = 13,
    slopeText = 14,
    explainedText = 15,
    countText = 3,
};
// The texts whose longest sets the label column.
constexpr int labelTexts[] = {1, 2, 3, 8, 9, 10, 11, 12};
constexpr int labelMargin = 2;
// Pairs needed for the means and spreads, and for the line and its test.
constexpr double meansNeed = 1.0, lineNeeds = 2.0;

int TextLength(int number)
{
    return static_cast<int>(std::strlen(StatText(number, biplotGroup)));
}

std::string VariableLabel(long number)
{
    return "V" + std::to_string(number);
}

// Raises width to the printed value plus margin when the value will print.
void Widen(int &width, double value, int decimals, int margin)
{
    if (!IsNotComputed(value))
        FormatFixed(width, value, decimals, margin);
}

} // namespace

BIPLOTWIN::BIPLOTWIN(const char *title) : TXTWIN(title ? title : "", 0, 0)
{}

BIPLOTWIN::Widths BIPLOTWIN::MeasureColumns() const
{
    const BiplotReg &b = *regression;
    Widths w;
    w.variable = TextLength(variableText);
    w.variable = std::max<int>(w.variable, static_cast<int>(VariableLabel(b.xVariable).size()));
    w.variable = std::max<int>(w.variable, static_cast<int>(VariableLabel(b.yVariable).size()));
    const int markLength = static_cast<int>(std::strlen(missingMark));
    // Each heading two blanks from the one before it, as the figures are.
    w.mean = TextLength(meanText) + labelMargin;
    w.deviation = TextLength(deviationText) + labelMargin;
    w.error = TextLength(errorText) + labelMargin;
    for (int *width : {&w.mean, &w.deviation, &w.error})
        *width = std::max(*width, markLength + labelMargin);
    Widen(w.mean, b.xMean, 2, 2);
    Widen(w.mean, b.yMean, 2, 2);
    Widen(w.deviation, b.xStandardDeviation, 2, 2);
    Widen(w.deviation, b.yStandardDeviation, 2, 2);
    Widen(w.error, b.xStandardError, 2, 2);
    Widen(w.error, b.yStandardError, 2, 2);
    for (int text : labelTexts)
        w.label = std::max(w.label, TextLength(text));
    w.label += labelMargin;
    w.value = markLength;
    Widen(w.value, b.n, 0, 0);
    Widen(w.value, b.t, 2, 0);
    Widen(w.value, b.intercept, 2, 0);
    Widen(w.value, b.slope, 2, 0);
    FormatFixed(w.value, 1.0, 4, 0);
    return w;
}

void BIPLOTWIN::WriteValue(int width, double value, int decimals, bool shown)
{
    Right(width);
    if (!shown || IsNotComputed(value)) {
        WriteString(missingMark);
        return;
    }
    SetDecimals(decimals);
    WriteDouble(value);
}

void BIPLOTWIN::WriteVariableRow(const Widths &w, long variable, double mean, double deviation, double error)
{
    const bool shown = regression->n > meansNeed;
    Left(w.variable);
    WriteString(VariableLabel(variable).c_str());
    WriteValue(w.mean, mean, 2, shown);
    WriteValue(w.deviation, deviation, 2, shown);
    WriteValue(w.error, error, 2, shown);
    Plain();
    WriteString("  ");
    char caption[128] = "";
    DATASET *dataSet = regression->GetDataSet();
    if (!dataSet || !dataSet->GetVariableCaption(variable, caption, sizeof caption))
        caption[0] = 0;
    WriteString(caption);
    EndLine();
}

void BIPLOTWIN::WriteFigure(const Widths &w, int text, double value, int decimals, int widthChange,
                            double condition)
{
    Left(w.label);
    WriteString(StatText(text, biplotGroup));
    const bool shown = regression->n > lineNeeds && !IsNotComputed(condition);
    WriteValue(w.value + widthChange, value, decimals, shown);
    EndLine();
}

void BIPLOTWIN::WriteText()
{
    Clear();
    SetCut(false);
    if (!regression)
        return;
    const BiplotReg &b = *regression;
    const Widths w = MeasureColumns();
    EndLine();
    Left(w.variable);
    WriteString(StatText(variableText, biplotGroup));
    Right(w.mean);
    WriteString(StatText(meanText, biplotGroup));
    Right(w.deviation);
    WriteString(StatText(deviationText, biplotGroup));
    Right(w.error);
    WriteString(StatText(errorText, biplotGroup));
    EndLine();
    EndLine();
    WriteVariableRow(w, b.xVariable, b.xMean, b.xStandardDeviation, b.xStandardError);
    WriteVariableRow(w, b.yVariable, b.yMean, b.yStandardDeviation, b.yStandardError);
    EndLine();
    EndLine();

    WriteFigure(w, interceptText, b.intercept, 2, 0, b.intercept);
    WriteFigure(w, slopeText, b.slope, 2, 0, b.slope);
    Plain();
    WriteString(("(X=" + VariableLabel(b.xVariable) + "  Y=" + VariableLabel(b.yVariable) + ")").c_str());
    EndLine();
    EndLine();
    WriteFigure(w, rText, b.r, 2, 0, b.r);
    WriteFigure(w, tText, b.t, 2, 0, b.t);
    WriteFigure(w, pText, b.p, 4, 2, b.t);
    const double explained = IsNotComputed(b.r) ? kNotComputed : 100.0 * b.r * b.r;
    WriteFigure(w, explainedText, explained, 1, -1, b.r);
    Left(w.label);
    WriteString(StatText(countText, biplotGroup));
    WriteValue(w.value, b.n, 2, true);
    EndLine();

    Plain();
    EndLine();
    EndLine();
    WriteString(regression->GetReportHeader(b.n));
    ShowText();
}
