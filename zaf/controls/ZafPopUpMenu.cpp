#include "zaf/controls/ZafPopUpMenu.h"

#include "zaf/controls/ZafMenuEntries.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafLanguageData.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStaticCleanup.h"

#include <cstring>

namespace {

// The class id of the system button, whose menu's items use the SC_ codes.
constexpr ZafClassID systemButtonClassID = 1006;

// What an item of a kind sends, and its command inside a system menu.
struct KindAction
{
    int kind;
    ZafEventType value;
    UINT systemCommand; // 0: none
};
const KindAction kindActions[] = {
    {ZafPopUpItem::kindClose, ZAF_CLOSE, SC_CLOSE},
    {ZafPopUpItem::kindMaximize, ZAF_MAXIMIZE, SC_MAXIMIZE},
    {ZafPopUpItem::kindMinimize, ZAF_MINIMIZE, SC_MINIMIZE},
    {ZafPopUpItem::kindMove, ZAF_MOVE, SC_MOVE},
    {ZafPopUpItem::kindRestore, ZAF_RESTORE, SC_RESTORE},
    {ZafPopUpItem::kindSize, ZAF_SIZE, SC_SIZE},
    {ZafPopUpItem::kindExit, ZAF_EXIT, 0},
    {ZafPopUpItem::kindCopy, ZAF_COPY, 0},
    {ZafPopUpItem::kindCut, ZAF_CUT, 0},
    {ZafPopUpItem::kindPaste, ZAF_PASTE, 0},
};

const KindAction *ActionOf(int kind)
{
    for (const KindAction &action : kindActions)
        if (action.kind == kind)
            return &action;
    return nullptr;
}

} // namespace

// --- ZafPopUpMenu: construction and persistence -------------------------------------

ZafPopUpMenu::ZafPopUpMenu(int left, int top) : ZafWindow(left, top, 0, 0)
{
    SetFlagTo(flagDestroyable, false);
    ApplyFixedAttributes();
}

ZafPopUpMenu::ZafPopUpMenu(const ZafPopUpMenu &copy) : ZafWindow(copy)
{
    ApplyFixedAttributes();
}

ZafPopUpMenu::~ZafPopUpMenu()
{
    // A menu whose entries were never taken down (its window was not made,
    // or it was deleted while shown) still owns its Windows menu.
    if (menu && ownsMenu && IsMenu(menu))
        DestroyMenu(menu);
    ForgetMenuHandle();
}

void ZafPopUpMenu::ApplyFixedAttributes()
{
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagTemporary, true);
    SetFlagTo(flagPlainKeyHotKeys, true);
    SetFlagTo(flagAcceptDrop, false);
    SetFlagTo(flagDisabled, false);
    SetFlagTo(flagNoFocus, false);
    SetFlagTo(flagNoClassPalette, false);
    regionType = 0;
    SetFlagTo(flagMoveable, false);
    SetFlagTo(flagSizeable, false);
    SetFlagTo(flagMaximized, false);
    SetFlagTo(flagMinimized, false);
    SetFlagTo(flagModal, false);
    SetFlagTo(flagNoClose, false);
    owner = nullptr;
}

bool ZafPopUpMenu::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafPopUpMenu::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

ZafPopUpMenu::ZafPopUpMenu(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    persistence.PopLevel();
    ApplyFixedAttributes();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafPopUpMenu::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafPopUpMenu(name, persistence);
}

void ZafPopUpMenu::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafPopUpMenu::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
    ZafPersistenceRegistry::RegisterNew(ZafPopUpItem::className, ZafObjectNew<ZafPopUpItem::New>);
}

void ZafPopUpMenu::ReadContents(ZafWindowPersistence &persistence)
{
    ZafWindowObject::ReadFrom(persistence);
    if (persistence.Error() == 0)
        ReadData(persistence);
    if (persistence.Error() == 0)
        ReadObjects(persistence);
    ApplyFixedAttributes();
}

void ZafPopUpMenu::ReadItems(ZafWindowPersistence &persistence)
{
    ReadObjects(persistence);
}

void ZafPopUpMenu::WriteItems(ZafWindowPersistence &persistence)
{
    WriteChildren(persistence);
}

// --- ZafPopUpMenu: events -------------------------------------------------------------

ZafEventType ZafPopUpMenu::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_CREATE: {
        const bool standAlone = !parent || parent == zafWindowManager;
        // A context menu shown again starts from a new Windows menu.
        if (standAlone && menu)
            DestroyOSWindow();
        Event(ZafEventRecord(ZAF_RESOLVE_REFERENCES));
        Event(ZafEventRecord(ZAF_CREATE_OS_WINDOW));
        if (standAlone)
            Track();
        return ZAF_CREATE;
    }
    case ZAF_DESTROY_OS_WINDOW:
        DestroyOSWindow();
        return ZAF_DESTROY_OS_WINDOW;
    case ZAF_CREATE_OS_WINDOW:
    case ZAF_DEINITIALIZE:
    case ZAF_RESOLVE_REFERENCES:
        if (event.type == ZAF_CREATE_OS_WINDOW)
            CreateOSWindow();
        else if (event.type == ZAF_DEINITIALIZE)
            ForgetMenuHandle();
        BroadcastEvent(event, 0);
        return event.type;
    case ZAF_NOT_CURRENT:
        if (CurrentChild() && CurrentChild()->Focus())
            CurrentChild()->Event(event);
        SetCurrent(nullptr);
        return ZafWindowObject::Event(event);
    case ZAF_CURRENT:
        return ZafWindowObject::Event(event);
    case ZAF_CLOSE_QUERY:
        return 0;
    case ZAF_ADD_OBJECT:
        // Inside an item the item decides (its entry may have to change).
        if (parent && parent != zafWindowManager)
            return parent->Event(event);
        return ZafWindow::Event(event);
    default:
        return ZafWindow::Event(event);
    }
}

void ZafPopUpMenu::Track()
{
    auto *next = static_cast<ZafWindowObject *>(Next());
    HWND owner = next ? (next->OSHandle(2) ? next->OSHandle(2) : next->OSHandle()) : nullptr;
    if (menu && owner) {
        ZafRegionRect place = region;
        ConvertRegion(place, ZAF_PIXEL);
        TrackPopupMenu(menu, TPM_RIGHTBUTTON, place.left, place.top, 0, owner, nullptr);
        // The pick runs now, while the menu is still the front window that
        // the command is routed to. It may delete this menu: only locals
        // are used from here on.
        MSG m;
        while (PeekMessageA(&m, owner, WM_COMMAND, WM_COMMAND, PM_REMOVE))
            DispatchMessageA(&m);
    }
    if (zafEventManager)
        zafEventManager->Put(ZafEventRecord(ZAF_CLOSE_TEMPORARY), ZAF_QUEUE_TAIL);
}

ZafEventType ZafPopUpMenu::HandleMenuSelect(const ZafEventRecord &, unsigned item, unsigned flags, HMENU handle)
{
    if (!menu || handle != menu)
        return ZAF_UNKNOWN;
    return SelectMenuEntry(*this, item, flags, 0);
}

// --- ZafPopUpMenu: items and the Windows menu -----------------------------------------

ZafWindowObject *ZafPopUpMenu::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    ZafWindowObject *added = ZafWindow::AddObject(object, before);
    if (added && menu)
        added->Event(ZafEventRecord(ZAF_CREATE));
    return added;
}

ZafWindowObject *ZafPopUpMenu::SubtractObject(ZafWindowObject *object)
{
    RemoveMenuEntry(*this, object);
    return ZafWindow::SubtractObject(object);
}

void ZafPopUpMenu::AdoptMenuHandle(HMENU handle)
{
    ForgetMenuHandle();
    menu = handle;
    ownsMenu = false;
    RegisterMenu(menu, this);
}

HWND ZafPopUpMenu::CreateOSWindow()
{
    if (!menu && !IsEmpty()) {
        menu = CreatePopupMenu();
        ownsMenu = menu != nullptr;
    }
    if (menu)
        RegisterMenu(menu, this);
    return nullptr;
}

void ZafPopUpMenu::DestroyOSWindow()
{
    if (menu && ownsMenu)
        DestroyMenu(menu);
    Event(ZafEventRecord(ZAF_DEINITIALIZE));
}

void ZafPopUpMenu::ForgetMenuHandle()
{
    if (menu)
        RegisterMenu(menu, nullptr);
    menu = nullptr;
    ownsMenu = false;
}

// --- ZafPopUpItem: construction ---------------------------------------------------------

namespace {

int TextWidth(const char *text)
{
    return text ? static_cast<int>(std::strlen(text)) : 1;
}

} // namespace

ZafPopUpItem::ZafPopUpItem(const char *text, int newKind)
    : ZafButton(0, 0, TextWidth(text), 1, text, nullptr, flatButton), subMenu(0, 0)
{
    LoadPopUpImages();
    language = AcquireLanguageData(className, ZafLanguageData::BuiltInTable(className));
    SetItemKind(newKind);
    SetUpSubMenu();
    ApplyFixedAttributes();
}

ZafPopUpItem::ZafPopUpItem(BarEntry, const char *text)
    : ZafButton(0, 0, TextWidth(text), 1, text, nullptr, flatButton), subMenu(0, 0)
{
    SetUpSubMenu();
    ApplyFixedAttributes();
}

ZafPopUpItem::ZafPopUpItem(const ZafPopUpItem &copy) : ZafButton(copy), subMenu(copy.subMenu), kind(copy.kind)
{
    LoadPopUpImages();
    if (copy.language)
        language = AcquireLanguageData(className, ZafLanguageData::BuiltInTable(className));
    SetUpSubMenu();
    ApplyFixedAttributes();
}

ZafPopUpItem::~ZafPopUpItem()
{
    // The entry goes while the item is still among its siblings.
    if (entryMenu)
        DestroyOSWindow();
    if (language)
        ReleaseLanguageData(language);
    subMenu.SetOwnerObject(nullptr);
}

void ZafPopUpItem::SetUpSubMenu()
{
    subMenu.SetOwnerObject(this);
    if (!subMenu.StringID())
        subMenu.SetStringID("menu");
}

void ZafPopUpItem::ApplyFixedAttributes()
{
    buttonType = flatButton;
    autoSize = false;
    allowDefault = false;
    autoRepeatSelection = false;
    depressed = false;
    selectOnDoubleClick = false;
    selectOnDownClick = false;
    depth = 0;
    hzJustify = justifyStart;
    vtJustify = justifyCenter;
    SetFlagTo(flagAcceptDrop, false);
    SetFlagTo(flagBordered, false);
    SetFlagTo(flagCopyDraggable, false);
    SetFlagTo(flagSecondDragFlag, false);
    SetFlagTo(flagMoveDraggable, false);
    SetFlagTo(flagParentDrawsBorder, false);
    SetFlagTo(flagParentDrawsFocus, false);
    SetFlagTo(flagNoClassPalette, false);
    regionType = 0;
    if (bitmapData)
        ZafButton::SetBitmapData(nullptr);
}

bool ZafPopUpItem::IsClassID(ZafClassID id) const
{
    return id == classID || ZafButton::IsClassID(id);
}

bool ZafPopUpItem::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafButton::IsClassName(name);
}

// --- ZafPopUpItem: persistence ----------------------------------------------------------

ZafPopUpItem::ZafPopUpItem(const char *name, ZafWindowPersistence &persistence)
    : ZafButton(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry)), subMenu(0, 0)
{
    LoadPopUpImages();
    language = AcquireLanguageData(className, ZafLanguageData::BuiltInTable(className));
    SetUpSubMenu();
    std::uint16_t storedKind = 0;
    if (persistence.Error() == 0)
        persistence.Read16(storedKind);
    if (persistence.Error() == 0)
        SetItemKind(storedKind);
    if (persistence.Error() == 0)
        ReadSubMenu(persistence);
    ApplyFixedAttributes();
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafPopUpItem::ZafPopUpItem(BarEntry, const char *name, ZafWindowPersistence &persistence)
    : ZafButton(name, persistence), subMenu(0, 0)
{
    SetUpSubMenu();
}

ZafElement *ZafPopUpItem::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafPopUpItem(name, persistence);
}

void ZafPopUpItem::ReadSubMenu(ZafWindowPersistence &persistence)
{
    // A longer name does not fit and is refused with the read error.
    char name[maxSubMenuName + 1] = "";
    persistence.ReadStringInto(name, sizeof name);
    if (persistence.Error() != 0 || !name[0])
        return;
    subMenu.SetStringID(name);
    persistence.PushLevel(ZafPopUpMenu::className, ZafPopUpMenu::classID, ZafWindowPersistence::childEntry);
    if (persistence.OpenLevelFile(name, ZafWindowPersistence::readMode) == 0)
        subMenu.ReadContents(persistence);
    persistence.PopLevel();
    SetUpSubMenu();
}

void ZafPopUpItem::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafButton::Write(persistence);
    if (persistence.Error() == 0) {
        persistence.Write16(static_cast<std::uint16_t>(kind));
        WriteSubMenu(persistence);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafPopUpItem::WriteSubMenu(ZafWindowPersistence &persistence)
{
    const bool hasItems = !subMenu.IsEmpty();
    if (hasItems && (!subMenu.StringID() || !*subMenu.StringID()))
        subMenu.SetStringID("menu");
    const char *name = hasItems ? subMenu.StringID() : nullptr;
    if (name && std::strlen(name) > static_cast<std::size_t>(maxSubMenuName)) {
        // It could not be read back.
        persistence.SetError(17);
        return;
    }
    persistence.WriteString(name);
    if (!hasItems || persistence.Error() != 0)
        return;
    persistence.PushLevel(ZafPopUpMenu::className, ZafPopUpMenu::classID, ZafWindowPersistence::childEntry);
    subMenu.Write(persistence);
    persistence.PopLevel();
}

// --- ZafPopUpItem: events -------------------------------------------------------------------

ZafEventType ZafPopUpItem::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_CREATE:
        Event(ZafEventRecord(ZAF_RESOLVE_REFERENCES));
        Event(ZafEventRecord(ZAF_CREATE_OS_WINDOW));
        DrawRootMenuBar();
        return ZAF_CREATE;
    case ZAF_DESTROY_OS_WINDOW:
        DestroyOSWindow();
        return ZAF_DESTROY_OS_WINDOW;
    case ZAF_CREATE_OS_WINDOW:
    case ZAF_DEINITIALIZE:
    case ZAF_RESOLVE_REFERENCES:
        // The sub-menu first: its handle is the entry's id.
        subMenu.Event(event);
        if (event.type == ZAF_DEINITIALIZE)
            entryMenu = nullptr;
        return ZafButton::Event(event);
    case ZAF_ADD_OBJECT:
        AddSubItem(event.Object());
        return ZAF_ADD_OBJECT;
    case ZAF_SUBTRACT_OBJECT:
        SubtractSubItem(event.Object());
        return ZAF_SUBTRACT_OBJECT;
    case ZAF_NOT_CURRENT:
        if (subMenu.Focus())
            subMenu.Event(event);
        return ZafButton::Event(event);
    default:
        return ZafButton::Event(event);
    }
}

ZafEventType ZafPopUpItem::HandleOSMessage(const ZafEventRecord &event)
{
    const UINT message = event.osEvent.message;
    if (message == WM_COMMAND || message == WM_SYSCOMMAND) {
        // The selection may delete the item; the answer is the event's.
        Event(ZafEventRecord(ZAF_SELECT));
        return event.type;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

// --- ZafPopUpItem: kind and sub-menu ----------------------------------------------------------

int ZafPopUpItem::SetItemKind(int newKind)
{
    if (newKind == kind || entryMenu)
        return kind;
    kind = newKind;
    if (kind == kindSeparator) {
        SetFlagTo(flagDisabled, true);
        SetFlagTo(flagNoFocus, true);
        return kind;
    }
    const KindAction *action = ActionOf(kind);
    if (!action)
        return kind;
    SetUserCallback(SendMessageCallback);
    value = action->value;
    TakeLanguageText();
    return kind;
}

void ZafPopUpItem::TakeLanguageText()
{
    if (!language)
        return;
    unsigned char hotKey = 0;
    std::uint32_t index = 0xFFFFFFFF;
    const char *text = language->GetMessageText(static_cast<ZafNumberID>(kind), false, &hotKey, &index);
    if (!text)
        return;
    SetText(text);
    // The built-in table keeps the hot key's index in the value word.
    SetHotKey(static_cast<char>(hotKey), static_cast<int>(index));
}

ZafWindowObject *ZafPopUpItem::AddSubItem(ZafWindowObject *item, ZafWindowObject *before)
{
    const bool wasEmpty = subMenu.IsEmpty();
    ZafWindowObject *added = subMenu.AddObject(item, before);
    if (added && wasEmpty)
        RemakeEntry();
    return added;
}

ZafWindowObject *ZafPopUpItem::SubtractSubItem(ZafWindowObject *item)
{
    const bool hadItems = !subMenu.IsEmpty();
    ZafWindowObject *removed = subMenu.SubtractObject(item);
    if (hadItems && subMenu.IsEmpty())
        RemakeEntry();
    return removed;
}

void ZafPopUpItem::DestroySubItems()
{
    // The entry stops dropping a menu that is gone.
    const bool remake = entryMenu != nullptr;
    if (remake)
        Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    subMenu.DestroyChildren();
    if (remake)
        Event(ZafEventRecord(ZAF_CREATE));
}

void ZafPopUpItem::SortSubItems()
{
    // Windows keeps the entries in the order they were made in.
    const bool remake = entryMenu != nullptr;
    if (remake)
        Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    subMenu.Sort();
    if (remake)
        Event(ZafEventRecord(ZAF_CREATE));
}

void ZafPopUpItem::RemakeEntry()
{
    if (!entryMenu)
        return;
    Event(ZafEventRecord(ZAF_DESTROY_OS_WINDOW));
    Event(ZafEventRecord(ZAF_CREATE));
}

// --- ZafPopUpItem: the menu entry ---------------------------------------------------------------

bool ZafPopUpItem::InSystemMenu() const
{
    for (const ZafWindowObject *p = parent; p; p = p->Parent())
        if (p->IsClassID(systemButtonClassID))
            return true;
    return false;
}

HMENU ZafPopUpItem::ParentMenuHandle() const
{
    auto *menu = dynamic_cast<ZafPopUpMenu *>(parent);
    return menu ? menu->MenuHandle() : nullptr;
}

UINT_PTR ZafPopUpItem::EntryID() const
{
    if (!subMenu.IsEmpty() && subMenu.MenuHandle())
        return reinterpret_cast<UINT_PTR>(subMenu.MenuHandle());
    if (InSystemMenu())
        if (const KindAction *action = ActionOf(kind))
            if (action->systemCommand)
                return action->systemCommand;
    // The 16-bit number id, sign-extended, as Windows gives it back.
    return static_cast<UINT_PTR>(static_cast<std::int32_t>(static_cast<std::int16_t>(numberID)));
}

int ZafPopUpItem::EntryPosition() const
{
    int position = 0;
    for (ZafElement *e = Previous(); e; e = e->Previous())
        if (auto *item = dynamic_cast<ZafPopUpItem *>(static_cast<ZafWindowObject *>(e)))
            if (item->HasEntry())
                ++position;
    return position;
}

UINT ZafPopUpItem::EntryFlags() const
{
    UINT flags = kind == kindSeparator ? MF_SEPARATOR : MF_STRING;
    if (!subMenu.IsEmpty())
        flags |= MF_POPUP;
    if (HasFlag(flagDisabled))
        flags |= MF_GRAYED | MF_DISABLED;
    if (HasFlag(flagSelected))
        flags |= MF_CHECKED;
    return flags;
}

char *ZafPopUpItem::EntryText()
{
    char *marked = ZafInsertHotKey(Text() ? Text() : "", hotKeyIndex);
    if (!zafCodeSetConversion || !marked)
        return marked;
    char *converted = ConvertTextByCodeSet(marked, nullptr, true);
    delete[] marked;
    return converted;
}

HWND ZafPopUpItem::CreateOSWindow()
{
    if (entryMenu)
        return nullptr;
    HMENU menu = ParentMenuHandle();
    if (!menu)
        return nullptr;
    // Inside a system menu Windows carries out the frame commands itself;
    // the item only tells its user function.
    if (InSystemMenu() && ActionOf(kind) && ActionOf(kind)->systemCommand)
        SetUserCallback(nullptr);
    InsertEntry(menu);
    return nullptr;
}

void ZafPopUpItem::InsertEntry(HMENU menu)
{
    char *text = EntryText();
    const int position = EntryPosition();
    if (InsertMenuA(menu, static_cast<UINT>(position), MF_BYPOSITION | EntryFlags(), EntryID(),
                    kind == kindSeparator ? nullptr : text))
        entryMenu = menu;
    delete[] text;
}

void ZafPopUpItem::DestroyOSWindow()
{
    // Removed by position, not by command id: removal by id would hit
    // whatever entry came first with that id (ids repeat: 0, separators,
    // and the search enters sub-menus).
    const bool removed = entryMenu && RemoveMenu(entryMenu, static_cast<UINT>(EntryPosition()), MF_BYPOSITION);
    if (subMenu.MenuHandle())
        subMenu.DestroyOSWindow();
    Event(ZafEventRecord(ZAF_DEINITIALIZE));
    if (removed)
        DrawRootMenuBar();
}

int ZafPopUpItem::UpdateOSItem()
{
    if (!entryMenu)
        return 0;
    HMENU menu = entryMenu;
    const auto position = static_cast<UINT>(EntryPosition());
    char *text = EntryText();
    // Removing an entry leaves its sub-menu alone; inserting it again with
    // MF_POPUP hangs the same sub-menu under the new text.
    RemoveMenu(menu, position, MF_BYPOSITION);
    InsertMenuA(menu, position, MF_BYPOSITION | EntryFlags(), EntryID(), kind == kindSeparator ? nullptr : text);
    delete[] text;
    DrawRootMenuBar();
    return 0;
}

void ZafPopUpItem::DrawRootMenuBar()
{
    ZafWindowObject *root = TopLevelObject();
    HWND window = root ? (root->OSHandle(2) ? root->OSHandle(2) : root->OSHandle()) : nullptr;
    if (window && GetMenu(window))
        DrawMenuBar(window);
}

bool ZafPopUpItem::SetDisabled(bool flag)
{
    if (flag == HasFlag(flagDisabled))
        return HasFlag(flagDisabled);
    SetFlagTo(flagDisabled, flag);
    if (entryMenu) {
        EnableMenuItem(entryMenu, static_cast<UINT>(EntryPosition()), MF_BYPOSITION | (flag ? MF_GRAYED : MF_ENABLED));
        DrawRootMenuBar();
    }
    return HasFlag(flagDisabled);
}

bool ZafPopUpItem::SetSelected(bool flag)
{
    const bool was = HasFlag(flagSelected);
    ZafButton::SetSelected(flag);
    if (HasFlag(flagSelected) != was && entryMenu)
        CheckMenuItem(entryMenu, static_cast<UINT>(EntryPosition()),
                      MF_BYPOSITION | (HasFlag(flagSelected) ? MF_CHECKED : MF_UNCHECKED));
    return HasFlag(flagSelected);
}

// --- ZafPopUpItem: lookup -------------------------------------------------------------------------

ZafWindowObject *ZafPopUpItem::FindObjectByNumberID(ZafNumberID id)
{
    if (numberID == id)
        return this;
    return subMenu.FindObjectByNumberID(id);
}

ZafWindowObject *ZafPopUpItem::SearchInside(const char *name)
{
    return subMenu.FindObjectByStringID(name);
}

// --- ZafPopUpItem: built-in images -----------------------------------------------------------------

namespace {

constexpr int arrowWidth = 5, arrowHeight = 9;
constexpr int checkWidth = 9, checkHeight = 10;
const char *const arrowRows[arrowHeight] = {"#....", "##...", "###..", "####.", "#####",
                                            "####.", "###..", "##...", "#...."};
const char *const checkRows[checkHeight] = {"........#", "........#", ".......##", ".......#.", "......##.",
                                            ".#....#..", "###..##..", "..##.#...", "...###...", "....#...."};

// The pixels live as long as the program; the images point at them.
std::uint8_t arrowPixels[2][arrowWidth * arrowHeight];
std::uint8_t checkPixels[2][checkWidth * checkHeight];
ZafBitmapData *popUpImages[ZafPopUpItem::popUpImageCount] = {};

void Paint(std::uint8_t *pixels, const char *const *rows, int width, int height, std::uint8_t colour)
{
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            pixels[y * width + x] = rows[y][x] == '#' ? colour : 255;
}

} // namespace

void ZafPopUpItem::LoadPopUpImages()
{
    if (popUpImages[0])
        return;
    const char *const names[popUpImageCount] = {"popupArrow", "popupArrowCurrent", "popupCheck", "popupCheckCurrent"};
    for (int i = 0; i < popUpImageCount; ++i) {
        const bool arrow = i < popUpCheck;
        const std::uint8_t colour = i % 2 ? 15 : 0;
        std::uint8_t *pixels = arrow ? arrowPixels[i % 2] : checkPixels[i % 2];
        const int width = arrow ? arrowWidth : checkWidth, height = arrow ? arrowHeight : checkHeight;
        Paint(pixels, arrow ? arrowRows : checkRows, width, height, colour);
        popUpImages[i] = new ZafBitmapData(ZafBitmapStruct(width, height, pixels, true));
        popUpImages[i]->SetDestroyable(false);
        popUpImages[i]->SetStringID(names[i]);
    }
    RegisterStaticCleanup(ReleasePopUpImages, nullptr, 0);
}

void ZafPopUpItem::ReleasePopUpImages(std::uint8_t)
{
    for (ZafBitmapData *&image : popUpImages) {
        delete image;
        image = nullptr;
    }
}

ZafBitmapData *ZafPopUpItem::BuiltInPopUpImage(PopUpImage image)
{
    LoadPopUpImages();
    return image >= 0 && image < popUpImageCount ? popUpImages[image] : nullptr;
}
