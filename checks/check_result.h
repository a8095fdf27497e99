#pragma once

#include <optional>
#include <string>
#include <vector>

// The outcome of one engineering check of a completed design. Info is a
// figure given for reference only: nothing was held against a limit, and it
// does not count as passed. NotJudged marks a check the stated load makes
// necessary that could not be judged: it is not a pass, and --strict counts
// it as a failure.
enum class CheckVerdict { Ok, Warning, Fail, NotApplicable, Info, NotJudged };

// "ok", "warning", "fail", "not-applicable", "info", "not-judged": the words
// of tsv and JSON.
const char *CheckVerdictName(CheckVerdict verdict);

// The Chinese name of a check by its id ("静强度" for "static-strength"), as
// the text output and the engineering report show it; an unknown id as it is.
std::string CheckTitle(const std::string &id);

// The input a check lacked, so that a front end can say how to give it; the
// check's own text names it in the spring's terms only.
enum class CheckInput {
    None,
    LoadCycles,
    TensileStrength,
    ElasticModulus,
    Density,
    WorkingFrequency
};

struct CheckResult {
    std::string id;              // "static-strength", "buckling", ...
    std::optional<double> value; // the computed value; nothing when it does not exist
    std::string unit;            // "MPa", "mm", "Hz", "g", "N·mm", "°", "" for a ratio
    std::optional<double> limit; // what the value is held against
    CheckVerdict verdict = CheckVerdict::NotApplicable;
    std::string clause;  // the standard and clause followed
    std::string message; // one line of Chinese; says the reason when not applicable
    CheckInput missing = CheckInput::None; // what would have let it judge (or judge more)
};

using CheckResults = std::vector<CheckResult>;
