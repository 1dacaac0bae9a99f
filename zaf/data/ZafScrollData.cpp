#include "zaf/data/ZafScrollData.h"

ZafScrollData::ZafScrollData(std::int32_t minimum, std::int32_t maximum, std::int32_t current,
                             std::int32_t lineStep, std::int32_t pageSize)
    : ZafScrollStruct{Clamp(current, minimum, maximum), minimum, maximum, pageSize, lineStep}
{
}

ZafScrollData::ZafScrollData(const ZafScrollData &other)
    : ZafScrollStruct{Clamp(other.current, other.minimum, other.maximum), other.minimum, other.maximum,
                      other.pageSize, other.step}
{
}

std::int32_t ZafScrollData::Clamp(std::int32_t current, std::int32_t minimum, std::int32_t maximum)
{
    if (current < minimum)
        return minimum;
    if (current > maximum)
        return maximum;
    return current;
}

int ZafScrollData::SetScroll(std::int32_t newMinimum, std::int32_t newMaximum, std::int32_t newCurrent,
                             std::int32_t newLineStep, std::int32_t newPageSize)
{
    newCurrent = Clamp(newCurrent, newMinimum, newMaximum);
    if (current == newCurrent && minimum == newMinimum && maximum == newMaximum && step == newLineStep &&
        pageSize == newPageSize)
        return 0;
    current = newCurrent;
    minimum = newMinimum;
    maximum = newMaximum;
    step = newLineStep;
    pageSize = newPageSize;
    return 0;
}

int ZafScrollData::SetScroll(const ZafScrollStruct &scroll)
{
    return SetScroll(scroll.minimum, scroll.maximum, scroll.current, scroll.step, scroll.pageSize);
}

std::int32_t ZafScrollData::SetCurrent(std::int32_t position)
{
    SetScroll(minimum, maximum, position, step, pageSize);
    return current;
}

std::int32_t ZafScrollData::SetLineStep(std::int32_t lineStep)
{
    SetScroll(minimum, maximum, current, lineStep, pageSize);
    return step;
}

std::int32_t ZafScrollData::SetDelta(std::int32_t lineStep)
{
    return SetLineStep(lineStep);
}

std::int32_t ZafScrollData::SetMaximum(std::int32_t newMaximum)
{
    SetScroll(minimum, newMaximum, current, step, pageSize);
    return maximum;
}

std::int32_t ZafScrollData::SetMinimum(std::int32_t newMinimum)
{
    SetScroll(newMinimum, maximum, current, step, pageSize);
    return minimum;
}

std::int32_t ZafScrollData::SetPageSize(std::int32_t newPageSize)
{
    SetScroll(minimum, maximum, current, step, newPageSize);
    return pageSize;
}
