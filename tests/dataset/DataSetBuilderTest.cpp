#include "dataset/DataSetBuilder.h"

#include "DataSetFixture.h"
#include "dataset/DATASET.h"

namespace {

TEST(DataSetBuilder, RefusesBadDescriptionsAndValuesWithAMessageNamingThePlace)
{
    const struct {
        const char *description;
        const char *csv;          // null: the description alone fails
        const char *message;      // part of the error text
    } inputs[] = {
        {"variable a b\n", nullptr, "d.txt line 1"},
        {"variable abcdefghijklmnopqrstuvwxyz\n", nullptr, "1 to 25 characters"},
        {"variable a\ntype u16\n", nullptr, "line 2: storage type"},
        {"variable a\nmissing 1 2 3 4\n", nullptr, "at most 3"},
        {"variable a\nvalue 1 Yes\n", nullptr, "value <number> = <text>"},
        {"variable a\nvalue 1 = A\nvalue 1 = B\n", nullptr, "labelled twice"},
        {"variable a\nlabels nothing\n", nullptr, "no category set"},
        {"variable a\nvariable A\n", nullptr, "described twice"},
        {"weight w\nvariable a\n", nullptr, "weight variable \"w\""},
        {"variable a\ntype double\nregion a\n", nullptr, "not an integer variable"},
        {"variable a\ntype u8\nmissing 300\n", nullptr, "does not fit"},
        {"label x\n", nullptr, "belongs to a variable"},
        {"# nothing\n", nullptr, "describes no variable"},
        {"variable a\ntype u8\n", "a\n1\n256\n", "v.csv line 3 column 1"},
        {"variable a\ntype i16\n", "a\n1.5\n", "does not fit"},
        {"variable a\n", "a\nabc\n", "is not a number"},
        {"variable a\nvariable b\n", "a,b\n1\n", "has 1 fields"},
        {"variable a\nvariable b\n", "a\n1\n", "no column for variable b"},
        {"variable a\n", "a,a\n1,2\n", "appears twice"},
        {"variable a\n", "a\n\"1\n", "not closed"},
        {"variable a\n", "", "no header line"}};
    for (const auto &input : inputs) {
        DataSetBuilder builder;
        int code = builder.ReadDescription(input.description, "d.txt");
        if (input.csv) {
            ASSERT_EQ(code, 0) << builder.GetErrorText();
            code = builder.ReadCsv(input.csv, "v.csv");
        }
        EXPECT_EQ(code, DSERR_ARGUMENT) << input.description;
        EXPECT_NE(std::string(builder.GetErrorText()).find(input.message), std::string::npos)
            << builder.GetErrorText();
    }
}

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
