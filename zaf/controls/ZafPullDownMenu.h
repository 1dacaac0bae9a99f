// ZafPullDownMenu: the menu bar of a window, a support object (number id
// ZAF_NUMID_PULL_DOWN_MENU, found with ZafWindow::FindPullDownMenu) whose
// children are ZafPullDownItem objects, the entries of the bar. Its Windows
// counterpart is a menu made with CreateMenu and attached to the window's
// frame with SetMenu when the window is made; Windows draws it.
//
// ZafPullDownItem: an entry of the bar. It carries a sub-menu of pop-up
// items (ZafPopUpItem, whose sub-item operations, lookups and entry rules it
// shares) that drops down when the entry is opened; an entry with an empty
// sub-menu is a plain command. The program binds entries at any depth by
// name: FindObjectByStringID on the window, then SetText, SetUserFunction
// and SetDisabled; picking an entry calls its user function with ZAF_SELECT.
//
// Positions: with a maximized MDI child in an MDI frame Windows puts the
// child's system menu first in the bar, so every entry stands one place
// further on.
//
// Fixed attributes: the bar is always a support object of region type 2,
// bordered, with plain-key hot keys, and never accepts drops, is disabled,
// refuses the focus, or is destroyable, sizeable, movable, temporary,
// maximized, minimized or modal. An entry has the fixed attributes of a
// pop-up item and further is never selected or toggling, is centred, sends
// no message and has the value 0.
//
// UI data file: the bar's record is the window's (level "ZafPullDownMenu",
// class id 1004); an entry's (level "ZafPullDownItem", class id 1003) is the
// button's followed by its sub-menu's name and the sub-menu, as a pop-up
// item's but without an item kind.
#pragma once

#include "zaf/controls/ZafPopUpMenu.h"

class ZafPullDownMenu : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1004;
    static constexpr const char *className = "ZafPullDownMenu";

    // An empty bar (the program's definitions add entries in code).
    ZafPullDownMenu();
    ZafPullDownMenu(const ZafPullDownMenu &copy);
    // Takes a bar that is still attached off its window and destroys it.
    ~ZafPullDownMenu() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafPullDownMenu(*this); }

    // --- Persistence ------------------------------------------------------
    ZafPullDownMenu(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    // Enters the bar's and the entry's read functions (and the pop-up
    // menu's and item's, which the sub-menus need) in the constructor table.
    static void RegisterPersistence();

    // --- Events -------------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    // The highlighted entry becomes the bar's current item.
    ZafEventType HandleMenuSelect(const ZafEventRecord &event, unsigned item, unsigned flags, HMENU menu) override;

    // --- Entries and the Windows menu -----------------------------------------
    // As the pop-up menu's: entries come and go with the bar on screen.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;
    HMENU MenuHandle() const { return menu; }
    // The window the bar is attached to (null before).
    HWND FrameWindow() const { return frame; }
    // 1 while a maximized MDI child's system menu stands first in the bar.
    int PositionOffset() const;
    HWND CreateOSWindow() override { return nullptr; }
    void MoveOSWindow() override {}
    ZafEventType Draw(const ZafEventRecord &, ZafEventType code) override { return code; }
    ZafEventType DrawBorder(ZafRegionRect &, ZafEventType code) override { return code; }
    bool PaintedByParent() const override { return false; }

    // --- Fixed attributes -----------------------------------------------------
    bool SetSupportObject(bool flag) override { return ForceSupportObject(flag); }
    int SetRegionType(int type) override { return ForceRegionType2(type); }
    bool SetBordered(bool flag) override { return ForceBordered(flag); }
    bool SetPlainKeyHotKeys(bool) override { return SetFlagTo(flagPlainKeyHotKeys, true); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetDisabled(bool) override { return SetFlagTo(flagDisabled, false); }
    bool SetNoFocus(bool flag) override { return DenyNoFocus(flag); }
    bool SetNoClassPalette(bool) override { return SetFlagTo(flagNoClassPalette, false); }
    bool SetDestroyable(bool flag) override { return DenyDestroyable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetTemporary(bool flag) override { return DenyTemporary(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }
    bool SetNoClose(bool) override { return SetFlagTo(flagNoClose, false); }
    ZafWindow *SetOwner(ZafWindow *window) override { return DenyOwner(window); }

private:
    void ApplyFixedAttributes();
    // Makes the bar and its entries and attaches it; takes it down again.
    void CreateBar();
    void DestroyBar();
    void ForgetBar();

    HMENU menu = nullptr;
    HWND frame = nullptr;
};

class ZafPullDownItem : public ZafPopUpItem
{
public:
    static constexpr ZafClassID classID = 1003;
    static constexpr const char *className = "ZafPullDownItem";

    // An entry of that text (the program's definitions build them in code).
    explicit ZafPullDownItem(const char *text);
    ZafPullDownItem(const ZafPullDownItem &copy);
    ~ZafPullDownItem() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    // An entry is a button, not a pop-up item.
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafPullDownItem(*this); }

    ZafPullDownItem(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    int SetItemKind(int) override { return kind; }
    int EntryPosition() const override;

    // --- Fixed attributes -------------------------------------------------------
    bool SetSelected(bool) override { return SetFlagTo(flagSelected, false); }
    bool SetAllowToggling(bool) override { return allowToggling = false; }
    Justify SetHzJustify(Justify) override { return hzJustify = justifyCenter; }
    const char *SetSendMessageText(const char *) override { return ZafButton::SetSendMessageText(nullptr); }
    bool SetSendMessageWhenSelected(bool) override { return ZafButton::SetSendMessageWhenSelected(false); }
    std::int32_t SetValue(std::int32_t) override { return value = 0; }

protected:
    UINT EntryFlags() const override;
    HMENU ParentMenuHandle() const override;

private:
    void ApplyBarAttributes();
};
