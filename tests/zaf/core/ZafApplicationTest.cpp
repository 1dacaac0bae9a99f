#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

struct SplitCase
{
    const char *line;
    Arguments expected;
};

class SplitCommandLine : public testing::TestWithParam<SplitCase>
{
};

TEST_P(SplitCommandLine, ProgramPathFirstThenEachArgument)
{
    Arguments expected = {"C:\\prog\\mervalo.exe"};
    expected.insert(expected.end(), GetParam().expected.begin(), GetParam().expected.end());
    EXPECT_EQ(ZafApplication::SplitCommandLine("C:\\prog\\mervalo.exe", GetParam().line), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, SplitCommandLine,
    testing::Values(SplitCase{"", {}}, SplitCase{nullptr, {}}, SplitCase{"  \t ", {}},
                    SplitCase{"/ns", {"/ns"}}, SplitCase{"a b\tc", {"a", "b", "c"}},
                    SplitCase{"  a   b  ", {"a", "b"}},
                    SplitCase{"\"C:\\My Data\\survey.qvf\" /ns", {"C:\\My Data\\survey.qvf", "/ns"}},
                    SplitCase{"x\"a b\"y", {"xa by"}}, SplitCase{"\"\" b", {"", "b"}},
                    SplitCase{"\"open to the end", {"open to the end"}},
                    SplitCase{"\"tab\tinside\"", {"tab\tinside"}}));

std::vector<std::string> steps;

const ZafStartupSteps recordingSteps = {
    [] { steps.push_back(std::string("data manager display=") + (zafScreenDisplay ? "yes" : "no")); },
    [](const char *name) { steps.push_back(std::string("i18n ") + (name ? name : "null")); },
    [](const char *path) {
        steps.push_back(std::string("path display=") + (zafScreenDisplay ? "yes" : "no") + " " + (path ? path : ""));
    },
    [] { steps.push_back("i18n.znc"); },
    [](const char *name) -> const char * {
        steps.push_back(std::string("reset ") + (name ? name : "null"));
        return name ? name : "en";
    },
    [](int flag) {
        steps.push_back("cleanups " + std::to_string(flag) + " display=" + (zafScreenDisplay ? "yes" : "no"));
    },
};

int mainCalls = 0;
std::string seenProgram;

int RecordingMain(ZafApplication &application)
{
    ++mainCalls;
    seenProgram = application.ProgramPath();
    EXPECT_EQ(zafApplication, &application);
    EXPECT_NE(zafScreenDisplay, nullptr);
    EXPECT_NE(zafEventManager, nullptr);
    EXPECT_NE(zafWindowManager, nullptr);
    EXPECT_STREQ(application.Argument(1), "two words");
    EXPECT_EQ(application.Argument(2), nullptr);
    return 42;
}

} // namespace

TEST(ZafApplication, APreviousInstanceEndsAtOnceWithoutMain)
{
    mainCalls = 0;
    EXPECT_EQ(ZafApplication::WinMain(GetModuleHandleA(nullptr), reinterpret_cast<HINSTANCE>(1), "", SW_SHOW,
                                      RecordingMain),
              0);
    EXPECT_EQ(mainCalls, 0);
}

TEST(ZafApplication, EntryBuildsTheApplicationCallsMainAndClearsTheGlobals)
{
    mainCalls = 0;
    EXPECT_EQ(ZafApplication::WinMain(GetModuleHandleA(nullptr), nullptr, "\"two words\"", SW_SHOW, RecordingMain),
              42);
    EXPECT_EQ(mainCalls, 1);
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof(path));
    EXPECT_EQ(seenProgram, path);
    EXPECT_EQ(zafApplication, nullptr);
    EXPECT_EQ(zafScreenDisplay, nullptr);
    EXPECT_EQ(zafEventManager, nullptr);
    EXPECT_EQ(zafWindowManager, nullptr);
    WNDCLASSA c;
    for (const char *name : {"ZafWindow", "ZafMDIFrame", "ZafMDIChild"})
        EXPECT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), name, &c)) << name;
}

TEST(ZafApplication, RunsTheDataLayersStepsInStartUpOrderAndCleansUpLast)
{
    steps.clear();
    ZafStartupSteps previous = ZafApplication::SetStartupSteps(recordingSteps);
    {
        ZafApplication application(GetModuleHandleA(nullptr), {"C:\\prog\\mervalo.exe"});
        EXPECT_EQ(application.ProgramDirectory(), "C:\\prog\\");
    }
    ZafApplication::SetStartupSteps(previous);
    std::vector<std::string> expected = {
        "data manager display=no", "i18n null", "path display=yes C:\\prog\\mervalo.exe", "i18n.znc",
        "reset null",              "cleanups 1 display=no"};
    EXPECT_EQ(steps, expected);
}

TEST(ZafApplication, PlatformKindFromThePlatformID)
{
    EXPECT_EQ(ZafApplication::PlatformOf(VER_PLATFORM_WIN32s), ZAF_PLATFORM_WIN32S);
    EXPECT_EQ(ZafApplication::PlatformOf(VER_PLATFORM_WIN32_WINDOWS), ZAF_PLATFORM_WINDOWS_9X);
    EXPECT_EQ(ZafApplication::PlatformOf(VER_PLATFORM_WIN32_NT), ZAF_PLATFORM_WINDOWS_NT);
    EXPECT_EQ(ZafApplication::PlatformOf(7), ZAF_PLATFORM_UNKNOWN);
}
