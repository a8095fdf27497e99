#pragma once

#include "check_inputs.h"
#include "check_result.h"
#include "torsion_permissible.h"
#include "torsion_spring.h"

#include <optional>
#include <string>

// What the torsion checks need beyond the calculation.
struct TorsionCheckInputs {
    std::optional<MaterialFamily> family;
    std::optional<double> tensileStrength; // Rm min at d, MPa
    std::string tensileStrengthProblem;    // why Rm is missing, in the spring's terms
    LoadType loadType = LoadType::Static;
    LoadDirection direction = LoadDirection::Wind;
    std::optional<double> arborDiameter; // mm
    CheckStandard standard = CheckStandard::Gb;
};

// The checks of a calculated torsion spring, in a fixed order: bending
// stress, working limit, stability, arbor clearance, index, active coils.
CheckResults RunTorsionChecks(const TorsionInputs &in, const TorsionSpring &spring,
                              const TorsionCheckInputs &checks);

// The permissible bending stress σj and its clause; nothing when Rm or the
// family is missing.
struct PermissibleBending {
    double stress = 0.0; // MPa
    std::string clause;
};
std::optional<PermissibleBending> PermissibleBendingOf(const TorsionCheckInputs &checks);
