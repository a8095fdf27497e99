#include "check_parts.h"
#include "fatigue_strength.h"
#include "material_texts.h"
#include "spring_check_formulas.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

// Recommended ratio of the surge frequency to the working frequency: at least
// 15 to 20 (Shigley's Mechanical Engineering Design, ch. 10, surging). The
// upper figure is the pass; below the lower one the spring is judged to
// resonate.
constexpr double kFrequencyRatioRequired = 20.0;
constexpr double kFrequencyRatioLowest = 15.0;

// Recommended spring index for manufacture (Shigley, Eq. 10-18).
constexpr double kIndexLowest = 4.0;
constexpr double kIndexHighest = 12.0;

} // namespace

namespace {

// Whether the designer's duty is looser than the load cycles call for: the
// stricter one was taken, and the row says so.
std::string LooserDutyText(const CheckInputs &in) {
    if (in.loadTypeGiven && in.loadCycles &&
        LessStrict(*in.loadTypeGiven, LoadTypeForCycles(*in.loadCycles))) {
        return std::string("; 给定的") + LoadCaption(*in.loadTypeGiven) + "比 " +
               Fixed(*in.loadCycles, 0) + " 次循环对应的" +
               LoadCaption(LoadTypeForCycles(*in.loadCycles)) + "宽松, 已按后者判定";
    }
    return {};
}

// The input a missing standard permissible stress waits for.
CheckInput StandardPermissibleNeeds(const CheckInputs &in) {
    return in.family && !in.tensileStrength ? CheckInput::TensileStrength : CheckInput::None;
}

} // namespace

namespace {

// One stress held against one permissible value, with what each is.
struct StressAgainstLimit {
    double stress = 0.0;
    double limit = 0.0;
    std::string against;    // the permissible value's name
    std::string stressNote; // why this stress, when not the calculation's
};

// The pair nearest to failing (the largest stress / limit) governs: a
// designer's stricter [tau] is never overridden by the standard, nor the
// standard by a looser [tau].
const StressAgainstLimit &Governing(const std::vector<StressAgainstLimit> &pairs) {
    const StressAgainstLimit *worst = &pairs.front();
    for (const StressAgainstLimit &p : pairs) {
        if (p.stress * worst->limit > worst->stress * p.limit) {
            worst = &p;
        }
    }
    return *worst;
}

} // namespace

CheckResult StaticStrengthCheck(const CheckContext &c) {
    const CheckInputs &in = c.inputs;
    // EN 13906-1 holds the uncorrected stress against its static figure; the
    // designer's [tau] is held against the stress the calculation used.
    const bool en = in.standard == CheckStandard::En && !c.extension;
    const std::string duty =
        in.loadCycles && !in.loadTypeGiven ? std::string("; ") + LoadClassRuleText() : "";
    CheckResult check = MakeCheck("static-strength", "MPa", "τ 为计算的最大切应力");
    if (en && !c.GeometryUsable()) {
        return NotApplicable(check, kNeedsGeometry);
    }
    std::vector<StressAgainstLimit> pairs;
    std::vector<std::string> clauses;
    if (in.standardPermissible) {
        const double stress =
            en ? UncorrectedShearStress(c.load3, c.meanDiameter, c.wireDiameter) : c.maxShearStress;
        pairs.push_back({stress, in.standardPermissible->value, "标准许用切应力",
                         en ? "EN 13906-1 静载用未修正切应力 τ = 8FD/(πd³)" : ""});
        clauses.push_back(in.standardPermissible->clause +
                          (en ? "; 未修正切应力 τ = 8FD/(πd³)" : "") + duty);
    }
    if (c.designerAllowable > 0.0) {
        pairs.push_back({c.maxShearStress, c.designerAllowable, "设计给定的许用切应力 [τ]", ""});
        clauses.push_back("设计给定的许用切应力 [τ], 对计算的最大切应力");
    }
    if (pairs.empty()) {
        return NotApplicable(check,
                             "缺少许用切应力: " + (in.standardPermissibleProblem.empty()
                                                       ? std::string("材料表和设计都没有给出")
                                                       : in.standardPermissibleProblem),
                             StandardPermissibleNeeds(in));
    }
    if (!in.standardPermissible) {
        check.missing = StandardPermissibleNeeds(in);
    }
    const StressAgainstLimit &rule = Governing(pairs);
    check.clause =
        clauses.front() + (clauses.size() > 1 ? "; 与" + clauses.back() + "取较严者" : "");
    check.value = rule.stress;
    check.limit = rule.limit;
    const bool holds = rule.stress <= rule.limit;
    check.verdict = holds ? CheckVerdict::Ok : CheckVerdict::Fail;
    check.message = std::string("最大工作载荷下切应力 ") + Fixed(rule.stress, 1) +
                    (holds ? " MPa 不大于" : " MPa 超过") + rule.against + " " +
                    Fixed(rule.limit, 1) + " MPa";
    if (!rule.stressNote.empty()) {
        check.message += " (" + rule.stressNote + ")";
    }
    for (const StressAgainstLimit &other : pairs) {
        if (&other != &rule) {
            check.message += "; 取较严者 (" + other.against + " " + Fixed(other.limit, 1) +
                             " MPa 对 " + Fixed(other.stress, 1) + " MPa 较宽)";
        }
    }
    if (in.standardPermissible) {
        check.message += LooserDutyText(in);
        if (en && in.loadType != LoadType::Static) {
            check.message += "; EN 13906-1 的动载许用值见疲劳强度项";
        }
    } else if (!in.standardPermissibleProblem.empty()) {
        check.message += "; 标准许用值无法求得: " + in.standardPermissibleProblem;
    }
    return check;
}

CheckResult AllowableStressCheck(const CheckContext &c) {
    const CheckInputs &in = c.inputs;
    // The standard's clause is the static strength's; not repeated here.
    CheckResult check = MakeCheck("allowable-stress", "MPa", "同静强度项");
    if (!in.standardPermissible) {
        return NotApplicable(check,
                             "没有标准许用切应力可比: " + (in.standardPermissibleProblem.empty()
                                                               ? std::string("缺少材料数据")
                                                               : in.standardPermissibleProblem),
                             StandardPermissibleNeeds(in));
    }
    if (!(c.designerAllowable > 0.0)) {
        return NotApplicable(check, "设计未给出许用切应力 [τ]");
    }
    const double standard = in.standardPermissible->value;
    check.value = c.designerAllowable;
    check.limit = standard;
    // [tau] is stored with one decimal: half of it is no difference.
    if (c.designerAllowable > standard + 0.05) {
        check.verdict = CheckVerdict::Warning;
        check.message = "设计给定的 [τ] " + Fixed(c.designerAllowable, 1) + " MPa 高于标准许用值 " +
                        Fixed(standard, 1) + " MPa; 静强度按标准许用值判定";
    } else {
        check.verdict = CheckVerdict::Ok;
        check.message = "设计给定的 [τ] " + Fixed(c.designerAllowable, 1) +
                        " MPa 不高于标准许用值 " + Fixed(standard, 1) +
                        " MPa; 静强度按两者中较严者判定";
    }
    return check;
}

CheckResult NaturalFrequencyCheck(const CheckContext &c) {
    CheckResult check = MakeCheck("natural-frequency", "Hz",
                                  "GB/T 23935-2009 / EN 13906-1 自振频率 f = 3560·d/(n·D²)·√(G/ρ) "
                                  "(两端固定); 频率比 ≥ 20 (Shigley 第10章, 15~20 倍)");
    if (!c.GeometryUsable() || !(c.shearModulus > 0.0)) {
        return NotApplicable(check, kNeedsGeometry);
    }
    if (!c.inputs.density || !(*c.inputs.density > 0.0)) {
        return NotApplicable(check, kNeedsDensity, CheckInput::Density);
    }
    const double f = SurgeFrequency(c.wireDiameter, c.meanDiameter, c.activeCoils, c.shearModulus,
                                    *c.inputs.density);
    check.value = f;
    if (!c.inputs.workingFrequency) {
        check.verdict = CheckVerdict::Info;
        check.missing = CheckInput::WorkingFrequency;
        check.clause = check.clause.substr(0, check.clause.find(';')); // no ratio to hold

        check.message = "自振频率 " + Fixed(f, 1) + " Hz (未给出工作频率, 仅供参考)";
        return check;
    }
    const double working = *c.inputs.workingFrequency;
    check.limit = kFrequencyRatioRequired * working;
    if (f >= kFrequencyRatioRequired * working) {
        check.verdict = CheckVerdict::Ok;
        check.message = "自振频率 " + Fixed(f, 1) + " Hz 不低于工作频率的 20 倍";
    } else if (f >= kFrequencyRatioLowest * working) {
        check.verdict = CheckVerdict::Warning;
        check.message = "自振频率 " + Fixed(f, 1) + " Hz 只有工作频率的 15~20 倍, 有共振的危险";
    } else {
        check.verdict = CheckVerdict::Fail;
        check.message = "自振频率 " + Fixed(f, 1) + " Hz 低于工作频率的 15 倍, 会发生共振";
    }
    return check;
}

CheckResult FatigueCheck(const CheckContext &c) {
    const CheckInputs &in = c.inputs;
    CheckResult check =
        MakeCheck("fatigue", "",
                  "GB/T 23935-2009 疲劳强度验算 S = (τu0 + 0.75τmin)/τmax ≥ 1.3 (标准取 1.1~1.3, "
                  "取上限); τu0/Rm 取两种公开表值中较低者, 不锈钢丝、青铜丝及未知材料 10⁴ 次取 "
                  "0.35 (机械设计手册表注)");
    // A cyclic load makes the fatigue check necessary: where it cannot be
    // judged it is not judged, never passed.
    const LoadType duty = JudgedLoadType(in);
    if (duty == LoadType::Static) {
        return NotApplicable(check,
                             in.loadCycles ? "载荷循环次数少于 10³, 按静载不验算疲劳"
                                           : "未给出载荷循环次数, 按静载不验算疲劳",
                             in.loadCycles ? CheckInput::None : CheckInput::LoadCycles);
    }
    if (!c.GeometryUsable()) {
        return NotApplicable(check, kNeedsGeometry);
    }
    if (!in.loadCycles) {
        return NotJudged(check, std::string("给定") + LoadCaption(duty) + ", 但未给出载荷循环次数",
                         CheckInput::LoadCycles);
    }
    if (in.standard == CheckStandard::En && !c.extension) {
        check.clause = "EN 13906-1 行程应力法: τkh = k·8D(F3 − F1)/(πd³), k 为 Bergsträsser 系数";
        const double stroke =
            BergstraesserFactor(c.springIndex) *
            UncorrectedShearStress(std::abs(c.load3 - c.load1), c.meanDiameter, c.wireDiameter);
        return NotJudged(
            check,
            "行程应力 " + Fixed(stroke, 1) +
                " MPa; EN 13906-1 的许用行程应力 τkH 取自其疲劳图, 没有可核对的公开数值",
            CheckInput::None);
    }
    if (!in.tensileStrength) {
        return NotJudged(check, NeedsTensileStrength(in), CheckInput::TensileStrength);
    }
    // Beyond the table's last row the strength is taken at that row: the
    // lowest share it gives.
    const bool beyond = *in.loadCycles > kFatigueTableCycles;
    const auto share =
        PulsatingFatigueShare(std::min(*in.loadCycles, kFatigueTableCycles), in.family);
    if (!share) {
        return NotJudged(check, "循环次数不在疲劳强度表的范围内", CheckInput::None);
    }
    const double tauMin = c.CorrectedStress(std::min(c.load1, c.load3));
    const double tauMax = c.CorrectedStress(std::max(c.load1, c.load3));
    const double strength = *share * *c.inputs.tensileStrength;
    const auto factor = FatigueSafetyFactor(strength, tauMin, tauMax);
    if (!factor) {
        return NotApplicable(check, "最大工作载荷下切应力不为正, 无法验算疲劳");
    }
    check.value = *factor;
    check.limit = kFatigueSafetyRequired;
    const std::string figures =
        "S = " + Fixed(*factor, 2) + " (τu0 = " + Fixed(*share, 2) + "·Rm = " + Fixed(strength, 0) +
        " MPa" + (beyond ? ", 循环次数超过表中最大的 10⁸ 次, 按 10⁸ 次判定" : "") + ")";
    if (*factor >= kFatigueSafetyRequired) {
        check.verdict = CheckVerdict::Ok;
        check.message = figures + ", 疲劳强度足够";
    } else if (*factor >= kFatigueSafetyLowest) {
        check.verdict = CheckVerdict::Warning;
        check.message = figures + ", 在 1.1~1.3 之间, 仅在载荷和材料数据可靠时可用";
    } else {
        check.verdict = CheckVerdict::Fail;
        check.message = figures + ", 低于 1.1, 疲劳强度不足";
    }
    return check;
}

CheckResult IndexCheck(const CheckContext &c) {
    CheckResult check =
        MakeCheck("index", "", "旋绕比推荐范围 4 ≤ C ≤ 12 (Shigley 式 10-18), 便于卷制");
    if (!c.GeometryUsable()) {
        return NotApplicable(check, kNeedsGeometry);
    }
    check.value = c.springIndex;
    if (c.springIndex < kIndexLowest) {
        check.limit = kIndexLowest;
        check.verdict = CheckVerdict::Warning;
        check.message = "旋绕比 " + Fixed(c.springIndex, 2) + " 小于 4, 卷制困难, 应力集中大";
    } else if (c.springIndex > kIndexHighest) {
        check.limit = kIndexHighest;
        check.verdict = CheckVerdict::Warning;
        check.message = "旋绕比 " + Fixed(c.springIndex, 2) + " 大于 12, 弹簧易缠绕, 尺寸难控制";
    } else {
        check.limit = kIndexHighest;
        check.verdict = CheckVerdict::Ok;
        check.message = "旋绕比 " + Fixed(c.springIndex, 2) + " 在推荐范围 4~12 内";
    }
    return check;
}

CheckResult MassCheck(const CheckContext &c) {
    CheckResult check = MakeCheck("mass", "g", "m = ρ·π·d²/4·L (L 为展开长度)");
    if (!c.inputs.density || !(*c.inputs.density > 0.0)) {
        return NotApplicable(check, kNeedsDensity, CheckInput::Density);
    }
    const double mass = WireMass(c.wireDiameter, c.developedLength, *c.inputs.density);
    check.value = mass;
    check.verdict = CheckVerdict::Info;
    check.message = "弹簧质量 " + Fixed(mass, 1) + " g (仅供参考)";
    return check;
}

CheckResult WorkCheck(const CheckContext &c) {
    CheckResult check = MakeCheck("work", "N·mm", "W = (F1 + F3)/2·|H1 − H3|");
    const double work = (c.load1 + c.load3) / 2.0 * std::abs(c.height1 - c.height3);
    check.value = work;
    check.verdict = CheckVerdict::Info;
    check.message = "第一与第三工作点之间的功 " + Fixed(work, 1) + " N·mm (仅供参考)";
    return check;
}

CheckResult ActiveCoilsCheck(const CheckContext &c) {
    CheckResult check = MakeCheck("active-coils", "",
                                  "机械设计手册 圆柱螺旋弹簧: 有效圈数一般不少于 3 圈 (刚度准确), "
                                  "最少 2 圈; EN 13906-1: n ≥ 2");
    check.value = c.activeCoils;
    if (c.activeCoils < 2.0) {
        check.limit = 2.0;
        check.verdict = CheckVerdict::Fail;
        check.message = "有效圈数 " + Fixed(c.activeCoils, 2) + " 少于 2 圈, 刚度和载荷不可控";
    } else if (c.activeCoils < 3.0) {
        check.limit = 3.0;
        check.verdict = CheckVerdict::Warning;
        check.message = "有效圈数 " + Fixed(c.activeCoils, 2) + " 少于 3 圈, 刚度不准确";
    } else {
        check.limit = 3.0;
        check.verdict = CheckVerdict::Ok;
        check.message = "有效圈数 " + Fixed(c.activeCoils, 2) + " 不少于 3 圈";
    }
    return check;
}

CheckResult ShearModulusCheck(const CheckContext &c) {
    CheckResult check =
        MakeCheck("shear-modulus", "MPa", "计算所用 G 与材料表中该牌号的 G 相差不超过 10 %");
    if (!c.inputs.gradeShearModulus) {
        return NotApplicable(check, "材料表没有该牌号的切变模量 G, 无法核对");
    }
    const double grade = *c.inputs.gradeShearModulus;
    check.value = c.shearModulus;
    check.limit = grade;
    if (std::abs(c.shearModulus - grade) > 0.10 * grade) {
        check.verdict = CheckVerdict::Warning;
        check.message = "计算所用 G = " + Fixed(c.shearModulus, 0) +
                        " MPa 与该牌号的 G = " + Fixed(grade, 0) +
                        " MPa 相差超过 10 %, 刚度和变形算错";
    } else {
        check.verdict = CheckVerdict::Ok;
        check.message = "计算所用 G = " + Fixed(c.shearModulus, 0) +
                        " MPa 与该牌号的 G = " + Fixed(grade, 0) + " MPa 相差不超过 10 %";
    }
    return check;
}
