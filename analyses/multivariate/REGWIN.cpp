#include "analyses/multivariate/REGWIN.h"

#include "analyses/multivariate/MultregOption.h"
#include "analyses/multivariate/Regresjon.h"
#include "dataset/DATASET.h"
#include "shell/WorkBook.h"
#include "stats/MarkReason.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <memory>

namespace {

const char *Msg(int number)
{
    return StatText(number, multregTextGroup);
}

} // namespace

REGWIN::REGWIN(const char *title) : TXTWIN(title, 0)
{}

void REGWIN::Cell(int width, const char *text)
{
    Right(width);
    WriteString(text);
}

namespace {

// A figure beyond the largest float (t or F over heavy weights) is a figure
// all the same, not the mark: it prints in exponent form.
bool BeyondTheMark(double value)
{
    return std::isfinite(value) && value != kNotComputed && IsNotComputed(value);
}

} // namespace

void REGWIN::Cell(int width, double value, int decimals)
{
    Right(width);
    if (BeyondTheMark(value)) {
        WriteString(FormatFigure(value, decimals).c_str());
        return;
    }
    SetDecimals(decimals);
    WriteReal(value);
}

void REGWIN::Label(int width, const char *text)
{
    Left(width);
    WriteString(text);
}

int REGWIN::Printed(double value, int decimals)
{
    if (BeyondTheMark(value))
        return static_cast<int>(FormatFigure(value, decimals).size());
    if (IsNotComputed(value))
        return 3; // "***"
    char digits[352];
    return std::snprintf(digits, sizeof digits, "%.*f", decimals, value);
}

void REGWIN::WriteMarkReasons(const RegModelStep &step)
{
    // The regression was computed, so its records are more than the
    // coefficients: weights summing to no more cases than that are too
    // small to count.
    const double needed = step.inEquation + 1.0;
    const int reasons = WeightReasons(step.n, static_cast<long>(needed) + 1, needed);
    Plain();
    for (const std::string &line : MarkReasonLines(reasons, "***")) {
        WriteString(line.c_str());
        EndLine();
    }
    if (reasons)
        EndLine();
}

void REGWIN::WidenColumns(const RegModelStep &step)
{
    // Each column two wider than the widest figure it prints, at the
    // decimals it prints them with, so that figures stand two blanks apart.
    Regresjon &r = *regression;
    const struct
    {
        int column;
        const std::vector<double> &values;
        int decimals;
    } columns[] = {{Regresjon::bColumn, step.b, 3},    {Regresjon::seColumn, step.seB, 3},
                   {Regresjon::betaColumn, step.beta, 3}, {Regresjon::tColumn, step.t, 3},
                   {Regresjon::pColumn, step.p, 4},    {Regresjon::toleranceColumn, step.tolerance, 2}};
    for (const auto &c : columns)
        for (int row = 1; row <= step.rows && row < static_cast<int>(c.values.size()); ++row)
            r.columnWidths[c.column] =
                std::max(r.columnWidths[c.column], Printed(c.values[static_cast<size_t>(row)], c.decimals) + 2);
}

int REGWIN::LabelWidth(const RegModelStep &step) const
{
    int width = 5;
    for (int row = 1; row <= step.rows && row < static_cast<int>(step.rowVariable.size()); ++row)
        width = std::max(width, static_cast<int>(("V" + std::to_string(step.rowVariable[static_cast<size_t>(row)])).size()) + 1);
    return width;
}

int REGWIN::SummaryLabelWidth()
{
    // At least 20, and one wider than the longest label, so that a longer
    // label does not run into its figure.
    int width = 20;
    for (int text : {9, 10, 11, 12, 13, 14, 16})
        width = std::max(width, static_cast<int>(std::strlen(Msg(text))) + 1);
    return width;
}

int REGWIN::SummaryWidth(const RegModelStep &step) const
{
    // The figures under the table share the B column's width, widened to
    // the constant, the summary figures and the number of cases.
    int width = regression->columnWidths[Regresjon::bColumn];
    if (!step.b.empty())
        width = std::max(width, Printed(step.b[0], 3) + 1);
    const int decimals[5] = {2, 2, 2, 2, 4};
    for (int s = 0; s < 5; ++s)
        width = std::max(width, Printed(step.summary[s], decimals[s]) + 1);
    return std::max(width, Printed(step.n, 0) + 1);
}

void REGWIN::WriteResult()
{
    if (!regression) {
        Clear();
        ShowText();
        return;
    }
    Regresjon &r = *regression;
    auto *record = r.book ? dynamic_cast<MultregOption *>(r.book->Option()) : nullptr;
    if (record) {
        const bool recompute = record->missingDeletion != r.missingDeletion || record->method != r.method ||
                               (r.method == multregForward && record->PIn() != r.pIn) ||
                               (r.method == multregBackward && record->POut() != r.pOut);
        if (recompute) {
            r.FreeResults();
            r.SetParameters(static_cast<int>(record->method), static_cast<int>(record->missingDeletion), record->PIn(),
                            record->POut(), static_cast<unsigned long>(record->tableDisplay));
            r.ComputeCorrelationMatrix();
        }
        r.displayMask = static_cast<unsigned long>(record->tableDisplay);
    }
    // A regression that reports success without a model step has nothing
    // to tabulate: it is written as a failure, not read past its steps.
    if (r.status != 0 || !r.LastStep())
        WriteFailure();
    else
        WriteModel();
}

void REGWIN::WriteFailure()
{
    Clear();
    for (int &width : regression->columnWidths)
        width = 0;
    Plain();
    EndLine();
    WriteString(CorrelationKindText(regression->status));
    if (regression->status == 8) {
        WriteString((" (V" + std::to_string(regression->failedVariable) + ")").c_str());
        EndLine();
        WriteString(StatText(6, 34));
    }
    if (*regression->GetFailureText()) {
        // The cases could not be read: the file, variable and case.
        EndLine();
        WriteString(regression->GetFailureText());
    }
    EndLine();
    EndLine();
    WriteString(Msg(21));
    EndLine();
    ShowText();
}

void REGWIN::WriteModel()
{
    Regresjon &r = *regression;
    const RegModelStep &step = *r.LastStep();
    const unsigned long mask = r.displayMask;
    const int *w = r.columnWidths;
    r.ComputeColumnWidths(0, r.StepCount() - 1);
    WidenColumns(step);
    const int labelWidth = LabelWidth(step);
    Clear();
    Plain();
    if (r.method == multregForward && step.inEquation == 0) {
        EndLine();
        EndLine();
        WriteString(Msg(15));
        EndLine();
        ShowText();
        return;
    }
    EndLine();
    {
        std::unique_ptr<char[]> caption(ReadVariableCaption(r.GetDataSet(), step.dependentVariable));
        char line[256];
        std::snprintf(line, sizeof line, "%s:  V%-5i   %s", Msg(1), static_cast<int>(step.dependentVariable),
                      caption.get());
        WriteString(line);
    }
    EndLine();
    EndLine();

    Label(labelWidth, "");
    if (mask & multregB)
        Cell(w[Regresjon::bColumn], Msg(4));
    if (mask & multregSeB)
        Cell(w[Regresjon::seColumn], Msg(5));
    if (mask & multregBeta)
        Cell(w[Regresjon::betaColumn], Msg(6));
    if (mask & multregT) {
        Cell(w[Regresjon::tColumn], Msg(7));
        Cell(w[Regresjon::pColumn], Msg(8));
    }
    if (mask & multregTolerance)
        Cell(w[Regresjon::toleranceColumn], Msg(17));
    Label(2, "");
    Label(20, Msg(2));
    EndLine();
    EndLine();

    for (int row = 1; row <= step.rows; ++row) {
        const auto i = static_cast<size_t>(row);
        if (row == step.inEquation + 1) {
            Plain();
            EndLine();
            WriteString(Msg(18));
            EndLine();
            EndLine();
        }
        Label(labelWidth, ("V" + std::to_string(step.rowVariable[i])).c_str());
        const bool noT = step.t[i] == kNotComputed;
        if (mask & multregB)
            Cell(w[Regresjon::bColumn], step.b[i], 3);
        if (mask & multregSeB)
            Cell(w[Regresjon::seColumn], step.seB[i], 3);
        if (mask & multregBeta)
            Cell(w[Regresjon::betaColumn], step.beta[i], 3);
        if (mask & multregT) {
            // Over weights summing past the largest double t has no
            // figure but p is 0.
            if (noT)
                Cell(w[Regresjon::tColumn], "***");
            else
                Cell(w[Regresjon::tColumn], step.t[i], 3);
            if (step.p[i] == kNotComputed)
                Cell(w[Regresjon::pColumn], "***");
            else
                Cell(w[Regresjon::pColumn], step.p[i], 4);
        }
        if (mask & multregTolerance)
            Cell(w[Regresjon::toleranceColumn], step.tolerance[i], 2);
        Label(2, " ");
        std::unique_ptr<char[]> caption(ReadVariableCaption(r.GetDataSet(), step.rowVariable[i]));
        Label(20, caption.get());
        EndLine();
    }
    Plain();
    EndLine();

    const int bWidth = SummaryWidth(step);
    const int summaryLabel = SummaryLabelWidth();
    if (step.inEquation > 0) {
        Label(summaryLabel, Msg(9));
        Cell(bWidth, step.b[0], 3);
        EndLine();
        EndLine();
        for (int s = 0; s < 3; ++s) {
            Label(summaryLabel, Msg(10 + s));
            Cell(bWidth, step.summary[s], 2);
            EndLine();
        }
        EndLine();
        const bool noF = step.summary[3] == kNotComputed;
        Label(summaryLabel, Msg(13));
        if (noF)
            Cell(bWidth, "***");
        else
            Cell(bWidth, step.summary[3], 2);
        EndLine();
        Label(summaryLabel, Msg(14));
        // p has a figure of its own when F lies beyond the largest float
        // (heavy weights): F's mark does not hide it.
        if (step.summary[4] == kNotComputed)
            Cell(bWidth, "***");
        else
            Cell(bWidth, step.summary[4], 4);
        EndLine();
    }
    Plain();
    EndLine();
    // The number of cases stands once: in the report footer, or here when
    // the footer is switched off. A second count, rounded otherwise than
    // the footer's weighted one, would contradict it.
    const char *report = r.GetReportHeader(step.n);
    if (!*report) {
        Label(summaryLabel, Msg(16));
        Cell(bWidth, step.n, 0);
        EndLine();
    }

    WriteMarkReasons(step);
    Plain();
    WriteString(Msg(34));
    WriteString(": ");
    WriteString(Msg(r.missingDeletion == multregListwise ? 36 : 35));
    EndLine();
    WriteString(Msg(28));
    WriteString(": ");
    char limit[64];
    switch (r.method) {
    case multregForward:
        std::snprintf(limit, sizeof limit, "%s    %s: %.3f", Msg(30), Msg(32), r.pIn);
        WriteString(limit);
        break;
    case multregBackward:
        std::snprintf(limit, sizeof limit, "%s    %s: %.3f", Msg(31), Msg(33), r.pOut);
        WriteString(limit);
        break;
    default:
        WriteString(Msg(29));
        break;
    }
    EndLine();
    if (*report) {
        WriteString(report);
        EndLine();
    }
    ShowText();
}
