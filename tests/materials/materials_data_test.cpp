// The shipped data file, a user's file over it and broken files.
#include "material_catalog.h"
#include "materials_files.h"
#include "permissible_stress.h"
#include "wire_series.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

namespace fs = std::filesystem;

namespace {

MaterialCatalog BuiltIn() {
    CatalogLoad load = ReadMaterialCatalog(ORSELA_MATERIALS_FILE);
    EXPECT_TRUE(load.catalog) << load.error;
    return load.catalog ? *load.catalog : MaterialCatalog{};
}

fs::path WriteTemp(const std::string &name, const std::string &text) {
    const fs::path path = fs::temp_directory_path() / ("orsela_materials_" + name);
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

TEST(MaterialsData, EveryGradeTheProgramPromisesIsThereWithItsSource) {
    const MaterialCatalog catalog = BuiltIn();
    for (const char *grade : {"SL",
                              "SM",
                              "DM",
                              "SH",
                              "DH",
                              "B级",
                              "C级",
                              "D级",
                              "70-C",
                              "FDC",
                              "VDC",
                              "65Mn",
                              "60Si2MnA",
                              "50CrVA",
                              "12Cr18Ni9",
                              "06Cr17Ni12Mo2",
                              "07Cr17Ni7Al",
                              "QSi3-1",
                              "EN 10270-1 SH",
                              "EN 10270-1 DH",
                              "ASTM A228"}) {
        const MaterialEntry *entry = FindMaterial(catalog, grade);
        ASSERT_NE(entry, nullptr) << grade;
        EXPECT_FALSE(entry->source.empty()) << grade;
        EXPECT_FALSE(entry->standard.empty()) << grade;
    }
}

// Spot values against the page each entry names.
TEST(MaterialsData, SpotValuesAgainstTheirSource) {
    const MaterialCatalog catalog = BuiltIn();
    struct Case {
        const char *grade;
        double d;
        double rmMin, rmMax;
    } cases[] = {
        {"EN 10270-1 SM", 4.0, 1530, 1730},     // mollificiomodenese.it, row 4.0
        {"EN 10270-1 SM", 0.4, 2270, 2550},     // the same row on durofer.ch
        {"EN 10270-1 SM", 15.0, 1090, 1230},    // the misprinted 15.0 row left out: 16.0
        {"EN 10270-1 SH", 0.3, 2660, 2940},     // durofer.ch and hengmingsteelwire.com
        {"EN 10270-1 SH", 0.34, 2610, 2890},    // springwire.net, row 0,34
        {"EN 10270-1 DH", 0.1, 2800, 3380},     // springwire.net and durofer.ch, row 0.10
        {"EN 10270-1 DH", 0.22, 2770, 3080},    // springwire.net and hengmingsteelwire.com agree
        {"EN 10270-1 DH", 0.05, 2800, 3520},    // the first row of springwire.net
        {"EN 10270-2 FDC", 0.6, 1900, 2100},    // metalleschmidt.de, row 0.60
        {"EN 10270-2 VDSiCr", 0.5, 2080, 2230}, // metalleschmidt.de, row 0.50
        {"12Cr18Ni9", 0.2, 2200, 2350},         // cecchi.com, EN 1.4310 NS d <= 0.20
        {"12Cr18Ni9", 1.6, 1650, 1900},         // JIS G 4314 WPB 1.60~2.00, below EN's 1750
        {"12Cr18Ni9", 4.0, 1450, 1700},         // JIS WPB 2.90~4.00 (two pages agree)
        {"ASTM A228", 2.54, 1868, 2068},        // interwiregroup.com 0.100 in: 271-300 ksi
        // chinacustomspring.com, GB/T 18983-2003 FD/TD table
        {"FDC", 1.5, 1740, 1890},     // > 1.4 ~ 1.6, FDC/TDC column
        {"TDC", 0.5, 1800, 2100},     // 0.5 ~ 0.8
        {"TDCrSi", 3.1, 1900, 2060},  // > 3.0 ~ 3.2
        {"FDCrV-A", 1.2, 1750, 1990}, // the misprinted > 1.0 ~ 1.3 cell: the next row
        {"FDSiMn", 4.8, 1660, 1810},  // the garbled 4.5 ~ 5.0 rows: > 5.0 ~ 5.6
        {"FDCrV-B", 7.0, 1500, 1650}, // > 6.5 ~ 7.0, its last row
    };
    for (const Case &c : cases) {
        const MaterialEntry *entry = FindMaterial(catalog, c.grade);
        ASSERT_NE(entry, nullptr) << c.grade;
        const auto rm = TensileStrengthAt(*entry, c.d);
        ASSERT_TRUE(rm) << c.grade << " at " << c.d;
        EXPECT_NEAR(rm->rmMin, c.rmMin, 0.5) << c.grade << " at " << c.d;
        EXPECT_NEAR(rm->rmMax, c.rmMax, 0.5) << c.grade << " at " << c.d;
    }
    const MaterialEntry *mn = FindMaterial(catalog, "65Mn");
    ASSERT_NE(mn, nullptr);
    EXPECT_EQ(mn->shearModulus, 79000); // GB/T 1239.6-1992 table of spring materials
    const GradePermissible tau =
        PermissibleShearStressOf(*mn, SpringKind::Compression, LoadType::Static, 4.0);
    ASSERT_TRUE(tau.stress) << tau.problem;
    EXPECT_EQ(tau.stress->value, 570); // class III, 65Mn column
}

// Between two rows a grade takes the next larger diameter's row, the lower Rm.
TEST(MaterialsData, BetweenRowsTheNextLargerDiametersRow) {
    const MaterialCatalog catalog = BuiltIn();
    struct Case {
        const char *grade;
        double d;
        double row;
        double rmMin;
    } cases[] = {
        {"EN 10270-1 SM", 0.31, 0.32, 2350},
        {"EN 10270-1 SM", 2.2, 2.4, 1700},
        {"EN 10270-1 DH", 0.13, 0.14, 2800},
        {"ASTM A228", 1.0, 1.016, 2171},
        {"ASTM A228", 6.0, 6.35, 1585},
        {"12Cr18Ni9", 0.45, 0.6, 1950},
        {"FDC", 1.35, 1.4, 1750},
        {"EN 10270-2 FDC", 0.52, 0.55, 1900},
    };
    for (const Case &c : cases) {
        const MaterialEntry *entry = FindMaterial(catalog, c.grade);
        ASSERT_NE(entry, nullptr) << c.grade;
        const auto rm = TensileStrengthAt(*entry, c.d);
        ASSERT_TRUE(rm) << c.grade << " at " << c.d;
        EXPECT_NEAR(rm->rowDiameter, c.row, 1e-9) << c.grade << " at " << c.d;
        EXPECT_NEAR(rm->rmMin, c.rmMin, 0.5) << c.grade << " at " << c.d;
    }
}

// Over every built-in table and many diameters (fixed seed): the Rm taken
// never exceeds either neighbouring row, so no diameter gains strength.
TEST(MaterialsData, RmNeverAboveEitherNeighbouringRow) {
    const MaterialCatalog catalog = BuiltIn();
    std::mt19937 random(27);
    std::size_t tried = 0;
    for (const MaterialEntry &entry : catalog.entries) {
        for (std::size_t i = 1; i < entry.rm.size(); ++i) {
            const TensileStrengthRow &below = entry.rm[i - 1];
            const TensileStrengthRow &above = entry.rm[i];
            std::uniform_real_distribution<double> between(below.wireDiameter, above.wireDiameter);
            for (int k = 0; k < 20; ++k) {
                const double d = between(random);
                const auto rm = TensileStrengthAt(entry, d);
                ASSERT_TRUE(rm) << entry.name << " at " << d;
                EXPECT_LE(rm->rmMin, std::min(below.rmMin, above.rmMin) + 1e-9)
                    << entry.name << " at " << d;
                ++tried;
            }
        }
    }
    EXPECT_GT(tried, 1000U);
}

// G, E and rho of each family against the row the entry names.
TEST(MaterialsData, FamilyConstantsAgainstTheirSource) {
    const MaterialCatalog catalog = BuiltIn();
    struct Case {
        const char *grade;
        double g, e, rho; // 0: not given
        Provenance gMark, rhoMark;
        double d = 1.0; // mm
    } cases[] = {
        // GB/T 1239.6-1992 GB 4357 row; Wei Jiang table 14.2 high-carbon row; Autodesk,
        // patented carbon steel
        {"C级", 79000, 206000, 7.85, Provenance::StandardTable, Provenance::Handbook},
        {"SH", 79000, 206000, 7.85, Provenance::StandardTable, Provenance::Handbook},
        {"65Mn", 79000, 206000, 7.85, Provenance::StandardTable, Provenance::Handbook},
        // Wei Jiang, 50CrVA row; tokaibane.com, SUP spring steels
        {"50CrVA", 79000, 203000, 7.85, Provenance::StandardTable, Provenance::MakerSheet},
        {"60Si2MnA", 79000, 197000, 7.85, Provenance::StandardTable, Provenance::MakerSheet},
        // cecchi.com, 1.4310; Wei Jiang, 07Cr17Ni7Al row (no density sourced)
        {"12Cr18Ni9", 73000, 185000, 8.0, Provenance::MakerSheet, Provenance::MakerSheet},
        {"07Cr17Ni7Al", 75000, 200000, 0, Provenance::Handbook, Provenance::Unmarked},
        // Wei Jiang, QSn6.5-0.1, QSi3-1 and QBe2 rows; Autodesk, tin bronze 8.8; the
        // families' densities: high-silicon bronze C65500 (two data pages), beryllium
        // copper C17200 aged (a wire maker, the higher of three)
        {"QSn6.5-0.1", 40000, 103000, 8.8, Provenance::Handbook, Provenance::Handbook},
        {"QSi3-1", 40000, 93000, 8.53, Provenance::Handbook, Provenance::Transcriptions},
        {"QBe2", 42000, 120000, 8.35, Provenance::Handbook, Provenance::MakerSheet},
        // the CrV-B steel of GB/T 18983 is not 50CrVA: the oil-tempered CrV family's
        // figures, E the lowest of three sources; CrSi: Wei Jiang's alloy-steel cell
        {"FDCrV-B", 79000, 196500, 7.85, Provenance::StandardTable, Provenance::MakerSheet},
        {"FDCrSi", 79000, 203000, 7.85, Provenance::StandardTable, Provenance::MakerSheet},
        // Shigley table 10-5, music wire A228 by diameter band (inch limits x 25.4)
        {"ASTM A228", 82700, 203400, 7.85, Provenance::Handbook, Provenance::Handbook, 0.8},
        {"ASTM A228", 82700, 203400, 7.85, Provenance::Handbook, Provenance::Handbook, 0.82},
        {"ASTM A228", 81700, 200000, 7.85, Provenance::Handbook, Provenance::Handbook, 1.6},
        {"ASTM A228", 81000, 196500, 7.85, Provenance::Handbook, Provenance::Handbook, 3.175},
        {"ASTM A228", 80000, 193000, 7.85, Provenance::Handbook, Provenance::Handbook, 4.0},
    };
    for (const Case &c : cases) {
        const MaterialEntry *entry = FindMaterial(catalog, c.grade);
        ASSERT_NE(entry, nullptr) << c.grade;
        const ElasticConstants at = ElasticConstantsAt(*entry, c.d);
        EXPECT_EQ(at.shearModulus, c.g) << c.grade << " at " << c.d;
        EXPECT_EQ(at.elasticModulus, c.e) << c.grade << " at " << c.d;
        EXPECT_EQ(entry->density, c.rho) << c.grade;
        if (c.g > 0) {
            EXPECT_EQ(entry->provenance.shearModulus, c.gMark) << c.grade;
        }
        if (c.rho > 0) {
            EXPECT_EQ(entry->provenance.density, c.rhoMark) << c.grade;
        }
    }
}

// A figure in the shipped file without its kind of source would show unmarked.
TEST(MaterialsData, EveryShippedFigureIsMarked) {
    const MaterialCatalog catalog = BuiltIn();
    for (const MaterialEntry &e : catalog.entries) {
        const EntryProvenance &p = e.provenance;
        EXPECT_TRUE(!(e.shearModulus > 0) || p.shearModulus != Provenance::Unmarked) << e.name;
        EXPECT_TRUE(!(e.elasticModulus > 0) || p.elasticModulus != Provenance::Unmarked) << e.name;
        EXPECT_TRUE(!(e.density > 0) || p.density != Provenance::Unmarked) << e.name;
        EXPECT_TRUE(e.rm.empty() || p.rm != Provenance::Unmarked) << e.name;
        EXPECT_TRUE(!e.fixedPermissible || p.permissible != Provenance::Unmarked) << e.name;
    }
    // Two public witnesses of the first series, only where they agree (0.5 to
    // 0.8 mm: a transcription and the standard extension springs' table).
    EXPECT_EQ(catalog.series.provenance, Provenance::Transcriptions);
    EXPECT_FALSE(catalog.series.complete);
    EXPECT_EQ(catalog.series.first.front(), 0.5);
    EXPECT_EQ(catalog.series.first.back(), 25.0);
    EXPECT_EQ(StandardDiameterOf(catalog.series, 0.7), StandardDiameter::Unknown);
}

TEST(MaterialsData, UserFileOverridesAnEntryAndAddsOne) {
    const fs::path user = WriteTemp("user.json", R"({"materials": [
        {"name": "65 MN", "standard": "厂标", "family": "alloy-spring-steel",
         "shear_modulus": 78000, "source": "本厂试验"},
        {"name": "厂用丝", "standard": "厂标", "family": "carbon-spring-wire",
         "rm": [[1, 2000, 2200], [2, 1800, 2000]], "source": "本厂试验"}]})");
    const LoadedMaterials loaded = LoadMaterials(ORSELA_MATERIALS_FILE, user, std::nullopt);
    EXPECT_TRUE(loaded.problems.empty());
    const MaterialEntry *mn = FindMaterial(loaded.catalog, "65Mn");
    ASSERT_NE(mn, nullptr);
    EXPECT_EQ(mn->shearModulus, 78000);
    EXPECT_FALSE(mn->fixedPermissible); // the whole entry is the user's
    EXPECT_EQ(mn->provenance.shearModulus, Provenance::UserFile);
    EXPECT_NE(FindMaterial(loaded.catalog, "厂用丝"), nullptr);
    EXPECT_NE(FindMaterial(loaded.catalog, "EN 10270-1 SM"), nullptr);
    fs::remove(user);
}

TEST(MaterialsData, BrokenFilesSayWhereAndWhat) {
    struct Case {
        const char *text;
        const char *expected; // a part of the message
    } cases[] = {
        {"{\n \"materials\": [\n  {\"name\": \"x\",,}\n ]\n}", "第 3 行第 16 列"},
        {"{\"materials\": [", "不是正确的 JSON"},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "carbon-spring-wire"}]})",
         "第 1 个材料（x）缺少 \"source\""},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "wood", "source": "s"}]})",
         "不是已知的材料类别"},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "carbon-spring-wire",
             "rm": [[2, 1800, 2000], [1, 2000, 2200]], "source": "s"}]})",
         "\"rm\" 第 2 行的直径不大于上一行"},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "carbon-spring-wire",
             "rm": [[1, 2000, 1900]], "source": "s"}]})",
         "最大值小于最小值"},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "carbon-spring-wire",
             "shear_modulus": -1, "source": "s"}]})",
         "\"shear_modulus\" 应为正数"},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "carbon-spring-wire",
             "provenance": {"density": "rumour"}, "source": "s"}]})",
         "\"provenance\".\"density\" 不是已知的来源类别：rumour"},
        {"{\"materials\": [{\"name\": \"x\",\n \"density\": -2e6000}]}",
         "第 2 行第 13 列的数值超出"},
        {R"({"materials": [{"name": "a", "aliases": ["S M"], "standard": "s",
             "family": "carbon-spring-wire", "source": "s"}, {"name": "sm", "standard": "s",
             "family": "carbon-spring-wire", "source": "s"}]})",
         "第 2 个材料（sm）与前面的材料重名"},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "carbon-spring-wire",
             "moduli_by_diameter": [[null, 80000, null], [2, 79000, null]], "source": "s"}]})",
         "只有最后一项可以不设上限"},
        {R"({"materials": [{"name": "x", "standard": "s", "family": "carbon-spring-wire",
             "moduli_by_diameter": [[2, 80000, null], [1, 79000, null]], "source": "s"}]})",
         "\"moduli_by_diameter\"第 2 项的直径上限不大于上一项"},
    };
    for (const Case &c : cases) {
        const CatalogLoad load = ParseMaterialCatalog(c.text, "/home/u/materials.json");
        EXPECT_FALSE(load.catalog) << c.text;
        EXPECT_NE(load.error.find("/home/u/materials.json"), std::string::npos) << load.error;
        EXPECT_NE(load.error.find(c.expected), std::string::npos) << load.error;
    }
}

TEST(MaterialsData, ABrokenUserFileLeavesTheBuiltInDataWorking) {
    const fs::path user = WriteTemp("broken.json", "{\n  \"materials\": [\n    oops\n");
    const fs::path missing = fs::temp_directory_path() / "orsela_materials_none.json";
    const LoadedMaterials loaded = LoadMaterials(ORSELA_MATERIALS_FILE, user, missing);
    ASSERT_EQ(loaded.problems.size(), 2u);
    EXPECT_NE(loaded.problems[0].find("第 3 行"), std::string::npos) << loaded.problems[0];
    EXPECT_NE(loaded.problems[1].find("无法读取"), std::string::npos) << loaded.problems[1];
    EXPECT_NE(FindMaterial(loaded.catalog, "65Mn"), nullptr);
    fs::remove(user);
}

TEST(MaterialsFiles, BuiltInFileSitsBesideTheProgramsShareFolder) {
    EXPECT_EQ(BuiltInMaterialsPath(fs::path("/w/build/cli/orsela-cli")),
              fs::path("/w/build/share/orsela/materials.json"));
    EXPECT_EQ(BuiltInMaterialsPath(fs::path("/usr/local/bin/orsela-cli")),
              fs::path("/usr/local/share/orsela/materials.json"));
}

TEST(MaterialsFiles, UserFileFollowsXdgDataHome) {
    struct Case {
        const char *dataHome; // nullptr: unset
        const char *expected;
    } cases[] = {
        {"/x/data", "/x/data/orsela/materials.json"},
        {"relative", "/h/.local/share/orsela/materials.json"},
        {nullptr, "/h/.local/share/orsela/materials.json"},
    };
    const char *savedHome = std::getenv("HOME");
    const std::string home = savedHome ? savedHome : "";
    const char *savedData = std::getenv("XDG_DATA_HOME");
    const std::string data = savedData ? savedData : "";
    setenv("HOME", "/h", 1);
    for (const Case &c : cases) {
        if (c.dataHome) {
            setenv("XDG_DATA_HOME", c.dataHome, 1);
        } else {
            unsetenv("XDG_DATA_HOME");
        }
        EXPECT_EQ(UserMaterialsPath(), fs::path(c.expected));
    }
    setenv("HOME", home.c_str(), 1);
    if (savedData) {
        setenv("XDG_DATA_HOME", data.c_str(), 1);
    } else {
        unsetenv("XDG_DATA_HOME");
    }
}
