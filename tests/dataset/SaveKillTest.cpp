// Saves ended by a real process end at every step (savekill.exe ends itself
// there with TerminateProcess): the next open gives the old data set or the
// new one, never an error, and says which it did.
#include "dataset/DataSetWriter.h"

#include "DataSetFixture.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"

#include <memory>

namespace {

// Runs savekill.exe (beside this test program) and returns its exit code.
DWORD RunSaveKill(const char *mode, const std::string &qvf, int step)
{
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string program(self, n);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "savekill.exe";
    std::string command = "\"" + program + "\" " + mode + " \"" + qvf + "\" " + std::to_string(step);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << program;
        return 0xffffffff;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 0xffffffff;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

struct KillCase
{
    const char *mode; // savekill's mode
    int step;         // DataSetWriter::SaveStep where the process ends
};

class KilledSave : public ::testing::TestWithParam<KillCase>
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), qvf), 0);
        for (int f = 0; f < 3; ++f)
            before[f] = ReadWholeFile(dir.File(kFiles[f]));
    }
    bool Adds() const { return std::string(GetParam().mode) == "add"; }
    // The data set as it was before the save, byte for byte.
    void ExpectOld()
    {
        for (int f = 0; f < 3; ++f)
            EXPECT_EQ(ReadWholeFile(dir.File(kFiles[f])), before[f]) << kFiles[f];
    }
    // The data set the save wrote.
    void ExpectNew(DATASET &dataSet)
    {
        if (Adds()) {
            ASSERT_EQ(dataSet.GetVariableCount(), 9);
            LISTETYPE list(&dataSet, 9);
            for (long c = 0; c < 12; ++c) {
                ASSERT_TRUE(list.MoveNext());
                if (c == 3)
                    EXPECT_TRUE(list.IsCurrentSysMissing());
                else
                    EXPECT_EQ(list.GetCurrentReal(), c / 4.0);
            }
            std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(9, &dataSet));
            EXPECT_STREQ(labels->GetLabelText(0.0), "Zero");
            EXPECT_EQ(ReadWholeFile(dir.File("s.dkm")), before[2]);
        } else {
            ASSERT_EQ(dataSet.GetVariableCount(), 2);
            ASSERT_EQ(dataSet.GetCaseCount(), 5);
            LISTETYPE q(&dataSet, 2);
            for (long c = 0; c < 5; ++c) {
                ASSERT_TRUE(q.MoveNext());
                EXPECT_EQ(q.GetCurrentReal(), c * 1.5);
            }
            // Saved without documentation: the old one is gone.
            EXPECT_FALSE(FileExists(dir.File("s.dkm")));
        }
    }
    void ExpectNoLeftovers()
    {
        for (const std::string &name : dir.Files()) {
            EXPECT_EQ(name.find('$'), std::string::npos) << name << " left behind";
            EXPECT_NE(name, "s.QVC");
        }
    }
    // Opens as the program does and checks old or new by the step.
    void ExpectOpensAfter(int step)
    {
        DATASET dataSet;
        ASSERT_EQ(dataSet.Open(qvf.c_str()), 0) << dataSet.GetErrorText();
        if (step < DataSetWriter::SAVE_STEP_COMMITTED) {
            EXPECT_EQ(dataSet.GetSaveRecovery(), DataSetWriter::SAVE_RECOVERY_ROLLED_BACK);
            EXPECT_NE(std::string(dataSet.GetSaveRecoveryText()).find("as it was before"), std::string::npos);
            EXPECT_EQ(dataSet.GetVariableCount(), 8);
            ExpectOld();
        } else {
            EXPECT_EQ(dataSet.GetSaveRecovery(), step == DataSetWriter::SAVE_STEP_DONE
                                                     ? DataSetWriter::SAVE_RECOVERY_NONE
                                                     : DataSetWriter::SAVE_RECOVERY_FINISHED);
            ExpectNew(dataSet);
        }
        ExpectNoLeftovers();
    }

    static constexpr const char *kFiles[3] = {"s.QVF", "s.IND", "s.dkm"};
    TempDirectory dir;
    std::string qvf = dir.File("s.QVF");
    std::vector<unsigned char> before[3];
};

TEST_P(KilledSave, ReopensToTheOldOrTheNewDataSet)
{
    const int step = GetParam().step;
    ASSERT_EQ(RunSaveKill(GetParam().mode, qvf, step), static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
    ExpectOpensAfter(step);
}

// The save ends right after its commit; the open that finishes it is ended
// at one of the steps a recovery passes.
class KilledRecovery : public KilledSave
{};

TEST_P(KilledRecovery, IsFinishedByTheNextOpen)
{
    const int step = GetParam().step;
    ASSERT_EQ(RunSaveKill(GetParam().mode, qvf, DataSetWriter::SAVE_STEP_COMMITTED),
              static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
    ASSERT_EQ(RunSaveKill("open", qvf, step), static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
    ExpectOpensAfter(DataSetWriter::SAVE_STEP_COMMITTED);
}

std::vector<KillCase> EveryStep()
{
    std::vector<KillCase> cases;
    for (const char *mode : {"add", "rewrite"})
        for (int step = DataSetWriter::SAVE_STEP_VALUES_HALF; step < DataSetWriter::SAVE_STEP_COUNT; ++step)
            cases.push_back(KillCase{mode, step});
    return cases;
}

std::vector<KillCase> RecoverySteps()
{
    std::vector<KillCase> cases;
    for (const char *mode : {"add", "rewrite"})
        for (int step = DataSetWriter::SAVE_STEP_SYSTEM_FILE; step <= DataSetWriter::SAVE_STEP_DOC_FILE; ++step)
            cases.push_back(KillCase{mode, step});
    return cases;
}

std::string CaseName(const ::testing::TestParamInfo<KillCase> &info)
{
    return std::string(info.param.mode) + "_step" + std::to_string(info.param.step);
}

INSTANTIATE_TEST_SUITE_P(EveryStep, KilledSave, ::testing::ValuesIn(EveryStep()), CaseName);
INSTANTIATE_TEST_SUITE_P(EveryStep, KilledRecovery, ::testing::ValuesIn(RecoverySteps()), CaseName);

TEST(SaveRecovery, AReadOnlyOpenFinishesASaveUnlessAnotherProgramHoldsTheDataSet)
{
    TempDirectory dir;
    std::string qvf = dir.File("s.QVF");
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), qvf), 0);
    ASSERT_EQ(RunSaveKill("add", qvf, DataSetWriter::SAVE_STEP_INDEX_FILE),
              static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
    // A program holding the lock may be saving: a reader keeps off.
    HANDLE holder = CreateFileA(dir.File("s.lck").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    DATASET reader;
    EXPECT_EQ(reader.Open(qvf.c_str(), DATASET_READONLY), DSERR_LOCKED);
    CloseHandle(holder);
    std::string text;
    int error = -1;
    std::unique_ptr<DATASET> opened(OpenDataSet(qvf.c_str(), &error, DATASET_READONLY, &text));
    ASSERT_NE(opened, nullptr) << text;
    EXPECT_EQ(opened->GetSaveRecovery(), DataSetWriter::SAVE_RECOVERY_FINISHED);
    EXPECT_EQ(opened->GetVariableCount(), 9);
    // The lock was taken for the recovery only.
    EXPECT_FALSE(FileExists(dir.File("s.lck")));
}

// A committed save whose new system file was damaged after it was flushed:
// the open keeps the old data set, moves the save's files aside under the
// name its message gives, and a later open sees nothing left to recover.
class DamagedCommit : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), qvf), 0);
        ASSERT_EQ(RunSaveKill("add", qvf, DataSetWriter::SAVE_STEP_COMMITTED),
                  static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
        old = ReadWholeFile(qvf);
        temp = ReadWholeFile(dir.File("s.QV$"));
        ASSERT_GT(temp.size(), 600u);
    }
    void ExpectOldSetWithLeftoversAside(const char *why)
    {
        std::vector<unsigned char> damaged = ReadWholeFile(dir.File("s.QV$"));
        DATASET dataSet;
        ASSERT_EQ(dataSet.Open(qvf.c_str()), DSERR_NONE) << dataSet.GetErrorText();
        EXPECT_EQ(dataSet.GetSaveRecovery(), DataSetWriter::SAVE_RECOVERY_SET_ASIDE);
        std::string message = dataSet.GetSaveRecoveryText();
        EXPECT_NE(message.find(why), std::string::npos) << message;
        EXPECT_NE(message.find(dir.File("s-unchecked-save.QV$")), std::string::npos) << message;
        EXPECT_EQ(dataSet.GetVariableCount(), 8); // without the variable the save added
        dataSet.CloseFiles();
        EXPECT_EQ(ReadWholeFile(qvf), old);
        EXPECT_EQ(ReadWholeFile(dir.File("s-unchecked-save.QV$")), damaged);
        EXPECT_TRUE(FileExists(dir.File("s-unchecked-save.IN$")));
        EXPECT_TRUE(FileExists(dir.File("s-unchecked-save.QVC")));
        EXPECT_FALSE(DataSetWriter::HasSaveLeftovers(qvf.c_str()));
        DATASET again;
        ASSERT_EQ(again.Open(qvf.c_str()), DSERR_NONE) << again.GetErrorText();
        EXPECT_EQ(again.GetSaveRecovery(), DataSetWriter::SAVE_RECOVERY_NONE);
    }
    TempDirectory dir;
    std::string qvf = dir.File("s.QVF");
    std::vector<unsigned char> old, temp;
};

TEST_F(DamagedCommit, AValueByteChangedInTheRightSizeIsCaughtByTheChecksum)
{
    temp[temp.size() / 2 + 300] ^= 0x5a;
    WriteFileBytes(dir.File("s.QV$"), temp);
    ExpectOldSetWithLeftoversAside("checksum");
}

TEST_F(DamagedCommit, AFileOfTheWrongSizeIsSetAside)
{
    temp.resize(temp.size() - 10);
    WriteFileBytes(dir.File("s.QV$"), temp);
    ExpectOldSetWithLeftoversAside("not the size");
}

TEST_F(DamagedCommit, ARecordWithoutChecksumIsStillOpenedAsADataSetFirst)
{
    // A record written before checksums were kept: the files are still
    // checked as a data set, and a zeroed header keeps the old set.
    std::vector<unsigned char> record = ReadWholeFile(dir.File("s.QVC"));
    std::string text(record.begin(), record.end());
    size_t at = text.find("checksum ");
    ASSERT_NE(at, std::string::npos);
    text.erase(at, text.find("\r\n", at) + 2 - at);
    WriteFileBytes(dir.File("s.QVC"), std::vector<unsigned char>(text.begin(), text.end()));
    std::fill(temp.begin(), temp.begin() + 64, 0);
    WriteFileBytes(dir.File("s.QV$"), temp);
    ExpectOldSetWithLeftoversAside("damaged header");
}

TEST_F(DamagedCommit, ASecondSetAsideTakesAFreshName)
{
    WriteFileBytes(dir.File("s-unchecked-save.QVC"), std::vector<unsigned char>{'x'});
    temp[temp.size() - 1] ^= 1;
    WriteFileBytes(dir.File("s.QV$"), temp);
    DATASET dataSet;
    ASSERT_EQ(dataSet.Open(qvf.c_str()), DSERR_NONE) << dataSet.GetErrorText();
    EXPECT_NE(std::string(dataSet.GetSaveRecoveryText()).find("s-unchecked-save2.QV$"), std::string::npos);
    EXPECT_TRUE(FileExists(dir.File("s-unchecked-save2.QV$")));
}

} // namespace
