#include "zaf/core/ZafDisplay.h"

#include "zaf/core/ZafImageStruct.h"

#include <algorithm>
#include <climits>
#include <cstdint>

ZafDisplay *zafScreenDisplay = nullptr;

namespace {

// Pixels per unit of a coordinate type as the fraction pixels / units.
struct Scale
{
    std::int64_t pixels;
    std::int64_t units;
};

bool ScaleOf(ZafCoordinateType type, int cellSize, int pixelsPerInch, const ZafCellMetrics &m, Scale &scale)
{
    switch (type) {
    case ZAF_CELL:
        scale = {cellSize, 1};
        return true;
    case ZAF_MINI_CELL:
        scale = {std::int64_t(cellSize) * m.miniNumerator, m.miniDenominator};
        return true;
    case ZAF_PIXEL:
        scale = {1, 1};
        return true;
    case ZAF_POINT:
        scale = {pixelsPerInch, 72};
        return true;
    case ZAF_TWIP:
        scale = {pixelsPerInch, 1440};
        return true;
    case ZAF_THOUSANDTH_INCH:
        scale = {pixelsPerInch, 1000};
        return true;
    case ZAF_TENTH_MILLIMETRE:
        scale = {pixelsPerInch, 254};
        return true;
    default:
        return false;
    }
}

std::int64_t Gcd(std::int64_t a, std::int64_t b)
{
    while (b) {
        std::int64_t t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// value * numerator / denominator, rounded half away from zero, saturated.
// The metric limits keep |value * numerator| below 2^62.
int ScaleValue(int value, std::int64_t numerator, std::int64_t denominator)
{
    std::int64_t g = Gcd(numerator, denominator);
    numerator /= g;
    denominator /= g;
    std::int64_t n = std::int64_t(value) * numerator;
    std::int64_t q = n >= 0 ? (n + denominator / 2) / denominator : -((-n + denominator / 2) / denominator);
    return int(std::clamp<std::int64_t>(q, INT_MIN, INT_MAX));
}

int Convert(int value, ZafCoordinateType from, ZafCoordinateType to, int cellSize, int pixelsPerInch,
            const ZafCellMetrics &m)
{
    Scale a, b;
    if (from == to || !ScaleOf(from, cellSize, pixelsPerInch, m, a) || !ScaleOf(to, cellSize, pixelsPerInch, m, b))
        return value;
    return ScaleValue(value, a.pixels * b.units, a.units * b.pixels);
}

void FreeArray(ZafImageStruct &image)
{
    if (!image.staticArray)
        delete[] image.array;
    image.array = nullptr;
}

} // namespace

ZafDisplay::ZafDisplay(const ZafCellMetrics &m)
{
    SetCellMetrics(m);
}

ZafDisplay::~ZafDisplay() = default;

void ZafDisplay::SetCellMetrics(const ZafCellMetrics &m)
{
    metrics.cellWidth = std::clamp(m.cellWidth, 1, 10000);
    metrics.cellHeight = std::clamp(m.cellHeight, 1, 10000);
    metrics.preSpace = std::clamp(m.preSpace, 0, 1000);
    metrics.postSpace = std::clamp(m.postSpace, 0, 1000);
    metrics.pixelsPerInchX = std::clamp(m.pixelsPerInchX, 1, 10000);
    metrics.pixelsPerInchY = std::clamp(m.pixelsPerInchY, 1, 10000);
    metrics.miniNumerator = std::clamp(m.miniNumerator, 1, 100);
    metrics.miniDenominator = std::clamp(m.miniDenominator, 1, 100);
}

int ZafDisplay::ConvertXValue(int value, ZafCoordinateType fromType, ZafCoordinateType toType) const
{
    return Convert(value, fromType, toType, metrics.cellWidth, metrics.pixelsPerInchX, metrics);
}

int ZafDisplay::ConvertYValue(int value, ZafCoordinateType fromType, ZafCoordinateType toType) const
{
    return Convert(value, fromType, toType, metrics.cellHeight, metrics.pixelsPerInchY, metrics);
}

bool ZafDisplay::FreeColor(int)
{
    return false;
}

void ZafDisplay::GetScale(int &numerator, int &denominator) const
{
    numerator = 1;
    denominator = 1;
}

void ZafDisplay::GetOrigin(int &x, int &y) const
{
    x = 0;
    y = 0;
}

void ZafDisplay::DestroyBitmapHandle(ZafBitmapStruct &bitmap)
{
    if (!bitmap.staticHandle) {
        if (bitmap.bitmapHandle)
            DeleteObject(bitmap.bitmapHandle);
        if (bitmap.maskHandle)
            DeleteObject(bitmap.maskHandle);
    }
    bitmap.bitmapHandle = nullptr;
    bitmap.maskHandle = nullptr;
}

void ZafDisplay::DestroyBitmapArray(ZafBitmapStruct &bitmap)
{
    FreeArray(bitmap);
}

void ZafDisplay::DestroyIconHandle(ZafIconStruct &icon)
{
    if (!icon.staticHandle && icon.iconHandle)
        DestroyIcon(icon.iconHandle);
    icon.iconHandle = nullptr;
}

void ZafDisplay::DestroyIconArray(ZafIconStruct &icon)
{
    FreeArray(icon);
}

// Clearing the handle as well keeps a second release from destroying a
// cursor twice.
void ZafDisplay::DestroyMouseHandle(ZafMouseStruct &mouse)
{
    if (!mouse.staticHandle && mouse.cursorHandle)
        DestroyCursor(mouse.cursorHandle);
    mouse.cursorHandle = nullptr;
}

void ZafDisplay::DestroyMouseArray(ZafMouseStruct &)
{}

const ZafDisplay &ZafDisplay::ForConversion()
{
    static const ZafDisplay defaultDisplay;
    return zafScreenDisplay ? *zafScreenDisplay : defaultDisplay;
}

ZafDisplay &ZafDisplay::ForImages()
{
    // Its own stand-in: nothing a caller does through it reaches the
    // conversions' default metrics.
    static ZafDisplay imageDisplay;
    return zafScreenDisplay ? *zafScreenDisplay : imageDisplay;
}
