// ZafBitmapData, ZafIconData, ZafMouseData: bitmaps on buttons and tool
// bars, icons of minimised windows and icon objects, and mouse cursors, as
// pixel arrays of one byte per pixel (ZafImageData) joined with a
// description record that also holds the operating-system handles the
// display makes from the pixels when the image is first drawn.
//
// A description with the static-pixels flag shares the caller's pixel array
// and never frees it (the built-in images); with the static-handle flag its
// handles belong to the caller. Every change of the image releases the
// handles it owns first, so that they are made again from the new pixels.
// The handles and arrays are released through the display
// (ZafDisplay::ForImages), also when the screen display is absent.
//
// UI data file form (entry type 0: "objectData" in the directory named after
// the image, inside "~" + class name): i32 width, i32 height (a cursor then
// i32 hot-spot x and y), then width x height pixel bytes. An image without
// pixels is written as 0 x 0, so that it reads back as written.
#pragma once

#include "zaf/data/ZafImageData.h"

class ZafBitmapData : public ZafImageData, public ZafBitmapStruct
{
public:
    static constexpr ZafClassID classID = 3112;
    static constexpr const char *className = "ZafBitmapData";

    // The image part copied from the description (pixels shared when static),
    // the static-handle flag taken, the handles cleared.
    explicit ZafBitmapData(const ZafBitmapStruct &bitmap = ZafBitmapStruct());
    ZafBitmapData(const ZafBitmapData &other);
    ZafBitmapData(const char *name, ZafDataPersistence &persistence);
    ZafBitmapData &operator=(const ZafBitmapData &) = delete;
    ~ZafBitmapData() override;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafBitmapData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    // Releases handles and pixels: no pixel array, 0 x 0, error 0.
    void Clear() override;

    // One notification each. With a static-handle flag the description's
    // handles are taken (shared).
    virtual int SetBitmapStruct(const ZafBitmapStruct &bitmap);
    virtual int SetBitmapArray(int width, int height, const std::uint8_t *pixels);

    // The record's own fields, shared by the icon: i32 width, i32 height,
    // then the pixel bytes (see the header comment).
    static void ReadData(ZafFile &file, ZafImageStruct &image);
    static void WriteData(ZafFile &file, const ZafImageStruct &image);
};

class ZafIconData : public ZafImageData, public ZafIconStruct
{
public:
    static constexpr ZafClassID classID = 3113;
    static constexpr const char *className = "ZafIconData";

    explicit ZafIconData(const ZafIconStruct &icon = ZafIconStruct());
    ZafIconData(const ZafIconData &other);
    ZafIconData(const char *name, ZafDataPersistence &persistence);
    ZafIconData &operator=(const ZafIconData &) = delete;
    ~ZafIconData() override;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafIconData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    void Clear() override;

    virtual int SetIconStruct(const ZafIconStruct &icon);
    virtual int SetIconArray(int width, int height, const std::uint8_t *pixels);
};

class ZafMouseData : public ZafImageData, public ZafMouseStruct
{
public:
    static constexpr ZafClassID classID = 3114;
    static constexpr const char *className = "ZafMouseData";

    explicit ZafMouseData(const ZafMouseStruct &mouse = ZafMouseStruct());
    ZafMouseData(const ZafMouseData &other);
    ZafMouseData(const char *name, ZafDataPersistence &persistence);
    ZafMouseData &operator=(const ZafMouseData &) = delete;
    ~ZafMouseData() override;
    static ZafElement *New(const char *name, ZafDataPersistence &persistence);

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    std::uint32_t Write(ZafDataPersistence &persistence) override;
    ZafData *Duplicate() override { return new ZafMouseData(*this); }
    ZafReadFunction ReadFunction() override { return New; }
    void Clear() override;

    // Stores the hot spot (no notification).
    virtual int SetHotSpot(int x, int y);
    // Takes the image and the static-handle flag, neither handle nor hot spot.
    virtual int SetMouseStruct(const ZafMouseStruct &mouse);
    virtual int SetMouseArray(int width, int height, const std::uint8_t *pixels);

    // The record's own fields: i32 width, i32 height, i32 hot-spot x and y,
    // then the pixel bytes.
    void ReadData(ZafFile &file);
    void WriteData(ZafFile &file) const;
};
