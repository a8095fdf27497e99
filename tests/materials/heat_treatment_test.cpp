// Each shipped grade gets the treatment its delivery condition calls for.
#include "heat_treatment.h"
#include "material_catalog.h"
#include "materials_files.h"

#include <gtest/gtest.h>

namespace {

const MaterialCatalog &BuiltIn() {
    static const MaterialCatalog catalog = [] {
        CatalogLoad load = ReadMaterialCatalog(ORSELA_MATERIALS_FILE);
        EXPECT_TRUE(load.catalog) << load.error;
        return load.catalog ? *load.catalog : MaterialCatalog{};
    }();
    return catalog;
}

struct TreatmentCase {
    const char *grade;
    const char *holds; // the treatment says this
    const char *lacks; // and never this
};

class HeatTreatmentTest : public testing::TestWithParam<TreatmentCase> {};

TEST_P(HeatTreatmentTest, GradeGetsItsFamilysTreatment) {
    const TreatmentCase &c = GetParam();
    const MaterialEntry *entry = FindMaterial(BuiltIn(), c.grade);
    ASSERT_NE(entry, nullptr) << c.grade;
    const HeatTreatment heat = HeatTreatmentFor(*entry);
    EXPECT_NE(heat.treatment.find(c.holds), std::string::npos) << heat.treatment;
    EXPECT_EQ(heat.treatment.find(c.lacks), std::string::npos) << heat.treatment;
    EXPECT_FALSE(heat.source.empty());
}

// Aged and precipitation-hardened grades are not tempered; steel supplied
// soft is hardened, not merely stress relieved; and presetting or shot
// peening is never part of the heat treatment.
INSTANTIATE_TEST_SUITE_P(Grades, HeatTreatmentTest,
                         testing::Values(TreatmentCase{"SM", "去应力回火", "淬火"},
                                         TreatmentCase{"C级", "去应力回火", "淬火"},
                                         TreatmentCase{"EN 10270-1 SH", "去应力回火", "时效"},
                                         TreatmentCase{"FDC", "去应力回火", "淬火"},
                                         TreatmentCase{"EN 10270-2 FDSiCr", "去应力回火", "淬火"},
                                         TreatmentCase{"1.4310", "去应力处理", "回火"},
                                         TreatmentCase{"07Cr17Ni7Al", "沉淀硬化", "回火"},
                                         TreatmentCase{"QBe2", "时效", "回火"},
                                         TreatmentCase{"QSi3-1", "去应力退火", "时效"},
                                         TreatmentCase{"65Mn", "淬火+回火", "去应力"},
                                         TreatmentCase{"60Si2MnA", "淬火+回火", "去应力"},
                                         TreatmentCase{"50CrVA", "淬火+回火", "强压"}),
                         [](const auto &info) { return std::to_string(info.index); });

TEST(HeatTreatmentTest, EveryShippedGradeHasATreatmentAndASource) {
    for (const MaterialEntry &entry : BuiltIn().entries) {
        const HeatTreatment heat = HeatTreatmentFor(entry);
        EXPECT_FALSE(heat.treatment.empty()) << entry.name;
        EXPECT_FALSE(heat.source.empty()) << entry.name;
        for (const char *foreign : {"强压", "喷丸"}) {
            EXPECT_EQ(heat.treatment.find(foreign), std::string::npos) << entry.name;
        }
    }
}

} // namespace
