#include "dataset/CaseSort.h"

#include "DataSetFixture.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/CategoryGrouping.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/RegistrySettings.h"

#include <memory>

namespace {

class SortDataSet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // Eleven cases: a, b with ties in a, c continuous with a missing
        // value, many with eleven values, wide over most of the double range.
        const char *description = "variable a\ntype u8\nmissing 9\nvariable b\ntype i16\n"
                                  "variable c\ntype double\ndecimals 1\nvariable many\ntype i32\n"
                                  "variable wide\ntype double\n";
        const char *csv = "a,b,c,many,wide\n"
                          "2,5,0.5,1,-1e308\n"
                          "1,7,9.5,2,0\n"
                          "2,3,,3,1e308\n"
                          "9,1,3.0,4,0\n"
                          "1,7,2.0,5,0\n"
                          "2,5,4.0,6,0\n"
                          ",0,6.5,7,0\n"
                          "1,2,5.0,8,0\n"
                          "3,9,8.0,9,0\n"
                          "2,4,7.25,10,0\n"
                          "3,1,1.0,11,0\n";
        std::string error;
        ASSERT_EQ(BuildDataSet(description, csv, dir.File("sort.QVF"), &error), 0) << error;
        ASSERT_EQ(dataSet.Open(dir.File("sort.QVF").c_str()), 0);
    }
    std::vector<long> Walk(BUFFERTYPE *list)
    {
        std::vector<long> out;
        list->SeekCase(1, 1);
        while (list->MoveNext())
            out.push_back(list->GetCurrentInt());
        return out;
    }
    TempDirectory dir;
    DATASET dataSet;
};

TEST_F(SortDataSet, SortsByEachKeyInTurnKeepingFileOrderForTies)
{
    const int byAThenB[] = {1, 2, 0};
    std::unique_ptr<TMPLISTETYPE> order(SortCasesToValueList(&dataSet, byAThenB));
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(order->storageType, STORAGE_I32);
    // a: 1 1 1 | 2 2 2 2 | 3 3 | 9 (user-missing code sorts by value) | empty (sentinel) last.
    EXPECT_EQ(Walk(order.get()), (std::vector<long>{7, 1, 4, 2, 9, 0, 5, 10, 8, 3, 6}));
    const int byBThenA[] = {2, 1, 0};
    order.reset(SortCasesToValueList(&dataSet, byBThenA));
    ASSERT_NE(order, nullptr);
    EXPECT_EQ(Walk(order.get()), (std::vector<long>{6, 10, 3, 7, 2, 9, 0, 5, 1, 4, 8}));
    // The case numbers count from 0: ReadCaseValue finds them at their rank.
    EXPECT_EQ(ReadCaseValue(order.get(), 0).intValue, 6);
    EXPECT_EQ(ReadCaseValue(order.get(), 10).intValue, 8);
}

TEST_F(SortDataSet, IndexArrayHoldsTheFirstKeysValuesInSortedOrder)
{
    const int byC[] = {3, 0};
    std::unique_ptr<TMPLISTETYPE> sorted(SortCasesToIndexArray(byC, &dataSet));
    ASSERT_NE(sorted, nullptr);
    EXPECT_EQ(sorted->storageType, STORAGE_DOUBLE);
    std::vector<double> values;
    while (sorted->MoveNext())
        values.push_back(sorted->IsCurrentSysMissing() ? -1 : sorted->GetCurrentReal());
    EXPECT_EQ(values, (std::vector<double>{0.5, 1.0, 2.0, 3.0, 4.0, 5.0, 6.5, 7.25, 8.0, 9.5, -1}));
    EXPECT_EQ(sorted->variableNumber, 3);
    const int none[] = {0};
    EXPECT_EQ(SortCasesToValueList(&dataSet, none), nullptr);
    const int unknown[] = {9, 0};
    EXPECT_EQ(SortCasesToValueList(&dataSet, unknown), nullptr);
}

TEST_F(SortDataSet, GroupsValuesIntoEqualWidthIntervalsWithLabels)
{
    BUFFERTYPE *list = new LISTETYPE(&dataSet, 3);
    KATLABS *labels = KATLABS::ConstructAndRead(3, &dataSet);
    ASSERT_TRUE(GroupIntoIntervals(&list, 3, &labels));
    // Range 0.5 .. 9.5 in three intervals of width 3.
    std::vector<long> groups = Walk(list);
    EXPECT_EQ(groups, (std::vector<long>{1, 3, 255, 1, 1, 2, 3, 2, 3, 3, 1}));
    EXPECT_TRUE(list->IsMissingInt(255));
    EXPECT_EQ(list->variableNumber, 3);
    ASSERT_EQ(labels->GetCount(), 3);
    EXPECT_STREQ(labels->GetLabelText(1), "0.5 - 3.5");
    EXPECT_STREQ(labels->GetLabelText(3), "6.5 - 9.5");
    EXPECT_STREQ(labels->GetCaption(), "c: ");
    delete labels;
    // The interval count is limited to 2..15; the data set is unchanged.
    KATLABS *fresh = nullptr;
    ASSERT_TRUE(GroupIntoIntervals(&list, 40, &fresh));
    EXPECT_EQ(fresh->GetCount(), 15);
    delete fresh;
    delete list;
    LISTETYPE again(&dataSet, 3);
    ASSERT_TRUE(again.MoveNext());
    EXPECT_EQ(again.GetCurrentReal(), 0.5);
    BUFFERTYPE *none = nullptr;
    EXPECT_FALSE(GroupIntoIntervals(&none, 3, nullptr));
    // high - low overflows here; the largest value must still land in the
    // last interval and the smallest in the first.
    list = new LISTETYPE(&dataSet, 5);
    ASSERT_TRUE(GroupIntoIntervals(&list, 4, nullptr));
    EXPECT_EQ(Walk(list), (std::vector<long>{1, 3, 4, 3, 3, 3, 3, 3, 3, 3, 3}));
    delete list;
}

TEST_F(SortDataSet, CategoryLimitFollowsLabelsAndTheAutorecodeSetting)
{
    const SettingsSection *section = FindSettingsSection(4);
    RegistrySettings::DeleteKeyInSection(section, "UseAutorecode");
    LISTETYPE many(&dataSet, 4), few(&dataSet, 1);
    // Eleven distinct values: more than 10 without labels, not more than 25 with.
    EXPECT_TRUE(ExceedsCategoryLimit(&many, nullptr));
    KATLABS someLabels;
    someLabels.Add(1, "One");
    EXPECT_FALSE(ExceedsCategoryLimit(&many, &someLabels));
    EXPECT_FALSE(ExceedsCategoryLimit(&few, nullptr));
    KATLABS manyLabels;
    for (int i = 0; i < 26; ++i)
        manyLabels.Add(i, "x");
    EXPECT_TRUE(ExceedsCategoryLimit(&few, &manyLabels));
    // The walk leaves the list at its start.
    ASSERT_TRUE(many.MoveNext());
    EXPECT_EQ(many.GetCurrentInt(), 1);
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(section, "UseAutorecode", 0));
    EXPECT_FALSE(ExceedsCategoryLimit(&many, &manyLabels));
    RegistrySettings::DeleteKeyInSection(section, "UseAutorecode");
}

} // namespace
