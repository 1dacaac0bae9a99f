#include "analyses/paired/WilcoxonOption.h"

#include <algorithm>

const TableDescription WilcoxonOption::description = {
    "Wilcoxon", "WilcoxonOption", pairedTestTextGroup, nullptr, 0, nullptr, 0};

// Its lists are headed as the McNemar test's: first and second variables.
WilcoxonOption::WilcoxonOption() : PairedTestOption(description, 7, 8)
{}

ZafWindow *WilcoxonOption::CreateOptionWindow()
{
    return new WilcoxonOptionWindow;
}

bool WilcoxonOption::Run()
{
    return AnalysisBook::RunBook(new WilcoxonBook(this), variableListWord);
}

std::string WilcoxonO::DecisionText(bool decision)
{
    return pairedtext::Text(decision ? 33 : 34);
}

void WilcoxonO::WriteResultText()
{
    using namespace pairedtext;
    if (!window)
        return;
    TXTWIN &w = *window;
    Start(w);
    if (Failed(w, *this))
        return;
    if (status == 4)
        return Message(w, 11);
    if (status != 0)
        return w.ShowText();

    w.WriteString(Text(2).c_str());
    w.EndLine();
    w.EndLine();
    WriteVariables(w, *this);

    size_t longest = 15;
    for (int text = 18; text <= 25; ++text)
        longest = std::max(longest, Text(text).size());
    const int labelWidth = static_cast<int>(longest);
    // Counts are whole unless weighted; mean ranks and rank sums may end in
    // .5, so they keep two decimals rather than being rounded to a whole.
    const int countDecimals = IsWeighted() ? WeightDecimals() : 0;
    // The value column: 15, or one wider than the widest figure (weighted
    // counts of millions with their decimals, rank sums of such counts).
    int valueWidth = 15;
    for (double figure : {pairs, zeroDifferences, negative, positive})
        valueWidth = std::max(valueWidth, FigureWidth(figure, countDecimals) + 1);
    for (double figure : {negativeMeanRank, positiveMeanRank, negativeRankSum, positiveRankSum})
        valueWidth = std::max(valueWidth, FigureWidth(figure, 2) + 1);
    auto line = [&](int text, double value, int decimals) {
        w.Left(labelWidth);
        w.WriteString(Text(text).c_str());
        w.Right(valueWidth);
        w.SetDecimals(decimals);
        Figure(w, value);
        w.EndLine();
    };
    line(18, pairs, countDecimals);
    line(19, zeroDifferences, countDecimals);
    line(20, negative, countDecimals);
    line(21, positive, countDecimals);
    if (negative > 0)
        line(22, negativeMeanRank, 2);
    if (positive > 0)
        line(23, positiveMeanRank, 2);
    if (negative > 0)
        line(24, negativeRankSum, 2);
    if (positive > 0)
        line(25, positiveRankSum, 2);
    w.EndLine();
    w.Plain();

    if (normal) {
        WriteNormal(w, z, zP);
    } else {
        w.WriteString(Text(26).c_str());
        w.EndLine();
        w.WriteString(Text(28).c_str());
        w.EndLine();
        w.EndLine();
        for (int i = 0; i < 4; ++i) {
            w.WriteString((Text(29 + i) + DecisionText(decisions[i])).c_str());
            w.EndLine();
        }
        w.EndLine();
    }
    if (suppressFooter) {
        w.WriteString(Text(27).c_str());
        w.EndLine();
        w.EndLine();
        w.ShowText();
        return;
    }
    Finish(w, *this, pairs);
}
