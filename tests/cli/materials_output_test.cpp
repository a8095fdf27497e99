// What `orsela-cli materials` prints, read back as a program would.
#include "materials_files.h"
#include "materials_output.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <regex>
#include <sstream>

using nlohmann::json;

namespace {

MaterialCatalog Catalog() {
    const CatalogLoad load = ParseMaterialCatalog(R"({"materials": [
        {"name": "SM", "aliases": ["EN 10270-1 SM"], "standard": "EN 10270-1",
         "family": "carbon-spring-wire", "shear_modulus": 81500, "elastic_modulus": 206000,
         "density": 7.85, "rm": [[3, 1630, 1830], [4, 1530, 1730], [5, 1460, 1650]],
         "source": "page"},
        {"name": "65Mn", "standard": "s", "family": "alloy-spring-steel", "shear_modulus": 79000,
         "permissible_mpa": {"compression": [570, 455, 340], "extension": [380, 325, 285],
                             "diameter_range": [1, 13], "source": "table"},
         "source": "page"}]})",
                                                  "test.json");
    EXPECT_TRUE(load.catalog) << load.error;
    return load.catalog ? *load.catalog : MaterialCatalog{};
}

} // namespace

TEST(MaterialsOutput, ListJsonHasTheKeysProgramsRead) {
    std::ostringstream out;
    PrintMaterialsList(Catalog(), MaterialsFormat::Json, true, out);
    const json list = json::parse(out.str());
    ASSERT_EQ(list.size(), 2u);
    for (const char *key : {"name", "aliases", "standard", "shear_modulus", "elastic_modulus",
                            "density", "rm", "source"}) {
        EXPECT_TRUE(list[0].contains(key)) << key;
    }
    EXPECT_EQ(list[0]["rm"][1], json({4.0, 1530.0, 1730.0}));
    EXPECT_TRUE(list[1]["elastic_modulus"].is_null()); // not given, not zero
}

TEST(MaterialsOutput, OneGradeAtADiameter) {
    const MaterialCatalog catalog = Catalog();
    struct Case {
        const char *grade;
        double d;
        json rmMin, staticStress, extensionUnlimited;
    } cases[] = {
        {"SM", 3.5, 1530.0, 765.0, 0.24 * 1530.0}, // between rows: the 4.0 row
        {"SM", 6.0, nullptr, nullptr, nullptr},
        {"65Mn", 4.0, nullptr, 570.0, 285.0},
    };
    for (const Case &c : cases) {
        std::ostringstream out;
        PrintMaterial(catalog, *FindMaterial(catalog, c.grade), c.d, MaterialsFormat::Json, out);
        const json entry = json::parse(out.str());
        EXPECT_EQ(entry["wire_diameter"], c.d);
        EXPECT_EQ(entry["rm_min"], c.rmMin) << c.grade;
        EXPECT_EQ(entry["permissible"]["static"], c.staticStress) << c.grade;
        EXPECT_EQ(entry["permissible"]["extension"]["dynamic-unlimited"], c.extensionUnlimited)
            << c.grade;
    }
}

// The kind of source of each given figure; none for a figure not given.
TEST(MaterialsOutput, EachFigureCarriesItsKindOfSource) {
    MaterialCatalog catalog = Catalog();
    catalog.entries[0].provenance.shearModulus = Provenance::StandardTable;
    catalog.entries[0].provenance.rm = Provenance::MakerSheet;
    catalog.entries[1].provenance.elasticModulus = Provenance::Handbook; // E not given
    std::ostringstream out;
    PrintMaterialsList(catalog, MaterialsFormat::Json, true, out);
    const json list = json::parse(out.str());
    EXPECT_EQ(list[0]["provenance"]["shear_modulus"], "standard-table");
    EXPECT_EQ(list[0]["provenance"]["rm"], "maker-sheet");
    EXPECT_TRUE(list[0]["provenance"]["density"].is_null()); // given but unmarked
    EXPECT_TRUE(list[1]["provenance"]["elastic_modulus"].is_null());

    MarkAsUserFile(catalog);
    std::ostringstream text;
    PrintMaterial(catalog, catalog.entries[0], 3.5, MaterialsFormat::Text, text);
    const std::string shown = std::regex_replace(text.str(), std::regex(" {2,}"), "  ");
    EXPECT_NE(shown.find("切变模量 G  81500 MPa（用户文件）"), std::string::npos) << text.str();
    EXPECT_NE(shown.find("抗拉强度表直径范围  3～5 mm（用户文件）"), std::string::npos);
    std::ostringstream tsv;
    PrintMaterialsList(catalog, MaterialsFormat::Tsv, true, tsv);
    EXPECT_NE(tsv.str().find("\t3\t5\tuser-file\tuser-file\tuser-file\tuser-file\n"),
              std::string::npos)
        << tsv.str();
}

TEST(MaterialsOutput, UnknownGradeNamesTheClosest) {
    EXPECT_EQ(UnknownGradeMessage(Catalog(), "65Mm"),
              "材料数据中没有牌号“65Mm”，最接近的有：65Mn、SM");
}
