#include "design_file.h"
#include "design_options.h"
#include "judge_design.h"
#include "outcome_json.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// A request with every kind of value the file holds set away from its default.
DesignRequest EverythingSet() {
    DesignRequest r;
    r.material = "65Mn 弹簧钢";
    r.extension = true;
    r.knownLoads = true;
    r.numericTexts[NumericFieldIndex("InitialTension")] = "50";
    r.numericGiven[NumericFieldIndex("InitialTension")] = true;
    r.numericTexts[NumericFieldIndex("WorkingLoad3")] = "300.0";
    r.numericGiven[NumericFieldIndex("WorkingLoad3")] = true;
    r.numericTexts[NumericFieldIndex("WireDiameter")] = " 4.50 "; // kept as typed
    r.numericGiven[NumericFieldIndex("WireDiameter")] = true;
    r.materials.fromMaterial = true;
    r.materials.loadType = LoadType::DynamicUnlimited;
    r.materials.materialsFile = "my materials.json";
    r.checks.check = true;
    r.checks.strict = true;
    r.checks.endCondition = "fixed-free";
    r.checks.standard = "en";
    r.checks.loadCycles = "1e6";
    r.checks.density = "7.85";
    return r;
}

TEST(DesignFile, WrittenAndReadBackIsTheSameRequest) {
    for (const DesignRequest &request : {DesignRequest(), EverythingSet()}) {
        const DesignFileRead read = ReadDesignText(DesignFileText(request), "a.json");
        ASSERT_TRUE(read.request) << read.error;
        EXPECT_TRUE(*read.request == request) << DesignFileText(*read.request);
    }
}

TEST(DesignFile, KeysAbsentKeepTheBaseAndGivenOnesOverrideIt) {
    const DesignRequest base = EverythingSet();
    const DesignFileRead read = ReadDesignText(
        R"({"format": "orsela-design/1", "check": false, "material": "60Si2MnA"})", "a.json", base);
    ASSERT_TRUE(read.request) << read.error;
    DesignRequest want = base;
    want.checks.check = false;
    want.material = "60Si2MnA";
    EXPECT_TRUE(*read.request == want);
}

TEST(DesignFile, AFileJudgesAsTheWindowWouldWithItsTexts) {
    const DesignFileRead read = ReadDesignText(
        R"({"format": "orsela-design/1", "working-height3": "29.5", "free-height": "44"})",
        "a.json");
    ASSERT_TRUE(read.request) << read.error;
    const DesignOutcome outcome = JudgeDesign(*read.request);
    ASSERT_EQ(outcome.status, DesignStatus::Completed);
    EXPECT_EQ(OutcomeJson(outcome)["results"]["WorkingHeight3"], "29.5");
}

struct Refusal {
    const char *name;
    friend void PrintTo(const Refusal &c, std::ostream *os) { *os << c.name; }
    const char *text;
    const char *says;
};

class RefusedFiles : public ::testing::TestWithParam<Refusal> {};

TEST_P(RefusedFiles, NameTheFileAndTheCause) {
    const DesignFileRead read = ReadDesignText(GetParam().text, "d.json");
    ASSERT_FALSE(read.request);
    EXPECT_NE(read.error.find("设计文件“d.json”"), std::string::npos) << read.error;
    EXPECT_NE(read.error.find(GetParam().says), std::string::npos) << read.error;
}

INSTANTIATE_TEST_SUITE_P(
    Table, RefusedFiles,
    ::testing::Values(
        Refusal{"NotJson", "{\n  \"format\": \"orsela-design/1\",\n  \"material\": 70-C\n}",
                "第 3 行第 18 列: 不是有效的 JSON"},
        Refusal{"Empty", "", "第 1 行第 1 列: 不是有效的 JSON"},
        Refusal{"HugeNumber", R"({"format": "orsela-design/1", "x": 1e400})", "数值超出范围"},
        Refusal{"NotAnObject", R"(["orsela-design/1"])", "应为一个 JSON 对象"},
        Refusal{"NoFormat", R"({"wire-diameter": "4"})", "缺少 \"format\""},
        Refusal{"OtherFormat", R"({"format": "orsela-materials/1"})",
                "格式为“orsela-materials/1”, 应为“orsela-design/1”"},
        Refusal{"NoVersionZero", R"({"format": "orsela-design/0"})", "应为“orsela-design/1”"},
        Refusal{"NewerVersion", R"({"format": "orsela-design/2", "wire-diameter": "4"})",
                "由较新版本的程序写成 (格式 orsela-design/2)"},
        Refusal{"MisspeltKey", R"({"format": "orsela-design/1", "wire-diametr": "4"})",
                "未知的键“wire-diametr” (是不是“wire-diameter”?)"},
        Refusal{"UnknownKey", R"({"format": "orsela-design/1", "colour": "red"})",
                "未知的键“colour”"},
        Refusal{"ListNotText", R"({"format": "orsela-design/1", "wire-diameter": [4]})",
                "键“wire-diameter”的值应为文本或数值"},
        Refusal{"NumberForAText", R"({"format": "orsela-design/1", "material": 4})",
                "键“material”的值应为文本"},
        Refusal{"SwitchNotBoolean", R"({"format": "orsela-design/1", "extension": "1"})",
                "键“extension”的值应为 true 或 false"},
        Refusal{"FieldCheck", R"({"format": "orsela-design/1", "mean-diameter": "28mm"})",
                "键“mean-diameter”: 请输入一个数值!"},
        Refusal{"FieldOutOfRange", R"({"format": "orsela-design/1", "active-coils": "1e39"})",
                "键“active-coils”: "},
        Refusal{"BadChoice", R"({"format": "orsela-design/1", "load-type": "heavy"})",
                "键“load-type”: 只能是 static"}));

TEST(DesignFile, OnlyARegularFileOfADesignFilesSizeIsRead) {
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orsela_design_file_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const auto big = folder / "big.json";
    std::ofstream(big) << std::string(2U << 20, ' ');
    const struct {
        std::string path;
        const char *says;
    } cases[] = {
        {folder.string(), "不是普通文件"},
        {(folder / "none.json").string(), "文件不存在"},
        {big.string(), "文件太大"},
        {"/dev/zero", "不是普通文件"},
    };
    for (const auto &c : cases) {
        const DesignFileRead read = ReadDesignFile(c.path);
        EXPECT_FALSE(read.request) << c.path;
        EXPECT_NE(read.error.find(c.says), std::string::npos) << read.error;
    }
    std::filesystem::remove_all(folder);
}

} // namespace
