#include "zaf/controls/ZafMaximizeButton.h"

#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafStaticCleanup.h"

namespace {

// The pixels live as long as the program; the images point at them.
std::uint8_t boxPixels[ZafMaximizeButton::boxImageCount][ZafBoxButton::boxWidth * ZafBoxButton::boxHeight];
ZafBitmapData *boxImages[ZafMaximizeButton::boxImageCount] = {};

void DeleteBoxImages(std::uint8_t)
{
    for (ZafBitmapData *&image : boxImages) {
        delete image;
        image = nullptr;
    }
}

} // namespace

ZafBitmapData *ZafMaximizeButton::BoxBitmap(BoxImage image)
{
    if (!boxImages[0]) {
        const char *const names[boxImageCount] = {nullptr, "maxDepressed", "maximized", "maximizedDepressed"};
        MakeBoxImages(boxImages, boxPixels, names, true);
        RegisterStaticCleanup(DeleteBoxImages, nullptr, 0);
    }
    return image >= 0 && image < boxImageCount ? boxImages[image] : nullptr;
}

ZafMaximizeButton::ZafMaximizeButton() : ZafBoxButton(ZAF_NUMID_MAXIMIZE, "ZAF_NUMID_MAXIMIZE", ZAF_MAXIMIZE)
{
    BoxBitmap(boxPlain);
}

bool ZafMaximizeButton::IsClassID(ZafClassID id) const
{
    return id == classID || ZafButton::IsClassID(id);
}

bool ZafMaximizeButton::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafButton::IsClassName(name);
}

ZafElement *ZafMaximizeButton::New(const char *, ZafWindowPersistence &)
{
    return new ZafMaximizeButton();
}

std::int32_t ZafMaximizeButton::SetValue(std::int32_t newValue)
{
    if (newValue == ZAF_MAXIMIZE || newValue == ZAF_RESTORE || newValue == ZAF_FRAME_VALUE_502 ||
        newValue == ZAF_FRAME_VALUE_504)
        value = newValue;
    return value;
}
