#include "chart_axis.h"
#include "fatigue_chart.h"
#include "load_deflection_chart.h"
#include "report_samples.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct AxisCase {
    double lo, hi;
    int maxIntervals;
    double wantLo, wantHi, wantStep;
};

class RoundAxisTest : public testing::TestWithParam<AxisCase> {};

TEST_P(RoundAxisTest, CoversTheRangeWithRoundTicks) {
    const AxisCase &c = GetParam();
    const ChartAxis axis = RoundAxis(c.lo, c.hi, c.maxIntervals);
    EXPECT_DOUBLE_EQ(axis.lo, c.wantLo);
    EXPECT_DOUBLE_EQ(axis.hi, c.wantHi);
    EXPECT_DOUBLE_EQ(axis.step, c.wantStep);
    ASSERT_GE(axis.ticks.size(), 2U);
    EXPECT_LE(static_cast<int>(axis.ticks.size()) - 1, c.maxIntervals);
    EXPECT_DOUBLE_EQ(axis.ticks.front(), axis.lo);
    EXPECT_NEAR(axis.ticks.back(), axis.hi, 1e-9 * std::max(1.0, axis.hi));
}

INSTANTIATE_TEST_SUITE_P(
    Ranges, RoundAxisTest,
    testing::Values(AxisCase{26.0, 44.0, 6, 25.0, 45.0, 5.0},     // sample heights
                    AxisCase{0.0, 414.6, 6, 0.0, 500.0, 100.0},   // sample loads to solid
                    AxisCase{72.0, 83.99, 6, 72.0, 84.0, 2.0},    // extension heights
                    AxisCase{0.0, 0.0, 6, 0.0, 1.0, 0.2},         // all loads zero
                    AxisCase{44.0, 44.0, 6, 38.0, 50.0, 2.0},     // one height only
                    AxisCase{44.0, 26.0, 6, 25.0, 45.0, 5.0},     // reversed bounds
                    AxisCase{0.0, 0.0123, 5, 0.0, 0.015, 0.005},  // small values
                    AxisCase{0.0, 1125.0, 6, 0.0, 1200.0, 200.0}, // fatigue stresses
                    AxisCase{NAN, 3.0, 6, 0.0, 1.0, 0.2}));       // never fails to draw

struct TickLabelCase {
    double value, step;
    const char *want;
};

TEST(TickLabelTest, HasTheStepsDecimals) {
    const TickLabelCase cases[] = {{20.0, 5.0, "20"},
                                   {2.5, 0.5, "2.5"},
                                   {0.05, 0.01, "0.05"},
                                   {-1e-17, 0.2, "0.0"},
                                   {1200.0, 200.0, "1200"}};
    for (const TickLabelCase &c : cases) {
        EXPECT_EQ(TickLabel(c.value, c.step), c.want) << c.value;
    }
}

// Reads a mapped point back into design values.
double Unmap(const LinearMap &map, double pixel) {
    return map.valueLo +
           (pixel - map.pixelLo) / (map.pixelHi - map.pixelLo) * (map.valueHi - map.valueLo);
}

struct DesignCase {
    const char *name;
    EngineeringReportInput (*make)();
};

class LoadDeflectionTest : public testing::TestWithParam<DesignCase> {};

TEST_P(LoadDeflectionTest, PutsEveryPointAtItsHeightAndLoad) {
    const EngineeringReportInput input = GetParam().make();
    const SpringDesign &d = input.design;
    const ChartFrame frame{40.0, 20.0, 200.0, 100.0};
    const LoadDeflectionChart chart = MapLoadDeflection(d, input.typeSign, frame);
    const float heights[] = {d.WorkingHeight1, d.WorkingHeight2, d.WorkingHeight3};
    const float loads[] = {d.WorkingLoad1, d.WorkingLoad2, d.WorkingLoad3};
    for (int i = 0; i < 3; ++i) {
        const ChartPoint at = chart.working[i].at;
        EXPECT_NEAR(Unmap(chart.x, at.x), heights[i], 1e-9) << "H" << i + 1;
        EXPECT_NEAR(Unmap(chart.y, at.y), loads[i], 1e-9) << "F" << i + 1;
        EXPECT_GE(at.x, frame.left - 1e-9);
        EXPECT_LE(at.x, frame.right() + 1e-9);
        EXPECT_GE(at.y, frame.top - 1e-9);
        EXPECT_LE(at.y, frame.bottom() + 1e-9);
    }
    // Deflection grows to the right and the load upward, through 1, 2, 3.
    EXPECT_LT(chart.working[0].at.x, chart.working[1].at.x);
    EXPECT_LT(chart.working[1].at.x, chart.working[2].at.x);
    EXPECT_GT(chart.working[0].at.y, chart.working[2].at.y);
    // The free height starts the line, at zero load or at the initial tension.
    EXPECT_NEAR(Unmap(chart.x, chart.lineStart.at.x), d.FreeHeight, 1e-9);
    EXPECT_NEAR(Unmap(chart.y, chart.lineStart.at.y),
                input.typeSign == kCompressionSpring ? 0.0 : d.InitialTension, 1e-9);
    // Each working point lies on the spring's line (the design is consistent).
    const ChartPoint a = chart.lineStart.at;
    const ChartPoint b = chart.lineEnd.at;
    for (const LoadPoint &point : chart.working) {
        const double cross = (b.x - a.x) * (point.at.y - a.y) - (b.y - a.y) * (point.at.x - a.x);
        EXPECT_NEAR(cross / std::hypot(b.x - a.x, b.y - a.y), 0.0, 0.05);
    }
    if (input.typeSign == kCompressionSpring) {
        ASSERT_TRUE(chart.solid);
        EXPECT_NEAR(Unmap(chart.x, chart.solid->at.x), d.SolidHeight, 1e-9);
        EXPECT_GT(chart.solid->at.x, chart.working[2].at.x); // solid lies beyond H3
    } else {
        EXPECT_FALSE(chart.solid);
        EXPECT_GT(chart.lineEnd.at.x, chart.working[2].at.x);
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, LoadDeflectionTest,
                         testing::Values(DesignCase{"compression", SampleCompressionReport},
                                         DesignCase{"extension", ExtensionExampleReport}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(FatigueChartTest, OneScaleBothWaysAndTheLimitAtTheWorkingPoint) {
    const FatigueDiagram diagram{{200.0, 500.0}, {{0.0, 400.0}, {600.0, 800.0}}, 1500.0, ""};
    const ChartFrame frame{40.0, 10.0, 200.0, 150.0};
    const FatigueChart chart = MapFatigue(diagram, frame);
    EXPECT_NEAR(chart.x(300.0) - chart.x(0.0), chart.y(0.0) - chart.y(300.0), 1e-9);
    EXPECT_NEAR(Unmap(chart.x, chart.working.x), 200.0, 1e-9);
    EXPECT_NEAR(Unmap(chart.y, chart.working.y), 500.0, 1e-9);
    EXPECT_NEAR(Unmap(chart.y, chart.rangeBottom.y), 200.0, 1e-9);
    ASSERT_TRUE(chart.permissibleAtWorking);
    EXPECT_NEAR(*chart.permissibleAtWorking, 400.0 + 200.0 / 600.0 * 400.0, 1e-9);
    EXPECT_GE(chart.axis.hi, 800.0);

    // Beyond the limit line's end there is no permissible value to mark.
    const FatigueChart beyond = MapFatigue({{700.0, 900.0}, diagram.limitLine, 1500.0, ""}, frame);
    EXPECT_FALSE(beyond.permissibleAtWorking);
}

} // namespace
