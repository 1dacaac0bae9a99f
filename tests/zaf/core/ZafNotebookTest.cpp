// The notebook: pages are child windows shown one at a time, each with a tab
// made through the hooks that the controls layer installs.
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafNotebook.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Tab = zaftest::NotebookTab;

// A support object of a page, named so that its order can be read back.
ZafWindowObject *Support(const char *name, ZafNumberID id)
{
    auto *object = new ZafWindowObject(0, 0, 1, 1);
    object->SetStringID(name);
    object->SetNumberID(id);
    object->SetSupportObject(true);
    object->SetOwnWindow(false);
    return object;
}

ZafWindow *Page(const char *title, bool disabled = false)
{
    auto *page = new ZafWindow(0, 0, 20, 5);
    page->SetStringID(title);
    page->SetDisabled(disabled);
    page->AddObject(Support("border", ZAF_NUMID_BORDER));
    page->AddObject(Support("geometry", ZAF_NUMID_GEOMETRY));
    page->AddObject(Support(title, ZAF_NUMID_TITLE));
    page->AddObject(new ZafWindowObject(0, 0, 5, 1));
    return page;
}

std::string SupportNames(const ZafWindow &window)
{
    std::string names;
    for (ZafElement *e = window.SupportList().First(); e; e = e->Next())
        names += std::string(e->StringID() ? e->StringID() : "?") + " ";
    return names;
}

// Records the events it is sent.
struct Recorder : ZafWindow
{
    Recorder() : ZafWindow(0, 0, 10, 10) {}
    ZafEventType Event(const ZafEventRecord &event) override
    {
        types.push_back(event.type);
        return event.type == 5007 ? 77 : ZafWindow::Event(event);
    }
    std::vector<ZafEventType> types;
};

class ZafNotebookTest : public testing::Test
{
protected:
    void SetUp() override { previous = ZafNotebook::SetHooks(zaftest::notebookHooks); }
    void TearDown() override { ZafNotebook::SetHooks(previous); }
    ZafNotebookHooks previous{};
};

} // namespace

TEST_F(ZafNotebookTest, AddedPagesGetTabsInPageOrderHoldingTheirSupportObjects)
{
    ZafNotebook notebook(0, 0, 40, 12);
    notebook.AddObject(Support("own", 0));
    ZafWindow *first = Page("first"), *third = Page("third", true), *second = Page("second");
    notebook.AddObject(first);
    notebook.AddObject(third);
    notebook.AddObject(second, third);

    auto *secondTab = static_cast<Tab *>(notebook.TabOf(second));
    ASSERT_NE(nullptr, secondTab);
    EXPECT_STREQ("second", secondTab->Text());
    // The tabs stand among the support objects in page order.
    EXPECT_EQ((std::vector<ZafElement *>{notebook.TabOf(first), secondTab, notebook.TabOf(third)}),
              (std::vector<ZafElement *>{notebook.SupportList().Get(1), notebook.SupportList().Get(2),
                                         notebook.SupportList().Get(3)}));
    EXPECT_EQ(&notebook, secondTab->Parent());
    // The page keeps its geometry manager and its children.
    EXPECT_EQ("geometry ", SupportNames(*second));
    EXPECT_NE(nullptr, second->FirstChild());
    EXPECT_EQ(2, secondTab->held.Count());
    // The tab takes the page's disabled flag.
    EXPECT_TRUE(notebook.TabOf(third)->Disabled());
    EXPECT_FALSE(secondTab->Disabled());
}

TEST_F(ZafNotebookTest, OnePageIsShownAndARemovedPageGetsItsSupportObjectsBack)
{
    ZafNotebook notebook(0, 0, 40, 12);
    ZafWindow *pages[] = {Page("a"), Page("b"), Page("c")};
    for (ZafWindow *page : pages)
        notebook.AddObject(page);
    EXPECT_EQ(0, notebook.CurrentPage());
    auto shown = [&]() {
        std::string text;
        for (ZafWindow *page : pages)
            text += std::string(page->Visible() ? "V" : "-") + (notebook.TabOf(page)->Selected() ? "S" : "-");
        return text;
    };
    EXPECT_EQ("VS----", shown());
    EXPECT_EQ(2, notebook.SetCurrentPage(2));
    EXPECT_EQ("----VS", shown());
    EXPECT_EQ(2, notebook.SetCurrentPage(3));
    EXPECT_EQ(2, notebook.SetCurrentPage(-1));
    // A page put in front keeps the same page current.
    ZafWindow *z = Page("z");
    notebook.AddObject(z, pages[0]);
    EXPECT_EQ(3, notebook.CurrentPage());
    EXPECT_EQ(pages[2], notebook.CurrentPageObject());
    // The removed page's held objects come back in their order, in front of
    // what stayed, and its tab goes.
    const int deaths = Tab::deaths;
    EXPECT_EQ(pages[2], notebook.SubtractObject(pages[2]));
    EXPECT_EQ(deaths + 1, Tab::deaths);
    EXPECT_EQ(nullptr, notebook.TabOf(pages[2]));
    EXPECT_EQ("border c geometry ", SupportNames(*pages[2]));
    EXPECT_TRUE(pages[2]->Visible());
    EXPECT_EQ(3, notebook.SupportList().Count());
    EXPECT_EQ(2, notebook.CurrentPage());
    EXPECT_TRUE(pages[1]->Visible());
    delete pages[2];
    // A page deleted inside the notebook takes its tab with it.
    delete pages[1];
    delete pages[0];
    delete z;
    EXPECT_EQ(deaths + 4, Tab::deaths);
    EXPECT_EQ(0, notebook.SupportList().Count());
    EXPECT_EQ(-1, notebook.CurrentPage());
}

TEST_F(ZafNotebookTest, WithoutHooksPagesGetNoTabs)
{
    ZafNotebook::SetHooks({nullptr, nullptr, nullptr, nullptr});
    ZafNotebook notebook(0, 0, 40, 12);
    ZafWindow *page = Page("alone");
    notebook.AddObject(page);
    notebook.AddObject(Page("other"));
    EXPECT_EQ(nullptr, notebook.TabOf(page));
    EXPECT_EQ(0, notebook.SupportList().Count());
    EXPECT_EQ("border geometry alone ", SupportNames(*page));
    EXPECT_EQ(0, notebook.TabHeight());
    EXPECT_TRUE(page->Visible());
    EXPECT_EQ(1, notebook.SetCurrentPage(1));
    EXPECT_FALSE(page->Visible());

    Recorder parent;
    ZafWindowObject *button = parent.AddObject(new ZafWindowObject(0, 0, 1, 1));
    EXPECT_EQ(0, ZafNotebook::ButtonCallback(button, ZafEventRecord(ZAF_SELECT), ZAF_SELECT));
    EXPECT_TRUE(parent.types.empty());
}

TEST_F(ZafNotebookTest, ButtonCallbackSendsTheButtonsValueToItsParentWindow)
{
    Recorder parent;
    ZafWindowObject *button = parent.AddObject(new ZafWindowObject(0, 0, 1, 1));
    button->SetNumberID(7);
    button->SetUserCallback(ZafNotebook::ButtonCallback);
    EXPECT_EQ(77, button->Event(ZafEventRecord(ZAF_SELECT)));
    EXPECT_EQ(std::vector<ZafEventType>{5007}, parent.types);
    EXPECT_EQ(0, ZafNotebook::ButtonCallback(button, ZafEventRecord(ZAF_FOCUS_CHANGE), ZAF_FOCUS_CHANGE));
    EXPECT_EQ(1u, parent.types.size());
    // A button in no window has nowhere to send its value.
    ZafWindowObject loose(0, 0, 1, 1);
    EXPECT_EQ(0, ZafNotebook::ButtonCallback(&loose, ZafEventRecord(ZAF_SELECT), ZAF_SELECT));
}

TEST_F(ZafNotebookTest, TabsAreLaidOutAlongTheTopAndPagesBelowThem)
{
    ZafNotebook notebook(0, 0, 1, 1);
    notebook.SetCoordinateType(ZAF_PIXEL);
    notebook.SetRegion(0, 0, 399, 299, ZAF_PIXEL);
    ZafWindow *first = Page("Short"), *second = Page("A much longer title");
    notebook.AddObject(first);
    notebook.AddObject(second);
    notebook.Event(ZafEventRecord(ZAF_REGION_CHANGED));

    const ZafRegionRect a = notebook.TabOf(first)->Region(), b = notebook.TabOf(second)->Region();
    EXPECT_EQ(ZAF_PIXEL, a.coordinateType);
    EXPECT_EQ(0, a.left);
    EXPECT_EQ(a.right + 1, b.left);
    EXPECT_GT(b.Width(), a.Width());
    EXPECT_EQ(notebook.TabHeight(), a.Height());
    EXPECT_EQ(ZafDisplay::ForConversion().CellHeight() + 4, notebook.TabHeight());
    const ZafRegionRect page = first->RegionToWindow(first->Region());
    EXPECT_EQ(notebook.TabHeight(), page.top);
    EXPECT_EQ(399, page.right);
    EXPECT_EQ(ZAF_PIXEL, first->Region().coordinateType);
    // A left press on the second tab turns to its page.
    ZafEventRecord press(ZAF_MOUSE_EVENT);
    press.osEvent.message = WM_LBUTTONDOWN;
    press.position = {b.left + 2, b.top + 2};
    EXPECT_EQ(ZAF_BEGIN_SELECT, notebook.Event(press));
    EXPECT_EQ(1, notebook.CurrentPage());
    press.position = {a.left + 1, a.bottom};
    notebook.Event(press);
    EXPECT_EQ(0, notebook.CurrentPage());
}

TEST_F(ZafNotebookTest, ACopyHasItsOwnTabsAndPagesWithTheirSupportObjects)
{
    ZafNotebook notebook(0, 0, 40, 12);
    notebook.AddObject(Page("one"));
    notebook.AddObject(Page("two"));
    notebook.SetCurrentPage(1);
    auto *copy = static_cast<ZafNotebook *>(notebook.Duplicate());
    EXPECT_EQ(2, copy->SupportList().Count());
    EXPECT_EQ(1, copy->CurrentPage());
    auto *tab = static_cast<Tab *>(copy->TabOf(static_cast<ZafWindow *>(copy->FirstChild())));
    ASSERT_NE(nullptr, tab);
    EXPECT_NE(notebook.TabOf(notebook.FirstChild()), tab);
    EXPECT_STREQ("one", tab->Text());
    EXPECT_EQ(2, tab->held.Count());
    delete copy;
}

TEST_F(ZafNotebookTest, OnScreenOnlyTheCurrentPagesWindowIsVisibleAndPagesFillTheClientArea)
{
    ZafApplication application(GetModuleHandleA(nullptr), {"test.exe"});
    auto *frame = new ZafWindow(0, 0, 50, 15);
    frame->SetVisible(false);
    auto *notebook = new ZafNotebook(1, 1, 40, 12);
    ZafWindow *first = Page("first"), *second = Page("second");
    notebook->AddObject(first);
    notebook->AddObject(second);
    frame->AddObject(notebook);
    zafWindowManager->AddObject(frame);
    ASSERT_NE(nullptr, second->OSHandle());
    auto visible = [](ZafWindow *page) { return (GetWindowLongA(page->OSHandle(), GWL_STYLE) & WS_VISIBLE) != 0; };
    EXPECT_TRUE(visible(first));
    EXPECT_FALSE(visible(second));
    notebook->SetCurrentPage(1);
    EXPECT_FALSE(visible(first));
    EXPECT_TRUE(visible(second));

    RECT client, placed;
    GetClientRect(notebook->OSHandle(), &client);
    GetWindowRect(second->OSHandle(), &placed);
    MapWindowPoints(nullptr, notebook->OSHandle(), reinterpret_cast<POINT *>(&placed), 2);
    EXPECT_EQ((std::vector<int>{notebook->TabHeight(), client.right, client.bottom}),
              (std::vector<int>{placed.top, placed.right, placed.bottom}));
    HWND frameWindow = frame->OSHandle(), pageWindow = second->OSHandle();
    delete zafWindowManager->SubtractObject(frame);
    EXPECT_FALSE(IsWindow(frameWindow));
    EXPECT_FALSE(IsWindow(pageWindow));
}
