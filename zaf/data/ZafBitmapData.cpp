#include "zaf/data/ZafImageData.h"

#include <cstring>

// ---- Descriptions ----------------------------------------------------------------

ZafBitmapStruct::ZafBitmapStruct(std::int32_t w, std::int32_t h, std::uint8_t *pixels, bool staticPixels)
{
    width = w;
    height = h;
    array = pixels;
    staticArray = staticPixels;
}

ZafIconStruct::ZafIconStruct(std::int32_t w, std::int32_t h, std::uint8_t *pixels, bool staticPixels)
{
    width = w;
    height = h;
    array = pixels;
    staticArray = staticPixels;
}

ZafMouseStruct::ZafMouseStruct(std::int32_t w, std::int32_t h, std::uint8_t *pixels, std::int32_t x,
                               std::int32_t y, bool staticPixels)
    : hotSpotX(x), hotSpotY(y)
{
    width = w;
    height = h;
    array = pixels;
    staticArray = staticPixels;
}

// ---- Image operations --------------------------------------------------------------

bool ZafImageData::ValidSize(std::int64_t width, std::int64_t height)
{
    return width >= 0 && height >= 0 && width <= maxPixels && height <= maxPixels &&
           width * height <= maxPixels;
}

void ZafImageData::ClearImage(ZafImageStruct &image)
{
    image = ZafImageStruct();
}

void ZafImageData::FreeImage(ZafImageStruct &image)
{
    if (!image.staticArray)
        delete[] image.array;
    image.array = nullptr;
}

void ZafImageData::CopyImage(ZafImageStruct &target, const ZafImageStruct &source)
{
    if (source.array == target.array && source.staticArray == target.staticArray)
    {
        target.width = source.width;
        target.height = source.height;
        return;
    }
    FreeImage(target);
    target.staticArray = source.staticArray;
    if (source.staticArray)
    {
        target.width = source.width;
        target.height = source.height;
        target.array = source.array;
        return;
    }
    SetImage(target, source.width, source.height, source.array);
}

void ZafImageData::SetImage(ZafImageStruct &image, std::int32_t width, std::int32_t height,
                            const std::uint8_t *pixels)
{
    if (pixels && pixels == image.array)
    {
        if (ValidSize(width, height))
        {
            image.width = width;
            image.height = height;
        }
        return;
    }
    FreeImage(image);
    if (!pixels || !ValidSize(width, height) || width == 0 || height == 0)
    {
        image.width = image.height = 0;
        return;
    }
    image.width = width;
    image.height = height;
    if (image.staticArray)
        image.array = const_cast<std::uint8_t *>(pixels);
    else
    {
        std::size_t size = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
        image.array = new std::uint8_t[size];
        std::memcpy(image.array, pixels, size);
    }
}

// ---- Bitmaps -----------------------------------------------------------------------

ZafBitmapData::ZafBitmapData(const ZafBitmapStruct &bitmap)
{
    CopyImage(*this, bitmap);
    staticHandle = bitmap.staticHandle;
}

ZafBitmapData::ZafBitmapData(const ZafBitmapData &other) : ZafImageData(other), ZafBitmapStruct()
{
    SetBitmapStruct(other);
}

ZafBitmapData::~ZafBitmapData()
{
    ReleaseHandles();
    FreeImage(*this);
}

void ZafBitmapData::ReleaseHandles()
{
    if (!staticHandle)
    {
        if (handle)
            DeleteObject(handle);
        if (mask)
            DeleteObject(mask);
    }
    handle = mask = nullptr;
}

int ZafBitmapData::SetBitmapStruct(const ZafBitmapStruct &bitmap)
{
    ReleaseHandles();
    CopyImage(*this, bitmap);
    staticHandle = bitmap.staticHandle;
    if (staticHandle)
    {
        handle = bitmap.handle;
        mask = bitmap.mask;
    }
    return 0;
}

int ZafBitmapData::SetBitmapArray(std::int32_t w, std::int32_t h, const std::uint8_t *pixels)
{
    ReleaseHandles();
    SetImage(*this, w, h, pixels);
    return 0;
}

// ---- Icons -------------------------------------------------------------------------

ZafIconData::ZafIconData(const ZafIconStruct &icon)
{
    CopyImage(*this, icon);
}

ZafIconData::ZafIconData(const ZafIconData &other) : ZafImageData(other), ZafIconStruct()
{
    SetIconStruct(other);
}

ZafIconData::~ZafIconData()
{
    ReleaseHandle();
    FreeImage(*this);
}

void ZafIconData::ReleaseHandle()
{
    if (!staticHandle && handle)
        DestroyIcon(handle);
    handle = nullptr;
}

int ZafIconData::SetIconStruct(const ZafIconStruct &icon)
{
    ReleaseHandle();
    CopyImage(*this, icon);
    staticHandle = icon.staticHandle;
    if (staticHandle)
        handle = icon.handle;
    return 0;
}

int ZafIconData::SetIconArray(std::int32_t w, std::int32_t h, const std::uint8_t *pixels)
{
    ReleaseHandle();
    SetImage(*this, w, h, pixels);
    return 0;
}

// ---- Mouse cursors -------------------------------------------------------------------

ZafMouseData::ZafMouseData(const ZafMouseStruct &mouse)
{
    CopyImage(*this, mouse);
    hotSpotX = mouse.hotSpotX;
    hotSpotY = mouse.hotSpotY;
    staticHandle = mouse.staticHandle;
}

ZafMouseData::ZafMouseData(const ZafMouseData &other) : ZafImageData(other), ZafMouseStruct()
{
    hotSpotX = other.hotSpotX;
    hotSpotY = other.hotSpotY;
    SetMouseStruct(other);
}

ZafMouseData::~ZafMouseData()
{
    ReleaseHandle();
    FreeImage(*this);
}

void ZafMouseData::ReleaseHandle()
{
    if (!staticHandle && handle)
        DestroyCursor(handle);
    handle = nullptr;
}

int ZafMouseData::SetHotSpot(std::int32_t x, std::int32_t y)
{
    hotSpotX = x;
    hotSpotY = y;
    return 0;
}

int ZafMouseData::SetMouseStruct(const ZafMouseStruct &mouse)
{
    // The cursor takes neither the handle nor the hot spot here.
    ReleaseHandle();
    CopyImage(*this, mouse);
    staticHandle = mouse.staticHandle;
    return 0;
}

int ZafMouseData::SetMouseArray(std::int32_t w, std::int32_t h, const std::uint8_t *pixels)
{
    ReleaseHandle();
    SetImage(*this, w, h, pixels);
    return 0;
}
