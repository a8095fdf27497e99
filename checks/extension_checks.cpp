#include "check_parts.h"
#include "spring_check_formulas.h"

#include <optional>

namespace {

// Static permissible stresses in the hook loops as shares of Rm, for
// cold-drawn and hardened-and-tempered carbon and low-alloy steel wire:
// bending 0.75, torsion 0.40 (Shigley's Mechanical Engineering Design, ch. 10,
// the table of maximum allowable stresses of extension springs). No share is
// given here for stainless or copper alloy wire.
struct HookShares {
    double bending;
    double torsion;
};

std::optional<HookShares> HookSharesFor(std::optional<MaterialFamily> family) {
    if (!family) {
        return std::nullopt;
    }
    switch (*family) {
    case MaterialFamily::CarbonSpringWire:
    case MaterialFamily::OilTemperedWire:
    case MaterialFamily::AlloySpringSteel:
        return HookShares{0.75, 0.40};
    case MaterialFamily::StainlessSpringWire:
    case MaterialFamily::CopperAlloyWire:
        return std::nullopt;
    }
    return std::nullopt;
}

constexpr const char *kHookClause =
    "Shigley 第10章 拉伸弹簧钩环应力; 许用: 弯曲 0.75·Rm, 扭转 0.40·Rm "
    "(冷拉及淬回火碳钢、低合金钢丝)";

// The reason a hook check has no limit, or nothing.
std::optional<std::string> HookLimitMissing(const CheckContext &c) {
    if (!c.inputs.tensileStrength) {
        return NeedsTensileStrength(c.inputs);
    }
    if (!HookSharesFor(c.inputs.family)) {
        return c.inputs.family ? "该材料类别 (不锈钢、铜合金) 的钩环许用应力没有可核对的来源"
                               : "缺少材料类别: 需要已知材料牌号";
    }
    return std::nullopt;
}

CheckResult HookVerdict(CheckResult check, double stress, double permissible, const char *what) {
    check.value = stress;
    check.limit = permissible;
    check.verdict = stress <= permissible ? CheckVerdict::Ok : CheckVerdict::Fail;
    check.message = std::string(what) + " " + Fixed(stress, 1) +
                    (stress <= permissible ? " MPa 不大于许用值 " : " MPa 超过许用值 ") +
                    Fixed(permissible, 1) + " MPa";
    return check;
}

} // namespace

double DefaultHookBendRadius(double wireDiameter) {
    return 2.0 * wireDiameter;
}

CheckResult HookBendingCheck(const CheckContext &c) {
    CheckResult check =
        MakeCheck("hook-bending", "MPa",
                  std::string("σ = F·(16D·K1/(πd³) + 4/(πd²)), r1 = D/2; ") + kHookClause);
    if (!c.GeometryUsable()) {
        return NotApplicable(check, kNeedsGeometry);
    }
    const auto stress =
        HookBendingStress(c.load3, c.meanDiameter, c.wireDiameter, c.meanDiameter / 2.0);
    if (!stress) {
        return NotApplicable(check, "钩环半径过小 (C1 ≤ 1)");
    }
    if (const auto missing = HookLimitMissing(c)) {
        check.value = *stress;
        return NotApplicable(check, "钩环弯曲应力 " + Fixed(*stress, 1) + " MPa; " + *missing,
                             c.inputs.tensileStrength ? CheckInput::None
                                                      : CheckInput::TensileStrength);
    }
    const double permissible = HookSharesFor(c.inputs.family)->bending * *c.inputs.tensileStrength;
    return HookVerdict(check, *stress, permissible, "F3 下钩环弯曲应力");
}

CheckResult HookTorsionCheck(const CheckContext &c) {
    const bool given = c.inputs.hookBendRadius.has_value();
    const double radius = given ? *c.inputs.hookBendRadius : DefaultHookBendRadius(c.wireDiameter);
    CheckResult check =
        MakeCheck("hook-torsion", "MPa",
                  std::string("τ = 8FD/(πd³)·(4C2 − 1)/(4C2 − 4), C2 = 2r2/d, r2 = ") +
                      Fixed(radius, 2) + (given ? " mm; " : " mm (未给, 取 2d); ") + kHookClause);
    if (!c.GeometryUsable()) {
        return NotApplicable(check, kNeedsGeometry);
    }
    const auto stress = HookTorsionStress(c.load3, c.meanDiameter, c.wireDiameter, radius);
    if (!stress) {
        return NotApplicable(check, "钩环弯曲半径 r2 过小 (C2 = 2r2/d 须大于 1)");
    }
    if (const auto missing = HookLimitMissing(c)) {
        check.value = *stress;
        return NotApplicable(check, "钩环扭转应力 " + Fixed(*stress, 1) + " MPa; " + *missing,
                             c.inputs.tensileStrength ? CheckInput::None
                                                      : CheckInput::TensileStrength);
    }
    const double permissible = HookSharesFor(c.inputs.family)->torsion * *c.inputs.tensileStrength;
    return HookVerdict(check, *stress, permissible, "F3 下钩环扭转应力");
}

CheckResult InitialTensionCheck(const CheckContext &c) {
    CheckResult check = MakeCheck(
        "initial-tension", "MPa",
        "初切应力 τ0 = 8F0D/(πd³) 的推荐范围 33500/e^(0.105C) ± 1000(4 − (C − 3)/6.5) psi "
        "(Shigley 第10章, 4 ≤ C ≤ 16)");
    if (!c.GeometryUsable()) {
        return NotApplicable(check, kNeedsGeometry);
    }
    if (!(c.initialTension > 0.0)) {
        return NotApplicable(check, "未给初拉力 F0");
    }
    const double stress = UncorrectedShearStress(c.initialTension, c.meanDiameter, c.wireDiameter);
    check.value = stress;
    if (c.springIndex < 4.0 || c.springIndex > 16.0) {
        return NotApplicable(check, "旋绕比 " + Fixed(c.springIndex, 2) +
                                        " 超出初切应力推荐范围的适用区间 4~16");
    }
    const StressRange range = PreferredInitialStressRange(c.springIndex);
    const std::string figures = "初切应力 " + Fixed(stress, 1) + " MPa, 推荐 " +
                                Fixed(range.low, 1) + "~" + Fixed(range.high, 1) + " MPa";
    if (stress < range.low) {
        check.limit = range.low;
        check.verdict = CheckVerdict::Warning;
        check.message = figures + ", 偏低";
    } else if (stress > range.high) {
        check.limit = range.high;
        check.verdict = CheckVerdict::Warning;
        check.message = figures + ", 偏高, 难以卷制";
    } else {
        check.limit = range.high;
        check.verdict = CheckVerdict::Ok;
        check.message = figures;
    }
    return check;
}
