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
