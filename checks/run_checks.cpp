#include "run_checks.h"

#include "check_parts.h"
#include "fatigue_strength.h"

#include <algorithm>

CheckResults RunChecks(const SpringDesign &design, SpringTypeSign typeSign,
                       const CheckInputs &inputs) {
    const CheckContext c = MakeCheckContext(design, typeSign, inputs);
    if (c.extension) {
        return {StaticStrengthCheck(c), AllowableStressCheck(c),
                HookBendingCheck(c),    HookTorsionCheck(c),
                InitialTensionCheck(c), NaturalFrequencyCheck(c),
                FatigueCheck(c),        IndexCheck(c),
                ActiveCoilsCheck(c),    ShearModulusCheck(c),
                MassCheck(c),           WorkCheck(c)};
    }
    return {StaticStrengthCheck(c),
            AllowableStressCheck(c),
            BucklingCheck(c),
            BucklingDeflectionCheck(c),
            CoilClearanceCheck(c),
            SolidStressCheck(c),
            WorkingRangeCheck(c),
            NaturalFrequencyCheck(c),
            FatigueCheck(c),
            IndexCheck(c),
            ActiveCoilsCheck(c),
            HelixAngleCheck(c),
            ShearModulusCheck(c),
            MassCheck(c),
            WorkCheck(c)};
}

std::optional<FatigueDiagram> FatigueDiagramFor(const SpringDesign &design, SpringTypeSign typeSign,
                                                const CheckInputs &inputs) {
    // Only the GB method has a limit line with public figures.
    const CheckContext c = MakeCheckContext(design, typeSign, inputs);
    if (!inputs.loadCycles || !inputs.tensileStrength ||
        JudgedLoadType(inputs) == LoadType::Static ||
        (inputs.standard == CheckStandard::En && !c.extension)) {
        return std::nullopt;
    }
    const auto share =
        PulsatingFatigueShare(std::min(*inputs.loadCycles, kFatigueTableCycles), inputs.family);
    if (!share || !c.GeometryUsable()) {
        return std::nullopt;
    }
    FatigueDiagram diagram;
    diagram.working = {c.CorrectedStress(std::min(c.load1, c.load3)),
                       c.CorrectedStress(std::max(c.load1, c.load3))};
    diagram.tensileStrength = *inputs.tensileStrength;
    // The permissible tau_max = (tau_u0 + 0.75 tau_min) / S from tau_min = 0 up
    // to where it meets tau_max = tau_min (no stress range left).
    const double strength = *share * *inputs.tensileStrength;
    const double meet = strength / (kFatigueSafetyRequired - 0.75);
    diagram.limitLine = {{0.0, strength / kFatigueSafetyRequired}, {meet, meet}};
    diagram.method =
        "GB/T 23935-2009 疲劳强度验算: τmax ≤ (τu0 + 0.75τmin)/1.3, τu0 = " + Fixed(*share, 2) +
        "·Rm";
    return diagram;
}
