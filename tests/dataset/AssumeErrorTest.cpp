#include "dataset/AssumeError.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Report
{
    int count = 0;
    std::string title, first, second;
};
Report g_report;

void Capture(const char *title, const char *first, const char *second)
{
    g_report = {g_report.count + 1, title, first, second};
}

TEST(AssumeError, OnlyAFailedConditionShowsSourceLineAndTextSafelyBounded)
{
    g_report = Report();
    AssumeReportHook previous = SetAssumeReportHook(Capture);
    EXPECT_EQ(AssumeError(true, "oxtabgr", 12, "never shown"), 1);
    EXPECT_EQ(g_report.count, 0);
    EXPECT_EQ(AssumeError(false, "ODeskriptEnveis", 417, "Internal error: Duru-object is NULL"), 0);
    ASSERT_EQ(g_report.count, 1);
    EXPECT_EQ(g_report.title, "Assume Error");
    EXPECT_EQ(g_report.first, "ODeskriptEnveis 417");
    EXPECT_EQ(g_report.second, "Internal error: Duru-object is NULL");
    // Missing texts and an overlong source name.
    EXPECT_EQ(AssumeError(false, nullptr, -3, nullptr), 0);
    EXPECT_EQ(g_report.first, " -3");
    EXPECT_EQ(g_report.second, "");
    std::string longName(5000, 's');
    EXPECT_EQ(AssumeError(false, longName.c_str(), 9, "t"), 0);
    EXPECT_LT(g_report.first.size(), 300u);
    EXPECT_EQ(g_report.first.compare(0, 10, std::string(10, 's')), 0);
    SetAssumeReportHook(previous);
}

} // namespace
