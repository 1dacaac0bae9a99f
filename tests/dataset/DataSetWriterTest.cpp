#include "dataset/DataSetWriter.h"

#include "DataSetFixture.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"
#include "dataset/KATLABS.h"
#include "dataset/MapFile.h"
#include "dataset/SelectRec.h"
#include "dataset/WeightRec.h"

#include <cfloat>
#include <memory>

namespace {

class SavedDataSet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), dir.File("s.QVF")), 0);
        before[0] = ReadWholeFile(dir.File("s.QVF"));
        before[1] = ReadWholeFile(dir.File("s.IND"));
        before[2] = ReadWholeFile(dir.File("s.dkm"));
        ASSERT_EQ(dataSet.Open(dir.File("s.QVF").c_str()), 0);
    }

    // Residuals: a new double variable, case c holding c / 4 (case 3 missing).
    std::unique_ptr<TMPLISTETYPE> Residuals(long cases)
    {
        std::unique_ptr<TMPLISTETYPE> values(new TMPLISTETYPE(STORAGE_DOUBLE));
        for (long c = 0; c < cases; ++c)
            values->AppendReal(c == 3 ? DBL_MAX : c / 4.0);
        return values;
    }
    static VariableInfo Info(const char *name, int type)
    {
        VariableInfo info;
        DataSetLayout::CopyBounded(info.name, sizeof info.name, name);
        DataSetLayout::CopyBounded(info.label, sizeof info.label, "Residual");
        info.storageType = type;
        info.decimals = 3;
        return info;
    }
    void ExpectUnchanged()
    {
        EXPECT_EQ(ReadWholeFile(dir.File("s.QVF")), before[0]);
        EXPECT_EQ(ReadWholeFile(dir.File("s.IND")), before[1]);
        EXPECT_EQ(ReadWholeFile(dir.File("s.dkm")), before[2]);
        for (const std::string &name : dir.Files())
            EXPECT_EQ(name.find('$'), std::string::npos) << name << " left behind";
        EXPECT_EQ(dataSet.GetVariableCount(), 8);
        LISTETYPE list(&dataSet, 3);
        ASSERT_EQ(list.Error(), 0);
        ASSERT_TRUE(list.MoveNext());
        EXPECT_EQ(list.GetCurrentInt(), 100000);
        DATASET again;
        ASSERT_EQ(again.Open(dir.File("s.QVF").c_str(), DATASET_READONLY), 0) << again.GetErrorText();
        EXPECT_EQ(again.GetVariableCount(), 8);
    }
    TempDirectory dir;
    DATASET dataSet;
    std::vector<unsigned char> before[3];
};

TEST_F(SavedDataSet, TheMapFileIsFoundByAnyNameAndKeptAcrossASave)
{
    // Map count 1, version 9020, an entry (no items, name at 14), the name.
    std::vector<unsigned char> krt = {1, 0, 0x3c, 0x23, 0, 0, 14, 0, 0, 0, 14, 0, 0, 0, 'N', 'o', 'r', 't', 'h'};
    krt.resize(krt.size() + 30, 0);
    WriteFileBytes(dir.File("s.KRT"), krt);
    // Named relative to another working folder, as on a command line.
    char folder[MAX_PATH] = "";
    GetCurrentDirectoryA(sizeof folder, folder);
    ASSERT_TRUE(CreateDirectoryA(dir.File("elsewhere").c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(dir.File("elsewhere").c_str()));
    dataSet.CloseFiles();
    const int opened = dataSet.Open("..\\s.QVF");
    SetCurrentDirectoryA(folder);
    ASSERT_EQ(opened, 0) << dataSet.GetErrorText();
    EXPECT_EQ(dataSet.mapFileFlag, 1);
    ASSERT_EQ(dataSet.ReadMapDirectory(), MAPERR_NONE);
    ASSERT_EQ(dataSet.mapDirectory.mapCount, 1);

    // A saved variable opens the data set again: its maps stay.
    std::unique_ptr<TMPLISTETYPE> values = Residuals(12);
    ASSERT_EQ(dataSet.AddVariable(Info("res1", STORAGE_FLOAT), {}, values.get()), 9) << dataSet.GetErrorText();
    EXPECT_EQ(dataSet.mapFileFlag, 1);
    ASSERT_EQ(dataSet.mapDirectory.mapCount, 1);
    EXPECT_STREQ(dataSet.mapDirectory.entries[0].name, "North");
    dataSet.CloseFiles();
}

TEST_F(SavedDataSet, AddedVariableIsThereAfterReopening)
{
    std::unique_ptr<TMPLISTETYPE> values = Residuals(12);
    std::vector<CategoryLabel> labels{{0.0, "Zero"}};
    // Open workbooks' computations hold these records across the save.
    SelectRec *heldSelection = dataSet.GetActiveSelection();
    WeightRec *heldWeight = dataSet.GetWeight();
    long number = dataSet.AddVariable(Info("res1", STORAGE_FLOAT), labels, values.get());
    ASSERT_EQ(number, 9) << dataSet.GetErrorText();
    EXPECT_EQ(dataSet.GetVariableCount(), 9);
    ASSERT_EQ(heldSelection, dataSet.GetActiveSelection());
    ASSERT_EQ(heldWeight, dataSet.GetWeight());
    EXPECT_EQ(heldSelection->GetCaseCount(), 7);
    EXPECT_EQ(heldWeight->GetVariable(0), 6);
    dataSet.CloseFiles();
    ASSERT_EQ(dataSet.Open(dir.File("s.QVF").c_str()), 0) << dataSet.GetErrorText();
    ASSERT_EQ(dataSet.GetVariableCount(), 9);
    EXPECT_STREQ(dataSet.GetVariable(9)->name, "res1");
    EXPECT_EQ(dataSet.GetVariable(9)->storageType, STORAGE_FLOAT);
    EXPECT_EQ(LISTETYPE(&dataSet, 9).maximum, 11 / 4.0);
    // Everything else came along: old values, labels, weight, selection,
    // region variable, documentation.
    LISTETYPE old(&dataSet, 3);
    ASSERT_TRUE(old.MoveNext());
    EXPECT_EQ(old.GetCurrentInt(), 100000);
    EXPECT_EQ(dataSet.GetWeight()->GetVariable(0), 6);
    EXPECT_EQ(dataSet.GetRegionVariable(), 8);
    EXPECT_EQ(dataSet.GetActiveSelection()->GetCaseCount(), 7);
    EXPECT_EQ(dataSet.GetDocumentation(1), "Byte documentation.\r\n");
    std::unique_ptr<KATLABS> oldLabels(KATLABS::ConstructAndRead(1, &dataSet));
    EXPECT_EQ(oldLabels->GetCount(), 3);
}

// A file of the data set that the user made read-only is never replaced:
// the save is refused naming it, before anything is written.
TEST_F(SavedDataSet, AReadOnlyFileOfTheDataSetRefusesTheSaveBeforeAnythingIsWritten)
{
    for (const char *name : {"s.QVF", "s.IND", "s.dkm"}) {
        const std::string file = dir.File(name);
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY));
        EXPECT_EQ(dataSet.Save(), DSERR_READ_ONLY) << name;
        EXPECT_NE(std::string(dataSet.GetErrorText()).find(file + " is read-only"), std::string::npos)
            << dataSet.GetErrorText();
        std::unique_ptr<TMPLISTETYPE> values = Residuals(12);
        EXPECT_EQ(dataSet.AddVariable(Info("res1", STORAGE_FLOAT), {}, values.get()), 0) << name;
        EXPECT_EQ(dataSet.GetError(), DSERR_READ_ONLY);
        ExpectUnchanged();
        EXPECT_TRUE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY) << name;
        ASSERT_TRUE(SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL));
    }
    EXPECT_EQ(dataSet.Save(), 0) << dataSet.GetErrorText();
}

TEST_F(SavedDataSet, WeightSelectionAndRegionChangesAreSaved)
{
    const long weights[2] = {6, 2};
    ASSERT_TRUE(dataSet.SetWeightVariables(weights, 2));
    EXPECT_FALSE(dataSet.SetRegionVariable(5)); // a double cannot hold region codes
    ASSERT_TRUE(dataSet.SetRegionVariable(1));
    LogBuffer *bits = new LogBuffer(12);
    bits->Set(0, true);
    bits->Set(11, true);
    ASSERT_TRUE(dataSet.SetSelection(bits, "First and last"));
    ASSERT_EQ(dataSet.Save(), 0) << dataSet.GetErrorText();
    DATASET again;
    ASSERT_EQ(again.Open(dir.File("s.QVF").c_str(), DATASET_READONLY), 0);
    EXPECT_EQ(again.GetWeight()->GetCount(), 2);
    EXPECT_EQ(again.GetWeight()->Describe(), "wgt * i16v");
    EXPECT_EQ(again.GetRegionVariable(), 1);
    SelectRec *selection = again.GetActiveSelection();
    EXPECT_EQ(selection->GetCaseCount(), 2);
    EXPECT_EQ(selection->description, "First and last");
    // Two weight variables multiply; a missing one makes the weight missing.
    std::unique_ptr<BUFFERTYPE> w(again.GetWeight()->NewWeightList());
    ASSERT_NE(w, nullptr);
    ASSERT_TRUE(w->MoveNext());
    EXPECT_EQ(w->GetCurrentReal(), 1.0 * -5);
    w->MoveNext();
    w->MoveNext();
    w->MoveNext();
    EXPECT_TRUE(w->IsCurrentSysMissing()); // i16v sentinel and wgt empty
    w->MoveNext();
    EXPECT_TRUE(w->IsCurrentSysMissing()); // i16v user-missing -1
}

TEST_F(SavedDataSet, RefusedOrBlockedSavesLeaveTheOldDataSetIntact)
{
    std::unique_ptr<TMPLISTETYPE> values = Residuals(12), shortList = Residuals(11);
    EXPECT_EQ(dataSet.AddVariable(Info("u8v", STORAGE_DOUBLE), {}, values.get()), 0); // name taken
    EXPECT_EQ(dataSet.GetError(), DSERR_ARGUMENT);
    EXPECT_EQ(dataSet.AddVariable(Info("", STORAGE_DOUBLE), {}, values.get()), 0);
    EXPECT_EQ(dataSet.AddVariable(Info("x", 5), {}, values.get()), 0);
    EXPECT_EQ(dataSet.AddVariable(Info("x", STORAGE_DOUBLE), {}, shortList.get()), 0);
    ExpectUnchanged();
    // Another program holds the system file open without sharing: the
    // system file is replaced first, so the save is undone at once.
    HANDLE holder = CreateFileA(dir.File("s.QVF").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    long number = dataSet.AddVariable(Info("res", STORAGE_DOUBLE), {}, values.get());
    CloseHandle(holder);
    EXPECT_EQ(number, 0);
    EXPECT_EQ(dataSet.GetError(), DSERR_REPLACE);
    ExpectUnchanged();
    // And the next save goes through.
    EXPECT_EQ(dataSet.AddVariable(Info("res", STORAGE_DOUBLE), {}, values.get()), 9);
}

TEST(DataSetWriter, WritesAnEmptyDataSetAndRefusesBadArguments)
{
    TempDirectory dir;
    DataSetWriter writer(dir.File("e.QVF").c_str());
    EXPECT_EQ(writer.Write(), 0) << writer.GetErrorText();
    DATASET dataSet;
    ASSERT_EQ(dataSet.Open(dir.File("e.QVF").c_str()), 0) << dataSet.GetErrorText();
    EXPECT_EQ(dataSet.GetVariableCount(), 0);
    EXPECT_EQ(dataSet.GetCaseCount(), 0);
    EXPECT_FALSE(dataSet.HasDocumentation());
    EXPECT_FALSE(writer.SetWeights(nullptr, 5));
    EXPECT_FALSE(writer.SetRegionVariable(1));
    VariableInfo info;
    DataSetLayout::CopyBounded(info.name, sizeof info.name, "with blank");
    TMPLISTETYPE values(STORAGE_U8);
    EXPECT_EQ(writer.AddVariable(info, {}, &values), DSERR_ARGUMENT);
    EXPECT_NE(std::string(writer.GetErrorText()).find("with blank"), std::string::npos);
}

TEST(DataSetWriter, TakesCategoryLabelsOfSeventyLettersAndRefusesLongerOnes)
{
    TempDirectory dir;
    TMPLISTETYPE values(STORAGE_U8);
    values.AppendReal(1);
    for (size_t letters : {70u, 71u}) {
        DataSetWriter writer(dir.File("l.QVF").c_str());
        writer.SetCaseCount(1);
        VariableInfo info;
        DataSetLayout::CopyBounded(info.name, sizeof info.name, "v");
        info.storageType = STORAGE_U8;
        int code = writer.AddVariable(info, {{1.0, std::string(letters, 'x')}}, &values);
        EXPECT_EQ(code, letters <= QVF_MAX_CATEGORY_TEXT ? DSERR_NONE : DSERR_ARGUMENT) << letters;
        if (code == DSERR_NONE) {
            ASSERT_EQ(writer.Write(), 0) << writer.GetErrorText();
            DATASET dataSet;
            ASSERT_EQ(dataSet.Open(dir.File("l.QVF").c_str()), 0);
            std::vector<CategoryLabel> labels;
            ASSERT_EQ(dataSet.ReadCategoryLabels(1, &labels), 0);
            ASSERT_EQ(labels.size(), 1u);
            EXPECT_EQ(labels[0].text.size(), letters);
        }
    }
}

} // namespace
