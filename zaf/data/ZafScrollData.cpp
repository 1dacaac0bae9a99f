#include "zaf/data/ZafScrollData.h"

#include "zaf/core/ZafScrollBar.h"

#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafFile.h"

ZafScrollData::ZafScrollData(std::int32_t minimum, std::int32_t maximum, std::int32_t current, std::int32_t lineStep,
                             std::int32_t pageSize)
    : ZafScrollStruct{Clamp(current, minimum, maximum), minimum, maximum, pageSize, lineStep}
{}

ZafScrollData::ZafScrollData(const ZafScrollData &other)
    : ZafData(other), ZafScrollStruct{Clamp(other.current, other.minimum, other.maximum), other.minimum, other.maximum,
                                      other.pageSize, other.step}
{}

ZafScrollData::ZafScrollData(const char *name, ZafDataPersistence &persistence)
    : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry)), ZafScrollStruct{0, 0, 0,
                                                                                                               1, 1}
{
    ZafReadLevel(*this, persistence, [this](ZafFile &file) {
        // Kept as stored: a current outside the range stands until the next
        // setter.
        std::int32_t words[5] = {0, 0, 0, 1, 1};
        int moved = 0;
        for (std::int32_t &word : words)
            moved += file.Read32(word);
        if (moved == 20) {
            current = words[0];
            minimum = words[1];
            maximum = words[2];
            pageSize = words[3];
            step = words[4];
        } else
            file.SetError(ZafError::Read);
    });
}

ZafElement *ZafScrollData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafScrollData(name, persistence);
}

bool ZafScrollData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafData::IsClassID(id);
}

bool ZafScrollData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafData::IsClassName(name);
}

std::uint32_t ZafScrollData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::dataEntry, [this](ZafFile &file) {
        file.Write32(current);
        file.Write32(minimum);
        file.Write32(maximum);
        file.Write32(pageSize);
        file.Write32(step);
    });
}

void ZafScrollData::Clear()
{
    if (current == 0 && minimum == 0 && maximum == 0 && step == 1 && pageSize == 1)
        return;
    StartUpdate();
    current = minimum = maximum = 0;
    step = pageSize = 1;
    SetError(0);
    EndUpdate();
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
    StartUpdate();
    current = newCurrent;
    minimum = newMinimum;
    maximum = newMaximum;
    step = newLineStep;
    pageSize = newPageSize;
    EndUpdate();
    return 0;
}

int ZafScrollData::SetScroll(const ZafScrollStruct &scroll)
{
    return SetScroll(scroll.minimum, scroll.maximum, scroll.current, scroll.step, scroll.pageSize);
}

// The setters answer from values computed before the change: an observer
// may delete this object while it is told.
std::int32_t ZafScrollData::SetCurrent(std::int32_t position)
{
    const std::int32_t result = Clamp(position, minimum, maximum);
    SetScroll(minimum, maximum, position, step, pageSize);
    return result;
}

std::int32_t ZafScrollData::SetLineStep(std::int32_t lineStep)
{
    SetScroll(minimum, maximum, current, lineStep, pageSize);
    return lineStep;
}

std::int32_t ZafScrollData::SetDelta(std::int32_t lineStep)
{
    return SetLineStep(lineStep);
}

std::int32_t ZafScrollData::SetMaximum(std::int32_t newMaximum)
{
    SetScroll(minimum, newMaximum, current, step, pageSize);
    return newMaximum;
}

std::int32_t ZafScrollData::SetMinimum(std::int32_t newMinimum)
{
    SetScroll(newMinimum, maximum, current, step, pageSize);
    return newMinimum;
}

std::int32_t ZafScrollData::SetPageSize(std::int32_t newPageSize)
{
    SetScroll(minimum, maximum, current, step, newPageSize);
    return newPageSize;
}

namespace {

int BarChanged(ZafElement *observer, ZafUpdateType)
{
    static_cast<ZafScrollBar *>(observer)->UpdateScrollInfo();
    return 0;
}

void AttachBar(ZafScrollData *data, ZafScrollBar *bar)
{
    data->AddNotification(bar, BarChanged, ZafNotification::valueChanged);
}

void ReleaseBar(ZafScrollData *data, ZafScrollBar *bar)
{
    data->SubtractNotification(bar, BarChanged);
    if (data->NotificationCount() == 0 && data->Destroyable())
        delete data;
}

ZafScrollData *CreateData()
{
    return new ZafScrollData();
}

ZafScrollStruct ValuesOf(const ZafScrollData *data)
{
    return *data;
}

void MoveTo(ZafScrollData *data, std::int32_t current)
{
    data->SetCurrent(current);
}

} // namespace

void ZafScrollData::InstallWindowLink()
{
    ZafScrollBar::SetScrollLink(ZafScrollLink{AttachBar, ReleaseBar, CreateData, ValuesOf, MoveTo});
}
