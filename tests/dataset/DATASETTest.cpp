#include "dataset/DATASET.h"

#include "DataSetFixture.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/ByteStream.h"
#include "dataset/KATLABS.h"
#include "dataset/SelectRec.h"
#include "dataset/WeightRec.h"

#include <cfloat>
#include <cstring>
#include <memory>

namespace {

class TypesDataSet : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), dir.File("types.QVF"), &error), 0) << error;
        ASSERT_EQ(dataSet.Open(dir.File("types.QVF").c_str()), 0) << dataSet.GetErrorText();
    }
    TempDirectory dir;
    DATASET dataSet;
};

TEST_F(TypesDataSet, RecordsHeaderVariablesFormatAndDocumentation)
{
    EXPECT_EQ(dataSet.GetCaseCount(), 12);
    EXPECT_EQ(dataSet.GetVariableCount(), 8);
    EXPECT_EQ(dataSet.GetFormatCode(), 9600);
    EXPECT_EQ(dataSet.GetCodePage(), 1);
    EXPECT_EQ(dataSet.ReadHeader(), 128);
    const int types[] = {1, 2, 3, 4, 8};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dataSet.GetVariable(i + 1)->storageType, types[i]);
    EXPECT_EQ(dataSet.GetVariable(0), nullptr);
    EXPECT_EQ(dataSet.GetVariable(9), nullptr);
    EXPECT_EQ(dataSet.FindVariable("I32V"), 3);
    EXPECT_EQ(dataSet.GetVariable(1)->decimals, 0);   // integer types default to 0
    EXPECT_EQ(dataSet.GetVariable(5)->decimals, 255); // not set
    EXPECT_EQ(dataSet.GetVariable(5)->EffectiveDecimals(), 2);
    // The header keeps 128 bytes and the magic; columns follow it.
    std::vector<unsigned char> bytes = ReadWholeFile(dir.File("types.QVF"));
    ASSERT_GE(bytes.size(), 128u);
    EXPECT_EQ(std::memcmp(bytes.data(), "QIVS", 4), 0);
    EXPECT_EQ(dataSet.GetVariable(1)->columnStart, 128);
    EXPECT_EQ(dataSet.GetVariable(2)->columnStart, 128 + 12);
    EXPECT_EQ(dataSet.GetDocumentation(0), "A small data set of every storage type.\r\n");
    EXPECT_EQ(dataSet.GetDocumentation(1), "Byte documentation.\r\n");
    EXPECT_EQ(dataSet.GetDocumentation(2), "");
}

TEST_F(TypesDataSet, EveryStorageTypeKeepsItsSentinelExtremesAndUserMissingCodes)
{
    const struct
    {
        long variable, caseFrom1;
        double value; // as stored: the integer types' sentinels as integers
        bool sys, user;
    } cells[] = {
        {1, 3, 255, true, false},        {1, 4, 9, false, true},
        {1, 5, 254, false, false},       {2, 2, 32766, false, false},
        {2, 3, -32768, false, false},    {2, 4, 32767, true, false},
        {2, 5, -1, false, true},         {3, 2, -2147483648.0, false, false},
        {3, 3, 2147483647, true, false}, {3, 4, 88888, false, true},
        {3, 5, 99999, false, true},      {4, 2, -3.5, false, false},
        {4, 3, 99.5, false, true},       {4, 4, DBL_MAX, true, false}, // the float sentinel reads as DBL_MAX
        {5, 2, -1e300, false, false},    {5, 3, DBL_MAX, true, false},
        {5, 5, 1e300, false, false},
    };
    for (const auto &cell : cells) {
        SCOPED_TRACE(testing::Message() << "variable " << cell.variable << " case " << cell.caseFrom1);
        LISTETYPE list(&dataSet, cell.variable);
        ASSERT_TRUE(list.SeekCase(1, cell.caseFrom1));
        ASSERT_TRUE(list.MoveNext());
        if (list.integerTyped)
            EXPECT_EQ(list.GetCurrentInt(), static_cast<long>(cell.value));
        else
            EXPECT_EQ(list.GetCurrentReal(), cell.value);
        EXPECT_EQ(list.IsCurrentSysMissing(), cell.sys);
        EXPECT_EQ(list.IsCurrentUserMissing(), cell.user);
    }
    LISTETYPE u8(&dataSet, 1), i16(&dataSet, 2), i32(&dataSet, 3), flt(&dataSet, 4), dbl(&dataSet, 5);
    EXPECT_FALSE(i32.IsMissingInt(88887));
    EXPECT_TRUE(flt.IsMissingReal(FLT_MAX));
    EXPECT_FALSE(flt.IsMissingReal(99.25));
    // Type-bound readers refuse the other storage types.
    ASSERT_TRUE(dbl.MoveNext() && i16.MoveNext());
    EXPECT_EQ(dbl.GetCurrentInt(), 32767);
    EXPECT_EQ(i16.GetCurrentReal(), DBL_MAX);
    // The recorded range leaves missing values out.
    EXPECT_EQ(u8.minimum, 0);
    EXPECT_EQ(u8.maximum, 254);
    EXPECT_EQ(i32.maximum, 2147483646.0);
    EXPECT_DOUBLE_EQ(flt.maximum, 13.0);
}

TEST_F(TypesDataSet, CategoryLabelsAreSortedByValueAndCaptionsBounded)
{
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(1, &dataSet));
    ASSERT_EQ(labels->Error(), 0);
    ASSERT_EQ(labels->GetCount(), 3);
    EXPECT_EQ(labels->GetValue(0), 1);
    EXPECT_STREQ(labels->GetText(0), "Ay");
    EXPECT_STREQ(labels->GetLabelText(2), "Bee");
    EXPECT_STREQ(labels->GetLabelText(3), "");
    EXPECT_EQ(labels->GetLongestLabelLength(), 9);
    EXPECT_STREQ(labels->GetCaption(), "u8v: One byte");
    EXPECT_EQ(std::unique_ptr<KATLABS>(KATLABS::ConstructAndRead(2, &dataSet))->GetCount(), 0);
    EXPECT_NE(std::unique_ptr<KATLABS>(KATLABS::ConstructAndRead(99, &dataSet))->Error(), 0);

    // A 70-character label makes a caption longer than 70: name, ": ", label.
    char caption[KATLABS::MAX_CAPTION + 1];
    ASSERT_TRUE(dataSet.GetVariableCaption(5, caption, sizeof caption));
    EXPECT_EQ(std::strlen(caption), 4u + 2u + 70u);
    char small[10];
    ASSERT_TRUE(dataSet.GetVariableCaption(5, small, sizeof small));
    EXPECT_STREQ(small, "dblv: A d");
}

TEST_F(TypesDataSet, WeightRegionAndSelectionAreRecorded)
{
    EXPECT_EQ(dataSet.GetRegionVariable(), 8);
    WeightRec *weight = dataSet.GetWeight();
    ASSERT_TRUE(weight->IsActive());
    EXPECT_EQ(weight->GetVariable(0), 6);
    EXPECT_EQ(weight->Describe(), "wgt");
    std::unique_ptr<BUFFERTYPE> weights(weight->NewWeightList());
    ASSERT_NE(weights, nullptr);
    double sum = 0;
    int missing = 0;
    while (weights->MoveNext()) {
        if (weights->IsCurrentSysMissing())
            ++missing;
        else
            sum += weights->GetCurrentReal();
    }
    EXPECT_EQ(missing, 1);
    EXPECT_DOUBLE_EQ(sum, 1 + 2 + 0.5 + 1.5 + 1 * 6 + 3);

    SelectRec *selection = dataSet.GetActiveSelection();
    ASSERT_TRUE(selection->IsActive());
    EXPECT_EQ(selection->description, "Only the selected");
    EXPECT_EQ(selection->GetCaseCount(), 7);
    ASSERT_TRUE(selection->bits->HasFile());
    // Bits straight from the file, both ends and outside.
    EXPECT_TRUE(IsCaseSelected(selection->bits, 0));
    EXPECT_FALSE(IsCaseSelected(selection->bits, 2));
    EXPECT_TRUE(IsCaseSelected(selection->bits, 11));
    EXPECT_FALSE(IsCaseSelected(selection->bits, 12));
    EXPECT_FALSE(IsCaseSelected(selection->bits, -1));
    // The bit scan gives the same bits with byte and bit indices.
    LogBuffer *bits = selection->bits;
    bits->StartBitScan();
    std::string seen;
    while (bits->NextBit()) {
        EXPECT_EQ(bits->currentByte * 8 + bits->currentBit, bits->CurrentCase());
        seen += bits->CurrentBit() ? '1' : '0';
    }
    EXPECT_EQ(seen, "110101010101");
    EXPECT_FALSE(bits->NextBit());

    dataSet.ClearSelection();
    EXPECT_FALSE(dataSet.GetActiveSelection()->IsActive());
    EXPECT_EQ(dataSet.GetActiveSelection()->GetCaseCount(), 12);
}

TEST_F(TypesDataSet, ASecondProgramFindsTheDataSetLocked)
{
    // The lock file exists while the data set is open and names its holder.
    EXPECT_TRUE(FileExists(dir.File("types.lck")));
    EXPECT_FALSE(ReadWholeFile(dir.File("types.~qv")).empty());
    DATASET second;
    EXPECT_EQ(second.Open(dir.File("types.QVF").c_str()), DSERR_LOCKED);
    EXPECT_FALSE(second.IsOpen());
    EXPECT_NE(std::string(second.GetErrorText()).find("process"), std::string::npos);
    DATASET reader;
    EXPECT_EQ(reader.Open(dir.File("types.QVF").c_str(), DATASET_READONLY), 0);
    EXPECT_TRUE(reader.IsReadOnly());
    EXPECT_EQ(reader.Save(), DSERR_READ_ONLY);
    EXPECT_NE(std::string(reader.GetErrorText()).find("opened read-only"), std::string::npos);
    dataSet.CloseFiles();
    EXPECT_FALSE(FileExists(dir.File("types.lck")));
    EXPECT_FALSE(FileExists(dir.File("types.~qv")));
    EXPECT_EQ(second.Open(dir.File("types.QVF").c_str()), 0);
}

// A failure to make the lock file is answered by its cause: another
// program's lock, a folder that cannot be written (the data set is then read
// read-only), or anything else in the system's words.
TEST(DataSetLock, EachFailureToMakeTheLockIsAnsweredByItsCause)
{
    const struct
    {
        unsigned long code;
        DATASET::LockPathKind found;
        DATASET::LockFailure answer;
    } cases[] = {
        {ERROR_SHARING_VIOLATION, DATASET::lockPathFile, DATASET::lockHeldElsewhere},
        {ERROR_LOCK_VIOLATION, DATASET::lockPathFile, DATASET::lockHeldElsewhere},
        {ERROR_ACCESS_DENIED, DATASET::lockPathFile, DATASET::lockHeldElsewhere},
        {ERROR_ACCESS_DENIED, DATASET::lockPathFree, DATASET::lockFolderReadOnly},
        {ERROR_WRITE_PROTECT, DATASET::lockPathFree, DATASET::lockFolderReadOnly},
        {ERROR_ACCESS_DENIED, DATASET::lockPathFolder, DATASET::lockOtherFailure},
        {ERROR_PATH_NOT_FOUND, DATASET::lockPathFree, DATASET::lockOtherFailure},
        {ERROR_DISK_FULL, DATASET::lockPathFree, DATASET::lockOtherFailure},
        {ERROR_TOO_MANY_OPEN_FILES, DATASET::lockPathFree, DATASET::lockOtherFailure},
    };
    for (const auto &c : cases)
        EXPECT_EQ(DATASET::ClassifyLockFailure(c.code, c.found), c.answer) << c.code << " " << c.found;
}

TEST(DataSetLock, ALockThatCannotBeMadeForAnotherReasonSaysThatReason)
{
    TempDirectory dir;
    std::string error;
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), dir.File("types.QVF"), &error), 0) << error;
    ASSERT_TRUE(CreateDirectoryA(dir.File("types.lck").c_str(), nullptr));
    DATASET dataSet;
    EXPECT_EQ(dataSet.Open(dir.File("types.QVF").c_str()), DSERR_NO_LOCK);
    EXPECT_FALSE(dataSet.IsOpen());
    const std::string text = dataSet.GetErrorText();
    EXPECT_NE(text.find(dir.File("types.lck")), std::string::npos) << text;
    EXPECT_NE(text.find("system error 5"), std::string::npos) << text;
    EXPECT_EQ(text.find("in use"), std::string::npos) << text;
    RemoveDirectoryA(dir.File("types.lck").c_str());
    EXPECT_EQ(dataSet.Open(dir.File("types.QVF").c_str()), 0) << dataSet.GetErrorText();
    EXPECT_FALSE(dataSet.IsReadOnly());
}

TEST_F(TypesDataSet, OpenDataSetNotesTheMapFileBesideIt)
{
    std::unique_ptr<DATASET> withoutMap(OpenDataSet(dir.File("types.QVF").c_str(), nullptr, DATASET_READONLY));
    ASSERT_NE(withoutMap, nullptr);
    EXPECT_EQ(withoutMap->mapFileFlag, 0);
    WriteFileBytes(dir.File("types.KRT"), {1, 0, 0x60, 0x25});
    std::unique_ptr<DATASET> withMap(OpenDataSet(dir.File("types.QVF").c_str(), nullptr, DATASET_READONLY));
    ASSERT_NE(withMap, nullptr);
    EXPECT_EQ(withMap->mapFileFlag, 1);
    EXPECT_TRUE(withMap->mapFile.Open(PFILE_READ));
    EXPECT_EQ(withMap->mapFile.Size(), 4);
    withMap->mapFile.Close();
    int error = 0;
    EXPECT_EQ(OpenDataSet(dir.File("nothing.QVF").c_str(), &error), nullptr);
    EXPECT_EQ(error, DSERR_OPEN_QVF);
}

TEST(DataSetOpen, MissingIndexFileIsReported)
{
    TempDirectory dir;
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), dir.File("t.QVF")), 0);
    DeleteFileA(dir.File("t.IND").c_str());
    DATASET dataSet;
    EXPECT_EQ(dataSet.Open(dir.File("t.QVF").c_str()), DSERR_OPEN_IND);
    EXPECT_NE(std::string(dataSet.GetErrorText()).find("t.IND"), std::string::npos);
    EXPECT_FALSE(FileExists(dir.File("t.lck"))); // a failed open leaves no lock behind
}

// An old data set of format 9020 (or its variant 9121): 128-byte index
// records with integer missing codes, integer label values, DOS letters and
// no recorded range.
std::vector<unsigned char> Old9020System(int format, std::vector<unsigned char> *index)
{
    std::vector<unsigned char> qvf(128, 0);
    std::memcpy(qvf.data(), "QIVS", 4);
    qvf[4] = format & 0xff;
    qvf[5] = format >> 8;
    qvf[6] = 1;    // one variable
    qvf[10] = 4;   // four cases
    qvf[14] = 0;   // DOS letters
    qvf[16] = 128; // data offset
    const short values[4] = {3, -2, 32767, 5};
    for (short v : values) {
        qvf.push_back(v & 0xff);
        qvf.push_back((v >> 8) & 0xff);
    }
    size_t labels = qvf.size();
    qvf[20] = static_cast<unsigned char>(labels);
    // Labels, unsorted on purpose: 5 "F\x9Bl" (DOS o-slash), 3 "Tre".
    const unsigned char block[] = {5, 0, 0, 0, 3, 'F', 155, 'l', 3, 0, 0, 0, 3, 'T', 'r', 'e'};
    qvf.insert(qvf.end(), block, block + sizeof block);
    qvf[24] = sizeof block;
    index->assign(128, 0);
    std::memcpy(index->data(), "S\x86n", 3); // DOS a-ring in the name
    std::memcpy(index->data() + 26, "Old variable", 12);
    (*index)[97] = 2;
    (*index)[98] = 4;
    (*index)[99] = 0;
    (*index)[100] = 128;
    (*index)[104] = 1;
    (*index)[108] = 0xfe; // missing code -2
    (*index)[109] = (*index)[110] = (*index)[111] = 0xff;
    (*index)[120] = static_cast<unsigned char>(labels);
    (*index)[124] = 2;
    (*index)[126] = sizeof block;
    return qvf;
}

TEST(DataSetOpen, ReadsTheOlderFormatAndItsVariant)
{
    for (int format : {9020, 9121}) {
        std::vector<unsigned char> index;
        std::vector<unsigned char> qvf = Old9020System(format, &index);
        DATASET dataSet;
        ASSERT_EQ(dataSet.OpenStreams(new MemoryByteStream(qvf), new MemoryByteStream(index)), 0)
            << dataSet.GetErrorText();
        EXPECT_EQ(dataSet.GetFormatCode(), 9020);
        EXPECT_EQ(dataSet.GetHeader().formatCode, format);
        EXPECT_EQ(dataSet.GetCodePage(), 0);
        EXPECT_STREQ(dataSet.GetVariable(1)->name, "S\xe5n");
        std::vector<CategoryLabel> labels;
        ASSERT_EQ(dataSet.ReadCategoryLabels(1, &labels), 0);
        ASSERT_EQ(labels.size(), 2u);
        EXPECT_EQ(labels[0].value, 3);
        EXPECT_EQ(labels[1].text, "F\xf8l");
        LISTETYPE list(&dataSet, 1);
        ASSERT_EQ(list.Error(), 0);
        // The range is found while loading: -2 is user-missing, 32767 the sentinel.
        EXPECT_EQ(list.minimum, 3);
        EXPECT_EQ(list.maximum, 5);
        EXPECT_TRUE(list.IsMissingInt(-2));
        EXPECT_TRUE(dataSet.GetVariable(1)->rangeKnown);
    }
}

// Damaged images of the small data set: each edit is just past a limit the
// reader must hold (and, where there is one, its twin just inside it).
using Bytes = std::vector<unsigned char>;

void PutI32(Bytes &b, size_t at, long long v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<unsigned char>((static_cast<unsigned long long>(v) >> (8 * i)) & 0xff);
}
// Variable 5 (a double, 12 cases) gets a column starting at start.
void MoveColumn(Bytes &ind, long long start)
{
    PutI32(ind, 4 * IND_RECORD_9600 + 100, start);
}
// Variable 1 gets one category label of n letters in a block appended to
// the system file, the label area stretched over it.
void AppendLabel(Bytes &qvf, Bytes &ind, size_t n)
{
    size_t at = qvf.size();
    const unsigned char one[8] = {0, 0, 0, 0, 0, 0, 0xf0, 0x3f}; // 1.0
    qvf.insert(qvf.end(), one, one + 8);
    qvf.push_back(static_cast<unsigned char>(n));
    qvf.insert(qvf.end(), n, 'x');
    long long textOffset = qvf[20] | (qvf[21] << 8) | (qvf[22] << 16) | (qvf[23] << 24);
    PutI32(qvf, 24, static_cast<long long>(qvf.size()) - textOffset);
    PutI32(ind, 148, static_cast<long long>(at));
    PutI32(ind, 152, 1);
    PutI32(ind, 156, static_cast<long long>(qvf.size() - at));
}

struct DamagedImage
{
    const char *name;
    void (*edit)(Bytes &qvf, Bytes &ind);
    int error;          // expected from opening; 0: opens
    const char *detail; // part of the error text
};

class DamagedDataSet : public ::testing::TestWithParam<DamagedImage>
{};

TEST_P(DamagedDataSet, IsRefusedWithTheErrorOfItsFault)
{
    TempDirectory dir;
    ASSERT_EQ(BuildDataSet(TypesDescription(), TypesCsv(), dir.File("d.QVF")), 0);
    Bytes qvf = ReadWholeFile(dir.File("d.QVF")), ind = ReadWholeFile(dir.File("d.IND"));
    ASSERT_EQ(ind.size(), 8u * IND_RECORD_9600);
    GetParam().edit(qvf, ind);
    WriteFileBytes(dir.File("d.QVF"), qvf);
    WriteFileBytes(dir.File("d.IND"), ind);
    std::string text;
    int error = -1;
    std::unique_ptr<DATASET> dataSet(OpenDataSet(dir.File("d.QVF").c_str(), &error, DATASET_READONLY, &text));
    int labelError = 0;
    if (dataSet) {
        std::vector<CategoryLabel> labels;
        labelError = dataSet->ReadCategoryLabels(1, &labels);
        EXPECT_TRUE(labelError || !labels.empty());
    }
    EXPECT_EQ(error ? error : labelError, GetParam().error) << text;
    if (GetParam().error && error) {
        // In words, the file named, the reason told once.
        EXPECT_NE(text.find(GetParam().detail), std::string::npos) << text;
        EXPECT_NE(text.find("d.QVF"), std::string::npos) << text;
        EXPECT_EQ(text.find(DataSetErrorText(error)), text.rfind(DataSetErrorText(error))) << text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Limits, DamagedDataSet,
    ::testing::Values(
        DamagedImage{"ColumnEndsAtTheFileEnd", [](Bytes &q, Bytes &i) { MoveColumn(i, q.size() - 12 * 8); }, 0, ""},
        DamagedImage{"ColumnEndsAByteLater", [](Bytes &q, Bytes &i) { MoveColumn(i, q.size() - 12 * 8 + 1); },
                     DSERR_COLUMN, "variable 5"},
        DamagedImage{"ColumnStartsInTheHeader", [](Bytes &, Bytes &i) { MoveColumn(i, QVF_HEADER_SIZE - 1); },
                     DSERR_COLUMN, "outside the system file"},
        DamagedImage{"IndexAByteLonger", [](Bytes &, Bytes &i) { i.push_back(0); }, DSERR_INDEX_SIZE, "does not match"},
        DamagedImage{"IndexAByteShorter", [](Bytes &, Bytes &i) { i.pop_back(); }, DSERR_INDEX_SIZE, "does not match"},
        DamagedImage{"IndexARecordLonger",
                     [](Bytes &, Bytes &i) { i.insert(i.end(), i.begin(), i.begin() + IND_RECORD_9600); },
                     DSERR_INDEX_SIZE, "does not match"},
        DamagedImage{"VariableLabelOf70", [](Bytes &, Bytes &i) { std::fill(i.begin() + 26, i.begin() + 96, 'y'); }, 0,
                     ""},
        DamagedImage{"VariableLabelOf71", [](Bytes &, Bytes &i) { std::fill(i.begin() + 26, i.begin() + 97, 'y'); },
                     DSERR_VARIABLE, "variable 1"},
        DamagedImage{"CategoryLabelOf70", [](Bytes &q, Bytes &i) { AppendLabel(q, i, 70); }, 0, ""},
        DamagedImage{"CategoryLabelOf71", [](Bytes &q, Bytes &i) { AppendLabel(q, i, 71); }, DSERR_LABELS, ""}),
    [](const ::testing::TestParamInfo<DamagedImage> &info) { return std::string(info.param.name); });

} // namespace
