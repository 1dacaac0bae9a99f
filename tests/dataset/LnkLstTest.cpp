#include "dataset/LnkLst.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Walk(LSTCONTAINER &list)
{
    std::vector<int> seen;
    while (list.MoveNext())
        seen.push_back(list.Current() ? *static_cast<int *>(list.Current()) : -1);
    return seen;
}

int g_deleted = 0;
void DeleteInt(void *data)
{
    ++g_deleted;
    delete static_cast<int *>(data);
}

TEST(LnkLst, WalksInAppendOrderSeesAppendsStartsOverAndClearsAsTold)
{
    int values[] = {10, 20, 30};
    LnkLst list;
    EXPECT_EQ(list.MoveNext(), 0);
    for (int &v : values)
        list.Append(&v);
    list.Append(nullptr); // null data is an item like any other
    EXPECT_EQ(list.Count(), 4u);
    EXPECT_EQ(Walk(list), (std::vector<int>{10, 20, 30, -1}));
    EXPECT_EQ(list.Current(), nullptr); // past the end the cursor is unset
    EXPECT_EQ(Walk(list), (std::vector<int>{10, 20, 30, -1}));
    EXPECT_EQ(*static_cast<int *>(list.At(2)), 30);
    EXPECT_EQ(list.At(4), nullptr);
    // A node appended while the cursor is on the last node is the next step.
    for (int step = 0; step < 4; ++step)
        ASSERT_EQ(list.MoveNext(), 1);
    int appended = 40;
    list.Append(&appended);
    ASSERT_EQ(list.MoveNext(), 1);
    EXPECT_EQ(list.Current(), &appended);
    list.ResetCursor();
    ASSERT_EQ(list.MoveNext(), 1);
    EXPECT_EQ(*static_cast<int *>(list.Current()), 10);

    list.Clear(); // the data stays the caller's
    EXPECT_EQ(list.MoveNext(), 0);
    g_deleted = 0;
    list.Append(new int(1));
    list.Append(new int(2));
    list.Clear(DeleteInt);
    EXPECT_EQ(g_deleted, 2);
    EXPECT_EQ(list.Count(), 0u);
    list.Append(&values[0]); // usable after clearing
    EXPECT_EQ(Walk(list), (std::vector<int>{10}));
}

} // namespace
