#include "fatigue_strength.h"
#include "spring_check_formulas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

namespace {

constexpr double kInch = 25.4;                 // mm
constexpr double kPsi = 0.006894757;           // MPa
constexpr double kPoundPerCubicInch = 27.6799; // kg/dm3

// Published worked examples, each to the precision it is printed with.
TEST(CheckFormulaExamples, SurgeFrequencyOfShigleysHardDrawnSpring) {
    // Shigley's Mechanical Engineering Design, solutions to ch. 10 (design of a
    // spring of d = 0.080 in, D = 0.558 in, Na = 31.02, G = 10 Mpsi,
    // 0.283 lbf/in3): f = 109 Hz (108.895 in its table).
    const double f = SurgeFrequency(0.080 * kInch, 0.558 * kInch, 31.02, 10e6 * kPsi,
                                    0.283 * kPoundPerCubicInch);
    EXPECT_NEAR(f, 108.895, 108.895 * 5e-4); // 3560 against the exact 3559: 0.03 %
}

TEST(CheckFormulaExamples, CoilClearanceOfTheHeliSpringCompressionSpring) {
    // dsoftcon.be HeliSpring, compression spring verification S.198 to DIN EN
    // 13906-1 (d 5, D 34.6, n 9.5, cyclic load): Sa = 12.3 mm. The static sum
    // is 8.16 mm; the page's figure is the 1.5-fold of it, 12.24, rounded up.
    const double staticSum = MinimumCoilClearance(5.0, 34.6, 9.5);
    EXPECT_NEAR(staticSum, 8.16, 0.005);
    EXPECT_NEAR(1.5 * staticSum, 12.3, 0.1);
}

TEST(CheckFormulaExamples, InitialStressOfTheHeliSpringExtensionSpring) {
    // dsoftcon.be HeliSpring, extension spring design S.202 (d 1.6, D 11.1):
    // initial torsional stress 175.0 MPa for the attainable F0 of 25.4 N (both
    // rounded on the page).
    EXPECT_NEAR(UncorrectedShearStress(25.4, 11.1, 1.6), 175.0, 0.5);
}

TEST(CheckFormulaExamples, BucklingLimitOfShigleysProblem) {
    // Shigley's solutions, problem 10-3 (d): steel, D = 28.5 mm, both ends on
    // parallel plates (alpha 0.5): (L0)cr = 2.63 D / alpha = 149.9 mm.
    const double g = 11.5e6;
    const double e = 30e6;
    EXPECT_NEAR(StabilityLimitSlenderness(g, e), 2.63, 0.006);
    EXPECT_FALSE(BucklingCriticalDeflection(149.0, 28.5, g, e, 0.5).has_value());
    EXPECT_TRUE(BucklingCriticalDeflection(151.0, 28.5, g, e, 0.5).has_value());
    // machinecalcs.com spring buckling: d 1, D 10, L0 40, closed and ground:
    // slenderness 2.0, no buckling before solid.
    EXPECT_FALSE(BucklingCriticalDeflection(40.0, 10.0, 79300.0, 207000.0, 0.5).has_value());
}

TEST(CheckFormulaExamples, HookFactorsOfTheMachineCalcsHookPage) {
    // machinecalcs.com extension spring hook stress: K_A 1.333 and K_B 1.375
    // for its default loop and bend (C1 = C2 = 3). Recovered here from the
    // stresses: sigma less its direct part over 16FD/(pi d^3), tau over 8FD/(pi d^3).
    const double f = 100.0, meanD = 8.0, d = 1.0;
    const double nominal = UncorrectedShearStress(f, meanD, d);
    const double direct = 4.0 * f / (std::numbers::pi * d * d);
    const double bending = *HookBendingStress(f, meanD, d, 1.5 * d);
    EXPECT_NEAR((bending - direct) / (2.0 * nominal), 1.333, 5e-4);
    EXPECT_NEAR(*HookTorsionStress(f, meanD, d, 1.5 * d) / nominal, 1.375, 5e-4);
}

// The formulas' own edges.
TEST(CheckFormulas, BucklingDeflectionFallsFromTheStabilityLimit) {
    // At the limit the radicand is zero: sK = H0 * 0.5 / (1 - G/E).
    const double g = 79000.0, e = 206000.0;
    const double limitHeight = StabilityLimitSlenderness(g, e) * 28.0 / 0.5;
    const double atLimit = *BucklingCriticalDeflection(limitHeight * (1 + 1e-12), 28.0, g, e, 0.5);
    EXPECT_NEAR(atLimit, limitHeight * 0.5 / (1.0 - g / e), 1e-3);
    // A longer spring buckles at a smaller share of its free height.
    const double longer = *BucklingCriticalDeflection(2.0 * limitHeight, 28.0, g, e, 0.5);
    EXPECT_LT(longer / (2.0 * limitHeight), atLimit / limitHeight);
}

TEST(CheckFormulas, HookStressesRefuseAFactorWithoutMeaning) {
    EXPECT_FALSE(HookBendingStress(10.0, 8.0, 1.0, 0.5).has_value()); // C1 = 1
    EXPECT_FALSE(HookTorsionStress(10.0, 8.0, 1.0, 0.5).has_value()); // C2 = 1
}

TEST(CheckFormulas, PulsatingFatigueShareTakesTheLowerTableAndTheRowAbove) {
    struct Row {
        double cycles;
        std::optional<double> share;
    };
    const Row rows[] = {
        {0.5, std::nullopt}, {1e3, 0.45}, {1e4, 0.45}, {1e4 + 1, 0.35}, {1e5, 0.35},
        {5e5, 0.33},         {1e6, 0.33}, {2e6, 0.30}, {1e8, 0.30},     {1.1e8, std::nullopt},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(PulsatingFatigueShare(row.cycles), row.share) << row.cycles;
    }
}
} // namespace
