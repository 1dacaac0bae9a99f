// ZafButton: the eight built-in 13 x 13 images of owner-drawn check boxes
// and radio buttons, shared by every button, made with the first button and
// deleted by the static clean-ups at the end of the run.
#include "zaf/controls/ZafButton.h"

#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafStaticCleanup.h"

#include <cstdint>

namespace {

constexpr int side = 13;
constexpr std::uint8_t black = ZAF_COLOR_BLACK;
constexpr std::uint8_t lightGrey = ZAF_COLOR_LIGHTGRAY;
constexpr std::uint8_t darkGrey = ZAF_COLOR_DARKGRAY;
constexpr std::uint8_t white = ZAF_COLOR_WHITE;
constexpr std::uint8_t transparent = 255;

// The pixels live as long as the program: the images only point at them.
std::uint8_t pixels[ZafButton::builtInImageCount][side * side];
ZafBitmapData *images[ZafButton::builtInImageCount] = {};

// A sunken square: dark grey and black at top and left, white and light
// grey at bottom and right, the inside white (light grey when pressed),
// with a check mark when selected.
void MakeCheck(std::uint8_t *p, bool pressed, bool checked)
{
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            std::uint8_t c = pressed ? lightGrey : white;
            if (x == side - 1 || y == side - 1)
                c = white;
            else if (x == 0 || y == 0)
                c = darkGrey;
            else if (x == side - 2 || y == side - 2)
                c = lightGrey;
            else if (x == 1 || y == 1)
                c = black;
            p[y * side + x] = c;
        }
    if (!checked)
        return;
    // A tick three pixels thick: down from (3, 5) to (5, 7), up to (9, 3).
    for (int x = 3; x <= 9; ++x) {
        const int top = x <= 5 ? x + 2 : 12 - x;
        for (int dy = 0; dy < 3; ++dy)
            p[(top + dy) * side + x] = black;
    }
}

// A sunken circle in the same edge colours, transparent outside, with a
// 5 x 5 dot in the middle when selected.
void MakeRadio(std::uint8_t *p, bool pressed, bool selected)
{
    const int centre = side / 2;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            const int dx = x - centre, dy = y - centre;
            const int d2 = dx * dx + dy * dy;
            const bool upperLeft = dx + dy < 0;
            std::uint8_t c = transparent;
            if (d2 <= 16)
                c = pressed ? lightGrey : white;
            else if (d2 <= 25)
                c = upperLeft ? black : lightGrey;
            else if (d2 <= 40)
                c = upperLeft ? darkGrey : white;
            if (selected && dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2 && d2 <= 5)
                c = black;
            p[y * side + x] = c;
        }
}

void DeleteImages(std::uint8_t)
{
    for (ZafBitmapData *&image : images) {
        delete image;
        image = nullptr;
    }
}

void MakeImages()
{
    static const char *const names[ZafButton::builtInImageCount] = {"check", nullptr, "checkSelected", nullptr,
                                                                    "radio", nullptr, "radioSelected", nullptr};
    for (int i = 0; i < ZafButton::builtInImageCount; ++i) {
        const bool pressed = i % 2 == 1, selected = (i / 2) % 2 == 1;
        if (i < ZafButton::imageRadio)
            MakeCheck(pixels[i], pressed, selected);
        else
            MakeRadio(pixels[i], pressed, selected);
        images[i] = new ZafBitmapData(ZafBitmapStruct(side, side, pixels[i], true));
        images[i]->SetDestroyable(false);
        if (names[i])
            images[i]->SetStringID(names[i]);
    }
    RegisterStaticCleanup(DeleteImages, nullptr, 0);
}

} // namespace

ZafBitmapData *ZafButton::BuiltInBitmap(BuiltInImage image)
{
    if (!images[0])
        MakeImages();
    return image >= 0 && image < builtInImageCount ? images[image] : nullptr;
}
