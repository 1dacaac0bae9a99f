#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"

#include <algorithm>
#include <cstring>
#include <vector>

ZafDialogWindow *ZafDialogWindow::modalWindow = nullptr;

ZafDialogWindow::ZafDialogWindow(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{
    ClearFlag(flagSizeable);
}

ZafDialogWindow::ZafDialogWindow(const ZafDialogWindow &copy) : ZafWindow(copy)
{}

ZafDialogWindow::~ZafDialogWindow()
{
    if (modalWindow == this)
        modalWindow = outerModal;
}

ZafDialogWindow::ZafDialogWindow(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry))
{
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafDialogWindow::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafDialogWindow(name, persistence);
}

void ZafDialogWindow::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry);
    ZafWindow::Write(persistence);
    persistence.PopLevel();
}

bool ZafDialogWindow::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafDialogWindow::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

ZafWindowObject *ZafDialogWindow::Duplicate() const
{
    return new ZafDialogWindow(*this);
}

bool ZafDialogWindow::IsEndCode(ZafEventType code)
{
    return code == ZAF_DIALOG_OK || code == ZAF_DIALOG_DELETE || code == ZAF_DIALOG_CANCEL;
}

DWORD ZafDialogWindow::OSStyle() const
{
    if (!IsTopLevel())
        return ZafWindow::OSStyle();
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (HasFlag(flagSizeable))
        style |= WS_THICKFRAME;
    return style;
}

DWORD ZafDialogWindow::OSExtendedStyle() const
{
    return IsTopLevel() ? WS_EX_DLGMODALFRAME : ZafWindow::OSExtendedStyle();
}

ZafEventType ZafDialogWindow::Event(const ZafEventRecord &event)
{
    if (running && IsEndCode(event.type)) {
        endCode = event.type;
        return event.type;
    }
    switch (event.type) {
    case ZAF_CLOSE_QUERY:
        // Closing a modal dialog ends its loop as cancel; Control, not the
        // window manager, takes it away.
        if (running) {
            if (!endCode)
                endCode = ZAF_DIALOG_CANCEL;
            return ZAF_REFUSED;
        }
        return 0;
    case ZAF_KEY_EVENT: {
        // The focused object has the key first; one that wants every key
        // (a multi-line edit) keeps Escape too. It is asked whether the
        // dialog runs or not, as IsDialogMessage asks: the question tells a
        // native control that it is in a dialog.
        ZafEventType code = ZafWindow::Event(event);
        if (code != ZAF_UNKNOWN || event.osEvent.message != WM_KEYDOWN || event.key.value != VK_ESCAPE)
            return code;
        if (!SourceWantsKey(event) && running) {
            endCode = ZAF_DIALOG_CANCEL;
            return ZAF_DIALOG_CANCEL;
        }
        return code;
    }
    default:
        break;
    }
    return ZafWindow::Event(event);
}

ZafWindowObject *ZafDialogWindow::DefaultOpener(const ZafWindowObject *dialog)
{
    if (modalWindow && modalWindow != dialog && modalWindow->OSHandle(2))
        return modalWindow;
    return zafWindowManager ? zafWindowManager->WorkingWindow(dialog) : nullptr;
}

namespace {

bool ShownWindow(HWND window)
{
    return window && IsWindow(window) && IsWindowVisible(window) && !IsIconic(window);
}

bool ShownObject(const ZafWindowObject *object)
{
    return object && ShownWindow(object->OSHandle(2));
}

// The message box about to open and where it goes: the hook centres the
// first dialog-class window activated while MessageBoxA runs.
struct MessageBoxPlace
{
    HHOOK hook = nullptr;
    RECT centre = {};
};
MessageBoxPlace *pendingBox = nullptr;

LRESULT CALLBACK PlaceMessageBox(int code, WPARAM wParam, LPARAM lParam)
{
    MessageBoxPlace *place = pendingBox;
    if (code == HCBT_ACTIVATE && place) {
        auto box = reinterpret_cast<HWND>(wParam);
        char name[16] = "";
        GetClassNameA(box, name, sizeof name);
        if (std::strcmp(name, "#32770") == 0) {
            pendingBox = nullptr;
            RECT r = {};
            GetWindowRect(box, &r);
            const int width = r.right - r.left, height = r.bottom - r.top;
            RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            RECT work = area;
            if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left &&
                work.bottom > work.top)
                area = work;
            int left = place->centre.left + (place->centre.right - place->centre.left - width) / 2;
            int top = place->centre.top + (place->centre.bottom - place->centre.top - height) / 2;
            left = std::max<int>(area.left, std::min<int>(left, area.right - width));
            top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
            SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return CallNextHookEx(place ? place->hook : nullptr, code, wParam, lParam);
}

} // namespace

int ZafMessageBox(HWND owner, HWND centreOn, const char *text, const char *title, unsigned flags)
{
    HWND target = ShownWindow(centreOn) ? centreOn : (ShownWindow(owner) ? owner : nullptr);
    if (!target)
        if (ZafWindowObject *working = ZafDialogWindow::DefaultOpener(nullptr))
            target = working->OSHandle(2);
    MessageBoxPlace place;
    if (target && GetWindowRect(target, &place.centre)) {
        place.hook = SetWindowsHookExA(WH_CBT, PlaceMessageBox, nullptr, GetCurrentThreadId());
        if (place.hook)
            pendingBox = &place;
    }
    const int answer = MessageBoxA(owner, text ? text : "", title ? title : "", flags);
    if (pendingBox == &place)
        pendingBox = nullptr;
    if (place.hook)
        UnhookWindowsHookEx(place.hook);
    return answer;
}

ZafEventType ZafDialogWindow::Control()
{
    if (!zafWindowManager || !zafEventManager)
        return ZAF_DIALOG_CANCEL;
    std::vector<HWND> disabled;
    for (ZafElement *e = zafWindowManager->First(); e; e = e->Next()) {
        HWND other = static_cast<ZafWindowObject *>(e)->OSHandle(2);
        if (other && e != this && IsWindowEnabled(other)) {
            EnableWindow(other, FALSE);
            disabled.push_back(other);
        }
    }
    endCode = 0;
    running = true;
    SetFlag(flagModal);
    // Owned while it runs, so that it stays above the windows it disables;
    // the owner given by the caller, if any, comes back afterwards.
    ZafWindow *ownerGiven = owner;
    ZafWindowObject *openedOn = ShownObject(Opener()) ? Opener() : DefaultOpener(this);
    if (!owner) {
        ZafWindowObject *top = openedOn ? openedOn->TopLevelObject() : nullptr;
        owner = modalWindow ? modalWindow : dynamic_cast<ZafWindow *>(top != this ? top : nullptr);
        // With no window shown, the front one (hidden) still owns it.
        for (ZafElement *e = zafWindowManager->First(); e && !owner; e = e->Next())
            if (e != this)
                owner = dynamic_cast<ZafWindow *>(static_cast<ZafWindowObject *>(e));
    }
    ZafDialogWindow *outer = modalWindow;
    outerModal = outer;
    modalWindow = this;
    // A handler may delete the dialog: the loop then must not read it again.
    ZafTracker self(this);
    if (!placed && !OSHandle())
        zafWindowManager->CenterObjectOn(this, openedOn);
    zafWindowManager->AddObject(this);
    // The keys are the dialog's while it runs: the focus goes into it when
    // it stayed in a window the dialog disables.
    if (HWND dialogWindow = OSHandle(2)) {
        HWND focused = GetFocus();
        if (focused != dialogWindow && !IsChild(dialogWindow, focused) && IsWindowVisible(dialogWindow))
            ::SetFocus(dialogWindow);
        // As a Windows dialog opens: the focus in its first control that
        // takes it (a question's field), unless the caller put it elsewhere.
        if (::GetFocus() == dialogWindow && HostedFocus() == this)
            MoveFocus(true);
    }
    while (!self.Deleted() && !endCode) {
        ZafEventRecord event;
        if (!zafEventManager->Get(event))
            continue;
        if (event.type == ZAF_EXIT) {
            PostQuitMessage(0);
            endCode = ZAF_DIALOG_CANCEL;
            break;
        }
        zafWindowManager->Event(event);
    }
    modalWindow = outer;
    if (self.Deleted()) {
        for (HWND other : disabled)
            if (IsWindow(other))
                EnableWindow(other, TRUE);
        return ZAF_DIALOG_CANCEL;
    }
    running = false;
    ClearFlag(flagModal);
    for (HWND other : disabled)
        if (IsWindow(other))
            EnableWindow(other, TRUE);
    zafWindowManager->SubtractObject(this);
    owner = ownerGiven;
    return endCode;
}
