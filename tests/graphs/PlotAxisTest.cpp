// The distribution panel over value lists made here (no selection, no
// weight): the choice of classes and the density scale. Zero spans and
// missing weights: Desk1GraphTest.
#include "GraphTestSupport.h"

#include "dataset/BUFFERTYPE.h"
#include "graphs/PlotAxis.h"
#include "stats/StatMissing.h"

namespace {

// Fitted to count values (v(i) for i = 0 ..), every statistic computed,
// the axis the data's range, built on a 1000 x 1000 rectangle.
template <typename Value> std::unique_ptr<PlotAxis> Fit(int storage, int count, Value v, unsigned char curve = 0)
{
    TMPLISTETYPE list(storage);
    for (int i = 0; i < count; ++i)
        storage == STORAGE_DOUBLE ? list.AppendReal(v(i)) : list.AppendInt(static_cast<long>(v(i)));
    double low = 0, high = 0;
    std::unique_ptr<PlotAxis> panel(
        PlotAxis::FitToList(nullptr, &list, low, high, 0, 0.0, kNotComputed, kNotComputed, kNotComputed, kNotComputed));
    panel->SetRange(curve, nullptr, kNotComputed, kNotComputed);
    panel->BuildElements(nullptr, 0, 0, 1000, 1000, nullptr);
    return panel;
}

TEST(PlotAxis, ChoosesStepsForShortWholeRangesAndPolygonsOtherwise)
{
    const auto oneToFive = [](int i) { return 1 + i % 5; };
    const auto real = [](int i) { return i * 0.37; };
    // 100 cases of 1 .. 5: 10 x 4 < 100, five classes of width 1, 13
    // points; flat, so the top stays 0.4 + 0.05. 40 cases: 10 x 4 >= 40.
    auto steps = Fit(STORAGE_U8, 100, oneToFive);
    EXPECT_EQ(steps->ClassCount(), 5);
    EXPECT_EQ(steps->ClassLow(), 0.5);
    EXPECT_EQ(steps->OutlinePoints().size(), 13u);
    EXPECT_DOUBLE_EQ(steps->DensityTop(), 0.45);
    EXPECT_FALSE(Fit(STORAGE_U8, 40, oneToFive)->IntegerClasses());
    // The same whole values stored as reals: a polygon, whether the
    // statistics are computed or given.
    EXPECT_FALSE(Fit(STORAGE_DOUBLE, 100, oneToFive)->IntegerClasses());
    {
        TMPLISTETYPE list(STORAGE_DOUBLE), coded(STORAGE_U8);
        for (int i = 0; i < 100; ++i) {
            list.AppendReal(oneToFive(i));
            coded.AppendInt(oneToFive(i));
        }
        double low = 0, high = 0;
        std::unique_ptr<PlotAxis> given(PlotAxis::FitToList(nullptr, &list, low, high, 0, 100, 1, 5, 3, 1.4));
        EXPECT_FALSE(given->IntegerClasses());
        low = high = 0;
        std::unique_ptr<PlotAxis> givenCoded(PlotAxis::FitToList(nullptr, &coded, low, high, 0, 100, 1, 5, 3, 1.4));
        EXPECT_TRUE(givenCoded->IntegerClasses());
    }
    // 90 reals: 3 classes raised to 7 (10 points); 30000: at most 300.
    EXPECT_EQ(Fit(STORAGE_DOUBLE, 90, real)->OutlinePoints().size(), 10u);
    EXPECT_EQ(Fit(STORAGE_DOUBLE, 30000, real)->ClassCount(), 300);
    EXPECT_EQ(RoundHalfUp(-2.5), -2.0);
    EXPECT_EQ(RoundToInt(1e300), INT_MAX);
    // A far maximum lands in the last class.
    EXPECT_GT(Fit(STORAGE_DOUBLE, 90, [](int i) { return i < 89 ? i : 1000.0; })->ClassDensities().back(), 0.0);
}

TEST(PlotAxis, SwitchingTheCurveOnComputesAMeanAndSpreadNotGiven)
{
    TMPLISTETYPE list(STORAGE_DOUBLE);
    for (int i = 0; i < 90; ++i)
        list.AppendReal(i);
    double low = 0, high = 89;
    std::unique_ptr<PlotAxis> panel(
        PlotAxis::FitToList(nullptr, &list, low, high, 0, 90, 0, 89, kNotComputed, kNotComputed));
    panel->SetRange(1, nullptr, kNotComputed, kNotComputed);
    EXPECT_DOUBLE_EQ(panel->Mean(), 44.5);
    panel->BuildElements(nullptr, 0, 0, 1000, 1000, nullptr);
    EXPECT_EQ(panel->CurvePoints().size(), 300u);
}

} // namespace
