#include "analyses/paired/TtestPar.h"

#include "analyses/paired/PairedTestBook.h"
#include "analyses/paired/TtestParOption.h"
#include "dataset/DATASET.h"
#include "shell/TXTWIN.h"
#include "shell/WorkBook.h"
#include "stats/MarkReason.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr int statisticDecimals = 3;
constexpr int probabilityDecimals = 4;
// The texts of group 37 the table uses.
enum TableText {
    noVarianceText = 0,
    meanDifferenceText = 1,
    tText = 2,
    pairsText = 3,
    variableText = 4,
    meanText = 5,
    deviationText = 6,
    errorText = 7,
    oneSidedText = 8,
    twoSidedText = 9,
    rText = 10,
    tOfRText = 11,
    pOfRText = 12
};

const char *Text(int number)
{
    return StatText(number, ttestTableTextGroup);
}

int Length(int number)
{
    return static_cast<int>(std::strlen(Text(number)));
}

// The value as the table writes it (from 1e15 on in exponent form), or
// the missing mark. A mean or spread of valid values may be larger than
// the mark, so only the mark itself is taken for it.
std::string Fixed(double value, int decimals)
{
    if (value == kNotComputed || !std::isfinite(value))
        return TtestPar::missingMark;
    return FormatFigure(value, decimals);
}

int FixedLength(double value, int decimals)
{
    return static_cast<int>(Fixed(value, decimals).size());
}

// A column's width: its heading and one blank, or its two values (with 2
// decimals) and two blanks that part them from the column before.
int ColumnWidth(int heading, const double (&values)[2])
{
    return std::max({Length(heading) + 1, FixedLength(values[0], 2) + 2, FixedLength(values[1], 2) + 2});
}

void WriteRight(TXTWIN *w, int width, const std::string &text)
{
    w->Right(width);
    w->WriteString(text.c_str());
}

void WriteLeft(TXTWIN *w, int width, const char *text)
{
    w->Left(width);
    w->WriteString(text);
}

} // namespace

TtestPar::TtestPar(long first, long second, int flag, DATASET *dataSet) : GTtestPar(first, second, flag, dataSet)
{}

void TtestPar::WriteTable(TXTWIN *w)
{
    if (book)
        if (auto *record = dynamic_cast<TtestParOption *>(book->Option()))
            displayMask = static_cast<unsigned long>(record->displayMask);

    nameWidth = std::max(Length(variableText), static_cast<int>(std::to_string(firstVariable).size()) + 1);
    meanWidth = ColumnWidth(meanText, mean);
    deviationWidth = ColumnWidth(deviationText, standardDeviation);
    errorWidth = ColumnWidth(errorText, standardError);
    labelWidth = 0;
    for (int text : {meanDifferenceText, tText, pairsText, oneSidedText, twoSidedText, rText, tOfRText, pOfRText})
        labelWidth = std::max(labelWidth, Length(text));
    labelWidth += 2;
    // Under a weight the pairs are counted by their weights, as the test
    // counts them, with the weight's decimals.
    const std::string pairs = IsWeighted() ? Fixed(weightedSum, WeightDecimals()) : std::to_string(n);
    // The value column is as wide as the figures it prints at the decimals
    // it prints them with (t, r and its t with 3), so that none juts out of
    // the column.
    valueWidth = std::max({FixedLength(weightedSum, 0), FixedLength(meanDifference, statisticDecimals),
                           FixedLength(t, statisticDecimals),
                           FixedLength(1.0, probabilityDecimals), FixedLength(tOfR, statisticDecimals),
                           FixedLength(r, statisticDecimals), static_cast<int>(pairs.size())});

    w->Clear();
    w->EndLine();
    // Values that could not be read give the reason instead of a table of
    // figures that were never computed.
    if (pairedtext::Failed(*w, *this))
        return;
    WriteHeading(w);
    WriteVariableLine(w, 0);
    WriteVariableLine(w, 1);
    w->EndLine();
    WriteLabelled(w, meanDifferenceText, meanDifference, statisticDecimals, n > 0);
    WriteLeft(w, labelWidth, Text(pairsText));
    WriteRight(w, valueWidth, pairs);
    w->EndLine();
    if (error) {
        // The differences have no variance: the table ends with the reason.
        w->EndLine();
        w->Plain();
        w->WriteString(Text(noVarianceText));
        w->EndLine();
        w->EndLine();
        w->ShowText();
        return;
    }
    WriteTestLines(w);
    WriteCorrelationLines(w);
    w->EndLine();
    w->Plain();
    WriteMarkReasons(w);
    w->WriteString(GetReportHeader(weightedSum));
    w->EndLine();
    w->ShowText();
}

void TtestPar::WriteMarkReasons(TXTWIN *w)
{
    // Spreads, t and p count the weights as cases.
    const int reasons = WeightReasons(weightedSum, n, 1.0);
    for (const std::string &line : MarkReasonLines(reasons, missingMark)) {
        w->WriteString(line.c_str());
        w->EndLine();
    }
}

void TtestPar::WriteHeading(TXTWIN *w)
{
    WriteLeft(w, nameWidth, Text(variableText));
    if (displayMask & ttestMean)
        WriteRight(w, meanWidth, Text(meanText));
    if (displayMask & ttestStdDev)
        WriteRight(w, deviationWidth, Text(deviationText));
    if (displayMask & ttestStdErr)
        WriteRight(w, errorWidth, Text(errorText));
    w->EndLine();
    w->EndLine();
}

void TtestPar::WriteVariableLine(TXTWIN *w, int i)
{
    const long variable = i == 0 ? firstVariable : secondVariable;
    const std::string name = "V" + std::to_string(variable);
    WriteLeft(w, nameWidth, name.c_str());
    const bool spread = n > 1;
    if (displayMask & ttestMean)
        WriteRight(w, meanWidth, Fixed(mean[i], statisticDecimals));
    if (displayMask & ttestStdDev)
        WriteRight(w, deviationWidth, spread ? Fixed(standardDeviation[i], statisticDecimals) : missingMark);
    if (displayMask & ttestStdErr)
        WriteRight(w, errorWidth, spread ? Fixed(standardError[i], statisticDecimals) : missingMark);
    if (displayMask & ttestVariableLabel) {
        std::unique_ptr<char[]> caption(ReadVariableCaption(GetDataSet(), variable));
        w->Plain();
        w->WriteString("  ");
        w->WriteString(caption ? caption.get() : "");
    }
    w->EndLine();
}

void TtestPar::WriteTestLines(TXTWIN *w)
{
    if (!(displayMask & ttestT))
        return;
    // A t beyond the largest float (heavy weights) is a figure, not the mark.
    const bool shown = n > 1 && t != kNotComputed;
    WriteLabelled(w, tText, t, statisticDecimals, shown);
    if (displayMask & ttestOneSided)
        WriteLabelled(w, oneSidedText, OneSidedPValue(), probabilityDecimals, shown);
    if (displayMask & ttestTwoSided)
        WriteLabelled(w, twoSidedText, TwoSidedPValue(), probabilityDecimals, shown);
    w->EndLine();
}

void TtestPar::WriteCorrelationLines(TXTWIN *w)
{
    if (!(displayMask & ttestCorrelation))
        return;
    // Over weights summing past the largest double t of r has no figure
    // but its p is 0.
    const double p = CorrelationPValue(true);
    WriteLabelled(w, rText, r, statisticDecimals, n > 2);
    WriteLabelled(w, tOfRText, tOfR, statisticDecimals, n > 2 && tOfR != kNotComputed);
    WriteLabelled(w, pOfRText, p, probabilityDecimals, n > 2 && p != kNotComputed);
}

void TtestPar::WriteLabelled(TXTWIN *w, int text, double value, int decimals, bool shown)
{
    WriteLeft(w, labelWidth, Text(text));
    WriteRight(w, valueWidth, shown ? Fixed(value, decimals) : missingMark);
    w->EndLine();
}
