// ZafNotebookTab: the tab of one page of a ZafNotebook. When a window is
// added to a notebook as a page, the notebook makes a tab for it (through
// the hooks InstallHooks puts in); the tab takes the page's frame support
// objects (title, border, system and size buttons: every support object
// with a negative number id but the geometry manager), so that the page
// shows only its client objects, and shows the title's text itself. When
// the page is removed, the tab gives them back in their order and is
// deleted. The tab is a windowless support object of the notebook that
// draws itself: the selected tab (the current page's) full height, the
// others 2 pixels lower and narrower.
//
// Ownership: the tab owns the objects it holds (deleting a tab that still
// holds them deletes them); the notebook owns the tab. The title is one of
// the held objects (the one that is a ZafTitle), not a second owner.
#pragma once

#include "zaf/core/ZafList.h"
#include "zaf/core/ZafWindowObject.h"

class ZafWindow;

class ZafNotebookTab : public ZafWindowObject
{
public:
    // SetText without a title.
    static constexpr int errorNoTitle = 10;

    ZafNotebookTab();
    // Duplicates every held object; the duplicate of the title is the title.
    ZafNotebookTab(const ZafNotebookTab &copy);
    ~ZafNotebookTab() override;
    ZafWindowObject *Duplicate() const override { return new ZafNotebookTab(*this); }

    // Makes the notebook build its tabs from this class (and its buttons
    // answer their values); call once at start.
    static void InstallHooks();

    // Takes the page's frame support objects (see above), in their order.
    void TakeSupportObjects(ZafWindow *page);
    // Gives them back before the page's first support object, in the order
    // they had.
    void ReturnSupportObjects(ZafWindow *page);
    ZafWindowObject *Title() const { return title; }
    const ZafList &Held() const { return held; }

    // The title's text; null without a title.
    const char *Text() override;
    // Passes the text to the title (errorNoTitle without one); on screen the
    // notebook lays its tabs out again and redraws them.
    int SetText(const char *text) override;
    ZafEventType Draw(const ZafEventRecord &event, ZafEventType code) override;
    // A tab stays a support object.
    bool SetSupportObject(bool) override { return HasFlag(flagSupportObject); }

private:
    ZafWindowObject *title = nullptr;
    ZafList held;
};
