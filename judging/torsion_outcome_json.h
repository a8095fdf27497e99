#pragma once

#include "judge_torsion.h"

#include <nlohmann/json.hpp>

// The whole torsion outcome as one object, in the other kinds' shape:
// status, message, warnings, results (the shown texts), values (the same as
// numbers), checks, inputs_from_material; with "kind": "torsion".
nlohmann::ordered_json TorsionOutcomeJson(const TorsionOutcome &outcome);
