#include "zaf/core/ZafWindowObject.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafList.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

ZafList *rootWindows = nullptr;

// The objects that have been given an event handle, by handle.
std::unordered_map<std::intptr_t, ZafWindowObject *> &HandleTable()
{
    static std::unordered_map<std::intptr_t, ZafWindowObject *> table;
    return table;
}

// Replaces an owned text by a copy; copying first keeps Set(Get()) safe.
const char *ReplaceText(char *&field, const char *text)
{
    char *copy = DuplicateLibraryString(text);
    delete[] field;
    field = copy;
    return field;
}

} // namespace

ZafWindowObject::ZafWindowObject(int left, int top, int width, int height)
    : region(left, top, left + width - 1, top + height - 1, ZAF_CELL)
{}

ZafWindowObject::ZafWindowObject(const ZafWindowObject &copy)
    : ZafElement(copy), region(copy.region), coordinateType(copy.coordinateType), userFunction(copy.userFunction),
      userCallback(copy.userCallback), userObject(copy.userObject),
      helpContext(DuplicateLibraryString(copy.helpContext)), tipText(DuplicateLibraryString(copy.tipText)),
      secondTipText(DuplicateLibraryString(copy.secondTipText)), regionType(copy.regionType),
      storedFlags(copy.storedFlags), layoutMode(copy.layoutMode), changed(copy.changed)
{
    SetPaletteData(copy.paletteData);
}

ZafWindowObject::~ZafWindowObject()
{
    BeginDeletion();
    // A Windows window left behind would send its messages to freed memory.
    if (osWindow && ZafObjectFromHandle(osWindow) == this)
        DestroyOSWindow();
    osWindow = nullptr;
    ZafWindow::ForgetDefaultButton(this);
    ForgetMenusOf(this);
    if (parent)
        parent->ForgetChild(this);
    delete[] helpContext;
    delete[] tipText;
    delete[] secondTipText;
    if (paletteData && PaletteLink().release)
        PaletteLink().release(paletteData, this);
}

void ZafWindowObject::BeginDeletion()
{
    ReleaseTrackers();
    if (eventHandle) {
        HandleTable().erase(eventHandle);
        eventHandle = 0;
    }
}

std::intptr_t ZafWindowObject::EventHandle()
{
    if (eventHandle)
        return eventHandle;
    // Numbers count up from 1 and are never given twice while in use; the
    // count would have to wrap round 2^32 objects to meet an old one.
    static std::uintptr_t last = 0;
    auto &table = HandleTable();
    do
        ++last;
    while (last == 0 || table.count(static_cast<std::intptr_t>(last)));
    eventHandle = static_cast<std::intptr_t>(last);
    table.emplace(eventHandle, this);
    return eventHandle;
}

ZafWindowObject *ZafWindowObject::FromEventHandle(std::intptr_t handle)
{
    if (!handle)
        return nullptr;
    auto &table = HandleTable();
    auto found = table.find(handle);
    return found == table.end() ? nullptr : found->second;
}

bool ZafWindowObject::IsClassID(ZafClassID id) const
{
    return id == classID || ZafElement::IsClassID(id);
}

bool ZafWindowObject::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafElement::IsClassName(name);
}

ZafWindowObject *ZafWindowObject::Duplicate() const
{
    return new ZafWindowObject(*this);
}

// --- Tree and lookup -------------------------------------------------------

ZafWindowObject *ZafWindowObject::RootObject()
{
    ZafWindowObject *object = this;
    while (object->parent)
        object = object->parent;
    return object;
}

ZafWindowObject *ZafWindowObject::TopLevelObject()
{
    ZafWindowObject *object = this;
    while (object->parent && !dynamic_cast<ZafWindowManager *>(object->parent))
        object = object->parent;
    return object;
}

ZafList *ZafWindowObject::SetRootWindowList(ZafList *list)
{
    ZafList *previous = rootWindows;
    rootWindows = list;
    return previous;
}

ZafList *ZafWindowObject::RootWindowList()
{
    return rootWindows;
}

ZafWindowObject *ZafWindowObject::SearchStringID(const char *name)
{
    if (ZafStringCompare(stringID, name) == 0)
        return this;
    return SearchInside(name);
}

ZafWindowObject *ZafWindowObject::SearchInside(const char *)
{
    return nullptr;
}

ZafWindowObject *ZafWindowObject::FindObjectByStringID(const char *name)
{
    if (!name || !*name)
        return nullptr;
    if (!std::strchr(name, '~'))
        return SearchStringID(name);

    bool fromRoots = name[0] == '~';
    const char *segment = fromRoots ? name + 1 : name;
    ZafWindowObject *found = nullptr;
    std::string part;
    for (bool first = true;; first = false) {
        const char *end = std::strchr(segment, '~');
        part.assign(segment, end ? static_cast<std::size_t>(end - segment) : std::strlen(segment));
        if (part.empty())
            return nullptr;
        if (!first) {
            found = found->SearchInside(part.c_str());
        } else if (!fromRoots) {
            found = SearchStringID(part.c_str());
        } else {
            for (ZafElement *e = rootWindows ? rootWindows->First() : nullptr; e && !found; e = e->Next())
                found = static_cast<ZafWindowObject *>(e)->SearchStringID(part.c_str());
        }
        if (!found || !end)
            return found;
        segment = end + 1;
    }
}

ZafWindowObject *ZafWindowObject::FindObjectByNumberID(ZafNumberID id)
{
    return numberID == id ? this : nullptr;
}

void ZafWindowObject::ForgetChild(ZafWindowObject *)
{}

// --- Focus and selection ---------------------------------------------------

int ZafWindowObject::NotifyFocus(ZafWindowObject *, bool gaining)
{
    return parent ? parent->NotifyFocus(this, gaining) : 0;
}

ZafWindowObject *ZafWindowObject::NotifySelection(ZafWindowObject *object, bool)
{
    return object;
}

bool ZafWindowObject::SetFocus(bool flag)
{
    if (flag && (IsDisabledUpChain(true) || IsNoFocusUpChain()))
        return focus;
    if (osWindow && HasFlag(flagOwnWindow)) {
        if (flag)
            ::SetFocus(osWindow);
        return focus;
    }
    if (NotifyFocus(this, flag) != 0 || focus == flag)
        return focus;
    // The object is told before its host takes the Windows focus, so that
    // the host's WM_SETFOCUS finds it current and tells it no second time.
    // Its handler may delete it: nothing touches it after.
    HWND host = flag ? DrawingHandle() : nullptr;
    focus = flag;
    Event(ZafEventRecord(flag ? ZAF_CURRENT : ZAF_NOT_CURRENT));
    if (host && IsWindow(host) && ::GetFocus() != host)
        ::SetFocus(host);
    return flag;
}

bool ZafWindowObject::SetSelected(bool flag)
{
    SetFlagTo(flagSelected, flag);
    if (osWindow)
        changed = true;
    if (parent)
        parent->NotifySelection(this, flag);
    return HasFlag(flagSelected);
}

bool ZafWindowObject::IsOnScreen() const
{
    for (const ZafWindowObject *object = this; object; object = object->parent)
        if (object->osWindow)
            return true;
    return false;
}

// --- Attributes --------------------------------------------------------------

bool ZafWindowObject::SetBordered(bool flag)
{
    return SetFlagUnlessCreated(flagBordered, flag);
}

bool ZafWindowObject::SetSystemDrawn(bool flag)
{
    return SetFlagUnlessCreated(flagSystemDrawn, flag);
}

bool ZafWindowObject::SetParentDrawsBorder(bool flag)
{
    return SetFlagUnlessCreated(flagParentDrawsBorder, flag);
}

bool ZafWindowObject::SetParentDrawsFocus(bool flag)
{
    return SetFlagUnlessCreated(flagParentDrawsFocus, flag);
}

bool ZafWindowObject::SetNoClassPalette(bool flag)
{
    return SetFlagUnlessCreated(flagNoClassPalette, flag);
}

bool ZafWindowObject::SetLayoutMode(bool flag)
{
    return SetUnlessCreated(layoutMode, flag);
}

int ZafWindowObject::SetRegionType(int type)
{
    return SetUnlessCreated(regionType, type);
}

ZafCoordinateType ZafWindowObject::SetCoordinateType(ZafCoordinateType type)
{
    if (!osWindow && ZafIsCoordinateType(type)) {
        coordinateType = type;
        region.coordinateType = type;
    }
    return coordinateType;
}

bool ZafWindowObject::SetDisabled(bool flag)
{
    SetFlagTo(flagDisabled, flag);
    if (osWindow && HasFlag(flagOwnWindow) && !layoutMode)
        EnableWindow(osWindow, flag ? FALSE : TRUE);
    else if (IsOnScreen())
        Event(ZafEventRecord(ZAF_REDISPLAY));
    return HasFlag(flagDisabled);
}

bool ZafWindowObject::SetVisible(bool flag)
{
    const bool changed = HasFlag(flagVisible) != flag;
    SetFlagTo(flagVisible, flag);
    if (osWindow && HasFlag(flagOwnWindow))
        ShowWindow(osWindow, flag ? SW_SHOW : SW_HIDE);
    else if (IsOnScreen())
        Event(ZafEventRecord(ZAF_REDISPLAY));
    if (changed && parent)
        parent->NotifyVisibility(this, flag);
    return HasFlag(flagVisible);
}

bool ZafWindowObject::SetRedraw(bool flag)
{
    SetFlagTo(flagRedraw, flag);
    if (osWindow && HasFlag(flagOwnWindow) && HasFlag(flagVisible))
        SendMessageA(osWindow, WM_SETREDRAW, flag ? TRUE : FALSE, 0);
    if (flag && IsOnScreen())
        Event(ZafEventRecord(ZAF_REDISPLAY));
    return HasFlag(flagRedraw);
}

bool ZafWindowObject::SetOwnWindow(bool flag)
{
    if (flag == HasFlag(flagOwnWindow))
        return HasFlag(flagOwnWindow);
    if (parent && parent->IsOnScreen()) {
        Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
        SetFlagTo(flagOwnWindow, flag);
        Event(ZafEventRecord(ZAF_CREATE_OS_WINDOW));
        parent->Event(ZafEventRecord(ZAF_REDISPLAY_AREA));
    } else {
        SetFlagTo(flagOwnWindow, flag);
    }
    return HasFlag(flagOwnWindow);
}

const char *ZafWindowObject::SetHelpContext(const char *text)
{
    return ReplaceText(helpContext, text);
}

const char *ZafWindowObject::SetTipText(const char *text)
{
    return ReplaceText(tipText, text);
}

const char *ZafWindowObject::SetSecondTipText(const char *text)
{
    return ReplaceText(secondTipText, text);
}

int ZafWindowObject::SetText(const char *)
{
    return 1;
}

bool ZafWindowObject::IsDisabledUpChain(bool askParents) const
{
    if (HasFlag(flagDisabled))
        return true;
    return askParents && parent && parent->IsDisabledUpChain(true);
}

bool ZafWindowObject::IsNoFocusUpChain() const
{
    for (const ZafWindowObject *object = this; object; object = object->parent)
        if (object->HasFlag(flagNoFocus))
            return true;
    return false;
}

bool ZafWindowObject::IsVisibleUpChain(bool askParents) const
{
    if (!HasFlag(flagVisible))
        return false;
    return !askParents || !parent || parent->IsVisibleUpChain(true);
}

bool ZafWindowObject::IsRedrawOnUpChain(bool askParents) const
{
    if (!HasFlag(flagRedraw))
        return false;
    return !askParents || !parent || parent->IsRedrawOnUpChain(true);
}

// --- Region --------------------------------------------------------------

void ZafWindowObject::SetRegion(int left, int top, int right, int bottom, ZafCoordinateType type)
{
    SetRegion(ZafRegionRect(left, top, right, bottom, type));
}

void ZafWindowObject::ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const
{
    ZafCoordinateType from = rect.coordinateType;
    if (from == type || !ZafIsCoordinateType(from) || !ZafIsCoordinateType(type))
        return;
    if (regionType == 2 || (from != ZAF_CELL && type != ZAF_CELL)) {
        rect.ConvertCoordinates(type);
        return;
    }
    const ZafDisplay &display = ZafDisplay::ForConversion();
    rect.ConvertCoordinates(ZAF_PIXEL);
    // Saturated: a converted region may stand at the ends of the range.
    auto add = [](std::int32_t value, int delta) {
        return std::int32_t(std::clamp<std::int64_t>(std::int64_t(value) + delta, INT32_MIN, INT32_MAX));
    };
    const int sign = from == ZAF_CELL ? 1 : -1;
    rect.top = add(rect.top, sign * display.PreSpace());
    rect.bottom = add(rect.bottom, -sign * display.PostSpace());
    rect.ConvertCoordinates(type);
}

void ZafWindowObject::ConvertCoordinates(ZafCoordinateType type)
{
    ConvertRegion(region, type);
}
