#include "dataset/DataSetBuilder.h"

#include "DataSetFixture.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/DATASET.h"

namespace {

TEST(DataSetBuilder, RefusesBadDescriptionsAndValuesWithAMessageNamingThePlace)
{
    const std::string letters71(71, 'x');
    const struct
    {
        std::string description;
        const char *csv;     // null: the description alone fails
        const char *message; // part of the error text
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
        {"variable a\n", "", "no header line"},
        {"variable a\nlabel " + letters71 + "\n", nullptr, "at most 70"},
        {"variable a\nvalue 1 = " + letters71 + "\n", nullptr, "at most 70"},
        {"categories c\nvalue 2 = " + letters71 + "\n", nullptr, "at most 70"},
        // Numbers are decimal: no hexadecimal, words, decimal commas or bare signs.
        {"variable a\n", "a\n0x1A\n", "\"0x1A\" is not a number"},
        {"variable a\n", "a\ninf\n", "\"inf\" is not a number"},
        {"variable a\n", "a\nnan\n", "is not a number"},
        {"variable a\n", "a\n\"1,5\"\n", "\"1,5\" is not a number"},
        {"variable a\n", "a\n1e\n", "is not a number"},
        {"variable a\n", "a\n-\n", "is not a number"},
        {"variable a\n", "a\n.\n", "is not a number"},
        {"variable a\nmissing 0x10\n", nullptr, "a missing code is a number"},
        {"variable a\n", "a\n1e999\n", "\"1e999\" is out of range"},
        {"variable a\n", "a\n-2e308\n", "is out of range"},
        {"variable a\nvariable b\n", "a;b\n1;2\n", "separated by \";\", not by \",\" as the description says"},
        {"separator tab\nvariable a\nvariable b\n", "a,b\n1,2\n", "separated by \",\", not by tabs"},
        {"variable a\nvariable b\n", "a\tb\n1\t2\n", "give \"separator tab\""},
        {"variable a\n", "a\n", "has a header line but no cases"},
        {"variable a\n", "a\r\n\r\n\r\n", "has a header line but no cases"}};
    for (const auto &input : inputs) {
        DataSetBuilder builder;
        int code = builder.ReadDescription(input.description, "d.txt");
        if (input.csv) {
            ASSERT_EQ(code, 0) << builder.GetErrorText();
            code = builder.ReadCsv(input.csv, "v.csv");
        }
        EXPECT_EQ(code, DSERR_ARGUMENT) << input.description << (input.csv ? input.csv : "");
        EXPECT_NE(std::string(builder.GetErrorText()).find(input.message), std::string::npos) << builder.GetErrorText();
    }
}

TEST(DataSetBuilder, ReadsQuotedFieldsSeparatorsAndUnusedColumns)
{
    TempDirectory dir;
    const char *description = "separator ;\nvariable x\ntype double\nvariable n\ntype u8\n";
    const char *csv = "note;x;n\r\n\"a \"\"quoted\"\"; note\";1.5;\r\nplain;-2e3;7\r\n\r\n";
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

TEST(DataSetBuilder, QuotesABadCellCutToAReadableLength)
{
    DataSetBuilder builder;
    ASSERT_EQ(builder.ReadDescription("variable a\nvariable b\n"), 0);
    std::string cell = "\x01" + std::string(10 * 1000 * 1000, '7') + "x";
    ASSERT_EQ(builder.ReadCsv("a,b\n1," + cell + "\n", "v.csv"), DSERR_ARGUMENT);
    std::string text = builder.GetErrorText();
    EXPECT_LT(text.size(), 200u) << text.substr(0, 300);
    EXPECT_NE(text.find("v.csv line 2 column 2: \"?777"), std::string::npos) << text.substr(0, 300);
    EXPECT_NE(text.find("...\" (10000002 characters) is not a number"), std::string::npos) << text.substr(0, 300);
}

TEST(DataSetBuilder, ReadsWhatSpreadsheetsWriteAndEveryDecimalForm)
{
    TempDirectory dir;
    const std::string label70(70, 'y');
    DataSetBuilder builder;
    // Both files begin with a UTF-8 byte-order mark.
    ASSERT_EQ(builder.ReadDescription("\xEF\xBB\xBFvariable x\nlabel " + label70 + "\nvalue 1 = " + label70 +
                                      "\nvariable n\ntype i16\n"),
              0)
        << builder.GetErrorText();
    ASSERT_EQ(builder.ReadCsv("\xEF\xBB\xBFx,n\r\n1e3,+2\r\n-.5,-3\r\n5.,007\r\n 2.5E-1 ,\r\n1e-400,1\r\n"), 0)
        << builder.GetErrorText();
    ASSERT_EQ(builder.Write(dir.File("s.QVF").c_str()), 0) << builder.GetErrorText();
    DATASET dataSet;
    ASSERT_EQ(dataSet.Open(dir.File("s.QVF").c_str()), 0);
    EXPECT_EQ(std::string(dataSet.GetVariable(1)->label), label70);
    const double x[] = {1000, -0.5, 5, 0.25, 0}, n[] = {2, -3, 7, 32767, 1};
    LISTETYPE xs(&dataSet, 1), ns(&dataSet, 2);
    for (int c = 0; c < 5; ++c) {
        ASSERT_TRUE(xs.MoveNext() && ns.MoveNext());
        EXPECT_EQ(xs.GetCurrentReal(), x[c]) << c;
        EXPECT_EQ(ns.GetCurrentInt(), n[c]) << c;
    }
}

TEST(DataSetBuilder, ReadsAFileLineByLineAcrossItsReadBlocks)
{
    // Long padded lines put line ends on both sides of every 64 KiB block
    // the file is read in; the last line has no line end.
    TempDirectory dir;
    std::string csv = "\xEF\xBB\xBFx,pad\r\n";
    const int cases = 3000;
    for (int c = 0; c < cases; ++c)
        csv += std::to_string(c) + "," + std::string(static_cast<size_t>(37 + c % 101), 'p') +
               (c + 1 < cases ? "\r\n" : "");
    ASSERT_GT(csv.size(), 4u * 65536u);
    {
        std::FILE *file = std::fopen(dir.File("v.csv").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(csv.data(), 1, csv.size(), file);
        std::fclose(file);
    }
    DataSetBuilder builder;
    ASSERT_EQ(builder.ReadDescription("variable x\ntype i16\n"), 0) << builder.GetErrorText();
    ASSERT_EQ(builder.ReadCsvFile(dir.File("v.csv").c_str()), 0) << builder.GetErrorText();
    EXPECT_EQ(builder.GetCaseCount(), cases);
    ASSERT_EQ(builder.Write(dir.File("s.QVF").c_str()), 0) << builder.GetErrorText();
    DATASET dataSet;
    ASSERT_EQ(dataSet.Open(dir.File("s.QVF").c_str()), 0);
    LISTETYPE xs(&dataSet, 1);
    for (int c = 0; c < cases; ++c) {
        ASSERT_TRUE(xs.MoveNext()) << c;
        ASSERT_EQ(xs.GetCurrentInt(), c) << c;
    }
}

} // namespace
