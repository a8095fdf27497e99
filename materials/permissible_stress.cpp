#include "permissible_stress.h"

#include "material_texts.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace {

// Shares of Rm min from the permissible-stress table of GB/T 1239.6-1992 for
// cold-coiled springs, as the machine design handbook prints it (table
// 10-2-6, transcribed at mechtool.cn/spring/spring_allowablespringstress.html).
// GB/T 23935-2009 replaced that standard; no public copy of its own table was
// found, so its predecessor's figures are used. Class III (static, or fewer
// than 10^3 load changes) gives one share; classes II (10^3 to 10^6) and I
// (over 10^6) give ranges, of which the lower, conservative end is taken.
struct FamilyShares {
    MaterialFamily family;
    const char *column;
    std::array<double, 3> compression; // static, dynamic limited, dynamic unlimited
    std::array<double, 3> extension;
};

// Two transcriptions said to give GB/T 23935-2009's own table disagree with
// these shares and with each other. A textbook (Wei Jiang, Analysis and Design
// of Machine Elements, table 14.3) prints the same static shares as this table
// (0.55/0.50/0.45/0.40) and higher dynamic ones (0.45/0.42/0.36/0.35 limited,
// 0.38/0.36/0.32/0.32 unlimited), which look like midpoints of ranges whose
// lower ends are taken here. An open-source calculator prints lower static
// shares (0.50/0.45/0.38/0.36) and, as unlimited-life lower ends, 0.35/0.33/
// 0.30/0.30, above this table's 0.35/0.30/0.28/0.25. As a single third-party
// transcription, whose static row equals the textbook's test-stress row, it
// is a lead only; its static row is not taken. Every dynamic share here is the
// lowest of the three.
constexpr std::array<FamilyShares, 4> kShares{{
    {MaterialFamily::OilTemperedWire, "油淬火回火钢丝", {0.55, 0.40, 0.35}, {0.44, 0.32, 0.28}},
    {MaterialFamily::CarbonSpringWire, "碳素钢丝、琴钢丝", {0.50, 0.38, 0.30}, {0.40, 0.30, 0.24}},
    {MaterialFamily::StainlessSpringWire, "不锈钢丝", {0.45, 0.34, 0.28}, {0.36, 0.27, 0.22}},
    {MaterialFamily::CopperAlloyWire, "青铜线", {0.40, 0.30, 0.25}, {0.32, 0.24, 0.20}},
}};

constexpr const char *kTable = "GB/T 1239.6-1992 冷卷弹簧许用切应力表（机械设计手册 表10-2-6）";

// The disagreement with the successor standard, said where it bites.
constexpr const char *kSuccessorLead =
    "；注：GB/T 23935-2009 静载比例的一份公开转录为 0.50/0.45/0.38/0.36σb（低 9～16 %），"
    "尚无第二份独立来源证实，未采用";

const char *ClassName(LoadType load) {
    switch (load) {
    case LoadType::Static:
        return "Ⅲ类（静负荷）";
    case LoadType::DynamicLimited:
        return "Ⅱ类（动负荷，有限寿命，取区间下限）";
    case LoadType::DynamicUnlimited:
        return "Ⅰ类（动负荷，无限寿命，取区间下限）";
    }
    return "";
}

std::size_t Index(LoadType load) {
    switch (load) {
    case LoadType::Static:
        return 0;
    case LoadType::DynamicLimited:
        return 1;
    case LoadType::DynamicUnlimited:
        return 2;
    }
    return 0;
}

const char *KindName(SpringKind kind) {
    return kind == SpringKind::Compression ? "压缩弹簧" : "拉伸弹簧";
}

std::string Fixed(double value, int decimals) {
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

double FixedValue(const FixedPermissibleStress &stress, LoadType load) {
    switch (load) {
    case LoadType::Static:
        return stress.staticLoad;
    case LoadType::DynamicLimited:
        return stress.dynamicLimited;
    case LoadType::DynamicUnlimited:
        return stress.dynamicUnlimited;
    }
    return 0.0;
}

} // namespace

std::optional<PermissibleShearStress>
PermissibleShearStressFor(MaterialFamily family, SpringKind kind, LoadType load, double rmMin) {
    if (!std::isfinite(rmMin) || rmMin <= 0.0) {
        return std::nullopt;
    }
    for (const FamilyShares &shares : kShares) {
        if (shares.family != family) {
            continue;
        }
        const auto &column =
            kind == SpringKind::Compression ? shares.compression : shares.extension;
        const double fraction = column[Index(load)];
        std::string clause = std::string(kTable) + "，" + KindName(kind) + ClassName(load) + "，" +
                             shares.column + " " + Fixed(fraction, 2) + "σb";
        if (load == LoadType::Static && kind == SpringKind::Compression) {
            clause += kSuccessorLead;
        }
        return PermissibleShearStress{rmMin * fraction, fraction, std::move(clause)};
    }
    // Alloy spring steels: the table gives MPa per grade, not a share of Rm.
    return std::nullopt;
}

std::optional<PermissibleShearStress> ShareOfGivenRm(MaterialFamily family, SpringKind kind,
                                                     LoadType load, double rm) {
    const bool alloy = family == MaterialFamily::AlloySpringSteel;
    auto share = PermissibleShearStressFor(alloy ? MaterialFamily::CarbonSpringWire : family, kind,
                                           load, rm);
    if (share && alloy) {
        share->clause += " (合金弹簧钢取碳素钢丝的比例)";
    }
    return share;
}

LoadType LoadTypeForCycles(double loadCycles) {
    if (loadCycles < 1e3) {
        return LoadType::Static;
    }
    return loadCycles <= 1e6 ? LoadType::DynamicLimited : LoadType::DynamicUnlimited;
}

const char *LoadClassRuleText() {
    return "N < 10³ 静载, ≤ 10⁶ 有限寿命, 以上无限寿命 (来源分界 10³/10⁶ 与 10⁴/10⁷, 取较严者)";
}

bool LessStrict(LoadType a, LoadType b) {
    return Index(a) < Index(b);
}

std::optional<PermissibleShearStress> EnStaticPermissibleShearStress(MaterialFamily family,
                                                                     double rmMin) {
    if (!std::isfinite(rmMin) || rmMin <= 0.0) {
        return std::nullopt;
    }
    // EN 13906-1 has no public copy to read the static limit from. The only
    // public table found is a CAD vendor's spring-material help page
    // (Autodesk Inventor, compression spring materials): 0.5 Rm for patented
    // carbon and CrNi stainless wire, 0.6 Rm for heat-treated carbon and alloy
    // steel, 0.45 Rm for tin bronze and brass. As a single transcription the
    // lower 0.5 Rm is taken for every steel family.
    const double fraction = family == MaterialFamily::CopperAlloyWire ? 0.45 : 0.50;
    return PermissibleShearStress{
        rmMin * fraction, fraction,
        "EN 13906-1 静载许用切应力 τzul = " + Fixed(fraction, 2) +
            "·Rm (仅一份公开转录: Autodesk Inventor 帮助的压缩弹簧材料表; 钢丝一律取其中较低的 "
            "0.5·Rm)"};
}

const char *LoadTypeName(LoadType load) {
    switch (load) {
    case LoadType::Static:
        return "static";
    case LoadType::DynamicLimited:
        return "dynamic-limited";
    case LoadType::DynamicUnlimited:
        return "dynamic-unlimited";
    }
    return "static";
}

std::optional<LoadType> LoadTypeFromName(const std::string &name) {
    for (LoadType load : {LoadType::Static, LoadType::DynamicLimited, LoadType::DynamicUnlimited}) {
        if (name == LoadTypeName(load)) {
            return load;
        }
    }
    return std::nullopt;
}

GradePermissible PermissibleShearStressOf(const MaterialEntry &entry, SpringKind kind,
                                          LoadType load, double wireDiameter,
                                          std::optional<double> certificateRm) {
    GradePermissible result;
    if (certificateRm && std::isfinite(*certificateRm) && *certificateRm > 0.0) {
        result.rmMin = *certificateRm;
        result.rmFromCertificate = true;
    } else if (const std::optional<TensileStrength> rm = TensileStrengthAt(entry, wireDiameter);
               rm && rm->rmMin > 0.0) {
        result.rmMin = rm->rmMin;
        result.tableRm = rm;
    }
    if (entry.fixedPermissible) {
        const FixedPermissible &fixed = *entry.fixedPermissible;
        if (!(wireDiameter >= fixed.fromDiameter && wireDiameter <= fixed.toDiameter)) {
            result.problem = "钢丝直径 " + Fixed(wireDiameter, 2) + " mm 不在" + entry.name +
                             "许用切应力的适用范围 " + Fixed(fixed.fromDiameter, 2) + "～" +
                             Fixed(fixed.toDiameter, 2) + " mm 内";
            return result;
        }
        const auto &stress = kind == SpringKind::Compression ? fixed.compression : fixed.extension;
        const double value = FixedValue(stress, load);
        if (!(value > 0.0)) {
            result.problem = entry.name + "的来源未给出该负荷类型的许用切应力";
            return result;
        }
        const double fraction = result.rmMin ? value / *result.rmMin : 0.0;
        result.stress = PermissibleShearStress{
            value, fraction, fixed.source + "，" + KindName(kind) + ClassName(load)};
        // A certificate's Rm below what the figure presumes lowers it: the
        // smaller of the figure and the standard's share of that Rm.
        if (result.rmFromCertificate) {
            auto share = ShareOfGivenRm(entry.family, kind, load, *result.rmMin);
            if (share && share->value < value) {
                share->clause += "; 小于" + result.stress->clause + "的 " + MaterialNumber(value) +
                                 " MPa, 取较小者";
                result.stress = share;
            }
        }
        return result;
    }
    if (entry.rm.empty() && !result.rmMin) {
        result.problem = entry.name + "没有可查的抗拉强度表";
        result.certificateRmWouldServe = true;
        return result;
    }
    if (!result.rmMin) {
        result.problem = "钢丝直径 " + Fixed(wireDiameter, 2) + " mm 不在" + entry.name +
                         "抗拉强度表的范围 " + Fixed(entry.rm.front().wireDiameter, 2) + "～" +
                         Fixed(entry.rm.back().wireDiameter, 2) + " mm 内";
        result.certificateRmWouldServe = true;
        return result;
    }
    result.stress = PermissibleShearStressFor(entry.family, kind, load, *result.rmMin);
    if (!result.stress) {
        result.problem = entry.name + "所属材料类别没有按抗拉强度取许用切应力的系数";
    }
    return result;
}

std::string ProblemAndRemedy(const GradePermissible &permissible) {
    if (!permissible.certificateRmWouldServe) {
        return permissible.problem;
    }
    return permissible.problem + "; " + CertificateRmHint();
}
