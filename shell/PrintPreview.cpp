#include "shell/PrintPreview.h"

#include <algorithm>
#include <cstddef>
#include <string>

#include "shell/GraphPane.h"
#include "shell/QIVprog.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafGdiDisplay.h"

// The current page played into a white sheet of the page's proportions,
// framed on a grey ground so that the user sees where the page ends: the
// whole page centred in the sheet, or the page at its printed size, centred
// where it is smaller than the sheet and scrolled where it is larger.
class PrintPreview::Sheet : public ZafWindow
{
public:
    explicit Sheet(PrintPreview &owner) : ZafWindow(0, 0, 50, 17), preview(owner)
    {
        // The sheet paints itself (Draw), not through its window class.
        SetFlagTo(flagSystemDrawn, false);
    }

    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override
    {
        ZafWindow::Draw(event, code);
        ZafGdiDisplay *display = ZafScreenGdiDisplay();
        ZafDrawPass pass(*this);
        HDC dc = display ? display->CurrentDC() : nullptr;
        if (!dc)
            return code;
        const ZafRegionRect area = pass.Area();
        const RECT all = {area.left, area.top, area.right + 1, area.bottom + 1};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
        const RECT paper = PaperRect(area);
        RECT frame = paper;
        InflateRect(&frame, 1, 1);
        FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        if (HENHMETAFILE page = preview.PageMetafile(preview.CurrentPage())) {
            if (preview.ActualSize() || !PlayReduced(dc, page, paper)) {
                // Nothing the page holds shows past the sheet.
                const int saved = SaveDC(dc);
                IntersectClipRect(dc, paper.left, paper.top, paper.right, paper.bottom);
                PlayEnhMetaFile(dc, page, &paper);
                if (saved)
                    RestoreDC(dc, saved);
            }
        }
        return code;
    }

    // The whole page made small: played at several times the sheet's size,
    // then each block of pixels averaged into one. Played straight at the
    // small size, each letter's place would be rounded to whole pixels on
    // its own and the letters of a word would stand unevenly apart.
    static bool PlayReduced(HDC dc, HENHMETAFILE page, const RECT &paper)
    {
        const int width = paper.right - paper.left, height = paper.bottom - paper.top;
        if (width <= 0 || height <= 0)
            return false;
        int factor = reductionFactor;
        while (factor > 1 && static_cast<long long>(width) * height * factor * factor > largestReductionPixels)
            --factor;
        if (factor <= 1)
            return false;
        const int bigWidth = width * factor, bigHeight = height * factor;
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = bigWidth;
        info.bmiHeader.biHeight = -bigHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void *bigBits = nullptr, *smallBits = nullptr;
        HDC bigDC = CreateCompatibleDC(dc);
        HBITMAP big = bigDC ? CreateDIBSection(bigDC, &info, DIB_RGB_COLORS, &bigBits, nullptr, 0) : nullptr;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        HDC smallDC = CreateCompatibleDC(dc);
        HBITMAP small = smallDC ? CreateDIBSection(smallDC, &info, DIB_RGB_COLORS, &smallBits, nullptr, 0) : nullptr;
        const bool made = big && small && bigBits && smallBits;
        if (made) {
            HGDIOBJ oldBig = SelectObject(bigDC, big);
            HGDIOBJ oldSmall = SelectObject(smallDC, small);
            const RECT all = {0, 0, bigWidth, bigHeight};
            FillRect(bigDC, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            PlayEnhMetaFile(bigDC, page, &all);
            GdiFlush();
            const auto *from = static_cast<const unsigned char *>(bigBits);
            auto *to = static_cast<unsigned char *>(smallBits);
            const int area = factor * factor;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    int sum[3] = {0, 0, 0};
                    for (int dy = 0; dy < factor; ++dy) {
                        const unsigned char *pixel =
                            from + (static_cast<std::size_t>(y * factor + dy) * bigWidth + x * factor) * 4;
                        for (int dx = 0; dx < factor; ++dx, pixel += 4)
                            for (int c = 0; c < 3; ++c)
                                sum[c] += pixel[c];
                    }
                    unsigned char *out = to + (static_cast<std::size_t>(y) * width + x) * 4;
                    for (int c = 0; c < 3; ++c)
                        out[c] = static_cast<unsigned char>(sum[c] / area);
                    out[3] = 0;
                }
            BitBlt(dc, paper.left, paper.top, width, height, smallDC, 0, 0, SRCCOPY);
            SelectObject(bigDC, oldBig);
            SelectObject(smallDC, oldSmall);
        }
        if (big)
            DeleteObject(big);
        if (small)
            DeleteObject(small);
        if (bigDC)
            DeleteDC(bigDC);
        if (smallDC)
            DeleteDC(smallDC);
        return made;
    }

    ZafEventType HandleOSMessage(const ZafEventRecord &event) override
    {
        const MSG &m = event.osEvent;
        if (m.hwnd == OSHandle() && (m.message == WM_HSCROLL || m.message == WM_VSCROLL)) {
            Scroll(m.message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(m.wParam));
            return 0;
        }
        if (m.hwnd == OSHandle() && m.message == WM_MOUSEWHEEL) {
            const int notches = static_cast<short>(HIWORD(m.wParam)) / WHEEL_DELTA;
            for (int i = 0; i < std::abs(notches); ++i)
                Scroll(SB_VERT, notches > 0 ? SB_LINEUP : SB_LINEDOWN);
            return 0;
        }
        return ZafWindow::HandleOSMessage(event);
    }

    // Shows the scroll bars at the printed size (each disabled where the
    // page fits across or down), hides them for the whole page, and keeps
    // the positions within the page.
    void UpdateScrollBars()
    {
        HWND window = OSHandle();
        if (!window)
            return;
        ShowScrollBar(window, SB_BOTH, preview.ActualSize());
        if (!preview.ActualSize()) {
            offset = POINT{0, 0};
            return;
        }
        RECT client;
        GetClientRect(window, &client);
        const SIZE page = preview.ActualPixels();
        SetRange(SB_HORZ, page.cx + 2 * margin, client.right, offset.x);
        SetRange(SB_VERT, page.cy + 2 * margin, client.bottom, offset.y);
        InvalidateRect(window, nullptr, FALSE);
    }

    // Back to the page's top left corner, as a new page is shown.
    void ScrollToStart()
    {
        offset = POINT{0, 0};
        UpdateScrollBars();
    }

private:
    // The page's rectangle in the sheet's client area.
    RECT PaperRect(const ZafRegionRect &area) const
    {
        const int width = std::max(area.right - area.left + 1 - 2 * margin, 1);
        const int height = std::max(area.bottom - area.top + 1 - 2 * margin, 1);
        if (preview.ActualSize()) {
            const SIZE page = preview.ActualPixels();
            const int left = area.left + margin + (page.cx < width ? (width - page.cx) / 2 : -offset.x);
            const int top = area.top + margin + (page.cy < height ? (height - page.cy) / 2 : -offset.y);
            return RECT{left, top, left + page.cx, top + page.cy};
        }
        // The largest rectangle of the page's proportions inside the area
        // less a margin of ground around it.
        int paperWidth = width;
        int paperHeight = static_cast<int>(static_cast<long long>(width) * preview.pageHeight / preview.pageWidth);
        if (paperHeight > height) {
            paperHeight = height;
            paperWidth = static_cast<int>(static_cast<long long>(height) * preview.pageWidth / preview.pageHeight);
        }
        const int left = area.left + margin + (width - paperWidth) / 2;
        const int top = area.top + margin + (height - paperHeight) / 2;
        return RECT{left, top, left + paperWidth, top + paperHeight};
    }

    // One bar over content pixels seen through view pixels; the position
    // is kept within the content.
    void SetRange(int bar, int content, int view, LONG &position)
    {
        position = std::clamp<LONG>(position, 0, std::max(content - view, 0));
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = content - 1;
        info.nPage = static_cast<UINT>(std::max(view, 0));
        info.nPos = position;
        SetScrollInfo(OSHandle(), bar, &info, TRUE);
    }

    void Scroll(int bar, int request)
    {
        SCROLLINFO info = {};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        if (!preview.ActualSize() || !GetScrollInfo(OSHandle(), bar, &info))
            return;
        const int line = ZafDisplay::ForConversion().CellHeight() * 2;
        const int last = std::max(info.nMax - static_cast<int>(info.nPage) + 1, 0);
        int position = info.nPos;
        switch (request) {
        case SB_LINEUP: position -= line; break;
        case SB_LINEDOWN: position += line; break;
        case SB_PAGEUP: position -= static_cast<int>(info.nPage); break;
        case SB_PAGEDOWN: position += static_cast<int>(info.nPage); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: position = info.nTrackPos; break;
        case SB_TOP: position = 0; break;
        case SB_BOTTOM: position = last; break;
        default: return;
        }
        position = std::clamp(position, 0, last);
        (bar == SB_HORZ ? offset.x : offset.y) = position;
        SetScrollPos(OSHandle(), bar, position, TRUE);
        InvalidateRect(OSHandle(), nullptr, FALSE);
    }

    static constexpr int margin = 4;
    static constexpr int reductionFactor = 4;
    static constexpr long long largestReductionPixels = 24LL * 1024 * 1024;
    PrintPreview &preview;
    POINT offset = {0, 0}; // of the page at its printed size, in pixels
};

namespace {

constexpr int buttonCells = 10;
constexpr const char *zoomToActualText = "100%";
constexpr const char *zoomToWholeText = "Whole page";
// The smallest main window that the preview takes its place from.
constexpr int minimumWidth = 400, minimumHeight = 300;

ZafButton *CommandButton(const char *text, ZafEventType value)
{
    auto *button = new ZafButton(0, 0, buttonCells, 1, text);
    button->SetValue(value);
    button->SetSendMessageWhenSelected(true);
    return button;
}

// Where the preview opens, in screen pixels: over the main window (the
// screen's work area without one), at least nine tenths of the work area
// high and seven tenths wide, so that a whole page shows at a size where a
// 10-point line can be read.
RECT PreviewPlace()
{
    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const int workWidth = work.right - work.left, workHeight = work.bottom - work.top;
    RECT area = work;
    InflateRect(&area, -workWidth / 20, -workHeight / 20);
    QIVprog *main = QIVprog::Instance();
    HWND mainWindow = main ? main->OSHandle() : nullptr;
    RECT owner;
    if (!mainWindow || IsIconic(mainWindow) || !GetWindowRect(mainWindow, &owner) ||
        owner.right - owner.left < minimumWidth || owner.bottom - owner.top < minimumHeight)
        return area;
    const int width = std::min(workWidth, std::max<int>(owner.right - owner.left, workWidth * 7 / 10));
    const int height = std::min(workHeight, std::max<int>(owner.bottom - owner.top, workHeight * 9 / 10));
    const int left = std::clamp<int>((owner.left + owner.right - width) / 2, work.left, work.right - width);
    const int top = std::clamp<int>((owner.top + owner.bottom - height) / 2, work.top, work.bottom - height);
    return RECT{left, top, left + width, top + height};
}

} // namespace

PrintPreview::PrintPreview(const TXTWIN &text, HDC referenceDC) : ZafDialogWindow(0, 0, 52, 21)
{
    HDC layout = referenceDC ? referenceDC : GetDC(nullptr);
    SetPageSize(layout);
    {
        QivPrinter measure(layout);
        const int count = text.PageCount(measure);
        // Each picture's frame is the whole page, so that a page plays back
        // whole and in place, however far its lines reach.
        const RECT frame = PageFrame(layout);
        for (int page = 0; page < count; ++page) {
            HDC dc = CreateEnhMetaFileA(layout, nullptr, &frame, nullptr);
            if (!dc)
                break;
            {
                QivPrinter printer(dc);
                printer.BeginDocument(text.Title());
                printer.BeginPage();
                text.DrawPage(printer, page);
                printer.EndDocument();
            }
            if (HENHMETAFILE picture = CloseEnhMetaFile(dc))
                pages.push_back(picture);
        }
    }
    if (!referenceDC)
        ReleaseDC(nullptr, layout);
    AddControls();
}

PrintPreview::PrintPreview(GraphPane &graph, HDC referenceDC) : ZafDialogWindow(0, 0, 52, 21)
{
    HDC layout = referenceDC ? referenceDC : GetDC(nullptr);
    SetPageSize(layout);
    // The whole page is the picture's frame, so the graph keeps its place on
    // the sheet (hundredths of a millimetre).
    const RECT frame = PageFrame(layout);
    if (HDC dc = CreateEnhMetaFileA(layout, nullptr, &frame, nullptr)) {
        {
            QivPrinter printer(dc);
            ZafGdiDisplay *display = ZafScreenGdiDisplay();
            HDC previous = display ? display->SetCurrentDC(dc) : nullptr;
            graph.PreviewOn(&printer);
            if (display)
                display->SetCurrentDC(previous);
        }
        if (HENHMETAFILE picture = CloseEnhMetaFile(dc))
            pages.push_back(picture);
    }
    if (!referenceDC)
        ReleaseDC(nullptr, layout);
    AddControls();
}

void PrintPreview::SetPageSize(HDC layout)
{
    QivPrinter measure(layout);
    pageWidth = std::max(measure.PageWidth(), 1);
    pageHeight = std::max(measure.PageHeight(), 1);
    // The page at its printed size on the screen, from its size in
    // millimetres and the screen's pixels per inch.
    const int widthMillimetres = std::max(GetDeviceCaps(layout, HORZSIZE), 1);
    const int heightMillimetres = std::max(GetDeviceCaps(layout, VERTSIZE), 1);
    HDC screen = GetDC(nullptr);
    actualPixels = SIZE{MulDiv(widthMillimetres, GetDeviceCaps(screen, LOGPIXELSX) * 10, 254),
                        MulDiv(heightMillimetres, GetDeviceCaps(screen, LOGPIXELSY) * 10, 254)};
    ReleaseDC(nullptr, screen);
}

RECT PrintPreview::PageFrame(HDC layout)
{
    // Hundredths of a millimetre.
    return RECT{0, 0, GetDeviceCaps(layout, HORZSIZE) * 100, GetDeviceCaps(layout, VERTSIZE) * 100};
}

void PrintPreview::AddControls()
{
    // A framed, titled, sizeable window: the user moves and sizes it and
    // sees which page it shows.
    SetSizeable(true);
    AddObject(new ZafBorder());
    title = new ZafTitle("Print preview");
    AddObject(title);
    sheet = new Sheet(*this);
    AddObject(sheet);
    previousButton = CommandButton("<<", previousPageEvent);
    nextButton = CommandButton(">>", nextPageEvent);
    zoomButton = CommandButton(zoomToActualText, zoomEvent);
    okButton = CommandButton("OK", ZAF_DIALOG_OK);
    AddObject(previousButton);
    AddObject(nextButton);
    AddObject(zoomButton);
    AddObject(okButton);
    // Return closes the preview as OK does.
    SetDefaultButton(okButton, true);
    const RECT place = PreviewPlace();
    SetRegion(ZafRegionRect(place.left, place.top, place.right - 1, place.bottom - 1, ZAF_PIXEL));
    SetPlaced(true);
    ShowPage(0);
}

void PrintPreview::LayoutChildren()
{
    ZafDialogWindow::LayoutChildren();
    if (!osWindow || !sheet)
        return;
    RECT client;
    GetClientRect(osWindow, &client);
    const ZafDisplay &display = ZafDisplay::ForConversion();
    const int gap = display.CellWidth();
    const int buttonWidth = buttonCells * display.CellWidth();
    const int bottom = static_cast<int>(client.bottom) - gap / 2 - 1;
    // The buttons along the foot, the sheet over the rest.
    const int top = bottom - ZafButton::textPushButtonHeight + 1;
    const int left[] = {gap, 2 * gap + buttonWidth, 3 * gap + 2 * buttonWidth,
                        static_cast<int>(client.right) - gap - buttonWidth};
    ZafButton *buttons[] = {previousButton, nextButton, zoomButton, okButton};
    for (int i = 0; i < 4; ++i) {
        buttons[i]->SetRegion(ZafRegionRect(left[i], top, left[i] + buttonWidth - 1, bottom, ZAF_PIXEL));
        buttons[i]->MoveOSWindow();
    }
    sheet->SetRegion(ZafRegionRect(gap, gap / 2, std::max<int>(gap, client.right - gap - 1),
                                   std::max(gap / 2, top - gap / 2 - 1), ZAF_PIXEL));
    sheet->MoveOSWindow();
    sheet->UpdateScrollBars();
}

void PrintPreview::SetActualSize(bool flag)
{
    actualSize = flag;
    if (zoomButton)
        zoomButton->SetText(actualSize ? zoomToWholeText : zoomToActualText);
    if (sheet && sheet->IsCreated()) {
        sheet->UpdateScrollBars();
        InvalidateRect(sheet->OSHandle(), nullptr, TRUE);
    }
}

PrintPreview::~PrintPreview()
{
    for (HENHMETAFILE page : pages)
        DeleteEnhMetaFile(page);
}

HENHMETAFILE PrintPreview::PageMetafile(int page) const
{
    if (page < 0 || page >= PageCount())
        return nullptr;
    return pages[page];
}

int PrintPreview::ShowPage(int page)
{
    currentPage = std::clamp(page, 0, std::max(PageCount() - 1, 0));
    if (title) {
        const std::string caption = PageCount() > 1 ? "Print preview - page " + std::to_string(currentPage + 1) +
                                                          " of " + std::to_string(PageCount())
                                                    : std::string("Print preview");
        title->SetText(caption.c_str());
    }
    if (previousButton)
        previousButton->SetDisabled(currentPage == 0);
    if (nextButton)
        nextButton->SetDisabled(currentPage + 1 >= PageCount());
    if (sheet->IsCreated()) {
        sheet->ScrollToStart();
        InvalidateRect(sheet->OSHandle(), nullptr, TRUE);
    }
    return currentPage;
}

ZafEventType PrintPreview::HandleOSMessage(const ZafEventRecord &event)
{
    const MSG &m = event.osEvent;
    if (m.message == WM_MOUSEWHEEL && sheet && sheet->IsCreated() && m.hwnd == OSHandle())
        return static_cast<ZafEventType>(SendMessageA(sheet->OSHandle(), WM_MOUSEWHEEL, m.wParam, m.lParam));
    return ZafDialogWindow::HandleOSMessage(event);
}

ZafEventType PrintPreview::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case nextPageEvent:
        ShowPage(currentPage + 1);
        return event.type;
    case previousPageEvent:
        ShowPage(currentPage - 1);
        return event.type;
    case zoomEvent:
        SetActualSize(!actualSize);
        return event.type;
    default:
        return ZafDialogWindow::Event(event);
    }
}
