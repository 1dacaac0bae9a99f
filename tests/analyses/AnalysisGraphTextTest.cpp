// The texts of the crosstab bar chart and of the dichotomies' bar chart at
// four window sizes, from a tiled workbook's small graph pane to a
// maximised one: no two texts cover the same pixels, every text lies
// inside the window and the plot keeps a third of it, in every layout of
// the chart.
#include "tests/analyses/AnalysesTestSupport.h"
#include "tests/support/GraphTextCheck.h"

#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XtabGrafikk.h"
#include "analyses/crosstab/XtabOption.h"
#include "analyses/crosstab/XtabbarOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "graphs/FREQBAR.h"
#include "graphs/FreqGraphOption.h"
#include "graphs/SKALA.h"
#include "stats/GMultResp.h"

namespace {

using namespace analysestest;

enum XtabVariable { SEX = 3, EDU, REGION };
enum MultrespVariable { PAPER = 6, WEB, RADIO };

struct Size
{
    int width, height;
};
// A workbook's graph pane at its default size, dragged larger, maximised,
// and tiled with fifteen other workbooks in a 1280 x 1024 main window.
const Size sizes[] = {{380, 260}, {450, 340}, {1270, 900}, {300, 130}};

class AnalysisGraphText : public WindowTest, public testing::WithParamInterface<Size>
{
protected:
    void TearDown() override
    {
        if (host)
            Forget(host);
        host = nullptr;
    }

    // The graph in a host window at the parameter's size, laid out (which
    // builds it) and painted; its texts checked.
    void ExpectTextsApartAndInside(GRAPHWIN *graph, const std::string &what, int fewest, Size at = {0, 0})
    {
        TearDown();
        const Size size = at.width ? at : GetParam();
        host = Open(new ZafWindow(0, 0, 60, 20));
        graph->SetCoordinateType(ZAF_PIXEL);
        graph->SetRegion(ZafRegionRect(0, 0, size.width - 1, size.height - 1, ZAF_PIXEL));
        host->AddObject(graph);
        graph->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        RunQueued();
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, size.width, size.height);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageA(graph->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        testsupport::GraphTextCheck check(*graph);
        // The crosstab chart's titles, labels and legend stand off its plot.
        if (dynamic_cast<XtabGrafikk *>(graph))
            check.ExpectOffThePlotsBorder();
        EXPECT_EQ("", check.Report()) << what << " at " << size.width << " x " << size.height;
        EXPECT_GE(check.Count(), fewest) << what;
    }

    // The graph's window made that size, laid out and painted; the texts
    // it shows.
    std::vector<std::string> ResizeAndRead(GRAPHWIN *graph, int width, int height)
    {
        SetWindowPos(graph->OSHandle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        RunQueued();
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(dc, bitmap);
        SendMessageA(graph->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
        std::vector<std::string> shown;
        for (TEKSTELEMENT *text : testsupport::GraphTextCheck(*graph).texts)
            shown.push_back(text->Text());
        return shown;
    }

    ZafWindow *host = nullptr;
};

TEST_P(AnalysisGraphText, CrosstabBarChartInEveryLayout)
{
    DATASET *set = OpenSurvey("data/xtab");
    ASSERT_NE(nullptr, set);
    const struct
    {
        long groups, series;
        unsigned long word;
        const char *name;
    } charts[] = {
        {SEX, EDU, 0x680, "vertical side by side"},
        {SEX, EDU, 0x78e, "vertical stacked with numbers and title"},
        {EDU, REGION, 0x69c, "vertical side by side percentages with numbers"},
        {REGION, EDU, 0x692, "vertical stacked percentages"},
        {SEX, EDU, 0x30c, "horizontal with numbers and title"},
        {REGION, SEX, 0x20a, "horizontal stacked"},
    };
    for (const auto &chart : charts) {
        LISTETYPE columns(set, chart.groups), rows(set, chart.series);
        std::unique_ptr<KATLABS> columnLabels(KATLABS::ConstructAndRead(chart.groups, set));
        std::unique_ptr<KATLABS> rowLabels(KATLABS::ConstructAndRead(chart.series, set));
        XTABOBJECT table(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set);
        XtabOption tableRecord;
        XtabbarOption barRecord;
        barRecord.optionWord = static_cast<long>(chart.word);
        ExpectTextsApartAndInside(new XtabSoyle(&table, &barRecord, &tableRecord), chart.name, 6);
        TearDown();
    }
}

// The chart built at the size, shrunk to the pane of a sixteen-workbook
// tile and grown back shows the texts (axis numbers among them) of a chart
// built at each size: its layout does not depend on the sizes it had.
TEST_P(AnalysisGraphText, CrosstabChartAfterAShrinkAndGrow)
{
    DATASET *set = OpenSurvey("data/xtab");
    ASSERT_NE(nullptr, set);
    const Size tile = sizes[3];
    for (unsigned long word : {0x680ul, 0x30cul}) {
        LISTETYPE columns(set, SEX), rows(set, EDU);
        std::unique_ptr<KATLABS> columnLabels(KATLABS::ConstructAndRead(SEX, set));
        std::unique_ptr<KATLABS> rowLabels(KATLABS::ConstructAndRead(EDU, set));
        XTABOBJECT table(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set);
        XtabOption tableRecord;
        XtabbarOption barRecord;
        barRecord.optionWord = static_cast<long>(word);
        auto *fresh = new XtabSoyle(&table, &barRecord, &tableRecord);
        ExpectTextsApartAndInside(fresh, "chart built at the size", 6);
        const std::vector<std::string> atSize = ResizeAndRead(fresh, GetParam().width, GetParam().height);
        TearDown();
        auto *tileChart = new XtabSoyle(&table, &barRecord, &tableRecord);
        ExpectTextsApartAndInside(tileChart, "chart built in the tile", 6, tile);
        const std::vector<std::string> atTile = ResizeAndRead(tileChart, tile.width, tile.height);
        TearDown();
        auto *chart = new XtabSoyle(&table, &barRecord, &tableRecord);
        ExpectTextsApartAndInside(chart, "chart", 6);
        EXPECT_EQ(atTile, ResizeAndRead(chart, tile.width, tile.height)) << "shrunk, word " << word;
        EXPECT_EQ(atSize, ResizeAndRead(chart, GetParam().width, GetParam().height)) << "grown, word " << word;
        TearDown();
    }
}

// Twenty regions with labels longer than the legend's column, as the
// sample survey's: the legend takes more columns and cuts its labels
// rather than running below the window or over the next column, and
// leaves the plot a third of the window.
TEST_P(AnalysisGraphText, CrosstabLegendOfTwentySeries)
{
    std::string description = "variable sex\ntype u8\nvalue 1 = male\nvalue 2 = female\n"
                              "variable region\nlabel Region of residence\ntype u8\n";
    std::string csv = "sex,region\n";
    for (int r = 1; r <= 20; ++r) {
        description += "value " + std::to_string(r) + " = Old Mining District " + std::to_string(r) + "\n";
        for (int s = 1; s <= 2; ++s)
            csv += std::to_string(s) + "," + std::to_string(r) + "\n";
    }
    survey.reset();
    survey = std::make_unique<Survey>(Survey::Text{description, csv});
    DATASET *set = survey->DataSet();
    ASSERT_NE(nullptr, set);
    const long sex = survey->Variable("sex"), region = survey->Variable("region");
    const unsigned long words[] = {0x680, 0x78e, 0x30c};
    for (unsigned long word : words) {
        LISTETYPE columns(set, sex), rows(set, region);
        std::unique_ptr<KATLABS> columnLabels(KATLABS::ConstructAndRead(sex, set));
        std::unique_ptr<KATLABS> rowLabels(KATLABS::ConstructAndRead(region, set));
        XTABOBJECT table(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set);
        XtabOption tableRecord;
        XtabbarOption barRecord;
        barRecord.optionWord = static_cast<long>(word);
        // The smallest pane's legend leaves the plot its third and stands
        // under the title lines: it lists the first series and says how
        // many more there are.
        ExpectTextsApartAndInside(new XtabSoyle(&table, &barRecord, &tableRecord),
                                  "twenty series, word " + std::to_string(word), GetParam().height < 200 ? 13 : 22);
        TearDown();
    }
}

// Twelve groups whose labels run to 60-70 characters, vertical bars: the
// staggered label rows stand a text line apart, each label centred under
// its group and cut to the room its row leaves it.
TEST_P(AnalysisGraphText, CrosstabLongGroupLabelsStandUnderTheirGroups)
{
    std::string description = "variable sex\ntype u8\nvalue 1 = male\nvalue 2 = female\n"
                              "variable region\nlabel Region of residence\ntype u8\n";
    std::string csv = "sex,region\n";
    for (int r = 1; r <= 12; ++r) {
        description += "value " + std::to_string(r) +
                       " = The administrative region of the old northern mining district " + std::to_string(r) + "\n";
        for (int s = 1; s <= 2; ++s)
            csv += std::to_string(s) + "," + std::to_string(r) + "\n";
    }
    survey.reset();
    survey = std::make_unique<Survey>(Survey::Text{description, csv});
    DATASET *set = survey->DataSet();
    ASSERT_NE(nullptr, set);
    const long sex = survey->Variable("sex"), region = survey->Variable("region");
    LISTETYPE columns(set, region), rows(set, sex);
    std::unique_ptr<KATLABS> columnLabels(KATLABS::ConstructAndRead(region, set));
    std::unique_ptr<KATLABS> rowLabels(KATLABS::ConstructAndRead(sex, set));
    XTABOBJECT table(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set);
    XtabOption tableRecord;
    XtabbarOption barRecord;
    barRecord.optionWord = 0x684;
    auto *chart = new XtabSoyle(&table, &barRecord, &tableRecord);
    ExpectTextsApartAndInside(chart, "twelve long group labels", 14);
    // Each group's label is centred on its group's band.
    int plotLeft = 1800, plotRight = 8001, unused = 0;
    chart->ToDeviceUnits(plotLeft, unused);
    chart->ToDeviceUnits(plotRight, unused);
    const double band = (plotRight - plotLeft) / 12.0;
    int g = 0;
    for (element *item : chart->Elements())
        if (auto *chartGroup = dynamic_cast<GROUPELEMENT *>(item))
            for (element *child : chartGroup->Children())
                if (auto *group = dynamic_cast<GROUPELEMENT *>(child); group && !dynamic_cast<SKALA *>(child))
                    for (TEKSTELEMENT *label : testsupport::GraphTextCheck::TextsIn(group->Children()))
                        if (label->AlignmentBits() == TEKSTELEMENT::alignTop + TEKSTELEMENT::alignCentre) {
                            const RECT r = label->DrawnRect();
                            EXPECT_NEAR((r.left + r.right) / 2.0, plotLeft + band * (g + 0.5), band / 2 + 2)
                                << label->Text();
                            ++g;
                        }
    EXPECT_EQ(12, g) << "every group has its label";
}

// The news sources counted as dichotomies (1 = yes): the bars carry the
// variables' labels, one of them longer than the table's label column.
TEST_P(AnalysisGraphText, DichotomyBarChartBothWays)
{
    DATASET *set = OpenSurvey("data/multresp");
    ASSERT_NE(nullptr, set);
    const long sources[] = {PAPER, WEB, RADIO, 0};
    GMultRespDiko dichotomies(sources, 0, 1, ValueRangeList{{1, 1}}, set);
    ASSERT_NE(nullptr, dichotomies.Result());
    const unsigned long words[] = {FREQBAR::defaultWord | FREQGRAPH::optionCaption,
                                   FREQBAR::defaultWord | FREQGRAPH::optionVertical | FREQGRAPH::optionTicks};
    for (unsigned long word : words) {
        FreqbarOption record;
        record.optionWord = static_cast<long>(word);
        ExpectTextsApartAndInside(new FREQBAR(dichotomies.Result(), &record),
                                  word & FREQGRAPH::optionVertical ? "vertical dichotomies" : "horizontal dichotomies",
                                  5);
        TearDown();
    }
}

INSTANTIATE_TEST_SUITE_P(WindowSizes, AnalysisGraphText, testing::ValuesIn(sizes),
                         [](const testing::TestParamInfo<Size> &info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

} // namespace
