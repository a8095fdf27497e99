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
    CheckResult check = MakeCheck("buckling", "mm",
                                  "GB/T 23935-2009 压缩弹簧稳定性: 高径比 b ≤ 5.3 / 3.7 / 2.6; "
                                  "超过时按 EN 13906-1 临界变形 sK 验算");
    const double deflection = c.freeHeight - c.height3;
    check.limit = deflection;
    if (!(c.freeHeight > 0.0) || !(c.meanDiameter > 0.0)) {
        return NotApplicable(check, "自由高度或中径不为正");
    }
    const double b = c.freeHeight / c.meanDiameter;
    const auto gbLimit = GbSlendernessLimit(c.inputs.endCondition);
    const bool withinGb = gbLimit && b <= *gbLimit;
    const std::string slenderness = "高径比 b = " + Fixed(b, 2);
    if (!c.inputs.elasticModulus || !(*c.inputs.elasticModulus > c.shearModulus)) {
        if (withinGb) {
            check.verdict = CheckVerdict::Ok;
            check.message = slenderness + " ≤ " + Fixed(*gbLimit, 1) + ", 稳定, 无需验算";
            return check;
        }
        return NotApplicable(check, slenderness +
                                        (gbLimit ? " 超过 " + Fixed(*gbLimit, 1) : std::string()) +
                                        "; 缺少弹性模量 E (需大于 G), 无法计算临界变形");
    }
    const auto critical = BucklingCriticalDeflection(c.freeHeight, c.meanDiameter, c.shearModulus,
                                                     *c.inputs.elasticModulus,
                                                     SeatingCoefficient(c.inputs.endCondition));
    if (!critical) {
        check.verdict = CheckVerdict::Ok;
        check.message = slenderness + ", 不会失稳";
        return check;
    }
    check.value = *critical;
    if (*critical > deflection) {
        check.verdict = CheckVerdict::Ok;
        check.message = slenderness + ", 临界变形 " + Fixed(*critical, 1) + " mm 大于最大变形 " +
                        Fixed(deflection, 1) + " mm";
    } else {
        check.verdict = CheckVerdict::Fail;
        check.message = slenderness + ", 临界变形 " + Fixed(*critical, 1) + " mm 不大于最大变形 " +
                        Fixed(deflection, 1) + " mm, 会失稳: 加导杆或导套";
    }
    return check;
}

CheckResult CoilClearanceCheck(const CheckContext &c) {
    const bool dynamic = c.inputs.loadCycles || c.inputs.loadType != LoadType::Static;
    CheckResult check =
        MakeCheck("coil-clearance", "mm",
                  dynamic ? "EN 13906-1 最小圈间间隙之和 Sa = 1.5·n(0.0015D²/d + 0.1d) (冷卷, 动载)"
                          : "EN 13906-1 最小圈间间隙之和 Sa = n(0.0015D²/d + 0.1d) (冷卷, 静载)");
    if (!c.GeometryUsable()) {
        return NotApplicable(check, "弹簧几何参数不可用 (d、D、n 须为正且 D > d)");
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
