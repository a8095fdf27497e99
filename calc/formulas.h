#pragma once

#include "spring_design.h"

// The spring formulas. Each reads the stored single-precision fields of the
// design, computes in double precision step by step (every step checked,
// see checked_math.h) and rounds once to single precision when it stores.
namespace formulas {

inline constexpr double kPi = 3.14159265358979; // as the program has always used it
inline constexpr double kTwoPi = 6.28318530717958;
inline constexpr double kDegreeFactor = kPi / 180.0; // radians per degree, from kPi
inline constexpr double kWahlTerm = 0.615;
inline constexpr double kEndCoilAllowance = 0.5;

// Hext = 2(D - d) + (n + 1)t, from the entered pitch; returned, not stored.
float ExtensionFreeHeight(const SpringDesign &s);
// C = D / d
void StoreSpringIndex(SpringDesign &s);
// K = (4C - 1) / (4C - 4) + 0.615 / C
void StoreCurvatureFactor(SpringDesign &s);
// k = G d^4 / (8 n D^3)
void StoreSpringRate(SpringDesign &s);
// t = (H0 - (n1 - n - 0.5) d) / n, compression spring
void StoreCompressionPitch(SpringDesign &s);
// b = H0 / D, compression spring
void StoreSlendernessRatio(SpringDesign &s);
// Hb = n1 d, compression spring
void StoreSolidHeight(SpringDesign &s);
// L = pi D n1 (compression) or pi D n1 + 2 pi D (extension, two hook loops)
void StoreDevelopedLength(SpringDesign &s, SpringTypeSign typeSign);
// tau = 8 K C F3 / (pi d^2)
void StoreMaxShearStress(SpringDesign &s);
// alpha = atan(t / (pi D)) in degrees
void StoreHelixAngle(SpringDesign &s);

} // namespace formulas
