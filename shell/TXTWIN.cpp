#include "shell/TXTWIN.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>
#include <vector>

#include "dataset/PFILE.h"
#include "shell/QivPrinter.h"
#include "stats/StatFormat.h"
#include "zaf/controls/ZafTextField.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafScrollBar.h"

namespace {

constexpr const char *lineEnd = "\r\n ";
constexpr const char *tabLineEnd = "\r\n";
constexpr int maxDecimals = 15;

// Shown after a text that reached the limit, so that a cut table is never
// taken for a whole one.
constexpr const char *tooLongNotice = "*** The text is too long: its end is not shown. ***";

std::string Trimmed(const std::string &text)
{
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::string();
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

} // namespace

TXTWIN::TXTWIN(const char *title, int toFile, int reserved)
    : OutputWindow(0, 0, 60, 20), title_(title ? title : ""), toFile_(toFile)
{
    (void)reserved;
    text_.reserve(initialCapacity);
    // Result tables are columns of blanks: they line up only in a font
    // whose characters are all as wide and with no line wrapped; a table
    // wider or longer than the page scrolls.
    field_ = new ZafText(0, 0, 60, 20, "", -1);
    field_->SetFont(ZAF_FONT_FIXED);
    field_->SetWordWrap(false);
    field_->SetReadOnly(true);
    field_->AddObject(new ZafScrollBar(ZafScrollBar::vertical));
    field_->AddObject(new ZafScrollBar(ZafScrollBar::horizontal));
    AddObject(field_);
}

// --- The writer -------------------------------------------------------------

void TXTWIN::Clear()
{
    text_.clear();
    tabText_.clear();
    lines_ = 0;
    tabFields_ = 0;
    tabPlainOpen_ = false;
    if (error_ == txtErrorTooLong)
        error_ = txtErrorNone;
    cut_ = false;
    Plain();
    decimals_ = 0;
}

void TXTWIN::Prepend(const TXTWIN &other)
{
    if (!Fits(other.text_.size()))
        return;
    text_.insert(0, other.text_);
    tabText_.insert(0, other.tabText_);
    lines_ += other.lines_;
}

void TXTWIN::SetDecimals(int decimals)
{
    decimals_ = std::clamp(decimals, 0, maxDecimals);
}

bool TXTWIN::Fits(std::size_t more)
{
    if (error_ == txtErrorTooLong)
        return false;
    if (text_.size() + more > limit_ || tabText_.size() + more + 1 > limit_) {
        error_ = txtErrorTooLong;
        return false;
    }
    return true;
}

std::string TXTWIN::Pad(std::string text) const
{
    int width = centred_ > 0 ? centred_ : right_ > 0 ? right_ : left_;
    if (width <= 0)
        return text;
    int length = static_cast<int>(text.size());
    if (length >= width) {
        if (cut_)
            text.resize(width);
        return text;
    }
    int space = width - length;
    if (centred_ > 0) {
        int before = space / 2;
        return std::string(before, ' ') + text + std::string(space - before, ' ');
    }
    if (right_ > 0)
        return std::string(space, ' ') + text;
    return text + std::string(space, ' ');
}

void TXTWIN::Append(const std::string &piece, bool field)
{
    std::string laidOut = Pad(piece);
    if (!Fits(laidOut.size()))
        return;
    text_ += laidOut;
    TabField(field ? Trimmed(cut_ ? laidOut : piece) : piece, field);
}

void TXTWIN::TabField(const std::string &text, bool field)
{
    if (!field && tabPlainOpen_) {
        tabText_ += text;
        return;
    }
    if (tabFields_ > 0)
        tabText_ += '\t';
    tabText_ += text;
    tabFields_++;
    tabPlainOpen_ = !field;
}

void TXTWIN::TabLineEnd()
{
    tabText_ += tabLineEnd;
    tabFields_ = 0;
    tabPlainOpen_ = false;
}

void TXTWIN::WriteString(const char *text)
{
    bool field = centred_ > 0 || right_ > 0 || left_ > 0;
    Append(text ? text : "", field);
}

void TXTWIN::WriteInteger(long value)
{
    char digits[24];
    std::snprintf(digits, sizeof digits, "%ld", value);
    WriteString(digits);
}

// Fixed with the current decimals below 1e15, in exponent form from there
// on (fixed notation would print hundreds of digits of noise); a figure
// that cannot be represented shows the not-computed mark, never "inf" or
// "nan".
void TXTWIN::WriteReal(double value)
{
    WriteString(FormatFigure(value, decimals_).c_str());
}

void TXTWIN::WriteDouble(double value)
{
    WriteReal(value);
}

void TXTWIN::NewLine(int n)
{
    cut_ = false;
    Plain();
    decimals_ = 0;
    std::size_t dashes = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (!Fits(dashes + std::strlen(lineEnd)))
        return;
    text_.append(dashes, '-');
    text_ += lineEnd;
    lines_++;
    // A rule is decoration: the tab text keeps only a line that had fields.
    if (tabFields_ > 0)
        TabLineEnd();
}

bool TXTWIN::ApplyManipulator(int manipulator)
{
    if (manipulator != PFILE_ENDL)
        return false;
    if (!Fits(std::strlen(lineEnd)))
        return false;
    text_ += lineEnd;
    lines_++;
    TabLineEnd();
    return true;
}

// --- Showing, saving, copying ---------------------------------------------

void TXTWIN::ShowText()
{
    if (error_ != txtErrorTooLong) {
        field_->SetText(text_.c_str());
        return;
    }
    std::string shown = text_;
    shown += lineEnd;
    shown += tooLongNotice;
    field_->SetText(shown.c_str());
}

bool TXTWIN::SaveText(const char *fileName, TxtSaveLayout layout)
{
    const std::string &text = layout == txtSaveTabs ? tabText_ : text_;
    const bool notice = error_ == txtErrorTooLong;
    const int error = PFILE::SaveWhole(fileName, {{text.data(), text.size()},
                                                    {lineEnd, notice ? std::strlen(lineEnd) : 0},
                                                    {tooLongNotice, notice ? std::strlen(tooLongNotice) : 0}});
    if (error != PFILE_ERR_NONE)
        error_ = error == PFILE_ERR_DISK_FULL ? txtErrorDiskFull : txtErrorFile;
    return error == PFILE_ERR_NONE;
}

bool TXTWIN::CopyToClipboard()
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, text_.size() + 1);
    if (!memory) {
        error_ = txtErrorClipboard;
        return false;
    }
    if (char *copy = static_cast<char *>(GlobalLock(memory))) {
        std::memcpy(copy, text_.c_str(), text_.size() + 1);
        GlobalUnlock(memory);
    }
    if (!OpenClipboard(OSHandle())) {
        GlobalFree(memory);
        error_ = txtErrorClipboard;
        return false;
    }
    EmptyClipboard();
    bool copied = SetClipboardData(CF_TEXT, memory) != nullptr;
    CloseClipboard();
    if (!copied) {
        // The clipboard took no ownership: the memory is still ours.
        GlobalFree(memory);
        error_ = txtErrorClipboard;
    }
    return copied;
}

void TXTWIN::Update()
{
    WriteResult();
    // Size the window (in cells) to the longest line and the line count,
    // with a cell of margin on each side.
    std::size_t widest = 0;
    for (const auto &line : Lines())
        widest = std::max(widest, line.second);
    ZafRegionRect region = Region();
    int width = static_cast<int>(std::min<std::size_t>(widest, 4000)) + 2;
    int height = lines_ + 2;
    SetRegion(region.left, region.top, region.left + width - 1, region.top + height - 1, ZAF_CELL);
    field_->SetRegion(0, 0, width - 1, height - 1, ZAF_CELL);
}

void TXTWIN::LayoutChildren()
{
    // The text fills the window, whatever size its page gives it.
    RECT client = {};
    if (osWindow && GetClientRect(osWindow, &client) && client.right > 0 && client.bottom > 0)
        field_->SetRegion(ZafRegionRect(0, 0, client.right - 1, client.bottom - 1, ZAF_PIXEL));
    OutputWindow::LayoutChildren();
}

SIZE TXTWIN::TextExtent() const
{
    SIZE extent = {0, 0};
    HWND field = field_->OSHandle();
    if (!field)
        return extent;
    const auto lines = Lines();
    std::size_t widest = 0;
    for (const auto &line : lines)
        widest = std::max(widest, line.second);
    HDC dc = GetDC(field);
    if (!dc)
        return extent;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(field, dc);
    // The font is fixed-width: every character is one average width wide.
    const LONG margin = 2 * GetSystemMetrics(SM_CXEDGE) + 8;
    extent.cx = static_cast<LONG>(std::min<std::size_t>(widest, 4000)) * metrics.tmAveCharWidth + margin +
                GetSystemMetrics(SM_CXVSCROLL);
    extent.cy = static_cast<LONG>(std::min<std::size_t>(lines.size(), 4000)) * metrics.tmHeight + margin +
                GetSystemMetrics(SM_CYHSCROLL);
    return extent;
}

std::vector<std::pair<std::size_t, std::size_t>> TXTWIN::Lines() const
{
    std::vector<std::pair<std::size_t, std::size_t>> lines;
    std::size_t start = 0;
    while (start < text_.size()) {
        std::size_t end = text_.find("\r\n", start);
        if (end == std::string::npos)
            end = text_.size();
        lines.emplace_back(start, end - start);
        start = end + 2;
    }
    return lines;
}
