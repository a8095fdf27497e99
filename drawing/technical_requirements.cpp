#include "technical_requirements.h"

#include "number_format.h"

#include <cmath>

namespace {

bool AnyClauseNames(const CheckResults &checks, const std::string &standard) {
    for (const CheckResult &check : checks) {
        if (check.clause.find(standard) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::string> TechnicalRequirements(const DrawingInput &input) {
    const SpringDesign &design = input.design;
    const DrawingDetails &details = input.details;
    const bool compression = input.typeSign == kCompressionSpring;
    const std::string grade = std::to_string(details.precisionGrade);
    std::vector<std::string> lines;
    lines.push_back(std::string("旋向: ") + (details.leftHand ? "左旋" : "右旋") + "。");
    std::string ends = "两端并紧磨平";
    if (!compression) {
        // The hooks as the maker bends them: their relative position, and
        // the opening where the designer gives one.
        const bool level = details.hookPosition == "0°" || details.hookPosition == "0";
        ends = "两端为圆钩环，" + (level ? std::string("两钩环在同一平面内")
                                         : "两钩环相对位置 " + details.hookPosition);
        if (!details.hookOpening.empty()) {
            ends += "，钩环开口 " + details.hookOpening;
        }
    }
    lines.push_back("有效圈数 n = " + FormatGeneral(design.ActiveCoils) +
                    "，总圈数 n1 = " + FormatGeneral(design.TotalCoils) + "；" + ends + "。");
    std::string free = std::string(compression ? "自由高度" : "自由长度(钩环内侧)") +
                       " H0 = " + FormatOneDecimal(design.FreeHeight) + " mm";
    if (!compression) {
        free += "，初拉力 F0 = " + FormatOneDecimal(design.InitialTension) + " N";
    }
    lines.push_back(free + "。");
    const char *height = compression ? "工作高度" : "工作长度";
    const float SpringDesign::*heights[] = {&SpringDesign::WorkingHeight1,
                                            &SpringDesign::WorkingHeight2,
                                            &SpringDesign::WorkingHeight3};
    const float SpringDesign::*loads[] = {&SpringDesign::WorkingLoad1, &SpringDesign::WorkingLoad2,
                                          &SpringDesign::WorkingLoad3};
    for (int i = 0; i < 3; ++i) {
        const std::string k = std::to_string(i + 1);
        lines.push_back(height + std::string(" H") + k + " = " +
                        FormatOneDecimal(design.*heights[i]) + " mm 时，工作载荷 F" + k + " = " +
                        FormatOneDecimal(design.*loads[i]) + " N。"); // as a maker measures it
    }
    std::string sizes =
        "材料直径 d = " + FormatGeneral(design.WireDiameter) +
        " mm，弹簧中径 D = " + FormatGeneral(design.MeanDiameter) +
        " mm，外径 D2 = " + FormatGeneral(design.MeanDiameter + design.WireDiameter) + " mm";
    if (compression) {
        sizes += "，压并高度 Hb = " + FormatGeneral(design.SolidHeight) + " mm";
    }
    lines.push_back(sizes + "，刚度 k = " + FormatThreeDecimals(design.SpringRate) +
                    " N/mm，展开长度 L = " + FormatOneDecimal(design.DevelopedLength) + " mm。");
    // The value the maker adjusts carries no tolerance of its own.
    const std::string length = compression ? "自由高度" : "自由长度";
    const bool loadsHeld = details.adjusted == AdjustedValue::FreeHeight;
    std::string tolerance = loadsHeld ? "调整值为" + length + " H0 (以保证工作载荷)；"
                                      : "调整值为工作载荷 (仅供参考)；";
    tolerance += loadsHeld ? "工作载荷、外径" : length + "、外径";
    tolerance +=
        compression ? "与两端面垂直度的极限偏差按 GB/T 1239.2 的 " : "的极限偏差按 GB/T 1239.1 的 ";
    lines.push_back(tolerance + grade + " 级精度。");
    const HeatTreatment heat = details.heatTreatment.value_or(UnknownMaterialHeatTreatment());
    lines.push_back("热处理: " + heat.treatment + "。");
    // Presetting and shot peening are operations of their own, after the heat
    // treatment, not part of it.
    if (details.presetting) {
        // A compression spring is preset by pressing it solid: the maker
        // needs the height and the load that takes.
        std::string preset = "强压处理";
        const double solidLoad = static_cast<double>(design.SpringRate) *
                                 (static_cast<double>(design.FreeHeight) - design.SolidHeight);
        if (compression && std::isfinite(solidLoad) && solidLoad > 0.0) {
            preset += ": 压至压并高度 Hb = " + FormatGeneral(design.SolidHeight) +
                      " mm, 压并载荷 Fb = " + FormatOneDecimal(static_cast<float>(solidLoad)) +
                      " N";
        }
        lines.push_back(preset + "。");
    }
    if (details.shotPeening) {
        lines.push_back("喷丸处理。");
    }
    if (!details.surfaceTreatment.empty()) {
        lines.push_back("表面处理: " + details.surfaceTreatment + "。");
    }
    lines.push_back(MaterialRequirement(design.Material, input.materialStandard));
    std::string standard =
        compression ? "技术条件按 GB/T 1239.2《冷卷圆柱螺旋弹簧技术条件 第2部分: 压缩弹簧》"
                    : "技术条件按 GB/T 1239.1《冷卷圆柱螺旋弹簧技术条件 第1部分: 拉伸弹簧》";
    if (input.checks && AnyClauseNames(*input.checks, "GB/T 23935")) {
        standard += "；设计计算按 GB/T 23935《圆柱螺旋弹簧设计计算》";
    }
    if (input.checks && AnyClauseNames(*input.checks, "EN 13906")) {
        standard += "；校核参照 EN 13906-1";
    }
    lines.push_back(standard + "。");
    AddFailedChecksRequirement(lines, input.checks);
    return lines;
}

std::string MaterialRequirement(const std::string &material, const std::string &standard) {
    return "材料: " + material + (standard.empty() ? "" : " (" + standard + ")") + "。";
}

void AddFailedChecksRequirement(std::vector<std::string> &lines,
                                const std::optional<CheckResults> &checks) {
    if (!checks) {
        return;
    }
    std::string failed;
    for (const CheckResult &check : *checks) {
        if (check.verdict == CheckVerdict::Fail || check.verdict == CheckVerdict::NotJudged) {
            failed += (failed.empty() ? "" : "、") + CheckTitle(check.id);
        }
    }
    if (!failed.empty()) {
        lines.push_back("校核未通过: " + failed + "; 修改设计前不得投产。");
    }
}
