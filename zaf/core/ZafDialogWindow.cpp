#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"

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

namespace {

// The front top-level window other than the dialog; null when none.
ZafWindow *FrontWindowBesides(const ZafWindowObject *dialog)
{
    for (ZafElement *e = zafWindowManager->First(); e; e = e->Next())
        if (e != dialog)
            return dynamic_cast<ZafWindow *>(static_cast<ZafWindowObject *>(e));
    return nullptr;
}

} // namespace

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
    if (!owner)
        owner = modalWindow ? modalWindow : FrontWindowBesides(this);
    ZafDialogWindow *outer = modalWindow;
    outerModal = outer;
    modalWindow = this;
    // A handler may delete the dialog: the loop then must not read it again.
    ZafTracker self(this);
    if (!placed && !OSHandle())
        zafWindowManager->CenterObjectOn(this, owner);
    zafWindowManager->AddObject(this);
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
