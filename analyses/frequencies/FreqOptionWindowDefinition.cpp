#include "analyses/frequencies/FreqOptionWindowDefinition.h"

#include "analyses/frequencies/FreqOption.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindow.h"

ZafWindow *MakeFreqOptionWindowDefinition()
{
    using B = OptionWindowBuilder;
    B::RegisterClasses();
    ZafWindow *window = B::Window(FreqOption::windowName, 64, 16);

    // What the table shows, down the left.
    const char *boxes[][2] = {{"Heading", "title"},
                              {"Column headings", "coltitles"},
                              {"Category labels", "category"},
                              {"Values", "code"},
                              {"Frequencies", "number"},
                              {"Percent of all", "pctofall"},
                              {"Percent of valid", "pctofvalid"}};
    int row = 0;
    for (const auto &box : boxes)
        B::CheckBox(window, 2, row++, 28, box[0], box[1]);
    B::Prompt(window, 2, row + 1, 16, "Column width:", "pr_colwid");
    B::IntegerSpin(window, 19, row + 1, 7, 11, 3, 40, 1, "spin_int_colwid");

    ZafGroup *statistics = B::Group(window, 1, 10, 30, 5, "Statistics", "stat");
    B::CheckBox(statistics, 1, 0, 26, "Mode", "modus");
    B::CheckBox(statistics, 1, 1, 26, "Median", "median");
    B::CheckBox(statistics, 1, 2, 26, "Mean", "mean");

    ZafGroup *cumulative = B::Group(window, 33, 0, 30, 5, "Cumulative percent", "accumtype");
    B::RadioButton(cumulative, 1, 0, 27, "None", "notused");
    B::RadioButton(cumulative, 1, 1, 27, "Of valid cases", "ofvalid");
    B::RadioButton(cumulative, 1, 2, 27, "Of all cases", "oftotal");

    ZafGroup *sorting = B::Group(window, 33, 6, 30, 6, "Sort order", "sorting");
    B::RadioButton(sorting, 1, 0, 27, "By value, ascending", "byvalue");
    B::RadioButton(sorting, 1, 1, 27, "By frequency, ascending", "byfreq");
    B::RadioButton(sorting, 1, 2, 27, "By value, descending", "byvalue_desc");
    B::RadioButton(sorting, 1, 3, 27, "By frequency, descending", "byfreq_desc");
    return window;
}
