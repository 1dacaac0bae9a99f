#include "dataset/ProgramSettings.h"

#include "DataSetFixture.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/MemoryBudget.h"
#include "dataset/RegistrySettings.h"

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

namespace {

// "DecimalsPct" outside 0 to 15 (100, or 0xFFFFFFFB: -5 as a 32-bit word)
// is taken as the default 1: more decimals than a double holds printed two
// percentages as one run of digits.
TEST(ProgramSettings, PercentageDecimalsOutsideWhatADoubleHoldsAreTheDefault)
{
    const SettingsSection *values = FindSettingsSection(4);
    const struct
    {
        unsigned long stored;
        int read;
    } cases[] = {{0, 0}, {15, 15}, {16, 1}, {100, 1}, {0xFFFFFFFBul, 1}};
    for (const auto &c : cases) {
        ASSERT_TRUE(RegistrySettings::WriteValueInSection(values, "DecimalsPct", c.stored));
        EXPECT_EQ(ProgramSettings::Instance()->DecimalsPct(), c.read) << c.stored;
    }
    RegistrySettings::DeleteKeyInSection(values, "DecimalsPct");
}

// Runs longname.exe (beside this test program) with a name length; its
// exit code.
DWORD TypeLongFileName(int length)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string program(self, n);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "longname.exe";
    std::string command = "\"" + program + "\" " + std::to_string(length);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << program;
        return 0xffffffff;
    }
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0xffffffff;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// The Save dialog gets the size of its MAX_PATH buffer; a longer name is
// refused by the dialog (Windows: FNERR_BUFFERTOOSMALL), and the program
// then has no file name. Under Wine a name of about 260 characters or more
// makes the common dialog itself write the wide name over its own stack
// ("xx" = 0x00780078 becomes the return address): the process ends with an
// access violation inside comdlg32, before the program gets control back,
// whatever buffer size it passed. A minimal program calling
// GetSaveFileNameA with a MAX_PATH buffer ends the same way. That fault is
// Wine's; the program keeps the Windows behaviour and never takes a cut name.
TEST(ProgramSettings, ASaveNameLongerThanThePathBufferIsNeverTakenCut)
{
    // A name that makes a full path of 262 characters in the working
    // directory, where the child starts.
    char directory[MAX_PATH];
    const int prefix = static_cast<int>(GetCurrentDirectoryA(sizeof directory, directory)) + 1;
    ASSERT_LT(prefix, 200);
    EXPECT_EQ(TypeLongFileName(MAX_PATH + 2 - prefix), 0u) << "a path of 262 characters";
    const DWORD code = TypeLongFileName(300);
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    if (wine && code == EXCEPTION_ACCESS_VIOLATION)
        std::printf("[ note ] Wine's common dialog overwrote its stack with a 300-character name\n");
    else
        EXPECT_EQ(code, 0u) << "a name of 300 characters";
}

} // namespace
