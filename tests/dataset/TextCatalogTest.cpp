#include "dataset/TextCatalog.h"

#include "DataSetFixture.h"

#include <cctype>
#include <cstring>
#include <string>

namespace {

// A scratch directory of its own for each test, removed afterwards.
class TextCatalogTest : public ::testing::Test
{
protected:
    std::string Write(const std::string &content, const char *name = "qivstzzz.btx")
    {
        std::string path = dir_.File(name);
        WriteFileBytes(path, {content.begin(), content.end()});
        return path;
    }
    TempDirectory dir_;
};

const char kSample[] = "# sample\r\n"
                       "0.0\tOK\r\n"
                       "0.4\tCancel\r\n"
                       "5.0\tFrequency table\r\n"
                       "5.10\tTotal\r\n"
                       "6.1\tMultiple response\r\n"
                       "9.0\tCrosstabulation\r\n"
                       "9.4\tChi-square\r\n";

TEST_F(TextCatalogTest, FindsTextsByNumberAndGroupAndMissingTextsReadError)
{
    TextCatalog catalog;
    EXPECT_STREQ(catalog.GetText(0, 0), "**ERROR**");
    ASSERT_TRUE(catalog.Load(Write(kSample).c_str())) << catalog.ErrorText();
    EXPECT_EQ(catalog.Error(), TEXTCAT_OK);
    EXPECT_STREQ(catalog.GetText(0, 0), "OK");
    EXPECT_STREQ(catalog.GetText(10, 5), "Total");
    EXPECT_STREQ(catalog.GetText(4, 9), "Chi-square");
    EXPECT_EQ(catalog.EntryCount(), 7u);
    int group = -1, number = -1;
    ASSERT_TRUE(catalog.EntryAt(3, group, number));
    EXPECT_EQ(group, 5);
    EXPECT_EQ(number, 10);
    EXPECT_FALSE(catalog.EntryAt(7, group, number));
    EXPECT_STREQ(catalog.GetText(99, 5), "**ERROR**");
    EXPECT_STREQ(catalog.GetText(0, 77), "**ERROR**");
    EXPECT_STREQ(catalog.GetText(-1, 0), "**ERROR**");
    EXPECT_FALSE(catalog.HasText(99, 5));
    EXPECT_TRUE(catalog.HasText(10, 5));
    // Loading again replaces the texts.
    ASSERT_TRUE(catalog.Load(Write("9.0\tKrysstabell\n", "other.btx").c_str()));
    EXPECT_STREQ(catalog.GetText(0, 9), "Krysstabell");
    EXPECT_STREQ(catalog.GetText(0, 0), "**ERROR**");
}

TEST_F(TextCatalogTest, TextsStayValidWhileOtherGroupsAreRead)
{
    // Callers hold a text of one group while they read another; the texts
    // of the first group must neither be freed nor be read again.
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(kSample).c_str()));
    const char *title = catalog.GetText(0, 9);
    const char *total = catalog.GetText(10, 5);
    const char *multi = catalog.GetText(1, 6);
    const char *ok = catalog.GetText(0, 0);
    for (int round = 0; round < 3; ++round) {
        catalog.GetText(4, 9);
        catalog.GetText(0, 5);
        catalog.GetText(1, 6);
    }
    EXPECT_STREQ(title, "Crosstabulation");
    EXPECT_STREQ(total, "Total");
    EXPECT_STREQ(multi, "Multiple response");
    EXPECT_STREQ(ok, "OK");
    EXPECT_EQ(catalog.GetText(0, 9), title);
    EXPECT_EQ(catalog.GetText(10, 5), total);
    EXPECT_TRUE(catalog.IsGroupLoaded(5));
    EXPECT_TRUE(catalog.IsGroupLoaded(6));
    EXPECT_TRUE(catalog.IsGroupLoaded(9));
}

TEST_F(TextCatalogTest, NegativeGroupMeansTheGroupUsedLastAndFreedGroupsAreReadAgain)
{
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(kSample).c_str()));
    EXPECT_STREQ(catalog.GetText(4, -1), "Cancel"); // at first the last group is 0
    catalog.GetText(0, 5);
    catalog.GetText(0, 9);
    EXPECT_STREQ(catalog.GetText(4, -1), "Chi-square");
    catalog.GetText(0, 0); // group 0 does not become the last group
    EXPECT_EQ(catalog.LastGroup(), 9);
    EXPECT_STREQ(catalog.GetText(0, -5), "Crosstabulation");
    catalog.FreeGroup(-1); // the group used last: 9
    EXPECT_FALSE(catalog.IsGroupLoaded(9));
    EXPECT_TRUE(catalog.IsGroupLoaded(5));
    EXPECT_STREQ(catalog.GetText(4, 9), "Chi-square");
    EXPECT_TRUE(catalog.IsGroupLoaded(9));
    catalog.FreeGroup(5);
    EXPECT_FALSE(catalog.IsGroupLoaded(5));
    EXPECT_STREQ(catalog.GetText(10, 5), "Total");
    EXPECT_STREQ(catalog.GetText(10, -1), "Total");
    catalog.FreeGroup(42); // a group never loaded
    EXPECT_EQ(catalog.Error(), TEXTCAT_OK);
    // Group 1 is the lowest that becomes the last group.
    TextCatalog first;
    ASSERT_TRUE(first.Load(Write("# first\r\n1.0\tFirst\r\n1.1\tSecond\r\n", "qivstone.btx").c_str()));
    first.GetText(0, 1);
    EXPECT_STREQ(first.GetText(1, -1), "Second");
}

TEST_F(TextCatalogTest, ALineChangedAfterTheCheckIsLeftOutAndReported)
{
    TextCatalog catalog;
    std::string path = Write(kSample);
    ASSERT_TRUE(catalog.Load(path.c_str()));
    std::string changed = kSample;
    changed.replace(changed.find("9.4\tChi"), 4, "9.4x");
    Write(changed);
    EXPECT_STREQ(catalog.GetText(0, 9), "Crosstabulation");
    EXPECT_STREQ(catalog.GetText(4, 9), "**ERROR**");
    EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_CHANGED);
    DeleteFileA(path.c_str());
    EXPECT_STREQ(catalog.GetText(10, 5), "**ERROR**");
}

TEST_F(TextCatalogTest, LanguageCodeChoosesTheFileWithinThePathLimit)
{
    Write("0.0\tOK\n", "qivsteng.btx");
    TextCatalog english(dir_.Path(), "eng");
    EXPECT_EQ(english.Error(), TEXTCAT_OK) << english.ErrorText();
    EXPECT_STREQ(english.GetText(0, 0), "OK");
    EXPECT_EQ(std::string(english.FileName()), dir_.File("qivsteng.btx"));

    TextCatalog missing(dir_.Path(), "nor");
    EXPECT_EQ(missing.Error(), TEXTCAT_ERR_NO_FILE);
    EXPECT_NE(std::string(missing.ErrorText()).find("qivstnor.btx"), std::string::npos);
    EXPECT_STREQ(missing.GetText(0, 0), "**ERROR**");
    for (const char *code : {"en", "engl", "e/g", "..\\", "", "e g", static_cast<const char *>(nullptr)}) {
        TextCatalog bad(dir_.Path(), code);
        EXPECT_EQ(bad.Error(), TEXTCAT_ERR_LANGUAGE_CODE) << (code ? code : "(null)");
    }

    char path[MAX_PATH];
    ASSERT_TRUE(TextCatalog::MakeFileName("C:\\prog\\", "dan", path, sizeof path));
    EXPECT_STREQ(path, "C:\\prog\\qivstdan.btx");
    ASSERT_TRUE(TextCatalog::MakeFileName("", "eng", path, sizeof path));
    EXPECT_STREQ(path, "qivsteng.btx");
    char small[12];
    EXPECT_FALSE(TextCatalog::MakeFileName("", "eng", small, sizeof small));
    EXPECT_STREQ(small, "");
    std::string longDir(400, 'd');
    EXPECT_FALSE(TextCatalog::MakeFileName(longDir.c_str(), "eng", path, sizeof path));
    TextCatalog tooLong(longDir.c_str(), "eng");
    EXPECT_EQ(tooLong.Error(), TEXTCAT_ERR_NO_FILE);
}

// ------------------------------------------------------------ file format

TEST_F(TextCatalogTest, LanguageFileAcceptsEveryFormOfLine)
{
    const struct
    {
        const char *content;
        int group, number;
        const char *text;
    } lines[] = {{"1.2\tPrint", 1, 2, "Print"}, // no line end at all
                 {"1.2\tPrint\n", 1, 2, "Print"},
                 {"1.2 \t  Print  \t\r\n", 1, 2, "Print"},
                 {"  1.2\tPrint", 1, 2, "Print"},
                 {"007.0010\tPadded", 7, 10, "Padded"},
                 {"999.9999\tLast", 999, 9999, "Last"},
                 {"3.1\t# not a comment", 3, 1, "# not a comment"},
                 {"# comment\n; comment\n\n   \n\t# indented\n3.1\tx", 3, 1, "x"},
                 {"3.1\t\"  Total \"", 3, 1, "  Total "},
                 {"3.1\t\"\"", 3, 1, ""},
                 {"3.1\ta\\tb\\nc\\rd\\\\e\\\"f", 3, 1, "a\tb\nc\rd\\e\"f"},
                 {"3.1\t\"say \\\"hi\\\"\"", 3, 1, "say \"hi\""},
                 {"3.1\tsay \"hi\"", 3, 1, "say \"hi\""},
                 {"3.1\t\"ends with backslash\\\\\"", 3, 1, "ends with backslash\\"},
                 {"3.1\t%s: %d of %.2f", 3, 1, "%s: %d of %.2f"},
                 {"3.1\tCram\xe9r's V", 3, 1, "Cram\xe9r's V"}};
    for (const auto &line : lines) {
        TextCatalog catalog;
        ASSERT_TRUE(catalog.Load(Write(line.content).c_str())) << line.content << ": " << catalog.ErrorText();
        EXPECT_STREQ(catalog.GetText(line.number, line.group), line.text) << line.content;
    }
    TextCatalog catalog;
    EXPECT_TRUE(catalog.Load(Write("").c_str())); // sound, but holds no text
    EXPECT_EQ(catalog.EntryCount(), 0u);
}

TEST_F(TextCatalogTest, LanguageFileRefusesBadLinesNamingTheLine)
{
    const struct
    {
        std::string content;
        int line;
    } bad[] = {{"0.0\tOK\n12\tno dot", 2},
               {"x.1\tletter", 1},
               {".1\tno group", 1},
               {"1.\tno number", 1},
               {"1000.1\tgroup too large", 1},
               {"1.10000\tnumber too large", 1},
               {"99999999999999999999999.1\thuge", 1},
               {"1.99999999999999999999999999\thuge", 1},
               {"-1.1\tnegative", 1},
               {"1.1text", 1},
               {"1.1", 1},
               {"1.1\t   ", 1},
               {"1.1\t\"unterminated", 1},
               {"1.1\t\"", 1},
               {"1.1\t\"a\"b\"", 1},
               {"1.1\t\"escaped end\\\"", 1},
               {"1.1\tbad \\q escape", 1},
               {"1.1\ttrailing backslash\\", 1},
               {"0.0\tOK\n\n1.1\tbell\x07", 3},
               {"1.1\tdel\x7f", 1},
               {"1.1\tcarriage\rreturn\n", 1},
               {"1.1\ttwo returns\r\r\n", 1},
               {"1.1\tfirst\n# c\n1.1\tagain", 3},
               {"\xef\xbb\xbf"
                "1.1\tbom",
                1},
               {std::string("0.0\tOK\n1.1\tnul\0here\n", 21), 2},
               {"1.1\t" + std::string(TextCatalog::kMaxLineLength - 3, 'x'), 1}};
    for (const auto &c : bad) {
        TextCatalog catalog;
        EXPECT_FALSE(catalog.Load(Write(c.content).c_str())) << c.content;
        EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_SYNTAX);
        std::string where = "line " + std::to_string(c.line) + ":";
        EXPECT_NE(std::string(catalog.ErrorText()).find(where), std::string::npos) << catalog.ErrorText();
        // A bad file leaves nothing behind, not even its good lines.
        EXPECT_EQ(catalog.EntryCount(), 0u);
        EXPECT_STREQ(catalog.GetText(0, 0), "**ERROR**");
    }
    // The longest line that fits, and a file over the size limit.
    std::string longest = "1.1\t" + std::string(TextCatalog::kMaxLineLength - 4, 'x');
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(longest + "\r\n").c_str())) << catalog.ErrorText();
    EXPECT_EQ(strlen(catalog.GetText(1, 1)), TextCatalog::kMaxLineLength - 4);
    EXPECT_FALSE(catalog.Load(Write(std::string(TextCatalog::kMaxFileSize + 1, '#')).c_str()));
    EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_TOO_LARGE);
    EXPECT_FALSE(catalog.Load(nullptr));
    EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_NO_FILE);
}

TEST_F(TextCatalogTest, FormattedTextsMustTakeWhatTheProgramPasses)
{
    // The report lines get one double each; any other set of conversions
    // would print a wrong figure ("%.0f of %.0f" reads past the count) or
    // read what was never passed.
    const struct
    {
        std::string content;
        int line;
    } bad[] = {{"0.0\tOK\n0.21\tNumber of cases: %.0f of %.0f\n", 2},
               {"0.21\tNumber of cases: %d", 1},
               {"0.21\tNumber of cases: %s", 1},
               {"0.21\tNumber of cases", 1},
               {"0.21\tNumber of cases: %*.0f", 1},
               {"0.21\t%.0f cases, 100 % of them", 1},
               {"0.21\tN: %.0f\n# fine\n0.22\tLeft out: %lf", 3}};
    for (const auto &c : bad) {
        TextCatalog catalog;
        EXPECT_FALSE(catalog.Load(Write(c.content).c_str())) << c.content;
        const std::string error = catalog.ErrorText();
        EXPECT_NE(error.find("line " + std::to_string(c.line) + ": text 0.2"), std::string::npos) << error;
        EXPECT_NE(error.find("number conversion"), std::string::npos) << error;
    }
    // Any double conversion, flags and a percent sign written "%%" pass; so
    // does a percent sign in a text the program does not format.
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write("0.21\tCases: %-12.3g (100%%)\n0.22\t%e left out\n32.13\t99% confidence\n").c_str()))
        << catalog.ErrorText();
    EXPECT_STREQ(catalog.GetText(21, 0), "Cases: %-12.3g (100%%)");
}

// ------------------------------------------------------------ the English file

// A '%' that printf would take as a conversion ("%d", "%.2f", "%-5s").
bool LooksLikeAFormat(const char *text)
{
    for (const char *p = strchr(text, '%'); p; p = strchr(p + 1, '%')) {
        char next = p[1];
        if (isalnum(static_cast<unsigned char>(next)) || strchr("-+#*%", next) ||
            (next == '.' && isalnum(static_cast<unsigned char>(p[2]))))
            return true;
    }
    return false;
}

TEST(EnglishLanguageFile, ParsesAndHoldsTheTextsTheAnalysesUse)
{
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(EnglishLanguageFile().c_str())) << catalog.ErrorText();
    EXPECT_GT(catalog.EntryCount(), 400u);
    // A text of every group the analyses and graphs read.
    const int sample[][2] = {{0, 0},   {0, 4},   {0, 9},   {0, 18}, {0, 21},  {1, 12},   {1, 58},  {1, 77},  {3, 24},
                             {5, 0},   {5, 43},  {5, 56},  {6, 38}, {7, 9},   {9, 0},    {9, 31},  {12, 44}, {20, 10},
                             {21, 1},  {22, 38}, {31, 2},  {32, 0}, {32, 69}, {32, 121}, {33, 42}, {34, 13}, {35, 17},
                             {36, 34}, {37, 15}, {38, 21}, {40, 6}, {41, 4},  {42, 23}};
    for (const auto &entry : sample)
        EXPECT_TRUE(catalog.HasText(entry[1], entry[0])) << entry[0] << "." << entry[1];
    // The report line formats one double, the case count, and nothing else.
    const std::string report = catalog.GetText(21, 0);
    size_t conversion = report.find("%.0f");
    ASSERT_NE(conversion, std::string::npos);
    EXPECT_FALSE(LooksLikeAFormat(report.substr(0, conversion).c_str()));
    EXPECT_FALSE(LooksLikeAFormat(report.substr(conversion + 4).c_str()));
    char line[128];
    snprintf(line, sizeof line, report.c_str(), 1234.0);
    EXPECT_NE(strstr(line, "1234"), nullptr);
    // Texts followed at once by a value keep their closing blank.
    const char *probability = catalog.GetText(17, 36);
    ASSERT_GT(strlen(probability), 0u);
    EXPECT_EQ(probability[strlen(probability) - 1], ' ');
    // Every entry reads back; no text but the report lines (the case count
    // and the cases left out for their weights, both through the same
    // guarded formatting) is a format, as a stray '%' would break a
    // caller's printf.
    for (size_t i = 0; i < catalog.EntryCount(); ++i) {
        int group, number;
        ASSERT_TRUE(catalog.EntryAt(i, group, number));
        const char *text = catalog.GetText(number, group);
        EXPECT_STRNE(text, "**ERROR**") << group << "." << number;
        if (group != 0 || (number != 21 && number != 22)) {
            EXPECT_FALSE(LooksLikeAFormat(text)) << group << "." << number << ": " << text;
        }
    }
    EXPECT_EQ(catalog.Error(), TEXTCAT_OK);
}

} // namespace
