#include "zaf/data/ZafStaticCleanup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string trace;

void CleanA(std::uint8_t flag)
{
    trace += "a" + std::to_string(flag);
}
void CleanB(std::uint8_t flag)
{
    trace += "b" + std::to_string(flag);
}
void CleanC(std::uint8_t flag)
{
    trace += "c" + std::to_string(flag);
}
void ResetA()
{
    trace += "A";
}
void ResetB()
{
    trace += "B";
}
void CleanAndUnregisterB(std::uint8_t)
{
    trace += "x", UnregisterStaticCleanup(CleanB, ResetB);
}
void ResetNothing()
{}

class ZafStaticCleanupTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        RunStaticCleanups(1);
        trace.clear();
    }
    void TearDown() override { RunStaticCleanups(1); }
};

// The end of the application runs every entry once in order and ends the
// registry; a language change runs only language entries that have a reset.
TEST_F(ZafStaticCleanupTest, EndOfApplicationAndLanguageChangeRunTheirEntriesInOrder)
{
    EXPECT_TRUE(RegisterStaticCleanup(CleanB, nullptr, ZafLanguageResetID));
    EXPECT_TRUE(RegisterStaticCleanup(CleanA, ResetA, ZafLanguageResetID));
    EXPECT_TRUE(RegisterStaticCleanup(CleanA, ResetA, ZafLanguageResetID)) << "already present";
    RegisterStaticCleanup(CleanB, ResetB, 0);
    for (int i = 0; i < 6; i++)
        RegisterStaticCleanup(CleanC, reinterpret_cast<ZafStaticResetFunction>(i + 1), 0);
    RunStaticCleanups(0);
    EXPECT_EQ("a1A", trace);
    trace.clear();
    RunStaticCleanups(1);
    EXPECT_EQ("b1a1b1c1c1c1c1c1c1", trace) << "the language run ends nothing";
    trace.clear();
    RunStaticCleanups(1);
    EXPECT_EQ("", trace) << "the registry ended";
    EXPECT_FALSE(UnregisterStaticCleanup(CleanA, nullptr));
}

TEST_F(ZafStaticCleanupTest, UnregisterRemovesTheLastMatchingEntryEvenWhileTheyRun)
{
    EXPECT_FALSE(RegisterStaticCleanup(nullptr, nullptr, 0));
    EXPECT_FALSE(UnregisterStaticCleanup(CleanA, nullptr)) << "no registry yet";
    RegisterStaticCleanup(CleanA, nullptr, 0);
    RegisterStaticCleanup(CleanB, nullptr, 0);
    EXPECT_FALSE(UnregisterStaticCleanup(nullptr, nullptr));
    EXPECT_FALSE(UnregisterStaticCleanup(CleanA, ResetA));
    EXPECT_TRUE(UnregisterStaticCleanup(CleanA, nullptr));
    EXPECT_FALSE(UnregisterStaticCleanup(CleanA, nullptr));
    RunStaticCleanups(1);
    EXPECT_EQ("b1", trace);

    trace.clear();
    RegisterStaticCleanup(CleanAndUnregisterB, ResetNothing, ZafLanguageResetID);
    RegisterStaticCleanup(CleanB, ResetB, ZafLanguageResetID);
    RunStaticCleanups(0);
    EXPECT_EQ("x", trace) << "the entry removed before its turn is not called";
    trace.clear();
    RunStaticCleanups(1);
    EXPECT_EQ("x", trace);
}

} // namespace
