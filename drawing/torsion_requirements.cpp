#include "torsion_requirements.h"

#include "number_format.h"
#include "technical_requirements.h"
#include "torsion_view.h"

namespace {

std::string One(double value) {
    return FormatOneDecimal(static_cast<float>(value));
}
std::string General(double value) {
    return FormatGeneral(static_cast<float>(value));
}

bool AnyClauseNames(const CheckResults &checks, const std::string &source) {
    for (const CheckResult &check : checks) {
        if (check.clause.find(source) != std::string::npos) {
            return true;
        }
    }
    return false;
}

} // namespace

std::vector<std::string> TorsionRequirements(const TorsionDrawingInput &input) {
    const TorsionInputs &in = input.inputs;
    const TorsionSpring &s = input.spring;
    const DrawingDetails &details = input.details;
    std::vector<std::string> lines;
    lines.push_back(
        std::string("旋向: ") + (details.leftHand ? "左旋" : "右旋") + "；加载方向: " +
        (input.direction == LoadDirection::Wind ? "扭紧 (使弹簧圈收紧)" : "扭松 (使弹簧圈张开)") +
        "。");
    lines.push_back("有效圈数 n = " + General(in.activeCoils) + "；两端为切向直臂, 臂长 l1 = " +
                    General(in.legLength1) + " mm, l2 = " + General(in.legLength2) +
                    " mm, 两臂相隔 " + One(LegTurnDegrees(in.activeCoils)) + "° (自由状态)。");
    lines.push_back((in.coilSpacing > 0.0 ? "圈间距 δ = " + General(in.coilSpacing) + " mm"
                                          : std::string("密绕 (圈间无间距)")) +
                    "，自由状态弹簧体长度 L0 = " + One(s.freeBodyLength) + " mm。");
    for (std::size_t i = 0; i < s.torques.size(); ++i) {
        if (s.torques[i] && s.angles[i]) {
            const std::string k = std::to_string(i + 1);
            lines.push_back("扭转角 φ" + k + " = " + One(*s.angles[i]) + "° 时，工作扭矩 T" + k +
                            " = " + One(*s.torques[i]) + " N·mm。");
        }
    }
    lines.push_back("材料直径 d = " + General(in.wireDiameter) + " mm，弹簧中径 D = " +
                    General(in.meanDiameter) + " mm，外径 D2 = " + General(s.outerDiameter) +
                    " mm，内径 D1 = " + General(s.innerDiameter) +
                    " mm，扭转刚度 T' = " + FormatThreeDecimals(s.angularRate) +
                    " N·mm/°，展开长度 L = " + One(s.developedLength) + " mm。");
    if (input.arborDiameter) {
        lines.push_back("芯轴直径 ⌀" + General(*input.arborDiameter) +
                        " mm，最大扭转角时内径 D1' = " + One(s.loadedInnerDiameter) + " mm。");
    }
    // The torsion part's own grade table could not be read, so no grade is named.
    lines.push_back("工作扭矩、外径的极限偏差按 GB/T 1239.3, 精度等级由供需双方商定。");
    const HeatTreatment heat = details.heatTreatment.value_or(UnknownMaterialHeatTreatment());
    lines.push_back("热处理: " + heat.treatment + "。");
    if (details.presetting) {
        lines.push_back("强压处理。");
    }
    if (details.shotPeening) {
        lines.push_back("喷丸处理。");
    }
    if (!details.surfaceTreatment.empty()) {
        lines.push_back("表面处理: " + details.surfaceTreatment + "。");
    }
    lines.push_back(MaterialRequirement(input.material, input.materialStandard));
    std::string standard = "技术条件按 GB/T 1239.3《冷卷圆柱螺旋弹簧技术条件 第3部分: 扭转弹簧》";
    if (input.checks && AnyClauseNames(*input.checks, "机械设计手册")) {
        standard += "；设计计算按《机械设计手册》扭转弹簧";
    }
    lines.push_back(standard + "。");
    AddFailedChecksRequirement(lines, input.checks);
    return lines;
}
