#pragma once

#include "judge_design.h"

#include <nlohmann/json.hpp>

#include <string>
#include <utility>
#include <vector>

// The whole outcome as one object: status, message, warnings, results (the
// shown texts), values (the same as numbers), checks, inputs_from_material.
nlohmann::ordered_json OutcomeJson(const DesignOutcome &outcome);

// The last two members of every kind's outcome: the checks, and the inputs
// taken from the material table (field name, value).
void AddChecksAndMaterialInputs(nlohmann::ordered_json &json,
                                const std::vector<CheckResult> &checks,
                                const std::vector<std::pair<std::string, double>> &fromMaterial);

// One check as JSON: id, value, unit, limit, verdict, clause, message.
nlohmann::ordered_json CheckResultJson(const CheckResult &check);

// The value as JSON: the shortest decimal that reads back as the same float.
nlohmann::ordered_json FloatJson(float value);

// A usage error as every front end prints it with JSON output:
// {"status": "refused", "message": …}, indented, with its line end.
std::string RefusedJsonText(const std::string &message);

// nlohmann's dump, with any byte that is not UTF-8 replaced instead of thrown.
std::string DumpJson(const nlohmann::ordered_json &json, int indent = -1);
