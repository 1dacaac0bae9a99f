// The descriptive statistics table (MeanObj::WriteMeanTable): one line per
// statistic of the mask, its label padded to the label column and its value
// right-aligned in the value column, both columns as wide as their widest
// entry (the value column at least 12 and two more than its widest figure,
// the label column at least 20 when the mean is shown).
#include "stats/MeanObj.h"

#include "dataset/DATASET.h"
#include "shell/TXTWIN.h"
#include "stats/MarkReason.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

// The display mask's bits.
enum MeanBit : unsigned long {
    meanMean = 0x001,
    meanCount = 0x002,
    meanSum = 0x004,
    meanMinMax = 0x008,
    meanDeviation = 0x010,
    meanInterval95 = 0x020,
    meanInterval99 = 0x040,
    meanShape = 0x080,
    meanMedian = 0x100,
    meanQuartiles = 0x200,
};

// When a line shows its value rather than the mark. The figures that are
// values of the data (mean, sum, extremes, quantiles) and the spread are
// told by the counts alone, since a valid value may be as large as the
// largest double; only the shape figures carry the not-computed mark.
enum Condition { anyCase, spread, quantile, computed, countLine };

struct Row
{
    unsigned long bit;
    int label; // text number in the group
    Condition condition;
    double (*value)(const DescriptiveRecord &);
};

const double *Summary(const DescriptiveRecord &r)
{
    return r.QuantileSummary();
}
double Quantile(const DescriptiveRecord &r, int i)
{
    return Summary(r) ? Summary(r)[i] : kNotComputed;
}

// In the order of the table.
const Row rows[] = {
    {meanMean, 9, anyCase, [](const DescriptiveRecord &r) { return r.mean; }},
    {meanSum, 31, anyCase, [](const DescriptiveRecord &r) { return r.sum; }},
    {meanMinMax, 10, anyCase, [](const DescriptiveRecord &r) { return r.minimum; }},
    {meanMinMax, 11, anyCase, [](const DescriptiveRecord &r) { return r.maximum; }},
    {meanCount, 33, countLine, nullptr},
    {meanDeviation, 12, spread, [](const DescriptiveRecord &r) { return r.standardDeviation; }},
    {meanInterval95, 14, spread, [](const DescriptiveRecord &r) { return r.lower95; }},
    {meanInterval95, 15, spread, [](const DescriptiveRecord &r) { return r.upper95; }},
    {meanInterval99, 13, spread, [](const DescriptiveRecord &r) { return r.lower99; }},
    {meanInterval99, 16, spread, [](const DescriptiveRecord &r) { return r.upper99; }},
    {meanQuartiles, 19, quantile, [](const DescriptiveRecord &r) { return Quantile(r, 0); }},
    {meanMedian, 28, quantile, [](const DescriptiveRecord &r) { return Quantile(r, 1); }},
    {meanQuartiles, 20, quantile, [](const DescriptiveRecord &r) { return Quantile(r, 2); }},
    {meanShape, 17, computed, [](const DescriptiveRecord &r) { return r.skewness; }},
    {meanShape, 18, computed, [](const DescriptiveRecord &r) { return r.kurtosis; }},
};
constexpr int rowCount = static_cast<int>(sizeof rows / sizeof rows[0]);

const char missingMark[] = "*** ";
constexpr int minimumValueWidth = 12, meanLabelFloor = 20, columnGap = 2, valueDecimals = 2;
constexpr int meanLabel = 9;

// True when the line's figure was computed: a value, not the mark. A
// figure beyond the largest double (a sum that overflowed) is not shown.
bool Shows(const Row &row, const DescriptiveRecord &r, double value)
{
    if (!std::isfinite(value))
        return false;
    switch (row.condition) {
    case anyCase:
        return r.count != 0;
    case spread:
        // Weights are counts: the spread needs a summed weight above 1, so
        // one case of weight 5 has a spread of 0 and limits at its mean. A
        // record may also carry the mark itself, which no spread equals but
        // by chance.
        return r.count >= 1 && r.weightedCount > 1.0 && value != kNotComputed;
    case quantile:
        return r.count >= 1 && r.weightedCount > 1.0 && r.QuantileSummary() != nullptr;
    case computed:
        return !IsNotComputed(value);
    case countLine:
        return true;
    }
    return false;
}

} // namespace

namespace {

// Cases weighing less than two together leave the spread "***": the line
// that says it is for their weights (past the largest double the count line
// says so itself).
void WriteWeightReasons(TXTWIN &window, const DescriptiveRecord &r)
{
    const int reasons = WeightReasons(r.weightedCount, r.count, 1.0) & ~kReasonWeightsTooLarge;
    for (const std::string &line : MarkReasonLines(reasons, "***")) {
        window.WriteString(line.c_str());
        window.EndLine();
    }
}

} // namespace

void MeanObj::WriteMeanTable(MeanObj &computation, TXTWIN &window, int textGroup)
{
    const DescriptiveRecord &r = computation.record;
    const unsigned long mask = computation.statisticsMask;

    // The labels are copied: another group's lookup may replace the texts.
    std::string labels[rowCount];
    for (int i = 0; i < rowCount; ++i)
        labels[i] = StatText(rows[i].label, textGroup);

    // Each shown line's text as written, so that the value column is as
    // wide as its widest figure (a weighted N of four decimals included).
    // Figures of 1e15 and more take the exponent form (FormatFigure), as
    // the crosstab's do: a value near the largest double would otherwise
    // print 309 digits.
    std::string cells[rowCount];
    for (int i = 0; i < rowCount; ++i) {
        const Row &row = rows[i];
        if (!(mask & row.bit))
            continue;
        if (row.condition == countLine) {
            if (computation.IsWeighted() && r.weightedCount != 0.0)
                cells[i] = FormatCount(r.weightedCount, computation.WeightDecimals());
            else if (!computation.IsWeighted() && r.count > 0)
                cells[i] = std::to_string(r.count);
            else
                cells[i] = missingMark;
            continue;
        }
        const double value = row.value(r);
        cells[i] = Shows(row, r, value) ? FormatFigure(value, valueDecimals) : std::string(missingMark);
    }
    // The value column also holds the sum, shown or not, so that tables of
    // one variable line up whatever their mask.
    int valueWidth = minimumValueWidth;
    if (r.count != 0 && std::isfinite(r.sum))
        valueWidth = std::max(valueWidth, static_cast<int>(FormatFigure(r.sum, valueDecimals).size()) + columnGap);
    for (int i = 0; i < rowCount; ++i)
        valueWidth = std::max(valueWidth, static_cast<int>(cells[i].size()) + columnGap);
    int labelWidth = 0;
    if (mask & meanMean)
        labelWidth = std::max(meanLabelFloor, static_cast<int>(std::strlen(StatText(meanLabel, textGroup))));
    for (int i = 0; i < rowCount; ++i)
        if (mask & rows[i].bit)
            labelWidth = std::max(labelWidth, static_cast<int>(labels[i].size()));

    window.Clear();
    window.EndLine();
    window.Plain();
    char caption[160] = "";
    if (DATASET *set = computation.GetDataSet())
        set->GetVariableCaption(computation.variableNumber, caption, sizeof caption);
    char title[200];
    std::snprintf(title, sizeof title, "V%ld %s", computation.variableNumber, caption);
    window.WriteString(title);
    window.EndLine();
    window.EndLine();
    if (*computation.GetFailureText()) {
        // No table and no case count under it: only why there is none.
        window.WriteString(computation.GetFailureText());
        window.EndLine();
        window.ShowText();
        return;
    }

    for (int i = 0; i < rowCount; ++i) {
        if (!(mask & rows[i].bit))
            continue;
        window.Left(labelWidth + columnGap);
        window.WriteString(labels[i].c_str());
        window.Right(valueWidth);
        window.WriteString(cells[i].c_str());
        window.EndLine();
    }
    window.Plain();
    window.EndLine();
    WriteWeightReasons(window, r);
    const char *report = computation.GetReportHeader(r.weightedCount);
    if (report && *report) {
        window.WriteString(report);
        window.EndLine();
    }
    if (*computation.GetOmittedText()) {
        window.WriteString(computation.GetOmittedText());
        window.EndLine();
    }
    window.ShowText();
}
