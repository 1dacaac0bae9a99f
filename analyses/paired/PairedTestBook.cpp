#include "analyses/paired/PairedTestBook.h"

#include "shell/VariableListWindow.h"
#include "stats/MarkReason.h"
#include "stats/PairedTests.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace pairedtext {

namespace {

// Set once the page being written holds the mark: Finish then says why
// when the weights are the reason.
bool markWritten = false;

} // namespace

void Start(TXTWIN &window)
{
    markWritten = false;
    window.Clear();
    window.EndLine();
}

void Message(TXTWIN &window, int text)
{
    window.WriteString(StatText(text, pairedTestTextGroup));
    window.EndLine();
    window.ShowText();
}

bool Failed(TXTWIN &window, const StatClass &computation)
{
    if (!*computation.GetFailureText())
        return false;
    window.WriteString(computation.GetFailureText());
    window.EndLine();
    window.ShowText();
    return true;
}

void Finish(TXTWIN &window, StatClass &computation, double cases)
{
    window.EndLine();
    window.Plain();
    // Counts and ranks past the largest double, or figures of pairs that
    // weigh less than a case together, hold the mark for their weights;
    // Wilcoxon's rank sums grow with the square of the weights.
    int reasons = WeightReasons(cases, 2, 1.0);
    if (!std::isfinite(cases * cases))
        reasons |= kReasonWeightsTooLarge;
    if (markWritten)
        for (const std::string &line : MarkReasonLines(reasons, notComputedMark)) {
            window.WriteString(line.c_str());
            window.EndLine();
        }
    markWritten = false;
    window.WriteString(computation.GetReportHeader(cases));
    window.EndLine();
    window.ShowText();
}

// Only the mark itself reads as the mark: counts, rank sums and z of cases
// weighing near the largest double are figures beyond the mark's size, and
// print in exponent form from 1e15 on, like every result table's figures.
namespace {

bool IsMark(double value)
{
    return value == kNotComputed || !std::isfinite(value);
}

} // namespace

void Figure(TXTWIN &window, double value)
{
    if (IsMark(value)) {
        window.WriteString(notComputedMark);
        markWritten = true;
    } else
        window.WriteString(FormatFigure(value, window.Decimals()).c_str());
}

int FigureWidth(double value, int decimals)
{
    if (IsMark(value))
        return static_cast<int>(std::strlen(notComputedMark));
    return static_cast<int>(FormatFigure(value, decimals).size());
}

std::string Text(int number)
{
    return StatText(number, pairedTestTextGroup);
}

// The two variables' names and texts, then two line ends.
void WriteVariables(TXTWIN &w, const PairedComputation &pair)
{
    w.Right(1);
    w.WriteString((pair.firstName + "  " + pair.firstText).c_str());
    w.EndLine();
    w.WriteString((pair.secondName + "  " + pair.secondText).c_str());
    w.EndLine();
    w.EndLine();
    w.EndLine();
}

// The normal approximation: its heading, z and its two-sided probability.
void WriteNormal(TXTWIN &w, double z, double p)
{
    w.WriteString(Text(14).c_str());
    w.EndLine();
    w.SetDecimals(2);
    w.WriteString((Text(15) + " z = ").c_str());
    Figure(w, z);
    w.EndLine();
    w.SetDecimals(4);
    w.WriteString(Text(17).c_str());
    Figure(w, p);
    w.EndLine();
}

} // namespace pairedtext

PairedTestOptionWindow::PairedTestOptionWindow() : OptionWindow(1, 1)
{}

PairedTestOption::PairedTestOption(const TableDescription &description, int firstPrompt, int secondPrompt)
    : TableOption(description), prompts{firstPrompt, secondPrompt}
{}

void PairedTestOption::SetVariablePrompts(ZafWindow *)
{
    for (int prompt : prompts)
        PassTextToVariableList(prompt < 0 ? "" : StatText(prompt, pairedTestTextGroup), 1, -1);
}
