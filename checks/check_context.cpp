#include "check_context.h"

#include <cmath>
#include <cstdio>
#include <numbers>

double CheckContext::CorrectedStress(double load) const {
    return 8.0 * curvatureFactor * load * meanDiameter /
           (std::numbers::pi * std::pow(wireDiameter, 3.0));
}

bool CheckContext::GeometryUsable() const {
    return wireDiameter > 0.0 && meanDiameter > wireDiameter && activeCoils > 0.0 &&
           std::isfinite(springIndex) && springIndex > 1.0;
}

CheckContext MakeCheckContext(const SpringDesign &design, SpringTypeSign typeSign,
                              const CheckInputs &inputs) {
    CheckContext c{inputs};
    c.extension = typeSign == kExtensionSpring;
    c.wireDiameter = design.WireDiameter;
    c.meanDiameter = design.MeanDiameter;
    c.activeCoils = design.ActiveCoils;
    c.springIndex = design.SpringIndex;
    c.curvatureFactor = design.CurvatureFactor;
    c.shearModulus = design.ShearModulus;
    c.freeHeight = design.FreeHeight;
    c.solidHeight = design.SolidHeight;
    c.height1 = design.WorkingHeight1;
    c.height3 = design.WorkingHeight3;
    c.load1 = design.WorkingLoad1;
    c.load3 = design.WorkingLoad3;
    c.initialTension = design.InitialTension;
    c.maxShearStress = design.MaxShearStress;
    c.designerAllowable = design.AllowableShearStress;
    c.developedLength = design.DevelopedLength;
    c.helixAngle = design.HelixAngle;
    c.slenderness = design.SlendernessRatio;
    c.springRate = design.SpringRate;
    c.totalCoils = design.TotalCoils;
    return c;
}

LoadType JudgedLoadType(const CheckInputs &inputs) {
    if (!inputs.loadCycles) {
        return inputs.loadType;
    }
    const LoadType byCycles = LoadTypeForCycles(*inputs.loadCycles);
    return LessStrict(inputs.loadType, byCycles) ? byCycles : inputs.loadType;
}

CheckResult MakeCheck(std::string id, std::string unit, std::string clause) {
    CheckResult check;
    check.id = std::move(id);
    check.unit = std::move(unit);
    check.clause = std::move(clause);
    return check;
}

CheckResult NotApplicable(CheckResult check, std::string reason) {
    check.verdict = CheckVerdict::NotApplicable;
    check.message = std::move(reason);
    return check;
}

CheckResult NotApplicable(CheckResult check, std::string reason, CheckInput missing) {
    check.missing = missing;
    return NotApplicable(std::move(check), std::move(reason));
}

CheckResult NotJudged(CheckResult check, std::string reason, CheckInput missing) {
    check.verdict = CheckVerdict::NotJudged;
    check.missing = missing;
    check.message = "未验证: " + std::move(reason);
    return check;
}

std::string NeedsTensileStrength(const CheckInputs &inputs) {
    if (inputs.rmNeedsCertificate) {
        return "材料表没有该牌号的抗拉强度, 需要钢丝质保书上的抗拉强度 Rm";
    }
    return inputs.family ? "材料表在此线径没有抗拉强度, 需要钢丝质保书上的抗拉强度 Rm"
                         : "缺少抗拉强度 Rm: 材料牌号不在材料表中, 需要钢丝质保书上的抗拉强度";
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}
