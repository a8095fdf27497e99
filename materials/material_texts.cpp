#include "material_texts.h"

#include <charconv>

std::string MaterialNumber(double value) {
    char text[32];
    const auto written = std::to_chars(text, text + sizeof text, value);
    return std::string(text, written.ptr);
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

std::string MaterialTableCaption(const MaterialEntry &entry) {
    return "材料表 " + entry.name + " (" + entry.standard + ")";
}
