#include "stats/StatFormat.h"

#include <algorithm>

#include <cmath>
#include <cstdio>

#include "stats/StatMissing.h"

namespace {

int PrintedLength(const char *format, int decimals, double value)
{
    char buffer[400];
    int length = std::snprintf(buffer, sizeof buffer, format, decimals, value);
    return length < 0 ? 0 : length;
}

} // namespace

void FormatFixed(int &width, double value, int decimals, int margin)
{
    int length = PrintedLength("%1.*f", decimals, value) + margin;
    if (length > width)
        width = length;
}

int FormatLongDouble(int &width, long double value, int decimals, int extra)
{
    char buffer[5000];
    int length = std::snprintf(buffer, sizeof buffer, "%1.*Lf", decimals, value);
    if (length < 0)
        length = 0;
    if (length + extra > width)
        width = length + extra;
    return width;
}

void FormatLongInteger(int &width, long value, int decimals, int margin)
{
    char buffer[64];
    int length = decimals > 0 ? std::snprintf(buffer, sizeof buffer, "%1.*f", decimals, static_cast<double>(value))
                              : std::snprintf(buffer, sizeof buffer, "%ld", value);
    if (length < 0)
        length = 0;
    if (length + margin > width)
        width = length + margin;
}

std::string FormatNumberText(double number)
{
    char buffer[64];
    if (std::isfinite(number) && number == std::floor(number) && std::fabs(number) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.0f", number);
    else
        std::snprintf(buffer, sizeof buffer, "%.14g", number);
    return buffer;
}

void FormatValueLabel(char *target, size_t size, double value, int decimals)
{
    const int written = std::snprintf(target, size, "%1.*f", decimals, value);
    if (written >= 0 && static_cast<size_t>(written) < size)
        return;
    std::snprintf(target, size, "%1.*e", decimals > 0 ? decimals : 6, value);
}

std::string FormatFigure(double value, int decimals)
{
    char buffer[64];
    decimals = std::min(std::max(decimals, 0), 15);
    // A figure that cannot be represented (a sum of weights past the
    // largest double) prints as the not-computed mark, never "inf" or "nan".
    if (!std::isfinite(value))
        return "---";
    if (std::fabs(value) < 1e15)
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    else
        std::snprintf(buffer, sizeof buffer, "%.*e", std::max(decimals, 2), value);
    return buffer;
}

std::string FormatCount(double count, int decimals)
{
    decimals = std::min(std::max(decimals, 0), 15);
    if (count != 0.0 && std::fabs(count) < 0.5 * std::pow(10.0, -decimals)) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.2e", count);
        return buffer;
    }
    return FormatFigure(count, decimals);
}

std::string FormatValueRangeList(const ValueRangeList &ranges, int decimals)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 15)
        decimals = 15;
    std::string text;
    char buffer[160];
    for (size_t i = 0; i < ranges.size(); ++i) {
        if (i > 0)
            text += ", ";
        if (ranges[i].low == ranges[i].high)
            std::snprintf(buffer, sizeof buffer, "%1.*f", decimals, ranges[i].low);
        else
            std::snprintf(buffer, sizeof buffer, "%1.*f-%1.*f", decimals, ranges[i].low, decimals, ranges[i].high);
        text += buffer;
    }
    return text;
}

double RoundDown(double x)
{
    return std::floor(x);
}

double RoundUp(double x)
{
    return std::ceil(x);
}

const char *SignificanceMarkByP(double p)
{
    if (std::isnan(p))
        return "";
    // 9 and 99 are the codes a p-value slot holds for no test (no
    // probability exceeds 1), as is the not-computed mark.
    if (IsNotComputed(p) || p == 9.0 || p == 99.0)
        return "-";
    if (p >= 0.05)
        return " ";
    if (p >= 0.01)
        return "+";
    if (p >= 0.001)
        return "*";
    return "!";
}

const char *SignificanceMarkByLevel(int level)
{
    switch (level) {
    case 1:
        return "+";
    case 2:
        return "*";
    case 3:
        return "!";
    case 4:
    case 5:
        return "-";
    default:
        return " ";
    }
}

int SignificanceLevelOfP(double p)
{
    if (std::isnan(p) || IsNotComputed(p) || p == 9.0 || p == 99.0)
        return 4;
    if (p >= 0.05)
        return 0;
    if (p >= 0.01)
        return 1;
    if (p >= 0.001)
        return 2;
    return 3;
}
