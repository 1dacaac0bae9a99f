// FreqGraphOptionWindow: the option windows of the frequency graphs, built in
// code with their controls at fixed places in mini-cells: FreqbarOptionWindow
// (what the bars show, their orientation and their figures) and
// FreqpieOptionWindow (what the pie shows). Each control stands for one bit
// of the graph's option word; the radio buttons "Hori" and "FigPerc" show
// the opposite of their partner's bit. UpdateControls puts the texts of
// group 6 on the controls. A control that is missing is reported as an
// internal error (source "Ofrgraph") and left out.
//
// Ownership: the option frame owns the window; the window owns its groups
// and controls (as a window owns its children).
#pragma once

#include "shell/OptionWindow.h"

class ZafGroup;

class FreqGraphOptionWindow : public OptionWindow
{
public:
    // One control of the window, its bit and its text.
    struct Control
    {
        const char *name;
        unsigned long bit; // 0 for a group, which only takes a text
        bool inverted;     // selected when the bit is clear
        int text;          // of group 6
    };

    void UpdateControls() override;
    // Each control selected from its bit.
    void ShowWord(unsigned long word);
    // The word with each control's bit taken from its state; bits without a
    // control (or whose control is missing) stay as they were.
    unsigned long TakeWord(unsigned long word);

    // The same for a window of the family given as a plain window (the
    // graph-tool registry); other windows are left alone.
    static void ToWindow(ZafWindow *window, unsigned long word);
    static unsigned long FromWindow(ZafWindow *window, unsigned long word);

protected:
    // A window of that size in cells, with the control table (static data).
    FreqGraphOptionWindow(int width, int height, const Control *controls, int count);
    // A titled group in mini-cells, named, added to the window.
    ZafGroup *AddGroup(int left, int top, int width, int height, const char *name);
    // A check box or a radio button in mini-cells, named, in the group.
    void AddCheckBox(ZafGroup *group, int top, const char *name);
    void AddRadioButton(ZafGroup *group, int top, const char *name);

private:
    const Control *controls;
    int controlCount;
};

class FreqbarOptionWindow : public FreqGraphOptionWindow
{
public:
    FreqbarOptionWindow();
};

class FreqpieOptionWindow : public FreqGraphOptionWindow
{
public:
    FreqpieOptionWindow();
};
