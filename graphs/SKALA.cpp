#include "graphs/SKALA.h"

#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// --- Number labels -------------------------------------------------------------------

namespace {

// The value's 5 significant digits and its exponent e (value = 0.ddddd x 10^e).
void Digits(double value, int precision, std::string &digits, int &exponent)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.*e", precision - 1, std::fabs(value));
    const char *mark = std::strchr(text, 'e');
    digits.clear();
    for (const char *p = text; p != mark; ++p)
        if (*p >= '0' && *p <= '9')
            digits += *p;
    exponent = (mark ? std::atoi(mark + 1) : 0) + 1;
}

} // namespace

double ChooseAxisStep(double &minimum, double &maximum, int widen)
{
    const double range = maximum - minimum;
    if (!(range > 0.0) || !std::isfinite(range))
        return 1.0;
    std::string digits;
    int e = 0;
    Digits(range, 5, digits, e);
    const int first = digits[0] - '0';
    const int firstTwo = first * 10 + (digits[1] - '0');
    std::string stepDigits = first >= 8 ? "2" : first >= 4 ? "1" : firstTwo >= 15 ? "05" : firstTwo >= 12 ? "03" : "02";
    stepDigits.resize(5, '0');
    // The point after position e, read as a decimal number (exact decimals).
    std::string text;
    if (e > 0) {
        if (e > 5)
            stepDigits.append(static_cast<std::size_t>(e - 5), '0');
        text = stepDigits.substr(0, static_cast<std::size_t>(e)) + "." + stepDigits.substr(static_cast<std::size_t>(e));
    } else {
        text = "0." + std::string(static_cast<std::size_t>(-e), '0') + stepDigits;
    }
    const double step = std::strtod(text.c_str(), nullptr);
    if (widen) {
        minimum = std::floor(minimum / step + 0.00001) * step;
        maximum = std::ceil(maximum / step - 0.00001) * step;
    }
    return step;
}

int DecimalsFor(double value, int significantDigits)
{
    std::string digits;
    int e = 0;
    Digits(value, 20, digits, e);
    int k = std::max(significantDigits - e, 0);
    char text[400];
    std::snprintf(text, sizeof text, "%.*lf", k, value);
    const std::size_t length = std::strlen(text);
    if (length && text[length - 1] == '0')
        --k;
    return std::max(k, 0);
}

char *FormatNumberLabel(double value, char *buffer, std::size_t size, int decimals, bool percent)
{
    if (!buffer || size == 0)
        return buffer;
    const double magnitude = std::fabs(value);
    if (value != 0.0 && (magnitude > 100000000.0 || magnitude < 0.00000001))
        std::snprintf(buffer, size, "%.*lg", decimals, value);
    else if (percent)
        std::snprintf(buffer, size, "%.*lf %%", decimals, value);
    else
        std::snprintf(buffer, size, "%.*lf", decimals, value);
    return buffer;
}

int ExponentFormPrecision(double value, double step, int decimals)
{
    const double magnitude = std::fabs(value);
    if (value == 0.0 || !(magnitude > 100000000.0 || magnitude < 0.00000001) || !(std::fabs(step) > 0.0))
        return decimals;
    // In exponent form the precision counts significant digits: as many as
    // reach down to the step's first digit, so that neighbouring ticks
    // (1.2e+09, 1.4e+09) do not all read "1e+09".
    const int digits = static_cast<int>(std::floor(std::log10(magnitude)) - std::floor(std::log10(std::fabs(step)))) + 1;
    return std::min(std::max(digits, 1), 17);
}

// --- AxisSpec ------------------------------------------------------------------------

AxisSpec::AxisSpec(int left, int top, int w, int h, int distance)
    : x(left), y(top), width(w), height(h), offset(distance)
{
    axisStyle.SetSecondColour(0);
    axisStyle.SetFillColour(0);
    gridStyle.SetSecondColour(15);
    gridStyle.SetFillColour(15);
    thirdStyle.CopyFrom(axisStyle);
}

// --- SKALA ---------------------------------------------------------------------------

SKALA::SKALA(const AxisSpec &given, double &minimum, double &maximum) : description(new AxisSpec(given))
{
    description->minimum = minimum;
    description->maximum = maximum;
    SetName(description->vertical ? "VERTIKAL SKALA" : "HORISONTAL SKALA");
    Build();
    minimum = description->minimum;
    maximum = description->maximum;
}

SKALA::~SKALA()
{
    delete description;
}

namespace {

// Ticks beyond this many are not drawn (a tiny step given for a wide range).
constexpr int maximumTicks = 1000;

} // namespace

void SKALA::Build()
{
    AxisSpec &s = *description;
    double &minimum = s.minimum, &maximum = s.maximum;
    if (minimum == maximum) {
        // The widening is by the magnitude, so that equal
        // negative values do not turn the range around.
        if (minimum != 0.0) {
            const double margin = 0.1 * std::fabs(minimum);
            minimum -= margin;
            maximum += margin;
        } else {
            minimum = -0.1;
            maximum = 0.1;
        }
    }
    step = s.step != 0.0 ? s.step : ChooseAxisStep(minimum, maximum, 1);
    const double span = maximum - minimum;

    tick = s.tickLength ? s.tickLength : 100;
    distance = s.labelDistance ? s.labelDistance : tick / 2 + (s.ticks ? tick : 0);
    if (s.vertical) {
        mirrored = s.verticalNearSide == 0.0 && !s.bothSides;
        axisAt = mirrored ? s.x + s.width + s.offset : s.x - s.offset;
        oppositeAt = mirrored ? s.x - s.offset : s.x + s.width + s.offset;
        nearAlignment = mirrored ? 33 : 36;
        farAlignment = 33;
    } else {
        mirrored = s.horizontalNearSide == 0.0 && !s.bothSides;
        axisAt = mirrored ? s.y - s.offset : s.y + s.height + s.offset;
        oppositeAt = mirrored ? s.y + s.height + s.offset : s.y - s.offset;
        nearAlignment = mirrored ? 18 : 10;
        farAlignment = 18;
    }

    if (s.axisLine) {
        for (int side = 0; side < (s.bothSides ? 2 : 1); ++side) {
            const int at = side ? oppositeAt : axisAt;
            if (s.vertical)
                AddElement(new LINEELEMENT(at, s.y + s.height, at, s.y + s.height - (s.height + 1), 1, &s.axisStyle));
            else
                AddElement(new LINEELEMENT(s.x, at, s.x + s.width + 1, at, 1, &s.axisStyle));
        }
    }

    const int decimals = DecimalsFor(step, 2);
    // Each tick from its index; on a range of multiples of the step the
    // value is the multiple itself, so the zero tick is exactly 0.
    const double firstMultiple = std::round(minimum / step);
    const bool onMultiples = std::fabs(firstMultiple * step - minimum) <= std::fabs(step) * 1e-9;
    const double count = std::floor(span / step + 0.00001);
    const int last = std::isfinite(count) ? static_cast<int>(std::min(count, double(maximumTicks))) : 0;
    for (int i = 0; i <= last; ++i) {
        double v = onMultiples ? (firstMultiple + i) * step : minimum + i * step;
        if (std::fabs(v) < std::fabs(step) * 1e-9)
            v = 0.0;
        char label[64];
        FormatNumberLabel(v, label, sizeof label, ExponentFormPrecision(v, step, decimals), s.percent != 0);
        const double p = span > 0.0 ? (v - minimum) / span : 0.0;
        const int at = s.vertical ? s.y + s.height - static_cast<int>(std::trunc(p * (s.height + 1)))
                                  : s.x + static_cast<int>(std::trunc(p * (s.width + 1)));
        const long long multiple = onMultiples ? static_cast<long long>(firstMultiple) + i : i;
        AddTick(at, false, label, multiple);
        if (s.bothSides)
            AddTick(at, true, label, multiple);
        // No grid line over the minimum nor at a tick that reaches the
        // maximum (within its magnitude's 0.001 %, so that a negative
        // maximum counts as reached too) unless the ends are asked for; a
        // given step whose last tick stays below the maximum keeps its line.
        const bool end = i == 0 || v >= maximum - std::fabs(maximum) * 0.00001;
        if (s.grid && (!end || s.gridAtEnds)) {
            LINEELEMENT *line = s.vertical ? new LINEELEMENT(axisAt, at, oppositeAt, at, 1, &s.gridStyle)
                                           : new LINEELEMENT(at, axisAt, at, oppositeAt, 1, &s.gridStyle);
            if (s.gridGap != 0)
                line->SetDashes(s.gridDash, s.gridGap);
            AddElement(line);
        }
    }
}

void SKALA::AddTick(int at, bool opposite, const char *label, long long multiple)
{
    const AxisSpec &s = *description;
    const int edge = opposite ? oppositeAt : axisAt;
    // Outward: left of a vertical axis and below a horizontal one, the other
    // way when mirrored or on the opposite edge.
    const int outward = (opposite || mirrored) ? (s.vertical ? 1 : -1) : (s.vertical ? -1 : 1);
    const int alignment = opposite ? farAlignment : nearAlignment;
    if (s.ticks) {
        if (s.vertical)
            AddElement(new LINEELEMENT(edge, at, edge + outward * tick, at, 1, &description->axisStyle));
        else
            AddElement(new LINEELEMENT(at, edge, at, edge + outward * tick, 1, &description->axisStyle));
    }
    auto *text = s.vertical ? new TEKSTELEMENT(edge + outward * distance, at, label, alignment)
                            : new TEKSTELEMENT(at, edge + outward * distance, label, alignment);
    text->SetFont(s.fontSize, text->StyleBits());
    AddElement(text);
    labels.push_back(Label{text, multiple, opposite});
}

// --- Fitting the labels to the window ----------------------------------------------

namespace {

// The rectangle moved inside the view as GRAPHWIN::KeepTextsInside moves a
// text.
RECT InsideView(RECT r, const ElementRect &view)
{
    const POINT shift = ShiftIntoView(r, view);
    OffsetRect(&r, shift.x, shift.y);
    return r;
}

long long Remainder(long long value, long long stride)
{
    return ((value % stride) + stride) % stride;
}

} // namespace

bool SKALA::Apart(const std::vector<RECT> &drawn, const std::vector<long long> &multiples, long long stride,
                  long long anchor) const
{
    // Neighbours across keep a blank of a third of the font's height
    // between them, neighbours above each other need only not touch.
    const int gap = description->vertical ? 0 : std::max(description->fontSize / 3, 2);
    const RECT *previous = nullptr;
    for (std::size_t i = 0; i < drawn.size(); ++i) {
        if (Remainder(multiples[i] - anchor, stride) != 0)
            continue;
        const RECT &r = drawn[i];
        if (previous) {
            const bool across = description->vertical
                                    ? r.top < previous->bottom + gap && previous->top < r.bottom + gap
                                    : r.left < previous->right + gap && previous->left < r.right + gap;
            if (across)
                return false;
        }
        previous = &r;
    }
    return true;
}

void SKALA::FitLabels(const ElementRect &view)
{
    labelStride = 1;
    // The labels still among the children, per side, in the order of the
    // ticks.
    std::vector<TEKSTELEMENT *> present;
    for (element *child : Children())
        if (child->kind == element::kindText)
            present.push_back(static_cast<TEKSTELEMENT *>(child));
    std::vector<Label> kept;
    for (const Label &label : labels)
        if (std::find(present.begin(), present.end(), label.text) != present.end())
            kept.push_back(label);
    if (kept.size() < 2 || view.right <= view.left || view.bottom <= view.top) {
        for (const Label &label : kept)
            label.text->SetFlag(element::flagVisible);
        return;
    }
    std::vector<RECT> drawn[2];
    std::vector<long long> multiples[2];
    for (const Label &label : kept) {
        const int side = label.opposite ? 1 : 0;
        drawn[side].push_back(InsideView(label.text->DrawnRect(), view));
        multiples[side].push_back(label.multiple);
    }
    // Strides 1, 2, 5, 10, 20, 50, ... counted from the step at 0 when the
    // axis shows it, else from its first step; when none keeps the labels
    // apart, only that one label shows.
    const long long first = multiples[0].empty() ? multiples[1].front() : multiples[0].front();
    const long long last = multiples[0].empty() ? multiples[1].back() : multiples[0].back();
    const long long anchor = first <= 0 && last >= 0 ? 0 : first;
    const long long span = std::max(last - first, 1LL);
    long long stride = span + 1;
    for (long long decade = 1; decade <= span && stride > span; decade *= 10)
        for (long long factor : {1LL, 2LL, 5LL}) {
            const long long candidate = decade * factor;
            if (candidate > span)
                break;
            if (Apart(drawn[0], multiples[0], candidate, anchor) && Apart(drawn[1], multiples[1], candidate, anchor)) {
                stride = candidate;
                break;
            }
        }
    labelStride = static_cast<int>(std::min<long long>(stride, 1000000));
    for (const Label &label : kept) {
        const bool shown = Remainder(label.multiple - anchor, stride) == 0;
        if (shown)
            label.text->SetFlag(element::flagVisible);
        else
            label.text->ClearFlag(element::flagVisible);
    }
}
