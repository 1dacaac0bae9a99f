#include "shell/OptionWindow.h"

#include "stats/StatOption.h"

#include "dataset/AssumeError.h"

OptionWindow::OptionWindow(int width, int height) : ZafWindow(0, 0, width, height)
{
    SetStringID("OPTION_WINDOW");
}

OptionWindow::OptionWindow(const char *name, ZafWindowPersistence &persistence) : ZafWindow(name, persistence)
{}

ZafWindowObject *OptionWindow::FindControl(const char *name, const char *sourceName, int line)
{
    ZafWindowObject *control = name ? FindObjectByStringID(name) : nullptr;
    AssumeError(control != nullptr, sourceName, line, missingControlText);
    return control;
}

OpButton *OptionWindow::FindCheckBox(const char *name, const char *sourceName, int line)
{
    auto *box = dynamic_cast<OpButton *>(name ? FindObjectByStringID(name) : nullptr);
    AssumeError(box != nullptr, sourceName, line, missingControlText);
    return box;
}

RadioButton *OptionWindow::FindRadioButton(const char *name, const char *sourceName, int line)
{
    auto *radio = dynamic_cast<RadioButton *>(name ? FindObjectByStringID(name) : nullptr);
    AssumeError(radio != nullptr, sourceName, line, missingControlText);
    return radio;
}

namespace {

void SetUpCheckType(ZafButton &button, const char *stringID)
{
    button.SetCoordinateType(ZAF_MINI_CELL);
    button.SetAllowToggling(true);
    // The box (or circle) at the left, its text beside it.
    button.SetHzJustify(ZafButton::justifyStart);
    if (stringID)
        button.SetStringID(stringID);
}

} // namespace

OpButton::OpButton(int left, int top, int width, int height, const char *text, const char *stringID)
    : ZafButtonX(left, top, width, height, text, nullptr, checkBox)
{
    SetUpCheckType(*this, stringID);
}

RadioButton::RadioButton(int left, int top, int width, int height, const char *text, const char *stringID)
    : ZafButtonX(left, top, width, height, text, nullptr, radioButton)
{
    SetUpCheckType(*this, stringID);
}

void DeleteOptionRecord(StatOption *record)
{
    if (!record)
        return;
    ZafWindow *pre = record->preOptionWindow;
    record->preOptionWindow = nullptr;
    delete pre;
    delete record;
}
