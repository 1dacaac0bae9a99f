#include "analyses/XtOptions.h"

#include "analyses/FindNamedControl.h"
#include "analyses/XtabOption.h"
#include "shell/Main.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "stats/StatClass.h"
#include "zaf/controls/ZafButton.h"

namespace {

// The size the window is made with when there is no UI data file to read.
constexpr int emptyWidth = 62;
constexpr int emptyHeight = 15;

} // namespace

XtOptions::XtOptions() : OptionWindow(emptyWidth, emptyHeight)
{
    SetStringID(windowName);
    BindButtons();
}

XtOptions::XtOptions(ZafWindowPersistence &persistence) : OptionWindow(windowName, persistence)
{
    BindButtons();
}

XtOptions *XtOptions::Make()
{
    return userPersist ? new XtOptions(*userPersist) : new XtOptions();
}

void XtOptions::BindButtons()
{
    if (ZafButton *button = FindNamedControl<ZafButton>(this, "all_set", __FILE__, __LINE__))
        button->SetUserFunction(SelectAllMeasures);
    if (ZafButton *button = FindNamedControl<ZafButton>(this, "all_clear", __FILE__, __LINE__))
        button->SetUserFunction(ClearAllMeasures);
}

void XtOptions::SetControlText(const char *name, int text)
{
    if (ZafWindowObject *control = FindControl(name, __FILE__, __LINE__))
        control->SetText(StatText(text, xtabTextGroup));
}

void XtOptions::UpdateControls()
{
    for (const XtabControl &control : xtabMeasureControls)
        SetControlText(control.name, control.text);
    SetControlText("notab", 28);
    SetControlText("tabmes", 30);
    if (ZafButton *button = FindNamedControl<ZafButton>(this, "all_set", __FILE__, __LINE__)) {
        button->SetText(StatText(16, xtabTextGroup));
        button->SetTipText(StatText(17, xtabTextGroup));
    }
    if (ZafButton *button = FindNamedControl<ZafButton>(this, "all_clear", __FILE__, __LINE__)) {
        button->SetText(StatText(18, xtabTextGroup));
        button->SetTipText(StatText(19, xtabTextGroup));
    }
    SetControlText("tabtyp", 29);
    for (const XtabControl &control : xtabTableControls)
        SetControlText(control.name, control.text);
}

void XtOptions::SetAllMeasures(ZafWindow *window, bool on)
{
    if (!window)
        return;
    for (const XtabControl &control : xtabMeasureControls)
        if (ZafButton *box = FindNamedControl<ZafButton>(window, control.name, __FILE__, __LINE__))
            box->SetSelected(on);
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
