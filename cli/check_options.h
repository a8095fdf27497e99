#pragma once

#include "check_inputs.h"
#include "check_result.h"
#include "design_request.h"
#include "material_entry.h"
#include "request_options.h"
#include "spring_design.h"

#include <iosfwd>
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
PreparedCheckInputs PrepareCheckInputs(const CheckRequest &request, const MaterialEntry *entry,
                                       const SpringDesign &design, SpringTypeSign typeSign,
                                       LoadType loadType);

// The built-in materials with the user's own file over them, read once.
const MaterialEntry *FindCheckMaterial(const std::string &grade);

// The text section "校核" and the tsv lines "Check.<id> TAB value TAB limit TAB verdict".
void WriteChecksText(const CheckResults &results, std::ostream &out);
void WriteChecksTsv(const CheckResults &results, std::ostream &out);

bool HasFailedCheck(const CheckResults &results);
