// mervalo.exe as a user starts it: from the build's bin directory it reads
// its main window from the MERVALO.ZNC the build generated, shows it, opens
// the data set named on its command line and ends with code 0 when the main
// window closes; a copy of the program in a directory without MERVALO.ZNC,
// or without its language file, shows its error message and ends with
// code 1.
#include "../support/TempDirectory.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

namespace {

const std::string binDirectory = MERVALO_BIN_DIR;

struct WindowSearch
{
    DWORD processId;
    const char *caption;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data)
{
    auto *search = reinterpret_cast<WindowSearch *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char text[64] = "";
    GetWindowTextA(window, text, sizeof text);
    if (owner != search->processId || !IsWindowVisible(window) || search->caption != std::string(text))
        return TRUE;
    search->found = window;
    return FALSE;
}

struct Program
{
    PROCESS_INFORMATION process = {};
    bool started = false;

    explicit Program(const std::string &commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::vector<char> line(commandLine.begin(), commandLine.end());
        line.push_back('\0');
        started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                 &process) != FALSE;
    }
    ~Program()
    {
        if (!started)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }

    // The program's visible top-level window with this caption, waiting up
    // to 20 seconds for it; null when none came.
    HWND WaitForWindow(const char *caption) const
    {
        WindowSearch search = {process.dwProcessId, caption, nullptr};
        for (int i = 0; i < 400 && !search.found; ++i) {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            if (!search.found && WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0)
                break;
        }
        return search.found;
    }

    // The exit code, waiting up to 20 seconds; -1 when the program runs on.
    long ExitCode() const
    {
        if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        return static_cast<long>(code);
    }
};

bool FileExists(const std::string &name)
{
    return GetFileAttributesA(name.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(Program, ShowsItsMainWindowWithTheSampleSurveyOpenAndEndsWhenItCloses)
{
    const std::string survey = binDirectory + "/samples/survey.QVF";
    const std::string lock = binDirectory + "/samples/survey.lck";
    ASSERT_TRUE(FileExists(binDirectory + "/MERVALO.ZNC"));
    ASSERT_TRUE(FileExists(survey));
    Program program("\"" + binDirectory + "/mervalo.exe\" /ns \"" + survey + "\"");
    ASSERT_TRUE(program.started);
    // The main window's caption is its title's text.
    HWND mainWindow = program.WaitForWindow("Mervalo");
    ASSERT_NE(nullptr, mainWindow);
    // The data set opens after the main window shows; once open it holds its
    // lock file.
    for (int i = 0; i < 200 && !FileExists(lock); ++i)
        Sleep(50);
    EXPECT_TRUE(FileExists(lock));
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, program.ExitCode());
    EXPECT_FALSE(FileExists(lock));
}

TEST(Program, ChoosingExitInTheFileMenuEndsTheProgram)
{
    Program program("\"" + binDirectory + "/mervalo.exe\" /ns");
    ASSERT_TRUE(program.started);
    HWND mainWindow = program.WaitForWindow("Mervalo");
    ASSERT_NE(nullptr, mainWindow);
    // The command Windows sends when Exit is picked (the program's menus
    // are not readable from another process under Wine; Exit is 1001).
    PostMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(1001, 0), 0);
    EXPECT_EQ(0, program.ExitCode());
}

// A copy of the program with the given files of the build beside it shows
// this error message and ends with code 1 once it is answered.
void ExpectStartFailure(const std::vector<std::string> &files, const char *expected)
{
    const testsupport::TempDirectory directory("mervaloalone");
    std::vector<std::string> all = {"mervalo.exe"};
    all.insert(all.end(), files.begin(), files.end());
    for (const std::string &file : all)
        ASSERT_TRUE(CopyFileA((binDirectory + "/" + file).c_str(), directory.File(file).c_str(), FALSE));
    {
        Program program("\"" + directory.File("mervalo.exe") + "\"");
        ASSERT_TRUE(program.started);
        HWND message = program.WaitForWindow("Error");
        ASSERT_NE(nullptr, message);
        char text[128] = "";
        // The message box's text is its static control 0xFFFF.
        GetDlgItemTextA(message, 0xFFFF, text, sizeof text);
        EXPECT_STREQ(expected, text);
        PostMessageA(message, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(1, program.ExitCode());
    }
}

TEST(Program, WithoutItsUIDataFileShowsTheMessageAndEnds)
{
    ExpectStartFailure({}, "mervalo.znc could not be found.");
}

TEST(Program, WithoutItsLanguageFileShowsTheMessageAndEnds)
{
    ExpectStartFailure({"MERVALO.ZNC"}, "No language file (.btx) present. The program terminates.");
}

} // namespace
