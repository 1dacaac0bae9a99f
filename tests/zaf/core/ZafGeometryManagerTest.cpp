// The geometry manager lays a window's objects out by their attachments and
// dimension constraints when the window is laid out again.
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include "tests/zaf/ZafTestSupport.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

using Sides = std::vector<int>;

namespace {

// A windowless object placed in pixels.
struct Box : ZafWindowObject
{
    Box(ZafNumberID id, int left, int top, int width, int height) : ZafWindowObject(0, 0, 1, 1)
    {
        SetNumberID(id);
        SetOwnWindow(false);
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(left, top, left + width - 1, top + height - 1, ZAF_PIXEL);
    }
};

// A 300 x 200 pixel window that is never put on screen.
struct Host : ZafWindow
{
    Host() : ZafWindow(0, 0, 1, 1)
    {
        SetCoordinateType(ZAF_PIXEL);
        SetRegion(0, 0, 299, 199, ZAF_PIXEL);
        manager = new ZafGeometryManager;
        AddObject(manager);
    }
    void Layout() { Event(ZafEventRecord(ZAF_REGION_CHANGED)); }
    Box *Add(Box *box) { return static_cast<Box *>(AddObject(box)); }
    void Attach(ZafWindowObject *object, int side, int offset, ZafWindowObject *sibling = nullptr,
                bool opposite = false, bool stretch = false)
    {
        manager->AddConstraint(new ZafAttachment(object, side, offset, ZAF_PIXEL, sibling, opposite, stretch));
    }
    ZafGeometryManager *manager;
};

// Left, top, right and bottom in the window's pixels.
Sides Pixels(const ZafWindowObject *object)
{
    ZafRegionRect r = object->RegionToWindow(object->Region());
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

TEST(ZafGeometryManager, StretchedAttachmentsFollowTheClientArea)
{
    Host host;
    Box *box = host.Add(new Box(1, 5, 5, 20, 20));
    host.Attach(box, ZAF_ATTACH_LEFT, 10, nullptr, false, true);
    host.Attach(box, ZAF_ATTACH_RIGHT, 10, nullptr, false, true);
    host.Attach(box, ZAF_ATTACH_BOTTOM, 4, nullptr, false, true);
    host.Layout();
    const ZafRegionRect area = host.manager->ClientArea();
    EXPECT_EQ(300, area.Width());
    EXPECT_EQ(Pixels(box), (Sides{10, 5, area.right - 10, area.bottom - 4}));
    // The window grows: the next layout follows it.
    host.SetRegion(0, 0, 399, 249, ZAF_PIXEL);
    host.Layout();
    EXPECT_EQ(Pixels(box), (Sides{10, 5, 399 - 10, 249 - 4}));
}

TEST(ZafGeometryManager, MovingAttachmentsKeepTheSizeAndPlaceBesideASibling)
{
    Host host;
    Box *first = host.Add(new Box(1, 0, 0, 50, 30));
    Box *second = host.Add(new Box(2, 0, 0, 40, 20));
    Box *third = host.Add(new Box(3, 0, 0, 40, 20));
    // First at the bottom right corner, 8 pixels in.
    host.Attach(first, ZAF_ATTACH_RIGHT, 8);
    host.Attach(first, ZAF_ATTACH_BOTTOM, 8);
    // Second left of first with a gap of 3, top lined up with first's top.
    host.Attach(second, ZAF_ATTACH_RIGHT, 3, first, true);
    host.Attach(second, ZAF_ATTACH_TOP, 0, first);
    // Third above first, 2 pixels clear of its top.
    host.Attach(third, ZAF_ATTACH_BOTTOM, 2, first, true);
    host.Layout();
    const int left = 299 - 8 - 49, top = 199 - 8 - 29;
    EXPECT_EQ(Pixels(first), (Sides{left, top, 299 - 8, 199 - 8}));
    EXPECT_EQ(Pixels(second), (Sides{left - 4 - 39, top, left - 4, top + 19}));
    EXPECT_EQ(Pixels(third), (Sides{0, top - 3 - 19, 39, top - 3}));
}

TEST(ZafGeometryManager, DimensionConstraintsBoundTheSizeAfterTheAttachmentsInAnyUnit)
{
    Host host;
    Box *wide = host.Add(new Box(1, 0, 0, 10, 10));
    Box *narrow = host.Add(new Box(2, 0, 0, 10, 10));
    // Added before the attachment: it still applies after it.
    host.manager->AddConstraint(new ZafDimensionConstraint(wide, ZAF_DIMENSION_WIDTH, 0, 120));
    host.Attach(wide, ZAF_ATTACH_RIGHT, 0, nullptr, false, true);
    host.manager->AddConstraint(new ZafDimensionConstraint(narrow, ZAF_DIMENSION_HEIGHT, 2, 0, ZAF_CELL));
    // An offset in twips for an object in cells.
    auto *cells = new ZafWindowObject(1, 1, 5, 1);
    cells->SetNumberID(4);
    cells->SetOwnWindow(false);
    host.AddObject(cells);
    host.manager->AddConstraint(new ZafAttachment(cells, ZAF_ATTACH_LEFT, 1440, ZAF_TWIP));
    host.Layout();

    const ZafDisplay &display = ZafDisplay::ForConversion();
    EXPECT_EQ(120, Pixels(wide)[2] - Pixels(wide)[0] + 1);
    EXPECT_EQ(display.ConvertYValue(2, ZAF_CELL, ZAF_PIXEL), Pixels(narrow)[3] - Pixels(narrow)[1] + 1);
    EXPECT_EQ(10, Pixels(narrow)[2] - Pixels(narrow)[0] + 1);
    // One inch from the left, in the object's own cells.
    EXPECT_EQ(ZAF_CELL, cells->Region().coordinateType);
    EXPECT_EQ(display.ConvertXValue(display.CellMetrics().pixelsPerInchX, ZAF_PIXEL, ZAF_CELL), cells->Region().left);
    EXPECT_EQ(5, cells->Region().Width());
}

TEST(ZafGeometryManager, ConstraintsFollowTheirObjectsByNumberIDAndNeverTouchOnesThatLeft)
{
    Host host;
    Box *box = host.Add(new Box(7, 0, 0, 10, 10));
    auto *attachment = host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_LEFT, 30));
    EXPECT_STREQ("constraint1", attachment->StringID());
    EXPECT_STREQ("constraint2", host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_TOP, 1))->StringID());
    // The object leaves and is deleted: the constraint keeps only its id.
    delete host.SubtractObject(box);
    host.Layout();
    EXPECT_EQ(nullptr, attachment->Object());
    EXPECT_EQ(7, attachment->ObjectID());
    // Another object with that id takes its place.
    Box *replacement = host.Add(new Box(7, 0, 0, 10, 10));
    host.Layout();
    EXPECT_EQ(replacement, attachment->Object());
    EXPECT_EQ(30, Pixels(replacement)[0]);
    // A sibling reference that is missing places nothing.
    Box *lonely = host.Add(new Box(8, 4, 4, 10, 10));
    auto *missing = new Box(9, 100, 100, 10, 10);
    host.Attach(lonely, ZAF_ATTACH_LEFT, 0, missing, true);
    delete missing;
    host.Layout();
    EXPECT_EQ(4, Pixels(lonely)[0]);
}

TEST(ZafGeometryManager, ACopyBindsItsConstraintsToTheCopiedObjects)
{
    Host host;
    Box *box = host.Add(new Box(3, 0, 0, 10, 10));
    host.Attach(box, ZAF_ATTACH_LEFT, 25);
    ZafWindow *copy = static_cast<ZafWindow *>(host.Duplicate());
    copy->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    ZafWindowObject *copied = copy->FirstChild();
    ASSERT_NE(nullptr, copied);
    EXPECT_EQ(25, Pixels(copied)[0]);
    EXPECT_EQ(0, Pixels(box)[0]);
    auto *copiedManager = dynamic_cast<ZafGeometryManager *>(copy->FindSupportObject(ZAF_NUMID_GEOMETRY));
    ASSERT_NE(nullptr, copiedManager);
    EXPECT_EQ(copied, static_cast<ZafConstraint *>(copiedManager->Constraints().First())->Object());
    delete copy;
}

using ZafGeometryOnScreen = zaftest::OnScreen;

TEST_F(ZafGeometryOnScreen, TheWindowsClientAreaAndWindowsPlaceFollow)
{
    auto *frame = new Host;
    frame->SetVisible(false);
    auto *child = new ZafWindowObject(0, 0, 1, 1);
    child->SetCoordinateType(ZAF_PIXEL);
    child->SetRegion(0, 0, 39, 19, ZAF_PIXEL);
    frame->AddObject(child);
    frame->Attach(child, ZAF_ATTACH_RIGHT, 6);
    frame->Attach(child, ZAF_ATTACH_BOTTOM, 6);
    zafWindowManager->AddObject(frame);
    ASSERT_NE(nullptr, child->OSHandle());
    frame->Layout();

    RECT client, placed;
    GetClientRect(frame->OSHandle(), &client);
    GetWindowRect(child->OSHandle(), &placed);
    MapWindowPoints(nullptr, frame->OSHandle(), reinterpret_cast<POINT *>(&placed), 2);
    EXPECT_EQ((Sides{client.right - 6 - 40, client.bottom - 6 - 20, client.right - 6, client.bottom - 6}),
              (Sides{placed.left, placed.top, placed.right, placed.bottom}));
    delete zafWindowManager->SubtractObject(frame);
    EXPECT_EQ(before, zaftest::ThreadWindowCount());
}

// Offsets and sizes come from the UI data file as any 32-bit value: a
// huge one pushes the object to the end of the range, never round it.
TEST(ZafGeometryConstraints, HugeValuesStopAtTheEndOfTheRange)
{
    const ZafRegionRect area(0, 0, 99, 99, ZAF_PIXEL);
    ZafRegionRect rect(10, 0, 50, 5, ZAF_PIXEL);
    ZafDimensionConstraint(nullptr, ZAF_DIMENSION_WIDTH, INT32_MAX, 0, ZAF_PIXEL).Apply(rect, area);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.right, INT32_MAX);

    rect = ZafRegionRect(10, 0, 50, 5, ZAF_PIXEL);
    ZafAttachment(nullptr, ZAF_ATTACH_RIGHT, INT32_MAX, ZAF_PIXEL).Apply(rect, area);
    EXPECT_EQ(rect.right, 99 - INT32_MAX);
    EXPECT_EQ(rect.left, 99 - INT32_MAX - 40);

    rect = ZafRegionRect(10, 0, 50, 5, ZAF_PIXEL);
    ZafAttachment(nullptr, ZAF_ATTACH_LEFT, INT32_MAX, ZAF_PIXEL).Apply(rect, area);
    EXPECT_EQ(rect.left, INT32_MAX);
    EXPECT_EQ(rect.right, INT32_MAX);
}
