// The texts of the breakdown's tests: the analysis-of-variance table
// (AnovaResult::WriteTable) and the blocks of the pairwise comparisons
// (SignObj::ShowInWindow), as a list of pairs or as a group-by-group matrix
// of significance marks. A figure that cannot be computed (a group of one
// case, no spread within the groups) prints the mark "*** "; a pair whose p
// is not computed gets the mark "-".
#include "shell/TXTWIN.h"
#include "stats/MarkReason.h"
#include "stats/OnewayObj.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int textGroup = 32;
enum Text {
    sourceText = 35,
    sumOfSquaresText,
    dfText,
    meanSquareText,
    fText,
    pText,
    betweenText,
    withinText,
    pairText = 44,
    differenceText,
    tText,
    legendText,
    totalText = 34,
    anovaTitle = 82,
    pooledTitle = 83,
    separateTitle = 84,
    scheffeTitle = 85,
};
const char missingMark[] = "*** ";

bool Usable(double v)
{
    return std::isfinite(v) && !IsNotComputed(v);
}

// The figure with its decimals, or the mark; a figure beyond the largest
// float (a spread of values near the largest double) in exponent form.
std::string Figure(double v, int decimals)
{
    if (std::isfinite(v) && v != kNotComputed && IsNotComputed(v))
        return FormatFigure(v, decimals);
    if (!Usable(v))
        return missingMark;
    char text[64];
    std::snprintf(text, sizeof text, "%1.*f", decimals, v);
    return text;
}

// Degrees of freedom: whole ones without decimals, weighted ones with two.
std::string Df(double v)
{
    return Figure(v, Usable(v) && v == std::floor(v) ? 0 : 2);
}

// A table of texts: the first column left-aligned, the others right-aligned,
// each as wide as its widest entry plus 2.
void WriteColumns(TXTWIN &window, const std::vector<std::vector<std::string>> &rows)
{
    std::vector<int> widths;
    for (const auto &row : rows)
        for (size_t c = 0; c < row.size(); ++c) {
            if (widths.size() <= c)
                widths.push_back(0);
            widths[c] = std::max(widths[c], static_cast<int>(row[c].size()) + (c == 0 ? 0 : 2));
        }
    for (const auto &row : rows) {
        for (size_t c = 0; c < row.size(); ++c) {
            if (c == 0)
                window.Left(widths[c]);
            else
                window.Right(widths[c]);
            window.WriteString(row[c].c_str());
        }
        window.Plain();
        window.EndLine();
    }
}

void WriteTitle(TXTWIN &window, int text)
{
    window.Plain();
    window.EndLine();
    window.WriteString(StatText(text, textGroup));
    window.EndLine();
    window.EndLine();
}

} // namespace

void AnovaResult::WriteTable(TXTWIN &window) const
{
    WriteTitle(window, anovaTitle);
    auto text = [](int n) { return std::string(StatText(n, textGroup)); };
    const AnovaTable &t = table;
    WriteColumns(window, {
                             {"", text(sumOfSquaresText), text(dfText), text(meanSquareText), text(fText), text(pText)},
                             {text(betweenText), Figure(t.ssBetween, 2), Df(t.dfBetween), Figure(t.msBetween, 2),
                              Figure(t.f, 4), Figure(t.p, 4)},
                             {text(withinText), Figure(t.ssWithin, 2), Df(t.dfWithin), Figure(t.msWithin, 2), "", ""},
                             {text(totalText), Figure(t.ssTotal, 2), Df(t.dfTotal), "", "", ""},
                         });
    // Sums of squares of values near the largest double pass it while F,
    // a ratio, has its figure.
    if (t.ssTotal == kNotComputed && t.f != kNotComputed) {
        for (const std::string &line : MarkReasonLines(kReasonSpreadTooLarge, "***")) {
            window.WriteString(line.c_str());
            window.EndLine();
        }
    }
    window.ShowText();
}

void SignObj::ShowInWindow(int setFlag, int matrix)
{
    if (setFlag == 1)
        matrixFlag = matrix;
    if (!window)
        return;
    const bool scheffe = dynamic_cast<ScheffeObj *>(this) != nullptr;
    const int title = scheffe ? scheffeTitle : dynamic_cast<PooledTtestObj *>(this) ? pooledTitle : separateTitle;
    TXTWIN &w = *window;
    WriteTitle(w, title);
    auto text = [](int n) { return std::string(StatText(n, textGroup)); };
    auto label = [this](int i) { return i < static_cast<int>(labels.size()) ? labels[i] : std::to_string(i + 1); };
    std::vector<std::vector<std::string>> rows;
    if (!matrixFlag) {
        std::vector<std::string> heading = {text(pairText), text(differenceText), text(scheffe ? fText : tText),
                                            text(dfText)};
        if (scheffe)
            heading.push_back(text(dfText));
        heading.push_back(text(pText));
        heading.push_back("");
        rows.push_back(heading);
        for (int i = 0; i < groupCount; ++i)
            for (int j = i + 1; j < groupCount; ++j) {
                const PairwiseResult &r = Pair(i, j);
                std::vector<std::string> row = {label(i) + " - " + label(j), Figure(r.difference, 2),
                                                Figure(r.statistic, scheffe ? 4 : 3), Df(r.df)};
                if (scheffe)
                    row.push_back(Df(r.df2));
                row.push_back(Figure(r.p, 4));
                row.push_back(SignificanceMarkByLevel(Level(i, j)));
                rows.push_back(row);
            }
    } else {
        // Row i, column j < i: the mark of the pair; the columns are
        // numbered as the rows.
        std::vector<std::string> heading = {""};
        for (int j = 0; j + 1 < groupCount; ++j)
            heading.push_back(std::to_string(j + 1));
        rows.push_back(heading);
        for (int i = 0; i < groupCount; ++i) {
            std::vector<std::string> row = {std::to_string(i + 1) + " " + label(i)};
            for (int j = 0; j + 1 < groupCount; ++j)
                row.push_back(j < i ? SignificanceMarkByLevel(Level(i, j)) : "");
            rows.push_back(row);
        }
    }
    WriteColumns(w, rows);
    w.EndLine();
    w.WriteString(StatText(legendText, textGroup));
    w.EndLine();
    w.ShowText();
}
