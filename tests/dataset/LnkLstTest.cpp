#include "dataset/LnkLst.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<int> Walk(LSTCONTAINER &list) {
    std::vector<int> seen;
    while (list.MoveNext())
        seen.push_back(*static_cast<int *>(list.Current()));
    return seen;
}

TEST(LnkLst, AnEmptyListEndsAtOnce) {
    LnkLst list;
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.MoveNext(), 0);
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(list.At(0), nullptr);
}

TEST(LnkLst, WalksInAppendOrderAndStartsOverAfterTheEnd) {
    int values[] = {10, 20, 30};
    LnkLst list;
    for (int &v : values)
        list.Append(&v);
    EXPECT_EQ(list.Count(), 3u);
    EXPECT_EQ(Walk(list), (std::vector<int>{10, 20, 30}));
    EXPECT_EQ(list.Current(), nullptr);  // past the end the cursor is unset
    EXPECT_EQ(Walk(list), (std::vector<int>{10, 20, 30}));
    ASSERT_EQ(list.MoveNext(), 1);
    ASSERT_EQ(list.MoveNext(), 1);
    list.ResetCursor();
    ASSERT_EQ(list.MoveNext(), 1);
    EXPECT_EQ(*static_cast<int *>(list.Current()), 10);
    EXPECT_EQ(*static_cast<int *>(list.At(2)), 30);
    EXPECT_EQ(list.At(3), nullptr);
}

TEST(LnkLst, AppendingDuringAWalkIsSeenByTheWalk) {
    int values[] = {1, 2};
    LnkLst list;
    list.Append(&values[0]);
    ASSERT_EQ(list.MoveNext(), 1);  // on the last node
    list.Append(&values[1]);
    ASSERT_EQ(list.MoveNext(), 1);
    EXPECT_EQ(*static_cast<int *>(list.Current()), 2);
}

TEST(LnkLst, NullDataIsAnItemLikeAnyOther) {
    LnkLst list;
    list.Append(nullptr);
    list.Append(nullptr);
    int steps = 0;
    while (list.MoveNext())
        ++steps;
    EXPECT_EQ(steps, 2);
}

int g_deleted = 0;
void DeleteInt(void *data) {
    ++g_deleted;
    delete static_cast<int *>(data);
}

TEST(LnkLst, ClearDeletesTheDataOnlyWhenTold) {
    int kept = 5;
    LnkLst list;
    list.Append(&kept);
    list.Clear();
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.MoveNext(), 0);
    g_deleted = 0;
    list.Append(new int(1));
    list.Append(new int(2));
    list.Clear(DeleteInt);
    EXPECT_EQ(g_deleted, 2);
    EXPECT_EQ(list.Count(), 0u);
    list.Append(&kept);  // usable after clearing
    EXPECT_EQ(Walk(list), (std::vector<int>{5}));
}

}  // namespace
