#include "materials_json.h"

#include "material_texts.h"
#include "missing_figures.h"

#include <algorithm>
#include <cmath>

using nlohmann::ordered_json;

namespace {

// A figure the source does not give: null.
ordered_json JsonFigure(double value) {
    return value > 0.0 ? ordered_json(value) : nullptr;
}

ordered_json JsonMark(bool given, Provenance provenance) {
    const std::string name = MarkName(given, provenance);
    return name.empty() ? ordered_json(nullptr) : ordered_json(name);
}

ordered_json EntryJson(const MaterialEntry &entry) {
    ordered_json object;
    object["name"] = entry.name;
    object["aliases"] = entry.aliases;
    object["standard"] = entry.standard;
    object["family"] = MaterialFamilyName(entry.family);
    object["shear_modulus"] = JsonFigure(entry.shearModulus);
    object["elastic_modulus"] = JsonFigure(entry.elasticModulus);
    object["density"] = JsonFigure(entry.density);
    if (!entry.moduliByDiameter.empty()) {
        ordered_json bands = ordered_json::array();
        for (const ModulusBand &band : entry.moduliByDiameter) {
            bands.push_back({std::isfinite(band.upToDiameter) ? ordered_json(band.upToDiameter)
                                                              : ordered_json(nullptr),
                             JsonFigure(band.shearModulus), JsonFigure(band.elasticModulus)});
        }
        object["moduli_by_diameter"] = bands;
    }
    object["max_temperature"] =
        entry.maxTemperature ? ordered_json(*entry.maxTemperature) : ordered_json(nullptr);
    object["rm_rule"] = entry.rmRule == RmRule::StepUpTo ? "step-up-to" : "linear";
    ordered_json rows = ordered_json::array();
    for (const TensileStrengthRow &row : entry.rm) {
        rows.push_back({row.wireDiameter, row.rmMin, JsonFigure(row.rmMax)});
    }
    object["rm"] = rows;
    if (entry.fixedPermissible) {
        const FixedPermissible &fixed = *entry.fixedPermissible;
        const auto three = [](const FixedPermissibleStress &s) {
            return ordered_json{JsonFigure(s.staticLoad), JsonFigure(s.dynamicLimited),
                                JsonFigure(s.dynamicUnlimited)};
        };
        object["permissible_mpa"] = {
            {"compression", three(fixed.compression)},
            {"extension", three(fixed.extension)},
            {"diameter_range",
             {fixed.fromDiameter, std::isfinite(fixed.toDiameter) ? ordered_json(fixed.toDiameter)
                                                                  : ordered_json(nullptr)}},
            {"source", fixed.source}};
    }
    object["source"] = entry.source;
    object["note"] = entry.note;
    const std::string missing = MissingFiguresText(entry);
    object["missing"] = missing.empty() ? ordered_json(nullptr) : ordered_json(missing);
    const EntryProvenance &marks = entry.provenance;
    object["provenance"] = {
        {"shear_modulus", JsonMark(entry.shearModulus > 0.0, marks.shearModulus)},
        {"elastic_modulus", JsonMark(entry.elasticModulus > 0.0, marks.elasticModulus)},
        {"density", JsonMark(entry.density > 0.0, marks.density)},
        {"rm", JsonMark(!entry.rm.empty(), marks.rm)},
        {"permissible_mpa", JsonMark(entry.fixedPermissible.has_value(), marks.permissible)}};
    return object;
}

ordered_json StressJson(const GradePermissible &p) {
    return p.stress ? ordered_json(p.stress->value) : ordered_json(nullptr);
}

} // namespace

const char *MarkName(bool given, Provenance provenance) {
    return given ? ProvenanceName(provenance) : "";
}

GradeFiguresAt EvaluateGradeAt(const MaterialCatalog &catalog, const MaterialEntry &entry,
                               double d) {
    GradeFiguresAt at;
    at.moduli = ElasticConstantsAt(entry, d);
    at.rm = TensileStrengthAt(entry, d);
    for (int i = 0; i < 3; ++i) {
        at.compression[i] =
            PermissibleShearStressOf(entry, SpringKind::Compression, kListedLoadTypes[i], d);
        at.extension[i] =
            PermissibleShearStressOf(entry, SpringKind::Extension, kListedLoadTypes[i], d);
    }
    at.standard = StandardDiameterOf(catalog.series, d);
    return at;
}

std::vector<std::string> MissingStressReasons(const GradeFiguresAt &at) {
    std::vector<std::string> problems;
    const auto add = [&](const GradePermissible &p) {
        const std::string problem = ProblemAndRemedy(p);
        if (!p.stress && !problem.empty() &&
            std::find(problems.begin(), problems.end(), problem) == problems.end()) {
            problems.push_back(problem);
        }
    };
    for (int i = 0; i < 3; ++i) {
        add(at.compression[i]);
        add(at.extension[i]);
    }
    return problems;
}

ordered_json MaterialsListJson(const MaterialCatalog &catalog, bool all) {
    ordered_json list = ordered_json::array();
    for (const MaterialEntry &entry : catalog.entries) {
        if (all || ListedByDefault(entry)) {
            list.push_back(EntryJson(entry));
        }
    }
    return list;
}

ordered_json MaterialJson(const MaterialCatalog &catalog, const MaterialEntry &entry,
                          std::optional<double> wireDiameter) {
    ordered_json object = EntryJson(entry);
    if (!wireDiameter) {
        return object;
    }
    const GradeFiguresAt at = EvaluateGradeAt(catalog, entry, *wireDiameter);
    object["wire_diameter"] = *wireDiameter;
    object["standard_diameter"] = StandardDiameterName(at.standard);
    object["standard_diameter_provenance"] =
        JsonMark(at.standard != StandardDiameter::Unknown, catalog.series.provenance);
    object["shear_modulus_at_diameter"] = JsonFigure(at.moduli.shearModulus);
    object["elastic_modulus_at_diameter"] = JsonFigure(at.moduli.elasticModulus);
    object["rm_min"] = at.rm ? ordered_json(at.rm->rmMin) : ordered_json(nullptr);
    object["rm_max"] = at.rm ? JsonFigure(at.rm->rmMax) : ordered_json(nullptr);
    // The table row the figures come from: the next larger diameter between rows.
    object["rm_row_diameter"] = at.rm && at.rm->rowDiameter > 0.0 ? ordered_json(at.rm->rowDiameter)
                                                                  : ordered_json(nullptr);
    ordered_json permissible;
    ordered_json extension;
    for (int i = 0; i < 3; ++i) {
        permissible[LoadTypeName(kListedLoadTypes[i])] = StressJson(at.compression[i]);
        extension[LoadTypeName(kListedLoadTypes[i])] = StressJson(at.extension[i]);
    }
    permissible["extension"] = extension;
    object["permissible"] = permissible;
    object["permissible_clause"] = at.compression[0].stress ? at.compression[0].stress->clause : "";
    object["problems"] = MissingStressReasons(at);
    return object;
}
