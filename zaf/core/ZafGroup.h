// ZafGroup: a titled group box holding controls. Controls are added to it as
// to any window (ZafWindow::AddObject); the order of adding is the focus
// order. Its selection mode is single (0) by default, so radio buttons of one
// group deselect each other while check boxes are left alone.
//
// On Windows it is a "BUTTON" window of style BS_GROUPBOX, which draws the
// frame and the title; its children's coordinates start below the title
// line (one cell of the display), so a child at top 0 stands clear of it.
//
// Persistence: the window's record, support objects and children (ZafWindow)
// followed by the title text, in a level of this class.
// Ownership: the group owns its title (a heap copy) and, as a window, its
// children.
#pragma once

#include "zaf/core/ZafWindow.h"

class ZafGroup : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 23;
    static constexpr const char *className = "ZafGroup";

    // Region in cells; the title is copied (null: none).
    ZafGroup(int left, int top, int width, int height, const char *text);
    ZafGroup(const ZafGroup &copy);
    ZafGroup(const char *name, ZafWindowPersistence &persistence);
    ~ZafGroup() override;
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafGroup(*this); }

    const char *Text() override { return text; }
    // Replaces the title (also on screen); answers 0.
    int SetText(const char *newText) override;
    const char *TitleText() override { return text; }
    const char *OSClassName() const override { return "BUTTON"; }
    DWORD OSStyle() const override;
    DWORD OSExtendedStyle() const override { return 0; }
    POINT ChildOrigin() const override;
    // Fills the box with its background before the children draw: a
    // BS_GROUPBOX window never erases its inside, which stayed black (or
    // showed what was there before) around its controls.
    ZafEventType HandleOSMessage(const ZafEventRecord &event) override;

private:
    char *text = nullptr;
};
