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
// auto size on. The subclasses fix the rest.
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
