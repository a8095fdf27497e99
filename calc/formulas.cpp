#include "formulas.h"

#include "checked_math.h"

#include <cmath>

namespace formulas {

using checked::Divide;
using checked::Power;
using checked::Step;
using checked::Store;

constexpr const char *kWireTooThin = "材料直径为零或过小";
constexpr const char *kMeanTooSmall = "弹簧中径为零或过小";

float ExtensionFreeHeight(const SpringDesign &s) {
    const double loops = Step(Step(double{s.MeanDiameter} - s.WireDiameter) * 2.0);
    const double coils = Step(Step(double{s.ActiveCoils} + 1.0) * s.Pitch);
    return Store(loops + coils);
}

void StoreSpringIndex(SpringDesign &s) {
    s.SpringIndex = Store(Divide(s.MeanDiameter, s.WireDiameter, kWireTooThin));
}

void StoreCurvatureFactor(SpringDesign &s) {
    const double c = s.SpringIndex;
    const double ratio = Divide(Step(4.0 * c - 1.0), Step(4.0 * c - 4.0), "弹簧中径等于材料直径");
    s.CurvatureFactor = Store(ratio + Divide(kWahlTerm, c, kMeanTooSmall));
}

void StoreSpringRate(SpringDesign &s) {
    // The numerator G d^4 is held as a double before the division.
    const double numerator = Step(Power(s.WireDiameter, 4.0) * s.ShearModulus);
    const double meanCubed = Power(s.MeanDiameter, 3.0);
    const double eightN = Step(double{s.ActiveCoils} * 8.0);
    s.SpringRate =
        Store(Divide(numerator, Step(meanCubed * eightN), "弹簧中径或有效圈数为零或过小"));
}

void StoreCompressionPitch(SpringDesign &s) {
    const double extraCoils = Step(double{s.TotalCoils} - s.ActiveCoils);
    const double deadLength = Step(Step(extraCoils - kEndCoilAllowance) * s.WireDiameter);
    s.Pitch = Store(Divide(Step(s.FreeHeight - deadLength), s.ActiveCoils, "有效圈数为零或过小"));
}

void StoreSlendernessRatio(SpringDesign &s) {
    s.SlendernessRatio = Store(Divide(s.FreeHeight, s.MeanDiameter, kMeanTooSmall));
}

void StoreSolidHeight(SpringDesign &s) {
    s.SolidHeight = Store(double{s.TotalCoils} * s.WireDiameter);
}

void StoreDevelopedLength(SpringDesign &s, SpringTypeSign typeSign) {
    const double coils = Step(Step(double{s.MeanDiameter} * kPi) * s.TotalCoils);
    if (typeSign == kCompressionSpring) {
        s.DevelopedLength = Store(coils);
        return;
    }
    const double loops = Step(double{s.MeanDiameter} * kTwoPi);
    s.DevelopedLength = Store(coils + loops);
}

void StoreMaxShearStress(SpringDesign &s) {
    // The numerator 8 K C F3 is held as a double before the division.
    const double numerator =
        Step(Step(Step(double{s.CurvatureFactor} * 8.0) * s.SpringIndex) * s.WorkingLoad3);
    const double area = Step(Power(s.WireDiameter, 2.0) * kPi);
    s.MaxShearStress = Store(Divide(numerator, area, kWireTooThin));
}

void StoreHelixAngle(SpringDesign &s) {
    const double slope = Divide(Divide(s.Pitch, kPi), s.MeanDiameter, kMeanTooSmall);
    s.HelixAngle = Store(Divide(std::atan(slope), kDegreeFactor));
}

} // namespace formulas
