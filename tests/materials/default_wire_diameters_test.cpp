// The wire diameters a search tries when the user gives none.
#include "default_wire_diameters.h"
#include "materials_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

MaterialCatalog Catalog(bool withSeries) {
    const CatalogLoad load = ParseMaterialCatalog(R"({
      "wire_diameter_series": {"first": [1, 2, 3, 4, 5, 6], "second": [2.5, 4.5],
                               "source": "s"},
      "materials": [
        {"name": "table", "standard": "s", "family": "carbon-spring-wire",
         "rm": [[1.5, 2000, 2200], [2, 1900, 2100], [4.5, 1600, 1800]], "source": "s"},
        {"name": "fine", "standard": "s", "family": "carbon-spring-wire",
         "rm": [[0.2, 2800, 3100], [0.45, 2500, 2800]], "source": "s"},
        {"name": "bare", "standard": "s", "family": "alloy-spring-steel", "source": "s"}]})",
                                                  "test.json");
    EXPECT_TRUE(load.catalog) << load.error;
    MaterialCatalog catalog = load.catalog ? *load.catalog : MaterialCatalog{};
    if (!withSeries) {
        catalog.series = WireDiameterSeries{};
    }
    return catalog;
}

} // namespace

TEST(DefaultWireDiameters, SeriesWithinTheTableElseTheSeriesElseTheTable) {
    struct Case {
        const char *name;
        const char *grade;
        bool series, second;
        std::vector<double> expected;
        DefaultDiameterBasis basis;
        const char *said; // a part of the description
    } cases[] = {
        {"TablePlusSeries",
         "table",
         true,
         false,
         {2, 3, 4},
         DefaultDiameterBasis::SeriesWithinTable,
         "抗拉强度表范围 1.5～4.5 mm 内"},
        {"WithSecondSeries",
         "table",
         true,
         true,
         {2, 2.5, 3, 4, 4.5},
         DefaultDiameterBasis::SeriesWithinTable,
         "共 5 个直径"},
        {"SeriesOnly",
         "bare",
         true,
         false,
         {1, 2, 3, 4, 5, 6},
         DefaultDiameterBasis::SeriesOnly,
         "bare没有抗拉强度表"},
        {"TableOnly",
         "table",
         false,
         false,
         {1.5, 2, 4.5},
         DefaultDiameterBasis::TableDiameters,
         "没有 GB/T 1358 线径系列"},
        {"SeriesOutsideTheTable",
         "fine",
         true,
         false,
         {0.2, 0.45},
         DefaultDiameterBasis::TableDiameters,
         "没有直径落在fine抗拉强度表范围内"},
        {"Nothing", "bare", false, false, {}, DefaultDiameterBasis::None, "--wire-diameters"},
    };
    for (const Case &c : cases) {
        const MaterialCatalog catalog = Catalog(c.series);
        const DefaultWireDiameters got =
            DefaultWireDiametersFor(catalog, *FindMaterial(catalog, c.grade), c.second);
        EXPECT_EQ(got.diameters, c.expected) << c.name;
        EXPECT_EQ(got.basis, c.basis) << c.name;
        EXPECT_NE(got.description.find(c.said), std::string::npos) << c.name << got.description;
    }
}

TEST(DefaultWireDiameters, AUserFileSeriesReplacesTheBuiltInOne) {
    const fs::path folder = fs::temp_directory_path() / "orsela_default_diameters_test";
    fs::create_directories(folder);
    const fs::path user = folder / "materials.json";
    std::ofstream(user) << R"({"wire_diameter_series": {"first": [2.2, 3.3], "source": "厂标"}})";
    const LoadedMaterials loaded = LoadMaterials(ORSELA_MATERIALS_FILE, user, std::nullopt);
    ASSERT_TRUE(loaded.problems.empty());
    const MaterialEntry *mn = FindMaterial(loaded.catalog, "65Mn");
    ASSERT_NE(mn, nullptr);
    const DefaultWireDiameters got = DefaultWireDiametersFor(loaded.catalog, *mn);
    EXPECT_EQ(got.diameters, (std::vector<double>{2.2, 3.3}));
    EXPECT_NE(got.description.find("用户材料文件"), std::string::npos) << got.description;
    fs::remove_all(folder);
}

// The shipped data: EN 10270-1 SM (0.3 to 20 mm) takes the agreed first-series
// sizes from 0.5 to 20 mm; 65Mn, without a table, the whole agreed series.
TEST(DefaultWireDiameters, ShippedData) {
    const CatalogLoad load = ReadMaterialCatalog(ORSELA_MATERIALS_FILE);
    ASSERT_TRUE(load.catalog) << load.error;
    const MaterialCatalog &catalog = *load.catalog;
    const DefaultWireDiameters sm =
        DefaultWireDiametersFor(catalog, *FindMaterial(catalog, "EN 10270-1 SM"));
    EXPECT_EQ(sm.diameters.front(), 0.5);
    EXPECT_EQ(sm.diameters.back(), 20.0);
    const DefaultWireDiameters mn =
        DefaultWireDiametersFor(catalog, *FindMaterial(catalog, "65Mn"));
    EXPECT_EQ(mn.basis, DefaultDiameterBasis::SeriesOnly);
    EXPECT_EQ(mn.diameters.size(), catalog.series.first.size());
}
