#include "cli_run.h"
#include "command_line.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct ParseCase {
    const char *name;
    friend void PrintTo(const ParseCase &c, std::ostream *os) { *os << c.name; }
    std::vector<std::string> args;
    int status;
    const char *stderrHas;
};

class CliParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(CliParsing, StatusAndMessage) {
    const ParseCase &c = GetParam();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli(c.args, out, err), c.status) << err.str();
    EXPECT_NE(err.str().find(c.stderrHas), std::string::npos) << err.str();
    EXPECT_EQ(err.str().find('\x1b'), std::string::npos) << "no raw control character echoed";
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliParsing,
    ::testing::Values(
        ParseCase{"OptionNameIsNoValue", {"--material", "--extension"}, 2, "--material 缺少数值"},
        ParseCase{"NumberBeforeOption", {"--pitch", "--free-height=45"}, 2, "--pitch 缺少数值"},
        ParseCase{"SwitchTakesNoValue", {"--extension=1"}, 2, "--extension 不带数值"},
        ParseCase{"UnknownOptionEscaped", {"--col\x1b[31m"}, 2, "未知选项: --col\\x1B[31m"},
        ParseCase{"StrayArgumentEscaped", {"abc\n"}, 2, "无法识别的参数: abc\\n"},
        ParseCase{"ShortOptionIsStray", {"-x"}, 2, "无法识别的参数: -x"},
        ParseCase{"NegativeSeparateValueReachesTheFieldCheck",
                  {"--pitch", "-1"},
                  2,
                  "--pitch: 请输入一个合适的节距!"},
        ParseCase{"EqualsFormTakesAnyText", {"--material=--x"}, 0, ""},
        ParseCase{"LastOfARepeatedOptionCounts", {"--free-height=39", "--free-height=44"}, 0, ""},
        ParseCase{"FormatJsonKnown", {"--format=json"}, 0, ""},
        ParseCase{
            "BadFormatEscaped", {"--format=x\ty"}, 2, "--format 只能是 text、tsv 或 json: x\\ty"},
        ParseCase{"TitleBlockOneFieldEachTime",
                  {"--title-block", "图号=X", "设计=Y"},
                  2,
                  "无法识别的参数: 设计=Y"},
        ParseCase{"TitleBlockUnknownKeyEscaped",
                  {"--title-block=页\x1b=3"},
                  2,
                  "--title-block: 未知的项"},
        ParseCase{"PrecisionGradeOneToThree", {"--precision-grade=4"}, 2, "精度等级只能是"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(EscapedArgument, ControlsEscapedAndLongTextCutOnACharacter) {
    const struct {
        std::string argument;
        std::string shown;
    } cases[] = {
        {"70-C 弹簧", "70-C 弹簧"},
        {"a\tb\r\n", "a\\tb\\r\\n"},
        {"\x01\x7f", "\\x01\\x7F"},
        {"\xC2\x9B"
         "2J",
         "\\u009B2J"},
        {std::string(100, 'a'), std::string(60, 'a') + "…"},
        // 3-byte characters: 20 fit in 60 bytes, the 21st is not cut in half.
        {[] {
             std::string s;
             for (int i = 0; i < 30; ++i) {
                 s += "簧";
             }
             return s;
         }(),
         [] {
             std::string s;
             for (int i = 0; i < 20; ++i) {
                 s += "簧";
             }
             return s + "…";
         }()},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(EscapedArgument(c.argument), c.shown);
    }
}

} // namespace
