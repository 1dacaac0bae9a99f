#include "graphs/maps/MapKey.h"

#include "dataset/ProgramSettings.h"
#include "graphs/GraphSettings.h"
#include "graphs/maps/MapGraphWindow.h"
#include "stats/StatClass.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int padding = 4;
constexpr int missingTextNumber = 11, mapTextGroup = 22;

bool NoPlace(const ElementRect &r)
{
    return r.left == -1 && r.top == -1;
}

bool Overlaps(const ElementRect &a, const ElementRect &b)
{
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Halves up, as the class texts compare whole numbers.
long long RoundHalfUp(double v)
{
    return static_cast<long long>(std::floor(v + 0.5));
}

} // namespace

MapKey::MapKey(MapGraphWindow *graph) : element(kindMapLegend), graph(graph)
{
    SetName("legend");
    for (ElementRect &r : saved)
        r = ElementRect{-1, -1, -3, -3, 0};
    for (int &points : savedPoints)
        points = largestPoints;
    live = ProgramSettings::Instance()->AnimateMaps() != 0;
}

MapKey::~MapKey()
{
    if (font)
        DeleteObject(font);
}

MapKey::Form MapKey::CurrentForm() const
{
    const int mode = graph ? graph->DisplayMode() : MapClassSettings::choropleth;
    if (mode == MapClassSettings::bars)
        return barForm;
    if (mode == MapClassSettings::circles)
        return circleForm;
    const int scheme = graph && graph->Graph() ? graph->Graph()->GetSettings().colourScheme : 0;
    return scheme == MapClassSettings::slide || scheme == MapClassSettings::slide2 ? rampForm : classForm;
}

void MapKey::Changed()
{
    if (lastForm >= 0)
        saved[lastForm] = device;
    if (graph)
        graph->LegendResized();
}

void MapKey::ForgetPlaces()
{
    for (ElementRect &r : saved)
        r = ElementRect{-1, -1, -3, -3, 0};
    lastForm = -1;
}

int MapKey::MarkRow() const
{
    const MapGraph *map = graph ? graph->Graph() : nullptr;
    if (!map || CurrentForm() != rampForm || map->GetSettings().colourScheme != MapClassSettings::slide2 ||
        !(map->maximum > map->minimum))
        return -1;
    const double centre = map->centreValue == MapRegion::missing ? map->middle : map->centreValue;
    const int rows = device.bottom - device.top + 1;
    return device.top + static_cast<int>((centre - map->minimum) / (map->maximum - map->minimum) * rows);
}

int MapKey::Decimals() const
{
    const MapGraph *map = graph ? graph->Graph() : nullptr;
    return map ? std::max(0, std::min(map->GetSettings().decimals, mostDecimals)) : 2;
}

std::string MapKey::ValueText(double value) const
{
    return ValueText(value, Decimals());
}

std::string MapKey::ValueText(double value, int decimals)
{
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

int MapKey::ClassDecimals() const
{
    const MapGraph *map = graph ? graph->Graph() : nullptr;
    const int decimals = Decimals();
    if (!map)
        return decimals;
    const std::vector<double> &bounds = map->GetSettings().bounds;
    const int classes = map->classCount;
    if (classes < 2 || bounds.size() < static_cast<size_t>(classes) + 1)
        return decimals;
    // Each class's printed upper end below the next class's printed lower
    // limit, and the lower limits apart: a limit typed with more decimals
    // than the values have gets as many as it needs.
    auto apart = [&](int d) {
        const double step = std::pow(10.0, -d);
        for (int i = 0; i + 1 < classes; ++i) {
            const double lower = std::strtod(ValueText(bounds[i], d).c_str(), nullptr);
            const double upper = std::strtod(ValueText(bounds[i + 1] - step, d).c_str(), nullptr);
            const double next = std::strtod(ValueText(bounds[i + 1], d).c_str(), nullptr);
            if (!(lower < next) || (upper > lower && !(upper < next)))
                return false;
        }
        return true;
    };
    for (int d = decimals; d <= mostDecimals; ++d)
        if (apart(d))
            return d;
    return decimals;
}

std::string MapKey::ClassText(int i) const
{
    const MapGraph *map = graph ? graph->Graph() : nullptr;
    if (!map)
        return std::string();
    const std::vector<double> &bounds = map->GetSettings().bounds;
    const int classes = map->classCount;
    if (i < 0 || i >= classes || bounds.size() < static_cast<size_t>(classes) + 1)
        return std::string();
    const int decimals = ClassDecimals();
    const double lower = bounds[i];
    const double upper = i < classes - 1 ? bounds[i + 1] - std::pow(10.0, -decimals) : bounds[classes];
    if (upper > lower) {
        // The compact form names each class by its lower limit alone: the
        // next line's limit ends it.
        if (compact || (decimals == 0 && RoundHalfUp(lower) == RoundHalfUp(upper)))
            return ValueText(lower, decimals);
        return ValueText(lower, decimals) + " - " + ValueText(upper, decimals);
    }
    for (const CategoryLabel &label : map->regions.labels)
        if (label.value == lower)
            return label.text;
    return ValueText(lower, decimals);
}

int MapKey::LineGap() const
{
    return compact ? 1 : 6;
}

int MapKey::ClassBoxWidth() const
{
    return compact ? boxWidth * 3 / 5 : boxWidth;
}

int MapKey::Lines() const
{
    const MapGraph *map = graph ? graph->Graph() : nullptr;
    return (map ? map->classCount : 0) + (missingLine ? 1 : 0);
}

int MapKey::PanePoints() const
{
    if (!graph)
        return largestPoints;
    const ElementRect &pane = graph->View();
    const double share = std::min((pane.right - pane.left + 1) / 560.0, (pane.bottom - pane.top + 1) / 400.0);
    if (!(share > 0.0))
        return largestPoints;
    return std::max(smallestPoints, std::min(largestPoints, static_cast<int>(std::lround(largestPoints * share))));
}

int MapKey::LineHeight() const
{
    const int lines = std::max(1, Lines());
    // Too many lines for the height: each still gets one pixel.
    const int gap = LineGap();
    return std::max(1, (device.Height() - gap * lines + gap) / lines);
}

void MapKey::MakeFont(HDC dc)
{
    if (font)
        DeleteObject(font);
    const int height = -MulDiv(fontPoints, GetDeviceCaps(dc, LOGPIXELSY), 72);
    font = CreateFontA(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
}

void MapKey::UseFont(HDC dc, int points)
{
    HFONT before = font;
    font = nullptr;
    fontPoints = points;
    MakeFont(dc);
    SelectObject(dc, font);
    if (before)
        DeleteObject(before);
    SIZE mg = {0, 0};
    GetTextExtentPoint32A(dc, "Mg", 2, &mg);
    int numerator = 1, denominator = 1, x = 0, y = 0;
    if (owner)
        owner->OutputScale(numerator, denominator, x, y);
    textHeight = std::max(1, static_cast<int>(static_cast<long long>(mg.cy) * denominator / numerator));
}

SIZE MapKey::ClassFormSize(HDC dc, int mapHeight) const
{
    const MapGraph *map = graph->Graph();
    const int lines = std::max(1, Lines());
    int height = mapHeight / 4;
    if (height / lines > mapHeight / 10)
        height = mapHeight / 10 * lines;
    int column = minimumTextWidth;
    if (dc) {
        if (missingLine)
            column = std::max(column, TextWidth(dc, StatText(missingTextNumber, mapTextGroup)));
        for (int i = 0; i < map->classCount; ++i)
            column = std::max(column, TextWidth(dc, ClassText(i)));
    }
    // Room for one text line per class, and not much more than that: in a
    // small pane a quarter of the map would make lines far taller than
    // their texts.
    const int needed = lines * (textHeight + LineGap());
    height = std::max(needed, std::min(height, needed * 3 / 2));
    return SIZE{padding + ClassBoxWidth() + padding + column + padding, height};
}

int MapKey::TextWidth(HDC dc, const std::string &text) const
{
    SIZE size = {0, 0};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    int numerator = 1, denominator = 1, x = 0, y = 0;
    if (owner)
        owner->OutputScale(numerator, denominator, x, y);
    return static_cast<int>(static_cast<long long>(size.cx) * denominator / numerator);
}

RECT MapKey::Device(int left, int top, int right, int bottom) const
{
    const POINT a = Scaled(left, top), b = Scaled(right, bottom);
    return RECT{a.x, a.y, b.x, b.y};
}

void MapKey::DefaultSize(Form form)
{
    const MapGraph *map = graph->Graph();
    HDC dc = owner ? owner->GetDrawDC() : nullptr;
    const ElementRect box = graph->MapRectangle();
    const int mapHeight = box.bottom - box.top;
    int width = 0, height = 0;
    if (form != classForm && dc)
        UseFont(dc, PanePoints());
    if (form == barForm || form == circleForm) {
        height = form == barForm ? static_cast<int>(graph->DrawnBarLength())
                                 : 2 * static_cast<int>(graph->DrawnCircleRadius());
        const int textLeft = form == barForm ? symbolTextOffset : std::max(symbolTextOffset, height + padding);
        width = textLeft + (dc ? TextWidth(dc, ValueText(map->maximum)) : 40) + padding;
    } else if (form == classForm) {
        // The largest font the pane allows, smaller while the legend would
        // cover more than a quarter of the map; then no missing values'
        // line when no region lacks a value. Measured in the full form: a
        // compact form chosen in a smaller pane says nothing of this one.
        const long long quarter = static_cast<long long>(box.right - box.left + 1) * (mapHeight + 1) / 4;
        auto covers = [&](const SIZE &size) { return static_cast<long long>(size.cx) * size.cy > quarter; };
        compact = false;
        missingLine = true;
        labelStep = 1;
        SIZE size = ClassFormSize(dc, mapHeight);
        if (dc) {
            for (int points = PanePoints(); points >= smallestPoints; --points) {
                UseFont(dc, points);
                size = ClassFormSize(dc, mapHeight);
                if (!covers(size))
                    break;
            }
        }
        // Still too large at the smallest font: lines closer together,
        // narrower boxes and each class by its lower limit, then no line
        // for the missing values when no region lacks a value.
        if (covers(size)) {
            compact = true;
            size = ClassFormSize(dc, mapHeight);
        }
        if (covers(size) && map->regions.ValuedCount() == map->regions.Count()) {
            missingLine = false;
            size = ClassFormSize(dc, mapHeight);
        }
        // Still too large: the boxes as low as a quarter of the map leaves
        // them, and a limit written beside every so many of them, as on an
        // axis.
        if (covers(size) && size.cx > 0) {
            const int lines = std::max(1, Lines()), gap = LineGap();
            const int height = std::max(lines * (1 + gap) - gap, static_cast<int>(quarter / size.cx));
            const int line = std::max(1, (height + gap) / lines - gap);
            labelStep = std::max(1, (textHeight + gap + line + gap - 1) / (line + gap));
            size.cy = lines * (line + gap) - gap;
        }
        width = size.cx;
        height = size.cy;
    } else {
        height = mapHeight / 4;
        // The three texts the ramp shows: the middle one is the centre value
        // with the centred scheme.
        const bool centred = map->GetSettings().colourScheme == MapClassSettings::slide2;
        const double centre = map->centreValue == MapRegion::missing ? map->middle : map->centreValue;
        int widest = 0;
        if (dc)
            for (double v : {map->minimum, centred ? centre : map->middle, map->maximum})
                if (v != MapRegion::missing && v != -MapRegion::missing)
                    widest = std::max(widest, TextWidth(dc, ValueText(v)));
        width = symbolTextOffset + widest;
    }
    if (form == rampForm)
        height = std::max(height, 3 * textHeight);
    device = ElementRect{box.right - height, box.bottom - height, box.right - height + width - 1, box.bottom - 1, 0};
    sizeDefaulted = true;
}

bool MapKey::CoversRegion(const ElementRect &rect) const
{
    for (const auto &entry : graph->Graph()->regions) {
        const MapRegion &r = entry.second;
        if (!r.HasPolygon())
            continue;
        const ElementRect box{graph->PixelX(r.minX), graph->PixelY(r.minY), graph->PixelX(r.maxX),
                              graph->PixelY(r.maxY), 0};
        if (Overlaps(rect, box))
            return true;
    }
    return false;
}

void MapKey::Place()
{
    const ElementRect map = graph->MapRectangle();
    const int w = device.Width(), h = device.Height();
    const POINT corners[] = {{map.right - w + 1, map.bottom - h + 1},
                             {map.right - w + 1, map.top},
                             {map.left, map.bottom - h + 1},
                             {map.left, map.top}};
    for (const POINT &p : corners) {
        const ElementRect tried{p.x, p.y, p.x + w - 1, p.y + h - 1, 0};
        if (!CoversRegion(tried)) {
            device = tried;
            return;
        }
    }
    // Walks right from the bottom-right corner; past the map's right edge
    // no region is left to cover, so the walk ends there at the latest.
    ElementRect tried{corners[0].x, corners[0].y, corners[0].x + w - 1, corners[0].y + h - 1, 0};
    while (CoversRegion(tried) && tried.left <= map.right) {
        tried.left += placementStep;
        tried.right += placementStep;
    }
    // Never past the pane's right or bottom edge: a pane too narrow for a
    // free place shows the legend over the map rather than cut off.
    const ElementRect &pane = graph->View();
    const int dx = std::max(0, tried.right - pane.right), dy = std::max(0, tried.bottom - pane.bottom);
    const int left = std::max(pane.left, tried.left - dx), top = std::max(pane.top, tried.top - dy);
    device = ElementRect{left, top, left + w - 1, top + h - 1, 0};
}

void MapKey::Arrange()
{
    const Form form = CurrentForm();
    const bool tooSmall = form == classForm && !NoPlace(device) &&
                          (device.Height() - LineGap() * Lines() + LineGap()) < Lines();
    if (form != lastForm || tooSmall) {
        const ElementRect &keep = saved[form];
        if (NoPlace(keep) || keep.right == -3 || tooSmall) {
            DefaultSize(form);
            Place();
            savedPoints[form] = fontPoints;
        } else {
            device = keep;
            // The font the form's size was given with.
            HDC dc = owner ? owner->GetDrawDC() : nullptr;
            if (dc && savedPoints[form] != fontPoints)
                UseFont(dc, savedPoints[form]);
        }
        lastForm = form;
        lastMode = graph->DisplayMode();
        if (owner) {
            owner->ElementToLogical(this);
            ClearFlag(flagStale);
        }
    }
    drag = device;
}

void MapKey::Draw()
{
    HDC dc = owner ? owner->GetDrawDC() : nullptr;
    if (!dc || !graph || !graph->Graph())
        return;
    MakeFont(dc);
    // The key's texts are placed by their top left corner, whatever
    // alignment the context was left with; the context goes back as found.
    const int savedState = SaveDC(dc);
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    HGDIOBJ oldFont = SelectObject(dc, font);
    SIZE mg = {0, 0};
    GetTextExtentPoint32A(dc, "Mg", 2, &mg);
    int numerator = 1, denominator = 1, ox = 0, oy = 0;
    owner->OutputScale(numerator, denominator, ox, oy);
    textHeight = std::max(1, static_cast<int>(static_cast<long long>(mg.cy) * denominator / numerator));
    Arrange();
    HBRUSH groundBrush = CreateSolidBrush(ground);
    const RECT area = Device(device.left, device.top, device.right + 1, device.bottom + 1);
    FillRect(dc, &area, groundBrush);
    DeleteObject(groundBrush);
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, RGB(0, 0, 0));
    switch (CurrentForm()) {
    case classForm:
        DrawClasses(dc);
        break;
    case rampForm:
        DrawRamp(dc);
        break;
    default:
        DrawSymbol(dc);
        break;
    }
    SelectObject(dc, oldFont);
    if (savedState)
        RestoreDC(dc, savedState);
    saved[lastForm] = device;
}

bool MapKey::Labelled(int i) const
{
    const int lines = Lines();
    if (labelStep <= 1)
        return true;
    if (missingLine && i == lines - 1)
        // The missing values' line, where it stands clear of the last
        // class written.
        return (lines - 1) - (lines - 2) / labelStep * labelStep >= labelStep;
    return i % labelStep == 0;
}

void MapKey::DrawClasses(HDC dc)
{
    const MapGraph *map = graph->Graph();
    const std::vector<MapColourEntry> &colours = map->GetSettings().colours;
    const int lines = Lines(), line = LineHeight();
    drawnTextRight = device.left;
    for (int i = 0; i < lines; ++i) {
        const int top = device.top + LineGap() / 2 + i * (line + LineGap());
        const bool missingLine = this->missingLine && i == lines - 1;
        const MapColourEntry &colour =
            missingLine || i >= static_cast<int>(colours.size()) ? MapClasses::MissingColour() : colours[i];
        MapColourTable::Select(dc, colour, true);
        const RECT box = Device(device.left + padding, top, device.left + padding + ClassBoxWidth(), top + line);
        HBRUSH hatch = nullptr;
        HGDIOBJ tableBrush = nullptr;
        if (missingLine) {
            // Hatched as the regions without a value are.
            hatch = CreateHatchBrush(HS_DIAGCROSS, RGB(128, 128, 128));
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, RGB(colour.fillR, colour.fillG, colour.fillB));
            tableBrush = SelectObject(dc, hatch);
        }
        Rectangle(dc, box.left, box.top, box.right, box.bottom);
        if (hatch) {
            SelectObject(dc, tableBrush);
            DeleteObject(hatch);
            SetBkMode(dc, TRANSPARENT);
        }
        MapColourTable::Restore();
        if (!Labelled(i))
            continue;
        const std::string text = missingLine ? StatText(missingTextNumber, mapTextGroup) : ClassText(i);
        // Centred on its line, and inside the legend where the lines are
        // lower than the text.
        const int textTop =
            std::max(device.top, std::min(top + (line - textHeight) / 2, device.bottom + 1 - textHeight));
        const int textLeft = device.left + 2 * padding + ClassBoxWidth();
        const POINT at = Scaled(textLeft, textTop);
        TextOutA(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
        drawnTextRight = std::max(drawnTextRight, textLeft + TextWidth(dc, text) - 1);
    }
}

void MapKey::DrawRamp(HDC dc)
{
    const MapGraph *map = graph->Graph();
    const int scheme = map->GetSettings().colourScheme;
    const double centre = map->centreValue == MapRegion::missing ? map->middle : map->centreValue;
    const int top = device.top, bottom = device.bottom, rows = bottom - top + 1;
    const bool printing = owner->DrawModeInForce() == GRAPHWIN::drawPrinter;
    for (int row = top; row <= bottom; ++row) {
        const double value = map->minimum + (map->maximum - map->minimum) * (row - top) / rows;
        const MapColourEntry colour = MapClasses::RampColour(scheme, value, map->minimum, map->maximum, centre, {});
        MapColourTable::Select(dc, colour, true);
        SelectObject(dc, GetStockObject(NULL_PEN));
        const RECT strip = Device(device.left + padding, row, device.left + padding + boxWidth - 4, row + 1);
        if (printing) {
            Rectangle(dc, strip.left, strip.top, strip.right + 1, strip.bottom + 1);
        } else {
            const bool grey = GraphSettings::UseGrayscale();
            HPEN pen = CreatePen(PS_SOLID, 1,
                                 grey ? RGB(colour.fillGrey, colour.fillGrey, colour.fillGrey)
                                      : RGB(colour.fillR, colour.fillG, colour.fillB));
            HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, strip.left, strip.top, nullptr);
            LineTo(dc, strip.right, strip.top);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
        MapColourTable::Restore();
    }
    const double middle = scheme == MapClassSettings::slide2 ? centre : map->middle;
    const int textLeft = device.left + symbolTextOffset;
    const struct
    {
        double value;
        int y;
    } texts[] = {{map->minimum, top},
                 {middle, top + static_cast<int>((middle - map->minimum) / std::max(1e-300, map->maximum - map->minimum) *
                                                  rows) - textHeight / 2},
                 {map->maximum, bottom - textHeight}};
    for (const auto &t : texts) {
        int y = std::max(top, std::min(t.y, bottom - textHeight));
        if (&t == &texts[1]) {
            // The middle text stands between the two ends' texts, beside the
            // mark as far as they leave room; a ramp too short for three
            // lines leaves it out.
            if (bottom - top + 1 < 3 * textHeight)
                continue;
            y = std::max(top + textHeight, std::min(y, bottom - 2 * textHeight));
        }
        const std::string text = ValueText(t.value);
        const POINT at = Scaled(textLeft, y);
        TextOutA(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
    }
    if (scheme == MapClassSettings::slide2 && map->maximum > map->minimum) {
        const int mark = MarkRow();
        const POINT a = Scaled(device.left, mark), b = Scaled(device.left + padding + boxWidth, mark);
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
    }
}

void MapKey::DrawSymbol(HDC dc)
{
    const MapGraph *map = graph->Graph();
    MapColourTable::Select(dc, MapClasses::PositiveSymbolColour(), true);
    const int height = device.Height();
    int textLeft = symbolTextOffset;
    if (CurrentForm() == barForm) {
        const RECT bar = Device(device.left + 2, device.top, device.left + 2 + boxWidth, device.bottom + 1);
        Rectangle(dc, bar.left, bar.top, bar.right, bar.bottom);
    } else {
        const RECT circle = Device(device.left + 2, device.top, device.left + 2 + height, device.top + height);
        Ellipse(dc, circle.left, circle.top, circle.right, circle.bottom);
        textLeft = std::max(symbolTextOffset, height + padding);
    }
    MapColourTable::Restore();
    const std::string top = map->HasRange() ? ValueText(map->maximum) : std::string();
    POINT at = Scaled(device.left + textLeft, device.top);
    TextOutA(dc, at.x, at.y, top.c_str(), static_cast<int>(top.size()));
    // The foot's 0 only where it stands clear below the maximum's line.
    if (CurrentForm() == barForm && device.bottom - textHeight + 1 >= device.top + textHeight) {
        at = Scaled(device.left + textLeft, device.bottom - textHeight + 1);
        TextOutA(dc, at.x, at.y, "0", 1);
    }
}
