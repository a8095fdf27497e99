#include "torsion_checks.h"

#include "check_context.h"
#include "torsion_formulas.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kArborShare = 0.9;       // arbor ≤ 90 % of the loaded inner diameter
constexpr double kIndexLowest = 4.0;      // EN 13906-3 scope, cold-coiled
constexpr double kIndexHighest = 20.0;    // EN 13906-3 scope, cold-coiled
constexpr double kFewestCoils = 2.0;      // EN 13906-3 scope
constexpr double kStabilityAngle = 123.1; // 机械设计手册 Table 12-2-29

constexpr const char *kArborClause =
    "制造商经验 (fourslide.cn、multi-slides.com: 芯轴宜留约 10 % 间隙): 芯轴直径 ≤ 0.9 D1'";
constexpr const char *kEnNotJudged =
    "EN 13906-3 的扭转弹簧应力修正系数 q 与许用弯曲应力尚无可引用的条文, 扭转弹簧暂不按 EN "
    "校核";

// The angle a torque turns the spring; the rate of a calculated spring is
// positive.
double AngleAt(const TorsionSpring &s, double torque) {
    return s.angularRate > 0.0F ? torque / s.angularRate : 0.0;
}

double LargestStress(const TorsionSpring &s) {
    double largest = 0.0;
    for (const auto &stress : s.stresses) {
        largest = std::max(largest, static_cast<double>(stress.value_or(0.0F)));
    }
    return largest;
}

std::string LoadClassName(LoadType load) {
    switch (load) {
    case LoadType::Static:
        return "静载 (N < 10³)";
    case LoadType::DynamicLimited:
        return "有限寿命 (10³ ≤ N ≤ 10⁶)";
    case LoadType::DynamicUnlimited:
        return "无限寿命 (N > 10⁶)";
    }
    return "";
}

CheckResult BendingCheck(const TorsionSpring &s, const TorsionCheckInputs &in) {
    CheckResult check =
        MakeCheck("torsion-bending", "MPa", "σ = K1·32T/(πd³), K1 = (4C−1)/(4C−4) (机械设计手册)");
    check.value = LargestStress(s);
    if (in.standard == CheckStandard::En) {
        check.clause = "EN 13906-3";
        return NotJudged(check, kEnNotJudged, CheckInput::None);
    }
    const auto permissible = PermissibleBendingOf(in);
    if (!permissible) {
        return NotJudged(check, in.tensileStrengthProblem, CheckInput::TensileStrength);
    }
    check.clause += "; 许用 " + LoadClassName(in.loadType) + ": " + permissible->clause;
    check.limit = permissible->stress;
    const bool ok = *check.value <= permissible->stress;
    check.verdict = ok ? CheckVerdict::Ok : CheckVerdict::Fail;
    check.message = "最大弯曲应力 " + Fixed(*check.value, 1) + (ok ? " MPa 不超过" : " MPa 超过") +
                    "许用弯曲应力 " + Fixed(permissible->stress, 1) + " MPa";
    return check;
}

// The working-limit torque Tj and angle φj: what the spring carries at the
// permissible stress, for reference.
CheckResult WorkingLimitCheck(const TorsionInputs &in, const TorsionSpring &s,
                              const TorsionCheckInputs &checks) {
    CheckResult check = MakeCheck("working-limit", "N·mm",
                                  "Tj = πd³σj/(32K1), φj = Tj/T' (机械设计手册 表 12-2-29)");
    if (checks.standard == CheckStandard::En) {
        return NotApplicable(check, kEnNotJudged);
    }
    const auto permissible = PermissibleBendingOf(checks);
    if (!permissible) {
        return NotApplicable(check, checks.tensileStrengthProblem, CheckInput::TensileStrength);
    }
    const double torque =
        torsion::TorqueAtStress(s.curvatureFactor, permissible->stress, in.wireDiameter);
    check.value = torque;
    check.verdict = CheckVerdict::Info;
    check.message = "工作极限扭矩 Tj = " + Fixed(torque, 1) +
                    " N·mm, 工作极限扭转角 φj = " + Fixed(AngleAt(s, torque), 1) + "°";
    return check;
}

// 机械设计手册 Table 12-2-29: n > (φj/123.1)⁴; not needed below φj = 123°.
// Judged at the working-limit angle where Rm gives it, else at the largest
// working angle.
CheckResult StabilityCheck(const TorsionInputs &in, const TorsionSpring &s,
                           const TorsionCheckInputs &checks) {
    CheckResult check = MakeCheck("torsion-stability", "",
                                  "n > nmin = (φj/123.1)⁴, φj < 123° 时不必验算 "
                                  "(机械设计手册 表 12-2-29)");
    double angle = s.largestAngle;
    std::string which = "最大工作扭转角";
    if (const auto permissible = PermissibleBendingOf(checks);
        permissible && checks.standard == CheckStandard::Gb) {
        angle = std::max(angle,
                         AngleAt(s, torsion::TorqueAtStress(s.curvatureFactor, permissible->stress,
                                                            in.wireDiameter)));
        which = "工作极限扭转角";
    }
    if (angle < 123.0) {
        return NotApplicable(check, which + " " + Fixed(angle, 1) + "° 小于 123°, 不必验算");
    }
    // The fourth power by multiplication: std::pow may differ in the last bit
    // between C libraries, and the page must print the command line's digits.
    const double ratio = angle / kStabilityAngle;
    const double fewest = (ratio * ratio) * (ratio * ratio);
    check.value = in.activeCoils;
    check.limit = fewest;
    const bool ok = in.activeCoils > fewest;
    check.verdict = ok ? CheckVerdict::Ok : CheckVerdict::Fail;
    check.message = "有效圈数 " + Fixed(in.activeCoils, 2) + (ok ? " 多于" : " 不多于") + which +
                    " " + Fixed(angle, 1) + "° 所需的 " + Fixed(fewest, 2) + " 圈";
    return check;
}

CheckResult ArborCheck(const TorsionSpring &s, const TorsionCheckInputs &checks) {
    CheckResult check = MakeCheck("arbor-clearance", "mm", kArborClause);
    if (!checks.arborDiameter) {
        return NotApplicable(check, "未给芯轴直径");
    }
    const double loaded = s.loadedInnerDiameter;
    check.value = *checks.arborDiameter;
    check.limit = kArborShare * loaded;
    const std::string figures = "芯轴直径 " + Fixed(*checks.arborDiameter, 2) +
                                " mm, 最大扭转角时内径 " + Fixed(loaded, 2) + " mm";
    if (*checks.arborDiameter >= loaded) {
        check.verdict = CheckVerdict::Fail;
        check.message = figures + ": 弹簧抱紧芯轴";
    } else if (*checks.arborDiameter > *check.limit) {
        check.verdict = CheckVerdict::Warning;
        check.message = figures + ": 间隙小于内径的 10 %";
    } else {
        check.verdict = CheckVerdict::Ok;
        check.message = figures + ": 间隙不小于内径的 10 %";
    }
    return check;
}

CheckResult IndexCheck(const TorsionSpring &s) {
    CheckResult check = MakeCheck("spring-index", "", "EN 13906-3 适用范围 (冷卷): 4 ≤ C ≤ 20");
    const double index = s.springIndex;
    check.value = index;
    const bool low = index < kIndexLowest;
    const bool high = index > kIndexHighest;
    check.limit = low ? kIndexLowest : kIndexHighest;
    check.verdict = low || high ? CheckVerdict::Warning : CheckVerdict::Ok;
    check.message = "旋绕比 " + Fixed(index, 2) +
                    (low    ? " 小于 4"
                     : high ? " 大于 20"
                            : " 在 4~20 内") +
                    (low || high ? ", 超出该标准的适用范围" : "");
    return check;
}

CheckResult ActiveCoilsCheck(const TorsionInputs &in) {
    CheckResult check = MakeCheck("active-coils", "", "EN 13906-3 适用范围: n ≥ 2");
    check.value = in.activeCoils;
    check.limit = kFewestCoils;
    const bool ok = in.activeCoils >= kFewestCoils;
    check.verdict = ok ? CheckVerdict::Ok : CheckVerdict::Fail;
    check.message = "有效圈数 " + Fixed(in.activeCoils, 2) + (ok ? " 不少于 2 圈" : " 少于 2 圈");
    return check;
}

} // namespace

std::optional<PermissibleBending> PermissibleBendingOf(const TorsionCheckInputs &checks) {
    if (!checks.tensileStrength || !checks.family) {
        return std::nullopt;
    }
    const BendingShare share =
        PermissibleBendingShare(*checks.family, checks.loadType, checks.direction);
    return PermissibleBending{share.share * *checks.tensileStrength,
                              share.clause + " × Rm " + Fixed(*checks.tensileStrength, 0) + " MPa"};
}

CheckResults RunTorsionChecks(const TorsionInputs &in, const TorsionSpring &spring,
                              const TorsionCheckInputs &checks) {
    return {BendingCheck(spring, checks),
            WorkingLimitCheck(in, spring, checks),
            StabilityCheck(in, spring, checks),
            ArborCheck(spring, checks),
            IndexCheck(spring),
            ActiveCoilsCheck(in)};
}
