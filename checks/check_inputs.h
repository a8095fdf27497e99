#pragma once

#include "permissible_stress.h"

#include <optional>
#include <string>

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
    std::optional<double> tensileStrength; // Rm min at the design's wire diameter, MPa
    // The standard's permissible stress for the spring kind and duty, with
    // its clause; when there is none, why (in the spring's terms).
    std::optional<PermissibleShearStress> standardPermissible;
    std::string standardPermissibleProblem;
    // The static permissible stress, which the standard takes as the test
    // stress: the stress at solid height and the working range are held to it.
    std::optional<PermissibleShearStress> testStress;
    std::optional<double> gradeShearModulus; // G of the grade in the material table, MPa
    bool rmNeedsCertificate = false;      // the grade has no Rm table: only a certificate gives it
    std::optional<double> elasticModulus; // E, MPa
    std::optional<double> density;        // kg/dm3
    LoadType loadType = LoadType::Static; // the duty the permissible stress is for
    // The duty as given by the designer, when given; it wins over the cycles.
    std::optional<LoadType> loadTypeGiven;
    EndCondition endCondition = EndCondition::FixedFixed;
    std::optional<double> loadCycles;       // absent: static duty
    std::optional<double> workingFrequency; // Hz
    std::optional<double> hookBendRadius;   // r2 of the extension hook, mm
    CheckStandard standard = CheckStandard::Gb;
};

// The load class every row judges by: the stricter of the given duty and the
// one the load cycles call for.
LoadType JudgedLoadType(const CheckInputs &inputs);
