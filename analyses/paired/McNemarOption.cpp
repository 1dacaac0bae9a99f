#include "analyses/paired/McNemarOption.h"

#include <algorithm>
#include <string>

const TableDescription McNemarOption::description = {
    "MCNEMAR", "McNemarOption", pairedTestTextGroup, nullptr, 0, nullptr, 0};

McNemarOption::McNemarOption() : PairedTestOption(description, 7, 8)
{}

ZafWindow *McNemarOption::CreateOptionWindow()
{
    return new McNemarOptionWindow;
}

bool McNemarOption::Run()
{
    return AnalysisBook::RunBook(new McNemarBook(this), variableListWord);
}

namespace {

int Longest(int atLeast, std::initializer_list<std::string> texts)
{
    size_t longest = static_cast<size_t>(atLeast);
    for (const std::string &text : texts)
        longest = std::max(longest, text.size());
    return static_cast<int>(longest);
}

// A label that would fill its field (and so touch its neighbour) is cut and
// ends in "..", so that it always keeps one blank before the next column.
std::string Fitted(const std::string &label, int field)
{
    if (static_cast<int>(label.size()) < field)
        return label;
    return label.substr(0, static_cast<size_t>(std::max(field - 3, 1))) + "..";
}

} // namespace

void McNemarO::WriteResultText()
{
    using namespace pairedtext;
    if (!window)
        return;
    TXTWIN &w = *window;
    Start(w);
    if (Failed(w, *this))
        return;
    if (status == 1 || status == 2 || status == 4)
        return Message(w, status == 1 ? 9 : status == 2 ? 10 : 11);
    if (status != 0)
        return w.ShowText();

    w.WriteString(Text(0).c_str());
    w.EndLine();
    w.EndLine();
    const int rowWidth = Longest(13, {firstName, rowLabels[0], rowLabels[1], Text(5), Text(6)}) + 2;
    const int cellWidth = Longest(8, {secondName, columnLabels[0], columnLabels[1], Text(3), Text(4)}) + 2;
    const int rw = std::min(rowWidth, int(widestStub));
    // A cell keeps its labels' width up to widestCell, and is always one
    // wider than its widest figure: the counts and the chi-square test.
    int cw = std::min(cellWidth, int(widestCell));
    for (double count : counts)
        cw = std::max(cw, FigureWidth(count, countDecimals) + 1);
    if (!exact)
        cw = std::max({cw, FigureWidth(chiSquare, 2) + 1, FigureWidth(chiSquareP, 4) + 1});

    // An arrow across for the column variable, one down for the row variable.
    w.Left(5);
    w.WriteString("--> ");
    w.Plain();
    w.WriteString((secondName + "  " + secondText).c_str());
    w.EndLine();
    w.Left(5);
    w.WriteString("| ");
    w.Plain();
    w.WriteString((firstName + "  " + firstText).c_str());
    w.EndLine();
    w.WriteString("V");
    w.EndLine();
    w.EndLine();
    w.EndLine();

    w.Right(rw + cw);
    w.WriteString("");
    w.Right((static_cast<int>(secondName.size()) + cw) / 2);
    w.WriteString(secondName.c_str());
    w.EndLine();
    w.Left(rw);
    w.WriteString(Fitted(firstName, rw).c_str());
    w.Right(cw);
    for (const std::string &label : columnLabels)
        w.WriteString(Fitted(label, cw).c_str());
    w.EndLine();
    w.NewLine(2 * cw + rw);
    w.SetDecimals(countDecimals);
    for (int row = 0; row < 2; ++row) {
        w.Left(rw);
        w.WriteString(Fitted(rowLabels[row], rw).c_str());
        w.Right(cw);
        w.WriteReal(counts[2 * row]);
        w.WriteReal(counts[2 * row + 1]);
        w.EndLine();
    }
    w.NewLine(2 * cw + rw);
    w.Plain();
    w.EndLine();
    w.EndLine();
    w.EndLine();

    if (exact) {
        w.WriteString(Text(13).c_str());
        w.EndLine();
        w.SetDecimals(4);
        w.WriteString("p = ");
        Figure(w, exactP);
        w.EndLine();
    } else {
        w.Left(rw);
        w.WriteString("");
        w.Right(cw);
        w.WriteString(Text(3).c_str());
        w.WriteString(Text(4).c_str());
        w.EndLine();
        w.Left(rw);
        w.WriteString("");
        w.NewLine(2 * cw);
        w.Left(rw);
        w.WriteString(Text(6).c_str());
        w.Right(cw);
        w.SetDecimals(2);
        Figure(w, chiSquare);
        w.SetDecimals(4);
        Figure(w, chiSquareP);
        w.EndLine();
    }
    Finish(w, *this, counts[0] + counts[1] + counts[2] + counts[3]);
}
