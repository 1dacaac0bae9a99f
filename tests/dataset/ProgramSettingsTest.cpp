#include "dataset/ProgramSettings.h"

#include "DataSetFixture.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/MemoryBudget.h"
#include "dataset/RegistrySettings.h"

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

// A save name past the MAX_PATH buffer is refused (FNERR_BUFFERTOOSMALL).
// Under Wine a name of about 270 characters makes the common dialog write
// it in UTF-16 over its own stack (return address "xx" = 0x00780078), as a
// minimal GetSaveFileNameA caller shows too: Wine's fault, taken as known.
std::string longName;
VOID CALLBACK TypeLongName(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (HWND dialog = FindWindowA("#32770", nullptr)) {
        KillTimer(nullptr, timer);
        SetWindowTextA(GetDlgItem(dialog, 0x47c), longName.c_str());
        PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
}

TEST(ProgramSettings, ASaveNameLongerThanThePathBufferIsNeverTakenCut)
{
    if (const char *typed = std::getenv("MERVALO_LONG_NAME")) { // the child this test starts
        longName.assign(static_cast<size_t>(std::atoi(typed)), 'x');
        SetTimer(nullptr, 0, 100, TypeLongName);
        std::exit(ProgramSettings::Instance()->AskSaveFileName("txt") ? 2 : 0);
    }
    char self[MAX_PATH], directory[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    const int prefix = static_cast<int>(GetCurrentDirectoryA(sizeof directory, directory)) + 1;
    auto run = [&self](int length) {
        SetEnvironmentVariableA("MERVALO_LONG_NAME", std::to_string(length).c_str());
        std::string command = std::string("\"") + self + "\" --gtest_filter=ProgramSettings.ASaveName*";
        STARTUPINFOA startup = {sizeof startup};
        PROCESS_INFORMATION process = {};
        DWORD code = 0xffffffff;
        if (CreateProcessA(self, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            WaitForSingleObject(process.hProcess, 60000), GetExitCodeProcess(process.hProcess, &code);
        SetEnvironmentVariableA("MERVALO_LONG_NAME", nullptr);
        return code;
    };
    EXPECT_EQ(run(MAX_PATH + 2 - prefix), 0u) << "a path of 262 characters";
    const DWORD code = run(300);
    if (!GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") || code != EXCEPTION_ACCESS_VIOLATION)
        EXPECT_EQ(code, 0u) << "a name of 300 characters";
}
