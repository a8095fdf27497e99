#include "number_format.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>

namespace {

struct FormatCase {
    float value;
    const char *oneDecimal;
    const char *threeDecimals;
    friend void PrintTo(const FormatCase &c, std::ostream *os) { *os << c.threeDecimals; }
};

class Patterns : public ::testing::TestWithParam<FormatCase> {};

TEST_P(Patterns, RoundTheShortestFormHalfAwayFromZero) {
    const FormatCase &c = GetParam();
    EXPECT_EQ(FormatOneDecimal(c.value), c.oneDecimal) << c.value;
    EXPECT_EQ(FormatThreeDecimals(c.value), c.threeDecimals) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Patterns,
    ::testing::Values(FormatCase{44.0F, "44.0", "44.000"}, FormatCase{0.04F, "0.0", "0.040"},
                      FormatCase{7.0F, "7.0", "7.000"}, FormatCase{2.5F, "2.5", "2.500"},
                      FormatCase{660.0F, "660.0", "660.000"}, FormatCase{0.0F, "0.0", "0.000"},
                      FormatCase{92.128F, "92.1", "92.128"},
                      // 0.05 and 2.25 lie exactly halfway in their shortest form
                      FormatCase{0.05F, "0.1", "0.050"}, FormatCase{2.25F, "2.3", "2.250"},
                      FormatCase{0.0005F, "0.0", "0.001"}, FormatCase{9.9996F, "10.0", "10.000"},
                      FormatCase{99.95F, "100.0", "99.950"}, FormatCase{-1.25F, "-1.3", "-1.250"},
                      FormatCase{-0.04F, "0.0", "-0.040"}, FormatCase{-0.0004F, "0.0", "0.000"},
                      FormatCase{1e10F, "10000000000.0", "10000000000.000"},
                      FormatCase{123456.7F, "123456.7", "123456.700"},
                      FormatCase{1e-30F, "0.0", "0.000"}));

TEST(Patterns, LargestFloatHasEveryIntegerDigit) {
    EXPECT_EQ(FormatOneDecimal(FLT_MAX), "340282350000000000000000000000000000000.0");
    EXPECT_EQ(FormatOneDecimal(-FLT_MAX), "-340282350000000000000000000000000000000.0");
}

TEST(Patterns, UseTheGivenDecimalSeparator) {
    EXPECT_EQ(FormatOneDecimal(571.8F, ","), "571,8");
    EXPECT_EQ(FormatThreeDecimals(-0.5F, ","), "-0,500");
    EXPECT_EQ(FormatGeneral(6.5F, ","), "6,5");
    EXPECT_EQ(FormatGeneralForReport(0.5F, ","), " ,5 ");
}

struct GeneralCase {
    float value;
    const char *general;
    const char *report;
    friend void PrintTo(const GeneralCase &c, std::ostream *os) { *os << c.general; }
};

class General : public ::testing::TestWithParam<GeneralCase> {};

TEST_P(General, SevenSignificantDigitsWithoutTrailingZeros) {
    const GeneralCase &c = GetParam();
    EXPECT_EQ(FormatGeneral(c.value), c.general) << c.value;
    EXPECT_EQ(FormatGeneralForReport(c.value), c.report) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    Table, General,
    ::testing::Values(GeneralCase{5.0F, "5", " 5 "}, GeneralCase{6.5F, "6.5", " 6.5 "},
                      GeneralCase{0.5F, "0.5", " .5 "}, GeneralCase{79000.0F, "79000", " 79000 "},
                      GeneralCase{0.0F, "0", " 0 "}, GeneralCase{-2.5F, "-2.5", "-2.5 "},
                      GeneralCase{-0.25F, "-0.25", "-.25 "}, GeneralCase{0.05F, "0.05", " .05 "},
                      GeneralCase{3.14159265F, "3.141593", " 3.141593 "},
                      GeneralCase{1234567.9F, "1234568", " 1234568 "},
                      GeneralCase{9999999.0F, "9999999", " 9999999 "},
                      GeneralCase{99999992.0F, "9.999999E+07", " 9.999999E+07 "},
                      GeneralCase{99999999.0F, "1E+08", " 1E+08 "},
                      GeneralCase{12345678.0F, "1.234568E+07", " 1.234568E+07 "},
                      GeneralCase{0.0001F, "0.0001", " .0001 "},
                      GeneralCase{0.00001F, "0.00001", " .00001 "},
                      GeneralCase{0.000001F, "1E-06", " 1E-06 "},
                      GeneralCase{FLT_MAX, "3.402823E+38", " 3.402823E+38 "}));

// Hard cases of every form, as the formats gave them before the move to {fmt}:
// halfway values in the shortest form (patterns: away from zero) and in the
// exact value (general: to even), the range ends and the exponent boundaries.
struct AllFormsCase {
    float value;
    const char *oneDecimal;
    const char *threeDecimals;
    const char *general;
    const char *report;
    friend void PrintTo(const AllFormsCase &c, std::ostream *os) { *os << c.general; }
};

class AllForms : public ::testing::TestWithParam<AllFormsCase> {};

TEST_P(AllForms, KeepTheirTextOnEveryBuild) {
    const AllFormsCase &c = GetParam();
    EXPECT_EQ(FormatOneDecimal(c.value), c.oneDecimal);
    EXPECT_EQ(FormatThreeDecimals(c.value), c.threeDecimals);
    EXPECT_EQ(FormatGeneral(c.value), c.general);
    EXPECT_EQ(FormatGeneralForReport(c.value), c.report);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, AllForms,
    ::testing::Values(
        AllFormsCase{0x1.333334p-3F, "0.2", "0.150", "0.15", " .15 "},          // 0.150000006
        AllFormsCase{0x1.ccccccp-2F, "0.5", "0.450", "0.45", " .45 "},          // 0.449999988
        AllFormsCase{0x1.26e978p-8F, "0.0", "0.005", "0.0045", " .0045 "},      // 0.00449999981
        AllFormsCase{0x1.566666p+1F, "2.7", "2.675", "2.675", " 2.675 "},       // 2.67499995
        AllFormsCase{0x1.3ffbe8p+3F, "10.0", "10.000", "9.9995", " 9.9995 "},   // 9.99950027
        AllFormsCase{-0x1.0624dep-11F, "0.0", "-0.001", "-0.0005", "-.0005 "},  // -0.000500000024
        AllFormsCase{0x1.062386p-11F, "0.0", "0.000", "0.00049999", " .00049999 "},
        AllFormsCase{0x1.2d6888p+20F, "1234568.5", "1234568.500", "1234568", " 1234568 "},
        AllFormsCase{0x1.e2404p+16F, "123456.3", "123456.250", "123456.2", " 123456.2 "},
        AllFormsCase{0x1.e240cp+16F, "123456.8", "123456.750", "123456.8", " 123456.8 "},
        AllFormsCase{0x1.81c9p+13F, "12345.1", "12345.125", "12345.12", " 12345.12 "},
        AllFormsCase{0x1.fffffep+22F, "8388607.5", "8388607.500", "8388608", " 8388608 "},
        AllFormsCase{0x1.78c296p+23F, "12345675.0", "12345675.000", "1.234568E+07", " 1.234568E+07 "},
        AllFormsCase{0x1.312dp+23F, "10000000.0", "10000000.000", "1E+07", " 1E+07 "},
        AllFormsCase{0x1p+24F, "16777216.0", "16777216.000", "1.677722E+07", " 1.677722E+07 "},
        AllFormsCase{0x1.043562p+68F, "300000000000000000000.0", "300000000000000000000.000", "3E+20", " 3E+20 "},
        AllFormsCase{-0x1.fffffap+127F, "-340282300000000000000000000000000000000.0",
                     "-340282300000000000000000000000000000000.000", "-3.402823E+38", "-3.402823E+38 "},
        AllFormsCase{0x1.4f8b58p-17F, "0.0", "0.000", "0.00001", " .00001 "},  // 9.99999975e-06
        AllFormsCase{0x1.4f8a7cp-17F, "0.0", "0.000", "9.9999E-06", " 9.9999E-06 "},
        AllFormsCase{0x1.92a738p-20F, "0.0", "0.000", "1.5E-06", " 1.5E-06 "},
        AllFormsCase{0x1p-126F, "0.0", "0.000", "1.175494E-38", " 1.175494E-38 "},
        AllFormsCase{-0x1.b38fb8p-127F, "0.0", "0.000", "-9.999999E-39", "-9.999999E-39 "},
        AllFormsCase{0x1p-149F, "0.0", "0.000", "1.401298E-45", " 1.401298E-45 "},
        AllFormsCase{0x1.555556p-1F, "0.7", "0.667", "0.6666667", " .6666667 "}));
// clang-format on

} // namespace
