#include "calculate_spring.h"
#include "calculation_error.h"
#include "design_fixtures.h"
#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>

namespace {

struct Shown {
    std::string freeHeight, h1, h2, h3, f1, f2, f3, index, factor, rate, pitch, length, ratio,
        solid, stress, angle, totalCoils;
};

Shown ShowAll(const SpringDesign &s) {
    return {FormatOneDecimal(s.FreeHeight),
            FormatOneDecimal(s.WorkingHeight1),
            FormatOneDecimal(s.WorkingHeight2),
            FormatOneDecimal(s.WorkingHeight3),
            FormatThreeDecimals(s.WorkingLoad1),
            FormatThreeDecimals(s.WorkingLoad2),
            FormatThreeDecimals(s.WorkingLoad3),
            FormatThreeDecimals(s.SpringIndex),
            FormatThreeDecimals(s.CurvatureFactor),
            FormatThreeDecimals(s.SpringRate),
            FormatThreeDecimals(s.Pitch),
            FormatOneDecimal(s.DevelopedLength),
            FormatThreeDecimals(s.SlendernessRatio),
            FormatOneDecimal(s.SolidHeight),
            FormatThreeDecimals(s.MaxShearStress),
            FormatThreeDecimals(s.HelixAngle),
            FormatGeneral(s.TotalCoils)};
}

void ExpectShown(const Shown &actual, const Shown &expected) {
    EXPECT_EQ(actual.freeHeight, expected.freeHeight);
    EXPECT_EQ(actual.h1, expected.h1);
    EXPECT_EQ(actual.h2, expected.h2);
    EXPECT_EQ(actual.h3, expected.h3);
    EXPECT_EQ(actual.f1, expected.f1);
    EXPECT_EQ(actual.f2, expected.f2);
    EXPECT_EQ(actual.f3, expected.f3);
    EXPECT_EQ(actual.index, expected.index);
    EXPECT_EQ(actual.factor, expected.factor);
    EXPECT_EQ(actual.rate, expected.rate);
    EXPECT_EQ(actual.pitch, expected.pitch);
    EXPECT_EQ(actual.length, expected.length);
    EXPECT_EQ(actual.ratio, expected.ratio);
    EXPECT_EQ(actual.solid, expected.solid);
    EXPECT_EQ(actual.stress, expected.stress);
    EXPECT_EQ(actual.angle, expected.angle);
    EXPECT_EQ(actual.totalCoils, expected.totalCoils);
}

struct CompletedCase {
    const char *name;
    friend void PrintTo(const CompletedCase &c, std::ostream *os) { *os << c.name; }
    SpringTypeSign type;
    WorkingPointMode mode;
    std::function<void(SpringDesign &)> change;
    Shown expected;
};

class CompletedRuns : public ::testing::TestWithParam<CompletedCase> {};

TEST_P(CompletedRuns, ShowEveryResult) {
    const CompletedCase &c = GetParam();
    SpringDesign s = SampleDesign();
    c.change(s);
    RecordingListener listener;
    const CalculationOutcome outcome = CalculateSpring(s, c.type, c.mode, listener);
    EXPECT_FALSE(outcome.stoppedBy.has_value());
    EXPECT_TRUE(listener.warnings.empty());
    ExpectShown(ShowAll(s), c.expected);
}

const auto kNoChange = [](SpringDesign &) {};
const auto kLoads100To300 = [](SpringDesign &s) {
    s.WorkingLoad1 = 100.0F;
    s.WorkingLoad2 = 200.0F;
    s.WorkingLoad3 = 300.0F;
};

INSTANTIATE_TEST_SUITE_P(
    Table, CompletedRuns,
    ::testing::Values(CompletedCase{"SampleDesign",
                                    kCompressionSpring,
                                    WorkingPointMode::KnownHeights,
                                    kNoChange,
                                    {"44.0", "40.0", "36.0", "28.0", "92.128", "184.257", "368.513",
                                     "7.000", "1.213", "23.032", "8.000", "571.8", "1.571", "26.0",
                                     "497.944", "5.197", "6.5"}},
                      CompletedCase{"CompressionKnownLoads",
                                    kCompressionSpring,
                                    WorkingPointMode::KnownLoads,
                                    kLoads100To300,
                                    {"44.0", "39.7", "35.3", "31.0", "100.000", "200.000",
                                     "300.000", "7.000", "1.213", "23.032", "8.000", "571.8",
                                     "1.571", "26.0", "405.368", "5.197", "6.5"}},
                      CompletedCase{"ExtensionKnownLoadsWithInitialTension",
                                    kExtensionSpring,
                                    WorkingPointMode::KnownLoads,
                                    [](SpringDesign &s) {
                                        kLoads100To300(s);
                                        s.InitialTension = 50.0F;
                                    },
                                    {"72.0", "74.2", "78.5", "82.9", "100.000", "200.000",
                                     "300.000", "7.000", "1.213", "23.032", "4.000", "615.8",
                                     "0.000", "0.0", "405.368", "2.604", "5"}},
                      CompletedCase{"ExtensionKnownHeightsAboveFree",
                                    kExtensionSpring,
                                    WorkingPointMode::KnownHeights,
                                    [](SpringDesign &s) {
                                        s.WorkingHeight1 = 80.0F;
                                        s.WorkingHeight2 = 90.0F;
                                        s.WorkingHeight3 = 100.0F;
                                        s.TotalCoils =
                                            20.0F; // never checked for an extension spring
                                        s.SolidHeight = 9.0F;
                                        s.SlendernessRatio = 9.0F;
                                        s.AllowableShearStress = 1000.0F;
                                    },
                                    {"72.0", "80.0", "90.0", "100.0", "184.257", "414.577",
                                     "644.898", "7.000", "1.213", "23.032", "4.000", "615.8",
                                     "0.000", "0.0", "871.403", "2.604", "5"}},
                      // F = |H0 - H| k + F0: the initial tension adds to every load.
                      CompletedCase{"ExtensionKnownHeightsWithInitialTension",
                                    kExtensionSpring,
                                    WorkingPointMode::KnownHeights,
                                    [](SpringDesign &s) {
                                        s.WorkingHeight1 = 80.0F;
                                        s.WorkingHeight2 = 90.0F;
                                        s.WorkingHeight3 = 100.0F;
                                        s.InitialTension = 50.0F;
                                        s.AllowableShearStress = 1000.0F;
                                    },
                                    {"72.0", "80.0", "90.0", "100.0", "234.257", "464.577",
                                     "694.898", "7.000", "1.213", "23.032", "4.000", "615.8",
                                     "0.000", "0.0", "938.964", "2.604", "5"}},
                      CompletedCase{"HighestWorkingHeightJustAboveSolid",
                                    kCompressionSpring,
                                    WorkingPointMode::KnownHeights,
                                    [](SpringDesign &s) { s.WorkingHeight3 = 26.1F; },
                                    {"44.0", "40.0", "36.0", "26.1", "92.128", "184.257", "412.274",
                                     "7.000", "1.213", "23.032", "8.000", "571.8", "1.571", "26.0",
                                     "557.075", "5.197", "6.5"}},
                      CompletedCase{"WorkingHeightEqualToFreeHeight",
                                    kCompressionSpring,
                                    WorkingPointMode::KnownHeights,
                                    [](SpringDesign &s) { s.WorkingHeight1 = 44.0F; },
                                    {"44.0", "44.0", "36.0", "28.0", "0.000", "184.257", "368.513",
                                     "7.000", "1.213", "23.032", "8.000", "571.8", "1.571", "26.0",
                                     "497.944", "5.197", "6.5"}}),
    [](const auto &info) { return std::string(info.param.name); });

// The total-coil check of a compression spring: n + 1 < n1 <= n + 2.5, both
// sums rounded to float before they are compared.
struct CoilCase {
    const char *name;
    friend void PrintTo(const CoilCase &c, std::ostream *os) { *os << c.name; }
    float activeCoils;
    float totalCoils;
    bool refused;
};

class TotalCoilCheck : public ::testing::TestWithParam<CoilCase> {};

TEST_P(TotalCoilCheck, Boundaries) {
    const CoilCase &c = GetParam();
    SpringDesign s = SampleDesign();
    s.ActiveCoils = c.activeCoils;
    s.TotalCoils = c.totalCoils;
    RecordingListener listener;
    CalculationOutcome outcome;
    try {
        outcome = CalculateSpring(s, kCompressionSpring, WorkingPointMode::KnownHeights, listener);
    } catch (const CalculationError &) {
        ASSERT_FALSE(c.refused);
        return;
    }
    EXPECT_EQ(outcome.stoppedBy == DesignWarning::TotalCoilsOutOfRange, c.refused);
}

INSTANTIATE_TEST_SUITE_P(Table, TotalCoilCheck,
                         ::testing::Values(CoilCase{"OneMoreIsTooFew", 5.0F, 6.0F, true},
                                           CoilCase{"JustAboveOneMore", 5.0F, 6.01F, false},
                                           CoilCase{"TwoAndAHalfMore", 5.0F, 7.5F, false},
                                           CoilCase{"JustAboveTwoAndAHalf", 5.0F, 7.51F, true},
                                           CoilCase{"UpperBoundRoundsToSame", 0.7F, 3.2F, false},
                                           CoilCase{"LowerBoundRoundsToSame", 0.7F, 1.7F, true}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(TotalCoilCheck, ExtensionSpringIsNotCheckedAndGetsActiveCoils) {
    SpringDesign s = SampleDesign();
    s.TotalCoils = 20.0F;
    s.WorkingHeight1 = s.WorkingHeight2 = s.WorkingHeight3 = 80.0F;
    RecordingListener listener;
    const auto outcome =
        CalculateSpring(s, kExtensionSpring, WorkingPointMode::KnownHeights, listener);
    EXPECT_FALSE(outcome.stoppedBy.has_value());
    EXPECT_EQ(s.TotalCoils, 5.0F);
    ASSERT_FALSE(listener.events.empty());
    EXPECT_EQ(listener.events.front(), "coils:5.000000");
}

// Sentinel values in every derived field show what a stopped run replaced.
constexpr float kOld = 999.0F;

SpringDesign WithOldResults(SpringDesign s) {
    s.SpringIndex = s.CurvatureFactor = s.SpringRate = kOld;
    s.DevelopedLength = s.SolidHeight = s.SlendernessRatio = kOld;
    s.MaxShearStress = s.HelixAngle = kOld;
    s.WorkingLoad1 = s.WorkingLoad2 = s.WorkingLoad3 = kOld;
    return s;
}

struct StopCase {
    const char *name;
    friend void PrintTo(const StopCase &c, std::ostream *os) { *os << c.name; }
    SpringTypeSign type;
    WorkingPointMode mode;
    std::function<void(SpringDesign &)> change;
    DesignWarning warning;
    std::vector<std::string> events; // notifications in order, "coils" or "warning"
    std::function<void(const SpringDesign &before, const SpringDesign &after)> record;
};

class StoppedRuns : public ::testing::TestWithParam<StopCase> {};

TEST_P(StoppedRuns, WarnOnceAndLeaveTheRecordAsDocumented) {
    const StopCase &c = GetParam();
    SpringDesign s = WithOldResults(SampleDesign());
    c.change(s);
    const SpringDesign before = s;
    RecordingListener listener;
    const auto outcome = CalculateSpring(s, c.type, c.mode, listener);
    EXPECT_TRUE(outcome.stoppedBy.has_value());
    ASSERT_TRUE(outcome.stoppedBy.has_value());
    EXPECT_EQ(*outcome.stoppedBy, c.warning);
    ASSERT_EQ(listener.warnings.size(), 1U);
    std::vector<std::string> kinds;
    for (const auto &e : listener.events) {
        kinds.push_back(e.substr(0, e.find(':')));
    }
    EXPECT_EQ(kinds, c.events);
    EXPECT_EQ(listener.events.back(), "warning:" + DesignWarningText(c.warning));
    // Never touched by a stop: stress and helix angle come after every check.
    EXPECT_EQ(s.MaxShearStress, kOld);
    EXPECT_EQ(s.HelixAngle, kOld);
    EXPECT_EQ(s.Material, before.Material);
    c.record(before, s);
}

void ExpectIndexFactorRate(const SpringDesign &s) {
    EXPECT_EQ(s.SpringIndex, 7.0F);
    EXPECT_EQ(FormatThreeDecimals(s.CurvatureFactor), "1.213");
    EXPECT_EQ(FormatThreeDecimals(s.SpringRate), "23.032");
}

const std::vector<std::string> kWarningOnly = {"warning"};
const std::vector<std::string> kCoilsThenWarning = {"coils", "warning"};

INSTANTIATE_TEST_SUITE_P(
    Table, StoppedRuns,
    ::testing::Values(
        StopCase{"TotalCoilsOutOfRange", kCompressionSpring, WorkingPointMode::KnownHeights,
                 [](SpringDesign &s) { s.TotalCoils = 6.0F; }, DesignWarning::TotalCoilsOutOfRange,
                 kWarningOnly,
                 [](const SpringDesign &before, const SpringDesign &after) {
                     EXPECT_EQ(after, before); // nothing derived yet
                 }},
        StopCase{"PitchBelowWireDiameter", kExtensionSpring, WorkingPointMode::KnownHeights,
                 [](SpringDesign &s) { s.Pitch = std::nextafter(4.0F, 0.0F); },
                 DesignWarning::PitchBelowWireDiameter, kCoilsThenWarning,
                 [](const SpringDesign &before, const SpringDesign &after) {
                     ExpectIndexFactorRate(after);
                     EXPECT_EQ(FormatOneDecimal(after.FreeHeight), "72.0");
                     EXPECT_EQ(after.TotalCoils, 5.0F);
                     EXPECT_NE(after.WorkingLoad3, kOld);
                     EXPECT_EQ(after.SolidHeight, before.SolidHeight);
                     EXPECT_EQ(after.SlendernessRatio, before.SlendernessRatio);
                     EXPECT_EQ(after.DevelopedLength, before.DevelopedLength);
                 }},
        StopCase{"CompressionHeightAboveFree", kCompressionSpring, WorkingPointMode::KnownHeights,
                 [](SpringDesign &s) { s.WorkingHeight1 = 45.0F; },
                 DesignWarning::CompressionHeightAboveFree, kWarningOnly,
                 [](const SpringDesign &, const SpringDesign &after) {
                     ExpectIndexFactorRate(after);
                     // |44 - 45| k: a positive load although the height is too great
                     EXPECT_EQ(FormatThreeDecimals(after.WorkingLoad1), "23.032");
                     EXPECT_EQ(after.Pitch, 8.0F);
                     EXPECT_EQ(after.SolidHeight, 26.0F);
                     EXPECT_EQ(FormatOneDecimal(after.DevelopedLength), "571.8");
                     EXPECT_EQ(FormatThreeDecimals(after.SlendernessRatio), "1.571");
                 }},
        // Each height is checked, not the first only.
        StopCase{
            "CompressionSecondHeightAboveFree", kCompressionSpring, WorkingPointMode::KnownHeights,
            [](SpringDesign &s) { s.WorkingHeight2 = 45.0F; },
            DesignWarning::CompressionHeightAboveFree, kWarningOnly,
            [](const SpringDesign &, const SpringDesign &after) { ExpectIndexFactorRate(after); }},
        StopCase{
            "CompressionThirdHeightAboveFree", kCompressionSpring, WorkingPointMode::KnownHeights,
            [](SpringDesign &s) { s.WorkingHeight3 = 45.0F; },
            DesignWarning::CompressionHeightAboveFree, kWarningOnly,
            [](const SpringDesign &, const SpringDesign &after) { ExpectIndexFactorRate(after); }},
        StopCase{
            "ExtensionSecondHeightBelowFree", kExtensionSpring, WorkingPointMode::KnownHeights,
            [](SpringDesign &s) {
                s.WorkingHeight1 = 80.0F;
                s.WorkingHeight2 = 71.0F;
                s.WorkingHeight3 = 100.0F;
            },
            DesignWarning::ExtensionHeightBelowFree, kCoilsThenWarning,
            [](const SpringDesign &, const SpringDesign &after) { ExpectIndexFactorRate(after); }},
        StopCase{
            "ExtensionThirdHeightBelowFree", kExtensionSpring, WorkingPointMode::KnownHeights,
            [](SpringDesign &s) {
                s.WorkingHeight1 = 80.0F;
                s.WorkingHeight2 = 90.0F;
                s.WorkingHeight3 = 71.0F;
            },
            DesignWarning::ExtensionHeightBelowFree, kCoilsThenWarning,
            [](const SpringDesign &, const SpringDesign &after) { ExpectIndexFactorRate(after); }},
        StopCase{"SpringGoesSolidAtSolidHeight", kCompressionSpring, WorkingPointMode::KnownHeights,
                 [](SpringDesign &s) { s.WorkingHeight3 = 26.0F; }, DesignWarning::SpringGoesSolid,
                 kWarningOnly,
                 [](const SpringDesign &, const SpringDesign &after) {
                     ExpectIndexFactorRate(after);
                     EXPECT_EQ(after.SolidHeight, 26.0F);
                     EXPECT_EQ(after.Pitch, 8.0F);
                 }},
        StopCase{"ExtensionHeightsOfTheSample", kExtensionSpring, WorkingPointMode::KnownHeights,
                 [](SpringDesign &) {}, DesignWarning::ExtensionHeightBelowFree, kCoilsThenWarning,
                 [](const SpringDesign &, const SpringDesign &after) {
                     ExpectIndexFactorRate(after);
                     EXPECT_EQ(after.FreeHeight, 72.0F);
                     EXPECT_EQ(after.TotalCoils, 5.0F);
                     EXPECT_EQ(after.SolidHeight, 0.0F);
                     EXPECT_EQ(after.SlendernessRatio, 0.0F);
                     EXPECT_EQ(FormatOneDecimal(after.DevelopedLength), "615.8");
                     EXPECT_EQ(after.Pitch, 4.0F); // the entered pitch stays
                 }},
        StopCase{"ExtensionLoadBelowInitialTension", kExtensionSpring, WorkingPointMode::KnownLoads,
                 [](SpringDesign &s) {
                     s.InitialTension = 50.0F;
                     s.WorkingLoad1 = 40.0F;
                     s.WorkingLoad2 = 200.0F;
                     s.WorkingLoad3 = 300.0F;
                 },
                 DesignWarning::ExtensionHeightBelowFree, kCoilsThenWarning,
                 [](const SpringDesign &, const SpringDesign &after) {
                     EXPECT_LT(after.WorkingHeight1, after.FreeHeight);
                     EXPECT_EQ(after.WorkingLoad1, 40.0F); // given loads stay
                 }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PitchCheck, PitchEqualToWireDiameterPasses) {
    SpringDesign s = SampleDesign();
    s.Pitch = s.WireDiameter;
    s.WorkingHeight1 = s.WorkingHeight2 = s.WorkingHeight3 = 80.0F;
    RecordingListener listener;
    EXPECT_FALSE(CalculateSpring(s, kExtensionSpring, WorkingPointMode::KnownHeights, listener)
                     .stoppedBy.has_value());
}

TEST(StressCheck, WarnsAndTheRunGoesOn) {
    SpringDesign s = SampleDesign();
    s.AllowableShearStress = 400.0F;
    RecordingListener listener;
    const auto outcome =
        CalculateSpring(s, kCompressionSpring, WorkingPointMode::KnownHeights, listener);
    EXPECT_FALSE(outcome.stoppedBy.has_value());
    EXPECT_TRUE(outcome.stressAboveAllowable);
    ASSERT_EQ(listener.warnings.size(), 1U);
    EXPECT_EQ(listener.warnings[0], DesignWarning::StressAboveAllowable);
    EXPECT_EQ(FormatThreeDecimals(s.HelixAngle), "5.197"); // computed after the box
    EXPECT_EQ(FormatThreeDecimals(s.MaxShearStress), "497.944");
}

TEST(StressCheck, StressEqualToAllowablePasses) {
    SpringDesign s = SampleDesign();
    RecordingListener first;
    CalculateSpring(s, kCompressionSpring, WorkingPointMode::KnownHeights, first);
    SpringDesign again = SampleDesign();
    again.AllowableShearStress = s.MaxShearStress;
    RecordingListener listener;
    EXPECT_FALSE(
        CalculateSpring(again, kCompressionSpring, WorkingPointMode::KnownHeights, listener)
            .stressAboveAllowable);
}

TEST(Warnings, ExactTexts) {
    EXPECT_EQ(DesignWarningText(DesignWarning::TotalCoilsOutOfRange),
              "压缩弹簧总圈数不允许过少或过多!");
    EXPECT_EQ(DesignWarningText(DesignWarning::PitchBelowWireDiameter),
              "拉伸弹簧的节距不允许小于材料直径!");
    EXPECT_EQ(DesignWarningText(DesignWarning::CompressionHeightAboveFree),
              "压缩弹簧的工作高度大于自由高度!\r\n请输入合适的工作高度或工作载荷!");
    EXPECT_EQ(DesignWarningText(DesignWarning::SpringGoesSolid),
              "最大工作载荷下,弹簧被压并!\r\n请调整弹簧参数!");
    EXPECT_EQ(DesignWarningText(DesignWarning::ExtensionHeightBelowFree),
              "拉伸弹簧的工作高度小于自由高度!\r\n请输入合适的工作高度或工作载荷!");
    EXPECT_EQ(DesignWarningText(DesignWarning::StressAboveAllowable),
              "注意!\r\n最大工作载荷下,弹簧最大切应力大于许用切应力!\r\n建议调整弹簧参数!");
}

struct RunFaultCase {
    const char *name;
    friend void PrintTo(const RunFaultCase &c, std::ostream *os) { *os << c.name; }
    SpringTypeSign type;
    std::function<void(SpringDesign &)> change;
    CalculationErrorKind kind;
    const char *message; // the quantity, the cause and the kind, as the window shows them
    WorkingPointMode mode = WorkingPointMode::KnownHeights;
};

class RunFaults : public ::testing::TestWithParam<RunFaultCase> {};

TEST_P(RunFaults, EndTheRunWithNothingNonFiniteInTheRecord) {
    const RunFaultCase &c = GetParam();
    SpringDesign s = SampleDesign();
    c.change(s);
    RecordingListener listener;
    try {
        CalculateSpring(s, c.type, c.mode, listener);
        FAIL() << "no calculation error";
    } catch (const CalculationError &e) {
        EXPECT_EQ(e.kind(), c.kind);
        EXPECT_EQ(CalculationErrorMessage(e), c.message);
    }
    EXPECT_TRUE(listener.warnings.empty());
    for (float v : {s.SpringIndex, s.CurvatureFactor, s.SpringRate, s.FreeHeight, s.Pitch,
                    s.WorkingLoad1, s.WorkingLoad3, s.WorkingHeight3, s.MaxShearStress}) {
        EXPECT_TRUE(std::isfinite(v));
    }
}

// Every division the run can reach, as x/0 (division by zero) and, where the
// numerator can be zero too, as 0/0 (undefined: an overflow, whatever the
// cause says). The pitch, the slenderness ratio, the stress and the helix
// angle divide by n, D or d only after the rate or the index has divided by
// the same value, so those cannot be reached.
INSTANTIATE_TEST_SUITE_P(
    Table, RunFaults,
    ::testing::Values(
        RunFaultCase{"IndexByZeroWire", kCompressionSpring,
                     [](SpringDesign &s) { s.WireDiameter = 0.0F; },
                     CalculationErrorKind::DivisionByZero, "旋绕比: 材料直径为零或过小 (除数为零)"},
        RunFaultCase{"IndexZeroByZero", kExtensionSpring,
                     [](SpringDesign &s) {
                         s.WireDiameter = 0.0F;
                         s.MeanDiameter = 0.0F;
                     },
                     CalculationErrorKind::Overflow,
                     "旋绕比: 材料直径为零或过小, 被除数也为零, 0/0 无定义 (溢出)"},
        RunFaultCase{"IndexUnderflowsThenCurvatureByZero", kExtensionSpring,
                     [](SpringDesign &s) { s.MeanDiameter = 1e-45F; },
                     CalculationErrorKind::DivisionByZero,
                     "曲度系数: 弹簧中径为零或过小 (除数为零)"},
        RunFaultCase{
            "MeanEqualsWire", kCompressionSpring, [](SpringDesign &s) { s.MeanDiameter = 4.0F; },
            CalculationErrorKind::DivisionByZero, "曲度系数: 弹簧中径等于材料直径 (除数为零)"},
        RunFaultCase{
            "ZeroMeanDiameter", kExtensionSpring, [](SpringDesign &s) { s.MeanDiameter = 0.0F; },
            CalculationErrorKind::DivisionByZero, "曲度系数: 弹簧中径为零或过小 (除数为零)"},
        RunFaultCase{"ZeroActiveCoilsCompression", kCompressionSpring,
                     [](SpringDesign &s) {
                         s.ActiveCoils = 0.0F;
                         s.TotalCoils = 2.0F;
                     },
                     CalculationErrorKind::DivisionByZero,
                     "刚度: 弹簧中径或有效圈数为零或过小 (除数为零)"},
        RunFaultCase{"ZeroActiveCoilsExtension", kExtensionSpring,
                     [](SpringDesign &s) { s.ActiveCoils = 0.0F; },
                     CalculationErrorKind::DivisionByZero,
                     "刚度: 弹簧中径或有效圈数为零或过小 (除数为零)"},
        RunFaultCase{"RateZeroByZero", kExtensionSpring,
                     [](SpringDesign &s) {
                         s.ActiveCoils = 0.0F;
                         s.ShearModulus = 0.0F;
                     },
                     CalculationErrorKind::Overflow,
                     "刚度: 弹簧中径或有效圈数为零或过小, 被除数也为零, 0/0 无定义 (溢出)"},
        RunFaultCase{"HeightByZeroRate", kCompressionSpring,
                     [](SpringDesign &s) {
                         s.ShearModulus = 0.0F;
                         s.WorkingLoad1 = 100.0F;
                     },
                     CalculationErrorKind::DivisionByZero, "工作高度: 刚度为零 (除数为零)",
                     WorkingPointMode::KnownLoads},
        RunFaultCase{"HeightZeroByZeroRate", kCompressionSpring,
                     [](SpringDesign &s) { s.ShearModulus = 0.0F; }, CalculationErrorKind::Overflow,
                     "工作高度: 刚度为零, 被除数也为零, 0/0 无定义 (溢出)",
                     WorkingPointMode::KnownLoads},
        // The rate underflows to 0 when stored; F1 - F0 = 0 is then 0/0.
        RunFaultCase{"HeightZeroByUnderflowedRate", kCompressionSpring,
                     [](SpringDesign &s) {
                         s.MeanDiameter = 1e38F;
                         s.WorkingLoad2 = 1e35F;
                     },
                     CalculationErrorKind::Overflow,
                     "工作高度: 刚度为零, 被除数也为零, 0/0 无定义 (溢出)",
                     WorkingPointMode::KnownLoads},
        RunFaultCase{"HeightByUnderflowedRate", kCompressionSpring,
                     [](SpringDesign &s) {
                         s.MeanDiameter = 1e38F;
                         s.WorkingLoad1 = 1e35F;
                     },
                     CalculationErrorKind::DivisionByZero, "工作高度: 刚度为零 (除数为零)",
                     WorkingPointMode::KnownLoads},
        RunFaultCase{"FreeHeightOverflowEndsACompressionRunToo", kCompressionSpring,
                     [](SpringDesign &s) { s.Pitch = 3e38F; }, CalculationErrorKind::Overflow,
                     "拉伸弹簧自由高度: 结果超出单精度数值范围 (溢出)"},
        RunFaultCase{"LoadTooLargeForFloat", kCompressionSpring,
                     [](SpringDesign &s) {
                         s.WorkingHeight1 = 3e38F;
                         s.FreeHeight = -3e38F;
                     },
                     CalculationErrorKind::Overflow, "工作载荷: 结果超出单精度数值范围 (溢出)"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RunFaults, ZeroActiveCoilsCompressionStopsAtTheCoilCheckFirst) {
    SpringDesign s = SampleDesign();
    s.ActiveCoils = 0.0F; // n1 = 6.5 is more than 2.5 above 0
    RecordingListener listener;
    const auto outcome =
        CalculateSpring(s, kCompressionSpring, WorkingPointMode::KnownHeights, listener);
    EXPECT_EQ(outcome.stoppedBy, DesignWarning::TotalCoilsOutOfRange);
}

} // namespace
