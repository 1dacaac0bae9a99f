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

void TXTWIN::WriteReal(double value)
{
    char digits[352]; // the widest double with 15 decimals fits
    // A figure that cannot be represented shows the not-computed mark,
    // never "inf" or "nan".
    if (!std::isfinite(value)) {
        WriteString("---");
        return;
    }
    std::snprintf(digits, sizeof digits, "%.*f", decimals_, value);
    WriteString(digits);
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

namespace {

constexpr int largestTextTenths = QivPrinter::textPoints * 10;
constexpr int smallestTextTenths = 60;

bool IsRule(const std::string &line)
{
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos || line.size() - first < 3)
        return false;
    return line.find_first_not_of("-= ", first) == std::string::npos;
}

bool IsBlank(const std::string &line)
{
    return line.find_first_not_of(' ') == std::string::npos;
}

// A number, a percentage or a dash standing for one.
bool IsFigure(const std::string &token)
{
    return token.find_first_not_of("0123456789.,-+%()*") == std::string::npos;
}

// The line right above a table's top rule holds its column headings: it
// leaves the row-label column empty (beyond the line's first blank), or
// names its columns without any figure. A totals line ("Total  15  22")
// above a closing rule has both a label and figures.
bool IsColumnHeading(const std::string &line)
{
    if (IsBlank(line) || IsRule(line))
        return false;
    if (line.compare(0, 4, "    ") == 0)
        return true;
    std::size_t at = 0;
    while ((at = line.find_first_not_of(' ', at)) != std::string::npos) {
        const std::size_t stop = std::min(line.find(' ', at), line.size());
        if (IsFigure(line.substr(at, stop - at)))
            return false;
        at = stop;
    }
    return true;
}

} // namespace

TXTWIN::PrintLayout TXTWIN::LayOutForPrinter(QivPrinter &printer) const
{
    PrintLayout layout;
    const int margin = printer.Margin();
    const int roomX = std::max(printer.PageWidth() - 2 * margin, 1);
    for (const auto &line : Lines())
        layout.lines.push_back(text_.substr(line.first, line.second));
    while (!layout.lines.empty() && IsBlank(layout.lines.back()))
        layout.lines.pop_back();

    // The font: the regular size, or smaller until the widest line fits
    // across the page, but never below a readable size.
    std::size_t widest = 1;
    for (const std::string &line : layout.lines)
        widest = std::max(widest, line.size());
    printer.SetTextSize(largestTextTenths);
    int tenths = largestTextTenths;
    if (static_cast<long long>(widest) * printer.CharWidth() > roomX) {
        tenths = static_cast<int>(static_cast<long long>(largestTextTenths) * roomX /
                                  (static_cast<long long>(widest) * printer.CharWidth()));
        tenths = std::clamp(tenths, smallestTextTenths, largestTextTenths);
        printer.SetTextSize(tenths);
        while (tenths > smallestTextTenths && static_cast<long long>(widest) * printer.CharWidth() > roomX)
            printer.SetTextSize(tenths = std::max(tenths - 2, smallestTextTenths));
    }
    layout.textTenths = tenths;
    layout.columns = std::max(roomX / std::max(printer.CharWidth(), 1), 8);

    // Lines still too wide go on over further lines, indented as far as
    // their first column begins: nothing is cut at the paper's edge.
    std::vector<std::string> wrapped;
    std::vector<int> origin; // the written line each printed line comes from
    for (std::size_t i = 0; i < layout.lines.size(); ++i) {
        const std::string &line = layout.lines[i];
        if (static_cast<int>(line.size()) <= layout.columns) {
            wrapped.push_back(line);
            origin.push_back(static_cast<int>(i));
            continue;
        }
        wrapped.push_back(line.substr(0, layout.columns));
        origin.push_back(static_cast<int>(i));
        const int indent = std::min<int>(4, layout.columns / 4);
        for (std::size_t at = layout.columns; at < line.size(); at += layout.columns - indent) {
            wrapped.push_back(std::string(indent, ' ') + line.substr(at, layout.columns - indent));
            origin.push_back(static_cast<int>(i));
        }
    }
    layout.lines = std::move(wrapped);
    const int count = static_cast<int>(layout.lines.size());

    // The tables: each starts with its caption lines and column headings
    // down to the rule under them, and runs to the next table or the end.
    // The first lines the writer marks as headings make one table of the
    // whole text.
    std::vector<int> headingEnd(count, -1); // at a table's first line: its last heading line
    if (repeatedHeadingLines_ > 0 && count > repeatedHeadingLines_) {
        headingEnd[0] = repeatedHeadingLines_ - 1;
    } else {
        for (int r = 1; r < count; ++r) {
            if (!IsRule(layout.lines[r]) || !IsColumnHeading(layout.lines[r - 1]) || origin[r] == origin[r - 1])
                continue;
            int first = r - 1;
            while (first > 0 && r - first < 4 && !IsBlank(layout.lines[first - 1]) &&
                   !IsRule(layout.lines[first - 1]))
                --first;
            headingEnd[first] = r;
        }
    }

    const int perPage = std::max(LinesPerPage(printer) - runningHeadLines, 1);
    std::vector<int> page;
    int headingFirst = -1, headingLast = -1;
    auto newPage = [&]() {
        if (!page.empty())
            layout.pages.push_back(page);
        page.clear();
    };
    for (int i = 0; i < count; ++i) {
        if (headingEnd[i] >= 0) {
            int tableEnd = i + 1;
            while (tableEnd < count && headingEnd[tableEnd] < 0)
                ++tableEnd;
            const int tableLines = tableEnd - i;
            const int headingLines = headingEnd[i] - i + 1;
            const int left = perPage - static_cast<int>(page.size());
            // A table that fits on a page starts on a new one rather than
            // be split; any table starts on a new page rather than leave
            // its headings without a row under them.
            if (!page.empty() && ((tableLines > left && tableLines <= perPage) || headingLines + 1 > left))
                newPage();
            headingFirst = i;
            headingLast = headingEnd[i];
        }
        if (static_cast<int>(page.size()) >= perPage) {
            newPage();
            // A table that runs over repeats its headings first.
            const int headingLines = headingLast - headingFirst + 1;
            if (headingFirst >= 0 && i > headingLast && headingLines < perPage / 2)
                for (int h = headingFirst; h <= headingLast; ++h)
                    page.push_back(h);
        }
        // A page does not begin with blank lines.
        if (page.empty() && IsBlank(layout.lines[i]))
            continue;
        page.push_back(i);
    }
    newPage();
    if (layout.pages.empty())
        layout.pages.emplace_back();
    return layout;
}

int TXTWIN::PrintMargin(QivPrinter &printer)
{
    return printer.Margin();
}

int TXTWIN::LinesPerPage(QivPrinter &printer)
{
    // A page always takes at least one line, however small the paper.
    const int room = printer.PageHeight() - 2 * PrintMargin(printer);
    return std::max(room / std::max(printer.LineHeight(), 1), 1);
}

int TXTWIN::PageCount(QivPrinter &printer) const
{
    return static_cast<int>(LayOutForPrinter(printer).pages.size());
}

void TXTWIN::DrawPage(QivPrinter &printer, int page) const
{
    DrawPage(printer, LayOutForPrinter(printer), page);
}

void TXTWIN::DrawPage(QivPrinter &printer, const PrintLayout &layout, int page) const
{
    const int pages = static_cast<int>(layout.pages.size());
    if (page < 0 || page >= pages)
        return;
    const int margin = PrintMargin(printer);
    const int right = margin + layout.columns * printer.CharWidth();
    // The running head: the caption on the left, the page's number on the
    // right, a blank line under them.
    const std::string number = "page " + std::to_string(page + 1) + " of " + std::to_string(pages);
    std::string head = runningHead_.empty() ? title_ : runningHead_;
    const int headRoom = std::max(layout.columns - static_cast<int>(number.size()) - 2, 0);
    if (static_cast<int>(head.size()) > headRoom)
        head.resize(headRoom);
    printer.DrawTextLine(margin, margin, right, head.c_str());
    int top = printer.DrawTextLine(margin, margin, right, number.c_str(), -1, ZAF_HZ_RIGHT);
    top += printer.LineHeight() * (runningHeadLines - 1);
    for (int index : layout.pages[page])
        top = printer.DrawTextLine(margin, top, right, layout.lines[index].c_str());
}

int TXTWIN::Print(QivPrinter &printer)
{
    if (!printer.BeginDocument(title_.c_str()))
        return 0;
    // One layout for every page: it wraps the text and sets the printer's
    // font once.
    const PrintLayout layout = LayOutForPrinter(printer);
    const int pages = static_cast<int>(layout.pages.size());
    for (int page = 0; page < pages; ++page) {
        if (!printer.BeginPage())
            return 0;
        DrawPage(printer, layout, page);
        if (!printer.EndPage())
            return 0;
    }
    if (!printer.EndDocument() || printer.JobCancelled())
        return 0;
    return pages;
}
