#include "check_parts.h"
#include "spring_check_formulas.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <string>

namespace {

// GB/T 23935's slenderness b = H0 / D below which a compression spring needs
// no buckling check; it gives none for a spring with one free end.
std::optional<double> GbSlendernessLimit(EndCondition condition) {
    switch (condition) {
    case EndCondition::FixedFixed:
        return 5.3;
    case EndCondition::FixedPinned:
        return 3.7;
    case EndCondition::PinnedPinned:
        return 2.6;
    case EndCondition::FixedFree:
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

CheckResult BucklingCheck(const CheckContext &c) {
    // The slenderness is information; the critical deflection judges.
    CheckResult check = MakeCheck("buckling", "",
                                  "GB/T 23935-2009 高径比 b = H0/D 限值: 两端固定 5.3, "
                                  "一端回转 3.7, 两端回转 2.6 (仅供参考, 稳定性按临界变形判定)");
    if (!(c.freeHeight > 0.0) || !(c.meanDiameter > 0.0)) {
        return NotApplicable(check, "自由高度或中径不为正");
    }
    const double b = c.freeHeight / c.meanDiameter;
    check.value = b;
    check.verdict = CheckVerdict::Info;
    const auto limit = GbSlendernessLimit(c.inputs.endCondition);
    if (!limit) {
        check.message = "高径比 b = " + Fixed(b, 2) + "; 一端自由时标准未给出高径比限值 (仅供参考)";
        return check;
    }
    check.limit = *limit;
    check.message = "高径比 b = " + Fixed(b, 2) + (b <= *limit ? " 不大于 " : " 大于 ") +
                    Fixed(*limit, 1) + " (仅供参考; 稳定性按临界变形判定)";
    return check;
}

namespace {

// Poisson's ratio for E = 2 (1 + nu) G where no E is known: the common
// figure for spring steels, said in the row.
constexpr double kPoissonRatio = 0.3;

} // namespace

CheckResult BucklingDeflectionCheck(const CheckContext &c) {
    CheckResult check =
        MakeCheck("buckling-deflection", "mm", "EN 13906-1 临界变形 sK, 须 f3 = H0 − H3 < sK");
    if (!(c.freeHeight > 0.0) || !(c.meanDiameter > 0.0) || !(c.shearModulus > 0.0)) {
        return NotApplicable(check, "自由高度、中径或切变模量不为正");
    }
    const double deflection = c.freeHeight - c.height3;
    check.value = deflection;
    const std::optional<double> &given = c.inputs.elasticModulus;
    if (given && !(*given > c.shearModulus)) {
        return NotJudged(check,
                         "弹性模量 E " + Fixed(*given, 0) + " MPa 不大于切变模量 G " +
                             Fixed(c.shearModulus, 0) + " MPa, 数据矛盾, 无法计算临界变形",
                         CheckInput::ElasticModulus);
    }
    const double e = given ? *given : 2.0 * (1.0 + kPoissonRatio) * c.shearModulus;
    const std::string eText =
        given ? "" : "; 未给 E, 取 E = 2(1 + ν)G = " + Fixed(e, 0) + " MPa (ν = 0.3)";
    check.clause += given ? "" : "; E = 2(1 + ν)G, ν = 0.3";
    const auto critical = BucklingCriticalDeflection(c.freeHeight, c.meanDiameter, c.shearModulus,
                                                     e, SeatingCoefficient(c.inputs.endCondition));
    if (!critical) {
        check.verdict = CheckVerdict::Ok;
        check.message = "此高径比和支承下不存在临界变形, 稳定" + eText;
        return check;
    }
    check.limit = *critical;
    if (*critical > deflection) {
        check.verdict = CheckVerdict::Ok;
        check.message = "F3 下变形 " + Fixed(deflection, 1) + " mm 小于临界变形 " +
                        Fixed(*critical, 1) + " mm, 稳定" + eText;
    } else {
        check.verdict = CheckVerdict::Fail;
        check.message = "F3 下变形 " + Fixed(deflection, 1) + " mm 不小于临界变形 " +
                        Fixed(*critical, 1) + " mm, 会失稳: 加导杆或导套" + eText;
    }
    return check;
}

CheckResult CoilClearanceCheck(const CheckContext &c) {
    const bool dynamic = JudgedLoadType(c.inputs) != LoadType::Static;
    CheckResult check =
        MakeCheck("coil-clearance", "mm",
                  dynamic ? "EN 13906-1 最小圈间间隙之和 Sa = 1.5·n(0.0015D²/d + 0.1d) (冷卷, 动载)"
                          : "EN 13906-1 最小圈间间隙之和 Sa = n(0.0015D²/d + 0.1d) (冷卷, 静载)");
    if (!c.GeometryUsable()) {
        return NotApplicable(check, kNeedsGeometry);
    }
    const double gaps = c.height3 - c.solidHeight;
    const double minimum =
        (dynamic ? 1.5 : 1.0) * MinimumCoilClearance(c.wireDiameter, c.meanDiameter, c.activeCoils);
    check.value = gaps;
    check.limit = minimum;
    if (gaps >= minimum) {
        check.verdict = CheckVerdict::Ok;
        check.message =
            "H3 下圈间间隙之和 " + Fixed(gaps, 2) + " mm 不小于 Sa = " + Fixed(minimum, 2) + " mm";
    } else {
        check.verdict = CheckVerdict::Warning;
        check.message = "H3 下圈间间隙之和 " + Fixed(gaps, 2) +
                        " mm 小于 Sa = " + Fixed(minimum, 2) + " mm, 弹簧特性不再线性";
    }
    return check;
}

CheckResult HelixAngleCheck(const CheckContext &c) {
    CheckResult check =
        MakeCheck("helix-angle", "°", "机械设计手册 圆柱螺旋压缩弹簧螺旋角一般取 5°~9°");
    check.value = c.helixAngle;
    if (c.helixAngle < 5.0) {
        check.limit = 5.0;
        check.verdict = CheckVerdict::Warning;
        check.message = "螺旋角 " + Fixed(c.helixAngle, 2) + "° 小于推荐的 5°";
    } else if (c.helixAngle > 9.0) {
        check.limit = 9.0;
        check.verdict = CheckVerdict::Warning;
        check.message = "螺旋角 " + Fixed(c.helixAngle, 2) + "° 大于推荐的 9°";
    } else {
        check.limit = 9.0;
        check.verdict = CheckVerdict::Ok;
        check.message = "螺旋角 " + Fixed(c.helixAngle, 2) + "° 在推荐范围 5°~9° 内";
    }
    return check;
}

namespace {

// The solid length the standard gives for closed and ground ends,
// (n1 - 0.5) d (GB/T 23935-2009), where it is shorter than the window's
// n1 d: more travel to solid is the conservative side for the stress there.
struct SolidLength {
    double height = 0.0;
    std::string said; // which one was taken
};

SolidLength StandardSolidLength(const CheckContext &c) {
    const double ground = (c.totalCoils - 0.5) * c.wireDiameter;
    if (ground > 0.0 && ground < c.solidHeight) {
        return {ground, "压并高度取标准磨平端 (n1 − 0.5)d = " + Fixed(ground, 2) + " mm, 短于 Hb " +
                            Fixed(c.solidHeight, 2) + " mm"};
    }
    return {c.solidHeight, "压并高度取 Hb = " + Fixed(c.solidHeight, 2) + " mm"};
}

// The stress at a load the way the standard's static rule measures it.
double StaticRuleStress(const CheckContext &c, double load) {
    return c.inputs.standard == CheckStandard::En
               ? UncorrectedShearStress(load, c.meanDiameter, c.wireDiameter)
               : c.CorrectedStress(load);
}

} // namespace

CheckResult SolidStressCheck(const CheckContext &c) {
    const bool en = c.inputs.standard == CheckStandard::En;
    CheckResult check =
        MakeCheck("solid-stress", "MPa",
                  en ? "EN 13906-1 第 10.1 条: 压并时未修正切应力 ≤ 静载许用切应力"
                     : "GB/T 23935-2009: 压并时修正切应力 ≤ 试验切应力 (即静载许用切应力)");
    if (!c.GeometryUsable() || !(c.springRate > 0.0) || !(c.totalCoils > 0.0)) {
        return NotApplicable(check, kNeedsGeometry);
    }
    const SolidLength solid = StandardSolidLength(c);
    const double load = c.springRate * (c.freeHeight - solid.height);
    const double stress = StaticRuleStress(c, load);
    check.value = stress;
    if (!c.inputs.testStress) {
        return NotApplicable(
            check,
            "压并应力 " + Fixed(stress, 1) + " MPa; 缺少试验切应力: " +
                (c.inputs.standardPermissibleProblem.empty() ? std::string("材料表没有给出")
                                                             : c.inputs.standardPermissibleProblem),
            c.inputs.family && !c.inputs.tensileStrength ? CheckInput::TensileStrength
                                                         : CheckInput::None);
    }
    const double limit = c.inputs.testStress->value;
    check.limit = limit;
    const std::string figures =
        solid.said + "; 压并载荷 " + Fixed(load, 1) + " N 下切应力 " + Fixed(stress, 1) + " MPa";
    if (stress <= limit) {
        check.verdict = CheckVerdict::Ok;
        check.message = figures + ", 不大于试验切应力, 可压并";
    } else {
        // Only a spring pressed solid takes the set: a stop short of solid
        // makes it sound, so this warns rather than fails.
        check.verdict = CheckVerdict::Warning;
        check.message = figures + ", 超过试验切应力: 压并会产生永久变形, 须限位";
    }
    return check;
}

CheckResult WorkingRangeCheck(const CheckContext &c) {
    CheckResult check =
        MakeCheck("working-range", "mm",
                  "GB/T 23935-2009 推荐工作变形 f1、fn 在试验变形 fs 的 0.2~0.8 之间; "
                  "fs 为试验载荷 Fs = πd³τs/(8D) 下的变形, 不超过压并");
    if (!c.GeometryUsable() || !(c.springRate > 0.0) || !(c.totalCoils > 0.0)) {
        return NotApplicable(check, kNeedsGeometry);
    }
    if (!c.inputs.testStress) {
        return NotApplicable(check, "缺少试验切应力, 无法求试验变形",
                             c.inputs.family && !c.inputs.tensileStrength
                                 ? CheckInput::TensileStrength
                                 : CheckInput::None);
    }
    const double testLoad = std::numbers::pi * std::pow(c.wireDiameter, 3.0) *
                            c.inputs.testStress->value / (8.0 * c.meanDiameter);
    const double toSolid = c.freeHeight - StandardSolidLength(c).height;
    const double fs = std::min(testLoad / c.springRate, toSolid);
    const double f1 = c.freeHeight - c.height1;
    const double fn = c.freeHeight - c.height3;
    const std::string figures = "f1 = " + Fixed(f1, 2) + " mm, fn = " + Fixed(fn, 2) +
                                " mm, 试验变形 fs = " + Fixed(fs, 2) + " mm";
    if (f1 < 0.2 * fs) {
        check.value = f1;
        check.limit = 0.2 * fs;
        check.verdict = CheckVerdict::Warning;
        check.message = figures + "; f1 小于 0.2fs, 特性线起始段不准";
    } else if (fn > 0.8 * fs) {
        check.value = fn;
        check.limit = 0.8 * fs;
        check.verdict = CheckVerdict::Warning;
        check.message = figures + "; fn 大于 0.8fs, 接近试验变形";
    } else {
        check.value = fn;
        check.limit = 0.8 * fs;
        check.verdict = CheckVerdict::Ok;
        check.message = figures + "; 均在 0.2fs~0.8fs 之间";
    }
    return check;
}
