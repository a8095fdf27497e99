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

} // namespace
