#include "shell/ToolBitmaps.h"

#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/data/ZafBitmapData.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int side = 16;
// The display's colour indices the pictures use.
enum Colour : std::uint8_t {
    black = ZAF_COLOR_BLACK,
    blue = 1,
    green = 2,
    red = 4,
    yellow = 14,
    lightBlue = 9,
    lightGreen = 10,
    lightRed = 12,
    grey = ZAF_COLOR_DARKGRAY,
    white = ZAF_COLOR_WHITE,
    clear = 255
};

struct Canvas
{
    std::uint8_t pixels[side * side];
    Canvas() { std::memset(pixels, clear, sizeof pixels); }
    void Dot(int x, int y, Colour c)
    {
        if (x >= 0 && x < side && y >= 0 && y < side)
            pixels[y * side + x] = c;
    }
    // Filled, edges inclusive.
    void Box(int left, int top, int right, int bottom, Colour c)
    {
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                Dot(x, y, c);
    }
    void Frame(int left, int top, int right, int bottom, Colour c)
    {
        Line(left, top, right, top, c);
        Line(left, bottom, right, bottom, c);
        Line(left, top, left, bottom, c);
        Line(right, top, right, bottom, c);
    }
    void Line(int x0, int y0, int x1, int y1, Colour c)
    {
        const int steps = std::max(std::abs(x1 - x0), std::abs(y1 - y0));
        for (int i = 0; i <= steps; ++i)
            Dot(x0 + (steps ? (x1 - x0) * i / steps : 0), y0 + (steps ? (y1 - y0) * i / steps : 0), c);
    }
    // A disc, or the sector of it between two angles in degrees (0 at
    // three o'clock, counter-clockwise) filled with another colour.
    void Disc(int cx, int cy, int r, Colour c, Colour sector = clear, int from = 0, int to = 0)
    {
        for (int y = cy - r; y <= cy + r; ++y)
            for (int x = cx - r; x <= cx + r; ++x) {
                const int dx = x - cx, dy = cy - y;
                if (dx * dx + dy * dy > r * r)
                    continue;
                double angle = std::atan2(static_cast<double>(dy), static_cast<double>(dx)) * 180.0 / 3.14159265358979;
                if (angle < 0)
                    angle += 360.0;
                Dot(x, y, sector != clear && angle >= from && angle < to ? sector : c);
            }
    }
    void Axes()
    {
        Line(1, 1, 1, 14, black);
        Line(1, 14, 14, 14, black);
    }
};

// A map outline: three regions side by side, as the map pictures share it.
void Regions(Canvas &c, Colour a, Colour b, Colour d)
{
    c.Box(1, 3, 6, 12, a);
    c.Box(7, 2, 14, 7, b);
    c.Box(7, 8, 14, 13, d);
    c.Frame(1, 3, 6, 12, black);
    c.Frame(7, 2, 14, 7, black);
    c.Frame(7, 8, 14, 13, black);
}

void Draw(const char *name, Canvas &c)
{
    const auto is = [name](const char *what) { return std::strcmp(name, what) == 0; };
    if (is("graph_hbars")) {
        c.Line(1, 1, 1, 14, black);
        c.Box(2, 2, 12, 4, blue);
        c.Box(2, 6, 8, 8, red);
        c.Box(2, 10, 14, 12, green);
    } else if (is("graph_pie")) {
        c.Disc(7, 8, 7, lightBlue, red, 0, 110);
        c.Disc(7, 8, 7, clear, yellow, 110, 200);
        for (int y = 1; y < side; ++y)
            for (int x = 0; x < side; ++x) // the rest of the disc
                if (c.pixels[y * side + x] == clear && (x - 7) * (x - 7) + (y - 8) * (y - 8) <= 49)
                    c.Dot(x, y, lightBlue);
    } else if (is("graph_freqpoly")) {
        c.Axes();
        c.Line(2, 12, 5, 5, blue);
        c.Line(5, 5, 9, 8, blue);
        c.Line(9, 8, 14, 3, blue);
        c.Line(2, 13, 6, 10, red);
        c.Line(6, 10, 10, 11, red);
        c.Line(10, 11, 14, 7, red);
    } else if (is("graph_deskmean")) {
        c.Axes();
        c.Box(3, 7, 5, 13, blue);
        c.Box(7, 4, 9, 13, blue);
        c.Box(11, 9, 13, 13, blue);
        for (int x : {4, 8, 12})
            c.Dot(x, x == 8 ? 2 : (x == 4 ? 5 : 7), red);
    } else if (is("graph_boxwhisker")) {
        c.Line(7, 1, 7, 14, black);
        c.Line(5, 1, 9, 1, black);
        c.Line(5, 14, 9, 14, black);
        c.Box(3, 4, 11, 10, white);
        c.Frame(3, 4, 11, 10, blue);
        c.Line(3, 7, 11, 7, red);
    } else if (is("graph_confint")) {
        c.Axes();
        for (int x : {4, 8, 12}) {
            const int mid = x == 8 ? 5 : (x == 4 ? 9 : 7);
            c.Line(x, mid - 3, x, mid + 3, blue);
            c.Line(x - 1, mid - 3, x + 1, mid - 3, blue);
            c.Line(x - 1, mid + 3, x + 1, mid + 3, blue);
            c.Box(x - 1, mid, x + 1, mid, red);
        }
    } else if (is("graph_barcode")) {
        for (int x : {1, 2, 4, 7, 8, 9, 11, 14})
            c.Line(x, 2, x, 13, black);
        c.Line(5, 2, 5, 13, red);
        c.Line(12, 2, 12, 13, red);
    } else if (is("graph_resplot")) {
        c.Line(1, 1, 1, 14, black);
        c.Line(1, 8, 14, 8, grey);
        for (int i = 0; i < 7; ++i)
            c.Dot(3 + 2 * i, 8 + ((i * 5) % 7) - 3, blue);
    } else if (is("graph_matplot")) {
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 2; ++col) {
                const int l = 1 + col * 7, t = 1 + row * 7;
                c.Frame(l, t, l + 6, t + 6, black);
                c.Dot(l + 2, t + 4, blue);
                c.Dot(l + 3, t + 3, blue);
                c.Dot(l + 4, t + 2, blue);
            }
    } else if (is("graph_map")) {
        Regions(c, lightGreen, green, yellow);
    } else if (is("graph_map_bar")) {
        Regions(c, white, white, white);
        c.Box(3, 7, 4, 11, red);
        c.Box(10, 3, 11, 6, red);
        c.Box(10, 10, 11, 12, red);
    } else if (is("graph_map_pie")) {
        Regions(c, white, white, white);
        c.Disc(4, 9, 2, red);
        c.Disc(11, 5, 1, red);
        c.Disc(11, 11, 2, red);
    } else if (is("map_zoom_in") || is("map_zoom_out")) {
        // A magnifying glass with a plus or a minus.
        c.Disc(6, 6, 5, black);
        c.Disc(6, 6, 4, white);
        c.Line(2, 6, 10, 6, black);
        if (is("map_zoom_in"))
            c.Line(6, 2, 6, 10, black);
        c.Line(10, 10, 14, 14, black);
        c.Line(11, 10, 14, 13, black);
    } else if (is("bt_mapid")) {
        // A region with the pointer on it and a label above.
        Regions(c, lightGreen, green, yellow);
        c.Box(1, 0, 10, 3, white);
        c.Frame(1, 0, 10, 3, black);
        c.Line(7, 7, 7, 14, black);
        c.Line(7, 7, 12, 12, black);
        c.Line(7, 14, 12, 12, black);
    } else if (is("graph_scatterplot")) {
        c.Axes();
        const int points[][2] = {{3, 11}, {5, 10}, {6, 8}, {8, 9}, {9, 6}, {11, 5}, {12, 3}, {13, 4}};
        for (const auto &p : points)
            c.Box(p[0], p[1], p[0] + 1, p[1] + 1, blue);
    }
}

const char *const names[] = {"graph_hbars",   "graph_pie",     "graph_freqpoly",   "graph_deskmean", "graph_boxwhisker",
                             "graph_confint", "graph_barcode", "graph_resplot",    "graph_matplot",  "graph_map",
                             "graph_map_bar", "graph_map_pie", "graph_scatterplot", "map_zoom_in", "map_zoom_out",
                             "bt_mapid"};

} // namespace

bool HasToolBitmap(const char *name)
{
    if (!name)
        return false;
    for (const char *known : names)
        if (std::strcmp(known, name) == 0)
            return true;
    return false;
}

ZafBitmapData *MakeToolBitmap(const char *name)
{
    if (!HasToolBitmap(name))
        return nullptr;
    Canvas canvas;
    Draw(name, canvas);
    auto *bitmap = new ZafBitmapData();
    bitmap->SetBitmapArray(side, side, canvas.pixels);
    bitmap->SetStringID(name);
    return bitmap;
}
