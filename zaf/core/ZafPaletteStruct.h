// ZafPaletteStruct and ZafPaletteMap: one palette (colours, monochrome
// colours, font and drawing styles) and one row of a palette map, the form
// in which window objects keep their class-wide default palettes and the
// palette data (zaf/data's ZafPaletteData) keeps an object's own.
//
// Colours are indexes of the display's colour table (0 to 15); 253 asks for
// a system colour (resolved by the window object through GetSysColor), 254
// and 255 mean "unset". The font byte is a palette font number of the
// display's font table; 255 means none. The two OS colour values hold the
// resolved system colours (-1 while unresolved) and are never stored in a
// UI data file.
//
// A map is an array of rows ended by a row of type 0 (or, in static maps,
// of type 0xFFFF with state 0). Rows of one type stand together, the type's
// state-0 row last. Types are bit masks of the kinds of drawing below;
// states are bit masks of the object's condition (PaletteState).
#pragma once

#include <cstdint>

// Palette types (what is drawn).
constexpr std::uint16_t ZAF_PM_OUTLINE = 1;     // border lines
constexpr std::uint16_t ZAF_PM_BACKGROUND = 2;  // the object's background
constexpr std::uint16_t ZAF_PM_TEXT = 8;        // text: its colours and font
constexpr std::uint16_t ZAF_PM_LIGHT_EDGE = 32; // the light side of raised or sunken edges
constexpr std::uint16_t ZAF_PM_DARK_EDGE = 64;  // the dark side
constexpr std::uint16_t ZAF_PM_ANY_TYPE = 0xFFFF;

// Palette states (bits of ZafWindowObject::PaletteState).
constexpr std::uint16_t ZAF_PM_CURRENT = 1; // the object has the focus
constexpr std::uint16_t ZAF_PM_ACTIVE = 2;  // its root window has the focus
constexpr std::uint16_t ZAF_PM_SELECTED = 8;
constexpr std::uint16_t ZAF_PM_DISABLED = 16;
constexpr std::uint16_t ZAF_PM_ENABLED = 32;
constexpr std::uint16_t ZAF_PM_NOT_SELECTED = 64;
constexpr std::uint16_t ZAF_PM_ANY_STATE = 0;

// Colour and font values of a palette.
constexpr std::uint8_t ZAF_CLR_SYSTEM = 253;
constexpr std::uint8_t ZAF_CLR_UNSET = 254;
constexpr std::uint8_t ZAF_FONT_UNSET = 255;

struct ZafPaletteStruct
{
    std::uint8_t lineStyle = 255;       // byte 0
    std::uint8_t fillPattern = 255;     // byte 1
    std::uint8_t colorForeground = 254; // bytes 2 and 3: the colour pair
    std::uint8_t colorBackground = 254;
    std::uint8_t monoForeground = 254; // bytes 4 and 5: the monochrome pair
    std::uint8_t monoBackground = 254;
    std::uint8_t font = 255; // byte 6: font index, 255 none
    std::int32_t osColorForeground = -1;
    std::int32_t osColorBackground = -1;

    // Differs from the default in bytes 1 to 6 (byte 0 and the OS colours
    // take no part: a palette that differs only there counts as default).
    bool DiffersFromDefault() const
    {
        const ZafPaletteStruct d;
        return fillPattern != d.fillPattern || colorForeground != d.colorForeground ||
               colorBackground != d.colorBackground || monoForeground != d.monoForeground ||
               monoBackground != d.monoBackground || font != d.font;
    }
};

struct ZafPaletteMap
{
    std::uint16_t type;
    std::uint16_t state;
    ZafPaletteStruct palette;

    bool IsEnd() const { return type == 0 || (type == 0xFFFF && state == 0); }
    // The row serves a lookup of (type, state) when its type mask shares a
    // bit with the type and all its state bits are in the state.
    bool Matches(std::uint16_t lookupType, std::uint16_t lookupState) const
    {
        return (type & lookupType) != 0 && (state & lookupState) == state;
    }
};
