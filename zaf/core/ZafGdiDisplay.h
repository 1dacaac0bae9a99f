// ZafGdiDisplay: the screen display on Windows GDI. It holds the font table
// (indexed by palette font number), the 16-entry colour table (indexed by
// palette colour; 253 asks for a system colour), a cache of solid brushes,
// the device contexts it lends for drawing, and the drawing primitives that
// window objects use between BeginDraw and EndDraw. Its cell metrics come
// from the system font's real text metrics and the screen's pixels per inch.
//
// Colours: indexes 0 to 15 name the table (0 black, 7 light grey RGB 192,
// 192, 192, 8 dark grey, 15 white). Any other index (16 and 252 occur in
// stored palettes, 254 and 255 mean "unset") is not in the table: ColorOf
// answers false and the caller's fallback applies; nothing reads outside
// the table.
//
// Brushes: GetCachedBrush answers one brush per colour and counts a use;
// ReleaseCachedObject takes a use back. A brush whose uses drop to 0 stays
// in the cache (Windows may still paint with a brush handed back from
// WM_CTLCOLOR... after the handler released it); only brushes unused for
// the longest are deleted once more than keptBrushes are unused, and all of
// them with the display.
//
// Device contexts: LendDC(window) lends the window's device context and
// ReturnDC takes it back; nested loans for one window (a drawing pass inside
// another) get the same context and only the last return releases it. While
// a window paints (BeginPaint), SetPaintDC makes its paint context the one
// lent (ZafPaintContext holds that for a scope). A printer or memory context can be made current with
// SetCurrentDC: the primitives then draw into it. Each loan (and each paint)
// makes its context current until it is returned, and its return makes
// current again the context that was current when it was lent, whether
// lent, painting or set by hand.
//
// Images: bitmaps, masks and icons it makes from pixel arrays (MakeBitmap,
// MakeIcon) are released through ZafDisplay's DestroyBitmapHandle and
// DestroyIconHandle, which it does not change.
//
// Ownership: made and deleted by the application (zafScreenDisplay); fonts
// it made and brushes of the cache are deleted with it.
#pragma once

#include "zaf/core/ZafDisplay.h"

#include <windows.h>

#include <cstdint>
#include <vector>

// Palette font numbers of the font table.
constexpr int ZAF_FONT_SYSTEM = 0;
constexpr int ZAF_FONT_DIALOG = 1;
constexpr int ZAF_FONT_FIXED = 2;

// Palette colours.
constexpr int ZAF_COLOR_BLACK = 0;
constexpr int ZAF_COLOR_LIGHTGRAY = 7;
constexpr int ZAF_COLOR_DARKGRAY = 8;
constexpr int ZAF_COLOR_WHITE = 15;
constexpr int ZAF_COLOR_SYSTEM = 253;
constexpr int ZAF_COLOR_TABLE_SIZE = 16;

// Text justification.
constexpr int ZAF_HZ_LEFT = 0;
constexpr int ZAF_HZ_RIGHT = 1;
constexpr int ZAF_HZ_CENTER = 2;
constexpr int ZAF_VT_TOP = 0;
constexpr int ZAF_VT_BOTTOM = 1;
constexpr int ZAF_VT_CENTER = 2;

class ZafGdiDisplay : public ZafDisplay
{
public:
    static constexpr int keptBrushes = 16;
    // Cell spacing kept free above and below each row on the screen.
    static constexpr int cellSpacing = 2;

    ZafGdiDisplay();
    ~ZafGdiDisplay() override;

    // --- Colours --------------------------------------------------------------
    // The colour of a table index; false (colour unchanged) outside the table.
    bool ColorOf(int index, COLORREF &color) const;
    // The colour of an index, GetSysColor(systemColor) for 253, else fallback.
    COLORREF ResolveColor(int index, int systemColor, COLORREF fallback) const;
    // Marks a table entry free and gives it back its standard colour;
    // indexes of 252 and above (and any outside the table) are refused.
    bool FreeColor(int index) override;
    bool IsColorFree(int index) const;
    // Sets a table entry (0 to 15) and marks it used; false outside.
    bool SetColor(int index, COLORREF color);
    HPALETTE PaletteHandle() const { return palette; }
    bool UsesPalette() const { return usesPalette; }

    // --- Fonts ----------------------------------------------------------------
    // The font of a palette font number; the system font for one not in the
    // table.
    HFONT Font(int index) const;
    int FontCount() const { return static_cast<int>(fonts.size()); }
    // Puts a font in the table at the index (growing it); the display takes
    // ownership when owned is set. False for a negative index or null font.
    bool SetFont(int index, HFONT font, bool owned);
    // Replaces every font of the table by one of the same face and the same
    // size in points for a device of toPixelsPerInchY (a font of N points is
    // N/72 inch there), the table's fonts being sized for fromPixelsPerInchY;
    // a raster font gives way to a TrueType font of its pitch and family.
    // The display owns the new fonts. False when a font cannot be made (that
    // entry is left as it was).
    bool ScaleFonts(int fromPixelsPerInchY, int toPixelsPerInchY);

    // --- Brushes --------------------------------------------------------------
    HBRUSH GetCachedBrush(COLORREF color);
    // Takes back one use of a cached brush; false for an object the cache
    // does not hold (which is left alone).
    bool ReleaseCachedObject(HGDIOBJ object);
    int CachedBrushCount() const { return static_cast<int>(brushes.size()); }
    int BrushUses(HBRUSH brush) const;

    // --- Device contexts ------------------------------------------------------
    HDC LendDC(HWND window);
    void ReturnDC(HDC dc);
    // Makes (or, with null, ends) the paint context of a window.
    void SetPaintDC(HWND window, HDC dc);
    // The context the primitives draw into (null when none is open).
    HDC CurrentDC() const { return current; }
    // Makes a context current (a printer's or a memory context); returns the
    // previous one. The display does not release a context set so.
    HDC SetCurrentDC(HDC dc);
    int OpenLoans() const { return static_cast<int>(loans.size()); }

    // --- Drawing primitives, into the current context, in pixels -------------
    void SetColors(COLORREF foreground, COLORREF background);
    // Selects the font of a palette font number; returns the one it replaced.
    HFONT SelectFont(int index);
    void Line(int x1, int y1, int x2, int y2, COLORREF color, int width = 1);
    void Pixel(int x, int y, COLORREF color);
    // Edges inclusive (right and bottom are drawn).
    void Rectangle(int left, int top, int right, int bottom, COLORREF color, bool filled);
    void Polygon(const POINT *points, int count, COLORREF color, bool filled);
    // Draws a text in the rectangle with the justification; an '&' marks the
    // hot-key letter, which is underlined ("&&" draws one '&').
    void Text(const RECT &rect, const char *text, int hzJustify, int vtJustify, bool hotKey = true);
    // The size of a text in the font of a palette font number, in pixels.
    SIZE TextSize(const char *text, int fontIndex = ZAF_FONT_SYSTEM);
    void CopyBlock(HDC source, int sourceX, int sourceY, int width, int height, int x, int y);
    void SetClip(const RECT *rect);
    // XOR drawing on (R2_NOT) or off (R2_COPYPEN).
    void SetXorMode(bool flag);
    void DrawBitmap(HBITMAP bitmap, HBITMAP mask, int x, int y);
    void DrawIcon(HICON icon, int x, int y, int width = 0, int height = 0);

    // --- Images from pixel arrays (one byte per pixel, row by row, colour
    // indexes; 255 is transparent) --------------------------------------------
    // A bitmap and its mask (mask set where transparent); null for an empty
    // or too large image.
    HBITMAP MakeBitmap(int width, int height, const std::uint8_t *pixels, HBITMAP &mask) const;
    HICON MakeIcon(int width, int height, const std::uint8_t *pixels) const;
    // The pixels of an icon (each mapped to the nearest table colour, 255
    // where the mask is set); false when the icon cannot be read.
    bool IconPixels(HICON icon, int &width, int &height, std::vector<std::uint8_t> &pixels) const;
    // The table index nearest to a colour.
    int NearestColor(COLORREF color) const;

    // Reads the cell metrics again from the system font and the screen.
    void ReadScreenMetrics();

protected:
    // The context TextSize measures in when none is current: the screen's
    // when null (a printer measures on its own context).
    HDC measureDC = nullptr;

private:
    struct Loan
    {
        HWND window;
        HDC dc;
        int count;
        bool paint;
    };
    struct CachedBrush
    {
        COLORREF color;
        HBRUSH brush;
        int uses;
        unsigned lastUse;
    };
    // One loan or paint: its context and the one current before it.
    struct Pass
    {
        HDC dc;
        HDC previous;
    };
    void TrimBrushes();
    void OpenPass(HDC dc);
    void ClosePass(HDC dc);

    COLORREF colors[ZAF_COLOR_TABLE_SIZE];
    bool freeColor[ZAF_COLOR_TABLE_SIZE] = {};
    std::vector<HFONT> fonts;
    std::vector<bool> ownedFonts;
    std::vector<CachedBrush> brushes;
    unsigned brushClock = 0;
    std::vector<Loan> loans;
    std::vector<Pass> passes;
    HDC current = nullptr;
    HPALETTE palette = nullptr;
    bool usesPalette = false;
};

// The screen display as a GDI display; null when there is none.
ZafGdiDisplay *ZafScreenGdiDisplay();

// The paint context of a window held for a scope: while it lives, the
// screen display lends the context Windows gave for painting (WM_PAINT's,
// WM_DRAWITEM's) to every drawing pass of the window; the destructor ends
// it. Nothing happens without a screen display or a context.
class ZafPaintContext
{
public:
    ZafPaintContext(HWND window, HDC dc) : display(dc ? ZafScreenGdiDisplay() : nullptr), window(window)
    {
        if (display)
            display->SetPaintDC(window, dc);
    }
    ~ZafPaintContext()
    {
        if (display)
            display->SetPaintDC(window, nullptr);
    }
    ZafPaintContext(const ZafPaintContext &) = delete;
    ZafPaintContext &operator=(const ZafPaintContext &) = delete;

private:
    ZafGdiDisplay *display;
    HWND window;
};
