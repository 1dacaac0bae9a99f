// ZafImageStruct, ZafBitmapStruct, ZafIconStruct, ZafMouseStruct: the plain
// description records of images (bitmaps, icons, mouse cursors), the form
// in which the display reads pixels and keeps the operating-system handles
// it makes from them, and that zaf/data's image data objects derive from.
//
// Pixels: width x height bytes, one a pixel, rows top to bottom, each a
// colour index of the display's colour table (255 transparent). A record
// with the static-pixels flag shares its caller's array and never frees it
// (the built-in images); any other owns its array (allocated with new[]).
// With the static-handle flag the handles belong to the caller too.
// The display releases what a record owns (ZafDisplay::DestroyBitmapHandle
// and the like).
#pragma once

#include <windows.h>

#include <cstdint>

struct ZafImageStruct
{
    int width = 0;
    int height = 0;
    std::uint8_t *array = nullptr;
    std::uint8_t staticArray = 0;
};

struct ZafBitmapStruct : ZafImageStruct
{
    ZafBitmapStruct() = default;
    // A record of the caller's pixels, without handles.
    ZafBitmapStruct(int w, int h, std::uint8_t *pixels, bool staticPixels) : ZafImageStruct{w, h, pixels, staticPixels}
    {}
    void Clear() { *this = ZafBitmapStruct(); }

    HBITMAP bitmapHandle = nullptr;
    HBITMAP maskHandle = nullptr;
    std::uint8_t staticHandle = 0;
};

struct ZafIconStruct : ZafImageStruct
{
    ZafIconStruct() = default;
    ZafIconStruct(int w, int h, std::uint8_t *pixels, bool staticPixels) : ZafImageStruct{w, h, pixels, staticPixels} {}
    void ConstructEmpty() { *this = ZafIconStruct(); }

    HICON iconHandle = nullptr;
    HANDLE secondHandle = nullptr; // not used by the data classes
    std::uint8_t staticHandle = 0;
};

struct ZafMouseStruct : ZafImageStruct
{
    ZafMouseStruct() = default;
    ZafMouseStruct(int w, int h, std::uint8_t *pixels, int x, int y, bool staticPixels)
        : ZafImageStruct{w, h, pixels, staticPixels}, hotSpotX(x), hotSpotY(y)
    {}
    void Clear() { *this = ZafMouseStruct(); }

    int hotSpotX = 0;
    int hotSpotY = 0;
    HCURSOR cursorHandle = nullptr;
    HANDLE secondHandle = nullptr; // not used by the data classes
    std::uint8_t staticHandle = 0;
};
