// OptionWindowBuilder: the pieces an option window is made of, for the
// window definitions that the UI data file generator writes into
// MERVALO.ZNC (and that tests build in code). Every piece is placed in
// cells, named for the option record's control rows and added to the given parent (a window
// or a group; the radio buttons of one group exclude each other). The texts
// given here are placeholders: the option window puts the language file's
// texts on its controls when it opens.
//
// Ownership: each piece belongs to the parent it was added to.
#pragma once

class ZafButton;
class ZafGroup;
class ZafInteger;
class ZafPrompt;
class ZafSpinControl;
class ZafWindow;

class OptionWindowBuilder
{
public:
    // Enters the classes the pieces are read back as and the maker of the
    // frame objects (AddGenericObjects); idempotent.
    static void RegisterClasses();

    // A window of that size in cells, named; not destroyable by the window
    // manager (the option frame owns it).
    static ZafWindow *Window(const char *name, int width, int height);
    static ZafButton *CheckBox(ZafWindow *parent, int left, int top, int width, const char *text, const char *name);
    static ZafButton *RadioButton(ZafWindow *parent, int left, int top, int width, const char *text, const char *name);
    // A titled group box; top and height count the title row.
    static ZafGroup *Group(ZafWindow *parent, int left, int top, int width, int height, const char *text,
                           const char *name);
    // A push button 13 cells wide.
    static ZafButton *PushButton(ZafWindow *parent, int left, int top, const char *text, const char *name);
    static ZafPrompt *Prompt(ZafWindow *parent, int left, int top, int width, const char *text, const char *name);
    // A whole-number field within minimum..maximum with up and down arrows
    // that step it by step (a spin control named name + "_spin"); the field
    // carries the name.
    // The pieces of windows laid out in mini-cells (the graph option
    // windows); a check box or radio button is added to the given group.
    static ZafGroup *MiniCellGroup(ZafWindow *parent, int left, int top, int width, int height, const char *name);
    static ZafButton *MiniCellCheckBox(ZafWindow *group, int left, int top, int width, int height, const char *name);
    static ZafButton *MiniCellRadioButton(ZafWindow *group, int left, int top, int width, int height, const char *name);
    static ZafInteger *IntegerSpin(ZafWindow *parent, int left, int top, int width, long value, long minimum,
                                   long maximum, long step, const char *name);
    // A row of mini-cells that holds a field whole (its text and frame):
    // prompts and fields stand on rows this far apart.
    static constexpr int miniCellFieldRow = 8;
    static ZafPrompt *MiniCellPrompt(ZafWindow *parent, int left, int top, int width, const char *name);
    static ZafInteger *MiniCellIntegerSpin(ZafWindow *parent, int left, int top, int width, long value,
                                           long minimum, long maximum, long step, const char *name);
};
