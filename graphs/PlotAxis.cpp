#include "graphs/PlotAxis.h"

#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/SelectRec.h"
#include "dataset/WeightRec.h"
#include "graphs/GROUPELEMENT.h"
#include "graphs/ShapeElements.h"
#include "stats/StatClass.h"
#include "stats/StatMissing.h"
#include "stats/WeightedMoments.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <memory>

namespace {

// The standard normal density's factor 1 / sqrt(2 pi), and the |z| beyond
// which the curve lies on its baseline.
constexpr double densityFactor = 0.39894228;
constexpr double curveCutOff = 5.0;
// Integer classes need ten cases per unit of range.
constexpr double casesPerUnit = 10.0;
// Continuous classes: one per 30 cases, at least 7; their bounds lie this
// share of the range outside the data.
constexpr double casesPerClass = 30.0;
constexpr int fewestClasses = 7;
constexpr double boundMargin = 0.0001;

bool Usable(double value)
{
    return std::isfinite(value) && !IsNotComputed(value);
}

} // namespace

double RoundHalfUp(double v)
{
    const double low = std::floor(v);
    return v - low < 0.5 ? low : std::ceil(v);
}

int RoundToInt(double v)
{
    if (!(v == v))
        return 0;
    const double r = RoundHalfUp(v);
    if (r >= static_cast<double>(INT_MAX))
        return INT_MAX;
    if (r <= static_cast<double>(INT_MIN))
        return INT_MIN;
    return static_cast<int>(r);
}

// --- Construction --------------------------------------------------------------------

PlotAxis *PlotAxis::FitToData(StatClass *context, unsigned variable, double &low, double &high, int classes, double n,
                              double minimum, double maximum, double mean, double deviation)
{
    auto *axis = new PlotAxis;
    axis->context = context;
    axis->variable = variable;
    DATASET *set = context ? context->GetDataSet() : nullptr;
    std::unique_ptr<LISTETYPE> list;
    if (set)
        list = std::make_unique<LISTETYPE>(set, static_cast<long>(variable));
    axis->Fit(list && !list->Error() ? list.get() : nullptr, low, high, classes, n, minimum, maximum, mean, deviation);
    return axis;
}

PlotAxis *PlotAxis::FitToList(StatClass *context, BUFFERTYPE *values, double &low, double &high, int classes, double n,
                              double minimum, double maximum, double mean, double deviation)
{
    auto *axis = new PlotAxis;
    axis->context = context;
    axis->valueList = values;
    axis->Fit(values, low, high, classes, n, minimum, maximum, mean, deviation);
    return axis;
}

void PlotAxis::Fit(BUFFERTYPE *values, double &low, double &high, int classes, double n, double minimumGiven,
                   double maximumGiven, double meanGiven, double deviation)
{
    caseCount = n;
    minimum = minimumGiven;
    maximum = maximumGiven;
    mean = meanGiven;
    standardDeviation = deviation;
    axisLow = low;
    axisHigh = high;
    classCount = classes;

    if (values && StatisticsMissing())
        ComputeStatistics(*values);
    else if (values)
        integerData = values->integerTyped ? 1 : 0;
    const bool anyCase = caseCount > 0.0 && Usable(minimum) && Usable(maximum);
    if (axisLow == axisHigh && anyCase) {
        axisLow = minimum;
        axisHigh = maximum;
    }
    // A range of no width (a constant) would map every value by a
    // division by zero.
    if (!(axisHigh > axisLow)) {
        axisLow -= 0.5;
        axisHigh += 0.5;
    }
    axisSpan = axisHigh - axisLow;
    if (!anyCase || !values) {
        classCount = 0;
        return;
    }
    ChooseClasses(classes);
    CountClasses(*values);
}

bool PlotAxis::StatisticsMissing() const
{
    return caseCount == 0.0 || IsNotComputed(minimum) || IsNotComputed(maximum) ||
           (normalCurve && (IsNotComputed(mean) || IsNotComputed(standardDeviation)));
}

template <typename Use> void PlotAxis::WalkCases(BUFFERTYPE &values, Use use)
{
    SelectRec *selection = context ? context->GetSelection() : nullptr;
    std::unique_ptr<BUFFERTYPE> weights;
    if (context && context->GetWeight()) {
        weights.reset(context->GetWeight()->NewWeightList());
        if (!weights)
            return;
    }
    if (!values.SeekCase(1, 1))
        return;
    while (values.MoveNext()) {
        double w = 1.0;
        if (weights) {
            if (!weights->MoveNext())
                return;
            const double read = weights->GetCurrentAsReal();
            w = weights->IsCurrentMissing() || !Usable(read) ? 0.0 : read;
        }
        if (selection && !selection->IsCaseInForce(values.GetCurrentCase() - 1))
            continue;
        // A weight that is missing, zero or negative leaves the case out, as
        // in the statistics objects.
        if (!(w > 0.0) || values.IsCurrentMissing())
            continue;
        const double v = values.GetCurrentAsReal();
        if (Usable(v))
            use(v, w);
    }
}

void PlotAxis::ComputeStatistics(BUFFERTYPE &values)
{
    WeightedMoments moments;
    WalkCases(values, [&](double v, double w) { moments.Add(v, w); });
    caseCount = moments.Weight();
    minimum = moments.Minimum();
    maximum = moments.Maximum();
    mean = moments.Mean();
    standardDeviation = moments.StandardDeviation();
    integerData = values.integerTyped ? 1 : 0;
}

void PlotAxis::ChooseClasses(int given)
{
    const double range = maximum - minimum;
    integerClasses = 0;
    if (given <= 0 && integerData && casesPerUnit * range < caseCount && range + 1.0 < maximumClasses) {
        integerClasses = 1;
        classCount = static_cast<int>(RoundHalfUp(range)) + 1;
        classLow = minimum - 0.5;
        classHigh = maximum + 0.5;
    } else {
        classCount =
            given > 0
                ? given
                : std::max(static_cast<int>(std::min(caseCount / casesPerClass, static_cast<double>(maximumClasses))),
                           fewestClasses);
        classLow = minimum - boundMargin * range;
        classHigh = maximum + boundMargin * range;
        // A constant gives classes of no width.
        if (!(classHigh > classLow)) {
            classLow = minimum - 0.5;
            classHigh = maximum + 0.5;
        }
    }
    classWidth = (classHigh - classLow) / classCount;
}

void PlotAxis::CountClasses(BUFFERTYPE &values)
{
    std::vector<double> totals(static_cast<size_t>(classCount), 0.0);
    double total = 0.0;
    WalkCases(values, [&](double v, double w) {
        const double k = std::floor((v - classLow) / classWidth);
        const int index = k < 0.0 ? 0 : (k >= classCount ? classCount - 1 : static_cast<int>(k));
        totals[static_cast<size_t>(index)] += w;
        total += w;
    });
    classDensities.assign(totals.size(), 0.0);
    // Per standard deviation: the share of the cases times sd / width, whose
    // area in standard-deviation units is 1. Without a spread (one
    // case, a constant) the share itself, as the scaling would divide by 0.
    const double scale = Usable(standardDeviation) && standardDeviation > 0.0 ? standardDeviation / classWidth : 1.0;
    double top = densityFloor;
    for (size_t k = 0; k < totals.size(); ++k) {
        classDensities[k] = total > 0.0 ? totals[k] / total * scale : 0.0;
        top = std::max(top, classDensities[k]);
    }
    densityTop = top + densityMargin;
}

// --- Curve and outline ---------------------------------------------------------------

void PlotAxis::SetRange(std::uint8_t curve, DrawStyle *style, double meanGiven, double deviation)
{
    normalCurve = curve;
    curveStyle = style;
    if (!IsNotComputed(meanGiven))
        mean = meanGiven;
    if (!IsNotComputed(deviation))
        standardDeviation = deviation;
    // The curve needs a mean and a spread that the fit was not given: they
    // come from the cases; the classes and their densities stay.
    if (!StatisticsMissing())
        return;
    if (valueList) {
        ComputeStatistics(*valueList);
    } else if (DATASET *set = context ? context->GetDataSet() : nullptr) {
        LISTETYPE list(set, static_cast<long>(variable));
        if (!list.Error())
            ComputeStatistics(list);
    }
}

bool PlotAxis::CurveDrawable() const
{
    return Usable(mean) && Usable(standardDeviation) && standardDeviation > 0.0;
}

POINT PlotAxis::Map(double value, double density) const
{
    const int W = right - left + 1, H = bottom - top + 1;
    const double f = (value - axisLow) / axisSpan;
    const double g = density / densityTop;
    if (!rotated)
        return POINT{left + RoundToInt(f * W), bottom - RoundToInt(g * H)};
    return POINT{left + RoundToInt(g * W), bottom - RoundToInt(f * H)};
}

void PlotAxis::ComputeCurve()
{
    curvePoints.clear();
    if (!normalCurve || !CurveDrawable())
        return;
    double zLow = curveZLow, zHigh = curveZHigh;
    if (curveOverAxis) {
        zLow = (axisLow - mean) / standardDeviation;
        zHigh = (axisHigh - mean) / standardDeviation;
    }
    curvePoints.reserve(curvePointCount);
    for (int i = 0; i < curvePointCount; ++i) {
        const double x = mean + zLow * standardDeviation + i * (zHigh - zLow) * standardDeviation / curvePointCount;
        const double z = (x - mean) / standardDeviation;
        const double density = std::fabs(z) <= curveCutOff ? densityFactor * std::exp(-z * z / 2.0) : 0.0;
        curvePoints.push_back(Map(x, density));
    }
}

void PlotAxis::ComputeOutline()
{
    outlinePoints.clear();
    if (classCount <= 0 || classDensities.empty())
        return;
    // On the baseline at both class bounds.
    const POINT first = Map(classLow, 0.0), last = Map(classHigh, 0.0);
    outlinePoints.push_back(first);
    for (int k = 1; k <= classCount; ++k) {
        const double d = classDensities[static_cast<size_t>(k - 1)];
        if (integerClasses) {
            outlinePoints.push_back(Map(classLow + (k - 1) * classWidth, d));
            outlinePoints.push_back(Map(classLow + k * classWidth, d));
        } else {
            outlinePoints.push_back(Map(classLow + (k - 0.5) * classWidth, d));
        }
    }
    outlinePoints.push_back(last);
    outlinePoints.push_back(first);
}

void PlotAxis::BuildElements(GROUPELEMENT *group, int x, int y, int width, int height, DrawStyle *outlineStyle)
{
    left = x;
    top = y;
    right = x + width;
    bottom = y + height;
    ComputeCurve();
    ComputeOutline();
    if (!group)
        return;
    if (!outlinePoints.empty()) {
        auto *outline =
            new POLYGONELEMENT(static_cast<int>(outlinePoints.size()), outlinePoints.data(), outlineStyle, true);
        outline->penWidth = outlinePenWidth;
        group->AddElement(outline);
    }
    if (!curvePoints.empty()) {
        auto *curve = new POLYGONELEMENT(static_cast<int>(curvePoints.size()), curvePoints.data(), curveStyle, false);
        curve->penWidth = curvePenWidth;
        group->AddElement(curve);
    }
}

void PlotAxis::FreeArrays()
{
    std::vector<double>().swap(classDensities);
    std::vector<POINT>().swap(outlinePoints);
    std::vector<POINT>().swap(curvePoints);
}
