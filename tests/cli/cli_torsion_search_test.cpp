#include "cli_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

CliRun RunArgs(const std::vector<std::string> &args) {
    std::istringstream in;
    std::ostringstream out, err;
    CliRun run;
    run.status = RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

std::string Number(double value) {
    std::ostringstream text;
    text.precision(4);
    text << value;
    return text.str();
}

// A search drawn at random: a torque at an angle (sometimes two), a few
// wires, sometimes legs, an arbor, a maximum OD and body length, unwinding.
std::vector<std::string> RandomSearch(std::mt19937 &random) {
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const auto pick = [&](double low, double high) { return low + (high - low) * unit(random); };
    const double torque = pick(100.0, 3000.0);
    const double angle = pick(30.0, 240.0);
    std::vector<std::string> args = {"search",
                                     "--torsion",
                                     "--format=json",
                                     "--top=4",
                                     "--tolerance=5",
                                     "--material=EN 10270-1 SM",
                                     "--materials-file=" ORSELA_MATERIALS_JSON,
                                     "--working-torque2=" + Number(torque),
                                     "--working-angle2=" + Number(angle)};
    const double d = pick(1.0, 3.0);
    args.push_back("--wire-diameters=" + Number(d) + "," + Number(d * 1.25));
    if (unit(random) < 0.4) {
        args.push_back("--working-torque1=" + Number(torque * 0.4));
        args.push_back("--working-angle1=" + Number(angle * 0.4));
    }
    if (unit(random) < 0.5) {
        args.push_back("--leg-length1=" + Number(pick(0.0, 40.0)));
    }
    if (unit(random) < 0.4) {
        args.push_back("--arbor-diameter=" + Number(d * pick(2.0, 6.0)));
    }
    if (unit(random) < 0.4) {
        args.push_back("--max-outer-diameter=" + Number(d * pick(8.0, 16.0)));
    }
    if (unit(random) < 0.3) {
        args.push_back("--max-body-length=" + Number(d * pick(5.0, 20.0)));
    }
    if (unit(random) < 0.3) {
        args.push_back("--load-direction=unwind");
    }
    return args;
}

// Every design a seeded search lists is what its reproducing command gives:
// the same JSON object, verdicts included; none exceeds the envelope, none
// fails a check, each has the rate asked for within the tolerance.
TEST(TorsionSearch, ListedDesignsAreTheirCommandsDesigns) {
    std::mt19937 random(32);
    std::size_t listed = 0;
    for (int i = 0; i < 12; ++i) {
        const std::vector<std::string> args = RandomSearch(random);
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun search = RunArgs(args);
        ASSERT_TRUE(search.status == 0 || search.status == 1) << search.err;
        const auto json = nlohmann::ordered_json::parse(search.out);
        EXPECT_EQ(search.status == 0, !json["designs"].empty());
        for (const auto &design : json["designs"]) {
            ++listed;
            std::vector<std::string> single = design["arguments"];
            single.push_back("--format=json");
            const CliRun again = RunArgs(single);
            EXPECT_EQ(again.status, 0) << again.err;
            EXPECT_EQ(nlohmann::ordered_json::parse(again.out), design["design"]);
            for (const auto &check : design["design"]["checks"]) {
                EXPECT_NE(check["verdict"], "fail") << check["id"];
            }
            EXPECT_LE(std::abs(design["rate_deviation_percent"].get<double>()), 5.0);
            for (const std::string limit : {"--max-outer-diameter=", "--max-body-length="}) {
                for (const std::string &arg : args) {
                    if (arg.starts_with(limit)) {
                        const char *key =
                            limit == "--max-outer-diameter=" ? "OuterDiameter" : "LoadedBodyLength";
                        EXPECT_LE(design["design"]["values"][key].get<double>(),
                                  std::stod(arg.substr(limit.size())) + 1e-3);
                    }
                }
            }
        }
    }
    EXPECT_GT(listed, 10U) << "the seeded searches list designs";
}

struct Refusal {
    const char *name;
    std::vector<std::string> more;
    std::string named; // on stderr
};

class TorsionSearchRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(TorsionSearchRefusal, NamesTheOption) {
    std::vector<std::string> args = {"search", "--torsion", "--material=EN 10270-1 SM",
                                     "--materials-file=" ORSELA_MATERIALS_JSON};
    args.insert(args.end(), GetParam().more.begin(), GetParam().more.end());
    const CliRun run = RunArgs(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find(GetParam().named), std::string::npos) << run.err;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TorsionSearchRefusal,
    testing::Values(
        Refusal{"NoTorque", {"--working-angle2=90"}, "--working-torque2"},
        Refusal{"CompressionOption",
                {"--working-torque2=500", "--working-angle2=90", "--height1=40"},
                "--height1"},
        Refusal{"FirstAboveSecond",
                {"--working-torque2=500", "--working-angle2=90", "--working-torque1=600",
                 "--working-angle1=30"},
                "--working-torque1"},
        Refusal{"FirstWithoutAngle",
                {"--working-torque2=500", "--working-angle2=90", "--working-torque1=100"},
                "--working-angle1"},
        Refusal{"SolidHeight",
                {"--working-torque2=500", "--working-angle2=90", "--minimize=solid-height"},
                "--minimize"},
        Refusal{"BadDirection",
                {"--working-torque2=500", "--working-angle2=90", "--load-direction=left"},
                "--load-direction"},
        Refusal{"SavingDesigns",
                {"--working-torque2=500", "--working-angle2=90", "--save-designs=x"},
                "--save-designs"}),
    [](const testing::TestParamInfo<Refusal> &info) { return info.param.name; });

// The other kinds' search refuses a torsion option rather than ignore it.
TEST(TorsionSearch, CompressionSearchRefusesTorsionOptions) {
    const CliRun run = RunArgs({"search", "--load1=100", "--height1=40", "--load2=200",
                                "--height2=30", "--material=65Mn", "--arbor-diameter=10"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--arbor-diameter"), std::string::npos) << run.err;
}

} // namespace
