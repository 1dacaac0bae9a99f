#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

ZafGenericObjectMaker genericObjectMaker = nullptr;

ZafWindowObject *AsObject(ZafElement *element)
{
    return static_cast<ZafWindowObject *>(element);
}

// Calls call(object, objectTracker, windowTracker) for every object of the
// window's lists, in order. A call may delete or take out any object of the
// window, or the window itself: the walk goes over the objects there were at
// its start, skips those that have left the window since (each is followed
// by a tracker, so telling takes one step, not a search of the list) and
// stops once the window is gone.
template <class Call>
void ForEachObject(ZafWindow &window, std::initializer_list<const ZafList *> lists, Call call)
{
    std::size_t count = 0;
    for (const ZafList *list : lists)
        count += static_cast<std::size_t>(list->Count());
    std::unique_ptr<ZafTracker[]> objects(new ZafTracker[count]);
    std::size_t n = 0;
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e && n < count; e = e->Next())
            objects[n++].Track(e);
    ZafTracker self(&window);
    for (std::size_t i = 0; i < n && !self.Deleted(); ++i) {
        ZafWindowObject *object = objects[i].Get<ZafWindowObject>();
        if (object && object->Parent() == &window)
            call(object, objects[i], self);
    }
}

} // namespace

ZafWindow::ZafWindow(int left, int top, int width, int height)
    : ZafWindowObject(left, top, width, height),
      clientRegion(0, 0, width - 1, height - 1, ZAF_CELL)
{
}

ZafWindow::ZafWindow(const ZafWindow &copy)
    : ZafWindowObject(copy),
      ZafList(copy.CompareFunction()),
      clientRegion(copy.clientRegion),
      selectionMode(copy.selectionMode),
      owner(copy.owner),
      destroyable(copy.destroyable),
      moveable(copy.moveable),
      sizeable(copy.sizeable),
      temporary(copy.temporary),
      noClose(copy.noClose),
      plainKeyHotKeys(copy.plainKeyHotKeys),
      maximized(copy.maximized),
      minimized(copy.minimized),
      modal(copy.modal),
      allowEmptySelection(copy.allowEmptySelection),
      regionIsClientSize(copy.regionIsClientSize)
{
    for (ZafElement *e = copy.support.First(); e; e = e->Next())
        AddObject(AsObject(e)->Duplicate());
    for (ZafElement *e = copy.First(); e; e = e->Next())
        AddObject(AsObject(e)->Duplicate());
}

ZafWindow::~ZafWindow()
{
    BeginDeletion();
    StopHoldingDefaultButtons();
    if (accelerators)
        DestroyAcceleratorTable(accelerators);
    // The Windows window goes first; with it go the children's windows,
    // each unbinding its object as it goes.
    if (osWindow && ZafObjectFromHandle(osWindow) == this)
        DestroyOSWindow();
    // The objects are deleted by their lists; they need not unlink themselves.
    for (ZafElement *e = support.First(); e; e = e->Next())
        AsObject(e)->parent = nullptr;
    support.Destroy();
    for (ZafElement *e = First(); e; e = e->Next())
        AsObject(e)->parent = nullptr;
    Destroy();
}

// --- Persistence -----------------------------------------------------------

namespace {

std::uint16_t FlagIf(bool flag, std::uint16_t bit)
{
    return flag ? bit : 0;
}

// What ReadObjects collects while the children are built.
struct ReadContext
{
    ZafWindow *window;
    std::uint32_t firstError;
};

void AddReadObject(ZafElement *element, void *context)
{
    auto *read = static_cast<ReadContext *>(context);
    auto *object = dynamic_cast<ZafWindowObject *>(element);
    if (!object) {
        delete element;
        return;
    }
    if (object->Error() != 0 && read->firstError == 0)
        read->firstError = static_cast<std::uint32_t>(object->Error());
    read->window->AddObject(object);
}

} // namespace

ZafWindow::ZafWindow(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry)),
      clientRegion(0, 0, 0, 0, ZAF_CELL)
{
    if (persistence.Error() == 0)
        ReadData(persistence);
    if (persistence.Error() == 0)
        ReadObjects(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafWindow::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafWindow(name, persistence);
}

void ZafWindow::ReadData(ZafWindowPersistence &persistence)
{
    std::uint16_t flags = 0, mode = 0, clientType = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    persistence.Read16(flags);
    persistence.Read16(mode);
    persistence.Read32(left);
    persistence.Read32(top);
    persistence.Read32(right);
    persistence.Read32(bottom);
    persistence.Read16(clientType);
    if (persistence.Error() == 0 && (mode > 2 || !ZafIsCoordinateType(clientType) ||
                                     !ZafRegionRect(left, top, right, bottom, clientType).IsStorable()))
        persistence.SetError(16);
    if (persistence.Error() != 0)
        return;
    destroyable = flags & flagDestroyable;
    moveable = flags & flagMoveable;
    sizeable = flags & flagSizeable;
    temporary = flags & flagTemporary;
    noClose = flags & flagNoClose;
    plainKeyHotKeys = flags & flagPlainKeyHotKeys;
    maximized = flags & flagMaximized;
    minimized = flags & flagMinimized;
    modal = flags & flagModal;
    allowEmptySelection = flags & flagAllowEmptySelection;
    regionIsClientSize = flags & flagRegionIsClientSize;
    selectionMode = mode;
    clientRegion = ZafRegionRect(left, top, right, bottom, clientType);

    char name[ZafWindowPersistence::maxNameLength + 1];
    if (persistence.ReadLevelEntry("compareFunction", name, sizeof name) == 0 && name[0])
        SetCompareFunction(persistence.GetCompareFunction(name));
}

void ZafWindow::ReadObjects(ZafWindowPersistence &persistence)
{
    ReadContext context = {this, 0};
    persistence.ReadChildObjects(AddReadObject, &context);
    // A later child that opens cleanly resets the context's error word; the
    // first child's failure must still reach the window.
    if (context.firstError != 0 && persistence.Error() == 0)
        persistence.SetError(context.firstError);
}

void ZafWindow::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry);
    ZafWindowObject::Write(persistence);
    if (persistence.Error() == 0)
        WriteData(persistence);
    if (persistence.Error() == 0)
        WriteSupportObjects(persistence);
    if (persistence.Error() == 0)
        WriteChildren(persistence);
    persistence.PopLevel();
}

void ZafWindow::WriteData(ZafWindowPersistence &persistence)
{
    const std::uint16_t flags =
        FlagIf(destroyable, flagDestroyable) | FlagIf(moveable, flagMoveable) | FlagIf(sizeable, flagSizeable) |
        FlagIf(temporary, flagTemporary) | FlagIf(noClose, flagNoClose) |
        FlagIf(plainKeyHotKeys, flagPlainKeyHotKeys) | FlagIf(maximized, flagMaximized) |
        FlagIf(minimized, flagMinimized) | FlagIf(modal, flagModal) |
        FlagIf(allowEmptySelection, flagAllowEmptySelection) | FlagIf(regionIsClientSize, flagRegionIsClientSize);
    persistence.Write16(flags);
    persistence.Write16(static_cast<std::uint16_t>(selectionMode));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.left));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.top));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.right));
    persistence.Write32(static_cast<std::int32_t>(clientRegion.bottom));
    persistence.Write16(static_cast<std::uint16_t>(clientRegion.coordinateType));
    const char *compareName = persistence.GetCompareFunctionName(CompareFunction());
    if (compareName && std::strlen(compareName) <= static_cast<std::size_t>(ZafWindowPersistence::maxNameLength))
        persistence.WriteLevelEntry("compareFunction", nullptr, 0, compareName);
}

namespace {

// Writes the objects of one list, each in a level of its own. Names already
// used in the window are refused (error 17): the object would replace the
// directory of the one written before it.
void WriteObjectList(ZafWindowPersistence &persistence, const ZafList &list, std::set<std::string> &names)
{
    std::uint32_t firstError = 0;
    for (ZafElement *e = list.First(); e; e = e->Next()) {
        auto *object = static_cast<ZafWindowObject *>(e);
        const std::string name = object->StringID() && *object->StringID() ? object->StringID()
                                                                            : object->ClassName();
        if (!names.insert(name).second) {
            if (firstError == 0)
                firstError = 17;
            continue;
        }
        persistence.WriteChild(*object);
        if (firstError == 0)
            firstError = persistence.Error();
    }
    if (firstError != 0 && persistence.Error() == 0)
        persistence.SetError(firstError);
}

} // namespace

void ZafWindow::WriteSupportObjects(ZafWindowPersistence &persistence)
{
    std::set<std::string> names;
    WriteObjectList(persistence, support, names);
}

void ZafWindow::WriteChildren(ZafWindowPersistence &persistence)
{
    std::set<std::string> names;
    for (ZafElement *e = support.First(); e; e = e->Next()) {
        auto *object = static_cast<ZafWindowObject *>(e);
        names.insert(object->StringID() && *object->StringID() ? object->StringID() : object->ClassName());
    }
    WriteObjectList(persistence, *this, names);
}

bool ZafWindow::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafWindow::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindowObject::IsClassName(name);
}

ZafWindowObject *ZafWindow::Duplicate() const
{
    return new ZafWindow(*this);
}

ZafEventType ZafWindow::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_ADD_OBJECT:
        AddObject(event.Object());
        return event.type;
    case ZAF_SUBTRACT_OBJECT:
        SubtractObject(event.Object());
        return event.type;
    case ZAF_UNKNOWN:
        return CurrentChild() ? CurrentChild()->Event(event) : ZAF_UNKNOWN;
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        // A windowless window has no window to make, but its children make
        // theirs in the window it stands in.
        if (!osWindow && (CreateOSWindow() || (!ownWindow && parent && parent->DrawingHandle())))
            CreateChildren();
        return event.type;
    case ZAF_REGION_CHANGED:
        LayoutChildren();
        return event.type;
    case ZAF_CLOSE_QUERY:
        return 0;
    case ZAF_KEY_EVENT:
        return KeyEvent(event);
    default:
        if (event.type >= ZAF_SCROLL_FIRST && event.type <= ZAF_SCROLL_LAST)
            return ScrollEvent(event);
        return ZafWindowObject::Event(event);
    }
}

// --- Children ------------------------------------------------------------

bool ZafWindow::IsParentOrSelf(const ZafWindowObject *object) const
{
    for (const ZafWindowObject *w = this; w; w = w->parent)
        if (w == object)
            return true;
    return false;
}

ZafWindowObject *ZafWindow::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    // A window inside itself would make every walk endless.
    if (!object || IsParentOrSelf(object))
        return nullptr;
    // An element stands in one list only: linking it twice corrupts both.
    if (object->parent) {
        if (auto *window = dynamic_cast<ZafWindow *>(object->parent))
            window->SubtractObject(object);
        else
            object->parent->ForgetChild(object);
        object->parent = nullptr;
    }
    ZafList &list = object->SupportObject() ? support : static_cast<ZafList &>(*this);
    if (before && before != object && list.Contains(before))
        list.AddBefore(object, before);
    else
        list.Add(object);
    object->parent = this;
    if (osWindow || (!ownWindow && DrawingHandle()))
        object->Event(ZafEventRecord(ZAF_CREATE));
    return object;
}

ZafWindowObject *ZafWindow::SubtractObject(ZafWindowObject *object)
{
    if (!object)
        return nullptr;
    ZafList *list = support.Contains(object) ? &support : (Contains(object) ? this : nullptr);
    if (!list)
        return object;
    list->Subtract(object);
    // A windowless window may still hold children's windows.
    if (object->osWindow || !object->ownWindow)
        object->Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    object->parent = nullptr;
    return object;
}

void ZafWindow::ForgetChild(ZafWindowObject *child)
{
    support.Subtract(child);
    Subtract(child);
}

void ZafWindow::DestroyChildren()
{
    ForEachObject(*this, {this}, [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) {
        object->Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    });
    for (ZafElement *e = First(); e; e = e->Next())
        AsObject(e)->parent = nullptr;
    Destroy();
}

// --- Lookup --------------------------------------------------------------

ZafWindowObject *ZafWindow::FindSupportObject(ZafNumberID id) const
{
    for (ZafElement *e = support.First(); e; e = e->Next())
        if (e->NumberID() == id)
            return AsObject(e);
    return nullptr;
}

namespace {

// The support object of that id when it is of the class (by its class id).
template <typename Class>
Class *SupportOfClass(const ZafWindow &window, ZafNumberID id)
{
    ZafWindowObject *object = window.FindSupportObject(id);
    return object && object->IsClassID(Class::classID) ? dynamic_cast<Class *>(object) : nullptr;
}

} // namespace

ZafBorder *ZafWindow::FindBorder() const
{
    return SupportOfClass<ZafBorder>(*this, ZAF_NUMID_BORDER);
}

ZafWindowObject *ZafWindow::FindMaximizeButton() const
{
    return FindSupportObject(ZAF_NUMID_MAXIMIZE);
}

ZafWindowObject *ZafWindow::MinimizeButton() const
{
    return FindSupportObject(ZAF_NUMID_MINIMIZE);
}

ZafWindowObject *ZafWindow::FindSystemButton() const
{
    return FindSupportObject(ZAF_NUMID_SYSTEM);
}

ZafWindowObject *ZafWindow::FindTitle() const
{
    return FindSupportObject(ZAF_NUMID_TITLE);
}

ZafScrollBar *ZafWindow::HorizontalScrollBar() const
{
    return SupportOfClass<ZafScrollBar>(*this, ZAF_NUMID_HZ_SCROLL);
}

ZafScrollBar *ZafWindow::VerticalScrollBar() const
{
    return SupportOfClass<ZafScrollBar>(*this, ZAF_NUMID_VT_SCROLL);
}

ZafWindowObject *ZafWindow::FindPullDownMenu() const
{
    return FindSupportObject(ZAF_NUMID_PULL_DOWN_MENU);
}

ZafWindowObject *ZafWindow::FindObjectByNumberID(ZafNumberID id)
{
    if (numberID == id)
        return this;
    const ZafList *lists[] = {&support, this};
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e; e = e->Next())
            if (ZafWindowObject *found = AsObject(e)->FindObjectByNumberID(id))
                return found;
    return nullptr;
}

ZafWindowObject *ZafWindow::SearchInside(const char *name)
{
    const ZafList *lists[] = {&support, this};
    for (const ZafList *list : lists)
        for (ZafElement *e = list->First(); e; e = e->Next())
            if (ZafWindowObject *found = AsObject(e)->SearchStringID(name))
                return found;
    return nullptr;
}

// --- Broadcast -------------------------------------------------------------

void ZafWindow::BroadcastEvent(const ZafEventRecord &event, int depth)
{
    ForEachObject(*this, {&support, this},
                  [this, &event, depth](ZafWindowObject *object, const ZafTracker &tracker, const ZafTracker &self) {
                      object->Event(event);
                      if (depth > 0 && !self.Deleted() && !tracker.Deleted() && object->Parent() == this)
                          if (auto *window = dynamic_cast<ZafWindow *>(object))
                              window->BroadcastEvent(event, depth - 1);
                  });
}

// --- Focus and selection -------------------------------------------------

int ZafWindow::NotifyFocus(ZafWindowObject *object, bool gaining)
{
    if (gaining && object && object != this && object->parent == this && Contains(object)) {
        ZafWindowObject *previous = CurrentChild();
        SetCurrent(object);
        // The previous child, or the windowless object current inside it,
        // loses the focus.
        if (previous && previous != object)
            previous->FocusLeft();
    }
    return ZafWindowObject::NotifyFocus(this, gaining);
}

bool ZafWindow::SelectionExcludes(const ZafWindowObject *child) const
{
    return child->ExcludesSiblingsWhenSelected();
}

ZafWindowObject *ZafWindow::NotifySelection(ZafWindowObject *object, bool selected)
{
    if (selectionMode != 0 || !object || object->parent != this || !SelectionExcludes(object))
        return object;
    if (selected) {
        for (ZafElement *e = First(), *next = nullptr; e; e = next) {
            next = e->Next();
            ZafWindowObject *other = AsObject(e);
            if (other != object && other->Selected() && SelectionExcludes(other))
                other->SetSelected(false);
        }
        return object;
    }
    if (allowEmptySelection)
        return object;
    for (ZafElement *e = First(); e; e = e->Next()) {
        ZafWindowObject *other = AsObject(e);
        if (other != object && other->Selected() && SelectionExcludes(other))
            return object;
    }
    object->selected = true;
    return object;
}

unsigned ZafWindow::SetSelectionMode(unsigned mode)
{
    if (osWindow || mode > 2)
        return selectionMode;
    selectionMode = mode;
    if (mode == 0) {
        bool kept = false;
        for (ZafElement *e = First(), *next = nullptr; e; e = next) {
            next = e->Next();
            ZafWindowObject *child = AsObject(e);
            if (!child->Selected() || !SelectionExcludes(child))
                continue;
            if (kept)
                child->SetSelected(false);
            kept = true;
        }
    }
    return selectionMode;
}

// --- Flags and region ----------------------------------------------------

bool ZafWindow::SetChanged(bool flag)
{
    changed = flag;
    if (!flag)
        for (ZafElement *e = First(); e; e = e->Next())
            AsObject(e)->SetChanged(false);
    return changed;
}

bool ZafWindow::Changed() const
{
    if (changed)
        return true;
    for (ZafElement *e = First(); e; e = e->Next())
        if (AsObject(e)->Changed())
            return true;
    return false;
}

bool ZafWindow::SetTemporary(bool flag)
{
    return SetUnlessCreated(temporary, flag);
}

void ZafWindow::SetRegion(const ZafRegionRect &newRegion)
{
    region = newRegion;
    regionIsClientSize = false;
}

HACCEL ZafWindow::SetAccelerators(HACCEL table)
{
    if (accelerators && accelerators != table)
        DestroyAcceleratorTable(accelerators);
    return accelerators = table;
}

// --- Generic support objects -----------------------------------------------

ZafGenericObjectMaker ZafWindow::SetGenericObjectMaker(ZafGenericObjectMaker maker)
{
    ZafGenericObjectMaker previous = genericObjectMaker;
    genericObjectMaker = maker;
    return previous;
}

bool ZafWindow::AddGenericObjects(ZafStringData *titleData, ZafWindow *systemMenu)
{
    if (!genericObjectMaker)
        return false;
    for (ZafNumberID id : {ZAF_NUMID_BORDER, ZAF_NUMID_MAXIMIZE, ZAF_NUMID_MINIMIZE,
                           ZAF_NUMID_SYSTEM, ZAF_NUMID_TITLE}) {
        if (ZafWindowObject *object = genericObjectMaker(id, titleData, systemMenu)) {
            object->SetSupportObject(true);
            AddObject(object);
        }
    }
    return true;
}

// --- Windows window ------------------------------------------------------------------

bool ZafWindow::IsTopLevel() const
{
    return !parent || dynamic_cast<ZafWindowManager *>(parent) != nullptr;
}

DWORD ZafWindow::OSStyle() const
{
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    if (!IsTopLevel()) {
        // A child window is shown with its parent unless it is hidden.
        style |= WS_CHILD | (visible ? WS_VISIBLE : 0);
        if (bordered && !zaf3DLook)
            style |= WS_BORDER;
    } else {
        // The frame objects say which parts the frame has; a window built
        // without any of them gets the whole frame.
        const bool title = FindSupportObject(ZAF_NUMID_TITLE), system = FindSupportObject(ZAF_NUMID_SYSTEM);
        const bool minimize = FindSupportObject(ZAF_NUMID_MINIMIZE);
        const bool maximize = FindSupportObject(ZAF_NUMID_MAXIMIZE);
        style |= WS_OVERLAPPED;
        if (title || system || minimize || maximize)
            style |= (title ? WS_CAPTION : 0) | (system ? WS_SYSMENU : 0) | (minimize ? WS_MINIMIZEBOX : 0) |
                     (maximize ? WS_MAXIMIZEBOX : 0);
        else
            style |= WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | (sizeable ? WS_MAXIMIZEBOX : 0);
        if (sizeable)
            style |= WS_THICKFRAME;
        if (maximized)
            style |= WS_MAXIMIZE;
        else if (minimized)
            style |= WS_MINIMIZE;
    }
    if (disabled && !layoutMode)
        style |= WS_DISABLED;
    // Scroll-bar support objects use the window's own scroll bars.
    if (FindSupportObject(ZAF_NUMID_HZ_SCROLL))
        style |= WS_HSCROLL;
    if (FindSupportObject(ZAF_NUMID_VT_SCROLL))
        style |= WS_VSCROLL;
    return style;
}

void ZafWindow::OSWindowDestroyed()
{
    ZafWindowObject::OSWindowDestroyed();
    // Support objects that borrowed the window's handle give it up.
    ForEachObject(*this, {&support}, [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) {
        object->Event(ZafEventRecord(ZAF_DEINITIALIZE));
    });
}

DWORD ZafWindow::OSExtendedStyle() const
{
    return IsTopLevel() ? 0 : BorderStyle();
}

const char *ZafWindow::TitleText()
{
    if (ZafWindowObject *title = FindSupportObject(ZAF_NUMID_TITLE))
        if (title->Text())
            return title->Text();
    return stringID;
}

HWND ZafWindow::CreateOSWindow()
{
    if (osWindow || !ownWindow)
        return osWindow;
    HWND parentWindow = nullptr;
    if (!IsTopLevel()) {
        parentWindow = parent->DrawingHandle();
        if (!parentWindow)
            return nullptr;
    }
    const ZafRegionRect r = FramePlace();
    RECT place = {r.left, r.top, r.right + 1, r.bottom + 1};
    HMENU menu = parentWindow ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(numberID)) : nullptr;
    if (owner && IsTopLevel())
        parentWindow = owner->OSHandle(2);
    HWND window = ZafCreateOSWindowAt(this, OSClassName(), OSStyle(), TitleText(), parentWindow,
                                      OSExtendedStyle(), nullptr, place, menu);
    if (window && noClose)
        EnableMenuItem(GetSystemMenu(window, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
    return window;
}

void ZafWindow::DestroyOSWindow()
{
    if (!osWindow && !ownWindow) {
        // The children's windows stand in the window above this one and
        // would outlive it there.
        const ZafList *lists[] = {&support, this};
        for (const ZafList *list : lists)
            for (ZafElement *e = list->First(), *next = nullptr; e; e = next) {
                next = e->Next();
                AsObject(e)->Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
            }
        return;
    }
    ZafWindowObject::DestroyOSWindow();
}

HWND ZafWindow::OSHandle(int) const
{
    return osWindow;
}

ZafRegionRect ZafWindow::FramePlace() const
{
    ZafRegionRect r = GetWindowRegion();
    if (IsTopLevel() && regionIsClientSize) {
        RECT frame = {r.left, r.top, r.right + 1, r.bottom + 1};
        AdjustWindowRectEx(&frame, OSStyle(), FALSE, OSExtendedStyle());
        r = ZafRegionRect(frame.left, frame.top, frame.right - 1, frame.bottom - 1, ZAF_PIXEL);
    }
    return r;
}

void ZafWindow::MoveOSWindow()
{
    ApplyRegion();
}

void ZafWindow::ApplyRegion()
{
    if (osWindow && IsTopLevel()) {
        const ZafRegionRect r = FramePlace();
        HWND frame = OSHandle(2) ? OSHandle(2) : osWindow;
        MoveWindow(frame, r.left, r.top, r.Width(), r.Height(), TRUE);
        return;
    }
    ZafWindowObject::MoveOSWindow();
}

void ZafWindow::UpdateFont()
{
    ApplyFont();
}

void ZafWindow::ApplyFont()
{
    const bool redrawWasOn = redraw;
    if (redrawWasOn)
        SetRedraw(false);
    // WM_SETFONT reaches the controls' handlers, which may delete objects.
    ZafTracker self(this);
    ForEachObject(*this, {&support, this},
                  [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) { object->UpdateFont(); });
    if (redrawWasOn && !self.Deleted())
        SetRedraw(true);
}

void ZafWindow::CreateChildren()
{
    ForEachObject(*this, {&support, this}, [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) {
        object->Event(ZafEventRecord(ZAF_CREATE));
    });
}

ZafEventType ZafWindow::ScrollEvent(const ZafEventRecord &)
{
    return ZAF_UNKNOWN;
}

void ZafWindow::LayoutChildren()
{
    if (ZafWindowObject *geometry = FindSupportObject(ZAF_NUMID_GEOMETRY))
        geometry->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    ForEachObject(*this, {&support, this}, [](ZafWindowObject *object, const ZafTracker &, const ZafTracker &) {
        if (object->NumberID() != ZAF_NUMID_GEOMETRY)
            object->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    });
}

// --- Messages ----------------------------------------------------------------------------

const ZafEventMap ZafWindow::windowEventMap[] = {
    {ZAF_SELECT, ZAF_KEY_EVENT, VK_RETURN, ZAF_KEY_PRESS},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

ZafEventType ZafWindow::MapEvent(const ZafEventRecord &event) const
{
    ZafEventType code = SearchEventMap(windowEventMap, event);
    return code != ZAF_NO_MAPPING ? code : ZafWindowObject::MapEvent(event);
}

ZafEventType ZafWindow::MenuCommand(const ZafEventRecord &event)
{
    ZafNumberID id = LOWORD(event.osEvent.wParam);
    ZafWindowObject *item = FindObjectByNumberID(id);
    // Only a menu item answers a menu command; a control with the same id
    // is not one.
    if (!item || !item->IsMenuItem())
        return ZAF_UNKNOWN;
    return item->Event(ZafEventRecord(ZAF_SELECT));
}

ZafEventType ZafWindow::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    switch (m.message) {
    case WM_COMMAND:
        if (m.lParam == 0 && m.hwnd == osWindow && IsTopLevel() && HIWORD(m.wParam) <= 1) {
            // The item's user function may close (delete) this window.
            ZafTracker self(this);
            ZafEventType code = MenuCommand(event);
            if (code != ZAF_UNKNOWN || self.Deleted())
                return 0;
            // A top-level window passes what it cannot route to the front window.
            if (zafWindowManager && zafWindowManager->FirstWindow() &&
                zafWindowManager->FirstWindow() != this) {
                auto *front = dynamic_cast<ZafWindow *>(zafWindowManager->FirstWindow());
                if (front && front->MenuCommand(event) != ZAF_UNKNOWN)
                    return 0;
            }
        }
        break;
    case WM_CLOSE:
        if (IsTopLevel() && zafWindowManager && parent == zafWindowManager) {
            ZafEventRecord close(ZAF_CLOSE, this);
            // A queue at its maximum refuses the request: the close is then
            // handled at once rather than lost (nothing touches this after).
            if (!zafEventManager || !zafEventManager->Put(close, ZAF_QUEUE_TAIL))
                zafWindowManager->Event(close);
            return 0;
        }
        // A control's request to close its dialog (a multi-line edit's
        // Escape) that reached a child window goes on to the window above;
        // the class procedure would destroy the child window.
        if (!IsTopLevel() && GetParent(m.hwnd) && !(GetWindowLongA(m.hwnd, GWL_EXSTYLE) & WS_EX_MDICHILD)) {
            PostMessageA(GetParent(m.hwnd), WM_CLOSE, 0, 0);
            return 0;
        }
        break;
    case WM_NEXTDLGCTL:
        NextDialogControl(m.wParam, m.lParam);
        return 0;
    case DM_GETDEFID: {
        // A control finds the button by its id among this window's children.
        ZafWindowObject *button = GetDefaultButton(false);
        if (!button)
            button = GetDefaultButton(true);
        HWND buttonWindow = button ? button->OSHandle() : nullptr;
        if (buttonWindow && button->NumberID() && GetDlgItem(m.hwnd, button->NumberID()) == buttonWindow)
            return static_cast<ZafEventType>(MAKELRESULT(button->NumberID(), DC_HASDEFID));
        return 0;
    }
    case WM_SIZE:
        if (m.wParam != SIZE_MINIMIZED) {
            Event(ZafEventRecord(ZAF_REGION_CHANGED));
        }
        break;
    case WM_WINDOWPOSCHANGED:
        if (IsTopLevel() && !IsIconic(m.hwnd)) {
            RECT frame;
            GetWindowRect(m.hwnd, &frame);
            // A region that gives the client size takes the client area:
            // the frame's place would grow the window at every apply.
            if (regionIsClientSize) {
                GetClientRect(m.hwnd, &frame);
                MapWindowPoints(m.hwnd, nullptr, reinterpret_cast<POINT *>(&frame), 2);
            }
            ZafRegionRect r(frame.left, frame.top, frame.right - 1, frame.bottom - 1, ZAF_PIXEL);
            ConvertRegion(r, coordinateType);
            region = r;
        }
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (m.lParam == 0) {
            // The window's own scroll bar: its support object keeps its
            // scroll data in step first.
            if (ZafWindowObject *bar = FindSupportObject(m.message == WM_VSCROLL ? ZAF_NUMID_VT_SCROLL
                                                                                  : ZAF_NUMID_HZ_SCROLL))
                bar->HandleOSMessage(event);
            ZafEventRecord scroll(m.message == WM_VSCROLL ? ZAF_SCROLL_VERTICAL : ZAF_SCROLL_HORIZONTAL);
            scroll.osEvent = m;
            switch (LOWORD(m.wParam)) {
            case SB_LINEUP: scroll.scroll.step = -1; break;
            case SB_LINEDOWN: scroll.scroll.step = 1; break;
            case SB_PAGEUP: scroll.scroll.step = -2; break;
            case SB_PAGEDOWN: scroll.scroll.step = 2; break;
            default: scroll.scroll.step = 0; break;
            }
            if (scroll.scroll.step != 0 && ScrollEvent(scroll) != ZAF_UNKNOWN)
                return 0;
        }
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

namespace {

bool TakesFocus(ZafWindowObject *object)
{
    return object->Visible() && !object->Disabled() && !object->NoFocus() && !object->SupportObject();
}

bool IsArrow(ZafEventType code)
{
    return code == ZAF_MOVE_UP || code == ZAF_MOVE_DOWN || code == ZAF_MOVE_LEFT || code == ZAF_MOVE_RIGHT;
}

// Whether a dialog code asks for the key (a virtual key): every key, or Tab
// or the arrows by their own bits. Enter and Escape have no bit of their own.
bool WantsKey(UINT dialogCode, std::uint32_t key)
{
    if (dialogCode & DLGC_WANTALLKEYS)
        return true;
    switch (key) {
    case VK_TAB:
        return (dialogCode & DLGC_WANTTAB) != 0;
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
        return (dialogCode & DLGC_WANTARROWS) != 0;
    default:
        return false;
    }
}

} // namespace

ZafWindowObject *ZafWindow::KeySource(const ZafEventRecord &event)
{
    ZafWindowObject *source = ZafObjectFromHandle(event.osEvent.hwnd);
    return (source ? source : this)->HostedFocus();
}

bool ZafWindow::SourceWantsKey(const ZafEventRecord &event)
{
    ZafWindowObject *source = KeySource(event);
    return source != this && WantsKey(source->DialogCode(event), event.key.value);
}

ZafEventType ZafWindow::KeyEvent(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    // A key that came to the window that hosts the focused windowless child
    // goes to that child first; a key passed up from a child with a window of
    // its own has been offered below already.
    ZafWindowObject *child = CurrentChild();
    if (child && !child->OwnWindow() && m.hwnd == DrawingHandle() && child->HostedFocus()->Focus()) {
        ZafEventType code = child->Event(event);
        if (code != ZAF_UNKNOWN)
            return code;
    }
    ZafEventType code = MapEvent(event);
    if (code == ZAF_NEXT || code == ZAF_PREVIOUS) {
        if (SourceWantsKey(event))
            return ZAF_UNKNOWN;
        return MoveFocus(code == ZAF_NEXT) ? code : ZAF_UNKNOWN;
    }
    if (IsArrow(code)) {
        // As in a dialog's group: from one control to the next. A key left
        // by a window (a list, a pane) or the window itself moves nothing.
        ZafWindowObject *source = KeySource(event);
        if (source->Parent() != this || dynamic_cast<ZafWindow *>(source) || SourceWantsKey(event))
            return ZAF_UNKNOWN;
        return MoveFocus(code == ZAF_MOVE_DOWN || code == ZAF_MOVE_RIGHT) ? code : ZAF_UNKNOWN;
    }
    if (code == ZAF_SELECT) {
        ZafWindowObject *source = KeySource(event);
        const UINT wanted = source != this ? source->DialogCode(event) : 0;
        if (wanted & DLGC_WANTALLKEYS)
            return ZAF_UNKNOWN;
        // Enter on a push button selects that button, as in a dialog.
        ZafWindowObject *button = (wanted & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) ? source : nullptr;
        if (!button)
            button = GetDefaultButton(false);
        if (!button)
            button = GetDefaultButton(true);
        if (button && button != this)
            return button->Event(ZafEventRecord(ZAF_SELECT)) == ZAF_UNKNOWN ? ZAF_UNKNOWN : ZAF_SELECT;
        return ZAF_UNKNOWN;
    }
    bool hotKey = m.message == WM_SYSKEYDOWN || (plainKeyHotKeys && m.message == WM_KEYDOWN &&
                                                 (event.key.shiftState & ZAF_KEY_CTRL) == 0);
    if (hotKey && event.key.value >= '0' && event.key.value <= 'Z') {
        // A plain letter is typing for a control that takes characters.
        if (m.message == WM_KEYDOWN) {
            ZafWindowObject *source = KeySource(event);
            if (source != this && (source->DialogCode(event) & (DLGC_WANTCHARS | DLGC_WANTALLKEYS)))
                return ZAF_UNKNOWN;
        }
        if (ZafWindowObject *object = FindHotKeyObject(event.key.value)) {
            object->SetFocus(true);
            ZafEventRecord hot(ZAF_HOT_KEY, static_cast<std::intptr_t>(event.key.value));
            object->Event(hot);
            return ZAF_HOT_KEY;
        }
    }
    return ZAF_UNKNOWN;
}

ZafWindowObject *ZafWindow::HostedFocus()
{
    ZafWindowObject *child = CurrentChild();
    if (!child || child->OwnWindow() || !TakesFocus(child))
        return this;
    return child->HostedFocus();
}

void ZafWindow::NextDialogControl(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(lParam)) {
        HWND target = reinterpret_cast<HWND>(wParam);
        if (ZafWindowObject *object = ZafObjectFromHandle(target))
            object->SetFocus(true);
        else if (target && IsChild(osWindow, target))
            ::SetFocus(target);
        return;
    }
    // The window that would have taken the focused control's Tab moves on.
    ZafWindowObject *focused = ZafObjectFromHandle(::GetFocus());
    for (ZafWindowObject *from = focused ? focused->Parent() : this; from; from = from->Parent()) {
        auto *window = dynamic_cast<ZafWindow *>(from);
        if (window && (window->MoveFocus(wParam == 0) || window->IsTopLevel()))
            return;
    }
}

bool ZafWindow::MoveFocus(bool forward)
{
    if (IsEmpty())
        return false;
    ZafElement *start = Current() ? Current() : (forward ? Last() : First());
    ZafElement *e = start;
    do {
        e = forward ? (e->Next() ? e->Next() : First()) : (e->Previous() ? e->Previous() : Last());
        ZafWindowObject *object = AsObject(e);
        if (TakesFocus(object)) {
            object->SetFocus(true);
            return true;
        }
    } while (e != start);
    return false;
}

ZafWindowObject *ZafWindow::FindHotKeyObject(unsigned character)
{
    int wanted = ToLowerLatin1(static_cast<unsigned char>(character));
    for (ZafElement *e = First(); e; e = e->Next()) {
        ZafWindowObject *object = AsObject(e);
        const char *text = object->Text();
        if (object->HotKeyLetter() && ToLowerLatin1(object->HotKeyLetter()) == wanted && TakesFocus(object))
            return object;
        if (!text || !TakesFocus(object))
            continue;
        for (const char *c = text; *c; ++c) {
            if (*c != '&')
                continue;
            if (c[1] == '&') {
                ++c;
                continue;
            }
            if (c[1] && ToLowerLatin1(static_cast<unsigned char>(c[1])) == wanted)
                return object;
            break;
        }
    }
    return nullptr;
}

namespace {

// Windows that hold a default button: a deleted button is cleared from them.
std::vector<ZafWindow *> &DefaultButtonHolders()
{
    static std::vector<ZafWindow *> holders;
    return holders;
}

ZafWindow *RootWindowOf(ZafWindowObject *object)
{
    return dynamic_cast<ZafWindow *>(object->TopLevelObject());
}

} // namespace

void ZafWindow::ForgetDefaultButton(ZafWindowObject *object)
{
    for (ZafWindow *holder : DefaultButtonHolders()) {
        if (holder->defaultButton == object)
            holder->defaultButton = nullptr;
        if (holder->permanentDefaultButton == object)
            holder->permanentDefaultButton = nullptr;
    }
}

ZafWindowObject *ZafWindow::GetDefaultButton(bool permanent)
{
    ZafWindow *window = RootWindowOf(this);
    if (!window)
        return nullptr;
    return permanent ? window->permanentDefaultButton : window->defaultButton;
}

void ZafWindow::SetDefaultButton(ZafWindowObject *button, bool permanent)
{
    ZafWindow *window = RootWindowOf(this);
    if (!window)
        return;
    (permanent ? window->permanentDefaultButton : window->defaultButton) = button;
    auto &holders = DefaultButtonHolders();
    if (std::find(holders.begin(), holders.end(), window) == holders.end())
        holders.push_back(window);
}

void ZafWindow::StopHoldingDefaultButtons()
{
    auto &holders = DefaultButtonHolders();
    holders.erase(std::remove(holders.begin(), holders.end(), this), holders.end());
}
