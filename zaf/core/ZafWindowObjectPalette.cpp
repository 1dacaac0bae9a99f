// ZafWindowObject: palettes, fonts and colours.

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

ZafPaletteLink paletteLink = {nullptr, nullptr, nullptr, nullptr, nullptr};

} // namespace

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
           p.monoForeground != unset.monoForeground && p.monoBackground != unset.monoBackground && p.font != unset.font;
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
        if (!object->HasFlag(flagNoClassPalette))
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
    std::uint16_t state = HasFlag(flagSelected) ? ZAF_PM_SELECTED : ZAF_PM_NOT_SELECTED;
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
