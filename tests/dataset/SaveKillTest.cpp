// Saves ended by a real process end at every step (savekill.exe ends itself
// there with TerminateProcess): the next open gives the old data set or the
// new one, never an error, and says which it did.
#include "dataset/DataSetWriter.h"

#include "DataSetFixture.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/PFILE.h"

#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <tuple>

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

TEST_F(DamagedCommit, ARecordOfAnEarlierVersionDoesNotReplaceTheOldSet)
{
    // Sizes and the system file's CRC only, as an earlier version wrote it:
    // nothing vouches for the index and the documentation.
    std::vector<unsigned char> record = ReadWholeFile(dir.File("s.QVC"));
    std::string text(record.begin(), record.end());
    std::string legacy = "Mervalo save commit\r\n";
    for (const char *key : {"system ", "index ", "documentation "}) {
        size_t at = text.find(key);
        ASSERT_NE(at, std::string::npos);
        std::string line = text.substr(at, text.find("\r\n", at) - at);
        legacy += line.substr(0, line.rfind(' ')) + "\r\n";
    }
    legacy += "checksum 00000000\r\nend\r\n";
    WriteFileBytes(dir.File("s.QVC"), std::vector<unsigned char>(legacy.begin(), legacy.end()));
    ExpectOldSetWithLeftoversAside("earlier version");
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


long long FileSize(const std::string &name)
{
    return static_cast<long long>(ReadWholeFile(name).size());
}

// Every leftover of a committed save changed at its right size, with
// nothing moved yet and with the new system file already moved: the open
// keeps the old data set (with its own figures) or gives the new one whole,
// the leftovers are kept aside byte for byte, and every data set left opens.
struct Figures
{
    long variables = 0;
    long valid = 0; // valid cases of i32v (user-missing 99999 and 88888 left out)
    double sum = 0;
    bool operator==(const Figures &o) const { return variables == o.variables && valid == o.valid && sum == o.sum; }
};

Figures FiguresOf(DATASET &dataSet)
{
    Figures figures;
    figures.variables = dataSet.GetVariableCount();
    LISTETYPE list(&dataSet, 3);
    while (list.MoveNext())
        if (!list.IsCurrentSysMissing() && !list.IsCurrentUserMissing()) {
            ++figures.valid;
            figures.sum += list.GetCurrentReal();
        }
    return figures;
}

// The files of a directory, by name.
using Snapshot = std::map<std::string, std::vector<unsigned char>>;

Snapshot Take(const TempDirectory &dir)
{
    Snapshot files;
    for (const std::string &name : dir.Files())
        files[name] = ReadWholeFile(dir.File(name));
    return files;
}

// What a change does to a file's bytes; false when it does not apply.
using Change = bool (*)(std::vector<unsigned char> &bytes);

struct Mutation
{
    const char *name;
    const char *file; // the leftover it changes
    Change change;
};

bool Flip(std::vector<unsigned char> &bytes, size_t at, unsigned char mask = 0x01)
{
    if (at >= bytes.size())
        return false;
    bytes[at] ^= mask;
    return true;
}

int32_t I32At(const std::vector<unsigned char> &bytes, size_t at)
{
    int32_t value = 0;
    if (at + 4 <= bytes.size())
        std::memcpy(&value, &bytes[at], 4);
    return value;
}

// Replaces the first occurrence of a record line's value, keeping the rest.
bool EditRecord(std::vector<unsigned char> &bytes, const std::string &key, size_t digit, char to)
{
    std::string text(bytes.begin(), bytes.end());
    size_t at = text.find(key + " ");
    if (at == std::string::npos)
        return false;
    at += key.size() + 1 + digit;
    if (at >= text.size() || text[at] == '\r' || text[at] == ' ')
        return false;
    bytes[at] = static_cast<unsigned char>(text[at] == to ? to + 1 : to);
    return true;
}

const Mutation kMutations[] = {
    {"system_header_case_count", "QV$", [](auto &b) { return Flip(b, 10); }},
    {"system_value", "QV$", [](auto &b) { return Flip(b, 128 + 12 + 3, 0x10); }},
    {"system_label_text", "QV$", [](auto &b) { return Flip(b, static_cast<size_t>(I32At(b, 20)) + 10, 0x20); }},
    {"system_label_value", "QV$", [](auto &b) { return Flip(b, static_cast<size_t>(I32At(b, 20)) + 6, 0x01); }},
    {"system_last_byte", "QV$", [](auto &b) { return Flip(b, b.size() - 1); }},
    {"index_name", "IN$", [](auto &b) { return Flip(b, 160 * 2 + 1, 0x02); }},
    {"index_label", "IN$", [](auto &b) { return Flip(b, 160 * 0 + 26 + 2, 0x02); }},
    {"index_missing_code", "IN$", [](auto &b) { return Flip(b, 160 * 2 + 108 + 5, 0x01); }},
    {"index_missing_count", "IN$", [](auto &b) { return Flip(b, 160 * 2 + 104, 0x03); }},
    {"index_label_count", "IN$", [](auto &b) { return Flip(b, 160 * 0 + 152, 0x01); }},
    {"index_label_block", "IN$", [](auto &b) { return Flip(b, 160 * 0 + 148, 0x01); }},
    {"index_storage_type", "IN$", [](auto &b) { return Flip(b, 160 * 1 + 97, 0x01); }},
    {"index_new_variable", "IN$", [](auto &b) { return Flip(b, b.size() - 2); }},
    {"documentation_text", "DK$", [](auto &b) { return Flip(b, b.size() / 2, 0x01); }},
    {"record_system_size", "QVC", [](auto &b) { return EditRecord(b, "system", 0, '7'); }},
    {"record_system_checksum", "QVC", [](auto &b) { return EditRecord(b, "system", 5, 'a'); }},
    {"record_index_size", "QVC", [](auto &b) { return EditRecord(b, "index", 1, '1'); }},
    {"record_index_checksum", "QVC", [](auto &b) { return EditRecord(b, "index", 7, '0'); }},
    {"record_documentation_size", "QVC", [](auto &b) { return EditRecord(b, "documentation", 0, '9'); }},
    {"record_own_checksum", "QVC", [](auto &b) { return EditRecord(b, "record", 3, 'f'); }},
    {"record_key", "QVC",
     [](auto &b) {
         std::string text(b.begin(), b.end());
         size_t at = text.find("\r\nindex ");
         return at != std::string::npos && Flip(b, at + 2, 0x03);
     }},
    {"record_documentation_none",
     "QVC",
     [](auto &b) {
         // The size (and the checksum) read as "none": the record asks to
         // remove the documentation.
         std::string text(b.begin(), b.end());
         size_t at = text.find("documentation ");
         if (at == std::string::npos)
             return false;
         at += 14;
         text.replace(at, text.find("\r\n", at) - at, "none");
         b.assign(text.begin(), text.end());
         return true;
     }},
};

class DamagedLeftover : public ::testing::TestWithParam<std::tuple<int, int>>
{
protected:
    // The two states, each taken once: the save of "add" ended right after
    // its commit, and after its system file replaced the old one.
    static void SetUpTestSuite()
    {
        for (int s = 0; s < 2; ++s) {
            TempDirectory dir;
            const std::string qvf = dir.File("s.QVF");
            ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), qvf), 0);
            {
                DATASET old;
                ASSERT_EQ(old.Open(qvf.c_str()), 0);
                oldFigures = FiguresOf(old);
            }
            oldSet[s] = Take(dir);
            int step = s == 0 ? DataSetWriter::SAVE_STEP_COMMITTED : DataSetWriter::SAVE_STEP_SYSTEM_FILE;
            ASSERT_EQ(RunSaveKill("add", qvf, step), static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
            state[s] = Take(dir);
        }
    }
    static Snapshot state[2], oldSet[2];
    static Figures oldFigures;
};
Snapshot DamagedLeftover::state[2], DamagedLeftover::oldSet[2];
Figures DamagedLeftover::oldFigures;

TEST_P(DamagedLeftover, KeepsTheOldSetOrOpensTheNewOneWhole)
{
    const bool moved = std::get<0>(GetParam()) == 1;
    const Mutation &mutation = kMutations[std::get<1>(GetParam())];
    Snapshot files = state[moved ? 1 : 0];
    // Once moved, the new system file is the data set's own.
    std::string target = std::string("s.") + (moved && std::string(mutation.file) == "QV$" ? "QVF" : mutation.file);
    ASSERT_EQ(files.count(target), 1u) << target;
    ASSERT_TRUE(mutation.change(files[target])) << mutation.name;
    TempDirectory dir;
    for (const auto &file : files)
        WriteFileBytes(dir.File(file.first), file.second);
    const std::string qvf = dir.File("s.QVF");

    DATASET dataSet;
    ASSERT_EQ(dataSet.Open(qvf.c_str()), 0) << dataSet.GetErrorText();
    if (dataSet.GetSaveRecovery() == DataSetWriter::SAVE_RECOVERY_FINISHED) {
        // The new set, whole: its added variable and labels read.
        EXPECT_EQ(dataSet.GetVariableCount(), 9);
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(9, &dataSet));
        EXPECT_STREQ(labels->GetLabelText(0.0), "Zero");
    } else {
        ASSERT_EQ(dataSet.GetSaveRecovery(), DataSetWriter::SAVE_RECOVERY_SET_ASIDE);
        EXPECT_TRUE(FiguresOf(dataSet) == oldFigures);
        dataSet.CloseFiles();
        for (const char *name : {"s.QVF", "s.IND", "s.dkm"})
            EXPECT_EQ(ReadWholeFile(dir.File(name)), oldSet[moved ? 1 : 0].at(name)) << name;
        // Every leftover is aside byte for byte, under the names the message gives.
        std::string message = dataSet.GetSaveRecoveryText();
        const std::pair<const char *, const char *> aside[] = {
            {moved ? "s.QVF" : "s.QV$", "s-unchecked-save.QV$"},
            {"s.IN$", "s-unchecked-save.IN$"},
            {"s.DK$", "s-unchecked-save.DK$"},
            {"s.QVC", "s-unchecked-save.QVC"}};
        for (const auto &pair : aside) {
            EXPECT_EQ(ReadWholeFile(dir.File(pair.second)), files.at(pair.first)) << pair.second;
            EXPECT_NE(message.find(dir.File(pair.second)), std::string::npos) << message;
        }
    }
    dataSet.CloseFiles();
    for (const std::string &name : dir.Files()) {
        EXPECT_FALSE(name.rfind("s.", 0) == 0 && name.find('$') != std::string::npos) << name << " left behind";
        for (const char *kept : {"s.QVC", "s.QVO", "s.INO", "s.DKO", "s.QVN", "s.INN", "s.DKN"})
            EXPECT_NE(name, kept);
    }
    DATASET again;
    ASSERT_EQ(again.Open(qvf.c_str()), 0) << again.GetErrorText();
    EXPECT_EQ(again.GetSaveRecovery(), DataSetWriter::SAVE_RECOVERY_NONE);
}

std::string MutationName(const ::testing::TestParamInfo<std::tuple<int, int>> &info)
{
    return std::string(std::get<0>(info.param) ? "moved_" : "unmoved_") + kMutations[std::get<1>(info.param)].name;
}

INSTANTIATE_TEST_SUITE_P(EveryLeftover, DamagedLeftover,
                         ::testing::Combine(::testing::Values(0, 1),
                                            ::testing::Range(0, static_cast<int>(std::size(kMutations)))),
                         MutationName);

// Records of an earlier version (sizes only, no checksum of their own) are
// not trusted: with nothing moved the old set stays; once their system file
// was moved the rest is put in place when it opens, and their
// "documentation none" removes no documentation.
TEST(EarlierRecord, NeverReplacesAWholeSetAndRemovesNoDocumentation)
{
    for (bool moved : {false, true}) {
        SCOPED_TRACE(moved ? "system file moved" : "nothing moved");
        TempDirectory dir;
        const std::string qvf = dir.File("s.QVF");
        ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), qvf), 0);
        const std::vector<unsigned char> doc = ReadWholeFile(dir.File("s.dkm"));
        ASSERT_EQ(RunSaveKill("rewrite", qvf,
                              moved ? DataSetWriter::SAVE_STEP_SYSTEM_FILE : DataSetWriter::SAVE_STEP_COMMITTED),
                  static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
        // As an earlier version left it: no kept old file, a record of sizes.
        DeleteFileA(dir.File("s.QVO").c_str());
        const std::string record = "Mervalo save commit\r\nsystem " +
                                   std::to_string(FileSize(dir.File(moved ? "s.QVF" : "s.QV$"))) + "\r\nindex " +
                                   std::to_string(FileSize(dir.File("s.IN$"))) +
                                   "\r\ndocumentation none\r\nend\r\n";
        WriteFileBytes(dir.File("s.QVC"), std::vector<unsigned char>(record.begin(), record.end()));
        DATASET dataSet;
        ASSERT_EQ(dataSet.Open(qvf.c_str()), 0) << dataSet.GetErrorText();
        EXPECT_EQ(dataSet.GetSaveRecovery(),
                  moved ? DataSetWriter::SAVE_RECOVERY_FINISHED : DataSetWriter::SAVE_RECOVERY_SET_ASIDE);
        EXPECT_EQ(dataSet.GetVariableCount(), moved ? 2 : 8);
        EXPECT_EQ(ReadWholeFile(dir.File("s.dkm")), doc);
        if (!moved)
            EXPECT_NE(std::string(dataSet.GetSaveRecoveryText()).find("earlier version"), std::string::npos);
    }
}

// A save that removes the documentation keeps it until the new set is in
// place, so that undoing the save brings it back.
TEST(SaveRecovery, ASaveWithoutDocumentationThatIsUndoneKeepsTheOldDocumentation)
{
    TempDirectory dir;
    const std::string qvf = dir.File("s.QVF");
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), qvf), 0);
    const Snapshot before = Take(dir);
    ASSERT_EQ(RunSaveKill("rewrite", qvf, DataSetWriter::SAVE_STEP_DOC_FILE),
              static_cast<DWORD>(DataSetWriter::KILLED_EXIT_CODE));
    ASSERT_FALSE(FileExists(dir.File("s.dkm")));
    // The new set is in place; its system file is damaged afterwards.
    std::vector<unsigned char> system = ReadWholeFile(qvf);
    system[system.size() - 1] ^= 1;
    WriteFileBytes(qvf, system);
    DATASET dataSet;
    ASSERT_EQ(dataSet.Open(qvf.c_str()), 0) << dataSet.GetErrorText();
    EXPECT_EQ(dataSet.GetSaveRecovery(), DataSetWriter::SAVE_RECOVERY_SET_ASIDE);
    dataSet.CloseFiles();
    for (const char *name : {"s.QVF", "s.IND", "s.dkm"})
        EXPECT_EQ(ReadWholeFile(dir.File(name)), before.at(name)) << name;
    EXPECT_EQ(ReadWholeFile(dir.File("s-unchecked-save.QV$")), system);
}

// A value list's temporary file goes with its process, however the process
// ends; a start removes the files of ended processes only.
TEST(TemporaryValueList, ItsFileGoesWithAKilledProcessAndAStartLeavesRunningOnesAlone)
{
    TempDirectory dir;
    const std::string nameFile = dir.File("name.txt");
    const std::string eventName = "mervalo-hold-" + std::to_string(GetCurrentProcessId());
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
    ASSERT_NE(ready, nullptr);
    char self[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, self, sizeof self);
    std::string program(self, n);
    program = program.substr(0, program.find_last_of("\\/") + 1) + "savekill.exe";
    std::string command = "\"" + program + "\" hold \"" + nameFile + "\" " + eventName;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    HANDLE waits[2] = {ready, process.hProcess};
    ASSERT_EQ(WaitForMultipleObjects(2, waits, FALSE, 60000), WAIT_OBJECT_0) << "savekill hold did not get ready";
    std::vector<unsigned char> bytes = ReadWholeFile(nameFile);
    const std::string held(bytes.begin(), bytes.end());
    ASSERT_TRUE(FileExists(held)) << held;

    // A file as an earlier version left it (not removed by the system),
    // named for the running process.
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    char strayName[MAX_PATH + 40];
    std::snprintf(strayName, sizeof strayName, "%sqv%lx_fffff.$$$", temp, process.dwProcessId);
    const std::string stray = strayName;
    WriteFileBytes(stray, std::vector<unsigned char>(100, 7));

    TMPLISTETYPE::RemoveLeftoverFiles();
    EXPECT_TRUE(FileExists(held)) << "a running process's file was removed";
    EXPECT_TRUE(FileExists(stray)) << "a running process's file was removed";

    ASSERT_TRUE(TerminateProcess(process.hProcess, 9));
    WaitForSingleObject(process.hProcess, INFINITE);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(ready);
    EXPECT_FALSE(FileExists(held)) << "the killed process's file is still there";
    // The process has ended: the next start removes what it left.
    EXPECT_TRUE(FileExists(stray));
    EXPECT_GE(TMPLISTETYPE::RemoveLeftoverFiles(), 1);
    EXPECT_FALSE(FileExists(stray));
    DeleteFileA(stray.c_str());
}

// A disk that fills while a data set is written (the file system takes so
// many bytes and then writes short, as Wine's WriteFile does): every fill
// level names the file and says the disk is full, and the data set is the
// old one, byte for byte, with no save-time file left.
class FullDisk : public ::testing::TestWithParam<int>
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), qvf), 0);
        before = Take(dir);
    }
    void TearDown() override { PFILE::SetWriteLimit(-1); }
    void ExpectFullAndOld(const std::string &message)
    {
        EXPECT_NE(message.find(": the disk is full"), std::string::npos) << message;
        EXPECT_NE(message.find(dir.File("s.")), std::string::npos) << message;
        EXPECT_EQ(Take(dir), before);
    }
    TempDirectory dir;
    std::string qvf = dir.File("s.QVF");
    Snapshot before;
};

TEST_P(FullDisk, ASaveAndAResidualSaveNameTheFileAndKeepTheOldDataSet)
{
    long long total = 0;
    for (const auto &file : before)
        total += static_cast<long long>(file.second.size());
    const long long room = total * GetParam() / 8;
    {
        // The residual save: a new variable added to the open data set.
        DATASET dataSet;
        ASSERT_EQ(dataSet.Open(qvf.c_str()), 0);
        TMPLISTETYPE values(STORAGE_DOUBLE);
        for (long c = 0; c < dataSet.GetCaseCount(); ++c)
            values.AppendReal(c * 0.5);
        PFILE::SetWriteLimit(room);
        VariableInfo info;
        DataSetLayout::CopyBounded(info.name, sizeof info.name, "RES_V1");
        info.storageType = STORAGE_DOUBLE;
        EXPECT_EQ(dataSet.AddVariable(info, {}, &values), 0);
        PFILE::SetWriteLimit(-1);
        EXPECT_EQ(dataSet.GetError(), DSERR_WRITE);
        std::string message = dataSet.GetErrorText();
        dataSet.CloseFiles();
        ExpectFullAndOld(message);
    }
    {
        // The whole data set written anew (the converter's and a save's writer).
        TMPLISTETYPE p(STORAGE_DOUBLE);
        for (long c = 0; c < 2000; ++c)
            p.AppendReal(c);
        DataSetWriter writer(qvf.c_str());
        writer.SetCaseCount(2000);
        VariableInfo info;
        DataSetLayout::CopyBounded(info.name, sizeof info.name, "p");
        info.storageType = STORAGE_DOUBLE;
        ASSERT_EQ(writer.AddVariable(info, {}, &p), 0);
        writer.SetDocumentation(std::string(4000, 'd'));
        PFILE::SetWriteLimit((2000 * 8 + 128 + 160 + 4000) * GetParam() / 8);
        EXPECT_EQ(writer.Write(), DSERR_WRITE);
        PFILE::SetWriteLimit(-1);
        ExpectFullAndOld(writer.GetErrorText());
    }
}

INSTANTIATE_TEST_SUITE_P(FillLevels, FullDisk, ::testing::Range(0, 8));

} // namespace
