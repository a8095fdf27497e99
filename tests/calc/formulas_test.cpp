#include "calculation_error.h"
#include "design_fixtures.h"
#include "formulas.h"
#include "number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

TEST(Formulas, ConstantsAreTheProgramsOwn) {
    // pi as written, not the full-precision value, and the degree factor from it.
    EXPECT_EQ(formulas::kPi, 3.14159265358979);
    EXPECT_EQ(formulas::kDegreeFactor, 0.017453292519943278);
    EXPECT_NE(formulas::kDegreeFactor, 0.017453292519943295);
}

TEST(Formulas, SampleDesignStepByStep) {
    SpringDesign s = SampleDesign();
    formulas::StoreSpringIndex(s);
    formulas::StoreCurvatureFactor(s);
    formulas::StoreSpringRate(s);
    formulas::StoreCompressionPitch(s);
    formulas::StoreSlendernessRatio(s);
    formulas::StoreSolidHeight(s);
    formulas::StoreDevelopedLength(s, kCompressionSpring);
    formulas::StoreHelixAngle(s);
    EXPECT_EQ(s.SpringIndex, 7.0F);
    EXPECT_EQ(FormatThreeDecimals(s.CurvatureFactor), "1.213");
    EXPECT_EQ(FormatThreeDecimals(s.SpringRate), "23.032");
    EXPECT_EQ(s.Pitch, 8.0F);
    EXPECT_EQ(FormatThreeDecimals(s.SlendernessRatio), "1.571");
    EXPECT_EQ(s.SolidHeight, 26.0F); // n1 d, not (n1 - 0.5) d
    EXPECT_EQ(FormatOneDecimal(s.DevelopedLength), "571.8");
    EXPECT_EQ(FormatThreeDecimals(s.HelixAngle), "5.197");
    // Each value is the double result rounded once to float.
    const double k = (256.0 * 79000.0) / (21952.0 * 40.0);
    EXPECT_EQ(s.SpringRate, static_cast<float>(k));
}

TEST(Formulas, ExtensionGeometry) {
    SpringDesign s = SampleDesign();
    EXPECT_EQ(formulas::ExtensionFreeHeight(s), 72.0F); // 2(28 - 4) + 6 * 4
    s.TotalCoils = s.ActiveCoils;
    formulas::StoreDevelopedLength(s, kExtensionSpring);
    EXPECT_EQ(FormatOneDecimal(s.DevelopedLength), "615.8");
    formulas::StoreHelixAngle(s);
    EXPECT_EQ(FormatThreeDecimals(s.HelixAngle), "2.604");
}

TEST(Formulas, PitchIsFreeHeightOverActiveCoilsAtHalfACoilMore) {
    SpringDesign s = SampleDesign();
    s.TotalCoils = 5.5F;
    formulas::StoreCompressionPitch(s);
    EXPECT_EQ(s.Pitch, 44.0F / 5.0F);
}

struct FaultCase {
    const char *name;
    friend void PrintTo(const FaultCase &c, std::ostream *os) { *os << c.name; }
    float wireDiameter;
    float meanDiameter;
    float activeCoils;
    CalculationErrorKind kind;
};

class FormulaFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FormulaFaults, RaiseTheirKind) {
    const FaultCase &c = GetParam();
    SpringDesign s = SampleDesign();
    s.WireDiameter = c.wireDiameter;
    s.MeanDiameter = c.meanDiameter;
    s.ActiveCoils = c.activeCoils;
    try {
        formulas::StoreSpringIndex(s);
        formulas::StoreCurvatureFactor(s);
        formulas::StoreSpringRate(s);
        FAIL() << "no fault raised";
    } catch (const CalculationError &e) {
        EXPECT_EQ(e.kind(), c.kind);
    }
    EXPECT_TRUE(std::isfinite(s.SpringIndex) && std::isfinite(s.CurvatureFactor) &&
                std::isfinite(s.SpringRate));
}

INSTANTIATE_TEST_SUITE_P(
    Table, FormulaFaults,
    ::testing::Values(
        FaultCase{"ZeroWireDiameter", 0.0F, 28.0F, 5.0F, CalculationErrorKind::DivisionByZero},
        FaultCase{"MeanEqualsWire", 4.0F, 4.0F, 5.0F, CalculationErrorKind::DivisionByZero},
        FaultCase{"ZeroMeanDiameter", 4.0F, 0.0F, 5.0F, CalculationErrorKind::DivisionByZero},
        FaultCase{"ZeroActiveCoils", 4.0F, 28.0F, 0.0F, CalculationErrorKind::DivisionByZero},
        FaultCase{"BothDiametersZero", 0.0F, 0.0F, 5.0F, CalculationErrorKind::Overflow},
        FaultCase{"RateTooLargeForFloat", 100.0F, 101.0F, 1e-35F, CalculationErrorKind::Overflow}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Formulas, StoreRefusesWhatAFloatCannotHold) {
    SpringDesign s = SampleDesign();
    s.MeanDiameter = FLT_MAX;
    s.WireDiameter = 1e-10F;
    EXPECT_THROW(formulas::StoreSpringIndex(s), CalculationError);
    EXPECT_EQ(s.SpringIndex, 0.0F);
}

} // namespace
