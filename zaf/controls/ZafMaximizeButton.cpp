#include "zaf/controls/ZafMaximizeButton.h"

#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafStaticCleanup.h"

namespace {

constexpr int boxWidth = 16, boxHeight = 14;
// The pixels live as long as the program; the images point at them.
std::uint8_t boxPixels[ZafMaximizeButton::boxImageCount][boxWidth * boxHeight];
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
        for (int i = 0; i < boxImageCount; ++i) {
            // The first two point the arrow the way the button acts, the
            // other two (the window already maximized) back.
            const bool acting = i < boxMaximized;
            PaintBoxImage(boxPixels[i], true, acting == true, i % 2 == 1);
            boxImages[i] = new ZafBitmapData(ZafBitmapStruct(boxWidth, boxHeight, boxPixels[i], true));
            boxImages[i]->SetDestroyable(false);
            if (names[i])
                boxImages[i]->SetStringID(names[i]);
        }
        RegisterStaticCleanup(DeleteBoxImages, nullptr, 0);
    }
    return image >= 0 && image < boxImageCount ? boxImages[image] : nullptr;
}

ZafMaximizeButton::ZafMaximizeButton() : ZafFrameButton(pushButton, ZAF_NUMID_MAXIMIZE, "ZAF_NUMID_MAXIMIZE")
{
    BoxBitmap(boxPlain);
    buttonType = framePushButton;
    depth = 1;
    hzJustify = justifyCenter;
    vtJustify = justifyCenter;
    SetFlagTo(flagNoFocus, true);
    selectOnDoubleClick = false;
    selectOnDownClick = false;
    ZafButton::SetSendMessageWhenSelected(true);
    value = ZAF_MAXIMIZE;
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

void ZafMaximizeButton::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(className, classID, ZafWindowPersistence::childEntry);
    if (persistence.OpenLevelFile(StringID(), ZafWindowPersistence::writeMode) == 0)
        persistence.WriteString(StringID());
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafEventType ZafMaximizeButton::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_CREATE || event.type == ZAF_CREATE_OS_WINDOW)
        frameWindow = ParentFrame();
    else if (event.type == ZAF_DEINITIALIZE)
        frameWindow = nullptr;
    return ZAF_UNKNOWN;
}

std::int32_t ZafMaximizeButton::SetValue(std::int32_t newValue)
{
    if (newValue == ZAF_MAXIMIZE || newValue == ZAF_RESTORE || newValue == ZAF_FRAME_VALUE_502 ||
        newValue == ZAF_FRAME_VALUE_504)
        value = newValue;
    return value;
}
