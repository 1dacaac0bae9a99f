#include "zaf/data/ZafStaticCleanup.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string trace;

void CleanA(std::uint8_t flag) { trace += "a" + std::to_string(flag); }
void CleanB(std::uint8_t flag) { trace += "b" + std::to_string(flag); }
void CleanC(std::uint8_t flag) { trace += "c" + std::to_string(flag); }
void ResetA() { trace += "A"; }
void ResetB() { trace += "B"; }

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

TEST_F(ZafStaticCleanupTest, EndOfApplicationRunsEveryEntryOnceInOrder)
{
    EXPECT_TRUE(RegisterStaticCleanup(CleanB, nullptr, 0));
    EXPECT_TRUE(RegisterStaticCleanup(CleanA, nullptr, 0));
    EXPECT_TRUE(RegisterStaticCleanup(CleanA, nullptr, 0)) << "already present";
    for (int i = 0; i < 6; i++)
        RegisterStaticCleanup(CleanC, reinterpret_cast<ZafStaticResetFunction>(i + 1), 0);
    RunStaticCleanups(1);
    EXPECT_EQ("b1a1c1c1c1c1c1c1", trace);
    trace.clear();
    RunStaticCleanups(1);
    EXPECT_EQ("", trace) << "the registry ended";
    EXPECT_FALSE(UnregisterStaticCleanup(CleanA, nullptr));
}

TEST_F(ZafStaticCleanupTest, LanguageChangeResetsOnlyLanguageEntriesWithReset)
{
    RegisterStaticCleanup(CleanA, ResetA, ZafLanguageResetID);
    RegisterStaticCleanup(CleanB, nullptr, ZafLanguageResetID);
    RegisterStaticCleanup(CleanC, ResetB, 0);
    RunStaticCleanups(0);
    EXPECT_EQ("a1A", trace);
    trace.clear();
    RunStaticCleanups(1);
    EXPECT_EQ("a1b1c1", trace) << "the language run ends nothing";
}

TEST_F(ZafStaticCleanupTest, UnregisterRemovesTheLastMatchingEntry)
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
}

void CleanAndUnregisterNext(std::uint8_t) { trace += "x"; UnregisterStaticCleanup(CleanB, ResetB); }
void ResetNothing() {}

TEST_F(ZafStaticCleanupTest, EntriesMayChangeWhileTheyRun)
{
    RegisterStaticCleanup(CleanAndUnregisterNext, ResetNothing, ZafLanguageResetID);
    RegisterStaticCleanup(CleanB, ResetB, ZafLanguageResetID);
    RunStaticCleanups(0);
    EXPECT_EQ("x", trace) << "the entry removed before its turn is not called";
    trace.clear();
    RunStaticCleanups(1);
    EXPECT_EQ("x", trace);
}

} // namespace
