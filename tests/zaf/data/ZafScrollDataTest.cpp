// Scroll data: the current position kept inside the range by every setter,
// notifications, and the stored values read without clamping.
#include "zaf/data/ZafScrollData.h"

#include <gtest/gtest.h>

#include <vector>

#include "DataTestSupport.h"

namespace {

TEST(ScrollData, ConstructionCopiesAndSettersClampTheCurrentPosition)
{
    EXPECT_EQ(ZafScrollData(0, 100, 150, 1, 10).current, 100);
    EXPECT_EQ(ZafScrollData(0, 100, -5, 1, 10).current, 0);
    EXPECT_EQ(ZafScrollData(0, 100, 40, 2, 10).current, 40);
    ZafScrollData data(0, 100, 80, 1, 10);
    EXPECT_EQ(data.SetMaximum(50), 50);
    EXPECT_EQ(data.current, 50);
    EXPECT_EQ(data.SetMinimum(60), 60);
    EXPECT_EQ(data.current, 60) << "a minimum above the maximum: the current lay below it and takes it";
    EXPECT_EQ(data.maximum, 50);
    ZafScrollData other(0, 10, 5, 1, 1);
    other.SetScroll(20, 15, 30, 1, 1); // above both: the maximum
    EXPECT_EQ(other.current, 15);
    ZafScrollData range(0, 10, 5, 1, 1);
    EXPECT_EQ(range.SetCurrent(12), 10);
    EXPECT_EQ(range.SetCurrent(-3), 0);
    EXPECT_EQ(range.SetDelta(4), 4); // the delta is the line step
    EXPECT_EQ(range.step, 4);
    ZafScrollStruct record = {4, 1, 8, 2, 3};
    range.SetScroll(record);
    EXPECT_EQ((std::vector<int>{4, 1, 8, 2, 3}),
              (std::vector<int>{range.current, range.minimum, range.maximum, range.pageSize, range.step}));
    range.maximum = 3; // as a file may hold it: current outside the range
    ZafScrollData copy(range);
    EXPECT_EQ(copy.current, 3);
    EXPECT_EQ(copy.step, 3);
    EXPECT_EQ(copy.pageSize, 2);
}

ZafScrollData *scrollToDelete = nullptr;

int DeleteTheScrollData(ZafElement *, ZafUpdateType)
{
    delete scrollToDelete;
    scrollToDelete = nullptr;
    return 0;
}

TEST(ScrollData, OnlyChangesNotifyEachOnceEvenWhenAnObserverDeletesTheData)
{
    ZafScrollData data(0, 100, 50, 1, 10);
    CountingObserver observer(data);
    data.SetScroll(0, 100, 50, 1, 10);
    data.SetCurrent(50);
    EXPECT_EQ(observer.calls, 0);
    data.SetMaximum(40); // moves the current too: still one notification
    EXPECT_EQ(observer.calls, 1);
    EXPECT_EQ(data.current, 40);
    data.SetCurrent(500); // clamps to the position it has: no change
    EXPECT_EQ(observer.calls, 1);
    data.SetCurrent(-3);
    EXPECT_EQ(observer.calls, 2);
    data.Clear();
    data.Clear();
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(data.step, 1);
    EXPECT_EQ(data.pageSize, 1);

    scrollToDelete = new ZafScrollData(0, 10, 5, 1, 1);
    ZafElement deleter;
    scrollToDelete->AddNotification(&deleter, DeleteTheScrollData, 3);
    EXPECT_EQ(scrollToDelete->SetCurrent(20), 10);
    EXPECT_EQ(scrollToDelete, nullptr);
}

// Kept as the library has it: a stored current outside the range stands
// until the next setter.
TEST(ScrollData, AStoredCurrentIsNotClamped)
{
    DataFile file;
    ZafScrollData data(-5, 100, 7, 3, 20);
    ASSERT_EQ(file.Write(data, "range"), 0u);
    ASSERT_TRUE(file.ReplaceBytes("~range", LittleEndian({500, 0, 10, 1, 1}), ZafScrollData::className,
                                  ZafScrollData::classID));
    std::unique_ptr<ZafScrollData> read = file.Read<ZafScrollData>("range");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_EQ(read->current, 500);
    read->SetLineStep(2);
    EXPECT_EQ(read->current, 10);
}

} // namespace
