// ZafMDIWindow: a multiple-document window. A ZafMDIWindow whose parent is
// the window manager (or none) is a frame: a top-level window of class
// "ZafMDIFrame" holding an MDI client window, in which its ZafMDIWindow
// children live as MDI child windows of class "ZafMDIChild". Other children
// and support objects of a frame (tool bars, status bars) are ordinary child
// windows of the frame itself.
//
// Layout of a frame: on every size change (and when it is made, and when a
// docked object comes or goes) the frame gives each object that docks to an
// edge (DockEdge: tool bars, status bars) a strip along that edge, support
// objects first and each list in order, each strip as thick as the object's
// own region and as long as the area still free; the MDI client gets what
// is left. The MDI children are the client's to arrange. A docked object
// whose thickness changes sends the frame ZAF_REGION_CHANGED to be laid out
// again.
//
// Closing: a child closed from its title bar, its system menu or Ctrl+F4
// (WM_CLOSE) is asked ZAF_CLOSE_QUERY first, as the window manager asks a
// window it closes, and stays unless it answers 0; then it is subtracted
// from the frame and deleted when its destroyable flag is set. A frame
// asked ZAF_CLOSE_QUERY asks each of its children and refuses when one
// refuses. A child's window always goes through the frame's client
// (WM_MDIDESTROY), also when the child is deleted, so that the client
// forgets it as its active child.
//
// Window menu: the pop-up menu given with SetWindowMenu (usually the
// "Window" menu of the frame's menu bar, which owns it) is where Windows
// lists the children, with commands from firstChildCommand up. The loop
// translates the MDI keys (Ctrl+F4, Ctrl+F6) of a frame's children with
// TranslateMDISysAccel (see ZafWindowManager).
//
// A child's maximized and minimized flags decide how it is shown when it is
// made.
//
// OSHandle(1) of a frame is its MDI client window (where the children are),
// OSHandle(2) the frame window.
#pragma once

#include "zaf/core/ZafWindow.h"

class ZafMDIWindow : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 2011;
    static constexpr const char *className = "ZafMDIWindow";

    ZafMDIWindow(int left, int top, int width, int height);
    ZafMDIWindow(const ZafMDIWindow &copy);
    // A child on screen leaves through its frame's client (WM_MDIDESTROY).
    ~ZafMDIWindow() override;
    // The persistent constructor and read function; the record is the
    // window's (ZafWindow), read and written in a level of this class.
    ZafMDIWindow(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override;

    // Creation lays the frame out; a frame's close query asks its children.
    ZafEventType Event(const ZafEventRecord &event) override;
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
    // As ZafWindow's; a docked object coming to or leaving a frame on
    // screen lays the frame out again.
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;
    // A frame on screen: the docked objects and the client (see above);
    // otherwise ZafWindow's.
    void LayoutChildren() override;
    HWND CreateOSWindow() override;
    void DestroyOSWindow() override;
    HWND OSHandle(int kind) const override;
    using ZafWindowObject::OSHandle;
    const char *OSClassName() const override;
    bool SetMaximized(bool flag) override;

    // True for a child of a frame.
    bool IsMDIChild() const;
    // The frame's active child; null when none.
    ZafMDIWindow *ActiveChild() const;
    // The frame's MDI client window; null for a child or before creation.
    HWND ClientWindow() const { return client; }

    // The first command of the children's entries in the window menu; menu
    // items keep their number ids below it.
    static constexpr UINT firstChildCommand = 0xFF00;
    // Sets the menu in which Windows lists the children (null: none). The
    // menu belongs to its caller (the frame's menu bar); a copy of the frame
    // has none. Once the client exists a null menu leaves the list where it
    // was.
    HMENU SetWindowMenu(HMENU menu);
    HMENU WindowMenu() const { return windowMenu; }

private:
    // Gives a docked object its strip of the free area and takes the strip
    // off that area (pixels of the frame's client area).
    static void Dock(ZafWindowObject *object, ZafDockEdge edge, RECT &free);
    // WM_CLOSE of a child (see above).
    ZafEventType CloseFromTitleBar(const MSG &message);

    HWND client = nullptr;
    HMENU windowMenu = nullptr;
};
