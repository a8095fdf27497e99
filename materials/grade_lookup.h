#pragma once

#include "material_catalog.h"
#include "permissible_stress.h"

#include <optional>
#include <string>
#include <string_view>

// The one path from a grade as the user typed it to the figures a design
// takes from it: the entry, and at the design's wire diameter Rm, the
// permissible shear stress for the spring kind and duty, G, E and rho.

// A grade by name or alias (case and blanks ignored); without a match,
// `error` names the closest known grades in Chinese.
struct GradeLookup {
    const MaterialEntry *entry = nullptr;
    std::string error;
};
GradeLookup LookUpGrade(const MaterialCatalog &catalog, std::string_view grade);

// "材料数据中没有牌号“X”，最接近的有：A、B、C".
std::string UnknownGradeMessage(const MaterialCatalog &catalog, std::string_view grade);

// What a known grade gives a design of wire diameter d. A figure the entry
// does not have stays empty; `permissible.problem` says why a stress is
// missing (no table, d outside it, no share for the family).
struct GradeAtDiameter {
    const MaterialEntry *entry = nullptr;
    MaterialFamily family = MaterialFamily::CarbonSpringWire;
    double wireDiameter = 0.0;
    std::optional<double> shearModulus;   // G, MPa
    std::optional<double> elasticModulus; // E, MPa
    std::optional<double> density;        // rho, kg/dm3
    std::optional<TensileStrength> rm;    // Rm min and max at d, MPa
    GradePermissible permissible;         // for the kind and duty asked
};
// certificateRm: the wire maker's certificate Rm, which stands in for the
// table's at this diameter wherever a share of Rm is taken.
GradeAtDiameter GradeAt(const MaterialEntry &entry, SpringKind kind, LoadType load,
                        double wireDiameter, std::optional<double> certificateRm = std::nullopt);
