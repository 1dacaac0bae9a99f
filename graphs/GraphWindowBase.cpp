// GraphWindowBase: the hover label of a graph window.

#include "graphs/GRAPHWIN.h"

#include <cstring>

GraphWindowBase::~GraphWindowBase()
{
    // The window is gone by now (the graph window hides the label first):
    // only the saved copy is freed.
    labelWindow = nullptr;
    HideLabel();
    delete[] labelText;
}

HFONT GraphWindowBase::LabelFont() const
{
    LOGFONTA face = {};
    HDC screen = GetDC(nullptr);
    face.lfHeight = -MulDiv(14, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    face.lfWeight = FW_BOLD;
    face.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    return CreateFontIndirectA(&face);
}

void GraphWindowBase::SetLabel(int x, int y, const char *text)
{
    HideLabel();
    delete[] labelText;
    labelText = nullptr;
    if (text) {
        labelText = new char[std::strlen(text) + 1];
        std::strcpy(labelText, text);
    }
    anchorX = x;
    anchorY = y;
    SIZE size = {0, 0};
    ShowLabel(&size);
    HWND window = labelWindow ? labelWindow->OSHandle() : nullptr;
    if (!window)
        return;
    RECT client;
    GetClientRect(window, &client);
    const int w = size.cx, h = size.cy;
    if (anchorX - w / 2 < 0)
        anchorX = w / 2 + 1;
    else if (anchorX + w / 2 > client.right)
        anchorX = client.right - w / 2 - 1;
    if (anchorY - h < 0)
        anchorY = h;
    savedLeft = anchorX - w / 2 - 5;
    savedTop = anchorY - h - 5;
    savedWidth = w + 10;
    savedHeight = h + 10;
    HDC dc = GetDC(window);
    savedDC = CreateCompatibleDC(dc);
    savedBitmap = CreateCompatibleBitmap(dc, savedWidth, savedHeight);
    savedOld = SelectObject(savedDC, savedBitmap);
    BitBlt(savedDC, 0, 0, savedWidth, savedHeight, dc, savedLeft, savedTop, SRCCOPY);
    ReleaseDC(window, dc);
}

void GraphWindowBase::ShowLabel(SIZE *size)
{
    HWND window = labelWindow ? labelWindow->OSHandle() : nullptr;
    HDC dc = GetDC(window);
    HFONT font = LabelFont();
    HGDIOBJ oldFont = SelectObject(dc, font);
    const char *text = labelText ? labelText : "";
    const int length = static_cast<int>(std::strlen(text));
    SIZE extent = {0, 0};
    GetTextExtentPoint32A(dc, text, length, &extent);
    if (size) {
        *size = extent;
    } else if (window) {
        const COLORREF paper = RGB(255, 255, 224);
        RECT box{anchorX - extent.cx / 2 - 2, anchorY - extent.cy - 2, anchorX + extent.cx / 2 + 2, anchorY + 2};
        HBRUSH brush = CreateSolidBrush(paper);
        FillRect(dc, &box, brush);
        DeleteObject(brush);
        SetBkColor(dc, paper);
        SetTextAlign(dc, TA_BOTTOM | TA_CENTER);
        TextOutA(dc, anchorX, anchorY, text, length);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    ReleaseDC(window, dc);
}

void GraphWindowBase::HideLabel()
{
    if (!savedDC)
        return;
    if (HWND window = labelWindow ? labelWindow->OSHandle() : nullptr) {
        HDC dc = GetDC(window);
        BitBlt(dc, savedLeft, savedTop, savedWidth, savedHeight, savedDC, 0, 0, SRCCOPY);
        ReleaseDC(window, dc);
    }
    SelectObject(savedDC, savedOld);
    DeleteObject(savedBitmap);
    DeleteDC(savedDC);
    savedDC = nullptr;
    savedBitmap = nullptr;
}
