#include "outcome_json.h"

#include "number_format.h"
#include "result_fields.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <cmath>

namespace {

nlohmann::ordered_json OptionalNumber(const std::optional<double> &value) {
    return value ? nlohmann::ordered_json(*value) : nlohmann::ordered_json(nullptr);
}

} // namespace

nlohmann::ordered_json CheckResultJson(const CheckResult &check) {
    nlohmann::ordered_json json;
    json["id"] = check.id;
    json["value"] = OptionalNumber(check.value);
    json["unit"] = check.unit;
    json["limit"] = OptionalNumber(check.limit);
    json["verdict"] = CheckVerdictName(check.verdict);
    json["clause"] = check.clause;
    json["message"] = check.message;
    return json;
}

nlohmann::ordered_json FloatJson(float value) {
    if (!std::isfinite(value)) {
        return nullptr;
    }
    const std::string text = fmt::format("{}", value);
    double shortest = 0.0;
    fast_float::from_chars(text.data(), text.data() + text.size(), shortest);
    return shortest;
}

void AddChecksAndMaterialInputs(nlohmann::ordered_json &json,
                                const std::vector<CheckResult> &checks,
                                const std::vector<std::pair<std::string, double>> &fromMaterial) {
    auto checkRows = nlohmann::ordered_json::array();
    for (const CheckResult &check : checks) {
        checkRows.push_back(CheckResultJson(check));
    }
    json["checks"] = std::move(checkRows);
    auto inputs = nlohmann::ordered_json::object();
    for (const auto &[name, value] : fromMaterial) {
        inputs[name] = value;
    }
    json["inputs_from_material"] = std::move(inputs);
}

nlohmann::ordered_json OutcomeJson(const DesignOutcome &outcome) {
    nlohmann::ordered_json json;
    json["status"] = DesignStatusName(outcome.status);
    json["message"] = outcome.message;
    json["warnings"] = outcome.warnings;
    auto results = nlohmann::ordered_json::object();
    auto values = nlohmann::ordered_json::object();
    if (outcome.status == DesignStatus::Completed) {
        for (const ResultField &field : ResultFields()) {
            results[field.designField] = FormatResult(field, outcome.design);
            values[field.designField] = FloatJson(outcome.design.*field.quantity);
        }
        results["TotalCoils"] = FormatGeneral(outcome.design.TotalCoils);
        values["TotalCoils"] = FloatJson(outcome.design.TotalCoils);
    }
    json["results"] = std::move(results);
    json["values"] = std::move(values);
    AddChecksAndMaterialInputs(json, outcome.checks, outcome.inputsFromMaterial);
    return json;
}

std::string DumpJson(const nlohmann::ordered_json &json, int indent) {
    return json.dump(indent, ' ', false, nlohmann::ordered_json::error_handler_t::replace);
}

std::string RefusedJsonText(const std::string &message) {
    nlohmann::ordered_json refusal;
    refusal["status"] = "refused";
    refusal["message"] = message;
    return DumpJson(refusal, 2) + "\n";
}
