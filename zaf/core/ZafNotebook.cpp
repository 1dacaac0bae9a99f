#include "zaf/core/ZafNotebook.h"
#include "zaf/core/ZafErrorCodes.h"

#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowPersistence.h"

#include <algorithm>
#include <cstring>

namespace {

ZafNotebookHooks notebookHooks = {nullptr, nullptr, nullptr, nullptr};

// The width of a tab's text in pixels, in the font the tab draws it in.
int TextWidth(const char *text)
{
    if (!text || !*text)
        return 0;
    if (ZafGdiDisplay *display = ZafScreenGdiDisplay())
        return display->TextSize(text, ZAF_FONT_DIALOG).cx;
    return static_cast<int>(std::strlen(text)) * ZafDisplay::ForConversion().CellWidth();
}

} // namespace

ZafNotebook::ZafNotebook(int left, int top, int width, int height) : ZafWindow(left, top, width, height)
{}

ZafNotebook::ZafNotebook(const ZafNotebook &copy) : ZafWindow(copy), currentPage(copy.currentPage)
{
    // The window's copy duplicated the tabs with the other support objects
    // and added the pages past this class's AddObject: each duplicated tab
    // gives its page the copies of its support objects and goes, and the
    // pages get tabs of their own.
    if (support.Count() == copy.support.Count()) {
        ZafElement *mine = support.First();
        for (ZafElement *theirs = copy.support.First(); theirs && mine; theirs = theirs->Next()) {
            ZafElement *next = mine->Next();
            for (const PageTab &entry : copy.tabs) {
                if (entry.tab != theirs)
                    continue;
                auto *tab = static_cast<ZafWindowObject *>(mine);
                auto *page = dynamic_cast<ZafWindow *>(static_cast<ZafWindowObject *>(Get(copy.Index(entry.page))));
                ZafWindow::SubtractObject(tab);
                if (page && notebookHooks.returnSupportObjects)
                    notebookHooks.returnSupportObjects(tab, page);
                delete tab;
            }
            mine = next;
        }
    }
    for (ZafElement *e = First(); e; e = e->Next())
        AttachTab(static_cast<ZafWindowObject *>(e));
    ShowCurrentPage();
}

ZafNotebook::ZafNotebook(const char *name, ZafWindowPersistence &persistence)
    : ZafWindow(name, persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry))
{
    if (persistence.Error() == 0) {
        std::uint16_t index = 0;
        if (persistence.Read16(index) != 2 && persistence.Error() == 0)
            persistence.SetError(ZafError::Read);
        currentPage = index < Count() ? index : 0;
    }
    persistence.PopLevel();
    if (persistence.Error() != 0)
        SetError(static_cast<int>(persistence.Error()));
    for (ZafElement *e = First(); e; e = e->Next())
        AttachTab(static_cast<ZafWindowObject *>(e));
    ShowCurrentPage();
}

ZafElement *ZafNotebook::New(const char *name, ZafWindowPersistence &persistence)
{
    return new ZafNotebook(name, persistence);
}

void ZafNotebook::Write(ZafWindowPersistence &persistence)
{
    // The tabs are made again from the pages when they are read; the pages
    // are written whole, with the support objects their tabs hold. The tabs
    // leave the support list front to back and return back to front, each
    // before the object that followed it, which restores the order.
    std::vector<ZafElement *> followers;
    for (const PageTab &entry : tabs) {
        followers.push_back(entry.tab->Next());
        support.Subtract(entry.tab);
        if (notebookHooks.returnSupportObjects)
            notebookHooks.returnSupportObjects(entry.tab, static_cast<ZafWindow *>(entry.page));
    }
    persistence.PushLevel(className, classID, ZafWindowPersistence::topLevelEntry);
    ZafWindow::Write(persistence);
    if (persistence.Error() == 0)
        persistence.Write16(static_cast<std::uint16_t>(std::max(CurrentPage(), 0)));
    persistence.PopLevel();
    for (std::size_t i = tabs.size(); i-- > 0;) {
        if (notebookHooks.takeSupportObjects)
            notebookHooks.takeSupportObjects(tabs[i].tab, static_cast<ZafWindow *>(tabs[i].page));
        support.AddBefore(tabs[i].tab, followers[i]);
    }
}

bool ZafNotebook::IsClassID(ZafClassID id) const
{
    return id == classID || ZafWindow::IsClassID(id);
}

bool ZafNotebook::IsClassName(const char *name) const
{
    return ZafStringCompare(name, className) == 0 || ZafWindow::IsClassName(name);
}

ZafNotebookHooks ZafNotebook::SetHooks(const ZafNotebookHooks &hooks)
{
    ZafNotebookHooks previous = notebookHooks;
    notebookHooks = hooks;
    return previous;
}

// --- Pages and tabs ----------------------------------------------------------

ZafWindowObject *ZafNotebook::TabOf(const ZafWindowObject *page) const
{
    for (const PageTab &entry : tabs)
        if (entry.page == page)
            return entry.tab;
    return nullptr;
}

void ZafNotebook::AttachTab(ZafWindowObject *page)
{
    auto *window = dynamic_cast<ZafWindow *>(page);
    if (!window || !notebookHooks.makeTab || TabOf(page))
        return;
    ZafWindowObject *tab = notebookHooks.makeTab(window);
    if (!tab)
        return;
    if (notebookHooks.takeSupportObjects)
        notebookHooks.takeSupportObjects(tab, window);
    tab->SetDisabled(page->Disabled());
    if (!tab->SupportObject())
        tab->SetSupportObject(true);
    if (!tab->SupportObject()) {
        // A tab that would stand among the pages is no tab.
        if (notebookHooks.returnSupportObjects)
            notebookHooks.returnSupportObjects(tab, window);
        delete tab;
        return;
    }
    // Before the tab of the next page that has one: the tabs keep page order.
    ZafWindowObject *before = nullptr;
    for (ZafElement *e = page->Next(); e && !before; e = e->Next())
        before = TabOf(static_cast<ZafWindowObject *>(e));
    ZafWindow::AddObject(tab, before);
    tabs.push_back({page, tab});
}

void ZafNotebook::DetachTab(ZafWindowObject *page, bool pageLives)
{
    auto it = std::find_if(tabs.begin(), tabs.end(), [&](const PageTab &entry) { return entry.page == page; });
    if (it == tabs.end())
        return;
    ZafWindowObject *tab = it->tab;
    tabs.erase(it);
    ZafWindow::SubtractObject(tab);
    if (pageLives && notebookHooks.returnSupportObjects)
        notebookHooks.returnSupportObjects(tab, static_cast<ZafWindow *>(page));
    delete tab;
}

ZafWindowObject *ZafNotebook::AddObject(ZafWindowObject *object, ZafWindowObject *before)
{
    // The notebook places its pages in pixels; a page already on screen
    // keeps its type (and is placed as near as that type allows).
    if (object && !object->SupportObject())
        object->SetCoordinateType(ZAF_PIXEL);
    ZafWindowObject *current = CurrentPageObject();
    ZafWindowObject *added = ZafWindow::AddObject(object, before);
    if (!added || added->SupportObject())
        return added;
    currentPage = current ? Index(current) : 0;
    AttachTab(added);
    ShowCurrentPage();
    if (osWindow)
        Event(ZafEventRecord(ZAF_REGION_CHANGED));
    return added;
}

ZafWindowObject *ZafNotebook::SubtractObject(ZafWindowObject *object)
{
    if (!object)
        return nullptr;
    const int index = Index(object);
    if (index < 0) {
        // A tab taken out by hand leaves its page without a tab.
        tabs.erase(std::remove_if(tabs.begin(), tabs.end(), [&](const PageTab &entry) { return entry.tab == object; }),
                   tabs.end());
        return ZafWindow::SubtractObject(object);
    }
    DetachTab(object, true);
    ZafWindow::SubtractObject(object);
    if (index < currentPage)
        --currentPage;
    // The notebook hid it; out of the notebook it is a window like any other.
    object->SetVisible(true);
    ShowCurrentPage();
    if (osWindow)
        Event(ZafEventRecord(ZAF_REGION_CHANGED));
    return object;
}

void ZafNotebook::ForgetChild(ZafWindowObject *child)
{
    // A page being deleted takes its tab with it; a tab being deleted
    // leaves its page without one.
    if (TabOf(child))
        DetachTab(child, false);
    tabs.erase(std::remove_if(tabs.begin(), tabs.end(), [&](const PageTab &entry) { return entry.tab == child; }),
               tabs.end());
    const int index = Index(child);
    ZafWindow::ForgetChild(child);
    if (index >= 0 && index < currentPage)
        --currentPage;
}

int ZafNotebook::CurrentPage() const
{
    const int count = Count();
    if (count == 0)
        return -1;
    return std::clamp(currentPage, 0, count - 1);
}

ZafWindowObject *ZafNotebook::CurrentPageObject() const
{
    const int index = CurrentPage();
    return index < 0 ? nullptr : static_cast<ZafWindowObject *>(Get(index));
}

int ZafNotebook::SetCurrentPage(int index)
{
    if (index < 0 || index >= Count())
        return CurrentPage();
    currentPage = index;
    ShowCurrentPage();
    return currentPage;
}

void ZafNotebook::ShowCurrentPage()
{
    currentPage = std::max(CurrentPage(), 0);
    int index = 0;
    for (ZafElement *e = First(); e; e = e->Next(), ++index) {
        auto *page = static_cast<ZafWindowObject *>(e);
        const bool current = index == currentPage;
        if (page->Visible() != current)
            page->SetVisible(current);
        ZafWindowObject *tab = TabOf(page);
        if (tab && tab->Selected() != current) {
            tab->SetSelected(current);
            tab->Redisplay();
        }
    }
}

// --- Layout and events ----------------------------------------------------------

ZafRegionRect ZafNotebook::ClientArea() const
{
    RECT client;
    HWND host = HasFlag(flagOwnWindow) ? OSHandle(1) : nullptr;
    if (host && GetClientRect(host, &client))
        return ZafRegionRect(0, 0, client.right - 1, client.bottom - 1);
    const ZafRegionRect r = RegionToWindow(region);
    return ZafRegionRect(0, 0, r.Width() - 1, r.Height() - 1);
}

int ZafNotebook::TabHeight() const
{
    if (tabs.empty())
        return 0;
    return ZafDisplay::ForConversion().CellHeight() + 4;
}

void ZafNotebook::LayoutTabs()
{
    const int cellWidth = ZafDisplay::ForConversion().CellWidth();
    const int height = TabHeight();
    int x = 0;
    for (ZafElement *e = First(); e; e = e->Next()) {
        ZafWindowObject *tab = TabOf(static_cast<ZafWindowObject *>(e));
        if (!tab)
            continue;
        const int width = std::max(TextWidth(tab->Text()), cellWidth) + 2 * cellWidth;
        tab->SetCoordinateType(ZAF_PIXEL);
        tab->SetRegion(ZafRegionRect(x, 0, x + width - 1, height - 1, ZAF_PIXEL));
        x += width;
    }
    const ZafRegionRect area = ClientArea();
    const ZafRegionRect pageArea(0, height, area.right, std::max(area.bottom, height), ZAF_PIXEL);
    for (ZafElement *e = First(); e; e = e->Next()) {
        auto *page = static_cast<ZafWindowObject *>(e);
        page->SetRegion(page->RegionFromWindow(pageArea));
    }
}

ZafEventType ZafNotebook::Event(const ZafEventRecord &event)
{
    switch (event.type) {
    case ZAF_REGION_CHANGED:
        LayoutTabs();
        return ZafWindow::Event(event);
    case ZAF_MOUSE_EVENT:
        if (MapEvent(event) == ZAF_BEGIN_SELECT) {
            const ZafPosition point = {event.position.x, event.position.y, ZAF_PIXEL};
            int index = 0;
            for (ZafElement *e = First(); e; e = e->Next(), ++index) {
                ZafWindowObject *tab = TabOf(static_cast<ZafWindowObject *>(e));
                if (tab && !tab->Disabled() && tab->RegionToWindow(tab->Region()).Contains(point)) {
                    SetCurrentPage(index);
                    return ZAF_BEGIN_SELECT;
                }
            }
        }
        return ZafWindow::Event(event);
    default:
        return ZafWindow::Event(event);
    }
}

ZafEventType ZafNotebook::ButtonCallback(ZafWindowObject *button, const ZafEventRecord &, ZafEventType code)
{
    if (code != ZAF_SELECT || !button || !notebookHooks.buttonValue)
        return 0;
    // Only a window is sent the value; a button in any other parent has
    // nowhere to send it.
    auto *window = dynamic_cast<ZafWindow *>(button->Parent());
    if (!window)
        return 0;
    const ZafEventType value = notebookHooks.buttonValue(button);
    return window->Event(ZafEventRecord(value));
}
