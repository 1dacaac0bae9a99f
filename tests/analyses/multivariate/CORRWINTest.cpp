// The correlation text on data/corr: golden texts of the display bits in
// both modes; coefficients and marks against R and PSPP (data/
// corr_reference.R, .sps); the error text; a table past the first buffer;
// marks asked for without p-values.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/multivariate/CORRWIN.h"
#include "stats/CorrObj.h"

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

TEST_F(CorrTextTest, PrintsRsCoefficientsAndMarksAtFourDecimals)
{
    for (const Reference &ref : references) {
        const std::string text = Table({A, B, C, D}, ref.mode, CORRWIN::displayMarks);
        for (int k = 0; k < 6; ++k) {
            // A cell: the coefficient in 8, its mark in 2 and a blank.
            char cell[24];
            const double p = ref.p[k];
            std::snprintf(cell, sizeof cell, "%8.4f %c ", ref.r[k], p < 0.001 ? '!' : p < 0.01 ? '*' : p < 0.05 ? '+' : ' ');
            EXPECT_NE(std::string::npos, text.find(cell)) << cell;
        }
    }
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
    EXPECT_NE(std::string::npos, text.Text().find("\r\n V3       -0.5944 -0.5515\r\n"));
    EXPECT_EQ(std::string::npos, text.Text().find("p<0.05"));
}

TEST(CorrLargeTextTest, AHundredVariableFullMatrixIsWrittenWhole)
{
    EnglishTexts texts;
    // v1..v100 of 5 cases c: c (i % 7 + 1) + c^2 % (i + 2).
    Survey::Text survey{"", ""};
    for (int i = 1; i <= 100; ++i) {
        survey.description += "variable v" + std::to_string(i) + "\ntype double\n";
        survey.csv += (i > 1 ? ",v" : "v") + std::to_string(i) + (i == 100 ? "\n" : "");
    }
    for (int c = 1; c <= 5; ++c)
        for (int i = 1; i <= 100; ++i)
            survey.csv += std::to_string(c * (i % 7 + 1) + c * c % (i + 2)) + (i == 100 ? "\n" : ",");
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
    // The last row whole: its label in 8, then 100 cells of 11; the legend after it.
    const std::string &all = text.Text();
    const std::size_t last = all.find("\r\n V100 ");
    ASSERT_NE(std::string::npos, last);
    EXPECT_EQ(last + 3 + 8 + 100 * 11, all.find("\r\n", last + 3));
    EXPECT_NE(std::string::npos, all.find("p<0.05", last));
}

} // namespace

// The survey with every case weighing the same: near the smallest double,
// 1e300 or past the largest double in sum. The coefficients do not change
// with the weights' scale; p counts the weights as cases, so under weights
// of less than a case each its marks are "-" with the reason below the
// table, and past the largest double p is 0 (every mark "!") and the count
// line says why it has no figure.
class CorrWeightScaleTest : public CorrTextTest
{
protected:
    std::string WeightedTable(const char *weight)
    {
        std::string csv = ReadFile(SourceFile("data/corr.csv")), weighted;
        for (size_t at = 0, end; at < csv.size(); at = end + 1) {
            end = csv.find('\n', at);
            if (end == std::string::npos)
                end = csv.size();
            std::string line = csv.substr(at, end - at);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (!line.empty())
                weighted += line + (weighted.empty() ? ",w" : std::string(",") + weight) + "\n";
        }
        survey.reset();
        survey = std::make_unique<Survey>(Survey::Text{
            ReadFile(SourceFile("data/corr.desc")) + "variable w\ntype double\nweight w\n", weighted});
        return Table({A, B, C, D}, CorrObj::kListwise, CORRWIN::displayMarks);
    }
};

TEST_F(CorrWeightScaleTest, CoefficientsStayAndMarksSayWhy)
{
    const std::string unit = Table({A, B, C, D}, CorrObj::kListwise, CORRWIN::displayMarks);
    const std::string tooSmall = std::string("- ") + StatText(31, 0);
    EXPECT_EQ(std::string::npos, unit.find(tooSmall));
    for (const char *weight : {"4e-320", "1e300", "1.7e308"}) {
        const std::string text = WeightedTable(weight);
        for (const Reference &ref : references) {
            if (ref.mode != CorrObj::kListwise)
                continue;
            for (double r : ref.r) {
                char cell[16];
                std::snprintf(cell, sizeof cell, "%8.4f ", r);
                EXPECT_NE(std::string::npos, text.find(cell)) << weight << ": " << cell << "\n" << text;
            }
        }
        if (std::string(weight) == "4e-320") {
            EXPECT_NE(std::string::npos, text.find(tooSmall)) << text;
            EXPECT_NE(std::string::npos, text.find("0.8892 - ")) << text;
        } else {
            EXPECT_EQ(std::string::npos, text.find(tooSmall)) << text;
            EXPECT_NE(std::string::npos, text.find("0.8892 ! ")) << text;
        }
        if (std::string(weight) == "1.7e308")
            EXPECT_NE(std::string::npos, text.find("--- (weights too large to sum)")) << text;
    }
}
