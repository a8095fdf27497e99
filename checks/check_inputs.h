#pragma once

#include "permissible_stress.h"

#include <optional>

// How the spring is seated: the end condition of the buckling check.
enum class EndCondition {
    FixedFixed,   // both ends fixed (closed and ground ends between parallel plates)
    FixedPinned,  // one end fixed, one pivoted
    PinnedPinned, // both ends pivoted
    FixedFree,    // one end fixed, one free
};

// Which standard's method a check follows where the two differ.
enum class CheckStandard { Gb, En };

// What the checks need beyond the design record. A check whose data is
// missing is not applicable and says which value it lacks.
struct CheckInputs {
    std::optional<MaterialFamily> family;
    std::optional<double> tensileStrength;        // Rm min at the design's wire diameter, MPa
    std::optional<double> permissibleShearStress; // for the spring kind and duty, MPa
    std::optional<double> elasticModulus;         // E, MPa
    std::optional<double> density;                // kg/dm3
    LoadType loadType = LoadType::Static;
    EndCondition endCondition = EndCondition::FixedFixed;
    std::optional<double> loadCycles;       // absent: static duty
    std::optional<double> workingFrequency; // Hz
    std::optional<double> hookBendRadius;   // r2 of the extension hook, mm
    CheckStandard standard = CheckStandard::Gb;
};
