#include "analyses/frequencies/BattFreqOptionWindowDefinition.h"

#include "analyses/frequencies/BattFreqOption.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindow.h"

ZafWindow *MakeBattFreqOptionWindowDefinition()
{
    using B = OptionWindowBuilder;
    B::RegisterClasses();
    ZafWindow *window = B::Window(BattFreqOption::windowName, 64, 9);

    ZafGroup *kinds = B::Group(window, 1, 0, 30, 5, "Tables", "bf_tabletypes");
    B::CheckBox(kinds, 1, 0, 27, "Counts", "bf_rawnum");
    B::CheckBox(kinds, 1, 1, 27, "Valid percent", "bf_pctvalid");
    B::CheckBox(kinds, 1, 2, 27, "Percent of all", "bf_pctall");

    ZafGroup *sums = B::Group(window, 33, 0, 30, 4, "Sums", "bf_sums");
    B::CheckBox(sums, 1, 0, 27, "Row sums (N=)", "bf_rowsums");
    B::CheckBox(sums, 1, 1, 27, "Column sums", "bf_colsums");

    B::CheckBox(window, 2, 6, 60, "One table for each kind", "bf_separate");
    return window;
}
