#include "graphs/maps/MapClasses.h"

#include <algorithm>
#include <cmath>

namespace {

// The map colour tables of the palette (MapColourTable) and their roles.
enum {
    fixedTable = 0, // background, the slide and slide2 colours
    sequentialTable = 1,
    divergingTable = 2,
    distinctTable = 3,
    outlineTable = 4 // missing value, symbol-mode regions, symbols, highlight
};
enum { slideStartEntry = 1, slideEndEntry = 2, slide2StartEntry = 3, slide2MiddleEntry = 4, slide2EndEntry = 5 };
enum { missingEntry = 0, symbolModeEntry = 1, positiveSymbolEntry = 2, negativeSymbolEntry = 3, highlightEntry = 4 };
enum { backgroundEntry = 0 };
// The diverging table's centre entry (13 / 2).
const int centreEntry = MapColourTable::count / 2;

// Grey levels given to classes whose table greys do not tell them apart:
// from light to dark.
const int lightestGrey = 235, darkestGrey = 20;

int TableOf(int scheme)
{
    switch (scheme) {
    case MapClassSettings::metric:
        return sequentialTable;
    case MapClassSettings::metric2:
        return divergingTable;
    default:
        return distinctTable;
    }
}

const MapColourEntry &Entry(int table, int index)
{
    return *MapColourTable::Entry(table, index);
}

std::uint16_t Blend(int from, int to, double fraction)
{
    // Truncated towards zero; the fraction is kept within 0..1, so the
    // result stays between the two colours.
    return static_cast<std::uint16_t>(from + fraction * (to - from));
}

double Clamp01(double f)
{
    return f < 0.0 ? 0.0 : (f > 1.0 ? 1.0 : f);
}

void SetBrush(MapColourEntry &out, const MapColourEntry &from, const MapColourEntry &to, double fraction)
{
    fraction = Clamp01(fraction);
    out.fillR = Blend(from.fillR, to.fillR, fraction);
    out.fillG = Blend(from.fillG, to.fillG, fraction);
    out.fillB = Blend(from.fillB, to.fillB, fraction);
    out.fillGrey = Blend(from.fillGrey, to.fillGrey, fraction);
}

} // namespace

namespace MapClasses {

int CheckedClassCount(int classes)
{
    return std::max(1, std::min(classes, static_cast<int>(MapClassSettings::maxClassCount)));
}

std::vector<double> EqualWidthBounds(double minimum, double maximum, int classes, int decimals)
{
    classes = CheckedClassCount(classes);
    std::vector<double> bounds(static_cast<size_t>(classes) + 1);
    const double width = (maximum - minimum + (decimals == 0 ? 1.0 : 0.0)) / classes;
    bounds[0] = minimum;
    for (int i = 1; i < classes; ++i)
        bounds[i] = bounds[i - 1] + width;
    bounds[classes] = maximum;
    return bounds;
}

std::vector<double> RegionOrderBounds(const std::vector<double> &ascending, int *classes, int decimals)
{
    const unsigned n = static_cast<unsigned>(ascending.size());
    int k = CheckedClassCount(*classes);
    if (n < static_cast<unsigned>(k))
        k = static_cast<int>(n);
    *classes = k;
    if (k == 0)
        return std::vector<double>();
    const double push = decimals >= 1 ? 2.0 * std::pow(10.0, -decimals) : 1.0;
    std::vector<double> bounds(static_cast<size_t>(k) + 1);
    bounds[0] = ascending.front();
    for (int i = 1; i < k; ++i) {
        const unsigned at = n * static_cast<unsigned>(i) / static_cast<unsigned>(k) + 1;
        bounds[i] = at < n ? ascending[at] : ascending.back();
        while (!(bounds[i] > bounds[i - 1])) {
            // Far from 0 a push may not change the value: then the next
            // representable value above the bound below is taken.
            const double raised = bounds[i] + push;
            bounds[i] = raised > bounds[i] ? raised : std::nextafter(bounds[i - 1], HUGE_VAL);
        }
    }
    bounds[k] = ascending.back();
    return bounds;
}

std::vector<double> CaseOrderBounds(const std::vector<double> &ascending, int classes)
{
    classes = CheckedClassCount(classes);
    const long n = static_cast<long>(ascending.size());
    if (n == 0)
        return std::vector<double>();
    std::vector<double> bounds(static_cast<size_t>(classes) + 1);
    const long step = n / classes;
    bounds[0] = ascending.front();
    for (int i = 0; i < classes; ++i)
        bounds[i + 1] = ascending[static_cast<size_t>(std::min(step * (i + 1), n - 1))];
    return bounds;
}

void RoundBounds(std::vector<double> &bounds)
{
    for (double &b : bounds)
        b = std::ceil(b - 0.5);
}

int ClassOf(double value, const std::vector<double> &bounds)
{
    const int classes = static_cast<int>(bounds.size()) - 1;
    for (int i = 1; i < classes; ++i)
        if (value < bounds[i])
            return i - 1;
    return classes - 1;
}

std::vector<int> ClassEntries(int scheme, int classes)
{
    classes = CheckedClassCount(classes);
    std::vector<int> entries(static_cast<size_t>(classes));
    if (scheme == MapClassSettings::metric2) {
        // Centred on the table's middle entry, spreading evenly to both ends.
        const int h = classes / 2;
        if (h == 0) {
            entries[0] = centreEntry;
            return entries;
        }
        const int d = centreEntry / h;
        if (classes % 2)
            entries[h] = centreEntry;
        for (int k = 1; k <= h; ++k) {
            entries[classes % 2 ? h + k : h + k - 1] = centreEntry + k * d;
            entries[h - k] = centreEntry - k * d;
        }
        return entries;
    }
    const int step = scheme == MapClassSettings::contrast ? 1 : MapColourTable::count / classes;
    for (int i = 0; i < classes; ++i)
        entries[i] = i * step;
    return entries;
}

std::vector<MapColourEntry> ClassColours(int scheme, int classes)
{
    const std::vector<int> entries = ClassEntries(scheme, classes);
    const int table = TableOf(scheme);
    std::vector<MapColourEntry> colours;
    for (int entry : entries)
        colours.push_back(Entry(table, entry));
    // The diverging table has one grey for all and the distinct table
    // repeats greys: in grey mode their classes could not be told apart.
    if (scheme != MapClassSettings::metric) {
        const int last = static_cast<int>(colours.size()) - 1;
        for (int i = 0; i <= last; ++i)
            colours[i].fillGrey = static_cast<std::uint16_t>(
                last ? lightestGrey - i * (lightestGrey - darkestGrey) / last : lightestGrey);
    }
    return colours;
}

MapColourEntry RampColour(int scheme, double value, double minimum, double maximum, double centre,
                          const MapColourEntry &pen)
{
    MapColourEntry out = pen;
    if (scheme == MapClassSettings::slide) {
        const double divisor = maximum - minimum;
        SetBrush(out, SlideStart(), SlideEnd(), divisor > 0.0 ? (value - minimum) / divisor : 0.0);
        return out;
    }
    // A range of one value (divisor 0) takes the middle colour.
    const double divisor = std::max(maximum - centre, centre - minimum);
    if (value < centre && divisor > 0.0)
        SetBrush(out, Slide2Middle(), Slide2Start(), (centre - value) / divisor);
    else if (value > centre && divisor > 0.0)
        SetBrush(out, Slide2Middle(), Slide2End(), (value - centre) / divisor);
    else
        SetBrush(out, Slide2Middle(), Slide2Middle(), 0.0);
    return out;
}

std::vector<double> RampSampleBounds(double minimum, double maximum, int classes, int decimals)
{
    classes = CheckedClassCount(classes);
    std::vector<double> bounds(static_cast<size_t>(classes) + 1, maximum);
    bounds[0] = minimum;
    const double step = classes > 1 ? (maximum - minimum) / (classes - 1) : 0.0;
    for (int i = 1; i < classes - 1; ++i)
        bounds[i] = bounds[i - 1] + step;
    if (decimals == 0)
        RoundBounds(bounds);
    return bounds;
}

const MapColourEntry &MissingColour()
{
    return Entry(outlineTable, missingEntry);
}
const MapColourEntry &SymbolModeColour()
{
    return Entry(outlineTable, symbolModeEntry);
}
const MapColourEntry &BackgroundColour()
{
    return Entry(fixedTable, backgroundEntry);
}
const MapColourEntry &PositiveSymbolColour()
{
    return Entry(outlineTable, positiveSymbolEntry);
}
const MapColourEntry &NegativeSymbolColour()
{
    return Entry(outlineTable, negativeSymbolEntry);
}
const MapColourEntry &HighlightColour()
{
    return Entry(outlineTable, highlightEntry);
}
const MapColourEntry &SlideStart()
{
    return Entry(fixedTable, slideStartEntry);
}
const MapColourEntry &SlideEnd()
{
    return Entry(fixedTable, slideEndEntry);
}
const MapColourEntry &Slide2Start()
{
    return Entry(fixedTable, slide2StartEntry);
}
const MapColourEntry &Slide2Middle()
{
    return Entry(fixedTable, slide2MiddleEntry);
}
const MapColourEntry &Slide2End()
{
    return Entry(fixedTable, slide2EndEntry);
}

} // namespace MapClasses
