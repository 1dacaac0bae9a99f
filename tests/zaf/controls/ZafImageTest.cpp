// Images: the checks of a ".bmp" file over a table of good and broken
// headers, a corrupt-input run over mutated files (errors, never a read
// past the file), a picture loaded from a file along its changed extension
// and its auto size, centring, tiling, and the round trip.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"
#include "tests/support/Mutations.h"
#include "tests/support/TempDirectory.h"

#include "zaf/controls/ZafImage.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

using controltest::ControlTest;

namespace {

using testsupport::Bytes;
using testsupport::Random;
using Error = ZafImage::BitmapFileError;
using testsupport::PutWord;

// A ".bmp" file: header of headerSize bytes, colour table, bit-field masks
// after a 40-byte header, rows of the given colour byte.
Bytes MakeBmp(int width, int height, int bitCount, std::uint32_t headerSize = 40, std::uint32_t compression = BI_RGB,
              unsigned char fill = 0x5A)
{
    const int colors = bitCount <= 8 ? 1 << bitCount : 0;
    const std::size_t masks = compression == BI_BITFIELDS && headerSize == 40 ? 12 : 0;
    const std::size_t stride = (static_cast<std::size_t>(width) * bitCount + 31) / 32 * 4;
    const std::size_t offset = 14 + headerSize + masks + 4u * colors;
    Bytes bytes(offset + stride * static_cast<std::size_t>(height < 0 ? -height : height), fill);
    std::fill(bytes.begin(), bytes.begin() + static_cast<long>(offset), 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutWord(bytes, 2, static_cast<std::uint32_t>(bytes.size()), 4);
    PutWord(bytes, 10, static_cast<std::uint32_t>(offset), 4);
    PutWord(bytes, 14, headerSize, 4);
    PutWord(bytes, 18, static_cast<std::uint32_t>(width), 4);
    PutWord(bytes, 22, static_cast<std::uint32_t>(height), 4);
    PutWord(bytes, 26, 1, 2);
    PutWord(bytes, 28, static_cast<std::uint32_t>(bitCount), 2);
    PutWord(bytes, 30, compression, 4);
    if (compression == BI_BITFIELDS) {
        const std::size_t at = 14 + (headerSize == 40 ? 40 : 40);
        const bool wide = bitCount == 32;
        PutWord(bytes, at, wide ? 0xFF0000u : 0xF800u, 4);
        PutWord(bytes, at + 4, wide ? 0x00FF00u : 0x07E0u, 4);
        PutWord(bytes, at + 8, wide ? 0x0000FFu : 0x001Fu, 4);
    }
    for (int i = 0; i < colors; ++i)
        PutWord(bytes, 14 + headerSize + masks + 4u * i, 0x010203u * static_cast<std::uint32_t>(i), 4);
    return bytes;
}

struct HeaderCase
{
    const char *name;
    Bytes bytes;
    Error expected;
};

Bytes With(Bytes bytes, std::size_t at, std::uint32_t value, int width)
{
    PutWord(bytes, at, value, width);
    return bytes;
}

Bytes Cut(Bytes bytes, std::size_t drop)
{
    bytes.resize(bytes.size() - drop);
    return bytes;
}

std::vector<HeaderCase> HeaderCases()
{
    const Bytes rgb = MakeBmp(5, 3, 24);
    const Bytes indexed = MakeBmp(7, 4, 8);
    return {
        {"Rgb24", rgb, ZafImage::bitmapValid},
        {"Indexed8", indexed, ZafImage::bitmapValid},
        {"Mono", MakeBmp(9, 2, 1), ZafImage::bitmapValid},
        {"TopDown", MakeBmp(4, -4, 32), ZafImage::bitmapValid},
        {"BitFields16", MakeBmp(6, 2, 16, 40, BI_BITFIELDS), ZafImage::bitmapValid},
        {"Version5Header", MakeBmp(6, 2, 32, 124, BI_BITFIELDS), ZafImage::bitmapValid},
        {"FewerColoursUsed", With(MakeBmp(4, 2, 8), 46, 16, 4), ZafImage::bitmapValid},
        {"LastRowCut", Cut(rgb, 1), ZafImage::bitmapBitsTooShort},
        {"HeightBeyondTheFile", With(rgb, 22, 4000, 4), ZafImage::bitmapBitsTooShort},
        {"WidthBeyondTheFile", With(rgb, 18, 65535, 4), ZafImage::bitmapBitsTooShort},
        {"NotBM", With(rgb, 0, 'X', 1), ZafImage::bitmapNotBM},
        {"CoreHeader", With(rgb, 14, 12, 4), ZafImage::bitmapHeaderSize},
        {"HugeHeader", With(rgb, 14, 0x7FFFFFFF, 4), ZafImage::bitmapHeaderSize},
        {"ZeroWidth", With(rgb, 18, 0, 4), ZafImage::bitmapDimensions},
        {"NegativeWidth", With(rgb, 18, 0xFFFFFFFB, 4), ZafImage::bitmapDimensions},
        {"MinimumHeight", With(rgb, 22, 0x80000000u, 4), ZafImage::bitmapDimensions},
        {"TwoPlanes", With(rgb, 26, 2, 2), ZafImage::bitmapPlanes},
        {"SevenBits", With(rgb, 28, 7, 2), ZafImage::bitmapBitCount},
        {"RunLength", With(indexed, 30, BI_RLE8, 4), ZafImage::bitmapCompression},
        {"BitFields24", With(rgb, 30, BI_BITFIELDS, 4), ZafImage::bitmapCompression},
        {"TooManyColours", With(indexed, 46, 257, 4), ZafImage::bitmapColorCount},
        {"ColoursForMono", With(MakeBmp(9, 2, 1), 46, 3, 4), ZafImage::bitmapColorCount},
        {"BitsInsideTheTable", With(indexed, 10, 60, 4), ZafImage::bitmapOffset},
        {"BitsPastTheEnd", With(rgb, 10, 0xFFFFFFF0u, 4), ZafImage::bitmapOffset},
        {"HeaderOnly", Bytes(rgb.begin(), rgb.begin() + 30), ZafImage::bitmapTooShort},
    };
}

class BitmapHeader : public testing::TestWithParam<HeaderCase>
{};

TEST_P(BitmapHeader, IsCheckedFieldByField)
{
    ZafImage::BitmapFile file;
    const Bytes &bytes = GetParam().bytes;
    EXPECT_EQ(GetParam().expected, ZafImage::ParseBitmapFile(bytes.data(), bytes.size(), file));
    if (GetParam().expected == ZafImage::bitmapValid) {
        EXPECT_GE(bytes.data() + bytes.size(), file.bits + file.bitsSize);
        EXPECT_EQ(40u, file.Info()->bmiHeader.biSize);
    }
}

INSTANTIATE_TEST_SUITE_P(Files, BitmapHeader, testing::ValuesIn(HeaderCases()),
                         [](const testing::TestParamInfo<HeaderCase> &info) { return std::string(info.param.name); });

// The bytes placed so that they end where a page no one may read begins:
// a read past the file faults at once.
class GuardedCopy
{
public:
    explicit GuardedCopy(const Bytes &bytes)
    {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        const std::size_t page = system.dwPageSize;
        const std::size_t pages = (bytes.size() + page - 1) / page + 1;
        block = static_cast<unsigned char *>(VirtualAlloc(nullptr, pages * page, MEM_COMMIT, PAGE_READWRITE));
        DWORD old;
        VirtualProtect(block + (pages - 1) * page, page, PAGE_NOACCESS, &old);
        data = block + (pages - 1) * page - bytes.size();
        std::memcpy(data, bytes.data(), bytes.size());
    }
    ~GuardedCopy() { VirtualFree(block, 0, MEM_RELEASE); }
    GuardedCopy(const GuardedCopy &) = delete;
    GuardedCopy &operator=(const GuardedCopy &) = delete;
    unsigned char *data;

private:
    unsigned char *block;
};

// One to three mutations of a good file: a header field set to a telling
// value, a flipped bit or a random byte anywhere, or the file cut short.
Bytes Mutate(const Bytes &base, Random &random)
{
    static const std::size_t fields[][2] = {{2, 4},  {10, 4}, {14, 4}, {18, 4}, {22, 4},
                                            {26, 2}, {28, 2}, {30, 4}, {34, 4}, {46, 4}};
    static const std::uint32_t values[] = {0,   1,      2,      3,       4,          8,           12,
                                           16,  24,     32,     40,      124,        255,         256,
                                           257, 0x7FFF, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu};
    const std::size_t valueCount = sizeof values / sizeof values[0];
    const std::uint32_t any = random.Next();
    Bytes bytes = base;
    const int count = 1 + static_cast<int>(random.Below(3));
    for (int i = 0; i < count && !bytes.empty(); ++i) {
        switch (random.Below(4)) {
        case 0: {
            const auto &field = fields[random.Below(10)];
            // Past the table: the file's size, or any value.
            const std::uint32_t pick = random.Below(valueCount + 2);
            const std::uint32_t value = pick < valueCount    ? values[pick]
                                        : pick == valueCount ? static_cast<std::uint32_t>(base.size())
                                                             : any;
            PutWord(bytes, field[0], value, static_cast<int>(field[1]));
            break;
        }
        case 1:
            bytes[random.Below(static_cast<std::uint32_t>(bytes.size()))] ^=
                static_cast<unsigned char>(1u << random.Below(8));
            break;
        case 2:
            bytes[random.Below(static_cast<std::uint32_t>(bytes.size()))] = static_cast<unsigned char>(random.Next());
            break;
        default:
            bytes.resize(random.Below(static_cast<std::uint32_t>(bytes.size())));
            break;
        }
    }
    return bytes;
}

class ImageTest : public ControlTest
{
protected:
    void WriteFile(const Bytes &bytes) const { testsupport::WriteWholeFile(stem + ".bmp", bytes); }
    testsupport::TempDirectory directory{"zafimage"};
    const std::string stem = directory.File("picture");
};

TEST_F(ImageTest, TenThousandMutatedFilesAreErrorsOrPicturesNeverReadsPastTheFile)
{
    const Bytes bases[] = {MakeBmp(13, 7, 24),
                           MakeBmp(16, 5, 8),
                           MakeBmp(11, 6, 4),
                           MakeBmp(33, 3, 1),
                           MakeBmp(9, 4, 16, 40, BI_BITFIELDS),
                           MakeBmp(5, -6, 32, 108, BI_BITFIELDS)};
    Random random(20261206);
    ZafImage image(0, 0, 10, 10, nullptr);
    image.SetError(0);
    int refused = 0, loaded = 0;
    for (int run = 0; run < 10000; ++run) {
        const Bytes bytes = Mutate(bases[random.Below(6)], random);
        GuardedCopy guarded(bytes);
        ZafImage::BitmapFile file;
        if (ZafImage::ParseBitmapFile(guarded.data, bytes.size(), file) != ZafImage::bitmapValid) {
            ++refused;
            continue;
        }
        ASSERT_LE(file.bits + file.bitsSize, guarded.data + bytes.size()) << run;
        // Windows reads the rows from the guarded copy: past its end it faults.
        if (image.MakeBitmap(file.Info(), file.colorCount, file.bits)) {
            ++loaded;
            EXPECT_EQ(file.width, image.PictureWidth()) << run;
        }
        image.DestroyImageHandles();
    }
    EXPECT_EQ(10000, refused + loaded) << "every file is refused or loaded";
    EXPECT_GT(refused, 1000);
    EXPECT_GT(loaded, 1000);
}

TEST_F(ImageTest, MutatedFilesOnDiskLeaveAnErrorAndNoPicture)
{
    Random random(7);
    const Bytes base = MakeBmp(12, 9, 8);
    ZafImage image(0, 0, 10, 10, nullptr);
    int errors = 0;
    for (int run = 0; run < 300; ++run) {
        Bytes bytes = Mutate(base, random);
        WriteFile(bytes);
        ZafImage::BitmapFile file;
        const bool valid = ZafImage::ParseBitmapFile(bytes.data(), bytes.size(), file) == ZafImage::bitmapValid;
        const int result = image.SetImageName((stem + ".pic").c_str());
        if (!valid) {
            EXPECT_EQ(ZafImage::errorNotFound, result) << run;
            EXPECT_EQ(nullptr, image.BitmapHandle()) << run;
            ++errors;
        }
    }
    EXPECT_GT(errors, 30);
}

TEST_F(ImageTest, LoadsTheNameWithItsExtensionChangedAndSizesItselfToThePicture)
{
    WriteFile(MakeBmp(40, 30, 24));
    auto *image = Add(new ZafImage(0, 0, 1, 1, (stem + ".pcx").c_str()));
    EXPECT_EQ(0, image->Error());
    EXPECT_EQ(40, image->PictureWidth());
    EXPECT_EQ(30, image->PictureHeight());
    image->SetRegion(ZafRegionRect(10, 10, 500, 500, ZAF_PIXEL));
    image->SetAutoSize(true);
    Show();
    image->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
    const RECT placed = bartest::PlaceInParent(image->OSHandle());
    EXPECT_EQ(10, placed.left);
    EXPECT_EQ(50, placed.right);
    EXPECT_EQ(40, placed.bottom);
    // Windows shows the file's colour (0x5A in every byte) at the corner.
    bartest::Painted painted(image->OSHandle());
    EXPECT_EQ(RGB(0x5A, 0x5A, 0x5A), painted.At(0, 0));
    EXPECT_EQ(RGB(0x5A, 0x5A, 0x5A), painted.At(39, 29));
}

TEST_F(ImageTest, AMissingPictureIsAnErrorAndDrawsTheBackgroundOnly)
{
    auto *image = Add(new ZafImage(0, 0, 1, 1, (stem + "-none").c_str()));
    EXPECT_EQ(ZafImage::errorNotLoaded, image->Error());
    EXPECT_EQ(nullptr, image->BitmapHandle());
    EXPECT_EQ(ZafImage::errorNotFound, image->SetImageName("#999"));
    image->SetRegion(ZafRegionRect(0, 0, 19, 19, ZAF_PIXEL));
    Show();
    bartest::Painted painted(image->OSHandle());
    EXPECT_EQ(0, painted.CountOther(0, 0, 19, 19, image->BackgroundColor()));
}

TEST_F(ImageTest, TilesTheLastColumnCutToTheRegion)
{
    Bytes picture = MakeBmp(40, 30, 24);
    // A dark last column in the picture shows where each copy ends.
    for (int y = 0; y < 30; ++y)
        for (int b = 0; b < 3; ++b)
            picture[picture.size() - static_cast<std::size_t>(y) * 120 - 1 - static_cast<std::size_t>(b)] = 0;
    WriteFile(picture);
    auto *image = Add(new ZafImage(0, 0, 1, 1, (stem + ".bmp").c_str()));
    image->SetRegion(ZafRegionRect(0, 0, 99, 29, ZAF_PIXEL));
    image->SetWallpaper(true);
    Show();
    bartest::Painted painted(image->OSHandle());
    EXPECT_EQ(RGB(0, 0, 0), painted.At(39, 5));
    EXPECT_EQ(RGB(0, 0, 0), painted.At(79, 5));
    EXPECT_EQ(RGB(0x5A, 0x5A, 0x5A), painted.At(80, 5));
    EXPECT_EQ(RGB(0x5A, 0x5A, 0x5A), painted.At(99, 5));
}

TEST_F(ImageTest, RoundTripKeepsNameValueAndFlags)
{
    WriteFile(MakeBmp(4, 4, 24));
    ZafPersistenceRegistry::RegisterNew(ZafImage::className, ZafObjectNew<ZafImage::New>);
    ZafImage stored(0, 0, 10, 5, (stem + ".bmp").c_str(), 77);
    stored.SetScaled(true);
    stored.SetParentImage(true);
    auto read = fieldtest::RoundTrip(stored, "PICTURE");
    EXPECT_STREQ(stored.ImageName(), read->ImageName());
    EXPECT_EQ(77, read->Value());
    EXPECT_TRUE(read->Scaled());
    EXPECT_TRUE(read->ParentImage());
    EXPECT_FALSE(read->OwnWindow());
    EXPECT_EQ(4, read->PictureWidth());
}

} // namespace
