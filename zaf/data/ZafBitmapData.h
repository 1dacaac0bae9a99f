// Image data: bitmaps on buttons and tool bars, icons of minimised windows
// and icon objects, and mouse cursors, as small pixel arrays of one byte per
// pixel (width x height bytes, rows top to bottom; the byte values are
// colour indexes of the display, 255 transparent).
//
// ZafImageData is the shared base; ZafBitmapData, ZafIconData and
// ZafMouseData each join it with a description record that also holds the
// operating-system handles the display makes from the pixels when the image
// is first drawn. A description with the static-pixels flag shares the
// caller's pixel array and never frees it (the built-in images); with the
// static-handle flag its handles belong to the caller. Every change of the
// image releases the owned handles first, so that they are made again.
//
// An image without pixels has the size 0 x 0.
#pragma once

#include <windows.h>

#include <cstdint>

// The image part of every description: the first four fields.
struct ZafImageStruct
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t *array = nullptr;
    bool staticArray = false;
};

struct ZafBitmapStruct : ZafImageStruct
{
    ZafBitmapStruct() = default;
    ZafBitmapStruct(std::int32_t width, std::int32_t height, std::uint8_t *pixels, bool staticPixels);
    void Clear() { *this = ZafBitmapStruct(); }

    HBITMAP handle = nullptr;
    HBITMAP mask = nullptr;
    bool staticHandle = false;
};

struct ZafIconStruct : ZafImageStruct
{
    ZafIconStruct() = default;
    ZafIconStruct(std::int32_t width, std::int32_t height, std::uint8_t *pixels, bool staticPixels);
    void ConstructEmpty() { *this = ZafIconStruct(); }

    HICON handle = nullptr;
    HANDLE secondHandle = nullptr;  // not used by the data classes
    bool staticHandle = false;
};

struct ZafMouseStruct : ZafImageStruct
{
    ZafMouseStruct() = default;
    ZafMouseStruct(std::int32_t width, std::int32_t height, std::uint8_t *pixels, std::int32_t hotSpotX,
                   std::int32_t hotSpotY, bool staticPixels);
    void Clear() { *this = ZafMouseStruct(); }

    std::int32_t hotSpotX = 0;
    std::int32_t hotSpotY = 0;
    HCURSOR handle = nullptr;
    HANDLE secondHandle = nullptr;  // not used by the data classes
    bool staticHandle = false;
};

class ZafImageData
{
public:
    ZafImageData() = default;
    ZafImageData(const ZafImageData &) = default;
    ZafImageData &operator=(const ZafImageData &) = delete;
    virtual ~ZafImageData() = default;

    // The operations on a description. The largest image is maxPixels pixels.
    static constexpr std::int64_t maxPixels = 16 * 1024 * 1024;
    static void ClearImage(ZafImageStruct &image);
    // Copies size and static flag; a static source's pixels are shared, an
    // owned source's copied into a new array of the target.
    static void CopyImage(ZafImageStruct &target, const ZafImageStruct &source);
    // Stores size and pixels: shared when the description is static, else
    // copied into a new array. No pixels, or a negative or too large size,
    // give an image of 0 x 0.
    static void SetImage(ZafImageStruct &image, std::int32_t width, std::int32_t height,
                         const std::uint8_t *pixels);
    // Frees the pixel array unless static; the image then has none.
    static void FreeImage(ZafImageStruct &image);
    static bool ValidSize(std::int64_t width, std::int64_t height);
};

class ZafBitmapData : public ZafImageData, public ZafBitmapStruct
{
public:
    explicit ZafBitmapData(const ZafBitmapStruct &bitmap = ZafBitmapStruct());
    ZafBitmapData(const ZafBitmapData &other);
    ~ZafBitmapData() override;

    virtual int SetBitmapStruct(const ZafBitmapStruct &bitmap);
    virtual int SetBitmapArray(std::int32_t width, std::int32_t height, const std::uint8_t *pixels);

private:
    void ReleaseHandles();
};

class ZafIconData : public ZafImageData, public ZafIconStruct
{
public:
    explicit ZafIconData(const ZafIconStruct &icon = ZafIconStruct());
    ZafIconData(const ZafIconData &other);
    ~ZafIconData() override;

    virtual int SetIconStruct(const ZafIconStruct &icon);
    virtual int SetIconArray(std::int32_t width, std::int32_t height, const std::uint8_t *pixels);

private:
    void ReleaseHandle();
};

class ZafMouseData : public ZafImageData, public ZafMouseStruct
{
public:
    explicit ZafMouseData(const ZafMouseStruct &mouse = ZafMouseStruct());
    ZafMouseData(const ZafMouseData &other);
    ~ZafMouseData() override;

    virtual int SetHotSpot(std::int32_t x, std::int32_t y);
    virtual int SetMouseStruct(const ZafMouseStruct &mouse);
    virtual int SetMouseArray(std::int32_t width, std::int32_t height, const std::uint8_t *pixels);

private:
    void ReleaseHandle();
};
