#include "check_options.h"

#include "material_texts.h"
#include "option_ranges.h"
#include "permissible_stress.h"
#include "run_checks.h"
#include "shared_materials.h"
#include "wire_series.h"

#include <cmath>
#include <map>

namespace {

RequestOption TextOption(const char *name, const char *valueName, const char *help,
                         std::optional<std::string> CheckRequest::*member) {
    return {name, valueName, help,
            [member](DesignRequest &request, std::string_view text) {
                request.checks.*member = std::string(text);
                return std::optional<std::string>();
            },
            [member](const DesignRequest &request) { return request.checks.*member; }};
}

RequestOption FlagOption(const char *name, const char *help, bool CheckRequest::*member) {
    return {name, "", help,
            [member](DesignRequest &request, std::string_view text) {
                request.checks.*member = !text.empty();
                return std::optional<std::string>();
            },
            [member](const DesignRequest &request) {
                return std::optional<std::string>(request.checks.*member ? "1" : "");
            }};
}

const std::map<std::string, EndCondition, std::less<>> kEndConditions = {
    {"fixed-fixed", EndCondition::FixedFixed},
    {"fixed-pinned", EndCondition::FixedPinned},
    {"pinned-pinned", EndCondition::PinnedPinned},
    {"fixed-free", EndCondition::FixedFree},
};

RequestOptionGroup MakeGroup() {
    RequestOptionGroup group;
    group.push_back(FlagOption("check", "完成计算后进行工程校核", &CheckRequest::check));
    group.push_back(FlagOption("strict", "校核有不合格项时退出状态为 5", &CheckRequest::strict));
    group.push_back(
        {"end-condition", "fixed-fixed|fixed-pinned|pinned-pinned|fixed-free",
         "端部支承, 用于稳定性校核 (fixed-fixed)",
         [](DesignRequest &request, std::string_view text) -> std::optional<std::string> {
             if (!kEndConditions.contains(text)) {
                 return "只能是 fixed-fixed、fixed-pinned、pinned-pinned 或 fixed-free";
             }
             request.checks.endCondition = text;
             return std::nullopt;
         },
         [](const DesignRequest &request) {
             return std::optional<std::string>(request.checks.endCondition);
         }});
    group.push_back(
        {"standard", "gb|en",
         "校核依据: gb 为 GB/T 23935 的方法, 许用切应力取 GB/T 1239.6-1992 表; en 为 "
         "EN 13906-1, 只用于压缩弹簧的静强度和疲劳 (gb)",
         [](DesignRequest &request, std::string_view text) -> std::optional<std::string> {
             if (text != "gb" && text != "en") {
                 return "只能是 gb 或 en";
             }
             request.checks.standard = text;
             return std::nullopt;
         },
         [](const DesignRequest &request) {
             return std::optional<std::string>(request.checks.standard);
         }});
    group.push_back(TextOption("load-cycles", "N",
                               "载荷循环次数, 决定许用切应力的载荷类型 (不给: 静载)",
                               &CheckRequest::loadCycles));
    group.push_back(TextOption("working-frequency", "HZ", "工作频率, Hz (不给: 自振频率仅供参考)",
                               &CheckRequest::workingFrequency));
    group.push_back(TextOption("hook-bend-radius", "MM", "拉伸弹簧钩环弯曲半径 r2, mm (2 倍线径)",
                               &CheckRequest::hookBendRadius));
    group.push_back(TextOption("tensile-strength", "MPA",
                               "抗拉强度 Rm, MPa, 如钢丝质保书上的值 (材料表)",
                               &CheckRequest::tensileStrength));
    group.push_back(TextOption("elastic-modulus", "MPA", "弹性模量 E, MPa (材料表)",
                               &CheckRequest::elasticModulus));
    group.push_back(
        TextOption("density", "KG_PER_DM3", "密度 ρ, kg/dm³ (材料表)", &CheckRequest::density));
    return group;
}

// A number in the option's physical range, written with "." as the decimal point.
std::optional<double> PositiveNumber(const std::optional<std::string> &text, const char *name,
                                     std::optional<std::string> &error) {
    if (!text || error) {
        return std::nullopt;
    }
    std::string refused;
    const std::optional<double> value = RangedNumber(*FindOptionRange(name), *text, refused);
    if (!value) {
        error = refused;
    }
    return value;
}

} // namespace

const RequestOptionGroup &CheckOptionGroup() {
    static const RequestOptionGroup group = MakeGroup();
    return group;
}

LoadType EffectiveLoadType(const DesignRequest &request) {
    std::optional<std::string> ignored;
    CheckInputs duty;
    duty.loadType = request.materials.loadType.value_or(LoadType::Static);
    duty.loadCycles = PositiveNumber(request.checks.loadCycles, "load-cycles", ignored);
    return JudgedLoadType(duty);
}

namespace {

PreparedCheckInputs PrepareForDuty(const CheckRequest &request, const MaterialEntry *entry,
                                   const SpringDesign &design, SpringTypeSign typeSign,
                                   std::optional<LoadType> loadTypeGiven) {
    PreparedCheckInputs prepared;
    CheckInputs &in = prepared.inputs;
    std::optional<std::string> &error = prepared.error;
    in.endCondition = kEndConditions.find(request.endCondition)->second;
    in.standard = request.standard == "en" ? CheckStandard::En : CheckStandard::Gb;
    in.loadCycles = PositiveNumber(request.loadCycles, "load-cycles", error);
    in.workingFrequency = PositiveNumber(request.workingFrequency, "working-frequency", error);
    in.hookBendRadius = PositiveNumber(request.hookBendRadius, "hook-bend-radius", error);
    in.tensileStrength = PositiveNumber(request.tensileStrength, "tensile-strength", error);
    in.elasticModulus = PositiveNumber(request.elasticModulus, "elastic-modulus", error);
    in.density = PositiveNumber(request.density, "density", error);
    if (error) {
        return prepared;
    }
    // A hook bent tighter than half the wire has no bend to judge: refuse it
    // rather than let its check fall away.
    const double halfWire = static_cast<double>(design.WireDiameter) / 2.0;
    if (typeSign == kExtensionSpring && in.hookBendRadius && *in.hookBendRadius <= halfWire) {
        error = "--hook-bend-radius: 钩环弯曲半径 r2 必须大于材料直径的一半 (d/2 = " +
                MaterialNumber(halfWire) + " mm)";
        return prepared;
    }
    // The stricter of the given duty and the cycles' class governs every row.
    in.loadTypeGiven = loadTypeGiven;
    in.loadType = loadTypeGiven ? *loadTypeGiven : LoadType::Static;
    in.loadType = JudgedLoadType(in);

    const bool extension = typeSign == kExtensionSpring;
    const SpringKind kind = extension ? SpringKind::Extension : SpringKind::Compression;
    const bool enStatic = !extension && in.standard == CheckStandard::En;
    const bool rmGiven = in.tensileStrength.has_value();
    std::string fromTable;
    const auto taken = [&fromTable](const char *what) {
        fromTable += (fromTable.empty() ? "" : "、") + std::string(what);
    };
    if (!entry) {
        in.standardPermissibleProblem = "材料牌号不在材料表中, 无法按标准求许用切应力";
        if (rmGiven) {
            prepared.notes.push_back("校核: 材料牌号未知, 无法按材料类别求许用切应力");
        }
        return prepared;
    }
    in.family = entry->family;
    const ElasticConstants moduli = ElasticConstantsAt(*entry, design.WireDiameter);
    if (!in.elasticModulus && moduli.elasticModulus > 0.0) {
        in.elasticModulus = moduli.elasticModulus;
        taken("E");
    }
    if (!in.density && entry->density > 0.0) {
        in.density = entry->density;
        taken("ρ");
    }
    // The grade's own permissible figures where its source has them, else the
    // family's share of Rm min at this wire diameter; a given Rm (the wire
    // maker's certificate) replaces the table's wherever a share of Rm is taken.
    const GradePermissible grade = PermissibleShearStressOf(
        *entry, kind, in.loadType, design.WireDiameter, in.tensileStrength);
    if (!rmGiven && grade.rmMin) {
        in.tensileStrength = grade.rmMin;
        // Between two rows of the table: which row, said where Rm is named.
        const std::string row =
            grade.tableRm ? RmRowText(*grade.tableRm, design.WireDiameter) : std::string();
        fromTable += (fromTable.empty() ? "" : "、") + std::string("Rm min") + row;
    }
    if (rmGiven) {
        prepared.notes.push_back("校核: 抗拉强度 Rm = " + MegapascalText(*in.tensileStrength) +
                                 " MPa 取自钢丝质保书 (--tensile-strength)");
    }
    in.rmNeedsCertificate = entry->rm.empty();
    if (enStatic) {
        if (in.tensileStrength) {
            in.standardPermissible =
                EnStaticPermissibleShearStress(entry->family, *in.tensileStrength);
        } else {
            in.standardPermissibleProblem = "缺少抗拉强度 Rm, 无法求 EN 13906-1 的许用切应力";
        }
    } else {
        in.standardPermissible = grade.stress;
        in.standardPermissibleProblem = grade.problem;
        if (grade.stress && (entry->fixedPermissible || !rmGiven)) {
            taken("许用切应力");
        } else if (!rmGiven && !grade.problem.empty()) {
            prepared.notes.push_back("校核: " + grade.problem);
        }
    }
    if (!fromTable.empty()) {
        prepared.notes.push_back("校核: " + fromTable + " 取自" + MaterialTableCaption(*entry));
    }
    return prepared;
}

} // namespace

PreparedCheckInputs PrepareCheckInputs(const CheckRequest &request, const MaterialEntry *entry,
                                       const SpringDesign &design, SpringTypeSign typeSign,
                                       std::optional<LoadType> loadTypeGiven) {
    PreparedCheckInputs prepared = PrepareForDuty(request, entry, design, typeSign, loadTypeGiven);
    if (prepared.error) {
        return prepared;
    }
    CheckInputs &in = prepared.inputs;
    // The test stress is the static permissible stress of the same table.
    if (in.loadType == LoadType::Static) {
        in.testStress = in.standardPermissible;
    } else {
        CheckRequest statics = request;
        statics.loadCycles.reset();
        in.testStress = PrepareForDuty(statics, entry, design, typeSign, LoadType::Static)
                            .inputs.standardPermissible;
    }
    if (entry) {
        if (const double g = ElasticConstantsAt(*entry, design.WireDiameter).shearModulus;
            g > 0.0) {
            in.gradeShearModulus = g;
        }
    }
    return prepared;
}

std::optional<CheckResult> NonStandardWireDiameter(const WireDiameterSeries &series,
                                                   double wireDiameter) {
    if (StandardDiameterOf(series, wireDiameter) != StandardDiameter::NotStandard) {
        return std::nullopt; // a standard size, or a series that cannot tell
    }
    CheckResult check;
    check.id = "wire-diameter-series";
    check.unit = "mm";
    check.value = wireDiameter;
    check.verdict = CheckVerdict::Warning;
    check.clause = (series.source.empty() ? std::string("GB/T 1358 线径系列") : series.source);
    check.message = "钢丝直径 d = " + MaterialNumber(wireDiameter) +
                    " mm 不是 GB/T 1358 第一、第二系列中的标准直径, 采购可能困难";
    return check;
}

JudgedChecks JudgeChecks(const DesignRequest &request, const MaterialEntry *entry,
                         const SpringDesign &design, SpringTypeSign typeSign) {
    JudgedChecks judged;
    judged.prepared =
        PrepareCheckInputs(request.checks, entry, design, typeSign, request.materials.loadType);
    if (!judged.prepared.error) {
        judged.results = RunChecks(design, typeSign, judged.prepared.inputs);
        // Judged here, not printed by a front end: every place that shows the
        // outcome shows this row too. Rounded to a micrometre as it was typed.
        const double d = std::round(static_cast<double>(design.WireDiameter) * 1e6) / 1e6;
        if (auto series = NonStandardWireDiameter(
                SharedMaterials(request.materials.materialsFile).catalog.series, d)) {
            judged.results.push_back(std::move(*series));
        }
    }
    return judged;
}

bool HasFailedCheck(const CheckResults &results) {
    for (const CheckResult &r : results) {
        if (r.verdict == CheckVerdict::Fail || r.verdict == CheckVerdict::NotJudged) {
            return true;
        }
    }
    return false;
}
