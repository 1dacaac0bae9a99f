#include "zaf/data/ZafBitmapData.h"

#include "zaf/core/ZafDisplay.h"
#include "zaf/data/ZafDataClassSupport.h"
#include "zaf/data/ZafFile.h"

namespace {

// The display releases the handles made from the old pixels (unless the
// description marks them static) and clears them.
void ReleaseHandles(ZafBitmapStruct &bitmap)
{
    ZafDisplay::ForImages().DestroyBitmapHandle(bitmap);
}

void ReleaseHandles(ZafIconStruct &icon)
{
    ZafDisplay::ForImages().DestroyIconHandle(icon);
}

void ReleaseHandles(ZafMouseStruct &mouse)
{
    ZafDisplay::ForImages().DestroyMouseHandle(mouse);
}

// The pixel array is freed unless static; the image then has none and is
// 0 x 0, so that its size never promises pixels it does not have (a reader
// or the display would take width x height bytes from it).
void ReleasePixels(ZafBitmapStruct &bitmap)
{
    ZafDisplay::ForImages().DestroyBitmapArray(bitmap);
    bitmap.width = bitmap.height = 0;
}

void ReleasePixels(ZafIconStruct &icon)
{
    ZafDisplay::ForImages().DestroyIconArray(icon);
    icon.width = icon.height = 0;
}

// The display leaves a cursor's array to its owner, so the cursor frees its
// own (it would otherwise never be freed).
void ReleasePixels(ZafMouseStruct &mouse)
{
    ZafDisplay::ForImages().DestroyMouseArray(mouse);
    ZafImageData::SetImage(mouse, 0, 0, nullptr);
}

// Reads the pixel bytes of a size into a new owned array. A negative or
// overflowing size, or more pixels than the file holds after its position,
// is refused with error 16 and leaves the image empty: a damaged record
// neither allocates for a size it cannot fill nor leaves a size whose
// pixels were never read.
void ReadPixels(ZafFile &file, ZafImageStruct &image, int width, int height)
{
    image = ZafImageStruct();
    if (width == 0 && height == 0)
        return;
    const int count = ZafImageData::PixelCount(width, height);
    const int remaining = file.Length() - file.Tell();
    if (count <= 0 || count > remaining) {
        file.SetError(ZafError::Read);
        return;
    }
    std::uint8_t *pixels = new std::uint8_t[count];
    if (file.ReadBytes(pixels, count) != count) {
        delete[] pixels;
        file.SetError(ZafError::Read);
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
    if (hotSpotX) {
        moved += file.Read32(x) + file.Read32(y);
        *hotSpotX = x;
        *hotSpotY = y;
    }
    if (moved != (hotSpotX ? 16 : 8))
        file.SetError(ZafError::Read);
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
    if (hotSpotX) {
        file.Write32(static_cast<std::int32_t>(*hotSpotX));
        file.Write32(static_cast<std::int32_t>(*hotSpotY));
    }
    if (count)
        file.WriteBytes(image.array, count);
}

// The steps the three image classes share. The handles made from the old
// pixels are always released first.

// No handles, no pixels, 0 x 0, error 0; one notification.
template <class Data> void ClearImageData(Data &data)
{
    data.StartUpdate();
    ReleaseHandles(data);
    ReleasePixels(data);
    data.SetError(0);
    data.EndUpdate();
}

// New pixels of a size (as ZafImageData::SetImage); one notification.
template <class Data> int SetImageData(Data &data, int width, int height, const std::uint8_t *pixels)
{
    ReleaseHandles(data);
    data.StartUpdate();
    ZafImageData::SetImage(data, width, height, pixels);
    data.EndUpdate();
    return 0;
}

} // namespace

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
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ReadData(file, *this); });
}

void ZafBitmapData::ReadData(ZafFile &file, ZafImageStruct &image)
{
    ReadImage(file, image);
}

void ZafBitmapData::WriteData(ZafFile &file, const ZafImageStruct &image)
{
    WriteImage(file, image);
}

ZafBitmapData::~ZafBitmapData()
{
    ReleaseHandles(*this);
    ReleasePixels(*this);
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
                                       [this](ZafFile &file) { WriteData(file, *this); });
}

void ZafBitmapData::Clear()
{
    ClearImageData(*this);
}

int ZafBitmapData::SetBitmapStruct(const ZafBitmapStruct &bitmap)
{
    ReleaseHandles(*this);
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
    return SetImageData(*this, w, h, pixels);
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
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ZafBitmapData::ReadData(file, *this); });
}

ZafIconData::~ZafIconData()
{
    ReleaseHandles(*this);
    ReleasePixels(*this);
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
                                       [this](ZafFile &file) { ZafBitmapData::WriteData(file, *this); });
}

void ZafIconData::Clear()
{
    ClearImageData(*this);
}

int ZafIconData::SetIconStruct(const ZafIconStruct &icon)
{
    ReleaseHandles(*this);
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
    return SetImageData(*this, w, h, pixels);
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
    ZafReadLevel(*this, persistence, [this](ZafFile &file) { ReadData(file); });
}

void ZafMouseData::ReadData(ZafFile &file)
{
    ReadImage(file, *this, &hotSpotX, &hotSpotY);
}

void ZafMouseData::WriteData(ZafFile &file) const
{
    WriteImage(file, *this, &hotSpotX, &hotSpotY);
}

ZafMouseData::~ZafMouseData()
{
    ReleaseHandles(*this);
    ReleasePixels(*this);
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
                                       [this](ZafFile &file) { WriteData(file); });
}

void ZafMouseData::Clear()
{
    ClearImageData(*this);
}

int ZafMouseData::SetHotSpot(int x, int y)
{
    hotSpotX = x;
    hotSpotY = y;
    return 0;
}

int ZafMouseData::SetMouseStruct(const ZafMouseStruct &mouse)
{
    ReleaseHandles(*this);
    StartUpdate();
    CopyImage(*this, mouse);
    staticHandle = mouse.staticHandle;
    EndUpdate();
    return 0;
}

int ZafMouseData::SetMouseArray(int w, int h, const std::uint8_t *pixels)
{
    return SetImageData(*this, w, h, pixels);
}
