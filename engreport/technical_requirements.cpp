#include "technical_requirements.h"

#include "number_format.h"

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

std::vector<std::string> TechnicalRequirements(const SpringDesign &design, SpringTypeSign typeSign,
                                               const std::optional<CheckResults> &checks) {
    const bool compression = typeSign == kCompressionSpring;
    std::vector<std::string> lines;
    lines.push_back("有效圈数 n = " + FormatGeneral(design.ActiveCoils) +
                    "，总圈数 n1 = " + FormatGeneral(design.TotalCoils) + "。");
    lines.push_back(std::string(compression ? "自由高度" : "自由长度(钩环内侧)") +
                    " H0 = " + FormatOneDecimal(design.FreeHeight) + " mm。");
    if (!compression) {
        lines.push_back("初拉力 F0 = " + FormatThreeDecimals(design.InitialTension) + " N。");
    }
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
                        FormatThreeDecimals(design.*loads[i]) + " N。");
    }
    lines.push_back("弹簧中径 D = " + FormatGeneral(design.MeanDiameter) +
                    " mm，材料直径 d = " + FormatGeneral(design.WireDiameter) +
                    " mm，刚度 k = " + FormatThreeDecimals(design.SpringRate) + " N/mm。");
    lines.push_back(compression ? "两端并紧磨平。" : "两端为圆钩环。");
    lines.push_back("展开长度 L = " + FormatOneDecimal(design.DevelopedLength) + " mm。");
    lines.push_back("材料: " + design.Material + "。");
    std::string standard =
        compression ? "技术条件按 GB/T 1239.2《冷卷圆柱螺旋弹簧技术条件 第2部分: 压缩弹簧》"
                    : "技术条件按 GB/T 1239.1《冷卷圆柱螺旋弹簧技术条件 第1部分: 拉伸弹簧》";
    if (checks && AnyClauseNames(*checks, "GB/T 23935")) {
        standard += "；设计计算按 GB/T 23935《圆柱螺旋弹簧设计计算》";
    }
    if (checks && AnyClauseNames(*checks, "EN 13906")) {
        standard += "；校核参照 EN 13906-1";
    }
    lines.push_back(standard + "。");
    return lines;
}
