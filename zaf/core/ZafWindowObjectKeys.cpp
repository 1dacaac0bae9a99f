// ZafWindowObject: keys and focus on Windows. Key and character messages of
// an object's window, what a control wants of the dialog keys, the focus
// messages, and the loop's dispatch of a key-down with its character.
#include "zaf/core/ZafWindowObject.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafTracker.h"
#include "zaf/core/ZafWindow.h"

// --- The loop's dispatch of key-downs -----------------------------------------------

namespace {

// The key-down that ZafDispatchMessage is dispatching, and whether an object
// consumed it. Dispatching may run a nested loop (a modal dialog opened by a
// default button): each level keeps its own record.
struct KeyDispatch
{
    MSG message;
    bool consumed;
};
KeyDispatch *dispatching = nullptr;

bool IsKeyDown(UINT message)
{
    return message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
}

bool IsCharacter(UINT message)
{
    return message == WM_CHAR || message == WM_SYSCHAR;
}

void MarkConsumed(const MSG &m)
{
    if (dispatching && dispatching->message.hwnd == m.hwnd && dispatching->message.message == m.message &&
        dispatching->message.wParam == m.wParam && dispatching->message.lParam == m.lParam)
        dispatching->consumed = true;
}

} // namespace

void ZafDispatchMessage(MSG &message)
{
    if (!IsKeyDown(message.message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        return;
    }
    // TranslateMessage posts the character at once; made before the key-down
    // is handled it would reach the control even when the key moved the
    // focus on. IsDialogMessage does not translate the keys it takes either.
    KeyDispatch key = {message, false};
    KeyDispatch *outer = dispatching;
    dispatching = &key;
    DispatchMessageA(&message);
    dispatching = outer;
    if (!key.consumed)
        TranslateMessage(&message);
}

// --- Key messages -------------------------------------------------------------------

ZafEventType ZafWindowObject::HandleKeyMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    ZafEventRecord key = event;
    key.type = ZAF_KEY_EVENT;
    // The handler may delete this object: a key whose object is gone goes no
    // further.
    ZafTracker self(this);
    ZafEventType code = Event(key);
    if (code == ZAF_UNKNOWN && !IsCharacter(m.message) && !self.Deleted())
        code = PassKeyUp(key);
    if (code == ZAF_UNKNOWN)
        return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
    if (IsKeyDown(m.message))
        MarkConsumed(m);
    return 0;
}

UINT ZafWindowObject::DialogCode(const ZafEventRecord &key)
{
    if (!osWindow || !HasFlag(flagOwnWindow))
        return 0;
    // The control reads the key from the message; a key event made without
    // one stands for a key-down.
    MSG m = key.osEvent;
    if (!m.message) {
        m.hwnd = osWindow;
        m.message = WM_KEYDOWN;
        m.wParam = key.key.value;
    }
    // Only a dialog's controls are told that they are in one (the message as
    // lParam, as IsDialogMessage passes it): a multi-line edit then asks its
    // window to move the focus at Tab and to close at Escape, where outside
    // a dialog it types a tab and ignores Escape.
    ZafWindowObject *top = TopLevelObject();
    const bool inDialog = top && top->IsClassID(ZafDialogWindow::classID);
    return static_cast<UINT>(
        SendMessageA(osWindow, WM_GETDLGCODE, m.wParam, inDialog ? reinterpret_cast<LPARAM>(&m) : 0));
}

// --- Focus messages -----------------------------------------------------------------

void ZafWindowObject::FocusArrived()
{
    // The windowless object current in this window gets the focus back;
    // handlers may delete objects, so each is checked before it is used.
    ZafWindowObject *hosted = HostedFocus();
    ZafTracker hostedAlive(hosted);
    if (!focus) {
        focus = true;
        Event(ZafEventRecord(ZAF_CURRENT));
    }
    if (hostedAlive.Deleted())
        return;
    if (hosted != this && !hosted->focus) {
        hosted->focus = true;
        hosted->Event(ZafEventRecord(ZAF_CURRENT));
    }
    if (!hostedAlive.Deleted())
        hosted->NotifyFocus(hosted, true);
}

void ZafWindowObject::FocusLeft()
{
    ZafWindowObject *hosted = HostedFocus();
    if (hosted != this) {
        // The hosted object first, then this one, if the hosted object's
        // handler left it.
        ZafTracker self(this);
        if (hosted->focus) {
            hosted->focus = false;
            hosted->Event(ZafEventRecord(ZAF_NOT_CURRENT));
        }
        if (self.Deleted())
            return;
    }
    if (focus) {
        focus = false;
        Event(ZafEventRecord(ZAF_NOT_CURRENT));
    }
}
