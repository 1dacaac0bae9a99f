// Notebook tabs: the page's frame objects held by its tab and given back in
// their order, the title's text on the tab, and the tabs painted in the
// notebook's window with a click on one changing the page.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"

#include "zaf/controls/ZafNotebookTab.h"
#include "zaf/controls/ZafTitle.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafNotebook.h"

#include <memory>
#include <string>
#include <vector>

using controltest::ControlTest;

namespace {

class NotebookTabTest : public ControlTest
{
protected:
    NotebookTabTest() { ZafNotebookTab::InstallHooks(); }
    ~NotebookTabTest() override { ZafNotebook::SetHooks(ZafNotebookHooks{}); }

    // A support object of a frame number id (a title carries its text).
    static ZafWindowObject *FramePart(ZafNumberID id, const char *text = nullptr)
    {
        ZafWindowObject *part = text ? static_cast<ZafWindowObject *>(new ZafTitle(text))
                                     : new ZafWindowObject(0, 0, 1, 1);
        part->SetNumberID(id);
        part->SetSupportObject(true);
        part->SetOwnWindow(false);
        return part;
    }
    static ZafWindow *Page(const char *title)
    {
        auto *page = new ZafWindow(0, 0, 10, 5);
        page->AddObject(FramePart(ZAF_NUMID_BORDER));
        if (title)
            page->AddObject(FramePart(ZAF_NUMID_TITLE, title));
        page->AddObject(FramePart(ZAF_NUMID_GEOMETRY));
        page->AddObject(FramePart(ZAF_NUMID_SYSTEM));
        return page;
    }
    static std::vector<ZafNumberID> SupportIDs(const ZafWindow *window)
    {
        std::vector<ZafNumberID> ids;
        for (ZafElement *e = window->SupportList().First(); e; e = e->Next())
            ids.push_back(e->NumberID());
        return ids;
    }
    ZafNotebook *AddNotebook()
    {
        auto *notebook = new ZafNotebook(0, 0, 1, 1);
        notebook->SetCoordinateType(ZAF_PIXEL);
        notebook->SetRegion(ZafRegionRect(10, 10, 309, 209, ZAF_PIXEL));
        Window()->AddObject(notebook);
        return notebook;
    }
};

TEST_F(NotebookTabTest, HoldsThePagesFrameObjectsAndGivesThemBackInOrder)
{
    ZafNotebook *notebook = AddNotebook();
    ZafWindow *page = Page("Tables");
    notebook->AddObject(page);
    auto *tab = dynamic_cast<ZafNotebookTab *>(notebook->TabOf(page));
    ASSERT_NE(nullptr, tab);
    EXPECT_STREQ("Tables", tab->Text());
    EXPECT_EQ(3, tab->Held().Count());
    EXPECT_EQ(std::vector<ZafNumberID>{ZAF_NUMID_GEOMETRY}, SupportIDs(page));
    notebook->SubtractObject(page);
    // In their own order, ahead of what the page kept.
    const std::vector<ZafNumberID> after = {ZAF_NUMID_BORDER, ZAF_NUMID_TITLE, ZAF_NUMID_SYSTEM, ZAF_NUMID_GEOMETRY};
    EXPECT_EQ(after, SupportIDs(page));
    delete page;
}

TEST_F(NotebookTabTest, OnlyAZafTitleGivesTheTabItsTextAndCopiesKeepIt)
{
    ZafNotebook *notebook = AddNotebook();
    // A frame part with the title's number id that is no title.
    auto *page = new ZafWindow(0, 0, 10, 5);
    auto *button = new ZafButton(0, 0, 10, 1, "Not a title");
    button->SetNumberID(ZAF_NUMID_TITLE);
    button->SetSupportObject(true);
    button->SetOwnWindow(false);
    page->AddObject(button);
    notebook->AddObject(page);
    auto *tab = dynamic_cast<ZafNotebookTab *>(notebook->TabOf(page));
    ASSERT_NE(nullptr, tab);
    EXPECT_EQ(1, tab->Held().Count());
    EXPECT_EQ(nullptr, tab->Text());

    // A title among the held objects is the title of a copy as well.
    ZafWindow *titled = Page("Tables");
    notebook->AddObject(titled);
    auto *source = dynamic_cast<ZafNotebookTab *>(notebook->TabOf(titled));
    ASSERT_NE(nullptr, source);
    std::unique_ptr<ZafWindowObject> copy(source->Duplicate());
    auto *copiedTab = static_cast<ZafNotebookTab *>(copy.get());
    EXPECT_EQ(3, copiedTab->Held().Count());
    EXPECT_STREQ("Tables", copiedTab->Text());
    EXPECT_NE(source->Title(), copiedTab->Title());
}

TEST_F(NotebookTabTest, APageWithoutATitleGivesATabWithoutText)
{
    ZafNotebook *notebook = AddNotebook();
    ZafWindow *page = Page(nullptr);
    notebook->AddObject(page);
    auto *tab = dynamic_cast<ZafNotebookTab *>(notebook->TabOf(page));
    ASSERT_NE(nullptr, tab);
    EXPECT_EQ(nullptr, tab->Text());
    EXPECT_EQ(ZafNotebookTab::errorNoTitle, tab->SetText("Graphs"));
    EXPECT_EQ(nullptr, tab->Text());
}

TEST_F(NotebookTabTest, TabsArePaintedAndAClickOnOneShowsItsPage)
{
    ZafNotebook *notebook = AddNotebook();
    ZafWindow *first = Page("Tables");
    ZafWindow *second = Page("Graphs");
    notebook->AddObject(first);
    notebook->AddObject(second);
    Show();
    ZafWindowObject *secondTab = notebook->TabOf(second);
    ASSERT_TRUE(notebook->TabOf(first)->Selected());
    EXPECT_FALSE(secondTab->Selected());
    const ZafRegionRect place = secondTab->GetWindowRegion();
    bartest::Painted painted(notebook->DrawingHandle());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    // The tab's text stands inside its outline.
    EXPECT_GT(painted.CountOther(place.left + 3, place.top + 3, place.right - 3, place.bottom - 2, face), 0);
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), painted.At(place.left + 2, place.top + 6));
    SendMessageA(notebook->DrawingHandle(), WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2));
    SendMessageA(notebook->DrawingHandle(), WM_LBUTTONUP, 0,
                 MAKELPARAM((place.left + place.right) / 2, (place.top + place.bottom) / 2));
    Pump();
    EXPECT_EQ(1, notebook->CurrentPage());
    EXPECT_TRUE(secondTab->Selected());
    EXPECT_EQ(0, secondTab->SetText("Charts"));
    EXPECT_STREQ("Charts", secondTab->Text());
}

// The tab is as wide as its caption in the font it is drawn in, whatever
// font the rest of the display measures in: a long caption shows whole.
TEST_F(NotebookTabTest, ATabHoldsItsWholeCaptionInTheFontItIsDrawnIn)
{
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    ASSERT_NE(nullptr, display);
    // A dialog font wider than the system font, as the program's is.
    const HFONT before = display->Font(ZAF_FONT_DIALOG);
    HFONT wide = CreateFontA(-15, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                             DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial");
    ASSERT_TRUE(display->SetFont(ZAF_FONT_DIALOG, wide, false));
    const char *const caption = "v8 x v4, v9, v10, v11, v12, v13";
    const int drawnWidth = display->TextSize(caption, ZAF_FONT_DIALOG).cx;
    const int systemWidth = display->TextSize(caption, ZAF_FONT_SYSTEM).cx;
    ZafNotebook *notebook = AddNotebook();
    notebook->SetRegion(ZafRegionRect(10, 10, 609, 209, ZAF_PIXEL));
    notebook->AddObject(Page("Tables"));
    ZafWindow *second = Page(caption);
    notebook->AddObject(second);
    Show();
    const ZafRegionRect place = notebook->TabOf(second)->GetWindowRegion();
    display->SetFont(ZAF_FONT_DIALOG, before, false);
    DeleteObject(wide);
    ASSERT_GT(drawnWidth, systemWidth) << "the fonts must differ for the test to tell";
    // The unselected tab draws its text between its outline's sides, two
    // pixels in from its region on each side and one more for the outline.
    EXPECT_GE(place.right - place.left + 1 - 6, drawnWidth);
}

} // namespace
