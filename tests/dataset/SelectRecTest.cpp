#include "dataset/SelectRec.h"

#include <gtest/gtest.h>

namespace {

TEST(LogBuffer, KeepsOneBitPerCaseAndIgnoresCasesOutside)
{
    LogBuffer bits(11);
    EXPECT_TRUE(bits.Set(0, true));
    EXPECT_TRUE(bits.Set(10, true));
    EXPECT_TRUE(bits.Set(8, true));
    EXPECT_TRUE(bits.Set(8, false));
    EXPECT_FALSE(bits.Set(11, true));
    EXPECT_FALSE(bits.Set(-1, true));
    EXPECT_EQ(bits.CountSet(), 2);
    EXPECT_FALSE(bits.IsSet(11));
    EXPECT_EQ(bits.GetBytes(), (std::vector<unsigned char>{0x01, 0x04}));
    LogBuffer all(11, true);
    EXPECT_EQ(all.CountSet(), 11); // no bit past the last case is set
    EXPECT_EQ(all.GetBytes()[1], 0x07);
    LogBuffer empty(0);
    empty.StartBitScan();
    EXPECT_FALSE(empty.NextBit());
}

TEST(SelectRec, CountsAllCasesUntilASelectionIsActive)
{
    SelectRec selection(5);
    EXPECT_EQ(selection.GetCaseCount(), 5);
    EXPECT_TRUE(selection.IsCaseInForce(4));
    selection.bits = new LogBuffer(5);
    selection.bits->Set(2, true);
    EXPECT_EQ(selection.GetCaseCount(), 5); // bits without the active word do not count
    selection.active = 1;
    EXPECT_EQ(selection.GetCaseCount(), 1);
    EXPECT_FALSE(selection.IsCaseInForce(4));
    EXPECT_TRUE(IsCaseSelected(selection.bits, 2));
    EXPECT_FALSE(IsCaseSelected(nullptr, 2));
}

} // namespace
