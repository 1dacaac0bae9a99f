#include "zaf/core/ZafList.h"
#include "zaf/core/ZafText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// An element with a sort key and a tag telling elements with equal keys apart.
struct Item : ZafElement
{
    Item(int k, char t, int *deaths = nullptr) : key(k), tag(t), deathCount(deaths) {}
    ~Item() override
    {
        if (deathCount)
            ++*deathCount;
    }
    int key;
    char tag;
    int *deathCount;
};

int CompareKeys(ZafElement *a, ZafElement *b)
{
    return static_cast<Item *>(a)->key - static_cast<Item *>(b)->key;
}

// The tags in list order; the backward links must give the same order.
std::string Tags(const ZafList &list)
{
    std::string tags, backwards;
    for (ZafElement *e = list.First(); e; e = e->Next())
        tags += static_cast<Item *>(e)->tag;
    for (ZafElement *e = list.Last(); e; e = e->Previous())
        backwards = static_cast<Item *>(e)->tag + backwards;
    EXPECT_EQ(tags, backwards) << "backward links";
    return tags;
}

void AddKeys(ZafList &list, std::initializer_list<int> keys)
{
    for (int key : keys)
        list.Add(new Item(key, static_cast<char>('a' + list.Count())));
}

} // namespace

struct AddCase
{
    bool sorted;
    std::vector<int> keys; // added in order, tagged a, b, c, ...
    const char *tags;      // the order the list holds
};

class ZafListAdd : public ::testing::TestWithParam<AddCase>
{};

TEST_P(ZafListAdd, PlacesEachElementByTheCompareFunction)
{
    const AddCase &c = GetParam();
    ZafList list(c.sorted ? CompareKeys : nullptr);
    for (int key : c.keys)
        list.Add(new Item(key, static_cast<char>('a' + list.Count())));
    EXPECT_EQ(Tags(list), c.tags);
    EXPECT_EQ(list.Count(), static_cast<int>(c.keys.size()));
}

INSTANTIATE_TEST_SUITE_P(ZafList, ZafListAdd,
                         ::testing::Values(AddCase{false, {3, 1, 2}, "abc"}, // without a compare function: appended
                                           // Equal elements stay in insertion order: d after c (the last is not
                                           // greater), e appended (the last compares equal).
                                           AddCase{true, {1, 5, 3, 3, 5, 4}, "acdfbe"},
                                           // When the last is greater and the first compares greater than or equal,
                                           // the new element goes to the front.
                                           AddCase{true, {2, 9, 2, 0}, "dcab"}));

TEST(ZafList, SortReordersByCompareFunctionAndKeepsCount)
{
    ZafList list;
    AddKeys(list, {4, 1, 3, 1, 2});
    list.SetCompareFunction(CompareKeys);
    list.Sort();
    // d (1) compares equal to the first element b (1) when re-added: front.
    EXPECT_EQ(Tags(list), "dbeca");
    EXPECT_EQ(list.Count(), 5);
}

TEST(ZafList, GetIndexSubtractAndAddBefore)
{
    ZafList list;
    AddKeys(list, {0, 0, 0});
    ZafElement *a = list.Get(0), *b = list.Get(1), *c = list.Get(2);
    EXPECT_EQ(list.Get(3), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
    EXPECT_EQ(list.Index(c), 2);
    EXPECT_EQ(list.Index(nullptr), -1);
    EXPECT_EQ(c->GetListIndex(), 2);

    list.SetCurrent(b);
    EXPECT_EQ(list.Subtract(b), b);
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(Tags(list), "ac");
    EXPECT_EQ(b->Next(), nullptr);
    // An element of another list is left alone.
    ZafList other;
    EXPECT_EQ(other.Subtract(a), a);
    EXPECT_EQ(list.Count(), 2);
    // Before an element, before the first, or (before null) at the end.
    list.AddBefore(b, c);
    list.AddBefore(new Item(0, 'x'), a);
    list.AddBefore(new Item(0, 'z'), nullptr);
    EXPECT_EQ(Tags(list), "xabcz");

    for (ZafElement *e : {list.First(), list.Last(), a, b, c})
        delete list.Subtract(e);
    EXPECT_EQ(list.First(), nullptr);
    EXPECT_EQ(list.Last(), nullptr);
}

TEST(ZafList, DestroyDeletesEveryElementOnce)
{
    int deaths = 0;
    {
        ZafList list;
        for (int i = 0; i < 4; ++i)
            list.Add(new Item(i, 'a', &deaths));
        list.Destroy();
        EXPECT_EQ(deaths, 4);
        EXPECT_EQ(list.Count(), 0);
        list.Add(new Item(0, 'b', &deaths));
    }
    EXPECT_EQ(deaths, 5);
}

TEST(ZafElement, SetStringIDWithItsOwnTextKeepsTheText)
{
    ZafElement element;
    element.SetStringID("MAINWINDOW");
    element.SetStringID(element.StringID());
    EXPECT_STREQ(element.StringID(), "MAINWINDOW");
    element.SetStringID(nullptr);
    EXPECT_EQ(element.StringID(), nullptr);
}
