#include "cli_run.h"

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
    std::vector<std::string> shown;  // each must be in stdout
    std::vector<std::string> absent; // none may be
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
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliChecks,
    testing::Values(
        CheckRun{"TextSection",
                 {"--check"},
                 0,
                 {"总圈数  6.5\n\n校核\n", "稳定性  —  限值 16.000 mm  合格"},
                 {}},
        CheckRun{"TsvWithoutMaterialData",
                 {"--check", "--format=tsv"},
                 0,
                 {"Check.static-strength\t\t\tnot-applicable\n", "Check.buckling\t\t16.000\tok\n",
                  "Check.coil-clearance\t2.000\t3.470\twarning\n"},
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
                 {"Check.natural-frequency\t364.420\t\tok\n", "Check.mass\t56.403\t\tok\n"},
                 {}},
        // The certificate's Rm completes what the data of 70-C (C级) leaves open.
        CheckRun{"CertificateRmGivesEveryCheckAVerdict",
                 {"--material=70-C", "--tensile-strength=1570", "--load-cycles=1e6", "--check",
                  "--format=tsv"},
                 0,
                 {"Check.fatigue\t1.228\t1.300\twarning\n"},
                 {"not-applicable"}},
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
                 {"钩环弯曲应力  771.901 MPa  限值 750.000 MPa  不合格"},
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
    ASSERT_EQ(checks.size(), 9U);
    for (const auto &check : checks) {
        for (const char *key : {"id", "value", "unit", "limit", "verdict", "clause", "message"}) {
            EXPECT_TRUE(check.contains(key)) << key;
        }
    }
    EXPECT_EQ(checks[3].at("id"), "natural-frequency");
    EXPECT_EQ(checks[3].at("unit"), "Hz");
    EXPECT_EQ(checks[3].at("verdict"), "warning");
    EXPECT_EQ(checks[4].at("id"), "fatigue");
    EXPECT_EQ(checks[4].at("verdict"), "ok");
    EXPECT_TRUE(checks[1].at("value").is_null()); // a spring that cannot buckle
}

} // namespace
