#include "analyses/crosstab/XtabOptionWindowDefinition.h"

#include "analyses/crosstab/XtOptions.h"
#include "analyses/crosstab/XtabOption.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafWindow.h"

ZafWindow *MakeXtabOptionWindowDefinition()
{
    using B = OptionWindowBuilder;
    constexpr int width = 62, tableColumn = 1, measureColumn = 32, boxWidth = 29;
    B::RegisterClasses();
    ZafWindow *window = B::Window(XtOptions::windowName, width, 15);
    B::Prompt(window, tableColumn, 0, boxWidth, "tabtyp", "tabtyp");
    B::Prompt(window, measureColumn, 0, boxWidth, "tabmes", "tabmes");
    // The boxes of each mask down its column, in the order of the record's rows.
    int tableRow = 1, measureRow = 1;
    const TableDescription &description = XtabOption::description;
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        if (row.kind != ControlKind::checkBox)
            continue;
        if (row.field == XtabOption::tableTypeField)
            B::CheckBox(window, tableColumn, tableRow++, boxWidth, row.name, row.name);
        else
            B::CheckBox(window, measureColumn, measureRow++, boxWidth, row.name, row.name);
    }
    B::PushButton(window, measureColumn, 12, "all_set", "all_set");
    B::PushButton(window, measureColumn + 15, 12, "all_clear", "all_clear");
    B::Prompt(window, tableColumn, 13, width - 2, "notab", "notab");
    return window;
}
