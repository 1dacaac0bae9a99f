#include "stats/MarkReason.h"

#include <cmath>

#include "stats/StatClass.h"

namespace {

const int kReasonTextGroup = 0, kFirstReasonText = 30;

} // namespace

int WeightReasons(double weight, long records, double needed)
{
    if (!std::isfinite(weight))
        return kReasonWeightsTooLarge;
    if (weight > 0.0 && weight <= needed && static_cast<double>(records) > needed)
        return kReasonWeightsTooSmall;
    return 0;
}

const char *MarkReasonText(MarkReason reason)
{
    int bit = 0;
    while (bit < 2 && !(reason & (1 << bit)))
        ++bit;
    return StatText(kFirstReasonText + bit, kReasonTextGroup);
}

std::vector<std::string> MarkReasonLines(int reasons, const char *mark)
{
    std::vector<std::string> lines;
    for (int bit = 0; bit < 3; ++bit)
        if (reasons & (1 << bit))
            lines.push_back(std::string(mark) + " " + MarkReasonText(static_cast<MarkReason>(1 << bit)));
    return lines;
}
