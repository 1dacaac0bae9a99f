// The three paired tests' pages: their texts (golden, unweighted and
// weighted, user-missing values left out), their figures against R's
// (data/paired_reference.R, run on the same cases: binom.test,
// mcnemar.test, wilcox.test(paired = TRUE, exact = FALSE, correct = FALSE);
// PSPP's NPAR TESTS gives the same exact probabilities and rank sums), and
// one run from the variable-list window pairing every list-0 variable with
// every list-1 variable.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/paired/McNemarOption.h"
#include "analyses/RegisterAnalyses.h"
#include "analyses/paired/SignTestOption.h"
#include "analyses/paired/WilcoxonOption.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"
#include "zaf/core/ZafNotebook.h"

#include <cstdlib>

namespace {

using namespace analysestest;

enum PairedVariable { ID = 1, W, PAPER, WEB, BEFORE, AFTER, RADIO };

// The text a computation of class C writes for the pair (a, b).
template <class C, class Window> std::string PageText(long a, long b)
{
    C computation(a, b, ProgramSettings::Instance()->GetDataSet(0));
    Window window(0, &computation);
    window.WriteResult();
    return window.Text();
}

bool Has(const std::string &text, const std::string &part)
{
    return text.find(part) != std::string::npos;
}

class PairedTestsTest : public WindowTest
{};

TEST_F(PairedTestsTest, McNemarTextsAgreeWithR)
{
    OpenSurvey("data/paired");
    const std::string exact = PageText<McNemarO, MCNEMARWIN>(PAPER, WEB);
    ExpectGolden("mcnemar_paper_web", exact);
    EXPECT_TRUE(Has(exact, "p = 0.0386")) << "binom.test(2, 12)";
    EXPECT_TRUE(Has(PageText<McNemarO, MCNEMARWIN>(PAPER, RADIO), "p = 0.0044")) << "binom.test(3, 19)";

    OpenSurvey("data/paired", "weight w\n");
    ExpectGolden("mcnemar_paper_web_weighted", PageText<McNemarO, MCNEMARWIN>(PAPER, WEB));
    const std::string chi = PageText<McNemarO, MCNEMARWIN>(PAPER, RADIO);
    ExpectGolden("mcnemar_paper_radio_weighted", chi);
    EXPECT_TRUE(Has(chi, "19.18")) << "mcnemar.test chi-square 19.184";
    EXPECT_TRUE(Has(chi, "0.0000")) << "p 1.187e-05";
    // Not a dichotomy: the message alone, no table and no footer.
    EXPECT_EQ("\r\n " + std::string(StatText(9, pairedTestTextGroup)) + "\r\n ",
              (PageText<McNemarO, MCNEMARWIN>(BEFORE, WEB)));
}

TEST_F(PairedTestsTest, SignTestTextsAgreeWithR)
{
    OpenSurvey("data/paired");
    const std::string exact = PageText<SignTestO, SIGNTESTWIN>(BEFORE, AFTER);
    ExpectGolden("signtest_before_after", exact);
    EXPECT_TRUE(Has(exact, "before > after:  7\r\n")) << "whole counts without decimals";
    EXPECT_TRUE(Has(exact, "p = 0.0433")) << "binom.test(7, 25)";

    OpenSurvey("data/paired", "weight w\n");
    const std::string normal = PageText<SignTestO, SIGNTESTWIN>(BEFORE, AFTER);
    ExpectGolden("signtest_before_after_weighted", normal);
    EXPECT_TRUE(Has(normal, "before > after:  12\r\n")) << "whole weighted counts without decimals";
    EXPECT_TRUE(Has(normal, "z = -2.86")) << "(12 + 0.5 - 22) / (sqrt(44) / 2)";
    EXPECT_TRUE(Has(normal, "0.0042")) << "2 pnorm(-2.864358)";
    // No pair differs: the message alone.
    EXPECT_TRUE(Has(PageText<SignTestO, SIGNTESTWIN>(BEFORE, BEFORE), StatText(11, pairedTestTextGroup)));
}

// Under a weight with decimals the pairs of each sign are sums of weights:
// each is written as it stands, not with the weight's decimals, and the
// pairs with a difference are their sum, written the same way.
TEST_F(PairedTestsTest, SignTestCountsAreWrittenAsShortAsTheyAre)
{
    survey.reset();
    survey = std::make_unique<Survey>(
        Survey::Text{"variable x\ntype u8\nvariable y\ntype u8\nvariable w\ntype double\ndecimals 3\nweight w\n",
                     "x,y,w\n5,1,1.125\n4,2,2.5\n3,1,0.75\n1,4,3.25\n2,6,1.5\n3,3,2\n"});
    const std::string text = PageText<SignTestO, SIGNTESTWIN>(1, 2);
    EXPECT_TRUE(Has(text, "x > y:  4.375\r\n")) << text;
    EXPECT_TRUE(Has(text, "x < y:  4.75\r\n")) << text;
    EXPECT_TRUE(Has(text, std::string(StatText(12, pairedTestTextGroup)) + "9.125\r\n")) << text;
    // Counts that are not whole take the normal approximation even below 26.
    EXPECT_TRUE(Has(text, StatText(14, pairedTestTextGroup))) << text;
}

TEST_F(PairedTestsTest, WilcoxonTextsAgreeWithR)
{
    OpenSurvey("data/paired");
    const std::string exact = PageText<WilcoxonO, WILCOXONWIN>(BEFORE, AFTER);
    ExpectGolden("wilcoxon_before_after", exact);
    for (const char *figure : {"28", "11.58", "16.64", "208.50", "116.50"})
        EXPECT_TRUE(Has(exact, figure)) << figure;

    OpenSurvey("data/paired", "weight w\n");
    const std::string normal = PageText<WilcoxonO, WILCOXONWIN>(BEFORE, AFTER);
    ExpectGolden("wilcoxon_before_after_weighted", normal);
    for (const char *figure : {"20.50", "27.83", "656.00", "334.00", "0.0503"})
        EXPECT_TRUE(Has(normal, figure)) << figure;
    // All differences of one sign: that sign's mean rank and rank sum alone.
    const std::string oneSign = PageText<WilcoxonO, WILCOXONWIN>(PAPER, BEFORE);
    EXPECT_FALSE(Has(oneSign, StatText(23, pairedTestTextGroup)));
    EXPECT_FALSE(Has(oneSign, StatText(25, pairedTestTextGroup)));
    EXPECT_TRUE(Has(oneSign, StatText(24, pairedTestTextGroup)));
}

// Cases weighing 1e300 each: z of the normal approximation lies far past
// the mark's size (about -1e150) and is a figure, in exponent form; the
// rank sums pass the largest double and take the mark with its reason.
TEST_F(PairedTestsTest, WilcoxonZBeyondTheMarksSizeIsPrintedAsAFigure)
{
    survey.reset();
    survey = std::make_unique<Survey>(
        Survey::Text{"variable x\ntype u8\nvariable y\ntype u8\nvariable w\ntype double\nweight w\n",
                     "x,y,w\n5,1,1e300\n4,2,1e300\n3,1,1e300\n1,4,1e300\n7,6,1e300\n3,9,1e300\n8,2,1e300\n"});
    const std::string text = PageText<WilcoxonO, WILCOXONWIN>(1, 2);
    const std::size_t at = text.find(" z = ");
    ASSERT_NE(std::string::npos, at) << text;
    const std::string zLine = text.substr(at, text.find('\r', at) - at);
    EXPECT_EQ(std::string::npos, zLine.find("***")) << text;
    EXPECT_NE(std::string::npos, zLine.find("e+")) << zLine;
    const double z = std::strtod(zLine.c_str() + 5, nullptr);
    EXPECT_LT(z, -1e100) << zLine;
    EXPECT_GT(z, -1e200) << zLine;
    EXPECT_TRUE(Has(text, StatText(30, 0))) << "the rank sums' mark says why:\n" << text;
}

std::vector<WorkBook *> shownBooks;

TEST_F(PairedTestsTest, ARunPairsEveryFirstVariableWithEverySecondOne)
{
    shownBooks.clear();
    const WorkBook::ShowHook previous = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
    VariableListWindow *window = OpenAnalysis("data/paired", 24);
    ASSERT_NE(nullptr, dynamic_cast<McNemarOption *>(window->Option()));
    ClickRow(window->VariableList(), PAPER - 1);
    ClickRow(window->VariableList(), WEB - 1, MK_CONTROL);
    Press(window, "BT_ADD0");
    ClickRow(window->VariableList(), WEB - 1);
    ClickRow(window->VariableList(), RADIO - 1, MK_CONTROL);
    Press(window, "BT_ADD1");
    Press(window, VariableListWindow::runName);

    ASSERT_EQ(1u, shownBooks.size());
    WorkBook *book = shownBooks[0];
    ASSERT_EQ(4, book->PageCount());
    const char *titles[] = {"V3 * V4", "V3 * V7", "V4 * V4", "V4 * V7"};
    for (int page = 0; page < 4; ++page) {
        ZafWindowObject *tab = book->Notebook()->TabOf(book->PageAt(page));
        EXPECT_STREQ(titles[page], tab ? tab->Text() : "") << page;
    }
    auto *first = static_cast<MCNEMARWIN *>(book->PageAt(0)->ResultWindow());
    EXPECT_EQ((PageText<McNemarO, MCNEMARWIN>(PAPER, WEB)), first->Text());
    Forget(book);
    CloseAnalysis(window);
    WorkBook::SetShowHook(previous);
    EXPECT_TRUE(AssumeReports::All().empty()) << AssumeReports::First();
}

} // namespace
