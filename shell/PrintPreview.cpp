#include "shell/PrintPreview.h"

#include <algorithm>

#include "shell/GraphPane.h"
#include "shell/QivPrinter.h"
#include "shell/TXTWIN.h"
#include "zaf/controls/ZafButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafGdiDisplay.h"

// The white sheet the current page is played into, centred in the window
// with the page's proportions.
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
        HENHMETAFILE page = preview.PageMetafile(preview.CurrentPage());
        if (!dc || !page)
            return code;
        const ZafRegionRect area = pass.Area();
        const RECT paper = PaperRect(area);
        FillRect(dc, &paper, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        PlayEnhMetaFile(dc, page, &paper);
        return code;
    }

private:
    // The largest rectangle of the page's proportions inside the area.
    RECT PaperRect(const ZafRegionRect &area) const
    {
        const int width = area.right - area.left + 1;
        const int height = area.bottom - area.top + 1;
        int paperWidth = width;
        int paperHeight = static_cast<int>(static_cast<long long>(width) * preview.pageHeight / preview.pageWidth);
        if (paperHeight > height) {
            paperHeight = height;
            paperWidth = static_cast<int>(static_cast<long long>(height) * preview.pageWidth / preview.pageHeight);
        }
        const int left = area.left + (width - paperWidth) / 2;
        const int top = area.top + (height - paperHeight) / 2;
        return RECT{left, top, left + paperWidth, top + paperHeight};
    }

    PrintPreview &preview;
};

namespace {

ZafButton *CommandButton(int left, const char *text, ZafEventType value)
{
    auto *button = new ZafButton(left, 18, 10, 1, text);
    button->SetValue(value);
    button->SetSendMessageWhenSelected(true);
    return button;
}

} // namespace

PrintPreview::PrintPreview(const TXTWIN &text, HDC referenceDC) : ZafDialogWindow(0, 0, 52, 21)
{
    HDC layout = referenceDC ? referenceDC : GetDC(nullptr);
    {
        QivPrinter measure(layout);
        pageWidth = std::max(measure.PageWidth(), 1);
        pageHeight = std::max(measure.PageHeight(), 1);
        const int count = text.PageCount(measure);
        for (int page = 0; page < count; ++page) {
            HDC dc = CreateEnhMetaFileA(layout, nullptr, nullptr, nullptr);
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
    {
        QivPrinter measure(layout);
        pageWidth = std::max(measure.PageWidth(), 1);
        pageHeight = std::max(measure.PageHeight(), 1);
    }
    // The whole page is the picture's frame, so the graph keeps its place on
    // the sheet (hundredths of a millimetre).
    const RECT frame{0, 0, GetDeviceCaps(layout, HORZSIZE) * 100, GetDeviceCaps(layout, VERTSIZE) * 100};
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

void PrintPreview::AddControls()
{
    // A framed, titled dialog: the user moves it and sees what it is.
    AddObject(new ZafBorder());
    AddObject(new ZafTitle("Print preview"));
    sheet = new Sheet(*this);
    AddObject(sheet);
    AddObject(CommandButton(1, "<<", previousPageEvent));
    AddObject(CommandButton(12, ">>", nextPageEvent));
    AddObject(CommandButton(41, "OK", ZAF_DIALOG_OK));
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
    if (sheet->IsCreated())
        InvalidateRect(sheet->OSHandle(), nullptr, TRUE);
    return currentPage;
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
    default:
        return ZafDialogWindow::Event(event);
    }
}
