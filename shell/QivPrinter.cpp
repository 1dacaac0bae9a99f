#include "shell/QivPrinter.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

// tenths: the font's size in tenths of a point.
HFONT MakePrinterFont(HDC dc, bool fixedPitch, int tenths = QivPrinter::textPoints * 10)
{
    const int height = -std::max(MulDiv(tenths, std::max(GetDeviceCaps(dc, LOGPIXELSY), 1), 720), 1);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, (fixedPitch ? FIXED_PITCH : VARIABLE_PITCH) | FF_DONTCARE,
                       fixedPitch ? "Courier New" : "Arial");
}

} // namespace

QivPrinter::QivPrinter(HDC printerDC, bool owned) : ZafPrinter(printerDC, owned)
{
    if (!printerDC)
        return;
    SetFont(ZAF_FONT_SYSTEM, MakePrinterFont(printerDC, false), true);
    SetFont(ZAF_FONT_DIALOG, MakePrinterFont(printerDC, false), true);
    SetTextSize(textPoints * 10);
}

void QivPrinter::SetTextSize(int tenths)
{
    HDC dc = DC();
    if (!dc || tenths <= 0 || (tenths == textTenths && charWidth > 0))
        return;
    textTenths = tenths;
    SetFont(ZAF_FONT_FIXED, MakePrinterFont(dc, true, tenths), true);
    TEXTMETRICA metrics = {};
    HGDIOBJ previous = SelectObject(dc, Font(ZAF_FONT_FIXED));
    if (GetTextMetricsA(dc, &metrics)) {
        lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
        charWidth = std::max<int>(metrics.tmAveCharWidth, 1);
    }
    SIZE extent = {};
    // The advance of a fixed-pitch cell, measured over many characters so
    // that rounding per character does not count.
    if (GetTextExtentPoint32A(dc, "0000000000", 10, &extent) && extent.cx > 0)
        charWidth = std::max<int>((extent.cx + 9) / 10, 1);
    SelectObject(dc, previous);
}

int QivPrinter::Margin() const
{
    return DC() ? std::max(GetDeviceCaps(DC(), LOGPIXELSY) / 2, 0) : 0;
}

QivPrinter *QivPrinter::OpenDefault()
{
    PRINTDLGA dialog = {};
    dialog.lStructSize = sizeof dialog;
    // No dialog: the default printer's context, or failure without one.
    dialog.Flags = PD_RETURNDEFAULT | PD_RETURNDC;
    const BOOL found = PrintDlgA(&dialog);
    GlobalFree(dialog.hDevMode);
    GlobalFree(dialog.hDevNames);
    if (!found || !dialog.hDC)
        return nullptr;
    return new QivPrinter(dialog.hDC, true);
}

int QivPrinter::DrawTextLine(int left, int top, int right, const char *text, int length, int justification)
{
    if (!InPage() || !text)
        return top;
    std::string line(text, length < 0 ? std::strlen(text) : static_cast<std::size_t>(length));
    HDC dc = DC();
    // The line sets the state it draws with and gives the context back as
    // it found it: what another drawing left on the same context (a graph's
    // centred texts) never moves a line, and a line leaves nothing behind.
    const int saved = SaveDC(dc);
    SelectObject(dc, Font(ZAF_FONT_FIXED));
    SetMapMode(dc, MM_TEXT);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetTextCharacterExtra(dc, 0);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT rect = {left, top, right, top + lineHeight};
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_NOCLIP | DT_EXPANDTABS;
    if (justification == ZAF_HZ_RIGHT)
        format |= DT_RIGHT;
    else if (justification == ZAF_HZ_CENTER)
        format |= DT_CENTER;
    DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &rect, format);
    if (saved)
        RestoreDC(dc, saved);
    return top + lineHeight;
}
