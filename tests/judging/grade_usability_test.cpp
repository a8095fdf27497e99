// Every grade of the built-in data, one table: a grade the listings show
// designs from its own data (or from a certificate Rm where it has no Rm
// table), is checked and is searched; a grade they leave out lacks G, E or
// rho, and every place that takes figures from it refuses, naming what is
// missing and the option that gives it.
#include "judge_design.h"
#include "materials_json.h"
#include "missing_figures.h"
#include "request_from_options.h"
#include "search_setup.h"
#include "shared_materials.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <vector>

namespace {

const MaterialCatalog &Catalog() {
    return SharedMaterials(std::string(ORSELA_MATERIALS_JSON)).catalog;
}

std::vector<std::string> GradeNames() {
    std::vector<std::string> names;
    for (const MaterialEntry &entry : Catalog().entries) {
        names.push_back(entry.name);
    }
    return names;
}

const MaterialEntry &Entry(const std::string &name) {
    const auto &entries = Catalog().entries;
    return *std::find_if(entries.begin(), entries.end(),
                         [&](const MaterialEntry &e) { return e.name == name; });
}

std::string Number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// A wire diameter the grade's own data covers: a middle row of its Rm table,
// within the range of its own stresses, else 3 mm.
double DiameterFor(const MaterialEntry &entry) {
    if (!entry.rm.empty()) {
        return entry.rm[entry.rm.size() / 2].wireDiameter;
    }
    if (entry.fixedPermissible) {
        return std::max(entry.fixedPermissible->fromDiameter, 3.0);
    }
    return 3.0;
}

bool NeedsCertificate(const MaterialEntry &entry) {
    return entry.rm.empty() && !entry.fixedPermissible;
}

DesignOutcome Design(const MaterialEntry &entry, double d) {
    std::vector<std::string> arguments = {"--material=" + entry.name,
                                          "--from-material",
                                          "--check",
                                          "--wire-diameter=" + Number(d),
                                          "--mean-diameter=" + Number(7.0 * d),
                                          std::string("--materials-file=") + ORSELA_MATERIALS_JSON};
    if (NeedsCertificate(entry)) {
        arguments.push_back("--tensile-strength=900");
    }
    return JudgeDesign(RequestFromOptions(arguments));
}

// A spring of that wire that exists: the loads from its own rate.
SearchArguments Search(const MaterialEntry &entry, double d) {
    SearchArguments a;
    a.values["materials-file"] = ORSELA_MATERIALS_JSON;
    a.values["material"] = entry.name;
    const double rate = 79000.0 * std::pow(d, 4) / (8.0 * std::pow(7.0 * d, 3) * 6.0);
    a.values["load1"] = Number(rate * 3.0 * d);
    a.values["height1"] = Number(8.0 * d + 4.0 * d);
    a.values["load2"] = Number(rate * 4.0 * d);
    a.values["height2"] = Number(8.0 * d + 3.0 * d);
    a.values["wire-diameters"] = Number(d);
    a.values["tolerance"] = "10";
    if (NeedsCertificate(entry)) {
        a.values["tensile-strength"] = "900";
    }
    return a;
}

class GradeUsability : public testing::TestWithParam<std::string> {};

TEST_P(GradeUsability, ListedGradesWorkAndLeftOutOnesSayWhatIsMissing) {
    const MaterialEntry &entry = Entry(GetParam());
    const double d = DiameterFor(entry);
    const DesignOutcome outcome = Design(entry, d);
    std::string searchError;
    const auto setup = BuildSearch(Search(entry, d), searchError);
    const std::vector<MissingFigure> missing = MissingFigures(entry);
    if (ListedByDefault(entry)) {
        ASSERT_EQ(outcome.status, DesignStatus::Completed) << outcome.message;
        EXPECT_GT(outcome.design.AllowableShearStress, 0.0F);
        EXPECT_FALSE(outcome.checks.empty());
        ASSERT_TRUE(setup) << searchError;
        SearchOptions options;
        options.threads = 1;
        options.checks = ChecksFor(*setup);
        const SearchOutcome found = SearchDesigns(setup->request, options);
        EXPECT_FALSE(found.best.empty() && found.nearestMisses.empty());
        return;
    }
    EXPECT_EQ(outcome.status, DesignStatus::Refused);
    EXPECT_FALSE(setup);
    for (const MissingFigure &figure : missing) {
        for (const std::string &message : {outcome.message, searchError}) {
            EXPECT_NE(message.find(figure.caption), std::string::npos) << message;
            EXPECT_NE(message.find(figure.option), std::string::npos) << message;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BuiltInGrades, GradeUsability, testing::ValuesIn(GradeNames()),
                         [](const testing::TestParamInfo<std::string> &info) {
                             std::string name;
                             for (char c : info.param) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name + "_" + std::to_string(info.index);
                         });

// The listing shows exactly the grades that lack nothing; --all shows every one.
TEST(GradeUsability, TheDefaultListingLeavesOutTheGradesThatLackFigures) {
    const auto listed = MaterialsListJson(Catalog());
    const auto all = MaterialsListJson(Catalog(), true);
    EXPECT_EQ(all.size(), Catalog().entries.size());
    std::size_t usable = 0;
    for (const MaterialEntry &entry : Catalog().entries) {
        usable += ListedByDefault(entry) ? 1 : 0;
    }
    EXPECT_EQ(listed.size(), usable);
    EXPECT_LT(usable, all.size()); // the data still has a grade to leave out
}

} // namespace
