// ZafIcon: construction, the stock icons, persistence, events and drawing.
#include "zaf/controls/ZafIcon.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStaticCleanup.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr ZafUpdateType observedKinds = 3;
// Answered by vertical lists and combo boxes, whose rows Windows draws.
constexpr ZafClassID listParentClassID = 1001;
constexpr const char *minimizeIconName = "ZAF_NUMID_MIN_ICON";

ZafIconData *stockIcons[ZafIcon::systemIconCount] = {};

void DeleteStockIcons(std::uint8_t)
{
    for (ZafIconData *&icon : stockIcons) {
        delete icon;
        icon = nullptr;
    }
}

void MakeStockIcons()
{
    static const char *const names[ZafIcon::systemIconCount] = {"APPLICATION", "ASTERISK", "EXCLAMATION", "HAND",
                                                                "QUESTION"};
    static const LPCSTR resources[ZafIcon::systemIconCount] = {IDI_APPLICATION, IDI_ASTERISK, IDI_EXCLAMATION, IDI_HAND,
                                                               IDI_QUESTION};
    for (int i = 0; i < ZafIcon::systemIconCount; ++i) {
        stockIcons[i] = new ZafIconData(ZafIconStruct(32, 32, nullptr, true));
        // Windows' own icons: shared, never destroyed.
        stockIcons[i]->iconHandle = LoadIconA(nullptr, resources[i]);
        stockIcons[i]->staticHandle = 1;
        stockIcons[i]->SetDestroyable(false);
        stockIcons[i]->SetStringID(names[i]);
        stockIcons[i]->SetNumberID(static_cast<ZafNumberID>(i));
    }
    RegisterStaticCleanup(DeleteStockIcons, nullptr, 0);
}

void DropIcon(ZafIconData *data, ZafIcon *icon, ZafNotificationFunction function)
{
    if (!data)
        return;
    data->SubtractNotification(icon, function);
    if (data->Destroyable() && data->NotificationCount() == 0)
        delete data;
}

} // namespace

ZafIconData *ZafIcon::SystemIcon(int id)
{
    if (!stockIcons[0])
        MakeStockIcons();
    return id >= 0 && id < systemIconCount ? stockIcons[id] : nullptr;
}

ZafIconData *ZafIcon::SystemIcon(const char *name)
{
    for (int i = 0; name && i < systemIconCount; ++i)
        if (std::strcmp(SystemIcon(i)->StringID(), name) == 0)
            return SystemIcon(i);
    return nullptr;
}

// --- Construction ----------------------------------------------------------------

ZafIcon::ZafIcon(int left, int top, const char *title, ZafIconData *icon, IconKind kind)
    : ZafButton(left, top, 0, 0, title, nullptr, flatButton)
{
    Construct(icon, kind);
}

ZafIcon::ZafIcon(int left, int top, ZafStringData *title, ZafIconData *icon, IconKind kind)
    : ZafButton(left, top, 0, 0, title, nullptr, flatButton)
{
    Construct(icon, kind);
}

ZafIcon::ZafIcon(const ZafIcon &copy) : ZafButton(copy)
{
    ZafIconData *icon = copy.iconData;
    if (icon && icon->Destroyable())
        icon = static_cast<ZafIconData *>(icon->Duplicate());
    Construct(icon, copy.iconKind);
    selectOnDoubleClick = copy.selectOnDoubleClick;
}

void ZafIcon::Construct(ZafIconData *icon, IconKind kind)
{
    buttonType = flatButton;
    SetFlagTo(flagSystemDrawn, false);
    depth = 0;
    allowDefault = allowToggling = autoRepeatSelection = false;
    hotKeyChar = 0;
    hotKeyIndex = -1;
    selectOnDoubleClick = true;
    ZafButton::ClearBitmapData();
    SystemIcon(0);
    SetIconKind(kind);
    SetIconData(icon);
}

ZafIcon::~ZafIcon()
{
    DestroyOSWindow();
    ZafIconData *old = iconData;
    iconData = nullptr;
    DropIcon(old, this, IconDataChanged);
}

bool ZafIcon::IsClassID(ZafClassID id) const
{
    return id == classID || ZafButton::IsClassID(id);
}

bool ZafIcon::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafButton::IsClassName(name);
}

ZafIconData *ZafIcon::SetIconData(ZafIconData *data)
{
    if (data != iconData) {
        ZafIconData *old = iconData;
        iconData = nullptr;
        DropIcon(old, this, IconDataChanged);
        iconData = data;
        if (iconData)
            iconData->AddNotification(this, IconDataChanged, observedKinds);
    }
    Relayout();
    return iconData;
}

ZafIconData *ZafIcon::SetSystemIcon(int id)
{
    if (ZafIconData *stock = SystemIcon(id))
        SetIconData(stock);
    return iconData;
}

int ZafIcon::ClearBitmapData()
{
    SetIconData(nullptr);
    return 0;
}

ZafIcon::IconKind ZafIcon::SetIconKind(IconKind kind)
{
    if (osWindow)
        return iconKind;
    iconKind = kind == minimizeIcon ? minimizeIcon : ordinaryIcon;
    if (iconKind == minimizeIcon) {
        SetNumberID(ZAF_NUMID_MIN_ICON);
        SetStringID(minimizeIconName);
        SetFlagTo(flagSupportObject, true);
        SetFlagTo(flagOwnWindow, false);
    }
    return iconKind;
}

int ZafIcon::IconDataChanged(ZafElement *observer, std::uint32_t kinds)
{
    auto *icon = dynamic_cast<ZafIcon *>(observer);
    if (!icon || !(kinds & ZafNotification::valueChanged))
        return 1;
    icon->Relayout();
    return 0;
}

// --- Persistence -------------------------------------------------------------------

ZafIcon::ZafIcon(const char *name, ZafWindowPersistence &persistence)
    : ZafButton(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    Construct(nullptr, ordinaryIcon);
    if (persistence.Error() == 0)
        ReadIconFields(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafIcon::ReadIconFields(ZafWindowPersistence &persistence)
{
    std::uint16_t kind = 0;
    char name[ZafWindowPersistence::maxNameLength + 1] = "";
    persistence.Read16(kind);
    persistence.ReadStringInto(name, sizeof name);
    if (persistence.Error() != 0)
        return;
    SetIconKind(static_cast<IconKind>(kind & 0x0F));
    if (!*name)
        return;
    if (ZafIconData *stock = SystemIcon(name)) {
        SetIconData(stock);
        return;
    }
    auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
    if (!data)
        return;
    auto *read = new ZafIconData(name, *data);
    if (read->Error() != 0) {
        persistence.SetError(static_cast<std::uint32_t>(read->Error()));
        delete read;
        return;
    }
    SetIconData(read);
}

ZafElement *ZafIcon::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafIcon(name, persistence);
}

void ZafIcon::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafIcon::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    ZafButton::Write(persistence);
    if (persistence.Error() == 0) {
        if (iconData && !iconData->StringID())
            iconData->SetStringID(ZafData::MakeDefaultName());
        persistence.Write16(static_cast<std::uint16_t>(iconKind & 0x0F));
        persistence.WriteString(iconData ? iconData->StringID() : "");
        auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
        if (iconData && data && persistence.Error() == 0)
            iconData->Write(*data);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Layout and events -----------------------------------------------------------------

void ZafIcon::FitContents()
{
    ZafRegionRect corner = region;
    ConvertRegion(corner, ZAF_PIXEL);
    ZafRegionRect image(0, 0, -1, -1, ZAF_PIXEL), title(0, 0, -1, -1, ZAF_PIXEL);
    if (iconData)
        image = ZafRegionRect(0, 0, iconData->width - 1, iconData->height - 1, ZAF_PIXEL);
    const char *text = Text();
    if (text && *text)
        if (ZafGdiDisplay *display = ZafScreenGdiDisplay()) {
            ZafPaletteStruct entry;
            LogicalPalette(entry, ZAF_PM_TEXT, PaletteState());
            const SIZE size = display->TextSize(text, entry.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : entry.font);
            title = ZafRegionRect(0, 0, size.cx - 1, size.cy - 1, ZAF_PIXEL);
        }
    const ZafRegionRect area(corner.left, corner.top, corner.left - 1, corner.top - 1, ZAF_PIXEL);
    const ZafRegionRect total = LayoutContents(area, image, title, titleGap);
    SetRegion(ZafRegionRect(corner.left, corner.top, corner.left + total.Width() - 1, corner.top + total.Height() - 1,
                            ZAF_PIXEL));
}

int ZafIcon::Relayout()
{
    if (osWindow && !HasFlag(flagSupportObject))
        Event(ZafEventRecord(ZAF_REDISPLAY));
    return 0;
}

void ZafIcon::RefreshText()
{
    if (parent && parent->IsClassID(listParentClassID) && parent->SystemDrawn()) {
        RefreshListEntry();
        return;
    }
    if (osWindow && !HasFlag(flagSupportObject)) {
        Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Event(ZafEventRecord(ZAF_REDISPLAY));
    }
}

void ZafIcon::UpdateFont()
{
    if (osWindow) {
        Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        Event(ZafEventRecord(ZAF_REDISPLAY));
    }
}

bool ZafIcon::SetDisabled(bool flag)
{
    const bool result = ZafWindowObject::SetDisabled(flag);
    if (IsOnScreen())
        Event(ZafEventRecord(ZAF_REDISPLAY_CHANGE));
    return result;
}

ZafEventType ZafIcon::DragDropEvent(const ZafEventRecord &event)
{
    const ZafEventType code = event.type;
    if (code != ZAF_DROP_QUERY && code != ZAF_DROP_COPY && code != ZAF_DROP_MOVE)
        return ZafButton::DragDropEvent(event);
    ZafWindowObject *source = zafWindowManager ? zafWindowManager->DragObject() : nullptr;
    auto *icon = dynamic_cast<ZafIcon *>(source);
    if (!icon)
        return ZafButton::DragDropEvent(event);
    if (icon == this || IsDisabledUpChain(true) || !HasFlag(flagAcceptDrop))
        return ZAF_REFUSED;
    ZafIconData *image = icon->iconData;
    if (image && image->Destroyable())
        image = static_cast<ZafIconData *>(image->Duplicate());
    if (image != iconData)
        SetIconData(image);
    // The source's text may live in storage that SetText replaces.
    const std::string title(icon->Text() ? icon->Text() : "");
    if (ZafStringCompare(title.c_str(), Text() ? Text() : "") != 0)
        SetText(title.c_str());
    return code;
}

void ZafIcon::CompleteIconData()
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!iconData || !display)
        return;
    if (iconData->array && !iconData->iconHandle) {
        iconData->iconHandle = display->MakeIcon(iconData->width, iconData->height, iconData->array);
    } else if (iconData->iconHandle && !iconData->array && !iconData->staticHandle) {
        // A shared handle (a stock icon's) belongs to a static description
        // that every icon shares: pixels are never written into it, or one
        // icon's creation would grow storage that nothing frees.
        int width = 0, height = 0;
        std::vector<std::uint8_t> pixels;
        if (display->IconPixels(iconData->iconHandle, width, height, pixels))
            iconData->SetIconArray(width, height, pixels.data());
    }
}

ZafEventType ZafIcon::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_APPLY_GEOMETRY:
        FitContents();
        MoveOSWindow();
        return event.type;
    case ZAF_CURRENT:
    case ZAF_NOT_CURRENT: {
        const ZafEventType result = ZafWindowObject::Event(event);
        if (osWindow)
            Draw(event, event.type);
        return result;
    }
    case ZAF_REDISPLAY:
    case ZAF_REDISPLAY_AREA:
        if (osWindow && parent && IsRedrawOnUpChain(true)) {
            // The icon's window is transparent: the parent repaints what
            // lies under it, then the icon draws itself over that.
            ZafEventRecord area(ZAF_REDISPLAY_AREA);
            area.region = parent->RegionToWindow(event.type == ZAF_REDISPLAY_AREA ? event.region : GetWindowRegion());
            parent->Event(area);
        }
        return ZafWindowObject::Event(event);
    case ZAF_CREATE:
    case ZAF_CREATE_OS_WINDOW: {
        CompleteIconData();
        const ZafEventType result = ZafWindowObject::Event(event);
        if (iconKind == minimizeIcon && iconData && iconData->iconHandle && parent)
            if (HWND frame = parent->OSHandle(2)) {
                SendMessageA(frame, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(iconData->iconHandle));
                SendMessageA(frame, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(iconData->iconHandle));
            }
        return result;
    }
    default:
        // An icon does not toggle: the button's handling is left out.
        return ZafWindowObject::Event(event);
    }
}

ZafEventType ZafIcon::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (layoutMode && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
        ZafEventRecord mouse = event;
        mouse.type = ZAF_MOUSE_EVENT;
        ZafWindowObject::Event(mouse);
        return 0;
    }
    switch (m.message) {
    case WM_LBUTTONDOWN: {
        const ZafEventType result = ZafWindowObject::HandleOSMessage(event);
        if (!IsDisabledUpChain(true) && !IsNoFocusUpChain())
            SetFocus(true);
        if (selectOnDownClick)
            userCallback(this, event, ZAF_SELECT);
        return result;
    }
    case WM_LBUTTONUP:
        // No selection ends a drag: the drop target answers that.
        if (!selectOnDownClick && !(zafWindowManager && zafWindowManager->DragObject()))
            userCallback(this, event, ZAF_SELECT);
        return ZafWindowObject::HandleOSMessage(event);
    case WM_LBUTTONDBLCLK: {
        const ZafEventType result = ZafWindowObject::HandleOSMessage(event);
        if (selectOnDoubleClick)
            userCallback(this, event, ZAF_DOUBLE_SELECT);
        else if (selectOnDownClick)
            userCallback(this, event, ZAF_SELECT);
        return result;
    }
    default:
        return ZafWindowObject::HandleOSMessage(event);
    }
}

HWND ZafIcon::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent || !parent->DrawingHandle())
        return osWindow;
    return ZafCreateOSWindow(this, nullptr, WS_CHILD | WS_CLIPSIBLINGS | (HasFlag(flagVisible) ? WS_VISIBLE : 0),
                             nullptr, parent->DrawingHandle(), WS_EX_TRANSPARENT, ZafInstance());
}

ZafEventType ZafIcon::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    ZafPaletteStruct entry;
    LogicalPalette(entry, ZAF_PM_TEXT, PaletteState());
    const int font = entry.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : entry.font;
    HFONT oldFont = display->SelectFont(font);
    ZafRegionRect image(0, 0, -1, -1, ZAF_PIXEL), title(0, 0, -1, -1, ZAF_PIXEL);
    if (iconData)
        image = ZafRegionRect(0, 0, iconData->width - 1, iconData->height - 1, ZAF_PIXEL);
    const char *text = Text();
    if (text && *text) {
        const SIZE size = display->TextSize(text, font);
        title = ZafRegionRect(0, 0, size.cx - 1, size.cy - 1, ZAF_PIXEL);
    }
    LayoutContents(pass.Area(), image, title, titleGap);
    const bool drawn = code == ZAF_REDISPLAY || code == ZAF_REDISPLAY_AREA || code == ZAF_REDISPLAY_CHANGE;
    if (!drawn && code != ZAF_SELECT) {
        SelectObject(display->CurrentDC(), oldFont);
        return code;
    }
    // A selection redraws the title alone.
    if (code != ZAF_SELECT && iconData && iconData->iconHandle)
        display->DrawIcon(iconData->iconHandle, image.left, image.top, iconData->width, iconData->height);
    if (text && *text) {
        DrawBackground(title, code == ZAF_SELECT ? ZAF_REDISPLAY : code);
        // The hot-key index marks its letter; every other '&' is shown.
        std::unique_ptr<char[]> marked(ZafInsertHotKey(text, hotKeyIndex));
        const char *shown = marked ? marked.get() : text;
        const RECT box = {title.left, title.top, title.right + 1, title.bottom + 1};
        if (IsDisabledUpChain(true)) {
            const RECT shadow = {box.left + 1, box.top + 1, box.right + 1, box.bottom + 1};
            display->SetColors(GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNHIGHLIGHT));
            display->Text(shadow, shown, ZAF_HZ_CENTER, ZAF_VT_CENTER, true);
        }
        display->SetColors(ForegroundColor(), BackgroundColor());
        display->Text(box, shown, ZAF_HZ_CENTER, ZAF_VT_CENTER, true);
    }
    SelectObject(display->CurrentDC(), oldFont);
    return code;
}
