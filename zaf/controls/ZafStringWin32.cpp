// ZafString: the Windows EDIT control: its creation, its messages (Enter,
// characters, pasting, focus), drawing a field that draws itself, and
// putting the data's text into the control.
#include "zaf/controls/ZafString.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafLatin1.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafStringData.h"

#include <string>

namespace {

// Vertical lists and combo boxes answer this class id; their rows are drawn
// by Windows from the entries' texts.
constexpr ZafClassID listFamilyID = 1001;
// A table's records and headers size their fields' rows themselves.
constexpr ZafClassID tableRecordID = 1014;
constexpr ZafClassID tableHeaderID = 1023;

} // namespace

ZafEventType ZafString::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (m.message == TakeFocusBackMessage() && HasOwnControl()) {
        TakeFocusBack(reinterpret_cast<HWND>(m.wParam));
        return 0;
    }
    switch (m.message) {
    case WM_KEYDOWN:
        if (m.wParam == VK_RETURN) {
            ZafEventRecord select(ZAF_SELECT);
            select.osEvent = m;
            DeletionWatch watch(*this);
            const ZafEventType result = Event(select);
            if (watch.deleted)
                return 0;
            // A one-line field that took its value hands Enter on to its
            // window, which presses its default button, as in a Windows
            // dialog; a refused value keeps the focus for the correction.
            auto *window = dynamic_cast<ZafWindow *>(parent);
            const bool taken = (result == resultValid || result == ZAF_SELECT) && !invalid;
            if (taken && !IsMultiLineControl() && window && window->GetDefaultButton(true)) {
                ZafEventRecord key = event;
                key.type = ZAF_KEY_EVENT;
                PassKeyUp(key);
            }
            return 0;
        }
        break;
    case WM_KEYUP:
        if (m.wParam == VK_RETURN)
            return 0;
        break;
    case WM_CHAR:
        // Enter was a selection; its character (and Ctrl+Enter's line feed)
        // would put a line break into a justified, multi-line control and
        // make a single-line one beep.
        if (m.wParam == '\r' || m.wParam == '\n')
            return 0;
        if (noBlanks && m.wParam == ' ') {
            ZafEventRecord underscore = event;
            underscore.osEvent.wParam = '_';
            underscore.key.value = '_';
            return ZafWindowObject::HandleOSMessage(underscore);
        }
        break;
    case WM_PASTE:
        // The control's own paste would keep blanks and, in a justified
        // field, line breaks.
        if ((noBlanks || IsMultiLineControl()) && HasOwnControl()) {
            PasteFromClipboard();
            return 0;
        }
        break;
    case WM_SETFOCUS: {
        // A field that is current already (a table cell whose edit control
        // opens under the first typed character) gets no ZAF_CURRENT here;
        // its text is selected all the same, or what the user types would
        // go in front of the old value instead of replacing it.
        const ZafEventType result = ZafWindowObject::HandleOSMessage(event);
        if (selectAllOnFocus && HasOwnControl())
            SendMessageA(osWindow, EM_SETSEL, 0, -1);
        return result;
    }
    case WM_LBUTTONDOWN:
        if (!HasFlag(flagSystemDrawn))
            SetFocus(true);
        break;
    default:
        break;
    }
    return ZafWindowObject::HandleOSMessage(event);
}

ZafEventType ZafString::HandleCommand(const ZafEventRecord &, unsigned notifyCode)
{
    if (notifyCode != EN_KILLFOCUS)
        return ZAF_UNKNOWN;
    // The window taking the focus already has it; another program's or a
    // message box's window carries no object, which counts as leaving.
    HWND taker = GetFocus();
    ZafEventRecord leave(ZAF_FOCUS_CHANGE, ZafObjectFromHandle(taker));
    const bool leaving = IsLeaving(leave);
    messageShown = false;
    DeletionWatch watch(*this);
    const ZafEventType result = Event(leave);
    if (watch.deleted)
        return 0;
    // A value refused with a message keeps the focus here, as in every
    // Windows dialog: the press on the control that took the focus (the
    // OK button) is cancelled, so the window stays open for the correction.
    // Posted, so that the press is complete when it is cancelled.
    if (!leaving && messageShown && result != resultValid && result != resultValueKept && HasOwnControl())
        PostMessageA(osWindow, TakeFocusBackMessage(), reinterpret_cast<WPARAM>(taker), 0);
    messageShown = false;
    return 0;
}

UINT ZafString::TakeFocusBackMessage()
{
    static const UINT message = RegisterWindowMessageA("ZafStringTakeFocusBack");
    return message;
}

void ZafString::TakeFocusBack(HWND taker)
{
    // The press that took the focus ends without a click: the window that
    // holds the mouse lets it go (a button's WM_CAPTURECHANGED raises it
    // again unclicked).
    if (taker && IsWindow(taker) && taker != osWindow) {
        SendMessageA(taker, WM_CANCELMODE, 0, 0);
        // A message box that took the mouse meanwhile leaves a button
        // looking pressed without holding the mouse: it is raised too.
        char className[16] = "";
        GetClassNameA(taker, className, sizeof className);
        if (lstrcmpiA(className, "Button") == 0)
            SendMessageA(taker, BM_SETSTATE, FALSE, 0);
    }
    SetFocus(true);
    SendMessageA(osWindow, EM_SETSEL, 0, -1);
}

// --- Pasting -----------------------------------------------------------------------

int ZafString::RoomLeft()
{
    const int maximum = stringData->MaxLength();
    if (maximum < 0)
        return -1;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(osWindow, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const int length = GetWindowTextLengthA(osWindow);
    const int kept = length - static_cast<int>(end > start ? end - start : 0);
    return maximum > kept ? maximum - kept : 0;
}

void ZafString::PasteText(const char *text)
{
    std::string clean;
    for (const char *c = text; c && *c; ++c) {
        char character = *c;
        if (character == '\t')
            character = ' ';
        // Line breaks and other control characters are never typed into a
        // field.
        if (static_cast<unsigned char>(character) < 0x20)
            continue;
        if (noBlanks && IsSpaceLatin1(static_cast<unsigned char>(character)))
            character = '_';
        clean += character;
    }
    const int room = RoomLeft();
    if (room >= 0 && clean.size() > static_cast<std::size_t>(room))
        clean.resize(static_cast<std::size_t>(room));
    SendMessageA(osWindow, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(clean.c_str()));
}

void ZafString::PasteFromClipboard()
{
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(osWindow))
        return;
    std::string text;
    if (HANDLE handle = GetClipboardData(CF_TEXT)) {
        if (const char *locked = static_cast<const char *>(GlobalLock(handle))) {
            text.assign(locked, strnlen(locked, GlobalSize(handle)));
            GlobalUnlock(handle);
        }
    }
    CloseClipboard();
    PasteText(text.c_str());
}

// --- The Windows control -----------------------------------------------------------

HWND ZafString::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL;
    if (IsDisabledUpChain(true) && !layoutMode)
        style |= WS_DISABLED;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    if (!HasFlag(flagSystemDrawn))
        return ZafCreateOSWindow(this, nullptr, style, nullptr, parentWindow, 0, nullptr);

    // A border is the client edge in the 3-D look, a plain line otherwise.
    const DWORD extendedStyle = BorderStyle();
    if (HasFlag(flagBordered) && !zaf3DLook)
        style |= WS_BORDER;
    if (password)
        style |= ES_PASSWORD;
    if (upperCase)
        style |= ES_UPPERCASE;
    else if (lowerCase)
        style |= ES_LOWERCASE;
    if (hzJustify == justifyRight)
        style |= ES_RIGHT | ES_MULTILINE;
    else if (hzJustify == justifyCenter)
        style |= ES_CENTER | ES_MULTILINE;
    if (readOnly)
        style |= ES_READONLY;
    HWND window = ZafCreateOSWindow(this, "EDIT", style, nullptr, parentWindow, extendedStyle, nullptr);
    if (!window)
        return nullptr;
    const int maximum = stringData->MaxLength();
    SendMessageA(window, EM_LIMITTEXT, maximum < 0 ? 0 : static_cast<WPARAM>(maximum), 0);
    UpdateFont();
    const bool wasChanged = changed;
    RefreshListEntry();
    changed = wasChanged;
    return window;
}

int ZafString::MinimumPixelHeight() const
{
    if (!HasFlag(flagBordered) || !parent || parent->IsClassID(listFamilyID) || parent->IsClassID(tableRecordID) ||
        parent->IsClassID(tableHeaderID))
        return 0;
    const int frame = zaf3DLook ? GetSystemMetrics(SM_CYEDGE) : GetSystemMetrics(SM_CYBORDER);
    return TextLinePixelHeight() + 2 * frame;
}

ZafEventType ZafString::Draw(const ZafEventRecord &event, ZafEventType code)
{
    if (HasOwnControl())
        return ZafWindowObject::Draw(event, code);
    ZafDrawPass pass(*this);
    ZafRegionRect area = pass.Area();
    if (HasFlag(flagBordered))
        DrawBorder(area, code);
    DrawBackground(area, code);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display || !display->CurrentDC())
        return code;
    RECT text = {area.left, area.top, area.right + 1, area.bottom + 1};
    if (HasFlag(flagBordered)) {
        text.top += 1;
        if (hzJustify == justifyLeft)
            text.left += 1;
        else if (hzJustify == justifyRight)
            text.right -= 1;
    }
    std::string shown = stringData->Text() ? stringData->Text() : "";
    // A password is never drawn readable: placeholders stand for it, as the
    // control shows them.
    if (password)
        shown.assign(shown.size(), '*');
    ZafPaletteStruct palette;
    LogicalPalette(palette, ZAF_PM_TEXT, PaletteState());
    display->SetColors(ForegroundColor(), BackgroundColor());
    HFONT old = display->SelectFont(palette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : palette.font);
    display->Text(text, shown.c_str(), hzJustify, ZAF_VT_TOP, false);
    SelectObject(display->CurrentDC(), old);
    if (focus)
        DrawFocus(area, ZAF_CURRENT);
    return code;
}

void ZafString::RefreshListEntry()
{
    if (parent && parent->IsClassID(listFamilyID) && parent->SystemDrawn()) {
        ZafWindowObject::RefreshListEntry();
        return;
    }
    if (noBlanks) {
        const int length = stringData->Length();
        for (int i = 0; i < length; ++i)
            if (IsSpaceLatin1(static_cast<unsigned char>(stringData->Text()[i])))
                stringData->SetChar(i, '_', true);
    }
    if (HasOwnControl()) {
        char *converted = zafCodeSetConversion ? stringData->DuplicateConvertedText() : nullptr;
        const char *text = converted ? converted : stringData->Text();
        SendMessageA(osWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : ""));
        delete[] converted;
    } else if (IsOnScreen()) {
        Redisplay();
    }
}

ZafCoordinateType ZafString::SetCoordinateType(ZafCoordinateType type)
{
    if (osWindow)
        return coordinateType;
    // A one-cell field keeps its height exactly one row in the new unit.
    if (coordinateType == ZAF_CELL && type != ZAF_CELL && region.Height() == 1) {
        ZafRegionRect converted = region;
        ConvertRegion(converted, type);
        region = converted;
    }
    return ZafWindowObject::SetCoordinateType(type);
}

namespace {

// The string field's background entry (bytes: styles 0 and 0, colours 253
// and 253, monochrome 2 and 2, font 1). Its OS colours stay unresolved (-1)
// so that ResolveSystemColors gives them the window colour.
constexpr ZafPaletteStruct FieldBackground()
{
    ZafPaletteStruct p;
    p.lineStyle = 0;
    p.fillPattern = 0;
    p.colorForeground = ZAF_CLR_SYSTEM;
    p.colorBackground = ZAF_CLR_SYSTEM;
    p.monoForeground = 2;
    p.monoBackground = 2;
    p.font = ZAF_FONT_DIALOG;
    return p;
}

} // namespace

const ZafPaletteMap ZafString::paletteMap[] = {
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, FieldBackground()},
    {0, 0, ZafPaletteStruct()},
};

void ZafString::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    if (type != ZAF_PM_BACKGROUND) {
        ZafWindowObject::ResolveSystemColors(entry, type, state);
        return;
    }
    if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
        entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW));
    if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
        entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(COLOR_WINDOW));
}
