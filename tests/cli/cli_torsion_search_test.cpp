#include "../folder_names.h"
#include "captured_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

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
                                     "--working-torque2=" + FourDigits(torque),
                                     "--working-angle2=" + FourDigits(angle)};
    const double d = pick(1.0, 3.0);
    args.push_back("--wire-diameters=" + FourDigits(d) + "," + FourDigits(d * 1.25));
    if (unit(random) < 0.4) {
        args.push_back("--working-torque1=" + FourDigits(torque * 0.4));
        args.push_back("--working-angle1=" + FourDigits(angle * 0.4));
    }
    if (unit(random) < 0.5) {
        args.push_back("--leg-length1=" + FourDigits(pick(0.0, 40.0)));
    }
    if (unit(random) < 0.4) {
        args.push_back("--arbor-diameter=" + FourDigits(d * pick(2.0, 6.0)));
    }
    if (unit(random) < 0.4) {
        args.push_back("--max-outer-diameter=" + FourDigits(d * pick(8.0, 16.0)));
    }
    if (unit(random) < 0.3) {
        args.push_back("--max-body-length=" + FourDigits(d * pick(5.0, 20.0)));
    }
    if (unit(random) < 0.3) {
        args.push_back("--load-direction=unwind");
    }
    return args;
}

// Every design a seeded search lists is what its reproducing command gives:
// the same JSON object, verdicts included; none exceeds the envelope, none
// fails a check, each has the rate asked for within the tolerance.
// Fewer searches under the sanitizers, whose build runs them far slower; the
// same seed, so they are the first three of the twelve.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kSearches = 3;
#else
constexpr int kSearches = 12;
#endif

TEST(TorsionSearch, ListedDesignsAreTheirCommandsDesigns) {
    std::mt19937 random(32);
    std::size_t listed = 0;
    for (int i = 0; i < kSearches; ++i) {
        const std::vector<std::string> args = RandomSearch(random);
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun search = RunCaptured(args);
        ASSERT_TRUE(search.status == 0 || search.status == 1) << search.err;
        const auto json = nlohmann::ordered_json::parse(search.out);
        EXPECT_EQ(search.status == 0, !json["designs"].empty());
        for (const auto &design : json["designs"]) {
            ++listed;
            std::vector<std::string> single = design["arguments"];
            single.push_back("--format=json");
            const CliRun again = RunCaptured(single);
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
    EXPECT_GT(listed, static_cast<std::size_t>(kSearches * 5 / 6))
        << "the seeded searches list designs";
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
    const CliRun run = RunCaptured(args);
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
        Refusal{"SavingDesignsIntoAFile",
                {"--working-torque2=500", "--working-angle2=90",
                 "--save-designs=" ORSELA_MATERIALS_JSON},
                "--save-designs"}),
    [](const testing::TestParamInfo<Refusal> &info) { return info.param.name; });

// The other kinds' search refuses a torsion option rather than ignore it.
TEST(TorsionSearch, CompressionSearchRefusesTorsionOptions) {
    const CliRun run = RunCaptured({"search", "--load1=100", "--height1=40", "--load2=200",
                                    "--height2=30", "--material=65Mn", "--arbor-diameter=10"});
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--arbor-diameter"), std::string::npos) << run.err;
}

// 800 N·mm at 90° on 2 mm wire: designs qualify; within an outer diameter
// of 9 mm and a body of 12 mm none does.
std::vector<std::string> SmallSearch(bool tight, const std::string &format) {
    std::vector<std::string> args = {"search",
                                     "--torsion",
                                     "--material=EN 10270-1 SM",
                                     "--materials-file=" ORSELA_MATERIALS_JSON,
                                     "--wire-diameters=1.6,2",
                                     "--working-torque2=800",
                                     "--working-angle2=90",
                                     "--top=3",
                                     "--format=" + format};
    if (tight) {
        args.insert(args.end(), {"--max-outer-diameter=9", "--max-body-length=12"});
    }
    return args;
}

std::string FileText(const fs::path &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// None qualifies: the nearest misses in every format, each with its reasons.
TEST(TorsionSearch, NearestMissesInEveryFormat) {
    const CliRun json = RunCaptured(SmallSearch(true, "json"));
    EXPECT_EQ(json.status, 1) << json.err;
    const auto parsed = nlohmann::ordered_json::parse(json.out);
    EXPECT_TRUE(parsed["designs"].empty());
    ASSERT_EQ(parsed["nearest_misses"].size(), 3U);
    for (const auto &miss : parsed["nearest_misses"]) {
        EXPECT_FALSE(miss["reasons"].empty()) << miss["command"];
    }
    const CliRun text = RunCaptured(SmallSearch(true, "text"));
    EXPECT_EQ(text.status, 1);
    EXPECT_EQ(text.out.rfind("没有合格的设计。最接近的设计:\n", 0), 0U) << text.out;
    EXPECT_NE(text.out.find("\n   未合格: "), std::string::npos) << text.out;
    const CliRun tsv = RunCaptured(SmallSearch(true, "tsv"));
    EXPECT_EQ(tsv.status, 1);
    EXPECT_NE(tsv.out.find("\n3\tmiss\t"), std::string::npos) << tsv.out;
    const CliRun found = RunCaptured(SmallSearch(false, "json"));
    EXPECT_EQ(found.status, 0);
    EXPECT_TRUE(nlohmann::ordered_json::parse(found.out)["nearest_misses"].empty());
}

class TorsionSearchSaving : public testing::Test {
  protected:
    void SetUp() override {
        folder_ =
            fs::temp_directory_path() / ("orsela_torsion_saving_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    fs::path folder_;
};

// Each listed design, qualified or nearest miss, is saved as its own command
// saves it with --save-design, byte for byte; the index says which qualified.
TEST_F(TorsionSearchSaving, EachFileIsWhatItsCommandSaves) {
    for (const bool tight : {false, true}) {
        const fs::path found = folder_ / (tight ? "misses" : "found");
        std::vector<std::string> args = SmallSearch(tight, "json");
        args.push_back("--save-designs=" + found.string());
        const CliRun search = RunCaptured(args);
        ASSERT_EQ(search.status, tight ? 1 : 0) << search.err;
        EXPECT_EQ(FolderNames(found),
                  "design-001.json design-002.json design-003.json designs.csv");
        const auto json = nlohmann::ordered_json::parse(search.out);
        const auto &listed = json[tight ? "nearest_misses" : "designs"];
        for (std::size_t i = 0; i < listed.size(); ++i) {
            std::vector<std::string> single = listed[i]["arguments"];
            const fs::path own = folder_ / "own.json";
            single.push_back("--save-design=" + own.string());
            RunCaptured(single);
            const std::string name = "design-00" + std::to_string(i + 1) + ".json";
            EXPECT_EQ(FileText(found / name), FileText(own)) << name;
        }
        std::ifstream index(found / "designs.csv");
        std::string header;
        std::string first;
        std::getline(index, header);
        std::getline(index, first);
        EXPECT_EQ(first.rfind(tight ? "1,design-001.json,0," : "1,design-001.json,1,", 0), 0U)
            << first;
    }
}

// A folder that holds anything is refused before the search runs.
TEST_F(TorsionSearchSaving, AFullFolderIsRefusedBeforeTheSearch) {
    std::ofstream(folder_ / "notes.txt") << "the user's own";
    std::vector<std::string> args = SmallSearch(false, "text");
    args.push_back("--save-designs=" + folder_.string());
    const CliRun run = RunCaptured(args);
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("不是空的"), std::string::npos) << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(FolderNames(folder_), "notes.txt");
}

} // namespace
