#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafEventManager.h"
#include "zaf/core/ZafGdiDisplay.h"
#include "zaf/core/ZafWindowManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Arguments = std::vector<std::string>;

std::vector<std::string> steps;

std::string Shown()
{
    return zafScreenDisplay ? "yes" : "no";
}

// Records each start-up step with whether the screen display exists then.
const ZafStartupSteps recordingSteps = {
    [] { steps.push_back("data manager display=" + Shown()); },
    [](const char *name) { steps.push_back(std::string("i18n ") + (name ? name : "null")); },
    [](const char *path) { steps.push_back("path display=" + Shown() + " " + (path ? path : "")); },
    [] { steps.push_back("i18n.znc"); },
    [](const char *name) -> const char * {
        steps.push_back(std::string("reset ") + (name ? name : "null"));
        return name ? name : "en";
    },
    [](int flag) { steps.push_back("cleanups " + std::to_string(flag) + " display=" + Shown()); },
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

TEST(ZafApplication, SplitCommandLinePutsTheProgramPathFirstThenEachArgument)
{
    const std::pair<const char *, Arguments> cases[] = {
        {"", {}},
        {nullptr, {}},
        {"  \t ", {}},
        {"/ns", {"/ns"}},
        {"a b\tc", {"a", "b", "c"}},
        {"  a   b  ", {"a", "b"}},
        {"\"C:\\My Data\\survey.qvf\" /ns", {"C:\\My Data\\survey.qvf", "/ns"}},
        {"x\"a b\"y", {"xa by"}},
        {"\"\" b", {"", "b"}},
        {"\"open to the end", {"open to the end"}},
        {"\"tab\tinside\"", {"tab\tinside"}}};
    for (const auto &c : cases) {
        Arguments expected = {"C:\\prog\\mervalo.exe"};
        expected.insert(expected.end(), c.second.begin(), c.second.end());
        EXPECT_EQ(ZafApplication::SplitCommandLine("C:\\prog\\mervalo.exe", c.first), expected)
            << (c.first ? c.first : "<null>");
    }
}

TEST(ZafApplication, EntryBuildsTheApplicationCallsMainAndClearsTheGlobals)
{
    mainCalls = 0;
    // A previous instance ends at once without Main.
    EXPECT_EQ(
        ZafApplication::WinMain(GetModuleHandleA(nullptr), reinterpret_cast<HINSTANCE>(1), "", SW_SHOW, RecordingMain),
        0);
    EXPECT_EQ(mainCalls, 0);

    EXPECT_EQ(ZafApplication::WinMain(GetModuleHandleA(nullptr), nullptr, "\"two words\"", SW_SHOW, RecordingMain), 42);
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
    EXPECT_EQ(steps, (std::vector<std::string>{"data manager display=no", "i18n null",
                                               "path display=yes C:\\prog\\mervalo.exe", "i18n.znc", "reset null",
                                               "cleanups 1 display=no"}));
}
