// ZafPopUpMenu: a window whose children are ZafPopUpItem objects, shown as a
// real Windows pop-up menu. It serves as a stand-alone context menu (built
// in code, placed at a mouse position and added to the window manager, which
// shows it with TrackPopupMenu) and as the sub-menu that every menu item
// carries inside itself (pop-up items, the menu bar's pull-down items, the
// system button's menu).
//
// ZafPopUpItem: a ZafButton whose Windows counterpart is an entry of its
// menu's Windows menu, not a window. Picking it (WM_COMMAND, routed by the
// window to the menu item of that command id) selects it as a push button
// is selected: its user function gets ZAF_SELECT, or, with send-message,
// the value is queued as an event. An item carries a sub-menu (empty for an
// ordinary entry); with items in it the entry drops that sub-menu down.
//
// Windows handles: a menu keeps the HMENU it made (CreatePopupMenu) or was
// given (a frame's system menu, AdoptMenuHandle, which it never destroys);
// it exists from ZAF_CREATE_OS_WINDOW to ZAF_DESTROY_OS_WINDOW. An item's
// entry exists from its ZAF_CREATE to its ZAF_DESTROY_OS_WINDOW; its
// position is the number of siblings before it that have an entry (so that
// a run of removals in list order removes the right entries), its command
// id its number id (the sub-menu's handle when the sub-menu has items; the
// SC_ code of its kind inside a system button's menu). Neither has a Windows
// window of its own (OSHandle is null).
//
// Ownership: a menu owns its items (as every window owns its children); an
// item owns its sub-menu (held by value, its parent is the item). A stand-
// alone menu is temporary and not destroyable: the window manager takes it
// out after its TrackPopupMenu and the program keeps it for the next use.
//
// Fixed attributes: a menu is always bordered, temporary and takes plain-key
// hot keys, and refuses accept-drop, disabled, no-focus, no-class-palette,
// region type and every frame attribute but destroyable. An item is always
// a flat button without image, depth, auto size, default, repeat, toggling
// look, double or down click, drag flags, border or class-palette choice,
// left justified and centred vertically.
//
// UI data file: a menu's record is the window's (level "ZafPopUpMenu", class
// id 1002). An item's (level "ZafPopUpItem", class id 19) is the button's
// followed by
//   u16  item kind
//   text the sub-menu's name (at most 63 characters; "" when it has no
//        items), the sub-menu then stored in a directory of that name
//        inside the item's as a window with its items.
#pragma once

#include "zaf/controls/ZafButton.h"
#include "zaf/core/ZafWindow.h"

#include <cstdint>

class ZafLanguageData;

class ZafPopUpMenu : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1002;
    static constexpr const char *className = "ZafPopUpMenu";

    // A context menu at (left, top) of no size (the program sets pixels as
    // the coordinate type and adds items).
    ZafPopUpMenu(int left, int top);
    ZafPopUpMenu(const ZafPopUpMenu &copy);
    // Destroys a Windows menu it made that still exists.
    ~ZafPopUpMenu() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafPopUpMenu(*this); }

    // --- Persistence ------------------------------------------------------
    ZafPopUpMenu(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;
    // Enters the menu's and the item's read functions in the program's
    // constructor table.
    static void RegisterPersistence();
    // The window-object record, the window record and the items, from the
    // level file open for the menu (a sub-menu inside its item).
    void ReadContents(ZafWindowPersistence &persistence);
    // The items alone, in and from the open level's directory (the system
    // button keeps its menu's items in its own).
    void ReadItems(ZafWindowPersistence &persistence);
    void WriteItems(ZafWindowPersistence &persistence);

    // --- Events -------------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    // The highlighted entry of this menu becomes its current item.
    ZafEventType HandleMenuSelect(const ZafEventRecord &event, unsigned item, unsigned flags, HMENU menu) override;

    // --- Items --------------------------------------------------------------
    // As ZafWindow's; an item added to a menu whose Windows menu exists gets
    // its entry at once, and one taken out loses it (before it leaves the
    // list, so that its position is still known).
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;

    // --- The Windows menu ---------------------------------------------------
    HMENU MenuHandle() const { return menu; }
    // Takes a Windows menu that belongs to somebody else (a frame's system
    // menu): it is filled but never destroyed here.
    void AdoptMenuHandle(HMENU handle);
    // The item the menu belongs to (null for a stand-alone menu).
    void SetOwnerObject(ZafWindowObject *object) { parent = object; }
    // Makes the Windows menu (when the menu has items or an adopted one);
    // no Windows window.
    HWND CreateOSWindow() override;
    void DestroyOSWindow() override;
    void MoveOSWindow() override {}
    ZafEventType DrawBorder(ZafRegionRect &, ZafEventType code) override { return code; }
    bool PaintedByParent() const override { return false; }

    // --- Fixed attributes -----------------------------------------------------
    bool SetBordered(bool flag) override { return ForceBordered(flag); }
    bool SetTemporary(bool) override { return SetFlagTo(flagTemporary, true); }
    bool SetPlainKeyHotKeys(bool) override { return SetFlagTo(flagPlainKeyHotKeys, true); }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetDisabled(bool) override { return SetFlagTo(flagDisabled, false); }
    bool SetNoFocus(bool flag) override { return DenyNoFocus(flag); }
    bool SetNoClassPalette(bool) override { return SetFlagTo(flagNoClassPalette, false); }
    int SetRegionType(int) override { return regionType = 0; }
    bool SetMovable(bool flag) override { return DenyMoveable(flag); }
    bool SetSizeable(bool flag) override { return DenySizeable(flag); }
    bool SetMaximized(bool flag) override { return DenyMaximized(flag); }
    bool SetMinimized(bool flag) override { return DenyMinimized(flag); }
    bool SetModal(bool flag) override { return DenyModal(flag); }
    bool SetNoClose(bool) override { return SetFlagTo(flagNoClose, false); }
    ZafWindow *SetOwner(ZafWindow *window) override { return DenyOwner(window); }

protected:
    // The attributes every pop-up menu has, however made.
    void ApplyFixedAttributes();

private:
    // TrackPopupMenu for a stand-alone menu, then the picked item's command
    // and the request to close the menu.
    void Track();
    void ForgetMenuHandle();

    HMENU menu = nullptr;
    bool ownsMenu = false;
};

class ZafPopUpItem : public ZafButton
{
public:
    static constexpr ZafClassID classID = 19;
    static constexpr const char *className = "ZafPopUpItem";

    // What an item does besides calling its user function. The kinds with a
    // value queue that event when chosen (outside a system menu).
    enum ItemKind : int {
        kindOrdinary = 0,  // ordinary item
        kindOrdinary1 = 1, // ordinary item (an older code)
        kindClose = 2,     // ZAF_CLOSE, text "Close"
        kindMaximize = 3,  // ZAF_MAXIMIZE
        kindMinimize = 4,  // ZAF_MINIMIZE
        kindMove = 5,      // ZAF_MOVE
        kindRestore = 6,   // ZAF_RESTORE
        kindSeparator = 7, // a separator line: disabled, no focus, sends nothing
        kindSize = 8,      // ZAF_SIZE
        kindPlain = 9,     // no built-in behaviour
        kindExit = 10,     // ZAF_EXIT, text "Exit"
        kindCopy = 11,     // ZAF_COPY, text "Copy"
        kindCut = 12,      // ZAF_CUT, text "Cut"
        kindPaste = 13,    // ZAF_PASTE, text "Paste"
    };
    // The longest sub-menu name the UI data file may hold.
    static constexpr int maxSubMenuName = 63;

    // An entry of that text (copied; null for none) and kind.
    explicit ZafPopUpItem(const char *text, int kind = kindOrdinary);
    ZafPopUpItem(const ZafPopUpItem &copy);
    ~ZafPopUpItem() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafPopUpItem(*this); }

    // --- Persistence ------------------------------------------------------
    ZafPopUpItem(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    // --- Events -------------------------------------------------------------
    ZafEventType Event(const ZafEventRecord &event) override;
    // WM_COMMAND and WM_SYSCOMMAND select the item.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    bool IsMenuItem() const override { return true; }

    // --- Kind and sub-menu ----------------------------------------------------
    // Refused once the entry exists; answers the kind in force.
    virtual int SetItemKind(int newKind);
    int ItemKind() const { return kind; }
    ZafPopUpMenu &SubMenu() { return subMenu; }
    const ZafPopUpMenu &SubMenu() const { return subMenu; }
    // Adds to / takes from the sub-menu; an entry that gains its first or
    // loses its last sub-item is made again (plain entry <-> drop-down).
    virtual ZafWindowObject *AddSubItem(ZafWindowObject *item, ZafWindowObject *before = nullptr);
    virtual ZafWindowObject *SubtractSubItem(ZafWindowObject *item);
    virtual void DestroySubItems();
    virtual void SortSubItems();

    // --- The menu entry -------------------------------------------------------
    bool HasEntry() const { return entryMenu != nullptr; }
    // The Windows menu the entry is in (null before it exists).
    HMENU EntryMenu() const { return entryMenu; }
    // The entry's command id, or its sub-menu's handle.
    UINT_PTR EntryID() const;
    // Where the entry stands in its Windows menu.
    virtual int EntryPosition() const;
    // Puts text, grey, check and sub-menu into the existing entry. It is
    // made again in place, so that an entry with a sub-menu keeps it and a
    // separator stays one (ModifyMenu without MF_POPUP makes Windows destroy
    // the sub-menu). Answers 0.
    virtual int UpdateOSItem();
    HWND CreateOSWindow() override;
    void DestroyOSWindow() override;
    void MoveOSWindow() override {}
    void RefreshText() override { UpdateOSItem(); }
    ZafEventType Draw(const ZafEventRecord &, ZafEventType) override { return 0; }
    bool PaintedByParent() const override { return false; }

    // Grey and check marks go to an existing entry at once.
    bool SetDisabled(bool flag) override;
    bool SetSelected(bool flag) override;

    // --- Lookup ---------------------------------------------------------------
    // The item itself, else its sub-menu's items at any depth.
    ZafWindowObject *FindObjectByNumberID(ZafNumberID id) override;

    // --- Fixed attributes -------------------------------------------------------
    ButtonType SetButtonType(ButtonType) override { return buttonType = flatButton; }
    bool SetAutoSize(bool) override { return autoSize = false; }
    bool SetAllowDefault(bool) override { return allowDefault = false; }
    bool SetAutoRepeatSelection(bool) override { return autoRepeatSelection = false; }
    bool SetDepressed(bool) override { return depressed = false; }
    bool SetSelectOnDoubleClick(bool) override { return selectOnDoubleClick = false; }
    bool SetSelectOnDownClick(bool) override { return selectOnDownClick = false; }
    int SetBitmapData(ZafBitmapData *) override { return 1; }
    int SetDepth(int) override { return depth = 0; }
    Justify SetHzJustify(Justify) override { return hzJustify = justifyStart; }
    Justify SetVtJustify(Justify) override { return vtJustify = justifyCenter; }
    bool SetAcceptDrop(bool) override { return SetFlagTo(flagAcceptDrop, false); }
    bool SetBordered(bool) override { return SetFlagTo(flagBordered, false); }
    bool SetCopyDraggable(bool) override { return SetFlagTo(flagCopyDraggable, false); }
    bool SetSecondDragFlag(bool) override { return SetFlagTo(flagSecondDragFlag, false); }
    bool SetMoveDraggable(bool) override { return SetFlagTo(flagMoveDraggable, false); }
    bool SetParentDrawsBorder(bool) override { return SetFlagTo(flagParentDrawsBorder, false); }
    bool SetParentDrawsFocus(bool) override { return SetFlagTo(flagParentDrawsFocus, false); }
    bool SetNoClassPalette(bool) override { return SetFlagTo(flagNoClassPalette, false); }
    int SetRegionType(int) override { return regionType = 0; }

    // The four shared images (sub-menu arrow and check mark, plain and
    // current); made by the first item, deleted by the static clean-ups.
    // Windows draws the menus, so nothing draws them yet.
    enum PopUpImage { popUpArrow, popUpArrowCurrent, popUpCheck, popUpCheckCurrent, popUpImageCount };
    static ZafBitmapData *BuiltInPopUpImage(PopUpImage image);

protected:
    // For the menu bar's items: no kind, no language texts.
    struct BarEntry
    {};
    ZafPopUpItem(BarEntry, const char *text);
    ZafPopUpItem(BarEntry, const char *name, ZafWindowPersistence &persistence);

    // The entry's text: the hot key marked, in the Windows code page (the
    // caller frees it with delete[]).
    char *EntryText();
    // MF_ flags of the entry's state (without a position flag).
    virtual UINT EntryFlags() const;
    // The menu the item stands in (null outside one or before it exists).
    virtual HMENU ParentMenuHandle() const;
    // True inside a system button's menu (its items use the SC_ codes).
    bool InSystemMenu() const;
    // Inserts the entry at its position (the menu bar appends).
    virtual void InsertEntry(HMENU menu);
    // Redraws the menu bar of the item's top-level window.
    void DrawRootMenuBar();
    // Reads the sub-menu's name and, when there is one, the sub-menu.
    void ReadSubMenu(ZafWindowPersistence &persistence);
    void WriteSubMenu(ZafWindowPersistence &persistence);
    // Makes the entry again (-27 then -10) when it exists.
    void RemakeEntry();
    void SetUpSubMenu();
    // The attributes every menu item has, however made.
    void ApplyFixedAttributes();

    ZafWindowObject *SearchInside(const char *name) override;

    ZafPopUpMenu subMenu;
    int kind = kindOrdinary;
    ZafLanguageData *language = nullptr;
    HMENU entryMenu = nullptr;

private:
    void TakeLanguageText();
    static void LoadPopUpImages();
    static void ReleasePopUpImages(std::uint8_t flag);
};
