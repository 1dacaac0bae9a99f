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
// light yellow ground, in a 14-point sans-serif font.
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
    // A value with the legend's decimals.
    std::string ValueText(double value) const;
    // The height of one class line (at least 1).
    int LineHeight() const;
    // The saved rectangle of a form (left, top -1 and right, bottom -3 when
    // the form was never shown).
    const ElementRect &Saved(Form form) const { return saved[form]; }

    bool live = true;         // centre-mark drags recolour the map as they go
    int textHeight = 14;      // the font's height of "Mg"
    int lastMode = -1;        // the display mode drawn last
    bool sizeDefaulted = false;

private:
    void DefaultSize(Form form);
    void Place();
    bool CoversRegion(const ElementRect &rect) const;
    void MakeFont(HDC dc);
    int TextWidth(HDC dc, const std::string &text) const;
    void DrawClasses(HDC dc);
    void DrawRamp(HDC dc);
    void DrawSymbol(HDC dc);
    RECT Device(int left, int top, int right, int bottom) const;

    MapGraphWindow *graph;
    ElementRect saved[formCount];
    int lastForm = -1;
    HFONT font = nullptr;
};
