#pragma once

#include "grade_lookup.h"
#include "material_catalog.h"
#include "permissible_stress.h"
#include "wire_series.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>
#include <vector>

// The three load types, in the order every listing shows them.
inline constexpr LoadType kListedLoadTypes[] = {LoadType::Static, LoadType::DynamicLimited,
                                                LoadType::DynamicUnlimited};

// A grade's figures at one wire diameter: Rm, the permissible shear stress of
// each load type for each spring kind, and whether the diameter is a standard one.
struct GradeFiguresAt {
    ElasticConstants moduli; // G and E at the diameter
    std::optional<TensileStrength> rm;
    GradePermissible compression[3];
    GradePermissible extension[3];
    StandardDiameter standard = StandardDiameter::Unknown;
};
GradeFiguresAt EvaluateGradeAt(const MaterialCatalog &catalog, const MaterialEntry &entry,
                               double wireDiameter);

// The reasons a permissible stress is missing, each said once.
std::vector<std::string> MissingStressReasons(const GradeFiguresAt &at);

// The kind of source of a given figure: "" where the figure is not given or
// its source kind is not recorded.
const char *MarkName(bool given, Provenance provenance);

// The materials data as JSON, the same for `orsela-cli materials` and the page:
// the list of grades, or one grade with its figures at a wire diameter.
// The list leaves out the grades that lack G, E or rho unless `all`.
nlohmann::ordered_json MaterialsListJson(const MaterialCatalog &catalog, bool all = false);
nlohmann::ordered_json MaterialJson(const MaterialCatalog &catalog, const MaterialEntry &entry,
                                    std::optional<double> wireDiameter);
