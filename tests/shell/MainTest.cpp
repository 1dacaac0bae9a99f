// Main's start-up and end: the main window comes from MERVALO.ZNC in the
// program's directory, is shown, and closing it ends the loop and the
// program with the UI data file's globals deleted; a missing or unreadable
// file ends the program with its message. Reports are answered through the
// error system's answer hook, and a thread timer closes the main window
// once the loop runs.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "dataset/AssumeError.h"
#include "dataset/DATASET.h"
#include "dataset/DataSetBuilder.h"
#include "dataset/ProgramSettings.h"
#include "shell/Main.h"
#include "shell/MainWindowDefinition.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/core/ZafText.h"
#include "zaf/core/ZafWindowManager.h"
#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

namespace {

struct Reports
{
    int count = 0;
    std::string title, message;
} reports;

ZafEventType RecordReport(ZafWindowObject *, const char *title, unsigned, const char *message)
{
    reports.count++;
    reports.title = title ? title : "";
    reports.message = message ? message : "";
    return ZAF_DIALOG_OK;
}

// What the timer saw of the running program.
struct Seen
{
    bool mainWindow = false;
    bool visible = false;
    bool globals = false;
    std::string dataSet;
} seen;

void CALLBACK CloseMainWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    auto *window = dynamic_cast<ZafMDIWindow *>(zafWindowManager->FirstWindow());
    seen.globals = uiStorage && userPersist;
    if (DATASET *open = ProgramSettings::Instance()->GetDataSet(0))
        seen.dataSet = open->GetFileName();
    if (!window)
        return;
    seen.mainWindow = window->StringID() && std::string(window->StringID()) == mainWindowName;
    seen.visible = IsWindowVisible(window->OSHandle(2)) != FALSE;
    PostMessageA(window->OSHandle(2), WM_CLOSE, 0, 0);
}

class MainTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        char base[MAX_PATH];
        GetTempPathA(sizeof base, base);
        directory = std::string(base) + "mervalomain" + std::to_string(GetCurrentProcessId()) + "_" +
                    std::to_string(serial++);
        CreateDirectoryA(directory.c_str(), nullptr);
        reports = Reports();
        seen = Seen();
        previousHook = ZafErrorStub::SetAnswerHook(RecordReport);
    }
    void TearDown() override
    {
        ZafErrorStub::SetAnswerHook(previousHook);
        ZafDiskFileSystem disk;
        disk.RmDir(directory.c_str(), true);
    }

    std::string UIFile() const { return directory + "\\MERVALO.ZNC"; }

    void WriteMainWindow()
    {
        ZafStorage storage(UIFile().c_str(), ZafStorage::CreateTree);
        std::unique_ptr<ZafObjectPersistence> persistence(ZafPersistenceRegistry::MakePersistence(&storage));
        std::unique_ptr<ZafMDIWindow> window(MakeMainWindowDefinition());
        window->Write(*persistence);
        ASSERT_EQ(0u, persistence->Error());
        ASSERT_EQ(0u, storage.Save());
    }

    int RunMain(std::vector<std::string> switches = {})
    {
        std::vector<std::string> arguments = {directory + "\\mervalo.exe"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        ZafApplication application(GetModuleHandleA(nullptr), arguments);
        return Main(application);
    }

    std::string directory;
    ZafErrorStub::AnswerHook previousHook = nullptr;
    static int serial;
};

int MainTest::serial = 0;

TEST_F(MainTest, ShowsTheMainWindowFromTheUIDataFileAndEndsWhenItCloses)
{
    WriteMainWindow();
    SetTimer(nullptr, 0, 10, CloseMainWindow);
    EXPECT_EQ(0, RunMain());
    EXPECT_TRUE(seen.mainWindow);
    EXPECT_TRUE(seen.visible);
    EXPECT_TRUE(seen.globals);
    EXPECT_EQ(nullptr, uiStorage);
    EXPECT_EQ(nullptr, userPersist);
    EXPECT_EQ(0, reports.count);
}

TEST_F(MainTest, MissingOrUnreadableUIDataFileEndsWithTheMessage)
{
    EXPECT_EQ(1, RunMain());
    EXPECT_EQ(1, reports.count);
    EXPECT_EQ("Error", reports.title);
    EXPECT_EQ("mervalo.znc could not be found.", reports.message);

    // A file that is not a UI data file at all.
    std::FILE *file = std::fopen(UIFile().c_str(), "wb");
    ASSERT_NE(nullptr, file);
    std::fputs("not a UI data file", file);
    std::fclose(file);
    EXPECT_EQ(1, RunMain());
    EXPECT_EQ(2, reports.count);
    EXPECT_EQ(nullptr, uiStorage);
    EXPECT_EQ(nullptr, userPersist);
}

TEST_F(MainTest, UIDataFileWithoutTheMainWindowEndsWithTheMessage)
{
    {
        ZafStorage storage(UIFile().c_str(), ZafStorage::CreateTree);
        ASSERT_EQ(0u, storage.Save());
    }
    EXPECT_EQ(1, RunMain());
    EXPECT_EQ(1, reports.count);
    EXPECT_EQ(nullptr, userPersist);
}

TEST_F(MainTest, OpensTheDataSetNamedOnTheCommandLineForTheRunAndReportsOneThatFails)
{
    WriteMainWindow();
    const std::string name = directory + "\\start survey.QVF";
    {
        DataSetBuilder builder;
        ASSERT_EQ(0, builder.ReadDescription("variable age\ntype u8\n"));
        ASSERT_EQ(0, builder.ReadCsv("age\n30\n41\n"));
        ASSERT_EQ(0, builder.Write(name.c_str())) << builder.GetErrorText();
    }
    // A name with a blank comes as two arguments and is joined again.
    SetTimer(nullptr, 0, 10, CloseMainWindow);
    EXPECT_EQ(0, RunMain({directory + "\\start", "survey.QVF"}));
    EXPECT_EQ(0, reports.count) << reports.message;
    EXPECT_EQ(0, CompareTextNoCase(name.c_str(), seen.dataSet.c_str())) << seen.dataSet;
    EXPECT_EQ(nullptr, ProgramSettings::Instance()->GetDataSet(0));

    // A data set that does not open is reported and the program runs on.
    seen = Seen();
    SetTimer(nullptr, 0, 10, CloseMainWindow);
    EXPECT_EQ(0, RunMain({directory + "\\absent.QVF"}));
    EXPECT_TRUE(seen.mainWindow);
    EXPECT_EQ("", seen.dataSet);
    ASSERT_EQ(1, reports.count);
    EXPECT_EQ("Error", reports.title);
    EXPECT_NE(std::string::npos, reports.message.find("absent.QVF")) << reports.message;

    // The data-set layer's failed checks reach the error system.
    seen = Seen();
    SetTimer(nullptr, 0, 10, CloseMainWindow);
    AssumeReportHook previous = SetAssumeReportHook(nullptr);
    RunMain();
    EXPECT_EQ(0, AssumeError(false, "check.cpp", 12, "a broken promise"));
    SetAssumeReportHook(previous);
    ASSERT_EQ(2, reports.count);
    EXPECT_EQ("Assume Error", reports.title);
    EXPECT_NE(std::string::npos, reports.message.find("a broken promise")) << reports.message;
}

TEST_F(MainTest, RegServerEndsAtOnceWithoutLookingForTheFile)
{
    EXPECT_EQ(0, RunMain({"/regserver"}));
    EXPECT_EQ(0, reports.count);
}

} // namespace
