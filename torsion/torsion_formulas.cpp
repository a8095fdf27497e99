#include "torsion_formulas.h"

#include "checked_math.h"

#include <cmath>
#include <numbers>

namespace torsion {

namespace {
constexpr double kPi = std::numbers::pi;
constexpr const char *kNoMeanDiameter = "弹簧中径为零";
constexpr const char *kNoCoils = "有效圈数为零";
constexpr const char *kNoWire = "材料直径为零";
} // namespace

double EffectiveCoils(double activeCoils, double legLength1, double legLength2,
                      double meanDiameter) {
    return checked::Step(activeCoils + checked::Divide(legLength1 + legLength2,
                                                       3.0 * kPi * meanDiameter, kNoMeanDiameter));
}

double AngularRate(double elasticModulus, double wireDiameter, double meanDiameter, double coils,
                   double constant) {
    const double stiffness = checked::Step(elasticModulus * checked::Power(wireDiameter, 4.0));
    return checked::Divide(stiffness, checked::Step(constant * meanDiameter * coils), kNoCoils);
}

double HandbookCurvatureFactor(double springIndex) {
    return checked::Divide(4.0 * springIndex - 1.0, 4.0 * springIndex - 4.0,
                           "弹簧中径等于材料直径");
}

double BendingStress(double curvatureFactor, double torque, double wireDiameter) {
    return checked::Divide(checked::Step(curvatureFactor * 32.0 * torque),
                           checked::Step(kPi * checked::Power(wireDiameter, 3.0)), kNoWire);
}

double TorqueAtStress(double curvatureFactor, double stress, double wireDiameter) {
    return checked::Divide(checked::Step(kPi * checked::Power(wireDiameter, 3.0) * stress),
                           32.0 * curvatureFactor);
}

double LoadedMeanDiameter(double meanDiameter, double bodyCoils, double angleDegrees) {
    return checked::Divide(checked::Step(meanDiameter * bodyCoils),
                           checked::Step(bodyCoils + angleDegrees / 360.0), kNoCoils);
}

double BodyLength(double wireDiameter, double bodyCoils, double coilSpacing, double angleDegrees) {
    return checked::Step((bodyCoils + 1.0 + angleDegrees / 360.0) * wireDiameter +
                         bodyCoils * coilSpacing);
}

double DevelopedLength(double wireDiameter, double meanDiameter, double bodyCoils,
                       double coilSpacing, double legLengths) {
    const double circumference = checked::Step(kPi * meanDiameter);
    const double pitch = wireDiameter + coilSpacing;
    // π·D/cos α = √((πD)² + t²): the same without the angle.
    const double perCoil = checked::Step(std::hypot(circumference, pitch));
    return checked::Step(perCoil * bodyCoils + legLengths);
}

} // namespace torsion
