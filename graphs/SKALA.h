// SKALA: a value axis of the bar, line and descriptive graphs: a group of
// the axis line, tick marks, number labels and optional grid lines, built
// once from an axis description (AxisSpec) and a value range that the axis
// may widen to multiples of its step. Also the number formatting that
// labels elsewhere in the graphs share (ChooseAxisStep, DecimalsFor,
// FormatNumberLabel).
//
// Ticks are placed by their index (minimum + i steps, each computed anew),
// so no rounding error accumulates: a -0.3..0.3 axis labels its middle tick
// "0", and the last tick of an axis whose maximum is negative is drawn.
//
// The number labels are built for every tick; before each draw the window
// has the axis hide those that would run into their neighbours at its
// present size (FitLabels), so that a small window shows every 2nd, 5th or
// 10th number and a larger one all of them.
//
// Ownership: an AxisSpec owns its three styles (a copy copies them); a
// SKALA owns its AxisSpec copy and, as a group, its elements.
#pragma once

#include "graphs/DrawStyle.h"
#include "graphs/GROUPELEMENT.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class TEKSTELEMENT;

struct AxisSpec
{
    AxisSpec(int x = 0, int y = 0, int width = 0, int height = 0, int offset = 0);

    std::int32_t x, y;              // left-top corner of the plot area (logical units)
    std::int32_t width, height;     // of the plot area
    std::int32_t offset;            // distance of the axis line from the area's edge
    std::int32_t tickLength = 0;    // 0: 100
    std::int32_t gridDash = 50;     // dash of the grid lines
    std::int32_t gridGap = 0;       // 0: solid grid lines
    std::int32_t fontSize = 14;     // of the labels
    std::int32_t labelDistance = 0; // 0: half the tick length, plus the tick length with ticks
    double minimum = 0.0, maximum = 100.0;
    std::uint8_t vertical = 0;   // else a horizontal axis below the area
    std::uint8_t unusedFlag = 1; // for the graph builders; the axis does not read it
    std::uint8_t grid = 0;
    std::uint8_t bothSides = 0;  // a second line, ticks and labels on the opposite edge
    std::uint8_t gridAtEnds = 0; // grid lines at the minimum and maximum too
    std::uint8_t axisLine = 1;
    std::uint8_t ticks = 1;
    std::uint8_t percent = 0;        // labels with a percent sign
    double step = 0.0;               // 0: chosen automatically, the range widened
    double verticalNearSide = 1.0;   // exactly 0: the vertical axis on the right edge
    double horizontalNearSide = 1.0; // exactly 0: the horizontal axis on the top edge
    DrawStyle axisStyle;             // black
    DrawStyle gridStyle;             // white
    DrawStyle thirdStyle;            // a copy of the axis style, for the graph builders
};

class SKALA : public GROUPELEMENT
{
public:
    // Builds the axis over minimum..maximum and hands the final range back.
    SKALA(const AxisSpec &description, double &minimum, double &maximum);
    ~SKALA() override;

    const AxisSpec &Description() const { return *description; }
    double Step() const { return step; }

    // Shows the number labels of every stride-th step (1, 2, 5, 10, 20, ...:
    // the finest stride whose labels keep a gap between neighbours, once
    // moved inside the view as the window moves texts) and hides the others;
    // the ticks and grid lines stay. The device rectangles must be current.
    void FitLabels(const ElementRect &view);
    // The stride the last FitLabels chose (1: every number shown).
    int LabelStride() const { return labelStride; }

private:
    // A number label and its step's place on the axis: its multiple of the
    // step (or its index when the range is not on multiples).
    struct Label
    {
        TEKSTELEMENT *text; // a child; compared only, as the user may delete it
        long long multiple;
        bool opposite;
    };

    void Build();
    void AddTick(int at, bool opposite, const char *label, long long multiple);
    // True when the labels of the stride stand apart on one side.
    bool Apart(const std::vector<RECT> &drawn, const std::vector<long long> &multiples, long long stride,
               long long anchor) const;

    AxisSpec *description;
    double step = 1.0;
    int axisAt = 0, oppositeAt = 0, tick = 100, distance = 0;
    int nearAlignment = 0, farAlignment = 0;
    bool mirrored = false;
    std::vector<Label> labels;
    int labelStride = 1;
};

// A step of 2, 1, 0.5, 0.3 or 0.2 times a power of ten for the range; with
// widen, minimum and maximum move outward to multiples of it. An empty or
// reversed range gives a step of 1.
double ChooseAxisStep(double &minimum, double &maximum, int widen);
// The decimals with which the value shows that many significant digits.
int DecimalsFor(double value, int significantDigits);
// Writes the label into the buffer (size bytes, always terminated) and
// returns the buffer.
char *FormatNumberLabel(double value, char *buffer, std::size_t size, int decimals, bool percent);
// The precision FormatNumberLabel takes for a tick of value on an axis of
// the given step: the decimals, or, where the label is written in exponent
// form (beyond 100000000 or below 0.00000001), the significant digits that
// tell the value from its neighbours one step away.
int ExponentFormPrecision(double value, double step, int decimals);
