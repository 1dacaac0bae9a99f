#include "zaf/data/ZafImageData.h"

#include <cstring>

#include "zaf/data/ZafDataClassSupport.h"

namespace {
// Images beyond this many pixels are refused (far above any screen image).
constexpr int largestImage = 0x4000000;
} // namespace

ZafImageData::ZafImageData(const char *name, ZafDataPersistence &persistence)
    : ZafData(name, persistence.PushLevel(className, classID, ZafDataPersistence::dataEntry))
{
    ZafReadLevel(*this, persistence);
}

bool ZafImageData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafData::IsClassID(id);
}

bool ZafImageData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafData::IsClassName(name);
}

std::uint32_t ZafImageData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafData>(*this, persistence, ZafDataPersistence::dataEntry);
}

int ZafImageData::PixelCount(int width, int height)
{
    if (width <= 0 || height <= 0 || width > largestImage / height)
        return 0;
    return width * height;
}

void ZafImageData::ClearImage(ZafImageStruct &image)
{
    image = ZafImageStruct();
}

void ZafImageData::CopyImage(ZafImageStruct &target, const ZafImageStruct &source)
{
    if (&target == &source)
        return;
    if (source.staticArray) {
        if (!target.staticArray && target.array != source.array)
            delete[] target.array;
        target = source;
        return;
    }
    if (target.array != source.array) {
        // A static target's array belongs to its caller: never freed here.
        if (!target.staticArray)
            delete[] target.array;
        target.array = nullptr;
        const int count = PixelCount(source.width, source.height);
        if (source.array && count > 0) {
            target.array = new std::uint8_t[count];
            std::memcpy(target.array, source.array, count);
        }
    }
    target.width = source.width;
    target.height = source.height;
    target.staticArray = 0;
}

void ZafImageData::SetImage(ZafImageStruct &image, int width, int height, const std::uint8_t *pixels)
{
    const int count = PixelCount(width, height);
    image.width = count > 0 ? width : 0;
    image.height = count > 0 ? height : 0;
    if (image.staticArray) {
        // The caller's array is shared, never freed.
        image.array = const_cast<std::uint8_t *>(pixels);
        return;
    }
    if (pixels && pixels == image.array)
        return;
    delete[] image.array;
    image.array = nullptr;
    if (count > 0) {
        image.array = new std::uint8_t[count];
        if (pixels)
            std::memcpy(image.array, pixels, count);
        else
            std::memset(image.array, 0, count);
    }
}
