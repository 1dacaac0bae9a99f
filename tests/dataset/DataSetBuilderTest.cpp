#include "dataset/DataSetBuilder.h"

#include "DataSetFixture.h"
#include "dataset/DATASET.h"

namespace {

struct BadInput {
    const char *description;
    const char *csv;          // null: the description alone fails
    const char *message;      // part of the error text
};

class DataSetBuilderRefuses : public ::testing::TestWithParam<BadInput> {};

TEST_P(DataSetBuilderRefuses, WithAMessageNamingThePlace)
{
    const BadInput &input = GetParam();
    DataSetBuilder builder;
    int code = builder.ReadDescription(input.description, "d.txt");
    if (input.csv) {
        ASSERT_EQ(code, 0) << builder.GetErrorText();
        code = builder.ReadCsv(input.csv, "v.csv");
    }
    EXPECT_EQ(code, DSERR_ARGUMENT);
    EXPECT_NE(std::string(builder.GetErrorText()).find(input.message), std::string::npos)
        << builder.GetErrorText();
}

INSTANTIATE_TEST_SUITE_P(
    BadDescriptionsAndValues, DataSetBuilderRefuses,
    ::testing::Values(
        BadInput{"variable a b\n", nullptr, "d.txt line 1"},
        BadInput{"variable abcdefghijklmnopqrstuvwxyz\n", nullptr, "1 to 25 characters"},
        BadInput{"variable a\ntype u16\n", nullptr, "line 2: storage type"},
        BadInput{"variable a\nmissing 1 2 3 4\n", nullptr, "at most 3"},
        BadInput{"variable a\nvalue 1 Yes\n", nullptr, "value <number> = <text>"},
        BadInput{"variable a\nvalue 1 = A\nvalue 1 = B\n", nullptr, "labelled twice"},
        BadInput{"variable a\nlabels nothing\n", nullptr, "no category set"},
        BadInput{"variable a\nvariable A\n", nullptr, "described twice"},
        BadInput{"weight w\nvariable a\n", nullptr, "weight variable \"w\""},
        BadInput{"variable a\ntype double\nregion a\n", nullptr, "not an integer variable"},
        BadInput{"variable a\ntype u8\nmissing 300\n", nullptr, "does not fit"},
        BadInput{"label x\n", nullptr, "belongs to a variable"},
        BadInput{"# nothing\n", nullptr, "describes no variable"},
        BadInput{"variable a\ntype u8\n", "a\n1\n256\n", "v.csv line 3 column 1"},
        BadInput{"variable a\ntype i16\n", "a\n1.5\n", "does not fit"},
        BadInput{"variable a\n", "a\nabc\n", "is not a number"},
        BadInput{"variable a\nvariable b\n", "a,b\n1\n", "has 1 fields"},
        BadInput{"variable a\nvariable b\n", "a\n1\n", "no column for variable b"},
        BadInput{"variable a\n", "a,a\n1,2\n", "appears twice"},
        BadInput{"variable a\n", "a\n\"1\n", "not closed"},
        BadInput{"variable a\n", "", "no header line"}));

TEST(DataSetBuilder, ReadsQuotedFieldsSeparatorsAndUnusedColumns)
{
    TempDirectory dir;
    const char *description = "separator ;\nvariable x\ntype double\nvariable n\ntype u8\n";
    const char *csv = "note;x;n\r\n\"a; \"\"quoted\"\" note\";1.5;\r\nplain;-2e3;7\r\n\r\n";
    DataSetBuilder builder;
    ASSERT_EQ(builder.ReadDescription(description), 0) << builder.GetErrorText();
    ASSERT_EQ(builder.ReadCsv(csv), 0) << builder.GetErrorText();
    EXPECT_EQ(builder.GetCaseCount(), 2);
    ASSERT_EQ(builder.Write(dir.File("q.QVF").c_str()), 0) << builder.GetErrorText();
    DATASET dataSet;
    ASSERT_EQ(dataSet.Open(dir.File("q.QVF").c_str()), 0);
    EXPECT_EQ(dataSet.GetVariableCount(), 2);
    EXPECT_EQ(dataSet.GetVariable(1)->minimum, -2000);
    EXPECT_EQ(dataSet.GetVariable(1)->maximum, 1.5);
    EXPECT_EQ(dataSet.GetVariable(2)->minimum, 7);
    // No documentation given: no .dkm file.
    EXPECT_EQ(GetFileAttributesA(dir.File("q.dkm").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
