#include "spring_check_formulas.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kPsiInMpa = 0.006894757; // 1 psi = 6.894757 kPa

} // namespace

double SeatingCoefficient(EndCondition condition) {
    switch (condition) {
    case EndCondition::FixedFixed:
        return 0.5;
    case EndCondition::FixedPinned:
        return 0.7;
    case EndCondition::PinnedPinned:
        return 1.0;
    case EndCondition::FixedFree:
        return 2.0;
    }
    return 2.0; // the least favourable seat
}

std::optional<double> BucklingCriticalDeflection(double freeHeight, double meanDiameter,
                                                 double shearModulus, double elasticModulus,
                                                 double seatingCoefficient) {
    const double ratio = shearModulus / elasticModulus;
    const double slenderness = kPi * meanDiameter / (seatingCoefficient * freeHeight);
    const double radicand = 1.0 - (1.0 - ratio) / (0.5 + ratio) * slenderness * slenderness;
    if (radicand < 0.0) {
        return std::nullopt;
    }
    return freeHeight * 0.5 / (1.0 - ratio) * (1.0 - std::sqrt(radicand));
}

double StabilityLimitSlenderness(double shearModulus, double elasticModulus) {
    const double ratio = shearModulus / elasticModulus;
    return kPi * std::sqrt((1.0 - ratio) / (0.5 + ratio));
}

double MinimumCoilClearance(double wireDiameter, double meanDiameter, double activeCoils) {
    return activeCoils * (0.0015 * meanDiameter * meanDiameter / wireDiameter + 0.1 * wireDiameter);
}

double SurgeFrequency(double wireDiameter, double meanDiameter, double activeCoils,
                      double shearModulus, double density) {
    return 3560.0 * wireDiameter / (activeCoils * meanDiameter * meanDiameter) *
           std::sqrt(shearModulus / density);
}

std::optional<double> HookBendingStress(double load, double meanDiameter, double wireDiameter,
                                        double loopRadius) {
    const double c1 = 2.0 * loopRadius / wireDiameter;
    if (c1 <= 1.0) {
        return std::nullopt;
    }
    const double k1 = (4.0 * c1 * c1 - c1 - 1.0) / (4.0 * c1 * (c1 - 1.0));
    const double d = wireDiameter;
    return load * (16.0 * meanDiameter * k1 / (kPi * d * d * d) + 4.0 / (kPi * d * d));
}

std::optional<double> HookTorsionStress(double load, double meanDiameter, double wireDiameter,
                                        double bendRadius) {
    const double c2 = 2.0 * bendRadius / wireDiameter;
    if (c2 <= 1.0) {
        return std::nullopt;
    }
    return UncorrectedShearStress(load, meanDiameter, wireDiameter) * (4.0 * c2 - 1.0) /
           (4.0 * c2 - 4.0);
}

double UncorrectedShearStress(double load, double meanDiameter, double wireDiameter) {
    return 8.0 * load * meanDiameter / (kPi * std::pow(wireDiameter, 3.0));
}

double BergstraesserFactor(double springIndex) {
    return (springIndex + 0.5) / (springIndex - 0.75);
}

StressRange PreferredInitialStressRange(double springIndex) {
    const double middle = 33500.0 / std::exp(0.105 * springIndex);
    const double halfWidth = 1000.0 * (4.0 - (springIndex - 3.0) / 6.5);
    return {(middle - halfWidth) * kPsiInMpa, (middle + halfWidth) * kPsiInMpa};
}

double WireMass(double wireDiameter, double developedLength, double density) {
    // kg/dm3 is g/cm3, that is 1e-3 g/mm3.
    return density * 1e-3 * kPi * wireDiameter * wireDiameter / 4.0 * developedLength;
}
