#include "cli_run.h"
#include "display_width.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

namespace {

struct CliCase {
    const char *name;
    friend void PrintTo(const CliCase &c, std::ostream *os) { *os << c.name; }
    std::vector<std::string> args;
    int status;
    const char *stdoutHas; // a line that must appear on stdout ("" for none)
    const char *stderrHas; // a text that must appear on stderr ("" for none)
};

class CliRuns : public ::testing::TestWithParam<CliCase> {};

TEST_P(CliRuns, StatusAndOutput) {
    const CliCase &c = GetParam();
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli(c.args, out, err), c.status) << err.str();
    EXPECT_NE(out.str().find(c.stdoutHas), std::string::npos) << out.str();
    EXPECT_NE(err.str().find(c.stderrHas), std::string::npos) << err.str();
    if (c.status != kExitCompleted) {
        EXPECT_EQ(out.str(), "") << "nothing printed on stdout unless completed";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliRuns,
    ::testing::Values(
        CliCase{"Defaults", {"--format=tsv"}, 0, "MaxShearStress\t497.944\n", ""},
        CliCase{"TextTable", {}, 0, "最大切应力      497.944 MPa\n", ""},
        CliCase{"SeparateValue",
                {"--format", "tsv", "--working-height3", "26.1"},
                0,
                "WorkingHeight3\t26.1\n",
                ""},
        CliCase{"ExtensionKnownLoads",
                {"--extension", "--known-loads", "--initial-tension=50", "--working-load1=100",
                 "--working-load2=200", "--working-load3=300", "--format=tsv"},
                0,
                "WorkingHeight3\t82.9\nWorkingLoad1\t100.000\n",
                ""},
        CliCase{"StressWarningStillCompletes",
                {"--allowable-shear-stress=400", "--format=tsv"},
                0,
                "HelixAngle\t5.197\n",
                "注意!\n最大工作载荷下,弹簧最大切应力大于许用切应力!\n建议调整弹簧参数!\n"},
        CliCase{"StoppedBySolidHeight",
                {"--working-height3=26"},
                1,
                "",
                "最大工作载荷下,弹簧被压并!\n请调整弹簧参数!\n"},
        CliCase{
            "StoppedByTotalCoils", {"--total-coils=6"}, 1, "", "压缩弹簧总圈数不允许过少或过多!"},
        CliCase{"NotANumber", {"--mean-diameter=28mm"}, 2, "", "--mean-diameter: 请输入一个数值!"},
        CliCase{
            "OutOfRange", {"--free-height=-1"}, 2, "", "--free-height: 请输入一个合适的工作高度!"},
        CliCase{"TooLargeForAFloat", {"--shear-modulus=1e39"}, 2, "", "请输入一个合适的切变模量!"},
        CliCase{"ZeroLoadAccepted", {"--known-loads", "--working-load1=0"}, 0, "", ""},
        CliCase{"InitialTensionOnCompression", {"--initial-tension=5"}, 2, "", "--initial-tension"},
        CliCase{"UnknownOption", {"--colour=blue"}, 2, "", "--colour"},
        CliCase{"MissingValue", {"--pitch"}, 2, "", "--pitch"},
        CliCase{"BadFormat", {"--format=xml"}, 2, "", "--format"},
        CliCase{"DivisionByZero",
                {"--mean-diameter=4"},
                3,
                "",
                "曲度系数: 弹簧中径等于材料直径 (除数为零)"},
        // The rate underflows to 0 when stored; F1 - F0 = 0 divided by it is 0/0.
        CliCase{"ZeroByZeroIsAnOverflow",
                {"--known-loads", "--working-load2=1e35", "--mean-diameter=1e38"},
                3,
                "",
                "工作高度: 刚度为零, 被除数也为零, 0/0 无定义 (溢出)"},
        CliCase{"Help", {"--help"}, 0, "--known-loads", ""},
        // --help beside other options: the help, and nothing calculated or refused.
        CliCase{"HelpBesideACompressionTension",
                {"--initial-tension=5", "--help"},
                0,
                "--known-loads",
                ""},
        CliCase{"HelpBesideADesignFault", {"--mean-diameter=4", "--help"}, 0, "--known-loads", ""},
        CliCase{"HelpBeforeABadNumber", {"--help", "--pitch=abc"}, 0, "--known-loads", ""}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// Every numeric option refuses every bad text with the window's message,
// prints nothing on stdout and exits 2.
TEST(CliBadInput, EveryOptionRefusesEveryBadText) {
    const std::string tenThousandDigits(10000, '7');
    const std::vector<std::pair<std::string, bool>> texts = {
        // text, refused by the numeric test (else by the field's own range)
        {"", true},
        {" ", true},
        {"abc", true},
        {"28mm", true},
        {"0x10", true},
        {"inf", true},
        {"nan", true},
        {"1,5", true},
        {".", true},
        {"e5", true},
        {"+-1", true},
        {"\xD9\xA3", true},     // Arabic three
        {"\xEF\xBC\x95", true}, // full-width 5
        {"1e39", false},
        {"-1e39", false},
        {tenThousandDigits, false},
    };
    const std::vector<std::pair<std::string, std::string>> options = {
        {"shear-modulus", "请输入一个合适的切变模量!"},
        {"allowable-shear-stress", "请输入一个合适的许用切应力!"},
        {"active-coils", "请输入一个合适的有效圈数!"},
        {"total-coils", "请输入一个合适的总圈数!"},
        {"mean-diameter", "请输入一个合适的弹簧中径!"},
        {"wire-diameter", "请输入一个合适的材料直径!"},
        {"working-height1", "请输入一个合适的工作高度!"},
        {"working-height2", "请输入一个合适的工作高度!"},
        {"working-height3", "请输入一个合适的工作高度!"},
        {"working-load1", "请输入一个合适的工作载荷!"},
        {"working-load2", "请输入一个合适的工作载荷!"},
        {"working-load3", "请输入一个合适的工作载荷!"},
        {"pitch", "请输入一个合适的节距!"},
        {"initial-tension", "请输入一个合适的拉伸弹簧初拉力!"},
        {"free-height", "请输入一个合适的工作高度!"},
    };
    int refused = 0;
    for (const auto &[option, ownMessage] : options) {
        for (const auto &[text, notNumeric] : texts) {
            std::ostringstream out;
            std::ostringstream err;
            const int status = RunCli({"--extension", "--" + option + "=" + text}, out, err);
            const std::string expected =
                "--" + option + ": " + (notNumeric ? "请输入一个数值!" : ownMessage);
            EXPECT_EQ(status, kExitUsage) << option << " " << text.substr(0, 20);
            EXPECT_NE(err.str().find(expected), std::string::npos)
                << option << " " << text.substr(0, 20) << ": " << err.str().substr(0, 200);
            EXPECT_EQ(out.str(), "");
            refused += status == kExitUsage ? 1 : 0;
        }
    }
    EXPECT_EQ(refused, static_cast<int>(options.size() * texts.size()));
}

TEST(CliBadInput, MaterialWithLineBreaksOrTabsIsRefused) {
    for (const char *material : {"70\nC", "70\rC", "70\tC"}) {
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli({std::string("--material=") + material}, out, err), kExitUsage);
        EXPECT_NE(err.str().find("--material"), std::string::npos);
    }
}

} // namespace

namespace {

// The terminal column where a line's last digit stands.
std::size_t LastDigitColumn(const std::string &line) {
    const std::size_t last = line.find_last_of("0123456789");
    return last == std::string::npos ? 0 : DisplayWidth(line.substr(0, last + 1));
}

// The terminal column where the first `text` of the line ends.
std::size_t ColumnAfter(const std::string &line, const std::string &text) {
    const std::size_t at = line.find(text);
    return at == std::string::npos ? 0 : DisplayWidth(line.substr(0, at + text.size()));
}

// Text outputs a designer scans: the numbers of a column end in one terminal
// column, though the captions mix Chinese (two columns a character) and
// Latin letters.
TEST(CliTextColumns, NumbersLineUpByDisplayWidth) {
    struct Case {
        const char *name;
        std::vector<std::string> args;
        std::size_t firstRow; // lines before the rows compared
        std::size_t rows;
        std::function<std::size_t(const std::string &)> column;
    } cases[] = {
        {"design: the values", {}, 0, 17, LastDigitColumn},
        {"materials: the G column",
         {"materials"},
         0,
         8,
         [](const std::string &line) {
             return std::max(ColumnAfter(line, "G (MPa)"), ColumnAfter(line, "79000"));
         }},
        {"search: the mass column",
         {"search", "--material=65Mn", "--wire-diameters=4", "--load1=92.128", "--height1=40",
          "--load2=184.257", "--height2=36", "--top=3"},
         1,
         3,
         LastDigitColumn},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::ostringstream out, err;
        ASSERT_EQ(RunCli(c.args, out, err), 0) << err.str();
        std::istringstream lines(out.str());
        std::string line;
        std::vector<std::size_t> columns;
        for (std::size_t i = 0; std::getline(lines, line) && columns.size() < c.rows; ++i) {
            if (i >= c.firstRow) {
                columns.push_back(c.column(line));
            }
        }
        ASSERT_EQ(columns.size(), c.rows) << out.str();
        for (std::size_t column : columns) {
            EXPECT_EQ(column, columns.front()) << out.str();
        }
    }
}

} // namespace
