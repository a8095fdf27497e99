#include "check_parts.h"
#include "spring_check_formulas.h"

#include <optional>

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
