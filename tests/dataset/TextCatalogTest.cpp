#include "dataset/TextCatalog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

// A scratch directory of its own for each test, removed afterwards.
class TextCatalogTest : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_GT(GetTempPathA(sizeof temp, temp), 0u);
        char name[MAX_PATH];
        ASSERT_NE(GetTempFileNameA(temp, "tcd", 0, name), 0u);
        DeleteFileA(name);
        ASSERT_TRUE(CreateDirectoryA(name, nullptr));
        dir_ = name;
    }
    void TearDown() override {
        for (const std::string &file : written_)
            DeleteFileA(file.c_str());
        RemoveDirectoryA(dir_.c_str());
    }

    std::string Write(const std::string &content, const char *name = "qivstzzz.btx") {
        std::string path = dir_ + "\\" + name;
        FILE *f = fopen(path.c_str(), "wb");
        EXPECT_NE(f, nullptr);
        if (f) {
            fwrite(content.data(), 1, content.size(), f);
            fclose(f);
        }
        written_.insert(path);
        return path;
    }

    std::string dir_;
    std::set<std::string> written_;
};

const char kSample[] =
    "# sample\r\n"
    "0.0\tOK\r\n"
    "0.4\tCancel\r\n"
    "5.0\tFrequency table\r\n"
    "5.10\tTotal\r\n"
    "6.1\tMultiple response\r\n"
    "9.0\tCrosstabulation\r\n"
    "9.4\tChi-square\r\n";

TEST_F(TextCatalogTest, FindsTextsByNumberAndGroup) {
    TextCatalog catalog;
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
}

TEST_F(TextCatalogTest, MissingTextsReadError) {
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(kSample).c_str()));
    EXPECT_STREQ(catalog.GetText(99, 5), "**ERROR**");
    EXPECT_STREQ(catalog.GetText(0, 77), "**ERROR**");
    EXPECT_STREQ(catalog.GetText(-1, 0), "**ERROR**");
    EXPECT_FALSE(catalog.HasText(99, 5));
    EXPECT_TRUE(catalog.HasText(10, 5));
    TextCatalog empty;
    EXPECT_STREQ(empty.GetText(0, 0), "**ERROR**");
}

TEST_F(TextCatalogTest, TextsStayValidWhileOtherGroupsAreRead) {
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

TEST_F(TextCatalogTest, NegativeGroupMeansTheGroupUsedLast) {
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(kSample).c_str()));
    EXPECT_EQ(catalog.LastGroup(), 0);
    EXPECT_STREQ(catalog.GetText(4, -1), "Cancel");  // at first the last group is 0
    catalog.GetText(0, 9);
    EXPECT_EQ(catalog.LastGroup(), 9);
    EXPECT_STREQ(catalog.GetText(4, -1), "Chi-square");
    catalog.GetText(0, 0);  // group 0 does not become the last group
    EXPECT_EQ(catalog.LastGroup(), 9);
    EXPECT_STREQ(catalog.GetText(0, -5), "Crosstabulation");
    catalog.GetText(10, 5);
    EXPECT_STREQ(catalog.GetText(10, -1), "Total");
}

TEST_F(TextCatalogTest, FreedGroupIsReadAgainOnItsNextUse) {
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(kSample).c_str()));
    catalog.GetText(0, 5);
    catalog.GetText(0, 9);
    catalog.FreeGroup(-1);  // the group used last: 9
    EXPECT_FALSE(catalog.IsGroupLoaded(9));
    EXPECT_TRUE(catalog.IsGroupLoaded(5));
    EXPECT_STREQ(catalog.GetText(4, 9), "Chi-square");
    EXPECT_TRUE(catalog.IsGroupLoaded(9));
    catalog.FreeGroup(5);
    EXPECT_FALSE(catalog.IsGroupLoaded(5));
    EXPECT_STREQ(catalog.GetText(10, 5), "Total");
    catalog.FreeGroup(42);  // a group never loaded
    EXPECT_EQ(catalog.Error(), TEXTCAT_OK);
}

TEST_F(TextCatalogTest, ALineChangedAfterTheCheckIsLeftOutAndReported) {
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

TEST_F(TextCatalogTest, LoadingAgainReplacesTheTexts) {
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(kSample).c_str()));
    catalog.GetText(0, 9);
    ASSERT_TRUE(catalog.Load(Write("9.0\tKrysstabell\n", "other.btx").c_str()));
    EXPECT_STREQ(catalog.GetText(0, 9), "Krysstabell");
    EXPECT_STREQ(catalog.GetText(0, 0), "**ERROR**");
    EXPECT_EQ(catalog.LastGroup(), 9);
}

TEST_F(TextCatalogTest, LanguageCodeChoosesTheFile) {
    Write("0.0\tOK\n", "qivsteng.btx");
    TextCatalog english(dir_.c_str(), "eng");
    EXPECT_EQ(english.Error(), TEXTCAT_OK) << english.ErrorText();
    EXPECT_STREQ(english.GetText(0, 0), "OK");
    EXPECT_EQ(std::string(english.FileName()), dir_ + "\\qivsteng.btx");

    TextCatalog missing(dir_.c_str(), "nor");
    EXPECT_EQ(missing.Error(), TEXTCAT_ERR_NO_FILE);
    EXPECT_NE(std::string(missing.ErrorText()).find("qivstnor.btx"), std::string::npos);
    EXPECT_STREQ(missing.GetText(0, 0), "**ERROR**");

    for (const char *code : {"en", "engl", "e/g", "..\\", "", "e g"}) {
        TextCatalog bad(dir_.c_str(), code);
        EXPECT_EQ(bad.Error(), TEXTCAT_ERR_LANGUAGE_CODE) << code;
    }
    TextCatalog none(dir_.c_str(), nullptr);
    EXPECT_EQ(none.Error(), TEXTCAT_ERR_LANGUAGE_CODE);
}

TEST(TextCatalogFileName, JoinsDirectoryAndCodeWithinTheBuffer) {
    char path[MAX_PATH];
    ASSERT_TRUE(TextCatalog::MakeFileName("C:\\prog", "eng", path, sizeof path));
    EXPECT_STREQ(path, "C:\\prog\\qivsteng.btx");
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

struct GoodLine {
    const char *content;
    int group, number;
    const char *text;
};

class LanguageFileAccepts : public TextCatalogTest,
                            public ::testing::WithParamInterface<GoodLine> {};

TEST_P(LanguageFileAccepts, Line) {
    const GoodLine &c = GetParam();
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(c.content).c_str())) << catalog.ErrorText();
    EXPECT_STREQ(catalog.GetText(c.number, c.group), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Format, LanguageFileAccepts,
    ::testing::Values(GoodLine{"1.2\tPrint", 1, 2, "Print"},  // no line end at all
                      GoodLine{"1.2\tPrint\n", 1, 2, "Print"},
                      GoodLine{"1.2\tPrint\r\n", 1, 2, "Print"},
                      GoodLine{"1.2 \t  Print  \t\r\n", 1, 2, "Print"},
                      GoodLine{"  1.2\tPrint", 1, 2, "Print"},
                      GoodLine{"007.0010\tPadded", 7, 10, "Padded"},
                      GoodLine{"999.9999\tLast", 999, 9999, "Last"},
                      GoodLine{"# comment\n; comment\n\n   \n\t# indented\n3.1\tx", 3, 1, "x"},
                      GoodLine{"3.1\t\"  Total \"", 3, 1, "  Total "},
                      GoodLine{"3.1\t\"\"", 3, 1, ""},
                      GoodLine{"3.1\ta\\tb\\nc\\rd\\\\e\\\"f", 3, 1, "a\tb\nc\rd\\e\"f"},
                      GoodLine{"3.1\t\"say \\\"hi\\\"\"", 3, 1, "say \"hi\""},
                      GoodLine{"3.1\tsay \"hi\"", 3, 1, "say \"hi\""},
                      GoodLine{"3.1\t\"ends with backslash\\\\\"", 3, 1, "ends with backslash\\"},
                      GoodLine{"3.1\t# not a comment", 3, 1, "# not a comment"},
                      GoodLine{"3.1\t%s: %d of %.2f", 3, 1, "%s: %d of %.2f"},
                      GoodLine{"3.1\tCram\xe9r's V", 3, 1, "Cram\xe9r's V"}));

struct BadLine {
    const char *content;
    int line;  // the line the error names
};

class LanguageFileRefuses : public TextCatalogTest,
                            public ::testing::WithParamInterface<BadLine> {};

TEST_P(LanguageFileRefuses, Line) {
    const BadLine &c = GetParam();
    TextCatalog catalog;
    EXPECT_FALSE(catalog.Load(Write(c.content).c_str())) << c.content;
    EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_SYNTAX);
    char where[32];
    snprintf(where, sizeof where, "line %d:", c.line);
    EXPECT_NE(std::string(catalog.ErrorText()).find(where), std::string::npos)
        << catalog.ErrorText();
    // A bad file leaves nothing behind, not even its good lines.
    EXPECT_EQ(catalog.EntryCount(), 0u);
    EXPECT_STREQ(catalog.GetText(0, 0), "**ERROR**");
}

INSTANTIATE_TEST_SUITE_P(
    Format, LanguageFileRefuses,
    ::testing::Values(BadLine{"0.0\tOK\n12\tno dot", 2},
                      BadLine{"x.1\tletter", 1},
                      BadLine{".1\tno group", 1},
                      BadLine{"1.\tno number", 1},
                      BadLine{"1000.1\tgroup too large", 1},
                      BadLine{"1.10000\tnumber too large", 1},
                      BadLine{"99999999999999999999999.1\thuge", 1},
                      BadLine{"1.99999999999999999999999999\thuge", 1},
                      BadLine{"-1.1\tnegative", 1},
                      BadLine{"1.1text", 1},
                      BadLine{"1.1", 1},
                      BadLine{"1.1\t   ", 1},
                      BadLine{"1.1\t\"unterminated", 1},
                      BadLine{"1.1\t\"", 1},
                      BadLine{"1.1\t\"a\"b\"", 1},
                      BadLine{"1.1\t\"escaped end\\\"", 1},
                      BadLine{"1.1\tbad \\q escape", 1},
                      BadLine{"1.1\ttrailing backslash\\", 1},
                      BadLine{"0.0\tOK\n\n1.1\tbell\x07", 3},
                      BadLine{"1.1\tdel\x7f", 1},
                      BadLine{"1.1\tcarriage\rreturn\n", 1},
                      BadLine{"1.1\ttwo returns\r\r\n", 1},
                      BadLine{"1.1\tfirst\n# c\n1.1\tagain", 3},
                      BadLine{"\xef\xbb\xbf" "1.1\tbom", 1}));

TEST_F(TextCatalogTest, ANulByteIsRefused) {
    std::string content("0.0\tOK\n1.1\tnul\0here\n", 21);
    TextCatalog catalog;
    EXPECT_FALSE(catalog.Load(Write(content).c_str()));
    EXPECT_NE(std::string(catalog.ErrorText()).find("line 2:"), std::string::npos);
}

TEST_F(TextCatalogTest, LinesAndFilesOverTheirLimitsAreRefused) {
    std::string longest = "1.1\t" + std::string(TextCatalog::kMaxLineLength - 4, 'x');
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(Write(longest + "\r\n").c_str())) << catalog.ErrorText();
    EXPECT_EQ(strlen(catalog.GetText(1, 1)), TextCatalog::kMaxLineLength - 4);
    EXPECT_FALSE(catalog.Load(Write(longest + "y\n").c_str()));
    EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_SYNTAX);

    std::string huge(static_cast<size_t>(TextCatalog::kMaxFileSize) + 1, '#');
    EXPECT_FALSE(catalog.Load(Write(huge).c_str()));
    EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_TOO_LARGE);
}

TEST_F(TextCatalogTest, AnEmptyFileIsSoundButHoldsNoText) {
    TextCatalog catalog;
    EXPECT_TRUE(catalog.Load(Write("").c_str()));
    EXPECT_EQ(catalog.EntryCount(), 0u);
    EXPECT_STREQ(catalog.GetText(0, 0), "**ERROR**");
    EXPECT_FALSE(catalog.Load(nullptr));
    EXPECT_EQ(catalog.Error(), TEXTCAT_ERR_NO_FILE);
}

// ------------------------------------------------------------ the English file

// The repository's lang/ folder, found from this source file's path; under
// Wine the Unix root is drive Z:.
std::string EnglishFile() {
    std::string source = __FILE__;
    size_t at = source.rfind("tests");
    std::string path = source.substr(0, at) + "lang/qivsteng.btx";
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char &c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// A '%' that printf would take as a conversion ("%d", "%.2f", "%-5s").
bool LooksLikeAFormat(const char *text) {
    for (const char *p = strchr(text, '%'); p; p = strchr(p + 1, '%')) {
        char next = p[1];
        if (isalnum(static_cast<unsigned char>(next)) || strchr("-+#*%", next) ||
            (next == '.' && isalnum(static_cast<unsigned char>(p[2]))))
            return true;
    }
    return false;
}

int CountConversions(const char *format) {
    int count = 0;
    for (const char *p = format; *p; ++p) {
        if (*p != '%')
            continue;
        if (p[1] == '%') {
            ++p;
            continue;
        }
        ++count;
    }
    return count;
}

TEST(EnglishLanguageFile, ParsesAndHoldsTheTextsTheAnalysesUse) {
    TextCatalog catalog;
    ASSERT_TRUE(catalog.Load(EnglishFile().c_str())) << catalog.ErrorText();
    EXPECT_GT(catalog.EntryCount(), 400u);
    // A text of every group the analyses and graphs read.
    const int sample[][2] = {{0, 0},  {0, 4},   {0, 9},   {0, 18},  {0, 21},  {1, 12},  {1, 58},
                             {1, 77}, {3, 24},  {5, 0},   {5, 43},  {5, 56},  {6, 38},  {7, 9},
                             {9, 0},  {9, 31},  {12, 44}, {20, 10}, {21, 1},  {22, 38}, {31, 2},
                             {32, 0}, {32, 69}, {32, 121}, {33, 42}, {34, 13}, {35, 17}, {36, 34},
                             {37, 15}, {38, 21}, {40, 6},  {41, 4},  {42, 23}};
    for (const auto &entry : sample)
        EXPECT_TRUE(catalog.HasText(entry[1], entry[0])) << entry[0] << "." << entry[1];
    // The report line formats one double: the case count.
    const char *report = catalog.GetText(21, 0);
    EXPECT_EQ(CountConversions(report), 1);
    EXPECT_NE(strstr(report, "%.0f"), nullptr);
    char line[128];
    snprintf(line, sizeof line, report, 1234.0);
    EXPECT_NE(strstr(line, "1234"), nullptr);
    // Texts followed at once by a value keep their closing blank.
    const char *probability = catalog.GetText(17, 36);
    ASSERT_GT(strlen(probability), 0u);
    EXPECT_EQ(probability[strlen(probability) - 1], ' ');
    // Every entry reads back; no text but the report line is a format, as
    // a stray '%' would break a caller's printf.
    for (size_t i = 0; i < catalog.EntryCount(); ++i) {
        int group, number;
        ASSERT_TRUE(catalog.EntryAt(i, group, number));
        const char *text = catalog.GetText(number, group);
        EXPECT_STRNE(text, "**ERROR**") << group << "." << number;
        if (group != 0 || number != 21) {
            EXPECT_FALSE(LooksLikeAFormat(text)) << group << "." << number << ": " << text;
        }
    }
    EXPECT_EQ(catalog.Error(), TEXTCAT_OK);
}

// ------------------------------------------------------------ corrupt input

// A small deterministic generator, so that every run mutates alike.
class Mutator {
public:
    explicit Mutator(unsigned seed) : state_(seed ? seed : 1) {}
    unsigned Next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    size_t Below(size_t n) { return n ? Next() % n : 0; }

    std::string Mutate(const std::string &base) {
        std::string s = base;
        int steps = 1 + static_cast<int>(Below(4));
        for (int i = 0; i < steps; ++i) {
            switch (Below(8)) {
            case 0:  // flip bytes
                for (int k = 1 + static_cast<int>(Below(8)); k > 0 && !s.empty(); --k)
                    s[Below(s.size())] ^= static_cast<char>(1 + Below(255));
                break;
            case 1:  // truncate
                s.resize(Below(s.size() + 1));
                break;
            case 2:  // duplicate a line
                DuplicateLine(s);
                break;
            case 3:  // a huge number where a group or number stood
                ReplaceDigits(s, Huge());
                break;
            case 4: {  // a special byte somewhere
                const char specials[] = {'\0', '\r', '\n', '"', '\\', '\t', '.', '#', '\x7f',
                                         '\xff', ' '};
                s.insert(Below(s.size() + 1), 1, specials[Below(sizeof specials)]);
                break;
            }
            case 5:  // remove a run of bytes
                if (!s.empty()) {
                    size_t at = Below(s.size());
                    s.erase(at, 1 + Below(40));
                }
                break;
            case 6:  // a very long line
                s.insert(Below(s.size() + 1), std::string(3000 + Below(3000), 'L'));
                break;
            default:  // swap two bytes
                if (s.size() > 1)
                    std::swap(s[Below(s.size())], s[Below(s.size())]);
                break;
            }
        }
        return s;
    }

private:
    std::string Huge() {
        static const char *const kHuge[] = {"4294967296", "2147483648", "99999999999999999999",
                                            "1000", "10000", "65536", "0000000000001"};
        return kHuge[Below(7)];
    }
    void DuplicateLine(std::string &s) {
        if (s.empty())
            return;
        size_t at = s.rfind('\n', Below(s.size()));
        at = at == std::string::npos ? 0 : at + 1;
        size_t end = s.find('\n', at);
        end = end == std::string::npos ? s.size() : end + 1;
        std::string line = s.substr(at, end - at);
        for (int k = 1 + static_cast<int>(Below(3)); k > 0; --k)
            s.insert(end, line);
    }
    void ReplaceDigits(std::string &s, const std::string &with) {
        size_t at = s.find_first_of("0123456789", Below(s.size() + 1));
        if (at == std::string::npos)
            return;
        size_t end = s.find_first_not_of("0123456789", at);
        s.replace(at, (end == std::string::npos ? s.size() : end) - at, with);
    }
    unsigned state_;
};

TEST_F(TextCatalogTest, CorruptLanguageFilesGiveClearErrorsNeverACrash) {
    FILE *f = fopen(EnglishFile().c_str(), "rb");
    ASSERT_NE(f, nullptr);
    std::string english;
    char chunk[4096];
    size_t got;
    while ((got = fread(chunk, 1, sizeof chunk, f)) > 0)
        english.append(chunk, got);
    fclose(f);
    // A cut of the English file with every kind of line, so that each run
    // stays small and mutations often hit the interesting parts.
    std::string base = english.substr(0, english.rfind('\n', 2500) + 1) +
                       "\r\n32.69\t\"quoted with blank \"\r\n"
                       "3.1\ta\\tb\\nc\\\\d\\\"e\r\n; comment\r\n\r\n";

    const int kRuns = 10000;
    int accepted = 0, refused = 0;
    Mutator mutator(20240611);
    std::string path = Write("");
    for (int run = 0; run < kRuns; ++run) {
        std::string input = mutator.Mutate(base);
        Write(input);
        TextCatalog catalog;
        bool ok = catalog.Load(path.c_str());
        if (!ok) {
            ++refused;
            ASSERT_NE(catalog.Error(), TEXTCAT_OK) << run;
            ASSERT_GT(strlen(catalog.ErrorText()), 0u) << run;
            ASSERT_EQ(catalog.EntryCount(), 0u) << run;
            ASSERT_STREQ(catalog.GetText(0, 0), "**ERROR**") << run;
            continue;
        }
        ++accepted;
        // Every group read, every text bounded by the line it came from.
        for (size_t i = 0; i < catalog.EntryCount(); ++i) {
            int group, number;
            ASSERT_TRUE(catalog.EntryAt(i, group, number));
            ASSERT_GE(group, 0);
            ASSERT_LE(group, TextCatalog::kMaxGroup);
            ASSERT_LE(number, TextCatalog::kMaxNumber);
            const char *text = catalog.GetText(number, group);
            ASSERT_NE(text, nullptr);
            ASSERT_LE(strlen(text), TextCatalog::kMaxLineLength) << run;
        }
        ASSERT_EQ(catalog.Error(), TEXTCAT_OK) << run << ": " << catalog.ErrorText();
    }
    EXPECT_EQ(accepted + refused, kRuns);
    EXPECT_GT(accepted, 0);
    EXPECT_GT(refused, 0);
    printf("[ language file ] %d corrupt inputs: %d read, %d refused with an error\n", kRuns,
           accepted, refused);
}

}  // namespace
