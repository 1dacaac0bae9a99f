// Tool bars: the layout of their buttons in rows and columns as Windows
// places the buttons' windows, their size when empty, their line pair, the
// edge fixed once shown, docking in an MDI frame beside a status bar, and
// the round trip through a UI data file.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"

#include "zaf/controls/ZafStatusBar.h"
#include "zaf/controls/ZafToolBar.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafMDIWindow.h"

using controltest::ControlTest;

namespace {

class ToolBarTest : public ControlTest
{
protected:
    ZafToolBar *AddBar(ZafDockEdge edge, bool bordered, int left, int top, int width, int height)
    {
        auto *bar = new ZafToolBar(left, top, width, height);
        bar->SetCoordinateType(ZAF_PIXEL);
        bar->SetRegion(ZafRegionRect(left, top, left + width - 1, top + height - 1, ZAF_PIXEL));
        bar->SetEdge(edge);
        bar->SetBordered(bordered);
        Window()->AddObject(bar);
        return bar;
    }
    static ZafButton *Button(int width, int height)
    {
        auto *button = new ZafButton(0, 0, width, height, "B");
        button->SetCoordinateType(ZAF_PIXEL);
        button->SetRegion(ZafRegionRect(0, 0, width - 1, height - 1, ZAF_PIXEL));
        button->SetAutoSize(false);
        button->SetUserFunction(controltest::Record);
        return button;
    }
    static RECT Place(const ZafWindowObject *object) { return bartest::PlaceInParent(object->OSHandle()); }
    static int WindowHeight(const ZafWindowObject *object)
    {
        RECT r;
        GetClientRect(object->OSHandle(), &r);
        return r.bottom;
    }
};

TEST_F(ToolBarTest, WrapsButtonsThatDoNotFitIntoANewRow)
{
    ZafToolBar *bar = AddBar(ZAF_DOCK_TOP, false, 0, 0, 100, 10);
    ZafButton *buttons[3];
    for (ZafButton *&button : buttons)
        bar->AddObject(button = Button(40, 20));
    Show();
    Window()->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    Pump();
    const POINT expected[] = {{2, 2}, {42, 2}, {2, 24}};
    for (int i = 0; i < 3; ++i) {
        const RECT r = Place(buttons[i]);
        EXPECT_EQ(expected[i].x, r.left) << i;
        EXPECT_EQ(expected[i].y, r.top) << i;
        EXPECT_EQ(40, r.right - r.left) << i;
    }
    EXPECT_EQ(46, WindowHeight(bar));
    EXPECT_EQ(0, Place(bar).top);
}

TEST_F(ToolBarTest, ABorderedBottomBarStartsBelowItsLinesAndDrawsThemOnTop)
{
    ZafToolBar *bar = AddBar(ZAF_DOCK_BOTTOM, true, 0, 200, 200, 99);
    ZafButton *button = Button(30, 20);
    bar->AddObject(button);
    Show();
    Window()->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    Pump();
    EXPECT_EQ(4, Place(button).top);
    // 4 + 2 + 20, and the lines: the bar keeps its bottom at 298.
    EXPECT_EQ(28, WindowHeight(bar));
    EXPECT_EQ(299, Place(bar).bottom);
    bartest::Painted painted(bar->OSHandle());
    const COLORREF dark = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(dark, painted.At(100, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), painted.At(100, 1));
    EXPECT_EQ(face, painted.At(100, 2));
    EXPECT_EQ(face, painted.At(100, 27));
}

TEST_F(ToolBarTest, ColumnsOfASideBarWrapAtItsBottom)
{
    ZafToolBar *bar = AddBar(ZAF_DOCK_LEFT, false, 0, 0, 10, 60);
    ZafButton *first = Button(24, 30), *second = Button(24, 30);
    bar->AddObject(first);
    bar->AddObject(second);
    Show();
    Window()->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    Pump();
    EXPECT_EQ(2, Place(first).left);
    EXPECT_EQ(2, Place(first).top);
    EXPECT_EQ(28, Place(second).left);
    EXPECT_EQ(2, Place(second).top);
    RECT r;
    GetClientRect(bar->OSHandle(), &r);
    EXPECT_EQ(28 + 2 + 24, r.right);
}

TEST_F(ToolBarTest, AnEmptyBarIsOneCellHighOrThreeCellsWide)
{
    ZafToolBar *top = AddBar(ZAF_DOCK_TOP, true, 0, 0, 200, 77);
    ZafToolBar *side = AddBar(ZAF_DOCK_RIGHT, true, 300, 0, 77, 200);
    Show();
    Window()->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    Pump();
    const ZafCellMetrics metrics = zafScreenDisplay->CellMetrics();
    EXPECT_EQ(metrics.cellHeight, WindowHeight(top));
    RECT r;
    GetClientRect(side->OSHandle(), &r);
    EXPECT_EQ(3 * metrics.cellWidth, r.right);
    EXPECT_EQ(376, Place(side).right - 1);
}

TEST_F(ToolBarTest, AButtonAddedToAShownBarIsPlacedAtOnceAndClicksReachIt)
{
    ZafToolBar *bar = AddBar(ZAF_DOCK_TOP, false, 0, 0, 300, 10);
    bar->AddObject(Button(40, 20));
    Show();
    ZafButton *late = Button(50, 20);
    bar->AddObject(late);
    Pump();
    ASSERT_TRUE(late->IsCreated());
    EXPECT_EQ(42, Place(late).left);
    Click(late->OSHandle());
    ASSERT_EQ(1u, controltest::Calls().size());
    EXPECT_EQ(late, controltest::Calls()[0].object);
    EXPECT_EQ(ZAF_SELECT, controltest::Calls()[0].code);
}

TEST_F(ToolBarTest, TheEdgeAndLayoutAreFixedOnceShownAndTabPassesTheBarBy)
{
    ZafToolBar *bar = AddBar(ZAF_DOCK_TOP, false, 0, 0, 300, 10);
    Show();
    EXPECT_EQ(ZAF_DOCK_TOP, bar->SetEdge(ZAF_DOCK_LEFT));
    EXPECT_TRUE(bar->SetAutoLayout(false));
    EXPECT_FALSE(bar->SetDestroyable(true));
    EXPECT_TRUE(bar->SetSupportObject(false));
    EXPECT_EQ(ZAF_UNKNOWN, bar->Event(ZafEventRecord(ZAF_NEXT)));
    EXPECT_EQ(ZAF_DOCK_TOP, bar->DockEdge());
}

TEST_F(ToolBarTest, AnMDIFrameGivesItsClientWhatTheBarsLeave)
{
    auto *frame = new ZafMDIWindow(0, 0, 60, 20);
    frame->SetVisible(false);
    auto *tools = new ZafToolBar(0, 0, 60, 1);
    tools->AddObject(Button(40, 20));
    auto *status = new ZafStatusBar(0, 0, 60, 1);
    status->SetCoordinateType(ZAF_PIXEL);
    status->SetRegion(ZafRegionRect(0, 0, 99, 19, ZAF_PIXEL));
    frame->AddObject(tools);
    frame->AddObject(status);
    zafWindowManager->AddObject(frame);
    Pump();
    RECT client;
    GetClientRect(frame->OSHandle(2), &client);
    const RECT mdi = bartest::PlaceInParent(frame->ClientWindow());
    EXPECT_EQ(WindowHeight(tools), mdi.top);
    EXPECT_EQ(2 + 20 + 2 + 2, WindowHeight(tools));
    EXPECT_EQ(client.bottom - 20, mdi.bottom);
    EXPECT_EQ(client.bottom, bartest::PlaceInParent(status->OSHandle()).bottom);
    // Taller: the status bar keeps its height on the bottom edge.
    RECT outer;
    GetWindowRect(frame->OSHandle(2), &outer);
    SetWindowPos(frame->OSHandle(2), nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top + 80,
                 SWP_NOMOVE | SWP_NOZORDER);
    Pump();
    GetClientRect(frame->OSHandle(2), &client);
    EXPECT_EQ(20, WindowHeight(status));
    EXPECT_EQ(client.bottom, bartest::PlaceInParent(status->OSHandle()).bottom);
    EXPECT_EQ(client.bottom - 20, bartest::PlaceInParent(frame->ClientWindow()).bottom);
    zafWindowManager->CloseWindow(frame);
    Pump();
}

// A workbook's bar holds buttons it shows only sometimes: hidden, they take
// no place, and showing or hiding one lays the bar and its frame out again.
TEST_F(ToolBarTest, HiddenButtonsTakeNoPlaceAndShowingOneLaysTheBarOutAgain)
{
    auto *frame = new ZafMDIWindow(0, 0, 60, 20);
    frame->SetVisible(false);
    auto *tools = new ZafToolBar(0, 0, 60, 1);
    tools->SetBordered(false);
    ZafButton *first = Button(40, 20), *hidden = Button(40, 20), *last = Button(40, 20);
    for (ZafButton *button : {first, hidden, last})
        tools->AddObject(button);
    hidden->SetVisible(false);
    frame->AddObject(tools);
    zafWindowManager->AddObject(frame);
    Pump();
    // Two buttons fit in a row of the bar, three do not.
    RECT bar;
    GetClientRect(tools->OSHandle(), &bar);
    const int width = (bar.right - 3) / 2;
    for (ZafButton *button : {first, hidden, last})
        button->SetRegion(ZafRegionRect(0, 0, width - 1, 19, ZAF_PIXEL));
    frame->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    Pump();
    const int oneRow = 2 + 20 + 2, twoRows = oneRow + 20 + 2;
    auto expectRows = [&](int height, POINT lastAt) {
        EXPECT_EQ(height, WindowHeight(tools));
        EXPECT_EQ(height, bartest::PlaceInParent(frame->ClientWindow()).top);
        EXPECT_EQ(lastAt.x, Place(last).left);
        EXPECT_EQ(lastAt.y, Place(last).top);
    };
    expectRows(oneRow, {2 + width, 2});

    hidden->SetVisible(true);
    Pump();
    expectRows(twoRows, {2, oneRow});
    EXPECT_EQ(2 + width, Place(hidden).left);

    hidden->SetVisible(false);
    Pump();
    expectRows(oneRow, {2 + width, 2});
    zafWindowManager->CloseWindow(frame);
    Pump();
}

TEST_F(ToolBarTest, RoundTripKeepsTheEdgeTheLayoutFlagAndTheButtons)
{
    ZafToolBar::RegisterPersistence();
    ZafToolBar stored(0, 0, 30, 2);
    stored.SetEdge(ZAF_DOCK_RIGHT);
    stored.SetAutoLayout(false);
    auto *button = new ZafButton(0, 0, 6, 1, "Run");
    button->SetStringID("RUN");
    stored.AddObject(button);
    auto read = fieldtest::RoundTrip(stored, "TOOLS");
    EXPECT_EQ(ZAF_DOCK_RIGHT, read->Edge());
    EXPECT_FALSE(read->AutoLayout());
    EXPECT_TRUE(read->SupportObject());
    ZafWindowObject *readButton = read->FindObjectByStringID("RUN");
    ASSERT_NE(nullptr, readButton);
    EXPECT_STREQ("Run", readButton->Text());
}

} // namespace
