// The bar-code strip draws one line per valid case of its variable, within
// the active selection and, when asked, one group of a group variable.
#include "GraphTestSupport.h"

#include "../dataset/DataSetFixture.h"
#include "dataset/DATASET.h"
#include "graphs/BARCODEELEMENT.h"
#include "zaf/core/ZafGdiDisplay.h"

#include <cfloat>
#include <memory>

namespace {

using graphtest::GraphTest;
using graphtest::Record;

// x with user-missing 99, group g with user-missing 9, selection sel.
const char description[] = "variable x\ntype double\nmissing 99\n"
                           "variable g\ntype u8\nmissing 9\n"
                           "variable sel\ntype u8\n"
                           "selection sel Selected cases\n";
const char values[] = "x,g,sel\n"
                      "0,1,1\n"
                      "5,1,1\n"
                      "10,2,1\n"
                      "7.5,1,0\n" // not selected
                      ",1,1\n"    // x system-missing
                      "2.5,9,1\n" // group user-missing
                      "99,1,1\n"; // x user-missing

struct StripCase
{
    const char *name;
    unsigned groupVariable;
    double groupValue;
    bool includeUserMissing;
    std::vector<LONG> xs; // where the strip's lines stand (device pixels)
};

class BarCodeTest : public GraphTest, public testing::WithParamInterface<StripCase>
{
protected:
    BarCodeTest()
    {
        const std::string path = directory.File("strip.QVF");
        DataSetBuilder builder;
        EXPECT_EQ(builder.ReadDescription(description), 0) << builder.GetErrorText();
        EXPECT_EQ(builder.ReadCsv(values), 0) << builder.GetErrorText();
        EXPECT_EQ(builder.Write(path.c_str()), 0) << builder.GetErrorText();
        EXPECT_EQ(dataSet->Open(path.c_str()), 0);
    }
    ~BarCodeTest() override
    {
        // The graph (and its strip) and the data set go before their files.
        if (graph) {
            Window()->SubtractObject(graph);
            delete graph;
            graph = nullptr;
        }
        dataSet.reset();
    }
    TempDirectory directory;
    std::unique_ptr<DATASET> dataSet = std::make_unique<DATASET>();
};

TEST_P(BarCodeTest, DrawsALinePerValidCaseInItsGroup)
{
    const StripCase c = GetParam();
    ShowGraph();
    // 8000 x 1000 logical units: pixels 40..360 by 30..60.
    auto *strip =
        new BARCODEELEMENT(dataSet.get(), 1, c.groupVariable, 1000, 1000, 8000, 1000, 0.0, 10.0, c.groupValue);
    strip->SetIncludeUserMissing(c.includeUserMissing);
    graph->AddElement(strip);
    HDC dc = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ZafGdiDisplay *display = ZafScreenGdiDisplay();
    HDC previous = display->SetCurrentDC(dc);
    graph->DrawForPreview();
    display->SetCurrentDC(previous);
    HENHMETAFILE picture = CloseEnhMetaFile(dc);
    const std::vector<Record> records = graphtest::RecordsOf(picture);
    DeleteEnhMetaFile(picture);
    std::vector<LONG> xs;
    for (std::size_t i = 1; i < records.size(); ++i)
        if (records[i].type == EMR_LINETO && records[i - 1].type == EMR_MOVETOEX && records[i - 1].numbers[1] == 60 &&
            records[i].numbers[1] == 29 && records[i].numbers[0] == records[i - 1].numbers[0])
            xs.push_back(records[i].numbers[0]);
    EXPECT_EQ(xs, c.xs);
}

INSTANTIATE_TEST_SUITE_P(Strips, BarCodeTest,
                         testing::Values(StripCase{"NoGroup", 0, DBL_MAX, false, {40, 201, 361, 120}},
                                         // The builders' "every group": the largest float.
                                         StripCase{"EveryValidGroup", 2, FLT_MAX, false, {40, 201, 361}},
                                         StripCase{"GroupOne", 2, 1.0, false, {40, 201}},
                                         StripCase{
                                             "UserMissingIncluded", 0, DBL_MAX, true, {40, 201, 361, 120, 40 + 3178}}),
                         [](const testing::TestParamInfo<StripCase> &info) { return info.param.name; });

} // namespace
