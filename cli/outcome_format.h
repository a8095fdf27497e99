#pragma once

#include "design_request.h"
#include "judge_design.h"

#include <nlohmann/json.hpp>

#include <iosfwd>

// The results of a completed design as the window shows them: "caption
// value unit" lines (text) or "Field<TAB>value" lines (tsv), the sixteen
// results and then the total coils. Prints nothing for any other outcome.
void WriteOutcomeText(const DesignOutcome &outcome, std::ostream &out);
void WriteOutcomeTsv(const DesignOutcome &outcome, std::ostream &out);

// The whole outcome as one object: status, message, warnings, results (the
// shown texts), values (the same as numbers), checks, inputs_from_material.
nlohmann::ordered_json OutcomeJson(const DesignOutcome &outcome);

// The value as JSON: the shortest decimal that reads back as the same float.
nlohmann::ordered_json FloatJson(float value);

// One of the three above by format; JSON indented, then a newline.
void WriteOutcome(const DesignOutcome &outcome, OutputFormat format, std::ostream &out);

// nlohmann's dump, with any byte that is not UTF-8 replaced instead of thrown.
std::string DumpJson(const nlohmann::ordered_json &json, int indent = -1);
