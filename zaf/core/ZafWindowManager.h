// ZafWindowManager: the screen-level window whose children are the top-level
// windows, and the dispatcher of the event loop.
//
// The first child is the front window. AddObject puts a window in front,
// makes its Windows window and shows it. SubtractObject takes a window out
// and destroys its Windows window but never deletes it: the caller owns it
// again (a dialog's modal loop relies on this). Closing a window (ZAF_CLOSE
// with the window in the value word, or the first window that is not
// temporary, WM_CLOSE of a top-level window's frame, and ZAF_SUBTRACT_OBJECT)
// subtracts it and deletes it when its destroyable flag is set, except a
// dialog that its Control runs: that one's loop ends as ZAF_DIALOG_CANCEL
// and the dialog stays for Control to take out and its caller to delete.
//
// Main window: closing the window named by SetMainWindow (its title bar,
// Alt+F4, ZAF_CLOSE) closes every other window with it, so that the loop
// ends as ZAF_NO_WINDOWS; every window is asked with ZAF_CLOSE_QUERY first
// and one that refuses keeps them all open.
//
// Lifetime: a window closed while the window manager dispatches an event
// (a user function closing its own window) leaves the screen at once but is
// deleted when the outermost dispatch returns, since its handlers may still
// be on the stack. Events name their window by event handle: a close event
// for a window that is gone does nothing.
//
// Event (the loop's dispatcher): a key message is first offered to the
// shortcuts of the top-level window it is for: a frame's MDI keys
// (TranslateMDISysAccel: Ctrl+F4 closes the active child through its close
// query, Ctrl+F6 activates the next one), then the window's accelerator
// table (ZafWindow::SetAccelerators); a key taken there goes no further.
// Any other Windows message is dispatched to its window procedure and
// translated (ZafDispatchMessage); ZAF_EXIT posts WM_QUIT (unless it came from one) and answers
// ZAF_EXIT; ZAF_CLOSE_TEMPORARY closes the first temporary window that
// answers 0 to ZAF_CLOSE_QUERY; ZAF_ADD_OBJECT / ZAF_SUBTRACT_OBJECT add /
// close the window carried; any other logical event goes to the front
// window. When no window is left the answer is ZAF_NO_WINDOWS.
//
// Ownership: the application makes one and stores it in zafWindowManager;
// deleting it deletes the windows it still holds. It is the list that name
// paths beginning with '~' start from.
#pragma once

#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindow.h"

#include <memory>
#include <string>
#include <vector>

class ZafWindowManager : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1000;
    static constexpr const char *className = "ZafWindowManager";

    ZafWindowManager();
    ~ZafWindowManager() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;

    ZafEventType Event(const ZafEventRecord &event) override;
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;
    // Subtracts the window (a live one: callers hold a tracker across any
    // call-out) and deletes it when destroyable, at once or when the
    // dispatch returns (see above); a dialog in its Control ends its loop
    // as cancel instead. Answers ZAF_NO_WINDOWS when none is left, else
    // ZAF_CLOSE.
    ZafEventType CloseWindow(ZafWindowObject *window);
    // Centres an object's region on the screen (its coordinate type kept).
    // A dialog centred so keeps that place when it runs (ZafDialogWindow).
    void CenterObject(ZafWindowObject *object);
    // Centres an object's region on another object's window (on the screen
    // when that has no Windows window), then moves it as little as needed
    // to lie whole within the screen's work area.
    void CenterObjectOn(ZafWindowObject *object, ZafWindowObject *owner);

    ZafWindowObject *FirstWindow() const { return FirstChild(); }
    // The program's main window (see above); null: none, or it is gone.
    void SetMainWindow(ZafWindowObject *window) { mainWindow.Track(window); }
    ZafWindowObject *MainWindow() const { return mainWindow.Get<ZafWindowObject>(); }
    // The window the user works in, where dialogs and messages open: the
    // active window when it is one of these (and visible), else the main
    // window when visible, else the front visible one; `besides` (a dialog
    // about to open) is never the answer. Null when no window is visible.
    ZafWindowObject *WorkingWindow(const ZafWindowObject *besides = nullptr) const;
    // Closes every window (no questions), as at the end of the program.
    void CloseEveryWindow();
    // The object being dragged (null unless a drag is under way).
    ZafWindowObject *DragObject() const { return dragObject; }
    ZafWindowObject *SetDragObject(ZafWindowObject *object) { return dragObject = object; }
    // The combo box whose list is dropped; a left press over another window
    // closes that list.
    static HWND droppedComboBox;

    // Changes the language, locale and code set to those of an i18n name
    // ("language_locale.codeset"; null: the system's) through the data
    // layer's ResetI18n, redraws every window and answers the name now in
    // force, which I18nName keeps. Without the data layer nothing changes
    // and the answer is the name kept before.
    const char *ChangeLanguage(const char *name);
    const char *I18nName() const { return i18nName.c_str(); }

protected:
    void ForgetChild(ZafWindowObject *child) override;

private:
    ZafEventType Dispatch(const ZafEventRecord &event);
    ZafEventType DispatchOSMessage(const ZafEventRecord &event);
    // True when the shortcuts of the message's top-level window took it.
    static bool TranslateShortcut(MSG &message);
    // Asks the window with ZAF_CLOSE_QUERY and closes it when it agrees;
    // answers as CloseWindow, with the answer code in place of ZAF_CLOSE.
    ZafEventType QueryAndClose(ZafWindowObject *window, ZafEventType answer);
    void DeleteWindow(ZafWindowObject *window);
    // Closes every window but the main window (CloseWindow of each).
    void CloseBesides(ZafWindowObject *kept);
    void DeletePendingWindows();
    ZafWindowObject *dragObject = nullptr;
    ZafTracker mainWindow;
    // Depth of nested calls of Event, and the windows closed under them.
    int dispatchDepth = 0;
    std::vector<std::unique_ptr<ZafTracker>> pendingDeletes;
    ZafList *previousRoots = nullptr;
    std::string i18nName;
};
