// Running Main as the program does, from a directory of its own: the test
// writes the UI data file (and, unless told not to, a small language file)
// there, starts Main with the switches it gives and drives the running
// program through steps. Each step runs inside Main's event loop (or the
// modal loop the step before opened), one step each time the loop is idle;
// the last step closes the
// main window. Reports are answered through the error system's answer hook.
// The last data set used is remembered in a settings section of the test's
// own (mervalo.exe, started by other tests at the same time, writes the
// program's).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dataset/DataSetBuilder.h"
#include "dataset/RegistrySettings.h"
#include "shell/Main.h"
#include "shell/MainWindowDefinition.h"
#include "shell/QIVprog.h"
#include "zaf/core/ZafApplication.h"
#include "zaf/core/ZafErrorStub.h"
#include "zaf/core/ZafMDIWindow.h"
#include "zaf/data/ZafDiskFile.h"
#include "zaf/data/ZafPersistenceRegistry.h"
#include "zaf/data/ZafStorage.h"

#include "tests/shell/ShellUIFile.h"
#include "tests/support/ModalLoop.h"
#include "tests/support/TempDirectory.h"

namespace mainsupport {

struct Reports
{
    int count = 0;
    std::string title, message;
};
inline Reports reports;

inline ZafEventType RecordReport(ZafWindowObject *, const char *title, unsigned, const char *message)
{
    reports.count++;
    reports.title = title ? title : "";
    reports.message = message ? message : "";
    return ZAF_DIALOG_OK;
}

inline std::vector<std::function<void()>> steps;
inline std::size_t nextStep = 0;

inline void RunStep()
{
    if (nextStep >= steps.size())
        return;
    // A step may run a modal loop of its own (a message box): the next step
    // runs inside it.
    const std::size_t step = nextStep++;
    testsupport::WhenModalLoopIdles(RunStep, 10);
    steps[step]();
}

inline QIVprog *MainWindow()
{
    return QIVprog::Instance();
}

// Closes the main window, which ends Main's loop.
inline void CloseMainWindow()
{
    if (QIVprog *window = MainWindow())
        PostMessageA(window->OSHandle(2), WM_CLOSE, 0, 0);
}

inline const std::string datasetsSectionName = "DatasetsTest" + std::to_string(GetCurrentProcessId());
inline const SettingsSection datasetsSectionEntry = {datasetsSectionName.c_str(), 3};
inline const SettingsSection *const datasetsSection = &datasetsSectionEntry;

class MainFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        scratch = std::make_unique<testsupport::TempDirectory>("mervalomain");
        directory = scratch->Path();
        reports = Reports();
        steps.clear();
        nextStep = 0;
        previousHook = ZafErrorStub::SetAnswerHook(RecordReport);
        QIVprog::SetLastDatasetSection(datasetsSection);
    }
    void TearDown() override
    {
        ZafErrorStub::SetAnswerHook(previousHook);
        RegistrySettings::DeleteSection(datasetsSection);
        QIVprog::SetLastDatasetSection(nullptr);
        scratch.reset();
    }

    std::string UIFile() const { return directory + "\\MERVALO.ZNC"; }
    std::string LanguageFile() const { return directory + "\\qivsteng.btx"; }

    void WriteMainWindow() { shellui::WriteShellWindows(UIFile()); }

    void WriteFile(const std::string &name, const std::string &content)
    {
        HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
        CloseHandle(file);
    }

    void WriteLanguageFile()
    {
        WriteFile(LanguageFile(), "# test texts\r\n1.12\tFrequencies\r\n1.13\tCrosstab\r\n1.47\tMaps\r\n");
    }

    // The program's files: the UI data file and the language file.
    void WriteProgramFiles()
    {
        WriteMainWindow();
        WriteLanguageFile();
    }

    // A small data set in the test's directory; its full path.
    std::string WriteDataSet(const std::string &base)
    {
        const std::string name = directory + "\\" + base;
        DataSetBuilder builder;
        EXPECT_EQ(0, builder.ReadDescription("variable age\ntype u8\n"));
        EXPECT_EQ(0, builder.ReadCsv("age\n30\n41\n"));
        EXPECT_EQ(0, builder.Write(name.c_str())) << builder.GetErrorText();
        return name;
    }

    // Runs Main with the switches; the steps run inside its loop, and a last
    // step closing the main window is added.
    int RunMain(std::vector<std::string> switches = {}, std::vector<std::function<void()>> script = {})
    {
        steps = std::move(script);
        steps.push_back(CloseMainWindow);
        nextStep = 0;
        testsupport::WhenModalLoopIdles(RunStep, 10);
        std::vector<std::string> arguments = {directory + "\\mervalo.exe"};
        arguments.insert(arguments.end(), switches.begin(), switches.end());
        ZafApplication application(GetModuleHandleA(nullptr), arguments);
        const int code = Main(application);
        testsupport::ForgetModalLoopSteps(); // the steps of a run that ended early
        steps.clear();
        return code;
    }

    std::unique_ptr<testsupport::TempDirectory> scratch;
    std::string directory;
    ZafErrorStub::AnswerHook previousHook = nullptr;
};

} // namespace mainsupport
