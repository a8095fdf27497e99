// What the judged outcome says about the material at the design's wire
// diameter: the Rm table's row taken between rows, and a wire diameter that a
// complete series does not hold. Every front end shows this outcome.
#include "judge_design.h"
#include "request_from_options.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The shipped data with a series known in full: 1, 2, 3 mm and 2.5 mm in the
// second series.
std::string CompleteSeriesFile() {
    std::ifstream in(ORSELA_MATERIALS_JSON, std::ios::binary);
    nlohmann::json data = nlohmann::json::parse(in);
    data["wire_diameter_series"] = {
        {"first", {1, 2, 3}}, {"second", {2.5}}, {"complete", true}, {"source", "test series"}};
    const fs::path path = fs::path(testing::TempDir()) / "orsela_complete_series.json";
    std::ofstream(path, std::ios::binary) << data.dump();
    return path.string();
}

DesignOutcome Judge(const std::string &materialsFile, const std::string &wireDiameter) {
    const std::vector<std::string> arguments = {"--material=EN 10270-1 SM",
                                                "--from-material",
                                                "--check",
                                                "--wire-diameter=" + wireDiameter,
                                                "--mean-diameter=21",
                                                "--materials-file=" + materialsFile};
    return JudgeDesign(RequestFromOptions(arguments));
}

struct OutcomeCase {
    bool completeSeries;
    const char *wireDiameter;
    const char *rowTaken; // "" where d is a row of the table
    bool warnsNonStandard;
};

const OutcomeCase kCases[] = {
    {false, "3.1", "取 3.2 mm 一行", false}, // a partial series cannot tell
    {false, "3", "", false},
    {true, "3.1", "取 3.2 mm 一行", true},
    {true, "2.5", "", false}, // the second series
    {true, "3", "", false},
    {true, "2.2", "取 2.4 mm 一行", true},
};

class MaterialOutcome : public testing::TestWithParam<OutcomeCase> {};

TEST_P(MaterialOutcome, SaysTheRowTakenAndWarnsOfANonStandardDiameter) {
    const OutcomeCase &c = GetParam();
    const DesignOutcome outcome =
        Judge(c.completeSeries ? CompleteSeriesFile() : ORSELA_MATERIALS_JSON, c.wireDiameter);
    ASSERT_EQ(outcome.status, DesignStatus::Completed) << outcome.message;
    const std::string row = c.rowTaken;
    EXPECT_EQ(Says(outcome.materialNotes, "一行"), !row.empty());
    EXPECT_EQ(Says(outcome.checkNotes, "一行"), !row.empty());
    if (!row.empty()) {
        EXPECT_TRUE(Says(outcome.materialNotes, row));
        EXPECT_TRUE(Says(outcome.checkNotes, row));
    }
    const bool warned = std::any_of(outcome.checks.begin(), outcome.checks.end(), [](auto &r) {
        return r.id == "wire-diameter-series" && r.verdict == CheckVerdict::Warning;
    });
    EXPECT_EQ(warned, c.warnsNonStandard) << c.wireDiameter;
}

INSTANTIATE_TEST_SUITE_P(Diameters, MaterialOutcome, testing::ValuesIn(kCases));

} // namespace
