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
    CheckResult check = MakeCheck("buckling", "",
                                  "GB/T 23935-2009 高径比 b = H0/D 限值: 两端固定 5.3, "
                                  "一端回转 3.7, 两端回转 2.6");
    if (!(c.freeHeight > 0.0) || !(c.meanDiameter > 0.0)) {
        return NotApplicable(check, "自由高度或中径不为正");
    }
    const double b = c.freeHeight / c.meanDiameter;
    check.value = b;
    const auto limit = GbSlendernessLimit(c.inputs.endCondition);
    if (!limit) {
        return NotApplicable(check, "高径比 b = " + Fixed(b, 2) +
                                        "; 一端自由时标准未给出高径比限值, 按临界变形验算");
    }
    check.limit = *limit;
    if (b <= *limit) {
        check.verdict = CheckVerdict::Ok;
        check.message = "高径比 b = " + Fixed(b, 2) + " 不大于 " + Fixed(*limit, 1) + ", 稳定";
    } else {
        check.verdict = CheckVerdict::Warning;
        check.message =
            "高径比 b = " + Fixed(b, 2) + " 大于 " + Fixed(*limit, 1) + ", 须按临界变形验算稳定性";
        if (!c.inputs.elasticModulus) {
            check.missing = CheckInput::ElasticModulus;
        }
    }
    return check;
}

CheckResult BucklingDeflectionCheck(const CheckContext &c) {
    CheckResult check =
        MakeCheck("buckling-deflection", "mm", "EN 13906-1 临界变形 sK, 须 f3 = H0 − H3 < sK");
    if (!(c.freeHeight > 0.0) || !(c.meanDiameter > 0.0)) {
        return NotApplicable(check, "自由高度或中径不为正");
    }
    const double deflection = c.freeHeight - c.height3;
    check.value = deflection;
    if (!c.inputs.elasticModulus || !(*c.inputs.elasticModulus > c.shearModulus)) {
        const auto limit = GbSlendernessLimit(c.inputs.endCondition);
        if (limit && c.freeHeight / c.meanDiameter <= *limit) {
            return NotApplicable(check, "高径比不大于限值, 无需验算临界变形");
        }
        return NotApplicable(check, "缺少弹性模量 E (须大于 G), 无法计算临界变形",
                             CheckInput::ElasticModulus);
    }
    const auto critical = BucklingCriticalDeflection(c.freeHeight, c.meanDiameter, c.shearModulus,
                                                     *c.inputs.elasticModulus,
                                                     SeatingCoefficient(c.inputs.endCondition));
    if (!critical) {
        check.verdict = CheckVerdict::Ok;
        check.message = "此高径比和支承下不存在临界变形, 不会失稳";
        return check;
    }
    check.limit = *critical;
    if (*critical > deflection) {
        check.verdict = CheckVerdict::Ok;
        check.message =
            "F3 下变形 " + Fixed(deflection, 1) + " mm 小于临界变形 " + Fixed(*critical, 1) + " mm";
    } else {
        check.verdict = CheckVerdict::Fail;
        check.message = "F3 下变形 " + Fixed(deflection, 1) + " mm 不小于临界变形 " +
                        Fixed(*critical, 1) + " mm, 会失稳: 加导杆或导套";
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
