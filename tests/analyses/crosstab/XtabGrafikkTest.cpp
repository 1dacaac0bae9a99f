// The crosstab's bar chart on the crosstab survey (data/xtab), sex (the
// groups) by education (the series): element dumps of every layout against
// golden dumps, with the key boxes worked out by hand below, the pixels of
// one bar and its metafile read back, the figures following the table, and
// an empty table.
//
// Unweighted counts (male / female): basic 3 / 7, secondary 6 / 5,
// university 6 / 10; group totals 15 / 22. Plot 1800..8000 across; its top
// under the two variable lines, each the 14-pixel font's line and 3 pixels
// (17 pixels: 567 units at the window's 300 pixels), and a 3-pixel gap
// (100): 850 + 2 x 567 + 100 = 2084 horizontal, and half a line of the
// 12-pixel numbers (250) more for bars upwards: 2334.
// - side by side, vertical (0x680): n 2, b 3, share floor(40 * 3 / 11 +
//   40.5) = 51; w = 6201 / 2 = 3100, gap = 49 * 6201 / 200 = 1519, bar
//   (3100 * 51 / 100) / 3 = 527; axis 0..10 over 2334..8000 (H 5667),
//   y(v) = floor(8000 - 566.7 v): male basic x 1800 + 759 = 2559, y(3) =
//   6299; female university x 1800 + 3100 + 759 + 2 * 527 = 6713, y(10) =
//   2333.
// - stacked percentages, vertical (0x692): share floor(4 + 40.5) = 44, gap
//   56 * 6201 / 200 = 1736, thickness 1364; male 20, 40, 40 %: university
//   from y(60) = 4599 up to y(100) = 2333 at x 1800 + 868 = 2668.
// - side by side counts, horizontal (0x208): plot top 2084 (H 5917); w =
//   5917 / 2 = 2958, gap 1449, bar 502; male basic y = 2084 + 2958 - 724 -
//   3 * 502 = 2812, x from 1800 to floor(1800 + 0.3 * 6201) = 3660.
#include "tests/analyses/AnalysesTestSupport.h"

#include "analyses/crosstab/XTABOBJECT.h"
#include "analyses/crosstab/XtabGrafikk.h"
#include "analyses/crosstab/XtabOption.h"
#include "analyses/crosstab/XtabbarOption.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/KATLABS.h"
#include "graphs/ElementDump.h"

#include <sstream>

namespace {

using namespace analysestest;

struct MetafileSeen
{
    int rectangles = 0;
    bool thirdBrush = false;
};

int CALLBACK See(HDC, HANDLETABLE *, const ENHMETARECORD *record, int, LPARAM data)
{
    auto *seen = reinterpret_cast<MetafileSeen *>(data);
    if (record->iType == EMR_RECTANGLE)
        ++seen->rectangles;
    if (record->iType == EMR_CREATEBRUSHINDIRECT)
        seen->thirdBrush |= reinterpret_cast<const EMRCREATEBRUSHINDIRECT *>(record)->lb.lbColor == RGB(185, 160, 95);
    return 1;
}

class XtabGrafikkTest : public WindowTest
{
protected:
    // The chart of the two variables at 400 x 300 pixels with that word, built.
    std::string Dump(long column, long row, unsigned long word, std::uint16_t tables = xtabCounts)
    {
        if (!survey && !own)
            OpenSurvey("data/xtab");
        Survey *current = own ? own.get() : survey.get();
        DATASET *set = current->DataSet();
        LISTETYPE columns(set, column), rows(set, row);
        std::unique_ptr<KATLABS> columnLabels(KATLABS::ConstructAndRead(column, set));
        std::unique_ptr<KATLABS> rowLabels(KATLABS::ConstructAndRead(row, set));
        table = std::make_unique<XTABOBJECT>(&columns, columnLabels.get(), &rows, rowLabels.get(), 0, set);
        tableRecord.tableTypeMask = tables;
        barRecord.optionWord = static_cast<long>(word);
        host = WindowTest::Open(new ZafWindow(0, 0, 60, 20));
        chart = new XtabSoyle(table.get(), &barRecord, &tableRecord);
        chart->SetCoordinateType(ZAF_PIXEL);
        chart->SetRegion(ZafRegionRect(0, 0, 399, 299, ZAF_PIXEL));
        host->AddObject(chart);
        chart->Event(ZafEventRecord(ZAF_APPLY_GEOMETRY));
        RunQueued();
        return DumpElements(*chart);
    }
    void TearDown() override
    {
        if (host)
            Forget(host);
        host = nullptr;
        table.reset();
        own.reset();
    }
    static bool Has(const std::string &dump, const std::string &logical)
    {
        return dump.find(" L(" + logical + ")") != std::string::npos;
    }

    XtabOption tableRecord;
    XtabbarOption barRecord;
    std::unique_ptr<XTABOBJECT> table;
    ZafWindow *host = nullptr;
    XtabSoyle *chart = nullptr;
    std::unique_ptr<Survey> own; // a survey of the test's own, when set
};

TEST_F(XtabGrafikkTest, EveryLayoutPlacesItsBarsByTheFormulas)
{
    const std::string side = Dump(SEX, EDU, 0x680);
    EXPECT_EQ(51, chart->BarShare());
    EXPECT_TRUE(Has(side, "2559,6299,3086,8000")) << side;
    EXPECT_TRUE(Has(side, "6713,2333,7240,8000")) << side;
    const std::string stacked = Dump(SEX, EDU, 0x692);
    EXPECT_EQ(100.0, chart->AxisMaximum());
    EXPECT_TRUE(Has(stacked, "2668,2333,4032,4599")) << stacked;
    const std::string horizontal = Dump(SEX, EDU, 0x208);
    EXPECT_TRUE(Has(horizontal, "1800,2812,3660,3314")) << horizontal;
    std::string all = side + "---\n" + stacked + "---\n" + horizontal;
    for (unsigned long word : {0x78eul, 0x20aul, 0x514ul}) // numbers and title; stacked counts; percents
        all += "--- " + std::to_string(word) + "\n" + Dump(SEX, EDU, word);
    ExpectGolden("xtab_bars", all);
}

// Black line elements of a dump (the axis's grid lines are white).
int BlackLines(const std::string &dump)
{
    std::istringstream lines(dump);
    std::string line, kind;
    int count = 0;
    while (std::getline(lines, line))
        if ((std::istringstream(line) >> kind) && kind == "line" && line.find(" line 000000/") != std::string::npos)
            ++count;
    return count;
}

// The group-line bit (set by no control, kept from a stored word): one line
// across each group's bars at its highest figure. Side by side (0x681) the
// male group's largest count is 6, y(6) = floor(8000 - 0.6 x 5667) = 4599,
// over its three bars 2559 .. 2559 + 3 x 527; the female group's 10 at 2333.
// Stacked counts (0x68b) run to the group totals 15 and 22 on an axis of
// 0 .. 25 (y(15) = 4599 again) over the stack 2668 .. 4032. Horizontal bars
// (0x209) get upright lines: the male group's 6 on 0 .. 10 at x =
// floor(1800 + 0.6 x 6201) = 5520, over its bars 2812 .. 4318.
TEST_F(XtabGrafikkTest, TheGroupLineBitDrawsALinePerGroup)
{
    EXPECT_EQ(0, BlackLines(Dump(SEX, EDU, 0x680)));
    const std::string side = Dump(SEX, EDU, 0x681);
    EXPECT_EQ(2, BlackLines(side)) << side;
    EXPECT_TRUE(Has(side, "2559,4599,4140,4599")) << side;
    EXPECT_TRUE(Has(side, "5659,2333,7240,2333")) << side;
    const std::string stacked = Dump(SEX, EDU, 0x68b);
    EXPECT_EQ(25.0, chart->AxisMaximum());
    EXPECT_TRUE(Has(stacked, "2668,4599,4032,4599")) << stacked;
    const std::string horizontal = Dump(SEX, EDU, 0x209);
    EXPECT_EQ(2, BlackLines(horizontal)) << horizontal;
    EXPECT_TRUE(Has(horizontal, "5520,2812,5520,4318")) << horizontal;
}

TEST_F(XtabGrafikkTest, TheFiguresFollowTheTableUnlessChosen)
{
    Dump(SEX, EDU, 0x680, xtabColumnPercent);
    EXPECT_DOUBLE_EQ(100.0 * 10 / 22, chart->Percent(1, 2));
    EXPECT_EQ(50.0, chart->AxisMaximum()) << "percentages (largest 45.5) while the table shows only them";
    Dump(SEX, EDU, 0x680, xtabCounts | xtabColumnPercent);
    EXPECT_EQ(10.0, chart->AxisMaximum()) << "counts while the table shows them";
    Dump(SEX, EDU, 0x68a, xtabColumnPercent);
    EXPECT_EQ(25.0, chart->AxisMaximum()) << "stacked counts: the largest group total 22, widened to a step of 5";
}

TEST_F(XtabGrafikkTest, TheBarsPaintTheirSeriesColours)
{
    Dump(SEX, EDU, 0x680);
    host->SetVisible(true);
    RunQueued();
    ASSERT_NE(nullptr, chart->OSHandle());
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 400, 300);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, 400, 300, WHITENESS);
    SendMessageA(chart->OSHandle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    auto at = [&](int x, int y) { // a logical point
        chart->ToDeviceUnits(x, y);
        return GetPixel(dc, x, y);
    };
    EXPECT_EQ(RGB(185, 160, 95), at(6976, 5000)) << "female university, the third series colour";
    EXPECT_EQ(RGB(105, 108, 141), at(2822, 7000)) << "male basic, the first";
    EXPECT_EQ(RGB(190, 200, 230), at(2822, 5000)) << "the plot above that bar";
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    // The same chart read back from its metafile: a rectangle per bar, the
    // plot, the legend and its three swatches; the third series' brush.
    char path[MAX_PATH];
    GetTempPathA(sizeof path, path);
    const std::string file = std::string(path) + "xtabbars.emf";
    chart->SetMetafileName(file.c_str());
    ASSERT_TRUE(chart->ExportMetafile());
    HENHMETAFILE picture = GetEnhMetaFileA(file.c_str());
    ASSERT_NE(nullptr, picture);
    MetafileSeen seen;
    EnumEnhMetaFile(nullptr, picture, See, &seen, nullptr);
    DeleteEnhMetaFile(picture);
    DeleteFileA(file.c_str());
    EXPECT_GE(seen.rectangles, 11);
    EXPECT_TRUE(seen.thirdBrush);
}

TEST_F(XtabGrafikkTest, GroupsOfWeightZeroAreLeftOutAndDivideNothing)
{
    // Group 2 has only cases of weight 0; with weight z every case has 0.
    const std::string description = "variable g\ntype u8\nvariable s\ntype u8\nvariable w\ntype double\n"
                                    "variable z\ntype double\n";
    const std::string values = "g,s,w,z\n1,1,2,0\n1,2,1,0\n2,1,0,0\n2,2,0,0\n";
    own = std::make_unique<Survey>(Survey::Text{description + "weight w\n", values});
    const std::string dump = Dump(1, 2, 0x692); // stacked percentages
    ASSERT_EQ(1, chart->GroupCount());
    EXPECT_DOUBLE_EQ(100.0 * 2 / 3, chart->Percent(0, 0));
    // One group: share 44 (n taken as 2), w 6201, gap 56 * 6201 / 100 = 3472,
    // thickness 2728; the plot 2334 .. 8000 under the two variable lines
    // (each a 14-pixel line and 3 pixels, 667 units at 300 pixels); 0 ..
    // 66.7 %: y = floor(8000 - 5667 x 2 / 3) = 4222.
    EXPECT_TRUE(Has(dump, "3536,4222,6264,8000")) << dump;
    own = std::make_unique<Survey>(Survey::Text{description + "weight z\n", values});
    EXPECT_EQ(std::string::npos, Dump(1, 2, 0x680).find("box")) << "no group, no bar";
}

TEST_F(XtabGrafikkTest, AnEmptyTableKeepsItsTextsAndDrawsNoBar)
{
    const std::string dump = Dump(SEX, NONE, 0x680);
    EXPECT_EQ(0, chart->SeriesCount());
    EXPECT_EQ(std::string::npos, dump.find("box")) << dump;
    EXPECT_NE(std::string::npos, dump.find("text")) << dump;
}

} // namespace
