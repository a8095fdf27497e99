#include "design_fixtures.h"
#include "run_checks.h"
#include "spring_check_formulas.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

// The sample design, calculated: F1 92.128, F3 368.513, tau 497.944, b 1.571.
SpringDesign CompressionSample() {
    SpringDesign s = SampleDesign();
    IgnoringListener quiet;
    CalculateSpring(s, kCompressionSpring, WorkingPointMode::KnownHeights, quiet);
    return s;
}

// The same wire and coils as an extension spring: pitch 4, F0 50, loads 100/200/300.
SpringDesign ExtensionSample() {
    SpringDesign s = ExtensionExampleDesign();
    IgnoringListener quiet;
    CalculateSpring(s, kExtensionSpring, WorkingPointMode::KnownLoads, quiet);
    return s;
}

CheckResult Find(const CheckResults &results, const std::string &id) {
    for (const CheckResult &r : results) {
        if (r.id == id) {
            return r;
        }
    }
    throw std::runtime_error("no check " + id);
}

std::vector<std::string> Ids(const CheckResults &results) {
    std::vector<std::string> ids;
    for (const CheckResult &r : results) {
        ids.push_back(r.id);
    }
    return ids;
}

TEST(RunChecks, EachSpringTypeGetsItsChecksInOrder) {
    const CheckInputs none;
    EXPECT_EQ(Ids(RunChecks(CompressionSample(), kCompressionSpring, none)),
              (std::vector<std::string>{
                  "static-strength", "allowable-stress", "buckling", "buckling-deflection",
                  "coil-clearance", "solid-stress", "working-range", "natural-frequency", "fatigue",
                  "index", "active-coils", "helix-angle", "shear-modulus", "mass", "work"}));
    EXPECT_EQ(
        Ids(RunChecks(ExtensionSample(), kExtensionSpring, none)),
        (std::vector<std::string>{"static-strength", "allowable-stress", "hook-bending",
                                  "hook-torsion", "initial-tension", "natural-frequency", "fatigue",
                                  "index", "active-coils", "shear-modulus", "mass", "work"}));
}

TEST(RunChecks, MottsExtensionSpringStress) {
    // R. L. Mott, Machine Elements in Mechanical Design, sect. 19-7: d 0.072 in,
    // D 0.553 in, F 26.75 lb: C 7.68, K 1.19, tau = 120 000 psi (inch units
    // throughout, so the stress comes out in psi).
    SpringDesign s;
    s.WireDiameter = 0.072F;
    s.MeanDiameter = 0.553F;
    s.ShearModulus = 11.5e6F;
    s.ActiveCoils = 16.3F;
    s.Pitch = 0.072F;
    s.WorkingLoad1 = 16.25F;
    s.WorkingLoad2 = 20.0F;
    s.WorkingLoad3 = 26.75F;
    IgnoringListener quiet;
    ASSERT_FALSE(
        CalculateSpring(s, kExtensionSpring, WorkingPointMode::KnownLoads, quiet).stoppedBy);
    CheckInputs inputs;
    inputs.standardPermissible = PermissibleShearStress{130000.0, 0.0, "Mott"};
    const CheckResult &strength = Find(RunChecks(s, kExtensionSpring, inputs), "static-strength");
    EXPECT_NEAR(s.SpringIndex, 7.68, 0.005);
    EXPECT_NEAR(s.CurvatureFactor, 1.19, 0.005);
    EXPECT_NEAR(*strength.value, 120000.0, 500.0);
}

struct VerdictCase {
    const char *name;
    bool extension;
    std::function<void(SpringDesign &)> design;
    std::function<void(CheckInputs &)> inputs;
    const char *id;
    CheckVerdict verdict;
};

void Steel(CheckInputs &in) {
    in.family = MaterialFamily::CarbonSpringWire;
    in.elasticModulus = 206000.0;
    in.density = 7.85;
}

// A long compression spring: D 28, H0 200, G 79000, E 206000, both ends
// fixed: sK = 52.19 mm.
void LongSpring(SpringDesign &s) {
    s.FreeHeight = 200.0F;
    s.WorkingHeight3 = 150.0F;
}

void NoChange(SpringDesign &) {}
void NoInputs(CheckInputs &) {}

// The standard's permissible stress for the sample, as a table would give it.
std::function<void(CheckInputs &)> Standard(double permissible) {
    return [permissible](CheckInputs &in) {
        in.standardPermissible = PermissibleShearStress{permissible, 0.0, "table"};
    };
}

// The test stress (the static permissible stress) for the sample.
std::function<void(CheckInputs &)> Test(double stress) {
    return [stress](CheckInputs &in) {
        in.testStress = PermissibleShearStress{stress, 0.0, "table"};
    };
}

const VerdictCase kVerdictCases[] = {
    // static strength: tau 497.944 against the standard's figure, else the
    // designer's [tau] 660 (70-C with a given [tau] once said "no [tau]")
    {"StressBelowPermissible", false, NoChange, Standard(497.95), "static-strength",
     CheckVerdict::Ok},
    {"StressAbovePermissible", false, NoChange, Standard(497.93), "static-strength",
     CheckVerdict::Fail},
    {"DesignersAllowableWithoutStandard", false, NoChange, NoInputs, "static-strength",
     CheckVerdict::Ok},
    // the stricter of the designer's [tau] and the standard's figure governs
    {"DesignersStricterAllowableGoverns", false,
     [](SpringDesign &s) { s.AllowableShearStress = 450.0F; }, Standard(570.0), "static-strength",
     CheckVerdict::Fail},
    {"EnWithoutStandardHoldsTheCalculatedStress", false,
     [](SpringDesign &s) { s.AllowableShearStress = 480.0F; },
     [](CheckInputs &in) { in.standard = CheckStandard::En; }, "static-strength",
     CheckVerdict::Fail},
    {"EnStandardJudgesTheUncorrectedStress", false, NoChange,
     [](CheckInputs &in) {
         in.standard = CheckStandard::En;
         in.standardPermissible = PermissibleShearStress{415.0, 0.5, "EN"};
     },
     "static-strength", CheckVerdict::Ok},
    {"NoAllowableAtAll", false, [](SpringDesign &s) { s.AllowableShearStress = 0.0F; }, NoInputs,
     "static-strength", CheckVerdict::NotApplicable},
    // the designer's [tau] 660 against the standard's (65Mn's table gives 570)
    {"DesignersAllowableAboveTable", false, NoChange, Standard(570.0), "allowable-stress",
     CheckVerdict::Warning},
    {"DesignersAllowableJustAbove", false, NoChange, Standard(659.9), "allowable-stress",
     CheckVerdict::Warning},
    {"DesignersAllowableWithinRounding", false, NoChange, Standard(659.96), "allowable-stress",
     CheckVerdict::Ok},
    {"NoStandardToCompare", false, NoChange, NoInputs, "allowable-stress",
     CheckVerdict::NotApplicable},
    // stability: b is information, the critical deflection judges (E derived
    // from G when none is known)
    {"ShortSpring", false, NoChange, NoInputs, "buckling", CheckVerdict::Info},
    {"FreeEndHasNoSlendernessLimit", false, NoChange,
     [](CheckInputs &in) { in.endCondition = EndCondition::FixedFree; }, "buckling",
     CheckVerdict::Info},
    {"LongSpringBeyondSlenderness", false, LongSpring, NoInputs, "buckling", CheckVerdict::Info},
    {"ShortSpringIsStable", false, NoChange, NoInputs, "buckling-deflection", CheckVerdict::Ok},
    {"LongSpringWithoutE", false, LongSpring, NoInputs, "buckling-deflection", CheckVerdict::Ok},
    {"LongSpringBelowCritical", false, LongSpring, Steel, "buckling-deflection", CheckVerdict::Ok},
    {"LongSpringBeyondCritical", false,
     [](SpringDesign &s) {
         LongSpring(s);
         s.WorkingHeight3 = 147.0F;
     },
     Steel, "buckling-deflection", CheckVerdict::Fail},
    {"LongSpringBeyondCriticalWithoutE", false,
     [](SpringDesign &s) {
         LongSpring(s);
         s.WorkingHeight3 = 147.0F;
     },
     NoInputs, "buckling-deflection", CheckVerdict::Fail},
    {"ElasticModulusBelowShearModulus", false, LongSpring,
     [](CheckInputs &in) { in.elasticModulus = 70000.0; }, "buckling-deflection",
     CheckVerdict::NotJudged},
    // coil clearance: gaps 2.0 against Sa 3.47 (static) or 5.21 (cyclic)
    {"GapsBelowSa", false, NoChange, NoInputs, "coil-clearance", CheckVerdict::Warning},
    {"GapsAboveSa", false, [](SpringDesign &s) { s.WorkingHeight3 = 29.5F; }, NoInputs,
     "coil-clearance", CheckVerdict::Ok},
    {"GapsBelowCyclicSa", false, [](SpringDesign &s) { s.WorkingHeight3 = 29.5F; },
     [](CheckInputs &in) { in.loadCycles = 1e6; }, "coil-clearance", CheckVerdict::Warning},
    // surge frequency 364.42 Hz against 20 and 15 times the working frequency
    {"NoDensity", false, NoChange, NoInputs, "natural-frequency", CheckVerdict::NotApplicable},
    {"NoWorkingFrequencyIsReference", false, NoChange, Steel, "natural-frequency",
     CheckVerdict::Info},
    {"FrequencyTwentyTimes", false, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.workingFrequency = 18.2;
     },
     "natural-frequency", CheckVerdict::Ok},
    {"FrequencyBelowTwentyTimes", false, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.workingFrequency = 18.3;
     },
     "natural-frequency", CheckVerdict::Warning},
    {"FrequencyBelowFifteenTimes", false, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.workingFrequency = 24.4;
     },
     "natural-frequency", CheckVerdict::Fail},
    // fatigue at 1e6 cycles, tau 124.5 / 497.9: S = (0.33 Rm + 93.4) / 497.9
    {"StaticDuty", false, NoChange, NoInputs, "fatigue", CheckVerdict::NotApplicable},
    // a cyclic load that cannot be judged is not judged, never passed
    {"CyclesWithoutRm", false, NoChange, [](CheckInputs &in) { in.loadCycles = 1e6; }, "fatigue",
     CheckVerdict::NotJudged},
    {"DynamicDutyWithoutCycles", false, NoChange,
     [](CheckInputs &in) {
         in.loadType = LoadType::DynamicLimited;
         in.tensileStrength = 1680.0;
     },
     "fatigue", CheckVerdict::NotJudged},
    {"FatigueSafe", false, NoChange,
     [](CheckInputs &in) {
         in.loadCycles = 1e6;
         in.tensileStrength = 1680.0;
     },
     "fatigue", CheckVerdict::Ok},
    {"FatigueMarginal", false, NoChange,
     [](CheckInputs &in) {
         in.loadCycles = 1e6;
         in.tensileStrength = 1670.0;
     },
     "fatigue", CheckVerdict::Warning},
    {"FatigueFails", false, NoChange,
     [](CheckInputs &in) {
         in.loadCycles = 1e6;
         in.tensileStrength = 1370.0;
     },
     "fatigue", CheckVerdict::Fail},
    {"FatigueToEn", false, NoChange,
     [](CheckInputs &in) {
         in.loadCycles = 1e6;
         in.tensileStrength = 1680.0;
         in.standard = CheckStandard::En;
     },
     "fatigue", CheckVerdict::NotJudged},
    // one load class for every row: fewer than 10^3 cycles are static, a
    // looser given duty yields to the cycles, beyond 10^8 the last row judges
    {"FewCyclesNeedNoFatigue", false, NoChange,
     [](CheckInputs &in) {
         in.loadCycles = 999.0;
         in.tensileStrength = 1370.0;
     },
     "fatigue", CheckVerdict::NotApplicable},
    {"FewCyclesKeepTheStaticClearance", false, [](SpringDesign &s) { s.WorkingHeight3 = 29.5F; },
     [](CheckInputs &in) { in.loadCycles = 999.0; }, "coil-clearance", CheckVerdict::Ok},
    {"StaticGivenYieldsToCycles", false, NoChange,
     [](CheckInputs &in) {
         in.loadTypeGiven = LoadType::Static;
         in.loadCycles = 1e6;
         in.tensileStrength = 1370.0;
     },
     "fatigue", CheckVerdict::Fail},
    {"BeyondTheTableMarginal", false, NoChange,
     [](CheckInputs &in) {
         in.loadCycles = 1e9;
         in.tensileStrength = 1680.0;
     },
     "fatigue", CheckVerdict::Warning},
    {"BeyondTheTableFails", false, NoChange,
     [](CheckInputs &in) {
         in.loadCycles = 1e9;
         in.tensileStrength = 1370.0;
     },
     "fatigue", CheckVerdict::Fail},
    // tau_u0 at 1e4 cycles: 0.45 Rm, for stainless and bronze 0.35 Rm
    {"CarbonFatigueAtTenThousand", false, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.loadCycles = 1e4;
         in.tensileStrength = 1500.0;
     },
     "fatigue", CheckVerdict::Ok},
    {"StainlessFatigueAtTenThousand", false, NoChange,
     [](CheckInputs &in) {
         in.family = MaterialFamily::StainlessSpringWire;
         in.loadCycles = 1e4;
         in.tensileStrength = 1500.0;
     },
     "fatigue", CheckVerdict::Warning},
    // at solid (n1 - 0.5) d = 24 mm, not 26: F 460.6 N, tau 622.4 MPa
    // corrected, 513.2 uncorrected (EN)
    {"SolidStressWithinTestStress", false, NoChange, Test(625.0), "solid-stress",
     CheckVerdict::Ok},
    {"SolidStressBeyondTestStress", false, NoChange, Test(620.0), "solid-stress",
     CheckVerdict::Warning},
    {"EnSolidStressUncorrected", false, NoChange,
     [](CheckInputs &in) {
         Test(515.0)(in);
         in.standard = CheckStandard::En;
     },
     "solid-stress", CheckVerdict::Ok},
    {"NoTestStress", false, NoChange, NoInputs, "solid-stress", CheckVerdict::NotApplicable},
    // test deflection: min(Fs / k, 20 mm to solid); f1 4, f3 16
    {"WorkingRangeWithin", false, NoChange, Test(570.0), "working-range", CheckVerdict::Ok},
    {"WorkingRangeBeyondFourFifths", false, NoChange, Test(400.0), "working-range",
     CheckVerdict::Warning},
    {"WorkingRangeStartsTooEarly", false, [](SpringDesign &s) { s.WorkingHeight1 = 41.5F; },
     Test(570.0), "working-range", CheckVerdict::Warning},
    {"ActiveCoilsEnough", false, NoChange, NoInputs, "active-coils", CheckVerdict::Ok},
    {"ActiveCoilsBelowThree", false, [](SpringDesign &s) { s.ActiveCoils = 2.9F; }, NoInputs,
     "active-coils", CheckVerdict::Warning},
    {"ActiveCoilsBelowTwo", true, [](SpringDesign &s) { s.ActiveCoils = 1.9F; }, NoInputs,
     "active-coils", CheckVerdict::Fail},
    // the design's G 79000 against the grade's
    {"ShearModulusOfTheGrade", false, NoChange,
     [](CheckInputs &in) { in.gradeShearModulus = 81500.0; }, "shear-modulus", CheckVerdict::Ok},
    {"ShearModulusOfBronze", true, NoChange,
     [](CheckInputs &in) { in.gradeShearModulus = 40000.0; }, "shear-modulus",
     CheckVerdict::Warning},
    {"ShearModulusJustBeyondTenPercent", false, NoChange,
     [](CheckInputs &in) { in.gradeShearModulus = 71800.0; }, "shear-modulus",
     CheckVerdict::Warning},
    {"NoGradeShearModulus", false, NoChange, NoInputs, "shear-modulus",
     CheckVerdict::NotApplicable},
    // index and helix angle warn, never fail
    {"IndexInRange", false, NoChange, NoInputs, "index", CheckVerdict::Ok},
    {"IndexTooLow", false, [](SpringDesign &s) { s.SpringIndex = 3.9F; }, NoInputs, "index",
     CheckVerdict::Warning},
    {"IndexTooHigh", false, [](SpringDesign &s) { s.SpringIndex = 12.1F; }, NoInputs, "index",
     CheckVerdict::Warning},
    {"HelixInRange", false, NoChange, NoInputs, "helix-angle", CheckVerdict::Ok},
    {"HelixTooFlat", false, [](SpringDesign &s) { s.HelixAngle = 4.9F; }, NoInputs, "helix-angle",
     CheckVerdict::Warning},
    {"MassWithoutDensity", false, NoChange, NoInputs, "mass", CheckVerdict::NotApplicable},
    {"MassIsReference", false, NoChange, Steel, "mass", CheckVerdict::Info},
    {"WorkIsReference", false, NoChange, NoInputs, "work", CheckVerdict::Info},
    // extension: hook bending 771.9 MPa against 0.75 Rm, torsion at r2 = 2d
    // (C2 = 4) 417.8 MPa against 0.40 Rm
    {"HookBendingWithin", true, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.tensileStrength = 1030.0;
     },
     "hook-bending", CheckVerdict::Ok},
    {"HookBendingBeyond", true, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.tensileStrength = 1028.0;
     },
     "hook-bending", CheckVerdict::Fail},
    // stainless: 0.55 Rm; cyclic: 0.47 Rm at 1e6 (Shigley tables 10-7, 10-8)
    {"HookBendingStainless", true, NoChange,
     [](CheckInputs &in) {
         in.family = MaterialFamily::StainlessSpringWire;
         in.tensileStrength = 1800.0;
     },
     "hook-bending", CheckVerdict::Ok},
    {"HookBendingStainlessBeyond", true, NoChange,
     [](CheckInputs &in) {
         in.family = MaterialFamily::StainlessSpringWire;
         in.tensileStrength = 1400.0;
     },
     "hook-bending", CheckVerdict::Fail},
    {"HookBendingCyclicBeyond", true, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.tensileStrength = 1600.0;
         in.loadCycles = 1e6;
     },
     "hook-bending", CheckVerdict::Fail},
    {"HookTorsionCopperBeyond", true, NoChange,
     [](CheckInputs &in) {
         in.family = MaterialFamily::CopperAlloyWire;
         in.tensileStrength = 1300.0;
     },
     "hook-torsion", CheckVerdict::Fail},
    {"HookTorsionWithin", true, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.tensileStrength = 1045.0;
     },
     "hook-torsion", CheckVerdict::Ok},
    {"HookTorsionSharperBend", true, NoChange,
     [](CheckInputs &in) {
         Steel(in);
         in.tensileStrength = 1045.0;
         in.hookBendRadius = 7.9;
     },
     "hook-torsion", CheckVerdict::Fail},
    {"HookTorsionBendTooTight", true, NoChange, [](CheckInputs &in) { in.hookBendRadius = 2.0; },
     "hook-torsion", CheckVerdict::NotApplicable},
    // initial stress 8 F0 D / (pi d^3) = 55.7 MPa at F0 50; range at C 7: 87.4 .. 134.1
    {"InitialStressLow", true, NoChange, NoInputs, "initial-tension", CheckVerdict::Warning},
    {"InitialStressInRange", true, [](SpringDesign &s) { s.InitialTension = 100.0F; }, NoInputs,
     "initial-tension", CheckVerdict::Ok},
    {"InitialStressHigh", true, [](SpringDesign &s) { s.InitialTension = 121.0F; }, NoInputs,
     "initial-tension", CheckVerdict::Warning},
    {"NoInitialTension", true, [](SpringDesign &s) { s.InitialTension = 0.0F; }, NoInputs,
     "initial-tension", CheckVerdict::NotApplicable},
};

class CheckVerdicts : public testing::TestWithParam<VerdictCase> {};

TEST_P(CheckVerdicts, AtTheBoundary) {
    const VerdictCase &c = GetParam();
    SpringDesign design = c.extension ? ExtensionSample() : CompressionSample();
    c.design(design);
    CheckInputs inputs;
    c.inputs(inputs);
    const CheckResult &check =
        Find(RunChecks(design, c.extension ? kExtensionSpring : kCompressionSpring, inputs), c.id);
    EXPECT_EQ(check.verdict, c.verdict) << c.name << ": " << check.message;
    EXPECT_FALSE(check.message.empty());
    EXPECT_FALSE(check.clause.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, CheckVerdicts, testing::ValuesIn(kVerdictCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(RunChecks, InformationFiguresOfTheSample) {
    CheckInputs inputs;
    Steel(inputs);
    const CheckResults results = RunChecks(CompressionSample(), kCompressionSpring, inputs);
    EXPECT_NEAR(*Find(results, "natural-frequency").value, 364.42, 0.01);
    EXPECT_NEAR(*Find(results, "mass").value, 56.41, 0.01); // 7.85 g/cm3, d 4, L 571.8
    EXPECT_NEAR(*Find(results, "work").value, 2763.8, 0.1); // (92.128 + 368.513) / 2 * 12
    // b against its limit; the deflection at F3, with no critical one to meet
    EXPECT_NEAR(*Find(results, "buckling").value, 44.0 / 28.0, 1e-6);
    EXPECT_NEAR(*Find(results, "buckling").limit, 5.3, 1e-9);
    EXPECT_NEAR(*Find(results, "buckling-deflection").value, 16.0, 1e-9);
    EXPECT_FALSE(Find(results, "buckling-deflection").limit.has_value());
}

struct EndConditionCase {
    EndCondition condition;
    std::optional<double> slendernessLimit; // GB/T 23935's b limit; none with one free end
    double seating;                         // EN 13906-1's seating coefficient
};

class EndConditions : public testing::TestWithParam<EndConditionCase> {};

TEST_P(EndConditions, SlendernessLimitAgreesWithTheCriticalDeflection) {
    const EndConditionCase &c = GetParam();
    EXPECT_DOUBLE_EQ(SeatingCoefficient(c.condition), c.seating);
    CheckInputs inputs;
    Steel(inputs);
    inputs.endCondition = c.condition;
    const CheckResult b =
        Find(RunChecks(CompressionSample(), kCompressionSpring, inputs), "buckling");
    ASSERT_EQ(b.limit.has_value(), c.slendernessLimit.has_value());
    if (c.slendernessLimit) {
        EXPECT_DOUBLE_EQ(*b.limit, *c.slendernessLimit);
        // Two sources, one physics: GB's b limit is where EN's critical
        // deflection first exists for steel (nu H0 / D = 2.63).
        EXPECT_NEAR(StabilityLimitSlenderness(79000.0, 206000.0) / c.seating, *c.slendernessLimit,
                    0.07);
    }
    // A spring just beyond the onset buckles short of solid; just before it, never.
    for (const double factor : {0.97, 1.03}) {
        SpringDesign s = CompressionSample();
        s.FreeHeight = static_cast<float>(factor * 28.0 *
                                          StabilityLimitSlenderness(79000.0, 206000.0) / c.seating);
        s.WorkingHeight3 = 0.9F * s.FreeHeight;
        const CheckResult sk =
            Find(RunChecks(s, kCompressionSpring, inputs), "buckling-deflection");
        EXPECT_EQ(sk.limit.has_value(), factor > 1.0) << factor;
    }
}

INSTANTIATE_TEST_SUITE_P(Table, EndConditions,
                         testing::Values(EndConditionCase{EndCondition::FixedFixed, 5.3, 0.5},
                                         EndConditionCase{EndCondition::FixedPinned, 3.7, 0.7},
                                         EndConditionCase{EndCondition::PinnedPinned, 2.6, 1.0},
                                         EndConditionCase{EndCondition::FixedFree, std::nullopt,
                                                          2.0}));

TEST(RunChecks, TextsNameNoCommandLineOption) {
    // The texts go into documents; the command line adds its hints itself.
    for (bool extension : {false, true}) {
        const SpringDesign design = extension ? ExtensionSample() : CompressionSample();
        for (const CheckInputs &inputs : {CheckInputs{}, [] {
                                              CheckInputs in;
                                              in.family = MaterialFamily::CarbonSpringWire;
                                              in.loadCycles = 1e6;
                                              return in;
                                          }()}) {
            for (const CheckResult &r :
                 RunChecks(design, extension ? kExtensionSpring : kCompressionSpring, inputs)) {
                EXPECT_EQ(r.message.find("--"), std::string::npos) << r.id << ": " << r.message;
                EXPECT_EQ(r.clause.find("--"), std::string::npos) << r.id << ": " << r.clause;
            }
        }
    }
}

TEST(FatigueDiagram, WorkingPointAndLimitLine) {
    CheckInputs inputs;
    inputs.loadCycles = 1e6;
    inputs.tensileStrength = 1680.0;
    const auto diagram = FatigueDiagramFor(CompressionSample(), kCompressionSpring, inputs);
    ASSERT_TRUE(diagram.has_value());
    EXPECT_NEAR(diagram->working.tauMin, 124.49, 0.01);
    EXPECT_NEAR(diagram->working.tauMax, 497.94, 0.01);
    ASSERT_EQ(diagram->limitLine.size(), 2U);
    EXPECT_NEAR(diagram->limitLine.front().tauMax, 0.33 * 1680.0 / 1.3, 1e-9);
    EXPECT_NEAR(diagram->limitLine.back().tauMin, diagram->limitLine.back().tauMax, 1e-9);
    inputs.standard = CheckStandard::En;
    EXPECT_FALSE(FatigueDiagramFor(CompressionSample(), kCompressionSpring, inputs));
    inputs = {};
    EXPECT_FALSE(FatigueDiagramFor(CompressionSample(), kCompressionSpring, inputs));
}

} // namespace
