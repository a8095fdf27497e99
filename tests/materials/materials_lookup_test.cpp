// Look-up by grade, Rm between the rows, permissible stress, standard diameters.
#include "material_catalog.h"
#include "permissible_stress.h"
#include "wire_series.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

MaterialCatalog Catalog() {
    const CatalogLoad load = ParseMaterialCatalog(R"({
      "wire_diameter_series": {"first": [1, 1.2, 4], "second": [1.4, 4.5], "source": "test"},
      "materials": [
        {"name": "SH", "aliases": ["GB/T 4357 SH"], "standard": "s",
         "family": "carbon-spring-wire", "source": "s"},
        {"name": "C级", "aliases": ["碳素弹簧钢丝C级", "70-C"], "standard": "s",
         "family": "carbon-spring-wire", "source": "s"},
        {"name": "65Mn", "standard": "s", "family": "alloy-spring-steel", "source": "s",
         "permissible_mpa": {"compression": [570, 455, 340], "extension": null,
                             "diameter_range": [1, 13], "source": "table"}},
        {"name": "line", "standard": "s", "family": "carbon-spring-wire", "source": "s",
         "rm": [[1, 2000, 2200], [2, 1800, null], [4, 1600, 1800]]},
        {"name": "interpolated", "standard": "s", "family": "carbon-spring-wire", "source": "s",
         "rm_rule": "linear", "rm": [[1, 2000, 2200], [2, 1800, null], [4, 1600, 1800]]},
        {"name": "banded", "standard": "s", "family": "carbon-spring-wire", "source": "s",
         "shear_modulus": 79000, "elastic_modulus": 206000,
         "moduli_by_diameter": [[0.8, 82700, 203400], [3, 81000, null], [null, 80000, 193000]]},
        {"name": "steps", "standard": "s", "family": "stainless-spring-wire", "source": "s",
         "rm_rule": "step-up-to", "rm": [[1, 1900, 2050], [1.5, 1800, 1950]]}
      ]})",
                                                  "test.json");
    EXPECT_TRUE(load.catalog) << load.error;
    return load.catalog ? *load.catalog : MaterialCatalog{};
}

} // namespace

TEST(MaterialLookup, NameOrAliasWithCaseAndBlanksIgnored) {
    const MaterialCatalog catalog = Catalog();
    struct Case {
        const char *query;
        const char *found; // nullptr: not found
    } cases[] = {
        {"SH", "SH"},
        {"sh", "SH"},
        {"gb/t4357 sh", "SH"},
        {"GB/T 4357 SH", "SH"},
        {"碳素弹簧钢丝 C级", "C级"},
        {"70-c", "C级"},
        {" 65MN ", "65Mn"},
        {"65\xE3\x80\x80Mn", "65Mn"}, // ideographic space
        {"S H X", nullptr},
        {"", nullptr},
        {"   ", nullptr},
    };
    for (const Case &c : cases) {
        const MaterialEntry *entry = FindMaterial(catalog, c.query);
        if (!c.found) {
            EXPECT_EQ(entry, nullptr) << c.query;
            continue;
        }
        ASSERT_NE(entry, nullptr) << c.query;
        EXPECT_EQ(entry->name, c.found) << c.query;
    }
}

TEST(MaterialLookup, ClosestGradesForAnUnknownOne) {
    const MaterialCatalog catalog = Catalog();
    EXPECT_EQ(ClosestGrades(catalog, "65Mm", 1), std::vector<std::string>{"65Mn"});
    EXPECT_EQ(ClosestGrades(catalog, "碳素弹簧钢丝D级", 1), std::vector<std::string>{"C级"});
    EXPECT_EQ(ClosestGrades(catalog, "SJ", 2).front(), "SH");
    EXPECT_EQ(ClosestGrades(catalog, "x", 10).size(), catalog.entries.size());
}

TEST(TensileStrength, BetweenRowsAndNeverOutside) {
    const MaterialCatalog catalog = Catalog();
    const MaterialEntry &line = *FindMaterial(catalog, "line");
    const MaterialEntry &interpolated = *FindMaterial(catalog, "interpolated");
    const MaterialEntry &steps = *FindMaterial(catalog, "steps");
    struct Case {
        const MaterialEntry *entry;
        double d;
        bool found;
        double rmMin, rmMax; // rmMax 0: not given
        double row;          // the row taken; 0 where interpolated
    } cases[] = {
        {&line, 1.0, true, 2000, 2200, 1},
        {&line, 1.5, true, 1800, 0, 2}, // between rows: the next larger diameter's
        {&line, 3.0, true, 1600, 1800, 4},
        {&line, 4.0, true, 1600, 1800, 4},
        {&line, static_cast<double>(2.0f), true, 1800, 0, 2}, // a float's tail stays on the row
        {&line, 0.99, false, 0, 0, 0},
        {&line, 4.01, false, 0, 0, 0},
        {&line, std::nan(""), false, 0, 0, 0},
        {&interpolated, 1.5, true, 1900, 0, 0}, // one neighbour has no maximum
        {&interpolated, 3.0, true, 1700, 0, 0},
        {&interpolated, 4.0, true, 1600, 1800, 4},
        {&steps, 1.0, true, 1900, 2050, 1},
        {&steps, 1.01, true, 1800, 1950, 1.5}, // the range up to 1.5
        {&steps, 1.5, true, 1800, 1950, 1.5},
        {&steps, 0.9, false, 0, 0, 0},
        {&steps, 1.6, false, 0, 0, 0},
    };
    for (const Case &c : cases) {
        const auto rm = TensileStrengthAt(*c.entry, c.d);
        ASSERT_EQ(rm.has_value(), c.found) << c.entry->name << " at " << c.d;
        if (rm) {
            EXPECT_DOUBLE_EQ(rm->rmMin, c.rmMin) << c.entry->name << " at " << c.d;
            EXPECT_DOUBLE_EQ(rm->rmMax, c.rmMax) << c.entry->name << " at " << c.d;
            EXPECT_DOUBLE_EQ(rm->rowDiameter, c.row) << c.entry->name << " at " << c.d;
        }
    }
}

// G and E by diameter band where the entry has bands, its single figures else.
TEST(ElasticConstants, TheBandOfTheDiameter) {
    const MaterialCatalog catalog = Catalog();
    const MaterialEntry &banded = *FindMaterial(catalog, "banded");
    const MaterialEntry &line = *FindMaterial(catalog, "line");
    struct Case {
        const MaterialEntry *entry;
        double d;
        double g, e;
    } cases[] = {
        {&banded, 0.5, 82700, 203400},  {&banded, static_cast<double>(0.8f), 82700, 203400},
        {&banded, 0.81, 81000, 0},      {&banded, 3.0, 81000, 0},
        {&banded, 12.0, 80000, 193000}, {&line, 2.0, 0, 0},
    };
    for (const Case &c : cases) {
        const ElasticConstants at = ElasticConstantsAt(*c.entry, c.d);
        EXPECT_EQ(at.shearModulus, c.g) << c.entry->name << " at " << c.d;
        EXPECT_EQ(at.elasticModulus, c.e) << c.entry->name << " at " << c.d;
    }
}

// The shares of the GB/T 1239.6-1992 table (handbook table 10-2-6), lower end
// of each range for the dynamic classes.
TEST(PermissibleStress, ShareOfRmByFamilyKindAndLoad) {
    struct Case {
        MaterialFamily family;
        SpringKind kind;
        LoadType load;
        double fraction; // 0: none
    } cases[] = {
        {MaterialFamily::OilTemperedWire, SpringKind::Compression, LoadType::Static, 0.55},
        {MaterialFamily::OilTemperedWire, SpringKind::Extension, LoadType::DynamicUnlimited, 0.28},
        {MaterialFamily::CarbonSpringWire, SpringKind::Compression, LoadType::Static, 0.50},
        {MaterialFamily::CarbonSpringWire, SpringKind::Compression, LoadType::DynamicLimited, 0.38},
        {MaterialFamily::CarbonSpringWire, SpringKind::Compression, LoadType::DynamicUnlimited,
         0.30},
        {MaterialFamily::CarbonSpringWire, SpringKind::Extension, LoadType::Static, 0.40},
        {MaterialFamily::StainlessSpringWire, SpringKind::Compression, LoadType::DynamicLimited,
         0.34},
        {MaterialFamily::StainlessSpringWire, SpringKind::Extension, LoadType::Static, 0.36},
        {MaterialFamily::CopperAlloyWire, SpringKind::Compression, LoadType::Static, 0.40},
        {MaterialFamily::CopperAlloyWire, SpringKind::Extension, LoadType::DynamicLimited, 0.24},
        {MaterialFamily::AlloySpringSteel, SpringKind::Compression, LoadType::Static, 0},
    };
    for (const Case &c : cases) {
        const auto tau = PermissibleShearStressFor(c.family, c.kind, c.load, 1000.0);
        const std::string label =
            std::string(MaterialFamilyName(c.family)) + " " + LoadTypeName(c.load);
        if (c.fraction == 0) {
            EXPECT_FALSE(tau) << label;
            continue;
        }
        ASSERT_TRUE(tau) << label;
        EXPECT_DOUBLE_EQ(tau->fraction, c.fraction) << label;
        EXPECT_DOUBLE_EQ(tau->value, 1000.0 * c.fraction) << label;
        EXPECT_NE(tau->clause.find("GB/T 1239.6"), std::string::npos) << tau->clause;
    }
    EXPECT_FALSE(PermissibleShearStressFor(MaterialFamily::CarbonSpringWire,
                                           SpringKind::Compression, LoadType::Static, 0.0));
}

// The stricter class of the two sources' limits (10^3/10^6 against 10^4/10^7).
TEST(PermissibleStress, LoadTypeFollowsTheCycles) {
    const struct {
        double cycles;
        LoadType load;
    } cases[] = {
        {1.0, LoadType::Static},           {999.0, LoadType::Static},
        {1e3, LoadType::DynamicLimited},   {5e3, LoadType::DynamicLimited},
        {1e6, LoadType::DynamicLimited},   {1.000001e6, LoadType::DynamicUnlimited},
        {1e7, LoadType::DynamicUnlimited}, {1e9, LoadType::DynamicUnlimited},
    };
    for (const auto &c : cases) {
        EXPECT_EQ(LoadTypeForCycles(c.cycles), c.load) << c.cycles;
    }
    EXPECT_TRUE(LessStrict(LoadType::Static, LoadType::DynamicLimited));
    EXPECT_FALSE(LessStrict(LoadType::DynamicUnlimited, LoadType::DynamicLimited));
}

TEST(PermissibleStress, EnStaticShareOfRm) {
    const struct {
        MaterialFamily family;
        double fraction;
    } cases[] = {
        {MaterialFamily::CarbonSpringWire, 0.50},
        {MaterialFamily::OilTemperedWire, 0.50}, // the source's 0.6, lowered to the steels' 0.5
        {MaterialFamily::StainlessSpringWire, 0.50},
        {MaterialFamily::CopperAlloyWire, 0.45},
    };
    for (const auto &c : cases) {
        const auto tau = EnStaticPermissibleShearStress(c.family, 1530.0);
        ASSERT_TRUE(tau);
        EXPECT_DOUBLE_EQ(tau->value, 1530.0 * c.fraction);
        EXPECT_NE(tau->clause.find("EN 13906-1"), std::string::npos);
    }
    EXPECT_FALSE(EnStaticPermissibleShearStress(MaterialFamily::CarbonSpringWire, 0.0));
}

TEST(PermissibleStress, OfAGradeAtAWireDiameter) {
    const MaterialCatalog catalog = Catalog();
    struct Case {
        const char *grade;
        SpringKind kind;
        LoadType load;
        double d;
        double value;        // 0: none
        const char *problem; // a part of the reason when none
    } cases[] = {
        {"line", SpringKind::Compression, LoadType::Static, 3.0, 800, ""}, // the 4 mm row
        {"line", SpringKind::Extension, LoadType::DynamicLimited, 2.0, 540, ""},
        {"line", SpringKind::Compression, LoadType::Static, 5.0, 0, "不在line抗拉强度表的范围"},
        {"65Mn", SpringKind::Compression, LoadType::DynamicUnlimited, 4.0, 340, ""},
        {"65Mn", SpringKind::Compression, LoadType::Static, 0.5, 0, "适用范围"},
        {"65Mn", SpringKind::Extension, LoadType::Static, 4.0, 0, "未给出"},
        {"SH", SpringKind::Compression, LoadType::Static, 4.0, 0, "没有可查的抗拉强度表"},
    };
    for (const Case &c : cases) {
        const GradePermissible tau =
            PermissibleShearStressOf(*FindMaterial(catalog, c.grade), c.kind, c.load, c.d);
        if (c.value == 0) {
            EXPECT_FALSE(tau.stress) << c.grade;
            EXPECT_NE(tau.problem.find(c.problem), std::string::npos) << tau.problem;
            continue;
        }
        ASSERT_TRUE(tau.stress) << c.grade << ": " << tau.problem;
        EXPECT_DOUBLE_EQ(tau.stress->value, c.value) << c.grade;
    }
}

TEST(StandardDiameters, WhichSeries) {
    const MaterialCatalog catalog = Catalog();
    struct Case {
        double d;
        StandardDiameter kind;
    } cases[] = {
        {4.0, StandardDiameter::FirstSeries},    {1.2, StandardDiameter::FirstSeries},
        {1.2004, StandardDiameter::FirstSeries}, {4.5, StandardDiameter::SecondSeries},
        {1.3, StandardDiameter::NotStandard},    {1.202, StandardDiameter::NotStandard},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(StandardDiameterOf(catalog.series, c.d), c.kind) << c.d;
    }
    EXPECT_EQ(StandardDiameterOf(WireDiameterSeries{}, 4.0), StandardDiameter::Unknown);
    // A partial series cannot say that a size it lacks is not standard.
    WireDiameterSeries partial = catalog.series;
    partial.complete = false;
    EXPECT_EQ(StandardDiameterOf(partial, 4.0), StandardDiameter::FirstSeries);
    EXPECT_EQ(StandardDiameterOf(partial, 1.3), StandardDiameter::Unknown);
}
