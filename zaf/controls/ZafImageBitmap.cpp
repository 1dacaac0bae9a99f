// ZafImage: loading the picture from a bitmap resource or a ".bmp" file,
// and the checks a ".bmp" file passes before Windows sees it.
#include "zaf/controls/ZafImage.h"

#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/data/ZafCodeSetData.h"
#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafPath.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr std::size_t fileHeaderSize = 14;
constexpr std::size_t infoHeaderSize = 40;
constexpr std::uint16_t bitmapType = 0x4D42; // "BM"
constexpr int maxDimension = 65535;
constexpr std::size_t maskBytes = 12; // red, green and blue masks of bit fields

std::uint32_t Word32(const unsigned char *p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Word16(const unsigned char *p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

bool KnownHeaderSize(std::uint32_t size)
{
    // The info header and its later versions, which begin with its 40 bytes.
    return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool KnownBitCount(int bits)
{
    return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

} // namespace

ZafImage::BitmapFileError ZafImage::ParseBitmapFile(const unsigned char *bytes, std::size_t size, BitmapFile &file)
{
    file = BitmapFile();
    if (!bytes || size < fileHeaderSize + infoHeaderSize)
        return bitmapTooShort;
    if (Word16(bytes) != bitmapType)
        return bitmapNotBM;
    const std::uint32_t bitsOffset = Word32(bytes + 10);
    const unsigned char *header = bytes + fileHeaderSize;
    const std::uint32_t headerSize = Word32(header);
    if (!KnownHeaderSize(headerSize))
        return bitmapHeaderSize;
    if (size < fileHeaderSize + headerSize)
        return bitmapTooShort;
    const std::int32_t width = static_cast<std::int32_t>(Word32(header + 4));
    const std::int32_t height = static_cast<std::int32_t>(Word32(header + 8));
    // A negative height is a top-down picture; the minimum has no positive.
    if (width <= 0 || width > maxDimension || height == 0 || height < -maxDimension || height > maxDimension)
        return bitmapDimensions;
    if (Word16(header + 12) != 1)
        return bitmapPlanes;
    const int bitCount = Word16(header + 14);
    if (!KnownBitCount(bitCount))
        return bitmapBitCount;
    // Run-length compressed bits end where their codes say, not where the
    // rows do, so they are refused rather than trusted.
    const std::uint32_t compression = Word32(header + 16);
    const bool bitFields = compression == BI_BITFIELDS;
    if (!(compression == BI_RGB || (bitFields && (bitCount == 16 || bitCount == 32))))
        return bitmapCompression;
    // The masks follow a 40-byte header; the later headers hold them.
    const std::size_t masksAfter = bitFields && headerSize == infoHeaderSize ? maskBytes : 0;
    const std::uint32_t colorsUsed = Word32(header + 32);
    const std::uint32_t colorLimit = bitCount <= 8 ? 1u << bitCount : 256u;
    if (colorsUsed > colorLimit)
        return bitmapColorCount;
    const std::uint32_t colors = colorsUsed ? colorsUsed : (bitCount <= 8 ? colorLimit : 0);
    const std::size_t tableStart = fileHeaderSize + headerSize + masksAfter;
    const std::size_t tableEnd = tableStart + 4u * colors;
    if (tableEnd > size)
        return bitmapTooShort;
    if (bitsOffset < tableEnd || bitsOffset > size)
        return bitmapOffset;
    // Rows are padded to 4 bytes; 64 bits hold any of these products.
    const std::uint64_t stride = (static_cast<std::uint64_t>(width) * bitCount + 31) / 32 * 4;
    const std::uint64_t rows = static_cast<std::uint64_t>(height < 0 ? -static_cast<std::int64_t>(height) : height);
    const std::uint64_t needed = stride * rows;
    if (needed > size - bitsOffset)
        return bitmapBitsTooShort;

    // Windows gets a header of 40 bytes, whatever version the file holds.
    file.info.assign(infoHeaderSize + (bitFields ? maskBytes : 0) + 4u * colors, 0);
    std::memcpy(file.info.data(), header, infoHeaderSize);
    auto *info = reinterpret_cast<BITMAPINFOHEADER *>(file.info.data());
    info->biSize = infoHeaderSize;
    info->biClrUsed = colors;
    info->biSizeImage = static_cast<DWORD>(needed);
    unsigned char *after = file.info.data() + infoHeaderSize;
    if (bitFields) {
        std::memcpy(after, header + (masksAfter ? headerSize : infoHeaderSize), maskBytes);
        after += maskBytes;
    }
    if (colors)
        std::memcpy(after, bytes + tableStart, 4u * colors);
    file.bits = bytes + bitsOffset;
    file.bitsSize = static_cast<std::size_t>(needed);
    file.width = width;
    file.height = height < 0 ? -height : height;
    file.colorCount = static_cast<int>(colors);
    return bitmapValid;
}

bool ZafImage::MakeBitmap(const BITMAPINFO *info, int colorCount, const void *bits)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    if (display && display->UsesPalette() && colorCount > 0 && colorCount <= 256) {
        std::vector<unsigned char> block(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colorCount);
        auto *logical = reinterpret_cast<LOGPALETTE *>(block.data());
        logical->palVersion = 0x300;
        logical->palNumEntries = static_cast<WORD>(colorCount);
        for (int i = 0; i < colorCount; ++i) {
            const RGBQUAD &c = info->bmiColors[i];
            logical->palPalEntry[i] = PALETTEENTRY{c.rgbRed, c.rgbGreen, c.rgbBlue, 0};
        }
        palette = CreatePalette(logical);
    }
    HDC screen = GetDC(nullptr);
    HPALETTE old = nullptr;
    if (palette) {
        old = SelectPalette(screen, palette, TRUE);
        RealizePalette(screen);
    }
    bitmap = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bits, info, DIB_RGB_COLORS);
    if (old)
        SelectPalette(screen, old, TRUE);
    ReleaseDC(nullptr, screen);
    if (!bitmap)
        return false;
    BITMAP shape;
    if (GetObjectA(bitmap, sizeof shape, &shape)) {
        pictureWidth = shape.bmWidth;
        pictureHeight = shape.bmHeight;
    }
    return true;
}

bool ZafImage::LoadResourceBitmap()
{
    if (!imageName || !*imageName)
        return false;
    HMODULE module = ZafInstance();
    // The resource name in the operating system's character set.
    std::unique_ptr<char[]> converted(zafCodeSetConversion ? ConvertTextByCodeSet(imageName, nullptr, true)
                                                           : nullptr);
    HRSRC found = FindResourceA(module, converted ? converted.get() : imageName, MAKEINTRESOURCEA(2)); // RT_BITMAP
    if (!found)
        return false;
    HGLOBAL loaded = LoadResource(module, found);
    const auto *data = static_cast<const unsigned char *>(loaded ? LockResource(loaded) : nullptr);
    const DWORD size = SizeofResource(module, found);
    if (!data || size < infoHeaderSize)
        return false;
    // The program's own resources: the header and table are the linker's.
    // A table shorter than the bit count allows (biClrUsed) is taken at its
    // stored length: counting 2^bits entries would read the bits from the
    // wrong place and show a garbled picture.
    const auto *info = reinterpret_cast<const BITMAPINFO *>(data);
    const int bitCount = info->bmiHeader.biBitCount;
    const int colors =
        info->bmiHeader.biClrUsed ? static_cast<int>(info->bmiHeader.biClrUsed) : (bitCount <= 8 ? 1 << bitCount : 0);
    const std::size_t bitsAt = info->bmiHeader.biSize + 4u * colors;
    if (bitsAt > size)
        return false;
    return MakeBitmap(info, colors, data + bitsAt);
}

bool ZafImage::LoadFileBitmap()
{
    if (!imageName || !*imageName)
        return false;
    std::string path(imageName);
    path.resize(path.size() + 8);
    ChangeExtension(&path[0], ".bmp");
    path.resize(std::strlen(path.c_str()));
    ZafDiskFile disk(path.c_str(), 0x21); // read, binary
    if (!disk.IsOpen())
        return false;
    const int length = disk.Length();
    if (length <= 0 || static_cast<std::size_t>(length) > maxFileSize)
        return false;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(length));
    disk.Seek(0, 0);
    if (disk.ReadBytes(bytes.data(), length) != length)
        return false;
    BitmapFile file;
    if (ParseBitmapFile(bytes.data(), bytes.size(), file) != bitmapValid)
        return false;
    return MakeBitmap(file.Info(), file.colorCount, file.bits);
}
