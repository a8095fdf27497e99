#pragma once

#include <string>

// The one spring design held by the window: every input the Calculate
// command reads and every value the calculation derives. All quantities are
// single precision; lengths in mm, forces in N, modulus and stresses in MPa,
// rate in N/mm, angle in degrees. The field order is the declared order of
// the design record and is kept on purpose.
struct SpringDesign {
    float HelixAngle = 0.0F;
    std::string Material;
    float WireDiameter = 0.0F;
    float MeanDiameter = 0.0F;
    float SpringIndex = 0.0F;
    float CurvatureFactor = 0.0F;
    float ShearModulus = 0.0F;
    float SpringRate = 0.0F;
    float ActiveCoils = 0.0F;
    float TotalCoils = 0.0F;
    float Pitch = 0.0F;
    float DevelopedLength = 0.0F;
    float FreeHeight = 0.0F;
    float SolidHeight = 0.0F;
    float WorkingHeight1 = 0.0F;
    float WorkingHeight2 = 0.0F;
    float WorkingHeight3 = 0.0F;
    float WorkingLoad1 = 0.0F;
    float WorkingLoad2 = 0.0F;
    float WorkingLoad3 = 0.0F;
    float InitialTension = 0.0F;
    float SlendernessRatio = 0.0F;
    float MaxShearStress = 0.0F;
    float AllowableShearStress = 0.0F;

    bool operator==(const SpringDesign &) const = default;
};

// -1 for a compression spring (both ends closed and ground), +1 for an
// extension spring (round hook loops). Never 0: it is also the sign of the
// deflection when heights are derived from loads.
using SpringTypeSign = short;
inline constexpr SpringTypeSign kCompressionSpring = -1;
inline constexpr SpringTypeSign kExtensionSpring = 1;

// Which working-point column the designer fills in; the run derives the other.
enum class WorkingPointMode { KnownHeights, KnownLoads };
