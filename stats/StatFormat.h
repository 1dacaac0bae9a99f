// Number formatting and small helpers shared by the computation objects and
// the result texts: column widths from printed lengths, the shortest text of
// a number, value-range lists, rounding and significance marks.
//
// Widths are in characters. Nothing here allocates except the returned
// std::string texts, which the caller owns.
#ifndef STATS_STATFORMAT_H
#define STATS_STATFORMAT_H

#include <cstddef>
#include <string>
#include <vector>

// Raises width to the length of value printed with "%1.*f" and decimals,
// plus margin; never lowers it.
void FormatFixed(int &width, double value, int decimals, int margin);

// Formats value with "%1.*Lf" and decimals; raises width to the text's
// length plus extra when that is larger; returns the width.
int FormatLongDouble(int &width, long double value, int decimals, int extra);

// The same as FormatFixed for an integer: printed as a whole number when
// decimals is 0 or less, else with that many decimals (12.00).
void FormatLongInteger(int &width, long value, int decimals, int margin);

// The decimal text of a number with up to 14 significant digits; a whole
// number prints without decimals ("12", not "12.00").
std::string FormatNumberText(double number);

// A figure of a result table: fixed with the decimals while it is below
// 1e15 in size, else in exponent form with the same decimals (at least 2):
// past 15 digits fixed notation prints only noise, in columns hundreds of
// characters wide.
std::string FormatFigure(double value, int decimals);
// A weighted count as FormatFigure gives it, except that a count above 0
// that would print as 0 at its decimals (weights near the smallest double)
// takes the exponent form.
std::string FormatCount(double count, int decimals);

// The label of an unlabelled value into a text of size bytes (with its
// terminator): fixed with the decimals when that fits, else in exponent
// form with as many significant digits (6 without decimals), so that
// 1.7e308 never reads as its first digits.
void FormatValueLabel(char *target, size_t size, double value, int decimals);

// One range of counted values: a single value when low equals high.
struct ValueRange
{
    double low;
    double high;
};
typedef std::vector<ValueRange> ValueRangeList;

// The ranges as "low-high" or a single value, each with the decimals,
// joined by ", ".
std::string FormatValueRangeList(const ValueRangeList &ranges, int decimals);

// Floor and ceiling of a double.
double RoundDown(double x);
double RoundUp(double x);

// The one-character mark of a p-value: "-" when it is not computed (also
// the diagonal of a correlation matrix) or holds the code 9 or 99 for no
// test, " " for p >= 0.05, "+" for p >= 0.01, "*" for
// p >= 0.001, "!" below, and "" when p is not a number.
const char *SignificanceMarkByP(double p);

// The mark of a significance level: 1 "+", 2 "*", 3 "!", 4 and 5 "-", else " ".
const char *SignificanceMarkByLevel(int level);

// The level whose mark SignificanceMarkByP would give: 0 for p >= 0.05, 1, 2
// or 3 below 0.05, 0.01, 0.001, and 4 when p is not computed.
int SignificanceLevelOfP(double p);

#endif
