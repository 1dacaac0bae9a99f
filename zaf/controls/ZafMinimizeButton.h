// ZafMinimizeButton: the support object (number id ZAF_NUMID_MINIMIZE, string id
// "ZAF_NUMID_MINIMIZE") by which a window says that its frame has a minimize box: WS_MINIMIZEBOX
// on the frame's style; Windows draws and handles the box itself.
// The button carries the value a selection of it would send (ZAF_MINIMIZE
// when made; SetValue takes only ZAF_MINIMIZE, ZAF_RESTORE, -503 and -504) and
// four shared 16 x 14 images of the box, made by the first such button and
// deleted by the static clean-ups; nothing draws them (Windows draws the box).
//
// Fixed: a frame push button of depth 1, centred, refusing the focus,
// sending its value, without hot key.
//
// UI data file: a directory of the button's string id in the level
// "ZafMinimizeButton" (class id 8) whose file holds that string id; reading
// makes a new button, nothing else is read.
#pragma once

#include "zaf/controls/ZafFrameButton.h"

class ZafMinimizeButton : public ZafBoxButton
{
public:
    static constexpr ZafClassID classID = 8;
    static constexpr const char *className = "ZafMinimizeButton";
    enum BoxImage { boxPlain, boxDepressed, boxMinimized, boxMinimizedDepressed, boxImageCount };

    ZafMinimizeButton();
    ZafMinimizeButton(const ZafMinimizeButton &copy) = default;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafMinimizeButton(*this); }

    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);

    std::int32_t SetValue(std::int32_t newValue) override;

    static ZafBitmapData *BoxBitmap(BoxImage image);
};
