#include "check_result.h"

#include <array>
#include <string_view>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, const char *>, 24> kTitles = {{
    {"static-strength", "静强度"},
    {"allowable-stress", "许用切应力取值"},
    {"buckling", "稳定性 (高径比)"},
    {"buckling-deflection", "稳定性 (临界变形)"},
    {"coil-clearance", "圈间间隙"},
    {"natural-frequency", "自振频率"},
    {"fatigue", "疲劳强度"},
    {"index", "旋绕比"},
    {"helix-angle", "螺旋角"},
    {"mass", "质量"},
    {"work", "变形能"},
    {"hook-bending", "钩环弯曲应力"},
    {"hook-torsion", "钩环扭转应力"},
    {"initial-tension", "初切应力"},
    {"solid-stress", "压并应力"},
    {"working-range", "工作变形范围"},
    {"active-coils", "有效圈数"},
    {"shear-modulus", "切变模量"},
    {"wire-diameter-series", "钢丝直径系列"},
    {"torsion-bending", "弯曲应力"},
    {"working-limit", "工作极限扭矩"},
    {"torsion-stability", "稳定性 (扭转角)"},
    {"arbor-clearance", "芯轴间隙"},
    {"spring-index", "旋绕比 (扭转弹簧)"},
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

const char *CheckVerdictName(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::Ok:
        return "ok";
    case CheckVerdict::Warning:
        return "warning";
    case CheckVerdict::Fail:
        return "fail";
    case CheckVerdict::NotApplicable:
        return "not-applicable";
    case CheckVerdict::Info:
        return "info";
    case CheckVerdict::NotJudged:
        return "not-judged";
    }
    return "not-applicable";
}
