#include "check_texts.h"

#include "number_format.h"

#include <array>
#include <cmath>
#include <string_view>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, const char *>, 13> kTitles = {{
    {"static-strength", "静强度"},
    {"buckling", "稳定性"},
    {"coil-clearance", "圈间间隙"},
    {"natural-frequency", "自振频率"},
    {"fatigue", "疲劳强度"},
    {"index", "旋绕比"},
    {"helix-angle", "螺旋角"},
    {"mass", "质量"},
    {"work", "变形能"},
    {"hook-bending", "钩环弯曲应力"},
    {"hook-torsion", "钩环扭转应力"},
    {"initial-tension", "初应力"},
    {"slenderness", "高径比"},
}};

} // namespace

std::string CheckTitle(const std::string &id) {
    for (const auto &[key, title] : kTitles) {
        if (key == id) {
            return title;
        }
    }
    return id;
}

const char *CheckVerdictText(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::Ok:
        return "○ 合格";
    case CheckVerdict::Warning:
        return "△ 注意";
    case CheckVerdict::Fail:
        return "× 不合格";
    case CheckVerdict::NotApplicable:
        break;
    }
    return "— 不适用";
}

std::string CheckQuantityText(const std::optional<double> &quantity, const std::string &unit) {
    if (!quantity || !std::isfinite(*quantity) || std::fabs(*quantity) > 1e30) {
        return "—";
    }
    std::string text = FormatThreeDecimals(static_cast<float>(*quantity));
    if (!unit.empty()) {
        text += " " + unit;
    }
    return text;
}
