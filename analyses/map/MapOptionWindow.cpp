#include "analyses/map/MapOptionWindow.h"

#include "analyses/map/GroupDefWindow.h"
#include "analyses/map/MapStatOption.h"
#include "analyses/map/MapWorkBook.h"
#include "shell/FindNamedControl.h"
#include "zaf/controls/ZafButton.h"

namespace {

const char *const radioAndCheckBoxes[] = {"choroplet",
                                          "bar",
                                          "pie",
                                          "data",
                                          "cases",
                                          "userdef",
                                          "metric",
                                          "metric2",
                                          "slide2",
                                          "contrast",
                                          "num_auto",
                                          "num_userdef",
                                          "select_current_map",
                                          "masteroptions"};
const char *const classGroups[] = {"GroupingType", "GroupingMethod", "GroupingCount"};

MapOptionWindow *WindowOf(ZafWindowObject *object)
{
    for (ZafWindowObject *o = object; o; o = o->Parent())
        if (auto *window = dynamic_cast<MapOptionWindow *>(o))
            return window;
    return nullptr;
}

} // namespace

MapOptionWindow::MapOptionWindow(MapStatOption *record)
    : TableOptionWindow(MapStatOption::description, MapStatOption::windowName), record(record)
{}

MapOptionWindow::MapOptionWindow(MapStatOption *record, ZafWindowPersistence &persistence)
    : TableOptionWindow(MapStatOption::description, MapStatOption::windowName, persistence), record(record)
{}

void MapOptionWindow::UpdateControls()
{
    TableOptionWindow::UpdateControls();
    for (const char *name : radioAndCheckBoxes)
        if (auto *button = FindNamedControl<ZafButton>(this, name, __FILE__, __LINE__))
            button->SetUserFunction(RefreshFunction);
    if (auto *slide = FindNamedControl<ZafButton>(this, "slide", __FILE__, __LINE__))
        slide->SetUserFunction(SlideFunction);
    if (auto *define = FindNamedControl<ZafButton>(this, "define_groups", __FILE__, __LINE__))
        define->SetUserFunction(DefineGroupsFunction);
    if (OpenedBeforeWorkbook()) {
        Enable("userdef", false);
        Enable("define_groups", false);
    }
    Refresh();
}

bool MapOptionWindow::Selected(const char *name)
{
    auto *button = FindNamedControl<ZafButton>(this, name, __FILE__, __LINE__);
    return button && button->Selected();
}

void MapOptionWindow::Enable(const char *name, bool enabled)
{
    if (ZafWindowObject *control = FindNamedControl<ZafWindowObject>(this, name, __FILE__, __LINE__))
        control->SetDisabled(!enabled);
}

void MapOptionWindow::Refresh()
{
    const bool classes = Selected("choroplet");
    for (const char *group : classGroups)
        Enable(group, classes);
    // The user's limits apply only while they can be chosen and are chosen.
    auto *userdef = FindNamedControl<ZafButton>(this, "userdef", __FILE__, __LINE__);
    Enable("define_groups", classes && userdef && !userdef->Disabled() && userdef->Selected());
    // The spin control and its field both: enabling the control alone
    // leaves the field's window disabled.
    Enable("NUM_SPIN", Selected("num_userdef"));
    Enable("NUM", Selected("num_userdef"));
}

ZafEventType MapOptionWindow::RefreshFunction(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    if (code == ZAF_SELECT)
        if (MapOptionWindow *window = WindowOf(object))
            window->Refresh();
    return 0;
}

ZafEventType MapOptionWindow::SlideFunction(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code)
{
    // The continuous ramp has no classes to form, but the refresh leaves
    // the class formation enabled, as before.
    return RefreshFunction(object, event, code);
}

ZafEventType MapOptionWindow::DefineGroupsFunction(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    MapOptionWindow *window = WindowOf(object);
    if (code != ZAF_SELECT || !window || !window->record)
        return 0;
    RECT place = {};
    if (window->OSHandle())
        GetWindowRect(window->OSHandle(), &place);
    // The limits are those of the page in front, which its map computed;
    // the book takes them from the page once the user confirms them.
    MapStatOption *target = window->record;
    MapPage *page = window->record->openBook ? window->record->openBook->CurrentMapPage() : nullptr;
    if (page && page->Record())
        target = page->Record();
    // The options window's corner is in screen pixels: the dialog is
    // placed there and kept on the screen.
    GroupDefWindow dialog(0, 0, target);
    dialog.PlaceNear(place.left, place.top);
    if (dialog.Run() != ZAF_DIALOG_OK)
        return 0;
    if (page && target == page->Record())
        page->ShowNewLimits();
    else if (auto *userdef = FindNamedControl<ZafButton>(window, "userdef", __FILE__, __LINE__))
        userdef->SetSelected(true);
    window->Refresh();
    return 0;
}
