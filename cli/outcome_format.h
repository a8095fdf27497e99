#pragma once

#include "judge_design.h"

#include <iosfwd>

enum class OutputFormat { Text, Tsv, Json };

// The results of a completed design as the window shows them: "caption
// value unit" lines (text) or "Field<TAB>value" lines (tsv), the sixteen
// results and then the total coils. Prints nothing for any other outcome.
void WriteOutcomeText(const DesignOutcome &outcome, std::ostream &out);
void WriteOutcomeTsv(const DesignOutcome &outcome, std::ostream &out);

// One of the two above, or the outcome's JSON indented, then a newline.
void WriteOutcome(const DesignOutcome &outcome, OutputFormat format, std::ostream &out);
