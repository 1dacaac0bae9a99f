// ZafFrameButton: what the title, the system button and the minimize and
// maximize buttons share. They are the support objects by which a window
// says what its frame has (caption, system menu, minimize and maximize
// boxes); Windows draws and handles those parts itself, so a frame button
// has no window of its own and draws nothing. Between the frame's creation
// (ZAF_CREATE) and its ZAF_DEINITIALIZE it holds the frame's handle
// (FrameWindow) to put its part into the frame.
//
// Fixed attributes (their setters keep these whatever they are given):
// support object, region type 2, no window of its own, not bordered,
// disabled, selected or accepting drops, no default, toggling or repeat,
// auto size on; no user function, tip or help-context text, and the focus
// flag off (the system button, which Windows lets take the focus through
// its menu, excepted). The subclasses fix the rest.
//
// The controls layer makes these objects for ZafWindow::AddGenericObjects
// (InstallGenericObjectMaker) and enters their read functions in the
// constructor table (RegisterPersistence).
#pragma once

#include "zaf/controls/ZafButton.h"

class ZafFrameButton : public ZafButton
{
public:
    // Installs the maker of the generic frame objects (border, maximize,
    // minimize, system button, title) in ZafWindow.
    static void InstallGenericObjectMaker();
    // Enters the read functions of the title, system button and minimize
    // and maximize buttons (and the pop-up menu the system button holds).
    static void RegisterPersistence();

    HWND FrameWindow() const { return frameWindow; }

    HWND CreateOSWindow() override { return nullptr; }
    void DestroyOSWindow() override {}
    void MoveOSWindow() override {}
    void UpdateFont() override {}
    ZafEventType Draw(const ZafEventRecord &, ZafEventType code) override { return code; }
    bool PaintedByParent() const override { return false; }

    bool SetBordered(bool) override { return SetFlagTo(flagBordered, false); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetDisabled(bool) override { return SetFlagTo(flagDisabled, false); }
    bool SetSelected(bool) override { return SetFlagTo(flagSelected, false); }
    bool SetSupportObject(bool flag) override { return ForceSupportObject(flag); }
    int SetRegionType(int type) override { return ForceRegionType2(type); }
    bool SetOwnWindow(bool) override { return SetFlagTo(flagOwnWindow, false); }
    bool SetAllowDefault(bool) override { return allowDefault = false; }
    bool SetAllowToggling(bool) override { return allowToggling = false; }
    bool SetAutoRepeatSelection(bool) override { return autoRepeatSelection = false; }
    bool SetAutoSize(bool) override { return autoSize = true; }
    ZafUserFunction SetUserFunction(ZafUserFunction) override { return userFunction = nullptr; }
    const char *SetHelpContext(const char *) override { return ZafButton::SetHelpContext(nullptr); }
    const char *SetTipText(const char *) override { return ZafButton::SetTipText(nullptr); }
    const char *SetSecondTipText(const char *) override { return ZafButton::SetSecondTipText(nullptr); }
    bool SetFocus(bool) override { return focus = false; }
    char SetHotKey(char, int) override
    {
        hotKeyIndex = -1;
        return hotKeyChar = 0;
    }

protected:
    // A button at 0, 0 of no size, without text.
    ZafFrameButton(ButtonType type, ZafNumberID id, const char *name);
    ZafFrameButton(ZafStringData *text, ButtonType type, ZafNumberID id, const char *name);
    ZafFrameButton(const ZafFrameButton &copy) = default;
    ZafFrameButton(const char *name, ZafWindowPersistence &persistence);

    // The fixed attributes above, and the number and string id.
    void ApplyFrameAttributes(ZafNumberID id, const char *name);
    // The handle of the frame the button belongs to (its parent window's
    // outer window); null when there is none yet.
    HWND ParentFrame() const;
    // The images of the minimize and maximize buttons: a 16 x 14 box, raised
    // or sunken, with a small window at the bottom left or a large one, and
    // an arrow pointing down-left or up-right. Pixels is 16 x 14 bytes that
    // live as long as the image.
    static void PaintBoxImage(std::uint8_t *pixels, bool largeWindow, bool arrowUpRight, bool sunken);

    HWND frameWindow = nullptr;
};

// What the minimize and maximize buttons share. Fixed: a frame push button
// of depth 1, centred, refusing the focus, sending its value, without hot
// key. It holds the frame between ZAF_CREATE and ZAF_DEINITIALIZE and
// answers every event ZAF_UNKNOWN; its record is its string id alone. Each
// subclass keeps its class id, the values it takes and its images.
class ZafBoxButton : public ZafFrameButton
{
public:
    static constexpr int boxWidth = 16, boxHeight = 14;

    void Write(ZafWindowPersistence &persistence) override;
    ZafEventType Event(const ZafEventRecord &event) override;

    ButtonType SetButtonType(ButtonType) override { return buttonType = framePushButton; }
    int SetDepth(int) override { return depth = 1; }
    Justify SetHzJustify(Justify) override { return hzJustify = justifyCenter; }
    Justify SetVtJustify(Justify) override { return vtJustify = justifyCenter; }
    bool SetNoFocus(bool) override { return SetFlagTo(flagNoFocus, true); }
    bool SetSelectOnDoubleClick(bool) override { return selectOnDoubleClick = false; }
    bool SetSelectOnDownClick(bool) override { return selectOnDownClick = false; }
    bool SetSendMessageWhenSelected(bool) override { return ZafButton::SetSendMessageWhenSelected(true); }
    const char *SetSendMessageText(const char *) override { return ZafButton::SetSendMessageText(nullptr); }

protected:
    // action: the value a selection sends until SetValue changes it.
    ZafBoxButton(ZafNumberID id, const char *name, std::int32_t action);
    ZafBoxButton(const ZafBoxButton &copy) = default;

    // The four box images (plain, depressed, then the two for a window
    // already in that state, whose arrow points back), not destroyable,
    // named by names (the first null: no name).
    static void MakeBoxImages(ZafBitmapData *images[4], std::uint8_t pixels[4][boxWidth * boxHeight],
                              const char *const names[4], bool largeWindow);
};
