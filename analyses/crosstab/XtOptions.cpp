#include "analyses/crosstab/XtOptions.h"

#include "analyses/crosstab/XtabOption.h"
#include "shell/FindNamedControl.h"
#include "zaf/controls/ZafButton.h"

XtOptions::XtOptions() : TableOptionWindow(XtabOption::description, windowName)
{
    BindButtons();
}

XtOptions::XtOptions(ZafWindowPersistence &persistence)
    : TableOptionWindow(XtabOption::description, windowName, persistence)
{
    BindButtons();
}

void XtOptions::BindButtons()
{
    if (ZafButton *button = FindNamedControl<ZafButton>(this, "all_set", __FILE__, __LINE__))
        button->SetUserFunction(SelectAllMeasures);
    if (ZafButton *button = FindNamedControl<ZafButton>(this, "all_clear", __FILE__, __LINE__))
        button->SetUserFunction(ClearAllMeasures);
}

void XtOptions::SetAllMeasures(ZafWindow *window, bool on)
{
    if (!window)
        return;
    const TableDescription &description = XtabOption::description;
    for (int i = 0; i < description.controlCount; ++i) {
        const ControlRow &row = description.controls[i];
        if (row.kind != ControlKind::checkBox || row.field != XtabOption::measureField)
            continue;
        if (ZafButton *box = FindNamedControl<ZafButton>(window, row.name, __FILE__, __LINE__))
            box->SetSelected(on);
    }
    ZafEventRecord redisplay(ZAF_REDISPLAY_CHANGE);
    window->Event(redisplay);
}

ZafEventType XtOptions::SelectAllMeasures(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    if (code == ZAF_SELECT && object)
        SetAllMeasures(dynamic_cast<ZafWindow *>(object->Parent()), true);
    return 0;
}

ZafEventType XtOptions::ClearAllMeasures(ZafWindowObject *object, ZafEventRecord &, ZafEventType code)
{
    if (code == ZAF_SELECT && object)
        SetAllMeasures(dynamic_cast<ZafWindow *>(object->Parent()), false);
    return 0;
}
