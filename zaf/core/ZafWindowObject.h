// ZafWindowObject: the base of every window, control and menu item.
//
// A window object has a region (left, top, right, bottom, edges inclusive, in
// its coordinate type; cells by default), a parent (null until a ZafWindow
// adds it), a Windows window handle (null until the windowing layer creates
// it: the object counts as created while the handle is non-null), a user
// function and dispatcher for its selections, owned texts (help context and
// two tip texts; heap copies that the object frees), an error word and its
// attribute flags. Its palette data (ZafPaletteData, zaf/data) is shared with
// other objects; the data layer installs the link through which an object
// registers with it and releases it (SetPaletteLink).
//
// Attribute setters take the new value and return the value in force. Those
// documented "refused once created" change nothing while the handle is
// non-null. A class that pins an attribute overrides its setter with one of
// the fixed bodies below (ForceSupportObject and the like).
//
// Name lookup (FindObjectByStringID): a plain name is searched in the object
// itself and then, for windows, in every support object and child at any
// depth (support objects first); names joined by '~' form a path, each
// further name searched inside the object found so far; a leading '~'
// starts at the top-level windows (SetRootWindowList). Any path segment that
// is empty or not found gives null. The search goes all the way down so that
// a control inside a group is found from its dialog.
//
// Focus: SetFocus on a windowless object goes through NotifyFocus, which a
// window answers by making the object its current child and passing the
// change up, and puts the Windows focus on the object's host (the nearest
// parent with a Windows window), whose keys then reach the object (see
// ZafWindow). The object that gains the focus gets ZAF_CURRENT and the one
// that loses it ZAF_NOT_CURRENT, once each, whether the change came from
// SetFocus or from Windows (WM_SETFOCUS, WM_KILLFOCUS). A host that gets the
// Windows focus back gives it to the windowless object that was current in
// it. Selection: SetSelected tells the parent through NotifySelection (see
// ZafWindow for the single-selection rule).
//
// The Windows window: ZAF_CREATE and ZAF_CREATE_OS_WINDOW make it (an object
// whose own-window flag is clear draws inside its parent's window instead),
// ZAF_DESTROY_OS_WINDOW destroys it. ZafCreateOSWindow binds the object to
// its window before CreateWindowExA returns (a window gets messages such as
// WM_MEASUREITEM while it is being created) and subclasses the window with
// the library's procedure, which turns every message into an event for the
// object's Event; the binding ends at WM_NCDESTROY. Deleting an object
// whose window still exists destroys that window first, so no window is
// left pointing at a deleted object.
//
// Messages: HandleOSMessage turns mouse messages into ZAF_MOUSE_EVENT and
// key messages into ZAF_KEY_EVENT events for Event (MapEvent gives their
// logical codes: mouse 1001, 1003 to 1006 and 1012, keys through the event
// map); what Event leaves (ZAF_UNKNOWN) goes to the window class's own
// procedure. A key nobody consumes travels up to the parents (Tab order,
// hot keys and the default button are the windows'); it goes no further
// once a handler has deleted the object or the parent it would reach next.
//
// Notifications: a message that a window receives about one of its
// controls (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
// WM_COMPAREITEM, WM_DELETEITEM, WM_VKEYTOITEM, WM_CHARTOITEM, WM_HSCROLL
// and WM_VSCROLL from a scroll-bar control, WM_CTLCOLOR...) is sent back to
// the control's own window, found by the window handle the message names
// (never by control id), so it reaches the control's object (WM_COMMAND
// arrives there with lParam 0). There HandleOSMessage gives it to one
// handler per message (HandleCommand, HandleNotify, HandleDrawItem, ...),
// which a control overrides; what that handler declines (ZAF_UNKNOWN) gets
// the parent window's default answer, never the control class's. Only
// WM_MEASUREITEM names no window: its control id does, and each child
// window gets one unique among its siblings (the object's number id when
// that is non-zero and free, else one of the library's above 0xFFFF).
// Menu upkeep (WM_INITMENUPOPUP, WM_MENUSELECT) goes to the object that
// registered the menu handle (RegisterMenu); WM_MEASUREITEM and WM_DRAWITEM
// of an owner-drawn menu go to the menu item of that command id, and a
// drawing that no item takes to the menu's owner.
//
// Characters (WM_CHAR, WM_SYSCHAR) stay with the object. Before a window
// takes Tab, Enter, Escape or an arrow for navigation it asks the focused
// object's DialogCode, as Windows dialogs ask WM_GETDLGCODE: a control that
// wants the key gets it. The loop (ZafDispatchMessage) makes a key-down's
// character only when no object consumed the key-down, so the character of
// a key that moved the focus or selected the default button reaches no
// control.
//
// Drawing: BeginDraw opens a pass (the display's context for the window
// that draws the object, clipped to the object) and answers the region to
// draw in that window's pixels; EndDraw closes it, giving back the context
// that its BeginDraw got. Passes nest: an inner pass for the same window
// shares the outer pass's context. Code holds a pass with a ZafDrawPass,
// which closes it on every way out. WM_PAINT of a window draws the window
// (Draw, unless its class draws it) and then every windowless object on it
// (PaintedByParent) at any depth, each clipped to its own region and to
// the windowless window that holds it. A windowless window places its
// children inside itself: their windows are made in the nearest window
// above and moved by the windowless window's place there.
//
// Persistence: the persistent constructor (name, persistence) reads the
// window-object record of the object of that name from its level file and
// Write writes it, both through a ZafWindowPersistence (see there for the
// level pattern; every control reads and writes its own fields after this
// record). The record, integers least significant byte first:
//   u16  number id
//   i32  left, top, right, bottom of the region
//   u16  attribute flags (low half of the StoredFlag word below)
//   u16  low 4 bits the coordinate type, bits 4-7 the region type
//   text help context, text tip text, text second tip text
//   u16  drag and selection flags (high half of the StoredFlag word)
//   u16  0 (reserved)
//   text "" (reserved)
//   text user-function name, user-object name, palette name (each at most
//        63 characters; "" for none)
// A name longer than 63 characters, an unknown coordinate type or a short
// record sets error Read (16); a name that no table holds gives none. The writer
// also keeps the user-function and user-object names in the entries
// "userFunction" and "userObject" beside the record, for readers of the
// file. Layout mode, focus and the changed flag are not stored.
//
// The implementation is split by concern: ZafWindowObject.cpp (construction,
// tree and lookup, focus and selection, attributes, region),
// ZafWindowObjectPersistence.cpp, ZafWindowObjectEvents.cpp (Event, user
// functions, event maps), ZafWindowObjectWin32.cpp (the Windows window and
// message translation), ZafWindowObjectDraw.cpp, ZafWindowObjectDragDrop.cpp
// and ZafWindowObjectPalette.cpp.
#pragma once

#include "zaf/core/ZafElement.h"
#include "zaf/core/ZafEventRecord.h"
#include "zaf/core/ZafPaletteStruct.h"
#include "zaf/core/ZafRegionRect.h"

#include <windows.h>

#include <vector>

class ZafList;
class ZafPaletteData;
class ZafWindowPersistence;
class ZafWindowObject;
class ZafWindow;

// One row of an event map: the logical code of an input event of a category
// (ZAF_KEY_EVENT or ZAF_MOUSE_EVENT) with a raw value (virtual key; mouse
// message) and a modifier word (keys: equal; mouse: MK_ bits that must be
// held). A map ends with a row whose logical code is ZAF_NO_MAPPING.
struct ZafEventMap
{
    ZafEventType logicalCode;
    int category;
    std::uint32_t rawValue;
    std::uint32_t modifiers;
};

// The edge of its parent's client area that an object docks to (tool bars
// and status bars answer theirs); the numbers are a tool bar's edge numbers.
enum ZafDockEdge : int {
    ZAF_DOCK_NONE = -1,  // placed by its own region
    ZAF_DOCK_TOP = 0,    // a strip along the top, its height kept
    ZAF_DOCK_LEFT = 1,   // a strip along the left side, its width kept
    ZAF_DOCK_BOTTOM = 2, // a strip along the bottom, its height kept
    ZAF_DOCK_RIGHT = 3,  // a strip along the right side, its width kept
};

// A user function: called with the object, a copy of the event and the
// logical code (ZAF_SELECT on selection); returns a logical code.
using ZafUserFunction = ZafEventType (*)(ZafWindowObject *object, ZafEventRecord &event, ZafEventType code);
// A dispatcher, through which every selection of an object goes; by default
// ZafWindowObject::CallUserFunction.
using ZafUserCallback = ZafEventType (*)(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code);

// How window objects reach their palette data; installed by the data layer
// (ZafPaletteData::InstallWindowLink). attach registers the object as an
// observer (a change of the palette then updates its font and redraws it);
// release removes it and deletes the palette data when nothing else
// observes it; create makes a new, empty palette data; map answers the
// palette data's rows (ended as ZafPaletteMap says); setPalette stores one
// palette of (type, state).
struct ZafPaletteLink
{
    void (*attach)(ZafPaletteData *palette, ZafWindowObject *observer);
    void (*release)(ZafPaletteData *palette, ZafWindowObject *observer);
    ZafPaletteData *(*create)();
    const ZafPaletteMap *(*map)(const ZafPaletteData *palette);
    void (*setPalette)(ZafPaletteData *palette, std::uint16_t type, std::uint16_t state, const ZafPaletteStruct &entry);
};

class ZafWindowObject : public ZafElement
{
    friend class ZafWindow;

public:
    // The window-object part has no class id of its own; every concrete
    // class answers its own.
    static constexpr ZafClassID classID = 0;
    static constexpr const char *className = "ZafWindowObject";

    // Region right = left + width - 1, bottom = top + height - 1, in cells.
    ZafWindowObject(int left, int top, int width, int height);
    // Copies region, coordinate type, attributes, flags, texts, user function
    // and dispatcher; the copy is in no window, not created, has no focus
    // and an error word of 0.
    ZafWindowObject(const ZafWindowObject &copy);
    ZafWindowObject &operator=(const ZafWindowObject &) = delete;
    // Unlinks the object from a parent it is still in, frees its texts and
    // releases its palette data.
    ~ZafWindowObject() override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    virtual ZafWindowObject *Duplicate() const;

    // --- Persistence --------------------------------------------------------
    // The persistent constructor: reads the record above (the error word
    // tells whether it was read; the object keeps its defaults otherwise).
    ZafWindowObject(const char *name, ZafWindowPersistence &persistence);
    // Writes the record; errors stay in the persistence.
    virtual void Write(ZafWindowPersistence &persistence);
    // The stored flags, one bit each in one word: the record's attribute
    // word is the low half, its drag-and-selection word the high half, so
    // that copying, reading and writing the flags is one step each.
    enum StoredFlag : std::uint32_t {
        // attribute word
        flagBordered = 0x0001,          // a border is drawn round the object
        flagSystemDrawn = 0x0002,       // the window class draws it, not Draw
        flagParentDrawsBorder = 0x0004, // the parent draws the border
        flagParentDrawsFocus = 0x0008,  // the parent draws the focus mark
        flagNoClassPalette = 0x0010,    // the class palette map is skipped
        flagNoFocus = 0x0020,           // never takes the focus
        flagDisabled = 0x0040,          // refuses input, drawn grey
        flagVisible = 0x0080,           // shown
        flagRedraw = 0x0100,            // redraws as it changes
        flagOwnWindow = 0x0200,         // has a Windows window of its own
        flagSupportObject = 0x0400,     // a support object of its window
        // drag-and-selection word
        flagAcceptDrop = 0x0001 << 16,     // takes objects dropped on it
        flagCopyDraggable = 0x0002 << 16,  // may be dragged as a copy
        flagSecondDragFlag = 0x0004 << 16, // the record's third drag bit
        flagMoveDraggable = 0x0008 << 16,  // may be dragged as a move
        flagSelected = 0x0010 << 16,       // selected
    };
    // Every bit above; the reader keeps no others.
    static constexpr std::uint32_t storedFlagMask = 0x07FF | 0x001F << 16;

    // --- Events -----------------------------------------------------------
    // The logical event handler: ZAF_SELECT and ZAF_FOCUS_CHANGE go to the
    // dispatcher and its answer is returned; ZAF_NOT_CURRENT clears the focus
    // flag; a Windows-message event goes to HandleOSMessage; everything else
    // answers ZAF_UNKNOWN here.
    virtual ZafEventType Event(const ZafEventRecord &event);
    // The Windows-message handler (see above); answers the message's result.
    virtual ZafEventType HandleOSMessage(const ZafEventRecord &event);
    // --- One handler per native notification ------------------------------
    // Each gets the Windows-message event (sent back to this object's
    // window by its parent, or routed to it as a menu's owner) with the
    // message unpacked, and answers the message's result, or ZAF_UNKNOWN
    // for the parent's default answer. All but HandleDrawItem and
    // HandleControlColor decline by default.
    // WM_COMMAND from this control (notifyCode: HIWORD of wParam).
    virtual ZafEventType HandleCommand(const ZafEventRecord &event, unsigned notifyCode);
    // WM_NOTIFY from this control (common controls).
    virtual ZafEventType HandleNotify(const ZafEventRecord &event, NMHDR &header);
    // WM_DRAWITEM: Draw with ZAF_REDISPLAY into the item's context; TRUE.
    virtual ZafEventType HandleDrawItem(const ZafEventRecord &event, DRAWITEMSTRUCT &item);
    // WM_MEASUREITEM: set item.itemHeight (and itemWidth) and answer TRUE.
    virtual ZafEventType HandleMeasureItem(const ZafEventRecord &event, MEASUREITEMSTRUCT &item);
    // WM_COMPAREITEM: -1, 0 or 1 for the order of the two items.
    virtual ZafEventType HandleCompareItem(const ZafEventRecord &event, const COMPAREITEMSTRUCT &item);
    virtual ZafEventType HandleDeleteItem(const ZafEventRecord &event, const DELETEITEMSTRUCT &item);
    // WM_VKEYTOITEM (character false: key is a virtual key) or WM_CHARTOITEM
    // of a list box with the caret at caretIndex. Answers the message's
    // result itself and never declines: -2 handled, -1 (the default) the
    // list box's own action, else the index of the item to act on.
    virtual ZafEventType HandleListKey(const ZafEventRecord &event, unsigned key, int caretIndex, bool character);
    // WM_HSCROLL / WM_VSCROLL from this scroll-bar control.
    virtual ZafEventType HandleScroll(const ZafEventRecord &event, int request, int position);
    // WM_CTLCOLOR...: sets the context's colours to the object's and answers
    // the cached brush of its background colour.
    virtual ZafEventType HandleControlColor(const ZafEventRecord &event, HDC dc);
    // WM_INITMENUPOPUP of a registered menu (systemMenu: the window menu).
    virtual ZafEventType HandleInitMenuPopup(const ZafEventRecord &event, HMENU menu, int index, bool systemMenu);
    // WM_MENUSELECT of an item of a registered menu (item: the command id,
    // or the index of a pop-up; flags: MF_...).
    virtual ZafEventType HandleMenuSelect(const ZafEventRecord &event, unsigned item, unsigned flags, HMENU menu);
    // WM_PAINT (and WM_PRINTCLIENT, into its context) of the object's
    // window: Draw, or the class's painting when the class draws the
    // window, and then PaintWindowlessChildren.
    virtual ZafEventType HandlePaint(const ZafEventRecord &event);
    // Makes the object the owner of a menu handle: menu upkeep messages of
    // that menu go to it. Null forgets the menu. A deleted object forgets
    // its menus.
    static void RegisterMenu(HMENU menu, ZafWindowObject *owner);
    // The object that registered the menu; null when none.
    static ZafWindowObject *MenuOwner(HMENU menu);

    // The logical code of an input event: the class's map (EventMap), then
    // the window object's; ZAF_NO_MAPPING when no row matches.
    virtual ZafEventType MapEvent(const ZafEventRecord &event) const;
    // The class's own event map (null: none).
    virtual const ZafEventMap *EventMap() const { return nullptr; }
    static const ZafEventMap defaultEventMap[];
    // The first row of a map that matches: key rows match the virtual key of
    // key-down and key-up messages (and of key events made without a
    // message), character rows (ZAF_KEY_CHARACTER in the modifier word) the
    // character of WM_CHAR and WM_SYSCHAR; ZAF_NO_MAPPING when none does.
    static ZafEventType SearchEventMap(const ZafEventMap *map, const ZafEventRecord &event);
    // What the object wants of a key that its window would take for
    // navigation (Tab, Enter, Escape, arrows) or as a plain hot key, in the
    // DLGC_ bits of WM_GETDLGCODE: DLGC_WANTTAB, DLGC_WANTARROWS,
    // DLGC_WANTCHARS, DLGC_WANTALLKEYS (every key; also DLGC_WANTMESSAGE),
    // and DLGC_DEFPUSHBUTTON or DLGC_UNDEFPUSHBUTTON for a push button,
    // which Enter then selects. The default asks the object's own window
    // (WM_GETDLGCODE; inside a ZafDialogWindow with the key's message, which
    // tells a native control that it is in a dialog); a windowless object
    // wants nothing.
    virtual UINT DialogCode(const ZafEventRecord &key);
    // True for menu items: menu commands are routed to these only.
    virtual bool IsMenuItem() const { return false; }
    // Drag and drop (Event passes the codes ZAF_DRAG_FIRST to ZAF_DRAG_LAST
    // here), with the window manager's drag object as the source:
    // ZAF_DROP_QUERY answers ZAF_DROP_MOVE when the source is move-
    // draggable, else ZAF_DROP_COPY when it is copy-draggable, provided this
    // object would take the drop; ZAF_DROP_COPY and ZAF_DROP_MOVE set this
    // object's text to the source's, a move then empties the source's text,
    // and the code is answered. ZAF_REFUSED when there is no source, the
    // source is this object, this object or a parent is disabled, it does
    // not accept drops, the source has no text, SetText does not take it
    // (answers other than 0), or for a move when the source is not move-
    // draggable (its text is not lost against its own setting). The other
    // codes of the range answer ZAF_UNKNOWN here.
    virtual ZafEventType DragDropEvent(const ZafEventRecord &event);
    // Puts the object's text (Text) into its row of a list box drawn by
    // Windows: in a system-drawn parent that answers class id 1001 (a
    // vertical list or a combo box's list) the row at the object's 0-based
    // index among the parent's children is deleted and inserted again.
    // When the list belongs to a combo box (its parent answers 1008) this
    // is done in the combo box's window (CB_DELETESTRING, CB_INSERTSTRING),
    // and the combo box's current row stays current when it was this one;
    // else in the list's (LB_DELETESTRING, LB_INSERTSTRING), and a selected
    // object is selected again (LB_SETCURSEL in single selection, else
    // LB_SETSEL). Nothing happens elsewhere or before the window exists.
    virtual void RefreshListEntry();

    // Calls the object's user function with (object, a copy of the event,
    // code) and returns its answer; 0 when there is none. The user function
    // may delete the object.
    static ZafEventType CallUserFunction(ZafWindowObject *object, const ZafEventRecord &event, ZafEventType code);
    // Virtual so that objects which never call out (the frame buttons) can
    // refuse a function.
    virtual ZafUserFunction SetUserFunction(ZafUserFunction function) { return userFunction = function; }
    ZafUserFunction UserFunction() const { return userFunction; }
    // Null restores CallUserFunction.
    ZafUserCallback SetUserCallback(ZafUserCallback callback);
    ZafUserCallback UserCallback() const { return userCallback; }
    void *SetUserObject(void *object) { return userObject = object; }
    void *UserObject() const { return userObject; }

    // --- Event handles ----------------------------------------------------
    // The number by which an event names the object (ZafEventRecord's object
    // constructor and SetObject store it, Object reads it back). No other
    // object of the run gets the same number, so an event that outlives its
    // object finds nothing, even when a new object stands at the old address.
    // Given on first use; the destructor withdraws it.
    std::intptr_t EventHandle();
    // The object of an event handle; null when it is gone or for 0.
    static ZafWindowObject *FromEventHandle(std::intptr_t handle);

    // --- Tree and lookup --------------------------------------------------
    ZafWindowObject *Parent() const { return parent; }
    ZafWindowObject *RootObject();
    // The object's top-level window: the ancestor just below the window
    // manager (the root when it is not under one).
    ZafWindowObject *TopLevelObject();
    virtual ZafWindowObject *FindObjectByStringID(const char *name);
    // This object when its number id matches; windows search on (ZafWindow).
    virtual ZafWindowObject *FindObjectByNumberID(ZafNumberID id);
    // The list of top-level windows that a leading '~' starts from (the
    // window manager's); its elements are window objects. Returns the
    // previous list.
    static ZafList *SetRootWindowList(ZafList *list);
    static ZafList *RootWindowList();

    // --- Focus and selection ----------------------------------------------
    // Passes a focus change up to the parent; 0 when it is accepted.
    virtual int NotifyFocus(ZafWindowObject *object, bool gaining);
    // A window's answer to a child's selection change; the base does nothing.
    virtual ZafWindowObject *NotifySelection(ZafWindowObject *object, bool selected);
    // A window's answer to a child shown or hidden (SetVisible changed its
    // flag), for windows that place their children by it; the base does
    // nothing.
    virtual void NotifyVisibility(ZafWindowObject *, bool) {}
    // True for objects that, once selected, deselect their like siblings in
    // a single-selection window (radio buttons); false by default.
    virtual bool ExcludesSiblingsWhenSelected() const { return false; }
    // Gives (on) or takes (off) the focus; nothing is given when the object
    // or a parent is disabled or refuses the focus. An own window gets the
    // Windows focus (its flag then follows the focus messages); a windowless
    // object goes through NotifyFocus, is told ZAF_CURRENT or
    // ZAF_NOT_CURRENT, and its host gets the Windows focus. Returns the
    // focus flag.
    virtual bool SetFocus(bool flag);
    bool Focus() const { return focus; }
    // The windowless object that holds the focus for this object's window:
    // the last windowless object along the chain of current children; the
    // object itself when there is none (and for every object not a window).
    virtual ZafWindowObject *HostedFocus() { return this; }
    // Sets the flag, marks the object changed when created and tells the
    // parent (which may keep the flag on); returns the flag in force.
    virtual bool SetSelected(bool flag);
    bool Selected() const { return HasFlag(flagSelected); }

    // --- The Windows window -----------------------------------------------
    HWND OSHandle() const { return osWindow; }
    // Kind 1: the window that holds the object's children (the MDI client
    // of a frame); kind 2: the outer frame window; else the object's window.
    virtual HWND OSHandle(int kind) const
    {
        (void)kind;
        return osWindow;
    }
    bool IsCreated() const { return osWindow != nullptr; }
    // True when the object or a parent has a Windows window.
    bool IsOnScreen() const;
    // The Windows window that draws the object (its own, else the nearest
    // parent's client window); null when none.
    HWND DrawingHandle() const;
    // Makes the Windows window from the flags (a plain "ZafWindow" child);
    // null for an object without its own window or without a parent window.
    virtual HWND CreateOSWindow();
    // Destroys the Windows window (unbinding it first).
    virtual void DestroyOSWindow();
    // Applies the region: an own window is moved and sized; a windowless
    // object has its old and new areas redrawn and gets ZAF_REGION_CHANGING
    // and ZAF_REGION_CHANGED.
    virtual void MoveOSWindow();
    // Sends WM_SETFONT with the display font of the effective text palette
    // (the dialog font when none is set) to a system-drawn own window.
    virtual void UpdateFont();
    // Invalidates the object's area (its own window, or its place in the
    // window that draws it).
    void Redisplay();
    // Called by the window procedure when the window goes (WM_NCDESTROY).
    virtual void OSWindowDestroyed();
    // The extended style that gives a bordered object its border.
    DWORD BorderStyle() const;

    // --- Drawing ----------------------------------------------------------
    // Prefer ZafDrawPass to calling these in pairs.
    virtual ZafRegionRect BeginDraw();
    virtual void EndDraw();
    // Whether the paint of the window that draws this object draws it:
    // windowless objects are drawn so, but not the frame's parts that
    // Windows draws outside the client area or that draw nothing (support
    // objects of the frame's number ids: border, frame buttons, title,
    // scroll bars, geometry manager, menus).
    virtual bool PaintedByParent() const;
    // Draws, inside a paint of the window that draws them, the windowless
    // objects this object holds (support objects first), each clipped to
    // its region, and theirs in turn. A window whose rows Windows draws
    // (a list box) declines through ZafWindow::DrawsWindowlessChildren.
    virtual void PaintWindowlessChildren(const ZafEventRecord &event);
    // Draws a plain object: the border when bordered, then the background.
    virtual ZafEventType Draw(const ZafEventRecord &event, ZafEventType code);
    virtual ZafEventType DrawBorder(ZafRegionRect &rect, ZafEventType code);
    // ZAF_CURRENT draws and ZAF_NOT_CURRENT removes the focus rectangle
    // (one XOR rectangle) unless the parent draws the focus.
    virtual ZafEventType DrawFocus(ZafRegionRect &rect, ZafEventType code);
    // For ZAF_REDISPLAY and ZAF_REDISPLAY_AREA draws the edge lines: a
    // positive style raised, a negative one sunken; the region shrinks by
    // the lines drawn.
    virtual ZafEventType DrawEdges(ZafRegionRect &rect, int style, ZafEventType code);
    virtual ZafEventType DrawBackground(ZafRegionRect &rect, ZafEventType code);
    // The object's background and text colours: the background and
    // foreground of the effective text palette (ZAF_PM_TEXT) of its state.
    virtual COLORREF BackgroundColor() const;
    virtual COLORREF ForegroundColor() const;
    // The first colour of the effective palette of a type in the object's
    // state (system colours resolved); the fallback where none is set.
    COLORREF TypeColor(std::uint16_t type, COLORREF fallback) const;
    // The region in pixels of the Windows window that draws the object
    // (moved by the parent's ChildOrigin), at least MinimumPixelHeight high.
    ZafRegionRect GetWindowRegion() const;
    // The least height in pixels that shows one line of the object's text
    // whole with its frame; 0 when the region alone decides. A region that
    // converts to fewer pixels grows evenly above and below, so that a field
    // of one cell, or of a row of mini-cells, never clips its text.
    virtual int MinimumPixelHeight() const { return 0; }
    // The height in pixels of one line of text in the object's font (its
    // text palette's, else the dialog font); 0 without a screen display.
    int TextLinePixelHeight() const;
    // Where the children's coordinates start inside the object's window, in
    // pixels ({0, 0}; a group keeps its title line free).
    virtual POINT ChildOrigin() const { return POINT{0, 0}; }
    // The edge the object docks to. A window that lays out docked objects
    // (an MDI frame) gives each a strip along its edge, in list order, and
    // its other contents what is left. ZAF_DOCK_NONE by default.
    virtual ZafDockEdge DockEdge() const { return ZAF_DOCK_NONE; }
    // A region in the object's coordinates to / from pixels of that window.
    ZafRegionRect RegionToWindow(const ZafRegionRect &rect) const;
    ZafRegionRect RegionFromWindow(const ZafRegionRect &rect) const;

    // --- Attributes refused once created ----------------------------------
    virtual bool SetBordered(bool flag);
    virtual bool SetSystemDrawn(bool flag);
    virtual bool SetParentDrawsBorder(bool flag);
    virtual bool SetParentDrawsFocus(bool flag);
    virtual bool SetNoClassPalette(bool flag);
    // Not stored in the UI data file.
    virtual bool SetLayoutMode(bool flag);
    // 2: the object takes its place outside the parent's client area and is
    // exempt from the cell spacing of ConvertRegion.
    virtual int SetRegionType(int type);
    // Also sets the region's coordinate type (the values are not converted);
    // an unknown type is refused.
    virtual ZafCoordinateType SetCoordinateType(ZafCoordinateType type);

    // --- Attributes that may change at any time ---------------------------
    virtual bool SetNoFocus(bool flag) { return SetFlagTo(flagNoFocus, flag); }
    virtual bool SetAcceptDrop(bool flag) { return SetFlagTo(flagAcceptDrop, flag); }
    virtual bool SetCopyDraggable(bool flag) { return SetFlagTo(flagCopyDraggable, flag); }
    virtual bool SetSecondDragFlag(bool flag) { return SetFlagTo(flagSecondDragFlag, flag); }
    virtual bool SetMoveDraggable(bool flag) { return SetFlagTo(flagMoveDraggable, flag); }
    virtual bool SetSupportObject(bool flag) { return SetFlagTo(flagSupportObject, flag); }
    virtual bool SetChanged(bool flag) { return changed = flag; }
    virtual bool Changed() const { return changed; }
    // An own window outside layout mode is enabled or disabled; otherwise an
    // object on screen is redisplayed.
    virtual bool SetDisabled(bool flag);
    // An own window is shown or hidden; otherwise an object on screen is
    // redisplayed. A change is told to the parent (NotifyVisibility).
    virtual bool SetVisible(bool flag);
    // A visible own window gets WM_SETREDRAW; turning it on redisplays.
    virtual bool SetRedraw(bool flag);
    // Not refused: with the parent on screen the Windows window is destroyed
    // and made again around the change and the parent redisplayed.
    virtual bool SetOwnWindow(bool flag);
    // Replace the text by a heap copy (null clears); return the new text.
    // A control standing for a field it holds passes them on to it.
    virtual const char *SetHelpContext(const char *text);
    virtual const char *SetTipText(const char *text);
    virtual const char *SetSecondTipText(const char *text);
    // Stores the code in the error word and returns it.
    int SetError(int code) { return error = code; }
    int Error() const { return error; }
    // The object's text: none by default; SetText does nothing and answers 1.
    virtual const char *Text() { return nullptr; }
    // The upper-cased letter that chooses the object when its text marks
    // none with '&' (a button keeps its hot key apart from its text); 0
    // for none.
    virtual unsigned char HotKeyLetter() const { return 0; }
    virtual int SetText(const char *text);

    const char *HelpContext() const { return helpContext; }
    const char *TipText() const { return tipText; }
    const char *SecondTipText() const { return secondTipText; }
    bool Bordered() const { return HasFlag(flagBordered); }
    bool SystemDrawn() const { return HasFlag(flagSystemDrawn); }
    bool ParentDrawsBorder() const { return HasFlag(flagParentDrawsBorder); }
    bool ParentDrawsFocus() const { return HasFlag(flagParentDrawsFocus); }
    bool NoClassPalette() const { return HasFlag(flagNoClassPalette); }
    bool LayoutMode() const { return layoutMode; }
    int RegionType() const { return regionType; }
    ZafCoordinateType CoordinateType() const { return coordinateType; }
    bool NoFocus() const { return HasFlag(flagNoFocus); }
    bool AcceptDrop() const { return HasFlag(flagAcceptDrop); }
    // The object's own drag flags, as its record stores them.
    bool CopyDraggable() const { return HasFlag(flagCopyDraggable); }
    bool SecondDragFlag() const { return HasFlag(flagSecondDragFlag); }
    bool MoveDraggable() const { return HasFlag(flagMoveDraggable); }
    // The drag flags in force: a window that lends its entries to another
    // (a combo box's drop-down list) answers with its owner's.
    virtual bool IsCopyDraggable() const { return HasFlag(flagCopyDraggable); }
    virtual bool IsSecondDragFlag() const { return HasFlag(flagSecondDragFlag); }
    virtual bool IsMoveDraggable() const { return HasFlag(flagMoveDraggable); }
    // Any of the three.
    virtual bool IsDraggable() const
    {
        return HasFlag(flagCopyDraggable) || HasFlag(flagSecondDragFlag) || HasFlag(flagMoveDraggable);
    }
    bool SupportObject() const { return HasFlag(flagSupportObject); }
    bool Disabled() const { return HasFlag(flagDisabled); }
    bool Visible() const { return HasFlag(flagVisible); }
    bool Redraw() const { return HasFlag(flagRedraw); }
    bool OwnWindow() const { return HasFlag(flagOwnWindow); }

    // The flag of the object; when asked, folded over all parents (disabled
    // or refusing focus when any is; visible or redrawing only when all are).
    bool IsDisabledUpChain(bool askParents) const;
    bool IsNoFocusUpChain() const;
    bool IsVisibleUpChain(bool askParents) const;
    bool IsRedrawOnUpChain(bool askParents) const;

    // --- Region -----------------------------------------------------------
    // The region as it was asked for (an auto-sized object keeps it beside
    // the region it measured).
    virtual ZafRegionRect Region() const { return region; }
    virtual void SetRegion(const ZafRegionRect &newRegion) { region = newRegion; }
    void SetRegion(int left, int top, int right, int bottom, ZafCoordinateType type);
    // Converts a region to another coordinate type through the display.
    // Unless the region type is 2, a region in cells stands inside its
    // rows: the display's spacing is kept free above (pre-space) and below
    // (post-space), and converting back to cells gives the spacing back.
    virtual void ConvertRegion(ZafRegionRect &rect, ZafCoordinateType type) const;
    // Converts the object's own region; its coordinate type stays the type
    // in which its region is given.
    virtual void ConvertCoordinates(ZafCoordinateType type);

    // --- Palette ----------------------------------------------------------
    ZafPaletteData *PaletteData() const { return paletteData; }
    // Moves the object's observer entry from the old palette data to the new.
    virtual ZafPaletteData *SetPaletteData(ZafPaletteData *palette);
    // Puts a palette data in place without observing it or releasing the
    // one it replaces, and answers that one: a palette lent for one drawing
    // pass, after which the caller puts the answer back the same way.
    ZafPaletteData *LendPaletteData(ZafPaletteData *palette)
    {
        ZafPaletteData *own = paletteData;
        paletteData = palette;
        return own;
    }
    static void SetPaletteLink(const ZafPaletteLink &link);
    static const ZafPaletteLink &PaletteLink();
    // Set the font number, or the colour pair's first (text) or second
    // (background) byte with its monochrome partner, of the palette entry
    // (ZAF_PM_TEXT, ZAF_PM_ENABLED) in the object's palette data, which is
    // made on first use. Each answers the value in force: without the data
    // layer's link nothing is stored and the answer is the unset value.
    virtual int SetFont(int font);
    virtual int SetTextColor(int color, int monoColor);
    virtual int SetBackgroundColor(int color, int monoColor);
    // The effective palette of (type, state): each value comes from the
    // first that sets it of the object's palette data, its class palette
    // map (unless the no-class-palette flag is set) and the parents'
    // effective palettes; 255 and 254 stand where nothing sets it. Returns
    // the result.
    ZafPaletteStruct &LogicalPalette(ZafPaletteStruct &result, std::uint16_t type, std::uint16_t state) const;
    // The first class-map row serving (type, state) (ZafPaletteMap::Matches):
    // the class's own map (ClassPaletteMap), then the window object's; null
    // when none does.
    virtual const ZafPaletteMap *MapPalette(std::uint16_t type, std::uint16_t state) const;
    // The class's own default palette map; null for none.
    virtual const ZafPaletteMap *ClassPaletteMap() const { return nullptr; }
    // The window object's default map: system colours (253) for outline,
    // background, text and edges, the dialog font for background and text.
    static const ZafPaletteMap defaultPaletteMap[];
    // ZAF_PM_SELECTED or ZAF_PM_NOT_SELECTED, ZAF_PM_DISABLED (the object or
    // a parent) or ZAF_PM_ENABLED, ZAF_PM_CURRENT with the focus and
    // ZAF_PM_ACTIVE when the root window has the focus.
    std::uint16_t PaletteState() const;
    // Gives every colour of the entry marked 253 whose OS value is still -1
    // the system colour of the palette type: outline COLOR_WINDOWFRAME; text
    // and background COLOR_WINDOWTEXT (COLOR_GRAYTEXT when disabled) on
    // COLOR_WINDOW; light edge COLOR_BTNHIGHLIGHT; dark edge COLOR_BTNSHADOW.
    virtual void ResolveSystemColors(ZafPaletteStruct &entry, std::uint16_t type, std::uint16_t state) const;
    // A colour of an effective entry as a Windows colour: a table colour of
    // the display, the resolved system colour for 253, else the fallback.
    static COLORREF PaletteColor(std::uint8_t color, std::int32_t osColor, COLORREF fallback);

    // Binds the object to a window that exists (the window procedure sends
    // it the window's messages) or, with null, unbinds it.
    void SetOSHandle(HWND handle) { osWindow = handle; }

protected:
    // The rule of the attributes that are fixed once the Windows window
    // exists: stores the value only before, and answers the value in force.
    template <class T> T SetUnlessCreated(T &field, T value) const
    {
        if (!osWindow)
            field = value;
        return field;
    }
    // The same rule for a stored flag.
    bool SetFlagUnlessCreated(StoredFlag bit, bool on)
    {
        if (!osWindow)
            SetFlagTo(bit, on);
        return HasFlag(bit);
    }
    // The stored flags, bit by bit.
    bool HasFlag(StoredFlag bit) const { return (storedFlags & bit) != 0; }
    void SetFlag(StoredFlag bit) { storedFlags |= bit; }
    void ClearFlag(StoredFlag bit) { storedFlags &= ~static_cast<std::uint32_t>(bit); }
    // Sets or clears the bit and answers the flag.
    bool SetFlagTo(StoredFlag bit, bool on)
    {
        if (on)
            SetFlag(bit);
        else
            ClearFlag(bit);
        return on;
    }

    // Reads the record from the open level file (the persistent
    // constructor's body).
    void ReadFrom(ZafWindowPersistence &persistence);
    // The menu item (IsMenuItem) below this object that an owner-drawn
    // menu's WM_MEASUREITEM or WM_DRAWITEM names by command id; null for
    // none or another message.
    ZafWindowObject *MenuItemOf(const MSG &m);
    // Forgets every menu the object registered (its destructor).
    static void ForgetMenusOf(const ZafWindowObject *owner);
    // A notification about a control or a menu, sent on to that object;
    // true with the result when it took it.
    bool RouteNotification(const ZafEventRecord &event, LRESULT &result);
    // A notification about this object (sent back by its parent or routed
    // to it as a menu's owner), given to its handler; false when the
    // message is no such notification.
    bool HandleNotification(const ZafEventRecord &event, LRESULT &result);
    // Sends an unconsumed key event up to the parents, up to the top-level
    // window; ZAF_UNKNOWN when none consumed it.
    ZafEventType PassKeyUp(const ZafEventRecord &event);
    // A key or character message of the object's window: Event, then the
    // parents for a key, then the window class for what nobody consumed.
    ZafEventType HandleKeyMessage(const ZafEventRecord &event);
    // WM_SETFOCUS: the object (or the windowless object it hosts) becomes
    // current. WM_KILLFOCUS: it and the windowless object it hosts stop
    // being current.
    void FocusArrived();
    void FocusLeft();
    // Plain-name search: this object, then whatever it holds.
    ZafWindowObject *SearchStringID(const char *name);
    // What the object holds (support objects, children, a sub-menu).
    virtual ZafWindowObject *SearchInside(const char *name);
    // Quietly unlinks a child that is being deleted.
    virtual void ForgetChild(ZafWindowObject *child);

    // The first step of every destructor of the family: trackers are
    // cleared and the event handle withdrawn before anything is torn down,
    // so that messages sent while the Windows window goes find the object
    // already gone. Safe to repeat.
    void BeginDeletion();

    // Fixed setter bodies for classes that pin an attribute.
    bool ForceSupportObject(bool) { return SetFlagTo(flagSupportObject, true); }
    bool DenySupportObject(bool) { return SetFlagTo(flagSupportObject, false); }
    int ForceRegionType2(int) { return regionType = 2; }
    // Menus: always bordered, never refusing the focus.
    bool ForceBordered(bool) { return SetFlagTo(flagBordered, true); }
    bool DenyNoFocus(bool) { return SetFlagTo(flagNoFocus, false); }
    // The fixed body of an override that ignores its three arguments and
    // does nothing (a control that keeps its colours as they are calls it
    // from ResolveSystemColors). A static function of any three arguments.
    template <typename A, typename B, typename C> static void DoNothing3(A &&, B &&, C &&) {}

    ZafWindowObject *parent = nullptr;
    HWND osWindow = nullptr;
    ZafRegionRect region;
    ZafCoordinateType coordinateType = ZAF_CELL;
    ZafPaletteData *paletteData = nullptr;
    ZafUserFunction userFunction = nullptr;
    ZafUserCallback userCallback = CallUserFunction;
    void *userObject = nullptr;
    char *helpContext = nullptr;
    char *tipText = nullptr;
    char *secondTipText = nullptr;
    int error = 0;
    int regionType = 0;
    std::intptr_t eventHandle = 0;
    // The context of each open drawing pass, innermost last (null where
    // nothing was lent).
    std::vector<HDC> drawPasses;

    // The stored flags (StoredFlag bits); by default drawn by the window
    // class, with a window of its own, visible and redrawing.
    std::uint32_t storedFlags = flagSystemDrawn | flagOwnWindow | flagVisible | flagRedraw;
    // Run-time states, not stored.
    bool layoutMode = false;
    bool focus = false;
    bool changed = false;
};

// One drawing pass of an object, held for a scope: the constructor opens it
// (BeginDraw) and the destructor closes it (EndDraw), so every way out of
// the drawing code closes it. Area is what BeginDraw answered.
class ZafDrawPass
{
public:
    explicit ZafDrawPass(ZafWindowObject &object) : object(object), area(object.BeginDraw()) {}
    ~ZafDrawPass() { object.EndDraw(); }
    ZafDrawPass(const ZafDrawPass &) = delete;
    ZafDrawPass &operator=(const ZafDrawPass &) = delete;
    const ZafRegionRect &Area() const { return area; }

private:
    ZafWindowObject &object;
    ZafRegionRect area;
};

// --- Windows windows of window objects ---------------------------------------

// Creates the object's Windows window of a class (null: "ZafWindow"), binds
// the object to it before CreateWindowExA returns, subclasses it and
// returns the handle (null when the window is not made). The window is
// placed by the object's region in its parent window's pixels (a top-level
// window in screen pixels); a child window gets the object's number id as
// its control id when that is non-zero and free among its siblings, else a
// unique one of the library's (ZafCreateOSWindowAt).
HWND ZafCreateOSWindow(ZafWindowObject *object, const char *className, DWORD style, const char *text, HWND parent,
                       DWORD extendedStyle, HINSTANCE instance);
// The same at an explicit place (pixels) with an explicit menu or id. A
// child window's id that is 0 or already a sibling's is replaced by a
// unique one above 0xFFFF (WM_MEASUREITEM finds its control by id alone).
HWND ZafCreateOSWindowAt(ZafWindowObject *object, const char *className, DWORD style, const char *text, HWND parent,
                         DWORD extendedStyle, HINSTANCE instance, const RECT &place, HMENU menu);
// A child window whose object has a tip text is entered in the program's one
// tooltip control, which shows the text while the mouse rests on the window;
// null until the first tip is entered.
HWND ZafTipControl();
// Binds the object to the first window that create makes (called with the
// context), before any message reaches it; the window or null.
HWND ZafBindCreatedWindow(ZafWindowObject *object, HWND (*create)(void *context), void *context);
// Passes the event's Windows message to the window class's own procedure.
LRESULT ZafCallClassWindowProc(const ZafEventRecord &event);
// The object bound to a window; null when none.
ZafWindowObject *ZafObjectFromHandle(HWND window);
// The library's window procedure.
LRESULT CALLBACK ZafWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Dispatches a message of the loop to its window procedure. A key-down is
// translated into its character (TranslateMessage) after it is dispatched,
// and only when no object consumed it: the character of a key that moved
// the focus, selected a button or chose a hot key never reaches a control,
// as with IsDialogMessage.
void ZafDispatchMessage(MSG &message);
// The module instance windows are made in.
HINSTANCE ZafInstance();
void ZafSetInstance(HINSTANCE instance);
