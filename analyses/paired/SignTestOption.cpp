#include "analyses/paired/SignTestOption.h"

#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <cmath>

const TableDescription SignTestOption::description = {
    "SignTest", "SignTestOption", pairedTestTextGroup, nullptr, 0, nullptr, 0};

// Its lists are headed as the McNemar test's: first and second variables.
SignTestOption::SignTestOption() : PairedTestOption(description, 7, 8)
{}

ZafWindow *SignTestOption::CreateOptionWindow()
{
    return new SignTestOptionWindow;
}

bool SignTestOption::Run()
{
    return AnalysisBook::RunBook(new SignTestBook(this), variableListWord);
}

void SignTestO::WriteResultText()
{
    using namespace pairedtext;
    if (!window)
        return;
    TXTWIN &w = *window;
    Start(w);
    if (Failed(w, *this))
        return;
    if (status == 1)
        return Message(w, 11);
    if (status != 0)
        return w.ShowText();

    w.WriteString(Text(1).c_str());
    w.EndLine();
    w.EndLine();
    WriteVariables(w, *this);
    // Each count as its shortest decimal text (a whole count without
    // decimals, a sum of weights as it stands); a count past the largest
    // double is the not-computed mark.
    auto count = [&w](double value) {
        if (std::isfinite(value) && !IsNotComputed(value))
            w.WriteString(FormatNumberText(value).c_str());
        else
            Figure(w, value);
    };
    w.WriteString((firstName + " > " + secondName + ":  ").c_str());
    count(larger);
    w.EndLine();
    w.WriteString((firstName + " < " + secondName + ":  ").c_str());
    count(smaller);
    w.EndLine();
    w.EndLine();
    // The pairs with a difference are the sum of the two counts, written the
    // same way: rounded to a whole they would not add up to the counts
    // above them under a weight with decimals (4.375 + 4.75 is 9.125, not 9).
    w.WriteString(Text(12).c_str());
    count(larger + smaller);
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
        WriteNormal(w, z, zP);
    }
    Finish(w, *this, cases);
}
