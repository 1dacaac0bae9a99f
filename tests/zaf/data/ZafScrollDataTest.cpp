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
    EXPECT_EQ(inside.step, 2);
    EXPECT_EQ(inside.pageSize, 10);
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
    EXPECT_EQ(data.SetLineStep(3), 3);
    EXPECT_EQ(data.SetDelta(4), 4);
    EXPECT_EQ(data.step, 4);
    EXPECT_EQ(data.SetPageSize(7), 7);
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
