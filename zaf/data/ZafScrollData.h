// ZafScrollData: a scroll range (current position within a minimum and a
// maximum, page size and line step) that scroll bars, progress bars and spin
// controls show and change.
//
// The setters keep the current position inside [minimum, maximum]: a current
// below the minimum becomes the minimum, else one above the maximum becomes
// the maximum (so with a minimum above the maximum it ends on one of them).
// Values read from the UI data file stand as stored until the next setter.
// The fields of ZafScrollStruct are read directly by the controls. Every
// change that alters a field is one notification.
//
// UI data file form: five signed 32-bit words, current, minimum, maximum,
// page size, line step.
#pragma once

#include "zaf/core/ZafScrollStruct.h"
#include "zaf/data/ZafData.h"

class ZafScrollData : public ZafData, public ZafScrollStruct
{
public:
    static constexpr ZafClassID classID = 3110;
    static constexpr const char *className = "ZafScrollData";

    ZafScrollData(std::int32_t minimum = 0, std::int32_t maximum = 0, std::int32_t current = 0,
                  std::int32_t lineStep = 1, std::int32_t pageSize = 1);
    ZafScrollData(const ZafScrollData &other);
    // Persistent constructor: the five words as stored, not clamped.
    ZafScrollData(const char *name, ZafDataPersistence &persistence);
    ZafScrollData &operator=(const ZafScrollData &) = delete;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafScrollData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    // Current 0, minimum 0, maximum 0, line step 1, page size 1 and error 0;
    // nothing happens (no notification) when these are held already.
    void Clear() override;

    // Each returns the field's value in force.
    virtual std::int32_t SetCurrent(std::int32_t position);
    virtual std::int32_t SetLineStep(std::int32_t lineStep);
    virtual std::int32_t SetMaximum(std::int32_t maximum);
    virtual std::int32_t SetMinimum(std::int32_t minimum);
    virtual std::int32_t SetPageSize(std::int32_t pageSize);
    virtual int SetScroll(const ZafScrollStruct &scroll);
    // Nothing happens when all five already hold these values.
    virtual int SetScroll(std::int32_t minimum, std::int32_t maximum, std::int32_t current, std::int32_t lineStep,
                          std::int32_t pageSize);
    // Installs the link through which scroll bars observe, make, read and
    // move their scroll data (ZafScrollBar::SetScrollLink): an observing bar
    // is brought up to date on every change, and the data is deleted when
    // its last observer leaves and it is destroyable.
    static void InstallWindowLink();

    // The second line-step setter of the class's table: the same as SetLineStep.
    virtual std::int32_t SetDelta(std::int32_t lineStep);

private:
    static std::int32_t Clamp(std::int32_t current, std::int32_t minimum, std::int32_t maximum);
};
