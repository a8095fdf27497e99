#pragma once

#include "check_result.h"
#include "design_request.h"
#include "run_checks.h"
#include "spring_design.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

enum class DesignStatus {
    Completed, // the calculation ran to the end (the stress warning may have been raised)
    Stopped,   // a design warning stopped it
    Refused,   // an input was refused before the calculation
    Fault,     // the calculation failed (division by zero, overflow)
};

// "completed", "stopped", "refused", "fault".
const char *DesignStatusName(DesignStatus status);

// Everything one judged design tells: the single design and every row of a
// design table print from this.
struct DesignOutcome {
    DesignStatus status = DesignStatus::Refused;
    std::vector<std::string> warnings; // as raised, lines joined by "\n"
    std::string message;               // why it was refused, stopped or faulted; else empty
    SpringDesign design;               // as the run left it
    SpringTypeSign sign = kCompressionSpring;
    CheckResults checks;
    std::optional<FatigueDiagram> fatigue; // with the checks, when load cycles are given
    std::vector<std::pair<std::string, double>> inputsFromMaterial; // field name, value
    std::vector<std::string> materialNotes; // what --from-material took from the table
    std::vector<std::string> checkNotes;    // where the checks' material data came from
    // The checks a given Rm made applicable: not applicable without it.
    std::vector<std::string> applicableWithGivenRm;
};

// The exit status every front end reports for a judged design, as orsela-cli
// exits: 0 completed (5 when --strict and a check failed), 1 stopped by a
// design warning, 2 refused, 3 a calculation fault.
int DesignExitStatus(const DesignRequest &request, const DesignOutcome &outcome);
// The exit status of any kind's outcome: 0, 1 stopped, 2 refused, 3 fault,
// 5 a failed check under --strict.
int ExitStatusOf(const DesignRequest &request, DesignStatus status,
                 const std::vector<CheckResult> &checks);

// Checks every input as the window does, calculates, and runs what the
// request asks for after a completed run. Safe to call from several threads.
DesignOutcome JudgeDesign(const DesignRequest &request);
