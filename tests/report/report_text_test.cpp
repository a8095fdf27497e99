#include "calculate_spring.h"
#include "report_date.h"
#include "report_test_support.h"
#include "report_text.h"

#include <gtest/gtest.h>

#include <QDate>

#include <string>
#include <vector>

namespace {

std::u32string CodePoints(std::string_view utf8) {
    std::u32string result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0xFFU >> (length + 1));
        for (int k = 1; k < length; ++k) {
            c = (c << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3FU);
        }
        result.push_back(c);
        i += static_cast<std::size_t>(length);
    }
    return result;
}

// 1-based column of the first occurrence of what in line, counted in
// characters (wide = false) or with CJK characters two columns wide.
int ColumnOf(std::string_view line, std::string_view what, bool wide) {
    const std::u32string text = CodePoints(line);
    const std::size_t at = text.find(CodePoints(what));
    if (at == std::u32string::npos) {
        return 0;
    }
    int column = 1;
    for (std::size_t i = 0; i < at; ++i) {
        column += wide && text[i] >= 0x2E80 ? 2 : 1;
    }
    return column;
}

TEST(ReportText, SampleReportEqualsTheListing) {
    EXPECT_EQ(BuildReportText(SampleReportInput()), WithCrLf(kSampleReportListing));
}

TEST(ReportText, SampleValuesAndRightLabelsLineUpInAFixedWidthChineseFont) {
    const auto lines = LinesOf(BuildReportText(SampleReportInput()));
    ASSERT_EQ(lines.size(), 19U);
    const std::vector<std::string> leftValues = {"压缩弹簧", "70-C",  "79000", "4",
                                                 "28",       "5",     "6.5",   "8.000",
                                                 "7.000",    "1.571", "1.213", "23.032"};
    for (int item = 1; item <= 12; ++item) {
        const std::string &line = lines[static_cast<std::size_t>(item + 2)];
        SCOPED_TRACE(line);
        const std::string &value = leftValues[static_cast<std::size_t>(item - 1)];
        EXPECT_EQ(ColumnOf(line, "     " + value, true) + 5, 17) << "left value of item " << item;
        EXPECT_EQ(ColumnOf(line, std::to_string(item + 12) + " ", true), 35);
        EXPECT_EQ(line.back() == ' ', false) << "trailing space";
    }
}

TEST(ReportText, ExtensionReportHasItem25AtColumn35) {
    SpringDesign design = CalculatedSampleDesign();
    design.Pitch = 4;
    design.InitialTension = 50;
    design.WorkingLoad1 = 100;
    design.WorkingLoad2 = 200;
    design.WorkingLoad3 = 300;
    IgnoringListener listener;
    ASSERT_FALSE(CalculateSpring(design, kExtensionSpring, WorkingPointMode::KnownLoads, listener)
                     .stoppedBy.has_value());
    const std::string text =
        BuildReportText({design, kExtensionSpring, "拉伸弹簧", "2005年06月01日"});

    const char *const expected = R"(-----Orsela结果-----2005年06月01日

(一) 弹簧参数和计算结果
 1 弹簧类型     拉伸弹簧          13 自由高度         72.0
 2 弹簧材料     70-C              14 工作高度H1      74.2
 3 切变模量     79000    MPa      15 工作载荷F1      100.000    N
 4 材料直径     4                 16 工作高度H2      78.5
 5 弹簧中径     28                17 工作载荷F2      200.000    N
 6 有效圈数     5                 18 工作高度H3      82.9
 7 总圈数       5                 19 最大工作载荷F3  300.000    N
 8 节距         4.000             20 最大切应力       405.368    MPa
 9 旋绕比       7.000             21 许用切应力       660.000    MPa
10 高径比       0.000             22 压并高度         0.0
11 曲度系数     1.213             23 展开长度         615.8
12 刚度         23.032            24 螺旋角           2.604
                                  25 拉伸弹簧初拉力   50.000    N

(二) 参考资料: 《机械设计手册》(第2版,第3卷) 机械工业出版社 2000

----------结束----------
)";
    EXPECT_EQ(text, WithCrLf(expected));
    const auto lines = LinesOf(text);
    ASSERT_EQ(lines.size(), 20U);
    EXPECT_EQ(ColumnOf(lines[15], "25 拉伸弹簧初拉力", false), 35);
    EXPECT_EQ(ColumnOf(lines[15], "50.000", false), 48);
    EXPECT_EQ(ColumnOf(lines[15], "N", false), 58);
}

TEST(ReportText, Item25FollowsTheTypeSignAndTheTypeWordIsPrintedAsGiven) {
    ReportInput input = SampleReportInput();
    input.design.InitialTension = 50;
    EXPECT_EQ(BuildReportText(input).find("25 "), std::string::npos);
    input.typeSign = kExtensionSpring;
    input.typeName = "拉伸弹簧";
    const std::string text = BuildReportText(input);
    EXPECT_NE(text.find("25 拉伸弹簧初拉力   50.000    N\r\n"), std::string::npos);
    EXPECT_NE(text.find(" 1 弹簧类型     拉伸弹簧 "), std::string::npos);
}

// An over-long value makes the next tab end the line and indent the new one
// to the tab's column; the rest of the row follows there.
struct WrapCase {
    const char *name;
    void (*change)(SpringDesign &);
    std::size_t row;   // index of the row's first line
    const char *lines; // the row as written, "\n" for CR LF
};

const WrapCase kWrapCases[] = {
    {"Material18CharactersFitsExactly", [](SpringDesign &d) { d.Material = "ABCDEFGHIJKLMNOPQR"; },
     4, " 2 弹簧材料     ABCDEFGHIJKLMNOPQR14 工作高度H1      40.0\n"},
    {"Material19CharactersWraps", [](SpringDesign &d) { d.Material = "ABCDEFGHIJKLMNOPQRS"; }, 4,
     " 2 弹簧材料     ABCDEFGHIJKLMNOPQRS\n"
     "                              14 工作高度H1      40.0\n"},
    {"Material18ChineseCharactersCountOneColumnEach",
     [](SpringDesign &d) { d.Material = "碳素弹簧钢丝碳素弹簧钢丝碳素弹簧钢丝"; }, 4,
     " 2 弹簧材料     碳素弹簧钢丝碳素弹簧钢丝碳素弹簧钢丝14 工作高度H1      40.0\n"},
    {"Material19ChineseCharactersWraps",
     [](SpringDesign &d) { d.Material = "碳素弹簧钢丝碳素弹簧钢丝碳素弹簧钢丝甲"; }, 4,
     " 2 弹簧材料     碳素弹簧钢丝碳素弹簧钢丝碳素弹簧钢丝甲\n"
     "                              14 工作高度H1      40.0\n"},
    {"ModulusOf10CharactersFitsExactly", [](SpringDesign &d) { d.ShearModulus = 1234.567F; }, 5,
     " 3 切变模量     1234.567 MPa      15 工作载荷F1      92.128     N\n"},
    // The general number keeps its trailing space; the line then ends.
    {"ModulusOver10CharactersWraps", [](SpringDesign &d) { d.ShearModulus = 12345678; }, 5,
     " 3 切变模量     1.234568E+07 \n"
     "                     MPa      15 工作载荷F1      92.128     N\n"},
    {"NegativeGeneralNumberTakesTheSignPosition", [](SpringDesign &d) { d.WireDiameter = -0.5F; },
     6, " 4 材料直径    -.5                16 工作高度H2      36.0\n"},
    {"LongLoadPushesItsUnitOntoANewLine", [](SpringDesign &d) { d.WorkingLoad1 = 12345678; }, 5,
     " 3 切变模量     79000    MPa      15 工作载荷F1      12345678.000\n"
     "                                                        N\n"},
};

void PrintTo(const WrapCase &c, std::ostream *os) {
    *os << c.name;
}

class ReportWrap : public testing::TestWithParam<WrapCase> {};

TEST_P(ReportWrap, RowIsWrittenAsTheColumnModelSays) {
    ReportInput input = SampleReportInput();
    GetParam().change(input.design);
    const auto lines = LinesOf(BuildReportText(input));
    const auto expectedRow = LinesOf(WithCrLf(GetParam().lines));
    ASSERT_EQ(lines.size(), 19U + expectedRow.size() - 1);
    for (std::size_t i = 0; i < expectedRow.size(); ++i) {
        EXPECT_EQ(lines[GetParam().row + i], expectedRow[i]);
    }
    // The rows after it are unchanged.
    const auto sample = LinesOf(WithCrLf(kSampleReportListing));
    EXPECT_EQ(lines[GetParam().row + expectedRow.size()], sample[GetParam().row + 1]);
}

INSTANTIATE_TEST_SUITE_P(Cases, ReportWrap, testing::ValuesIn(kWrapCases),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ReportText, DecimalSeparatorOfTheLocaleIsUsedForEveryNumber) {
    const std::string text = BuildReportText(SampleReportInput(), ",");
    EXPECT_NE(text.find(" 7 总圈数       6,5               19 最大工作载荷F3  368,513    N\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("6.5"), std::string::npos);
}

TEST(ReportDate, TwoDigitMonthAndDayAfterAFourDigitYear) {
    EXPECT_EQ(ReportDateText(2005, 3, 7), "2005年03月07日");
    EXPECT_EQ(ReportDateText(2005, 12, 31), "2005年12月31日");
    const std::string before = ReportDateText(
        QDate::currentDate().year(), QDate::currentDate().month(), QDate::currentDate().day());
    const std::string today = TodaysReportDate();
    const QDate after = QDate::currentDate();
    EXPECT_TRUE(today == before ||
                today == ReportDateText(after.year(), after.month(), after.day()));
}

} // namespace
