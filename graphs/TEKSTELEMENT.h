// TEKSTELEMENT: a text of a graph, anchored at a logical point from which
// it grows up and to the right once measured. Its font exists only during a
// draw or a measure. The window draws texts after every other element.
//
// Alignment bits: 0x04 right, else 0x02 centre, else left; 0x08 top, else
// 0x20 baseline, else bottom. Style bits: 1 bold, 2 italic, 4 serif family,
// 8 fixed pitch. The font size is the font's cell height in pixels; on a
// device with an output scale it is scaled with the points.
//
// Ownership: the text is a copy the element owns.
#pragma once

#include "graphs/element.h"

#include <string>
#include <vector>

class DrawStyle;

class TEKSTELEMENT : public element
{
public:
    enum Alignment : std::uint16_t {
        alignCentre = 0x02,   // centred on the anchor
        alignRight = 0x04,    // ends at the anchor
        alignTop = 0x08,      // top at the anchor
        alignBaseline = 0x20, // baseline at the anchor
    };
    enum StyleBit : std::uint32_t { styleBold = 1, styleItalic = 2, styleSerif = 4, styleFixed = 8 };

    // At a logical point.
    TEKSTELEMENT(int x, int y, const char *text, int alignment);
    // At a device point (pixels), without text, alignment 17.
    TEKSTELEMENT(int x, int y);
    ~TEKSTELEMENT() override;

    void Draw() override;
    void SetEnd(double fx, double fy) override;

    void SetText(const char *text);
    // Shows the text cut in its middle to the pixels (measured again), and
    // the whole text again; the element remembers its whole text meanwhile.
    void CutToWidth(int pixels);
    void RestoreWholeText();
    const char *Text() const { return text ? text : ""; }
    void SetFont(int size, std::uint32_t styleBits);
    void SetFontSize(int size);
    int FontSize() const { return fontSize; }
    std::uint32_t StyleBits() const { return styleBits; }
    std::uint16_t AlignmentBits() const { return alignment; }
    // Measures the text in the owner's context and sets its rectangles.
    void Measure();
    // Measure, device rectangle, parent widened (after an edit or on adding).
    void Update();
    std::string ContentKey() const override;
    // The font of the size (the element's when 0), made for the caller.
    HFONT MakeFont(int size = 0) const;
    // A text drawn over a filled shape: drawn in white over a dark fill of
    // the style and in black over a light one (the colours in force, grey
    // levels in grey mode). Null, the default: black.
    void SetContrastWith(const DrawStyle *fill) { contrastWith = fill; }
    const DrawStyle *ContrastWith() const { return contrastWith; }
    // The colour the text is drawn in.
    COLORREF TextColour() const;
    // The pixels the drawn text covers (its anchor, measure and alignment),
    // in the window's device units; measured when stale.
    RECT DrawnRect();

private:
    char *text = nullptr;
    int fontSize = 10;
    std::uint32_t styleBits = styleBold;
    HFONT font = nullptr;
    std::uint16_t alignment = 0;
    std::string builtText; // the text as built, part of the identity
    std::string wholeText; // while the shown text is cut to a width
    bool cut = false;
    const DrawStyle *contrastWith = nullptr; // not owned
};

// The pixels a text covers, or an empty rectangle for none or an empty text.
RECT DrawnRectOf(TEKSTELEMENT *text);
// The pixels the text takes across in the font of the size and style bits.
int TextWidthInFont(const std::string &text, int fontSize, std::uint32_t styleBits);
// The widest of the texts, in pixels, in that font.
int WidestTextInFont(const std::vector<std::string> &texts, int fontSize, std::uint32_t styleBits);
// The text cut in its middle ("Answ..y 13", as the labels of a question
// often differ only at their ends) so that it takes at most the pixels in
// the font of the size and style bits; the whole text when it fits.
std::string CutTextToWidth(const std::string &text, int pixels, int fontSize, std::uint32_t styleBits);
