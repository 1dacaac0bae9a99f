// ZafPrompt: construction, persistence, events, auto-size and drawing.
#include "zaf/controls/ZafPrompt.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafObjectPersistence.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStringData.h"

#include <cstring>
#include <memory>

namespace {

constexpr ZafClassID listFamilyID = 1001;
constexpr ZafUpdateType observedKinds = 3;

} // namespace

// --- Construction ----------------------------------------------------------------

ZafPrompt::ZafPrompt(int left, int top, int width, const char *text) : ZafWindowObject(left, top, width, 1)
{
    Construct(new ZafStringData(text ? text : ""));
}

ZafPrompt::ZafPrompt(int left, int top, int width, ZafStringData *data) : ZafWindowObject(left, top, width, 1)
{
    Construct(data ? data : new ZafStringData(""));
}

void ZafPrompt::Construct(ZafStringData *data)
{
    SetFlagTo(flagNoFocus, true);
    SetFlagTo(flagBordered, true);
    savedRegion = region;
    SetStringData(data);
}

ZafPrompt::ZafPrompt(const ZafPrompt &copy)
    : ZafWindowObject(copy), autoSize(copy.autoSize), hotKeyChar(copy.hotKeyChar), hotKeyIndex(copy.hotKeyIndex),
      hzJustify(copy.hzJustify), vtJustify(copy.vtJustify), transparent(copy.transparent), savedRegion(copy.savedRegion)
{
    ZafStringData *data = copy.stringData;
    if (data && data->Destroyable())
        data = static_cast<ZafStringData *>(data->Duplicate());
    SetStringData(data);
}

ZafPrompt::~ZafPrompt()
{
    DestroyOSWindow();
    SetStringData(nullptr);
}

bool ZafPrompt::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindowObject::IsClassID(id);
}

bool ZafPrompt::IsClassName(const char *name) const
{
    return (name && std::strcmp(name, className) == 0) || ZafWindowObject::IsClassName(name);
}

int ZafPrompt::SetStringData(ZafStringData *data)
{
    if (data != stringData) {
        if (ZafStringData *old = stringData) {
            stringData = nullptr;
            old->SubtractNotification(this, DataChanged);
            // A message data belongs to the language table that made it.
            if (old->Destroyable() && old->NotificationCount() == 0 && !dynamic_cast<ZafMessageData *>(old))
                delete old;
        }
        stringData = data;
        if (stringData)
            stringData->AddNotification(this, DataChanged, observedKinds);
    }
    if (auto *message = dynamic_cast<ZafMessageData *>(stringData))
        SetHotKey(message->HotKey(), static_cast<int>(message->Value()));
    RefreshListEntry();
    return 0;
}

int ZafPrompt::DataChanged(ZafElement *observer, std::uint32_t kinds)
{
    auto *prompt = dynamic_cast<ZafPrompt *>(observer);
    if (!prompt)
        return 1;
    int result = 1;
    if (kinds & ZafNotification::oneShot) {
        if (auto *message = dynamic_cast<ZafMessageData *>(prompt->stringData)) {
            prompt->SetHotKey(message->HotKey(), static_cast<int>(message->Value()));
            result = 0;
        }
    }
    if (kinds & ZafNotification::valueChanged) {
        prompt->RefreshListEntry();
        result = 0;
    }
    return result;
}

// --- Persistence -------------------------------------------------------------------

ZafPrompt::ZafPrompt(const char *name, ZafWindowPersistence &persistence)
    : ZafWindowObject(name, persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry))
{
    SetFlagTo(flagNoFocus, true);
    savedRegion = region;
    if (persistence.Error() == 0)
        ReadFields(persistence);
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

void ZafPrompt::ReadFields(ZafWindowPersistence &persistence)
{
    char name[ZafWindowPersistence::maxNameLength + 1] = "";
    std::uint16_t flags = 0;
    std::uint16_t hotKey = 0;
    std::uint16_t justification = 0;
    std::int32_t index = -1;
    persistence.ReadStringInto(name, sizeof name);
    persistence.Read16(flags);
    persistence.Read16(hotKey);
    persistence.Read16(justification);
    persistence.Read32(index);
    if (persistence.Error() != 0)
        return;
    autoSize = flags & storedAutoSize;
    transparent = flags & storedTransparent;
    hotKeyChar = static_cast<char>(ToUpperLatin1(static_cast<unsigned char>(hotKey & 0xFF)));
    hotKeyIndex = index < -1 ? -1 : index;
    hzJustify = justification & 0x0F;
    vtJustify = (justification >> 4) & 0x0F;
    if (hzJustify > justifyCenter)
        hzJustify = justifyStart;
    if (vtJustify > justifyCenter)
        vtJustify = justifyStart;
    auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
    if (!*name || !data)
        return;
    auto *read = new ZafStringData(name, *data);
    if (read->Error() != 0) {
        delete read;
        return;
    }
    SetStringData(read);
}

ZafElement *ZafPrompt::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafPrompt(name, persistence);
}

void ZafPrompt::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(className, ZafObjectNew<New>);
}

void ZafPrompt::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    // The file keeps the requested region, not the measured one.
    const ZafRegionRect measured = region;
    region = savedRegion;
    ZafWindowObject::Write(persistence);
    region = measured;
    if (persistence.Error() == 0) {
        if (stringData && !stringData->StringID())
            stringData->SetStringID(ZafData::MakeDefaultName());
        persistence.WriteString(stringData ? stringData->StringID() : "");
        std::uint16_t flags = 0;
        if (autoSize)
            flags |= storedAutoSize;
        if (transparent)
            flags |= storedTransparent;
        persistence.Write16(flags);
        persistence.Write16(static_cast<std::uint16_t>(static_cast<unsigned char>(hotKeyChar)));
        persistence.Write16(static_cast<std::uint16_t>((hzJustify & 0x0F) | ((vtJustify & 0x0F) << 4)));
        persistence.Write32(static_cast<std::int32_t>(hotKeyIndex));
        auto *data = dynamic_cast<ZafDataPersistence *>(&persistence);
        if (stringData && data && persistence.Error() == 0)
            stringData->Write(*data);
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

// --- Events ------------------------------------------------------------------------

ZafEventType ZafPrompt::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_OS_EVENT:
        return HandleOSMessage(event);
    case ZAF_HOT_KEY: {
        const auto pressed = static_cast<unsigned char>(event.key.value ? event.key.value : event.value);
        if (!hotKeyChar || ToUpperLatin1(pressed) != static_cast<unsigned char>(hotKeyChar))
            return ZAF_UNKNOWN;
        // The object after the prompt in its window takes the focus.
        auto *window = dynamic_cast<ZafWindow *>(parent);
        if (window && window->Contains(this) && Next())
            static_cast<ZafWindowObject *>(Next())->SetFocus(true);
        return ZAF_HOT_KEY;
    }
    case ZAF_REGION_CHANGED:
        Redisplay();
        return event.type;
    case ZAF_SHOW_VALUE:
        RefreshListEntry();
        return event.type;
    case ZAF_APPLY_GEOMETRY:
        ApplyAutoSize();
        return event.type;
    case ZAF_REDISPLAY:
    case ZAF_REDISPLAY_AREA:
        // A prompt without a window of its own is drawn by the window under
        // it: it is redrawn whenever that window is on screen, or a changed
        // text would never show.
        if (!IsOnScreen() || !IsVisibleUpChain(true))
            return event.type;
        if (transparent && parent) {
            // Only the parent can paint what shows through.
            ZafEventRecord area(ZAF_REDISPLAY_AREA);
            area.region = RegionToWindow(event.type == ZAF_REDISPLAY_AREA ? event.region : region);
            return parent->Event(area);
        }
        return ZafWindowObject::Event(event);
    default:
        return ZafWindowObject::Event(event);
    }
}

ZafEventType ZafPrompt::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (layoutMode && m.message >= WM_MOUSEFIRST && m.message <= WM_MOUSELAST) {
        ZafEventRecord mouse = event;
        mouse.type = ZAF_MOUSE_EVENT;
        ZafWindowObject::Event(mouse);
        return 0;
    }
    switch (m.message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        // A click on a label brings its window forward, nothing more.
        if (ZafWindowObject *top = TopLevelObject())
            if (top->OSHandle())
                SetForegroundWindow(top->OSHandle(2));
        return 0;
    case WM_PAINT:
    case WM_ERASEBKGND:
        if (m.hwnd == osWindow && !ControlPaints())
            return m.message == WM_PAINT ? PaintSelf(event) : TRUE;
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

ZafEventType ZafPrompt::HandleControlColor(const ZafEventRecord &, HDC dc)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display)
        return ZAF_UNKNOWN;
    const std::uint16_t state = PaletteState();
    ZafPaletteStruct back;
    LogicalPalette(back, ZAF_PM_BACKGROUND, state);
    ResolveSystemColors(back, ZAF_PM_BACKGROUND, state);
    const COLORREF background = PaletteColor(back.colorBackground, back.osColorBackground, GetSysColor(COLOR_WINDOW));
    if (HPALETTE palette = display->PaletteHandle())
        SelectPalette(dc, palette, FALSE);
    ::SetTextColor(dc, ForegroundColor());
    SetBkColor(dc, background);
    // The cache keeps the brush alive after this use is released.
    HBRUSH brush = display->GetCachedBrush(background);
    display->ReleaseCachedObject(brush);
    return static_cast<ZafEventType>(reinterpret_cast<LRESULT>(brush));
}

ZafEventType ZafPrompt::PaintSelf(const ZafEventRecord &event)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(osWindow, &paint);
    {
        ZafPaintContext context(osWindow, dc);
        Draw(event, ZAF_REDISPLAY);
    }
    EndPaint(osWindow, &paint);
    return 0;
}

// --- The Windows control and drawing -------------------------------------------------

bool ZafPrompt::ControlPaints() const
{
    return HasFlag(flagSystemDrawn) && !transparent && autoSize && !layoutMode && vtJustify == justifyStart;
}

HWND ZafPrompt::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    if (hzJustify == justifyCenter)
        style |= SS_CENTER;
    else if (hzJustify == justifyEnd)
        style |= SS_RIGHT;
    if (IsDisabledUpChain(true) && !layoutMode)
        style |= WS_DISABLED;
    HWND window = ZafCreateOSWindow(this, "STATIC", style, nullptr, parentWindow, 0, nullptr);
    if (!window)
        return nullptr;
    if (ZafGdiDisplay *display = ZafScreenGdiDisplay()) {
        ZafPaletteStruct text;
        LogicalPalette(text, ZAF_PM_TEXT, ZAF_PM_ENABLED | ZAF_PM_CURRENT);
        HFONT font = display->Font(text.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : text.font);
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    RefreshListEntry();
    return window;
}

std::string ZafPrompt::PreparedText() const
{
    const char *text = stringData && stringData->Text() ? stringData->Text() : "";
    // The hot key is marked only where it names a character of the text;
    // ZafInsertHotKey sizes its result for every '&' it adds.
    const int length = static_cast<int>(std::strlen(text));
    const int index = hotKeyIndex >= 0 && hotKeyIndex < length ? hotKeyIndex : -1;
    std::unique_ptr<char[]> prepared(ZafInsertHotKey(text, index));
    return prepared ? std::string(prepared.get()) : std::string();
}

void ZafPrompt::RefreshListEntry()
{
    if (osWindow && parent && parent->IsClassID(listFamilyID) && parent->SystemDrawn()) {
        ZafWindowObject::RefreshListEntry();
        return;
    }
    if (osWindow && autoSize)
        ApplyAutoSize();
    if (!osWindow || !HasFlag(flagSystemDrawn)) {
        Event(ZafEventRecord(ZAF_REDISPLAY));
        return;
    }
    const std::string prepared = PreparedText();
    if (zafCodeSetConversion) {
        ZafStringData converted(prepared.c_str());
        std::unique_ptr<char[]> text(converted.DuplicateConvertedText());
        SendMessageA(osWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text.get() : ""));
        return;
    }
    const bool shown = IsWindowVisible(osWindow) != FALSE;
    if (shown)
        ShowWindow(osWindow, SW_HIDE);
    SendMessageA(osWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(prepared.c_str()));
    if (shown)
        ShowWindow(osWindow, SW_SHOW);
}

void ZafPrompt::ApplyAutoSize()
{
    region = savedRegion;
    placing = true;
    ZafWindowObject::Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    placing = false;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!autoSize || layoutMode || !display)
        return;
    ZafPaletteStruct palette;
    LogicalPalette(palette, ZAF_PM_TEXT, PaletteState());
    const char *text = stringData && stringData->Text() ? stringData->Text() : "";
    const SIZE size = display->TextSize(text, palette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : palette.font);
    ZafRegionRect r = region;
    ConvertRegion(r, ZAF_PIXEL);
    const int w = size.cx;
    const int h = size.cy;
    if (vtJustify == justifyCenter)
        r.top += (r.bottom - r.top + 1) / 2 - h / 2;
    else if (vtJustify == justifyEnd)
        r.top = r.bottom - h;
    else if (HasFlag(flagBordered))
        r.top += borderedTextOffset;
    r.bottom = r.top + h;
    if (hzJustify == justifyCenter)
        r.left += (r.right - r.left + 1) / 2 - w / 2;
    else if (hzJustify == justifyEnd)
        r.left = r.right - w;
    r.right = r.left + w;
    region = r;
    MoveOSWindow();
}

ZafEventType ZafPrompt::Draw(const ZafEventRecord &, ZafEventType code)
{
    ZafDrawPass pass(*this);
    ZafRegionRect area = pass.Area();
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    if (!transparent || layoutMode)
        DrawBackground(area, code == ZAF_REDISPLAY_CHANGE ? ZAF_REDISPLAY : code);
    if (layoutMode)
        display->Rectangle(area.left, area.top, area.right, area.bottom, ForegroundColor(), false);
    RECT text = {area.left, area.top, area.right, area.bottom};
    if ((!autoSize || layoutMode) && HasFlag(flagBordered))
        text.top += borderedTextOffset;
    if (code != ZAF_REDISPLAY && code != ZAF_REDISPLAY_AREA && code != ZAF_REDISPLAY_CHANGE)
        return code;
    ZafPaletteStruct palette;
    LogicalPalette(palette, ZAF_PM_TEXT, PaletteState());
    HFONT old = display->SelectFont(palette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : palette.font);
    const std::string prepared = PreparedText();
    // A disabled prompt's palette pair is (shadow, highlight).
    const COLORREF foreground = ForegroundColor(), background = BackgroundColor();
    if (IsDisabledUpChain(true)) {
        // Etched: a highlight copy one pixel right and down under the text.
        RECT shifted = {text.left + 1, text.top + 1, text.right + 1, text.bottom + 1};
        display->SetColors(background, background);
        display->Text(shifted, prepared.c_str(), hzJustify, vtJustify, true);
    }
    display->SetColors(foreground, background);
    display->Text(text, prepared.c_str(), hzJustify, vtJustify, true);
    SelectObject(display->CurrentDC(), old);
    return code;
}

void ZafPrompt::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (type != ZAF_PM_TEXT) {
        ZafWindowObject::ResolveSystemColors(entry, type, state);
        return;
    }
    const bool disabled = (state & ZAF_PM_DISABLED) != 0;
    if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
        entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(disabled ? COLOR_BTNSHADOW : COLOR_WINDOWTEXT));
    if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
        entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(disabled ? COLOR_BTNHIGHLIGHT : COLOR_WINDOW));
}

// --- Region ------------------------------------------------------------------------

void ZafPrompt::SetRegion(const ZafRegionRect &newRegion)
{
    savedRegion = newRegion;
    region = newRegion;
    // The geometry manager places the prompt through this setter while the
    // prompt applies its geometry: measuring again then would recurse
    // without end.
    if (!placing)
        Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
}

void ZafPrompt::ConvertCoordinates(ZafCoordinateType type)
{
    ConvertRegion(savedRegion, type);
    ZafWindowObject::ConvertCoordinates(type);
}

ZafCoordinateType ZafPrompt::SetCoordinateType(ZafCoordinateType type)
{
    if (osWindow)
        return coordinateType;
    if (coordinateType == ZAF_CELL && type != ZAF_CELL && savedRegion.Height() == 1) {
        ConvertRegion(savedRegion, type);
        region = savedRegion;
    }
    return ZafWindowObject::SetCoordinateType(type);
}

int ZafPrompt::SetFont(int font)
{
    const int result = ZafWindowObject::SetFont(font);
    if (autoSize && osWindow)
        ApplyAutoSize();
    return result;
}

// --- Data and attributes -----------------------------------------------------------

const char *ZafPrompt::Text()
{
    return stringData ? stringData->Text() : nullptr;
}

int ZafPrompt::SetText(const char *text)
{
    if (stringData)
        return stringData->SetText(text ? text : "");
    return SetStringData(new ZafStringData(text ? text : ""));
}

bool ZafPrompt::SetDisabled(bool flag)
{
    const bool staticPaints = HasFlag(flagSystemDrawn) && !transparent && autoSize;
    if (flag == HasFlag(flagDisabled) || !osWindow || !HasFlag(flagRedraw) || staticPaints)
        return ZafWindowObject::SetDisabled(flag);
    SendMessageA(osWindow, WM_SETREDRAW, FALSE, 0);
    const bool result = ZafWindowObject::SetDisabled(flag);
    SendMessageA(osWindow, WM_SETREDRAW, TRUE, 0);
    Redisplay();
    return result;
}

bool ZafPrompt::SetAutoSize(bool flag)
{
    return SetUnlessCreated(autoSize, flag);
}

char ZafPrompt::SetHotKey(char character, int index)
{
    if (osWindow)
        return hotKeyChar;
    hotKeyChar = static_cast<char>(ToUpperLatin1(static_cast<unsigned char>(character)));
    hotKeyIndex = index < -1 ? -1 : index;
    return hotKeyChar;
}

int ZafPrompt::SetHzJustify(int justify)
{
    if (justify < justifyStart || justify > justifyCenter)
        return hzJustify;
    return SetUnlessCreated(hzJustify, justify);
}

int ZafPrompt::SetVtJustify(int justify)
{
    if (justify < justifyStart || justify > justifyCenter)
        return vtJustify;
    return SetUnlessCreated(vtJustify, justify);
}

bool ZafPrompt::SetTransparent(bool flag)
{
    return SetUnlessCreated(transparent, flag);
}
