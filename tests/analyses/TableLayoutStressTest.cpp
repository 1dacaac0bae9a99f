// Every text table writer on data of awkward shapes: sums of millions,
// values near 1e9, fractional weights with four decimals, one-character,
// 40-character and 70-character labels, zero cells. In every table each
// figure stands whole at least two blanks from what comes before it and
// ends where the heading of its column ends (headings themselves two
// blanks apart), so that no two figures run together and none leaves its
// column; every total row is the sum of its column; every footer is
// written under every layout.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/multivariate/CORRWIN.h"
#include "analyses/paired/McNemarOption.h"
#include "analyses/frequencies/MULTDIKOWIN.h"
#include "analyses/frequencies/MULTFREQWIN.h"
#include "analyses/multivariate/MultregBook.h"
#include "analyses/multivariate/MultregOption.h"
#include "analyses/frequencies/MultrespFreqOption.h"
#include "analyses/multivariate/REGWIN.h"
#include "analyses/paired/TTESTWIN.h"
#include "analyses/paired/TtestParBook.h"
#include "analyses/paired/TtestParOption.h"
#include "analyses/paired/WilcoxonOption.h"
#include "analyses/frequencies/FRWIN.h"
#include "analyses/frequencies/FreqBook.h"
#include "analyses/frequencies/FreqOption.h"
#include "analyses/caselist/ListBook.h"
#include "analyses/caselist/ListOption.h"
#include "analyses/caselist/ListOutput.h"
#include "analyses/multivariate/NtabBook.h"
#include "analyses/multivariate/NTAB.h"
#include "analyses/descriptives/ONEWAY.h"
#include "analyses/crosstab/XTAB.h"
#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XTWIN.h"
#include "analyses/crosstab/XtabOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "shell/VariableListWindow.h"
#include "stats/CorrObj.h"
#include "stats/FREQOBJ.h"
#include "stats/MeanObj.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

namespace {

using namespace analysestest;

const std::string longA = "Households with more than two small cars";
const std::string longB = "Households that never owned any car ever";
const std::string longC = "Households that share one car with other";
const std::string wideA = "Greater Metropolitan Capital District and all its Surrounding Suburbs.";
const std::string wideB = "Northern Highlands and Islands with the Remote Coastal Fishing Village";

// one: labels of one character; longer: labels of 40 characters (c is
// never answered: zero cells); big: sums of millions; w: a weight of four
// decimals.
Survey::Text StressSurvey(bool weighted)
{
    std::string description = "categories letters\nvalue 1 = a\nvalue 2 = b\nvalue 3 = c\n"
                              "variable one\nlabel One\ntype u8\nlabels letters\n"
                              "variable two\nlabel Two\ntype u8\nlabels letters\n"
                              "variable p1\nlabel First answer\ntype u8\nvalue 1 = y\nvalue 2 = n\n"
                              "variable p2\nlabel Second answer\ntype u8\nvalue 1 = y\nvalue 2 = n\n"
                              "variable longer\nlabel Long labels\ntype u8\nvalue 1 = " +
                              longA + "\nvalue 2 = " + longB + "\nvalue 3 = " + longC +
                              "\n"
                              "variable big\nlabel Sums of millions\ntype double\ndecimals 2\n"
                              "variable small\nlabel Small\ntype double\ndecimals 2\n"
                              "variable w\nlabel Weight\ntype double\ndecimals 4\n"
                              "variable wide\nlabel Regions of seventy characters\ntype u8\nvalue 1 = " +
                              wideA + "\nvalue 2 = " + wideB +
                              "\n"
                              "variable huge\nlabel Near a billion\ntype double\ndecimals 2\n";
    if (weighted)
        description += "weight w\n";
    std::string csv = "one,two,p1,p2,longer,big,small,w,wide,huge\n";
    const char *rows[] = {"1,2,1,1,1,9876543.21,0.5,1234.5678,1,987654321.25",
                          "2,1,1,2,2,8765432.19,1.5,2345.6789,2,998877665.5",
                          "3,3,2,1,1,7654321.98,2.5,0.3333,1,912345678.75",
                          "1,1,2,2,2,6543210.87,3.5,3456.7891,2,999999999.99",
                          "2,3,1,1,1,9988776.65,4.5,4567.8912,1,900000001",
                          "3,2,1,2,2,5432109.76,5.5,5678.9123,2,955555555.55",
                          "1,1,2,1,1,4321098.65,6.5,789.1234,1,933333333.33",
                          "2,2,2,2,2,3210987.54,7.5,8912.3456,2,944444444.44",
                          "1,3,1,1,1,2109876.43,8.5,9123.4567,1,966666666.66",
                          "2,1,2,2,2,1098765.32,9.5,123.4567,2,977777777.77"};
    for (const char *row : rows)
        csv += std::string(row) + "\n";
    return {description, csv};
}

std::vector<std::string> Lines(const std::string &text)
{
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r')
            continue;
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

struct Token
{
    std::string text;
    size_t end; // one past its last character
};

std::vector<Token> Tokens(const std::string &line)
{
    std::vector<Token> tokens;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && line[i] == ' ')
            ++i;
        const size_t start = i;
        while (i < line.size() && line[i] != ' ')
            ++i;
        if (i > start)
            tokens.push_back({line.substr(start, i - start), i});
    }
    return tokens;
}

// Dashes (in one or more runs), at least four, and nothing else.
bool IsRule(const std::string &line)
{
    return line.find_first_not_of("- ") == std::string::npos &&
           std::count(line.begin(), line.end(), '-') >= 4;
}

// A figure or a figure's mark: starts with a digit, a sign, a point or a
// mark character.
bool LooksLikeFigure(const std::string &token)
{
    // A line number ("12)") is not a figure of the table.
    return std::string("0123456789+-.*").find(token[0]) != std::string::npos && token.back() != ')';
}

bool ReadsAsOneFigure(const std::string &token)
{
    if (token.find_first_not_of("-*") == std::string::npos)
        return true; // a mark of a figure that cannot be given
    char *end = nullptr;
    std::strtod(token.c_str(), &end);
    return end && *end == '\0';
}

// The headings of a heading line: its runs of text parted by two blanks or
// more (a heading of several words keeps its single blanks).
std::vector<Token> Headings(const std::string &line)
{
    std::vector<Token> headings;
    for (const Token &t : Tokens(line)) {
        const size_t start = t.end - t.text.size();
        if (!headings.empty() && start >= 1 && headings.back().end == start - 1) {
            headings.back().text += " " + t.text;
            headings.back().end = t.end;
        } else {
            headings.push_back(t);
        }
    }
    return headings;
}

// Two blanks (or the line's start, with its one blank) before the token.
bool StandsApart(const std::string &line, const Token &t)
{
    const size_t start = t.end - t.text.size();
    return start <= 1 || (line[start - 1] == ' ' && line[start - 2] == ' ');
}

// Checks the figures of the body lines against the heading line: each reads
// as one number, stands two blanks from what comes before it and ends where
// a heading ends. Answers the figures checked.
// The written case list parts its columns by one blank: there each word of
// the title line counts as a heading, and one blank is room enough.
int CheckColumns(const std::string &heading, const std::vector<std::string> &body, const std::string &what,
                 bool twoBlanks = true)
{
    std::set<size_t> ends;
    for (const Token &t : twoBlanks ? Headings(heading) : Tokens(heading))
        ends.insert(t.end);
    int checked = 0;
    for (const std::string &line : body)
        for (const Token &t : Tokens(line)) {
            if (!LooksLikeFigure(t.text))
                continue;
            ++checked;
            EXPECT_TRUE(!twoBlanks || StandsApart(line, t)) << what << ": \"" << t.text << "\" is less than two blanks from the text "
                                              << "before it in the line\n"
                                              << line;
            EXPECT_TRUE(ReadsAsOneFigure(t.text)) << what << ": figures run together in \"" << t.text
                                                  << "\" of the line\n"
                                                  << line << "\nunder\n"
                                                  << heading;
            EXPECT_TRUE(ends.count(t.end)) << what << ": \"" << t.text << "\" is not under a heading in the line\n"
                                           << line << "\nunder\n"
                                           << heading;
        }
    return checked;
}

// The tables of a text: a heading line above a rule, then the lines up to
// the third rule (under the body, under the totals) or an empty line.
int CheckRuledTables(const std::string &text, const std::string &what)
{
    const std::vector<std::string> lines = Lines(text);
    int checked = 0, tables = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (IsRule(lines[i]) || !IsRule(lines[i + 1]) || Tokens(lines[i]).empty())
            continue;
        std::vector<std::string> body;
        int rules = 1;
        size_t j = i + 2;
        for (; j < lines.size() && rules < 3 && !Tokens(lines[j]).empty(); ++j) {
            if (IsRule(lines[j]))
                ++rules;
            else
                body.push_back(lines[j]);
        }
        checked += CheckColumns(lines[i], body, what);
        ++tables;
        i = j - 1;
    }
    EXPECT_GT(tables, 0) << what << ": no table in\n" << text;
    return checked;
}

// The lines that begin (after their blank) with one of the labels: the
// figure each ends with stands whole, and all of them end in one column.
int CheckLabelledFigures(const std::string &text, const std::vector<std::string> &labels, const std::string &what)
{
    std::set<size_t> ends;
    int checked = 0;
    for (const std::string &line : Lines(text)) {
        const size_t first = line.find_first_not_of(' ');
        bool labelled = false;
        for (const std::string &label : labels)
            labelled = labelled || (first != std::string::npos && line.compare(first, label.size(), label) == 0 &&
                                    line.size() > first + label.size() && line[first + label.size()] == ' ');
        const std::vector<Token> tokens = Tokens(line);
        if (!labelled || tokens.size() < 2 || !LooksLikeFigure(tokens.back().text))
            continue;
        ++checked;
        EXPECT_TRUE(ReadsAsOneFigure(tokens.back().text)) << what << ": " << line;
        ends.insert(tokens.back().end);
    }
    EXPECT_EQ(1u, ends.size()) << what << ": the figures do not end in one column in\n" << text;
    return checked;
}

// The figures of a ruled table's lines by the column they end in.
// The decimals of each go to decimals, by the same column.
std::map<size_t, double> FiguresByEnd(const std::string &line, std::map<size_t, int> &decimals)
{
    std::map<size_t, double> figures;
    for (const Token &t : Tokens(line)) {
        if (!LooksLikeFigure(t.text) || t.text.find_first_not_of("-*") == std::string::npos)
            continue;
        figures[t.end] = std::strtod(t.text.c_str(), nullptr);
        const size_t point = t.text.find('.');
        decimals[t.end] = std::max(decimals[t.end], point == std::string::npos ? 0 : int(t.text.size() - point - 1));
    }
    return figures;
}

// Every ruled table of the text whose heading line contains the title
// (all of them for ""): the row after the rule under its body is its
// total row, and each figure there is the sum of the figures above it in
// its column, to the rounding of the figures printed. Answers the totals
// checked.
int CheckTotals(const std::string &text, const std::string &what, const std::string &title = "")
{
    const std::vector<std::string> lines = Lines(text);
    int checked = 0;
    for (size_t i = 0; i + 1 < lines.size(); ++i) {
        if (IsRule(lines[i]) || !IsRule(lines[i + 1]) || Tokens(lines[i]).empty())
            continue;
        bool titled = title.empty();
        for (size_t back = i; back + 4 > i && back < lines.size() && !titled; --back)
            titled = lines[back].find(title) != std::string::npos;
        size_t j = i + 2;
        std::map<size_t, double> sums;
        std::map<size_t, int> decimals;
        int rows = 0;
        for (; j < lines.size() && !IsRule(lines[j]) && !Tokens(lines[j]).empty(); ++j, ++rows)
            for (const auto &figure : FiguresByEnd(lines[j], decimals))
                sums[figure.first] += figure.second;
        if (!titled || j + 1 >= lines.size() || !IsRule(lines[j])) {
            i = j;
            continue;
        }
        std::map<size_t, int> totalDecimals;
        const std::map<size_t, double> totals = FiguresByEnd(lines[j + 1], totalDecimals);
        for (const auto &total : totals) {
            if (!sums.count(total.first))
                continue;
            ++checked;
            // Each figure above may be off by half its own last digit.
            const double slack = rows * 0.5 * std::pow(10.0, -decimals[total.first]) + 1e-9;
            EXPECT_NEAR(sums[total.first], total.second, std::max(slack, std::fabs(total.second) * 1e-12))
                << what << ": the total is not its column's sum in\n"
                << lines[i] << "\n...\n"
                << lines[j + 1];
        }
        // On past the total row and whatever closes the table.
        for (i = j + 1; i + 1 < lines.size() && !IsRule(lines[i]) && !Tokens(lines[i]).empty();)
            ++i;
    }
    return checked;
}

bool HasFooter(const std::string &text, bool weighted)
{
    const std::string count = std::string(StatText(21, 0)).substr(0, 10);
    return text.find(count) != std::string::npos &&
           (!weighted || text.find(std::string(StatText(34, 1)) + ": ") != std::string::npos);
}

class TableLayoutStress : public WindowTest, public testing::WithParamInterface<bool>
{
protected:
    void SetUp() override
    {
        survey = std::make_unique<Survey>(StressSurvey(GetParam()));
        ASSERT_NE(nullptr, survey->DataSet());
    }
    long Variable(const char *name) const { return survey->Variable(name); }
    std::string Weighting() const { return GetParam() ? "weighted" : "unweighted"; }
};

TEST_P(TableLayoutStress, FrequencyTablesAtTheNarrowestColumnWidth)
{
    for (const char *name : {"one", "longer", "big", "w"}) {
        auto *record = new FreqOption;
        // An unlabelled value is its own label: the label column only for
        // the labelled variables.
        const bool labelled = name[0] == 'o' || name[0] == 'l';
        record->tableOptions = static_cast<unsigned short>(
            (FreqOption::defaultOptions | freqCumulativeColumn | freqColumnHeadings | freqValueColumn) &
            ~(labelled ? 0u : static_cast<unsigned>(freqLabelColumn)));
        record->SetColumnWidth(FRWIN::minimumColumnWidth);
        FreqBook book(record);
        BUFFERTYPE *list = new LISTETYPE(survey->DataSet(), Variable(name));
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(Variable(name), survey->DataSet()));
        FREQOBJECT distribution(survey->DataSet());
        distribution.workbook = &book;
        BuildFrequencyDistribution(list, &distribution, labels.get());
        delete list;
        FRWIN text("table");
        text.distribution = &distribution;
        text.WriteResult();
        distribution.workbook = nullptr;
        EXPECT_GE(CheckRuledTables(text.Text(), std::string("frequencies of ") + name), 13) << text.Text();
    }
}

TEST_P(TableLayoutStress, CrosstabsOfEveryTableTypeWithShortAndLongLabels)
{
    const std::pair<const char *, const char *> pairs[] = {{"one", "one"}, {"one", "longer"}, {"longer", "one"}};
    for (const auto &pair : pairs) {
        DATASET *set = survey->DataSet();
        auto *record = new XtabOption;
        record->tableTypeMask = 0x7f;
        record->measureMask = 0x7ff;
        XTAB book(record);
        LISTETYPE columns(set, Variable(pair.first)), rows(set, Variable(pair.second));
        std::unique_ptr<KATLABS> columnLabels(KATLABS::ConstructAndRead(Variable(pair.first), set));
        std::unique_ptr<KATLABS> rowLabels(KATLABS::ConstructAndRead(Variable(pair.second), set));
        XTABOBJECT table(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set);
        XTWIN text(&book, &table);
        text.WriteResult();
        EXPECT_GT(CheckRuledTables(text.Text(), std::string(pair.first) + " by " + pair.second), 7 * 12)
            << text.Text();
    }
}

TEST_P(TableLayoutStress, BreakdownTablesWithEveryColumnAndSumsOfMillions)
{
    for (const char *breakName : {"one", "longer"}) {
        ONEWAY computation(Variable("big"), Variable(breakName), survey->DataSet());
        ASSERT_TRUE(computation.Compute());
        computation.displayMask = 0x3FF, computation.testMask = 0, computation.sortCode = 128;
        TXTWIN text("table", 0);
        computation.WriteBreakdownTable(text);
        EXPECT_GE(CheckRuledTables(text.Text(), std::string("big by ") + breakName), 13 * 3) << text.Text();
    }
}

TEST_P(TableLayoutStress, NwayTablesOfShortAndLongLabels)
{
    const std::pair<const char *, const char *> pairs[] = {{"one", "longer"}, {"longer", "one"}};
    for (const auto &pair : pairs) {
        NTAB table(survey->DataSet());
        long controls[] = {Variable(pair.second), 0};
        ASSERT_TRUE(table.ComputeForVariable(Variable(pair.first), controls, 0)) << table.GetFailureText();
        // Counts, percentages, cumulative percentages: the control's
        // categories as columns.
        for (unsigned long display : {0x210ul, 0x201ul, 0x104ul, 0x102ul}) {
            NTABWIN window("n-way", nullptr, &table);
            table.display = display;
            table.userLayerCount = 1;
            window.SetColumnWidth(4);
            table.SplitLayers();
            table.ComputeColumnWidths(&window);
            window.WriteResult();
            EXPECT_GT(CheckRuledTables(window.Text(), std::string(pair.first) + " by " + pair.second), 0)
                << window.Text();
        }
    }
}

TEST_P(TableLayoutStress, CorrelationMatrixOfSumsOfMillions)
{
    std::vector<long> list = {Variable("big"), Variable("small"), Variable("w"), 0};
    for (int mode : {0, 1}) {
        CorrObj corr(list.data(), mode);
        corr.displayWord = 0xFFFF;
        CORRWIN text("Correlation", &corr);
        text.WriteTable();
        // The heading names the variables; a row starts with its variable.
        const std::vector<std::string> lines = Lines(text.Text());
        size_t heading = 0;
        while (heading < lines.size() && !(Tokens(lines[heading]).size() == 3 && lines[heading].compare(0, 2, "  ") == 0))
            ++heading;
        std::vector<std::string> rows;
        for (size_t i = heading + 1; i < lines.size(); ++i)
            if (lines[i].compare(0, 2, " V") == 0)
                rows.push_back(lines[i]);
        ASSERT_LT(heading, lines.size()) << text.Text();
        EXPECT_GE(CheckColumns(lines[heading], rows, "correlation"), 3) << text.Text();
    }
}

TEST_P(TableLayoutStress, MultipleResponseTablesOfCategoriesAndDichotomies)
{
    std::vector<long> list = {Variable("one"), Variable("two"), 0};
    for (int base : {0, 1}) {
        MultRespFreq categories(list.data(), base, 0, survey->DataSet());
        categories.displayWord = 0x1F;
        categories.columnWidth = 3;
        TXTWIN text("categories", 0);
        categories.WriteTable(text);
        EXPECT_GT(CheckRuledTables(text.Text(), "categories"), 6) << text.Text();
    }
    ValueRangeList counted = {{1.0, 1.0}};
    for (int base : {0, 1}) {
        MultRespDiko dichotomies(list.data(), base, 0, counted, survey->DataSet());
        dichotomies.displayWord = 0x1F;
        dichotomies.columnWidth = 3;
        TXTWIN text("dichotomies", 0);
        dichotomies.WriteTable(text);
        EXPECT_GT(CheckRuledTables(text.Text(), "dichotomies"), 2) << text.Text();
    }
}

TEST_P(TableLayoutStress, DescriptivesOfSumsOfMillions)
{
    for (const char *name : {"big", "w"}) {
        MeanObj computation(Variable(name), survey->DataSet());
        ASSERT_TRUE(computation.Compute());
        computation.statisticsMask = 0x3FF;
        TXTWIN text("table", 0);
        MeanObj::WriteMeanTable(computation, text, 32);
        std::vector<std::string> labels;
        for (int number : {9, 31, 10, 11, 33, 12, 14, 15, 13, 16, 19, 28, 20, 17, 18})
            labels.push_back(StatText(number, 32));
        EXPECT_EQ(15, CheckLabelledFigures(text.Text(), labels, name)) << text.Text();
    }
}

TEST_P(TableLayoutStress, RegressionOfSumsOfMillions)
{
    auto *record = new MultregOption;
    record->tableDisplay = 0x1F;
    MultregBook book(record);
    std::vector<long> independents = {Variable("small"), Variable("w"), Variable("one"), 0};
    Regresjon regression(Variable("big"), independents.data(), int(record->method), int(record->missingDeletion),
                         record->PIn(), record->POut(), survey->DataSet());
    regression.ComputeCorrelationMatrix();
    regression.book = &book;
    REGWIN window("");
    window.SetRegression(&regression);
    window.WriteResult();
    const std::string text = window.Text();
    // The coefficient table: its heading line, then a line per variable.
    std::vector<std::string> lines = Lines(text), body;
    size_t heading = 0;
    while (heading < lines.size() && lines[heading].find(StatText(5, multregTextGroup)) == std::string::npos)
        ++heading;
    ASSERT_LT(heading, lines.size()) << text;
    for (size_t i = heading + 1; i < lines.size(); ++i)
        if (lines[i].compare(0, 2, " V") == 0)
            body.push_back(lines[i]);
    EXPECT_EQ(3, static_cast<int>(body.size())) << text;
    EXPECT_GE(CheckColumns(lines[heading], body, "regression"), 15) << text;
    std::vector<std::string> summary;
    for (int number : {9, 10, 11, 12, 13, 14})
        summary.push_back(StatText(number, multregTextGroup));
    EXPECT_EQ(6, CheckLabelledFigures(text, summary, "regression summary")) << text;
}

TEST_P(TableLayoutStress, PairedTestsOfWeightedCounts)
{
    auto *record = new TtestParOption;
    record->displayMask = 0xFF;
    TtestParBook book(record);
    TtestPar computation(Variable("big"), Variable("small"), 1);
    computation.book = &book;
    TTESTWIN window(&computation);
    window.WriteResult();
    std::vector<std::string> labels;
    for (int number : {1, 2, 3, 8, 9, 10, 11, 12})
        labels.push_back(StatText(number, ttestTableTextGroup));
    EXPECT_EQ(8, CheckLabelledFigures(window.Text(), labels, "t-test")) << window.Text();

    McNemarO mcnemar(Variable("p1"), Variable("p2"), survey->DataSet());
    MCNEMARWIN mcnemarWindow(0, &mcnemar);
    mcnemarWindow.WriteResult();
    EXPECT_GE(CheckRuledTables(mcnemarWindow.Text(), "McNemar"), 4) << mcnemarWindow.Text();

    WilcoxonO wilcoxon(Variable("big"), Variable("small"), survey->DataSet());
    WILCOXONWIN wilcoxonWindow(0, &wilcoxon);
    wilcoxonWindow.WriteResult();
    std::vector<std::string> counts;
    for (int number = 18; number <= 25; ++number)
        counts.push_back(pairedtext::Text(number));
    EXPECT_GE(CheckLabelledFigures(wilcoxonWindow.Text(), counts, "Wilcoxon"), 5) << wilcoxonWindow.Text();
}

// The written case list: with titles, the title line heads the columns.
TEST_P(TableLayoutStress, CaseListLinesWithTitlesAndValueLabels)
{
    long variables[] = {Variable("one"), Variable("longer"), Variable("big"), Variable("w")};
    VarSelection selection;
    selection.count = 4;
    selection.variables = variables;
    auto *record = new ListOption;
    std::unique_ptr<ListBook> book(new ListBook(survey->DataSet(), record, &selection));
    selection.variables = nullptr;
    ListOutput *output = book->Output();
    output->titles = true;
    for (int titleWidth : {50, 4}) {
        output->titleWidth = titleWidth;
        for (bool numbers : {true, false}) {
            output->lineNumbers = numbers;
            std::vector<std::string> body;
            size_t longest = 0, shortest = std::string::npos;
            for (long row = 1; row <= output->Table()->LastRecord() + 1; ++row) {
                body.push_back(output->FormatLine(row, false));
                longest = std::max(longest, body.back().find_last_not_of(' ') + 1);
                shortest = std::min(shortest, body.back().find_last_not_of(' ') + 1);
            }
            const std::string heading = output->FormatLine(0, false);
            EXPECT_GE(CheckColumns(heading, body, "case list", false), 20) << heading;
            // The last column is right-aligned: every line ends at one place.
            EXPECT_EQ(longest, shortest) << heading;
            // Each title stands apart from the one before it.
            for (const char *title : {"One", "Long", "Sums", "Weight"}) {
                if (titleWidth == 50) {
                    EXPECT_NE(std::string::npos, heading.find(std::string(" ") + title)) << heading;
                }
            }
        }
    }
}

// Every total row is its column's sum: frequencies, both multiple-response
// tables (the percentages of cases pass 100, their total with them), the
// crosstab's counts, column and total percentages and expected counts, and
// the n-way table over a variable and over a multiple-response set.
TEST_P(TableLayoutStress, EveryTotalRowIsItsColumnsSum)
{
    const bool weighted = GetParam();
    for (const char *name : {"one", "wide", "huge"}) {
        auto *record = new FreqOption;
        record->tableOptions = static_cast<unsigned short>(FreqOption::defaultOptions | freqColumnHeadings);
        FreqBook book(record);
        BUFFERTYPE *list = new LISTETYPE(survey->DataSet(), Variable(name));
        std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(Variable(name), survey->DataSet()));
        FREQOBJECT distribution(survey->DataSet());
        distribution.workbook = &book;
        BuildFrequencyDistribution(list, &distribution, labels.get());
        delete list;
        FRWIN text("table");
        text.distribution = &distribution;
        text.WriteResult();
        distribution.workbook = nullptr;
        EXPECT_GE(CheckTotals(text.Text(), name), 2) << text.Text();
    }
    std::vector<long> set = {Variable("one"), Variable("two"), 0};
    for (int base : {0, 1}) {
        MultRespFreq categories(set.data(), base, 1, survey->DataSet());
        categories.displayWord = 0x1F;
        TXTWIN text("categories", 0);
        categories.WriteTable(text);
        EXPECT_EQ(2, CheckTotals(text.Text(), "categories")) << text.Text();
        MultRespDiko dichotomies(set.data(), base, 1, {{1.0, 1.0}}, survey->DataSet());
        dichotomies.displayWord = 0x1F;
        TXTWIN diko("dichotomies", 0);
        dichotomies.WriteTable(diko);
        EXPECT_EQ(2, CheckTotals(diko.Text(), "dichotomies")) << diko.Text();
    }
    {
        DATASET *set = survey->DataSet();
        auto *record = new XtabOption;
        record->tableTypeMask = xtabCounts | xtabColumnPercent | xtabTotalPercent | xtabExpected;
        XTAB book(record);
        LISTETYPE columns(set, Variable("wide")), rows(set, Variable("one"));
        std::unique_ptr<KATLABS> columnLabels(KATLABS::ConstructAndRead(Variable("wide"), set));
        std::unique_ptr<KATLABS> rowLabels(KATLABS::ConstructAndRead(Variable("one"), set));
        XTABOBJECT table(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set);
        XTWIN text(&book, &table);
        text.WriteResult();
        EXPECT_EQ(4 * 3, CheckTotals(text.Text(), "crosstab")) << text.Text();
    }
    for (bool overSet : {false, true}) {
        // Counts; first and second percentages; on the base of cases too.
        for (unsigned long display : {0x110ul, 0x101ul, 0x102ul, 0x141ul, 0x142ul}) {
            NTAB table(survey->DataSet());
            long controls[] = {Variable("wide"), 0};
            table.percentageBase = (display & ntabPercentOfAnswers) ? 0 : 1;
            ASSERT_TRUE(overSet ? table.ComputeForTwoLists(set.data(), controls, 0)
                                : table.ComputeForVariable(Variable("one"), controls, 0));
            NTABWIN window("n-way", nullptr, &table);
            table.display = display;
            window.WriteResult();
            EXPECT_EQ(2, CheckTotals(window.Text(), "n-way")) << window.Text();
        }
    }
    (void)weighted;
}

// The footer under every layout: every display word and base of both
// multiple-response tables (but the dichotomies' per-variable base, which
// has none), every figure, layer and base choice of the n-way table, and the
// correlation matrix in both missing-value modes.
TEST_P(TableLayoutStress, EveryFooterUnderEveryLayout)
{
    const bool weighted = GetParam();
    std::vector<long> set = {Variable("one"), Variable("two"), 0};
    for (unsigned long display = 0; display < 0x20; ++display)
        for (int base : {0, 1, 2}) {
            MultRespDiko dichotomies(set.data(), base, display & 1, {{1.0, 1.0}}, survey->DataSet());
            dichotomies.displayWord = display;
            TXTWIN diko("dichotomies", 0);
            dichotomies.WriteTable(diko);
            // Percentages of each variable's own cases: no total row and no
            // footer.
            EXPECT_EQ(base != 2, HasFooter(diko.Text(), weighted)) << display << " " << base << diko.Text();
            if (base == 2)
                continue;
            MultRespFreq categories(set.data(), base, display & 1, survey->DataSet());
            categories.displayWord = display;
            TXTWIN text("categories", 0);
            categories.WriteTable(text);
            EXPECT_TRUE(HasFooter(text.Text(), weighted)) << display << " " << base << text.Text();
        }
    for (bool overSet : {false, true})
        for (unsigned long figures = 0; figures < 0x20; ++figures)
            for (unsigned long layers : {ntabLayersNone, ntabLayersAuto, ntabLayersAll})
                for (unsigned long base : {0ul, static_cast<unsigned long>(ntabPercentOfAnswers)}) {
                    NTAB table(survey->DataSet());
                    long controls[] = {Variable("wide"), Variable("two"), 0};
                    ASSERT_TRUE(overSet ? table.ComputeForTwoLists(set.data(), controls, 0)
                                        : table.ComputeForVariable(Variable("one"), controls, 0));
                    NTABWIN window("n-way", nullptr, &table);
                    table.display = figures | layers | base | ntabVariableNumbers;
                    window.WriteResult();
                    EXPECT_TRUE(HasFooter(window.Text(), weighted)) << table.display << window.Text();
                }
    std::vector<long> list = {Variable("huge"), Variable("small"), 0};
    for (int mode : {CorrObj::kListwise, CorrObj::kPairwise}) {
        CorrObj corr(list.data(), mode);
        corr.displayWord = 0x7;
        CORRWIN text("Correlation", &corr);
        text.WriteTable();
        // Pairwise, no one count: the weight line alone.
        if (mode == CorrObj::kListwise)
            EXPECT_TRUE(HasFooter(text.Text(), weighted)) << text.Text();
        else
            EXPECT_EQ(weighted, text.Text().find(std::string(StatText(34, 1)) + ": ") != std::string::npos)
                << text.Text();
    }
}

// Every page counts the same cases alike: the correlation's listwise
// footer, the regression's, the frequency table's valid cases and the
// descriptives' N, weighted under a weight.
TEST_P(TableLayoutStress, ThePagesOfOneSetOfCasesCountThemAlike)
{
    std::vector<long> list = {Variable("huge"), Variable("small"), 0};
    CorrObj corr(list.data(), CorrObj::kListwise);
    corr.displayWord = 0;
    CORRWIN correlation("Correlation", &corr);
    correlation.WriteTable();

    auto *record = new MultregOption;
    MultregBook book(record);
    std::vector<long> independents = {Variable("small"), 0};
    Regresjon regression(Variable("huge"), independents.data(), int(record->method), int(record->missingDeletion),
                         record->PIn(), record->POut(), survey->DataSet());
    regression.ComputeCorrelationMatrix();
    regression.book = &book;
    REGWIN window("");
    window.SetRegression(&regression);
    window.WriteResult();

    MeanObj mean(Variable("huge"), survey->DataSet());
    ASSERT_TRUE(mean.Compute());
    mean.statisticsMask = 0x3FF;
    TXTWIN descriptives("table", 0);
    MeanObj::WriteMeanTable(mean, descriptives, 32);

    auto footer = [](const std::string &text) {
        const std::string label = std::string(StatText(21, 0)).substr(0, 10);
        const size_t at = text.find(label);
        return at == std::string::npos ? std::string() : text.substr(at, text.find('\r', at) - at);
    };
    const std::string counted = footer(correlation.Text());
    EXPECT_FALSE(counted.empty()) << correlation.Text();
    EXPECT_EQ(counted, footer(window.Text())) << window.Text();
    EXPECT_EQ(counted, footer(descriptives.Text())) << descriptives.Text();
    // 10 cases; under the weight their sum of weights, 36232.5550.
    EXPECT_NE(std::string::npos, counted.find(GetParam() ? ": 36233" : ": 10")) << counted;
}

// A crosstab of 70-character column labels keeps its columns narrow: each
// label wrapped on up to three lines in its cell, the lines no wider than
// the stub and a few cells.
TEST_P(TableLayoutStress, CrosstabOfSeventyCharacterLabelsStaysNarrow)
{
    DATASET *set = survey->DataSet();
    auto *record = new XtabOption;
    record->tableTypeMask = 0x7f;
    XTAB book(record);
    LISTETYPE columns(set, Variable("wide")), rows(set, Variable("wide"));
    std::unique_ptr<KATLABS> labels(KATLABS::ConstructAndRead(Variable("wide"), set));
    XTABOBJECT table(&columns, labels.get(), &rows, labels.get(), 0, set);
    XTWIN text(&book, &table);
    text.WriteResult();
    const std::vector<std::string> lines = Lines(text.Text());
    size_t widest = 0;
    for (const std::string &line : lines)
        widest = std::max(widest, line.size());
    EXPECT_LE(widest, 1 + 70 + 3 * (XTWIN::widestHeadingCell + 1) + 1 + XTWIN::widestHeadingCell) << text.Text();
    // The first words of both labels head their columns.
    EXPECT_NE(std::string::npos, text.Text().find("Greater")) << text.Text();
    EXPECT_NE(std::string::npos, text.Text().find("Northern")) << text.Text();
    EXPECT_GT(CheckRuledTables(text.Text(), "wide by wide"), 7 * 6) << text.Text();
}

INSTANTIATE_TEST_SUITE_P(Weights, TableLayoutStress, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &info) {
                             return info.param ? "Weighted" : "Unweighted";
                         });

} // namespace
