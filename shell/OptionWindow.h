// OptionWindow: the base of every analysis's option window, shown inside
// OptionWindowFrame; OpButton and RadioButton are its check box and radio
// button.
//
// An option window is either read from the UI data file by name or built in
// code with its controls at fixed places in mini-cells; either way each
// control is found again by its string name (FindControl), and a missing
// one is reported through AssumeError ("Internal error: Duru-object is
// NULL", with the caller's source name and line) instead of being touched.
//
// UpdateControls puts the texts on the controls and refreshes them from the
// record; the base does nothing. The frame marks whether the window was
// opened before any workbook existed (from the variable-list window), which
// some windows use to hide what only applies to an open workbook.
//
// Ownership: the option frame owns the window (its child); the record only
// points to it while the frame is open.
#pragma once

#include "shell/ZafButtonX.h"
#include "zaf/core/ZafWindow.h"

class OpButton;
class StatOption;
class RadioButton;

class OptionWindow : public ZafWindow
{
public:
    // A window of that size in cells at the frame's top left.
    OptionWindow(int width, int height);
    // The window of that name read from a UI data file; its error word says
    // whether it was there.
    OptionWindow(const char *name, ZafWindowPersistence &persistence);

    virtual void UpdateControls() {}

    bool OpenedBeforeWorkbook() const { return openedBeforeWorkbook; }
    void SetOpenedBeforeWorkbook(bool flag) { openedBeforeWorkbook = flag; }

    // The control of that string name; null after reporting it as missing.
    ZafWindowObject *FindControl(const char *name, const char *sourceName, int line);
    // The same, typed: null (reported) when missing or of another class.
    OpButton *FindCheckBox(const char *name, const char *sourceName, int line);
    RadioButton *FindRadioButton(const char *name, const char *sourceName, int line);

    // The text reported for a missing control.
    static constexpr const char *missingControlText = "Internal error: Duru-object is NULL";

private:
    bool openedBeforeWorkbook = false;
};

// A check box at a fixed place in mini-cells; clicking it toggles it.
class OpButton : public ZafButtonX
{
public:
    // The region in mini-cells; the text may mark its hot key with '&'; the
    // string id names it for FindControl (null: none).
    OpButton(int left, int top, int width, int height, const char *text, const char *stringID = nullptr);

    bool Checked() const { return Selected(); }
    void SetChecked(bool flag) { SetSelected(flag); }
};

// A radio button at a fixed place in mini-cells; the radio buttons of one
// window (or group) exclude each other.
class RadioButton : public ZafButtonX
{
public:
    RadioButton(int left, int top, int width, int height, const char *text, const char *stringID = nullptr);

    bool Checked() const { return Selected(); }
    void SetChecked(bool flag) { SetSelected(flag); }
};

// Deletes an option record together with the pre-option window it keeps
// (StatOption::preOptionWindow, kept from the variable-list window's
// question until the record goes, so that its run and later option changes
// read what the user entered). Every owner of a record deletes it this way.
void DeleteOptionRecord(StatOption *record);
