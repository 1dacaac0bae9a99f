// MapKey: the legend of a region map (element kind 3). Its form follows the
// display mode and colour scheme: a box and a range text per class and one
// for the missing values (classes with the table schemes), a colour ramp
// with the lowest, middle (or centre) and highest value (the two ramp
// schemes), or one sample bar or circle of the largest value (the symbol
// modes). Each form keeps its own rectangle, so that a form shown again
// takes the place and size it had. A legend without a size gets its
// default one and is put into the first corner of the map where it covers
// no region.
//
// The legend draws in window pixels (scaled to the output device), on a
// light yellow ground, in a sans-serif font of 14 points in a large pane,
// smaller in a small one: when its default size is given, the font goes
// down a point at a time to 8 points while the legend would cover more
// than a quarter of the map; then the class form draws its lines closer
// with narrower boxes and each class by its lower limit, and leaves out the
// line of the missing values when no region lacks a value; last, the lines
// get lower than their texts and every so many carry one. A legend of the
// full 14 points would cover much of a map in a small pane, hiding the
// regions it explains. The sample symbol
// is drawn as large as the map draws the largest one.
//
// Ownership: the window owns the legend; the legend owns its fonts.
#pragma once

#include "graphs/element.h"

#include <string>

class MapGraphWindow;

class MapKey : public element
{
public:
    enum Form { barForm = 0, circleForm = 1, classForm = 2, rampForm = 3, formCount = 4 };
    static constexpr COLORREF ground = RGB(255, 255, 224);
    static constexpr int minimumTextWidth = 22, boxWidth = 20, symbolTextOffset = 25, placementStep = 10;
    static constexpr int largestPoints = 14, smallestPoints = 8, mostDecimals = 12;

    explicit MapKey(MapGraphWindow *graph);
    ~MapKey() override;

    void Draw() override;
    // The user moved or resized the legend: its form keeps the new place,
    // and the symbol's size follows the height.
    void Changed() override;
    // Every form gets its default size and place at the next draw (the
    // window's size changed).
    void ForgetPlaces();
    // The centre mark's pixel row in the ramp form (-1 in other forms).
    int MarkRow() const;
    // The form the graph's mode and scheme call for.
    Form CurrentForm() const;
    // Takes the form's saved rectangle, or the default size and place when
    // it has none; then lays out the lines.
    void Arrange();
    // The text of class i (from 0) of the class form.
    std::string ClassText(int i) const;
    // The decimals of every value and limit the legend writes: those of the
    // class computation (the regions' means or the cases' values).
    int Decimals() const;
    // A value with the legend's decimals, or with the decimals given.
    std::string ValueText(double value) const;
    static std::string ValueText(double value, int decimals);
    // The decimals of the class texts: the legend's, more where two
    // neighbouring classes' printed ends would meet at one number.
    int ClassDecimals() const;
    // The class form's lines: one per class and, while shown, the missing
    // values' line.
    int Lines() const;
    // The font size (points) the pane starts from: 14 in a pane of 560 by
    // 400 pixels or more, less in a smaller one, at least 8.
    int PanePoints() const;
    // The pixels between two class lines, and the class boxes' width.
    int LineGap() const;
    int ClassBoxWidth() const;
    // The height of one class line (at least 1).
    int LineHeight() const;
    // The saved rectangle of a form (left, top -1 and right, bottom -3 when
    // the form was never shown).
    const ElementRect &Saved(Form form) const { return saved[form]; }

    bool live = true;         // centre-mark drags recolour the map as they go
    int textHeight = 14;      // the font's height of "Mg"
    int lastMode = -1;        // the display mode drawn last
    bool sizeDefaulted = false;
    int fontPoints = 14;      // the legend font's size
    bool missingLine = true;  // the class form shows the missing values' line
    bool compact = false;     // the class form's close lines, narrow boxes and lower limits
    int labelStep = 1;        // the class form writes the text of every labelStep-th line
    int drawnTextRight = 0;   // the class form's texts' rightmost pixel at the last drawing

private:
    void DefaultSize(Form form);
    void Place();
    bool CoversRegion(const ElementRect &rect) const;
    void MakeFont(HDC dc);
    // Makes the font of the size, selects it into the context (freeing the
    // one before) and measures the text height.
    void UseFont(HDC dc, int points);
    // The class form's size at the font in use.
    SIZE ClassFormSize(HDC dc, int mapHeight) const;
    int TextWidth(HDC dc, const std::string &text) const;
    // Whether class line i (from 0) gets its text.
    bool Labelled(int i) const;
    void DrawClasses(HDC dc);
    void DrawRamp(HDC dc);
    void DrawSymbol(HDC dc);
    RECT Device(int left, int top, int right, int bottom) const;

    MapGraphWindow *graph;
    ElementRect saved[formCount];
    int savedPoints[formCount]; // the font size each form's size was given with
    int lastForm = -1;
    HFONT font = nullptr;
};
