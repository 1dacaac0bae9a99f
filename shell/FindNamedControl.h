// FindNamedControl: a control of an option window found again by its string
// name and class, as every analysis's record and option window look up their
// controls (whether the window was read from the UI data file or built in
// code). A control that is missing, or of another class, is reported through
// the internal assertion report ("Internal error: Duru-object is NULL" with
// the caller's source name and line) and answered as null, so the caller
// skips it and goes on.
#pragma once

#include "dataset/AssumeError.h"
#include "shell/OptionWindow.h"
#include "zaf/core/ZafWindow.h"

template <class Control>
Control *FindNamedControl(ZafWindow *window, const char *name, const char *sourceName, int line)
{
    ZafWindowObject *object = window && name ? window->FindObjectByStringID(name) : nullptr;
    auto *control = dynamic_cast<Control *>(object);
    AssumeError(control != nullptr, sourceName, line, OptionWindow::missingControlText);
    return control;
}
