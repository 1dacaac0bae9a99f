#include "dataset/BUFFERTYPE.h"

#include "DataSetFixture.h"
#include "dataset/DATASET.h"
#include "dataset/MemoryBudget.h"

#include <cfloat>
#include <cmath>
#include <algorithm>
#include <memory>
#include <sstream>

namespace {

// A data set of 1,000 cases whose values are known from the case number,
// one variable of each storage type.
class WalkDataSet : public ::testing::Test
{
protected:
    static double Value(int type, long c)
    {
        switch (type) {
        case 1:
            return c % 7 == 3 ? 255 : c % 250;
        case 2:
            return c % 11 == 0 ? 32767 : (c * 37) % 30000 - 15000;
        case 3:
            return c * 1000003L % 2000000000L - 1000000000L;
        case 4:
            return (c - 500) * 0.25;
        default:
            return c % 13 == 5 ? DBL_MAX : std::sin(static_cast<double>(c)) * 1e6;
        }
    }
    static bool IsSentinel(int type, double v)
    {
        return v == DBL_MAX || (type == 1 && v == 255) || (type == 2 && v == 32767);
    }
    void SetUp() override
    {
        const char *types[] = {"u8", "i16", "i32", "float", "double"};
        const int typeCodes[] = {1, 2, 3, 4, 8};
        std::string description;
        std::ostringstream csv;
        csv.precision(17);
        for (int i = 0; i < 5; ++i) {
            description += std::string("variable v") + types[i] + "\ntype " + types[i] + "\n";
            csv << (i ? ",v" : "v") << types[i];
        }
        for (long c = 0; c < kCases; ++c) {
            csv << '\n';
            for (int i = 0; i < 5; ++i) {
                double v = Value(typeCodes[i], c);
                csv << (i ? "," : "");
                if (!IsSentinel(typeCodes[i], v))
                    csv << v;
            }
        }
        std::string error;
        ASSERT_EQ(BuildDataSet(description, csv.str() + "\n", dir.File("walk.QVF"), &error), 0) << error;
        ASSERT_EQ(dataSet.Open(dir.File("walk.QVF").c_str()), 0) << dataSet.GetErrorText();
    }
    static constexpr long kCases = 1000;
    TempDirectory dir;
    DATASET dataSet;
};

TEST_F(WalkDataSet, PagedAndInMemoryWalksGiveTheSameValuesBothWays)
{
    for (long variable = 1; variable <= 5; ++variable) {
        LISTETYPE memory(&dataSet, variable);
        // 24 bytes: three doubles or 24 bytes per window; pages often.
        LISTETYPE paged(&dataSet, variable, 24);
        ASSERT_EQ(memory.Error(), 0);
        ASSERT_EQ(paged.Error(), 0);
        EXPECT_TRUE(memory.IsInMemory());
        EXPECT_FALSE(paged.IsInMemory());
        EXPECT_LE(paged.GetWindowCapacity() * paged.GetValueSize(), 24);
        int type = memory.storageType;
        for (int forward = 1; forward >= 0; --forward) {
            ASSERT_TRUE(memory.SeekCase(forward, forward ? 1 : 0));
            ASSERT_TRUE(paged.SeekCase(forward, forward ? 1 : 0));
            long steps = 0;
            while (memory.MoveNext()) {
                ASSERT_TRUE(paged.MoveNext());
                long c = memory.GetCurrentCase() - 1;
                EXPECT_EQ(paged.GetCurrentCase(), c + 1);
                EXPECT_EQ(c, forward ? steps : kCases - 1 - steps);
                double expected = Value(type, c);
                bool sys = IsSentinel(type, expected);
                EXPECT_EQ(memory.IsCurrentSysMissing(), sys) << "case " << c;
                EXPECT_EQ(paged.IsCurrentSysMissing(), sys) << "case " << c;
                if (!sys) {
                    EXPECT_EQ(memory.GetCurrentAsReal(), expected) << "case " << c;
                    EXPECT_EQ(paged.GetCurrentAsReal(), memory.GetCurrentAsReal()) << "case " << c;
                }
                ++steps;
            }
            EXPECT_FALSE(paged.MoveNext());
            EXPECT_EQ(steps, kCases);
        }
    }
}

TEST_F(WalkDataSet, SeekCaseCountsFromOneAndBackwardZeroIsTheLastCase)
{
    LISTETYPE list(&dataSet, 4, 16); // four floats a window
    ASSERT_TRUE(list.SeekCase(1, kCases));
    ASSERT_TRUE(list.MoveNext());
    EXPECT_EQ(list.GetCurrentReal(), Value(4, kCases - 1));
    EXPECT_FALSE(list.MoveNext());
    // Outside: case 0 forward and one past the end do not exist.
    EXPECT_FALSE(list.SeekCase(1, 0));
    EXPECT_FALSE(list.SeekCase(1, kCases + 1));
    EXPECT_FALSE(list.SeekCase(0, kCases + 1));
    // Backward: 0 stands for the last case; case 1 is the last step.
    ASSERT_TRUE(list.SeekCase(0, 0));
    ASSERT_TRUE(list.MoveNext());
    EXPECT_EQ(list.GetCurrentCase(), kCases);
    ASSERT_TRUE(list.SeekCase(0, 1));
    ASSERT_TRUE(list.MoveNext());
    EXPECT_EQ(list.GetCurrentCase(), 1);
    EXPECT_FALSE(list.MoveNext());
    // Backward from the middle pages so that the window ends at the case.
    ASSERT_TRUE(list.SeekCase(0, 500));
    ASSERT_TRUE(list.MoveNext());
    EXPECT_EQ(list.GetCurrentReal(), Value(4, 499));
    ASSERT_TRUE(list.MoveNext());
    EXPECT_EQ(list.GetCurrentReal(), Value(4, 498));
}

TEST_F(WalkDataSet, DirectReadsCountCasesFromZeroAndCheckBothEnds)
{
    LISTETYPE list(&dataSet, 3, 8);
    CaseValue first = ReadCaseValue(&list, 0);
    ASSERT_TRUE(first.valid);
    EXPECT_FALSE(first.isReal);
    EXPECT_EQ(first.intValue, static_cast<long>(Value(3, 0)));
    CaseValue last = ReadCaseValue(&list, kCases - 1);
    ASSERT_TRUE(last.valid);
    EXPECT_EQ(last.intValue, static_cast<long>(Value(3, kCases - 1)));
    EXPECT_FALSE(ReadCaseValue(&list, kCases).valid);
    EXPECT_FALSE(ReadCaseValue(&list, -1).valid);
    // A direct read moves neither the cursor nor the window.
    list.SeekCase(1, 10);
    list.MoveNext();
    ReadCaseValue(&list, 900);
    EXPECT_EQ(list.GetCurrentCase(), 10);
    EXPECT_EQ(list.GetCurrentInt(), static_cast<long>(Value(3, 9)));
    // Unsigned bytes read unsigned, 16-bit values sign-extended, floats widened.
    LISTETYPE bytes(&dataSet, 1), shorts(&dataSet, 2), floats(&dataSet, 4);
    EXPECT_EQ(ReadCaseValue(&bytes, 249).intValue, 249);
    EXPECT_EQ(ReadCaseValue(&shorts, 1).intValue, static_cast<long>(Value(2, 1)));
    EXPECT_LT(ReadCaseValue(&shorts, 1).intValue, 0);
    CaseValue f = ReadCaseValue(&floats, 1);
    EXPECT_TRUE(f.isReal);
    EXPECT_EQ(f.realValue, Value(4, 1));
}

TEST_F(WalkDataSet, UnboundOrUnknownVariablesFailCleanly)
{
    LISTETYPE unbound;
    EXPECT_FALSE(unbound.LoadVariable(1, 1));
    EXPECT_EQ(unbound.Error(), DSERR_NO_DATASET);
    EXPECT_FALSE(unbound.MoveNext());
    LISTETYPE list;
    list.BindToDataSet(&dataSet);
    EXPECT_FALSE(list.LoadVariable(6, 1));
    EXPECT_EQ(list.GetCaseCount(), 0);
    ASSERT_TRUE(list.LoadVariable(3, 1));
    EXPECT_EQ(list.variableNumber, 3);
    ASSERT_TRUE(list.MoveNext());
    EXPECT_EQ(list.GetCurrentInt(), static_cast<long>(Value(3, 0)));
}

TEST(TMPLISTETYPE, AppendsBeyondItsBudgetIntoItsTemporaryFile)
{
    TMPLISTETYPE list(STORAGE_I32, 0, 40); // ten values in memory
    for (long i = 0; i < 1000; ++i)
        ASSERT_TRUE(list.AppendInt(i * 3));
    ASSERT_TRUE(list.HasFile());
    EXPECT_EQ(list.GetCaseCount(), 1000);
    long expected = 0;
    ASSERT_TRUE(list.SeekCase(1, 1));
    for (; list.MoveNext(); ++expected)
        EXPECT_EQ(list.GetCurrentInt(), expected * 3);
    EXPECT_EQ(expected, 1000);
    ASSERT_TRUE(list.SeekCase(0, 0));
    ASSERT_TRUE(list.MoveNext());
    EXPECT_EQ(list.GetCurrentInt(), 999 * 3);
    // Stores go to the window and reach the file when it pages or opens.
    ASSERT_TRUE(list.SeekCase(1, 500));
    ASSERT_TRUE(list.MoveNext());
    ASSERT_TRUE(list.StoreInt(-7));
    ASSERT_TRUE(list.OpenFile());
    list.SeekCase(1, 1);
    list.MoveNext();
    EXPECT_EQ(ReadCaseValue(&list, 499).intValue, -7);
    EXPECT_EQ(ReadCaseValue(&list, 999).intValue, 2997);
    EXPECT_NE(std::string(list.FileName()).find(".$$$"), std::string::npos);
    EXPECT_TRUE(FileExists(list.FileName()));
}

TEST(TMPLISTETYPE, DeletesItsTemporaryFileAndStartsMissing)
{
    std::string name;
    {
        TMPLISTETYPE list(STORAGE_DOUBLE, 100, 64);
        ASSERT_TRUE(list.HasFile());
        name = list.FileName();
        long count = 0;
        for (; list.MoveNext(); ++count)
            EXPECT_TRUE(list.IsCurrentSysMissing());
        EXPECT_EQ(count, 100);
        EXPECT_FALSE(list.StoreReal(1.0)); // the cursor is past the end
    }
    EXPECT_FALSE(FileExists(name));
    TMPLISTETYPE small(STORAGE_U8, 3);
    EXPECT_FALSE(small.HasFile());
    ASSERT_TRUE(small.MoveNext());
    EXPECT_TRUE(small.StoreInt(4));
    EXPECT_EQ(ReadCaseValue(&small, 0).intValue, 4);
    EXPECT_EQ(ReadCaseValue(&small, 2).intValue, 255);
}

// Saved residuals and recodes go through temporary lists: a value the type
// cannot hold must become missing, never a wrapped-around valid value.
TEST(TMPLISTETYPE, ValuesOutsideTheTypeAreStoredAsItsSentinel)
{
    TMPLISTETYPE u8(STORAGE_U8);
    const double in[] = {300, -1, 2.6, 254, 254.4, 254.6};
    const long out[] = {255, 255, 3, 254, 254, 255};
    for (double v : in)
        ASSERT_TRUE(u8.AppendReal(v));
    for (long c = 0; c < 6; ++c)
        EXPECT_EQ(ReadCaseValue(&u8, c).intValue, out[c]) << in[c];
    TMPLISTETYPE i32(STORAGE_I32);
    ASSERT_TRUE(i32.AppendReal(DBL_MAX) && i32.AppendReal(-3e9) && i32.AppendReal(std::nan("")));
    for (long c = 0; c < 3; ++c)
        EXPECT_EQ(ReadCaseValue(&i32, c).intValue, 2147483647) << c;
    TMPLISTETYPE f(STORAGE_FLOAT);
    ASSERT_TRUE(f.AppendReal(-1e39) && f.AppendReal(1.5));
    EXPECT_EQ(ReadCaseValue(&f, 0).realValue, FLT_MAX);
    EXPECT_EQ(ReadCaseValue(&f, 1).realValue, 1.5);
}

// The process's budget bounds the value lists together: each list gets at
// most half of what is left of the lists' share (and at least the minimum
// window), a list that grows by appending stops growing at the share and
// goes on in its file, and every list gives its window back when it goes.
TEST(MemoryBudget, ValueListsTogetherStayWithinTheirShare)
{
    const size_t limit = 4 * 1024 * 1024; // share: 2 MiB
    const size_t share = limit / 2;
    MemoryBudget::SetLimitOverride(limit);
    ASSERT_EQ(MemoryBudget::WindowBytes(), 0u);
    {
        const long cases = 200000; // 1.6 MB of doubles each
        std::vector<std::unique_ptr<TMPLISTETYPE>> lists;
        size_t sum = 0;
        for (int i = 0; i < 8; ++i) {
            const size_t free = share - std::min(share, MemoryBudget::WindowBytes());
            lists.emplace_back(new TMPLISTETYPE(STORAGE_DOUBLE, cases));
            const size_t window = static_cast<size_t>(lists.back()->GetWindowCapacity()) * 8;
            EXPECT_LE(window, std::max(free / 2, MemoryBudget::kMinimumWindow)) << "list " << i;
            EXPECT_GE(window + 8, MemoryBudget::kMinimumWindow) << "list " << i;
            sum += window;
        }
        EXPECT_LE(MemoryBudget::WindowBytes(), share + 8 * MemoryBudget::kMinimumWindow);
        EXPECT_GE(MemoryBudget::WindowBytes(), sum);
        // A paged list keeps its values: store through the window, read back.
        TMPLISTETYPE &last = *lists.back();
        EXPECT_FALSE(last.IsInMemory());
        ASSERT_TRUE(last.SeekCase(1, 1));
        for (long c = 0; last.MoveNext(); ++c)
            ASSERT_TRUE(last.StoreReal(c * 0.5));
        EXPECT_EQ(ReadCaseValue(&last, cases - 1).realValue, (cases - 1) * 0.5);
        ASSERT_TRUE(last.SeekCase(0, 0));
        for (long c = cases - 1; last.MoveNext(); --c)
            ASSERT_EQ(last.GetCurrentReal(), c * 0.5) << c;

        // An appending list grows while the share grants more, then pages.
        lists.clear();
        EXPECT_EQ(MemoryBudget::WindowBytes(), 0u);
        TMPLISTETYPE grows(STORAGE_DOUBLE);
        for (long c = 0; c < 50000; ++c)
            ASSERT_TRUE(grows.AppendReal(c));
        EXPECT_FALSE(grows.HasFile());
        EXPECT_GE(grows.GetWindowCapacity(), 50000);
        TMPLISTETYPE spills(STORAGE_DOUBLE);
        for (long c = 0; c < 300000; ++c)
            ASSERT_TRUE(spills.AppendReal(c));
        EXPECT_TRUE(spills.HasFile());
        EXPECT_LE(MemoryBudget::WindowBytes(), share + 2 * MemoryBudget::kMinimumWindow);
        EXPECT_EQ(ReadCaseValue(&spills, 299999).realValue, 299999.0);
        EXPECT_EQ(ReadCaseValue(&grows, 49999).realValue, 49999.0);
    }
    EXPECT_EQ(MemoryBudget::WindowBytes(), 0u);
    MemoryBudget::SetLimitOverride(0);
}

// A charge past the limit is refused, leaving the counters as they were.
TEST(MemoryBudget, RefusesAChargePastTheLimitAndReleasesOnDestruction)
{
    MemoryBudget::SetLimitOverride(1024 * 1024);
    {
        MemoryCharge charge;
        charge.Add(600 * 1024);
        EXPECT_THROW(charge.Add(500 * 1024), BudgetRefusal);
        EXPECT_EQ(charge.Held(), 600u * 1024);
        EXPECT_EQ(MemoryBudget::ChargedBytes(), 600u * 1024);
        EXPECT_NE(MemoryBudget::DescribeShortfall(500 * 1024).find("0.4 MiB of the budget of 1 MiB"),
                  std::string::npos);
    }
    EXPECT_EQ(MemoryBudget::ChargedBytes(), 0u);
    size_t product = 0;
    if (sizeof(size_t) == 4) {
        EXPECT_FALSE(CheckedMultiply(65536, 65537, product));
    }
    EXPECT_TRUE(CheckedMultiply(65535, 65537, product));
    EXPECT_EQ(product, 65535u * 65537u);
    MemoryBudget::SetLimitOverride(0);
}

} // namespace
