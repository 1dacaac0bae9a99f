// The box-and-whisker figure and the cross mark of the descriptive graphs,
// built as elements into a group (shared by the one-way descriptive graph
// and the breakdown graphs).
//
// A value v of the range lower .. upper lies at the offset
// floor((v - lower) / (upper - lower) x length) from the rectangle's start,
// length being its width when it is wider than high (values run left to
// right from x) and its height otherwise (values run upwards from y, which
// is then the rectangle's bottom line). A range of no width puts every value
// at offset 0.
//
// The quantile summary: [0] lower quartile, [1] median, [2] upper quartile,
// [3] lower and [4] upper whisker end (DescriptiveKernel.h). The elements
// point at the style, which must outlive them; the group owns them.
#pragma once

class DrawStyle;
class GROUPELEMENT;

// The lower cap, lower whisker, box, upper whisker, upper cap (pen width 1)
// and the median line (pen width 3), in that order. Adds nothing when a
// value of the summary is not computed.
void AddBoxWhisker(GROUPELEMENT *group, DrawStyle *style, const double *quantiles, int x, int y, int width, int height,
                   double lower, double upper);
// A plus of two lines (across the value direction, then along it) with arms
// of a quarter of the rectangle's smaller side, centred on the value and the
// rectangle's middle line.
void AddCrossMark(GROUPELEMENT *group, DrawStyle *style, double value, int x, int y, int width, int height,
                  double lower, double upper);
