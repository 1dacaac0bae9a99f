#include "zaf/core/ZafGdiDisplay.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>

namespace {

const COLORREF standardColors[ZAF_COLOR_TABLE_SIZE] = {
    RGB(0, 0, 0),     RGB(0, 0, 128),     RGB(0, 128, 0),     RGB(0, 128, 128),   RGB(128, 0, 0), RGB(128, 0, 128),
    RGB(128, 128, 0), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 255),     RGB(0, 255, 0), RGB(0, 255, 255),
    RGB(255, 0, 0),   RGB(255, 0, 255),   RGB(255, 255, 0),   RGB(255, 255, 255),
};

constexpr std::uint8_t transparentPixel = 255;
// Images above this many pixels are refused (a corrupt size must not
// allocate gigabytes).
constexpr long long maxImagePixels = 16LL * 1024 * 1024;

bool ValidImage(int width, int height, const std::uint8_t *pixels)
{
    return pixels && width > 0 && height > 0 && static_cast<long long>(width) * height <= maxImagePixels;
}

} // namespace

ZafGdiDisplay *ZafScreenGdiDisplay()
{
    return dynamic_cast<ZafGdiDisplay *>(zafScreenDisplay);
}

ZafGdiDisplay::ZafGdiDisplay()
{
    std::memcpy(colors, standardColors, sizeof(colors));
    fonts = {static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)),
             static_cast<HFONT>(GetStockObject(ANSI_FIXED_FONT))};
    ownedFonts.assign(fonts.size(), false);
    HDC screen = GetDC(nullptr);
    usesPalette = screen && (GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) != 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    ReadScreenMetrics();
}

ZafGdiDisplay::~ZafGdiDisplay()
{
    for (Loan &loan : loans)
        if (!loan.paint)
            ReleaseDC(loan.window, loan.dc);
    for (CachedBrush &b : brushes)
        DeleteObject(b.brush);
    for (std::size_t i = 0; i < fonts.size(); ++i)
        if (ownedFonts[i])
            DeleteObject(fonts[i]);
    if (palette)
        DeleteObject(palette);
    if (zafScreenDisplay == this)
        zafScreenDisplay = nullptr;
}

void ZafGdiDisplay::ReadScreenMetrics()
{
    ZafCellMetrics m = CellMetrics();
    HDC screen = GetDC(nullptr);
    if (!screen)
        return;
    HGDIOBJ old = SelectObject(screen, Font(ZAF_FONT_SYSTEM));
    TEXTMETRICA tm;
    if (GetTextMetricsA(screen, &tm)) {
        m.cellWidth = tm.tmAveCharWidth;
        m.preSpace = cellSpacing;
        m.postSpace = cellSpacing;
        // A row holds a line of text inside a control's frame (a field's
        // client edge, a push button's raised edge), not the bare line: a
        // field one cell high then shows its text whole.
        const int frame = 2 * GetSystemMetrics(SM_CYEDGE);
        m.cellHeight = tm.tmHeight + std::max<int>(tm.tmExternalLeading, frame) + m.preSpace + m.postSpace;
    }
    m.pixelsPerInchX = GetDeviceCaps(screen, LOGPIXELSX);
    m.pixelsPerInchY = GetDeviceCaps(screen, LOGPIXELSY);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    SetCellMetrics(m);
}

// --- Colours -------------------------------------------------------------------

bool ZafGdiDisplay::ColorOf(int index, COLORREF &color) const
{
    if (index < 0 || index >= ZAF_COLOR_TABLE_SIZE)
        return false;
    color = colors[index];
    return true;
}

COLORREF ZafGdiDisplay::ResolveColor(int index, int systemColor, COLORREF fallback) const
{
    COLORREF color = fallback;
    if (index == ZAF_COLOR_SYSTEM)
        return GetSysColor(systemColor);
    ColorOf(index, color);
    return color;
}

bool ZafGdiDisplay::FreeColor(int index)
{
    if (index < 0 || index >= ZAF_COLOR_TABLE_SIZE)
        return false;
    colors[index] = standardColors[index];
    freeColor[index] = true;
    return true;
}

bool ZafGdiDisplay::IsColorFree(int index) const
{
    return index >= 0 && index < ZAF_COLOR_TABLE_SIZE && freeColor[index];
}

bool ZafGdiDisplay::SetColor(int index, COLORREF color)
{
    if (index < 0 || index >= ZAF_COLOR_TABLE_SIZE)
        return false;
    colors[index] = color;
    freeColor[index] = false;
    return true;
}

int ZafGdiDisplay::NearestColor(COLORREF color) const
{
    int best = 0;
    long bestDistance = LONG_MAX;
    for (int i = 0; i < ZAF_COLOR_TABLE_SIZE; ++i) {
        long dr = long(GetRValue(colors[i])) - GetRValue(color);
        long dg = long(GetGValue(colors[i])) - GetGValue(color);
        long db = long(GetBValue(colors[i])) - GetBValue(color);
        long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

// --- Fonts -----------------------------------------------------------------------

HFONT ZafGdiDisplay::Font(int index) const
{
    if (index < 0 || index >= FontCount() || !fonts[index])
        return fonts[ZAF_FONT_SYSTEM];
    return fonts[index];
}

bool ZafGdiDisplay::SetFont(int index, HFONT font, bool owned)
{
    if (index < 0 || !font || index > 255)
        return false;
    if (index >= FontCount()) {
        fonts.resize(index + 1, nullptr);
        ownedFonts.resize(index + 1, false);
    }
    if (ownedFonts[index] && fonts[index] != font)
        DeleteObject(fonts[index]);
    fonts[index] = font;
    ownedFonts[index] = owned;
    return true;
}

namespace {

// The metrics of a font as the screen draws it.
bool ScreenMetrics(HFONT font, TEXTMETRICA &tm)
{
    HDC screen = GetDC(nullptr);
    if (!screen)
        return false;
    HGDIOBJ old = SelectObject(screen, font);
    const bool read = GetTextMetricsA(screen, &tm) != 0;
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    return read;
}

} // namespace

bool ZafGdiDisplay::ScaleFonts(int fromPixelsPerInchY, int toPixelsPerInchY)
{
    if (fromPixelsPerInchY <= 0 || toPixelsPerInchY <= 0)
        return false;
    bool all = true;
    for (int i = 0; i < FontCount(); ++i) {
        if (!fonts[i])
            continue;
        LOGFONTA font;
        TEXTMETRICA tm;
        if (GetObjectA(fonts[i], sizeof font, &font) != sizeof font || !ScreenMetrics(fonts[i], tm)) {
            all = false;
            continue;
        }
        // The character height the screen really draws (a raster font's
        // differs from the height asked for), as a negative height: the
        // same points at the new resolution.
        font.lfHeight = -MulDiv(tm.tmHeight - tm.tmInternalLeading, toPixelsPerInchY, fromPixelsPerInchY);
        font.lfWidth = MulDiv(font.lfWidth, toPixelsPerInchY, fromPixelsPerInchY);
        // A raster font (the stock fixed font is one) only grows by whole
        // multiples: take a TrueType font of its pitch and family instead.
        // The face goes too, since Wine keeps a raster face it is named.
        if ((tm.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0) {
            font.lfOutPrecision = OUT_TT_ONLY_PRECIS;
            font.lfFaceName[0] = '\0';
            font.lfWidth = 0;
        }
        HFONT scaled = CreateFontIndirectA(&font);
        if (!scaled || !SetFont(i, scaled, true)) {
            if (scaled)
                DeleteObject(scaled);
            all = false;
        }
    }
    return all;
}

// --- Brushes -----------------------------------------------------------------------

HBRUSH ZafGdiDisplay::GetCachedBrush(COLORREF color)
{
    ++brushClock;
    for (CachedBrush &b : brushes)
        if (b.color == color) {
            ++b.uses;
            b.lastUse = brushClock;
            return b.brush;
        }
    HBRUSH brush = CreateSolidBrush(color);
    if (!brush)
        return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    brushes.push_back({color, brush, 1, brushClock});
    TrimBrushes();
    return brush;
}

bool ZafGdiDisplay::ReleaseCachedObject(HGDIOBJ object)
{
    for (CachedBrush &b : brushes)
        if (b.brush == object) {
            if (b.uses > 0)
                --b.uses;
            TrimBrushes();
            return true;
        }
    return false;
}

int ZafGdiDisplay::BrushUses(HBRUSH brush) const
{
    for (const CachedBrush &b : brushes)
        if (b.brush == brush)
            return b.uses;
    return -1;
}

void ZafGdiDisplay::TrimBrushes()
{
    for (;;) {
        int unused = 0;
        auto oldest = brushes.end();
        for (auto it = brushes.begin(); it != brushes.end(); ++it) {
            if (it->uses > 0)
                continue;
            ++unused;
            if (oldest == brushes.end() || it->lastUse < oldest->lastUse)
                oldest = it;
        }
        if (unused <= keptBrushes)
            return;
        DeleteObject(oldest->brush);
        brushes.erase(oldest);
    }
}

// --- Device contexts -----------------------------------------------------------------

void ZafGdiDisplay::OpenPass(HDC dc)
{
    passes.push_back({dc, current});
    current = dc;
}

void ZafGdiDisplay::ClosePass(HDC dc)
{
    auto it = std::find_if(passes.rbegin(), passes.rend(), [dc](const Pass &pass) { return pass.dc == dc; });
    if (it == passes.rend())
        return;
    // The last pass brings back what was current before it; a pass closed
    // out of turn hands that on to the pass opened after it.
    if (it == passes.rbegin())
        current = it->previous;
    else
        std::prev(it)->previous = it->previous;
    passes.erase(std::next(it).base());
}

HDC ZafGdiDisplay::LendDC(HWND window)
{
    // The window's latest loan: its paint context while it paints.
    for (auto it = loans.rbegin(); it != loans.rend(); ++it)
        if (it->window == window) {
            ++it->count;
            OpenPass(it->dc);
            return it->dc;
        }
    HDC dc = GetDC(window);
    if (!dc)
        return nullptr;
    loans.push_back({window, dc, 1, false});
    OpenPass(dc);
    return dc;
}

void ZafGdiDisplay::ReturnDC(HDC dc)
{
    for (auto it = loans.rbegin(); it != loans.rend(); ++it) {
        if (it->dc != dc)
            continue;
        ClosePass(dc);
        if (--it->count > 0)
            return;
        if (!it->paint)
            ReleaseDC(it->window, it->dc);
        loans.erase(std::next(it).base());
        return;
    }
}

void ZafGdiDisplay::SetPaintDC(HWND window, HDC dc)
{
    for (auto it = loans.begin(); it != loans.end(); ++it)
        if (it->window == window && it->paint) {
            if (!dc) {
                ClosePass(it->dc);
                loans.erase(it);
            }
            return;
        }
    if (dc) {
        // The paint context serves every pass of this window while it paints.
        loans.push_back({window, dc, 1, true});
        OpenPass(dc);
    }
}

HDC ZafGdiDisplay::SetCurrentDC(HDC dc)
{
    HDC previous = current;
    current = dc;
    return previous;
}

// --- Drawing -----------------------------------------------------------------------------

void ZafGdiDisplay::SetColors(COLORREF foreground, COLORREF background)
{
    if (!current)
        return;
    SetTextColor(current, foreground);
    SetBkColor(current, background);
}

HFONT ZafGdiDisplay::SelectFont(int index)
{
    if (!current)
        return nullptr;
    return static_cast<HFONT>(SelectObject(current, Font(index)));
}

void ZafGdiDisplay::Line(int x1, int y1, int x2, int y2, COLORREF color, int width)
{
    if (!current)
        return;
    HPEN pen = CreatePen(PS_SOLID, width, color);
    HGDIOBJ old = SelectObject(current, pen);
    MoveToEx(current, x1, y1, nullptr);
    LineTo(current, x2, y2);
    // LineTo leaves out the end point; a line includes both ends.
    SetPixel(current, x2, y2, color);
    SelectObject(current, old);
    DeleteObject(pen);
}

void ZafGdiDisplay::Pixel(int x, int y, COLORREF color)
{
    if (current)
        SetPixel(current, x, y, color);
}

void ZafGdiDisplay::Rectangle(int left, int top, int right, int bottom, COLORREF color, bool filled)
{
    if (!current)
        return;
    RECT r = {left, top, right + 1, bottom + 1};
    if (filled) {
        HBRUSH brush = CreateSolidBrush(color);
        FillRect(current, &r, brush);
        DeleteObject(brush);
    } else {
        HBRUSH brush = CreateSolidBrush(color);
        FrameRect(current, &r, brush);
        DeleteObject(brush);
    }
}

void ZafGdiDisplay::Polygon(const POINT *points, int count, COLORREF color, bool filled)
{
    if (!current || !points || count < 2)
        return;
    HPEN pen = CreatePen(PS_SOLID, 1, color);
    HBRUSH brush = filled ? CreateSolidBrush(color) : nullptr;
    HGDIOBJ oldPen = SelectObject(current, pen);
    HGDIOBJ oldBrush = SelectObject(current, brush ? static_cast<HGDIOBJ>(brush) : GetStockObject(NULL_BRUSH));
    ::Polygon(current, points, count);
    SelectObject(current, oldBrush);
    SelectObject(current, oldPen);
    DeleteObject(pen);
    if (brush)
        DeleteObject(brush);
}

void ZafGdiDisplay::Text(const RECT &rect, const char *text, int hzJustify, int vtJustify, bool hotKey)
{
    if (!current || !text)
        return;
    UINT format = DT_SINGLELINE;
    format |= hzJustify == ZAF_HZ_RIGHT ? DT_RIGHT : hzJustify == ZAF_HZ_CENTER ? DT_CENTER : DT_LEFT;
    format |= vtJustify == ZAF_VT_BOTTOM ? DT_BOTTOM : vtJustify == ZAF_VT_CENTER ? DT_VCENTER : DT_TOP;
    if (!hotKey)
        format |= DT_NOPREFIX;
    RECT r = rect;
    int oldMode = SetBkMode(current, TRANSPARENT);
    DrawTextA(current, text, -1, &r, format);
    SetBkMode(current, oldMode);
}

SIZE ZafGdiDisplay::TextSize(const char *text, int fontIndex)
{
    SIZE size = {0, 0};
    HDC dc = current ? current : measureDC ? measureDC : GetDC(nullptr);
    if (!dc)
        return size;
    HGDIOBJ old = SelectObject(dc, Font(fontIndex));
    if (text && *text)
        GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &size);
    else {
        TEXTMETRICA tm;
        GetTextMetricsA(dc, &tm);
        size.cy = tm.tmHeight;
    }
    SelectObject(dc, old);
    if (dc != current && dc != measureDC)
        ReleaseDC(nullptr, dc);
    return size;
}

void ZafGdiDisplay::CopyBlock(HDC source, int sourceX, int sourceY, int width, int height, int x, int y)
{
    if (current && source)
        BitBlt(current, x, y, width, height, source, sourceX, sourceY, SRCCOPY);
}

void ZafGdiDisplay::SetClip(const RECT *rect)
{
    if (!current)
        return;
    if (!rect) {
        SelectClipRgn(current, nullptr);
        return;
    }
    HRGN region = CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
    SelectClipRgn(current, region);
    DeleteObject(region);
}

void ZafGdiDisplay::SetXorMode(bool flag)
{
    if (current)
        SetROP2(current, flag ? R2_NOT : R2_COPYPEN);
}

void ZafGdiDisplay::DrawBitmap(HBITMAP bitmap, HBITMAP mask, int x, int y)
{
    if (!current || !bitmap)
        return;
    BITMAP info;
    if (!GetObjectA(bitmap, sizeof(info), &info))
        return;
    HDC memory = CreateCompatibleDC(current);
    HGDIOBJ old = SelectObject(memory, mask ? mask : bitmap);
    if (mask) {
        BitBlt(current, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCAND);
        SelectObject(memory, bitmap);
        BitBlt(current, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCPAINT);
    } else {
        BitBlt(current, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    }
    SelectObject(memory, old);
    DeleteDC(memory);
}

void ZafGdiDisplay::DrawIcon(HICON icon, int x, int y, int width, int height)
{
    if (current && icon)
        DrawIconEx(current, x, y, icon, width, height, 0, nullptr, DI_NORMAL);
}

// --- Images ------------------------------------------------------------------------------

HBITMAP ZafGdiDisplay::MakeBitmap(int width, int height, const std::uint8_t *pixels, HBITMAP &mask) const
{
    mask = nullptr;
    if (!ValidImage(width, height, pixels))
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    bool anyTransparent = false;
    for (long long i = 0; i < static_cast<long long>(width) * height; ++i)
        anyTransparent = anyTransparent || pixels[i] == transparentPixel;
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t p = pixels[static_cast<long long>(y) * width + x];
            COLORREF color = RGB(0, 0, 0);
            if (p != transparentPixel)
                ColorOf(p, color);
            SetPixel(memory, x, y, color);
        }
    if (anyTransparent) {
        mask = CreateBitmap(width, height, 1, 1, nullptr);
        SelectObject(memory, mask);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                SetPixel(memory, x, y,
                         pixels[static_cast<long long>(y) * width + x] == transparentPixel ? RGB(255, 255, 255)
                                                                                           : RGB(0, 0, 0));
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

HICON ZafGdiDisplay::MakeIcon(int width, int height, const std::uint8_t *pixels) const
{
    HBITMAP mask = nullptr;
    HBITMAP color = MakeBitmap(width, height, pixels, mask);
    if (!color)
        return nullptr;
    if (!mask) {
        mask = CreateBitmap(width, height, 1, 1, nullptr);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(memory, mask);
        PatBlt(memory, 0, 0, width, height, BLACKNESS);
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = color;
    info.hbmMask = mask;
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(color);
    DeleteObject(mask);
    return icon;
}

bool ZafGdiDisplay::IconPixels(HICON icon, int &width, int &height, std::vector<std::uint8_t> &pixels) const
{
    ICONINFO info;
    if (!icon || !GetIconInfo(icon, &info))
        return false;
    BITMAP bm;
    bool ok = info.hbmColor && GetObjectA(info.hbmColor, sizeof(bm), &bm) && bm.bmWidth > 0 && bm.bmHeight > 0 &&
              static_cast<long long>(bm.bmWidth) * bm.bmHeight <= maxImagePixels;
    if (ok) {
        width = bm.bmWidth;
        height = bm.bmHeight;
        pixels.assign(static_cast<std::size_t>(width) * height, 0);
        HDC colorDC = CreateCompatibleDC(nullptr);
        HDC maskDC = CreateCompatibleDC(nullptr);
        HGDIOBJ oldColor = SelectObject(colorDC, info.hbmColor);
        HGDIOBJ oldMask = SelectObject(maskDC, info.hbmMask);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                bool clear = info.hbmMask && GetPixel(maskDC, x, y) == RGB(255, 255, 255);
                pixels[static_cast<std::size_t>(y) * width + x] =
                    clear ? transparentPixel : static_cast<std::uint8_t>(NearestColor(GetPixel(colorDC, x, y)));
            }
        SelectObject(colorDC, oldColor);
        SelectObject(maskDC, oldMask);
        DeleteDC(colorDC);
        DeleteDC(maskDC);
    }
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    if (info.hbmMask)
        DeleteObject(info.hbmMask);
    return ok;
}
