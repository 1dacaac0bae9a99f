// ZafSpinControl: a window that holds exactly one field (a ZafString, in
// practice a ZafInteger or ZafReal) with a pair of up/down arrows at its
// right end. Each arrow click, and each Up or Down key typed in the field,
// steps the field's value by the step data (wrapping at the ends of the
// field's ranges when asked) and then reports a selection (ZAF_SELECT) to
// the spin control's user function. The field's own selections (Enter)
// reach that user function too, unless the field has a user function of
// its own.
//
// The arrows are a Windows "msctls_updown32" control in the spin control's
// window, with the range 0 to 2 held at 1: a click moves it to 0 or 2, which
// becomes one step, and it is set back to 1. The up-down control reports a
// click twice (SB_THUMBPOSITION, then SB_ENDSCROLL); only the first steps.
//
// The field keeps the arrow keys that a window would take for moving the
// focus (an EDIT control wants them); the spin control gets them because a
// key the field does not consume passes up to its parent, the spin control,
// before its window sees it.
//
// Ownership: the spin control owns its field (as every window owns its
// children) and its step data when that is destroyable and nobody else
// observes it.
//
// Layout (pixels): with W and H the spin control's size (ArrowWidth), the arrows are
// w = H * 3 / 4 wide (never wider than W - 1); the field takes (0, 0, W - 1 - w, H - 1) and the
// arrows stand at x = W - 1 - w, w wide and H - 1 high.
//
// The persistent record (level "ZafSpinControl", class id 1017, after the
// window record and its field):
//   u16  flags: bit 0 read-only, bit 1 wrap
//   u16  class id of the step data (0 none)
//   text the step data's name
// followed by the step data's own record beside it. The step is read through
// the persistence's data table, and integer and real data (the fields' own
// kinds) also without it.
#pragma once

#include "zaf/core/ZafWindow.h"

#include <cstdint>

class ZafData;
class ZafString;

class ZafSpinControl : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1017;
    static constexpr const char *className = "ZafSpinControl";

    // Bits of the stored flag word.
    enum StoredFlag : std::uint16_t {
        storedReadOnly = 0x0001,
        storedWrap = 0x0002,
    };
    // The up-down control's range: the middle is its resting place.
    static constexpr int arrowDown = 0;
    static constexpr int arrowRest = 1;
    static constexpr int arrowUp = 2;

    // Region in cells; no field and no step data yet.
    ZafSpinControl(int left, int top, int width, int height);
    // Copies the flags and the field; a destroyable step data is copied.
    ZafSpinControl(const ZafSpinControl &copy);
    ~ZafSpinControl() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafSpinControl(*this); }

    // --- Persistence ------------------------------------------------------
    ZafSpinControl(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    static void RegisterPersistence();

    // --- The field --------------------------------------------------------
    // Replaces (and deletes) the field; refused once the Windows window
    // exists, when it answers the field in force. A field without a user
    // function reports its selections through the spin control's.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    // Refused once the Windows window exists (answers the field).
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;
    ZafString *Field() const;
    // Set on the spin control, then on its field.
    const char *SetHelpContext(const char *text) override;
    const char *SetTipText(const char *text) override;
    const char *SetSecondTipText(const char *text) override;
    bool SetNoFocus(bool flag) override;
    bool SetOwnWindow(bool flag) override;
    // Passed to the field, whose answer the spin control keeps as its own;
    // on the spin control itself while it has no field.
    bool SetBordered(bool flag) override;
    bool SetChanged(bool flag) override;
    bool Changed() const override;
    bool SetCopyDraggable(bool flag) override;
    bool SetSecondDragFlag(bool flag) override;
    bool SetMoveDraggable(bool flag) override;
    const char *Text() override;
    int SetText(const char *text) override;

    // --- Events -----------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // One step up or down and the selection report; 0, or 1 when nothing
    // could step (no field, disabled, read-only).
    int Step(bool up, const ZafEventRecord &event);

    // --- Windows window ---------------------------------------------------
    HWND CreateOSWindow() override;
    // Also enables or disables the arrows: the up-down control keeps the
    // state it was made with unless it is told.
    bool SetDisabled(bool flag) override;
    // As high as a line of its field's font inside its own frame and the
    // field's.
    int MinimumPixelHeight() const override;
    void OSWindowDestroyed() override;
    HWND UpDownHandle() const { return upDown; }
    // The up-down control's window procedure once the spin control is
    // created: its mouse messages go to the spin control's Event (and on to
    // the control's own procedure from there), every other message straight
    // to the control's own procedure.
    static LRESULT CALLBACK UpDownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Without a Windows window of its own the spin control paints the
    // arrow box itself: an upper and a lower raised half with a triangle
    // pointing up and down, at its right end, and the rest as a plain
    // object.
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // The background entry's system colours are the window colour, both.
    void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const override;
    // The arrows' width in pixels for a spin control of that size.
    static int ArrowWidth(int width, int height);
    // Places the field and the arrows (see above).
    void Layout();

    // --- Attributes -------------------------------------------------------
    // Stores the step data, deleting the old one under the rule above; 0.
    int SetStepData(ZafData *data);
    ZafData *StepData() const { return stepData; }
    // Refused once created; passed to the field.
    bool SetReadOnly(bool flag);
    bool SetWrap(bool flag) { return wrap = flag; }
    bool ReadOnly() const { return readOnly; }
    bool Wrap() const { return wrap; }
    // Fixed for every spin control.
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetTemporary(bool flag) override { return DenyTemporary(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }

private:
    void Construct();
    void ReadFields(ZafWindowPersistence &persistence);
    // The user function a field without one gets: its selection is the
    // spin control's.
    static ZafEventType FieldCallback(ZafWindowObject *field, ZafEventRecord &event, ZafEventType code);

    bool readOnly = false;
    bool wrap = false;
    ZafData *stepData = nullptr;
    HWND upDown = nullptr;
};
