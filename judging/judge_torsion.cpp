#include "judge_torsion.h"

#include "calculation_error.h"
#include "check_options.h"
#include "design_options.h"
#include "field_check.h"
#include "material_texts.h"
#include "number_format.h"
#include "option_ranges.h"
#include "shared_materials.h"
#include "torsion_options.h"

#include <algorithm>

namespace {

constexpr std::array<const char *, 3> kTorqueOptions = {"working-torque1", "working-torque2",
                                                        "working-torque3"};
constexpr std::array<const char *, 3> kAngleOptions = {"working-angle1", "working-angle2",
                                                       "working-angle3"};

// A design field the window checks (d, D, n): the window's own message.
bool StoreField(const DesignRequest &request, const char *designField, double &value,
                std::string &error) {
    const std::size_t i = NumericFieldIndex(designField);
    const FieldCheck check = CheckFieldText(kNumericFields[i], request.numericTexts[i]);
    if (check.verdict != FieldVerdict::Accepted) {
        error = std::string("--") + NumericOptionName(i) + ": " + check.message;
        return false;
    }
    value = check.value;
    return true;
}

// An option's number in its range; nothing when not given.
bool StoreRanged(const std::optional<std::string> &text, const char *option,
                 std::optional<double> &value, std::string &error) {
    if (!text) {
        return true;
    }
    value = RangedNumber(*FindOptionRange(option), *text, error);
    return value.has_value();
}

// The numbers of the request, checked; the refusal names the option.
bool StoreInputs(const DesignRequest &request, TorsionInputs &in, std::string &error) {
    const TorsionRequest &t = request.torsion;
    if (!StoreField(request, "WireDiameter", in.wireDiameter, error) ||
        !StoreField(request, "MeanDiameter", in.meanDiameter, error) ||
        !StoreField(request, "ActiveCoils", in.activeCoils, error)) {
        return false;
    }
    if (in.meanDiameter <= in.wireDiameter) {
        error = "--mean-diameter: 弹簧中径必须大于材料直径";
        return false;
    }
    std::optional<double> leg1, leg2, spacing;
    if (!StoreRanged(t.legLength1, "leg-length1", leg1, error) ||
        !StoreRanged(t.legLength2, "leg-length2", leg2, error) ||
        !StoreRanged(t.coilSpacing, "coil-spacing", spacing, error)) {
        return false;
    }
    in.legLength1 = leg1.value_or(0.0);
    in.legLength2 = leg2.value_or(0.0);
    in.coilSpacing = spacing.value_or(0.0);
    in.knownTorques = t.knownTorques;
    const auto &texts = t.knownTorques ? t.workingTorques : t.workingAngles;
    const auto &names = t.knownTorques ? kTorqueOptions : kAngleOptions;
    const auto &others = t.knownTorques ? t.workingAngles : t.workingTorques;
    const auto &otherNames = t.knownTorques ? kAngleOptions : kTorqueOptions;
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (others[i]) {
            error = std::string("--") + otherNames[i] +
                    (t.knownTorques ? ": 已知工作扭矩 (--known-torques) 时不给扭转角"
                                    : ": 工作扭矩只在已知工作扭矩 (--known-torques) 时给出");
            return false;
        }
    }
    std::optional<double> previous;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        if (!StoreRanged(texts[i], names[i], in.points[i], error)) {
            return false;
        }
        if (in.points[i] && previous && *in.points[i] < *previous) {
            error = std::string("--") + names[i] + ": 应不小于前一工作点的值";
            return false;
        }
        previous = in.points[i] ? in.points[i] : previous;
    }
    if (!previous || !(*previous > 0.0)) {
        error = t.knownTorques ? "--working-torque3: 至少给出一个大于零的工作扭矩"
                               : "--working-angle3: 至少给出一个大于零的工作扭转角";
        return false;
    }
    return true;
}

// E, ρ and Rm: the options first, then the grade's entry at the wire diameter.
bool TakeMaterial(const DesignRequest &request, const MaterialEntry *entry, TorsionInputs &in,
                  TorsionCheckInputs &checks, TorsionOutcome &outcome) {
    std::optional<double> modulus, density, rm;
    std::string error;
    if (!StoreRanged(request.checks.elasticModulus, "elastic-modulus", modulus, error) ||
        !StoreRanged(request.checks.density, "density", density, error) ||
        !StoreRanged(request.checks.tensileStrength, "tensile-strength", rm, error)) {
        outcome.message = error;
        return false;
    }
    std::string fromTable;
    const auto taken = [&](const char *what, const char *field, double value) {
        fromTable += (fromTable.empty() ? "" : "、") + std::string(what);
        outcome.inputsFromMaterial.emplace_back(field, value);
    };
    if (entry) {
        checks.family = entry->family;
        if (!modulus && entry->elasticModulus > 0.0) {
            modulus = entry->elasticModulus;
            taken("E", "ElasticModulus", *modulus);
        }
        if (!density && entry->density > 0.0) {
            density = entry->density;
            taken("ρ", "Density", *density);
        }
        if (!rm) {
            if (const auto table = TensileStrengthAt(*entry, in.wireDiameter)) {
                rm = table->rmMin;
                taken("Rm min", "TensileStrength", *rm);
            }
        }
        if (!fromTable.empty()) {
            outcome.notes.push_back(fromTable + " 取自" + MaterialTableCaption(*entry));
        }
    }
    if (!modulus) {
        outcome.message = "--elastic-modulus: 缺少弹性模量 E: 材料“" + request.material +
                          "”不在材料表中或没有 E, 请给出 E (MPa)";
        return false;
    }
    in.elasticModulus = *modulus;
    in.density = density;
    checks.tensileStrength = rm;
    checks.tensileStrengthProblem =
        !entry ? "材料牌号不在材料表中, 不知材料类别, 无法求许用弯曲应力"
               : "缺少该线径的抗拉强度 Rm (钢丝质保书), 无法求许用弯曲应力";
    return true;
}

std::string Three(float value) {
    return FormatThreeDecimals(value);
}

} // namespace

TorsionOutcome JudgeTorsionDesign(const DesignRequest &request) {
    TorsionOutcome outcome;
    if (auto problem = MixedKindProblem(request)) {
        outcome.message = *problem;
        return outcome;
    }
    std::string error;
    if (!StoreInputs(request, outcome.inputs, error)) {
        outcome.message = error;
        return outcome;
    }
    const LoadedMaterials &materials = SharedMaterials(request.materials.materialsFile);
    const MaterialEntry *entry = FindMaterial(materials.catalog, request.material);
    TorsionCheckInputs checks;
    if (!TakeMaterial(request, entry, outcome.inputs, checks, outcome)) {
        return outcome;
    }
    std::optional<double> arbor;
    if (!StoreRanged(request.torsion.arborDiameter, "arbor-diameter", arbor, error)) {
        outcome.message = error;
        return outcome;
    }
    checks.arborDiameter = arbor;
    outcome.arborDiameter = arbor;
    checks.loadType = EffectiveLoadType(request);
    checks.direction =
        request.torsion.loadDirection == "unwind" ? LoadDirection::Unwind : LoadDirection::Wind;
    checks.standard = request.checks.standard == "en" ? CheckStandard::En : CheckStandard::Gb;
    std::optional<double> cycles; // the duty below reads them; refused here when out of range
    if (!StoreRanged(request.checks.loadCycles, "load-cycles", cycles, error)) {
        outcome.message = error;
        return outcome;
    }
    try {
        outcome.spring = CalculateTorsionSpring(outcome.inputs);
    } catch (const CalculationError &e) {
        outcome.status = DesignStatus::Fault;
        outcome.message = std::string("计算错误: ") + CalculationErrorMessage(e);
        return outcome;
    }
    outcome.status = DesignStatus::Completed;
    if (request.checks.check) {
        outcome.checks = RunTorsionChecks(outcome.inputs, outcome.spring, checks);
    }
    return outcome;
}

int TorsionExitStatus(const DesignRequest &request, const TorsionOutcome &outcome) {
    return ExitStatusOf(request, outcome.status, outcome.checks);
}

std::vector<TorsionResultRow> TorsionResultRows(const TorsionOutcome &outcome) {
    std::vector<TorsionResultRow> rows;
    if (outcome.status != DesignStatus::Completed) {
        return rows;
    }
    const TorsionSpring &s = outcome.spring;
    const auto add = [&rows](const char *key, const std::string &caption, const char *unit,
                             float value, std::string text) {
        rows.push_back({key, caption, unit, value, std::move(text)});
    };
    add("ElasticModulus", "弹性模量 E", "MPa", static_cast<float>(outcome.inputs.elasticModulus),
        FormatGeneral(static_cast<float>(outcome.inputs.elasticModulus)));
    add("EffectiveCoils", "有效圈数 n + (l1 + l2)/(3πD)", "", s.effectiveCoils,
        Three(s.effectiveCoils));
    add("SpringIndex", "旋绕比 C", "", s.springIndex, Three(s.springIndex));
    add("CurvatureFactor", "曲度系数 K1 = (4C−1)/(4C−4)", "", s.curvatureFactor,
        Three(s.curvatureFactor));
    add("AngularRate", "扭转刚度 T'", "N·mm/°", s.angularRate, Three(s.angularRate));
    static constexpr std::array<const char *, 3> kTorqueKeys = {"WorkingTorque1", "WorkingTorque2",
                                                                "WorkingTorque3"};
    static constexpr std::array<const char *, 3> kAngleKeys = {"WorkingAngle1", "WorkingAngle2",
                                                               "WorkingAngle3"};
    static constexpr std::array<const char *, 3> kStressKeys = {"BendingStress1", "BendingStress2",
                                                                "BendingStress3"};
    for (std::size_t i = 0; i < 3; ++i) {
        if (!s.torques[i]) {
            continue;
        }
        const std::string n = std::to_string(i + 1);
        add(kTorqueKeys[i], "工作扭矩 T" + n, "N·mm", *s.torques[i], Three(*s.torques[i]));
        add(kAngleKeys[i], "扭转角 φ" + n, "°", *s.angles[i], Three(*s.angles[i]));
        add(kStressKeys[i], "弯曲应力 σ" + n, "MPa", *s.stresses[i], Three(*s.stresses[i]));
    }
    add("OuterDiameter", "外径 D2", "mm", s.outerDiameter, Three(s.outerDiameter));
    add("InnerDiameter", "内径 D1", "mm", s.innerDiameter, Three(s.innerDiameter));
    add("LoadedInnerDiameter", "最大扭转角时内径 D1' = D·n/(n + φ/360) − d", "mm",
        s.loadedInnerDiameter, Three(s.loadedInnerDiameter));
    add("FreeBodyLength", "自由状态弹簧体长度 (n + 1)·d + n·δ", "mm", s.freeBodyLength,
        Three(s.freeBodyLength));
    add("LoadedBodyLength", "最大扭转角时弹簧体长度", "mm", s.loadedBodyLength,
        Three(s.loadedBodyLength));
    add("DevelopedLength", "展开长度 (含两臂)", "mm", s.developedLength,
        FormatOneDecimal(s.developedLength));
    if (s.mass) {
        add("Mass", "质量", "g", *s.mass, Three(*s.mass));
    }
    return rows;
}
