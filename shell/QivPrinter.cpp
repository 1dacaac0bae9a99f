#include "shell/QivPrinter.h"

#include <commdlg.h>
#include <winspool.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <string>
#include <vector>

namespace {

// tenths: the font's size in tenths of a point.
HFONT MakePrinterFont(HDC dc, bool fixedPitch, int tenths = QivPrinter::textPoints * 10)
{
    const int height = -std::max(MulDiv(tenths, std::max(GetDeviceCaps(dc, LOGPIXELSY), 1), 720), 1);
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, (fixedPitch ? FIXED_PITCH : VARIABLE_PITCH) | FF_DONTCARE,
                       fixedPitch ? "Courier New" : "Arial");
}

std::string SystemMessage(unsigned long code)
{
    std::string text;
    char *message = nullptr;
    if (FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char *>(&message), 0, nullptr) &&
        message) {
        text = message;
        LocalFree(message);
    }
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ' || text.back() == '.'))
        text.pop_back();
    if (!text.empty())
        text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
    return text.empty() ? "system error " + std::to_string(code) : text;
}

bool ServiceDown(unsigned long code)
{
    return code == RPC_S_SERVER_UNAVAILABLE || code == RPC_S_SERVER_TOO_BUSY || code == ERROR_SERVICE_NOT_ACTIVE ||
           code == RPC_S_CALL_FAILED;
}

// What the spooler says of the printer now: the error of opening it (0
// when it opened), and whether it reports itself offline or in error.
unsigned long AskSpooler(const std::string &name, bool &unavailable)
{
    unavailable = false;
    HANDLE handle = nullptr;
    if (!OpenPrinterA(const_cast<char *>(name.c_str()), &handle, nullptr))
        return std::max<unsigned long>(GetLastError(), 1);
    DWORD needed = 0;
    GetPrinterA(handle, 2, nullptr, 0, &needed);
    if (needed > 0 && needed < (1u << 20)) {
        std::vector<BYTE> buffer(needed);
        if (GetPrinterA(handle, 2, buffer.data(), needed, &needed)) {
            const auto *info = reinterpret_cast<const PRINTER_INFO_2A *>(buffer.data());
            unavailable = (info->Status & (PRINTER_STATUS_OFFLINE | PRINTER_STATUS_NOT_AVAILABLE |
                                           PRINTER_STATUS_SERVER_UNKNOWN | PRINTER_STATUS_ERROR)) != 0;
        }
    }
    ClosePrinter(handle);
    return 0;
}

} // namespace

std::string QivPrinter::FailureReason() const
{
    const std::string printer = name.empty() ? std::string("the printer") : "the printer " + name;
    const unsigned long code = LastError();
    bool unavailable = false;
    const unsigned long opened = name.empty() ? 0 : AskSpooler(name, unavailable);
    if (ServiceDown(code) || ServiceDown(opened))
        return "the print service is not running, so " + printer + " cannot be used";
    if (opened == ERROR_INVALID_PRINTER_NAME || opened == ERROR_PRINTER_DELETED)
        return printer + " is no longer set up";
    // A job the spooler could not open on the printer: Windows and Wine
    // answer an invalid handle when the printer's queue cannot be reached.
    if (unavailable || opened != 0 || code == ERROR_INVALID_HANDLE || code == ERROR_INVALID_PRINTER_NAME ||
        code == ERROR_PRINTER_DELETED || code == ERROR_NOT_READY || code == ERROR_BAD_NETPATH ||
        code == ERROR_NETWORK_UNREACHABLE || code == ERROR_SPL_NO_STARTDOC)
        return printer + " cannot be reached";
    if (code == ERROR_CANCELLED || code == ERROR_PRINT_CANCELLED)
        return "the job on " + printer + " was cancelled";
    if (code == ERROR_DISK_FULL || code == ERROR_NOT_ENOUGH_MEMORY || code == ERROR_OUTOFMEMORY)
        return "there is not enough memory or disk space to spool the job for " + printer;
    if (code != 0)
        return printer + " answered: " + SystemMessage(code);
    return printer + " refused the job or it was cancelled";
}

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

int QivPrinter::TextWidth(int characters) const
{
    HDC dc = DC();
    if (!dc || characters <= 0)
        return 0;
    const std::string line(static_cast<std::size_t>(characters), '0');
    SIZE extent = {};
    HGDIOBJ previous = SelectObject(dc, Font(ZAF_FONT_FIXED));
    const BOOL measured = GetTextExtentPoint32A(dc, line.c_str(), characters, &extent);
    SelectObject(dc, previous);
    return measured ? static_cast<int>(extent.cx) : characters * charWidth;
}

int QivPrinter::CharactersIn(int width) const
{
    if (width <= 0 || charWidth <= 0)
        return 0;
    // From the rounded-up advance (never too many), then as many more as
    // the measured line takes.
    int characters = width / charWidth;
    while (characters > 0 && TextWidth(characters) > width)
        --characters;
    while (TextWidth(characters + 1) <= width)
        ++characters;
    return characters;
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
    std::string name;
    if (found && dialog.hDevNames) {
        if (const auto *names = static_cast<const DEVNAMES *>(GlobalLock(dialog.hDevNames))) {
            const SIZE_T size = GlobalSize(dialog.hDevNames);
            // The device name is a terminated text inside the block.
            if (names->wDeviceOffset < size) {
                const char *at = reinterpret_cast<const char *>(names) + names->wDeviceOffset;
                name.assign(at, strnlen(at, size - names->wDeviceOffset));
            }
            GlobalUnlock(dialog.hDevNames);
        }
    }
    GlobalFree(dialog.hDevMode);
    GlobalFree(dialog.hDevNames);
    if (!found || !dialog.hDC)
        return nullptr;
    auto *printer = new QivPrinter(dialog.hDC, true);
    printer->SetName(name);
    return printer;
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
