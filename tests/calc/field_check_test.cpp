#include "field_check.h"
#include "number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

const NumericField &Field(const char *textBox) {
    const NumericField *f = FindNumericFieldByTextBox(textBox);
    EXPECT_NE(f, nullptr) << textBox;
    return *f;
}

TEST(FieldTable, FifteenFieldsWithTheirRulesAndMessages) {
    ASSERT_EQ(NumericFields().size(), 15U);
    const std::set<std::string> zeroAccepted = {"Text10", "Text11", "Text12", "Text24"};
    for (const auto &f : NumericFields()) {
        EXPECT_EQ(f.rule == RangeRule::RefuseBelowZero, zeroAccepted.count(f.textBox) == 1)
            << f.textBox;
        EXPECT_EQ(std::string(f.rangeMessage).back(), '!');
    }
    EXPECT_STREQ(Field("Text13").rangeMessage, "请输入一个合适的工作高度!");
    EXPECT_STREQ(Field("Text24").rangeMessage, "请输入一个合适的拉伸弹簧初拉力!");
    EXPECT_STREQ(Field("Text19").rangeMessage, "请输入一个合适的总圈数!");
    EXPECT_EQ(FindNumericFieldByTextBox("Text1"), nullptr);
    EXPECT_EQ(FindNumericFieldByDesignField("Pitch"), &Field("Text18"));
}

struct TextCase {
    const char *text;
    NumericTextStatus status;
    float value;
    friend void PrintTo(const TextCase &c, std::ostream *os) { *os << '"' << c.text << '"'; }
};

class NumericTexts : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumericTexts, TestAndConversionAgree) {
    const TextCase &c = GetParam();
    const NumericText parsed = ParseNumericText(c.text);
    EXPECT_EQ(parsed.status, c.status) << '"' << c.text << '"';
    if (c.status == NumericTextStatus::Ok) {
        EXPECT_EQ(parsed.value, c.value) << '"' << c.text << '"';
    }
}

constexpr auto kOk = NumericTextStatus::Ok;
constexpr auto kNot = NumericTextStatus::NotNumeric;
constexpr auto kLarge = NumericTextStatus::TooLarge;

INSTANTIATE_TEST_SUITE_P(
    Table, NumericTexts,
    ::testing::Values(
        TextCase{"28", kOk, 28.0F}, TextCase{"6.5", kOk, 6.5F}, TextCase{"-1", kOk, -1.0F},
        TextCase{"+2", kOk, 2.0F}, TextCase{"1e3", kOk, 1000.0F}, TextCase{"1E+3", kOk, 1000.0F},
        TextCase{"2.5e-1", kOk, 0.25F}, TextCase{".5", kOk, 0.5F}, TextCase{"5.", kOk, 5.0F},
        TextCase{" 44 ", kOk, 44.0F}, TextCase{"0.001", kOk, 0.001F},
        TextCase{"100000", kOk, 100000.0F}, TextCase{"1e-50", kOk, 0.0F},
        TextCase{"-0", kOk, -0.0F}, TextCase{"3.4e38", kOk, 3.4e38F},
        TextCase{"0.1", kOk, 0.1F}, // rounded once from the decimal, not via double
        TextCase{"", kNot, 0}, TextCase{" ", kNot, 0}, TextCase{"abc", kNot, 0},
        TextCase{"28mm", kNot, 0}, TextCase{"0x10", kNot, 0}, TextCase{"inf", kNot, 0},
        TextCase{"nan", kNot, 0}, TextCase{"1,5", kNot, 0}, TextCase{".", kNot, 0},
        TextCase{"e5", kNot, 0}, TextCase{"+-1", kNot, 0}, TextCase{"1e", kNot, 0},
        TextCase{"1e+", kNot, 0}, TextCase{"1.2.3", kNot, 0}, TextCase{"1 000", kNot, 0},
        TextCase{"\xEF\xBC\x95", kNot, 0}, // full-width digit five
        // the ends of the float range: rounded to the nearest float, the
        // largest and the smallest included
        TextCase{"3.4028235e38", kOk, 0x1.fffffep+127F}, TextCase{"3.40282357e38", kLarge, 0},
        TextCase{"1e-40", kOk, 0x1.16c2p-133F}, TextCase{"7.1e-46", kOk, 0x1p-149F},
        TextCase{"7e-46", kOk, 0.0F}, TextCase{"1e39", kLarge, 0}, TextCase{"-1e39", kLarge, 0},
        TextCase{"1e999999999999999999999", kLarge, 0}));

TEST(NumericTexts, VeryLongNumbers) {
    EXPECT_EQ(ParseNumericText(std::string(10000, '9')).status, kLarge);
    EXPECT_EQ(ParseNumericText("0." + std::string(10000, '0') + "1").value, 0.0F);
    const NumericText one = ParseNumericText(std::string(10000, '0') + "1");
    EXPECT_EQ(one.status, kOk);
    EXPECT_EQ(one.value, 1.0F);
}

TEST(NumericTexts, LocaleSeparatorIsAcceptedBesideThePoint) {
    EXPECT_EQ(ParseNumericText("1,5", ",").value, 1.5F);
    EXPECT_EQ(ParseNumericText("6.5", ",").value, 6.5F);
    EXPECT_EQ(ParseNumericText("1,5.5", ",").status, kNot);
    EXPECT_EQ(ParseNumericText("2\xD9\xAB"
                               "5",
                               "\xD9\xAB")
                  .value,
              2.5F); // Arabic separator
}

TEST(NumericTexts, EveryShownResultReadsBack) {
    for (float v : {0.0F, 0.5F, 6.5F, 92.128F, 368.513F, 1e7F, 1.234568e7F, 3e38F, 1e-6F}) {
        for (const std::string &text : {FormatGeneral(v), FormatThreeDecimals(v)}) {
            const NumericText parsed = ParseNumericText(text);
            ASSERT_EQ(parsed.status, kOk) << text;
            EXPECT_NEAR(parsed.value, v, std::fabs(v) * 1e-6 + 0.0005) << text;
        }
    }
}

struct VerdictCase {
    const char *text;
    FieldVerdict zeroRefused;  // e.g. Text5, the mean diameter
    FieldVerdict zeroAccepted; // e.g. Text12, a working load
    friend void PrintTo(const VerdictCase &c, std::ostream *os) { *os << '"' << c.text << '"'; }
};

class FieldVerdicts : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(FieldVerdicts, ZeroRefusedAndZeroAcceptedGroups) {
    const VerdictCase &c = GetParam();
    const FieldCheck mean = CheckFieldText(Field("Text5"), c.text);
    const FieldCheck load = CheckFieldText(Field("Text12"), c.text);
    EXPECT_EQ(mean.verdict, c.zeroRefused) << c.text;
    EXPECT_EQ(load.verdict, c.zeroAccepted) << c.text;
    auto expectedMessage = [](FieldVerdict v, const char *own) {
        return v == FieldVerdict::Accepted     ? std::string()
               : v == FieldVerdict::NotNumeric ? std::string(kNotNumericMessage)
                                               : std::string(own);
    };
    EXPECT_EQ(mean.message, expectedMessage(c.zeroRefused, "请输入一个合适的弹簧中径!"));
    EXPECT_EQ(load.message, expectedMessage(c.zeroAccepted, "请输入一个合适的工作载荷!"));
}

constexpr auto kAccepted = FieldVerdict::Accepted;
constexpr auto kNotNumeric = FieldVerdict::NotNumeric;
constexpr auto kOutOfRange = FieldVerdict::OutOfRange;

INSTANTIATE_TEST_SUITE_P(Table, FieldVerdicts,
                         ::testing::Values(VerdictCase{"", kNotNumeric, kNotNumeric},
                                           VerdictCase{"abc", kNotNumeric, kNotNumeric},
                                           VerdictCase{"28mm", kNotNumeric, kNotNumeric},
                                           VerdictCase{"0", kOutOfRange, kAccepted},
                                           VerdictCase{"-0", kOutOfRange, kAccepted},
                                           VerdictCase{"1e-50", kOutOfRange, kAccepted},
                                           VerdictCase{"-1", kOutOfRange, kOutOfRange},
                                           VerdictCase{"1e3", kAccepted, kAccepted},
                                           VerdictCase{"0.001", kAccepted, kAccepted},
                                           VerdictCase{"100000", kAccepted, kAccepted},
                                           VerdictCase{"1e39", kOutOfRange, kOutOfRange}));

} // namespace
