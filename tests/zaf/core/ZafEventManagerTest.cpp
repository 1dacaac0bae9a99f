#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafEventRecord.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Takes every queued event and returns their values in order.
std::vector<int> Drain(ZafEventManager &manager)
{
    std::vector<int> values;
    ZafEventRecord event;
    while (manager.Get(event))
        values.push_back(static_cast<int>(event.value));
    return values;
}

ZafEventRecord Numbered(int n)
{
    ZafEventRecord event(ZAF_REDISPLAY_AREA, n);
    event.region = ZafRegionRect(n, n + 1, n + 2, n + 3, ZAF_PIXEL);
    event.position.x = -n;
    return event;
}

} // namespace

// --- The record ----------------------------------------------------------------

TEST(ZafEventRecord, IsSeventyTwoZeroedBytesWithTheScrollStepLast)
{
    EXPECT_EQ(sizeof(ZafEventRecord), 72u);
    ZafEventRecord event(ZAF_SCROLL_VERTICAL, 7);
    EXPECT_EQ(event.osEvent.hwnd, nullptr);
    EXPECT_EQ(event.key.shiftState, 0u);
    EXPECT_EQ(event.region.right, 0);
    // The step word is the coordinate-type word of the region and the last
    // word of the record, where lists read their scroll delta.
    event.scroll = {3, 0, 10, 4, -2};
    EXPECT_EQ(event.region.coordinateType, -2);
    const auto *words = reinterpret_cast<const std::int32_t *>(&event);
    EXPECT_EQ(words[sizeof(ZafEventRecord) / 4 - 1], -2);
}

TEST(ZafEventRecord, CategoryOfKeyAndMouseInput)
{
    EXPECT_EQ(ZafEventRecord(ZAF_KEY_EVENT).GetCategory(), 10);
    EXPECT_EQ(ZafEventRecord(ZAF_MOUSE_EVENT).GetCategory(), 30);
    EXPECT_EQ(ZafEventRecord(ZAF_REDISPLAY).GetCategory(), ZAF_NO_CATEGORY);

    ZafEventRecord message(ZAF_OS_EVENT);
    const struct
    {
        UINT message;
        int category;
    } cases[] = {{WM_KEYDOWN, 10},    {WM_KEYUP, 10},       {WM_CHAR, 10},      {WM_SYSKEYDOWN, 10},
                 {WM_MOUSEMOVE, 30},  {WM_LBUTTONDOWN, 30}, {WM_RBUTTONUP, 30}, {WM_LBUTTONDBLCLK, 30},
                 {WM_MOUSEWHEEL, 30}, {WM_PAINT, 0},        {WM_COMMAND, 0},    {WM_NCMOUSEMOVE, 0},
                 {WM_SETFOCUS, 0}};
    for (const auto &c : cases) {
        message.osEvent.message = c.message;
        EXPECT_EQ(message.GetCategory(), c.category) << std::hex << c.message;
    }
}

// --- The queue ---------------------------------------------------------------------

TEST(ZafEventManager, TailIsFirstInFirstOutAndHeadJumpsTheQueue)
{
    ZafEventManager manager;
    manager.Put(Numbered(1), ZAF_QUEUE_TAIL);
    manager.Put(Numbered(2), ZAF_QUEUE_TAIL);
    manager.Put(Numbered(3));    // at the head
    manager.Put(Numbered(4), 0); // at the head, before 3
    manager.Put(Numbered(5), ZAF_QUEUE_TAIL | 1);
    EXPECT_EQ(manager.QueueCount(), 5);
    EXPECT_EQ(Drain(manager), (std::vector<int>{4, 3, 1, 2, 5}));
    EXPECT_EQ(manager.QueueCount(), 0);
    // Empty: Get answers false and leaves the event as it was.
    ZafEventRecord event(ZAF_HELP, 99);
    EXPECT_FALSE(manager.Get(event));
    EXPECT_EQ(event.type, ZAF_HELP);
    EXPECT_EQ(event.value, 99);
}

TEST(ZafEventManager, GrowingKeepsOrderAndContentAcrossTheWrap)
{
    ZafEventManager manager(4, 64);
    // Move the head into the middle of the ring before it fills.
    for (int i = 0; i < 3; ++i)
        manager.Put(Numbered(100 + i), ZAF_QUEUE_TAIL);
    ZafEventRecord event;
    manager.Get(event);
    manager.Get(event);

    for (int i = 1; i <= 12; ++i)
        ASSERT_TRUE(manager.Put(Numbered(i), ZAF_QUEUE_TAIL)) << i;
    ASSERT_TRUE(manager.Put(Numbered(0))); // head insertion after growth
    EXPECT_EQ(manager.QueueCount(), 14);
    EXPECT_EQ(manager.QueueCapacity(), 16);

    for (int n : {0, 102, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}) {
        ASSERT_TRUE(manager.Get(event));
        EXPECT_EQ(event.value, n);
        EXPECT_EQ(event.type, ZAF_REDISPLAY_AREA);
        EXPECT_EQ(event.region.left, n);
        EXPECT_EQ(event.region.bottom, n + 3);
        EXPECT_EQ(event.position.x, -n);
    }
    EXPECT_FALSE(manager.Get(event));
}

TEST(ZafEventManager, AFullQueueAtItsMaximumRefusesAndCountsTheRefusal)
{
    ZafEventManager manager(2, 5);
    for (int i = 1; i <= 5; ++i)
        ASSERT_TRUE(manager.Put(Numbered(i), ZAF_QUEUE_TAIL)) << i;
    EXPECT_EQ(manager.QueueCapacity(), 5); // 2, 4, then capped at 5
    EXPECT_FALSE(manager.Put(Numbered(6), ZAF_QUEUE_TAIL));
    EXPECT_FALSE(manager.Put(Numbered(7)));
    EXPECT_EQ(manager.RefusedCount(), 2);
    EXPECT_EQ(Drain(manager), (std::vector<int>{1, 2, 3, 4, 5}));
    // Room again once events are taken.
    EXPECT_TRUE(manager.Put(Numbered(8)));
    EXPECT_EQ(Drain(manager), (std::vector<int>{8}));
    // Impossible sizes become a queue of one.
    ZafEventManager tiny(0, -4);
    EXPECT_EQ(tiny.QueueCapacity(), 1);
    EXPECT_EQ(tiny.MaximumQueueSize(), 1);
    EXPECT_TRUE(tiny.Put(Numbered(1)));
    EXPECT_FALSE(tiny.Put(Numbered(2)));
}

namespace {

// A source of Windows messages standing in for the windowing layer's.
class MessageSource : public ZafEventManager
{
public:
    int asked = 0;
    unsigned lastFlags = 0;

protected:
    bool GetOSEvent(ZafEventRecord &event, unsigned flags) override
    {
        ++asked;
        lastFlags = flags;
        event = ZafEventRecord(ZAF_OS_EVENT, 77);
        return true;
    }
};

} // namespace

TEST(ZafEventManager, AsksForWindowsMessagesOnlyWhenTheQueueIsEmpty)
{
    MessageSource manager;
    manager.Put(Numbered(1), ZAF_QUEUE_TAIL);
    ZafEventRecord event;
    ASSERT_TRUE(manager.Get(event, 4));
    EXPECT_EQ(event.value, 1);
    EXPECT_EQ(manager.asked, 0);
    ASSERT_TRUE(manager.Get(event, 4));
    EXPECT_EQ(event.type, ZAF_OS_EVENT);
    EXPECT_EQ(manager.asked, 1);
    EXPECT_EQ(manager.lastFlags, 4u);
}
