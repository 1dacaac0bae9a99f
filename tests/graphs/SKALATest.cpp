// The axis: its step, decimals and labels against worked examples and edge
// cases, and the ticks an axis builds.
#include "graphs/SKALA.h"

#include "graphs/ShapeElements.h"
#include "graphs/TEKSTELEMENT.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct StepCase
{
    double minimum, maximum;
    double step, widenedMinimum, widenedMaximum;
};

class ChooseAxisStepTest : public testing::TestWithParam<StepCase>
{};

TEST_P(ChooseAxisStepTest, GivesANiceStepAndWidensToItsMultiples)
{
    const StepCase c = GetParam();
    double minimum = c.minimum, maximum = c.maximum;
    EXPECT_DOUBLE_EQ(ChooseAxisStep(minimum, maximum, 1), c.step);
    EXPECT_NEAR(minimum, c.widenedMinimum, std::fabs(c.step) * 1e-9);
    EXPECT_NEAR(maximum, c.widenedMaximum, std::fabs(c.step) * 1e-9);
    double same = c.minimum, other = c.maximum;
    ChooseAxisStep(same, other, 0);
    EXPECT_EQ(same, c.minimum);
    EXPECT_EQ(other, c.maximum);
}

INSTANTIATE_TEST_SUITE_P(Ranges, ChooseAxisStepTest,
                         testing::Values(StepCase{0, 87, 20, 0, 100}, StepCase{0, 5, 1, 0, 5},
                                         StepCase{0, 1.3, 0.3, 0, 1.5}, StepCase{0, 1.5, 0.5, 0, 1.5},
                                         StepCase{0, 12, 3, 0, 12}, StepCase{0, 10, 2, 0, 10},
                                         StepCase{-0.3, 0.3, 0.1, -0.3, 0.3}, StepCase{-87, 0, 20, -100, 0},
                                         StepCase{-5, -1, 1, -5, -1}, StepCase{-2.5, 4.1, 1, -3, 5},
                                         StepCase{0, 0.00087, 0.0002, 0, 0.001}, StepCase{0, 8.7e9, 2e9, 0, 1e10},
                                         StepCase{45, 55, 2, 44, 56},
                                         // One value or a reversed range: no step to find, nothing moves.
                                         StepCase{3, 3, 1, 3, 3}, StepCase{4, 2, 1, 4, 2}));

struct DecimalsCase
{
    double value;
    int digits, decimals;
};

class DecimalsForTest : public testing::TestWithParam<DecimalsCase>
{};

TEST_P(DecimalsForTest, ShowsTheSignificantDigitsWithoutATrailingZero)
{
    EXPECT_EQ(DecimalsFor(GetParam().value, GetParam().digits), GetParam().decimals);
}

INSTANTIATE_TEST_SUITE_P(Steps, DecimalsForTest,
                         testing::Values(DecimalsCase{0.25, 2, 2}, DecimalsCase{0.5, 2, 1}, DecimalsCase{0.3, 2, 1},
                                         DecimalsCase{20, 2, 0}, DecimalsCase{1, 2, 0}, DecimalsCase{2e9, 2, 0},
                                         DecimalsCase{0.0002, 2, 4}, DecimalsCase{0.125, 3, 3}));

struct LabelCase
{
    double value;
    int decimals;
    bool percent;
    const char *text;
};

class FormatNumberLabelTest : public testing::TestWithParam<LabelCase>
{};

TEST_P(FormatNumberLabelTest, WritesTheLabel)
{
    char buffer[64];
    const LabelCase c = GetParam();
    EXPECT_STREQ(FormatNumberLabel(c.value, buffer, sizeof buffer, c.decimals, c.percent), c.text);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatNumberLabelTest,
                         testing::Values(LabelCase{123456789.0, 3, false, "1.23e+08"}, LabelCase{0.0, 2, false, "0.00"},
                                         LabelCase{25, 0, true, "25 %"}, LabelCase{0.5, 1, false, "0.5"},
                                         LabelCase{-3, 0, false, "-3"}, LabelCase{5e-9, 2, false, "5e-09"},
                                         LabelCase{99999999, 0, false, "99999999"}));

TEST(FormatNumberLabel, StaysWithinASmallBuffer)
{
    char buffer[4] = "xyz";
    FormatNumberLabel(12345.678, buffer, sizeof buffer, 3, false);
    EXPECT_STREQ(buffer, "123");
}

// The labels of an axis, in order.
std::vector<std::string> Labels(const SKALA &axis)
{
    std::vector<std::string> labels;
    for (const element *child : axis.Children())
        if (auto *text = dynamic_cast<const TEKSTELEMENT *>(child))
            labels.emplace_back(text->Text());
    return labels;
}

struct AxisCase
{
    double minimum, maximum;
    double finalMinimum, finalMaximum;
    std::vector<std::string> labels;
};

class SKALATest : public testing::TestWithParam<AxisCase>
{};

TEST_P(SKALATest, LabelsEveryTickFromItsIndex)
{
    const AxisCase c = GetParam();
    double minimum = c.minimum, maximum = c.maximum;
    SKALA axis(AxisSpec(1000, 1000, 8000, 6000, 0), minimum, maximum);
    EXPECT_NEAR(minimum, c.finalMinimum, 1e-12);
    EXPECT_NEAR(maximum, c.finalMaximum, 1e-12);
    EXPECT_EQ(Labels(axis), c.labels);
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, SKALATest,
    testing::Values(AxisCase{0, 87, 0, 100, {"0", "20", "40", "60", "80", "100"}},
                    // Accumulated steps printed the zero as "5.55e-17".
                    AxisCase{-0.3, 0.3, -0.3, 0.3, {"-0.3", "-0.2", "-0.1", "0.0", "0.1", "0.2", "0.3"}},
                    // A negative maximum lost its tick to maximum * 1.00001.
                    AxisCase{-87, -1, -100, 0, {"-100", "-80", "-60", "-40", "-20", "0"}},
                    AxisCase{-5, -1, -5, -1, {"-5", "-4", "-3", "-2", "-1"}},
                    AxisCase{50, 50, 44, 56, {"44", "46", "48", "50", "52", "54", "56"}},
                    AxisCase{0, 0, -0.1, 0.1, {"-0.10", "-0.05", "0.00", "0.05", "0.10"}},
                    AxisCase{-50, -50, -56, -44, {"-56", "-54", "-52", "-50", "-48", "-46", "-44"}}));

TEST(SKALA, PlacesTicksLabelsAndGridOfAHorizontalAxis)
{
    AxisSpec description(1000, 1000, 8000, 6000, 200);
    description.grid = 1;
    description.gridGap = 40;
    double minimum = 0, maximum = 100;
    SKALA axis(description, minimum, maximum);
    EXPECT_STREQ(axis.Name(), "HORISONTAL SKALA");
    int ticks = 0, grid = 0;
    for (const element *child : axis.Children()) {
        auto *line = dynamic_cast<const LINEELEMENT *>(child);
        if (!line)
            continue;
        if (line->logical.top == 7200 && line->logical.bottom == 7300)
            ++ticks; // from the axis 200 below the area, 100 down
        if (line->DashLength() == 50 && line->GapLength() == 40) {
            ++grid;
            EXPECT_EQ(line->logical.top, 7200);
            EXPECT_EQ(line->logical.bottom, 800);
        }
    }
    EXPECT_EQ(ticks, 6);
    EXPECT_EQ(grid, 4) << "no grid line at the minimum or maximum";
    auto *label = dynamic_cast<const TEKSTELEMENT *>(axis.Children().At(2));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->AlignmentBits(), 10);
    EXPECT_EQ(label->logical.left, 1000);
    EXPECT_EQ(label->logical.top, 7200 + 150);
}

TEST(SKALA, AGivenStepKeepsTheGridLineOfATickBelowTheMaximum)
{
    // 0..10 in steps of 3: ticks 0, 3, 6, 9; the range is not widened and 9
    // stays below the maximum, so 3, 6 and 9 carry grid lines. A negative
    // maximum reached by the last tick (-1, -3) gets no line there.
    for (const auto &c : {std::array<double, 4>{0, 10, 3, 3}, std::array<double, 4>{-10, -1, 3, 2},
                          std::array<double, 4>{-9, -3, 3, 1}}) {
        AxisSpec description(1000, 1000, 8000, 6000, 0);
        description.grid = 1;
        description.step = c[2];
        double minimum = c[0], maximum = c[1];
        SKALA axis(description, minimum, maximum);
        EXPECT_EQ(c[1], maximum);
        int grid = 0;
        for (const element *child : axis.Children()) {
            auto *line = dynamic_cast<const LINEELEMENT *>(child);
            grid += line && line->logical.top == 7000 && line->logical.bottom == 1000 ? 1 : 0;
        }
        EXPECT_EQ(static_cast<int>(c[3]), grid) << c[0] << ".." << c[1];
    }
}

// Ticks beyond 100000000 are written in exponent form with as many
// significant digits as tell them apart: an axis of incomes near a
// thousand million reads 1e+09, 1.2e+09, ... 2e+09, not "1e+09" at each.
TEST(SKALA, LabelsInExponentFormTellNeighbouringTicksApart)
{
    for (const auto &c : {std::array<double, 2>{1e9, 2e9}, std::array<double, 2>{1.5e12, 1.52e12},
                          std::array<double, 2>{2e-9, 3e-9}}) {
        AxisSpec description(1000, 1000, 8000, 6000, 0);
        double minimum = c[0], maximum = c[1];
        SKALA axis(description, minimum, maximum);
        std::vector<std::string> labels;
        for (const element *child : axis.Children())
            if (auto *text = dynamic_cast<const TEKSTELEMENT *>(child))
                labels.emplace_back(text->Text());
        ASSERT_GE(labels.size(), 3u) << c[0];
        for (std::size_t i = 1; i < labels.size(); ++i)
            EXPECT_NE(labels[i - 1], labels[i]) << c[0] << ".." << c[1];
        EXPECT_DOUBLE_EQ(std::strtod(labels.front().c_str(), nullptr), minimum) << labels.front();
    }
    char label[32];
    EXPECT_STREQ(FormatNumberLabel(1.2e9, label, sizeof label, ExponentFormPrecision(1.2e9, 2e8, 0), false),
                 "1.2e+09");
    EXPECT_STREQ(FormatNumberLabel(123456789.0, label, sizeof label, 0, false), "1e+08");
}

TEST(SKALA, MirrorsAVerticalAxisOnTheRightEdge)
{
    AxisSpec description(1000, 1000, 8000, 6000, 100);
    description.vertical = 1;
    description.verticalNearSide = 0.0;
    double minimum = 0, maximum = 5;
    SKALA axis(description, minimum, maximum);
    EXPECT_STREQ(axis.Name(), "VERTIKAL SKALA");
    const element *axisLine = axis.Children().At(0);
    EXPECT_EQ(axisLine->logical.left, 9100);
    auto *label = dynamic_cast<const TEKSTELEMENT *>(axis.Children().At(2));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->AlignmentBits(), 33);
    EXPECT_EQ(label->logical.left, 9100 + 150);
    EXPECT_EQ(label->logical.top, 7000) << "the minimum at the bottom of the area";
}

} // namespace
