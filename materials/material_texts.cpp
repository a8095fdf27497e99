#include "material_texts.h"

#include <fmt/format.h>

#include <cmath>

std::string MaterialNumber(double value) {
    return fmt::format("{}", value);
}

std::string MegapascalText(double value) {
    if (!std::isfinite(value)) {
        return fmt::format("{}", value);
    }
    return fmt::format("{}", std::round(value * 10.0) / 10.0);
}

const char *LoadCaption(LoadType load) {
    switch (load) {
    case LoadType::Static:
        return "静负荷";
    case LoadType::DynamicLimited:
        return "动负荷有限寿命";
    case LoadType::DynamicUnlimited:
        return "动负荷无限寿命";
    }
    return "";
}

double DesignersPermissibleStress(double value) {
    return std::floor(value * 10.0 + 1e-9) / 10.0;
}

std::string CertificateRmHint() {
    return "请给出钢丝质保书上的抗拉强度 Rm: 命令行用 --tensile-strength=MPa (设计文件、设计表中为 "
           "tensile-strength), 网页在“材料”页填写“质保书上的抗拉强度 Rm”";
}

std::string MaterialTableCaption(const MaterialEntry &entry) {
    return "材料表 " + entry.name + " (" + entry.standard + ")";
}

std::string RmRowText(const TensileStrength &rm, double wireDiameter) {
    // Diameters are typed to a micrometre at most.
    if (!(rm.rowDiameter > 0.0) || std::fabs(rm.rowDiameter - wireDiameter) < 5e-7) {
        return "";
    }
    return "（取 " + MaterialNumber(rm.rowDiameter) + " mm 一行）";
}
