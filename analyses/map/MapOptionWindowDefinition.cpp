#include "analyses/map/MapOptionWindowDefinition.h"

#include "analyses/map/MapStatOption.h"
#include "shell/OptionWindowBuilder.h"
#include "zaf/core/ZafGroup.h"
#include "zaf/core/ZafWindow.h"

ZafWindow *MakeMapOptionWindowDefinition()
{
    using B = OptionWindowBuilder;
    B::RegisterClasses();
    ZafWindow *window = B::Window(MapStatOption::windowName, 62, 15);

    ZafGroup *display = B::Group(window, 1, 0, 29, 5, "Display", "DisplayMode");
    B::RadioButton(display, 1, 0, 26, "Map by value classes", "choroplet");
    B::RadioButton(display, 1, 1, 26, "Map with bars", "bar");
    B::RadioButton(display, 1, 2, 26, "Map with circles", "pie");

    ZafGroup *method = B::Group(window, 1, 5, 29, 6, "Class limits", "GroupingMethod");
    B::RadioButton(method, 1, 0, 26, "Equal intervals", "data");
    B::RadioButton(method, 1, 1, 26, "Equal numbers of cases", "cases");
    B::RadioButton(method, 1, 2, 26, "User-defined limits", "userdef");
    B::PushButton(method, 3, 3, "Class limits...", "define_groups");

    ZafGroup *colours = B::Group(window, 32, 0, 29, 7, "Colours", "GroupingType");
    B::RadioButton(colours, 1, 0, 26, "Graded colours", "metric");
    B::RadioButton(colours, 1, 1, 26, "Diverging colours", "metric2");
    B::RadioButton(colours, 1, 2, 26, "Colour ramp", "slide");
    B::RadioButton(colours, 1, 3, 26, "Ramp around a centre", "slide2");
    B::RadioButton(colours, 1, 4, 26, "Contrasting colours", "contrast");

    ZafGroup *count = B::Group(window, 32, 7, 29, 5, "Number of classes", "GroupingCount");
    B::RadioButton(count, 1, 0, 26, "Automatic", "num_auto");
    B::RadioButton(count, 1, 1, 14, "User-defined", "num_userdef");
    B::IntegerSpin(count, 16, 1, 6, MapClassSettings::defaultClassCount, 1, MapStatOption::maxClassCount, 1, "NUM");
    // The spin control goes by the name the option window looks up.
    if (ZafWindowObject *spin = count->FindObjectByStringID("NUM_spin"))
        spin->SetStringID("NUM_SPIN");

    B::CheckBox(window, 2, 12, 58, "Limits from the regions of this map", "select_current_map");
    B::CheckBox(window, 2, 13, 58, "Apply to all pages", "masteroptions");
    return window;
}
