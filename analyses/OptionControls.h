// OptionControls: reading and setting an option window's controls by their
// string names, for option records whose windows come from the UI data file
// (where check boxes and radio buttons are plain ZafButtons) or are built in
// code.
//
// Lookups go through FindNamedControl: a control that is not found (or is
// not of the kind asked for) is reported through AssumeError ("Internal
// error: Duru-object is NULL", with the source name and line the caller
// gives) and left alone: a read leaves the caller's value unchanged, a write
// does nothing. The *IfPresent operations are for
// controls that only some windows hold; they report nothing.
//
// Ownership: none; the window must outlive the object (a record makes one
// on its optionWindow for the length of ToWindow / FromWindow).
#pragma once

class ZafButton;
class ZafInteger;
class ZafWindow;
class ZafWindowObject;

class OptionControls
{
public:
    // window may be null: every lookup then fails (and is reported).
    OptionControls(ZafWindow *window, const char *sourceName);

    // The object of that name anywhere in the window, reported when absent.
    ZafWindowObject *Find(const char *name, int line) const;
    // A check box or radio button of that name, reported when absent or of
    // another kind.
    ZafButton *Button(const char *name, int line) const;
    // The integer field of that name (also inside a spin control).
    ZafInteger *Integer(const char *name, int line) const;

    // Whether the button is selected; false (reported) when it is missing.
    bool Selected(const char *name, int line) const;
    void Select(const char *name, bool selected, int line) const;

    // Sets the bit of the word when the button is selected, clears it when
    // not; a missing button leaves the word unchanged. Answers the word.
    unsigned long ReadBit(const char *name, unsigned long word, unsigned long bit, int line) const;
    // Selects the button as the bit is set or clear.
    void ShowBit(const char *name, unsigned long word, unsigned long bit, int line) const;

    // The integer field's value; the fallback when it is missing.
    long IntegerValue(const char *name, long fallback, int line) const;
    void SetIntegerValue(const char *name, long value, int line) const;

    // Sets the text of the named object; reported when it is missing.
    void SetText(const char *name, const char *text, int line) const;
    // The same for an object only some windows hold: nothing when absent.
    void SetTextIfPresent(const char *name, const char *text) const;

private:
    ZafWindow *window;
    const char *sourceName;
};
