// Status bars: windowless children painted by the bar below its lines, a
// progress bar inside one, the face colour, and the round trip.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"

#include "zaf/controls/ZafProgressBar.h"
#include "zaf/controls/ZafPrompt.h"
#include "zaf/controls/ZafStatusBar.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/data/ZafBitmapData.h"
#include "zaf/data/ZafScrollData.h"

using controltest::ControlTest;

namespace {

class StatusBarTest : public ControlTest
{
protected:
    ZafStatusBar *AddBar(bool bordered)
    {
        auto *bar = new ZafStatusBar(0, 0, 1, 1);
        bar->SetCoordinateType(ZAF_PIXEL);
        // Inside the client area of the window, whose frame takes its part
        // of the window's 300 pixels.
        bar->SetRegion(ZafRegionRect(0, 200, 399, 229, ZAF_PIXEL));
        bar->SetBordered(bordered);
        Window()->AddObject(bar);
        return bar;
    }
    template <class T> static T *Pixels(T *object, int left, int top, int right, int bottom)
    {
        object->SetCoordinateType(ZAF_PIXEL);
        object->SetRegion(ZafRegionRect(left, top, right, bottom, ZAF_PIXEL));
        return object;
    }
};

TEST_F(StatusBarTest, PaintsAWindowlessPromptBelowItsLines)
{
    ZafStatusBar *bar = AddBar(true);
    auto *prompt = Pixels(new ZafPrompt(0, 0, 10, "Ready"), 4, 2, 103, 17);
    prompt->SetAutoSize(false);
    bar->AddObject(prompt);
    Show();
    EXPECT_FALSE(prompt->IsCreated());
    EXPECT_TRUE(prompt->ParentDrawsBorder());
    EXPECT_TRUE(prompt->NoClassPalette());
    const ZafRegionRect placed = prompt->GetWindowRegion();
    EXPECT_EQ(4, placed.top);
    bartest::Painted painted(bar->OSHandle());
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(GetSysColor(COLOR_BTNSHADOW), painted.At(200, 0));
    EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), painted.At(200, 1));
    // The prompt inside its region, nothing of it beyond its right edge.
    EXPECT_GT(painted.CountOther(6, 6, 100, 18, face), 0);
    EXPECT_EQ(0, painted.CountOther(110, 4, 390, 28, face));
}

TEST_F(StatusBarTest, HoldsAProgressBarThatFollowsItsData)
{
    Window(true); // Windows keeps no update region for hidden windows
    ZafStatusBar *bar = AddBar(false);
    auto *data = new ZafScrollData(0, 100, 0, 1, 1);
    auto *progress = Pixels(new ZafProgressBar(0, 0, 1, 1, data), 200, 5, 299, 24);
    progress->SetEdgeStyle(ZafProgressBar::edgeNone);
    progress->SetTextMode(ZafProgressBar::textNone);
    progress->SetBordered(false);
    bar->AddObject(progress);
    Show();
    EXPECT_FALSE(progress->IsCreated());
    data->SetCurrent(40);
    RECT dirty;
    ASSERT_TRUE(GetUpdateRect(bar->OSHandle(), &dirty, FALSE));
    EXPECT_GE(dirty.left, 199);
    EXPECT_LE(dirty.right, 301);
    Pump();
    bartest::Painted painted(bar->OSHandle());
    EXPECT_EQ(40, painted.CountInRow(15, bartest::TableColor(1)));
    EXPECT_EQ(bartest::TableColor(1), painted.At(200, 15));
    EXPECT_EQ(bartest::TableColor(15), painted.At(240, 15));
}

TEST_F(StatusBarTest, ItsFaceIsTheButtonFaceWhateverThePaletteSays)
{
    ZafStatusBar *bar = AddBar(false);
    ZafPaletteStruct entry;
    entry.colorForeground = 4;
    entry.colorBackground = 4;
    bar->ResolveSystemColors(entry, ZAF_PM_BACKGROUND, ZAF_PM_ENABLED);
    EXPECT_EQ(static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE)), entry.osColorBackground);
    EXPECT_EQ(static_cast<std::int32_t>(GetSysColor(COLOR_BTNFACE)), entry.osColorForeground);
    EXPECT_TRUE(bar->SetSupportObject(false));
    EXPECT_FALSE(bar->SetFocus(true));
    EXPECT_EQ(ZAF_DOCK_BOTTOM, bar->DockEdge());
}

ZafEventType SomeFunction(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    return code;
}

TEST_F(StatusBarTest, HasNoUserFunction)
{
    ZafStatusBar bar(0, 0, 10, 1);
    ZafWindowObject &object = bar;
    EXPECT_EQ(nullptr, object.SetUserFunction(SomeFunction));
    EXPECT_EQ(nullptr, bar.UserFunction());
}

// The shared size grip: 14 x 14, made once, never deleted by a bar.
TEST_F(StatusBarTest, SharesOneSizeGripImage)
{
    ZafBitmapData *grip = nullptr;
    {
        ZafStatusBar bar(0, 0, 10, 1);
        grip = ZafStatusBar::LoadSizeGripImage();
    }
    ASSERT_NE(nullptr, grip);
    EXPECT_EQ(grip, ZafStatusBar::LoadSizeGripImage());
    EXPECT_FALSE(grip->Destroyable());
    EXPECT_EQ(14, grip->width);
    EXPECT_EQ(14, grip->height);
    const std::uint8_t *pixels = grip->array;
    ASSERT_NE(nullptr, pixels);
    EXPECT_EQ(255, pixels[0]);        // background, top left
    EXPECT_EQ(16, pixels[13]);        // the highlight at the top right
    EXPECT_EQ(8, pixels[2 * 14 + 12]); // dark grey of the first ridge
    EXPECT_EQ(7, pixels[13 * 14 + 5]); // the light bottom row
}

TEST_F(StatusBarTest, RoundTripKeepsItsChildrenWindowless)
{
    ZafStatusBar::RegisterPersistence();
    ZafPrompt::RegisterPersistence();
    ZafStatusBar stored(0, 0, 40, 1);
    auto *prompt = new ZafPrompt(1, 0, 20, "Ready");
    prompt->SetStringID("MESSAGE");
    stored.AddObject(prompt);
    auto read = fieldtest::RoundTrip(stored, "STATUS");
    ZafWindowObject *readPrompt = read->FindObjectByStringID("MESSAGE");
    ASSERT_NE(nullptr, readPrompt);
    EXPECT_FALSE(readPrompt->OwnWindow());
    EXPECT_TRUE(readPrompt->ParentDrawsBorder());
    EXPECT_TRUE(read->SupportObject());
    EXPECT_STREQ("Ready", readPrompt->Text());
}

} // namespace

// Its client area lies below the border; a bar sized in cells keeps its
// cells through a conversion to pixels and back, bordered or not.
TEST_F(StatusBarTest, ItsClientAreaAndCellHeightLeaveOutTheBorder)
{
    const ZafDisplay &display = ZafDisplay::ForConversion();
    for (bool bordered : {true, false}) {
        ZafStatusBar *bar = AddBar(bordered);
        const ZafRegionRect client = bar->ClientRegion();
        EXPECT_EQ(ZAF_PIXEL, client.coordinateType);
        EXPECT_EQ(display.PreSpace() + (bordered ? 2 : 0), client.top);
        EXPECT_EQ(0, client.left);
        EXPECT_EQ(399, client.right);
        EXPECT_EQ(29, client.bottom);

        ZafStatusBar cells(0, 20, 40, 2);
        cells.SetBordered(bordered);
        ZafRegionRect r = cells.Region();
        ASSERT_EQ(ZAF_CELL, r.coordinateType);
        cells.ConvertRegion(r, ZAF_PIXEL);
        EXPECT_GT(r.Height(), display.CellHeight());
        cells.ConvertRegion(r, ZAF_CELL);
        EXPECT_EQ(20, r.top);
        EXPECT_EQ(21, r.bottom) << (bordered ? "bordered" : "without border");
    }
}
