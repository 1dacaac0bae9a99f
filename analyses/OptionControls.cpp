#include "analyses/OptionControls.h"

#include "analyses/FindNamedControl.h"
#include "dataset/AssumeError.h"
#include "shell/OptionWindow.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafInteger.h"
#include "zaf/core/ZafWindow.h"

OptionControls::OptionControls(ZafWindow *window, const char *sourceName) : window(window), sourceName(sourceName)
{}

ZafWindowObject *OptionControls::Find(const char *name, int line) const
{
    return FindNamedControl<ZafWindowObject>(window, name, sourceName, line);
}

ZafButton *OptionControls::Button(const char *name, int line) const
{
    ZafButton *button = FindNamedControl<ZafButton>(window, name, sourceName, line);
    if (!button || button->Type() == ZafButton::checkBox || button->Type() == ZafButton::radioButton)
        return button;
    // A push button of that name is no choice to read or set.
    AssumeError(false, sourceName, line, OptionWindow::missingControlText);
    return nullptr;
}

ZafInteger *OptionControls::Integer(const char *name, int line) const
{
    return FindNamedControl<ZafInteger>(window, name, sourceName, line);
}

bool OptionControls::Selected(const char *name, int line) const
{
    ZafButton *button = Button(name, line);
    return button && button->Selected();
}

void OptionControls::Select(const char *name, bool selected, int line) const
{
    if (ZafButton *button = Button(name, line))
        button->SetSelected(selected);
}

unsigned long OptionControls::ReadBit(const char *name, unsigned long word, unsigned long bit, int line) const
{
    ZafButton *button = Button(name, line);
    if (!button)
        return word;
    return button->Selected() ? (word | bit) : (word & ~bit);
}

void OptionControls::ShowBit(const char *name, unsigned long word, unsigned long bit, int line) const
{
    Select(name, (word & bit) != 0, line);
}

long OptionControls::IntegerValue(const char *name, long fallback, int line) const
{
    ZafInteger *field = Integer(name, line);
    return field ? static_cast<long>(field->GetValue()) : fallback;
}

void OptionControls::SetIntegerValue(const char *name, long value, int line) const
{
    if (ZafInteger *field = Integer(name, line))
        field->SetValue(static_cast<std::int32_t>(value));
}

void OptionControls::SetText(const char *name, const char *text, int line) const
{
    if (ZafWindowObject *object = Find(name, line))
        object->SetText(text);
}

void OptionControls::SetTextIfPresent(const char *name, const char *text) const
{
    if (ZafWindowObject *object = (window && name) ? window->FindObjectByStringID(name) : nullptr)
        object->SetText(text);
}
