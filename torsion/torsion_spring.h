#pragma once

#include "torsion_formulas.h"

#include <array>
#include <optional>

// One torsion spring as the designer gives it, in double precision: the
// numbers have been checked already (positive, D > d, points ascending).
struct TorsionInputs {
    double elasticModulus = 0.0; // E, MPa
    double wireDiameter = 0.0;   // d, mm
    double meanDiameter = 0.0;   // D, mm
    double activeCoils = 0.0;    // n, the body's coils
    double legLength1 = 0.0;     // l1, mm
    double legLength2 = 0.0;     // l2, mm
    double coilSpacing = 0.0;    // δ between coils, mm; 0 close-wound
    // The working points: torques (N·mm) when knownTorques, else angles (°).
    std::array<std::optional<double>, 3> points;
    bool knownTorques = false;
    std::optional<double> density; // kg/dm³, for the mass
    double rateConstant = torsion::kHandbookRateConstantPerDegree;
};

// The results, each rounded once to single precision.
struct TorsionSpring {
    float effectiveCoils = 0.0F;                  // n + (l1 + l2)/(3πD)
    float springIndex = 0.0F;                     // C = D/d
    float curvatureFactor = 0.0F;                 // K1
    float angularRate = 0.0F;                     // T', N·mm/°
    std::array<std::optional<float>, 3> torques;  // N·mm, at the given points
    std::array<std::optional<float>, 3> angles;   // °
    std::array<std::optional<float>, 3> stresses; // bending stress, MPa
    float largestTorque = 0.0F;                   // N·mm
    float largestAngle = 0.0F;                    // °
    float outerDiameter = 0.0F;
    float innerDiameter = 0.0F;
    float loadedInnerDiameter = 0.0F; // at the largest angle
    float freeBodyLength = 0.0F;
    float loadedBodyLength = 0.0F; // at the largest angle
    float developedLength = 0.0F;  // body and legs
    std::optional<float> mass;     // g, when the density is known
};

// The calculation; a division by zero or an overflow raises CalculationError.
TorsionSpring CalculateTorsionSpring(const TorsionInputs &in);
