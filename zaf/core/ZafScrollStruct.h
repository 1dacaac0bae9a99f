// ZafScrollStruct: a scroll range as a plain record of five signed 32-bit
// words in this order: current position, minimum, maximum, page size (the
// amount page keys move, and a scroll bar's thumb size) and line step.
//
// It is the value part of the scroll data object and travels in the region
// words of scroll events (ZafEventRecord), whose receivers read the step
// word as the signed amount to scroll.
#pragma once

#include <cstdint>

struct ZafScrollStruct
{
    std::int32_t current;
    std::int32_t minimum;
    std::int32_t maximum;
    std::int32_t pageSize;
    std::int32_t step;
};
