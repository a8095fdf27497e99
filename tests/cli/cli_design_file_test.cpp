// orsela-cli --design, --save-design, batch --design and search
// --save-designs: a design kept in a file gives the same judgement.
#include "captured_run.h"

#include "../folder_names.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class CliDesignFile : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("orsela_cli_design_" + std::to_string(::getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }
    std::string path(const char *name) const { return (folder_ / name).string(); }
    void write(const char *name, const std::string &text) const {
        std::ofstream(folder_ / name) << text;
    }
    fs::path folder_;
};

TEST_F(CliDesignFile, SavedThenJudgedFromTheFilePrintsTheSameJson) {
    const std::vector<std::string> asked = {"--extension",
                                            "--known-loads",
                                            "--initial-tension=50",
                                            "--working-load1=100",
                                            "--working-load2=200",
                                            "--working-load3=300",
                                            "--check",
                                            "--format=json"};
    std::vector<std::string> saving = asked;
    saving.push_back("--save-design=" + path("a.json"));
    const CliRun first = RunCaptured(saving);
    ASSERT_EQ(first.status, 0) << first.err;
    const CliRun again = RunCaptured({"--design=" + path("a.json"), "--format=json"});
    EXPECT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(again.out, first.out);
}

TEST_F(CliDesignFile, OptionsBesideTheFileOverrideItWhereverTheyStand) {
    write("d.json",
          R"({"format": "orsela-design/1", "wire-diameter": "3.5", "mean-diameter": "25"})");
    const CliRun run =
        RunCaptured({"--wire-diameter=4", "--design=" + path("d.json"), "--format=tsv"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("SpringIndex\t6.250\n"), std::string::npos) << run.out; // 25 / 4
}

TEST_F(CliDesignFile, TheRequestIsSavedWhateverTheOutcomeAndABadFileWritesNothing) {
    const struct {
        std::vector<std::string> args;
        int status;
        const char *says;
        bool saved;
    } cases[] = {
        {{"--working-height3=26"}, 1, "弹簧被压并", true},                  // stopped
        {{"--mean-diameter=4"}, 3, "曲度系数: 弹簧中径等于材料直径", true}, // fault
        {{"--design=" + path("bad.json")}, 2, "设计文件“", false},          // not JSON
        {{"--design=" + path("none.json")}, 2, "文件不存在", false},        // missing
    };
    write("bad.json", "{\"format\": \"orsela-design/1\",");
    for (const auto &c : cases) {
        fs::remove(folder_ / "saved.json");
        std::vector<std::string> args = c.args;
        args.push_back("--save-design=" + path("saved.json"));
        const CliRun run = RunCaptured(args);
        EXPECT_EQ(run.status, c.status) << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        EXPECT_EQ(fs::exists(folder_ / "saved.json"), c.saved) << c.args.front();
    }
}

TEST_F(CliDesignFile, AFailedSaveExitsFourAndKeepsTheOldFile) {
    fs::create_directories(folder_ / "kept.json");
    const CliRun run = RunCaptured({"--save-design=" + path("kept.json")});
    EXPECT_EQ(run.status, 4) << run.err;
    EXPECT_TRUE(fs::is_directory(folder_ / "kept.json"));
    EXPECT_NE(run.out.find("最大切应力"), std::string::npos) << "the design is still printed";
}

TEST_F(CliDesignFile, ABatchTakesTheFileAsTheDefaultsOfEveryRow) {
    write("d.json", R"({"format": "orsela-design/1", "mean-diameter": "25", "check": true})");
    const CliRun run =
        RunCaptured({"batch", "--design=" + path("d.json"), "-"}, "wire-diameter\n4\n3.5\n");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("static-strength.value"), std::string::npos) << "checks from the file";
    EXPECT_NE(run.out.find(",6.250,"), std::string::npos) << run.out; // 25 / 4
    EXPECT_NE(run.out.find(",7.143,"), std::string::npos) << run.out; // 25 / 3.5
    const CliRun bad =
        RunCaptured({"batch", "--design=" + path("none.json"), "-"}, "wire-diameter\n4\n");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.err.find("文件不存在"), std::string::npos) << bad.err;
}

// The file and the options beside it are checked together; each key the
// file still gives is checked on reading, naming the file and the key.
TEST_F(CliDesignFile, FileAndOptionsAreCheckedTogether) {
    const std::string head = R"({"format": "orsela-design/1", )";
    const struct {
        const char *name;
        std::string file;
        std::vector<std::string> options;
        int status;
        const char *says; // in stderr; "" for nothing in particular
    } cases[] = {
        {"BadKeyMendedByAnOption",
         head + R"("wire-diameter": "abc"})",
         {"--wire-diameter=3"},
         0,
         ""},
        {"BadKeyNamedWithTheFile",
         head + R"("wire-diameter": "abc"})",
         {},
         2,
         "d.json”: 键“wire-diameter”: 请输入一个数值!"},
        {"CheckInputNamedWithTheFile",
         head + R"("check": true, "load-cycles": "0.5"})",
         {},
         2,
         "d.json”: 键“load-cycles”: 请输入不小于 1"},
        {"CheckInputMendedByAnOption",
         head + R"("check": true, "load-cycles": "0.5"})",
         {"--load-cycles=1e6"},
         0,
         ""},
        {"OptionRefusedAsAnOption",
         head + R"("wire-diameter": "3"})",
         {"--standard=iso"},
         2,
         "--standard"},
        {"KeyGivenTwice",
         head + R"("wire-diameter": "3", "wire-diameter": "5"})",
         {},
         2,
         "键“wire-diameter”出现了不止一次"},
        {"TextAfterANul",
         head + "\"wire-diameter\": \"3\"}" + std::string(1, '\0') + "x",
         {},
         2,
         "第 1 行第 52 列: 含有空字符"},
        {"LongKeyCut",
         head + "\"" + std::string(900000, 'k') + "\": \"1\"}",
         {},
         2,
         "…(共 900000 个字符)"},
        {"JsonNumbersReadAsTyped",
         head + R"("wire-diameter": 3.5, "load-cycles": 1000000})",
         {"--check"},
         0,
         ""},
        {"NumberForATextKey", head + R"("material": 65})", {}, 2, "键“material”的值应为文本"},
        {"SwitchClearedByAnOption",
         head + R"("check": true, "load-cycles": "1e6"})",
         {"--no-check", "--format=json"},
         0,
         ""},
    };
    for (const auto &c : cases) {
        {
            std::ofstream out(folder_ / "d.json", std::ios::binary);
            out << c.file;
        }
        std::vector<std::string> args = {"--design=" + path("d.json")};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const CliRun run = RunCaptured(args);
        EXPECT_EQ(run.status, c.status) << c.name << run.err;
        EXPECT_NE(run.err.find(c.says), std::string::npos) << c.name << run.err;
        EXPECT_LT(run.err.size(), 2000U) << c.name;
    }
    const CliRun cleared =
        RunCaptured({"--design=" + path("d.json"), "--no-check", "--format=json"}); // the last case
    EXPECT_EQ(nlohmann::json::parse(cleared.out)["checks"].size(), 0U) << cleared.out;
}

std::vector<std::string> SearchSaving(const std::string &folder, const char *top) {
    return {"search",
            "--materials-file=" ORSELA_MATERIALS_JSON,
            "--material=65Mn",
            "--density=7.85",
            "--load1=92.128",
            "--height1=40",
            "--load2=184.257",
            "--height2=36",
            "--wire-diameters=3.5,4,4.5",
            top,
            "--save-designs=" + folder};
}

TEST_F(CliDesignFile, EachSavedSearchDesignCompletesAndMeetsTheLoads) {
    const CliRun search = RunCaptured(SearchSaving(path("found"), "--top=3"));
    ASSERT_EQ(search.status, 0) << search.err;
    EXPECT_EQ(FolderNames(folder_ / "found"),
              "design-001.json design-002.json design-003.json designs.csv");
    for (const char *name : {"design-001.json", "design-002.json", "design-003.json"}) {
        const fs::path file = folder_ / "found" / name;
        const CliRun run = RunCaptured({"--design=" + file.string(), "--format=json"});
        ASSERT_EQ(run.status, 0) << file << run.err;
        const auto values = nlohmann::json::parse(run.out)["values"];
        // Within the search's default tolerance of 2 %.
        EXPECT_NEAR(values["WorkingLoad1"].get<double>(), 92.128, 92.128 * 0.02) << file;
        EXPECT_NEAR(values["WorkingLoad2"].get<double>(), 184.257, 184.257 * 0.02);
    }
    std::ifstream index(folder_ / "found" / "designs.csv");
    std::string header;
    std::string first;
    std::getline(index, header);
    std::getline(index, first);
    EXPECT_EQ(first.rfind("1,design-001.json,1,", 0), 0U) << first;
}

// A folder never mixes two searches: one that holds anything is refused
// before the search; --replace removes our own earlier files only.
TEST_F(CliDesignFile, SavedDesignsNeverMixTwoSearches) {
    ASSERT_EQ(RunCaptured(SearchSaving(path("found"), "--top=3")).status, 0);
    const CliRun again = RunCaptured(SearchSaving(path("found"), "--top=2"));
    EXPECT_EQ(again.status, 2);
    EXPECT_NE(again.err.find("不是空的"), std::string::npos) << again.err;
    EXPECT_EQ(again.out, "") << "refused before the search";

    std::vector<std::string> replace = SearchSaving(path("found"), "--top=2");
    replace.push_back("--replace");
    ASSERT_EQ(RunCaptured(replace).status, 0);
    EXPECT_EQ(FolderNames(folder_ / "found"), "design-001.json design-002.json designs.csv");

    write("found/notes.txt", "the user's own");
    const CliRun foreign = RunCaptured(replace);
    EXPECT_EQ(foreign.status, 2);
    EXPECT_NE(foreign.err.find("notes.txt"), std::string::npos) << foreign.err;
    EXPECT_EQ(FolderNames(folder_ / "found"),
              "design-001.json design-002.json designs.csv notes.txt");
}

} // namespace
