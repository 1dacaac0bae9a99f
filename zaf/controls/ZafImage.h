// ZafImage: a window object that shows a picture, a Windows bitmap taken
// from the program's bitmap resources ("#232" names resource 232) or from a
// ".bmp" file found along the search path (the name's extension becomes
// ".bmp"). It draws the picture at its top-left corner, stretched over its
// region (scaled) or tiled (wallpaper), and can size itself to the picture
// (autoSize). As a parent image (a support object of its window, without a
// window of its own) it paints its window's client area, centred unless
// scaled or tiled.
//
// A ".bmp" file is checked field by field before Windows sees it (see
// ParseBitmapFile): the header size, the dimensions, planes, bit count,
// compression, colour count, the bits' offset and that the file holds all
// the rows the header promises. A file that fails any check is not loaded
// (error word 13 from the constructors, 2 from SetImageName); it never
// makes CreateDIBitmap read past the data.
//
// Ownership: the image owns its name (a heap copy) and its bitmap and
// palette handles.
//
// The persistent record (level "ZafImage", class id 20, after the
// window-object record):
//   text image name (at most 255 characters)
//   i32  value
//   u16  flags: bit 0 auto size, bit 1 scaled, bit 2 wallpaper, bit 3
//        parent image (which also clears the own-window flag)
#pragma once

#include "zaf/core/ZafWindowObject.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class ZafImage : public ZafWindowObject
{
public:
    static constexpr ZafClassID classID = 20;
    static constexpr const char *className = "ZafImage";

    // Bits of the stored flag word.
    enum StoredFlag : std::uint16_t {
        storedAutoSize = 0x0001,
        storedScaled = 0x0002,
        storedWallpaper = 0x0004,
        storedParentImage = 0x0008,
    };
    // Error words when nothing loads.
    static constexpr int errorNotLoaded = 13; // from a constructor
    static constexpr int errorNotFound = 2;   // from SetImageName
    static constexpr int maxNameLength = 255;
    // The largest ".bmp" file read (bytes).
    static constexpr std::size_t maxFileSize = 64u * 1024u * 1024u;

    // Why a ".bmp" file was refused.
    enum BitmapFileError {
        bitmapValid = 0,
        bitmapTooShort,     // shorter than its two headers
        bitmapNotBM,        // the type word is not "BM"
        bitmapHeaderSize,   // not a 40, 52, 56, 108 or 124-byte info header
        bitmapDimensions,   // width or height 0, negative width, or beyond 65535
        bitmapPlanes,       // planes other than 1
        bitmapBitCount,     // not 1, 4, 8, 16, 24 or 32 bits a pixel
        bitmapCompression,  // not uncompressed, or bit fields with 16 or 32 bits
        bitmapColorCount,   // more colours than the bit count can name, or than 256
        bitmapOffset,       // the bits start inside the headers or past the end
        bitmapBitsTooShort, // the file ends before the last row
    };
    // A checked ".bmp" file: a BITMAPINFO of its own (a 40-byte header,
    // the three masks of bit fields, the colour table) and the bits inside
    // the file's bytes.
    struct BitmapFile
    {
        std::vector<unsigned char> info;
        const unsigned char *bits = nullptr;
        std::size_t bitsSize = 0;
        int width = 0;
        int height = 0;
        int colorCount = 0;
        const BITMAPINFO *Info() const { return reinterpret_cast<const BITMAPINFO *>(info.data()); }
    };
    // Checks the bytes of a ".bmp" file and, when valid, describes it.
    static BitmapFileError ParseBitmapFile(const unsigned char *bytes, std::size_t size, BitmapFile &file);

    // Region in cells; the name is copied and the picture loaded.
    ZafImage(int left, int top, int width, int height, const char *imageName, std::int32_t value = 0);
    ZafImage(const ZafImage &copy);
    ~ZafImage() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafImage(*this); }

    // --- Persistence ------------------------------------------------------
    ZafImage(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    // The image's own fields (name, value, flags); ReadData also loads the
    // picture.
    void WriteData(ZafWindowPersistence &persistence);
    void ReadData(ZafWindowPersistence &persistence);
    static void RegisterPersistence();

    // --- Events and drawing -------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // No bitmap: the background only, answering -1.
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // A parent image takes its parent's window as its own.
    HWND CreateOSWindow() override;

    // --- The picture --------------------------------------------------------
    // Replaces the name and loads again; the error word (0, or 2 when
    // nothing loads).
    virtual int SetImageName(const char *name);
    const char *ImageName() const { return imageName; }
    HBITMAP BitmapHandle() const { return bitmap; }
    HPALETTE PaletteHandle() const { return palette; }
    int PictureWidth() const { return pictureWidth; }
    int PictureHeight() const { return pictureHeight; }
    std::int32_t Value() const { return value; }
    bool LoadResourceBitmap();
    bool LoadFileBitmap();
    // Makes the bitmap (and, on a palette display, the palette) of a
    // BITMAPINFO and its bits; false when Windows makes none.
    bool MakeBitmap(const BITMAPINFO *info, int colorCount, const void *bits);
    void DestroyImageHandles();

    // --- Attributes (refused once created) ------------------------------------
    virtual bool SetAutoSize(bool flag) { return SetUnlessCreated(autoSize, flag); }
    virtual bool SetScaled(bool flag) { return SetUnlessCreated(scaled, flag); }
    virtual bool SetWallpaper(bool flag) { return SetUnlessCreated(wallpaper, flag); }
    // Only before the image is added to a window.
    virtual bool SetParentImage(bool flag);
    bool AutoSize() const { return autoSize; }
    bool Scaled() const { return scaled; }
    bool Wallpaper() const { return wallpaper; }
    bool ParentImage() const { return parentImage; }

private:
    void Load(int errorCode);
    // Draws the picture into the area (pixels of the display's context).
    void Blit(HDC dc, const ZafRegionRect &area) const;

    char *imageName = nullptr;
    std::int32_t value = -1;
    int pictureWidth = 0;
    int pictureHeight = 0;
    HBITMAP bitmap = nullptr;
    HPALETTE palette = nullptr;
    bool autoSize = false;
    bool scaled = false;
    bool wallpaper = false;
    bool parentImage = false;
};
