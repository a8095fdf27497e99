#include "calculation_error.h"
#include "checked_math.h"
#include "torsion_spring.h"

#include <algorithm>
#include <numbers>

namespace {

// The step that was running names the fault.
template <typename F> auto AtStep(CalculationStep step, F &&compute) {
    try {
        return compute();
    } catch (const CalculationError &e) {
        throw e.atStep(step);
    }
}

} // namespace

TorsionSpring CalculateTorsionSpring(const TorsionInputs &in) {
    using namespace torsion;
    TorsionSpring s;
    const double d = in.wireDiameter;
    const double D = in.meanDiameter;
    const double n = in.activeCoils;
    const double index =
        AtStep(CalculationStep::SpringIndex, [&] { return checked::Divide(D, d, "材料直径为零"); });
    const double k1 =
        AtStep(CalculationStep::CurvatureFactor, [&] { return HandbookCurvatureFactor(index); });
    const double coils = EffectiveCoils(n, in.legLength1, in.legLength2, D);
    const double rate = AtStep(CalculationStep::SpringRate, [&] {
        return AngularRate(in.elasticModulus, d, D, coils, in.rateConstant);
    });
    s.springIndex = checked::Store(index);
    s.curvatureFactor = checked::Store(k1);
    s.effectiveCoils = checked::Store(coils);
    s.angularRate = checked::Store(rate);
    double largestTorque = 0.0;
    double largestAngle = 0.0;
    for (std::size_t i = 0; i < in.points.size(); ++i) {
        if (!in.points[i]) {
            continue;
        }
        const double torque = in.knownTorques ? *in.points[i] : checked::Step(rate * *in.points[i]);
        const double angle =
            in.knownTorques ? AtStep(CalculationStep::Unknown,
                                     [&] { return checked::Divide(torque, rate, "扭转刚度为零"); })
                            : *in.points[i];
        s.torques[i] = checked::Store(torque);
        s.angles[i] = checked::Store(angle);
        s.stresses[i] = checked::Store(
            AtStep(CalculationStep::Unknown, [&] { return BendingStress(k1, torque, d); }));
        largestTorque = std::max(largestTorque, torque);
        largestAngle = std::max(largestAngle, angle);
    }
    s.largestTorque = checked::Store(largestTorque);
    s.largestAngle = checked::Store(largestAngle);
    s.outerDiameter = checked::Store(D + d);
    s.innerDiameter = checked::Store(D - d);
    s.loadedInnerDiameter = checked::Store(LoadedMeanDiameter(D, n, largestAngle) - d);
    s.freeBodyLength = checked::Store(BodyLength(d, n, in.coilSpacing, 0.0));
    s.loadedBodyLength = checked::Store(BodyLength(d, n, in.coilSpacing, largestAngle));
    const double length = AtStep(CalculationStep::DevelopedLength, [&] {
        return DevelopedLength(d, D, n, in.coilSpacing, in.legLength1 + in.legLength2);
    });
    s.developedLength = checked::Store(length);
    if (in.density) {
        // ρ kg/dm³ is ρ·10⁻³ g/mm³.
        const double section = std::numbers::pi * d * d / 4.0;
        s.mass = checked::Store(checked::Step(*in.density * 1.0e-3 * section * length));
    }
    return s;
}
