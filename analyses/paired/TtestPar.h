// TtestPar: the paired t-test of one pair of variables (a GTtestPar) as a
// workbook page holds it, with the table it writes: the means, standard
// deviations and standard errors of both variables, the mean difference
// (first minus second) and the number of pairs, then t with its one- and
// two-sided p, then r with its t and two-sided p, each part as the book's
// display mask (TtestDisplay) asks. Statistics print with 3 decimals and
// p-values with 4 (the p-value of r too, like every other p); a figure that
// cannot be given prints "***".
//
// Ownership: the page owns it; it points to its workbook (for the record)
// and to the book's DuoPolyOption, owning neither.
#pragma once

#include "stats/PairedTests.h"

class DuoPolyOption;
class TXTWIN;
class WorkBook;

class TtestPar : public GTtestPar
{
public:
    // The mark of a figure that cannot be given.
    static constexpr const char *missingMark = "***";

    TtestPar(long first, long second, int flag, DATASET *dataSet = nullptr);

    // Writes the whole table into the window and shows it.
    void WriteTable(TXTWIN *window);

    WorkBook *book = nullptr;                   // not owned
    DuoPolyOption *duoPolyOption = nullptr;     // not owned: the book's
    unsigned long displayMask = 0xff;           // copied from the record at each write

private:
    void WriteHeading(TXTWIN *w);
    // The lines that say why figures hold the mark for the weights.
    void WriteMarkReasons(TXTWIN *w);
    void WriteVariableLine(TXTWIN *w, int i);
    void WriteTestLines(TXTWIN *w);
    void WriteCorrelationLines(TXTWIN *w);
    void WriteLabelled(TXTWIN *w, int text, double value, int decimals, bool shown);

    // Field widths of the table, worked out before each write.
    int nameWidth = 0, meanWidth = 0, deviationWidth = 0, errorWidth = 0, labelWidth = 0, valueWidth = 0;
};
