// Image data: static and owned pixel arrays, copies, sizes and handles.
#include "zaf/data/ZafBitmapData.h"

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
