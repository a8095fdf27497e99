#pragma once

// The formulas of a helical torsion spring of round wire, in double
// precision, each step checked as the other kinds' formulas are. Lengths in
// mm, E and stresses in MPa, torques in N·mm, angles in degrees unless a
// constant says otherwise.
namespace torsion {

// The rate constant of 机械设计手册 Table 12-2-29: T' = E·d⁴/(3667·D·n) in
// N·mm per degree (3667 = 64·180/π, the bending of a straight bar).
inline constexpr double kHandbookRateConstantPerDegree = 3667.0;

// Active coils with the legs' share of the angle: n + (l1 + l2)/(3πD), the
// leg rule of Sunwoo's JIS-side formula (389 = 3667/(3π)).
double EffectiveCoils(double activeCoils, double legLength1, double legLength2,
                      double meanDiameter);

// The angular rate E·d⁴/(constant·D·n): a torque per the angle unit the
// constant is for (the handbook's 3667 per degree; the US 10.8 per turn).
double AngularRate(double elasticModulus, double wireDiameter, double meanDiameter, double coils,
                   double constant);

// The handbook's curvature factor K1 = (4C − 1)/(4C − 4).
double HandbookCurvatureFactor(double springIndex);

// The bending stress K·32·T/(π·d³); K = 1 for the uncorrected stress.
double BendingStress(double curvatureFactor, double torque, double wireDiameter);

// The torque at which the bending stress reaches a permissible stress:
// Tj = π·d³·σj/(32·K1).
double TorqueAtStress(double curvatureFactor, double stress, double wireDiameter);

// The mean diameter after the body turned by an angle: D·n/(n + φ/360)
// (handbook D'1 + d; Mott's Dm' = Dm·Nb/(Nb + θ), θ in turns).
double LoadedMeanDiameter(double meanDiameter, double bodyCoils, double angleDegrees);

// The body length: (n + 1)·d wires and n gaps of the coil spacing; wound up
// by an angle the body gains φ/360 coils of wire (Mott: Dw·(Nb + 1 + θ)).
double BodyLength(double wireDiameter, double bodyCoils, double coilSpacing, double angleDegrees);

// The developed length of the wire: π·D·n/cos α with tan α = t/(πD), t = d +
// spacing, plus the legs (handbook Table 12-2-29).
double DevelopedLength(double wireDiameter, double meanDiameter, double bodyCoils,
                       double coilSpacing, double legLengths);

} // namespace torsion
