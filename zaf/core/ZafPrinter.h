// ZafPrinter: a display on a printer's device context, for printing
// documents of pages. It is a ZafGdiDisplay whose drawing primitives draw on
// the printer while a page is open, and whose coordinate conversions use the
// printer's pixels per inch (LOGPIXELSX / LOGPIXELSY): its cells are the
// screen's cells scaled by the printer's pixels per inch over the screen's.
//
// Documents: BeginDocument(title) starts the job (StartDocA), BeginPage
// starts a page (StartPage) and makes the printer's context the display's
// current one, so that the primitives and callers (DC) draw on it; EndPage
// ends the page (EndPage) and gives the previous context back; EndDocument
// ends the page still open and the job (EndDoc). A call out of that order
// answers false and does nothing. When the spooler refuses a call (the
// user or the printer cancelled), the job is aborted (AbortDoc), the
// job-cancelled flag is set and the calls of that document answer false
// until the next BeginDocument. A memory or enhanced-metafile context (a
// print preview; tests, since Wine has no printer) has no spooler job: the
// document and page calls only open and close the pages on it.
//
// Page: PageWidth / PageHeight in device pixels: the device's HORZRES and
// VERTRES, or the size of the bitmap selected into a memory context.
// Fonts: the table's fonts are made for the printer, of the screen fonts'
// faces and points at the printer's LOGPIXELSY, and TextSize measures on the
// printer's context.
// Scale: GetScale answers the printer's LOGPIXELSX over the screen's
// (reduced), GetOrigin 0, 0: window pixels times the scale are printer
// pixels.
//
// Document name: SetDocumentName names the jobs that follow, whatever
// title BeginDocument is given (empty: the title). LastError is the system's
// error code of the last refused call (0 when none was refused).
// Placement: SetPlacement replaces the scale and origin above (a graph
// fitted into the page); ClearPlacement gives them back.
//
// Ownership: the context is handed in; the printer deletes it with itself
// only when it was given as owned. A document still open when the printer
// goes is aborted.
#pragma once

#include "zaf/core/ZafGdiDisplay.h"

#include <string>

class ZafPrinter : public ZafGdiDisplay
{
public:
    explicit ZafPrinter(HDC printerDC, bool owned = false);
    ~ZafPrinter() override;

    bool BeginDocument(const char *title);
    bool BeginPage();
    bool EndPage();
    bool EndDocument();

    HDC DC() const { return dc; }
    int PageWidth() const { return pageWidth; }
    int PageHeight() const { return pageHeight; }
    bool JobCancelled() const { return jobCancelled; }
    bool InDocument() const { return inDocument; }
    bool InPage() const { return inPage; }
    // True when the context belongs to a printer with a spooler job.
    bool Spooled() const { return spooled; }

    void GetScale(int &numerator, int &denominator) const override;
    void GetOrigin(int &x, int &y) const override;

    void SetDocumentName(const char *name) { documentName = name ? name : ""; }
    const std::string &DocumentName() const { return documentName; }
    unsigned long LastError() const { return lastError; }

    void SetPlacement(int numerator, int denominator, int originX, int originY);
    void ClearPlacement() { placed = false; }

private:
    void Cancel();

    HDC dc;
    bool owned;
    bool spooled;
    bool inDocument = false;
    bool inPage = false;
    bool jobCancelled = false;
    HDC previousDC = nullptr;
    int pageWidth = 0;
    int pageHeight = 0;
    int scaleNumerator = 1;
    int scaleDenominator = 1;
    std::string documentName;
    unsigned long lastError = 0;
    bool placed = false;
    int placedNumerator = 1, placedDenominator = 1, placedX = 0, placedY = 0;
};
