#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDialogWindow.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafText.h"

#include <algorithm>
#include <memory>
#include <vector>

HWND ZafWindowManager::droppedComboBox = nullptr;

ZafWindowManager::ZafWindowManager() : ZafWindow(0, 0, 0, 0)
{
    region = ZafRegionRect(0, 0, GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1, ZAF_PIXEL);
    coordinateType = ZAF_PIXEL;
    previousRoots = SetRootWindowList(this);
}

ZafWindowManager::~ZafWindowManager()
{
    DeletePendingWindows();
    SetRootWindowList(previousRoots);
    if (zafWindowManager == this)
        zafWindowManager = nullptr;
}

bool ZafWindowManager::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafWindowManager::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

ZafWindowObject *ZafWindowManager::AddObject(ZafWindowObject *object, ZafWindowObject *)
{
    if (!object)
        return nullptr;
    // A window already here comes to the front.
    if (object->Parent() == this) {
        Subtract(object);
        AddBefore(object, First());
    } else if (!ZafWindow::AddObject(object, FirstChild())) {
        return nullptr;
    }
    if (!object->OSHandle())
        object->Event(ZafEventRecord(ZAF_CREATE));
    if (HWND window = object->OSHandle(2)) {
        auto *w = dynamic_cast<ZafWindow *>(object);
        int show = SW_SHOW;
        if (w && w->Maximized())
            show = SW_SHOWMAXIMIZED;
        else if (w && w->Minimized())
            show = SW_SHOWMINIMIZED;
        if (object->Visible())
            ShowWindow(window, show);
        SetActiveWindow(window);
    }
    return object;
}

ZafWindowObject *ZafWindowManager::SubtractObject(ZafWindowObject *object)
{
    if (object == dragObject)
        dragObject = nullptr;
    return ZafWindow::SubtractObject(object);
}

void ZafWindowManager::ForgetChild(ZafWindowObject *child)
{
    if (child == dragObject)
        dragObject = nullptr;
    ZafWindow::ForgetChild(child);
}

ZafEventType ZafWindowManager::CloseWindow(ZafWindowObject *window)
{
    if (window && window->Parent() == this && window == MainWindow())
        CloseBesides(window);
    if (window && window->Parent() == this) {
        // A dialog that Control runs belongs to Control's caller: its loop
        // ends as cancel and Control takes it out (deleting it here made the
        // caller's delete after the loop a second one).
        auto *dialog = dynamic_cast<ZafDialogWindow *>(window);
        if (dialog && dialog->IsRunning()) {
            if (dialog->InModalLoop())
                dialog->Event(ZafEventRecord(ZAF_DIALOG_CANCEL));
            return ZAF_CLOSE;
        }
        SubtractObject(window);
        auto *w = dynamic_cast<ZafWindow *>(window);
        if (!w || w->Destroyable())
            DeleteWindow(window);
    }
    return IsEmpty() ? ZAF_NO_WINDOWS : ZAF_CLOSE;
}

void ZafWindowManager::CloseBesides(ZafWindowObject *kept)
{
    // A window's close may close others (a list that owns dialogs): each
    // is looked at again before it is closed.
    std::vector<std::unique_ptr<ZafTracker>> others;
    for (ZafElement *e = First(); e; e = e->Next())
        if (e != kept)
            others.emplace_back(new ZafTracker(e));
    for (auto &tracker : others)
        if (auto *other = tracker->Get<ZafWindowObject>(); other && other->Parent() == this)
            CloseWindow(other);
}

void ZafWindowManager::CloseEveryWindow()
{
    SetMainWindow(nullptr);
    CloseBesides(nullptr);
}

ZafWindowObject *ZafWindowManager::WorkingWindow(const ZafWindowObject *besides) const
{
    const auto shown = [besides](ZafWindowObject *window) {
        HWND handle = window ? window->OSHandle(2) : nullptr;
        return window && window != besides && handle && IsWindowVisible(handle) && !IsIconic(handle);
    };
    HWND active = GetActiveWindow();
    for (ZafElement *e = First(); e && active; e = e->Next())
        if (auto *window = static_cast<ZafWindowObject *>(e); window->OSHandle(2) == active && shown(window))
            return window;
    if (ZafWindowObject *main = MainWindow(); main && main->Parent() == this && shown(main))
        return main;
    for (ZafElement *e = First(); e; e = e->Next())
        if (shown(static_cast<ZafWindowObject *>(e)))
            return static_cast<ZafWindowObject *>(e);
    return nullptr;
}

void ZafWindowManager::DeleteWindow(ZafWindowObject *window)
{
    if (dispatchDepth == 0) {
        delete window;
        return;
    }
    // A handler of the window (or of one of its objects) may be on the
    // stack under this dispatch: the window is gone from the screen now and
    // deleted when the outermost dispatch returns.
    pendingDeletes.emplace_back(new ZafTracker(window));
}

void ZafWindowManager::DeletePendingWindows()
{
    // A deletion may close further windows: take the list as it stands.
    while (!pendingDeletes.empty()) {
        std::vector<std::unique_ptr<ZafTracker>> pending;
        pending.swap(pendingDeletes);
        for (auto &tracker : pending) {
            // One deleted meanwhile, or taken back into a window, is left.
            auto *window = tracker->Get<ZafWindowObject>();
            if (window && !window->Parent())
                delete window;
        }
    }
}

void ZafWindowManager::CenterObject(ZafWindowObject *object)
{
    if (!object)
        return;
    ZafRegionRect r = object->Region();
    ZafCoordinateType type = r.coordinateType;
    object->ConvertRegion(r, ZAF_PIXEL);
    int width = r.Width();
    int height = r.Height();
    r.left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    r.top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    r.right = r.left + width - 1;
    r.bottom = r.top + height - 1;
    object->ConvertRegion(r, type);
    object->SetRegion(r);
    if (object->OSHandle())
        object->MoveOSWindow();
    if (auto *dialog = dynamic_cast<ZafDialogWindow *>(object))
        dialog->SetPlaced(true);
}

void ZafWindowManager::CenterObjectOn(ZafWindowObject *object, ZafWindowObject *owner)
{
    if (!object)
        return;
    ZafRegionRect r = object->Region();
    const ZafCoordinateType type = r.coordinateType;
    object->ConvertRegion(r, ZAF_PIXEL);
    const int width = r.Width(), height = r.Height();
    RECT area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT work = area;
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0) && work.right > work.left && work.bottom > work.top)
        area = work;
    RECT centre = area;
    HWND ownerWindow = owner ? owner->OSHandle(2) : nullptr;
    if (ownerWindow && IsWindowVisible(ownerWindow) && !IsIconic(ownerWindow))
        GetWindowRect(ownerWindow, &centre);
    int left = centre.left + (centre.right - centre.left - width) / 2;
    int top = centre.top + (centre.bottom - centre.top - height) / 2;
    // Whole on the work area; a dialog larger than it shows its top-left.
    left = std::max<int>(area.left, std::min<int>(left, area.right - width));
    top = std::max<int>(area.top, std::min<int>(top, area.bottom - height));
    r.left = left;
    r.top = top;
    r.right = left + width - 1;
    r.bottom = top + height - 1;
    object->ConvertRegion(r, type);
    // A region in cells rounds to the cell grid: a step of one unit back
    // when the rounding took it past the work area.
    for (int step = 0; step < 4; ++step) {
        ZafRegionRect p = r;
        object->ConvertRegion(p, ZAF_PIXEL);
        const int dx = p.right >= area.right ? -1 : (p.left < area.left ? 1 : 0);
        const int dy = p.bottom >= area.bottom ? -1 : (p.top < area.top ? 1 : 0);
        if (dx == 0 && dy == 0)
            break;
        r.left += dx, r.right += dx, r.top += dy, r.bottom += dy;
    }
    object->SetRegion(r);
    if (object->OSHandle())
        object->MoveOSWindow();
}

ZafEventType ZafWindowManager::DispatchOSMessage(const ZafEventRecord &event)
{
    MSG m = event.osEvent;
    if (m.message == WM_QUIT)
        return ZAF_EXIT;
    // A press anywhere else closes a dropped combo-box list.
    if (droppedComboBox && (m.message == WM_LBUTTONDOWN || m.message == WM_NCLBUTTONDOWN) &&
        m.hwnd != droppedComboBox && !IsChild(droppedComboBox, m.hwnd)) {
        if (IsWindow(droppedComboBox))
            SendMessageA(droppedComboBox, CB_SHOWDROPDOWN, FALSE, 0);
        droppedComboBox = nullptr;
    }
    if (!TranslateShortcut(m))
        ZafDispatchMessage(m);
    return IsEmpty() ? ZAF_NO_WINDOWS : 0;
}

bool ZafWindowManager::TranslateShortcut(MSG &message)
{
    UINT m = message.message;
    if (m != WM_KEYDOWN && m != WM_SYSKEYDOWN && m != WM_CHAR && m != WM_SYSCHAR)
        return false;
    HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    auto *window = dynamic_cast<ZafWindow *>(ZafObjectFromHandle(root));
    if (!window)
        return false;
    // The MDI keys come first, as in every MDI program's loop.
    if (auto *frame = dynamic_cast<ZafMDIWindow *>(window))
        if (frame->ClientWindow() && TranslateMDISysAccel(frame->ClientWindow(), &message))
            return true;
    return window->Accelerators() && TranslateAcceleratorA(root, window->Accelerators(), &message);
}

ZafEventType ZafWindowManager::Event(const ZafEventRecord &event)
{
    ++dispatchDepth;
    const ZafEventType code = Dispatch(event);
    if (--dispatchDepth == 0)
        DeletePendingWindows();
    return code;
}

ZafEventType ZafWindowManager::Dispatch(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return DispatchOSMessage(event);
    case ZAF_EXIT:
        // An exit that came from a WM_QUIT has used it up; posting another
        // would leave it pending for the next loop on the thread.
        if (event.osEvent.message != WM_QUIT)
            PostQuitMessage(0);
        return ZAF_EXIT;
    case ZAF_NO_WINDOWS:
        return ZAF_NO_WINDOWS;
    case ZAF_ADD_OBJECT:
        AddObject(event.Object());
        return ZAF_ADD_OBJECT;
    case ZAF_SUBTRACT_OBJECT:
        return CloseWindow(event.Object());
    case ZAF_CLOSE: {
        // The close event names its window by event handle, not by
        // address, so that a stale one never closes a new window made at a
        // dead window's address: a window that is gone is not looked for,
        // and the event does nothing.
        if (event.ObjectGone())
            return IsEmpty() ? ZAF_NO_WINDOWS : ZAF_CLOSE;
        ZafWindowObject *window = event.Object();
        if (!window) {
            for (ZafElement *e = First(); e && !window; e = e->Next()) {
                auto *w = dynamic_cast<ZafWindow *>(static_cast<ZafWindowObject *>(e));
                if (!w || !w->Temporary())
                    window = static_cast<ZafWindowObject *>(e);
            }
        }
        return QueryAndClose(window, ZAF_CLOSE);
    }
    case ZAF_CLOSE_TEMPORARY:
        for (ZafElement *e = First(); e; e = e->Next()) {
            auto *w = dynamic_cast<ZafWindow *>(static_cast<ZafWindowObject *>(e));
            if (w && w->Temporary())
                return QueryAndClose(w, ZAF_CLOSE_TEMPORARY);
        }
        return IsEmpty() ? ZAF_NO_WINDOWS : ZAF_CLOSE_TEMPORARY;
    default:
        if (IsEmpty())
            return ZAF_NO_WINDOWS;
        if (event.type < 0 || event.type == ZAF_KEY_EVENT || event.type == ZAF_MOUSE_EVENT ||
            event.type >= ZAF_MOUSE_MOVE)
            return FirstChild()->Event(event);
        return ZAF_UNKNOWN;
    }
}

ZafEventType ZafWindowManager::QueryAndClose(ZafWindowObject *window, ZafEventType answer)
{
    if (!window || window->Parent() != this)
        return IsEmpty() ? ZAF_NO_WINDOWS : answer;
    // A window asked to close may refuse (a modal dialog ends its loop) or
    // delete itself while it is asked.
    ZafTracker tracker(window);
    if (window->Event(ZafEventRecord(ZAF_CLOSE_QUERY)) != 0 || tracker.Deleted())
        return IsEmpty() ? ZAF_NO_WINDOWS : answer;
    if (window == MainWindow()) {
        // The main window goes with every other window: each may refuse.
        std::vector<std::unique_ptr<ZafTracker>> others;
        for (ZafElement *e = First(); e; e = e->Next())
            if (e != window)
                others.emplace_back(new ZafTracker(e));
        for (auto &other : others) {
            auto *asked = other->Get<ZafWindowObject>();
            if (asked && asked->Parent() == this && asked->Event(ZafEventRecord(ZAF_CLOSE_QUERY)) != 0)
                return IsEmpty() ? ZAF_NO_WINDOWS : answer;
            if (tracker.Deleted())
                return IsEmpty() ? ZAF_NO_WINDOWS : answer;
        }
    }
    return CloseWindow(window);
}

const char *ZafWindowManager::ChangeLanguage(const char *name)
{
    const ZafStartupSteps &steps = ZafApplication::StartupSteps();
    if (!steps.resetI18n)
        return I18nName();
    const char *chosen = steps.resetI18n(name);
    i18nName = chosen ? chosen : "";
    for (ZafElement *e = First(); e; e = e->Next())
        if (HWND window = static_cast<ZafWindowObject *>(e)->OSHandle(2))
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    return I18nName();
}
