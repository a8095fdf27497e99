#pragma once

#include "check_result.h"
#include "design_request.h"
#include "judge_design.h"
#include "torsion_checks.h"
#include "torsion_spring.h"

#include <string>
#include <vector>

// Everything one judged torsion spring tells, as DesignOutcome does for the
// other kinds; every front end prints from it.
struct TorsionOutcome {
    DesignStatus status = DesignStatus::Refused;
    std::string message; // why it was refused or faulted; else empty
    TorsionInputs inputs;
    TorsionSpring spring;
    std::optional<double> arborDiameter; // mm, when given
    CheckResults checks;
    std::vector<std::pair<std::string, double>> inputsFromMaterial; // field name, value
    std::vector<std::string> notes; // where E, ρ and Rm came from, what is missing
};

// Checks every input, calculates, and runs the checks when asked: the one
// call that judges a torsion spring (request.torsion.torsion set) whatever
// asks. Safe to call from several threads.
TorsionOutcome JudgeTorsionDesign(const DesignRequest &request);

// The exit status, as for the other kinds: 0 completed (5 when --strict and a
// check failed), 2 refused, 3 a calculation fault.
int TorsionExitStatus(const DesignRequest &request, const TorsionOutcome &outcome);

// One result line: its key (tsv, JSON), caption (text), unit and value.
struct TorsionResultRow {
    std::string key;
    std::string caption;
    std::string unit;
    float value = 0.0F;
    std::string text; // as shown
};
std::vector<TorsionResultRow> TorsionResultRows(const TorsionOutcome &outcome);
