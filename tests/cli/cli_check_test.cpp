#include "cli_run.h"
#include "display_width.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>
#include <string>
#include <vector>

namespace {

struct CheckRun {
    const char *name;
    std::vector<std::string> args;
    int status;
    std::vector<std::string> shown;     // each must be in stdout
    std::vector<std::string> absent;    // none may be
    std::vector<std::string> said = {}; // each must be on stderr
};

const std::vector<std::string> kSampleExtension = {"--extension",          "--known-loads",
                                                   "--initial-tension=50", "--working-load1=100",
                                                   "--working-load2=200",  "--working-load3=300"};

std::vector<std::string> Extension(std::vector<std::string> more) {
    std::vector<std::string> args = kSampleExtension;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

class CliChecks : public testing::TestWithParam<CheckRun> {};

TEST_P(CliChecks, StatusAndLines) {
    const CheckRun &c = GetParam();
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(c.args, out, err), c.status) << err.str();
    for (const std::string &line : c.shown) {
        EXPECT_NE(out.str().find(line), std::string::npos) << line << "\n" << out.str();
    }
    for (const std::string &line : c.absent) {
        EXPECT_EQ(out.str().find(line), std::string::npos) << line;
    }
    for (const std::string &line : c.said) {
        EXPECT_NE(err.str().find(line), std::string::npos) << line << "\n" << err.str();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliChecks,
    testing::Values(
        // columns by display width: a Chinese character takes two
        CheckRun{"TextSection",
                 {"--check"},
                 0,
                 {"总圈数              6.5\n\n校核\n",
                  "稳定性 (高径比)            1.571  限值         5.300  信息"},
                 {}},
        CheckRun{"TsvWithoutMaterialData",
                 {"--check", "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t660.000\tok\n",
                  "Check.buckling\t1.571\t5.300\tinfo\n",
                  "Check.buckling-deflection\t16.000\t\tok\n",
                  "Check.coil-clearance\t2.000\t3.470\twarning\n"},
                 {}},
        // The reproductions of the designer's complaints, each now judged.
        CheckRun{"DesignersAllowableJudgesAnUnknownStandard",
                 {"--check", "--material=70-C", "--allowable-shear-stress=660", "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t660.000\tok\n"},
                 {"--"},
                 {"--tensile-strength=MPa"}},
        CheckRun{"DesignersAllowableAboveTheTableIsAWarning",
                 {"--check", "--material=65Mn", "--format=tsv"},
                 0,
                 {"Check.allowable-stress\t660.000\t570.000\twarning\n"},
                 {}},
        // 60Si2MnA once judged static strength or fatigue, never both
        CheckRun{
            "AlloyGradeWithRmJudgesStrengthAndFatigue",
            {"--check", "--material=60Si2MnA", "--tensile-strength=1600", "--load-cycles=1e5",
             "--format=tsv"},
            0,
            {"Check.static-strength\t497.944\t590.000\tok\n", "Check.fatigue\t1.312\t1.300\tok\n"},
            {}},
        CheckRun{"GivenRmKeepsTheStaticCheck",
                 {"--check", "--material=65Mn", "--tensile-strength=1000", "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t500.000\tok\n"},
                 {}},
        // 0.5 Rm of 1530 MPa against the uncorrected stress 8FD/(pi d^3) = 410.6 MPa; the
        // designer's [tau] 660 against the calculated 497.9 MPa is nearer its limit and governs
        CheckRun{"EnJudgesStaticStrength",
                 {"--check", "--material=EN 10270-1 SM", "--standard=en", "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t660.000\tok\n"},
                 {}},
        // 10^6 cycles: limited life, 0.38 Rm = 581.4 MPa
        CheckRun{"CyclesChooseTheLoadType",
                 {"--check", "--material=EN 10270-1 SM", "--load-cycles=1e6", "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t581.400\tok\n"},
                 {}},
        CheckRun{"LooserGivenLoadTypeSaysSo",
                 {"--check", "--material=EN 10270-1 SM", "--load-cycles=1e6", "--load-type=static"},
                 0,
                 {"限值   581.400 MPa  合格", "宽松, 已按后者判定"},
                 {}},
        // The reproductions of issue-filed verdicts, each now decided conservatively.
        CheckRun{"StricterTypedAllowableGoverns",
                 {"--check", "--strict", "--material=65Mn", "--allowable-shear-stress=450",
                  "--format=tsv"},
                 5,
                 {"Check.static-strength\t497.944\t450.000\tfail\n"},
                 {}},
        CheckRun{"EnWithoutRmHoldsTheCalculatedStress",
                 {"--check", "--standard=en", "--allowable-shear-stress=480", "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t480.000\tfail\n"},
                 {}},
        CheckRun{"EnFatigueNotJudgedFailsUnderStrict",
                 {"--check", "--strict", "--material=EN 10270-1 SM", "--standard=en",
                  "--load-cycles=1e7", "--format=tsv"},
                 5,
                 {"Check.fatigue\t\t\tnot-judged\n"},
                 {}},
        CheckRun{
            "FewerThanAThousandCyclesAreStatic",
            {"--check", "--strict", "--load-cycles=999", "--tensile-strength=1370", "--format=tsv"},
            0,
            {"Check.fatigue\t\t\tnot-applicable\n", "Check.coil-clearance\t2.000\t3.470\t"},
            {}},
        CheckRun{
            "GivenRmBelowTheTableChangesTheVerdict",
            {"--check", "--strict", "--material=65Mn", "--tensile-strength=980", "--format=tsv"},
            5,
            {"Check.static-strength\t497.944\t490.000\tfail\n"},
            {}},
        CheckRun{"LooserLoadTypeYieldsToTheCycles",
                 {"--check", "--material=EN 10270-1 SM", "--load-cycles=1e6", "--load-type=static",
                  "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t581.400\tok\n"},
                 {}},
        CheckRun{"BeyondTheTableJudgedAtItsLastRow",
                 {"--check", "--load-cycles=1e9", "--tensile-strength=1680"},
                 0,
                 {"按 10⁸ 次判定"},
                 {}},
        CheckRun{"BronzeOnTheDefaultShearModulus",
                 {"--check", "--material=QSi3-1", "--format=tsv"},
                 0,
                 {"Check.shear-modulus\t79000.000\t40000.000\twarning\n"},
                 {}},
        CheckRun{"CalculationErrorNamesQuantityAndCause",
                 {"--mean-diameter=4"},
                 3,
                 {},
                 {},
                 {"曲度系数: 弹簧中径等于材料直径"}},
        CheckRun{"ClosingNoteNamesWhatTheGivenRmMadeApplicable",
                 {"--check", "--material=70-C", "--tensile-strength=1570", "--load-cycles=1e6"},
                 0,
                 {"给出的抗拉强度 Rm 使以下校核得以判定: "
                  "许用切应力取值、压并应力、工作变形范围、疲劳强度"},
                 {}},
        CheckRun{"KnownGradeGivesThePermissibleStress",
                 {"--check", "--material=65Mn", "--format=tsv"},
                 0,
                 {"Check.static-strength\t497.944\t570.000\tok\n"},
                 {}},
        // G 79000 (GB/T 1239.6) and rho 7.85 (the carbon spring wire family) from the data:
        // f = 3560 d/(n D^2) sqrt(G/rho) = 364.4 Hz, m = rho pi d^2/4 L = 56.4 g.
        CheckRun{"KnownGradeGivesMassAndFrequency",
                 {"--check", "--material=65Mn", "--format=tsv"},
                 0,
                 {"Check.natural-frequency\t364.420\t\tinfo\n", "Check.mass\t56.403\t\tinfo\n"},
                 {}},
        // The certificate's Rm completes what the data of 70-C (C级) leaves open.
        CheckRun{"CertificateRmGivesEveryCheckAVerdict",
                 {"--material=70-C", "--tensile-strength=1570", "--load-cycles=1e6", "--check",
                  "--format=tsv"},
                 0,
                 {"Check.fatigue\t1.228\t1.300\twarning\n"},
                 {"\t\t\tnot-applicable"}},
        CheckRun{"CyclicDutyWidensTheClearance",
                 {"--check", "--format=tsv", "--load-cycles=1e6", "--tensile-strength=1680"},
                 0,
                 {"Check.coil-clearance\t2.000\t5.205\twarning\n", "\tok\n"},
                 {}},
        CheckRun{
            "FailedHookWithoutStrict",
            Extension({"--check", "--material=65Mn", "--tensile-strength=1000", "--format=tsv"}),
            0,
            {"Check.hook-bending\t771.901\t750.000\tfail\n"},
            {}},
        CheckRun{"FailedHookWithStrict",
                 Extension({"--check", "--strict", "--material=65Mn", "--tensile-strength=1000"}),
                 5,
                 {"钩环弯曲应力      771.901 MPa  限值   750.000 MPa  不合格"},
                 {}},
        CheckRun{"StoppedDesignPrintsNoChecks",
                 {"--check", "--strict", "--format=tsv", "--working-height3=26"},
                 1,
                 {},
                 {"Check."}},
        CheckRun{"RefusedCheckNumber", {"--check", "--load-cycles=many"}, 2, {}, {"校核"}},
        CheckRun{"RefusedEndCondition", {"--check", "--end-condition=free"}, 2, {}, {}},
        CheckRun{
            "NoChecksWithoutTheOption", {"--load-cycles=1e6", "--format=tsv"}, 0, {}, {"Check."}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CliChecksJson, ChecksArrayWithEveryField) {
    std::ostringstream out, err;
    ASSERT_EQ(RunCli({"--check", "--format=json", "--load-cycles=1e6", "--tensile-strength=1680",
                      "--density=7.85", "--working-frequency=18.3"},
                     out, err),
              0)
        << err.str();
    const auto json = nlohmann::json::parse(out.str());
    const auto &checks = json.at("checks");
    ASSERT_EQ(checks.size(), 15U);
    for (const auto &check : checks) {
        for (const char *key : {"id", "value", "unit", "limit", "verdict", "clause", "message"}) {
            EXPECT_TRUE(check.contains(key)) << key;
        }
    }
    EXPECT_EQ(checks[7].at("id"), "natural-frequency");
    EXPECT_EQ(checks[7].at("unit"), "Hz");
    EXPECT_EQ(checks[7].at("verdict"), "warning");
    EXPECT_EQ(checks[8].at("id"), "fatigue");
    EXPECT_EQ(checks[8].at("verdict"), "ok");
    EXPECT_EQ(checks[3].at("id"), "buckling-deflection");
    EXPECT_TRUE(checks[3].at("limit").is_null()); // a spring that cannot buckle
}

TEST(DisplayWidth, ChineseTakesTwoColumns) {
    const struct {
        const char *text;
        std::size_t width;
    } cases[] = {{"", 0}, {"MPa", 3}, {"静强度", 6}, {"稳定性 (高径比)", 15}, {"２", 2}, {"·", 1}};
    for (const auto &c : cases) {
        EXPECT_EQ(DisplayWidth(c.text), c.width) << c.text;
    }
    EXPECT_EQ(PadRight("质量", 6), "质量  ");
    EXPECT_EQ(PadLeft("5.3", 5), "  5.3");
    EXPECT_EQ(PadLeft("变形能力", 3), "变形能力");
}

} // namespace
