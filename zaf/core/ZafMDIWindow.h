// ZafMDIWindow: a multiple-document window. A ZafMDIWindow whose parent is
// the window manager (or none) is a frame: a top-level window of class
// "ZafMDIFrame" holding an MDI client window, in which its ZafMDIWindow
// children live as MDI child windows of class "ZafMDIChild". Other children
// of a frame (tool bars, status bars) are ordinary child windows of the
// frame itself.
//
// A child's maximized and minimized flags decide how it is shown when it is
// made; closing a child from its title bar subtracts it from the frame and
// deletes it when its destroyable flag is set. A child's window always goes
// through the frame's client (WM_MDIDESTROY), also when the child is
// deleted, so that the client forgets it as its active child.
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

    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;
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

private:
    HWND client = nullptr;
};
