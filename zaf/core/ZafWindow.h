// ZafWindow: a window object that is also the ZafList of its ordinary
// children and keeps a second list of support objects (border, frame
// buttons, title, scroll bars, geometry manager, pull-down menu: the objects
// whose support flag is set, found by their number ids below).
//
// Ownership: the window owns both lists; its destructor deletes the support
// objects and then the children. SubtractObject hands an object back to the
// caller, who deletes it. Walks take the support list first.
//
// Selection in selection mode 0 (single): selecting a child deselects the
// other selected children that exclude each other (ExcludesSiblingsWhen-
// Selected: radio buttons, and whatever SelectionExcludes answers for a
// class such as a list), and unless the window allows an empty selection
// the last such child cannot be deselected (its flag stays on). Check boxes
// and other children are left alone: every window starts in mode 0, and
// the check boxes of a dialog would otherwise clear each other and the
// last one could never be cleared. Modes 1 (multiple) and 2 (extended)
// change nothing here.
//
// The frame attributes (destroyable, movable, sizeable, temporary, no close,
// plain-key hot keys, maximized, minimized, modal, owner) are kept here;
// the windowing layer applies them to the Windows window.
//
// On Windows: a window whose parent is null or the window manager is a
// top-level window (its frame from the destroyable, movable, sizeable and
// no-close flags, its caption from the title support object); any other
// window is a child window inside its parent. ZAF_CREATE makes the Windows
// window and then those of the support objects and children; a windowless
// window on screen makes its children's windows in the nearest window
// above it, and ZAF_DESTROY_OS_WINDOW destroys them again. Keys that
// come to a window's Windows window go first to the windowless child that
// holds the focus (HostedFocus). Tab and Shift+Tab move the focus through
// the children in list order, and the arrows from one control child to the
// next or previous; Alt+letter (or the plain letter with plain-key hot
// keys) gives the focus to the child whose text marks that letter with '&'
// and sends it ZAF_HOT_KEY; Enter selects the focused push button, else the
// default button. Each of these is first offered to the focused object
// (DialogCode): a control that wants the key keeps it. A native control
// that takes its dialog keys itself asks the window as a dialog would:
// WM_NEXTDLGCTL moves the focus, DM_GETDEFID names the default button.
// ZAF_APPLY_GEOMETRY applies the region,
// ZAF_REGION_CHANGED (also on WM_SIZE) lays the children out again:
// the geometry manager (support object ZAF_NUMID_GEOMETRY) first, then
// every support object and child gets ZAF_APPLY_GEOMETRY.
//
// Menu commands (WM_COMMAND with no control window) reach only menu items
// (IsMenuItem) found by their number id: a control whose id happens to
// equal a command number is never selected by it.
//
// AddGenericObjects takes the title's data and, optionally, the menu for the
// system button (a pop-up menu), and adds a border, a maximize button, a
// minimize button, a system button and a title in that order; the objects
// come from the maker installed by the layers that define their classes
// (SetGenericObjectMaker).
//
// Persistence: a window is read by name as a top-level object (entry type
// 0: "~<class>~<name>~objectData") or, inside another window, as a child
// (its own directory below the parent's). Its record is the window-object
// record followed by the window's own fields (ReadData / WriteData):
//   u16  window flags (windowFlags below)
//   u16  selection mode (0, 1 or 2)
//   i32  left, top, right, bottom of the client region
//   u16  the client region's coordinate type
// The name of the children's compare function, when the compare-function
// table names it, is kept in the entry "compareFunction" of the window's
// directory. Then every support object and every child is written in a
// level of its own (a directory named after its string id, else its class
// name), support objects first; reading builds every object found in the
// directory through the object-constructor table and adds it as AddObject
// does (its support flag decides the list). Two objects of one window with
// the same name would share one directory: the second is refused with error
// 17 rather than replacing the first. A child read with an error leaves its
// error in the window's error word.
//
// The implementation is split by concern: ZafWindow.cpp (construction,
// children, lookup, broadcast, focus and selection, attributes, generic
// support objects), ZafWindowReadWrite.cpp (the record and its objects),
// ZafWindowWin32.cpp (the Windows window and its messages) and
// ZafWindowKeys.cpp (keys, focus movement, hot keys, the default button);
// ZafWindowWalk.h holds the list walks they share.
#pragma once

#include "zaf/core/ZafList.h"
#include "zaf/core/ZafWindowObject.h"

class ZafBorder;
class ZafScrollBar;
class ZafStringData;
class ZafWindow;

// Number ids (and, where named, string ids) of support objects.
constexpr ZafNumberID ZAF_NUMID_BORDER = static_cast<ZafNumberID>(-1);
constexpr ZafNumberID ZAF_NUMID_MAXIMIZE = static_cast<ZafNumberID>(-2); // "ZAF_NUMID_MAXIMIZE"
constexpr ZafNumberID ZAF_NUMID_MINIMIZE = static_cast<ZafNumberID>(-3); // "ZAF_NUMID_MINIMIZE"
constexpr ZafNumberID ZAF_NUMID_SYSTEM = static_cast<ZafNumberID>(-4);   // "ZAF_NUMID_SYSTEM"
constexpr ZafNumberID ZAF_NUMID_TITLE = static_cast<ZafNumberID>(-5);    // "ZAF_NUMID_TITLE"
constexpr ZafNumberID ZAF_NUMID_HZ_SCROLL = static_cast<ZafNumberID>(-6);
constexpr ZafNumberID ZAF_NUMID_VT_SCROLL = static_cast<ZafNumberID>(-7);
constexpr ZafNumberID ZAF_NUMID_GEOMETRY = static_cast<ZafNumberID>(-9);
constexpr ZafNumberID ZAF_NUMID_PULL_DOWN_MENU = static_cast<ZafNumberID>(-11); // "ZAF_NUMID_PULL_DOWN_MENU"
constexpr ZafNumberID ZAF_NUMID_SYSTEM_BUTTON_MENU = static_cast<ZafNumberID>(-12);
constexpr ZafNumberID ZAF_NUMID_MIN_ICON = static_cast<ZafNumberID>(-13);
constexpr ZafNumberID ZAF_NUMID_COLUMN_HEADER = static_cast<ZafNumberID>(-14); // "ZAF_COLUMN_HEADER"
constexpr ZafNumberID ZAF_NUMID_ROW_HEADER = static_cast<ZafNumberID>(-15);    // "ZAF_ROW_HEADER"
constexpr ZafNumberID ZAF_NUMID_CORNER_HEADER = static_cast<ZafNumberID>(-16); // "ZAF_CORNER_HEADER"

// Makes the generic support object of a number id (ZAF_NUMID_BORDER,
// _MAXIMIZE, _MINIMIZE, _SYSTEM or _TITLE) or returns null. The title takes
// the title data (and owns it); the system button takes the menu when one
// is given.
using ZafGenericObjectMaker = ZafWindowObject *(*)(ZafNumberID numberID, ZafStringData *titleData,
                                                   ZafWindow *systemMenu);

class ZafWindow : public ZafWindowObject, public ZafList
{
public:
    static constexpr ZafClassID classID = 1007;
    static constexpr const char *className = "ZafWindow";

    // A window with that region (cells), empty lists, selection mode 0,
    // destroyable, movable and sizeable, not temporary, client region
    // {0, 0, width - 1, height - 1} in cells.
    ZafWindow(int left, int top, int width, int height);
    // Copies the window part and flags, then duplicates the support objects
    // and the children into the copy as AddObject adds them.
    ZafWindow(const ZafWindow &copy);
    // Deletes the support objects, then the children.
    ~ZafWindow() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override;

    // --- Persistence --------------------------------------------------------
    // The persistent constructor (see above) and the class's read function.
    ZafWindow(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    // Writes the whole window: record, own fields, support objects, children.
    void Write(ZafWindowPersistence &persistence) override;
    // The window's stored flags, one bit each in the record's window-flag
    // word (kept as that word, so copying, reading and writing are one step).
    enum WindowFlag : std::uint16_t {
        flagDestroyable = 0x0001,         // the frame can be closed
        flagMoveable = 0x0002,            // the frame can be moved
        flagSizeable = 0x0004,            // the frame can be sized
        flagTemporary = 0x0008,           // a temporary (pop-up) window
        flagNoClose = 0x0010,             // the Close command is taken out
        flagPlainKeyHotKeys = 0x0020,     // hot keys work without Alt
        flagMaximized = 0x0040,           // shown maximized
        flagMinimized = 0x0080,           // shown minimized
        flagModal = 0x0100,               // runs modally
        flagAllowEmptySelection = 0x0200, // the last excluding child may be deselected
        flagRegionIsClientSize = 0x0400,  // a top-level region gives the client area
    };
    // Every bit above; the reader keeps no others.
    static constexpr std::uint16_t windowFlagMask = 0x07FF;

    // ZAF_ADD_OBJECT / ZAF_SUBTRACT_OBJECT add / subtract the object the
    // event carries; ZAF_UNKNOWN goes to the current child; the rest to
    // ZafWindowObject::Event. Creation, scrolling and layout are added by
    // the windowing layer.
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    ZafEventType MapEvent(const ZafEventRecord &event) const override;
    static const ZafEventMap windowEventMap[];

    // --- Windows window ---------------------------------------------------
    HWND CreateOSWindow() override;
    void DestroyOSWindow() override;
    // Applies the region (ApplyRegion).
    void MoveOSWindow() override;
    // Moves and sizes the Windows window (a top-level window's frame, a
    // child window inside its parent) to the region; a windowless window
    // on screen has its old and new areas redrawn as every windowless
    // object does.
    void ApplyRegion();
    // The window's font change: ApplyFont.
    void UpdateFont() override;
    // With redraw suspended, brings the font of every support object and
    // child up to date (child windows pass it on to their own); redraw is
    // then restored to what it was, which redisplays the window when on.
    void ApplyFont();
    // Also sends ZAF_DEINITIALIZE to every support object.
    void OSWindowDestroyed() override;
    HWND OSHandle(int kind) const override;
    using ZafWindowObject::OSHandle;
    // True when the window is a top-level window (no parent window).
    bool IsTopLevel() const;
    // Where the Windows window goes, in pixels of its parent window (a
    // top-level window: of the screen, the frame grown round the region
    // when the region gives the client size).
    ZafRegionRect FramePlace() const;
    // The window class, style and extended style its Windows window gets.
    virtual const char *OSClassName() const { return nullptr; }
    virtual DWORD OSStyle() const;
    virtual DWORD OSExtendedStyle() const;
    // The caption: the title support object's text, else the string id.
    virtual const char *TitleText();
    // Sends ZAF_CREATE to every support object and child.
    void CreateChildren();
    // Whether the child paint pass draws the window's windowless objects;
    // a window whose rows Windows draws from its children (a list box)
    // answers false.
    virtual bool DrawsWindowlessChildren() const { return true; }
    // The window's handling of scroll events (-300 to -307); ZAF_UNKNOWN
    // by default.
    virtual ZafEventType ScrollEvent(const ZafEventRecord &event);
    // Lays the children out (see above).
    virtual void LayoutChildren();

    // --- Keyboard shortcuts -----------------------------------------------
    // The accelerator table of a top-level window (made with
    // CreateAcceleratorTableA): the loop translates the keys pressed in the
    // window, and in the MDI children of a frame, with it; each command
    // arrives as a menu command (WM_COMMAND, see above). The window owns the
    // table: one it is given in place destroys the old one, and deleting the
    // window destroys it. Copies have none.
    HACCEL SetAccelerators(HACCEL table);
    HACCEL Accelerators() const { return accelerators; }

    // --- Focus, hot keys, default button ----------------------------------
    // Moves the focus to the next (or previous) child that can take it,
    // wrapping round; false when none can.
    bool MoveFocus(bool forward);
    // The last windowless child along the current children that can take
    // the focus (see ZafWindowObject); the window itself when none.
    ZafWindowObject *HostedFocus() override;
    // The child whose text marks the letter as its hot key (Latin-1 case
    // folded); null when none.
    ZafWindowObject *FindHotKeyObject(unsigned character);
    // Default button of the root window: the current one, or the permanent
    // one when asked; SetDefaultButton sets either. Null when none.
    ZafWindowObject *GetDefaultButton(bool permanent);
    void SetDefaultButton(ZafWindowObject *button, bool permanent);
    // Clears a deleted object from every window that holds it as default.
    static void ForgetDefaultButton(ZafWindowObject *object);

    // Adds the object to the support list when its support flag is set, else
    // to the child list: before `before` when that is in the same list, else
    // in compare order (or at the end). An object still in another window is
    // taken out of it first. The window becomes its parent; when the window
    // is created the object is sent ZAF_CREATE. Returns the object, or null
    // (nothing done) for null, the window itself or one of its parents.
    virtual ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr);
    // Removes the object from whichever list holds it, sends it
    // ZAF_DESTROY_OS_WINDOW when it is created, clears its parent (and the
    // current child when it was current). Returns the object, which the
    // caller deletes; an object not in this window is returned untouched.
    virtual ZafWindowObject *SubtractObject(ZafWindowObject *object);
    // Runs NotifyChildren, sends ZAF_DESTROY_OS_WINDOW to every child, then
    // deletes every child. A window that keeps its entries elsewhere (a combo
    // box's list) destroys those instead.
    virtual void DestroyChildren();
    // DestroyChildren without NotifyChildren: for a window that has told its
    // children already.
    void DeleteChildren();
    // Told before DestroyChildren deletes the children: a window that keeps
    // them as rows of a control clears the rows here. Nothing by default.
    virtual void NotifyChildren() {}

    ZafWindowObject *CurrentChild() const { return static_cast<ZafWindowObject *>(Current()); }
    ZafWindowObject *FirstChild() const { return static_cast<ZafWindowObject *>(First()); }
    ZafWindowObject *FirstSupport() const { return static_cast<ZafWindowObject *>(support.First()); }
    const ZafList &SupportList() const { return support; }
    // The support object with that number id, or null.
    ZafWindowObject *FindSupportObject(ZafNumberID id) const;
    // The support objects of the frame, each by its number id and class:
    // null when there is none, or when the object of that id is of another
    // class. The buttons, the title and the pull-down menu are classes of
    // the controls layer: these answer the plain window object (its number
    // id alone decides) until the controls are built on this layer.
    ZafBorder *FindBorder() const;
    ZafWindowObject *FindMaximizeButton() const;
    ZafWindowObject *MinimizeButton() const;
    ZafWindowObject *FindSystemButton() const;
    ZafWindowObject *FindTitle() const;
    ZafScrollBar *HorizontalScrollBar() const;
    ZafScrollBar *VerticalScrollBar() const;
    ZafWindowObject *FindPullDownMenu() const;

    // Sends the event to every support object and then every child; with a
    // depth above 0 each of them that is a window passes it on in turn with
    // one less (depth 0: this window's own objects only). A receiver may
    // take out or delete itself, any other object of the window or the
    // window: the walk goes over the objects there were at its start, skips
    // those that have left since and ends when the window is deleted. Each
    // step is constant time (the objects are followed by trackers).
    virtual void BroadcastEvent(const ZafEventRecord &event, int depth);
    // The window itself, then its support objects and children, at any depth.
    ZafWindowObject *FindObjectByNumberID(ZafNumberID id) override;

    // Makes a child the current child when it gains the focus (the previous
    // current child and the windowless object current inside it are sent
    // ZAF_NOT_CURRENT when they had the focus) and passes the change to the
    // parent; 0 when accepted.
    int NotifyFocus(ZafWindowObject *object, bool gaining) override;
    // The single-selection rule described above; returns the object.
    ZafWindowObject *NotifySelection(ZafWindowObject *object, bool selected) override;
    // Whether a child takes part in the single-selection rule; by default its
    // own ExcludesSiblingsWhenSelected. A list whose entries all exclude
    // each other answers true.
    virtual bool SelectionExcludes(const ZafWindowObject *child) const;
    // 0 single, 1 multiple, 2 extended; refused once created (and any other
    // mode always). Mode 0 deselects all excluding children but the first.
    virtual unsigned SetSelectionMode(unsigned mode);
    unsigned SelectionMode() const { return selectionMode; }
    bool SetAllowEmptySelection(bool flag) { return SetFlagTo(flagAllowEmptySelection, flag); }
    bool AllowEmptySelection() const { return HasFlag(flagAllowEmptySelection); }

    // Clearing the flag clears it on every child; the window counts as
    // changed when it or any child is.
    bool SetChanged(bool flag) override;
    bool Changed() const override;

    // Frame attributes. SetTemporary is refused once created.
    virtual bool SetDestroyable(bool flag) { return SetFlagTo(flagDestroyable, flag); }
    virtual bool SetMovable(bool flag) { return SetFlagTo(flagMoveable, flag); }
    virtual bool SetSizeable(bool flag) { return SetFlagTo(flagSizeable, flag); }
    virtual bool SetTemporary(bool flag);
    virtual bool SetNoClose(bool flag) { return SetFlagTo(flagNoClose, flag); }
    virtual bool SetPlainKeyHotKeys(bool flag) { return SetFlagTo(flagPlainKeyHotKeys, flag); }
    virtual bool SetMaximized(bool flag) { return SetFlagTo(flagMaximized, flag); }
    virtual bool SetMinimized(bool flag) { return SetFlagTo(flagMinimized, flag); }
    virtual bool SetModal(bool flag) { return SetFlagTo(flagModal, flag); }
    virtual ZafWindow *SetOwner(ZafWindow *window) { return owner = window; }
    bool Destroyable() const { return HasFlag(flagDestroyable); }
    bool Moveable() const { return HasFlag(flagMoveable); }
    bool Sizeable() const { return HasFlag(flagSizeable); }
    bool Temporary() const { return HasFlag(flagTemporary); }
    bool NoClose() const { return HasFlag(flagNoClose); }
    bool PlainKeyHotKeys() const { return HasFlag(flagPlainKeyHotKeys); }
    bool Maximized() const { return HasFlag(flagMaximized); }
    bool Minimized() const { return HasFlag(flagMinimized); }
    bool Modal() const { return HasFlag(flagModal); }
    ZafWindow *Owner() const { return owner; }

    // Stores the region and clears the flag by which the region gives the
    // client size.
    using ZafWindowObject::SetRegion;
    void SetRegion(const ZafRegionRect &newRegion) override;
    bool SetRegionIsClientSize(bool flag) { return SetFlagTo(flagRegionIsClientSize, flag); }
    bool RegionIsClientSize() const { return HasFlag(flagRegionIsClientSize); }
    virtual ZafRegionRect ClientRegion() const { return clientRegion; }

    // Adds border, maximize, minimize, system button and title (see above);
    // false when no maker is installed (nothing is added or taken then).
    bool AddGenericObjects(ZafStringData *titleData = nullptr, ZafWindow *systemMenu = nullptr);
    // Installs the maker; returns the previous one.
    static ZafGenericObjectMaker SetGenericObjectMaker(ZafGenericObjectMaker maker);

protected:
    // The stored window flags, bit by bit, beside the window object's own.
    using ZafWindowObject::ClearFlag;
    using ZafWindowObject::HasFlag;
    using ZafWindowObject::SetFlag;
    using ZafWindowObject::SetFlagTo;
    bool HasFlag(WindowFlag bit) const { return (windowFlags & bit) != 0; }
    void SetFlag(WindowFlag bit) { windowFlags |= bit; }
    void ClearFlag(WindowFlag bit) { windowFlags &= static_cast<std::uint16_t>(~bit); }
    bool SetFlagTo(WindowFlag bit, bool on)
    {
        if (on)
            SetFlag(bit);
        else
            ClearFlag(bit);
        return on;
    }

    // The steps of reading and writing (see above); each works on the open
    // level file of the window and leaves errors in the persistence.
    void ReadData(ZafWindowPersistence &persistence);
    void ReadObjects(ZafWindowPersistence &persistence);
    void WriteData(ZafWindowPersistence &persistence);
    void WriteSupportObjects(ZafWindowPersistence &persistence);
    void WriteChildren(ZafWindowPersistence &persistence);

    ZafWindowObject *SearchInside(const char *name) override;
    void ForgetChild(ZafWindowObject *child) override;

    // Fixed setter bodies for control windows that pin an attribute: ignore
    // the argument, clear the flag (owner: none) and return it.
    bool DenyDestroyable(bool) { return SetFlagTo(flagDestroyable, false); }
    bool DenyMoveable(bool) { return SetFlagTo(flagMoveable, false); }
    bool DenySizeable(bool) { return SetFlagTo(flagSizeable, false); }
    bool DenyTemporary(bool) { return SetFlagTo(flagTemporary, false); }
    bool DenyMaximized(bool) { return SetFlagTo(flagMaximized, false); }
    bool DenyMinimized(bool) { return SetFlagTo(flagMinimized, false); }
    bool DenyModal(bool) { return SetFlagTo(flagModal, false); }
    bool DenyPlainKeyHotKeys(bool) { return SetFlagTo(flagPlainKeyHotKeys, false); }
    ZafWindow *DenyOwner(ZafWindow *) { return owner = nullptr; }

    ZafList support;
    ZafRegionRect clientRegion;
    unsigned selectionMode = 0;
    ZafWindow *owner = nullptr;
    // The stored window flags (WindowFlag bits).
    std::uint16_t windowFlags = flagDestroyable | flagMoveable | flagSizeable;
    ZafWindowObject *defaultButton = nullptr;
    ZafWindowObject *permanentDefaultButton = nullptr;
    // Routes a menu command to the menu item of that number id.
    ZafEventType MenuCommand(const ZafEventRecord &event);
    ZafEventType KeyEvent(const ZafEventRecord &event);
    // The object a key event comes from: the focus held for the window the
    // key came to (this window's when it came with no window).
    ZafWindowObject *KeySource(const ZafEventRecord &event);
    // True when the key's source, another object than this window, wants
    // the key for itself (its DialogCode).
    bool SourceWantsKey(const ZafEventRecord &event);
    // WM_NEXTDLGCTL: focus the window named, or move on from the focus.
    void NextDialogControl(WPARAM wParam, LPARAM lParam);
    void StopHoldingDefaultButtons();

private:
    bool IsParentOrSelf(const ZafWindowObject *object) const;
    HACCEL accelerators = nullptr;
};
