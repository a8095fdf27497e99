// The materials subcommand and --from-material, run as a user would type them.
#include "cli_run.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

namespace {

struct MaterialsRun {
    const char *name;
    friend void PrintTo(const MaterialsRun &c, std::ostream *os) { *os << c.name; }
    std::vector<std::string> args;
    int status;
    std::vector<std::string> out; // each must be on stdout
    std::vector<std::string> err; // each must be on stderr
};

class CliMaterials : public testing::TestWithParam<MaterialsRun> {};

TEST_P(CliMaterials, StatusAndLines) {
    const MaterialsRun &c = GetParam();
    std::ostringstream out, err;
    EXPECT_EQ(RunCli(c.args, out, err), c.status) << err.str();
    // Columns are padded to their widest cell: compared at two spaces apart.
    const std::string shown = std::regex_replace(out.str(), std::regex(" {2,}"), "  ");
    for (const std::string &text : c.out) {
        EXPECT_NE(shown.find(text), std::string::npos) << text << "\n" << out.str();
    }
    for (const std::string &text : c.err) {
        EXPECT_NE(err.str().find(text), std::string::npos) << text << "\n" << err.str();
    }
}

// 65Mn: the grade's own [tau] of the cold-coiled table (570/455/340, extension 380);
// EN 10270-1 SM at 4 mm: Rm 1530-1730 MPa, static 0.5 Rm = 765 MPa.
INSTANTIATE_TEST_SUITE_P(
    Table, CliMaterials,
    testing::Values(
        MaterialsRun{"List", {"materials"}, 0, {"\n65Mn  ", "\nASTM A228  "}, {}},
        MaterialsRun{"ListTsv",
                     {"materials", "--format=tsv"},
                     0,
                     {"name\tstandard\tshear_modulus", "\nEN 10270-1 SM\tEN 10270-1\t81500\t206000"
                                                       "\t7.85\t0.3\t20\tmaker-sheet\tmaker-sheet"
                                                       "\tmaker-sheet\tmaker-sheet\n"},
                     {}},
        // Each figure with its kind of source: GB/T 1239.6 table, Wei Jiang's handbook.
        MaterialsRun{"GradeTextMarks",
                     {"materials", "65Mn"},
                     0,
                     {"切变模量 G  79000 MPa（标准表）\n", "弹性模量 E  206000 MPa（手册）\n"},
                     {}},
        MaterialsRun{"GradeText",
                     {"materials", "65 mn", "--wire-diameter=4"},
                     0,
                     {"许用切应力（压缩弹簧）  静负荷 570 MPa，动负荷有限寿命 455 MPa，"
                      "动负荷无限寿命 340 MPa\n"},
                     {}},
        MaterialsRun{
            "GradeTsv",
            {"materials", "EN 10270-1 SM", "--wire-diameter", "4", "--format=tsv"},
            0,
            {"\nrm_min\t1530\nrm_max\t1730\nrm_row_diameter\t4\npermissible_static\t765\n"},
            {}},
        MaterialsRun{
            "UnknownGrade", {"materials", "65Mm"}, 2, {}, {"没有牌号“65Mm”，最接近的有：65Mn"}},
        MaterialsRun{"DiameterWithoutGrade", {"materials", "--wire-diameter=4"}, 2, {}, {"牌号"}},
        MaterialsRun{"DiameterNotANumber",
                     {"materials", "65Mn", "--wire-diameter=4mm"},
                     2,
                     {},
                     {"--wire-diameter"}},
        MaterialsRun{"TwoGrades", {"materials", "65Mn", "SM"}, 2, {}, {"SM"}},
        MaterialsRun{"FromMaterial",
                     {"--material=65Mn", "--wire-diameter=4", "--from-material", "--format=tsv"},
                     0,
                     {"MaxShearStress\t497.944\n"},
                     {"切变模量 G = 79000 MPa 取自材料表 65Mn", "许用切应力 [τ] = 570 MPa"}},
        // 340 MPa for unlimited life is below the sample's 497.9 MPa: the stress warning.
        MaterialsRun{"FromMaterialDutyReachesTheCalculation",
                     {"--material=65Mn", "--from-material", "--load-type=dynamic-unlimited"},
                     0,
                     {},
                     {"[τ] = 340 MPa", "大于许用切应力"}},
        MaterialsRun{"FromMaterialExtension",
                     {"--material=65Mn", "--from-material", "--extension", "--known-loads",
                      "--initial-tension=50", "--working-load1=100", "--working-load2=200",
                      "--working-load3=300"},
                     0,
                     {},
                     {"[τ] = 380 MPa"}},
        MaterialsRun{"FromMaterialShareOfRm",
                     {"--material=en10270-1 sm", "--from-material", "--load-type=dynamic-limited"},
                     0,
                     {},
                     {"[τ] = 581.4 MPa", "Rm min 1530 MPa"}},
        MaterialsRun{"FromMaterialUnknownGrade",
                     {"--material=65Mx", "--from-material"},
                     2,
                     {},
                     {"最接近的有：65Mn"}},
        MaterialsRun{"FromMaterialOutsideTheTable",
                     {"--material=EN 10270-1 SM", "--wire-diameter=25", "--mean-diameter=200",
                      "--from-material"},
                     2,
                     {},
                     {"25 mm", "--allowable-shear-stress"}},
        MaterialsRun{
            "FromMaterialNoTable", {"--from-material"}, 2, {}, {"C级没有可查的抗拉强度表"}},
        MaterialsRun{"FromMaterialGivenValuesWin",
                     {"--material=70-C", "--from-material", "--allowable-shear-stress=660"},
                     0,
                     {"最大切应力  497.944 MPa"},
                     {"G = 79000 MPa 取自材料表 C级"}},
        MaterialsRun{"BadLoadType", {"--load-type=cyclic"}, 2, {}, {"--load-type"}},
        // Rm between the maker's inch rows and its shares print to 0.1 MPa.
        MaterialsRun{
            "RmAndStressToATenth",
            {"materials", "ASTM A228", "--wire-diameter=1.1"},
            0,
            {"抗拉强度 Rm  2130～2358 MPa（取 1.143 mm 一行）", "动负荷有限寿命 809.4 MPa，"},
            {}},
        // 0.55 x 1550 is 852.5000000000001 in binary: printed 852.5, from the certificate.
        MaterialsRun{"FromMaterialCertificateRm",
                     {"--material=FDC", "--from-material", "--tensile-strength=1550"},
                     0,
                     {},
                     {"[τ] = 852.5 MPa", "钢丝质保书 Rm 1550 MPa"}}),
    [](const auto &info) { return std::string(info.param.name); });

std::string Captured(const std::vector<std::string> &args, std::string *err = nullptr) {
    std::ostringstream out, errors;
    RunCli(args, out, errors);
    if (err) {
        *err = errors.str();
    }
    return out.str();
}

TEST(CliMaterialData, JsonOfOneGradeAndOfADesign) {
    const auto grade = nlohmann::json::parse(
        Captured({"materials", "EN 10270-1 SM", "--wire-diameter=4", "--format=json"}));
    EXPECT_EQ(grade["wire_diameter"], 4.0);
    EXPECT_EQ(grade["rm_min"], 1530.0);
    EXPECT_EQ(grade["permissible"]["static"], 765.0);
    EXPECT_EQ(grade["permissible"]["extension"]["static"], 612.0);

    const auto design =
        nlohmann::json::parse(Captured({"--material=65Mn", "--from-material", "--format=json"}));
    EXPECT_EQ(design["inputs_from_material"],
              nlohmann::json({{"ShearModulus", 79000.0}, {"AllowableShearStress", 570.0}}));
}

// With every figure given, --from-material takes nothing and changes nothing.
TEST(CliMaterialData, GivenFiguresLeaveTheOutputAsItWas) {
    const std::vector<std::string> given = {"--shear-modulus=80000", "--allowable-shear-stress=500",
                                            "--material=65Mn", "--format=json"};
    std::vector<std::string> from = given;
    from.push_back("--from-material");
    std::string err;
    EXPECT_EQ(Captured(from, &err), Captured(given));
    EXPECT_EQ(err.find("取自材料表"), std::string::npos) << err;
}

TEST(CliMaterialData, OwnFileOverridesAndABrokenOneIsNamed) {
    const auto dir = std::filesystem::temp_directory_path() / "orsela_cli_materials_test";
    std::filesystem::create_directories(dir);
    const auto own = dir / "own.json";
    std::ofstream(own) << R"({"materials": [{"name": "65Mn", "standard": "works standard",
        "family": "carbon-spring-wire", "shear_modulus": 78500,
        "rm": [[3, 1700, 1900], [5, 1500, 1700]], "source": "works sheet"}]})";
    std::string err;
    const auto design = nlohmann::json::parse(Captured(
        {"--material=65Mn", "--from-material", "--materials-file=" + own.string(), "--format=json"},
        &err));
    // Carbon spring wire, static: 0.5 of Rm min 1500 at 4 mm, the next larger row's.
    EXPECT_EQ(design["inputs_from_material"],
              nlohmann::json({{"ShearModulus", 78500.0}, {"AllowableShearStress", 750.0}}))
        << err;

    const auto broken = dir / "broken.json";
    std::ofstream(broken) << "{\"materials\": [\n  {\"name\": \"X\",,}\n]}";
    EXPECT_NE(Captured({"materials", "--materials-file=" + broken.string()}, &err).find("65Mn"),
              std::string::npos);
    EXPECT_NE(err.find("broken.json"), std::string::npos) << err;
    EXPECT_NE(err.find("第 2 行"), std::string::npos) << err;
    std::filesystem::remove_all(dir);
}

} // namespace
