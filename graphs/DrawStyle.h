// DrawStyle: the colours with which a graph element is outlined and filled,
// in colour and in grey, and the GDI brush made from them. Every shape
// element points at one (not owned), every graph window owns a current one
// for its background, and each graph family keeps its own set.
//
// Colours: the fill colour is the first colour (the brush's), the line
// colour the second (every pen drawn with the style). With the setting
// "UseGrayscale" on, FillColour and LineColour answer the brush and pen grey
// levels as R = G = B instead; they read the setting when called, so a
// switch shows at the next draw.
//
// Handles: the brush is made by the style (CreateBrush, CreateObjects); the
// pen and the spare handle are made by users of the style and only deleted
// by it. A copy (copy constructor, CopyFrom) takes every field but no
// handle. The destructor deletes what the style still holds.
//
// Also here: the sixteen indexed colours, the program-wide styles and the
// colour tables of the region maps (MapColourTable).
#pragma once

#include <windows.h>

#include <cstdint>

class DrawStyle
{
public:
    // A colour index that names no colour.
    static constexpr std::uint8_t noColour = 0xFE;
    // Indexed colours 0..15 (index & 0xFF); false for any other index.
    static bool IndexedColour(int index, std::uint8_t &r, std::uint8_t &g, std::uint8_t &b);

    DrawStyle();
    DrawStyle(const DrawStyle &other);
    DrawStyle &operator=(const DrawStyle &other);
    ~DrawStyle();

    void SetFillRGB(int r, int g, int b);
    void SetSecondRGB(int r, int g, int b);
    // Stores the index (its low byte) and, for 0..15, the table colour.
    void SetFillColour(int index);
    void SetSecondColour(int index);
    void SetGreyLevels(int brush, int pen);

    // The colours in force (grey levels in grey mode), as COLORREF.
    COLORREF FillColour() const;
    COLORREF LineColour() const;

    // Deletes the handles held and makes the solid brush; returns it.
    HBRUSH CreateBrush();
    // The brush, made when missing.
    HBRUSH Brush();
    // Makes the brush once (until DeleteObjects).
    void CreateObjects();
    // Deletes and clears the handles; a fill or line index of 32 or more is
    // handed back to the screen display's colour table.
    void DeleteObjects();
    // Deletes this style's handles and copies every field of the other
    // (its created flag included) but none of its handles.
    void CopyFrom(const DrawStyle &other);

    // Sets up the program-wide styles and makes their brushes; once per
    // program unless force is non-zero. The first argument is not read.
    static void InitDefaults(void *unused, int force);

    HPEN pen = nullptr;
    HBRUSH brush = nullptr;
    HGDIOBJ spare = nullptr;
    std::uint8_t fillR = 0, fillG = 0, fillB = 0;
    std::uint8_t lineR = 0, lineG = 0, lineB = 0;
    std::uint8_t brushGrey = 50;
    std::uint8_t penGrey = 50;
    std::uint32_t userWord = 0; // copied, not read by the style
    std::uint16_t pattern[8];   // copied, not read by the style
    std::uint8_t created = 0;
    std::uint8_t lineIndex = noColour;
    std::uint8_t fillIndex = noColour;
    std::uint32_t extra[2] = {0, 0}; // copied, not read by the style

private:
    void DeleteHandles();
};

// A colour reference R + 256 G + 65536 B.
inline COLORREF ColourOf(int r, int g, int b)
{
    return RGB(r, g, b);
}

// The program-wide styles.
extern DrawStyle WindowDefaultStyle; // white line and fill; the graph window's background
extern DrawStyle FrameStyle;         // black line, white fill; the grid dots' colour
extern DrawStyle HighlightStyle;     // black line, yellow fill
extern DrawStyle LightStyle;         // black line, light cyan fill
constexpr int seriesStyleCount = 7;
extern DrawStyle SeriesStyles[seriesStyleCount]; // the fills of data series
// The style of data series k (from 0) into `to`, without handles: the
// first seriesStyleCount are SeriesStyles; after them each round of the
// same colours is darker or lighter than the rounds before, in colour and
// in grey, so that every series of a graph has a fill of its own.
void CopySeriesStyle(DrawStyle &to, int k);
constexpr int familyStyleCount = 5;
extern DrawStyle FamilyStyles[familyStyleCount]; // set up by the graph families that use them

// One colour of a region map: line R, G, B and grey, fill R, G, B and grey.
struct MapColourEntry
{
    std::uint16_t lineR, lineG, lineB, lineGrey;
    std::uint16_t fillR, fillG, fillB, fillGrey;
};

// The colour tables of the region maps: five tables (the fixed colours, a
// sequential ramp, a diverging ramp, distinct colours and the outlines).
// Select puts one entry's brush and pen into a context; Restore puts the
// previous objects back and deletes the two made. One selection at a time.
class MapColourTable
{
public:
    static constexpr int tableCount = 5;
    static constexpr int count = 13; // entries of the ramps
    static int TableSize(int table);
    // Null outside the tables.
    static const MapColourEntry *Entry(int table, int index);

    // useLineColour: the entry's line colour; else its line grey as grey.
    static void Select(HDC dc, const MapColourEntry &entry, bool useLineColour);
    // The same with the grey setting given (a whole map reads it once).
    static void Select(HDC dc, const MapColourEntry &entry, bool useLineColour, bool grey);
    static void Restore();
};

// One style's colours in a graph's table of styles: the line and the fill
// each an indexed colour (index >= 0) or RGB, and the pen's and the brush's
// grey levels.
struct StyleColours
{
    int lineIndex, lineR, lineG, lineB;
    int fillIndex, fillR, fillG, fillB;
    int penGrey, brushGrey;
};

// Gives styles[i] the colours of table[i], for i below count.
void ApplyStyleColours(DrawStyle *styles, const StyleColours *table, int count);
