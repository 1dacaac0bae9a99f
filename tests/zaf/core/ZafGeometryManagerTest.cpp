// The geometry manager lays a window's objects out by their attachments and
// dimension constraints when the window is laid out again.
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafDisplay.h"
#include "zaf/core/ZafGeometryManager.h"
#include "zaf/core/ZafWindow.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

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
    ZafGeometryManager *manager;
};

ZafRegionRect Pixels(const ZafWindowObject *object)
{
    return object->RegionToWindow(object->Region());
}

BOOL CALLBACK CountWindow(HWND window, LPARAM counter)
{
    char name[16] = "";
    GetClassNameA(window, name, sizeof(name));
    if (lstrcmpiA(name, "IME") != 0)
        ++*reinterpret_cast<int *>(counter);
    return TRUE;
}

int ThreadWindowCount()
{
    int count = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

} // namespace

TEST(ZafGeometryManager, IsAWindowlessSupportObjectWithItsNumberID)
{
    ZafGeometryManager manager;
    EXPECT_EQ(ZAF_NUMID_GEOMETRY, manager.NumberID());
    EXPECT_TRUE(manager.SetSupportObject(false));
    EXPECT_TRUE(manager.SupportObject());
    EXPECT_FALSE(manager.SetOwnWindow(true));
    Host host;
    EXPECT_EQ(host.manager, host.FindSupportObject(ZAF_NUMID_GEOMETRY));
    EXPECT_EQ(nullptr, host.FirstChild());
}

TEST(ZafGeometryManager, StretchedAttachmentsFollowTheClientArea)
{
    Host host;
    auto *box = new Box(1, 5, 5, 20, 20);
    host.AddObject(box);
    host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_LEFT, 10, ZAF_PIXEL, nullptr, false, true));
    host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_RIGHT, 10, ZAF_PIXEL, nullptr, false, true));
    host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_BOTTOM, 4, ZAF_PIXEL, nullptr, false, true));
    host.Layout();
    const ZafRegionRect area = host.manager->ClientArea();
    EXPECT_EQ(300, area.Width());
    EXPECT_EQ(10, Pixels(box).left);
    EXPECT_EQ(area.right - 10, Pixels(box).right);
    EXPECT_EQ(5, Pixels(box).top);
    EXPECT_EQ(area.bottom - 4, Pixels(box).bottom);

    // The window grows: the next layout follows it.
    host.SetRegion(0, 0, 399, 249, ZAF_PIXEL);
    host.Layout();
    EXPECT_EQ(399 - 10, Pixels(box).right);
    EXPECT_EQ(249 - 4, Pixels(box).bottom);
}

TEST(ZafGeometryManager, MovingAttachmentsKeepTheSizeAndPlaceBesideASibling)
{
    Host host;
    auto *first = new Box(1, 0, 0, 50, 30);
    auto *second = new Box(2, 0, 0, 40, 20);
    auto *third = new Box(3, 0, 0, 40, 20);
    host.AddObject(first);
    host.AddObject(second);
    host.AddObject(third);
    // First at the bottom right corner, 8 pixels in.
    host.manager->AddConstraint(new ZafAttachment(first, ZAF_ATTACH_RIGHT, 8));
    host.manager->AddConstraint(new ZafAttachment(first, ZAF_ATTACH_BOTTOM, 8));
    // Second left of first with a gap of 3, top lined up with first's top.
    host.manager->AddConstraint(new ZafAttachment(second, ZAF_ATTACH_RIGHT, 3, ZAF_PIXEL, first, true));
    host.manager->AddConstraint(new ZafAttachment(second, ZAF_ATTACH_TOP, 0, ZAF_PIXEL, first));
    // Third above first, 2 pixels clear of its top.
    host.manager->AddConstraint(new ZafAttachment(third, ZAF_ATTACH_BOTTOM, 2, ZAF_PIXEL, first, true));
    host.Layout();

    const ZafRegionRect f = Pixels(first), s = Pixels(second), t = Pixels(third);
    EXPECT_EQ(299 - 8, f.right);
    EXPECT_EQ(199 - 8, f.bottom);
    EXPECT_EQ(50, f.Width());
    EXPECT_EQ(30, f.Height());
    EXPECT_EQ(f.left - 1 - 3, s.right);
    EXPECT_EQ(f.top, s.top);
    EXPECT_EQ(40, s.Width());
    EXPECT_EQ(20, s.Height());
    EXPECT_EQ(f.top - 1 - 2, t.bottom);
    EXPECT_EQ(0, t.left);
}

TEST(ZafGeometryManager, DimensionConstraintsBoundTheSizeAfterTheAttachments)
{
    Host host;
    auto *wide = new Box(1, 0, 0, 10, 10);
    auto *narrow = new Box(2, 0, 0, 10, 10);
    host.AddObject(wide);
    host.AddObject(narrow);
    // Added before the attachment: it still applies after it.
    host.manager->AddConstraint(new ZafDimensionConstraint(wide, ZAF_DIMENSION_WIDTH, 0, 120));
    host.manager->AddConstraint(new ZafAttachment(wide, ZAF_ATTACH_RIGHT, 0, ZAF_PIXEL, nullptr, false, true));
    host.manager->AddConstraint(new ZafDimensionConstraint(narrow, ZAF_DIMENSION_HEIGHT, 2, 0, ZAF_CELL));
    host.Layout();
    EXPECT_EQ(120, Pixels(wide).Width());
    const ZafDisplay &display = ZafDisplay::ForConversion();
    EXPECT_EQ(display.ConvertYValue(2, ZAF_CELL, ZAF_PIXEL), Pixels(narrow).Height());
    EXPECT_EQ(10, Pixels(narrow).Width());
}

TEST(ZafGeometryManager, OffsetsInOtherUnitsAndObjectsInCellsConvertThroughTheDisplay)
{
    Host host;
    auto *box = new ZafWindowObject(1, 1, 5, 1);
    box->SetNumberID(4);
    box->SetOwnWindow(false);
    host.AddObject(box);
    host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_LEFT, 1440, ZAF_TWIP));
    host.Layout();
    const ZafDisplay &display = ZafDisplay::ForConversion();
    // One inch from the left, in the object's own cells.
    EXPECT_EQ(ZAF_CELL, box->Region().coordinateType);
    EXPECT_EQ(display.ConvertXValue(display.CellMetrics().pixelsPerInchX, ZAF_PIXEL, ZAF_CELL), box->Region().left);
    EXPECT_EQ(5, box->Region().Width());
}

TEST(ZafGeometryManager, ConstraintsFollowTheirObjectsByNumberIDAndNeverTouchOnesThatLeft)
{
    Host host;
    auto *box = new Box(7, 0, 0, 10, 10);
    host.AddObject(box);
    auto *attachment = host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_LEFT, 30));
    EXPECT_STREQ("constraint1", attachment->StringID());
    EXPECT_STREQ("constraint2", host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_TOP, 1))->StringID());

    // The object leaves and is deleted: the constraint keeps only its id.
    delete host.SubtractObject(box);
    host.Layout();
    EXPECT_EQ(nullptr, attachment->Object());
    EXPECT_EQ(7, attachment->ObjectID());

    // Another object with that id takes its place.
    auto *replacement = new Box(7, 0, 0, 10, 10);
    host.AddObject(replacement);
    host.Layout();
    EXPECT_EQ(replacement, attachment->Object());
    EXPECT_EQ(30, Pixels(replacement).left);

    // A sibling reference that is missing places nothing.
    auto *lonely = new Box(8, 4, 4, 10, 10);
    host.AddObject(lonely);
    auto *missing = new Box(9, 100, 100, 10, 10);
    host.manager->AddConstraint(new ZafAttachment(lonely, ZAF_ATTACH_LEFT, 0, ZAF_PIXEL, missing, true));
    delete missing;
    host.Layout();
    EXPECT_EQ(4, Pixels(lonely).left);
}

TEST(ZafGeometryManager, ACopyBindsItsConstraintsToTheCopiedObjects)
{
    Host host;
    auto *box = new Box(3, 0, 0, 10, 10);
    host.AddObject(box);
    host.manager->AddConstraint(new ZafAttachment(box, ZAF_ATTACH_LEFT, 25));
    ZafWindow *copy = static_cast<ZafWindow *>(host.Duplicate());
    copy->Event(ZafEventRecord(ZAF_REGION_CHANGED));
    ZafWindowObject *copied = copy->FirstChild();
    ASSERT_NE(nullptr, copied);
    EXPECT_EQ(25, Pixels(copied).left);
    EXPECT_EQ(0, Pixels(box).left);
    auto *copiedManager = dynamic_cast<ZafGeometryManager *>(copy->FindSupportObject(ZAF_NUMID_GEOMETRY));
    ASSERT_NE(nullptr, copiedManager);
    EXPECT_EQ(copied, static_cast<ZafConstraint *>(copiedManager->Constraints().First())->Object());
    delete copy;
}

TEST(ZafGeometryManager, OnScreenTheWindowsClientAreaAndWindowsPlaceFollow)
{
    ZafApplication application(GetModuleHandleA(nullptr), {"test.exe"});
    const int before = ThreadWindowCount();
    auto *frame = new Host;
    frame->SetVisible(false);
    auto *child = new ZafWindowObject(0, 0, 1, 1);
    child->SetCoordinateType(ZAF_PIXEL);
    child->SetRegion(0, 0, 39, 19, ZAF_PIXEL);
    child->SetNumberID(5);
    frame->AddObject(child);
    frame->manager->AddConstraint(new ZafAttachment(child, ZAF_ATTACH_RIGHT, 6));
    frame->manager->AddConstraint(new ZafAttachment(child, ZAF_ATTACH_BOTTOM, 6));
    zafWindowManager->AddObject(frame);
    ASSERT_NE(nullptr, child->OSHandle());
    frame->Layout();

    RECT client, placed;
    GetClientRect(frame->OSHandle(), &client);
    GetWindowRect(child->OSHandle(), &placed);
    MapWindowPoints(nullptr, frame->OSHandle(), reinterpret_cast<POINT *>(&placed), 2);
    EXPECT_EQ(client.right - 6, placed.right);
    EXPECT_EQ(client.bottom - 6, placed.bottom);
    EXPECT_EQ(40, placed.right - placed.left);

    delete zafWindowManager->SubtractObject(frame);
    EXPECT_EQ(before, ThreadWindowCount());
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
