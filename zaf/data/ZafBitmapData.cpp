#include "zaf/data/ZafBitmapData.h"

#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafFile.h"

namespace {

// Frees the pixel array unless static; the image then has none and is 0 x 0.
void FreePixels(ZafImageStruct &image)
{
    if (!image.staticArray)
        delete[] image.array;
    image.array = nullptr;
    image.width = image.height = 0;
}

// Reads the pixel bytes of a size into a new owned array. A negative or
// overflowing size, or more pixels than the file holds after its position,
// is refused with error 16 and leaves the image empty.
void ReadPixels(ZafFile &file, ZafImageStruct &image, int width, int height)
{
    image = ZafImageStruct();
    if (width == 0 && height == 0)
        return;
    const int count = ZafImageData::PixelCount(width, height);
    const int remaining = file.Length() - file.Tell();
    if (count <= 0 || count > remaining)
    {
        file.SetError(ZafFileError::Read);
        return;
    }
    std::uint8_t *pixels = new std::uint8_t[count];
    if (file.ReadBytes(pixels, count) != count)
    {
        delete[] pixels;
        file.SetError(ZafFileError::Read);
        return;
    }
    image.width = width;
    image.height = height;
    image.array = pixels;
}

void ReadImage(ZafFile &file, ZafImageStruct &image, int *hotSpotX = nullptr, int *hotSpotY = nullptr)
{
    std::int32_t width = 0, height = 0, x = 0, y = 0;
    int moved = file.Read32(width) + file.Read32(height);
    if (hotSpotX)
    {
        moved += file.Read32(x) + file.Read32(y);
        *hotSpotX = x;
        *hotSpotY = y;
    }
    if (moved != (hotSpotX ? 16 : 8))
        file.SetError(ZafFileError::Read);
    if (file.Error() == 0)
        ReadPixels(file, image, width, height);
}

// An image without pixels is written as 0 x 0 (the reader always reads
// width x height bytes after the size).
void WriteImage(ZafFile &file, const ZafImageStruct &image, const int *hotSpotX = nullptr,
                const int *hotSpotY = nullptr)
{
    const int count = image.array ? ZafImageData::PixelCount(image.width, image.height) : 0;
    file.Write32(static_cast<std::int32_t>(count ? image.width : 0));
    file.Write32(static_cast<std::int32_t>(count ? image.height : 0));
    if (hotSpotX)
    {
        file.Write32(static_cast<std::int32_t>(*hotSpotX));
        file.Write32(static_cast<std::int32_t>(*hotSpotY));
    }
    if (count)
        file.WriteBytes(image.array, count);
}

// The steps the three image classes share. release is the class's own
// release of the handles made from the old pixels, which always comes first.

// No handles, no pixels, 0 x 0, error 0; one notification.
template <class Data, class Release> void ClearImageData(Data &data, Release release)
{
    data.StartUpdate();
    release();
    FreePixels(data);
    data.SetError(0);
    data.EndUpdate();
}

// New pixels of a size (as ZafImageData::SetImage); one notification.
template <class Data, class Release>
int SetImageData(Data &data, Release release, int width, int height, const std::uint8_t *pixels)
{
    release();
    data.StartUpdate();
    ZafImageData::SetImage(data, width, height, pixels);
    data.EndUpdate();
    return 0;
}

} // namespace

// ---- Descriptions ----------------------------------------------------------------

ZafBitmapStruct::ZafBitmapStruct(int w, int h, std::uint8_t *pixels, bool staticPixels)
    : ZafImageStruct{w, h, pixels, staticPixels}
{
}

ZafIconStruct::ZafIconStruct(int w, int h, std::uint8_t *pixels, bool staticPixels)
    : ZafImageStruct{w, h, pixels, staticPixels}
{
}

ZafMouseStruct::ZafMouseStruct(int w, int h, std::uint8_t *pixels, int x, int y, bool staticPixels)
    : ZafImageStruct{w, h, pixels, staticPixels}, hotSpotX(x), hotSpotY(y)
{
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

ZafBitmapData::ZafBitmapData(const char *name, ZafDataPersistence &persistence)
    : ZafImageData(name, persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry))
{
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ReadImage(file, *this); });
}

ZafBitmapData::~ZafBitmapData()
{
    ReleaseHandles();
    FreePixels(*this);
}

ZafElement *ZafBitmapData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafBitmapData(name, persistence);
}

bool ZafBitmapData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafImageData::IsClassID(id);
}

bool ZafBitmapData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafImageData::IsClassName(name);
}

std::uint32_t ZafBitmapData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafImageData>(*this, persistence, ZafDataPersistence::topLevelEntry,
                                       [this](ZafFile &file) { WriteImage(file, *this); });
}

void ZafBitmapData::ReleaseHandles()
{
    if (!staticHandle)
    {
        if (bitmapHandle)
            DeleteObject(bitmapHandle);
        if (maskHandle)
            DeleteObject(maskHandle);
    }
    ClearBitmapHandles(static_cast<ZafBitmapStruct &>(*this));
}

void ZafBitmapData::Clear()
{
    ClearImageData(*this, [this] { ReleaseHandles(); });
}

int ZafBitmapData::SetBitmapStruct(const ZafBitmapStruct &bitmap)
{
    ReleaseHandles();
    StartUpdate();
    CopyImage(*this, bitmap);
    staticHandle = bitmap.staticHandle;
    if (staticHandle)
        CopyBitmapHandles(static_cast<ZafBitmapStruct &>(*this), bitmap);
    EndUpdate();
    return 0;
}

int ZafBitmapData::SetBitmapArray(int w, int h, const std::uint8_t *pixels)
{
    return SetImageData(*this, [this] { ReleaseHandles(); }, w, h, pixels);
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

ZafIconData::ZafIconData(const char *name, ZafDataPersistence &persistence)
    : ZafImageData(name, persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry))
{
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ReadImage(file, *this); });
}

ZafIconData::~ZafIconData()
{
    ReleaseHandle();
    FreePixels(*this);
}

ZafElement *ZafIconData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafIconData(name, persistence);
}

bool ZafIconData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafImageData::IsClassID(id);
}

bool ZafIconData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafImageData::IsClassName(name);
}

std::uint32_t ZafIconData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafImageData>(*this, persistence, ZafDataPersistence::topLevelEntry,
                                       [this](ZafFile &file) { WriteImage(file, *this); });
}

void ZafIconData::ReleaseHandle()
{
    if (!staticHandle && iconHandle)
        DestroyIcon(iconHandle);
    ClearIconHandle(static_cast<ZafIconStruct &>(*this));
}

void ZafIconData::Clear()
{
    ClearImageData(*this, [this] { ReleaseHandle(); });
}

int ZafIconData::SetIconStruct(const ZafIconStruct &icon)
{
    ReleaseHandle();
    StartUpdate();
    CopyImage(*this, icon);
    staticHandle = icon.staticHandle;
    if (staticHandle)
        CopyIconHandle(static_cast<ZafIconStruct &>(*this), icon);
    EndUpdate();
    return 0;
}

int ZafIconData::SetIconArray(int w, int h, const std::uint8_t *pixels)
{
    return SetImageData(*this, [this] { ReleaseHandle(); }, w, h, pixels);
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

ZafMouseData::ZafMouseData(const char *name, ZafDataPersistence &persistence)
    : ZafImageData(name, persistence.PushLevel(className, classID, ZafDataPersistence::topLevelEntry))
{
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ReadImage(file, *this, &hotSpotX, &hotSpotY); });
}

ZafMouseData::~ZafMouseData()
{
    ReleaseHandle();
    FreePixels(*this);
}

ZafElement *ZafMouseData::New(const char *name, ZafDataPersistence &persistence)
{
    return new ZafMouseData(name, persistence);
}

bool ZafMouseData::IsClassID(ZafClassID id) const
{
    return id == classID || ZafImageData::IsClassID(id);
}

bool ZafMouseData::IsClassName(const char *name) const
{
    return ZafIsOwnClassName(name, className) || ZafImageData::IsClassName(name);
}

std::uint32_t ZafMouseData::Write(ZafDataPersistence &persistence)
{
    return ZafWriteLevel<ZafImageData>(*this, persistence, ZafDataPersistence::topLevelEntry,
                                       [this](ZafFile &file) { WriteImage(file, *this, &hotSpotX, &hotSpotY); });
}

void ZafMouseData::ReleaseHandle()
{
    if (!staticHandle && cursorHandle)
        DestroyCursor(cursorHandle);
    cursorHandle = nullptr;
}

void ZafMouseData::Clear()
{
    ClearImageData(*this, [this] { ReleaseHandle(); });
}

int ZafMouseData::SetHotSpot(int x, int y)
{
    hotSpotX = x;
    hotSpotY = y;
    return 0;
}

int ZafMouseData::SetMouseStruct(const ZafMouseStruct &mouse)
{
    ReleaseHandle();
    StartUpdate();
    CopyImage(*this, mouse);
    staticHandle = mouse.staticHandle;
    EndUpdate();
    return 0;
}

int ZafMouseData::SetMouseArray(int w, int h, const std::uint8_t *pixels)
{
    return SetImageData(*this, [this] { ReleaseHandle(); }, w, h, pixels);
}
