// ZafNotebook: a window that shows one of its pages at a time, with a row of
// tabs along its top edge, one tab for each page.
//
// Pages are the notebook's children (windows; numbered from 0 in list
// order); only the current page is visible. The tabs are windowless support
// objects made by the controls layer (ZafNotebookTab): the notebook reaches
// them only through the hooks installed with SetHooks, so the core does not
// depend on the controls. When a window is added as a page, makeTab gives a
// new tab, takeSupportObjects lets it take the page's title, border and
// frame buttons, the tab gets the page's disabled flag and goes among the
// notebook's support objects before the tab of the next page (so the tabs
// stand in page order). When a page is removed, returnSupportObjects gives
// the page its support objects back and the tab is deleted. Without hooks a
// page gets no tab; the notebook still shows one page at a time.
//
// The tab of the current page is selected, the others are not. A left
// press on a tab makes its page current. ZAF_REGION_CHANGED lays the tabs
// out in pixels: side by side from the left, each as wide as its text plus
// one cell on either side (two cells without text) and one cell plus 4
// pixels high; every page gets the client area below them; then the
// window's own layout follows. Pages are placed in pixels: AddObject sets a
// page's coordinate type to pixels (a page already on screen keeps its own).
//
// ButtonCallback is the dispatcher of the notebook's buttons: on ZAF_SELECT
// it sends the button's parent window an event whose type is the button's
// value (buttonValue hook; a notebook without it answers 0), on any other
// code it answers 0.
//
// Ownership: the notebook owns its pages (children) and tabs (support
// objects); a tab owns the support objects it holds. Deleting a page that is
// still in the notebook deletes its tab and what the tab holds.
//
// Persistence: the window record (ZafWindow.h) with the pages as children,
// each written with its own support objects (the tabs give them back for
// the write and take them again after it); the tabs themselves are not
// written, reading the pages makes them again. After the window's fields:
//   u16  index of the current page (0-based)
// An index beyond the pages read makes the first page current.
#pragma once

#include "zaf/core/ZafWindow.h"

#include <vector>

// What the controls layer gives the notebook for its tabs and buttons.
struct ZafNotebookHooks
{
    // A new tab for the page, or null for none.
    ZafWindowObject *(*makeTab)(ZafWindow *page);
    // The tab takes the page's support objects / gives them back
    // (ZafNotebookTab::TakeSupportObjects / ReturnSupportObjects).
    void (*takeSupportObjects)(ZafWindowObject *tab, ZafWindow *page);
    void (*returnSupportObjects)(ZafWindowObject *tab, ZafWindow *page);
    // The value of a button: the event type its selection sends.
    ZafEventType (*buttonValue)(ZafWindowObject *button);
};

class ZafNotebook : public ZafWindow
{
public:
    static constexpr ZafClassID classID = 1018;
    static constexpr const char *className = "ZafNotebook";

    ZafNotebook(int left, int top, int width, int height);
    // Copies the window (the pages get tabs of their own).
    ZafNotebook(const ZafNotebook &copy);
    ZafNotebook(const char *name, ZafWindowPersistence &persistence);
    static ZafElement *New(const char *name, ZafWindowPersistence &persistence);
    void Write(ZafWindowPersistence &persistence) override;

    ZafClassID ClassID() const override { return classID; }
    const char *ClassName() const override { return className; }
    bool IsClassID(ZafClassID id) const override;
    bool IsClassName(const char *name) const override;
    ZafWindowObject *Duplicate() const override { return new ZafNotebook(*this); }

    ZafEventType Event(const ZafEventRecord &event) override;
    ZafWindowObject *AddObject(ZafWindowObject *object, ZafWindowObject *before = nullptr) override;
    ZafWindowObject *SubtractObject(ZafWindowObject *object) override;

    // Makes the page of that index current (shown, its tab selected) and
    // hides the others; an index out of range is refused. Returns the
    // current index (-1 without pages).
    int SetCurrentPage(int index);
    int CurrentPage() const;
    ZafWindowObject *CurrentPageObject() const;
    // The tab of a page; null when it has none.
    ZafWindowObject *TabOf(const ZafWindowObject *page) const;
    // The height of the tab row in pixels (0 when no page has a tab).
    int TabHeight() const;

    static ZafEventType ButtonCallback(ZafWindowObject *button, const ZafEventRecord &event, ZafEventType code);
    // Installs the hooks (copied); returns the previous ones.
    static ZafNotebookHooks SetHooks(const ZafNotebookHooks &hooks);

protected:
    void ForgetChild(ZafWindowObject *child) override;

private:
    struct PageTab
    {
        ZafWindowObject *page;
        ZafWindowObject *tab;
    };
    void AttachTab(ZafWindowObject *page);
    void DetachTab(ZafWindowObject *page, bool pageLives);
    void ShowCurrentPage();
    void LayoutTabs();
    ZafRegionRect ClientArea() const;

    std::vector<PageTab> tabs;
    int currentPage = 0;
};
