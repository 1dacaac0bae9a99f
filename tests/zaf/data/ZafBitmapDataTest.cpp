// Image data: static and owned pixel arrays, copies, sizes and handles.
#include "zaf/data/ZafBitmapData.h"

#include "zaf/core/ZafDisplay.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::uint8_t builtInPixels[6] = {1, 2, 3, 4, 5, 6};

} // namespace

TEST(ImageData, StaticPixelsAreSharedOwnedPixelsCopied)
{
    ZafBitmapStruct builtIn(3, 2, builtInPixels, true);
    ZafBitmapData shared(builtIn);
    EXPECT_EQ(shared.array, builtInPixels);
    EXPECT_TRUE(shared.staticArray);

    std::vector<std::uint8_t> pixels = {9, 8, 7, 6, 5, 4};
    ZafBitmapStruct callers(3, 2, pixels.data(), false);
    ZafBitmapData owned(callers);
    EXPECT_NE(owned.array, pixels.data());
    EXPECT_EQ(std::vector<std::uint8_t>(owned.array, owned.array + 6), pixels);
    EXPECT_EQ(owned.width, 3);
    EXPECT_EQ(owned.height, 2);
}

TEST(ImageData, DeletingACopyLeavesTheOriginal)
{
    std::vector<std::uint8_t> pixels = {1, 2, 3, 4};
    ZafIconData original(ZafIconStruct(2, 2, pixels.data(), false));
    {
        ZafIconData copy(original);
        EXPECT_NE(copy.array, original.array);
        EXPECT_EQ(copy.array[3], 4);
    }
    EXPECT_EQ(original.array[3], 4);

    ZafIconData builtIn(ZafIconStruct(3, 2, builtInPixels, true));
    {
        ZafIconData copy(builtIn);
        EXPECT_EQ(copy.array, builtInPixels);
    }
    EXPECT_EQ(builtInPixels[5], 6);  // never freed
}

TEST(ImageData, SetArrayReplacesThePixels)
{
    ZafBitmapData data;
    EXPECT_EQ(data.array, nullptr);
    EXPECT_EQ(data.width, 0);
    std::uint8_t pixels[4] = {1, 2, 3, 4};
    data.SetBitmapArray(2, 2, pixels);
    EXPECT_NE(data.array, pixels);
    EXPECT_EQ(data.array[2], 3);
    // A size without pixels gives blank pixels; a negative or an overflowing
    // size gives 0 x 0 without pixels.
    data.SetBitmapArray(2, 2, nullptr);
    ASSERT_NE(data.array, nullptr);
    EXPECT_EQ(data.array[3], 0);
    data.SetBitmapArray(-2, 2, pixels);
    EXPECT_EQ(data.array, nullptr);
    data.SetBitmapArray(0x10000, 0x10000, pixels);
    EXPECT_EQ(data.array, nullptr);
    EXPECT_EQ(data.width, 0);
}

TEST(ImageData, AStaticDescriptionKeepsTheCallersHandles)
{
    HBITMAP bitmap = CreateBitmap(2, 2, 1, 1, nullptr);
    ASSERT_NE(bitmap, nullptr);
    ZafBitmapStruct description(3, 2, builtInPixels, true);
    description.bitmapHandle = bitmap;
    description.staticHandle = true;
    {
        ZafBitmapData constructed(description);
        EXPECT_EQ(constructed.bitmapHandle, nullptr);  // the constructor clears the handles
        EXPECT_TRUE(constructed.staticHandle);
        ZafBitmapData set;
        set.SetBitmapStruct(description);
        EXPECT_EQ(set.bitmapHandle, bitmap);
        set.SetBitmapArray(1, 1, builtInPixels);  // releases (here: forgets) the handles
        EXPECT_EQ(set.bitmapHandle, nullptr);
    }
    // The caller's handle was never deleted.
    BITMAP info;
    EXPECT_NE(GetObjectA(bitmap, sizeof info, &info), 0);
    DeleteObject(bitmap);
}

// ---- Releasing handles and pixels through the display ------------------------------------

namespace {

// A screen display that counts the releases it is asked for.
class CountingDisplay : public ZafDisplay
{
public:
    void DestroyBitmapHandle(ZafBitmapStruct &bitmap) override
    {
        ++bitmapHandles;
        ZafDisplay::DestroyBitmapHandle(bitmap);
    }
    void DestroyIconArray(ZafIconStruct &icon) override
    {
        ++iconArrays;
        ZafDisplay::DestroyIconArray(icon);
    }
    void DestroyMouseArray(ZafMouseStruct &mouse) override
    {
        ++mouseArrays;
        ZafDisplay::DestroyMouseArray(mouse);
    }
    int bitmapHandles = 0;
    int iconArrays = 0;
    int mouseArrays = 0;
};

class ImageDataRelease : public ::testing::Test
{
protected:
    void SetUp() override { saved = zafScreenDisplay; }
    void TearDown() override { zafScreenDisplay = saved; }
    ZafDisplay *saved = nullptr;
};

HBITMAP NewBitmap()
{
    return CreateBitmap(2, 2, 1, 1, nullptr);
}

} // namespace

TEST_F(ImageDataRelease, OwnedHandlesGoThroughTheScreenDisplay)
{
    CountingDisplay screen;
    zafScreenDisplay = &screen;
    const HBITMAP first = NewBitmap(), firstMask = NewBitmap(), second = NewBitmap();
    {
        ZafBitmapData bitmap(ZafBitmapStruct(3, 2, builtInPixels, true));
        bitmap.bitmapHandle = first;  // as the display leaves them once drawn
        bitmap.maskHandle = firstMask;
        bitmap.SetBitmapArray(1, 1, builtInPixels);
        EXPECT_EQ(screen.bitmapHandles, 1);
        EXPECT_EQ(GetObjectType(first), 0u);
        EXPECT_EQ(GetObjectType(firstMask), 0u);
        EXPECT_EQ(bitmap.bitmapHandle, nullptr);
        bitmap.bitmapHandle = second;
    }
    EXPECT_EQ(screen.bitmapHandles, 2) << "the destructor releases too";
    EXPECT_EQ(GetObjectType(second), 0u);
}

TEST_F(ImageDataRelease, HandlesAreReleasedWithoutAScreenDisplayToo)
{
    zafScreenDisplay = nullptr;
    const HBITMAP made = NewBitmap();
    {
        ZafBitmapData bitmap;
        bitmap.bitmapHandle = made;
    }
    EXPECT_EQ(GetObjectType(made), 0u);
}

TEST_F(ImageDataRelease, ClearAndDestructionReleaseEachArrayOnce)
{
    CountingDisplay screen;
    zafScreenDisplay = &screen;
    std::uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
    {
        ZafIconData icon(ZafIconStruct(3, 2, pixels, false));
        icon.Clear();
        EXPECT_EQ(icon.array, nullptr);
        EXPECT_EQ(screen.iconArrays, 1);
    }
    EXPECT_EQ(screen.iconArrays, 2);  // nothing left to free: harmless

    // The display leaves a cursor's array alone; the cursor frees its own.
    ZafMouseData mouse(ZafMouseStruct(3, 2, pixels, 0, 0, false));
    ASSERT_NE(mouse.array, pixels);
    mouse.Clear();
    EXPECT_EQ(screen.mouseArrays, 1);
    EXPECT_EQ(mouse.array, nullptr);
    EXPECT_EQ(mouse.width, 0);
}

TEST(ImageData, MouseCursorsKeepTheirHotSpot)
{
    ZafMouseData mouse(ZafMouseStruct(3, 2, builtInPixels, 1, 0, true));
    EXPECT_EQ(mouse.hotSpotX, 1);
    EXPECT_EQ(mouse.hotSpotY, 0);
    mouse.SetMouseStruct(ZafMouseStruct(3, 2, builtInPixels, 2, 2, true));
    EXPECT_EQ(mouse.hotSpotX, 1);  // the description's hot spot is not taken here
    mouse.SetHotSpot(2, 1);
    ZafMouseData copy(mouse);
    EXPECT_EQ(copy.hotSpotX, 2);
    EXPECT_EQ(copy.hotSpotY, 1);
    EXPECT_EQ(copy.array, builtInPixels);
}

// ---- Data objects: notification, clear, persistence ------------------------------------

#include "TestDataObjects.h"

namespace {

std::vector<unsigned char> Pixels(const ZafImageStruct &image)
{
    if (!image.array)
        return {};
    return std::vector<unsigned char>(image.array, image.array + image.width * image.height);
}

TEST(ImageData, EachChangeNotifiesOnceAndClearDropsThePixels)
{
    ZafBitmapData bitmap;
    CountingObserver observer(bitmap);
    bitmap.SetBitmapArray(3, 2, builtInPixels);
    bitmap.SetBitmapStruct(ZafBitmapStruct(3, 2, builtInPixels, true));
    EXPECT_EQ(observer.calls, 2);
    bitmap.Clear();
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(bitmap.array, nullptr);
    EXPECT_EQ(bitmap.width, 0);
    EXPECT_EQ(builtInPixels[0], 1);

    ZafMouseData mouse;
    CountingObserver mouseObserver(mouse);
    mouse.SetHotSpot(1, 1);
    EXPECT_EQ(mouseObserver.calls, 0);
    mouse.SetMouseArray(3, 2, builtInPixels);
    mouse.Clear();
    EXPECT_EQ(mouseObserver.calls, 2);
    EXPECT_EQ(mouse.array, nullptr);
}

TEST(ImageData, ClassIdsNamesAndDuplicates)
{
    ZafBitmapData bitmap(ZafBitmapStruct(3, 2, builtInPixels, true));
    ZafIconData icon;
    ZafMouseData mouse;
    EXPECT_EQ(bitmap.ClassID(), 3112);
    EXPECT_EQ(icon.ClassID(), 3113);
    EXPECT_EQ(mouse.ClassID(), 3114);
    for (ZafData *data : std::initializer_list<ZafData *>{&bitmap, &icon, &mouse})
    {
        EXPECT_TRUE(data->IsClassID(3115));
        EXPECT_TRUE(data->IsClassName("ZafImageData"));
        std::unique_ptr<ZafData> copy(data->Duplicate());
        EXPECT_EQ(copy->ClassID(), data->ClassID());
    }
    EXPECT_TRUE(icon.IsClassName("ZafIconData"));
    EXPECT_FALSE(icon.IsClassName("ZafBitmapData"));
}

TEST(ImageData, BitmapsIconsAndCursorsWriteAndReadBack)
{
    DataFile file;
    ZafBitmapData bitmap(ZafBitmapStruct(3, 2, builtInPixels, true));
    ZafIconData icon(ZafIconStruct(2, 3, builtInPixels, false));
    ZafMouseData mouse(ZafMouseStruct(3, 2, builtInPixels, 1, 0, true));
    ASSERT_EQ(file.Write(bitmap, "logo"), 0u);
    ASSERT_EQ(file.Write(icon, "app"), 0u);
    ASSERT_EQ(file.Write(mouse, "hand"), 0u);

    std::vector<unsigned char> bitmapBytes = LittleEndian({3, 2});
    bitmapBytes.insert(bitmapBytes.end(), builtInPixels, builtInPixels + 6);
    EXPECT_EQ(file.StoredBytes("~ZafBitmapData~logo~objectData"), bitmapBytes);
    std::vector<unsigned char> mouseBytes = LittleEndian({3, 2, 1, 0});
    mouseBytes.insert(mouseBytes.end(), builtInPixels, builtInPixels + 6);
    EXPECT_EQ(file.StoredBytes("~ZafMouseData~hand~objectData"), mouseBytes);

    std::unique_ptr<ZafBitmapData> readBitmap = file.Read<ZafBitmapData>("logo");
    EXPECT_EQ(readBitmap->Error(), 0u);
    EXPECT_EQ(Pixels(*readBitmap), Pixels(bitmap));
    EXPECT_FALSE(readBitmap->staticArray);  // read pixels are owned
    std::unique_ptr<ZafIconData> readIcon = file.Read<ZafIconData>("app");
    EXPECT_EQ(readIcon->width, 2);
    EXPECT_EQ(readIcon->height, 3);
    EXPECT_EQ(Pixels(*readIcon), Pixels(icon));
    std::unique_ptr<ZafMouseData> readMouse = file.Read<ZafMouseData>("hand");
    EXPECT_EQ(readMouse->hotSpotX, 1);
    EXPECT_EQ(readMouse->hotSpotY, 0);
    EXPECT_EQ(Pixels(*readMouse), Pixels(mouse));
    EXPECT_EQ(file.Read<ZafIconData>("logo")->Error(), ZafFileError::Open);
}

TEST(ImageData, AnImageWithoutPixelsIsStoredAsZeroByZero)
{
    DataFile file;
    ZafBitmapData empty;
    empty.width = 4;  // a size without pixels, as a caller may leave it
    empty.height = 4;
    ASSERT_EQ(file.Write(empty, "blank"), 0u);
    EXPECT_EQ(file.StoredBytes("~ZafBitmapData~blank~objectData"), LittleEndian({0, 0}));
    std::unique_ptr<ZafBitmapData> read = file.Read<ZafBitmapData>("blank");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_EQ(read->array, nullptr);
    EXPECT_EQ(read->width, 0);
    ZafMouseData cursor;
    cursor.SetHotSpot(2, 3);
    ASSERT_EQ(file.Write(cursor, "none"), 0u);
    EXPECT_EQ(file.StoredBytes("~ZafMouseData~none~objectData"), LittleEndian({0, 0, 2, 3}));
    EXPECT_EQ(file.Read<ZafMouseData>("none")->hotSpotY, 3);
}

struct BadImage
{
    const char *what;
    std::vector<unsigned char> bytes;
};

class ImageDataBadSize : public ::testing::TestWithParam<BadImage> {};

TEST_P(ImageDataBadSize, IsAReadErrorWithoutPixels)
{
    DataFile file;
    ZafBitmapData bitmap(ZafBitmapStruct(3, 2, builtInPixels, true));
    ASSERT_EQ(file.Write(bitmap, "logo"), 0u);
    ASSERT_TRUE(file.ReplaceBytes("~ZafBitmapData~logo~objectData", GetParam().bytes, nullptr, 0));
    std::unique_ptr<ZafBitmapData> read = file.Read<ZafBitmapData>("logo");
    EXPECT_EQ(read->Error(), ZafFileError::Read) << GetParam().what;
    EXPECT_EQ(read->array, nullptr);
    EXPECT_EQ(read->width, 0);
    EXPECT_EQ(read->height, 0);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ImageDataBadSize, ::testing::Values(
    BadImage{"negative width", LittleEndian({-3, 2, 0})},
    BadImage{"negative height", LittleEndian({3, -2, 0})},
    BadImage{"overflowing product", LittleEndian({0x10000, 0x10000, 0})},
    BadImage{"largest words", LittleEndian({0x7FFFFFFF, 0x7FFFFFFF})},
    BadImage{"more pixels than stored", LittleEndian({3, 2, 0x01020304})},
    BadImage{"width without height", LittleEndian({3, 0})},
    BadImage{"size cut short", {3, 0, 0}}));

} // namespace
