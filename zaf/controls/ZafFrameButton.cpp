#include "zaf/controls/ZafFrameButton.h"

#include "zaf/controls/ZafMaximizeButton.h"
#include "zaf/controls/ZafMinimizeButton.h"
#include "zaf/controls/ZafSystemButton.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafBorder.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowPersistence.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafPersistenceRegistry.h"

#include <cstring>

ZafFrameButton::ZafFrameButton(ButtonType type, ZafNumberID id, const char *name)
    : ZafButton(0, 0, 0, 0, static_cast<const char *>(nullptr), nullptr, type)
{
    ApplyFrameAttributes(id, name);
}

ZafFrameButton::ZafFrameButton(ZafStringData *text, ButtonType type, ZafNumberID id, const char *name)
    : ZafButton(0, 0, 0, 0, text, nullptr, type)
{
    ApplyFrameAttributes(id, name);
}

ZafFrameButton::ZafFrameButton(const char *name, ZafWindowPersistence &persistence) : ZafButton(name, persistence)
{}

void ZafFrameButton::ApplyFrameAttributes(ZafNumberID id, const char *name)
{
    SetFlagTo(flagSupportObject, true);
    regionType = 2;
    SetFlagTo(flagOwnWindow, false);
    SetFlagTo(flagBordered, false);
    SetFlagTo(flagAcceptDrop, false);
    SetFlagTo(flagDisabled, false);
    SetFlagTo(flagSelected, false);
    allowDefault = false;
    allowToggling = false;
    autoRepeatSelection = false;
    autoSize = true;
    hotKeyChar = 0;
    hotKeyIndex = -1;
    // A record read from a UI data file may name a user function or carry
    // texts; a frame button keeps none of them.
    userFunction = nullptr;
    ZafButton::SetHelpContext(nullptr);
    ZafButton::SetTipText(nullptr);
    ZafButton::SetSecondTipText(nullptr);
    focus = false;
    SetNumberID(id);
    SetStringID(name);
}

HWND ZafFrameButton::ParentFrame() const
{
    if (!parent)
        return nullptr;
    return parent->OSHandle(2) ? parent->OSHandle(2) : parent->OSHandle();
}

void ZafFrameButton::PaintBoxImage(std::uint8_t *pixels, bool largeWindow, bool arrowUpRight, bool sunken)
{
    constexpr int width = 16, height = 14;
    constexpr std::uint8_t black = 0, darkCyan = 3, lightGrey = 7, darkGrey = 8, white = 15;
    // The picture moves one pixel right and down when the box is pressed.
    const int shift = sunken ? 1 : 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t c = lightGrey;
            const bool outerTopLeft = x == 0 || y == 0;
            const bool outerBottomRight = x == width - 1 || y == height - 1;
            const bool innerBottomRight = x == width - 2 || y == height - 2;
            if (outerBottomRight)
                c = sunken ? white : black;
            else if (outerTopLeft)
                c = sunken ? black : white;
            else if (innerBottomRight && !sunken)
                c = darkGrey;
            else if ((x == 1 || y == 1) && sunken)
                c = darkGrey;
            pixels[y * width + x] = c;
        }
    // The window outline: small at the bottom left, or large.
    const int left = 3 + shift, right = (largeWindow ? 12 : 7) + shift;
    const int top = (largeWindow ? 3 : 7) + shift, bottom = 10 + shift;
    for (int x = left; x <= right; ++x) {
        pixels[top * width + x] = darkCyan;
        pixels[bottom * width + x] = darkCyan;
    }
    for (int y = top; y <= bottom; ++y) {
        pixels[y * width + left] = darkCyan;
        pixels[y * width + right] = darkCyan;
    }
    // The arrow: a diagonal from the middle towards a corner, its head at the
    // end it points to.
    const int fromX = largeWindow ? 6 : 8, fromY = largeWindow ? 8 : 6;
    for (int i = 0; i < 4; ++i) {
        const int x = (arrowUpRight ? fromX + i : fromX + 3 - i) + shift;
        const int y = (arrowUpRight ? fromY - i : fromY - 3 + i) + shift;
        pixels[y * width + x] = black;
    }
    const int headX = (arrowUpRight ? fromX + 3 : fromX) + shift;
    const int headY = (arrowUpRight ? fromY - 3 : fromY) + shift;
    const int back = arrowUpRight ? -1 : 1;
    pixels[headY * width + headX + back] = black;
    pixels[(headY - back) * width + headX] = black;
}

// --- The generic frame objects -------------------------------------------------------

namespace {

ZafWindowObject *MakeGenericObject(ZafNumberID id, ZafStringData *titleData, ZafWindow *systemMenu)
{
    switch (id) {
    case ZAF_NUMID_BORDER:
        return new ZafBorder();
    case ZAF_NUMID_MAXIMIZE:
        return new ZafMaximizeButton();
    case ZAF_NUMID_MINIMIZE:
        return new ZafMinimizeButton();
    case ZAF_NUMID_SYSTEM: {
        if (!systemMenu)
            return new ZafSystemButton(ZafSystemButton::windowsMenu);
        // The button takes the given menu's items; the menu itself is done.
        auto *button = new ZafSystemButton(ZafSystemButton::ownMenu);
        while (auto *item = systemMenu->FirstChild())
            button->AddSubItem(systemMenu->SubtractObject(item));
        delete systemMenu;
        return button;
    }
    case ZAF_NUMID_TITLE:
        return titleData ? new ZafTitle(titleData) : new ZafTitle(static_cast<const char *>(nullptr));
    default:
        return nullptr;
    }
}

} // namespace

void ZafFrameButton::InstallGenericObjectMaker()
{
    ZafWindow::SetGenericObjectMaker(MakeGenericObject);
}

void ZafFrameButton::RegisterPersistence()
{
    ZafPersistenceRegistry::RegisterNew(ZafTitle::className, ZafObjectNew<ZafTitle::New>);
    ZafPersistenceRegistry::RegisterNew(ZafSystemButton::className, ZafObjectNew<ZafSystemButton::New>);
    ZafPersistenceRegistry::RegisterNew(ZafMinimizeButton::className, ZafObjectNew<ZafMinimizeButton::New>);
    ZafPersistenceRegistry::RegisterNew(ZafMaximizeButton::className, ZafObjectNew<ZafMaximizeButton::New>);
    ZafPopUpMenu::RegisterPersistence();
}

// --- Minimize and maximize boxes ---------------------------------------------------

ZafBoxButton::ZafBoxButton(ZafNumberID id, const char *name, std::int32_t action) : ZafFrameButton(pushButton, id, name)
{
    buttonType = framePushButton;
    depth = 1;
    hzJustify = justifyCenter;
    vtJustify = justifyCenter;
    SetFlagTo(flagNoFocus, true);
    selectOnDoubleClick = false;
    selectOnDownClick = false;
    ZafButton::SetSendMessageWhenSelected(true);
    value = action;
}

void ZafBoxButton::Write(ZafWindowPersistence &persistence)
{
    persistence.PushLevel(ClassName(), ClassID(), ZafWindowPersistence::childEntry);
    if (persistence.OpenLevelFile(StringID(), ZafWindowPersistence::writeMode) == 0)
        persistence.WriteString(StringID());
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
}

ZafEventType ZafBoxButton::Event(const ZafEventRecord &event)
{
    if (event.type == ZAF_CREATE || event.type == ZAF_CREATE_OS_WINDOW)
        frameWindow = ParentFrame();
    else if (event.type == ZAF_DEINITIALIZE)
        frameWindow = nullptr;
    return ZAF_UNKNOWN;
}

void ZafBoxButton::MakeBoxImages(ZafBitmapData *images[4], std::uint8_t pixels[4][boxWidth * boxHeight],
                                 const char *const names[4], bool largeWindow)
{
    for (int i = 0; i < 4; ++i) {
        // The first two point the arrow the way the button acts (up-right
        // for the large window), the other two back.
        const bool acting = i < 2;
        PaintBoxImage(pixels[i], largeWindow, acting == largeWindow, i % 2 == 1);
        images[i] = new ZafBitmapData(ZafBitmapStruct(boxWidth, boxHeight, pixels[i], true));
        images[i]->SetDestroyable(false);
        if (names[i])
            images[i]->SetStringID(names[i]);
    }
}
