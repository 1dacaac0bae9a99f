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
#include <cstring>
#include <string>
#include <vector>

namespace {

ZafList *rootWindows = nullptr;
ZafPaletteLink paletteLink = {nullptr, nullptr, nullptr, nullptr, nullptr};

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
{
}

ZafWindowObject::ZafWindowObject(const ZafWindowObject &copy)
    : ZafElement(copy),
      region(copy.region),
      coordinateType(copy.coordinateType),
      userFunction(copy.userFunction),
      userCallback(copy.userCallback),
      userObject(copy.userObject),
      helpContext(DuplicateLibraryString(copy.helpContext)),
      tipText(DuplicateLibraryString(copy.tipText)),
      secondTipText(DuplicateLibraryString(copy.secondTipText)),
      regionType(copy.regionType),
      acceptDrop(copy.acceptDrop),
      copyDraggable(copy.copyDraggable),
      secondDragFlag(copy.secondDragFlag),
      moveDraggable(copy.moveDraggable),
      layoutMode(copy.layoutMode),
      noFocus(copy.noFocus),
      disabled(copy.disabled),
      systemDrawn(copy.systemDrawn),
      parentDrawsBorder(copy.parentDrawsBorder),
      parentDrawsFocus(copy.parentDrawsFocus),
      noClassPalette(copy.noClassPalette),
      selected(copy.selected),
      changed(copy.changed),
      supportObject(copy.supportObject),
      ownWindow(copy.ownWindow),
      visible(copy.visible),
      redraw(copy.redraw),
      bordered(copy.bordered)
{
    SetPaletteData(copy.paletteData);
}

// --- Persistence -----------------------------------------------------------

namespace {

// The entries that keep a window object's function names beside its record.
constexpr ZafNumberID userFunctionEntryID = 3201;
constexpr ZafNumberID userObjectEntryID = 3202;

std::uint16_t FlagIf(bool flag, std::uint16_t bit)
{
    return flag ? bit : 0;
}

// Writes a name of the record; a name too long to be read back is refused
// (error 17) and stored as none.
void WriteName(ZafWindowPersistence &persistence, const char *name)
{
    if (name && std::strlen(name) > static_cast<std::size_t>(ZafWindowPersistence::maxNameLength)) {
        if (persistence.Error() == 0)
            persistence.SetError(17);
        name = nullptr;
    }
    persistence.WriteString(name);
}

} // namespace

ZafWindowObject::ZafWindowObject(const char *name, ZafWindowPersistence &persistence)
    : region(0, 0, 0, 0, ZAF_CELL)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    SetStringID(name);
    if (persistence.OpenLevelFile(name, ZafWindowPersistence::readMode) == 0)
        ReadFrom(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafWindowObject::ReadFrom(ZafWindowPersistence &persistence)
{
    std::uint16_t numberID = 0, attributes = 0, coordinates = 0, dragFlags = 0, reserved = 0;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
    persistence.Read16(numberID);
    persistence.Read32(left);
    persistence.Read32(top);
    persistence.Read32(right);
    persistence.Read32(bottom);
    persistence.Read16(attributes);
    persistence.Read16(coordinates);
    char *texts[3] = {nullptr, nullptr, nullptr};
    for (char *&text : texts)
        persistence.ReadString(&text);
    persistence.Read16(dragFlags);
    persistence.Read16(reserved);
    char *unused = nullptr;
    persistence.ReadString(&unused);
    delete[] unused;
    // Mended fault: names go into 64-character buffers and were read without
    // a bound; a longer name is refused with error 16.
    char names[3][ZafWindowPersistence::maxNameLength + 1];
    for (char *name : names)
        persistence.ReadStringInto(name, sizeof names[0]);

    const ZafCoordinateType type = coordinates & 0x0F;
    if (persistence.Error() == 0 && !ZafIsCoordinateType(type))
        persistence.SetError(16);
    if (persistence.Error() != 0) {
        for (char *text : texts)
            delete[] text;
        return;
    }
    SetNumberID(numberID);
    coordinateType = type;
    region = ZafRegionRect(left, top, right, bottom, type);
    regionType = (coordinates >> 4) & 0x0F;
    bordered = attributes & flagBordered;
    systemDrawn = attributes & flagSystemDrawn;
    parentDrawsBorder = attributes & flagParentDrawsBorder;
    parentDrawsFocus = attributes & flagParentDrawsFocus;
    noClassPalette = attributes & flagNoClassPalette;
    noFocus = attributes & flagNoFocus;
    disabled = attributes & flagDisabled;
    visible = attributes & flagVisible;
    redraw = attributes & flagRedraw;
    ownWindow = attributes & flagOwnWindow;
    supportObject = attributes & flagSupportObject;
    acceptDrop = dragFlags & flagAcceptDrop;
    copyDraggable = dragFlags & flagCopyDraggable;
    secondDragFlag = dragFlags & flagSecondDragFlag;
    moveDraggable = dragFlags & flagMoveDraggable;
    selected = dragFlags & flagSelected;
    // The texts were read as heap copies; the object takes them over.
    delete[] helpContext;
    delete[] tipText;
    delete[] secondTipText;
    helpContext = texts[0];
    tipText = texts[1];
    secondTipText = texts[2];
    if (names[0][0])
        userFunction = persistence.GetUserFunction(names[0]);
    if (names[1][0])
        userObject = persistence.GetUserObject(names[1]);
    if (names[2][0])
        if (ZafPaletteData *palette = persistence.ReadPaletteData(names[2]))
            SetPaletteData(palette);
}

void ZafWindowObject::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    if (persistence.OpenLevelFile(StringID(), ZafWindowPersistence::writeMode) == 0) {
        const std::uint16_t attributes =
            FlagIf(bordered, flagBordered) | FlagIf(systemDrawn, flagSystemDrawn) |
            FlagIf(parentDrawsBorder, flagParentDrawsBorder) | FlagIf(parentDrawsFocus, flagParentDrawsFocus) |
            FlagIf(noClassPalette, flagNoClassPalette) | FlagIf(noFocus, flagNoFocus) |
            FlagIf(disabled, flagDisabled) | FlagIf(visible, flagVisible) | FlagIf(redraw, flagRedraw) |
            FlagIf(ownWindow, flagOwnWindow) | FlagIf(supportObject, flagSupportObject);
        const std::uint16_t dragFlags =
            FlagIf(acceptDrop, flagAcceptDrop) | FlagIf(copyDraggable, flagCopyDraggable) |
            FlagIf(secondDragFlag, flagSecondDragFlag) | FlagIf(moveDraggable, flagMoveDraggable) |
            FlagIf(selected, flagSelected);
        persistence.Write16(static_cast<std::uint16_t>(NumberID()));
        persistence.Write32(static_cast<std::int32_t>(region.left));
        persistence.Write32(static_cast<std::int32_t>(region.top));
        persistence.Write32(static_cast<std::int32_t>(region.right));
        persistence.Write32(static_cast<std::int32_t>(region.bottom));
        persistence.Write16(attributes);
        persistence.Write16(static_cast<std::uint16_t>((coordinateType & 0x0F) | (regionType & 0x0F) << 4));
        persistence.WriteString(helpContext);
        persistence.WriteString(tipText);
        persistence.WriteString(secondTipText);
        persistence.Write16(dragFlags);
        persistence.Write16(static_cast<std::uint16_t>(0));
        persistence.WriteString(nullptr);
        const char *functionName = persistence.GetUserFunctionName(userFunction);
        const char *objectName = persistence.GetUserObjectName(userObject);
        WriteName(persistence, functionName);
        WriteName(persistence, objectName);
        WriteName(persistence, paletteData ? persistence.WritePaletteData(paletteData) : nullptr);
        if (functionName)
            persistence.WriteLevelEntry("userFunction", functionName, userFunctionEntryID, functionName);
        if (objectName)
            persistence.WriteLevelEntry("userObject", objectName, userObjectEntryID, objectName);
    }
    persistence.PopLevel();
}

ZafWindowObject::~ZafWindowObject()
{
    // A Windows window left behind would send its messages to freed memory.
    if (osWindow && ZafObjectFromHandle(osWindow) == this)
        DestroyOSWindow();
    osWindow = nullptr;
    ZafWindow::ForgetDefaultButton(this);
    if (parent)
        parent->ForgetChild(this);
    delete[] helpContext;
    delete[] tipText;
    delete[] secondTipText;
    if (paletteData && paletteLink.release)
        paletteLink.release(paletteData, this);
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

// --- Events --------------------------------------------------------------

ZafEventType ZafWindowObject::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_SELECT:
    case ZAF_FOCUS_CHANGE:
        // The dispatcher may delete this object: nothing touches it after.
        return userCallback(this, event, event.type);
    case ZAF_NOT_CURRENT:
        focus = false;
        return event.type;
    case ZAF_CURRENT:
        focus = true;
        return event.type;
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        if (!osWindow)
            CreateOSWindow();
        return event.type;
    case ZAF_DESTROY_OS_WINDOW:
        DestroyOSWindow();
        return event.type;
    case ZAF_REDISPLAY:
    case ZAF_REDISPLAY_AREA:
    case ZAF_REDISPLAY_CHANGE:
        Redisplay();
        return event.type;
    case ZAF_NEW_REGION:
        SetRegion(event.region);
        MoveOSWindow();
        return event.type;
    case ZAF_APPLY_GEOMETRY:
        // The parent's geometry manager gives the object its place first.
        if (auto *window = dynamic_cast<ZafWindow *>(parent))
            if (auto *geometry = dynamic_cast<ZafGeometryManager *>(window->FindSupportObject(ZAF_NUMID_GEOMETRY)))
                geometry->ApplyConstraints(this);
        MoveOSWindow();
        return event.type;
    default:
        if (event.type >= ZAF_DRAG_FIRST && event.type <= ZAF_DRAG_LAST)
            return DragDropEvent(event);
        return ZAF_UNKNOWN;
    }
}

// --- Drag and drop ---------------------------------------------------------

ZafEventType ZafWindowObject::DragDropEvent(const ZafEventRecord &event)
{
    ZafEventType code = event.type;
    if (code != ZAF_DROP_QUERY && code != ZAF_DROP_COPY && code != ZAF_DROP_MOVE)
        return ZAF_UNKNOWN;
    ZafWindowObject *source = zafWindowManager ? zafWindowManager->DragObject() : nullptr;
    if (!source || source == this || !acceptDrop || IsDisabledUpChain(true))
        return ZAF_REFUSED;
    if (code == ZAF_DROP_QUERY) {
        if (source->MoveDraggable())
            return ZAF_DROP_MOVE;
        return source->CopyDraggable() ? ZAF_DROP_COPY : ZAF_REFUSED;
    }
    if (code == ZAF_DROP_MOVE && !source->MoveDraggable())
        return ZAF_REFUSED;
    const char *text = source->Text();
    if (!text || !*text)
        return ZAF_REFUSED;
    // The source's text may live in storage that SetText on either side
    // replaces.
    const std::string taken(text);
    if (SetText(taken.c_str()) != 0)
        return ZAF_REFUSED;
    if (code == ZAF_DROP_MOVE)
        source->SetText("");
    return code;
}

// --- Rows of list boxes ----------------------------------------------------

namespace {

// Answered by vertical lists and the lists of combo boxes, whose rows
// Windows draws from the entries' texts, and by combo boxes.
constexpr ZafClassID listFamilyID = 1001;
constexpr ZafClassID comboBoxID = 1008;

} // namespace

void ZafWindowObject::RefreshListEntry()
{
    auto *list = dynamic_cast<ZafWindow *>(parent);
    if (!list || !list->IsClassID(listFamilyID) || !list->SystemDrawn())
        return;
    const int index = list->Index(this);
    if (index < 0)
        return;
    const char *text = Text();
    const std::string row(text ? text : "");
    const auto rowText = reinterpret_cast<LPARAM>(row.c_str());
    ZafWindowObject *combo = list->Parent();
    if (combo && combo->IsClassID(comboBoxID)) {
        HWND box = combo->OSHandle();
        if (!box)
            return;
        // Deleting the current row leaves a combo box with no current row
        // (and a drop-down list with no text): it is made current again.
        const bool current = SendMessageA(box, CB_GETCURSEL, 0, 0) == index;
        SendMessageA(box, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        SendMessageA(box, CB_INSERTSTRING, static_cast<WPARAM>(index), rowText);
        if (current)
            SendMessageA(box, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    HWND box = list->OSHandle();
    if (!box)
        return;
    SendMessageA(box, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    SendMessageA(box, LB_INSERTSTRING, static_cast<WPARAM>(index), rowText);
    if (!selected)
        return;
    if (list->SelectionMode() == 0)
        SendMessageA(box, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    else
        SendMessageA(box, LB_SETSEL, TRUE, static_cast<LPARAM>(index));
}

ZafEventType ZafWindowObject::CallUserFunction(ZafWindowObject *object, const ZafEventRecord &event,
                                               ZafEventType code)
{
    if (!object || !object->userFunction)
        return 0;
    ZafEventRecord copy = event;
    return object->userFunction(object, copy, code);
}

ZafUserCallback ZafWindowObject::SetUserCallback(ZafUserCallback callback)
{
    userCallback = callback ? callback : CallUserFunction;
    return userCallback;
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
{
}

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
    if (osWindow && ownWindow) {
        if (flag)
            ::SetFocus(osWindow);
        return focus;
    }
    if (NotifyFocus(this, flag) == 0)
        focus = flag;
    return focus;
}

bool ZafWindowObject::SetSelected(bool flag)
{
    selected = flag;
    if (osWindow)
        changed = true;
    if (parent)
        parent->NotifySelection(this, flag);
    return selected;
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
    return SetUnlessCreated(bordered, flag);
}

bool ZafWindowObject::SetSystemDrawn(bool flag)
{
    return SetUnlessCreated(systemDrawn, flag);
}

bool ZafWindowObject::SetParentDrawsBorder(bool flag)
{
    return SetUnlessCreated(parentDrawsBorder, flag);
}

bool ZafWindowObject::SetParentDrawsFocus(bool flag)
{
    return SetUnlessCreated(parentDrawsFocus, flag);
}

bool ZafWindowObject::SetNoClassPalette(bool flag)
{
    return SetUnlessCreated(noClassPalette, flag);
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
    disabled = flag;
    if (osWindow && ownWindow && !layoutMode)
        EnableWindow(osWindow, flag ? FALSE : TRUE);
    else if (IsOnScreen())
        Event(ZafEventRecord(ZAF_REDISPLAY));
    return disabled;
}

bool ZafWindowObject::SetVisible(bool flag)
{
    visible = flag;
    if (osWindow && ownWindow)
        ShowWindow(osWindow, flag ? SW_SHOW : SW_HIDE);
    else if (IsOnScreen())
        Event(ZafEventRecord(ZAF_REDISPLAY));
    return visible;
}

bool ZafWindowObject::SetRedraw(bool flag)
{
    redraw = flag;
    if (osWindow && ownWindow && visible)
        SendMessageA(osWindow, WM_SETREDRAW, flag ? TRUE : FALSE, 0);
    if (flag && IsOnScreen())
        Event(ZafEventRecord(ZAF_REDISPLAY));
    return redraw;
}

bool ZafWindowObject::SetOwnWindow(bool flag)
{
    if (flag == ownWindow)
        return ownWindow;
    if (parent && parent->IsOnScreen()) {
        Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
        ownWindow = flag;
        Event(ZafEventRecord(ZAF_CREATE_OS_WINDOW));
        parent->Event(ZafEventRecord(ZAF_REDISPLAY_AREA));
    } else {
        ownWindow = flag;
    }
    return ownWindow;
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
    if (disabled)
        return true;
    return askParents && parent && parent->IsDisabledUpChain(true);
}

bool ZafWindowObject::IsNoFocusUpChain() const
{
    for (const ZafWindowObject *object = this; object; object = object->parent)
        if (object->noFocus)
            return true;
    return false;
}

bool ZafWindowObject::IsVisibleUpChain(bool askParents) const
{
    if (!visible)
        return false;
    return !askParents || !parent || parent->IsVisibleUpChain(true);
}

bool ZafWindowObject::IsRedrawOnUpChain(bool askParents) const
{
    if (!redraw)
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
    if (from == ZAF_CELL) {
        rect.top += display.PreSpace();
        rect.bottom -= display.PostSpace();
    } else {
        rect.top -= display.PreSpace();
        rect.bottom += display.PostSpace();
    }
    rect.ConvertCoordinates(type);
}

void ZafWindowObject::ConvertCoordinates(ZafCoordinateType type)
{
    ConvertRegion(region, type);
}

// --- Palette -------------------------------------------------------------

ZafPaletteData *ZafWindowObject::SetPaletteData(ZafPaletteData *palette)
{
    if (palette == paletteData)
        return paletteData;
    if (palette && paletteLink.attach)
        paletteLink.attach(palette, this);
    ZafPaletteData *old = paletteData;
    paletteData = palette;
    if (old && paletteLink.release)
        paletteLink.release(old, this);
    return paletteData;
}

void ZafWindowObject::SetPaletteLink(const ZafPaletteLink &link)
{
    paletteLink = link;
}

const ZafPaletteLink &ZafWindowObject::PaletteLink()
{
    return paletteLink;
}

namespace {

constexpr ZafPaletteStruct SystemColors(std::uint8_t font)
{
    ZafPaletteStruct p;
    p.colorForeground = ZAF_CLR_SYSTEM;
    p.colorBackground = ZAF_CLR_SYSTEM;
    p.font = font;
    return p;
}

// The first row of a map that serves (type, state); the map ends at a row of
// type 0.
const ZafPaletteMap *FindRow(const ZafPaletteMap *map, std::uint16_t type, std::uint16_t state)
{
    for (; map && map->type != 0; ++map)
        if (map->Matches(type, state))
            return map;
    return nullptr;
}

// Fills the values of result that are still unset from the source.
void FillUnset(ZafPaletteStruct &result, const ZafPaletteStruct &source)
{
    const ZafPaletteStruct unset;
    auto fill = [](std::uint8_t &value, std::uint8_t unsetValue, std::uint8_t from) {
        if (value == unsetValue)
            value = from;
    };
    fill(result.lineStyle, unset.lineStyle, source.lineStyle);
    fill(result.fillPattern, unset.fillPattern, source.fillPattern);
    fill(result.colorForeground, unset.colorForeground, source.colorForeground);
    fill(result.colorBackground, unset.colorBackground, source.colorBackground);
    fill(result.monoForeground, unset.monoForeground, source.monoForeground);
    fill(result.monoBackground, unset.monoBackground, source.monoBackground);
    fill(result.font, unset.font, source.font);
    if (result.osColorForeground == -1)
        result.osColorForeground = source.osColorForeground;
    if (result.osColorBackground == -1)
        result.osColorBackground = source.osColorBackground;
}

bool IsCompletelySet(const ZafPaletteStruct &p)
{
    const ZafPaletteStruct unset;
    return p.lineStyle != unset.lineStyle && p.fillPattern != unset.fillPattern &&
           p.colorForeground != unset.colorForeground && p.colorBackground != unset.colorBackground &&
           p.monoForeground != unset.monoForeground && p.monoBackground != unset.monoBackground &&
           p.font != unset.font;
}

} // namespace

const ZafPaletteMap ZafWindowObject::defaultPaletteMap[] = {
    {ZAF_PM_OUTLINE, ZAF_PM_ANY_STATE, SystemColors(ZAF_FONT_UNSET)},
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, SystemColors(ZAF_FONT_DIALOG)},
    {ZAF_PM_TEXT, ZAF_PM_ANY_STATE, SystemColors(ZAF_FONT_DIALOG)},
    {ZAF_PM_LIGHT_EDGE, ZAF_PM_ANY_STATE, SystemColors(ZAF_FONT_UNSET)},
    {ZAF_PM_DARK_EDGE, ZAF_PM_ANY_STATE, SystemColors(ZAF_FONT_UNSET)},
    {0, 0, ZafPaletteStruct()},
};

namespace {

// The stored (ZAF_PM_TEXT, ZAF_PM_ENABLED) entry of a palette data, else the
// default palette.
ZafPaletteStruct TextEntry(const ZafPaletteLink &link, const ZafPaletteData *palette)
{
    for (const ZafPaletteMap *row = link.map(palette); row && !row->IsEnd(); ++row)
        if (row->type == ZAF_PM_TEXT && row->state == ZAF_PM_ENABLED)
            return row->palette;
    return ZafPaletteStruct();
}

} // namespace

int ZafWindowObject::SetFont(int font)
{
    if (!paletteLink.create || !paletteLink.map || !paletteLink.setPalette)
        return ZAF_FONT_UNSET;
    if (!paletteData)
        SetPaletteData(paletteLink.create());
    ZafPaletteStruct entry = TextEntry(paletteLink, paletteData);
    entry.font = static_cast<std::uint8_t>(font);
    paletteLink.setPalette(paletteData, ZAF_PM_TEXT, ZAF_PM_ENABLED, entry);
    return entry.font;
}

int ZafWindowObject::SetTextColor(int color, int monoColor)
{
    if (!paletteLink.create || !paletteLink.map || !paletteLink.setPalette)
        return ZAF_CLR_UNSET;
    if (!paletteData)
        SetPaletteData(paletteLink.create());
    ZafPaletteStruct entry = TextEntry(paletteLink, paletteData);
    entry.colorForeground = static_cast<std::uint8_t>(color);
    entry.monoForeground = static_cast<std::uint8_t>(monoColor);
    paletteLink.setPalette(paletteData, ZAF_PM_TEXT, ZAF_PM_ENABLED, entry);
    return entry.colorForeground;
}

int ZafWindowObject::SetBackgroundColor(int color, int monoColor)
{
    if (!paletteLink.create || !paletteLink.map || !paletteLink.setPalette)
        return ZAF_CLR_UNSET;
    if (!paletteData)
        SetPaletteData(paletteLink.create());
    ZafPaletteStruct entry = TextEntry(paletteLink, paletteData);
    entry.colorBackground = static_cast<std::uint8_t>(color);
    entry.monoBackground = static_cast<std::uint8_t>(monoColor);
    paletteLink.setPalette(paletteData, ZAF_PM_TEXT, ZAF_PM_ENABLED, entry);
    return entry.colorBackground;
}

ZafPaletteStruct &ZafWindowObject::LogicalPalette(ZafPaletteStruct &result, std::uint16_t type,
                                                  std::uint16_t state) const
{
    result = ZafPaletteStruct();
    for (const ZafWindowObject *object = this; object && !IsCompletelySet(result); object = object->parent) {
        if (object->paletteData && paletteLink.map)
            for (const ZafPaletteMap *row = paletteLink.map(object->paletteData); row && !row->IsEnd(); ++row)
                if (row->Matches(type, state)) {
                    FillUnset(result, row->palette);
                    break;
                }
        if (!object->noClassPalette)
            if (const ZafPaletteMap *row = object->MapPalette(type, state))
                FillUnset(result, row->palette);
    }
    return result;
}

const ZafPaletteMap *ZafWindowObject::MapPalette(std::uint16_t type, std::uint16_t state) const
{
    if (const ZafPaletteMap *row = FindRow(ClassPaletteMap(), type, state))
        return row;
    return FindRow(defaultPaletteMap, type, state);
}

std::uint16_t ZafWindowObject::PaletteState() const
{
    std::uint16_t state = selected ? ZAF_PM_SELECTED : ZAF_PM_NOT_SELECTED;
    state |= IsDisabledUpChain(true) ? ZAF_PM_DISABLED : ZAF_PM_ENABLED;
    if (focus)
        state |= ZAF_PM_CURRENT;
    // The root window is the top-level window below the window manager.
    const ZafWindowObject *root = this;
    while (root->parent && !root->parent->IsClassID(1000))
        root = root->parent;
    if (root->focus || (root->osWindow && GetActiveWindow() == root->OSHandle(2)))
        state |= ZAF_PM_ACTIVE;
    return state;
}

void ZafWindowObject::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    int foreground = COLOR_WINDOWTEXT;
    int background = COLOR_WINDOW;
    if (type & ZAF_PM_OUTLINE)
        foreground = background = COLOR_WINDOWFRAME;
    else if (type & ZAF_PM_LIGHT_EDGE)
        foreground = background = COLOR_BTNHIGHLIGHT;
    else if (type & ZAF_PM_DARK_EDGE)
        foreground = background = COLOR_BTNSHADOW;
    else if (state & ZAF_PM_DISABLED)
        foreground = COLOR_GRAYTEXT;
    if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
        entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(foreground));
    if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
        entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(background));
}

COLORREF ZafWindowObject::PaletteColor(std::uint8_t color, std::int32_t osColor, COLORREF fallback)
{
    if (color == ZAF_CLR_SYSTEM)
        return osColor == -1 ? fallback : static_cast<COLORREF>(osColor);
    COLORREF value = fallback;
    if (ZafGdiDisplay *display = ZafScreenGdiDisplay())
        display->ColorOf(color, value);
    return value;
}

// --- Windows windows ------------------------------------------------------------

namespace {

const char objectProperty[] = "ZafObject";
HINSTANCE moduleInstance = nullptr;

// The object whose window CreateWindowExA is making: the creation hook binds
// it to the first window made, before any message reaches that window.
ZafWindowObject *pendingObject = nullptr;
HHOOK creationHook = nullptr;

WNDPROC ClassProcedure(HWND window)
{
    auto procedure = reinterpret_cast<WNDPROC>(GetClassLongA(window, GCL_WNDPROC));
    return procedure == ZafWindowProc || !procedure ? DefWindowProcA : procedure;
}

void Bind(HWND window, ZafWindowObject *object)
{
    SetPropA(window, objectProperty, object);
    object->SetOSHandle(window);
    if (reinterpret_cast<WNDPROC>(GetWindowLongA(window, GWL_WNDPROC)) != ZafWindowProc)
        SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(ZafWindowProc));
}

void Unbind(HWND window)
{
    RemovePropA(window, objectProperty);
    // Messages still to come go straight to the class.
    SetWindowLongA(window, GWL_WNDPROC, reinterpret_cast<LONG>(ClassProcedure(window)));
}

LRESULT CALLBACK CreationHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && pendingObject) {
        ZafWindowObject *object = pendingObject;
        pendingObject = nullptr;
        Bind(reinterpret_cast<HWND>(wParam), object);
    }
    return CallNextHookEx(creationHook, code, wParam, lParam);
}

} // namespace

HINSTANCE ZafInstance()
{
    return moduleInstance ? moduleInstance : GetModuleHandleA(nullptr);
}

void ZafSetInstance(HINSTANCE instance)
{
    moduleInstance = instance;
}

ZafWindowObject *ZafObjectFromHandle(HWND window)
{
    if (!window || !IsWindow(window))
        return nullptr;
    return static_cast<ZafWindowObject *>(GetPropA(window, objectProperty));
}

HWND ZafBindCreatedWindow(ZafWindowObject *object, HWND (*create)(void *context), void *context)
{
    if (!object || !create)
        return nullptr;
    ZafWindowObject *outer = pendingObject;
    pendingObject = object;
    HHOOK hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, GetCurrentThreadId());
    HHOOK outerHook = creationHook;
    creationHook = hook;
    HWND window = create(context);
    UnhookWindowsHookEx(hook);
    creationHook = outerHook;
    pendingObject = outer;
    if (!window) {
        if (object->OSHandle() && !IsWindow(object->OSHandle()))
            object->SetOSHandle(nullptr);
        return nullptr;
    }
    if (ZafObjectFromHandle(window) != object)
        Bind(window, object);
    return window;
}

HWND ZafCreateOSWindowAt(ZafWindowObject *object, const char *className, DWORD style, const char *text,
                         HWND parent, DWORD extendedStyle, HINSTANCE instance, const RECT &place, HMENU menu)
{
    ZafApplication::RegisterWindowClasses(ZafInstance());
    struct Arguments
    {
        const char *className;
        DWORD style;
        const char *text;
        HWND parent;
        DWORD extendedStyle;
        HINSTANCE instance;
        RECT place;
        HMENU menu;
    } arguments = {className ? className : "ZafWindow", style, text ? text : "", parent, extendedStyle,
                   instance ? instance : ZafInstance(), place, menu};
    return ZafBindCreatedWindow(
        object,
        [](void *context) {
            auto *a = static_cast<Arguments *>(context);
            return CreateWindowExA(a->extendedStyle, a->className, a->text, a->style, a->place.left, a->place.top,
                                   a->place.right - a->place.left, a->place.bottom - a->place.top, a->parent,
                                   a->menu, a->instance, nullptr);
        },
        &arguments);
}

HWND ZafCreateOSWindow(ZafWindowObject *object, const char *className, DWORD style, const char *text,
                       HWND parent, DWORD extendedStyle, HINSTANCE instance)
{
    if (!object)
        return nullptr;
    ZafRegionRect r = object->GetWindowRegion();
    RECT place = {r.left, r.top, r.right + 1, r.bottom + 1};
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(object->NumberID())) : nullptr;
    return ZafCreateOSWindowAt(object, className, style, text, parent, extendedStyle, instance, place, menu);
}

LRESULT ZafCallClassWindowProc(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    return CallWindowProcA(ClassProcedure(m.hwnd), m.hwnd, m.message, m.wParam, m.lParam);
}

LRESULT CALLBACK ZafWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    ZafWindowObject *object = static_cast<ZafWindowObject *>(GetPropA(window, objectProperty));
    if (!object)
        return CallWindowProcA(ClassProcedure(window), window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        Unbind(window);
        if (object->OSHandle() == window)
            object->OSWindowDestroyed();
        return CallWindowProcA(ClassProcedure(window), window, message, wParam, lParam);
    }
    MSG m = {window, message, wParam, lParam, static_cast<DWORD>(GetMessageTime()), {0, 0}};
    ZafEventRecord event;
    ZafTranslateOSMessage(m, event);
    return object->Event(event);
}

void ZafWindowObject::OSWindowDestroyed()
{
    osWindow = nullptr;
    focus = false;
}

HWND ZafWindowObject::DrawingHandle() const
{
    if (osWindow)
        return osWindow;
    for (const ZafWindowObject *p = parent; p; p = p->parent)
        if (p->osWindow)
            return p->OSHandle(1);
    return nullptr;
}

DWORD ZafWindowObject::BorderStyle() const
{
    if (!bordered)
        return 0;
    return zaf3DLook ? WS_EX_CLIENTEDGE : 0;
}

HWND ZafWindowObject::CreateOSWindow()
{
    if (osWindow || !ownWindow || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (visible)
        style |= WS_VISIBLE;
    if (disabled && !layoutMode)
        style |= WS_DISABLED;
    if (bordered && !zaf3DLook)
        style |= WS_BORDER;
    HWND window = ZafCreateOSWindow(this, nullptr, style, nullptr, parentWindow, BorderStyle(), nullptr);
    if (window)
        UpdateFont();
    return window;
}

void ZafWindowObject::DestroyOSWindow()
{
    HWND window = osWindow;
    if (!window)
        return;
    if (ZafObjectFromHandle(window) == this) {
        Unbind(window);
        DestroyWindow(window);
    }
    OSWindowDestroyed();
}

void ZafWindowObject::MoveOSWindow()
{
    if (osWindow && ownWindow) {
        ZafRegionRect r = GetWindowRegion();
        MoveWindow(osWindow, r.left, r.top, r.Width(), r.Height(), TRUE);
        UpdateWindow(osWindow);
        return;
    }
    if (!IsOnScreen())
        return;
    Redisplay();
    Event(ZafEventRecord(ZAF_REGION_CHANGING));
    Event(ZafEventRecord(ZAF_REGION_CHANGED));
    Redisplay();
}

void ZafWindowObject::UpdateFont()
{
    if (!osWindow || !systemDrawn)
        return;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, PaletteState());
    HFONT font = display ? display->Font(text.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : text.font)
                         : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(osWindow, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void ZafWindowObject::Redisplay()
{
    HWND window = DrawingHandle();
    if (!window)
        return;
    if (osWindow) {
        InvalidateRect(osWindow, nullptr, TRUE);
        return;
    }
    ZafRegionRect r = GetWindowRegion();
    RECT area = {r.left, r.top, r.right + 1, r.bottom + 1};
    InvalidateRect(window, &area, TRUE);
}

// --- Regions in window pixels ----------------------------------------------------

ZafRegionRect ZafWindowObject::RegionToWindow(const ZafRegionRect &rect) const
{
    ZafRegionRect r = rect;
    ConvertRegion(r, ZAF_PIXEL);
    return r;
}

ZafRegionRect ZafWindowObject::RegionFromWindow(const ZafRegionRect &rect) const
{
    ZafRegionRect r = rect;
    r.coordinateType = ZAF_PIXEL;
    ConvertRegion(r, coordinateType);
    return r;
}

ZafRegionRect ZafWindowObject::GetWindowRegion() const
{
    ZafRegionRect r = RegionToWindow(region);
    if (parent) {
        const POINT origin = parent->ChildOrigin();
        r.left += origin.x;
        r.right += origin.x;
        r.top += origin.y;
        r.bottom += origin.y;
    }
    return r;
}

// --- Messages ------------------------------------------------------------------------

namespace {

bool IsMouseMessage(UINT m)
{
    return m >= WM_MOUSEFIRST && m <= WM_MOUSELAST;
}

bool IsKeyMessage(UINT m)
{
    return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP || m == WM_CHAR ||
           m == WM_SYSCHAR;
}

// The window of a control that a message to its parent is about.
HWND ControlOf(const MSG &m)
{
    switch (m.message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        return reinterpret_cast<HWND>(m.lParam);
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<HWND>(m.lParam);
    case WM_DRAWITEM: {
        auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(m.lParam);
        return item && item->CtlType != ODT_MENU ? item->hwndItem : nullptr;
    }
    case WM_MEASUREITEM: {
        auto *item = reinterpret_cast<const MEASUREITEMSTRUCT *>(m.lParam);
        return item && item->CtlType != ODT_MENU ? GetDlgItem(m.hwnd, static_cast<int>(item->CtlID)) : nullptr;
    }
    default:
        return nullptr;
    }
}

// The objects from one up to the top of its tree, taken while all of them
// exist. After a call-out that may have deleted any of them, whether one
// still exists is told by address alone, as CloseWindow tells it: the top
// is still the window manager or still bound to its Windows window, and
// every window on the way down still holds the next object. A link through
// a parent that is no window cannot be told so and counts as gone.
class ObjectPath
{
public:
    explicit ObjectPath(ZafWindowObject *object)
    {
        for (ZafWindowObject *o = object; o; o = o->Parent())
            objects.push_back(o);
        topWindow = objects.back()->OSHandle();
    }
    std::size_t Size() const { return objects.size(); }
    ZafWindowObject *At(std::size_t index) const { return objects[index]; }
    bool Exists(std::size_t index) const
    {
        ZafWindowObject *top = objects.back();
        if (top != zafWindowManager && !(topWindow && ZafObjectFromHandle(topWindow) == top))
            return false;
        for (std::size_t i = objects.size() - 1; i > index; --i) {
            auto *window = dynamic_cast<ZafWindow *>(objects[i]);
            const ZafWindowObject *next = objects[i - 1];
            if (!window || !(window->Contains(next) || window->SupportList().Contains(next)))
                return false;
        }
        return true;
    }

private:
    std::vector<ZafWindowObject *> objects;
    HWND topWindow = nullptr;
};

} // namespace

ZafEventType ZafWindowObject::PassKeyUp(const ZafEventRecord &event)
{
    // A parent's handler may delete it and its parents (a default button's
    // user function closing the window): each is checked before it is used.
    ObjectPath path(this);
    for (std::size_t i = 1; i < path.Size() && path.Exists(i); ++i) {
        ZafEventType code = path.At(i)->Event(event);
        if (code != ZAF_UNKNOWN)
            return code;
    }
    return ZAF_UNKNOWN;
}

ZafEventType ZafWindowObject::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (!m.hwnd)
        return ZAF_UNKNOWN;

    // A message about a control goes back to the control's own window, where
    // the control's object handles it.
    HWND control = ControlOf(m);
    if (control && control != m.hwnd && ZafObjectFromHandle(control)) {
        LPARAM lParam = m.message == WM_COMMAND ? 0 : m.lParam;
        if (m.message == WM_HSCROLL || m.message == WM_VSCROLL)
            lParam = reinterpret_cast<LPARAM>(control);
        return static_cast<ZafEventType>(SendMessageA(control, m.message, m.wParam, lParam));
    }

    switch (m.message) {
    case WM_PAINT:
        if (!systemDrawn) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(m.hwnd, &paint);
            ZafGdiDisplay *display = ZafScreenGdiDisplay();
            if (display)
                display->SetPaintDC(m.hwnd, dc);
            Draw(event, ZAF_REDISPLAY);
            if (display)
                display->SetPaintDC(m.hwnd, nullptr);
            EndPaint(m.hwnd, &paint);
            return 0;
        }
        break;
    case WM_DRAWITEM:
        if (ControlOf(m) == m.hwnd) {
            auto *item = reinterpret_cast<const DRAWITEMSTRUCT *>(m.lParam);
            ZafGdiDisplay *display = ZafScreenGdiDisplay();
            if (display)
                display->SetPaintDC(m.hwnd, item->hDC);
            Draw(event, ZAF_REDISPLAY);
            if (display)
                display->SetPaintDC(m.hwnd, nullptr);
            return TRUE;
        }
        break;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
        if (ZafGdiDisplay *display = ZafScreenGdiDisplay()) {
            HDC dc = reinterpret_cast<HDC>(m.wParam);
            ::SetTextColor(dc, ForegroundColor());
            SetBkColor(dc, BackgroundColor());
            // The cache keeps the brush alive after this use is released.
            HBRUSH brush = display->GetCachedBrush(BackgroundColor());
            display->ReleaseCachedObject(brush);
            return static_cast<ZafEventType>(reinterpret_cast<LRESULT>(brush));
        }
        break;
    case WM_SETFOCUS:
        focus = true;
        NotifyFocus(this, true);
        break;
    case WM_KILLFOCUS:
        focus = false;
        break;
    case WM_SETCURSOR:
        if (LOWORD(m.lParam) == HTCLIENT && zafEventManager) {
            auto *manager = dynamic_cast<ZafOSEventManager *>(zafEventManager);
            if (manager && manager->MouseImage() != ZAF_MOUSE_ARROW) {
                manager->SendToDevice(ZAF_MOUSE_EVENT, manager->MouseImage());
                return TRUE;
            }
        }
        break;
    default:
        if (IsMouseMessage(m.message)) {
            ZafEventRecord mouse = event;
            mouse.type = ZAF_MOUSE_EVENT;
            // The handler may delete this object: answer without touching it.
            ZafEventType code = Event(mouse);
            if (code != ZAF_UNKNOWN)
                return 0;
        } else if (IsKeyMessage(m.message)) {
            ZafEventRecord key = event;
            key.type = ZAF_KEY_EVENT;
            // The handler may delete this object: a key whose object is
            // gone goes no further.
            ObjectPath path(this);
            ZafEventType code = Event(key);
            if (code == ZAF_UNKNOWN && m.message != WM_CHAR && m.message != WM_SYSCHAR && path.Exists(0))
                code = PassKeyUp(key);
            if (code != ZAF_UNKNOWN)
                return 0;
        }
        break;
    }
    return static_cast<ZafEventType>(ZafCallClassWindowProc(event));
}

const ZafEventMap ZafWindowObject::defaultEventMap[] = {
    {ZAF_NEXT, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS},
    {ZAF_PREVIOUS, ZAF_KEY_EVENT, VK_TAB, ZAF_KEY_PRESS + ZAF_KEY_SHIFT},
    {ZAF_MOVE_UP, ZAF_KEY_EVENT, VK_UP, ZAF_KEY_PRESS},
    {ZAF_MOVE_DOWN, ZAF_KEY_EVENT, VK_DOWN, ZAF_KEY_PRESS},
    {ZAF_MOVE_LEFT, ZAF_KEY_EVENT, VK_LEFT, ZAF_KEY_PRESS},
    {ZAF_MOVE_RIGHT, ZAF_KEY_EVENT, VK_RIGHT, ZAF_KEY_PRESS},
    {ZAF_MOVE_TOP, ZAF_KEY_EVENT, VK_HOME, ZAF_KEY_PRESS},
    {ZAF_MOVE_BOTTOM, ZAF_KEY_EVENT, VK_END, ZAF_KEY_PRESS},
    {ZAF_PAGE_UP, ZAF_KEY_EVENT, VK_PRIOR, ZAF_KEY_PRESS},
    {ZAF_PAGE_DOWN, ZAF_KEY_EVENT, VK_NEXT, ZAF_KEY_PRESS},
    {ZAF_BEGIN_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_PRESS},
    {ZAF_END_SELECT, ZAF_KEY_EVENT, VK_SPACE, ZAF_KEY_RELEASE},
    {ZAF_CONTINUE_SELECT, ZAF_MOUSE_EVENT, WM_MOUSEMOVE, MK_LBUTTON},
    {ZAF_MOUSE_MOVE, ZAF_MOUSE_EVENT, WM_MOUSEMOVE, 0},
    {ZAF_BEGIN_SELECT, ZAF_MOUSE_EVENT, WM_LBUTTONDOWN, 0},
    {ZAF_END_SELECT, ZAF_MOUSE_EVENT, WM_LBUTTONUP, 0},
    {ZAF_ALT_BEGIN_SELECT, ZAF_MOUSE_EVENT, WM_RBUTTONDOWN, 0},
    {ZAF_DOUBLE_SELECT, ZAF_MOUSE_EVENT, WM_LBUTTONDBLCLK, 0},
    {ZAF_NO_MAPPING, 0, 0, 0},
};

namespace {

ZafEventType SearchMap(const ZafEventMap *map, const ZafEventRecord &event)
{
    if (!map)
        return ZAF_NO_MAPPING;
    int category = event.type == ZAF_KEY_EVENT || event.type == ZAF_MOUSE_EVENT ? event.type : event.GetCategory();
    for (; map->logicalCode != ZAF_NO_MAPPING; ++map) {
        if (map->category != category)
            continue;
        if (category == ZAF_KEY_EVENT) {
            if (map->rawValue == event.key.value && map->modifiers == event.key.shiftState)
                return map->logicalCode;
        } else if (map->rawValue == event.osEvent.message &&
                   (event.key.value & map->modifiers) == map->modifiers) {
            return map->logicalCode;
        }
    }
    return ZAF_NO_MAPPING;
}

} // namespace

ZafEventType ZafWindowObject::MapEvent(const ZafEventRecord &event) const
{
    ZafEventType code = SearchMap(EventMap(), event);
    return code != ZAF_NO_MAPPING ? code : SearchMap(defaultEventMap, event);
}

// --- Drawing -------------------------------------------------------------------------

ZafRegionRect ZafWindowObject::BeginDraw()
{
    ZafRegionRect r = osWindow ? ZafRegionRect(0, 0, GetWindowRegion().Width() - 1, GetWindowRegion().Height() - 1)
                               : GetWindowRegion();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    HWND window = DrawingHandle();
    HDC dc = display && window ? display->LendDC(window) : nullptr;
    // The object's first pass in a context clips it to the object.
    if (dc && std::find(drawPasses.begin(), drawPasses.end(), dc) == drawPasses.end()) {
        SaveDC(dc);
        IntersectClipRect(dc, r.left, r.top, r.right + 1, r.bottom + 1);
    }
    drawPasses.push_back(dc);
    if (!display || !window)
        return r;
    if (osWindow) {
        RECT client;
        GetClientRect(osWindow, &client);
        r = ZafRegionRect(0, 0, client.right - 1, client.bottom - 1);
    }
    return r;
}

void ZafWindowObject::EndDraw()
{
    // The context this pass borrowed goes back, not whatever is current now
    // (a pass of another window or a context set by hand may be).
    if (drawPasses.empty())
        return;
    HDC dc = drawPasses.back();
    drawPasses.pop_back();
    if (!dc)
        return;
    if (std::find(drawPasses.begin(), drawPasses.end(), dc) == drawPasses.end())
        RestoreDC(dc, -1);
    if (ZafGdiDisplay *display = ZafScreenGdiDisplay())
        display->ReturnDC(dc);
}

COLORREF ZafWindowObject::TypeColor(std::uint16_t type, COLORREF fallback) const
{
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct entry;
    LogicalPalette(entry, type, state);
    ResolveSystemColors(entry, type, state);
    return PaletteColor(entry.colorForeground, entry.osColorForeground, fallback);
}

COLORREF ZafWindowObject::BackgroundColor() const
{
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, state);
    ResolveSystemColors(text, ZAF_PM_TEXT, state);
    return PaletteColor(text.colorBackground, text.osColorBackground, GetSysColor(COLOR_WINDOW));
}

COLORREF ZafWindowObject::ForegroundColor() const
{
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct text;
    LogicalPalette(text, ZAF_PM_TEXT, state);
    ResolveSystemColors(text, ZAF_PM_TEXT, state);
    return PaletteColor(text.colorForeground, text.osColorForeground, GetSysColor(COLOR_WINDOWTEXT));
}

ZafEventType ZafWindowObject::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafRegionRect r = BeginDraw();
    if (bordered)
        DrawBorder(r, code);
    DrawBackground(r, code);
    EndDraw();
    return code;
}

ZafEventType ZafWindowObject::DrawBorder(ZafRegionRect &rect, ZafEventType code)
{
    if (parentDrawsBorder && parent)
        return parent->DrawBorder(rect, code);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (display && display->CurrentDC()) {
        display->Rectangle(rect.left, rect.top, rect.right, rect.bottom,
                           TypeColor(ZAF_PM_OUTLINE, GetSysColor(COLOR_WINDOWFRAME)), false);
        rect.left++;
        rect.top++;
        rect.right--;
        rect.bottom--;
    }
    return code;
}

ZafEventType ZafWindowObject::DrawFocus(ZafRegionRect &rect, ZafEventType code)
{
    if (parentDrawsFocus)
        return code;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if ((code == ZAF_CURRENT || code == ZAF_NOT_CURRENT) && display && display->CurrentDC()) {
        RECT r = {rect.left, rect.top, rect.right + 1, rect.bottom + 1};
        DrawFocusRect(display->CurrentDC(), &r);
    }
    return code;
}

ZafEventType ZafWindowObject::DrawEdges(ZafRegionRect &rect, int style, ZafEventType code)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if ((code != ZAF_REDISPLAY && code != ZAF_REDISPLAY_AREA) || !display || !display->CurrentDC() || style == 0)
        return code;
    COLORREF light = TypeColor(ZAF_PM_LIGHT_EDGE, GetSysColor(COLOR_BTNHIGHLIGHT));
    COLORREF dark = TypeColor(ZAF_PM_DARK_EDGE, GetSysColor(COLOR_BTNSHADOW));
    COLORREF topLeft = style > 0 ? light : dark;
    COLORREF bottomRight = style > 0 ? dark : light;
    for (int i = 0; i < (style > 0 ? style : -style); ++i) {
        display->Line(rect.left, rect.top, rect.right, rect.top, topLeft);
        display->Line(rect.left, rect.top, rect.left, rect.bottom, topLeft);
        display->Line(rect.right, rect.top, rect.right, rect.bottom, bottomRight);
        display->Line(rect.left, rect.bottom, rect.right, rect.bottom, bottomRight);
        rect.left++;
        rect.top++;
        rect.right--;
        rect.bottom--;
    }
    return code;
}

ZafEventType ZafWindowObject::DrawBackground(ZafRegionRect &rect, ZafEventType code)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (display && display->CurrentDC())
        display->Rectangle(rect.left, rect.top, rect.right, rect.bottom, BackgroundColor(), true);
    return code;
}
