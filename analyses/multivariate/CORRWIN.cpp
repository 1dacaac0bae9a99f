#include "analyses/multivariate/CORRWIN.h"

#include "analyses/multivariate/CorrOption.h"
#include "shell/WorkBook.h"

#include "dataset/DATASET.h"
#include "stats/CorrObj.h"
#include "stats/MarkReason.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <string>

namespace {
constexpr int corrGroup = 35, errorGroup = 34, missingGroup = 33;
constexpr int failedText = 13, notComputedText = 17;
constexpr int removeVariableText = 6;
constexpr int missingValuesText = 34, pairwiseText = 35, listwiseText = 36;
constexpr int noVarianceCode = 8;

std::string VariableLabel(long number)
{
    return "V" + std::to_string(number);
}
} // namespace

CORRWIN::CORRWIN(const char *title, CorrObj *object, WorkBook *workbook)
    : TXTWIN(title, 0, 0), computation(object), book(workbook)
{}

void CORRWIN::WriteResult()
{
    auto *record = book ? dynamic_cast<CorrOption *>(book->Option()) : nullptr;
    if (record && computation) {
        const int mode = static_cast<int>(record->missingMode);
        if (mode != computation->missingMode) {
            computation->FreeResults();
            computation->missingMode = mode;
            computation->Compute();
        }
        computation->displayWord = static_cast<unsigned long>(record->displayWord);
    }
    WriteTable();
}

void CORRWIN::WriteTable()
{
    Clear();
    SetCut(false);
    if (!computation)
        return;
    if (computation->errorCode != 0) {
        WriteError();
        ShowText();
        return;
    }
    const std::uint32_t word = static_cast<std::uint32_t>(computation->displayWord);
    const int n = computation->variableCount;
    const bool full = (word & displayFull) != 0;
    const std::size_t cells = static_cast<std::size_t>(n) * static_cast<std::size_t>(n);
    const bool marks = (word & displayMarks) && computation->pValues.size() >= cells;
    if (word & displayCaptions)
        WriteCaptions();
    EndLine();
    WriteHeading(marks);
    if (computation->coefficients.size() >= cells)
        for (int i = 0; i < n; ++i)
            WriteRow(i, full, marks);
    if (marks)
        WriteLegend();
    WriteFooter();
    ShowText();
}

void CORRWIN::WriteError()
{
    EndLine();
    WriteString(CorrelationKindText(computation->errorCode));
    if (computation->errorCode == noVarianceCode) {
        WriteString(" (V");
        WriteInteger(computation->errorVariable);
        WriteString(")");
        EndLine();
        WriteString(StatText(removeVariableText, errorGroup));
    }
    if (*computation->GetFailureText()) {
        // The cases could not be read: the file, variable and case.
        EndLine();
        WriteString(computation->GetFailureText());
    }
    EndLine();
    EndLine();
    WriteString(StatText(failedText, corrGroup));
    EndLine();
}

void CORRWIN::WriteCaptions()
{
    EndLine();
    DATASET *dataSet = computation->GetDataSet();
    for (int k = 0; k < computation->variableCount; ++k) {
        char caption[128] = "";
        if (!dataSet || !dataSet->GetVariableCaption(computation->variables[k], caption, sizeof caption))
            caption[0] = 0;
        WriteString((VariableLabel(computation->variables[k]) + " " + caption).c_str());
        EndLine();
    }
    EndLine();
}

void CORRWIN::WriteHeading(bool marks)
{
    Left(cellWidth);
    WriteString("");
    for (int j = 0; j < computation->variableCount; ++j) {
        Right(cellWidth);
        WriteString(VariableLabel(computation->variables[j]).c_str());
        if (marks) {
            Left(markWidth + 1);
            WriteString("");
        }
    }
    EndLine();
    EndLine();
}

void CORRWIN::WriteRow(int i, bool full, bool marks)
{
    Left(cellWidth);
    WriteString(VariableLabel(computation->variables[i]).c_str());
    for (int j = 0; j < computation->variableCount && (full || j < i); ++j) {
        if (j == i) {
            Right(cellWidth + (marks ? markWidth + 1 : 0));
            WriteString("");
            continue;
        }
        Right(cellWidth);
        const double r = computation->Coefficient(i, j);
        if (IsNotComputed(r)) {
            WriteString("---");
        } else {
            SetDecimals(decimals);
            WriteDouble(r);
        }
        if (marks) {
            Right(markWidth);
            WriteString(SignificanceMarkByP(computation->PValue(i, j)));
            Plain();
            WriteString(" ");
        }
    }
    EndLine();
}

void CORRWIN::WriteLegend()
{
    Plain();
    EndLine();
    WriteString("+: p<0.05   *: p<0.01   !: p<0.001   -:");
    WriteString(StatText(notComputedText, corrGroup));
    EndLine();
}

void CORRWIN::WriteMarkReasons(bool listwise)
{
    // The p of a coefficient counts the weights as cases: with the cases of
    // an entry weighing two cases or less together its mark is "-" for a
    // reason that the footer gives.
    const CorrelationResult &r = computation->result;
    int reasons = 0;
    if (listwise) {
        reasons = WeightReasons(r.listwiseWeight, r.listwiseCount, 2.0);
    } else {
        for (size_t e = 0; e < r.count.size() && e < r.weightedCount.size(); ++e)
            reasons |= WeightReasons(r.weightedCount[e], r.count[e], 2.0);
    }
    // Past the largest double p is 0 and the count line says why.
    reasons &= ~kReasonWeightsTooLarge;
    for (const std::string &line : MarkReasonLines(reasons, "-")) {
        WriteString(line.c_str());
        EndLine();
    }
    if (reasons)
        EndLine();
}

void CORRWIN::WriteFooter()
{
    Plain();
    EndLine();
    EndLine();
    const bool listwise = computation->missingMode == CorrObj::kListwise;
    WriteMarkReasons(listwise);
    WriteString(StatText(missingValuesText, missingGroup));
    WriteString(": ");
    WriteString(StatText(listwise ? listwiseText : pairwiseText, missingGroup));
    EndLine();
    EndLine();
    if (!listwise) {
        // Each coefficient rests on its own pairs: no one count, but the
        // weight, the selection and the cases left out still apply.
        const char *filter = computation->GetReportFilter();
        if (*filter) {
            WriteString(filter);
            EndLine();
        }
        return;
    }
    // The listwise cases as every other page counts them: their sum of
    // weights under a weight, their number without one.
    double cases = computation->counts.empty() ? 0.0 : static_cast<double>(computation->counts[0]);
    if (computation->IsWeighted())
        cases = computation->result.listwiseWeight;
    WriteString(computation->GetReportHeader(cases));
    EndLine();
}
