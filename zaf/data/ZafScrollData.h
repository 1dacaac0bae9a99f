// ZafScrollData: a scroll range (current position within a minimum and a
// maximum, page size and line step) that scroll bars, progress bars and spin
// controls show and change.
//
// The setters keep the current position inside [minimum, maximum]: a current
// below the minimum becomes the minimum, else one above the maximum becomes
// the maximum (so with a minimum above the maximum it ends on one of them).
// Values read from the UI data file stand as stored until the next setter.
// The fields of ZafScrollStruct are read directly by the controls.
#pragma once

#include "zaf/core/ZafScrollStruct.h"

class ZafScrollData : public ZafScrollStruct
{
public:
    ZafScrollData(std::int32_t minimum = 0, std::int32_t maximum = 0, std::int32_t current = 0,
                  std::int32_t lineStep = 1, std::int32_t pageSize = 1);
    ZafScrollData(const ZafScrollData &other);
    ZafScrollData &operator=(const ZafScrollData &) = delete;
    virtual ~ZafScrollData() = default;

    // Each returns the field's value in force.
    virtual std::int32_t SetCurrent(std::int32_t position);
    virtual std::int32_t SetLineStep(std::int32_t lineStep);
    virtual std::int32_t SetMaximum(std::int32_t maximum);
    virtual std::int32_t SetMinimum(std::int32_t minimum);
    virtual std::int32_t SetPageSize(std::int32_t pageSize);
    virtual int SetScroll(const ZafScrollStruct &scroll);
    // Nothing happens when all five already hold these values.
    virtual int SetScroll(std::int32_t minimum, std::int32_t maximum, std::int32_t current,
                          std::int32_t lineStep, std::int32_t pageSize);
    // The second line-step setter of the class's table: the same as SetLineStep.
    virtual std::int32_t SetDelta(std::int32_t lineStep);

private:
    static std::int32_t Clamp(std::int32_t current, std::int32_t minimum, std::int32_t maximum);
};
