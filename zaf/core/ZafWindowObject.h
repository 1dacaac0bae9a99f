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
// change up; the window manager's part (recording the current object) is
// added with the window manager. Selection: SetSelected tells the parent
// through NotifySelection (see ZafWindow for the single-selection rule).
//
// Persistence (ReadFrom / Write), the creation of the Windows window, the
// Windows-message handling, drawing and geometry are added by the windowing
// and persistence layers through Event and HandleOSMessage; until then the
// codes they handle answer ZAF_UNKNOWN.
#pragma once

#include "zaf/core/ZafElement.h"
#include "zaf/core/ZafEventRecord.h"
#include "zaf/core/ZafRegionRect.h"

#include <windows.h>

class ZafList;
class ZafPaletteData;
class ZafWindowObject;

// A user function: called with the object, a copy of the event and the
// logical code (ZAF_SELECT on selection); returns a logical code.
using ZafUserFunction = ZafEventType (*)(ZafWindowObject *object, ZafEventRecord &event,
                                         ZafEventType code);
// A dispatcher, through which every selection of an object goes; by default
// ZafWindowObject::CallUserFunction.
using ZafUserCallback = ZafEventType (*)(ZafWindowObject *object, const ZafEventRecord &event,
                                         ZafEventType code);

// How window objects reach their palette data; installed by the data layer.
// attach registers the object as an observer; release removes it and deletes
// the palette data when nothing else observes it.
struct ZafPaletteLink
{
    void (*attach)(ZafPaletteData *palette, ZafWindowObject *observer);
    void (*release)(ZafPaletteData *palette, ZafWindowObject *observer);
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

    // --- Events -----------------------------------------------------------
    // The logical event handler: ZAF_SELECT and ZAF_FOCUS_CHANGE go to the
    // dispatcher and its answer is returned; ZAF_NOT_CURRENT clears the focus
    // flag; a Windows-message event goes to HandleOSMessage; everything else
    // answers ZAF_UNKNOWN here.
    virtual ZafEventType Event(const ZafEventRecord &event);
    // The Windows-message handler, added by the windowing layer.
    virtual ZafEventType HandleOSMessage(const ZafEventRecord &event);

    // Calls the object's user function with (object, a copy of the event,
    // code) and returns its answer; 0 when there is none. The user function
    // may delete the object.
    static ZafEventType CallUserFunction(ZafWindowObject *object, const ZafEventRecord &event,
                                         ZafEventType code);
    ZafUserFunction SetUserFunction(ZafUserFunction function) { return userFunction = function; }
    ZafUserFunction UserFunction() const { return userFunction; }
    // Null restores CallUserFunction.
    ZafUserCallback SetUserCallback(ZafUserCallback callback);
    ZafUserCallback UserCallback() const { return userCallback; }
    void *SetUserObject(void *object) { return userObject = object; }
    void *UserObject() const { return userObject; }

    // --- Tree and lookup --------------------------------------------------
    ZafWindowObject *Parent() const { return parent; }
    ZafWindowObject *RootObject();
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
    // True for objects that, once selected, deselect their like siblings in
    // a single-selection window (radio buttons); false by default.
    virtual bool ExcludesSiblingsWhenSelected() const { return false; }
    // Gives (on) or takes (off) the focus; nothing is given when the object
    // or a parent is disabled or refuses the focus. An own window gets the
    // Windows focus (its flag then follows the focus messages); a windowless
    // object goes through NotifyFocus. Returns the focus flag.
    virtual bool SetFocus(bool flag);
    bool Focus() const { return focus; }
    // Sets the flag, marks the object changed when created and tells the
    // parent (which may keep the flag on); returns the flag in force.
    virtual bool SetSelected(bool flag);
    bool Selected() const { return selected; }

    // --- The Windows window -----------------------------------------------
    HWND OSHandle() const { return osWindow; }
    bool IsCreated() const { return osWindow != nullptr; }
    // True when the object or a parent has a Windows window.
    bool IsOnScreen() const;

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
    virtual bool SetNoFocus(bool flag) { return noFocus = flag; }
    virtual bool SetAcceptDrop(bool flag) { return acceptDrop = flag; }
    virtual bool SetCopyDraggable(bool flag) { return copyDraggable = flag; }
    virtual bool SetSecondDragFlag(bool flag) { return secondDragFlag = flag; }
    virtual bool SetMoveDraggable(bool flag) { return moveDraggable = flag; }
    virtual bool SetSupportObject(bool flag) { return supportObject = flag; }
    virtual bool SetChanged(bool flag) { return changed = flag; }
    virtual bool Changed() const { return changed; }
    // An own window outside layout mode is enabled or disabled; otherwise an
    // object on screen is redisplayed.
    virtual bool SetDisabled(bool flag);
    // An own window is shown or hidden; otherwise an object on screen is
    // redisplayed.
    virtual bool SetVisible(bool flag);
    // A visible own window gets WM_SETREDRAW; turning it on redisplays.
    virtual bool SetRedraw(bool flag);
    // Not refused: with the parent on screen the Windows window is destroyed
    // and made again around the change and the parent redisplayed.
    virtual bool SetOwnWindow(bool flag);
    // Replace the text by a heap copy (null clears); return the new text.
    const char *SetHelpContext(const char *text);
    const char *SetTipText(const char *text);
    const char *SetSecondTipText(const char *text);
    // Stores the code in the error word and returns it.
    int SetError(int code) { return error = code; }
    int Error() const { return error; }
    // The object's text: none by default; SetText does nothing and answers 1.
    virtual const char *Text() { return nullptr; }
    virtual int SetText(const char *text);

    const char *HelpContext() const { return helpContext; }
    const char *TipText() const { return tipText; }
    const char *SecondTipText() const { return secondTipText; }
    bool Bordered() const { return bordered; }
    bool SystemDrawn() const { return systemDrawn; }
    bool ParentDrawsBorder() const { return parentDrawsBorder; }
    bool ParentDrawsFocus() const { return parentDrawsFocus; }
    bool NoClassPalette() const { return noClassPalette; }
    bool LayoutMode() const { return layoutMode; }
    int RegionType() const { return regionType; }
    ZafCoordinateType CoordinateType() const { return coordinateType; }
    bool NoFocus() const { return noFocus; }
    bool AcceptDrop() const { return acceptDrop; }
    bool CopyDraggable() const { return copyDraggable; }
    bool SecondDragFlag() const { return secondDragFlag; }
    bool MoveDraggable() const { return moveDraggable; }
    bool SupportObject() const { return supportObject; }
    bool Disabled() const { return disabled; }
    bool Visible() const { return visible; }
    bool Redraw() const { return redraw; }
    bool OwnWindow() const { return ownWindow; }

    // The flag of the object; when asked, folded over all parents (disabled
    // or refusing focus when any is; visible or redrawing only when all are).
    bool IsDisabledUpChain(bool askParents) const;
    bool IsNoFocusUpChain() const;
    bool IsVisibleUpChain(bool askParents) const;
    bool IsRedrawOnUpChain(bool askParents) const;

    // --- Region -----------------------------------------------------------
    ZafRegionRect Region() const { return region; }
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
    static void SetPaletteLink(const ZafPaletteLink &link);

protected:
    // The windowing layer stores the handle of the window it creates here;
    // tests set a fake one to see the object as created.
    void SetOSHandle(HWND handle) { osWindow = handle; }
    // Plain-name search: this object, then whatever it holds.
    ZafWindowObject *SearchStringID(const char *name);
    // What the object holds (support objects, children, a sub-menu).
    virtual ZafWindowObject *SearchInside(const char *name);
    // Quietly unlinks a child that is being deleted.
    virtual void ForgetChild(ZafWindowObject *child);

    // Fixed setter bodies for classes that pin an attribute.
    bool ForceSupportObject(bool) { return supportObject = true; }
    bool DenySupportObject(bool) { return supportObject = false; }
    int ForceRegionType2(int) { return regionType = 2; }

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

    bool acceptDrop = false;
    bool copyDraggable = false;
    bool secondDragFlag = false;
    bool moveDraggable = false;
    bool layoutMode = false;
    bool focus = false;
    bool noFocus = false;
    bool disabled = false;
    bool systemDrawn = true;
    bool parentDrawsBorder = false;
    bool parentDrawsFocus = false;
    bool noClassPalette = false;
    bool selected = false;
    bool changed = false;
    bool supportObject = false;
    bool ownWindow = true;
    bool visible = true;
    bool redraw = true;
    bool bordered = false;
};
