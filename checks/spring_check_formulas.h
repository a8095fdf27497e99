#pragma once

#include "check_inputs.h"

#include <optional>

// The formulas of the engineering checks, free of the design record so that
// each can be held against a published example in any consistent units.
// Lengths in mm, forces in N, moduli and stresses in MPa unless a function
// says otherwise.

// Seating coefficient of the buckling length for an end condition:
// 0.5 both ends fixed, 0.7 fixed and pivoted, 1 both pivoted, 2 fixed and free.
double SeatingCoefficient(EndCondition condition);

// Critical deflection at which a compression spring buckles,
// sK = H0 * 0.5 / (1 - G/E) * [1 - sqrt(1 - (1 - G/E) / (0.5 + G/E) * (pi D / (nu H0))^2)].
// Nothing when the radicand is negative: such a spring cannot buckle. The
// same curve as Shigley's y_cr = L0 C1' [1 - sqrt(1 - C2' / lambda^2)].
std::optional<double> BucklingCriticalDeflection(double freeHeight, double meanDiameter,
                                                 double shearModulus, double elasticModulus,
                                                 double seatingCoefficient);

// The slenderness nu * H0 / D at which the radicand above reaches zero: a
// longer spring can buckle, a shorter one cannot.
double StabilityLimitSlenderness(double shearModulus, double elasticModulus);

// Smallest sum of coil gaps a cold-coiled compression spring keeps at its
// largest working load, Sa = n (0.0015 D^2 / d + 0.1 d).
double MinimumCoilClearance(double wireDiameter, double meanDiameter, double activeCoils);

// First surge frequency of a spring held at both ends,
// f = 3560 d / (n D^2) * sqrt(G / rho) in Hz (d, D in mm, G in MPa, rho in kg/dm3).
double SurgeFrequency(double wireDiameter, double meanDiameter, double activeCoils,
                      double shearModulus, double density);

// Bending stress at the inside of a round hook loop,
// sigma = F (16 D K1 / (pi d^3) + 4 / (pi d^2)), K1 = (4 C1^2 - C1 - 1) / (4 C1 (C1 - 1)),
// C1 = 2 r1 / d. Nothing when C1 <= 1.
std::optional<double> HookBendingStress(double load, double meanDiameter, double wireDiameter,
                                        double loopRadius);

// Torsional stress where the loop bends out of the body,
// tau = 8 F D / (pi d^3) * (4 C2 - 1) / (4 C2 - 4), C2 = 2 r2 / d. Nothing when C2 <= 1.
std::optional<double> HookTorsionStress(double load, double meanDiameter, double wireDiameter,
                                        double bendRadius);

// Uncorrected shear stress 8 F D / (pi d^3).
double UncorrectedShearStress(double load, double meanDiameter, double wireDiameter);

// Bergstraesser stress factor (C + 0.5) / (C - 0.75).
double BergstraesserFactor(double springIndex);

// The range of the uncorrected initial stress of an extension spring that
// coiling readily gives, by spring index, in MPa:
// 33500 / exp(0.105 C) +- 1000 (4 - (C - 3) / 6.5) psi.
struct StressRange {
    double low = 0.0;
    double high = 0.0;
};
StressRange PreferredInitialStressRange(double springIndex);

// Mass of the developed wire, in g (rho in kg/dm3, lengths in mm).
double WireMass(double wireDiameter, double developedLength, double density);
