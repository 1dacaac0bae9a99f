#include "graphs/DrawStyle.h"

#include "graphs/GraphSettings.h"
#include "zaf/core/ZafDisplay.h"

#include <algorithm>
#include <iterator>

namespace {

const std::uint8_t indexedColours[16][3] = {{0, 0, 0},       {0, 0, 128},   {0, 128, 0},   {0, 128, 128},
                                            {128, 0, 0},     {128, 0, 128}, {128, 128, 0}, {192, 192, 192},
                                            {128, 128, 128}, {0, 0, 255},   {0, 255, 0},   {0, 255, 255},
                                            {255, 0, 0},     {255, 0, 255}, {255, 255, 0}, {255, 255, 255}};

bool defaultsMade = false;

void DeleteHandle(HGDIOBJ &handle)
{
    if (handle)
        DeleteObject(handle);
    handle = nullptr;
}

} // namespace

DrawStyle WindowDefaultStyle;
DrawStyle FrameStyle;
DrawStyle HighlightStyle;
DrawStyle LightStyle;
DrawStyle SeriesStyles[seriesStyleCount];
DrawStyle FamilyStyles[familyStyleCount];

bool DrawStyle::IndexedColour(int index, std::uint8_t &r, std::uint8_t &g, std::uint8_t &b)
{
    index &= 0xFF;
    if (index > 15)
        return false;
    r = indexedColours[index][0];
    g = indexedColours[index][1];
    b = indexedColours[index][2];
    return true;
}

DrawStyle::DrawStyle()
{
    std::fill(std::begin(pattern), std::end(pattern), 255);
}

DrawStyle::DrawStyle(const DrawStyle &other) : DrawStyle()
{
    CopyFrom(other);
}

DrawStyle &DrawStyle::operator=(const DrawStyle &other)
{
    if (this != &other)
        CopyFrom(other);
    return *this;
}

DrawStyle::~DrawStyle()
{
    DeleteHandles();
}

void DrawStyle::DeleteHandles()
{
    // Every handle deleted is also cleared, so that a later
    // DeleteObjects never deletes a handle value that Windows has since
    // given to another live object.
    DeleteHandle(reinterpret_cast<HGDIOBJ &>(pen));
    DeleteHandle(reinterpret_cast<HGDIOBJ &>(brush));
    DeleteHandle(spare);
}

void DrawStyle::SetFillRGB(int r, int g, int b)
{
    fillR = static_cast<std::uint8_t>(r);
    fillG = static_cast<std::uint8_t>(g);
    fillB = static_cast<std::uint8_t>(b);
}

void DrawStyle::SetSecondRGB(int r, int g, int b)
{
    lineR = static_cast<std::uint8_t>(r);
    lineG = static_cast<std::uint8_t>(g);
    lineB = static_cast<std::uint8_t>(b);
}

void DrawStyle::SetFillColour(int index)
{
    fillIndex = static_cast<std::uint8_t>(index & 0xFF);
    IndexedColour(index, fillR, fillG, fillB);
}

void DrawStyle::SetSecondColour(int index)
{
    lineIndex = static_cast<std::uint8_t>(index & 0xFF);
    IndexedColour(index, lineR, lineG, lineB);
}

void DrawStyle::SetGreyLevels(int brushLevel, int penLevel)
{
    brushGrey = static_cast<std::uint8_t>(brushLevel);
    penGrey = static_cast<std::uint8_t>(penLevel);
}

COLORREF DrawStyle::FillColour() const
{
    if (GraphSettings::UseGrayscale())
        return ColourOf(brushGrey, brushGrey, brushGrey);
    return ColourOf(fillR, fillG, fillB);
}

COLORREF DrawStyle::LineColour() const
{
    if (GraphSettings::UseGrayscale())
        return ColourOf(penGrey, penGrey, penGrey);
    return ColourOf(lineR, lineG, lineB);
}

HBRUSH DrawStyle::CreateBrush()
{
    DeleteHandles();
    brush = CreateSolidBrush(FillColour());
    return brush;
}

HBRUSH DrawStyle::Brush()
{
    // A brush made before the grey mode was switched is made again, so the
    // switch shows at the next draw.
    LOGBRUSH made = {};
    if (brush && GetObjectA(brush, sizeof made, &made) == sizeof made && made.lbColor == FillColour())
        return brush;
    return CreateBrush();
}

void DrawStyle::CreateObjects()
{
    if (created)
        return;
    CreateBrush();
    created = 1;
}

void DrawStyle::DeleteObjects()
{
    if (!created)
        return;
    DeleteHandles();
    if (zafScreenDisplay) {
        if (fillIndex >= 32)
            zafScreenDisplay->FreeColor(fillIndex);
        if (lineIndex >= 32)
            zafScreenDisplay->FreeColor(lineIndex);
    }
    created = 0;
}

void DrawStyle::CopyFrom(const DrawStyle &other)
{
    DeleteHandles();
    fillR = other.fillR;
    fillG = other.fillG;
    fillB = other.fillB;
    lineR = other.lineR;
    lineG = other.lineG;
    lineB = other.lineB;
    brushGrey = other.brushGrey;
    penGrey = other.penGrey;
    userWord = other.userWord;
    std::copy(std::begin(other.pattern), std::end(other.pattern), std::begin(pattern));
    created = other.created;
    lineIndex = other.lineIndex;
    fillIndex = other.fillIndex;
    extra[0] = other.extra[0];
    extra[1] = other.extra[1];
}

namespace {

void SetUp(DrawStyle &style, int line, int fill, int penGrey, int brushGrey)
{
    style.SetSecondColour(line);
    style.SetFillColour(fill);
    style.SetGreyLevels(brushGrey, penGrey);
}

} // namespace

void DrawStyle::InitDefaults(void *, int force)
{
    if (defaultsMade && !force)
        return;
    defaultsMade = true;
    SetUp(FrameStyle, 0, 15, 0, 255);
    SetUp(HighlightStyle, 0, 14, 0, 20);
    LightStyle.SetSecondRGB(0, 0, 0);
    LightStyle.SetFillRGB(127, 255, 255);
    LightStyle.SetGreyLevels(180, 0);
    static const std::uint8_t series[seriesStyleCount][4] = {
        {105, 108, 141, 40},  {208, 133, 87, 160},  {185, 160, 95, 70},  {172, 173, 204, 190},
        {234, 224, 196, 100}, {239, 212, 189, 220}, {206, 206, 225, 130}};
    for (int i = 0; i < seriesStyleCount; ++i) {
        DrawStyle &style = SeriesStyles[i];
        style.SetSecondColour(0);
        style.SetFillRGB(series[i][0], series[i][1], series[i][2]);
        style.SetGreyLevels(series[i][3], 0);
    }
    DrawStyle *made[] = {&FrameStyle, &HighlightStyle, &LightStyle};
    for (DrawStyle *style : made) {
        style->created = 0;
        style->CreateObjects();
    }
    for (DrawStyle &style : SeriesStyles) {
        style.created = 0;
        style.CreateObjects();
    }
}

void CopySeriesStyle(DrawStyle &to, int k)
{
    k = std::max(k, 0);
    to.CopyFrom(SeriesStyles[k % seriesStyleCount]);
    const int round = k / seriesStyleCount;
    if (round == 0)
        return;
    // Odd rounds darker, even rounds lighter, each further from the base:
    // beyond the seven series colours the eighth category would otherwise
    // take the first one's colour, and slices and legend entries of two
    // categories could not be told apart.
    const int step = (round + 1) / 2;
    const bool darker = round % 2 == 1;
    auto shade = [&](int c) {
        const int share = std::min(30 * step, 90);
        return darker ? c * (100 - share) / 100 : c + (255 - c) * share / 100;
    };
    to.SetFillRGB(shade(to.fillR), shade(to.fillG), shade(to.fillB));
    to.SetGreyLevels(shade(to.brushGrey), to.penGrey);
    to.created = 0;
}

// --- Map colours ---------------------------------------------------------------------

namespace {

constexpr MapColourEntry Fill(int r, int g, int b, int grey)
{
    return MapColourEntry{0,
                          0,
                          0,
                          0,
                          static_cast<std::uint16_t>(r),
                          static_cast<std::uint16_t>(g),
                          static_cast<std::uint16_t>(b),
                          static_cast<std::uint16_t>(grey)};
}

const MapColourEntry fixedColours[] = {Fill(127, 255, 255, 255), Fill(255, 255, 225, 225), Fill(231, 121, 25, 10),
                                       Fill(59, 75, 115, 215),   Fill(255, 255, 225, 10),  Fill(231, 121, 25, 215)};
// The ramp's lightest entry is a clear wheat, apart from the white of the
// missing values and the light yellow of the legend, in colour and in grey.
const MapColourEntry sequentialRamp[] = {Fill(255, 236, 179, 225), Fill(254, 221, 165, 210), Fill(253, 210, 165, 190),
                                         Fill(252, 188, 130, 170), Fill(252, 165, 95, 150),  Fill(251, 143, 60, 130),
                                         Fill(225, 100, 20, 110),  Fill(200, 80, 16, 90),    Fill(175, 60, 12, 70),
                                         Fill(150, 40, 8, 50),     Fill(125, 20, 4, 30),     Fill(100, 0, 0, 20),
                                         Fill(50, 0, 0, 10)};
const MapColourEntry divergingRamp[] = {Fill(59, 75, 115, 250),   Fill(104, 116, 140, 250), Fill(134, 144, 157, 250),
                                        Fill(164, 171, 174, 250), Fill(194, 199, 191, 250), Fill(224, 227, 208, 250),
                                        Fill(255, 255, 225, 250), Fill(249, 224, 178, 250), Fill(245, 203, 148, 250),
                                        Fill(242, 182, 117, 250), Fill(238, 162, 86, 250),  Fill(234, 141, 55, 250),
                                        Fill(231, 121, 25, 250)};
const MapColourEntry distinctColours[] = {Fill(234, 137, 28, 250), Fill(48, 72, 118, 90),   Fill(217, 55, 38, 230),
                                          Fill(0, 128, 0, 250),    Fill(153, 71, 121, 50),  Fill(247, 209, 166, 190),
                                          Fill(181, 181, 203, 10), Fill(245, 191, 171, 10), Fill(242, 174, 111, 10),
                                          Fill(130, 135, 165, 10), Fill(233, 142, 119, 10), Fill(116, 179, 141, 10),
                                          Fill(196, 140, 172, 10)};
const MapColourEntry outlineColours[] = {Fill(255, 255, 255, 255), Fill(250, 228, 185, 210), Fill(98, 111, 137, 127),
                                         Fill(231, 121, 25, 127), MapColourEntry{255, 127, 127, 127, 0, 0, 0, 0}};

struct MapTable
{
    const MapColourEntry *entries;
    int size;
};
const MapTable mapTables[MapColourTable::tableCount] = {
    {fixedColours, 6}, {sequentialRamp, 13}, {divergingRamp, 13}, {distinctColours, 13}, {outlineColours, 5}};

// The one selection of a map colour in force.
struct MapSelection
{
    HDC dc = nullptr;
    HBRUSH brush = nullptr;
    HPEN pen = nullptr;
    HGDIOBJ previousBrush = nullptr;
    HGDIOBJ previousPen = nullptr;
} mapSelection;

} // namespace

int MapColourTable::TableSize(int table)
{
    return table >= 0 && table < tableCount ? mapTables[table].size : 0;
}

const MapColourEntry *MapColourTable::Entry(int table, int index)
{
    if (index < 0 || index >= TableSize(table))
        return nullptr;
    return &mapTables[table].entries[index];
}

void MapColourTable::Select(HDC dc, const MapColourEntry &entry, bool useLineColour)
{
    Select(dc, entry, useLineColour, GraphSettings::UseGrayscale());
}

void MapColourTable::Select(HDC dc, const MapColourEntry &entry, bool useLineColour, bool grey)
{
    Restore();
    const COLORREF fill = grey ? ColourOf(entry.fillGrey, entry.fillGrey, entry.fillGrey)
                               : ColourOf(entry.fillR, entry.fillG, entry.fillB);
    const COLORREF line = useLineColour ? ColourOf(entry.lineR, entry.lineG, entry.lineB)
                                        : ColourOf(entry.lineGrey, entry.lineGrey, entry.lineGrey);
    mapSelection.dc = dc;
    mapSelection.brush = CreateSolidBrush(fill);
    mapSelection.pen = CreatePen(PS_SOLID, 1, line);
    mapSelection.previousBrush = SelectObject(dc, mapSelection.brush);
    mapSelection.previousPen = SelectObject(dc, mapSelection.pen);
}

void MapColourTable::Restore()
{
    if (!mapSelection.dc)
        return;
    SelectObject(mapSelection.dc, mapSelection.previousBrush);
    SelectObject(mapSelection.dc, mapSelection.previousPen);
    DeleteObject(mapSelection.brush);
    DeleteObject(mapSelection.pen);
    mapSelection = MapSelection();
}

void ApplyStyleColours(DrawStyle *styles, const StyleColours *table, int count)
{
    for (int i = 0; i < count; ++i) {
        const StyleColours &c = table[i];
        DrawStyle &style = styles[i];
        if (c.lineIndex >= 0)
            style.SetSecondColour(c.lineIndex);
        else
            style.SetSecondRGB(c.lineR, c.lineG, c.lineB);
        if (c.fillIndex >= 0)
            style.SetFillColour(c.fillIndex);
        else
            style.SetFillRGB(c.fillR, c.fillG, c.fillB);
        style.SetGreyLevels(c.brushGrey, c.penGrey);
    }
}
