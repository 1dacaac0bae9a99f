// ZafButton: the Windows control, drawing of owner-drawn buttons, the
// layout of image and text, auto size and the button colours.
#include "zaf/controls/ZafButton.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafStringData.h"

#include <algorithm>
#include <memory>

namespace {

// Palette type of the button face's own colour.
constexpr std::uint16_t ZAF_PM_FACE = 128;
// The class id of list-like parents whose entries are Windows rows.
constexpr ZafClassID listParentClassID = 1001;

constexpr ZafPaletteStruct SystemColors()
{
    ZafPaletteStruct p;
    p.colorForeground = ZAF_CLR_SYSTEM;
    p.colorBackground = ZAF_CLR_SYSTEM;
    p.monoForeground = ZAF_CLR_SYSTEM;
    p.monoBackground = ZAF_CLR_SYSTEM;
    return p;
}

struct OwnedText
{
    std::unique_ptr<char[]> text;
    explicit OwnedText(char *t) : text(t) {}
    const char *get() const { return text.get(); }
};

} // namespace

const ZafPaletteMap ZafButton::paletteMap[] = {
    {ZAF_PM_TEXT, ZAF_PM_ANY_STATE, SystemColors()},
    {ZAF_PM_BACKGROUND, ZAF_PM_ANY_STATE, SystemColors()},
    {ZAF_PM_FACE, ZAF_PM_ANY_STATE, SystemColors()},
    {0, 0, ZafPaletteStruct()},
};

// --- The Windows control ---------------------------------------------------------------

bool ZafButton::IsNativeDrawn() const
{
    if (layoutMode || buttonType == flatButton)
        return false;
    if (IsCheckType())
        return hzJustify == justifyStart && vtJustify == justifyCenter;
    return hzJustify == justifyCenter && vtJustify == justifyCenter && !allowToggling && !bitmapData && !paletteData;
}

HWND ZafButton::CreateOSWindow()
{
    if (osWindow || !HasFlag(flagOwnWindow) || !parent)
        return osWindow;
    HWND parentWindow = parent->DrawingHandle();
    if (!parentWindow)
        return nullptr;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (!HasFlag(flagSystemDrawn) || !IsNativeDrawn())
        style |= BS_OWNERDRAW;
    else if (buttonType == checkBox)
        style |= BS_CHECKBOX;
    else if (buttonType == radioButton)
        style |= BS_RADIOBUTTON;
    else
        style |= allowDefault && IsDefaultButton() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if (IsDisabledUpChain(true) && !layoutMode)
        style |= WS_DISABLED;
    if (HasFlag(flagVisible))
        style |= WS_VISIBLE;
    if (HasFlag(flagBordered) && HasFlag(flagSystemDrawn) && IsNativeDrawn())
        style |= WS_BORDER;
    // The window is made where the geometry (and auto size) puts it.
    SendSelf(ZAF_APPLY_GEOMETRY);
    if (!ZafCreateOSWindow(this, "BUTTON", style, nullptr, parentWindow, WS_EX_NOPARENTNOTIFY, nullptr))
        return nullptr;
    UpdateFont();
    RefreshText();
    if (IsCheckType())
        SendMessageA(osWindow, BM_SETCHECK, HasFlag(flagSelected) ? BST_CHECKED : BST_UNCHECKED, 0);
    return osWindow;
}

void ZafButton::RefreshText()
{
    if (parent && parent->IsClassID(listParentClassID) && parent->SystemDrawn()) {
        RefreshListEntry();
        return;
    }
    if (!osWindow || !HasFlag(flagOwnWindow))
        return;
    OwnedText marked(ZafInsertHotKey(Text() ? Text() : "", hotKeyIndex));
    if (zafCodeSetConversion) {
        OwnedText local(ConvertTextByCodeSet(marked.get(), nullptr, true));
        SendMessageA(osWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(local.get() ? local.get() : ""));
    } else {
        SendMessageA(osWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(marked.get() ? marked.get() : ""));
    }
    if (!(HasFlag(flagSystemDrawn) && IsNativeDrawn()))
        Redisplay();
}

void ZafButton::UpdateFont()
{
    // A Windows push button that has since got its own colours or font is
    // drawn by the button from now on.
    if (HasFlag(flagSystemDrawn) && osWindow && HasFlag(flagOwnWindow) &&
        (GetWindowLongA(osWindow, GWL_STYLE) & 0x000B) == 0 && !IsNativeDrawn())
        SendMessageA(osWindow, BM_SETSTYLE, BS_OWNERDRAW, FALSE);
    ZafWindowObject::UpdateFont();
}

// --- Colours ---------------------------------------------------------------------------

void ZafButton::ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const
{
    auto fill = [&entry](int foreground, int background) {
        if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1 && foreground >= 0)
            entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(foreground));
        if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1 && background >= 0)
            entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(background));
    };
    const bool disabled = (state & ZAF_PM_DISABLED) != 0;
    if (type == ZAF_PM_TEXT) {
        fill(disabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT, disabled ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE);
    } else if (type == ZAF_PM_BACKGROUND && !IsCheckType()) {
        fill(COLOR_BTNFACE, COLOR_BTNFACE);
    } else if (type == ZAF_PM_BACKGROUND && parent) {
        // On the parent's background, whatever that is.
        ZafPaletteStruct back;
        parent->LogicalPalette(back, ZAF_PM_BACKGROUND, state);
        parent->ResolveSystemColors(back, ZAF_PM_BACKGROUND, state);
        const COLORREF color = PaletteColor(back.colorBackground, back.osColorBackground, GetSysColor(COLOR_BTNFACE));
        if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
            entry.osColorForeground = static_cast<std::int32_t>(color);
        if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
            entry.osColorBackground = static_cast<std::int32_t>(color);
    } else if (type == ZAF_PM_FACE) {
        fill(COLOR_BTNFACE, -1);
    } else if ((type == ZAF_PM_LIGHT_EDGE || type == ZAF_PM_DARK_EDGE) && focus && depressed) {
        fill(COLOR_BTNSHADOW, COLOR_BTNFACE);
    }
    ZafWindowObject::ResolveSystemColors(entry, type, state);
}

void ZafButton::PaletteColors(std::uint16_t type, std::uint16_t state, COLORREF &foreground, COLORREF &background) const
{
    ZafPaletteStruct entry;
    LogicalPalette(entry, type, state);
    ResolveSystemColors(entry, type, state);
    foreground = PaletteColor(entry.colorForeground, entry.osColorForeground, GetSysColor(COLOR_BTNTEXT));
    background = PaletteColor(entry.colorBackground, entry.osColorBackground, GetSysColor(COLOR_BTNFACE));
}

ZafEventType ZafButton::HandleControlColor(const ZafEventRecord &event, HDC dc)
{
    const ZafEventType result = ZafWindowObject::HandleControlColor(event, dc);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!IsCheckType() || !display)
        return result;
    if (display->UsesPalette() && display->PaletteHandle())
        SelectPalette(dc, display->PaletteHandle(), FALSE);
    COLORREF text, unused, back, backUnused;
    PaletteColors(ZAF_PM_TEXT, PaletteState(), text, unused);
    PaletteColors(ZAF_PM_BACKGROUND, PaletteState(), backUnused, back);
    ::SetTextColor(dc, text);
    SetBkColor(dc, back);
    // The cache keeps the brush alive after this use is released.
    HBRUSH brush = display->GetCachedBrush(back);
    display->ReleaseCachedObject(brush);
    return static_cast<ZafEventType>(reinterpret_cast<LRESULT>(brush));
}

// --- Layout ----------------------------------------------------------------------------

ZafRegionRect ZafButton::LayoutContents(const ZafRegionRect &area, ZafRegionRect &image, ZafRegionRect &text,
                                        int gap) const
{
    const int imageWidth = image.Width(), imageHeight = image.Height();
    const int textWidth = text.Width(), textHeight = text.Height();
    if (imageWidth <= 0 || textWidth <= 0)
        gap = 0;
    const bool sideBySide = hzJustify != justifyCenter;
    const int totalWidth = sideBySide ? imageWidth + gap + textWidth : std::max(imageWidth, textWidth);
    const int totalHeight = sideBySide ? std::max(imageHeight, textHeight) : imageHeight + gap + textHeight;
    const int areaWidth = area.right == area.left - 1 ? totalWidth : area.Width();
    const int areaHeight = area.bottom == area.top - 1 ? totalHeight : area.Height();
    const int top = area.top + (vtJustify == justifyStart ? 0
                                : vtJustify == justifyEnd ? areaHeight - totalHeight
                                                          : (areaHeight - totalHeight) / 2);
    auto place = [](ZafRegionRect &box, int left, int boxTop, int width, int height) {
        box = ZafRegionRect(left, boxTop, left + width - 1, boxTop + height - 1, box.coordinateType);
    };
    if (sideBySide) {
        const int imageTop = top + (totalHeight - imageHeight) / 2;
        const int textTop = top + (totalHeight - textHeight) / 2;
        if (hzJustify == justifyStart) {
            place(image, area.left, imageTop, imageWidth, imageHeight);
            place(text, area.left + imageWidth + gap, textTop, textWidth, textHeight);
        } else {
            const int left = area.left + areaWidth - totalWidth;
            place(text, left, textTop, textWidth, textHeight);
            place(image, left + textWidth + gap, imageTop, imageWidth, imageHeight);
        }
    } else {
        const int left = area.left + (areaWidth - totalWidth) / 2;
        const int imageLeft = left + (totalWidth - imageWidth) / 2;
        const int textLeft = left + (totalWidth - textWidth) / 2;
        if (vtJustify == justifyEnd) {
            place(text, textLeft, top, textWidth, textHeight);
            place(image, imageLeft, top + textHeight + gap, imageWidth, imageHeight);
        } else {
            place(image, imageLeft, top, imageWidth, imageHeight);
            place(text, textLeft, top + imageHeight + gap, textWidth, textHeight);
        }
    }
    return ZafRegionRect(1, 1, totalWidth, totalHeight, area.coordinateType);
}

void ZafButton::ApplyAutoSize()
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!autoSize || !display)
        return;
    ZafPaletteStruct textPalette;
    LogicalPalette(textPalette, ZAF_PM_TEXT, PaletteState());
    const int font = textPalette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : textPalette.font;
    HWND window = DrawingHandle();
    HDC dc = window ? display->LendDC(window) : nullptr;
    const char *text = Text();
    const SIZE extent = text && *text ? display->TextSize(text, font) : SIZE{0, 0};
    if (dc)
        display->ReturnDC(dc);
    ZafRegionRect imageBox(0, 0, -1, -1);
    if (IsCheckType())
        imageBox = ZafRegionRect(0, 0, 12, 12);
    else if (bitmapData)
        imageBox = ZafRegionRect(0, 0, bitmapData->width - 1, bitmapData->height - 1);
    ZafRegionRect textBox(0, 0, extent.cx - 1, extent.cy - 1);
    const int contentHeight = LayoutContents(ZafRegionRect(0, 0, -1, -1), imageBox, textBox, contentGap).Height();

    // The height is worked out in pixels, and the region stays in pixels,
    // so that no rounding back to cells moves the kept edges.
    ZafRegionRect r = region;
    ConvertRegion(r, ZAF_PIXEL);
    if (IsCheckType()) {
        r.top += r.Height() / 2 - contentHeight / 2;
        r.bottom = r.top + contentHeight - 1;
    } else if (!bitmapData) {
        r.top = r.bottom - (textPushButtonHeight - 1);
    } else {
        const int height = contentHeight + (IsPushType() ? 2 * depth : 0);
        r.top = r.bottom - (height + 6) + 1;
    }
    region = r;
}

// --- Drawing ---------------------------------------------------------------------------

void ZafButton::DrawImage(ZafBitmapData *image, int x, int y) const
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!image || !display)
        return;
    if (!image->bitmapHandle && image->array)
        image->bitmapHandle = display->MakeBitmap(image->width, image->height, image->array, image->maskHandle);
    if (image->bitmapHandle)
        display->DrawBitmap(image->bitmapHandle, image->maskHandle, x, y);
}

void ZafButton::DrawLabel(const ZafRegionRect &box, std::uint16_t state)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    const char *text = Text();
    if (!display || !text || !*text)
        return;
    OwnedText marked(ZafInsertHotKey(text, hotKeyIndex));
    COLORREF foreground, background;
    PaletteColors(ZAF_PM_TEXT, state, foreground, background);
    const RECT rect = {box.left, box.top, box.right + 1, box.bottom + 1};
    if (IsDisabledUpChain(true)) {
        // Etched: the highlight one pixel right and down under the text.
        const RECT shadow = {rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
        display->SetColors(background, background);
        display->Text(shadow, marked.get(), ZAF_HZ_CENTER, ZAF_VT_CENTER);
    }
    display->SetColors(foreground, background);
    display->Text(rect, marked.get(), ZAF_HZ_CENTER, ZAF_VT_CENTER);
}

ZafEventType ZafButton::DrawBorder(ZafRegionRect &rect, ZafEventType code)
{
    if (HasFlag(flagParentDrawsBorder) && parent)
        return ZafWindowObject::DrawBorder(rect, code);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if ((code == ZAF_REDISPLAY || code == ZAF_REDISPLAY_AREA) && display && display->CurrentDC()) {
        COLORREF outline, unused;
        PaletteColors(ZAF_PM_OUTLINE, PaletteState(), outline, unused);
        display->Rectangle(rect.left, rect.top, rect.right, rect.bottom, outline, false);
    }
    rect = ZafRegionRect(rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1, rect.coordinateType);
    return code;
}

ZafEventType ZafButton::Draw(const ZafEventRecord &event, ZafEventType code)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    ZafDrawPass pass(*this);
    ZafRegionRect face = pass.Area();
    if (!display || !display->CurrentDC() || (code == ZAF_SELECT && buttonType == flatButton))
        return code;
    if (layoutMode && allowDefault) {
        // A frame in the parent's background, where the default look goes.
        COLORREF back = GetSysColor(COLOR_BTNFACE);
        if (parent) {
            ZafPaletteStruct entry;
            parent->LogicalPalette(entry, ZAF_PM_BACKGROUND, PaletteState());
            parent->ResolveSystemColors(entry, ZAF_PM_BACKGROUND, PaletteState());
            back = PaletteColor(entry.colorBackground, entry.osColorBackground, back);
        }
        for (int i = 0; i < 5; ++i)
            display->Rectangle(face.left + i, face.top + i, face.right - i, face.bottom - i, back, false);
        face = ZafRegionRect(face.left + 5, face.top + 5, face.right - 5, face.bottom - 5, face.coordinateType);
    }
    if (IsCheckType())
        DrawCheckType(event, code, face);
    else
        DrawPushType(event, code, face);
    return code;
}

void ZafButton::DrawCheckType(const ZafEventRecord &, ZafEventType code, ZafRegionRect face)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    // The background as if not selected: the face is the parent's.
    const std::uint16_t state = static_cast<std::uint16_t>((PaletteState() & ~ZAF_PM_SELECTED) | ZAF_PM_NOT_SELECTED);
    COLORREF unused, back;
    PaletteColors(ZAF_PM_BACKGROUND, state, unused, back);
    display->Rectangle(face.left, face.top, face.right, face.bottom, back, true);

    ZafPaletteStruct textPalette;
    LogicalPalette(textPalette, ZAF_PM_TEXT, state);
    const int font = textPalette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : textPalette.font;
    HFONT oldFont = display->SelectFont(font);
    const char *text = Text();
    const SIZE extent = text && *text ? display->TextSize(text, font) : SIZE{0, 0};
    ZafRegionRect imageBox(0, 0, 12, 12);
    ZafRegionRect textBox(0, 0, extent.cx - 1, extent.cy - 1);
    LayoutContents(face, imageBox, textBox, contentGap);

    const bool radio = buttonType == radioButton;
    const int kind = (radio ? imageRadio : imageCheck) + (HasFlag(flagSelected) ? 2 : 0) + (depressed ? 1 : 0);
    DrawImage(BuiltInBitmap(static_cast<BuiltInImage>(kind)), imageBox.left, imageBox.top);
    if (code == ZAF_REDISPLAY || code == ZAF_REDISPLAY_CHANGE || code == ZAF_REDISPLAY_AREA || code == ZAF_SELECT)
        DrawLabel(textBox, state);
    if (focus && text && *text) {
        ZafRegionRect focusBox(textBox.left - 1, textBox.top, textBox.right + 1, textBox.bottom, face.coordinateType);
        DrawFocus(focusBox, ZAF_CURRENT);
    }
    if (oldFont)
        SelectObject(display->CurrentDC(), oldFont);
}

void ZafButton::DrawPushType(const ZafEventRecord &, ZafEventType code, ZafRegionRect face)
{
    // The pressed look is drawn whole rather than shifted by a block copy:
    // a second XOR focus rectangle over the shifted face would wipe it out.
    if (code == ZAF_SELECT)
        code = ZAF_REDISPLAY;
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    const bool drewBorder = IsDefaultButton() || focus || HasFlag(flagBordered);
    if (drewBorder)
        DrawBorder(face, ZAF_REDISPLAY);
    if (buttonType != flatButton)
        DrawEdges(face, depressed ? -depth : depth, ZAF_REDISPLAY);
    DrawBackground(face, code);
    const int inset = HasFlag(flagNoFocus) ? 1 : drewBorder ? 1 : 2;
    ZafRegionRect focusBox(face.left + inset, face.top + inset, face.right - inset, face.bottom - inset,
                           face.coordinateType);
    if (focus && !HasFlag(flagNoFocus))
        DrawFocus(focusBox, ZAF_CURRENT);
    const RECT clip = {face.left, face.top, face.right + 1, face.bottom + 1};
    display->SetClip(&clip);
    if (code != ZAF_REDISPLAY && code != ZAF_REDISPLAY_CHANGE && code != ZAF_REDISPLAY_AREA) {
        display->SetClip(nullptr);
        return;
    }
    const int shift = depressed && buttonType != flatButton ? 1 : 0;
    const ZafRegionRect area(face.left + shift, face.top + shift, face.right + shift, face.bottom + shift,
                             face.coordinateType);
    ZafPaletteStruct textPalette;
    const std::uint16_t state = PaletteState();
    LogicalPalette(textPalette, ZAF_PM_TEXT, state);
    const int font = textPalette.font == ZAF_FONT_UNSET ? ZAF_FONT_DIALOG : textPalette.font;
    HFONT oldFont = display->SelectFont(font);
    const char *text = Text();
    const SIZE extent = text && *text ? display->TextSize(text, font) : SIZE{0, 0};
    ZafRegionRect imageBox(0, 0, -1, -1);
    if (bitmapData)
        imageBox = ZafRegionRect(0, 0, bitmapData->width - 1, bitmapData->height - 1);
    ZafRegionRect textBox(0, 0, extent.cx - 1, extent.cy - 1);
    LayoutContents(area, imageBox, textBox, contentGap);
    if (bitmapData)
        DrawImage(bitmapData, imageBox.left, imageBox.top);
    DrawLabel(textBox, state);
    if (oldFont)
        SelectObject(display->CurrentDC(), oldFont);
    display->SetClip(nullptr);
}
