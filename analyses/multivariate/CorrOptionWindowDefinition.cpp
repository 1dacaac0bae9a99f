#include "analyses/multivariate/CorrOptionWindowDefinition.h"

#include "analyses/multivariate/CorrOption.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindow.h"

ZafWindow *MakeCorrOptionWindowDefinition()
{
    using B = OptionWindowBuilder;
    constexpr int width = 26, boxWidth = 22;
    B::RegisterClasses();
    ZafWindow *window = B::Window(CorrOptionWindow::windowName, width, 10);
    B::CheckBox(window, 1, 1, boxWidth, "DIS_LAB", "DIS_LAB");
    B::CheckBox(window, 1, 2, boxWidth, "DIS_FMATR", "DIS_FMATR");
    B::CheckBox(window, 1, 4, boxWidth, "DIS_SIGSYM", "DIS_SIGSYM");
    ZafGroup *mode = B::Group(window, 1, 5, width - 2, 4, "StaMissdel", "StaMissdel");
    B::RadioButton(mode, 1, 0, boxWidth - 2, "StaList", "StaList");
    B::RadioButton(mode, 1, 1, boxWidth - 2, "StaPair", "StaPair");
    return window;
}
