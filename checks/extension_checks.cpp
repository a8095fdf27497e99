#include "check_parts.h"
#include "spring_check_formulas.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// Permissible stresses in the hook loops as shares of Rm (Shigley's
// Mechanical Engineering Design, ch. 10). Static (table 10-7): end bending
// 0.75 and end torsion 0.40 for cold-drawn and hardened-and-tempered carbon
// and low-alloy steel wire, 0.55 and 0.30 for austenitic stainless and
// nonferrous wire. Cyclic (table 10-8, ASTM A228 and type 302 stainless, not
// peened): bending 0.51 / 0.47 / 0.45 and torsion 0.34 / 0.30 / 0.28 at
// 10^5 / 10^6 / 10^7 cycles. A count takes the row at or above it, fewer than
// 10^5 the 10^5 row, more than 10^7 the 10^7 row; the share is never above the
// static one.
struct HookShares {
    double bending;
    double torsion;
    std::string rule; // the shares and their table, for the clause
};

struct HookFatigueRow {
    double cycles;
    double bending;
    double torsion;
};

constexpr HookFatigueRow kHookFatigueRows[] = {
    {1e5, 0.51, 0.34},
    {1e6, 0.47, 0.30},
    {1e7, 0.45, 0.28},
};

std::optional<HookShares> HookSharesFor(const CheckInputs &in) {
    if (!in.family) {
        return std::nullopt;
    }
    const bool steel = *in.family == MaterialFamily::CarbonSpringWire ||
                       *in.family == MaterialFamily::OilTemperedWire ||
                       *in.family == MaterialFamily::AlloySpringSteel;
    HookShares shares{steel ? 0.75 : 0.55, steel ? 0.40 : 0.30,
                      steel ? "Shigley 表 10-7 静载 (冷拉及淬回火碳钢、低合金钢丝)"
                            : "Shigley 表 10-7 静载 (奥氏体不锈钢及有色金属丝)"};
    if (JudgedLoadType(in) == LoadType::Static || !in.loadCycles) {
        return shares;
    }
    const HookFatigueRow *row = &kHookFatigueRows[2];
    for (const HookFatigueRow &r : kHookFatigueRows) {
        if (*in.loadCycles <= r.cycles) {
            row = &r;
            break;
        }
    }
    shares.bending = std::min(shares.bending, row->bending);
    shares.torsion = std::min(shares.torsion, row->torsion);
    shares.rule += "; 循环载荷按 Shigley 表 10-8 " + Fixed(row->cycles, 0) + " 次一行 (" +
                   (*in.loadCycles > row->cycles ? "超出表的范围, 取最后一行; " : "") +
                   "不高于静载值)";
    return shares;
}

// The reason a hook check has no limit, or nothing.
std::optional<std::string> HookLimitMissing(const CheckContext &c) {
    if (!c.inputs.tensileStrength) {
        return NeedsTensileStrength(c.inputs);
    }
    if (!c.inputs.family) {
        return "缺少材料类别: 需要已知材料牌号";
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
        MakeCheck("hook-bending", "MPa", "σ = F·(16D·K1/(πd³) + 4/(πd²)), r1 = D/2");
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
    const HookShares shares = *HookSharesFor(c.inputs);
    check.clause += "; 许用 " + Fixed(shares.bending, 2) + "·Rm, " + shares.rule;
    return HookVerdict(check, *stress, shares.bending * *c.inputs.tensileStrength,
                       "F3 下钩环弯曲应力");
}

CheckResult HookTorsionCheck(const CheckContext &c) {
    const bool given = c.inputs.hookBendRadius.has_value();
    const double radius = given ? *c.inputs.hookBendRadius : DefaultHookBendRadius(c.wireDiameter);
    CheckResult check =
        MakeCheck("hook-torsion", "MPa",
                  std::string("τ = 8FD/(πd³)·(4C2 − 1)/(4C2 − 4), C2 = 2r2/d, r2 = ") +
                      Fixed(radius, 2) + (given ? " mm" : " mm (未给, 取 2d)"));
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
    const HookShares shares = *HookSharesFor(c.inputs);
    check.clause += "; 许用 " + Fixed(shares.torsion, 2) + "·Rm, " + shares.rule;
    return HookVerdict(check, *stress, shares.torsion * *c.inputs.tensileStrength,
                       "F3 下钩环扭转应力");
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
