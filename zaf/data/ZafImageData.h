// ZafImageData: the base of the image data objects (bitmaps, icons, mouse
// cursors). Their description records (zaf/core/ZafImageStruct.h) begin
// with the image description ZafImageStruct: width and height in pixels,
// one byte per pixel (width x height bytes, rows top to bottom) and a
// static flag. A static description shares the caller's pixel array and
// never frees it; any other owns its array (allocated with new[]).
//
// ZafImageData reads and writes no field of its own: its persistent
// constructor and Write only wrap ZafData's in a level "ZafImageData" (class
// id 3115, entry type 3) of their own.
#pragma once

#include "zaf/core/ZafImageStruct.h"
#include "zaf/data/ZafData.h"

class ZafImageData : public ZafData
{
public:
    static constexpr ZafClassID classID = 3115;
    static constexpr const char *className = "ZafImageData";

    ZafImageData() = default;
    ZafImageData(const ZafImageData &copy) = default;
    ZafImageData(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;

    // Width, height, array and static flag become 0 (nothing is freed).
    static void ClearImage(ZafImageStruct &image);
    // Copies the size and static flag; a static source's array is shared,
    // any other is copied into a new array (the target's own array, unless
    // static, is freed first).
    static void CopyImage(ZafImageStruct &target, const ZafImageStruct &source);
    // Stores the size; a static description shares the pixels given (its
    // old array is never freed), any other gets a copy (zeros when none are
    // given). A negative or
    // overflowing size stores an empty image.
    static void SetImage(ZafImageStruct &image, int width, int height, const std::uint8_t *pixels);

    // Handles of the description records (fields bitmapHandle and
    // maskHandle, or iconHandle). All return 0.
    template <class Description> static int ClearBitmapHandles(Description &d)
    {
        d.bitmapHandle = {};
        d.maskHandle = {};
        return 0;
    }
    template <class Description> static int CopyBitmapHandles(Description &target, const Description &source)
    {
        target.bitmapHandle = source.bitmapHandle;
        target.maskHandle = source.maskHandle;
        return 0;
    }
    template <class Description> static int ClearIconHandle(Description &d)
    {
        d.iconHandle = {};
        return 0;
    }
    template <class Description> static int CopyIconHandle(Description &target, const Description &source)
    {
        target.iconHandle = source.iconHandle;
        return 0;
    }

    // The number of pixel bytes of a size; 0 when negative or too large.
    static int PixelCount(int width, int height);
};
