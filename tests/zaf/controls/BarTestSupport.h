// Helpers of the bar tests: a window painted into a bitmap as Windows paints
// it (WM_PRINTCLIENT), read back pixel by pixel, and a window's place in its
// parent's client pixels as Windows reports it.
#pragma once

#include "zaf/core/ZafGdiDisplay.h"

#include <windows.h>

namespace bartest {

// The client area of a window, painted into a bitmap of its size.
class Painted
{
public:
    explicit Painted(HWND window)
    {
        GetClientRect(window, &client);
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, client.right, client.bottom, BLACKNESS);
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
    ~Painted()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Painted(const Painted &) = delete;
    Painted &operator=(const Painted &) = delete;

    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // The pixels of a row (columns of a column) in that colour.
    int CountInRow(int y, COLORREF color) const
    {
        int n = 0;
        for (int x = 0; x < client.right; ++x)
            n += At(x, y) == color;
        return n;
    }
    int CountInColumn(int x, COLORREF color) const
    {
        int n = 0;
        for (int y = 0; y < client.bottom; ++y)
            n += At(x, y) == color;
        return n;
    }
    // Pixels in a rectangle (edges inclusive) that differ from a colour.
    int CountOther(int left, int top, int right, int bottom, COLORREF color) const
    {
        int n = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                n += At(x, y) != color;
        return n;
    }
    int Width() const { return client.right; }
    int Height() const { return client.bottom; }

private:
    RECT client;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
};

// A window's rectangle in its parent's client pixels.
inline RECT PlaceInParent(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT *>(&r), 2);
    return r;
}

// A colour of the screen display's table.
inline COLORREF TableColor(int index)
{
    COLORREF color = 0;
    if (ZafGdiDisplay *display = ZafScreenGdiDisplay())
        display->ColorOf(index, color);
    return color;
}

} // namespace bartest
