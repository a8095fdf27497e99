#include "search_request.h"

#include "candidate_grid.h"

#include "number_format.h"

#include <algorithm>
#include <cmath>

namespace {

std::string Shortest(double value) {
    return FormatGeneral(static_cast<float>(value));
}

bool Positive(double value) {
    return std::isfinite(value) && value > 0.0;
}

// The largest value a length, load or modulus may take: far beyond any spring,
// and small enough that every product of the calculation stays finite.
constexpr double kLargest = 1.0e7;

bool InRange(double value) {
    return Positive(value) && value <= kLargest;
}

std::optional<std::string> PointsProblem(const SearchRequest &r) {
    const auto points = RequiredPoints(r);
    for (const auto &p : points) {
        if (!std::isfinite(p.load) || p.load < 0.0 || p.load > kLargest) {
            return "工作载荷必须是不小于0的数值!";
        }
        if (!InRange(p.height)) {
            return "工作高度必须大于0!";
        }
    }
    if (!(r.second.load > r.first.load)) {
        return "载荷F2必须大于F1!";
    }
    if (r.third && !(r.third->load > r.second.load)) {
        return "载荷F3必须大于F2!";
    }
    const bool compression = r.typeSign == kCompressionSpring;
    const auto heightsInOrder = [compression](double lower, double higher) {
        return compression ? higher < lower : higher > lower;
    };
    if (!heightsInOrder(r.first.height, r.second.height) ||
        (r.third && !heightsInOrder(r.second.height, r.third->height))) {
        return compression ? "压缩弹簧的工作高度必须随载荷增大而减小!"
                           : "拉伸弹簧的工作高度必须随载荷增大而增大!";
    }
    return std::nullopt;
}

std::optional<std::string> SpaceProblem(const SearchRequest &r) {
    if (r.wires.empty()) {
        return "没有可选的材料直径!";
    }
    for (const WireChoice &w : r.wires) {
        if (!InRange(w.diameter)) {
            return "材料直径必须大于0!";
        }
        if (!InRange(w.allowableShearStress)) {
            return "许用切应力必须大于0!";
        }
    }
    // D = d is a division by zero in the curvature factor: the index stays above 1.
    if (!std::isfinite(r.minIndex) || !std::isfinite(r.maxIndex) || r.minIndex <= 1.0 ||
        r.maxIndex < r.minIndex || r.maxIndex > 1000.0) {
        return "旋绕比范围必须满足 1 < 最小值 <= 最大值 <= 1000!";
    }
    if (!Positive(r.minActiveCoils) || !std::isfinite(r.maxActiveCoils) ||
        r.maxActiveCoils < r.minActiveCoils || r.maxActiveCoils > 1000.0 ||
        std::ceil(r.minActiveCoils * 4.0 - 1e-9) > std::floor(r.maxActiveCoils * 4.0 + 1e-9)) {
        return "有效圈数范围必须满足 0 < 最小值 <= 最大值 <= 1000, 且含有0.25的整数倍!";
    }
    if (r.minActiveCoils < kFewestActiveCoils) {
        return "有效圈数范围 " + Shortest(r.minActiveCoils) + "," + Shortest(r.maxActiveCoils) +
               " 的下限小于 2: 有效圈数少于 2 圈的弹簧不合格";
    }
    // The calculation accepts n + 1 < n1 <= n + 2.5.
    if (r.typeSign == kCompressionSpring &&
        (!std::isfinite(r.endCoils) || r.endCoils <= 1.0 || r.endCoils > 2.5)) {
        return "支承圈数必须大于1且不大于2.5!";
    }
    if (r.pitch && !InRange(*r.pitch)) {
        return "节距必须大于0!";
    }
    return std::nullopt;
}

std::optional<std::string> LimitsProblem(const SearchRequest &r) {
    for (const auto &limit : {r.limits.maxOuterDiameter, r.limits.minInnerDiameter,
                              r.limits.maxFreeHeight, r.limits.maxSolidHeight}) {
        if (limit && !InRange(*limit)) {
            return "空间限制必须大于0!";
        }
    }
    return std::nullopt;
}

} // namespace

std::array<WorkingPointRequirement, 3> RequiredPoints(const SearchRequest &request) {
    return {request.first, request.second, request.third.value_or(request.second)};
}

double StrengthLoad(const SearchRequest &request) {
    const double required = RequiredPoints(request)[2].load;
    return std::max(required, required * (1.0 + request.tolerancePercent / 100.0));
}

double ShearModulusOf(const SearchRequest &request, const WireChoice &wire) {
    return wire.shearModulus > 0.0 ? wire.shearModulus : request.shearModulus;
}

double ToleranceBelowPercent(const SearchRequest &request) {
    return request.toleranceBelowPercent.value_or(request.tolerancePercent);
}

std::optional<std::string> SearchRequestProblem(const SearchRequest &r) {
    if (r.typeSign != kCompressionSpring && r.typeSign != kExtensionSpring) {
        return "弹簧类型无效!";
    }
    if (auto problem = PointsProblem(r)) {
        return problem;
    }
    if (!InRange(r.shearModulus)) {
        return "切变模量必须大于0!";
    }
    const double below = ToleranceBelowPercent(r);
    if (!std::isfinite(r.tolerancePercent) || r.tolerancePercent < 0.0 ||
        r.tolerancePercent >= 100.0 || !std::isfinite(below) || below < 0.0 || below >= 100.0) {
        return "载荷公差必须在0至100%之间!";
    }
    if (!(r.maxStressRatio > 0.0 && r.maxStressRatio <= 1.0)) {
        return "切应力比必须大于0且不大于1!";
    }
    if (auto problem = SpaceProblem(r)) {
        return problem;
    }
    if (auto problem = LimitsProblem(r)) {
        return problem;
    }
    if (r.density && !InRange(*r.density)) {
        return "密度必须大于0!";
    }
    if (r.objective == SearchObjective::Mass && !r.density) {
        return "按质量排序需要材料密度!";
    }
    if (r.objective == SearchObjective::SolidHeight && r.typeSign != kCompressionSpring) {
        return "压并高度只适用于压缩弹簧!";
    }
    // About a minute and a half per thousand million on two cores: beyond
    // that the designer should narrow the space.
    if (CandidateGrid(r).candidateCount() > 1'000'000'000ULL) {
        return "搜索空间过大(超过10亿个候选), 请缩小材料直径、旋绕比或有效圈数的范围!";
    }
    if (r.top == 0) {
        return "输出数目必须至少为1!";
    }
    return std::nullopt;
}
