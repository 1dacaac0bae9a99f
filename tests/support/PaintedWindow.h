// Pixels as Windows paints them: a memory page (a bitmap of a given size in
// a memory context, filled with one colour) to draw into, and a window's
// client area painted into one (WM_PRINTCLIENT, as the window paints on the
// screen), read back pixel by pixel.
#pragma once

#include <windows.h>

namespace testsupport {

class MemoryPage
{
public:
    MemoryPage(int width, int height, COLORREF fill = RGB(255, 255, 255)) : width(width), height(height)
    {
        HDC screen = GetDC(nullptr);
        dc = CreateCompatibleDC(screen);
        bitmap = CreateCompatibleBitmap(screen, width, height);
        ReleaseDC(nullptr, screen);
        old = SelectObject(dc, bitmap);
        const RECT all = {0, 0, width, height};
        HBRUSH brush = CreateSolidBrush(fill);
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~MemoryPage()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    MemoryPage(const MemoryPage &) = delete;
    MemoryPage &operator=(const MemoryPage &) = delete;

    COLORREF At(int x, int y) const { return GetPixel(dc, x, y); }
    // The pixels of a row (of a column) in that colour.
    int CountInRow(int y, COLORREF color) const
    {
        int n = 0;
        for (int x = 0; x < width; ++x)
            n += At(x, y) == color;
        return n;
    }
    int CountInColumn(int x, COLORREF color) const
    {
        int n = 0;
        for (int y = 0; y < height; ++y)
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
    int Width() const { return width; }
    int Height() const { return height; }

    HDC dc;

private:
    int width, height;
    HBITMAP bitmap;
    HGDIOBJ old;
};

inline RECT ClientRect(HWND window)
{
    RECT client;
    GetClientRect(window, &client);
    return client;
}

// A window's client area painted into a page of its size; pixels it leaves
// alone keep the fill colour.
class Painted : public MemoryPage
{
public:
    explicit Painted(HWND window, COLORREF fill = RGB(0, 0, 0))
        : MemoryPage(ClientRect(window).right, ClientRect(window).bottom, fill)
    {
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    }
};

} // namespace testsupport
