// GraphTextBands: the one layout rule the graphs share for their texts at
// the size their window has now. Every text is measured in the font it is
// drawn in (TextWidthInFont, TextHeightInFont) and turned into the graph's
// logical units at the window's present view; titles and subtitles stack
// down from the top by their measured heights; group and category labels
// beside a plot are cut with ".." to the room left of it, the plot keeping
// at least half of the width. A graph asks again at every build, and
// builds again at every change of its window's size (LayoutFollowsSize),
// so the texts never lie on each other or on the plot at any size.
//
// A window without a view (not shown, or a graph laid out before its
// first geometry) measures nothing: every size answers the fixed logical
// fallback the caller passes, so the graph keeps its plain layout.
//
// The object only reads the window; it holds nothing past the build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class GRAPHWIN;

class GraphTextBands
{
public:
    // Pixels kept between two stacked texts, and between a text and a plot.
    static constexpr int gapPixels = 3;
    // The smallest font a group or category label is drawn in: below it
    // the labels are thinned (every second, third, ... shown) instead.
    static constexpr int smallestLabelFont = 9;

    explicit GraphTextBands(const GRAPHWIN &graph);

    // The window has a view of pixels to measure against.
    bool Measured() const { return measured; }
    int ViewWidth() const { return width; }
    int ViewHeight() const { return height; }

    // Pixels to logical units across and down (rounded up, so that a text
    // never gets less room than it needs), and back (rounded down).
    int Across(int pixels) const;
    int Down(int pixels) const;
    int PixelsAcross(int logical) const;
    int PixelsDown(int logical) const;

    // The logical height of a line of the font (its cell and the gap);
    // the fallback when nothing is measured.
    int LineHeight(int fontSize, std::uint32_t styleBits, int fallback) const;
    // The logical width of the widest text in the font (fallback when
    // nothing is measured).
    int WidestText(const std::vector<std::string> &texts, int fontSize, std::uint32_t styleBits,
                   int fallback) const;

    // The room (logical units) for labels left of a plot that starts at
    // least at `left` and ends at `right`: the widest label and a gap, but
    // never so much that the plot keeps less than half the view's width.
    // Without measuring, `fallback`.
    int LabelRoom(const std::vector<std::string> &labels, int fontSize, std::uint32_t styleBits, int left,
                  int right, int fallback) const;
    // The label cut in its middle with ".." to the logical width in the
    // font; whole when it fits or when nothing is measured.
    std::string Cut(const std::string &label, int logicalWidth, int fontSize, std::uint32_t styleBits) const;

    // Labels one per slot of `slotPixels` along an axis: the font (at most
    // `fontSize`, at least smallestLabelFont when the slot allows) and the
    // stride of the labels shown (1 every label, 2 every second, ...), so
    // that neighbours keep a pixel apart.
    struct SlotLabels
    {
        int fontSize;
        int stride;
    };
    static SlotLabels FitToSlots(int slotPixels, int fontSize);

private:
    bool measured = false;
    int width = 0, height = 0;
};

// The pixels of a line of text in the font of the size and style bits
// (its cell height: ascent and descent).
int TextHeightInFont(int fontSize, std::uint32_t styleBits);
