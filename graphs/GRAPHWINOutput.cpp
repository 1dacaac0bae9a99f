// GRAPHWIN: the one drawing path and the outputs that use it (screen,
// clipboard, metafile file, printer, preview).

#include "graphs/GRAPHWIN.h"

#include <algorithm>
#include <numeric>

#include "dataset/FileNameDialog.h"
#include "dataset/PFILE.h"
#include "shell/QIVprog.h"
#include "shell/WorkBook.h"
#include "zaf/core/ZafErrorStub.h"
#include "dataset/ProgramSettings.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/GraphSettings.h"
#include "graphs/SKALA.h"
#include "graphs/TEKSTELEMENT.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafPrinter.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafWindowManager.h"

#include <commdlg.h>

#include <algorithm>
#include <utility>

#include <cstring>
#include <string>
#include <vector>

namespace {

// The description of the metafiles: two terminated strings, the pair closed
// by one more terminator.
const char metafileDescription[] = "mervalo\0graph\0";

char *CopyText(const char *text)
{
    char *copy = new char[std::strlen(text) + 1];
    std::strcpy(copy, text);
    return copy;
}

} // namespace

ZafEventType GRAPHWIN::Draw(const ZafEventRecord &, ZafEventType)
{
    const std::string fileName = drawMode == drawFile && metafileName ? metafileName : "";
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    // The pass lends the window's context (the paint's during a paint); in
    // mode 3 the caller's target stays the draw context.
    ZafDrawPass pass(*this);
    const ZafRegionRect area = pass.Area();
    CreateDrawObjects();
    if (view.right == 0 && view.bottom == 0)
        view = ElementRect{area.left, area.top, area.right, area.bottom, ZAF_PIXEL};
    // A graph drawn before any geometry event is built here, so
    // that a pane shown without one still shows its graph.
    if (!built && OSHandle()) {
        BuildGraph();
        built = 1;
    }
    const int width = area.right - area.left + 1, height = area.bottom - area.top + 1;
    HDC windowDC = display ? display->CurrentDC() : nullptr;
    if (OpenTarget(windowDC, width, height, fileName.c_str())) {
        HDC dc = drawDC;
        // A printer's context outlives the graph: what the graph's elements
        // change on it (alignment, colours, objects) goes back afterwards.
        const int savedState = SaveDC(dc);
        ::SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        if (drawMode == drawScreen)
            PaintBackground(width, height);
        if (GraphSettings::ShowGrid())
            DrawGrid(width, height);
        PrepareDraw();
        DrawElements();
        // The marks go on the drag rectangle, where the interaction draws
        // and removes them, and only on the screen (not into a print).
        if (selected && drawMode == drawScreen)
            DrawFocusMarks(selected->drag);
        if (savedState)
            RestoreDC(dc, savedState);
        CloseTarget(windowDC, width, height);
    }
    DeleteDrawObjects();
    if (drawMode != drawPrinter)
        SetDrawDC(nullptr);
    return 1;
}

bool GRAPHWIN::OpenTarget(HDC windowDC, int width, int height, const char *fileName)
{
    switch (drawMode) {
    case drawScreen: {
        if (!windowDC)
            return false;
        SetDrawDC(nullptr);
        memoryDC = CreateCompatibleDC(windowDC);
        memoryBitmap = CreateCompatibleBitmap(windowDC, width, height);
        memoryOld = SelectObject(memoryDC, memoryBitmap);
        SetDrawDC(memoryDC);
        return true;
    }
    case drawClipboard:
    case drawFile: {
        HDC reference = windowDC ? windowDC : GetDC(nullptr);
        // The window's pixels in hundredths of a millimetre.
        const ZafDisplay &convert = ZafDisplay::ForConversion();
        const RECT frame{0, 0, convert.ConvertXValue(width, ZAF_PIXEL, ZAF_TENTH_MILLIMETRE) * 10,
                         convert.ConvertYValue(height, ZAF_PIXEL, ZAF_TENTH_MILLIMETRE) * 10};
        // Drawn in memory; CloseTarget writes a file's bytes through the
        // program's file stream, so that a full disk is named and an old
        // file is never left half overwritten.
        HDC metafile =
            CreateEnhMetaFileA(reference, nullptr, GraphSettings::WinClip() ? nullptr : &frame, metafileDescription);
        if (!windowDC)
            ReleaseDC(nullptr, reference);
        if (!metafile)
            return false;
        SetDrawDC(metafile);
        return true;
    }
    default:
        return drawDC != nullptr;
    }
}

void GRAPHWIN::CloseTarget(HDC windowDC, int width, int height)
{
    switch (drawMode) {
    case drawScreen:
        BitBlt(windowDC, 0, 0, width, height, memoryDC, 0, 0, SRCCOPY);
        SelectObject(memoryDC, memoryOld);
        DeleteObject(memoryBitmap);
        DeleteDC(memoryDC);
        memoryDC = nullptr;
        memoryBitmap = nullptr;
        drawDC = nullptr;
        break;
    case drawClipboard:
    case drawFile: {
        HENHMETAFILE picture = CloseEnhMetaFile(drawDC);
        drawDC = nullptr;
        if (!picture)
            break;
        if (drawMode == drawFile) {
            const UINT size = GetEnhMetaFileBits(picture, 0, nullptr);
            std::vector<BYTE> bytes(size);
            metafileError = size && GetEnhMetaFileBits(picture, size, bytes.data()) == size
                                ? PFILE::SaveWhole(metafileName, {{bytes.data(), bytes.size()}})
                                : PFILE_ERR_WRITE;
            DeleteEnhMetaFile(picture);
            break;
        }
        // When the clipboard cannot be opened the picture is dropped quietly.
        if (OpenClipboard(OSHandle())) {
            EmptyClipboard();
            if (!SetClipboardData(CF_ENHMETAFILE, picture))
                DeleteEnhMetaFile(picture);
            CloseClipboard();
        } else {
            DeleteEnhMetaFile(picture);
        }
        break;
    }
    default:
        break;
    }
}

void GRAPHWIN::PaintBackground(int width, int height)
{
    if (!drawStyle)
        return;
    HDC dc = drawDC;
    HGDIOBJ oldBrush = SelectObject(dc, drawStyle->Brush());
    HPEN pen = CreatePen(PS_SOLID, 1, drawStyle->LineColour());
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Rectangle(dc, 0, 0, width, height);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
}

void GRAPHWIN::DrawGrid(int width, int height)
{
    HDC dc = drawDC;
    HPEN pen = CreatePen(PS_SOLID, 0, FrameStyle.LineColour());
    HGDIOBJ old = SelectObject(dc, pen);
    const int step = GraphSettings::GridSize();
    for (int x = 0; x < width; x += step)
        for (int y = 0; y < height; y += step) {
            MoveToEx(dc, x, y, nullptr);
            LineTo(dc, x + 1, y + 1);
        }
    SelectObject(dc, old);
    DeleteObject(pen);
}

namespace {

void CollectTexts(const GROBJ_LIST &list, std::vector<TEKSTELEMENT *> &texts)
{
    for (element *item : list) {
        if (!item->Visible())
            continue;
        if (auto *group = dynamic_cast<GROUPELEMENT *>(item))
            CollectTexts(group->Children(), texts);
        else if (auto *text = dynamic_cast<TEKSTELEMENT *>(item))
            texts.push_back(text);
    }
}

void CollectScales(const GROBJ_LIST &list, std::vector<SKALA *> &scales)
{
    for (element *item : list) {
        if (!item->Visible() || item->kind != element::kindGroup)
            continue;
        if (auto *scale = dynamic_cast<SKALA *>(item))
            scales.push_back(scale);
        if (auto *group = dynamic_cast<GROUPELEMENT *>(item))
            CollectScales(group->Children(), scales);
    }
}

} // namespace

void GRAPHWIN::FitAxisLabels()
{
    std::vector<SKALA *> scales;
    CollectScales(elements, scales);
    for (SKALA *scale : scales)
        scale->FitLabels(view);
}

void GRAPHWIN::KeepTextsInside(const std::vector<TEKSTELEMENT *> &texts)
{
    if (view.right <= view.left || view.bottom <= view.top)
        return;
    for (TEKSTELEMENT *text : texts) {
        if (text->HasFlag(element::flagDeviceText) || text->HasFlag(element::flagPlaced) || !*text->Text())
            continue;
        const POINT shift = ShiftIntoView(text->DrawnRect(), view);
        if (shift.x || shift.y)
            text->Move(shift.x, shift.y);
    }
}

void GRAPHWIN::StackTitleLines(const std::vector<TEKSTELEMENT *> &texts)
{
    if (view.right <= view.left || view.bottom <= view.top)
        return;
    // The titles and captions: texts starting in the top quarter, top down,
    // each with its drawn rectangle (measured once; again after a move).
    const int band = view.top + (view.bottom - view.top) / 4;
    std::vector<std::pair<TEKSTELEMENT *, RECT>> lines;
    for (TEKSTELEMENT *text : texts) {
        if (text->HasFlag(element::flagDeviceText) || text->HasFlag(element::flagPlaced) || !*text->Text())
            continue;
        const RECT drawn = text->DrawnRect();
        if (drawn.top < band)
            lines.emplace_back(text, drawn);
    }
    std::stable_sort(lines.begin(), lines.end(),
                     [](const auto &a, const auto &b) { return a.second.top < b.second.top; });
    // A line that started lower than a line it covers moves down below it;
    // texts that started on one line (numbers side by side) are left alone.
    std::vector<LONG> firstTops;
    for (const auto &line : lines)
        firstTops.push_back(line.second.top);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const RECT below = lines[i].second;
        int down = 0;
        for (std::size_t j = 0; j < i; ++j) {
            const RECT &above = lines[j].second;
            const int across = std::min(above.right, below.right) - std::max(above.left, below.left);
            if (across > 0 && firstTops[j] < firstTops[i] && above.bottom > below.top + down)
                down = above.bottom - below.top;
        }
        if (down > 0 && below.bottom + down <= view.bottom + 1) {
            lines[i].first->Move(0, down);
            lines[i].second = lines[i].first->DrawnRect();
        }
    }
}

void GRAPHWIN::LeaveOutCoveringTexts(const std::vector<TEKSTELEMENT *> &texts)
{
    if (view.right <= view.left || view.bottom <= view.top)
        return;
    const int room = view.right - view.left + 1;
    std::vector<RECT> kept;
    for (TEKSTELEMENT *text : texts) {
        if (text->HasFlag(element::flagDeviceText) || !*text->Text())
            continue;
        RECT r = text->DrawnRect();
        if (r.right - r.left > room) {
            text->CutToWidth(room - 2);
            const POINT shift = ShiftIntoView(text->DrawnRect(), view);
            if (shift.x || shift.y)
                text->Move(shift.x, shift.y);
            r = text->DrawnRect();
        }
        const bool free = r.left >= view.left && r.top >= view.top && r.right <= view.right + 1 &&
                          r.bottom <= view.bottom + 1 && !OverlapsAny(r, kept);
        if (free)
            kept.push_back(r);
        else
            text->SetFlag(element::flagLeftOut);
    }
}

void GRAPHWIN::DrawElements()
{
    for (element *item : elements) {
        if (!item->Visible())
            continue;
        if (item->HasFlag(element::flagStale))
            ElementToDevice(item);
    }
    FitAxisLabels();
    std::vector<TEKSTELEMENT *> texts;
    CollectTexts(elements, texts);
    for (TEKSTELEMENT *text : texts) {
        text->ClearFlag(element::flagLeftOut);
        text->RestoreWholeText();
    }
    KeepTextsInside(texts);
    StackTitleLines(texts);
    LeaveOutCoveringTexts(texts);
    for (element *item : elements) {
        if (item->Visible() && item->kind != element::kindText)
            item->Draw();
    }
    // Texts over everything else, in list order.
    for (element *item : elements)
        if (item->Visible() && item->kind == element::kindText)
            item->Draw();
}

// --- Outputs -------------------------------------------------------------------------

namespace {

// Every element of the list and, inside groups, their children, in order.
void CollectElements(const GROBJ_LIST &list, std::vector<element *> &out)
{
    for (element *item : list) {
        out.push_back(item);
        if (auto *group = item->kind == element::kindGroup ? dynamic_cast<GROUPELEMENT *>(item) : nullptr)
            CollectElements(group->Children(), out);
    }
}

int ScreenPixelsPerInch()
{
    HDC screen = GetDC(nullptr);
    const int perInch = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return std::max(perInch, 1);
}

// The head of a printed graph in the printer's pixels: 10-point lines, the
// caption on the left and "page 1 of 1" on the right, what the page shows
// under them, then a blank line.
class PrintedHead
{
public:
    PrintedHead(HDC dc, const std::string &caption, const std::string &subject)
        : dc_(dc), caption_(caption), subject_(subject)
    {
        if (!dc_ || (caption_.empty() && subject_.empty()))
            return;
        const int height = -std::max(MulDiv(10, std::max(GetDeviceCaps(dc_, LOGPIXELSY), 1), 72), 1);
        font_ = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                            CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_DONTCARE, "Arial");
        TEXTMETRICA metrics = {};
        HGDIOBJ previous = SelectObject(dc_, font_);
        if (GetTextMetricsA(dc_, &metrics))
            lineHeight_ = std::max<int>(metrics.tmHeight + metrics.tmExternalLeading, 1);
        SelectObject(dc_, previous);
    }
    ~PrintedHead()
    {
        if (font_)
            DeleteObject(font_);
    }
    PrintedHead(const PrintedHead &) = delete;
    PrintedHead &operator=(const PrintedHead &) = delete;

    int Height() const { return font_ ? lineHeight_ * (subject_.empty() ? 2 : 3) : 0; }

    void Draw(int left, int top, int right) const
    {
        if (!font_)
            return;
        const int saved = SaveDC(dc_);
        SelectObject(dc_, font_);
        SetMapMode(dc_, MM_TEXT);
        SetTextAlign(dc_, TA_LEFT | TA_TOP | TA_NOUPDATECP);
        SetBkMode(dc_, TRANSPARENT);
        SetTextColor(dc_, RGB(0, 0, 0));
        const char *number = "page 1 of 1";
        SIZE numberSize = {};
        GetTextExtentPoint32A(dc_, number, static_cast<int>(std::strlen(number)), &numberSize);
        const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_TOP | DT_END_ELLIPSIS;
        RECT line = {left, top, std::max<int>(right - numberSize.cx - lineHeight_, left), top + lineHeight_};
        std::string caption = caption_;
        DrawTextA(dc_, caption.data(), static_cast<int>(caption.size()), &line, format);
        line = RECT{left, top, right, top + lineHeight_};
        DrawTextA(dc_, number, -1, &line, format | DT_RIGHT);
        if (!subject_.empty()) {
            line = RECT{left, top + lineHeight_, right, top + 2 * lineHeight_};
            std::string subject = subject_;
            DrawTextA(dc_, subject.data(), static_cast<int>(subject.size()), &line, format);
        }
        if (saved)
            RestoreDC(dc_, saved);
    }

private:
    HDC dc_;
    std::string caption_, subject_;
    HFONT font_ = nullptr;
    int lineHeight_ = 1;
};

} // namespace

bool GRAPHWIN::PrintGraph()
{
    if (!printer || !printer->BeginDocument("Mervalo print graph"))
        return false;
    drawMode = drawPrinter;
    bool printed = false;
    if (printer->BeginPage()) {
        DrawPrintedPage(printer->DC());
        printed = printer->EndPage();
    }
    drawMode = drawScreen;
    return printer->EndDocument() && printed;
}

void GRAPHWIN::DrawForPreview()
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    drawMode = drawPrinter;
    DrawPrintedPage(display ? display->CurrentDC() : nullptr);
    drawMode = drawScreen;
}

void GRAPHWIN::DrawPrintedPage(HDC dc)
{
    // The head in the page's own pixels, then the graph placed under it.
    if (printer && dc) {
        const PrintedHead head(dc, runningHead, printedSubject);
        const int margin = std::max(GetDeviceCaps(dc, LOGPIXELSY) / 2, 0);
        head.Draw(margin, margin, std::max(printer->PageWidth() - margin, margin + 1));
    }
    SetDrawDC(dc);
    Draw(ZafEventRecord(ZAF_REDISPLAY), ZAF_REDISPLAY);
    SetDrawDC(nullptr);
}

GRAPHWIN::PrintedSize GRAPHWIN::LayOutForPage(ZafPrinter *target)
{
    PrintedSize shown;
    RECT client = {0, 0, 0, 0};
    if (!target || !target->DC() || !OSHandle() || !GetClientRect(OSHandle(), &client))
        return shown;
    shown.width = client.right - client.left;
    shown.height = client.bottom - client.top;
    HDC dc = target->DC();
    const int printerPerInch = std::max(GetDeviceCaps(dc, LOGPIXELSY), 1);
    const int screenPerInch = ScreenPixelsPerInch();
    // Half an inch free around the page, as around a printed text page; the
    // head above the graph.
    const int margin = printerPerInch / 2;
    const int headHeight = PrintedHead(dc, runningHead, printedSubject).Height();
    const long long roomX = target->PageWidth() - 2LL * margin;
    const long long roomY = target->PageHeight() - 2LL * margin - headHeight;
    if (shown.width <= 0 || shown.height <= 0 || roomX <= 0 || roomY <= 0)
        return shown;
    // The graph is built for the printable area, measured in the screen's
    // pixels: its texts take their sizes in points, and the printer's
    // placement scales screen pixels to its own, so that a point on the
    // screen is a point on paper, whatever size the window has.
    const int width = static_cast<int>(std::max(roomX * screenPerInch / printerPerInch, 1LL));
    const int height = static_cast<int>(std::max(roomY * screenPerInch / printerPerInch, 1LL));
    if (!LayoutFollowsSize()) {
        std::vector<element *> items;
        CollectElements(elements, items);
        for (element *item : items)
            shown.places.push_back({item, item->logical, item->device, item->flags});
    }
    Rescale(width, height);
    shown.rescaled = true;
    const int divisor = std::gcd(printerPerInch, screenPerInch);
    target->SetPlacement(printerPerInch / divisor, screenPerInch / divisor, margin, margin + headHeight);
    return shown;
}

void GRAPHWIN::RestoreAfterPage(const PrintedSize &shown)
{
    if (!shown.rescaled)
        return;
    Rescale(shown.width, shown.height);
    // The same elements as before the page: their places come back as they
    // were, not carried through the page's pixels and back.
    std::vector<element *> items;
    CollectElements(elements, items);
    if (shown.places.empty() || items.size() != shown.places.size())
        return;
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i] != shown.places[i].item)
            return;
    for (const PrintedSize::Places &saved : shown.places) {
        saved.item->logical = saved.logical;
        saved.item->device = saved.device;
        saved.item->flags = saved.flags;
    }
}

bool GRAPHWIN::PrintOn(ZafPrinter *target)
{
    const PrintedSize shown = LayOutForPage(target);
    ZafPrinter *previous = printer;
    printer = target;
    const bool printed = PrintGraph();
    if (target)
        target->ClearPlacement();
    printer = previous;
    RestoreAfterPage(shown);
    return printed;
}

void GRAPHWIN::PreviewOn(ZafPrinter *target)
{
    const PrintedSize shown = LayOutForPage(target);
    ZafPrinter *previous = printer;
    printer = target;
    DrawForPreview();
    if (target)
        target->ClearPlacement();
    printer = previous;
    RestoreAfterPage(shown);
}

void GRAPHWIN::SetMetafileName(const char *path)
{
    delete[] metafileName;
    metafileName = path ? CopyText(path) : nullptr;
}

bool GRAPHWIN::ExportMetafile()
{
    if (!metafileName)
        return false;
    metafileError = PFILE_ERR_WRITE;
    drawMode = drawFile;
    Draw(ZafEventRecord(saveMetafileEvent), saveMetafileEvent);
    drawMode = drawScreen;
    return metafileError == PFILE_ERR_NONE;
}

void GRAPHWIN::CopyToClipboard()
{
    drawMode = drawClipboard;
    Draw(ZafEventRecord(ZAF_COPY), ZAF_COPY);
    drawMode = drawScreen;
}

void GRAPHWIN::SaveMetafile()
{
    if (!ChooseMetafileName() || ExportMetafile())
        return;
    const std::string text = metafileError == PFILE_ERR_DISK_FULL ? WorkBook::DiskFullText(metafileName)
                                                                  : std::string(notWrittenText) + " " + metafileName;
    ZafErrorSystem errors;
    ZafWindowObject *owner = QIVprog::Instance() ? static_cast<ZafWindowObject *>(QIVprog::Instance()) : this;
    errors.ReportError(owner, "Save", MB_OK | MB_ICONEXCLAMATION, "%s", text.c_str());
}

bool GRAPHWIN::ChooseMetafileName()
{
    char file[256] = "";
    std::string directory;
    const char *previous = metafileName ? metafileName : ProgramSettings::Instance()->GetDataSetName();
    if (previous) {
        directory = previous;
        const std::size_t slash = directory.find_last_of("\\/");
        directory = slash == std::string::npos ? std::string() : directory.substr(0, slash);
    }
    if (metafileName) {
        const char *name = std::strrchr(metafileName, '\\');
        lstrcpynA(file, name ? name + 1 : metafileName, sizeof file);
    }
    HWND owner = nullptr;
    if (zafWindowManager)
        if (auto *first = dynamic_cast<ZafWindowObject *>(zafWindowManager->First()))
            owner = first->OSHandle();
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = "*.emf\0*.emf\0";
    dialog.lpstrFile = file;
    dialog.nMaxFile = sizeof file;
    dialog.lpstrInitialDir = directory.empty() ? nullptr : directory.c_str();
    dialog.lpstrDefExt = "emf";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!RunFileNameDialog(dialog, FileNameDialogKind::save))
        return false;
    SetMetafileName(file);
    return true;
}
