// PlotAxis: the distribution panel of the statistics graphs. It draws the
// weighted relative frequencies of one variable's classes inside a
// rectangle of a graph, as a closed outline (steps over whole values when
// the variable is stored as an integer type and spans a short range, else a
// polygon through the class midpoints), and optionally the normal density curve over the same
// scale. Frequencies are scaled per standard deviation, d = (c / total) x
// (sd / class width), so that the outline and the curve share one vertical
// scale whose top is the largest of 0.4 and every density, plus 0.05.
//
// Use: FitToData or FitToList (new object), optionally SetRange, then
// BuildElements once into a group, then FreeArrays and delete.
//
// Values: a figure of kNotComputed (the largest float held in a double)
// is "not given"; FitToData computes what is not given from the cases of
// the context's data set, selection and weight (cases of a missing, zero or
// negative weight left out). Zero spans never divide: without a valid case
// there are no classes and no outline; without a spread (one case, a
// constant) the densities are the classes' shares of the cases and no
// normal curve is drawn; a class range of 0 is widened to one unit.
//
// Ownership: the object owns its arrays; the context, a given value list
// and the group belong to the caller. The elements added copy the points.
#pragma once

#include "graphs/DrawStyle.h"

#include <windows.h>

#include <cstdint>
#include <vector>

class BUFFERTYPE;
class GROUPELEMENT;
class StatClass;

// floor(v) when v - floor(v) < 0.5, else ceil(v).
double RoundHalfUp(double v);
// RoundHalfUp as an integer, held within the int range.
int RoundToInt(double v);

class PlotAxis
{
public:
    static constexpr int curvePointCount = 300;
    static constexpr int maximumClasses = 300;
    static constexpr double densityFloor = 0.4;
    static constexpr double densityMargin = 0.05;

    // Over a variable (from 1) of the context's data set. The axis range is
    // read from axisLow and axisHigh (equal: the data's minimum to maximum);
    // classCount 0 chooses the classes. Not given: n 0.0, kNotComputed for
    // the others.
    static PlotAxis *FitToData(StatClass *context, unsigned variable, double &axisLow, double &axisHigh, int classCount,
                               double n, double minimum, double maximum, double mean, double standardDeviation);
    // The same over a value list of the caller's (its cursor is moved).
    static PlotAxis *FitToList(StatClass *context, BUFFERTYPE *values, double &axisLow, double &axisHigh,
                               int classCount, double n, double minimum, double maximum, double mean,
                               double standardDeviation);

    // The normal curve on or off with its style; a mean or standard
    // deviation other than kNotComputed replaces the stored one. With the
    // curve on and either still not given, the statistics are computed
    // from the cases (the classes and densities stay).
    void SetRange(std::uint8_t normalCurve, DrawStyle *curveStyle, double mean, double standardDeviation);
    // Sets the rectangle (x, y) .. (x + width, y + height), computes the
    // points and adds the outline (closed) and, with the curve on, the curve
    // (open) to the group.
    void BuildElements(GROUPELEMENT *group, int x, int y, int width, int height, DrawStyle *outlineStyle);
    void FreeArrays();

    // Set by callers between the calls above.
    std::uint8_t rotated = 0;       // 1: values run upwards, densities to the right
    std::uint8_t curveOverAxis = 0; // 1: the curve spans the axis range
    int outlinePenWidth = 2;
    int curvePenWidth = 3;
    double curveZLow = -3.0, curveZHigh = 3.0;

    // What the fit found (read by tests and callers).
    int ClassCount() const { return classCount; }
    bool IntegerClasses() const { return integerClasses != 0; }
    double ClassLow() const { return classLow; }
    double DensityTop() const { return densityTop; }
    // A common density scale for several panels over one rectangle (set
    // before BuildElements; a top of 0 or less is ignored).
    void SetDensityTop(double top) { densityTop = top > 0.0 ? top : densityTop; }
    double CaseCount() const { return caseCount; }
    double Mean() const { return mean; }
    double StandardDeviation() const { return standardDeviation; }
    const std::vector<double> &ClassDensities() const { return classDensities; }
    const std::vector<POINT> &OutlinePoints() const { return outlinePoints; }
    const std::vector<POINT> &CurvePoints() const { return curvePoints; }
    // True when the curve can be drawn: mean and a spread above 0.
    bool CurveDrawable() const;

private:
    PlotAxis() = default;
    void Fit(BUFFERTYPE *values, double &low, double &high, int classes, double n, double minimum, double maximum,
             double meanGiven, double deviation);
    bool StatisticsMissing() const;
    void ComputeStatistics(BUFFERTYPE &values);
    void ChooseClasses(int given);
    void CountClasses(BUFFERTYPE &values);
    // Walks the cases that count, calling use(value, weight).
    template <typename Use> void WalkCases(BUFFERTYPE &values, Use use);
    void ComputeCurve();
    void ComputeOutline();
    POINT Map(double value, double density) const;

    int left = 0, top = 0, right = 0, bottom = 0;
    unsigned variable = 0;
    int classCount = 0;
    double caseCount = 0.0;
    double axisLow = 0.0, axisHigh = 0.0, axisSpan = 0.0;
    double minimum = 0.0, maximum = 0.0, mean = 0.0, standardDeviation = 0.0;
    double classLow = 0.0, classHigh = 0.0, classWidth = 0.0;
    double densityTop = densityFloor + densityMargin;
    std::uint8_t integerClasses = 0;
    std::uint8_t normalCurve = 0;
    std::uint8_t integerData = 0; // 1: the values are stored as an integer type
    std::vector<double> classDensities;
    std::vector<POINT> outlinePoints;
    std::vector<POINT> curvePoints;
    DrawStyle *curveStyle = nullptr;
    StatClass *context = nullptr;
    BUFFERTYPE *valueList = nullptr; // the caller's, or null: the variable's list is made
};
