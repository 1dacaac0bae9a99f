// PairedTestBook: what the three tests of paired observations (McNemar, sign
// test, Wilcoxon signed-rank test) share in front of the user. Each test has
// a record without settings (PairedTestOption) whose option window is empty
// (PairedTestOptionWindow), a workbook pairing every list-0 variable with
// every list-1 variable (list 0 outermost, a variable in both lists also
// paired with itself), one page a pair titled "V<a> * V<b>", and a result
// window (PairedTestWindow) that lets the page's computation write its text.
//
// The computations compute when they are made; a rewrite of a page reads the
// stored results again and never recomputes.
//
// Texts: group pairedTestTextGroup of the language file.
//
// Ownership: the workbook owns the record and the pages; a page owns its
// computation and its result window, which point to each other (not owned).
#pragma once

#include "analyses/kit/AnalysisBook.h"
#include "dataset/ProgramSettings.h"
#include "shell/OptionWindow.h"
#include "shell/TableOption.h"
#include "shell/TXTWIN.h"
#include "stats/StatClass.h"

#include <string>

class PairedComputation;

constexpr int pairedTestTextGroup = 36;

// The two front-end words each paired computation carries, set when its page
// is built: its workbook and its output window (neither owned).
struct PairedFrontEnd
{
    WorkBook *book = nullptr;
    TXTWIN *window = nullptr;
};

// What every text of the three tests starts and ends with, and how a figure
// that could not be computed is printed.
namespace pairedtext {
constexpr const char *notComputedMark = "***";
// Empties the window's text and writes a line end.
void Start(TXTWIN &window);
// A status message (a text of the group), a line end, and the text shown.
void Message(TXTWIN &window, int text);
// When the computation could not read its cases: writes why (file,
// variable and case), shows the text and returns true.
bool Failed(TXTWIN &window, const StatClass &computation);
// A line end, the report footer for that many cases, and the text shown.
void Finish(TXTWIN &window, StatClass &computation, double cases);
// The value with the window's decimals (in exponent form from 1e15 on),
// or the not-computed mark.
void Figure(TXTWIN &window, double value);
// Characters of a figure as Figure writes it with that many decimals.
int FigureWidth(double value, int decimals);
std::string Text(int number);
// The two variables' names and texts (the sign and Wilcoxon tests), then two line ends.
void WriteVariables(TXTWIN &window, const PairedComputation &pair);
// The normal approximation: its heading, z and its two-sided probability.
void WriteNormal(TXTWIN &window, double z, double p);
} // namespace pairedtext

// An empty option window: the tests have nothing to set.
class PairedTestOptionWindow : public OptionWindow
{
public:
    PairedTestOptionWindow();
};

// A record without settings or controls; it passes its two list prompts
// (text numbers of the group, -1 an empty prompt) and builds its workbook.
class PairedTestOption : public TableOption
{
public:
    PairedTestOption(const TableDescription &description, int firstPrompt, int secondPrompt);
    void SetVariablePrompts(ZafWindow *variableList) override;
    // Nothing to set: the Options buttons are greyed.
    bool HasOptions() const override { return false; }

private:
    int prompts[2];
};

// A result window over one computation of class Computation, which writes
// the text (Computation::WriteResultText) into this window.
template <class Computation> class PairedTestWindow : public TXTWIN
{
public:
    PairedTestWindow(int caption, Computation *computation)
        : TXTWIN(StatText(caption, pairedTestTextGroup), 0), computation(computation)
    {}
    void WriteResult() override
    {
        if (!computation)
            return;
        computation->window = this;
        computation->WriteResultText();
    }

    Computation *computation; // not owned: the page deletes it
};

class PairedTestBook : public AnalysisBook
{
public:
    static std::string PairTitle(long first, long second)
    {
        return "V" + std::to_string(first) + " * V" + std::to_string(second);
    }

protected:
    PairedTestBook(StatOption *option, int title) : AnalysisBook(option, 0), title(title) {}

    // One page (of class PageType) a pair of the two lists; false with no
    // page when there is no selection or data set, or a list is empty.
    template <class Computation, class Window, class PageType> bool BuildPairs(long selectionHandle)
    {
        titleText = title;
        titleGroup = pairedTestTextGroup;
        ListChoice first, second;
        DATASET *dataSet = nullptr;
        if (!TakeLists(selectionHandle, {&first, &second}, &dataSet))
            return false;
        AddPairPages(first, second, [this, dataSet](long a, long b) {
            auto *computation = new Computation(a, b, dataSet);
            auto *text = new Window(title, computation);
            computation->book = this;
            computation->window = text;
            text->Update();
            auto *page = new PageType(PairTitle(a, b).c_str());
            page->SetResultWindow(text);
            page->SetComputation(computation);
            return page;
        });
        return true;
    }

private:
    int title; // text number of the workbook's title and the windows' caption
};
