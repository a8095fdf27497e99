#include "cli_run.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

// d 2, D 16, n 6 wound up to 90°: T' = 206000·2⁴/(3667·16·6) = 9.363 N·mm/°.
const std::vector<std::string> kSpring = {"--torsion",           "--wire-diameter=2",
                                          "--mean-diameter=16",  "--active-coils=6",
                                          "--working-angle3=90", "--elastic-modulus=206000"};

std::vector<std::string> Spring(std::vector<std::string> more) {
    std::vector<std::string> args = kSpring;
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

struct TorsionRun {
    const char *name;
    std::vector<std::string> args;
    int status;
    std::vector<std::string> shown; // each in stdout
    std::vector<std::string> said;  // each on stderr
};

class CliTorsion : public testing::TestWithParam<TorsionRun> {};

TEST_P(CliTorsion, StatusAndLines) {
    const TorsionRun &c = GetParam();
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(c.args, out, err), c.status) << err.str();
    for (const std::string &line : c.shown) {
        EXPECT_NE(out.str().find(line), std::string::npos) << line << "\n" << out.str();
    }
    for (const std::string &line : c.said) {
        EXPECT_NE(err.str().find(line), std::string::npos) << line << "\n" << err.str();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliTorsion,
    testing::Values(
        TorsionRun{"Text", kSpring, 0, {"9.363 N·mm/°", "有效圈数 n + (l1 + l2)/(3πD)"}, {}},
        TorsionRun{"TorquesGiven",
                   {"--torsion", "--wire-diameter=2", "--mean-diameter=16", "--active-coils=6",
                    "--known-torques", "--working-torque3=842.6", "--elastic-modulus=206000",
                    "--format=tsv"},
                   0,
                   {"WorkingAngle3\t89.99"},
                   {}},
        TorsionRun{"Json", Spring({"--format=json"}), 0, {"\"kind\": \"torsion\""}, {}},
        TorsionRun{"Overstressed",
                   {"--torsion", "--wire-diameter=2", "--mean-diameter=16", "--active-coils=6",
                    "--check", "--strict", "--material=EN 10270-1 SM", "--format=tsv",
                    "--materials-file=" ORSELA_MATERIALS_JSON, "--known-torques",
                    "--working-torque3=5000"},
                   5,
                   {"Check.torsion-bending\t7048.291\t1320.000\tfail"},
                   {}},
        TorsionRun{"EnNotJudged",
                   Spring({"--check", "--standard=en", "--format=tsv"}),
                   0,
                   {"not-judged"},
                   {}},
        TorsionRun{"OtherKindOption", Spring({"--free-height=40"}), 2, {}, {"--free-height"}},
        TorsionRun{"TorsionOptionAlone", {"--leg-length1=10"}, 2, {}, {"--leg-length1"}},
        TorsionRun{
            "AnglesDescending", Spring({"--working-angle1=120"}), 2, {}, {"--working-angle3"}},
        TorsionRun{"TorqueWithoutKnownTorques",
                   Spring({"--working-torque2=10"}),
                   2,
                   {},
                   {"--working-torque2"}},
        TorsionRun{"GbkReportRefused", Spring({"--report=x.txt"}), 2, {}, {"--report"}},
        TorsionRun{"DrawingUnwritable",
                   Spring({"--drawing=/nonexistent-folder/x.svg"}),
                   4,
                   {"9.363 N·mm/°"},
                   {"无法保存图样"}},
        TorsionRun{"ReportUnwritable",
                   Spring({"--html-report=/nonexistent-folder/x.html"}),
                   4,
                   {},
                   {"/nonexistent-folder/x.html"}},
        TorsionRun{"NoModulus",
                   {"--torsion", "--material=不存在", "--working-angle3=90"},
                   2,
                   {},
                   {"--elastic-modulus"}}),
    [](const testing::TestParamInfo<TorsionRun> &info) { return info.param.name; });

// A saved torsion design reads back as the same design.
TEST(CliTorsionFile, SavedDesignJudgesAlike) {
    const std::filesystem::path file =
        std::filesystem::path(testing::TempDir()) / "torsion-round-trip.json";
    std::ostringstream first, second, err;
    ASSERT_EQ(RunCli(Spring({"--leg-length1=20", "--load-direction=unwind", "--coil-spacing=0.3",
                             "--arbor-diameter=12", "--check", "--save-design=" + file.string()}),
                     first, err),
              0)
        << err.str();
    ASSERT_EQ(RunCli({"--design=" + file.string(), "--check"}, second, err), 0) << err.str();
    EXPECT_EQ(first.str(), second.str());
    std::filesystem::remove(file);
}

// A torsion row of a design table is judged as a torsion spring, never as a
// compression spring: its results are the torsion spring's.
TEST(CliTorsionFile, DesignTableJudgesTorsionRows) {
    std::istringstream table("torsion,wire-diameter,mean-diameter,active-coils,working-angle3,"
                             "elastic-modulus\n1,2,16,6,90,206000\n");
    std::ostringstream out, err;
    EXPECT_EQ(RunCli({"batch", "--format=json"}, table, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("\"kind\":\"torsion\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"AngularRate\":\"9.363\""), std::string::npos) << out.str();
}

} // namespace
