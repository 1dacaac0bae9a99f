// The paired t-test's table on its own survey (data/ttest): every display
// bit against golden texts, the figures of trust before and after against R
// (data/ttest_reference.R: t.test(paired = TRUE) and cor.test; PSPP's
// T-TEST PAIRS agrees at its decimals), unweighted and weighted, the pairs
// too few for a spread or a correlation and the constant pair; then a run
// from the variable-list window building one page a pair.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/RegisterAnalyses.h"
#include "analyses/paired/TTESTWIN.h"
#include "analyses/paired/TtestParBook.h"
#include "analyses/paired/TtestParOption.h"
#include "shell/AnalysisRegistry.h"
#include "shell/VariableListWindow.h"
#include "zaf/core/ZafNotebook.h"

#include <cstring>
#include <sstream>

namespace {

using namespace analysestest;

enum TtestVariable { BEFORE = 3, AFTER, FLAT, FLAT2, ONE, TWO };

class TtestParTest : public WindowTest
{
protected:
    void Open(bool weighted) { OpenSurvey("data/ttest", weighted ? "weight w\n" : ""); }
    // One page's text as the workbook writes it with that mask.
    std::string Text(long first, long second, unsigned long mask)
    {
        auto *record = new TtestParOption;
        record->displayMask = static_cast<long>(mask);
        TtestParBook book(record);
        TtestPar computation(first, second, 1);
        computation.book = &book;
        TTESTWIN window(&computation);
        window.WriteResult();
        return window.Text();
    }
    // The last field of the line that starts (after its blank) with label.
    static std::string Figure(const std::string &text, const std::string &label)
    {
        std::istringstream lines(text);
        for (std::string line; std::getline(lines, line);)
            if (line.compare(line.find_first_not_of(' '), label.size(), label) == 0) {
                std::istringstream fields(line);
                std::string last;
                while (fields >> last) {}
                return last;
            }
        return "(no line " + label + ")";
    }
    static std::string Label(int text) { return StatText(text, ttestTableTextGroup); }
    void ExpectFigures(const std::string &text, const std::vector<std::string> &expected)
    {
        const int labels[] = {1, 3, 2, 8, 9, 10, 11, 12};
        std::vector<std::string> seen;
        std::istringstream lines(text);
        std::string line;
        for (const char *v : {"V3", "V4"}) {
            while (std::getline(lines, line) && line.find(v) != 1) {}
            std::istringstream fields(line.substr(1 + std::strlen(v)));
            std::string field;
            for (int column = 0; column < 3 && fields >> field; ++column) // the caption follows
                seen.push_back(field);
        }
        for (int label : labels)
            seen.push_back(Figure(text, Label(label)));
        EXPECT_EQ(expected, seen);
    }
};

TEST_F(TtestParTest, EveryDisplayBitShowsItsPartAlone)
{
    Open(false);
    std::string all;
    for (unsigned long mask : {0ul, 1ul, 2ul, 4ul, 8ul, 0x10ul, 0x30ul, 0x50ul, 0x60ul, 0x80ul, 0xfful})
        all += "--- mask " + std::to_string(mask) + "\n" + Text(BEFORE, AFTER, mask);
    ExpectGolden("ttest_masks", all);
    EXPECT_EQ(Text(BEFORE, AFTER, 0), Text(BEFORE, AFTER, 0x60)) << "the p lines need the t line";
}

TEST_F(TtestParTest, TheFiguresAreRsAtThePrintedDecimals)
{
    Open(false);
    const std::string text = Text(BEFORE, AFTER, 0xff);
    // means, standard deviations and errors of before, then of after; the
    // mean difference, n, t, one- and two-sided p, r, its t and its p.
    ExpectFigures(text, {"4.995", "1.936", "0.422", "5.124", "2.195", "0.479", "-0.129", "21", "-0.572", "0.2869",
                         "0.5737", "0.883", "8.204", "0.0000"});
    Open(true);
    const std::string weighted = Text(BEFORE, AFTER, 0xff);
    // Under the weight n is the pairs' summed weight that the test rests
    // on, with the weight's decimals (2: its variable sets none).
    ExpectFigures(weighted, {"5.413", "1.943", "0.315", "5.592", "2.181", "0.354", "-0.179", "38.00", "-1.005",
                             "0.1608", "0.3216", "0.864", "10.315", "0.0000"});
    EXPECT_NE(std::string::npos, weighted.find("Number of cases: 38")) << "the weighted sum";
    ExpectGolden("ttest_weighted", weighted);
}

TEST_F(TtestParTest, TooFewPairsAndNoVarianceLeaveTheirFiguresOut)
{
    Open(false);
    std::string all = Text(BEFORE, ONE, 0xff) + Text(BEFORE, TWO, 0xff) + Text(FLAT, FLAT2, 0xff) +
                      Text(ONE, TWO, 0xff);
    ExpectGolden("ttest_edges", all);
    EXPECT_EQ("***", Figure(Text(BEFORE, ONE, 0xff), Label(2))) << "no t of one pair";
    EXPECT_EQ("***", Figure(Text(BEFORE, TWO, 0xff), Label(10))) << "no r of two pairs";
    EXPECT_NE(std::string::npos, Text(FLAT, FLAT2, 0xff).find(Label(0))) << "the reason instead of t";
}

// Pairs near the largest double: the differences have their spread, and
// every figure prints as a value in exponent form, the t as the unscaled
// pairs' t (x and y divided by 1e307 below).
TEST_F(TtestParTest, HugeValuesKeepTheirFigures)
{
    const std::string description = "variable x\ntype double\nvariable y\ntype double\n";
    std::string t, r;
    for (const char *csv : {"x,y\n10e307,9.75e307\n12e307,11.5e307\n8e307,7.25e307\n15e307,14e307\n11e307,9.5e307\n",
                            "x,y\n10,9.75\n12,11.5\n8,7.25\n15,14\n11,9.5\n"}) {
        Survey survey(Survey::Text{description, csv});
        const std::string text = Text(1, 2, 0xff);
        EXPECT_EQ(std::string::npos, text.find(Label(0))) << "no reason instead of t\n" << text;
        EXPECT_EQ(std::string::npos, text.find("***")) << text;
        if (t.empty()) {
            t = Figure(text, Label(2));
            r = Figure(text, Label(10));
            EXPECT_NE(std::string::npos, text.find("1.120e+308")) << "the mean of x\n" << text;
        } else {
            EXPECT_EQ(t, Figure(text, Label(2)));
            EXPECT_EQ(r, Figure(text, Label(10)));
        }
    }
}

// Every pair weighing the same, near the smallest double or at 1e300: r
// and the mean difference are the unweighted ones; under weights of less
// than a case each the spreads, t and p hold the mark with the reason below
// the table, and at 1e300 t is a figure in exponent form with p 0.
TEST_F(TtestParTest, TheWeightsScaleLeavesRAndMarksSayWhy)
{
    Open(false);
    const std::string unit = Text(BEFORE, AFTER, 0xff);
    const std::string tooSmall = std::string("*** ") + StatText(31, 0);
    EXPECT_EQ(std::string::npos, unit.find(tooSmall));
    const std::string csv = ReadFile(SourceFile("data/ttest.csv"));
    for (const char *weight : {"4e-320", "1e300"}) {
        // The weight column w (the second) set to the one weight.
        std::istringstream lines(csv);
        std::string weighted, line;
        while (std::getline(lines, line)) {
            const size_t first = line.find(','), second = line.find(',', first + 1);
            if (first != std::string::npos && second != std::string::npos && line[0] != 'i')
                line = line.substr(0, first + 1) + weight + line.substr(second);
            weighted += line + "\n";
        }
        survey.reset();
        survey = std::make_unique<Survey>(
            Survey::Text{ReadFile(SourceFile("data/ttest.desc")) + "weight w\n", weighted});
        const std::string text = Text(BEFORE, AFTER, 0xff);
        EXPECT_EQ(Figure(unit, Label(10)), Figure(text, Label(10))) << weight << "\n" << text;
        EXPECT_EQ(Figure(unit, Label(1)), Figure(text, Label(1))) << weight << "\n" << text;
        if (std::string(weight) == "4e-320") {
            EXPECT_EQ("***", Figure(text, Label(2))) << text;
            EXPECT_NE(std::string::npos, text.find(tooSmall)) << text;
        } else {
            EXPECT_NE(std::string::npos, Figure(text, Label(2)).find("e+1")) << text;
            EXPECT_EQ("0.0000", Figure(text, Label(9))) << text;
            EXPECT_EQ(std::string::npos, text.find(tooSmall)) << text;
        }
    }
}

std::vector<WorkBook *> shownBooks;

TEST_F(TtestParTest, ARunPairsEveryFirstVariableWithEverySecond)
{
    shownBooks.clear();
    const WorkBook::ShowHook previous = WorkBook::SetShowHook([](WorkBook *book) { shownBooks.push_back(book); });
    RegisterAnalyses();
    BuildAnalysisRegistry(&texts.catalog);
    Open(false);
    auto *list = WindowTest::Open(new VariableListWindow(*userPersist, survey->DataSet(), RegisteredOptionsList.data(),
                                                         static_cast<int>(RegisteredOptionsList.size())));
    const std::string name = StatText(23, analysisTextGroup);
    const LRESULT row = SendMessageA(list->AnalysisList()->OSHandle(), LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                     reinterpret_cast<LPARAM>(name.c_str()));
    ClickRow(list->AnalysisList(), static_cast<int>(row));
    ASSERT_NE(nullptr, dynamic_cast<TtestParOption *>(list->Option()));
    for (auto [listNumber, variables] : {std::pair<int, std::vector<long>>{0, {BEFORE, AFTER, FLAT}}, {1, {ONE, TWO}}}) {
        for (std::size_t i = 0; i < variables.size(); ++i)
            ClickRow(list->VariableList(), static_cast<int>(variables[i] - 1), i ? MK_CONTROL : 0);
        Press(list, ("BT_ADD" + std::to_string(listNumber)).c_str());
    }
    Press(list, VariableListWindow::runName);
    ASSERT_EQ(1u, shownBooks.size());
    auto *book = dynamic_cast<TtestParBook *>(shownBooks[0]);
    ASSERT_NE(nullptr, book);
    EXPECT_EQ(1, book->GraphToolCount());
    std::vector<std::string> titles;
    for (int i = 0; i < book->PageCount(); ++i)
        titles.push_back(book->Notebook()->TabOf(book->PageAt(i))->Text());
    EXPECT_EQ((std::vector<std::string>{"v3 x v7", "v3 x v8", "v4 x v7", "v4 x v8", "v5 x v7", "v5 x v8"}), titles);
    EXPECT_EQ(Text(BEFORE, TWO, 0xff), static_cast<TTESTWIN *>(book->PageAt(1)->ResultWindow())->Text());
    Forget(book);
    Forget(list);
    FreeAnalysisRegistry();
    WorkBook::SetShowHook(previous);
}

} // namespace
