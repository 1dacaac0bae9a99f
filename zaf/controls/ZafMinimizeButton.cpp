#include "zaf/controls/ZafMinimizeButton.h"

#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafStaticCleanup.h"

namespace {

// The pixels live as long as the program; the images point at them.
std::uint8_t boxPixels[ZafMinimizeButton::boxImageCount][ZafBoxButton::boxWidth * ZafBoxButton::boxHeight];
ZafBitmapData *boxImages[ZafMinimizeButton::boxImageCount] = {};

void DeleteBoxImages(std::uint8_t)
{
    for (ZafBitmapData *&image : boxImages) {
        delete image;
        image = nullptr;
    }
}

} // namespace

ZafBitmapData *ZafMinimizeButton::BoxBitmap(BoxImage image)
{
    if (!boxImages[0]) {
        const char *const names[boxImageCount] = {nullptr, "minDepressed", "minimized", "minimizedDepressed"};
        MakeBoxImages(boxImages, boxPixels, names, false);
        RegisterStaticCleanup(DeleteBoxImages, nullptr, 0);
    }
    return image >= 0 && image < boxImageCount ? boxImages[image] : nullptr;
}

ZafMinimizeButton::ZafMinimizeButton() : ZafBoxButton(ZAF_NUMID_MINIMIZE, "ZAF_NUMID_MINIMIZE", ZAF_MINIMIZE)
{
    BoxBitmap(boxPlain);
}

bool ZafMinimizeButton::IsClassID(ZafClassID id) const
{
    return id == classID || ZafButton::IsClassID(id);
}

bool ZafMinimizeButton::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafButton::IsClassName(name);
}

ZafElement *ZafMinimizeButton::New(const char *, ZafWindowPersistence &)
{
    return new ZafMinimizeButton();
}

std::int32_t ZafMinimizeButton::SetValue(std::int32_t newValue)
{
    if (newValue == ZAF_MINIMIZE || newValue == ZAF_RESTORE || newValue == ZAF_FRAME_VALUE_503 ||
        newValue == ZAF_FRAME_VALUE_504)
        value = newValue;
    return value;
}
