#include "shell/QivPrinter.h"

#include <commdlg.h>

#include <algorithm>
#include <cstring>
#include <string>

namespace {

HFONT MakePrinterFont(HDC dc, bool fixedPitch)
{
    const int height = -MulDiv(QivPrinter::textPoints, std::max(GetDeviceCaps(dc, LOGPIXELSY), 1), 72);
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
    SetFont(ZAF_FONT_FIXED, MakePrinterFont(printerDC, true), true);

    TEXTMETRICA metrics = {};
    HGDIOBJ previous = SelectObject(printerDC, Font(ZAF_FONT_FIXED));
    if (GetTextMetricsA(printerDC, &metrics))
        lineHeight = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
    SelectObject(printerDC, previous);
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
    HGDIOBJ previous = SelectObject(dc, Font(ZAF_FONT_FIXED));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    RECT rect = {left, top, right, top + lineHeight};
    UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_NOCLIP;
    if (justification == ZAF_HZ_RIGHT)
        format |= DT_RIGHT;
    else if (justification == ZAF_HZ_CENTER)
        format |= DT_CENTER;
    DrawTextA(dc, line.c_str(), static_cast<int>(line.size()), &rect, format);
    SelectObject(dc, previous);
    return top + lineHeight;
}
