// ZafWindow: construction, children, lookup, broadcast, focus and selection,
// attributes and generic support objects.

#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafScrollBar.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/core/ZafWindowWalk.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <initializer_list>
#include <memory>
#include <vector>

namespace {

ZafGenericObjectMaker genericObjectMaker = nullptr;

} // namespace

using ZafWindowWalk::AsObject;
using ZafWindowWalk::ForEachObject;

ZafWindow::ZafWindow(int left, int top, int width, int height)
    : ZafWindowObject(left, top, width, height), clientRegion(0, 0, width - 1, height - 1, ZAF_CELL)
{}

ZafWindow::ZafWindow(const ZafWindow &copy)
    : ZafWindowObject(copy), ZafList(copy.CompareFunction()), clientRegion(copy.clientRegion),
      selectionMode(copy.selectionMode), owner(copy.owner), windowFlags(copy.windowFlags)
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
        if (!osWindow && (CreateOSWindow() || (!HasFlag(flagOwnWindow) && parent && parent->DrawingHandle())))
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
    if (osWindow || (!HasFlag(flagOwnWindow) && DrawingHandle()))
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
    if (object->osWindow || !object->HasFlag(flagOwnWindow))
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
    NotifyChildren();
    DeleteChildren();
}

void ZafWindow::DeleteChildren()
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
template <typename Class> Class *SupportOfClass(const ZafWindow &window, ZafNumberID id)
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
    if (HasFlag(flagAllowEmptySelection))
        return object;
    for (ZafElement *e = First(); e; e = e->Next()) {
        ZafWindowObject *other = AsObject(e);
        if (other != object && other->Selected() && SelectionExcludes(other))
            return object;
    }
    object->SetFlag(flagSelected);
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
    if (!osWindow)
        SetFlagTo(flagTemporary, flag);
    return HasFlag(flagTemporary);
}

void ZafWindow::SetRegion(const ZafRegionRect &newRegion)
{
    region = newRegion;
    ClearFlag(flagRegionIsClientSize);
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
    for (ZafNumberID id :
         {ZAF_NUMID_BORDER, ZAF_NUMID_MAXIMIZE, ZAF_NUMID_MINIMIZE, ZAF_NUMID_SYSTEM, ZAF_NUMID_TITLE}) {
        if (ZafWindowObject *object = genericObjectMaker(id, titleData, systemMenu)) {
            object->SetSupportObject(true);
            AddObject(object);
        }
    }
    return true;
}
