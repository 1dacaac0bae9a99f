#include "zaf/controls/ZafOwnerDrawnRows.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowWalk.h"
#include "zaf/data/ZafCodeSetData.h"

#include <algorithm>
#include <memory>

void PrepareRowEntry(ZafWindowObject *object)
{
    object->SetOwnWindow(false);
    object->SetParentDrawsBorder(true);
    object->SetParentDrawsFocus(true);
    object->SetNoClassPalette(true);
}

ZafWindowObject *EntryAtRow(const ZafList &entries, LRESULT row)
{
    if (row < 0 || row >= entries.Count())
        return nullptr;
    return ZafWindowWalk::AsObject(entries.Get(static_cast<int>(row)));
}

void InsertEntryRow(HWND window, UINT insertMessage, ZafWindowObject *entry, int row, bool systemDrawn)
{
    if (!systemDrawn) {
        SendMessageA(window, insertMessage, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(entry));
        return;
    }
    const char *text = entry->Text();
    std::unique_ptr<char[]> converted(zafCodeSetConversion && text ? ConvertTextByCodeSet(text, nullptr, true)
                                                                   : nullptr);
    const char *shown = converted ? converted.get() : (text ? text : "");
    SendMessageA(window, insertMessage, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(shown));
}

ZafEventType DrawEntryRow(HWND window, const ZafEventRecord &event, DRAWITEMSTRUCT &item, ZafWindowObject *entry)
{
    if (item.itemID == static_cast<UINT>(-1)) {
        // An empty control shows where its focus is.
        if (item.itemState & ODS_FOCUS)
            DrawFocusRect(item.hDC, &item.rcItem);
        return TRUE;
    }
    // The row's data must still be the entry at that row.
    if (!entry || reinterpret_cast<ULONG_PTR>(entry) != item.itemData)
        return TRUE;
    entry->SetRegion(item.rcItem.left, item.rcItem.top, item.rcItem.right - 1, item.rcItem.bottom - 1, ZAF_PIXEL);
    ZafPaintContext context(window, item.hDC);
    entry->Draw(event, ZAF_REDISPLAY);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
    return TRUE;
}

void MeasureEntryRow(ZafWindowObject *entry, UINT &width, UINT &height)
{
    entry->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    ZafRegionRect r = entry->Region();
    entry->ConvertRegion(r, ZAF_PIXEL);
    width = std::max(width, static_cast<UINT>(std::max(1, r.Width())));
    height = std::max(height, static_cast<UINT>(std::max(1, r.Height())));
}

bool ResolveRowColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state, bool greyDisabledText)
{
    constexpr std::uint16_t textTypes = ZAF_PM_TEXT | 4;
    if (!(type & (textTypes | ZAF_PM_BACKGROUND)))
        return false;
    const bool selectedRow = (state & ZAF_PM_SELECTED) != 0;
    int foreground = selectedRow ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    if (type & textTypes)
        foreground = greyDisabledText && (state & ZAF_PM_DISABLED) ? COLOR_GRAYTEXT
                     : selectedRow                                 ? COLOR_HIGHLIGHTTEXT
                                                                   : COLOR_WINDOWTEXT;
    const int background = selectedRow ? COLOR_HIGHLIGHT : COLOR_WINDOW;
    if (entry.colorForeground == ZAF_CLR_SYSTEM && entry.osColorForeground == -1)
        entry.osColorForeground = static_cast<std::int32_t>(GetSysColor(foreground));
    if (entry.colorBackground == ZAF_CLR_SYSTEM && entry.osColorBackground == -1)
        entry.osColorBackground = static_cast<std::int32_t>(GetSysColor(background));
    return true;
}

ZafEventType ControlColorBrush(HDC dc, const ZafWindowObject &control)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (!display)
        return ZAF_UNKNOWN;
    const std::uint16_t state = control.PaletteState();
    ZafPaletteStruct text;
    control.LogicalPalette(text, ZAF_PM_TEXT, state);
    control.ResolveSystemColors(text, ZAF_PM_TEXT, state);
    ZafPaletteStruct back;
    control.LogicalPalette(back, ZAF_PM_BACKGROUND, state);
    control.ResolveSystemColors(back, ZAF_PM_BACKGROUND, state);
    const COLORREF background =
        ZafWindowObject::PaletteColor(back.colorBackground, back.osColorBackground, GetSysColor(COLOR_WINDOW));
    ::SetTextColor(
        dc, ZafWindowObject::PaletteColor(text.colorForeground, text.osColorForeground, GetSysColor(COLOR_WINDOWTEXT)));
    SetBkColor(dc, background);
    // The cache keeps the brush alive after this use is released.
    HBRUSH brush = display->GetCachedBrush(background);
    display->ReleaseCachedObject(brush);
    return static_cast<ZafEventType>(reinterpret_cast<LRESULT>(brush));
}
