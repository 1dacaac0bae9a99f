// The correlation table text on the committed survey data/corr: golden
// texts for the display bits under listwise and pairwise deletion; the
// printed coefficients and marks against R's cor / cor.test and PSPP's
// CORRELATIONS (data/corr_reference.R and .sps); the error text; a table
// far larger than the text's first buffer; and marks asked for without
// p-values.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/CORRWIN.h"
#include "analyses/CorrBook.h"
#include "analyses/CorrOption.h"
#include "stats/CorrObj.h"

#include <cmath>
#include <cstdio>

namespace {

using namespace analysestest;

enum CorrVariable : long { A = 1, B, C, D, K, NONE };

class CorrTextTest : public WindowTest
{
protected:
    void SetUp() override { ASSERT_NE(nullptr, OpenSurvey("data/corr")); }

    // The table of the variables in the mode with the display word.
    std::string Table(std::vector<long> list, int mode, unsigned long word)
    {
        list.push_back(0);
        CorrObj corr(list.data(), mode);
        corr.displayWord = word;
        CORRWIN text("Correlation", &corr);
        text.WriteTable();
        return text.Text();
    }
};

// The lines of a text without the "\r\n " line ends.
std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos)
            return lines;
        start = end + 3;
    }
}

struct GoldenCase
{
    const char *name;
    int mode;
    unsigned long word;
};

class CorrGoldenTest : public CorrTextTest, public testing::WithParamInterface<GoldenCase>
{};

TEST_P(CorrGoldenTest, WritesTheTableOfItsDisplayBits)
{
    ExpectGolden(GetParam().name, Table({A, B, C, D}, GetParam().mode, GetParam().word));
}

INSTANTIATE_TEST_SUITE_P(
    DisplayBits, CorrGoldenTest,
    testing::Values(GoldenCase{"corr_listwise_lower", CorrObj::kListwise, 0},
                    GoldenCase{"corr_listwise_captions", CorrObj::kListwise, 1},
                    GoldenCase{"corr_listwise_full", CorrObj::kListwise, 2},
                    GoldenCase{"corr_listwise_marks", CorrObj::kListwise, 4},
                    GoldenCase{"corr_listwise_all", CorrObj::kListwise, 7},
                    GoldenCase{"corr_pairwise_lower", CorrObj::kPairwise, 0},
                    GoldenCase{"corr_pairwise_full_marks", CorrObj::kPairwise, 6},
                    GoldenCase{"corr_pairwise_all", CorrObj::kPairwise, 7}),
    [](const testing::TestParamInfo<GoldenCase> &info) { return std::string(info.param.name).substr(5); });

// R's coefficients and p-values (corr_reference.R; PSPP prints the same at
// its 3 decimals): lower triangle, rows b, c, d.
struct Reference
{
    int mode;
    double r[6]; // b-a, c-a, c-b, d-a, d-b, d-c
    double p[6];
};
const Reference references[] = {
    {CorrObj::kListwise,
     {0.8891639083, -0.5944283676, -0.5515029751, 0.6255976387, 0.6823401998, -0.5344935933},
     {4.77683e-05, 0.0321512, 0.0507246, 0.0222027, 0.0101819, 0.0598631}},
    {CorrObj::kPairwise,
     {0.8661930715, -0.6059663572, -0.5612999732, 0.5713810071, 0.7115067155, -0.3677958526},
     {2.97253e-05, 0.0128445, 0.0367521, 0.0207728, 0.00432081, 0.17742}},
};

char MarkOf(double p)
{
    return p < 0.001 ? '!' : p < 0.01 ? '*' : p < 0.05 ? '+' : ' ';
}

TEST_F(CorrTextTest, PrintsRsCoefficientsAndMarksAtFourDecimals)
{
    for (const Reference &ref : references) {
        const std::vector<std::string> lines = Lines(Table({A, B, C, D}, ref.mode, CORRWIN::displayMarks));
        // An empty line, the heading, an empty line, then the rows V1 .. V4.
        ASSERT_GT(lines.size(), 7u);
        int k = 0;
        for (int row = 1; row < 4; ++row) {
            const std::string &line = lines[3 + row];
            for (int column = 0; column < row; ++column, ++k) {
                // A cell: the coefficient in 8, its mark in 2 and a blank.
                const std::string cell = line.substr(8 + 11 * column, 11);
                char expected[16];
                std::snprintf(expected, sizeof expected, "%8.4f", ref.r[k]);
                EXPECT_EQ(std::string(expected), cell.substr(0, 8)) << line;
                EXPECT_EQ(MarkOf(ref.p[k]), cell[9]) << line;
            }
        }
    }
}

TEST_F(CorrTextTest, AListwiseTableReportsItsCasesAndAPairwiseOneDoesNot)
{
    EXPECT_NE(std::string::npos, Table({A, B, C, D}, CorrObj::kListwise, 0).find("13"));
    const std::string pairwise = Table({A, B, C, D}, CorrObj::kPairwise, 0);
    EXPECT_NE(std::string::npos, pairwise.find(StatText(35, 33)));
    EXPECT_EQ(std::string::npos, pairwise.find(StatText(21, 0)));
}

TEST_F(CorrTextTest, AConstantVariableShowsTheErrorNamingItInsteadOfTheMatrix)
{
    const std::string text = Table({A, K}, CorrObj::kListwise, 7);
    EXPECT_NE(std::string::npos, text.find(std::string(StatText(5, 34)) + " (V5)"));
    EXPECT_NE(std::string::npos, text.find(StatText(13, 35)));
    EXPECT_EQ(std::string::npos, text.find("V1 "));
}

TEST_F(CorrTextTest, MarksWithoutPValuesAreLeftOutRatherThanRead)
{
    const long list[] = {A, B, C, D, 0};
    CorrObj corr(list, CorrObj::kListwise);
    corr.displayWord = CORRWIN::displayMarks;
    corr.pValues.clear();
    CORRWIN text("Correlation", &corr);
    text.WriteTable();
    const std::vector<std::string> lines = Lines(text.Text());
    EXPECT_EQ("V3       -0.5944 -0.5515", lines[5]);
    EXPECT_EQ(std::string::npos, text.Text().find("p<0.05"));
}

TEST_F(CorrTextTest, TheTableFollowsTheRecordsModeAndDisplayWord)
{
    auto *record = new CorrOption; // the book's
    CorrBook book(record);
    const long list[] = {A, B, C, D, 0};
    CorrObj corr(list, CorrObj::kListwise);
    CORRWIN text("Correlation", &corr, &book);
    record->missingMode = CorrObj::kPairwise;
    record->displayWord = CORRWIN::displayFull;
    text.WriteResult();
    EXPECT_EQ(CorrObj::kPairwise, corr.missingMode);
    // R's pairwise r of b and a, in the upper triangle too; no case count.
    const std::vector<std::string> lines = Lines(text.Text());
    EXPECT_EQ("V1                0.8662 -0.6060  0.5714", lines[3]);
    EXPECT_EQ(std::string::npos, text.Text().find(StatText(21, 0)));
}

TEST(CorrLargeTextTest, AHundredVariableFullMatrixIsWrittenWhole)
{
    EnglishTexts texts;
    // 100 variables v1..v100 of 5 cases: v_i = case * (i % 7 + 1) + case^2 % (i + 2).
    Survey::Text survey;
    std::string header;
    for (int i = 1; i <= 100; ++i) {
        survey.description += "variable v" + std::to_string(i) + "\ntype double\n";
        header += (i > 1 ? "," : "") + std::string("v") + std::to_string(i);
    }
    survey.csv = header + "\n";
    for (int c = 1; c <= 5; ++c) {
        for (int i = 1; i <= 100; ++i)
            survey.csv += (i > 1 ? "," : "") + std::to_string(c * (i % 7 + 1) + c * c % (i + 2));
        survey.csv += "\n";
    }
    Survey opened(survey);
    std::vector<long> list;
    for (long i = 1; i <= 100; ++i)
        list.push_back(i);
    list.push_back(0);
    CorrObj corr(list.data(), CorrObj::kListwise);
    ASSERT_EQ(0, corr.errorCode);
    corr.displayWord = CORRWIN::displayFull | CORRWIN::displayMarks;
    CORRWIN text("Correlation", &corr);
    text.WriteTable();
    EXPECT_EQ(txtErrorNone, text.Error());
    // 100 rows of 8 + 100 cells of 11 characters.
    EXPECT_GT(text.Text().size(), 100u * 1108u);
    const std::vector<std::string> lines = Lines(text.Text());
    const auto last = std::find_if(lines.begin(), lines.end(), [](const std::string &l) { return l.rfind("V100", 0) == 0; });
    ASSERT_NE(lines.end(), last);
    EXPECT_EQ(8u + 100u * 11u, last->size());
    EXPECT_NE(std::string::npos, text.Text().find("p<0.05"));
}

} // namespace
