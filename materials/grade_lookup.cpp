#include "grade_lookup.h"

#include "echoed_text.h"

namespace {

std::optional<double> Given(double figure) {
    return figure > 0.0 ? std::optional<double>(figure) : std::nullopt;
}

} // namespace

std::string UnknownGradeMessage(const MaterialCatalog &catalog, std::string_view grade) {
    std::string message = "材料数据中没有牌号“" + EchoedText(grade) + "”";
    if (LongerThanEchoed(grade)) {
        return message; // no grade name is that long: nothing is close
    }
    const std::vector<std::string> closest = ClosestGrades(catalog, grade);
    for (std::size_t i = 0; i < closest.size(); ++i) {
        message += (i ? "、" : "，最接近的有：") + closest[i];
    }
    return message;
}

GradeLookup LookUpGrade(const MaterialCatalog &catalog, std::string_view grade) {
    GradeLookup lookup;
    lookup.entry = FindMaterial(catalog, grade);
    if (lookup.entry == nullptr) {
        lookup.error = UnknownGradeMessage(catalog, grade);
    }
    return lookup;
}

GradeAtDiameter GradeAt(const MaterialEntry &entry, SpringKind kind, LoadType load,
                        double wireDiameter, std::optional<double> certificateRm) {
    GradeAtDiameter at;
    at.entry = &entry;
    at.family = entry.family;
    at.wireDiameter = wireDiameter;
    const ElasticConstants moduli = ElasticConstantsAt(entry, wireDiameter);
    at.shearModulus = Given(moduli.shearModulus);
    at.elasticModulus = Given(moduli.elasticModulus);
    at.density = Given(entry.density);
    at.rm = TensileStrengthAt(entry, wireDiameter);
    at.permissible = PermissibleShearStressOf(entry, kind, load, wireDiameter, certificateRm);
    return at;
}
