#include "heat_treatment.h"

#include <array>
#include <string_view>

namespace {

struct FamilyRow {
    MaterialFamily family;
    const char *treatment;
    const char *source;
};

// Wire delivered at its spring strength (cold drawn, oil tempered, hard drawn)
// only has the coiling stresses relieved; steel delivered hot rolled or
// annealed is hardened after forming.
constexpr std::array<FamilyRow, 5> kFamilies = {{
    {MaterialFamily::CarbonSpringWire, "卷制后去应力回火, 温度与时间按钢丝供方的规定",
     "GB/T 4357: 钢丝以冷拉状态交货, 已具有规定的抗拉强度"},
    {MaterialFamily::OilTemperedWire, "卷制后去应力回火, 温度与时间按钢丝供方的规定",
     "GB/T 18983 / EN 10270-2: 钢丝以油淬火-回火状态交货"},
    {MaterialFamily::StainlessSpringWire, "卷制后去应力处理, 温度与时间按钢丝供方的规定",
     "EN 10270-3: 钢丝以冷拉状态交货"},
    {MaterialFamily::AlloySpringSteel, "成形后淬火+回火, 硬度按供需双方协议",
     "GB/T 1222: 热轧钢材以热处理或不热处理状态交货, 弹簧的弹性由成形后的淬火回火得到"},
    {MaterialFamily::CopperAlloyWire, "卷制后低温去应力退火, 温度与时间按线材供方的规定",
     "GB/T 21652: 线材以硬态交货, 不能热处理强化"},
}};

struct GradeRow {
    const char *grade; // the catalog's name
    const char *treatment;
    const char *source;
};

constexpr std::array<GradeRow, 2> kGrades = {{
    {"QBe2", "卷制后时效处理, 温度与时间按线材供方的规定",
     "GB/T 21652: 铍青铜线以固溶 (冷拉) 状态交货, 由成形后的时效得到弹性"},
    {"07Cr17Ni7Al", "卷制后沉淀硬化 (时效) 处理, 温度与时间按钢丝供方的规定",
     "EN 10270-3 (1.4568): 沉淀硬化钢丝, 成形后经时效得到规定的强度"},
}};

} // namespace

HeatTreatment HeatTreatmentFor(const MaterialEntry &entry) {
    for (const GradeRow &row : kGrades) {
        if (entry.name == row.grade) {
            return {row.treatment, row.source};
        }
    }
    for (const FamilyRow &row : kFamilies) {
        if (entry.family == row.family) {
            return {row.treatment, row.source};
        }
    }
    return UnknownMaterialHeatTreatment();
}

HeatTreatment UnknownMaterialHeatTreatment() {
    return {"按所用材料供方的规定", "材料不在材料表中, 其交货状态未知"};
}
