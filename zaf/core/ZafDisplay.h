// ZafDisplay: the output device seen by window objects, and the conversion
// of coordinates between the seven coordinate types (ZafRegionRect.h).
//
// The conversions need the display's cell metrics: cell width and height in
// pixels (the height is the row pitch, cell spacing included), the two
// cell-spacing values (pixels kept free above and below a row), the pixels
// per inch of each axis and the mini-cell numerator and denominator (a
// mini-cell is numerator / denominator of a cell). The screen display takes
// them from the screen; tests and printers set them with SetCellMetrics.
//
// Images: the display releases what an image description (ZafImageStruct.h)
// owns. Every release skips what the description marks static (the
// caller's) and then clears the field, so that releasing twice is harmless.
// Handles are Windows objects that outlive any device context, so the
// release is the same on every display; the operations are virtual for a
// display that keeps images of its own. The mouse cursor's pixel array is
// left to its owner (DestroyMouseArray does nothing).
//
// The windowing layer derives ZafGdiDisplay (fonts, colours, drawing) and the
// printer from this class; here is only what works without a device.
//
// Ownership: the application makes the screen display, stores it in
// zafScreenDisplay and deletes it at the end; the pointer is null before.
#pragma once

#include "zaf/core/ZafRegionRect.h"

struct ZafImageStruct;
struct ZafBitmapStruct;
struct ZafIconStruct;
struct ZafMouseStruct;

struct ZafCellMetrics
{
    // Defaults used while no screen display exists: an 8 x 16 pixel font
    // with 2 pixels of spacing above and below on a 96 pixels-per-inch
    // screen, mini-cells of a tenth of a cell.
    int cellWidth = 8;
    int cellHeight = 20;
    int preSpace = 2;
    int postSpace = 2;
    int pixelsPerInchX = 96;
    int pixelsPerInchY = 96;
    int miniNumerator = 1;
    int miniDenominator = 10;
};

class ZafDisplay
{
public:
    explicit ZafDisplay(const ZafCellMetrics &metrics = ZafCellMetrics());
    ZafDisplay(const ZafDisplay &) = delete;
    ZafDisplay &operator=(const ZafDisplay &) = delete;
    virtual ~ZafDisplay();

    // Converts a horizontal / vertical value between coordinate types with
    // one rounding, half away from zero; the result saturates at the 32-bit
    // limits. An unknown coordinate type leaves the value unchanged.
    int ConvertXValue(int value, ZafCoordinateType fromType, ZafCoordinateType toType) const;
    int ConvertYValue(int value, ZafCoordinateType fromType, ZafCoordinateType toType) const;

    // Stores the metrics, each clamped to a range that keeps the conversion
    // exact in 64 bits: cell sizes and pixels per inch 1 to 10000, spacing 0
    // to 1000, mini-cell numerator and denominator 1 to 100.
    void SetCellMetrics(const ZafCellMetrics &metrics);
    const ZafCellMetrics &CellMetrics() const { return metrics; }
    int CellWidth() const { return metrics.cellWidth; }
    int CellHeight() const { return metrics.cellHeight; }
    int PreSpace() const { return metrics.preSpace; }
    int PostSpace() const { return metrics.postSpace; }

    // Marks the colour-table entry of that index free. Indexes of 252 and
    // above (system and unset colours) are refused: false. A display
    // without a colour table frees nothing (false).
    virtual bool FreeColor(int index);
    // The output scale (device pixels = window pixels * numerator /
    // denominator) and origin (added after scaling); 1/1 and 0, 0 unless
    // the device says otherwise (a printer).
    virtual void GetScale(int &numerator, int &denominator) const;
    virtual void GetOrigin(int &x, int &y) const;

    // Deletes the bitmap and mask handles unless static; clears both.
    virtual void DestroyBitmapHandle(ZafBitmapStruct &bitmap);
    // Frees the pixel array unless static; clears the pointer (the size
    // stays).
    virtual void DestroyBitmapArray(ZafBitmapStruct &bitmap);
    // Destroys the icon handle unless static; clears it.
    virtual void DestroyIconHandle(ZafIconStruct &icon);
    virtual void DestroyIconArray(ZafIconStruct &icon);
    // Destroys the cursor handle unless static; clears it.
    virtual void DestroyMouseHandle(ZafMouseStruct &mouse);
    // Does nothing: the cursor's owner frees its pixel array.
    virtual void DestroyMouseArray(ZafMouseStruct &mouse);

    // The display that conversions go through: the screen display, or one
    // with the default metrics while the application has made none.
    static const ZafDisplay &ForConversion();
    // The display that releases images: the screen display, or a
    // device-less one of its own while the application has made none (or
    // after it is gone), so that images are released alike either way.
    static ZafDisplay &ForImages();

private:
    ZafCellMetrics metrics;
};

// The screen display; null until the application makes it.
extern ZafDisplay *zafScreenDisplay;
