#pragma once

#include "check_inputs.h"
#include "check_result.h"
#include "design_request.h"
#include "material_catalog.h"
#include "material_entry.h"
#include "request_options.h"
#include "spring_design.h"

#include <optional>
#include <string>
#include <vector>

// The options of the engineering checks: --check, --strict, --end-condition,
// --load-cycles, --working-frequency, --hook-bend-radius, --standard,
// --tensile-strength, --elastic-modulus, --density. One group, so that the
// single design, a design table and the search read them alike.
const RequestOptionGroup &CheckOptionGroup();

// What the checks take for a design: the options first, then the entry of a
// known grade at the design's wire diameter. A known grade serves the checks
// without --from-material: G and [tau] of the design stay as given. Notes say
// in one Chinese line each what came from the table and what is missing;
// error is set (and nothing else matters) when an option's number is refused.
struct PreparedCheckInputs {
    CheckInputs inputs;
    std::vector<std::string> notes;
    std::optional<std::string> error;
};
// loadTypeGiven: the designer's duty when given; the stricter of it and the
// load cycles' class governs.
PreparedCheckInputs PrepareCheckInputs(const CheckRequest &request, const MaterialEntry *entry,
                                       const SpringDesign &design, SpringTypeSign typeSign,
                                       std::optional<LoadType> loadTypeGiven);

// The checks of a completed run as every front end judges them: the single
// design, a design table's row and each candidate of the search, so that a
// design is judged alike whatever asks. The inputs are prepared from the
// request's check and material options and the grade's entry.
struct JudgedChecks {
    PreparedCheckInputs prepared;
    CheckResults results; // empty when prepared.error is set
};
// The warning that a wire diameter is not in the GB/T 1358 series, where the
// series is known well enough to say so; nothing otherwise.
std::optional<CheckResult> NonStandardWireDiameter(const WireDiameterSeries &series,
                                                   double wireDiameter);

JudgedChecks JudgeChecks(const DesignRequest &request, const MaterialEntry *entry,
                         const SpringDesign &design, SpringTypeSign typeSign);

// The duty the permissible stress is for: the stricter of the designer's and
// the one the load cycles call for; static when neither is given.
LoadType EffectiveLoadType(const DesignRequest &request);

// Whether any check failed or, though the load made it necessary, could not
// be judged (the command line's --strict).
bool HasFailedCheck(const CheckResults &results);
