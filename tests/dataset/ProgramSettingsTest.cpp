#include "dataset/ProgramSettings.h"

#include "DataSetFixture.h"
#include "dataset/DATASET.h"
#include "dataset/FileNameDialog.h"
#include "dataset/KATLABS.h"
#include "dataset/MemoryBudget.h"
#include "dataset/RegistrySettings.h"

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

std::string openedName;

void OpenTheTestDataSet()
{
    ProgramSettings::Instance()->OpenDataSet(openedName.c_str(), DATASET_READONLY);
}

TEST(ProgramSettings, ReadsEachSettingWhenAskedWithItsDefault)
{
    const SettingsSection *values = FindSettingsSection(4), *graphics = FindSettingsSection(5);
    RegistrySettings::DeleteKeyInSection(values, "DecimalsPct");
    RegistrySettings::DeleteKeyInSection(graphics, "GridSize");
    ProgramSettings *settings = ProgramSettings::Instance();
    EXPECT_EQ(settings->DecimalsPct(), 1);
    EXPECT_EQ(settings->GridSize(), 10);
    EXPECT_TRUE(settings->SnapToGrid());
    EXPECT_FALSE(settings->ShowGrid());
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(values, "DecimalsPct", 3));
    ASSERT_TRUE(RegistrySettings::WriteValueInSection(graphics, "GridSize", 25));
    EXPECT_EQ(settings->DecimalsPct(), 3);
    EXPECT_EQ(settings->GridSize(), 25);
    RegistrySettings::DeleteKeyInSection(values, "DecimalsPct");
    RegistrySettings::DeleteKeyInSection(graphics, "GridSize");
}

// The memory budget is read from the registry and sizes every window: a
// value a 32-bit process cannot hold is taken as the default.
TEST(ProgramSettings, TheMemoryBudgetSettingIsInMiBAndKeptWithinItsRange)
{
    const SettingsSection *values = FindSettingsSection(4);
    ProgramSettings *settings = ProgramSettings::Instance();
    const size_t mib = 1024 * 1024;
    RegistrySettings::DeleteKeyInSection(values, "MemoryBudget");
    EXPECT_EQ(settings->MemoryBudgetBytes(), MemoryBudget::kDefaultMiB * mib);
    const struct
    {
        unsigned long stored;
        size_t expected;
    } cases[] = {{16, 16}, {1536, 1536}, {15, 256}, {1537, 256}, {4000000000UL, 256}};
    for (const auto &c : cases) {
        ASSERT_TRUE(RegistrySettings::WriteValueInSection(values, "MemoryBudget", c.stored));
        EXPECT_EQ(settings->MemoryBudgetBytes(), c.expected * mib) << c.stored;
    }
    MemoryBudget::SetLimitOverride(5 * mib);
    EXPECT_EQ(settings->MemoryBudgetBytes(), 5 * mib);
    MemoryBudget::SetLimitOverride(0);
    RegistrySettings::DeleteKeyInSection(values, "MemoryBudget");
}

TEST(ProgramSettings, OpensTheCurrentDataSetOnDemandForLabelsAndCaptions)
{
    TempDirectory dir;
    openedName = dir.File("p.QVF");
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), openedName), 0);
    ProgramSettings *settings = ProgramSettings::Instance();
    settings->CloseDataSet();
    EXPECT_EQ(settings->GetDataSet(1), nullptr); // no open command installed yet
    settings->SetOpenDataSetCommand(OpenTheTestDataSet);
    EXPECT_EQ(settings->GetDataSet(0), nullptr);
    DATASET *dataSet = settings->GetDataSet(1);
    ASSERT_NE(dataSet, nullptr);
    EXPECT_EQ(dataSet->GetCaseCount(), 12);
    // Labels and captions of the current data set need no data set argument.
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(1));
    EXPECT_EQ(labels->GetCount(), 3);
    std::unique_ptr<char[]> caption(ReadVariableCaption(2));
    EXPECT_STREQ(caption.get(), "i16v: Two bytes");
    caption.reset(ReadVariableCaption(5)); // name, ": " and a 70-character label, whole
    EXPECT_EQ(std::strlen(caption.get()), 4u + 2u + 70u);
    caption.reset(ReadVariableCaption(0));
    EXPECT_STREQ(caption.get(), "");
    EXPECT_NE(settings->OpenDataSet(dir.File("absent.QVF").c_str()), 0);
    EXPECT_EQ(settings->GetDataSet(0), nullptr);
    settings->SetOpenDataSetCommand(nullptr);
    std::unique_ptr<KATLABS> none(KATLABS::ConstructAndRead(1));
    EXPECT_EQ(none->Error(), DSERR_NO_DATASET);
}

} // namespace

// The file name field of the Save dialog takes at most what fits the
// program's MAX_PATH buffer with the folder and the default extension; the
// dialog then gives the whole name back. On Windows the dialog answers a
// name past the buffer with FNERR_BUFFERTOOSMALL and never writes past it;
// Wine's dialog copies the folder and the typed name into a path buffer of
// its own without a bound (311 typed characters overwrite its stack: "page
// fault at address 00610061", the typed "aa"), so the program limits the
// field and the fault is never reached. A name set into the field past the
// limit (SetWindowText, as a paste of a whole path could) is still refused.
// Each case runs in a child process, so that a fault ends only the child.
std::string longName;
bool typeLongName = false;
std::string resultFile;
char taken[MAX_PATH + 16] = "";

VOID CALLBACK ReadFieldAndPressOk(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = FindWindowA("#32770", nullptr);
    HWND field = dialog ? GetDlgItem(dialog, 0x47c) : nullptr;
    char folder[MAX_PATH * 2] = "";
    const LRESULT folderSize =
        dialog ? SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder)) : 0;
    const std::string seen = std::to_string(field ? GetWindowTextLengthA(field) : -1) + " " +
                             std::to_string(folderSize) + "\n";
    testsupport::WriteWholeFile(resultFile, std::vector<unsigned char>(seen.begin(), seen.end()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

VOID CALLBACK TypeLongName(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND dialog = FindWindowA("#32770", nullptr);
    HWND field = dialog ? GetDlgItem(dialog, 0x47c) : nullptr;
    if (!field)
        return;
    KillTimer(nullptr, timer);
    if (typeLongName) {
        // Keys as the keyboard gives them, into the combo box's edit field.
        HWND edit = FindWindowExA(field, nullptr, "Edit", nullptr);
        for (char c : longName)
            PostMessageA(edit ? edit : field, WM_CHAR, static_cast<unsigned char>(c), 1);
    } else {
        SetWindowTextA(field, longName.c_str());
    }
    // A timer comes only once the typed keys are taken.
    SetTimer(nullptr, 0, 10, ReadFieldAndPressOk);
}

struct LongNameRun
{
    DWORD exitCode = 0xffffffff;
    int fieldLength = -1; // after typing
    int folderSize = -1;  // as the dialog gives it, terminator counted
    std::string name;     // the name the dialog gave back ("" refused)
};

TEST(ProgramSettings, TheSaveDialogsNameFieldTakesAtMostItsBufferAndTheProgramLives)
{
    if (const char *typed = std::getenv("MERVALO_LONG_NAME")) { // the child this test starts
        longName.assign(static_cast<size_t>(std::atoi(typed)), 'a');
        typeLongName = std::getenv("MERVALO_LONG_NAME_TYPED") != nullptr;
        resultFile = std::getenv("MERVALO_LONG_NAME_RESULT");
        SetTimer(nullptr, 0, 100, TypeLongName);
        std::unique_ptr<char[]> name(ProgramSettings::Instance()->AskSaveFileName("txt"));
        const std::string answer = name ? name.get() : "";
        std::vector<unsigned char> seen = testsupport::ReadWholeFile(resultFile);
        seen.insert(seen.end(), answer.begin(), answer.end());
        testsupport::WriteWholeFile(resultFile, seen);
        std::exit(0);
    }
    TempDirectory dir;
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    auto run = [&](int length, bool typed) {
        LongNameRun result;
        const std::string file = dir.File("run.txt");
        DeleteFileA(file.c_str());
        SetEnvironmentVariableA("MERVALO_LONG_NAME", std::to_string(length).c_str());
        SetEnvironmentVariableA("MERVALO_LONG_NAME_TYPED", typed ? "1" : nullptr);
        SetEnvironmentVariableA("MERVALO_LONG_NAME_RESULT", file.c_str());
        std::string command = std::string("\"") + self + "\" --gtest_filter=ProgramSettings.TheSaveDialogs*";
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (CreateProcessA(self, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
            WaitForSingleObject(process.hProcess, 60000);
            GetExitCodeProcess(process.hProcess, &result.exitCode);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        SetEnvironmentVariableA("MERVALO_LONG_NAME", nullptr);
        SetEnvironmentVariableA("MERVALO_LONG_NAME_TYPED", nullptr);
        SetEnvironmentVariableA("MERVALO_LONG_NAME_RESULT", nullptr);
        const std::vector<unsigned char> bytes = testsupport::ReadWholeFile(file);
        const std::string text(bytes.begin(), bytes.end());
        const size_t line = text.find('\n');
        if (line != std::string::npos) {
            std::sscanf(text.c_str(), "%d %d", &result.fieldLength, &result.folderSize);
            result.name = text.substr(line + 1);
        }
        return result;
    };

    const LongNameRun typed = run(311, true);
    ASSERT_EQ(typed.exitCode, 0u) << "the program lives";
    ASSERT_GT(typed.folderSize, 1);
    const int limit = FileNameFieldLimit(MAX_PATH, typed.folderSize, 3);
    EXPECT_EQ(typed.fieldLength, limit) << "311 characters typed";
    EXPECT_EQ(typed.name.size(), static_cast<size_t>(MAX_PATH - 1)) << typed.name;
    EXPECT_EQ(typed.name.substr(typed.name.size() - 4), ".txt");

    const LongNameRun set = run(limit + 2, false);
    EXPECT_EQ(set.exitCode, 0u);
    EXPECT_EQ(set.name, "") << "a name past the buffer is refused, never taken cut";
}
