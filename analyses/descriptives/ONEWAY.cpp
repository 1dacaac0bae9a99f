#include "analyses/descriptives/ONEWAY.h"

#include "analyses/descriptives/OnewayOption.h"
#include "dataset/DATASET.h"
#include "graphs/Desk2Graph.h"
#include "graphs/Desk2grafOption.h"
#include "stats/MarkReason.h"
#include "stats/StatClass.h"
#include "stats/StatFormat.h"
#include "stats/StatMissing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr int textGroup = OnewayBook::textGroup;
constexpr int totalText = 34;
constexpr int tooManyText = 69;
constexpr int valueDecimals = 2;
const char missingMark[] = "*** ";

// Column order of the table: the display bit of each column, and whether it
// needs two cases.
struct Column
{
    unsigned long bit;
    int heading;
    bool twoCases;
};
const Column columns[OnewayObj::kColumns] = {
    {OnewayOption::showMean, 25, false},       {OnewayOption::showInterval99, 21, true},
    {OnewayOption::showInterval95, 22, true},  {OnewayOption::showInterval95, 23, true},
    {OnewayOption::showInterval99, 24, true},  {OnewayOption::showQuartiles, 27, false},
    {OnewayOption::showMedian, 28, false},     {OnewayOption::showQuartiles, 29, false},
    {OnewayOption::showMinMax, 26, false},     {OnewayOption::showMinMax, 30, false},
    {OnewayOption::showSum, 31, false},        {OnewayOption::showDeviation, 32, true},
    {OnewayOption::showCount, 33, false},
};
constexpr int countColumn = OnewayObj::kColumns - 1;

double ColumnValue(const DescriptiveRecord &r, int column)
{
    const double *q = r.QuantileSummary();
    switch (column) {
    case 0:
        return r.mean;
    case 1:
        return r.lower99;
    case 2:
        return r.lower95;
    case 3:
        return r.upper95;
    case 4:
        return r.upper99;
    case 5:
        return q ? q[0] : kNotComputed;
    case 6:
        return q ? q[1] : kNotComputed;
    case 7:
        return q ? q[2] : kNotComputed;
    case 8:
        return r.minimum;
    case 9:
        return r.maximum;
    case 10:
        return r.sum;
    default:
        return r.standardDeviation;
    }
}

// Degrees of freedom as the analysis-of-variance table prints them: whole
// ones without decimals, those of a weight that is not whole with two (a
// weighted df of 12.4 printed as "12" would not be the df the p-value was
// read at).
int DfDecimals(double df)
{
    return std::isfinite(df) && df == std::floor(df) ? 0 : 2;
}

} // namespace

void TakeBreakdownOptions(ONEWAY &computation, const OnewayOption &record)
{
    computation.testMask = static_cast<unsigned long>(record.testMask);
    computation.displayMask = static_cast<unsigned long>(record.displayMask);
    computation.sortCode = static_cast<unsigned long>(record.sortCode);
}

bool ONEWAY::Shows(int column) const
{
    return (displayMask & columns[column].bit) != 0;
}

int ONEWAY::LabelColumn() const
{
    // Every label whole, the longest included: the figures of a row stand
    // under their headings whatever its label's length.
    int widest = static_cast<int>(total.label.size());
    for (const DescriptiveRecord &g : groups)
        widest = std::max(widest, static_cast<int>(g.label.size()));
    return widest;
}

int ONEWAY::TableWidth() const
{
    int width = LabelColumn();
    for (int c = 0; c < kColumns; ++c)
        if (Shows(c))
            width += columnWidths[c];
    return width;
}

void ONEWAY::WriteColumnHeadings(TXTWIN &window) const
{
    window.Left(LabelColumn());
    window.WriteString("");
    for (int c = 0; c < kColumns; ++c) {
        if (!Shows(c))
            continue;
        window.Right(columnWidths[c]);
        window.WriteString(StatText(columns[c].heading, textGroup));
    }
    window.EndLine();
}

std::string ONEWAY::CellText(const DescriptiveRecord &r, int c) const
{
    if (c == countColumn) {
        if (IsWeighted() && r.weightedCount > 0.0)
            return FormatCount(r.weightedCount, WeightDecimals() == 255 ? 2 : WeightDecimals());
        if (!IsWeighted() && r.count > 0)
            return std::to_string(r.count);
        return missingMark;
    }
    const double value = ColumnValue(r, c);
    // Besides the statistics that need two cases, a figure left not
    // computed (a group of weight 0, an absent quantile summary, two cases
    // whose weights sum to 1 or less) prints the mark; a figure of valid
    // values may be larger than the mark and prints, from 1e15 on in
    // exponent form.
    // Weights are counts: a spread needs a summed weight above 1, so one
    // record of weight 5 has a spread of 0 and limits at its mean, as the
    // tests below the table count it.
    if ((columns[c].twoCases && !(r.weightedCount > 1.0)) || r.count < 1 || value == kNotComputed ||
        !std::isfinite(value))
        return missingMark;
    return FormatFigure(value, valueDecimals);
}

void ONEWAY::WidenColumns()
{
    // Each column two wider than the widest text it holds, heading or
    // figure, so that a sum of millions stands two blanks from the count
    // beside it.
    for (int c = 0; c < kColumns; ++c) {
        if (!Shows(c))
            continue;
        int widest = static_cast<int>(std::strlen(StatText(columns[c].heading, textGroup)));
        for (const DescriptiveRecord &g : groups)
            widest = std::max(widest, static_cast<int>(CellText(g, c).size()));
        widest = std::max(widest, static_cast<int>(CellText(total, c).size()));
        columnWidths[c] = std::max(columnWidths[c], widest + 2);
    }
}

void ONEWAY::WriteGroupRow(const DescriptiveRecord &r, TXTWIN &window) const
{
    window.Left(LabelColumn());
    window.WriteString(r.label.c_str());
    for (int c = 0; c < kColumns; ++c) {
        if (!Shows(c))
            continue;
        window.Right(columnWidths[c]);
        window.WriteString(CellText(r, c).c_str());
    }
    window.EndLine();
}

void ONEWAY::WriteVarianceTest(TXTWIN &window) const
{
    window.Plain();
    window.EndLine();
    window.WriteString(StatText(64, textGroup));
    window.EndLine();
    window.EndLine();
    const struct
    {
        int text;
        double value;
        int decimals;
    } lines[] = {{65, varianceF, 4}, {66, varianceDf1, DfDecimals(varianceDf1)}, {67, varianceDf2, DfDecimals(varianceDf2)},
                 {68, varianceP, 4}};
    for (const auto &line : lines) {
        window.Left(15);
        window.WriteString(StatText(line.text, textGroup));
        window.Right(10);
        // A test that cannot be computed (one group, no spread within the
        // groups) prints the mark.
        if (IsNotComputed(line.value) || !std::isfinite(line.value)) {
            window.WriteString(missingMark);
        } else {
            window.SetDecimals(line.decimals);
            window.WriteDouble(line.value);
        }
        window.EndLine();
    }
    window.Plain();
    window.ShowText();
}

void ONEWAY::WriteBreakdownTable(TXTWIN &window)
{
    if (tooManyGroups) {
        errorFlag = 1;
        window.Clear();
        window.EndLine();
        window.WriteString(StatText(tooManyText, textGroup));
        window.WriteString("(");
        window.WriteInteger(kMaxGroups);
        window.WriteString(")");
        window.EndLine();
        window.ShowText();
        return;
    }
    if (auto *record = workbook ? dynamic_cast<OnewayOption *>(workbook->Option()) : nullptr)
        TakeBreakdownOptions(*this, *record);
    if (((displayMask & (OnewayOption::showMedian | OnewayOption::showQuartiles)) || (sortCode & kSortMedian)) &&
        !total.QuantileSummary())
        ComputeGroupQuantiles((testMask & OnewayOption::testLevene) && !varianceTestDone);
    total.label = StatText(totalText, textGroup);
    SortGroups(sortCode);
    FormatGroupStatistics();
    WidenColumns();
    const int width = TableWidth();

    window.Clear();
    window.EndLine();
    DATASET *set = GetDataSet();
    for (long variable : {analysisVariable, breakVariable}) {
        char caption[160] = "";
        if (set)
            set->GetVariableCaption(variable, caption, sizeof caption);
        char title[200];
        std::snprintf(title, sizeof title, "V%ld %s", variable, caption);
        window.Plain();
        window.WriteString(title);
        window.EndLine();
    }
    WriteColumnHeadings(window);
    window.NewLine(width);
    for (const DescriptiveRecord &g : groups)
        WriteGroupRow(g, window);
    window.NewLine(width);
    WriteGroupRow(total, window);
    window.NewLine(width);
    window.EndLine();

    if (sortCode != pairwiseSortCode) {
        delete separateTests;
        delete pooledTests;
        delete scheffeTests;
        separateTests = nullptr;
        pooledTests = nullptr;
        scheffeTests = nullptr;
        pairwiseSortCode = sortCode;
    }
    const int matrix = (testMask & OnewayOption::testsAsMatrix) ? 1 : 0;
    if (testMask & OnewayOption::testAnova) {
        if (!anova)
            anova = new AnovaResult(this);
        anova->WriteTable(window);
    }
    if (testMask & OnewayOption::testSeparate) {
        if (!anova)
            anova = new AnovaResult(this);
        if (!separateTests)
            separateTests = new SepTtestObj(this);
        separateTests->window = &window;
        separateTests->ShowInWindow(1, matrix);
    }
    if (testMask & OnewayOption::testPooled) {
        if (!anova)
            anova = new AnovaResult(this);
        if (!pooledTests)
            pooledTests = new PooledTtestObj(this);
        pooledTests->window = &window;
        pooledTests->ShowInWindow(1, matrix);
    }
    if (testMask & OnewayOption::testScheffe) {
        if (!scheffeTests)
            scheffeTests = new ScheffeObj(this);
        scheffeTests->window = &window;
        scheffeTests->ShowInWindow(1, matrix);
    }
    if (testMask & OnewayOption::testLevene) {
        if (!varianceTestDone)
            ComputeVarianceHomogeneityTest();
        WriteVarianceTest(window);
    }
    window.Plain();
    window.EndLine();
    WriteWeightReasons(window);
    const char *report = GetReportHeader(total.weightedCount);
    if (report && *report) {
        window.WriteString(report);
        window.EndLine();
    }
    if (*GetOmittedText()) {
        window.WriteString(GetOmittedText());
        window.EndLine();
    }
    window.ShowText();
}

void ONEWAY::WriteWeightReasons(TXTWIN &window) const
{
    // Cases weighing less than two together leave spreads and tests "***"
    // (past the largest double the count line says why itself).
    const int reasons = WeightReasons(total.weightedCount, total.count, 1.0) & ~kReasonWeightsTooLarge;
    for (const std::string &line : MarkReasonLines(reasons, "***")) {
        window.WriteString(line.c_str());
        window.EndLine();
    }
}

void ONEWAYWIN::WriteResult()
{
    if (!computation)
        return;
    if (auto *record = computation->workbook ? dynamic_cast<OnewayOption *>(computation->workbook->Option()) : nullptr)
        TakeBreakdownOptions(*computation, *record);
    if (*computation->GetFailureText()) {
        // The cases could not be read: the reason, not a table of no cases.
        Clear();
        EndLine();
        WriteString(computation->GetFailureText());
        EndLine();
        ShowText();
        return;
    }
    computation->WriteBreakdownTable(*this);
}

ZafWindow *OnewayPage::CreateGraphWindow(int kind, StatOption *)
{
    ONEWAY *computation = Computed();
    if (!computation || kind < 0 || kind >= ONEWAY::graphKinds)
        return nullptr;
    return CreateDesk2Graph(computation, kind, computation->graphOptions[kind]);
}

namespace {

const GraphToolRow toolRows[ONEWAY::graphKinds] = {
    {89, OnewayBook::textGroup, "graph_deskmean"},
    {90, OnewayBook::textGroup, "graph_boxwhisker"},
    {92, OnewayBook::textGroup, "graph_confint"},
    {91, OnewayBook::textGroup, "graph_barcode"},
};

} // namespace

OnewayBook::OnewayBook(OnewayOption *option) : AnalysisBook(option, 0)
{
    titleText = titleTextNumber;
    titleGroup = textGroup;
}

bool OnewayBook::Build(long selectionHandle)
{
    ListChoice analysis, breaks;
    DATASET *dataSet = nullptr;
    if (!TakeLists(selectionHandle, {&analysis, &breaks}, &dataSet))
        return false;
    Desk2grafOption *graphRecords[ONEWAY::graphKinds] = {new Desk2grafBarOption, new Desk2grafBoxOption,
                                                         new Desk2grafConfintOption, new Desk2grafBarcodeOption};
    GraphOption *const records[ONEWAY::graphKinds] = {graphRecords[0], graphRecords[1], graphRecords[2],
                                                     graphRecords[3]};
    AddGraphTools(toolRows, records, ONEWAY::graphKinds);
    AddPairPages(analysis, breaks, [this, dataSet, &graphRecords](long a, long b) {
        auto *page = new OnewayPage(PageCaption(a, b, " x ").c_str());
        auto *text = new ONEWAYWIN(StatText(titleTextNumber, textGroup));
        auto *computation = new ONEWAY(a, b, dataSet);
        std::copy(graphRecords, graphRecords + ONEWAY::graphKinds, computation->graphOptions);
        if (auto *record = dynamic_cast<OnewayOption *>(Option()))
            computation->quantilesWithMoments =
                (record->displayMask & (OnewayOption::showMedian | OnewayOption::showQuartiles)) ||
                (record->sortCode & OnewayObj::kSortMedian);
        computation->Compute();
        computation->workbook = this;
        text->computation = computation;
        page->SetResultWindow(text);
        page->SetComputation(computation);
        text->Update();
        return page;
    });
    return true;
}
