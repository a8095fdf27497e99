#include "cli_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <sstream>

namespace {

struct JsonCase {
    const char *name;
    friend void PrintTo(const JsonCase &c, std::ostream *os) { *os << c.name; }
    std::vector<std::string> args;
    int status;
    const char *jsonStatus;
};

class CliJson : public ::testing::TestWithParam<JsonCase> {};

// Every outcome prints one object; the exit status is the text format's.
TEST_P(CliJson, OneObjectWithTheStatus) {
    const JsonCase &c = GetParam();
    std::vector<std::string> args = c.args;
    args.push_back("--format=json");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunCli(args, out, err), c.status) << err.str();
    const auto json = nlohmann::ordered_json::parse(out.str());
    EXPECT_EQ(json["status"], c.jsonStatus);
    EXPECT_TRUE(json["checks"].is_array() && json["checks"].empty());
    EXPECT_TRUE(json["inputs_from_material"].is_object());
    const bool completed = std::string(c.jsonStatus) == "completed";
    EXPECT_EQ(json["results"].size(), completed ? 17U : 0U);
    EXPECT_EQ(json["message"].get<std::string>().empty(), completed);

    // The texts are the tsv's; the numbers round to them (one decimal at most 0.05 away).
    std::ostringstream tsv;
    std::ostringstream ignored;
    args.back() = "--format=tsv";
    RunCli(args, tsv, ignored);
    std::string fromJson;
    for (const auto &[field, text] : json["results"].items()) {
        fromJson += field + "\t" + text.get<std::string>() + "\n";
        EXPECT_NEAR(json["values"][field].get<double>(), std::stod(text.get<std::string>()), 0.05)
            << field;
    }
    EXPECT_EQ(fromJson, tsv.str());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CliJson,
    ::testing::Values(JsonCase{"Sample", {}, 0, "completed"},
                      JsonCase{"StressWarning", {"--allowable-shear-stress=400"}, 0, "completed"},
                      JsonCase{"ExtensionKnownLoads",
                               {"--extension", "--known-loads", "--initial-tension=50",
                                "--working-load1=100", "--working-load2=200",
                                "--working-load3=300"},
                               0,
                               "completed"},
                      JsonCase{"Stopped", {"--free-height=39"}, 1, "stopped"},
                      JsonCase{"Refused", {"--pitch=abc"}, 2, "refused"},
                      JsonCase{"Fault", {"--mean-diameter=4"}, 3, "fault"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(CliJson, StressWarningIsListed) {
    std::ostringstream out;
    std::ostringstream err;
    RunCli({"--allowable-shear-stress=400", "--format=json"}, out, err);
    const auto json = nlohmann::ordered_json::parse(out.str());
    ASSERT_EQ(json["warnings"].size(), 1U);
    EXPECT_EQ(json["warnings"][0],
              "注意!\n最大工作载荷下,弹簧最大切应力大于许用切应力!\n建议调整弹簧参数!");
}

} // namespace
