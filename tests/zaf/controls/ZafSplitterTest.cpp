// Splitters: the division of their area, a drag as the mouse gives it, and
// every way a drag can be cut short (another window takes the mouse, a
// modal box disables the window, the splitter is deleted, the program is
// asked to end), each of which must end the drag loop.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"

#include "zaf/controls/ZafSplitter.h"

#include <functional>

using controltest::ControlTest;

namespace {

// A hidden window that runs an action when it gets WM_APP: posted before a
// drag starts, the action happens inside the drag loop.
class Helper
{
public:
    Helper()
    {
        WNDCLASSA type = {};
        type.lpfnWndProc = Procedure;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "ZafSplitterTestHelper";
        RegisterClassA(&type);
        window = CreateWindowExA(0, type.lpszClassName, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, type.hInstance,
                                 nullptr);
    }
    ~Helper() { DestroyWindow(window); }
    void Post(std::function<void()> what)
    {
        Action() = std::move(what);
        PostMessageA(window, WM_APP, 0, 0);
    }
    HWND window;

private:
    static std::function<void()> &Action()
    {
        static std::function<void()> action;
        return action;
    }
    static LRESULT CALLBACK Procedure(HWND w, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_APP && Action()) {
            auto run = std::move(Action());
            Action() = nullptr;
            run();
            return 0;
        }
        return DefWindowProcA(w, message, wParam, lParam);
    }
};

class SplitterTest : public ControlTest
{
protected:
    // Two panes side by side over the area x 10..209, y 10..109.
    ZafSplitter *AddSplitter(int position, bool proportional)
    {
        left = Pane();
        right = Pane();
        auto *splitter = new ZafSplitter(ZafSplitter::sideBySide, position, proportional);
        splitter->SetCoordinateType(ZAF_PIXEL);
        splitter->SetRegion(ZafRegionRect(10, 10, 209, 109, ZAF_PIXEL));
        splitter->SetLeadingObject(left);
        splitter->SetTrailingObject(right);
        Window()->AddObject(left);
        Window()->AddObject(right);
        Window()->AddObject(splitter);
        return splitter;
    }
    static ZafWindow *Pane()
    {
        auto *pane = new ZafWindow(0, 0, 1, 1);
        pane->SetCoordinateType(ZAF_PIXEL);
        return pane;
    }
    static RECT Place(const ZafWindowObject *object) { return bartest::PlaceInParent(object->OSHandle()); }
    // A press on the bar, with the moves and actions already posted.
    static void PressBar(ZafSplitter *splitter)
    {
        SendMessageA(splitter->OSHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 5));
    }
    static void Post(ZafSplitter *splitter, UINT message, int x)
    {
        PostMessageA(splitter->OSHandle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, 5));
    }
    ZafWindow *left = nullptr;
    ZafWindow *right = nullptr;
};

TEST_F(SplitterTest, AHalfWaySplitterDividesTheFreeSpace)
{
    ZafSplitter *splitter = AddSplitter(50, true);
    Show();
    EXPECT_EQ(10 + 98, Place(splitter).left);
    EXPECT_EQ(3, Place(splitter).right - Place(splitter).left);
    EXPECT_EQ(10, Place(left).left);
    EXPECT_EQ(108, Place(left).right);
    EXPECT_EQ(111, Place(right).left);
    EXPECT_EQ(210, Place(right).right);
    EXPECT_EQ(ZafSplitter::sideBySide, splitter->SetOrientation(ZafSplitter::oneAbove));
    EXPECT_EQ(3, splitter->SetThickness(9));
}

TEST_F(SplitterTest, DraggingMovesTheBarAndStopsAtTheEnds)
{
    ZafSplitter *splitter = AddSplitter(40, false);
    Show();
    // Live: the bar follows, so the release comes where the press was on it.
    Post(splitter, WM_MOUSEMOVE, 31);
    Post(splitter, WM_LBUTTONUP, 1);
    PressBar(splitter);
    EXPECT_EQ(ZafSplitter::dragReleased, splitter->LastDragEnd());
    EXPECT_EQ(70, splitter->Position());
    EXPECT_EQ(70, Place(left).right - Place(left).left);
    EXPECT_EQ(nullptr, GetCapture());
    Post(splitter, WM_MOUSEMOVE, 5000);
    Post(splitter, WM_LBUTTONUP, 1);
    PressBar(splitter);
    EXPECT_EQ(splitter->MaximumPosition(), splitter->Position());
    EXPECT_EQ(210, Place(splitter).right);
    Post(splitter, WM_LBUTTONUP, -5000);
    PressBar(splitter);
    EXPECT_EQ(0, splitter->Position());
    EXPECT_EQ(10, Place(splitter).left);
}

TEST_F(SplitterTest, AnotherWindowTakingTheMouseEndsTheDrag)
{
    ZafSplitter *splitter = AddSplitter(40, false);
    Show();
    Helper helper;
    Post(splitter, WM_MOUSEMOVE, 11);
    helper.Post([&] { SetCapture(helper.window); });
    PressBar(splitter);
    EXPECT_EQ(ZafSplitter::dragCaptureLost, splitter->LastDragEnd());
    EXPECT_EQ(50, splitter->Position());
    EXPECT_FALSE(splitter->Tracking());
    ReleaseCapture();
}

TEST_F(SplitterTest, AModalBoxOverTheWindowEndsTheDrag)
{
    ZafSplitter *splitter = AddSplitter(40, false);
    Show();
    Helper helper;
    // What a modal box does to the window it opens over.
    helper.Post([&] { EnableWindow(Window()->OSHandle(), FALSE); });
    PressBar(splitter);
    EXPECT_EQ(ZafSplitter::dragDisabled, splitter->LastDragEnd());
    EXPECT_NE(splitter->OSHandle(), GetCapture());
    EnableWindow(Window()->OSHandle(), TRUE);
}

TEST_F(SplitterTest, DeletingTheSplitterDuringTheDragEndsIt)
{
    ZafSplitter *splitter = AddSplitter(40, false);
    Show();
    Helper helper;
    helper.Post([&] {
        Window()->SubtractObject(splitter);
        delete splitter;
    });
    PressBar(splitter);
    EXPECT_EQ(nullptr, Window()->FindObjectByNumberID(31)); // nothing left behind
    EXPECT_EQ(nullptr, GetCapture());
    // The panes stay where the splitter left them.
    EXPECT_EQ(10, Place(left).left);
}

TEST_F(SplitterTest, AnExitRequestEndsTheDragAndReachesTheProgramLoop)
{
    ZafSplitter *splitter = AddSplitter(40, false);
    Show();
    Helper helper;
    helper.Post([] { PostQuitMessage(0); });
    PressBar(splitter);
    EXPECT_EQ(ZafSplitter::dragExit, splitter->LastDragEnd());
    const std::vector<ZafEventRecord> waiting = Queued();
    ASSERT_FALSE(waiting.empty());
    EXPECT_EQ(ZAF_EXIT, waiting.front().type);
}

TEST_F(SplitterTest, ADeletedPaneIsSkippedAndTheRoundTripKeepsTheSettings)
{
    ZafSplitter *splitter = AddSplitter(40, false);
    left->SetNumberID(71);
    right->SetNumberID(72);
    Window()->SubtractObject(right);
    delete right;
    Show();
    EXPECT_EQ(nullptr, splitter->TrailingObject());
    EXPECT_EQ(50, Place(splitter).left);

    ZafSplitter::RegisterPersistence();
    splitter->SetLive(false);
    auto read = fieldtest::RoundTrip(*splitter, "SPLIT");
    EXPECT_EQ(ZafSplitter::sideBySide, read->GetOrientation());
    EXPECT_FALSE(read->Live());
    EXPECT_EQ(40, read->Position());
    EXPECT_EQ(3, read->Thickness());
    EXPECT_EQ(200, read->Area().Width());
}

} // namespace

// The splitter answers for the area it divides: what it is given is what it
// reports, and a change of coordinate type carries the area and the bar.
TEST_F(SplitterTest, ItsRegionIsTheAreaAndConvertsWithIt)
{
    ZafSplitter *splitter = AddSplitter(50, false);
    Show();
    const ZafRegionRect before = splitter->Region();
    EXPECT_EQ(10, before.left);
    EXPECT_EQ(209, before.right) << "the area, not the bar";
    splitter->SetRegion(splitter->Region());
    EXPECT_EQ(60, Place(splitter).left) << "setting what it reports leaves the layout";

    const ZafRegionRect bar = splitter->ZafWindowObject::Region();
    splitter->ConvertCoordinates(ZAF_TWIP);
    ZafRegionRect area = splitter->Region();
    EXPECT_EQ(ZAF_TWIP, area.coordinateType);
    area.ConvertCoordinates(ZAF_PIXEL);
    EXPECT_NEAR(10, area.left, 1);
    EXPECT_NEAR(209, area.right, 1);
    ZafRegionRect convertedBar = splitter->ZafWindowObject::Region();
    EXPECT_EQ(ZAF_TWIP, convertedBar.coordinateType);
    convertedBar.ConvertCoordinates(ZAF_PIXEL);
    EXPECT_NEAR(bar.left, convertedBar.left, 1);
}
