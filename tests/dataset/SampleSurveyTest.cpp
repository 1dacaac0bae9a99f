// The sample survey that the build makes beside mervalo.exe from samples/.
#include "dataset/DATASET.h"

#include "DataSetFixture.h"
#include "dataset/BUFFERTYPE.h"
#include "dataset/ByteStream.h"
#include "dataset/KATLABS.h"
#include "dataset/MapFile.h"
#include "dataset/WeightRec.h"

#include <cmath>
#include <map>
#include <memory>
#include <set>

namespace {

// Tests run in build/tests/dataset; the sample lies in build/bin/samples.
class SampleSurvey : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_EQ(dataSet.Open("..\\..\\bin\\samples\\survey.QVF", DATASET_READONLY), 0) << dataSet.GetErrorText();
        regions.reset(KATLABS::ConstructAndRead(1, &dataSet));
    }
    DATASET dataSet;
    std::unique_ptr<KATLABS> regions;
};

TEST_F(SampleSurvey, HasItsRespondentsRegionsWeightAndEveryStorageType)
{
    EXPECT_EQ(dataSet.GetCaseCount(), 2000);
    EXPECT_GE(dataSet.GetVariableCount(), 35);
    // The region variable is variable 1: the map names its regions from it.
    EXPECT_EQ(dataSet.GetRegionVariable(), 1);
    EXPECT_EQ(regions->GetCount(), 20);
    EXPECT_TRUE(dataSet.GetWeight()->IsActive());
    std::set<int> types;
    for (long v = 1; v <= dataSet.GetVariableCount(); ++v)
        types.insert(dataSet.GetVariable(v)->storageType);
    EXPECT_EQ(types, (std::set<int>{1, 2, 3, 4, 8}));
    EXPECT_TRUE(dataSet.HasDocumentation());
    // A battery shares one set of categories with user-missing codes.
    long first = dataSet.FindVariable("sat_school"), last = dataSet.FindVariable("sat_waste");
    ASSERT_GT(first, 0);
    ASSERT_EQ(last - first, 7);
    for (long v = first; v <= last; ++v) {
        EXPECT_EQ(std::unique_ptr<KATLABS>(KATLABS::ConstructAndRead(v, &dataSet))->GetCount(), 7);
        EXPECT_EQ(dataSet.GetVariable(v)->missingCount, 2);
    }
}

TEST_F(SampleSurvey, ContinuousVariablesAreRelatedAndWeightsAverageOne)
{
    LISTETYPE income(&dataSet, dataSet.FindVariable("income"));
    LISTETYPE educ(&dataSet, dataSet.FindVariable("educ"));
    ASSERT_EQ(income.Error(), 0);
    ASSERT_EQ(educ.Error(), 0);
    double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
    while (income.MoveNext() && educ.MoveNext()) {
        if (income.IsCurrentMissing() || educ.IsCurrentMissing())
            continue;
        double x = educ.GetCurrentInt(), y = std::log(static_cast<double>(income.GetCurrentInt()));
        n += 1, sx += x, sy += y, sxx += x * x, syy += y * y, sxy += x * y;
    }
    double r = (n * sxy - sx * sy) / std::sqrt((n * sxx - sx * sx) * (n * syy - sy * sy));
    EXPECT_GT(n, 1700);
    EXPECT_GT(r, 0.2);
    std::unique_ptr<BUFFERTYPE> weights(dataSet.GetWeight()->NewWeightList());
    ASSERT_NE(weights, nullptr);
    double sum = 0;
    while (weights->MoveNext())
        sum += weights->GetCurrentReal();
    EXPECT_NEAR(sum / 2000, 1.0, 0.01);
}

TEST_F(SampleSurvey, MapTilesEveryRegionOfTheDataSet)
{
    FileByteStream file("..\\..\\bin\\samples\\survey.KRT");
    ASSERT_TRUE(file.Open());
    ASSERT_EQ(MapFile::Check(file), MAPERR_NONE);
    MapDirectory directory;
    ASSERT_EQ(MapFile::ReadDirectory(file, true, &directory), MAPERR_NONE);
    ASSERT_EQ(directory.mapCount, 1);
    EXPECT_STREQ(directory.entries[0].name, "Regions");
    std::vector<MapItem> items;
    ASSERT_EQ(MapFile::ReadMap(file, directory, 0, &items), MAPERR_NONE);
    delete[] directory.entries;
    std::map<long, int> polygons, points;
    int overlays = 0;
    for (const MapItem &item : items) {
        if (item.count == 1) {
            EXPECT_EQ(polygons.count(item.code), 0u); // the single point comes before the polygon
            ++points[item.code];
        } else if (item.count > 1) {
            ++polygons[item.code];
        } else if (item.count < 0) {
            ++overlays;
        }
    }
    EXPECT_EQ(overlays, 1);
    ASSERT_EQ(static_cast<int>(polygons.size()), regions->GetCount());
    for (int i = 0; i < regions->GetCount(); ++i) {
        long code = static_cast<long>(regions->GetValue(i));
        EXPECT_EQ(polygons[code], 1) << code;
        EXPECT_EQ(points[code], 1) << code;
    }
}

} // namespace
