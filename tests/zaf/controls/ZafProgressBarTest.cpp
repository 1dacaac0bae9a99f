// Progress bars: the percentage and its text over a table of ranges, the
// fill as Windows paints it, redrawing on a change of the data, and the
// round trip through a UI data file.
#include "BarTestSupport.h"
#include "ControlTestHarness.h"
#include "FieldTestSupport.h"

#include "zaf/controls/ZafProgressBar.h"
#include "zaf/data/ZafScrollData.h"

#include <climits>
#include <string>

using controltest::ControlTest;

namespace {

struct Range
{
    std::int32_t minimum, maximum, current;
    int percent;
};

class ProgressPercent : public testing::TestWithParam<Range>
{};

TEST_P(ProgressPercent, StaysInsideTheBarAndWithin32Bits)
{
    const Range r = GetParam();
    auto *data = new ZafScrollData(r.minimum, r.maximum, r.current, 1, 1);
    // A value read from a file stands as stored, outside the range too.
    data->current = r.current;
    ZafProgressBar bar(0, 0, 10, 1, data);
    EXPECT_EQ(r.percent, bar.Percent());
    bar.SetTextMode(ZafProgressBar::textPercent);
    char text[16];
    bar.FormatText(text, sizeof text);
    EXPECT_EQ(std::to_string(r.percent) + "%", text);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ProgressPercent,
                         testing::Values(Range{0, 200, 50, 25}, Range{5, 5, 5, 100}, Range{10, 3, 3, 100},
                                         Range{0, 100, 7, 7}, Range{0, 100, 150, 100}, Range{0, 100, -20, 0},
                                         Range{0, 2000000000, 1000000000, 50}, Range{INT_MIN, INT_MAX, 0, 50},
                                         Range{INT_MIN, INT_MAX, INT_MAX, 100}));

class ProgressBarTest : public ControlTest
{
protected:
    // A bar of known pixels without edges, so the fill starts at 0.
    ZafProgressBar *AddBar(int width, int height, std::int32_t maximum, std::int32_t current, int orientation = 0)
    {
        auto *bar = Add(new ZafProgressBar(10, 10, width, height, new ZafScrollData(0, maximum, current, 1, 1)));
        bar->SetRegion(ZafRegionRect(10, 10, 10 + width - 1, 10 + height - 1, ZAF_PIXEL));
        bar->SetEdgeStyle(ZafProgressBar::edgeNone);
        bar->SetTextMode(ZafProgressBar::textNone);
        bar->SetOrientation(orientation);
        return bar;
    }
    static COLORREF Done() { return bartest::TableColor(1); }
    static COLORREF Rest() { return bartest::TableColor(15); }
};

TEST_F(ProgressBarTest, FillsTheDonePartFromTheLeft)
{
    ZafProgressBar *bar = AddBar(101, 20, 200, 50);
    Show();
    bartest::Painted painted(bar->OSHandle());
    ASSERT_EQ(101, painted.Width());
    EXPECT_EQ(25, painted.CountInRow(10, Done()));
    EXPECT_EQ(Done(), painted.At(24, 10));
    EXPECT_EQ(Rest(), painted.At(25, 10));
}

TEST_F(ProgressBarTest, AValueBeyondTheMaximumFillsNoMoreThanTheBar)
{
    ZafProgressBar *bar = AddBar(50, 20, 100, 100);
    bar->ScrollData()->current = 400; // as a file may hold it
    Show();
    bartest::Painted painted(bar->OSHandle());
    EXPECT_EQ(50, painted.CountInRow(10, Done()));
}

TEST_F(ProgressBarTest, AVerticalBarFillsFromTheBottom)
{
    ZafProgressBar *bar = AddBar(20, 40, 100, 0, ZafProgressBar::vertical);
    Show();
    {
        bartest::Painted empty(bar->OSHandle());
        EXPECT_EQ(0, empty.CountInColumn(10, Done()));
    }
    bar->ScrollData()->SetCurrent(25);
    bartest::Painted quarter(bar->OSHandle());
    EXPECT_EQ(10, quarter.CountInColumn(10, Done()));
    EXPECT_EQ(Done(), quarter.At(10, 39));
    EXPECT_EQ(Rest(), quarter.At(10, 29));
    bar->ScrollData()->SetCurrent(100);
    bartest::Painted full(bar->OSHandle());
    EXPECT_EQ(40, full.CountInColumn(10, Done()));
}

TEST_F(ProgressBarTest, AChangeOfTheDataAsksWindowsToRepaintTheBar)
{
    Window(true); // Windows keeps no update region for hidden windows
    ZafProgressBar *bar = AddBar(100, 20, 100, 10);
    Show();
    RECT dirty;
    ASSERT_FALSE(GetUpdateRect(bar->OSHandle(), &dirty, FALSE));
    bar->ScrollData()->SetCurrent(60);
    EXPECT_TRUE(GetUpdateRect(bar->OSHandle(), &dirty, FALSE));
    Pump();
    EXPECT_FALSE(GetUpdateRect(bar->OSHandle(), &dirty, FALSE));
}

TEST_F(ProgressBarTest, WritesTheValueInInverseColoursAcrossTheBoundary)
{
    ZafProgressBar *bar = AddBar(120, 30, 100, 50);
    bar->SetTextMode(ZafProgressBar::textPercent);
    Show();
    bartest::Painted painted(bar->OSHandle());
    // The text stands in the middle: rest-coloured pixels inside the done
    // half, done-coloured ones inside the remaining half.
    int restInDone = 0, doneInRest = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            restInDone += x < 60 && painted.At(x, y) == Rest();
            doneInRest += x >= 60 && painted.At(x, y) == Done();
        }
    EXPECT_GT(restInDone, 0);
    EXPECT_GT(doneInRest, 0);
}

TEST_F(ProgressBarTest, RoundTripKeepsTheModesAndTheData)
{
    ZafPersistenceRegistry::RegisterNew(ZafProgressBar::className, ZafObjectNew<ZafProgressBar::New>);
    ZafProgressBar stored(1, 1, 20, 1, new ZafScrollData(-5, 300, 42, 1, 1));
    stored.SetTextMode(ZafProgressBar::textPercent);
    stored.SetOrientation(ZafProgressBar::vertical);
    stored.SetEdgeStyle(ZafProgressBar::edgeRaised);
    auto read = fieldtest::RoundTrip(stored, "PROGRESS");
    EXPECT_EQ(ZafProgressBar::textPercent, read->GetTextMode());
    EXPECT_EQ(ZafProgressBar::vertical, read->GetOrientation());
    EXPECT_EQ(ZafProgressBar::edgeRaised, read->GetEdgeStyle());
    ASSERT_NE(nullptr, read->ScrollData());
    EXPECT_EQ(-5, read->ScrollData()->minimum);
    EXPECT_EQ(300, read->ScrollData()->maximum);
    EXPECT_EQ(42, read->ScrollData()->current);
    char text[16];
    read->SetTextMode(ZafProgressBar::textValue);
    read->FormatText(text, sizeof text);
    EXPECT_STREQ("42", text);
}

ZafEventType SomeFunction(ZafWindowObject *, ZafEventRecord &, ZafEventType code)
{
    return code;
}

// A progress bar only shows: no user function, help, focus, selection,
// drag, or border left to a parent (inside a status bar too), also when
// the file or a copy brings them along.
TEST_F(ProgressBarTest, RefusesUserFunctionHelpFocusAndParentDrawnBorder)
{
    ZafProgressBar bar(0, 0, 10, 1);
    ZafWindowObject &object = bar;
    EXPECT_EQ(nullptr, object.SetUserFunction(SomeFunction));
    EXPECT_EQ(nullptr, bar.UserFunction());
    EXPECT_EQ(nullptr, object.SetHelpContext("HELP_PROGRESS"));
    EXPECT_EQ(nullptr, bar.HelpContext());
    EXPECT_FALSE(object.SetParentDrawsBorder(true));
    EXPECT_FALSE(object.SetSelected(true));
    EXPECT_TRUE(object.SetNoFocus(false));
    ZafProgressBar copy(bar);
    EXPECT_EQ(nullptr, copy.UserFunction());
    EXPECT_FALSE(copy.ParentDrawsBorder());
}

TEST_F(ProgressBarTest, ASharedDataOutlivesItsBars)
{
    ZafScrollData shared(0, 10, 5, 1, 1);
    shared.SetDestroyable(false);
    {
        ZafProgressBar first(0, 0, 10, 1, &shared);
        ZafProgressBar copy(first);
        EXPECT_EQ(&shared, copy.ScrollData());
        EXPECT_EQ(2, shared.NotificationCount());
    }
    EXPECT_EQ(0, shared.NotificationCount());
}

} // namespace
