// ZafDialogWindow: a window that can run modally. Built in code (region in
// cells, whose size comes from the display) or read by name.
//
// Control adds the dialog to the window manager when it is not there yet,
// disables the other top-level windows and runs the event loop until the
// dialog receives an end code: ZAF_DIALOG_OK (-2999), ZAF_DIALOG_DELETE
// (-2997) or ZAF_DIALOG_CANCEL (-2993); Escape and closing the dialog from
// its title bar end it as ZAF_DIALOG_CANCEL, never as OK. ZAF_DIALOG_APPLY
// (-2998) is an event for the dialog's handler and does not end the loop.
// A WM_QUIT arriving meanwhile ends the loop as cancel and is posted again
// for the outer loop.
//
// Ownership: Control takes the dialog out of the window manager before it
// returns and never deletes it; the caller deletes it once. Closing or
// subtracting the dialog through the window manager while Control runs
// (ZAF_CLOSE, ZAF_SUBTRACT_OBJECT, CloseWindow) ends the loop as
// ZAF_DIALOG_CANCEL and leaves the dialog to that caller. A dialog that is
// closed while not modal is a window like any other: the window manager
// deletes it when destroyable.
// A dialog deleted during its own loop (by a handler or user function)
// ends the loop as ZAF_DIALOG_CANCEL; Control then touches it no more.
//
// Owner: a dialog that Control runs without an owner of its own is owned,
// while it runs, by the dialog whose loop runs it (ModalWindow), else by
// the top-level window of the window it opens on (below), else by the front
// window, so that it stays above the windows it disables. Message boxes shown meanwhile are owned
// by ModalWindow too (ZafErrorSystem).
//
// Place: a dialog that Control runs before it has a Windows window is
// centred on the window it opens on and kept whole on the screen
// (ZafWindowManager::CenterObjectOn). That window is the one its caller
// named with SetOpener (a workbook for its options, a graph window for a
// dialog about the graph), else the dialog whose loop runs it, else the
// window the user works in (ZafWindowManager::WorkingWindow: the active
// window, else the main window). A caller that placed the dialog itself
// (at the mouse, say) says so with SetPlaced(true) after setting its
// region: Control then leaves it where its region puts it.
// ZafWindowManager::CenterObject (centred on the screen) sets it too.
#pragma once

#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindow.h"

// A Windows message box (MessageBoxA) that opens centred on a window and
// whole on the work area: on `centreOn` when it is visible, else on the
// owner, else on the window the user works in (ZafDialogWindow::
// DefaultOpener). Answers what MessageBoxA answers.
int ZafMessageBox(HWND owner, HWND centreOn, const char *text, const char *title, unsigned flags);

class ZafDialogWindow : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 22;
    static constexpr const char *className = "ZafDialogWindow";

    ZafDialogWindow(int left, int top, int width, int height);
    ZafDialogWindow(const ZafDialogWindow &copy);
    ~ZafDialogWindow() override;
    // The persistent constructor and read function; the record is the
    // window's (ZafWindow), read and written in a level of this class.
    ZafDialogWindow(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override;

    ZafEventType Event(const ZafEventRecord &event) override;
    DWORD OSStyle() const override;
    DWORD OSExtendedStyle() const override;

    // Runs the dialog modally; answers the end code.
    virtual ZafEventType Control();
    bool InModalLoop() const { return endCode == 0 && running; }
    // True while Control runs the dialog, its end code set or not.
    bool IsRunning() const { return running; }
    static bool IsEndCode(ZafEventType code);
    // The innermost dialog that Control runs now; null when none.
    static ZafDialogWindow *ModalWindow() { return modalWindow; }
    // Set: Control leaves the dialog where its region puts it; the caller
    // placed it.
    void SetPlaced(bool flag) { placed = flag; }
    bool Placed() const { return placed; }
    // The window the dialog opens centred on (null: the default above). A
    // window deleted before the dialog runs counts as none.
    void SetOpener(ZafWindowObject *window) { opener.Track(window); }
    ZafWindowObject *Opener() const { return opener.Get<ZafWindowObject>(); }
    // Where a dialog opens when its caller names no window (see Place).
    static ZafWindowObject *DefaultOpener(const ZafWindowObject *dialog);

private:
    static ZafDialogWindow *modalWindow;
    // The dialog that was ModalWindow when Control began.
    ZafDialogWindow *outerModal = nullptr;
    ZafEventType endCode = 0;
    bool running = false;
    bool placed = false;
    ZafTracker opener;
};
