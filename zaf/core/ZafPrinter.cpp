#include "zaf/core/ZafPrinter.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

namespace {

// value * numerator / denominator rounded half up, at least 1.
int ScaleMetric(int value, int numerator, int denominator)
{
    const std::int64_t scaled = (std::int64_t(value) * numerator * 2 + denominator) / (2 * std::int64_t(denominator));
    return static_cast<int>(std::clamp<std::int64_t>(scaled, 1, 10000));
}

} // namespace

ZafPrinter::ZafPrinter(HDC printerDC, bool ownsDC) : dc(printerDC), owned(ownsDC)
{
    const int technology = dc ? GetDeviceCaps(dc, TECHNOLOGY) : DT_RASDISPLAY;
    spooled = dc && GetObjectType(dc) == OBJ_DC && (technology == DT_RASPRINTER || technology == DT_PLOTTER);
    if (!dc)
        return;

    pageWidth = GetDeviceCaps(dc, HORZRES);
    pageHeight = GetDeviceCaps(dc, VERTRES);
    if (GetObjectType(dc) == OBJ_MEMDC) {
        BITMAP bitmap;
        HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
        if (selected && GetObjectA(selected, sizeof bitmap, &bitmap)) {
            pageWidth = bitmap.bmWidth;
            pageHeight = bitmap.bmHeight;
        }
    }

    // The screen's cells, scaled to the printer's pixels per inch.
    const ZafCellMetrics screen = CellMetrics();
    ZafCellMetrics m = screen;
    m.pixelsPerInchX = std::max(GetDeviceCaps(dc, LOGPIXELSX), 1);
    m.pixelsPerInchY = std::max(GetDeviceCaps(dc, LOGPIXELSY), 1);
    m.cellWidth = ScaleMetric(screen.cellWidth, m.pixelsPerInchX, screen.pixelsPerInchX);
    m.cellHeight = ScaleMetric(screen.cellHeight, m.pixelsPerInchY, screen.pixelsPerInchY);
    m.preSpace = ScaleMetric(screen.preSpace, m.pixelsPerInchY, screen.pixelsPerInchY);
    m.postSpace = ScaleMetric(screen.postSpace, m.pixelsPerInchY, screen.pixelsPerInchY);
    SetCellMetrics(m);

    // The table holds the screen's stock fonts, sized in screen pixels: on a
    // 600 dpi printer they would print at a sixth of their size. Make fonts
    // of the same points for the printer, and measure text on its context.
    ScaleFonts(screen.pixelsPerInchY, m.pixelsPerInchY);
    measureDC = dc;

    const int divisor = std::gcd(m.pixelsPerInchX, screen.pixelsPerInchX);
    scaleNumerator = m.pixelsPerInchX / divisor;
    scaleDenominator = screen.pixelsPerInchX / divisor;
}

ZafPrinter::~ZafPrinter()
{
    if (inPage)
        SetCurrentDC(previousDC);
    if (inDocument && spooled)
        AbortDoc(dc);
    if (owned && dc)
        DeleteDC(dc);
}

void ZafPrinter::Cancel()
{
    lastError = GetLastError();
    if (inPage)
        SetCurrentDC(previousDC);
    if (spooled)
        AbortDoc(dc);
    inPage = false;
    inDocument = false;
    jobCancelled = true;
}

bool ZafPrinter::BeginDocument(const char *title)
{
    if (!dc || inDocument)
        return false;
    jobCancelled = false;
    lastError = 0;
    if (spooled) {
        DOCINFOA info = {};
        info.cbSize = sizeof info;
        info.lpszDocName = !documentName.empty() ? documentName.c_str() : title ? title : "";
        if (StartDocA(dc, &info) <= 0) {
            lastError = GetLastError();
            jobCancelled = true;
            return false;
        }
    }
    inDocument = true;
    return true;
}

bool ZafPrinter::BeginPage()
{
    if (!inDocument || inPage)
        return false;
    if (spooled && StartPage(dc) <= 0) {
        Cancel();
        return false;
    }
    inPage = true;
    previousDC = SetCurrentDC(dc);
    return true;
}

bool ZafPrinter::EndPage()
{
    if (!inPage)
        return false;
    SetCurrentDC(previousDC);
    inPage = false;
    if (spooled && ::EndPage(dc) <= 0) {
        Cancel();
        return false;
    }
    return true;
}

bool ZafPrinter::EndDocument()
{
    if (inPage && !EndPage())
        return false;
    if (!inDocument)
        return false;
    inDocument = false;
    if (spooled && EndDoc(dc) <= 0) {
        lastError = GetLastError();
        jobCancelled = true;
        return false;
    }
    return true;
}

void ZafPrinter::GetScale(int &numerator, int &denominator) const
{
    numerator = placed ? placedNumerator : scaleNumerator;
    denominator = placed ? placedDenominator : scaleDenominator;
}

void ZafPrinter::GetOrigin(int &x, int &y) const
{
    x = placed ? placedX : 0;
    y = placed ? placedY : 0;
}

void ZafPrinter::SetPlacement(int numerator, int denominator, int originX, int originY)
{
    if (numerator <= 0 || denominator <= 0)
        return;
    placed = true;
    placedNumerator = numerator;
    placedDenominator = denominator;
    placedX = originX;
    placedY = originY;
}
