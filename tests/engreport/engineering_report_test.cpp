#include "check_texts.h"
#include "engineering_report.h"
#include "html_text.h"
#include "number_format.h"
#include "report_samples.h"
#include "result_fields.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

struct EscapeCase {
    const char *text;
    const char *want;
};

TEST(EscapeHtmlTest, MarkupBecomesTextAndBrokenBytesBecomeReplacement) {
    const EscapeCase cases[] = {
        {"70-C", "70-C"},
        {"弹簧钢 65Mn", "弹簧钢 65Mn"},
        {"<b>\"A&B\" 'x'</b>", "&lt;b&gt;&quot;A&amp;B&quot; &#39;x&#39;&lt;/b&gt;"},
        {"a\x01z", "a\xEF\xBF\xBDz"},                             // control character
        {"\xC3", "\xEF\xBF\xBD"},                                 // cut-off sequence
        {"\xC0\xAF", "\xEF\xBF\xBD\xEF\xBF\xBD"},                 // overlong "/"
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"}, // surrogate
        {"\xEF\xBF\xBE", "\xEF\xBF\xBD"},                         // U+FFFE
        {"tab\tand\nline", "tab\tand\nline"},
    };
    for (const EscapeCase &c : cases) {
        EXPECT_EQ(EscapeHtml(c.text), c.want) << c.text;
    }
}

struct ReportCase {
    const char *name;
    EngineeringReportInput (*make)();
};

class EngineeringReportTest : public testing::TestWithParam<ReportCase> {};

TEST_P(EngineeringReportTest, HoldsEveryShownValueAndEveryCheck) {
    const EngineeringReportInput input = GetParam().make();
    const std::string html = BuildEngineeringReport(input);
    for (const ResultField &field : ResultFields()) {
        std::string cell = ">" + FormatResult(field, input.design);
        if (*field.unit != '\0') {
            cell += std::string(" ") + field.unit;
        }
        EXPECT_NE(html.find(cell + "<"), std::string::npos) << field.designField;
    }
    EXPECT_NE(html.find(input.date), std::string::npos);
    EXPECT_NE(html.find(std::string("Orsela ") + EngineeringReportProgramVersion()),
              std::string::npos);
    for (const CheckResult &check : *input.checks) {
        const std::string row = "<td>" + CheckTitle(check.id) + "</td><td class=\"n\">" +
                                CheckQuantityText(check.value, check.unit) +
                                "</td><td class=\"n\">" +
                                CheckQuantityText(check.limit, check.unit) +
                                "</td><td class=\"verdict\">" + CheckVerdictText(check.verdict);
        EXPECT_NE(html.find(row), std::string::npos) << check.id;
    }
    // The technical requirements name each working load at its height, the
    // load to 0.1 N as a maker measures it.
    EXPECT_NE(html.find("H3 = " + FormatResult(ResultFields()[3], input.design) +
                        " mm 时，工作载荷 F3 = " + FormatOneDecimal(input.design.WorkingLoad3) +
                        " N"),
              std::string::npos);
}

TEST_P(EngineeringReportTest, RefersToNothingOutsideThePage) {
    EngineeringReportInput input = GetParam().make();
    const std::string html = BuildEngineeringReport(input);
    for (const char *outside :
         {"http:", "https:", "//", "url(", "<script", "<link", "src=", "@import"}) {
        EXPECT_EQ(html.find(outside), std::string::npos) << outside;
    }
}

INSTANTIATE_TEST_SUITE_P(Designs, EngineeringReportTest,
                         testing::Values(ReportCase{"compression", SampleCompressionReport},
                                         ReportCase{"extension", ExtensionExampleReport}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(EngineeringReportTest, MaterialTextCannotAddMarkup) {
    EngineeringReportInput input = SampleCompressionReport();
    input.design.Material = "<script>alert(1)</script><img src=x>";
    const std::string html = BuildEngineeringReport(input);
    EXPECT_EQ(html.find("<script"), std::string::npos);
    EXPECT_EQ(html.find("<img"), std::string::npos);
    EXPECT_NE(html.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
}

TEST(EngineeringReportTest, WithoutChecksOrFatigueThereIsNoSuchSection) {
    EngineeringReportInput input = SampleCompressionReport();
    input.checks.reset();
    input.fatigue.reset();
    const std::string html = BuildEngineeringReport(input);
    EXPECT_EQ(html.find("校核</h2>"), std::string::npos);
    EXPECT_EQ(html.find("疲劳强度图"), std::string::npos);
    EXPECT_NE(html.find("载荷-变形图"), std::string::npos);
    EXPECT_NE(html.find("技术要求"), std::string::npos);
}

TEST(EngineeringReportTest, ShowsTheCheckInputsAndTheDrawingsTitleBlock) {
    EngineeringReportInput input = SampleCompressionReport();
    CheckInputs inputs;
    inputs.loadType = LoadType::DynamicLimited;
    inputs.endCondition = EndCondition::FixedPinned;
    inputs.loadCycles = 1e6;
    inputs.workingFrequency = 12.5;
    inputs.tensileStrength = 1726.546;
    input.checkInputs = inputs;
    input.checkSources = {"Rm min 取自材料表 ASTM A228"};
    input.drawingDetails.title.drawingNumber = "TH-<001>";
    input.drawingDetails.title.designer = "张三";
    input.drawingDetails.precisionGrade = 1;
    const std::string html = BuildEngineeringReport(input);
    for (const char *wanted :
         {"动负荷有限寿命", "一端固定、一端回转", "循环次数 N 1000000", "工作频率 12.5 Hz",
          "Rm 1726.5 MPa", "许用切应力 —", "取自材料表 ASTM A228", "TH-&lt;001&gt;", "张三",
          "GB/T 1239.2 的 1 级精度"}) {
        EXPECT_NE(html.find(wanted), std::string::npos) << wanted;
    }
    input.checkInputs.reset();
    EXPECT_EQ(BuildEngineeringReport(input).find("校核输入"), std::string::npos);
}

// The rows cite by number; the addresses stand only in the list at the end,
// after the sketch and before the title block that closes the page.
TEST(EngineeringReportTest, RowsCiteSourcesByNumberAndTheListHoldsTheAddresses) {
    EngineeringReportInput input = SampleCompressionReport();
    input.checks->front().clause = "许用切应力表（手册 表10-2-6，https://a.example/t）";
    input.checkInputs = CheckInputs{};
    input.materialDataSource = "G：材料表，https://b.example/g；ρ：厂家页面 https://a.example/t";
    const std::string html = BuildEngineeringReport(input);
    const std::size_t list = html.find("、参考资料</h2>");
    ASSERT_NE(list, std::string::npos);
    EXPECT_EQ(html.substr(0, list).find("http"), std::string::npos);
    EXPECT_NE(html.find("材料数据来源 [3, 4]"), std::string::npos);
    EXPECT_NE(html.find("依据: 许用切应力表（手册 表10-2-6）[4]"), std::string::npos);
    EXPECT_NE(html.find("[3]</span> 材料表 <span class=\"address\">https://b.example/g"),
              std::string::npos);
    EXPECT_LT(html.find("弹簧简图 ("), list);
    EXPECT_GT(html.find("class=\"titleblock\""), list);
}

std::string Read(const std::filesystem::path &path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(WriteEngineeringReportTest, WritesTheWholePageAndAFailureKeepsTheOldFile) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("orsela-engreport-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const EngineeringReportInput input = SampleCompressionReport();

    const auto written = folder / "report.html";
    EXPECT_FALSE(WriteEngineeringReport(written.string(), input));
    EXPECT_EQ(Read(written), BuildEngineeringReport(input));

    const auto kept = folder / "kept.html";
    std::ofstream(kept) << "old";
    std::filesystem::permissions(kept, std::filesystem::perms::owner_read);
    const auto failure = WriteEngineeringReport(kept.string(), input);
    ASSERT_TRUE(failure);
    EXPECT_NE(failure->find("只读"), std::string::npos) << *failure;
    EXPECT_NE(failure->find("原有文件未改动"), std::string::npos) << *failure;
    EXPECT_EQ(Read(kept), "old");

    const auto missing = WriteEngineeringReport((folder / "no" / "r.html").string(), input);
    ASSERT_TRUE(missing);
    EXPECT_NE(missing->find("不存在"), std::string::npos) << *missing;
    std::filesystem::remove_all(folder);
}

} // namespace

namespace {

TEST(EngineeringReportTest, DegenerateValuesStillDrawWithoutNanOrInfinity) {
    EngineeringReportInput input = SampleCompressionReport();
    const std::pair<const char *, SpringDesign> designs[] = {
        {"all zero", SpringDesign{}},
        {"huge rate",
         [] {
             SpringDesign d = SampleCompressionReport().design;
             d.SpringRate = 3e38F;
             d.FreeHeight = 1e30F;
             return d;
         }()},
    };
    for (const auto &[name, design] : designs) {
        input.design = design;
        input.fatigue = FatigueDiagram{{NAN, INFINITY}, {{0.0, 0.0}}, 0.0, ""};
        const std::string html = BuildEngineeringReport(input);
        for (const char *bad : {"nan", "inf"}) {
            EXPECT_EQ(html.find(bad), std::string::npos) << name << ": " << bad;
        }
    }
}

} // namespace
