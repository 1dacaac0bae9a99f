// Image data: static and owned pixel arrays, copies, sizes, handles released
// through the display, and the stored form.
#include "zaf/data/ZafBitmapData.h"

#include "zaf/core/ZafDisplay.h"

#include <gtest/gtest.h>

#include <vector>

#include "DataTestSupport.h"

namespace {

std::uint8_t builtInPixels[6] = {1, 2, 3, 4, 5, 6};

std::vector<unsigned char> Pixels(const ZafImageStruct &image)
{
    return image.array ? std::vector<unsigned char>(image.array, image.array + image.width * image.height)
                       : std::vector<unsigned char>();
}

TEST(ImageData, StaticPixelsAreSharedOwnedPixelsCopiedAndCopiesFreeOnlyTheirOwn)
{
    ZafBitmapData shared(ZafBitmapStruct(3, 2, builtInPixels, true));
    EXPECT_EQ(shared.array, builtInPixels);
    EXPECT_TRUE(shared.staticArray);
    std::vector<std::uint8_t> pixels = {9, 8, 7, 6, 5, 4};
    ZafBitmapData owned(ZafBitmapStruct(3, 2, pixels.data(), false));
    EXPECT_NE(owned.array, pixels.data());
    EXPECT_EQ(Pixels(owned), pixels);

    ZafIconData source(ZafIconStruct(2, 2, pixels.data(), false));
    {
        ZafIconData copy(source);
        EXPECT_NE(copy.array, source.array);
        EXPECT_EQ(copy.array[3], 6);
    }
    EXPECT_EQ(source.array[3], 6);
    ZafIconData builtIn(ZafIconStruct(3, 2, builtInPixels, true));
    {
        ZafIconData copy(builtIn);
        EXPECT_EQ(copy.array, builtInPixels);
    }
    EXPECT_EQ(builtInPixels[5], 6); // never freed

    ZafMouseData mouse(ZafMouseStruct(3, 2, builtInPixels, 1, 0, true));
    EXPECT_EQ(mouse.hotSpotX, 1);
    mouse.SetMouseStruct(ZafMouseStruct(3, 2, builtInPixels, 2, 2, true));
    EXPECT_EQ(mouse.hotSpotX, 1) << "the description's hot spot is not taken here";
    mouse.SetHotSpot(2, 1);
    ZafMouseData mouseCopy(mouse);
    EXPECT_EQ(mouseCopy.hotSpotX, 2);
    EXPECT_EQ(mouseCopy.hotSpotY, 1);
    EXPECT_EQ(mouseCopy.array, builtInPixels);
}

// Sizes are checked. A size without pixels gives blank pixels; a negative or overflowing size gives 0 x 0 without pixels. Each
// change notifies once.
TEST(ImageData, SetArrayReplacesThePixelsAndRefusesImpossibleSizes)
{
    ZafBitmapData data;
    CountingObserver observer(data);
    std::uint8_t pixels[4] = {1, 2, 3, 4};
    data.SetBitmapArray(2, 2, pixels);
    EXPECT_NE(data.array, pixels);
    EXPECT_EQ(data.array[2], 3);
    data.SetBitmapArray(2, 2, nullptr);
    ASSERT_NE(data.array, nullptr);
    EXPECT_EQ(data.array[3], 0);
    data.SetBitmapArray(-2, 2, pixels);
    EXPECT_EQ(data.array, nullptr);
    data.SetBitmapArray(0x10000, 0x10000, pixels);
    EXPECT_EQ(data.array, nullptr);
    EXPECT_EQ(data.width, 0);
    data.SetBitmapStruct(ZafBitmapStruct(3, 2, builtInPixels, true));
    EXPECT_EQ(observer.calls, 5);
    data.Clear();
    EXPECT_EQ(observer.calls, 6);
    EXPECT_EQ(data.array, nullptr);
    EXPECT_EQ(data.width, 0);
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
    int bitmapHandles = 0, iconArrays = 0, mouseArrays = 0;
};

class ImageDataRelease : public ::testing::Test
{
protected:
    void TearDown() override { zafScreenDisplay = saved; }
    ZafDisplay *saved = zafScreenDisplay;
    CountingDisplay screen;
};

HBITMAP NewBitmap()
{
    return CreateBitmap(2, 2, 1, 1, nullptr);
}

// A static description keeps the caller's handle; owned handles go through
// the screen display, and without one they are released all the same.
TEST_F(ImageDataRelease, OwnedHandlesAreReleasedAndTheCallersAreKept)
{
    const HBITMAP callers = NewBitmap();
    ZafBitmapStruct description(3, 2, builtInPixels, true);
    description.bitmapHandle = callers;
    description.staticHandle = true;
    {
        ZafBitmapData constructed(description);
        EXPECT_EQ(constructed.bitmapHandle, nullptr); // the constructor clears the handles
        EXPECT_TRUE(constructed.staticHandle);
        ZafBitmapData set;
        set.SetBitmapStruct(description);
        EXPECT_EQ(set.bitmapHandle, callers);
        set.SetBitmapArray(1, 1, builtInPixels); // releases (here: forgets) the handles
        EXPECT_EQ(set.bitmapHandle, nullptr);
    }
    BITMAP info;
    EXPECT_NE(GetObjectA(callers, sizeof info, &info), 0) << "the caller's handle was never deleted";
    DeleteObject(callers);

    zafScreenDisplay = &screen;
    const HBITMAP first = NewBitmap(), firstMask = NewBitmap(), second = NewBitmap();
    {
        ZafBitmapData bitmap(ZafBitmapStruct(3, 2, builtInPixels, true));
        bitmap.bitmapHandle = first; // as the display leaves them once drawn
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
    zafScreenDisplay = &screen;
    std::uint8_t pixels[6] = {1, 2, 3, 4, 5, 6};
    {
        ZafIconData icon(ZafIconStruct(3, 2, pixels, false));
        icon.Clear();
        EXPECT_EQ(icon.array, nullptr);
        EXPECT_EQ(screen.iconArrays, 1);
    }
    EXPECT_EQ(screen.iconArrays, 2); // nothing left to free: harmless
    // The display leaves a cursor's array alone; the cursor frees its own.
    ZafMouseData mouse(ZafMouseStruct(3, 2, pixels, 0, 0, false));
    ASSERT_NE(mouse.array, pixels);
    mouse.Clear();
    EXPECT_EQ(screen.mouseArrays, 1);
    EXPECT_EQ(mouse.array, nullptr);
    EXPECT_EQ(mouse.width, 0);
}

// Each image is stored as its size words (a cursor then its hot spot) and
// its pixel bytes, and reads back as written.
TEST(ImageData, ImagesAreStoredAsSizeHotSpotAndPixels)
{
    DataFile file;
    ZafBitmapData bitmap(ZafBitmapStruct(3, 2, builtInPixels, true));
    ZafIconData icon(ZafIconStruct(3, 2, builtInPixels, false));
    ZafMouseData mouse(ZafMouseStruct(3, 2, builtInPixels, 1, 0, false));
    ASSERT_EQ(file.Write(bitmap, "b"), 0u);
    ASSERT_EQ(file.Write(icon, "i"), 0u);
    ASSERT_EQ(file.Write(mouse, "m"), 0u);
    std::vector<unsigned char> sizeAndPixels = LittleEndian({3, 2});
    sizeAndPixels.insert(sizeAndPixels.end(), builtInPixels, builtInPixels + 6);
    std::vector<unsigned char> cursor = LittleEndian({3, 2, 1, 0});
    cursor.insert(cursor.end(), builtInPixels, builtInPixels + 6);
    EXPECT_EQ(file.StoredBytes("~ZafBitmapData~b~objectData"), sizeAndPixels);
    EXPECT_EQ(file.StoredBytes("~ZafIconData~i~objectData"), sizeAndPixels);
    EXPECT_EQ(file.StoredBytes("~ZafMouseData~m~objectData"), cursor);

    std::unique_ptr<ZafBitmapData> bitmapRead = file.Read<ZafBitmapData>("b");
    std::unique_ptr<ZafIconData> iconRead = file.Read<ZafIconData>("i");
    std::unique_ptr<ZafMouseData> mouseRead = file.Read<ZafMouseData>("m");
    const std::vector<unsigned char> pixels(builtInPixels, builtInPixels + 6);
    for (const ZafImageData *read : {static_cast<ZafImageData *>(bitmapRead.get()),
                                     static_cast<ZafImageData *>(iconRead.get()),
                                     static_cast<ZafImageData *>(mouseRead.get())})
        EXPECT_EQ(read->Error(), 0u) << read->ClassName();
    EXPECT_EQ(Pixels(*bitmapRead), pixels);
    EXPECT_EQ(Pixels(*iconRead), pixels);
    EXPECT_EQ(Pixels(*mouseRead), pixels);
    EXPECT_FALSE(bitmapRead->staticArray) << "a read image owns its pixels";
    EXPECT_EQ(mouseRead->hotSpotX, 1);
    EXPECT_EQ(mouseRead->hotSpotY, 0);
}

// The reader always reads width x height pixels, so an image without pixels
// is stored as 0 x 0.
TEST(ImageData, AnImageWithoutPixelsIsStoredAsNoSize)
{
    DataFile file;
    ZafBitmapData empty;
    empty.width = 4; // a size without pixels, as a caller may leave it
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
}

} // namespace
