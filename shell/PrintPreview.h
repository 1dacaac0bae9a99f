// PrintPreview: a dialog that shows a result text's printed pages one at a
// time, each drawn exactly as printing draws it (TXTWIN::DrawPage through a
// QivPrinter) into an enhanced metafile on the printer's device context, and
// a graph's one page likewise (the graph draws itself, scaled as on the
// printer, into the metafile made current on the screen display), and
// played back into a white sheet of the page's proportions. It opens over
// most of the main window and can be sized; its title says which page of how
// many it shows; its buttons page forward and back, switch between the whole
// page and the page at its printed size (scrolled where it is larger than
// the window), and close it.
//
// Ownership: the dialog owns its page metafiles and its controls; the text
// window is only read while the dialog is made. The caller runs it (Control)
// and deletes it.
#pragma once

#include "zaf/core/ZafDialogWindow.h"

#include <windows.h>

#include <vector>

class GraphPane;
class ZafButton;
class TXTWIN;

class PrintPreview : public ZafDialogWindow
{
public:
    // Events of the dialog's buttons.
    enum Event : int { nextPageEvent = 29100, previousPageEvent = 29101, zoomEvent = 29102 };

    // referenceDC: the printer's device context the pages are laid out for;
    // null lays them out for the screen.
    PrintPreview(const TXTWIN &text, HDC referenceDC);
    PrintPreview(GraphPane &graph, HDC referenceDC);
    ~PrintPreview() override;

    int PageCount() const { return static_cast<int>(pages.size()); }
    int CurrentPage() const { return currentPage; }
    // The page's picture (from 0); null out of range.
    HENHMETAFILE PageMetafile(int page) const;
    // Shows that page (kept within the pages); answers the page shown.
    int ShowPage(int page);
    // Whether the page shows at its printed size on the screen (else whole).
    bool ActualSize() const { return actualSize; }
    void SetActualSize(bool flag);
    // The page's size on the screen at its printed size, in pixels.
    SIZE ActualPixels() const { return actualPixels; }

    ZafEventType Event(const ZafEventRecord &event) override;
    // Passes the mouse wheel, which comes to the control with the focus, to
    // the sheet.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;

    // Lays the sheet over the window and the buttons along its foot.
    void LayoutChildren() override;

private:
    static RECT PageFrame(HDC layout);
    void SetPageSize(HDC layout);
    void AddControls();

    std::vector<HENHMETAFILE> pages;
    int currentPage = 0;
    int pageWidth = 1;
    int pageHeight = 1;
    SIZE actualPixels = {1, 1};
    bool actualSize = false;
    class Sheet;
    Sheet *sheet = nullptr;
    ZafWindowObject *title = nullptr;
    ZafButton *previousButton = nullptr;
    ZafButton *nextButton = nullptr;
    ZafButton *zoomButton = nullptr;
    ZafButton *okButton = nullptr;
};
