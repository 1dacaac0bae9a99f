// The rows of the owner-drawn Windows controls that show entry objects (the
// vertical list's list box, the combo box's list): how an entry becomes a
// row, how a row is measured and drawn, and the system colours of rows and
// of the control. Internal to the controls library.
#pragma once

#include "zaf/core/ZafList.h"
#include "zaf/core/ZafPaletteStruct.h"
#include "zaf/core/ZafWindowObject.h"

#include <cstdint>

// An entry has no window of its own and is drawn, bordered, focused and
// coloured by its list.
void PrepareRowEntry(ZafWindowObject *object);

// The entry at a row (the rows follow the entries' order); null outside.
ZafWindowObject *EntryAtRow(const ZafList &entries, LRESULT row);
// Inserts the row of an entry with insertMessage (LB_INSERTSTRING or
// CB_INSERTSTRING): its text (converted by the code set) when the control is
// system-drawn, else the entry itself as the owner-drawn row's data.
void InsertEntryRow(HWND window, UINT insertMessage, ZafWindowObject *entry, int row, bool systemDrawn);

// Draws one row: the entry in the row's rectangle (entry: the object at the
// row, null for an empty control's row -1), then the focus rectangle. TRUE.
ZafEventType DrawEntryRow(HWND window, const ZafEventRecord &event, DRAWITEMSTRUCT &item, ZafWindowObject *entry);
// Widens width and height to the entry's size in pixels (1 at the least).
void MeasureEntryRow(ZafWindowObject *entry, UINT &width, UINT &height);

// The palette entries of the row colours: system colours, resolved by
// ResolveRowColors; the text entries name the dialog font.
constexpr ZafPaletteStruct SystemRowColors(std::uint8_t font)
{
    ZafPaletteStruct p;
    p.colorForeground = ZAF_CLR_SYSTEM;
    p.colorBackground = ZAF_CLR_SYSTEM;
    p.monoForeground = 0;
    p.monoBackground = 2;
    p.font = font;
    return p;
}
// The font number the background entry names (the stored maps' value).
constexpr std::uint8_t rowBackgroundFont = 3;
// Resolves the system colours of text (and the type 4) and background
// entries: highlight colours on a selected row, window colours otherwise;
// greyDisabledText: disabled text is grey (a list), else it keeps its colour
// (a combo box greys itself). False for the other types, which the caller
// resolves.
bool ResolveRowColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state, bool greyDisabledText);
// WM_CTLCOLOR*: sets the control's text and background colours from its
// palettes in its present state (window colours where they are unset) and
// answers the cached background brush.
ZafEventType ControlColorBrush(HDC dc, const ZafWindowObject &control);
