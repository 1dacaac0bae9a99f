// Scroll data: the current position kept inside the range by every setter.
#include "zaf/data/ZafScrollData.h"

#include <gtest/gtest.h>

TEST(ScrollData, ConstructionClampsTheCurrentPosition)
{
    ZafScrollData above(0, 100, 150, 1, 10);
    EXPECT_EQ(above.current, 100);
    ZafScrollData below(0, 100, -5, 1, 10);
    EXPECT_EQ(below.current, 0);
    ZafScrollData inside(0, 100, 40, 2, 10);
    EXPECT_EQ(inside.current, 40);
}

TEST(ScrollData, RangeSettersMoveTheCurrentPosition)
{
    ZafScrollData data(0, 100, 80, 1, 10);
    EXPECT_EQ(data.SetMaximum(50), 50);
    EXPECT_EQ(data.current, 50);
    EXPECT_EQ(data.SetMinimum(60), 60);
    // A minimum above the maximum: the current lay below it and takes it.
    EXPECT_EQ(data.current, 60);
    EXPECT_EQ(data.maximum, 50);
    ZafScrollData other(0, 10, 5, 1, 1);
    other.SetScroll(20, 15, 30, 1, 1);  // above both: the maximum
    EXPECT_EQ(other.current, 15);
}

TEST(ScrollData, SettersAnswerTheValueInForce)
{
    ZafScrollData data(0, 10, 5, 1, 1);
    EXPECT_EQ(data.SetCurrent(12), 10);
    EXPECT_EQ(data.SetCurrent(-3), 0);
    EXPECT_EQ(data.SetDelta(4), 4);  // the delta is the line step
    EXPECT_EQ(data.step, 4);
    ZafScrollStruct record = {4, 1, 8, 2, 3};
    data.SetScroll(record);
    EXPECT_EQ(data.current, 4);
    EXPECT_EQ(data.minimum, 1);
    EXPECT_EQ(data.maximum, 8);
    EXPECT_EQ(data.pageSize, 2);
    EXPECT_EQ(data.step, 3);
}

TEST(ScrollData, CopiesClampAgain)
{
    ZafScrollData data(0, 10, 5, 2, 3);
    data.maximum = 3;  // as a file may hold it: current outside the range
    ZafScrollData copy(data);
    EXPECT_EQ(copy.current, 3);
    EXPECT_EQ(copy.step, 2);
    EXPECT_EQ(copy.pageSize, 3);
}

// ---- Data object: notification, persistence -------------------------------------------

#include "TestDataObjects.h"

namespace {

TEST(ScrollData, OnlyChangesNotifyAndEachOnce)
{
    ZafScrollData data(0, 100, 50, 1, 10);
    CountingObserver observer(data);
    data.SetScroll(0, 100, 50, 1, 10);
    data.SetCurrent(50);
    EXPECT_EQ(observer.calls, 0);
    data.SetMaximum(40);  // moves the current too: still one notification
    EXPECT_EQ(observer.calls, 1);
    EXPECT_EQ(data.current, 40);
    data.SetCurrent(500);  // clamps to the position it has: no change
    EXPECT_EQ(observer.calls, 1);
    data.SetCurrent(-3);
    EXPECT_EQ(observer.calls, 2);
    EXPECT_EQ(data.current, 0);
    data.Clear();
    EXPECT_EQ(observer.calls, 3);
    data.Clear();
    EXPECT_EQ(observer.calls, 3);
    EXPECT_EQ(data.step, 1);
    EXPECT_EQ(data.pageSize, 1);
}

ZafScrollData *scrollToDelete = nullptr;

int DeleteTheScrollData(ZafElement *, ZafUpdateType)
{
    delete scrollToDelete;
    scrollToDelete = nullptr;
    return 0;
}

TEST(ScrollData, ASetterAnswersEvenWhenAnObserverDeletesTheData)
{
    scrollToDelete = new ZafScrollData(0, 10, 5, 1, 1);
    ZafElement observer;
    scrollToDelete->AddNotification(&observer, DeleteTheScrollData, 3);
    EXPECT_EQ(scrollToDelete->SetCurrent(20), 10);
    EXPECT_EQ(scrollToDelete, nullptr);
}

TEST(ScrollData, WritesSavesAndReadsBackWithoutClamping)
{
    DataFile file;
    ZafScrollData data(-5, 100, 7, 3, 20);
    ASSERT_EQ(file.Write(data, "range"), 0u);
    EXPECT_EQ(file.StoredBytes("~range"), LittleEndian({7, -5, 100, 20, 3}));
    std::unique_ptr<ZafScrollData> read = file.Read<ZafScrollData>("range");
    EXPECT_EQ(read->Error(), 0u);
    EXPECT_EQ(read->current, 7);
    EXPECT_EQ(read->minimum, -5);
    EXPECT_EQ(read->maximum, 100);
    EXPECT_EQ(read->pageSize, 20);
    EXPECT_EQ(read->step, 3);
    EXPECT_EQ(read->ClassID(), 3110);

    // Kept as the library has it: a stored current outside the range stands
    // until the next setter.
    ASSERT_TRUE(file.ReplaceBytes("~range", LittleEndian({500, 0, 10, 1, 1}), ZafScrollData::className,
                                  ZafScrollData::classID));
    read = file.Read<ZafScrollData>("range");
    EXPECT_EQ(read->current, 500);
    read->SetLineStep(2);
    EXPECT_EQ(read->current, 10);

    ASSERT_TRUE(file.ReplaceBytes("~range", LittleEndian({1, 2, 3}), ZafScrollData::className,
                                  ZafScrollData::classID));
    read = file.Read<ZafScrollData>("range");
    EXPECT_EQ(read->Error(), ZafFileError::Read);
    EXPECT_EQ(read->current, 0);
    EXPECT_EQ(read->step, 1);
}

} // namespace
