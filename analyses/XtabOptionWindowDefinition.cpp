#include "analyses/XtabOptionWindowDefinition.h"

#include "analyses/XtOptions.h"
#include "analyses/XtabOption.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/core/ZafWindow.h"

namespace {

constexpr int windowWidth = 62;
constexpr int windowHeight = 15;
constexpr int tableColumn = 1;
constexpr int measureColumn = 32;
constexpr int boxWidth = 29;

ZafButton *CheckBox(int left, int top, const XtabControl &control)
{
    auto *box = new ZafButton(left, top, boxWidth, 1, control.name, nullptr, ZafButton::checkBox);
    box->SetAllowToggling(true);
    box->SetHzJustify(ZafButton::justifyStart);
    box->SetStringID(control.name);
    return box;
}

ZafPrompt *Caption(int left, int top, int width, const char *name)
{
    auto *caption = new ZafPrompt(left, top, width, name);
    caption->SetStringID(name);
    return caption;
}

ZafButton *PushButton(int left, int top, const char *name)
{
    auto *button = new ZafButton(left, top, 13, 1, name);
    button->SetStringID(name);
    return button;
}

} // namespace

ZafWindow *MakeXtabOptionWindowDefinition()
{
    auto *window = new ZafWindow(0, 0, windowWidth, windowHeight);
    window->SetStringID(XtOptions::windowName);
    window->AddObject(Caption(tableColumn, 0, boxWidth, "tabtyp"));
    window->AddObject(Caption(measureColumn, 0, boxWidth, "tabmes"));
    int row = 1;
    for (const XtabControl &control : xtabTableControls)
        window->AddObject(CheckBox(tableColumn, row++, control));
    row = 1;
    for (const XtabControl &control : xtabMeasureControls)
        window->AddObject(CheckBox(measureColumn, row++, control));
    window->AddObject(PushButton(measureColumn, 12, "all_set"));
    window->AddObject(PushButton(measureColumn + 15, 12, "all_clear"));
    window->AddObject(Caption(tableColumn, 13, windowWidth - 2, "notab"));
    return window;
}
