#include "zaf/controls/ZafPullDownMenu.h"

#include "zaf/controls/ZafMenuEntries.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"

// --- ZafPullDownMenu: construction and persistence -------------------------------------

ZafPullDownMenu::ZafPullDownMenu() : ZafWindow(0, 0, 0, 0)
{
    ApplyFixedAttributes();
}

ZafPullDownMenu::ZafPullDownMenu(const ZafPullDownMenu &copy) : ZafWindow(copy)
{
    ApplyFixedAttributes();
}

ZafPullDownMenu::~ZafPullDownMenu()
{
    // A bar deleted while its window lives would stay on the window with
    // entries that no object answers.
    if (menu && frame && IsWindow(frame) && GetMenu(frame) == menu)
        DestroyBar();
    ForgetBar();
}

void ZafPullDownMenu::ApplyFixedAttributes()
{
    SetNumberID(ZAF_NUMID_PULL_DOWN_MENU);
    if (!StringID())
        SetStringID("ZAF_NUMID_PULL_DOWN_MENU");
    SetFlagTo(flagSupportObject, true);
    regionType = 2;
    SetFlagTo(flagBordered, true);
    SetFlagTo(flagPlainKeyHotKeys, true);
    SetFlagTo(flagAcceptDrop, false);
    SetFlagTo(flagDisabled, false);
    SetFlagTo(flagNoFocus, false);
    SetFlagTo(flagNoClassPalette, false);
    SetFlagTo(flagDestroyable, false);
    SetFlagTo(flagSizeable, false);
    SetFlagTo(flagMoveable, false);
    SetFlagTo(flagTemporary, false);
    SetFlagTo(flagMaximized, false);
    SetFlagTo(flagMinimized, false);
    SetFlagTo(flagModal, false);
    SetFlagTo(flagNoClose, false);
    owner = nullptr;
}

bool ZafPullDownMenu::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafPullDownMenu::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

ZafPullDownMenu::ZafPullDownMenu(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    persistence.PopLevel();
    ApplyFixedAttributes();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafPullDownMenu::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafPullDownMenu(name, persistence);
}

void ZafPullDownMenu::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafWindow::Write(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafPullDownMenu::RegisterPersistence()
{
    ZafPopUpMenu::RegisterPersistence();
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
    ZafPersistenceRegistry::RegisterNew(ZafPullDownItem::className, ZafObjectNew<ZafPullDownItem::New>);
}

// --- ZafPullDownMenu: events ------------------------------------------------------------

ZafEventType ZafPullDownMenu::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW:
        // The window makes its support objects with ZAF_CREATE.
        CreateBar();
        return event.type;
    case ZAF_DESTROY_OS_WINDOW:
        DestroyBar();
        return ZAF_DESTROY_OS_WINDOW;
    case ZAF_RESOLVE_REFERENCES:
        BroadcastEvent(event, 0);
        return event.type;
    case ZAF_DEINITIALIZE:
        ForgetBar();
        BroadcastEvent(event, 0);
        return event.type;
    case ZAF_NOT_CURRENT:
        if (CurrentChild() && CurrentChild()->Focus())
            CurrentChild()->Event(event);
        SetCurrent(nullptr);
        return ZafWindowObject::Event(event);
    case ZAF_CURRENT:
        return ZafWindowObject::Event(event);
    case ZAF_APPLY_GEOMETRY:
    case ZAF_REGION_CHANGED:
        // Windows places the bar.
        return event.type;
    default:
        return ZafWindow::Event(event);
    }
}

void ZafPullDownMenu::CreateBar()
{
    if (menu || !parent)
        return;
    HWND window = parent->OSHandle(2) ? parent->OSHandle(2) : parent->OSHandle();
    if (!window)
        return;
    menu = CreateMenu();
    if (!menu)
        return;
    frame = window;
    RegisterMenu(menu, this);
    BroadcastEvent(ZafEventRecord(ZAF_CREATE_OS_WINDOW), 0);
    SetMenu(frame, menu);
    DrawMenuBar(frame);
}

void ZafPullDownMenu::DestroyBar()
{
    if (menu) {
        if (frame && IsWindow(frame) && GetMenu(frame) == menu)
            SetMenu(frame, nullptr);
        DestroyMenu(menu);
    }
    Event(ZafEventRecord(ZAF_DEINITIALIZE));
}

void ZafPullDownMenu::ForgetBar()
{
    if (menu)
        RegisterMenu(menu, nullptr);
    menu = nullptr;
    frame = nullptr;
}

ZafEventType ZafPullDownMenu::HandleMenuSelect(const ZafEventRecord &, unsigned item, unsigned flags, HMENU handle)
{
    if (!menu || handle != menu)
        return ZAF_UNKNOWN;
    return SelectMenuEntry(*this, item, flags, PositionOffset());
}

ZafWindowObject *ZafPullDownMenu::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    ZafWindowObject *added = ZafWindow::AddObject(object, before);
    if (added && menu)
        added->Event(ZafEventRecord(ZAF_CREATE));
    return added;
}

ZafWindowObject *ZafPullDownMenu::SubtractObject(ZafWindowObject *object)
{
    RemoveMenuEntry(*this, object);
    return ZafWindow::SubtractObject(object);
}

int ZafPullDownMenu::PositionOffset() const
{
    auto *mdiFrame = dynamic_cast<ZafMDIWindow *>(parent);
    if (!mdiFrame || !mdiFrame->ClientWindow())
        return 0;
    BOOL maximized = FALSE;
    const LRESULT active =
        SendMessageA(mdiFrame->ClientWindow(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    return active && maximized ? 1 : 0;
}

// --- ZafPullDownItem ---------------------------------------------------------------------

ZafPullDownItem::ZafPullDownItem(const char *text) : ZafPopUpItem(BarEntry(), text)
{
    ApplyBarAttributes();
}

ZafPullDownItem::ZafPullDownItem(const ZafPullDownItem &copy) : ZafPopUpItem(copy)
{
    ApplyBarAttributes();
}

ZafPullDownItem::~ZafPullDownItem()
{
    // Its own position rule applies while it is still a pull-down item.
    if (entryMenu)
        DestroyOSWindow();
}

void ZafPullDownItem::ApplyBarAttributes()
{
    ApplyFixedAttributes();
    kind = kindOrdinary;
    SetFlagTo(flagSelected, false);
    allowToggling = false;
    hzJustify = justifyCenter;
    ZafButton::SetSendMessageText(nullptr);
    ZafButton::SetSendMessageWhenSelected(false);
    value = 0;
}

bool ZafPullDownItem::IsClassID(ZafClassID id) const
{
    return id == classID || ZafButton::IsClassID(id);
}

bool ZafPullDownItem::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafButton::IsClassName(name);
}

ZafPullDownItem::ZafPullDownItem(const char *name, ZafWindowPersistence &persistence)
    : ZafPopUpItem(BarEntry(), name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    if (persistence.Error() == 0)
        ReadSubMenu(persistence);
    ApplyBarAttributes();
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafElement *ZafPullDownItem::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafPullDownItem(name, persistence);
}

void ZafPullDownItem::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafButton::Write(persistence);
    if (persistence.Error() == 0)
        WriteSubMenu(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

int ZafPullDownItem::EntryPosition() const
{
    auto *bar = dynamic_cast<ZafPullDownMenu *>(parent);
    return ZafPopUpItem::EntryPosition() + (bar ? bar->PositionOffset() : 0);
}

UINT ZafPullDownItem::EntryFlags() const
{
    UINT flags = MF_STRING;
    if (!subMenu.IsEmpty())
        flags |= MF_POPUP;
    if (HasFlag(flagDisabled))
        flags |= MF_GRAYED;
    return flags;
}

HMENU ZafPullDownItem::ParentMenuHandle() const
{
    auto *bar = dynamic_cast<ZafPullDownMenu *>(parent);
    return bar ? bar->MenuHandle() : nullptr;
}
