#include "torsion_outcome_json.h"

#include "outcome_json.h"

nlohmann::ordered_json TorsionOutcomeJson(const TorsionOutcome &outcome) {
    nlohmann::ordered_json json;
    json["kind"] = "torsion";
    json["status"] = DesignStatusName(outcome.status);
    json["message"] = outcome.message;
    json["warnings"] = nlohmann::ordered_json::array();
    auto results = nlohmann::ordered_json::object();
    auto values = nlohmann::ordered_json::object();
    for (const TorsionResultRow &row : TorsionResultRows(outcome)) {
        results[row.key] = row.text;
        values[row.key] = FloatJson(row.value);
    }
    json["results"] = std::move(results);
    json["values"] = std::move(values);
    AddChecksAndMaterialInputs(json, outcome.checks, outcome.inputsFromMaterial);
    return json;
}
